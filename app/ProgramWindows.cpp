#include "ProgramWindows.h"

#include "TF_DRAW.h"
#include "TF_HAIR.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TF_QSTART.h"
#include "TF_SOBRE.h"
#include "TF_THUMBS.h"

#include <QApplication>

namespace {
QStringList &order()
{
    static QStringList list;
    return list;
}

template <typename T> T *made(T *window)
{
    order() << window->objectName();
    return window;
}
} // namespace

void ProgramWindows::Create(const QString &appDir)
{
    QApplication::setApplicationName(QStringLiteral("QUENDA 5"));
    QApplication::setWindowIcon(Icon());
    order().clear();
    made(new TF_HAIR(appDir));
    made(F_THUMBS = new TF_THUMBS(*F_HAIR));
    F_THUMBS->SetImportHost(F_HAIR);
    made(F_SOBRE = new TF_SOBRE(F_HAIR->AppDir()));
    made(F_DRAW = new TF_DRAW(F_HAIR->AppDir()));
    made(F_PREVIEW = new TF_PREVIEW());
    made(F_IMPRESSAO = new TF_IMPRESSAO(F_HAIR->AppDir()));
    made(F_PREVIEW2 = new TF_PREVIEW2(F_HAIR->AppDir()));
    made(F_QSTART = new TF_QSTART(F_HAIR->AppDir()));
}

QIcon ProgramWindows::Icon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quenda-%1.png").arg(size), QSize(size, size));
    return icon;
}

void ProgramWindows::Destroy()
{
    delete F_QSTART;
    F_QSTART = nullptr;
    delete F_PREVIEW2;
    F_PREVIEW2 = nullptr;
    delete F_IMPRESSAO;
    F_IMPRESSAO = nullptr;
    delete F_PREVIEW;
    F_PREVIEW = nullptr;
    delete F_DRAW;
    F_DRAW = nullptr;
    delete F_SOBRE;
    F_SOBRE = nullptr;
    delete F_THUMBS;
    F_THUMBS = nullptr;
    delete F_HAIR; // clears F_HAIR itself
}

const QStringList &ProgramWindows::CreationOrder()
{
    return order();
}
