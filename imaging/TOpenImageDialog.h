#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

/**
 * The open-photo dialog: a file dialog over the engine's formats with a
 * preview of the picture under the cursor. Title is translatable.
 *
 * Tests replace the interactive run through SetRunner, so a command that
 * opens the dialog can be driven without a person at the screen.
 */
class TOpenImageDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
    /** Returns true when confirmed and sets the dialog's FileName. */
    using Runner = std::function<bool(TOpenImageDialog &)>;

    TOpenImageDialog(const QString &name, QWidget *owner);

    QString Title() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &filter) { m_filter = filter; }
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString &dir) { m_initialDir = dir; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &fileName) { m_fileName = fileName; }

    /** Runs the dialog modally; true when the user confirmed a file. */
    bool Execute();

    static void SetRunner(Runner runner);

private:
    QWidget *m_owner;
    QString m_title;
    QString m_filter;
    QString m_initialDir;
    QString m_fileName;
};
