#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUENDA 5"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("QUENDA 5"));
    w.showMaximized();
    return QApplication::exec();
}
