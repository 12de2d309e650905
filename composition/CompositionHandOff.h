#pragma once

#include <QString>

/**
 * The main window's hand-off area: a command sets exactly one of the four
 * flags and the data, creates a composition window, and clears the flag;
 * the new window builds itself from these fields while it is created.
 */
struct CompositionHandOff
{
    QString AppDir;                          ///< program folder, ending in "/"
    QString CatalogueFolder = QStringLiteral("Quenda5");
    QString HairType = QStringLiteral("0");  ///< "0".."6", or "7" after the photos page
    int CaptureCount = 0;                    ///< photos taken from the clipboard so far
    bool ClosingAll = false;
    bool FromFile = false;
    bool FromClipboard = false;
    bool InsertPending = false;
    bool ReplayPending = false;
    QString PendingHairId;
    QString SourcePhotoFile;
    int SourceViewX = 0;
    int SourceViewY = 0;
    int SourceZoom = 0;
    int SourceHairLeft = 0;
    int SourceHairTop = 0;
    int CopyNumber = 0;
};
