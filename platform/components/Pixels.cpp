#include "platform/components/Pixels.h"

#include <QImage>
#include <cstdlib>

namespace pv
{

void drawLine(QImage &img, int x1, int y1, int x2, int y2, QRgb c)
{
    const int w = img.width(), h = img.height();
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            reinterpret_cast<QRgb *>(img.scanLine(y))[x] = c;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace pv
