#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

/**
 * The toolbar's glyphs, drawn rather than shipped as files so they stay
 * sharp at any scale: each is painted on a 24 x 24 grid for the item name
 * it belongs to (BT_Abrir, BT_CC, ...).
 */
class ToolbarGlyphs
{
public:
    static QIcon Glyph(const QString &itemName);
    static QPixmap Picture(const QString &itemName, int size = 24);
};
