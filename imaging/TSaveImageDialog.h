#pragma once

#include "ImageFile.h"

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

/**
 * The save dialog for compositions: a file dialog over the engine's formats,
 * BMP chosen at start and the last chosen entry remembered, a question before
 * an existing file is replaced, and an "Opções..." button for the format
 * options (JPEG quality), which the dialog holds for the next save.
 *
 * A name typed without extension receives one when the dialog returns: that
 * of the chosen entry when it names a single format the engine writes, else
 * DefaultExt ("bmp").
 *
 * Tests replace the interactive runs through SetRunner and SetOptionsRunner.
 */
class TSaveImageDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
    /** Replaces the file dialog: returns true when confirmed and sets
     *  FileName (and may set FilterIndex, Options). */
    using Runner = std::function<bool(TSaveImageDialog &)>;
    /** Replaces the options dialog: edits the options, true when confirmed. */
    using OptionsRunner = std::function<bool(SaveOptions &)>;

    /** The entry chosen at start: BMP, the seventh of the filter list. */
    static constexpr int kBmpFilterIndex = 7;

    TSaveImageDialog(const QString &name, QWidget *owner);

    QString Title() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &filter) { m_filter = filter; }
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString &dir) { m_initialDir = dir; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &fileName) { m_fileName = fileName; }
    QString DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const QString &extension) { m_defaultExt = extension; }
    /** Chosen filter entry, counted from 1; kept from one run to the next. */
    int FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int index) { m_filterIndex = index; }

    const SaveOptions &Options() const { return m_options; }
    /** Sets the options, the JPEG quality kept within 1..100. */
    void SetOptions(const SaveOptions &options);

    /** Runs the dialog modally; true when the user confirmed a name. */
    bool Execute();
    /** Runs the options dialog on its own; on OK the options change. */
    bool EditOptions(QWidget *parent);

    /** The extension a typed name without one receives for entry `index`
     *  (1-based) of `filter`. */
    static QString ExtensionFor(const QString &filter, int index, const QString &defaultExt);
    /** `fileName` with ".extension" added when its file part has none; a
     *  trailing dot counts as none. */
    static QString WithExtension(const QString &fileName, const QString &extension);

    static void SetRunner(Runner runner);
    static void SetOptionsRunner(OptionsRunner runner);

private:
    static bool runOptions(QWidget *parent, SaveOptions &options);

    QWidget *m_owner;
    QString m_title;
    QString m_filter;
    QString m_initialDir;
    QString m_fileName;
    QString m_defaultExt = QStringLiteral("bmp");
    int m_filterIndex = kBmpFilterIndex;
    SaveOptions m_options;
};
