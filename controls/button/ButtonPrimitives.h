#pragma once
// The drawing toolkit the style painters and the content layout share. Everything works
// straight on the control's image (QImage::Format_RGB32) so that the pixels are exactly
// the ones computed here, with no antialiasing in between.

#include "controls/button/ButtonPaint.h"

#include <array>
#include <cstdint>

namespace BrennavikBtn
{

// A design colour written #RRGGBB, as the 0x00BBGGRR value the control stores.
constexpr OleColor rgbHex(std::uint32_t rrggbb)
{
    return OleColor(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16));
}

QRgb toQRgb(OleColor c);
OleColor fromQRgb(QRgb c);

OleColor ShiftColor(OleColor c, float f);
OleColor MixColors(OleColor a, OleColor b);

const std::array<std::uint8_t, 256> &LighterTable();
const std::array<std::uint8_t, 256> &DarkerTable();

// Lines leave out their end point; rectangles are (left, top, right, bottom) exclusive;
// everything is clipped to the image.
void DrawButtonLine(QImage &img, int x1, int y1, int x2, int y2, OleColor c);
void DrawFrameRect(QImage &img, int x, int y, int w, int h, OleColor c);
void FillColorRect(QImage &img, OleColor c, const QRect &r);
void SetCornerPixels(QImage &img, OleColor c);
void DrawButtonGradient(QImage &img, int x, int y, int w, int h, OleColor a, OleColor b, int direction);

// The three-dimensional edges and the dotted focus rectangle of the desktop.
enum EdgeKind { EdgeRaised, EdgeRaisedInner, EdgeSunken };
void DrawEdge(QImage &img, const QRect &r, EdgeKind kind);
void DrawFocusRect(QImage &img, const QRect &r);

// The arrow of DropDownSymbol (right 4, up 5, down 6; other values by the first character
// of their decimal text) at the top left of rect.
void DrawDropDownSymbol(QImage &img, int value, const QRect &rect, OleColor textColor);

// How a picture is blended in the current state.
struct PictureBlend {
    int effect = epeNone; // enumPicEffect
    int opacity24 = 255;  // pixel opacity of a picture without alpha
    int opacity32 = 255;  // base opacity of a 32-bit picture
    bool grey = false;
    bool useMaskColor = true;
    OleColor maskColor = 0xE0E0E0;
};
PictureBlend pictureBlendFor(const ButtonPaintState &s, int state);

void BlendPicture24(QImage &img, int x, int y, int w, int h, const ButtonPicture &pic, OleColor key,
                    OleColor shadow, const PictureBlend &b);
void BlendPicture32(QImage &img, int x, int y, int w, int h, const ButtonPicture &pic, OleColor shadow,
                    const PictureBlend &b);
// The picture at rect's top-left corner, at its own size; shadow -1 for none.
void DrawButtonPicture(QImage &img, const ButtonPicture &pic, const QRect &rect, OleColor shadow,
                       const PictureBlend &b);
// Two offset silhouettes, then the picture itself.
void DrawPictureShadow(QImage &img, const ButtonPicture &pic, const QRect &rect, OleColor backColor,
                       const PictureBlend &b);

} // namespace BrennavikBtn
