#pragma once

#include <cstdarg>
#include <tiffio.h>

/**
 * Installs libtiff's process-wide error and warning handlers for one scope:
 * errors are captured (the last one is kept) instead of printed, warnings are
 * dropped. The destructor puts both previous handlers back, so a guard never
 * leaves the library writing into a dead object. Guards nest; the innermost
 * one captures. Used on the user-interface thread only.
 */
class TiffHandlerGuard
{
public:
    TiffHandlerGuard();
    ~TiffHandlerGuard();
    TiffHandlerGuard(const TiffHandlerGuard &) = delete;
    TiffHandlerGuard &operator=(const TiffHandlerGuard &) = delete;

    /** The last error libtiff reported in this scope ("" when none). */
    const char *lastError() const { return m_lastError; }
    bool hadError() const { return m_lastError[0] != '\0'; }

private:
    static void onError(const char *module, const char *format, va_list args);
    static void onWarning(const char *module, const char *format, va_list args);

    TIFFErrorHandler m_previousError = nullptr;
    TIFFErrorHandler m_previousWarning = nullptr;
    TiffHandlerGuard *m_outer = nullptr;
    // A fixed buffer: the handler runs inside libtiff's C frames and must not
    // allocate or throw.
    char m_lastError[256] = {};
};
