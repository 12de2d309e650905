#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

/**
 * One scanner or camera reached through SANE: list the devices, open one,
 * set the few options a photograph needs, and acquire one picture into a
 * Picture24.
 *
 * The library stays initialised while any SaneDevice or Session lives
 * (reference counted for the whole process). SANE is not made for concurrent
 * calls: use a device, and list devices, from one thread at a time. The
 * device may live on a worker thread; only the cancel flag and the progress
 * counters are meant to be touched from elsewhere.
 *
 * Every failure comes back as an ImageStatus with a Portuguese message; the
 * library's own text, when there is one, goes to ImageStatus::detail.
 */
class SaneDevice
{
public:
    /** What the device list says about a device. */
    struct Info
    {
        std::string name;   ///< the name to open it by, e.g. "test:0"
        std::string vendor;
        std::string model;
        std::string type;   ///< "flatbed scanner", "virtual device", ...
    };

    /** Keeps SANE initialised while alive. The first session in the process
     *  initialises the library, the last one to go shuts it down. */
    class Session
    {
    public:
        Session();
        ~Session();
        Session(const Session &) = delete;
        Session &operator=(const Session &) = delete;
        bool ok() const { return m_status.ok; }
        const ImageStatus &status() const { return m_status; }

    private:
        ImageStatus m_status;
    };

    /** Counters of a running acquisition, readable from any thread. */
    struct Progress
    {
        std::atomic<std::int64_t> bytesRead{0};
        /** Bytes the whole picture should take; 0 while unknown. */
        std::atomic<std::int64_t> bytesExpected{0};
    };

    /** Messages of the capture (translated by the program like any other). */
    static constexpr const char *kNoSupport = "Captura não disponível neste sistema.";
    static constexpr const char *kInitFailed = "Não foi possível iniciar o sistema de captura.";
    static constexpr const char *kNoDevice = "Nenhum dispositivo de captura encontrado.";
    static constexpr const char *kUnknownDevice = "Dispositivo de captura não encontrado.";
    static constexpr const char *kOpenFailed = "Não foi possível abrir o dispositivo de captura.";
    static constexpr const char *kNotOpen = "Nenhum dispositivo de captura aberto.";
    static constexpr const char *kNoOption = "Opção do dispositivo de captura não disponível.";
    static constexpr const char *kBadValue = "Valor inválido para a opção do dispositivo de captura.";
    static constexpr const char *kScanFailed = "Falha na captura da imagem.";
    static constexpr const char *kCancelled = "Captura cancelada.";

    SaneDevice();
    ~SaneDevice();
    SaneDevice(const SaneDevice &) = delete;
    SaneDevice &operator=(const SaneDevice &) = delete;

    /** The devices SANE finds now (local and network ones). */
    static ImageStatus listDevices(std::vector<Info> &out);

    /** Opens a device by name; an empty name opens the first listed device.
     *  A device already open is closed first. */
    ImageStatus open(const std::string &name);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    /** Name of the open device (the first device's name when opened by ""). */
    const std::string &name() const { return m_name; }

    /** True when the device has an active option of this name. */
    bool hasOption(const std::string &option) const;
    /** Sets a text option; a value from the option's list matches without
     *  regard to case. */
    ImageStatus setStringOption(const std::string &option, const std::string &value);
    /** Sets an integer or fixed-point option, clamped and rounded to the
     *  option's range or to the nearest value of its list. */
    ImageStatus setNumberOption(const std::string &option, double value);
    ImageStatus setBoolOption(const std::string &option, bool value);
    /** The current value of a text, integer, fixed-point or boolean option,
     *  as text (numbers in decimal, booleans as "1"/"0"). */
    ImageStatus optionValue(const std::string &option, std::string &value) const;

    /** Asks for one colour picture at about `dpi` dots per inch, as far as the
     *  device has such options; options it lacks or refuses are left alone,
     *  since a picture at the device's own settings is better than none. */
    ImageStatus prepareColourPicture(int dpi = 150);

    /** Size the device announces for the next picture; height -1 when it
     *  does not know it in advance. */
    ImageStatus announcedSize(int &width, int &height) const;

    /**
     * Acquires one picture: every frame of it (three for three-pass colour
     * devices). `cancel`, when given, is checked before every read; once set,
     * the scan is stopped and kCancelled returned. `out` is replaced on
     * success only.
     */
    ImageStatus acquire(Picture24 &out, const std::atomic<bool> *cancel = nullptr,
                        Progress *progress = nullptr);

private:
    int findOption(const std::string &option) const;
    ImageStatus applyValue(int index, void *value);

    Session m_session;
    void *m_handle = nullptr;
    std::string m_name;
};
