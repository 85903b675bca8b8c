#pragma once
// Placing and drawing what lies on the face: picture, its shadow, caption and its effect,
// drop-down separator and symbol.

#include "controls/button/ButtonPaint.h"

namespace BrennavikBtn
{

struct ContentRects {
    QRect CaptionRect;
    QRect PictureRect;
    QRect DropDownRect;
};

// The font as drawn: the design's face names mapped to installed fonts of the same
// metrics, the size in points turned into pixels at 96 dots per inch.
QFont buttonDrawingFont(const QFont &designFont);

// Lays out and draws the content for the state the painter paints. s.PictureRect is kept
// as it was while PictureNormal is empty.
ContentRects LayoutAndDrawContent(QImage &img, ButtonPaintState &s, int state);

} // namespace BrennavikBtn
