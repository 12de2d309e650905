#include "SaneDevice.h"

#include "SaneFrameAssembler.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#if QUENDA_HAVE_SANE
#include <sane/sane.h>

namespace {
std::mutex &sessionMutex()
{
    static std::mutex m;
    return m;
}
int &sessionCount()
{
    static int count = 0;
    return count;
}

bool equalsNoCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
                  return std::tolower(x) == std::tolower(y);
              });
}

bool containsNoCase(const std::string &text, const std::string &part)
{
    std::string t = text;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return t.find(part) != std::string::npos;
}

constexpr const char *kBadData = "Formato de dados do dispositivo não suportado.";


ImageStatus failed(const char *message, SANE_Status status, const std::string &context = {})
{
    std::string detail = sane_strstatus(status);
    if (!context.empty())
        detail = context + ": " + detail;
    return ImageStatus::failure(message, detail);
}

SANE_Handle handleOf(void *handle)
{
    return static_cast<SANE_Handle>(handle);
}
} // namespace

SaneDevice::Session::Session()
{
    std::lock_guard lock(sessionMutex());
    if (sessionCount() == 0) {
        SANE_Int version = 0;
        const SANE_Status status = sane_init(&version, nullptr);
        if (status != SANE_STATUS_GOOD) {
            m_status = failed(kInitFailed, status);
            return;
        }
    }
    ++sessionCount();
}

SaneDevice::Session::~Session()
{
    if (!m_status.ok)
        return;
    std::lock_guard lock(sessionMutex());
    if (--sessionCount() == 0)
        sane_exit();
}

SaneDevice::SaneDevice() = default;

SaneDevice::~SaneDevice()
{
    close();
}

ImageStatus SaneDevice::listDevices(std::vector<Info> &out)
{
    Session session;
    if (!session.ok())
        return session.status();
    const SANE_Device **devices = nullptr;
    const SANE_Status status = sane_get_devices(&devices, SANE_FALSE);
    if (status != SANE_STATUS_GOOD)
        return failed(kNoDevice, status);
    std::vector<Info> list;
    // The list belongs to the library and lives only until the next call.
    for (const SANE_Device **d = devices; d && *d; ++d) {
        auto text = [](SANE_String_Const s) { return s ? std::string(s) : std::string(); };
        list.push_back({text((*d)->name), text((*d)->vendor), text((*d)->model), text((*d)->type)});
    }
    out.swap(list);
    return ImageStatus::success();
}

ImageStatus SaneDevice::open(const std::string &name)
{
    close();
    if (!m_session.ok())
        return m_session.status();
    std::string target = name;
    if (target.empty()) {
        std::vector<Info> devices;
        if (ImageStatus status = listDevices(devices); !status)
            return status;
        if (devices.empty())
            return ImageStatus::failure(kNoDevice);
        target = devices.front().name;
    }
    SANE_Handle handle = nullptr;
    const SANE_Status status = sane_open(target.c_str(), &handle);
    if (status != SANE_STATUS_GOOD || !handle) {
        // The library answers "invalid" for an unknown device and
        // "unsupported" for a name no backend claims.
        const bool unknown = status == SANE_STATUS_INVAL || status == SANE_STATUS_UNSUPPORTED;
        return failed(unknown ? kUnknownDevice : kOpenFailed, status, target);
    }
    m_handle = handle;
    m_name = target;
    return ImageStatus::success();
}

void SaneDevice::close()
{
    if (m_handle)
        sane_close(handleOf(m_handle));
    m_handle = nullptr;
    m_name.clear();
}

int SaneDevice::findOption(const std::string &option) const
{
    if (!m_handle)
        return -1;
    SANE_Int count = 0;
    if (sane_control_option(handleOf(m_handle), 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor *d = sane_get_option_descriptor(handleOf(m_handle), i);
        if (d && d->name && option == d->name)
            return i;
    }
    return -1;
}

bool SaneDevice::hasOption(const std::string &option) const
{
    const int index = findOption(option);
    if (index < 0)
        return false;
    const SANE_Option_Descriptor *d = sane_get_option_descriptor(handleOf(m_handle), index);
    return d && SANE_OPTION_IS_ACTIVE(d->cap);
}

ImageStatus SaneDevice::applyValue(int index, void *value)
{
    SANE_Int info = 0;
    const SANE_Status status = sane_control_option(handleOf(m_handle), index, SANE_ACTION_SET_VALUE, value, &info);
    if (status != SANE_STATUS_GOOD)
        return failed(kBadValue, status);
    return ImageStatus::success();
}

namespace {
// The descriptor of a settable option, or the reason there is none.
const SANE_Option_Descriptor *settable(void *handle, int index, const std::string &option, ImageStatus &status)
{
    if (!handle) {
        status = ImageStatus::failure(SaneDevice::kNotOpen);
        return nullptr;
    }
    const SANE_Option_Descriptor *d = index < 0 ? nullptr : sane_get_option_descriptor(handleOf(handle), index);
    if (!d) {
        status = ImageStatus::failure(SaneDevice::kNoOption, option + ": no such option");
        return nullptr;
    }
    if (!SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap)) {
        status = ImageStatus::failure(SaneDevice::kNoOption, option + ": inactive or read-only");
        return nullptr;
    }
    return d;
}
} // namespace

ImageStatus SaneDevice::setStringOption(const std::string &option, const std::string &value)
{
    ImageStatus status;
    const int index = findOption(option);
    const SANE_Option_Descriptor *d = settable(m_handle, index, option, status);
    if (!d)
        return status;
    if (d->type != SANE_TYPE_STRING || d->size <= 0)
        return ImageStatus::failure(kBadValue, option + ": not a text option");
    std::string chosen = value;
    if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
        const SANE_String_Const *entry = d->constraint.string_list;
        while (entry && *entry && !equalsNoCase(*entry, value))
            ++entry;
        if (!entry || !*entry)
            return ImageStatus::failure(kBadValue, option + ": no value \"" + value + "\"");
        chosen = *entry;
    }
    if (chosen.size() + 1 > std::size_t(d->size))
        return ImageStatus::failure(kBadValue, option + ": value too long");
    std::vector<char> buffer(std::size_t(d->size), '\0');
    std::memcpy(buffer.data(), chosen.c_str(), chosen.size() + 1);
    return applyValue(index, buffer.data());
}

ImageStatus SaneDevice::setNumberOption(const std::string &option, double value)
{
    ImageStatus status;
    const int index = findOption(option);
    const SANE_Option_Descriptor *d = settable(m_handle, index, option, status);
    if (!d)
        return status;
    if ((d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED) || d->size != SANE_Int(sizeof(SANE_Word)))
        return ImageStatus::failure(kBadValue, option + ": not a single number");
    if (!std::isfinite(value))
        return ImageStatus::failure(kBadValue, option + ": not a number");
    const bool fixed = d->type == SANE_TYPE_FIXED;
    auto toDouble = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : double(w); };
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        const double lo = toDouble(d->constraint.range->min);
        const double hi = toDouble(d->constraint.range->max);
        const double quant = toDouble(d->constraint.range->quant);
        value = std::clamp(value, lo, hi);
        if (quant > 0)
            value = std::clamp(lo + std::round((value - lo) / quant) * quant, lo, hi);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list
               && d->constraint.word_list[0] > 0) {
        const SANE_Word *list = d->constraint.word_list;
        double best = toDouble(list[1]);
        for (SANE_Int i = 2; i <= list[0]; ++i) {
            if (std::abs(toDouble(list[i]) - value) < std::abs(best - value))
                best = toDouble(list[i]);
        }
        value = best;
    }
    // The range check above keeps the value inside what a word can hold only
    // for constrained options; an unconstrained one is clamped here.
    const double limit = fixed ? 32767.0 : 2147483647.0;
    value = std::clamp(value, -limit, limit);
    SANE_Word word = fixed ? SANE_FIX(value) : SANE_Word(std::lround(value));
    return applyValue(index, &word);
}

ImageStatus SaneDevice::setBoolOption(const std::string &option, bool value)
{
    ImageStatus status;
    const int index = findOption(option);
    const SANE_Option_Descriptor *d = settable(m_handle, index, option, status);
    if (!d)
        return status;
    if (d->type != SANE_TYPE_BOOL)
        return ImageStatus::failure(kBadValue, option + ": not a yes/no option");
    SANE_Word word = value ? SANE_TRUE : SANE_FALSE;
    return applyValue(index, &word);
}

ImageStatus SaneDevice::optionValue(const std::string &option, std::string &value) const
{
    if (!m_handle)
        return ImageStatus::failure(kNotOpen);
    const int index = findOption(option);
    const SANE_Option_Descriptor *d = index < 0 ? nullptr : sane_get_option_descriptor(handleOf(m_handle), index);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap))
        return ImageStatus::failure(kNoOption, option);
    std::vector<unsigned char> buffer(std::max<std::size_t>(std::size_t(std::max(d->size, 0)), sizeof(SANE_Word)) + 1, 0);
    const SANE_Status status = sane_control_option(handleOf(m_handle), index, SANE_ACTION_GET_VALUE, buffer.data(), nullptr);
    if (status != SANE_STATUS_GOOD)
        return failed(kBadValue, status, option);
    SANE_Word word;
    std::memcpy(&word, buffer.data(), sizeof word);
    switch (d->type) {
    case SANE_TYPE_STRING:
        value = reinterpret_cast<const char *>(buffer.data());
        break;
    case SANE_TYPE_BOOL:
        value = word ? "1" : "0";
        break;
    case SANE_TYPE_INT:
        value = std::to_string(word);
        break;
    case SANE_TYPE_FIXED: {
        char text[32];
        std::snprintf(text, sizeof text, "%g", SANE_UNFIX(word));
        value = text;
        break;
    }
    default:
        return ImageStatus::failure(kBadValue, option + ": no value to read");
    }
    return ImageStatus::success();
}

ImageStatus SaneDevice::prepareColourPicture(int dpi)
{
    if (!m_handle)
        return ImageStatus::failure(kNotOpen);
    const int mode = findOption("mode");
    const SANE_Option_Descriptor *d = mode < 0 ? nullptr : sane_get_option_descriptor(handleOf(m_handle), mode);
    if (d && d->type == SANE_TYPE_STRING && d->constraint_type == SANE_CONSTRAINT_STRING_LIST
        && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap)) {
        // Backends name their colour mode in their own words ("Color",
        // "24bit Color", "Colour"); the standard word wins when present.
        std::string colour;
        for (const SANE_String_Const *entry = d->constraint.string_list; entry && *entry; ++entry) {
            if (equalsNoCase(*entry, "Color")) {
                colour = *entry;
                break;
            }
            if (colour.empty() && (containsNoCase(*entry, "color") || containsNoCase(*entry, "colour")))
                colour = *entry;
        }
        if (!colour.empty())
            (void)setStringOption("mode", colour);
    }
    if (dpi > 0 && hasOption("resolution"))
        (void)setNumberOption("resolution", dpi);
    return ImageStatus::success();
}

ImageStatus SaneDevice::announcedSize(int &width, int &height) const
{
    if (!m_handle)
        return ImageStatus::failure(kNotOpen);
    SANE_Parameters p{};
    const SANE_Status status = sane_get_parameters(handleOf(m_handle), &p);
    if (status != SANE_STATUS_GOOD)
        return failed(kScanFailed, status);
    width = p.pixels_per_line;
    height = p.lines > 0 ? p.lines : -1;
    return ImageStatus::success();
}

ImageStatus SaneDevice::acquire(Picture24 &out, const std::atomic<bool> *cancel, Progress *progress)
{
    if (!m_handle)
        return ImageStatus::failure(kNotOpen);
    SANE_Handle handle = handleOf(m_handle);
    auto cancelled = [cancel] { return cancel && cancel->load(); };
    // Every way out of a started scan ends it, so the device is ready for
    // the next one.
    auto stop = [handle](ImageStatus status) {
        sane_cancel(handle);
        return status;
    };
    if (progress) {
        progress->bytesRead = 0;
        progress->bytesExpected = 0;
    }

    SaneFrameAssembler assembler;
    std::vector<SANE_Byte> buffer(64 * 1024);
    bool lastFrame = false;
    while (!lastFrame) {
        if (cancelled())
            return stop(ImageStatus::failure(kCancelled));
        SANE_Status status = sane_start(handle);
        if (status == SANE_STATUS_CANCELLED)
            return stop(ImageStatus::failure(kCancelled));
        if (status != SANE_STATUS_GOOD)
            return stop(failed(kScanFailed, status, m_name));
        SANE_Parameters p{};
        status = sane_get_parameters(handle, &p);
        if (status != SANE_STATUS_GOOD)
            return stop(failed(kScanFailed, status, m_name));

        SaneFrameAssembler::Layout layout;
        switch (p.format) {
        case SANE_FRAME_GRAY: layout.kind = SaneFrameAssembler::Kind::Gray; break;
        case SANE_FRAME_RGB: layout.kind = SaneFrameAssembler::Kind::Rgb; break;
        case SANE_FRAME_RED: layout.kind = SaneFrameAssembler::Kind::Red; break;
        case SANE_FRAME_GREEN: layout.kind = SaneFrameAssembler::Kind::Green; break;
        case SANE_FRAME_BLUE: layout.kind = SaneFrameAssembler::Kind::Blue; break;
        default:
            return stop(ImageStatus::failure(kBadData, "frame format " + std::to_string(int(p.format))));
        }
        layout.depth = p.depth;
        layout.pixelsPerLine = p.pixels_per_line;
        layout.bytesPerLine = p.bytes_per_line;
        layout.lines = p.lines;
        // A band device that never calls a frame its last would scan forever.
        if (assembler.frames() >= 3)
            return stop(ImageStatus::failure(kBadData, "more than three frames"));
        if (ImageStatus begun = assembler.beginFrame(layout); !begun)
            return stop(begun);
        if (progress && assembler.frames() == 1 && p.lines > 0) {
            const int frames = layout.kind == SaneFrameAssembler::Kind::Gray
                                       || layout.kind == SaneFrameAssembler::Kind::Rgb
                                   ? 1
                                   : 3;
            progress->bytesExpected = std::int64_t(p.lines) * p.bytes_per_line * frames;
        }

        for (;;) {
            if (cancelled())
                return stop(ImageStatus::failure(kCancelled));
            SANE_Int length = 0;
            status = sane_read(handle, buffer.data(), SANE_Int(buffer.size()), &length);
            // Some backends hand over their last bytes together with EOF.
            if ((status == SANE_STATUS_GOOD || status == SANE_STATUS_EOF) && length > 0) {
                if (ImageStatus fed = assembler.feed(buffer.data(), std::size_t(length)); !fed)
                    return stop(fed);
                if (progress)
                    progress->bytesRead += length;
            }
            if (status == SANE_STATUS_EOF)
                break;
            if (status == SANE_STATUS_CANCELLED)
                return stop(ImageStatus::failure(kCancelled));
            if (status != SANE_STATUS_GOOD)
                return stop(failed(kScanFailed, status, m_name));
            if (length == 0)
                std::this_thread::yield();
        }
        assembler.endFrame();
        lastFrame = p.last_frame;
    }
    sane_cancel(handle);

    Picture24 picture;
    if (ImageStatus finished = assembler.finish(picture); !finished)
        return finished;
    out.swap(picture);
    return ImageStatus::success();
}

#else // no SANE on this system: capture reports that it is unavailable

SaneDevice::Session::Session() : m_status(ImageStatus::failure(kNoSupport)) {}
SaneDevice::Session::~Session() = default;
SaneDevice::SaneDevice() = default;
SaneDevice::~SaneDevice() = default;
ImageStatus SaneDevice::listDevices(std::vector<Info> &out)
{
    out.clear();
    return ImageStatus::failure(kNoSupport);
}
ImageStatus SaneDevice::open(const std::string &) { return ImageStatus::failure(kNoSupport); }
void SaneDevice::close() {}
int SaneDevice::findOption(const std::string &) const { return -1; }
bool SaneDevice::hasOption(const std::string &) const { return false; }
ImageStatus SaneDevice::applyValue(int, void *) { return ImageStatus::failure(kNoSupport); }
ImageStatus SaneDevice::setStringOption(const std::string &, const std::string &) { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::setNumberOption(const std::string &, double) { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::setBoolOption(const std::string &, bool) { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::optionValue(const std::string &, std::string &) const { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::prepareColourPicture(int) { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::announcedSize(int &, int &) const { return ImageStatus::failure(kNotOpen); }
ImageStatus SaneDevice::acquire(Picture24 &, const std::atomic<bool> *, Progress *)
{
    return ImageStatus::failure(kNotOpen);
}

#endif
