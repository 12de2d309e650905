#include "ColourRecompute.h"

#include "EffectPlan.h"
#include "PixelEffects.h"
#include "TRasterBMP.h"

#include <cstring>

void ColourRecompute::Apply(const TRasterBMP &saved, TRasterBMP &work, const Settings &settings)
{
    if (&saved == &work)
        return;
    // Copying ByteCount bytes into a picture of another size would run past
    // its end, so the working picture follows the saved one's size.
    if (!work.SetDimensions(saved.Width(), saved.Height()) || work.IsEmpty())
        return;
    EffectPlan plan;
    if (settings.red != 0 || settings.green != 0 || settings.blue != 0)
        plan.addChannels(settings.red, settings.green, settings.blue);
    if (settings.lightness != 0)
        plan.addLightness(settings.lightness);
    if (settings.contrast != 0)
        plan.addContrast(settings.contrast);
    if (settings.saturation != 255)
        plan.addSaturation(settings.saturation);
    if (plan.isEmpty())
        std::memcpy(work.Bits(), saved.Bits(), static_cast<std::size_t>(saved.ByteCount()));
    else
        plan.applyFrom(saved, work);
    if (settings.sharpen != 0)
        SharpenAtDistance(work, settings.sharpen);
}
