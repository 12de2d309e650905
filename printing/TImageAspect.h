#pragma once

#include <QImage>
#include <QWidget>

/** A picture cell that shows its picture whole, aspect kept, centred. */
class TImageAspect : public QWidget
{
    Q_OBJECT

public:
    explicit TImageAspect(const QString &name, QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    /** Replaces the picture and repaints; the cell keeps its size. */
    void SetPicture(const QImage &picture);
    void Clear() { SetPicture(QImage()); }
    /** Where the picture is drawn inside the cell. */
    QRect DrawnRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};
