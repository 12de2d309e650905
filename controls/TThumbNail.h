#pragma once

#include "Picture24.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QSize>
#include <QString>

class QLabel;
class TThumbview;

/**
 * One thumbnail of a thumbnail view: a raised panel with a title bar on top
 * and the picture, fitted into the area below it, on a hatched background.
 * Presses and clicks on any part go to the owning view.
 */
class TThumbNail : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 15;

    explicit TThumbNail(TThumbview *view);

    QString Filename() const { return m_filename; }
    /** Loads the file; a file that cannot be read leaves the picture empty. */
    void SetFilename(const QString &name);
    /** As SetFilename, with the file already read by ReadPicture (the view
     *  reads ahead on a second thread); a failed read leaves the picture empty. */
    void SetFilename(const QString &name, const Picture24 &picture, QSize fullSize, bool readOk);
    /** Reads a file as SetFilename would for a view's box, and the size of
     *  the picture in the file; safe on any thread for JPEG files. */
    static bool ReadPicture(const QString &name, int boxWidth, int boxHeight, Picture24 &picture,
                            QSize &fullSize);
    QString Title() const { return m_title; }
    void SetTitle(const QString &title);
    QColor TitleColor() const { return m_titleColor; }
    void SetTitleColor(const QColor &colour);
    QColor TitleTextColor() const { return m_titleTextColor; }
    void SetTitleTextColor(const QColor &colour);
    QFont TitleFont() const;
    void SetTitleFont(const QFont &font);
    bool ImageReady() const { return m_imageReady; }
    bool MinimizeMemory() const { return m_minimizeMemory; }
    void SetMinimizeMemory(bool on);
    bool Asbutton() const { return m_asButton; }
    void SetAsbutton(bool on) { m_asButton = on; }
    int BorderWidth() const { return m_borderWidth; }

    /** The picture area: ClientWidth x ClientHeight. */
    int ClientWidth() const;
    int ClientHeight() const;
    /** The stored picture (reduced when MinimizeMemory is on). */
    const QImage &Picture() const { return m_picture; }
    /** Where the picture is drawn, in the thumbnail's coordinates. */
    QRect PictureRect() const { return m_pictureRect; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void load();
    void take(const Picture24 &picture, QSize fullSize, bool readOk);
    void reduce(QSize fullSize);
    void fit();
    void applyTitleColours();

    TThumbview *m_view;
    QLabel *m_titleBar;
    QString m_filename;
    QString m_title;
    QColor m_titleColor;
    QColor m_titleTextColor;
    QImage m_picture;
    QRect m_pictureRect;
    bool m_imageReady = false;
    bool m_minimizeMemory = true;
    bool m_asButton = false;
    bool m_down = false;
    int m_borderWidth = 0;
};
