#include "TwainSource.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

namespace {
TwainSource::SelectRunner &selectRunner()
{
    static TwainSource::SelectRunner runner;
    return runner;
}
bool &progressDialogEnabled()
{
    static bool enabled = true;
    return enabled;
}

// The device list of our own: one line per device, the current choice
// selected; double-click or OK chooses.
bool runDeviceList(QWidget *parent, const std::vector<SaneDevice::Info> &devices, const QString &current,
                   QString &chosen)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DeviceListDialog"));
    dialog.setWindowTitle(QStringLiteral("Selecionar Captura TWAIN"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *caption = new QLabel(devices.empty() ? QString::fromUtf8(SaneDevice::kNoDevice)
                                               : QStringLiteral("Dispositivos de captura:"),
                               &dialog);
    layout->addWidget(caption);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("DeviceList"));
    list->setMinimumSize(380, 160);
    for (const SaneDevice::Info &device : devices) {
        auto *item = new QListWidgetItem(TwainSource::DeviceLabel(device), list);
        item->setData(Qt::UserRole, QString::fromStdString(device.name));
        if (QString::fromStdString(device.name) == current)
            list->setCurrentItem(item);
    }
    if (!list->currentItem() && list->count() > 0)
        list->setCurrentRow(0);
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(list->count() > 0);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);

    if (dialog.exec() != QDialog::Accepted || !list->currentItem())
        return false;
    chosen = list->currentItem()->data(Qt::UserRole).toString();
    return true;
}
} // namespace

// Shared between the GUI thread and the worker; the worker keeps its own
// reference, so the job outlives whichever side finishes first.
struct TwainSource::Job
{
    std::string deviceName;
    int resolution = 150;
    DeviceSetup setup;
    std::atomic<bool> cancel{false};
    SaneDevice::Progress progress;
    ImageStatus status;
    Picture24 picture;
    std::atomic<bool> done{false};
};

TwainSource::TwainSource(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

TwainSource::~TwainSource()
{
    // Acquire joins its worker before it returns, so nothing runs any more;
    // a pending job (object deleted from inside the wait) is told to stop.
    if (m_job)
        m_job->cancel = true;
}

void TwainSource::SetSelectRunner(SelectRunner runner)
{
    selectRunner() = std::move(runner);
}

void TwainSource::SetProgressDialogEnabled(bool enabled)
{
    progressDialogEnabled() = enabled;
}

QString TwainSource::DeviceLabel(const SaneDevice::Info &device)
{
    QString label = QString::fromStdString(device.vendor + " " + device.model).trimmed();
    if (!device.type.empty())
        label += QStringLiteral(" (%1)").arg(QString::fromStdString(device.type));
    return QStringLiteral("%1 - %2").arg(label, QString::fromStdString(device.name));
}

bool TwainSource::SelectSource(QWidget *parent)
{
    if (m_acquiring)
        return false;
    std::vector<SaneDevice::Info> devices;
    {
        // Network backends may take a few seconds to answer.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const ImageStatus status = SaneDevice::listDevices(devices);
        QApplication::restoreOverrideCursor();
        if (!status)
            devices.clear();
    }
    if (selectRunner())
        return selectRunner()(*this, devices);
    QString chosen;
    if (!runDeviceList(parent, devices, m_sourceName, chosen))
        return false;
    m_sourceName = chosen;
    return true;
}

void TwainSource::CancelAcquire()
{
    if (m_job)
        m_job->cancel = true;
}

ImageStatus TwainSource::Acquire(QWidget *parent, Picture24 &out)
{
    if (m_acquiring)
        return ImageStatus::failure(kBusy);
    m_acquiring = true;

    auto job = std::make_shared<Job>();
    job->deviceName = m_sourceName.toStdString();
    job->resolution = m_resolution;
    job->setup = m_setup;
    m_job = job;

    // The library is initialised here and shut down here, on this thread,
    // once the worker has finished: unloading the backends on the worker
    // while another thread forks can deadlock in the C library.
    const SaneDevice::Session session;

    QEventLoop loop;
    std::thread worker([job, &loop] {
        SaneDevice device;
        ImageStatus status = device.open(job->deviceName);
        if (status)
            status = device.prepareColourPicture(job->resolution);
        if (status && job->setup)
            status = job->setup(device);
        if (status)
            status = device.acquire(job->picture, &job->cancel, &job->progress);
        job->status = std::move(status);
        job->done = true;
        // The loop outlives this thread: Acquire joins before it returns.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    QPointer<TwainSource> self(this);
    QProgressDialog *dialog = nullptr;
    QTimer poll;
    if (progressDialogEnabled()) {
        dialog = new QProgressDialog(parent);
        dialog->setObjectName(QStringLiteral("CaptureProgress"));
        dialog->setWindowTitle(QStringLiteral("Captura TWAIN"));
        dialog->setLabelText(QString::fromUtf8(kProgressText));
        dialog->setCancelButtonText(QStringLiteral("Cancelar"));
        dialog->setRange(0, 0); // moving bar until the device tells the size
        dialog->setMinimumDuration(0);
        dialog->setMinimumWidth(320);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        // Stay up, and modal, until the worker has actually stopped.
        QObject::disconnect(dialog, &QProgressDialog::canceled, dialog, &QProgressDialog::cancel);
        QObject::connect(dialog, &QProgressDialog::canceled, dialog, [job, dialog] {
            job->cancel = true;
            dialog->setLabelText(QStringLiteral("Cancelando..."));
        });
        QObject::connect(&poll, &QTimer::timeout, dialog, [job, dialog] {
            const std::int64_t expected = job->progress.bytesExpected;
            if (expected <= 0 || job->cancel)
                return;
            if (dialog->maximum() != 1000)
                dialog->setRange(0, 1000);
            dialog->setValue(int(std::min<std::int64_t>(1000, job->progress.bytesRead * 1000 / expected)));
        });
        poll.start(100);
        dialog->show();
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
    emit AcquireStarted();
    // A quit delivered before exec() (say, while a slot of AcquireStarted
    // ran events) would be lost, hence the flag: the worker sets it first.
    if (!job->done)
        loop.exec();
    worker.join();
    QApplication::restoreOverrideCursor();
    poll.stop();
    delete dialog;

    ImageStatus status = job->status;
    if (status)
        out.swap(job->picture);
    if (self) {
        m_job.reset();
        m_acquiring = false;
        emit AcquireFinished(status.ok);
    }
    return status;
}
