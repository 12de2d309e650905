#pragma once

#include "ImageFile.h"

#include <QObject>
#include <QString>

class TImageView;

/**
 * File component attached to a photo view: reads files into the view's
 * picture and writes it, by extension. Keeps the format options the save
 * dialog's options button last chose, for the next save.
 */
class TImageIO : public QObject
{
    Q_OBJECT

public:
    TImageIO(const QString &name, TImageView *view, QObject *parent);

    TImageView *View() const { return m_view; }

    /** Loads by extension; the view's background shows under transparency. */
    ImageStatus LoadFromFile(const QString &fileName);
    /** Loads a GIF for the hair overlay; the view's background takes the
     *  file's transparent (else background) colour. */
    ImageStatus LoadFromFileGIF(const QString &fileName);
    /** Saves by extension with the current options. */
    ImageStatus SaveToFile(const QString &fileName) const;

    SaveOptions &Options() { return m_options; }
    const SaveOptions &Options() const { return m_options; }

    /** Local 8-bit path for the engine (file names may hold accents). */
    static std::string LocalPath(const QString &fileName);

private:
    TImageView *m_view;
    SaveOptions m_options;
};
