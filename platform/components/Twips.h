#pragma once
// Designs place controls in twips (1/1440 inch). At 96 dpi that is 15 twips a pixel.
// One rule for the whole program: round to the nearest pixel, halves away from zero.
#include "platform/components/Export.h"

class QImage;

namespace pv
{

PV_COMPONENTS_EXPORT int twipsPerPixel();            // by the screen's logical dpi; 15 without a screen
PV_COMPONENTS_EXPORT void setTwipsPerPixel(int tpp); // for tests; 0 restores the screen's value
PV_COMPONENTS_EXPORT int twipsToPixels(double twips);
PV_COMPONENTS_EXPORT int pixelsToTwips(int pixels);

// Gives an image the screen's resolution by the twips rule, so that pictures drawn on it
// keep their size in twips.
PV_COMPONENTS_EXPORT void setTwipsResolution(QImage &img);

} // namespace pv
