#pragma once
// Pixel drawing on the controls' 32-bit surfaces, clipped to the image.
#include "platform/components/Export.h"

#include <QRgb>

class QImage;

namespace pv
{

// A one-pixel line that covers its first point and leaves out its last.
PV_COMPONENTS_EXPORT void drawLine(QImage &img, int x1, int y1, int x2, int y2, QRgb c);

} // namespace pv
