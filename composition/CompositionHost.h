#pragma once

#include "CompositionHandOff.h"
#include "ImageStatus.h"
#include "Picture24.h"

#include <QString>

class TF_FILHO;

/**
 * What a composition window may ask of the window that hosts it. The
 * composition never includes the main window; it reaches the hand-off area,
 * the scratch image and the shared tools through this interface only.
 */
class CompositionHost
{
public:
    virtual ~CompositionHost() = default;

    virtual CompositionHandOff &HandOff() = 0;
    /** Name of hair category `code` (0..6): the category list's item. */
    virtual QString CategoryName(int code) const = 0;
    /** File name chosen in the open-photo dialog. */
    virtual QString OpenDialogFileName() const = 0;
    /** Decodes a hair file as GIF through the scratch image, at 24 bits. */
    virtual ImageStatus LoadHairThroughScratch(const QString &path, Picture24 &hair) = 0;
    /** Performs a click on the move tool, when it is enabled. */
    virtual void ClickMoveTool() = 0;
    virtual bool ZoomToolDown() const = 0;
    virtual bool LassoActive() const = 0;
    /** A composition is closing and is still counted among the open ones. */
    virtual void CompositionClosing(TF_FILHO *composition) = 0;
    /** Applies preset colour `number` (1 Amarelo .. 5 Normal) to a composition. */
    virtual void ApplyPreset(TF_FILHO *composition, int number) = 0;
    /** A composition stepped to another hair (Left and Right keys). */
    virtual void HairChanged(TF_FILHO *) {}
    /** Shows a message box; the text is translated first. */
    virtual void ShowMessage(const QString &text, const QString &caption) = 0;
    /** Shows a message about a file: the translated text, then the file's
     *  name, so the user knows which file it was. */
    virtual void ShowFileMessage(const QString &text, const QString &fileName, const QString &caption) = 0;
    /** "Bordas Suaves": soft hair edges and smooth fixing of a resize. */
    virtual bool SoftEdgesOn() const { return false; }
};
