#include "TSaveImageDialog.h"

#include "ExtensionIconProvider.h"
#include "ImageDialogFilter.h"
#include "ImageFormat.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
TSaveImageDialog::Runner &runner()
{
    static TSaveImageDialog::Runner r;
    return r;
}
TSaveImageDialog::OptionsRunner &optionsRunner()
{
    static TSaveImageDialog::OptionsRunner r;
    return r;
}

bool engineWrites(const QString &extension)
{
    switch (imageFormatForPath("x." + extension.toStdString())) {
    case ImageFormat::Bmp:
    case ImageFormat::Jpeg:
    case ImageFormat::Png:
    case ImageFormat::Gif:
    case ImageFormat::Tiff:
    case ImageFormat::Pcx:
        return true;
    default:
        return false;
    }
}
} // namespace

TSaveImageDialog::TSaveImageDialog(const QString &name, QWidget *owner)
    : QObject(owner), m_owner(owner), m_filter(ImageDialogFilter::Standard())
{
    setObjectName(name);
}

void TSaveImageDialog::SetRunner(Runner r)
{
    runner() = std::move(r);
}

void TSaveImageDialog::SetOptionsRunner(OptionsRunner r)
{
    optionsRunner() = std::move(r);
}

void TSaveImageDialog::SetOptions(const SaveOptions &options)
{
    m_options = options;
    m_options.jpegQuality = std::clamp(options.jpegQuality, 1, 100);
}

QString TSaveImageDialog::ExtensionFor(const QString &filter, int index, const QString &defaultExt)
{
    // An entry of several formats ("All graphics") or of one the engine
    // cannot write (ICO, AVI...) says nothing usable: the default applies.
    const QStringList extensions = ImageDialogFilter::Extensions(filter, index - 1);
    QStringList formats;
    for (const QString &extension : extensions) {
        const ImageFormat format = imageFormatForPath("x." + extension.toStdString());
        const QString key = QString::number(int(format));
        if (!formats.contains(key))
            formats << key;
    }
    if (formats.size() == 1 && engineWrites(extensions.constFirst()))
        return extensions.constFirst();
    return defaultExt;
}

QString TSaveImageDialog::WithExtension(const QString &fileName, const QString &extension)
{
    if (fileName.isEmpty() || extension.isEmpty())
        return fileName;
    const QString file = QFileInfo(fileName).fileName();
    if (file.isEmpty())
        return fileName;
    if (file.endsWith(QLatin1Char('.')))
        return fileName + extension;
    // A leading dot alone (".foto") is a name, not an extension.
    if (file.lastIndexOf(QLatin1Char('.')) > 0)
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

bool TSaveImageDialog::runOptions(QWidget *parent, SaveOptions &options)
{
    if (optionsRunner())
        return optionsRunner()(options);

    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveOptionsDialog"));
    dialog.setWindowTitle(QStringLiteral("Opções de gravação"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *jpeg = new QGroupBox(QStringLiteral("JPEG"), &dialog);
    auto *row = new QHBoxLayout(jpeg);
    row->addWidget(new QLabel(QStringLiteral("Qualidade:"), jpeg));
    auto *slider = new QSlider(Qt::Horizontal, jpeg);
    slider->setRange(1, 100);
    slider->setMinimumWidth(160);
    auto *spin = new QSpinBox(jpeg);
    spin->setObjectName(QStringLiteral("JpegQuality"));
    spin->setRange(1, 100);
    QObject::connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    QObject::connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    spin->setValue(std::clamp(options.jpegQuality, 1, 100));
    row->addWidget(slider, 1);
    row->addWidget(spin);
    layout->addWidget(jpeg);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options.jpegQuality = spin->value();
    return true;
}

bool TSaveImageDialog::EditOptions(QWidget *parent)
{
    SaveOptions edited = m_options;
    if (!runOptions(parent, edited))
        return false;
    SetOptions(edited);
    return true;
}

bool TSaveImageDialog::Execute()
{
    if (runner()) {
        if (!runner()(*this))
            return false;
        m_fileName = WithExtension(m_fileName, ExtensionFor(m_filter, m_filterIndex, m_defaultExt));
        return true;
    }

    const QStringList entries = ImageDialogFilter::ToEntries(m_filter);
    // Declared first: the dialog's listing thread uses it until the dialog is gone.
    ExtensionIconProvider icons;
    QFileDialog dialog(m_owner, m_title.isEmpty() ? QStringLiteral("Salvar como") : m_title, m_initialDir);
    dialog.setObjectName(QStringLiteral("SaveImageDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(entries);
    dialog.setIconProvider(&icons);
    const int start = (m_filterIndex >= 1 && m_filterIndex <= entries.size()) ? m_filterIndex : kBmpFilterIndex;
    if (start <= entries.size())
        dialog.selectNameFilter(entries.at(start - 1));
    // The dialog adds the suffix before it checks for an existing file, so
    // "foto" is asked about when "foto.bmp" is there.
    dialog.setDefaultSuffix(ExtensionFor(m_filter, start, m_defaultExt));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [this, &dialog, entries](const QString &f) {
        dialog.setDefaultSuffix(ExtensionFor(m_filter, int(entries.indexOf(f)) + 1, m_defaultExt));
    });
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);

    // Options edited here count only if the save goes ahead.
    SaveOptions pending = m_options;
    auto *optionsButton = new QPushButton(QStringLiteral("Opções..."), &dialog);
    optionsButton->setObjectName(QStringLiteral("OptionsButton"));
    optionsButton->setAutoDefault(false);
    if (auto *box = dialog.findChild<QDialogButtonBox *>())
        box->addButton(optionsButton, QDialogButtonBox::ActionRole);
    else if (dialog.layout())
        dialog.layout()->addWidget(optionsButton);
    QObject::connect(optionsButton, &QPushButton::clicked, &dialog,
                     [&dialog, &pending] { runOptions(&dialog, pending); });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const int chosen = int(entries.indexOf(dialog.selectedNameFilter())) + 1;
    if (chosen >= 1)
        m_filterIndex = chosen;
    SetOptions(pending);
    m_fileName = WithExtension(dialog.selectedFiles().constFirst(),
                               ExtensionFor(m_filter, m_filterIndex, m_defaultExt));
    return true;
}
