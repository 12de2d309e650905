// Manual look at the photo view: a photograph at zoom 200 with scroll bars
// and a lasso in progress. With an output path the window is saved as PNG
// and the program ends; without one it stays open for trying the mouse.
//
//   imaging_photoview_demo PHOTO [OUT.png]
//   imaging_photoview_demo --cursors OUT.png   (the eight cursors, enlarged)

#include "ImageCursors.h"
#include "Picture24.h"
#include "TImageView.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

Picture24 toPicture(const QImage &source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    Picture24 p(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *in = rgb.constScanLine(y);
        std::uint8_t *out = p.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    return p;
}

void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--cursors") == 0) {
        // Each cursor at four times its size on grey, its hot spot in red.
        constexpr int kScale = 4;
        constexpr int kCell = ImageCursors::kSize * kScale + 8;
        QImage sheet(8 * kCell, kCell, QImage::Format_RGB32);
        sheet.fill(QColor(160, 160, 160));
        QPainter p(&sheet);
        for (int i = 0; i < 8; ++i) {
            const QCursor c = ImageCursors::cursor(ImageCursors::ZoomOut + i);
            const QRect target(i * kCell + 4, 4, ImageCursors::kSize * kScale,
                               ImageCursors::kSize * kScale);
            p.drawPixmap(target, c.pixmap());
            p.fillRect(target.x() + c.hotSpot().x() * kScale, 4 + c.hotSpot().y() * kScale, kScale,
                       kScale, Qt::red);
        }
        p.end();
        return sheet.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PHOTO [OUT.png]\n", argv[0]);
        return 2;
    }
    const QImage photo(QString::fromLocal8Bit(argv[1]));
    if (photo.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Photo view"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(8, 8, 8, 8);
    auto *view = new TImageView(&window);
    layout->addWidget(view);
    window.resize(520, 420);

    view->SetBitmap(toPicture(photo));
    view->SetScrollBars(TImageView::ssBoth);
    view->SetBackgroundStyle(TImageView::bsChessboard);
    view->SetZoom(200);
    view->SetViewXY(180, 120);
    view->SetMouseInteract(TImageView::miSelectPolygon);
    view->SetCursorId(ImageCursors::Cross2);
    // Trace the lasso on the console, for checking real mouse input.
    QObject::connect(view, &TImageView::OnSelectionChange, view, [view] {
        std::fprintf(stderr, "selection: %zu points%s\n", view->SelectionPoints().size(),
                     view->PolygonInProgress() ? ", in progress" : ", closed");
    });
    window.show();

    // A lasso of four corners, the rubber line hanging from the last one.
    QWidget *client = view->ClientArea();
    const QPoint corners[] = {{60, 50}, {300, 70}, {330, 260}, {90, 300}};
    for (const QPoint &p : corners) {
        send(client, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        send(client, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    send(client, QEvent::MouseMove, QPoint(40, 180), Qt::NoButton, Qt::NoButton);

    if (argc >= 3) {
        const QString out = QString::fromLocal8Bit(argv[2]);
        QTimer::singleShot(400, &window, [&window, out] {
            window.grab().save(out);
            QApplication::quit();
        });
    }
    return app.exec();
}
