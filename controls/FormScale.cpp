#include "FormScale.h"

FormScaleResult FormScale::Compute(int clientWidth, int clientHeight, int outerWidth, int outerHeight,
                                   int screenWidth, int screenHeight, int dpi)
{
    FormScaleResult r;
    r.clientWidth = clientWidth;
    r.clientHeight = clientHeight;
    const int frameW = outerWidth - clientWidth;
    const int frameH = outerHeight - clientHeight;
    if (screenWidth > 0 && screenHeight > 0
        && (screenWidth != kDesignWidth || screenHeight != kDesignHeight)) {
        r.clientHeight = clientHeight * screenHeight / kDesignHeight;
        r.clientWidth = clientWidth * screenWidth / kDesignWidth;
        r.scaleContents = true;
        r.contentsNumerator = screenWidth;
        r.contentsDenominator = kDesignWidth;
    }
    r.outerWidth = r.clientWidth + frameW;
    r.outerHeight = r.clientHeight + frameH;
    if (dpi > 0 && dpi != kDesignDpi) {
        r.outerHeight = r.outerHeight * dpi / kDesignDpi;
        r.outerWidth = r.outerWidth * dpi / kDesignDpi;
    }
    return r;
}
