#include "controls/button/ButtonPaint.h"

namespace BrennavikBtn {

ButtonPaintResult RedrawButton(ButtonPaintState &s)
{
    ButtonPaintResult r;
    if (s.W > 0 && s.H > 0) {
        r.Image = QImage(s.W, s.H, QImage::Format_RGB32);
        r.Image.fill(0xF0F0F0);
    }
    return r;
}

QImage paintButton(ButtonPaintState &s) { return RedrawButton(s).Image; }

QRegion ButtonRegion(int, int w, int h) { return w > 0 && h > 0 ? QRegion(0, 0, w, h) : QRegion(); }

void ApplyStyleScheme(int, ButtonColorSet &) {}
void ApplyStyleColors(int, ButtonColorSet &) {}

OleColor TranslateColor(OleColor c) { return translateSystemColor(c); }

} // namespace BrennavikBtn
