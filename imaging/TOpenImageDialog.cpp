#include "TOpenImageDialog.h"

#include "ExtensionIconProvider.h"
#include "ImageDialogFilter.h"
#include "ImagePreviewLoader.h"

#include <QFileDialog>
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

    // Declared first: the dialog's listing thread uses it until the dialog is gone.
    ExtensionIconProvider icons;
    QFileDialog dialog(m_owner, m_title.isEmpty() ? tr("Abrir") : m_title, m_initialDir);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist is reported by the caller
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(ImageDialogFilter::ToEntries(m_filter));
    dialog.setIconProvider(&icons);

    // Preview of the picture under the cursor, decoded by the engine itself
    // so that it shows exactly what opening the file will show. It is read
    // away from the dialog: a typed name may point at a device or a /proc
    // file, and a big photo on a slow disk must not hold the typing either.
    auto *preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("Preview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    auto *loader = new ImagePreviewLoader(preview);
    QObject::connect(&dialog, &QFileDialog::currentChanged, loader, [preview, loader](const QString &path) {
        preview->clear();
        loader->Request(path);
    });
    QObject::connect(loader, &ImagePreviewLoader::Loaded, preview, [preview](const QString &, const QImage &image) {
        if (image.isNull())
            return;
        preview->setPixmap(
            QPixmap::fromImage(image).scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    m_fileName = dialog.selectedFiles().constFirst();
    return true;
}
