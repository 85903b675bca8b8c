#include "platform/components/Twips.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <cmath>

namespace pv
{

static int g_overrideTpp = 0;

int twipsPerPixel()
{
    if (g_overrideTpp > 0)
        return g_overrideTpp;
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QScreen *s = app->primaryScreen()) {
            const double dpi = s->logicalDotsPerInch();
            if (dpi > 0)
                return std::max(1, int(std::lround(1440.0 / dpi)));
        }
    }
    return 15;
}

void setTwipsPerPixel(int tpp)
{
    g_overrideTpp = tpp;
}

int twipsToPixels(double twips)
{
    return int(std::lround(twips / twipsPerPixel()));
}

int pixelsToTwips(int pixels)
{
    return pixels * twipsPerPixel();
}

void setTwipsResolution(QImage &img)
{
    const int dpm = int(std::lround(1440.0 / twipsPerPixel() / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
}

} // namespace pv
