#include "TOpenImageDialog.h"

#include "ImageDialogFilter.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "TImageIO.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPixmap>

namespace {
TOpenImageDialog::Runner &runner()
{
    static TOpenImageDialog::Runner r;
    return r;
}
} // namespace

TOpenImageDialog::TOpenImageDialog(const QString &name, QWidget *owner)
    : QObject(owner), m_owner(owner), m_filter(ImageDialogFilter::Open())
{
    setObjectName(name);
}

void TOpenImageDialog::SetRunner(Runner r)
{
    runner() = std::move(r);
}

bool TOpenImageDialog::Execute()
{
    if (runner())
        return runner()(*this);

    QFileDialog dialog(m_owner, m_title.isEmpty() ? tr("Abrir") : m_title, m_initialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist is reported by the caller
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(ImageDialogFilter::ToEntries(m_filter));

    // Preview of the picture under the cursor, decoded by the engine itself
    // so that it shows exactly what opening the file will show.
    auto *preview = new QLabel(&dialog);
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString &path) {
        preview->clear();
        if (!QFileInfo(path).isFile())
            return;
        Picture24 picture;
        if (ImageFile::load(TImageIO::LocalPath(path), picture)) {
            const QImage image = PictureImage::ToQImage(picture);
            preview->setPixmap(QPixmap::fromImage(image).scaled(preview->size(), Qt::KeepAspectRatio,
                                                                Qt::SmoothTransformation));
        }
    });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    m_fileName = dialog.selectedFiles().constFirst();
    return true;
}
