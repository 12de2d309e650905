#pragma once

#include "ImageStatus.h"
#include "Picture24.h"
#include "SaneDevice.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

/**
 * The capture component of the main window: chooses a scanner or camera from
 * a list of ours and acquires one picture from it.
 *
 * Acquisition runs on a worker thread while a modal progress dialog with a
 * Cancel button keeps the windows painted; Acquire returns only when the
 * picture is in (or the capture failed or was cancelled). The chosen device
 * is remembered by this object for the rest of the run; with none chosen the
 * first device found is used.
 *
 * For tests and scripted runs the device list can be replaced by a
 * SelectRunner and the progress dialog switched off; a DeviceSetup hook
 * lets a caller set device options on the worker thread before the scan.
 */
class TwainSource : public QObject
{
    Q_OBJECT

public:
    /** Replaces the device list dialog: receives the devices found, returns
     *  true when one was chosen (and set it with SetSourceName). */
    using SelectRunner = std::function<bool(TwainSource &, const std::vector<SaneDevice::Info> &)>;
    /** Runs on the worker thread on the opened device, after the picture
     *  options are set; a failure ends the capture with that status. */
    using DeviceSetup = std::function<ImageStatus(SaneDevice &)>;

    /** Caption of the progress dialog's text while a picture comes in. */
    static constexpr const char *kProgressText = "Capturando imagem...";
    static constexpr const char *kBusy = "Uma captura já está em andamento.";

    TwainSource(const QString &name, QObject *parent);
    ~TwainSource() override;

    /** Device name chosen for this run; empty: the first device found. */
    QString SourceName() const { return m_sourceName; }
    void SetSourceName(const QString &name) { m_sourceName = name; }
    /** Dots per inch asked of the device (when it has such a setting). */
    int Resolution() const { return m_resolution; }
    void SetResolution(int dpi) { m_resolution = dpi; }

    /** Shows the list of devices and remembers the one chosen. False when
     *  the user cancelled or there is nothing to choose. */
    bool SelectSource(QWidget *parent);
    /** Acquires one picture from the chosen device. `out` is replaced on
     *  success only; a cancelled capture is a failure (kCancelled). */
    ImageStatus Acquire(QWidget *parent, Picture24 &out);
    bool Acquiring() const { return m_acquiring; }

    void SetDeviceSetup(DeviceSetup setup) { m_setup = std::move(setup); }

    static void SetSelectRunner(SelectRunner runner);
    /** Off: Acquire waits in an event loop of its own without showing the
     *  progress dialog (CancelAcquire still works). On by default. */
    static void SetProgressDialogEnabled(bool enabled);

    /** One line of the device list: "vendor model (type) - name". */
    static QString DeviceLabel(const SaneDevice::Info &device);

public slots:
    /** Asks a running capture to stop; Acquire then returns kCancelled. */
    void CancelAcquire();

signals:
    /** The worker runs; emitted on the GUI thread before Acquire waits. */
    void AcquireStarted();
    /** Acquire is about to return. */
    void AcquireFinished(bool ok);

private:
    struct Job;

    QString m_sourceName;
    int m_resolution = 150;
    DeviceSetup m_setup;
    bool m_acquiring = false;
    std::shared_ptr<Job> m_job;
};
