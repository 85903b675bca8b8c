#include "controls/button/ButtonLayout.h"

#include "controls/button/ButtonPrimitives.h"
#include "platform/components/Fonts.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace BrennavikBtn
{

namespace
{

// Rectangles with exclusive right and bottom, as the layout rules count them.
struct Box {
    int l = 0, t = 0, r = 0, b = 0;
    void move(int dx, int dy)
    {
        l += dx;
        r += dx;
        t += dy;
        b += dy;
    }
    QRect rect() const { return QRect(l, t, r - l, b - t); }
};

int roundEven(double v)
{
    return int(std::lrint(v));
}

bool hasDropDown(const ButtonPaintState &s)
{
    return s.DropDownSymbol != 0 || s.DropDownSeparator;
}

int textFlags(const ButtonPaintState &s)
{
    int flags = Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (s.RightToLeft)
        flags |= Qt::TextForceRightToLeft;
    return flags;
}

void drawCaptionText(QImage &img, const ButtonPaintState &s, const QFont &font, const Box &rect,
                     OleColor colour, int dx, int dy)
{
    Box r = rect;
    r.move(dx, dy);
    if (r.r <= r.l || r.b <= r.t)
        return;
    QPainter p(&img);
    // The text is clipped to its own rectangle, as the platform's text call does. The stand-in
    // fonts draw the dot of a capital İ above their ascent, so the clip leaves room for it.
    const QFontMetrics fm(font, &img);
    const int overhang = std::max(0, -fm.boundingRect(s.Caption).top() - fm.ascent());
    p.setClipRect(r.rect().adjusted(0, -overhang, 0, 0));
    p.setFont(font);
    p.setPen(QColor::fromRgb(toQRgb(colour)));
    if (s.RightToLeft)
        p.setLayoutDirection(Qt::RightToLeft);
    p.drawText(r.rect(), Qt::AlignHCenter | Qt::AlignTop | textFlags(s), s.Caption);
}

const ButtonPicture &selectPicture(const ButtonPaintState &s, int state)
{
    const bool checked = s.Mode != ebmCommandButton && s.Value;
    if (state == eStateDown || checked) {
        if (!s.PictureDown.isEmpty())
            return s.PictureDown;
        if (!s.PictureHot.isEmpty())
            return s.PictureHot;
        return s.PictureNormal;
    }
    if (state == eStateOver && !s.PictureHot.isEmpty())
        return s.PictureHot;
    return s.PictureNormal;
}

Box placePicture(const ButtonPaintState &s, const Box &c, int pw, int ph, const Box &previous)
{
    if (s.PictureNormal.isEmpty())
        return previous;
    const int W = s.W, H = s.H;
    const bool dd = hasDropDown(s);
    Box p;
    if (!s.Caption.trimmed().isEmpty() && s.PictureAlign != epBackGround) {
        switch (s.PictureAlign) {
        case epLeftEdge:
            p.l = 3;
            p.t = (H - ph) / 2;
            break;
        case epLeftOfCaption:
            p.l = c.l - pw - 4;
            p.t = (H - ph) / 2;
            break;
        case epRightEdge:
        case epRightOfCaption:
            p.l = s.PictureAlign == epRightEdge ? W - pw - 3 : c.r + 4;
            p.t = (H - ph) / 2;
            if (dd)
                p.l -= 16;
            p.l = std::max(p.l, c.r + 2);
            break;
        case epTopEdge:
        case epTopOfCaption:
        case epBottomEdge:
        case epBottomOfCaption:
            p.l = (W - pw) / 2;
            p.t = s.PictureAlign == epTopEdge        ? 4
                  : s.PictureAlign == epTopOfCaption ? c.t - ph - 2
                  : s.PictureAlign == epBottomEdge   ? H - ph - 4
                                                     : c.b + 2;
            if (dd)
                p.l -= 8;
            break;
        default:
            // An unknown alignment leaves the picture at the origin.
            break;
        }
    } else {
        p.l = (W - pw) / 2;
        p.t = (H - ph) / 2;
        if (dd)
            p.l -= 8;
    }
    p.r = p.l + pw;
    p.b = p.t + ph;
    return p;
}

} // namespace

QFont buttonDrawingFont(const QFont &designFont)
{
    QFont f = designFont;
    f.setFamily(pv::standInFamily(designFont.family()));
    // The desktop draws small captions without smoothing (it also keeps colours exact),
    // at whole-pixel advances.
    f = pv::crispFont(f);
    if (designFont.pixelSize() <= 0) {
        const double pt = designFont.pointSizeF() > 0 ? designFont.pointSizeF() : 8.0;
        f.setPixelSize(std::max(1, int(std::lround(pt * 96.0 / 72.0))));
    }
    return f;
}

ContentRects LayoutAndDrawContent(QImage &img, ButtonPaintState &s, int state)
{
    const int W = s.W, H = s.H;
    const bool dd = hasDropDown(s);
    const QFont font = buttonDrawingFont(s.Font);

    const ButtonPicture &pic = selectPicture(s, state);
    const int pw = pic.width(), ph = pic.height();

    int aw = W - 8;
    if (dd)
        aw = (s.PictureAlign == epRightEdge || s.PictureAlign == epRightOfCaption) ? W - 24 : W - 16;

    const QFontMetrics fm(font, &img);
    auto measure = [&](int width) {
        return fm.boundingRect(QRect(0, 0, std::max(width, 0), H),
                               Qt::AlignLeft | Qt::AlignTop | textFlags(s), s.Caption);
    };
    const QRect br = measure(aw);
    const int th = br.height();
    int tw = br.width();
    // The caption is drawn wrapped in the rectangle it measures. A line ending in a blank
    // ("Müşteri Hesabını Göster ") measures without its last letter's overhang, and drawn
    // that narrow it wraps once more, its last line falling below the rectangle: widen
    // the rectangle until the caption lays out in it as it was measured.
    while (tw < aw) {
        const QRect again = measure(tw);
        if (again.width() <= tw && again.height() <= th)
            break;
        ++tw;
    }
    Box c{0, 0, tw, th};

    switch (s.CaptionAlign) {
    case ecLeftAlign:
        c.move(2, (H - th) / 2);
        break;
    case ecCenterAlign:
        c.move((W - tw + pw) / 2, (H - th) / 2);
        if (dd)
            c.move(-8, 0);
        if (s.PictureAlign >= epTopEdge && s.PictureAlign <= epBottomOfCaption)
            c.move(-(pw / 2), 0);
        break;
    case ecRightAlign:
        c.move(W - tw - 4, (H - th) / 2);
        break;
    default:
        break;
    }

    if (!s.PictureNormal.isEmpty()) {
        switch (s.PictureAlign) {
        case epLeftEdge:
        case epLeftOfCaption:
            if (s.CaptionAlign != ecCenterAlign && c.l < pw + 4) {
                c.l = pw + 4;
                c.r = c.r + pw + 4;
            }
            break;
        case epRightEdge:
        case epRightOfCaption:
            if (c.r > W - pw - 4) {
                c.r = W - pw - 4;
                c.l = c.l - pw - 4;
            }
            if (s.CaptionAlign == ecCenterAlign)
                c.move(-12, 0);
            break;
        case epBackGround:
            if (s.CaptionAlign == ecCenterAlign)
                c.move(-16, 0);
            break;
        case epTopEdge:
        case epTopOfCaption:
            c.move(0, ph / 2);
            break;
        case epBottomEdge:
        case epBottomOfCaption:
            c.move(0, -(ph / 2));
            break;
        default:
            break;
        }
    }
    if (s.CaptionAlign == ecRightAlign && dd)
        c.move(-16, 0);
    if (s.ButtonStyle == eWindowsTheme) {
        c.l = std::max(c.l, 4);
        c.t = std::max(c.t, 4);
        c.r = std::min(c.r, W - 4);
        c.b = std::min(c.b, H - 4);
    }

    const Box previous{s.PictureRect.left(), s.PictureRect.top(),
                       s.PictureRect.left() + s.PictureRect.width(),
                       s.PictureRect.top() + s.PictureRect.height()};
    Box p = placePicture(s, c, pw, ph, previous);
    s.PictureRect = p.rect();

    Box d;
    if (s.DropDownSymbol != 0)
        d = {W - 15, roundEven(H / 2.0 - 7), W, roundEven(H / 2.0 + 8)};

    if (s.DropDownSeparator && W - 8 > c.r) {
        auto pixel = [&img]() -> OleColor {
            return img.rect().contains(7, 7) ? fromQRgb(img.pixel(7, 7)) : -1;
        };
        DrawButtonLine(img, W - 16, 3, W - 16, H - 3, ShiftColor(pixel(), -0.1f));
        DrawButtonLine(img, W - 15, 3, W - 15, H - 3, ShiftColor(pixel(), 0.1f));
    }

    const int style = s.ButtonStyle;
    if (state == eStateDown &&
        (style == eStandard || style == eFlat || style == eOffice2003 || style == eXPToolbar ||
         style == eVistaToolbar || style == eGelButton || style == e3DHover || style == eFlatHover)) {
        c.move(1, 1);
        p.move(1, 1);
        d.move(1, 1);
    }

    const PictureBlend blend = pictureBlendFor(s, state);
    const bool pushed = s.Colors.PicturePushOnHover && state == eStateOver;
    if (pushed) {
        DrawButtonPicture(img, pic, p.rect(), TranslateColor(rgbHex(0xC0C0C0)), blend);
        DrawButtonPicture(img, pic, p.rect().translated(-2, -2), -1, blend);
    } else {
        DrawButtonPicture(img, pic, p.rect(), -1, blend);
    }
    if (s.PictureShadow && !pushed)
        DrawPictureShadow(img, pic, p.rect(), s.Colors.BackColor, blend);

    const OleColor grey = sysColor(COLOR_GRAYTEXT);
    if (s.CaptionEffects != eseNone) {
        const OleColor bc = TranslateColor(s.Colors.BackColor);
        auto copies = [&](OleColor colour, std::initializer_list<QPoint> at) {
            for (const QPoint &o : at)
                drawCaptionText(img, s, font, c, colour, o.x(), o.y());
        };
        const std::initializer_list<QPoint> four = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
        switch (s.CaptionEffects) {
        case eseEmbossed:
            copies(ShiftColor(bc, 0.14f), {{-1, -1}});
            break;
        case eseEngraved:
            copies(ShiftColor(bc, 0.14f), {{1, 1}});
            break;
        case eseShadowed:
            copies(TranslateColor(rgbHex(0xC0C0C0)), {{1, 1}});
            break;
        case eseOutline:
            copies(ShiftColor(bc, 0.1f), four);
            break;
        case eseCover:
            copies(ShiftColor(bc, -0.1f), four);
            break;
        default:
            break;
        }
        drawCaptionText(img, s, font, c, s.Enabled ? TranslateColor(s.Colors.ForeColor) : grey, 0, 0);
    }

    const OleColor captionColour = !s.Enabled            ? grey
                                   : state == eStateOver ? TranslateColor(s.ForeColorHover)
                                                         : TranslateColor(s.Colors.ForeColor);
    drawCaptionText(img, s, font, c, captionColour, 0, 0);

    if (s.DropDownSymbol != 0) {
        if (state == eStateDown && (style == eStandard || style == eFlat || style == eXPToolbar ||
                                    style == eVistaToolbar || style == e3DHover || style == eFlatHover))
            d.move(1, 1);
        DrawDropDownSymbol(img, s.DropDownSymbol, d.rect(),
                           s.Enabled ? TranslateColor(s.Colors.ForeColor) : grey);
    }

    return {c.rect(), p.rect(), d.rect()};
}

} // namespace BrennavikBtn
