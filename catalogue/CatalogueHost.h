#pragma once

#include <QString>

/**
 * What the catalogue browser may ask of the main window. The browser never
 * includes the main window; it reads the catalogue's place, sets the
 * category and hands a chosen hair or photo over through this interface.
 */
class CatalogueHost
{
public:
    virtual ~CatalogueHost() = default;

    /** The program folder, ending in "/". */
    virtual QString AppDir() const = 0;
    /** Root folder name of the current collection ("Quenda5", "Quenda42"). */
    virtual QString CatalogueFolder() const = 0;
    /** Category code "0".."6", or "7" after the photos page. */
    virtual QString HairType() const = 0;
    virtual void SetHairType(const QString &code) = 0;
    /** Folder name of hair category `code` (0..6). */
    virtual QString CategoryName(int code) const = 0;
    /** True when at least one composition window is open. */
    virtual bool HasComposition() const = 0;
    /** Opens a further composition with the active one's photo and this hair. */
    virtual void InsertHair(const QString &hairId) = 0;
    /** Opens a photo file as a new composition, as the open dialog would;
     *  a file that cannot be opened is reported and opens nothing. */
    virtual void OpenPhotoFromCatalogue(const QString &fileName) = 0;
    /** Performs a click on the move tool, when it is enabled. */
    virtual void ClickMoveTool() = 0;
    /** Shows a message box; the text is translated first. */
    virtual void ShowMessage(const QString &text, const QString &caption) = 0;
};
