#include "controls/button/ButtonPrimitives.h"

#include "platform/components/Pixels.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace BrennavikBtn
{

namespace
{

// Channels as the colour routines split them: the 32-bit value divided with truncation,
// so that -1 (an untranslatable colour) reads as red 255, green 0, blue 0.
struct Channels {
    int r, g, b;
};
Channels split(OleColor c)
{
    return {c & 255, (c / 256) & 255, (c / 65536) & 255};
}
OleColor join(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

// Nearest integer, halves to the even neighbour (the default rounding mode).
int roundEven(double v)
{
    return int(std::lrint(v));
}

bool inside(const QImage &img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height();
}

void put(QImage &img, int x, int y, QRgb c)
{
    if (inside(img, x, y))
        reinterpret_cast<QRgb *>(img.scanLine(y))[x] = c;
}

QRgb get(const QImage &img, int x, int y)
{
    return reinterpret_cast<const QRgb *>(img.constScanLine(y))[x];
}

std::array<std::uint8_t, 256> buildTable(bool lighter)
{
    std::array<std::uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v)
        t[v] = std::uint8_t(lighter ? std::min(255, v * 293 / 255) : v * 217 / 255);
    return t;
}

int blend(int f, int s, int bg)
{
    return (f * s + (255 - f) * bg) / 256;
}

} // namespace

QRgb toQRgb(OleColor c)
{
    return 0xFF000000u | (QRgb(c & 0xFF) << 16) | (QRgb(c) & 0xFF00) | ((QRgb(c) >> 16) & 0xFF);
}

OleColor fromQRgb(QRgb c)
{
    return join(qRed(c), qGreen(c), qBlue(c));
}

OleColor TranslateColor(OleColor c)
{
    const auto u = std::uint32_t(c);
    switch (u >> 24) {
    case 0x00:
    case 0x02: // a palette-relative RGB
        return OleColor(u & 0xFFFFFF);
    case 0x80: {
        const std::uint32_t n = u & 0xFFFFFF;
        return n <= 30 ? sysColor(int(n)) : -1;
    }
    default:
        return -1;
    }
}

OleColor ShiftColor(OleColor c, float f)
{
    const Channels ch = split(c);
    // 255 × f in double from the single-precision f: 0.1f gives 25.5000004, never a tie.
    const double d = 255.0 * double(f);
    auto shift = [&](int v) {
        int r = roundEven(v + d);
        if (f > 0)
            r = std::min(r, 255);
        else
            r = std::max(r, 0);
        return r;
    };
    return join(shift(ch.r), shift(ch.g), shift(ch.b));
}

OleColor MixColors(OleColor a, OleColor b)
{
    const Channels x = split(a), y = split(b);
    auto mix = [](int p, int q) { return roundEven((p + q) / 2.0); };
    return join(mix(x.r, y.r), mix(x.g, y.g), mix(x.b, y.b));
}

const std::array<std::uint8_t, 256> &LighterTable()
{
    static const auto t = buildTable(true);
    return t;
}

const std::array<std::uint8_t, 256> &DarkerTable()
{
    static const auto t = buildTable(false);
    return t;
}

void DrawButtonLine(QImage &img, int x1, int y1, int x2, int y2, OleColor c)
{
    pv::drawLine(img, x1, y1, x2, y2, toQRgb(c));
}

void FillColorRect(QImage &img, OleColor c, const QRect &r)
{
    const QRect clip = r.intersected(img.rect());
    if (clip.isEmpty())
        return;
    const QRgb px = toQRgb(c);
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        std::fill(line + clip.left(), line + clip.right() + 1, px);
    }
}

void DrawFrameRect(QImage &img, int x, int y, int w, int h, OleColor c)
{
    if (w <= 0 || h <= 0)
        return;
    FillColorRect(img, c, QRect(x, y, w, 1));
    FillColorRect(img, c, QRect(x, y + h - 1, w, 1));
    FillColorRect(img, c, QRect(x, y, 1, h));
    FillColorRect(img, c, QRect(x + w - 1, y, 1, h));
}

void SetCornerPixels(QImage &img, OleColor c)
{
    const int W = img.width(), H = img.height();
    const QRgb px = toQRgb(c);
    put(img, 1, 1, px);
    put(img, 1, H - 2, px);
    put(img, W - 2, 1, px);
    put(img, W - 2, H - 2, px);
}

void DrawButtonGradient(QImage &img, int x, int y, int w, int h, OleColor a, OleColor b, int direction)
{
    if (w <= 0 || h <= 0)
        return;
    const Channels A = split(a), B = split(b);
    const int dR = B.r - A.r, dG = B.g - A.g, dB = B.b - A.b;
    int n = 0;
    switch (direction) {
    case gdHorizontal:
        n = w - 1;
        break;
    case gdVertical:
        n = h - 1;
        break;
    default:
        n = w + h - 2;
        break;
    }
    std::vector<QRgb> ramp(std::size_t(n) + 1);
    if (n > 0) {
        for (int i = 0; i <= n; ++i)
            ramp[std::size_t(i)] = qRgb(A.r + i * dR / n, A.g + i * dG / n, A.b + i * dB / n);
    } else {
        // One step: half of each end, each half truncated.
        ramp[0] = qRgb(B.r / 2 + A.r / 2, B.g / 2 + A.g / 2, B.b / 2 + A.b / 2);
    }
    // Only the part inside the image shows; the ramp still spans the whole rectangle. Along
    // a row the ramp's index grows by one pixel by pixel (or stays, for a vertical one), so
    // each row is one run of the ramp.
    const QRect clip = QRect(x, y, w, h).intersected(img.rect());
    if (clip.isEmpty())
        return;
    for (int py = clip.top(); py <= clip.bottom(); ++py) {
        const int r = py - y;
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(py)) + clip.left();
        const int c0 = clip.left() - x;
        if (direction == gdVertical) {
            std::fill(line, line + clip.width(), ramp[std::size_t(r)]);
            continue;
        }
        const int first = direction == gdHorizontal       ? c0
                          : direction == gdUpwardDiagonal ? (h - 1 - r) + c0
                                                          : r + c0;
        std::copy_n(ramp.begin() + first, clip.width(), line);
    }
}

void DrawEdge(QImage &img, const QRect &r, EdgeKind kind)
{
    // One ring: the top and left sides in the first colour, the bottom and right sides in
    // the second, which also owns the top-right and bottom-left corner pixels.
    auto ring = [&img](const QRect &q, int topLeft, int bottomRight) {
        if (q.width() <= 0 || q.height() <= 0)
            return;
        const OleColor tl = sysColor(topLeft), br = sysColor(bottomRight);
        FillColorRect(img, tl, QRect(q.left(), q.top(), q.width() - 1, 1));
        FillColorRect(img, tl, QRect(q.left(), q.top(), 1, q.height() - 1));
        FillColorRect(img, br, QRect(q.left(), q.bottom(), q.width(), 1));
        FillColorRect(img, br, QRect(q.right(), q.top(), 1, q.height()));
    };
    const QRect inner = r.adjusted(1, 1, -1, -1);
    switch (kind) {
    case EdgeRaised:
        ring(r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        ring(inner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        break;
    case EdgeRaisedInner:
        ring(r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        break;
    case EdgeSunken:
        ring(r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        ring(inner, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        break;
    }
}

void DrawFocusRect(QImage &img, const QRect &r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Every other pixel of the ring inverted; each pixel of the ring visited once.
    auto invert = [&img](int x, int y) {
        if (inside(img, x, y) && ((x + y) & 1) == 0)
            put(img, x, y, get(img, x, y) ^ 0x00FFFFFFu);
    };
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    for (int x = l; x <= rr; ++x) {
        invert(x, t);
        if (b != t)
            invert(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        invert(l, y);
        if (rr != l)
            invert(rr, y);
    }
}

void DrawDropDownSymbol(QImage &img, int value, const QRect &rect, OleColor textColor)
{
    const QString digits = QString::number(value);
    if (digits.isEmpty())
        return;
    const QChar ch = digits.at(0);
    const QRgb px = toQRgb(textColor);
    auto dot = [&](int x, int y) {
        if (rect.contains(x, y))
            put(img, x, y, px);
    };
    // The arrows of the symbol font at 14 pixels: a triangle of 7, 5, 3, 1 pixels whose
    // middle lies on column 7 and row 7 of the glyph cell.
    const int cx = rect.left() + 7, cy = rect.top() + 7;
    switch (ch.unicode()) {
    case '4': // right
        for (int j = 0; j < 4; ++j)
            for (int y = cy - 3 + j; y <= cy + 3 - j; ++y)
                dot(cx - 2 + j, y);
        return;
    case '5': // up
        for (int i = 0; i < 4; ++i)
            for (int x = cx - i; x <= cx + i; ++x)
                dot(x, cy - 2 + i);
        return;
    case '6': // down
        for (int i = 0; i < 4; ++i)
            for (int x = cx - 3 + i; x <= cx + 3 - i; ++x)
                dot(x, cy - 2 + i);
        return;
    default:
        break;
    }
    // No symbol font here: any other character shows as itself.
    QPainter p(&img);
    p.setClipRect(rect);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(QColor::fromRgb(px));
    p.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString(ch));
}

PictureBlend pictureBlendFor(const ButtonPaintState &s, int state)
{
    PictureBlend b;
    b.effect = state == eStateOver   ? s.PictureEffectOnOver
               : state == eStateDown ? s.PictureEffectOnDown
                                     : int(epeNone);
    int disabledOpacity = 0;
    if (!s.Enabled) {
        if (s.DisabledPictureMode == edpBlended) {
            disabledOpacity = 52;
        } else if (s.DisabledPictureMode == edpGrayed) {
            disabledOpacity = roundEven(s.PictureOpacity * 0.75);
            b.grey = true;
        }
    }
    if (state == eStateOver)
        b.opacity24 = s.PictureOpacityOnOver;
    else
        b.opacity24 = s.Enabled ? s.PictureOpacity : disabledOpacity;
    if (s.Enabled)
        b.opacity32 = state == eStateOver ? s.PictureOpacityOnOver : s.PictureOpacity;
    else
        b.opacity32 = disabledOpacity;
    b.useMaskColor = s.UseMaskColor;
    b.maskColor = s.MaskColor;
    return b;
}

namespace
{

// The common per-pixel rule of both blenders; f is the pixel opacity.
void blendPixel(QRgb &dst, int r, int g, int b, int f, OleColor shadow, const PictureBlend &pb)
{
    if (shadow >= 0) {
        if (f <= 0)
            return;
        const Channels sh = split(shadow);
        if (f >= 255)
            dst = qRgb(sh.r, sh.g, sh.b);
        else
            dst = qRgb(blend(f, sh.r, qRed(dst)), blend(f, sh.g, qGreen(dst)), blend(f, sh.b, qBlue(dst)));
        return;
    }
    if (pb.grey) {
        const int grey = roundEven(roundEven(r * 0.3) + g * 0.59 + b * 0.11);
        if (f >= 255)
            dst = qRgb(grey, grey, grey);
        else if (f > 0)
            dst = qRgb(blend(f, grey, qRed(dst)), blend(f, grey, qGreen(dst)), blend(f, grey, qBlue(dst)));
        return;
    }
    if (pb.effect == epeLighter || pb.effect == epeDarker) {
        const auto &t = pb.effect == epeLighter ? LighterTable() : DarkerTable();
        r = t[std::size_t(r)];
        g = t[std::size_t(g)];
        b = t[std::size_t(b)];
    }
    if (f >= 255)
        dst = qRgb(r, g, b);
    else if (f > 0)
        dst = qRgb(blend(f, r, qRed(dst)), blend(f, g, qGreen(dst)), blend(f, b, qBlue(dst)));
}

} // namespace

void BlendPicture24(QImage &img, int x, int y, int w, int h, const ButtonPicture &pic, OleColor key,
                    OleColor shadow, const PictureBlend &b)
{
    if (w <= 0 || h <= 0 || pic.isEmpty())
        return;
    QImage src;
    if (pic.type == ButtonPicture::Bitmap) {
        src = pic.image.convertToFormat(QImage::Format_ARGB32);
    } else {
        // An icon is first drawn at the picture's size over the key colour.
        src = QImage(w, h, QImage::Format_ARGB32);
        src.fill(toQRgb(key));
        QPainter p(&src);
        p.drawImage(QRect(0, 0, w, h), pic.image);
    }
    const QRect clip = QRect(x, y, w, h).intersected(img.rect());
    for (int py = clip.top(); py <= clip.bottom(); ++py) {
        const int sy = py - y;
        if (sy >= src.height())
            break;
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(py));
        const QRgb *sline = reinterpret_cast<const QRgb *>(src.constScanLine(sy));
        for (int px = clip.left(); px <= clip.right(); ++px) {
            const int sx = px - x;
            if (sx >= src.width())
                break;
            const QRgb s = sline[sx];
            // The key is compared as stored: a system-colour value never matches.
            if (b.useMaskColor && fromQRgb(s) == key)
                continue;
            blendPixel(line[px], qRed(s), qGreen(s), qBlue(s), b.opacity24, shadow, b);
        }
    }
}

void BlendPicture32(QImage &img, int x, int y, int w, int h, const ButtonPicture &pic, OleColor shadow,
                    const PictureBlend &b)
{
    if (w <= 0 || h <= 0 || pic.isEmpty())
        return;
    const QImage src = pic.image.convertToFormat(QImage::Format_ARGB32);
    const QRect clip = QRect(x, y, w, h).intersected(img.rect());
    for (int py = clip.top(); py <= clip.bottom(); ++py) {
        const int sy = py - y;
        if (sy >= src.height())
            break;
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(py));
        const QRgb *sline = reinterpret_cast<const QRgb *>(src.constScanLine(sy));
        for (int px = clip.left(); px <= clip.right(); ++px) {
            const int sx = px - x;
            if (sx >= src.width())
                break;
            const QRgb s = sline[sx];
            const int f = qAlpha(s) * b.opacity32 / 255;
            blendPixel(line[px], qRed(s), qGreen(s), qBlue(s), f, shadow, b);
        }
    }
}

void DrawButtonPicture(QImage &img, const ButtonPicture &pic, const QRect &rect, OleColor shadow,
                       const PictureBlend &b)
{
    if (pic.isEmpty())
        return;
    if (pic.type == ButtonPicture::Bitmap && pic.is32Bit) {
        BlendPicture32(img, rect.left(), rect.top(), pic.width(), pic.height(), pic, shadow, b);
    } else {
        const OleColor key = pic.type == ButtonPicture::Icon ? TranslateColor(rgbHex(0xC0C0C0)) : b.maskColor;
        BlendPicture24(img, rect.left(), rect.top(), pic.width(), pic.height(), pic, key, shadow, b);
    }
}

void DrawPictureShadow(QImage &img, const ButtonPicture &pic, const QRect &rect, OleColor backColor,
                       const PictureBlend &b)
{
    const OleColor base = MixColors(TranslateColor(rgbHex(0x808080)), TranslateColor(backColor));
    DrawButtonPicture(img, pic, rect.translated(2, 2), ShiftColor(base, 0.05f), b);
    DrawButtonPicture(img, pic, rect.translated(1, 1), ShiftColor(base, -0.1f), b);
    DrawButtonPicture(img, pic, rect, -1, b);
}

QRegion ButtonRegion(int buttonStyle, int w, int h)
{
    if (w <= 0 || h <= 0)
        return {};
    int corner = 0;
    switch (buttonStyle) {
    case eWindowsXP:
    case eVistaAero:
    case eVistaToolbar:
    case eInstallShield:
        corner = 3;
        break;
    case eXPToolbar:
    case eGelButton:
        corner = 4;
        break;
    default:
        return QRegion(0, 0, w, h);
    }
    // Rounded corners: a 3 × 3 ellipse cuts the corner pixel, a 4 × 4 one also its two
    // neighbours along the edges.
    QRegion r(0, 0, w, h);
    auto cut = [&](int x, int y) { r -= QRegion(x, y, 1, 1); };
    const int xs[2] = {0, w - 1}, ys[2] = {0, h - 1};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const int x = xs[i], y = ys[j];
            cut(x, y);
            if (corner == 4) {
                cut(i == 0 ? x + 1 : x - 1, y);
                cut(x, j == 0 ? y + 1 : y - 1);
            }
        }
    return r;
}

} // namespace BrennavikBtn
