#include "TiffHandlerGuard.h"

#include <cstdio>

namespace {
TiffHandlerGuard *g_current = nullptr;
}

TiffHandlerGuard::TiffHandlerGuard() : m_outer(g_current)
{
    m_previousError = TIFFSetErrorHandler(&TiffHandlerGuard::onError);
    m_previousWarning = TIFFSetWarningHandler(&TiffHandlerGuard::onWarning);
    g_current = this;
}

TiffHandlerGuard::~TiffHandlerGuard()
{
    TIFFSetErrorHandler(m_previousError);
    TIFFSetWarningHandler(m_previousWarning);
    g_current = m_outer;
}

void TiffHandlerGuard::onError(const char *module, const char *format, va_list args)
{
    if (!g_current)
        return;
    char text[192];
    std::vsnprintf(text, sizeof text, format, args);
    if (module && *module)
        std::snprintf(g_current->m_lastError, sizeof g_current->m_lastError, "%.60s: %s", module, text);
    else
        std::snprintf(g_current->m_lastError, sizeof g_current->m_lastError, "%s", text);
}

void TiffHandlerGuard::onWarning(const char *, const char *, va_list)
{
}
