#pragma once

#include "TRasterBMP.h"

#include <QImage>
#include <QWidget>

/**
 * A cell showing a 24-bit raster bitmap fitted inside it, aspect kept,
 * resampled bilinearly to the size it is drawn at; the rest of the cell is
 * its background colour.
 */
class TRasterIMG : public QWidget
{
    Q_OBJECT

public:
    explicit TRasterIMG(const QString &name, QWidget *parent = nullptr);

    const TRasterBMP &Picture() const { return m_picture; }
    bool IsEmpty() const { return m_picture.IsEmpty(); }
    /** Takes the bitmap; the drawn copy is made again at the next paint. */
    void SetPicture(TRasterBMP picture);
    /** Reads a Windows bitmap file; a bad file leaves the cell as it was. */
    ImageStatus LoadFromFile(const QString &fileName);
    /** Removes the picture. */
    void Clear();
    /** Where the picture is drawn inside the cell. */
    QRect DrawnRect() const;
    /** The resampled picture at DrawnRect's size. */
    const QImage &Drawn();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TRasterBMP m_picture;
    QImage m_drawn;
};
