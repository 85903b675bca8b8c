#include "controls/button/ButtonPaint.h"

#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPrimitives.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>

namespace BrennavikBtn
{

namespace
{

int roundEven(double v)
{
    return int(std::lrint(v));
}

constexpr OleColor White = 0xFFFFFF;
constexpr OleColor Black = 0x000000;

// One paint: the image, the state it reads and the outline it may set.
class Painter
{
public:
    Painter(ButtonPaintState &s, ButtonPaintResult &r)
        : s(s), r(r), img(r.Image), W(s.W), H(s.H), hm(roundEven(s.H / 2.0))
    {
    }

    void paint(int style, int state);

private:
    ButtonPaintState &s;
    ButtonPaintResult &r;
    QImage &img;
    const int W, H, hm;
    int state = eStateNormal;

    OleColor bc() const { return TranslateColor(s.Colors.BackColor); }
    bool checked() const { return s.Mode != ebmCommandButton && s.Value; }
    bool focusOrDefault() const { return s.HasFocus || s.DisplayAsDefault; }

    void region()
    {
        r.RegionSet = true;
        r.Region = ButtonRegion(s.ButtonStyle, W, H);
    }
    void fill(OleColor c) { FillColorRect(img, c, QRect(0, 0, W, H)); }
    void gradV(int x, int y, int w, int h, OleColor a, OleColor b)
    {
        DrawButtonGradient(img, x, y, w, h, a, b, gdVertical);
    }
    void gradH(int x, int y, int w, int h, OleColor a, OleColor b)
    {
        DrawButtonGradient(img, x, y, w, h, a, b, gdHorizontal);
    }
    void line(int x1, int y1, int x2, int y2, OleColor c) { DrawButtonLine(img, x1, y1, x2, y2, c); }
    void frame(int x, int y, int w, int h, OleColor c) { DrawFrameRect(img, x, y, w, h, c); }
    void corners(OleColor c) { SetCornerPixels(img, c); }
    void edge(EdgeKind k) { DrawEdge(img, QRect(0, 0, W, H), k); }
    void focus(int l, int t, int rr, int b) { DrawFocusRect(img, QRect(l, t, rr - l, b - t)); }
    void content(int st)
    {
        const ContentRects c = LayoutAndDrawContent(img, s, st);
        r.CaptionRect = c.CaptionRect;
        r.PictureRect = c.PictureRect;
        r.DropDownRect = c.DropDownRect;
    }

    void standardFamily(int style);
    void windowsXP();
    void vistaAero();
    void officeXP();
    void office2003();
    void xpToolbar();
    void vistaToolbar();
    void outlook2007();
    void installShield();
    void gelButton();
    void windowsTheme();
};

void Painter::paint(int style, int st)
{
    state = st;
    switch (style) {
    case eStandard:
    case eFlat:
    case e3DHover:
    case eFlatHover:
        standardFamily(style);
        break;
    case eWindowsXP:
        windowsXP();
        break;
    case eVistaAero:
        vistaAero();
        break;
    case eOfficeXP:
        officeXP();
        break;
    case eOffice2003:
        office2003();
        break;
    case eXPToolbar:
        xpToolbar();
        break;
    case eVistaToolbar:
        vistaToolbar();
        break;
    case eOutlook2007:
        outlook2007();
        break;
    case eInstallShield:
        installShield();
        break;
    case eGelButton:
        gelButton();
        break;
    case eWindowsTheme:
        windowsTheme();
        break;
    default:
        break; // an unknown style shows the cleared surface
    }
}

void Painter::standardFamily(int style)
{
    const bool flat = style == eFlat || style == eFlatHover;
    if (!s.Enabled) {
        if (style == eStandard)
            edge(EdgeRaised);
        else if (style == eFlat)
            edge(EdgeRaisedInner);
        content(state);
        return;
    }
    if (checked()) {
        fill(ShiftColor(bc(), 0.02f));
        content(state);
        if (style == eFlatHover)
            return;
        edge(EdgeSunken);
        if (style == eStandard && s.Colors.ShowFocusRect && s.HasFocus)
            frame(4, 4, W - 7, H - 7, sysColor(COLOR_APPWORKSPACE));
        return;
    }
    switch (state) {
    case eStateOver:
        fill(bc());
        content(state);
        if (flat)
            edge(EdgeRaisedInner);
        else
            edge(EdgeRaised);
        break;
    case eStateDown:
        fill(bc());
        content(state);
        if (style == eStandard) {
            frame(1, 1, W - 2, H - 2, rgbHex(0xACA899));
            frame(0, 0, W, H, Black);
        } else if (flat) {
            frame(0, 0, W, H, White);
            frame(0, 0, W + 1, H + 1, sysColor(COLOR_GRAYTEXT));
        } else {
            edge(EdgeSunken);
        }
        break;
    default:
        region();
        fill(bc());
        content(state);
        if (style == eStandard)
            edge(EdgeRaised);
        else if (style == eFlat)
            edge(EdgeRaisedInner);
        break;
    }
    if (focusOrDefault()) {
        if (s.UserMode && s.Colors.ShowFocusRect && s.FormActive) {
            if (style == eStandard || style == e3DHover)
                focus(4, 4, W - 4, H - 4);
            else
                focus(3, 3, W - 3, H - 3);
        }
        if (style == eStandard && state != eStateDown) {
            DrawEdge(img, QRect(0, 0, W - 1, H - 1), EdgeRaised);
            frame(0, 0, W - 1, H - 1, sysColor(COLOR_APPWORKSPACE));
            frame(0, 0, W, H, Black);
        }
    }
}

void Painter::windowsXP()
{
    const OleColor b = bc();
    const int scheme = s.Colors.ColorScheme;
    if (!s.Enabled) {
        region();
        fill(MixColors(sysColor(COLOR_BTNFACE), ShiftColor(b, 0.1f)));
        content(state);
        frame(0, 0, W, H, ShiftColor(b, -0.1f));
        corners(ShiftColor(b, -0.1f));
        return;
    }
    auto normalGradients = [&] {
        if (scheme == ecsSilver) {
            gradV(0, 0, W, hm, ShiftColor(b, 0.22f), b);
            gradV(0, hm, W, hm, ShiftColor(b, -0.01f), ShiftColor(b, -0.15f));
        } else {
            gradV(0, 0, W, H, ShiftColor(b, 0.07f), b);
            gradV(0, 0, W, 4, ShiftColor(b, 0.1f), ShiftColor(b, 0.08f));
        }
    };
    switch (state) {
    case eStateOver:
        normalGradients();
        content(state);
        line(1, 2, W - 2, 2, rgbHex(0xFDD889));
        line(1, 1, W - 2, 1, rgbHex(0xFFF0CF));
        line(1, 1, 1, H - 2, rgbHex(0xF9BD49));
        line(W - 2, 2, W - 2, H - 2, rgbHex(0xF9BD49));
        line(2, 2, 2, H - 3, rgbHex(0xFCD27A));
        line(W - 3, 3, W - 3, H - 3, rgbHex(0xFCD27A));
        line(2, H - 3, W - 2, H - 3, rgbHex(0xF8B330));
        line(2, H - 2, W - 2, H - 2, rgbHex(0xE59700));
        break;
    case eStateDown:
        if (scheme == ecsSilver) {
            gradV(0, 0, W, H - 6, ShiftColor(b, -0.2f), ShiftColor(b, 0.05f));
            gradV(0, H - 6, W, H - 1, ShiftColor(b, 0.08f), White);
            content(state);
            frame(1, 1, W - 2, H - 2, White);
        } else {
            fill(ShiftColor(b, -0.05f));
            content(state);
            line(1, 1, W - 2, 1, ShiftColor(b, -0.16f));
            line(1, 2, W - 2, 2, ShiftColor(b, -0.1f));
            line(1, H - 2, W - 2, H - 2, ShiftColor(b, 0.01f));
            line(1, 1, 1, H - 2, ShiftColor(b, -0.16f));
            line(2, 2, 2, H - 2, ShiftColor(b, -0.1f));
            line(W - 2, 2, W - 2, H - 2, ShiftColor(b, 0.04f));
        }
        break;
    default:
        region();
        normalGradients();
        content(state);
        if (scheme == ecsSilver) {
            line(W - 2, 2, W - 2, H - 2, White);
            line(1, 1, 1, H - 2, White);
        } else {
            line(1, H - 2, W - 2, H - 2, ShiftColor(b, -0.09f));
            line(1, H - 3, W - 2, H - 3, ShiftColor(b, -0.05f));
            line(1, H - 4, W - 2, H - 4, ShiftColor(b, -0.01f));
            line(W - 2, 2, W - 2, H - 2, ShiftColor(b, -0.08f));
            line(1, 1, 1, H - 2, MixColors(White, b));
        }
        break;
    }

    if (state == eStateNormal && s.FormActive && focusOrDefault()) {
        const bool olive = scheme == ecsOliveGreen;
        const bool silver = scheme == ecsSilver;
        line(1, 2, W - 2, 2, rgbHex(olive ? 0xC2D18F : 0xBCD4F6));
        line(1, 1, W - 2, 1, rgbHex(olive ? 0xB1CB80 : 0xCEE7FF));
        line(1, 1, 1, H - 2, rgbHex(olive ? 0xA0C868 : 0x8EAFE6));
        line(W - 2, 2, W - 2, H - 2, rgbHex(olive ? 0xA0C868 : 0x8EAFE6));
        const OleColor inner = olive ? rgbHex(0xA0C868) : silver ? White : rgbHex(0xB8D1F4);
        line(2, 2, 2, H - 3, inner);
        line(W - 3, 3, W - 3, H - 3, inner);
        line(2, H - 3, W - 2, H - 3, rgbHex(olive ? 0xA0C868 : 0x89ADE4));
        line(2, H - 2, W - 2, H - 2, rgbHex(olive ? 0xA8A766 : 0x6982EE));
    }
    if (s.FormActive && s.Colors.ShowFocusRect && focusOrDefault())
        focus(2, 2, W - 2, H - 2);
    const OleColor outer = rgbHex(scheme == ecsOliveGreen ? 0x376206 : 0x003C74);
    frame(0, 0, W, H, outer);
    corners(ShiftColor(outer, 0.3f));
}

void Painter::vistaAero()
{
    const OleColor b = bc();
    const int t = roundEven(H / 2.0 - 2);
    const int l = roundEven(H - H / 2.0 - 1);
    if (!s.Enabled) {
        region();
        fill(ShiftColor(b, 0.03f));
        content(state);
        frame(0, 0, W, H, ShiftColor(b, -0.25f));
        frame(1, 1, W - 2, H - 2, ShiftColor(b, 0.25f));
        corners(ShiftColor(b, -0.03f));
        return;
    }
    switch (state) {
    case eStateOver:
        gradV(1, 1, W - 2, hm, rgbHex(0xE4F7FF), rgbHex(0xDAF3FF));
        gradV(1, hm, W - 2, H - 2, rgbHex(0xC1E9FF), rgbHex(0xAEE1FD));
        gradH(1, 3, 5, t, rgbHex(0xCDEEFF), rgbHex(0xE4F7FF));
        gradH(1, hm, 5, l, rgbHex(0x8FD6FA), ShiftColor(rgbHex(0xACE1FD), 0.01f));
        gradH(W - 6, 3, 5, t, rgbHex(0xE4F7FF), rgbHex(0xCDEEFF));
        gradH(W - 6, hm, 5, l, ShiftColor(rgbHex(0xACE1FD), 0.01f), rgbHex(0x8FD6FA));
        content(state);
        frame(0, 0, W, H, rgbHex(0x3275A7));
        frame(1, 1, W - 2, H - 2, White);
        break;
    case eStateDown:
        gradV(1, 1, W - 1, H, rgbHex(0xC2E4F6), rgbHex(0xC2E4F6));
        gradV(1, hm, W - 2, H - 2, rgbHex(0x9AD2F0), rgbHex(0x9AD2F0));
        frame(0, 0, W, H, rgbHex(0x1D415C));
        line(1, 1, W - 1, 1, rgbHex(0x719CB3));
        line(1, 2, W - 1, 2, rgbHex(0xA9C6D6));
        line(1, 3, W - 1, 3, rgbHex(0xB9D9EC));
        line(1, 1, 1, roundEven(H / 2.0 - 1), rgbHex(0x73B0CF));
        line(1, hm, 1, l, rgbHex(0x2B91C5));
        gradH(1, 3, 5, t, ShiftColor(rgbHex(0x91C8E6), 0.02f), ShiftColor(rgbHex(0xC2E4F6), -0.01f));
        gradH(1, hm, 5, l, ShiftColor(rgbHex(0x4EABDC), 0.02f), ShiftColor(rgbHex(0x9AD2F0), -0.01f));
        gradH(W - 6, 3, 5, t, ShiftColor(rgbHex(0xC2E4F6), -0.01f), ShiftColor(rgbHex(0x91C8E6), 0.02f));
        gradH(W - 6, hm, 5, l, ShiftColor(rgbHex(0x9AD2F0), -0.01f), ShiftColor(rgbHex(0x4EABDC), 0.02f));
        content(state);
        break;
    default:
        region();
        gradV(1, 1, W - 1, H, ShiftColor(b, 0.05f), b);
        gradV(1, hm, W - 2, H - 2, ShiftColor(b, -0.02f), ShiftColor(b, -0.15f));
        content(state);
        frame(0, 0, W, H, rgbHex(0x707070));
        frame(1, 1, W - 2, H - 2, White);
        break;
    }
    if (s.FormActive) {
        if (state == eStateNormal && focusOrDefault()) {
            frame(0, 0, W, H, rgbHex(0x3275A7));
            frame(1, 1, W - 2, H - 2, rgbHex(0x48D8FB));
        }
        if (s.Colors.ShowFocusRect && s.HasFocus)
            focus(2, 2, W - 2, H - 2);
    }
    corners(rgbHex(0x5F96BE));
}

void Painter::officeXP()
{
    OleColor base = 0, border = 0;
    switch (s.Colors.ColorScheme) {
    case ecsBlue:
        base = rgbHex(0xC1D2EE);
        border = rgbHex(0x316AC5);
        break;
    case ecsOliveGreen:
        base = rgbHex(0xD4D6BA);
        border = rgbHex(0x93A070);
        break;
    case ecsSilver:
        base = rgbHex(0xE0DFE3);
        border = rgbHex(0xB2B4BF);
        break;
    default:
        base = bc();
        border = ShiftColor(base, -0.12f);
        break;
    }
    if (checked()) {
        fill(ShiftColor(base, -0.05f));
        frame(0, 0, W, H, border);
        if (s.PointerOver) {
            fill(ShiftColor(base, -0.01f));
            frame(0, 0, W, H, border);
        }
        content(state);
        return;
    }
    switch (state) {
    case eStateOver:
        fill(ShiftColor(base, 0.03f));
        content(state);
        frame(0, 0, W, H, border);
        break;
    case eStateDown:
        fill(ShiftColor(base, -0.08f));
        content(state);
        frame(0, 0, W, H, border);
        break;
    default:
        fill(base);
        content(state);
        break;
    }
}

void Painter::office2003()
{
    const OleColor navy = rgbHex(0x000080);
    if (checked()) {
        if (s.PointerOver)
            gradV(0, 0, W, H, rgbHex(0xFE914E), rgbHex(0xFFD38E));
        else
            gradV(0, 0, W, H, rgbHex(0xFFD58C), rgbHex(0xFFAD55));
        content(state);
        frame(0, 0, W, H, navy);
        return;
    }
    switch (state) {
    case eStateOver:
        gradV(0, 0, W, H, rgbHex(0xFFF4CC), rgbHex(0xFFD091));
        content(state);
        frame(0, 0, W, H, navy);
        break;
    case eStateDown:
        gradV(0, 0, W, H, rgbHex(0xFE914E), rgbHex(0xFFD38E));
        content(state);
        frame(0, 0, W, H, navy);
        break;
    default: {
        const OleColor b = bc();
        region();
        gradV(0, 0, W, hm, MixColors(White, ShiftColor(b, 0.08f)), b);
        gradV(0, hm, W, roundEven(H / 2.0 + 1), b, ShiftColor(b, -0.15f));
        content(state);
        break;
    }
    }
}

void Painter::xpToolbar()
{
    // This style owns ForeColor: white on the pressed face, button text otherwise.
    s.Colors.ForeColor = state == eStateDown ? White : sysColor(COLOR_BTNTEXT);
    int st = state;
    if (checked()) {
        if (s.MouseHeld) {
            st = eStateDown;
        } else {
            fill(rgbHex(0xFEFEFE));
            s.Colors.ForeColor = sysColor(COLOR_BTNTEXT);
            content(st);
            frame(0, 0, W, H, rgbHex(0x7A98AF));
            corners(ShiftColor(rgbHex(0xA0B3C1), -0.2f));
            if (st == eStateOver) {
                line(W - 2, 2, W - 2, H - 2, rgbHex(0xF2F0ED));
                line(2, H - 2, W - 2, H - 2, rgbHex(0xE4DED8));
                line(1, H - 3, W - 1, H - 3, rgbHex(0xEFECE8));
                line(1, H - 4, W - 1, H - 4, rgbHex(0xFAF9F8));
            }
            return;
        }
    }
    switch (st) {
    case eStateOver:
        gradV(0, 0, W, hm, rgbHex(0xFEFEFD), rgbHex(0xF4F4EE));
        gradV(0, hm, W, hm, rgbHex(0xF4F4EE), rgbHex(0xF1F1EA));
        content(st);
        line(W - 2, 2, W - 2, H - 2, rgbHex(0xEAE7E0));
        line(W - 3, 2, W - 3, H - 2, rgbHex(0xF0F0EA));
        line(0, H - 4, W, H - 4, rgbHex(0xEEEDE5));
        line(0, H - 3, W, H - 3, rgbHex(0xE4E1D6));
        line(0, H - 2, W, H - 2, rgbHex(0xD7D2C6));
        frame(0, 0, W, H, rgbHex(0xCECEC3));
        corners(ShiftColor(rgbHex(0xD4D4C9), -0.05f));
        break;
    case eStateDown:
        fill(rgbHex(0xE5E4DD));
        content(st);
        line(1, 1, W - 2, 1, ShiftColor(rgbHex(0xDCDAD1), -0.02f));
        line(1, 2, W - 2, 2, ShiftColor(rgbHex(0xE3E1DA), -0.02f));
        line(1, H - 3, W - 2, H - 3, ShiftColor(rgbHex(0xE6E5DE), 0.02f));
        line(1, H - 2, W - 2, H - 2, ShiftColor(rgbHex(0xEBEAE5), 0.02f));
        frame(0, 0, W, H, rgbHex(0x9D9D92));
        corners(ShiftColor(rgbHex(0xB5B4AB), -0.2f));
        break;
    default:
        region();
        fill(bc());
        content(st);
        break;
    }
}

void Painter::vistaToolbar()
{
    const OleColor cornersColour = ShiftColor(rgbHex(0x619ECA), 0.3f);
    if (!s.Enabled) {
        fill(bc());
        content(state);
        corners(bc());
        return;
    }
    switch (state) {
    case eStateOver:
        gradV(1, 1, W - 2, H - 2, rgbHex(0xF1F9FD), rgbHex(0xD0ECF8));
        gradV(1, roundEven(H / 1.7), W - 2, H - 2, rgbHex(0xD0ECF8), rgbHex(0xD0ECF8));
        content(state);
        frame(0, 0, W, H, rgbHex(0x619ECA));
        frame(1, 1, W - 2, H - 2, White);
        corners(cornersColour);
        break;
    case eStateDown:
        gradV(1, 1, W - 2, H - 2, rgbHex(0xB0DEF1), rgbHex(0xDBF1F9));
        content(state);
        frame(0, 0, W, H, rgbHex(0x619ECA));
        frame(1, 1, W - 2, H - 2, White);
        corners(cornersColour);
        break;
    default:
        region();
        fill(bc());
        content(state);
        break;
    }
}

void Painter::outlook2007()
{
    const OleColor b = bc();
    const int rTop = roundEven(H / 2.7);
    const int rBottom = roundEven(H - H / 2.7);
    auto border = [&] { frame(0, 0, W, H, ShiftColor(b, -0.34f)); };
    auto pressedFace = [&] {
        gradV(0, 0, W, rTop, rgbHex(0xFFC158), rgbHex(0xFFAF51));
        gradV(0, rTop, W, rBottom, rgbHex(0xFF8F46), rgbHex(0xFFD35F));
    };
    if (checked()) {
        gradV(0, 0, W, rTop, rgbHex(0xFFD9A9), rgbHex(0xFFC06F));
        gradV(0, rTop, W, rBottom, rgbHex(0xFFAB3F), rgbHex(0xFFE175));
        border();
        if (s.PointerOver) {
            pressedFace();
            border();
        }
        content(state);
        return;
    }
    switch (state) {
    case eStateOver:
        gradV(0, 0, W, rTop, rgbHex(0xFFFFE1), rgbHex(0xFFEAAC));
        gradV(0, rTop, W, rBottom, rgbHex(0xFFD767), rgbHex(0xFFE499));
        break;
    case eStateDown:
        pressedFace();
        break;
    default:
        fill(b);
        gradV(0, 0, W, rTop, MixColors(ShiftColor(b, 0.09f), White), MixColors(ShiftColor(b, 0.07f), b));
        gradV(0, rTop, W, rBottom, b, ShiftColor(b, 0.03f));
        break;
    }
    content(state);
    border();
}

void Painter::installShield()
{
    const OleColor b = bc();
    const int st = s.Enabled ? state : int(eStateNormal);
    if (st == eStateDown) {
        gradV(0, 0, W, hm, White, ShiftColor(b, -0.1f));
        gradV(0, hm, W, H, ShiftColor(b, -0.1f), ShiftColor(b, -0.05f));
        content(st);
        frame(1, 1, W - 2, H, White);
        frame(0, 0, W, H, ShiftColor(b, -0.23f));
        corners(ShiftColor(b, -0.1f));
        line(2, H - 1, W - 2, H - 1, ShiftColor(b, -0.4f));
    } else {
        if (st == eStateNormal)
            region();
        gradV(0, 0, W, hm, White, b);
        gradV(0, hm, W, H, b, b);
        content(st);
        frame(1, 1, W - 2, H, White);
        frame(0, 0, W, H, ShiftColor(b, -0.2f));
        line(2, H - 1, W - 2, H - 1, ShiftColor(b, -0.25f));
    }
    corners(ShiftColor(b, 0.05f));
    if (s.FormActive && s.Colors.ShowFocusRect && focusOrDefault())
        focus(3, 3, W - 3, H - 3);
}

void Painter::gelButton()
{
    const OleColor b = bc();
    const OleColor m = MixColors(b, White);
    struct Row {
        OleColor fill, a1, b1, a2, b2, frame, corners;
    };
    Row row;
    if (!s.Enabled)
        row = {b,
               ShiftColor(m, 0.05f),
               b,
               ShiftColor(b, -0.02f),
               MixColors(White, ShiftColor(b, 0.08f)),
               ShiftColor(b, -0.2f),
               ShiftColor(b, -0.23f)};
    else if (state == eStateOver)
        row = {ShiftColor(b, -0.03f),
               ShiftColor(m, 0.15f),
               b,
               ShiftColor(b, -0.05f),
               MixColors(White, ShiftColor(b, 0.2f)),
               ShiftColor(b, -0.28f),
               ShiftColor(b, -0.36f)};
    else if (state == eStateDown)
        row = {ShiftColor(b, -0.03f),
               ShiftColor(m, 0.1f),
               b,
               ShiftColor(b, -0.08f),
               MixColors(White, ShiftColor(b, 0.05f)),
               ShiftColor(b, -0.36f),
               ShiftColor(b, -0.36f)};
    else {
        region();
        row = {ShiftColor(b, -0.03f),
               ShiftColor(m, 0.1f),
               b,
               ShiftColor(b, -0.05f),
               MixColors(White, ShiftColor(b, 0.1f)),
               ShiftColor(b, -0.33f),
               ShiftColor(b, -0.36f)};
    }
    fill(row.fill);
    gradV(0, 0, W, 5, row.a1, row.b1);
    gradV(0, 6, W, H - 1, row.a2, row.b2);
    content(state);
    frame(0, 0, W, H, row.frame);
    corners(row.corners);
}

void Painter::windowsTheme()
{
    if (!s.ThemeActive) {
        // No visual styles: the button becomes a Windows XP button for good.
        s.ButtonStyle = eWindowsXP;
        s.Colors.ColorScheme = ecsBlue;
        ApplyStyleColors(eWindowsXP, s.Colors);
        windowsXP();
        return;
    }
    s.SurfaceBackColor = kSystemColorFlag | COLOR_BTNFACE;
    fill(sysColor(COLOR_BTNFACE));
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QStyleOptionButton opt;
        opt.rect = QRect(0, 0, W, H);
        opt.state = QStyle::State_Raised;
        if (s.Enabled) {
            opt.state |= QStyle::State_Enabled;
            if (state == eStateOver)
                opt.state |= QStyle::State_MouseOver;
            else if (state == eStateDown)
                opt.state |= QStyle::State_Sunken;
        }
        if (s.Enabled && s.CurrentState == eStateNormal && focusOrDefault() && s.FormActive)
            opt.features |= QStyleOptionButton::DefaultButton;
        QPainter p(&img);
        app->style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p);
        r.RegionSet = true;
        r.Region = QRegion(0, 0, W, H);
    }
    content(state);
}

} // namespace

ButtonPaintResult RedrawButton(ButtonPaintState &s)
{
    ButtonPaintResult r;
    if (s.W <= 0 || s.H <= 0)
        return r;
    r.Image = QImage(s.W, s.H, QImage::Format_RGB32);
    // 96 dots per inch, so that point sizes come out as on the desktop.
    r.Image.setDotsPerMeterX(3780);
    r.Image.setDotsPerMeterY(3780);
    r.Image.fill(toQRgb(TranslateColor(s.SurfaceBackColor)));

    if (s.Mode != ebmCommandButton && s.Value && s.ButtonStyle != eStandard && s.ButtonStyle != eXPToolbar)
        s.CurrentState = eStateDown;

    Painter(s, r).paint(s.ButtonStyle, s.CurrentState);
    return r;
}

QByteArray faceKey(const ButtonPaintState &s)
{
    if (s.ThemeActive)
        return {};
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    const auto picture = [&out](const ButtonPicture &p) {
        out << int(p.type) << (p.isEmpty() ? qint64(0) : p.image.cacheKey()) << p.is32Bit;
    };
    out << s.ButtonStyle << s.Colors.ColorScheme << s.Colors.BackColor << s.Colors.ForeColor
        << s.Colors.ShowFocusRect << s.Colors.PicturePushOnHover << s.ForeColorHover << s.Caption << s.Font
        << s.CaptionAlign << s.CaptionEffects << s.RightToLeft;
    picture(s.PictureNormal);
    picture(s.PictureHot);
    picture(s.PictureDown);
    out << s.PictureAlign << s.PictureShadow << s.PictureEffectOnOver << s.PictureEffectOnDown
        << s.PictureOpacity << s.PictureOpacityOnOver << s.DisabledPictureMode << s.UseMaskColor
        << s.MaskColor << s.DropDownSymbol << s.DropDownSeparator << s.Mode << s.Value << s.Enabled << s.W
        << s.H << s.CurrentState << s.HasFocus << s.DisplayAsDefault << s.FormActive << s.PointerOver
        << s.MouseHeld << s.UserMode << s.SurfaceBackColor << s.PictureRect;
    return key;
}

QImage paintButton(ButtonPaintState &s)
{
    return RedrawButton(s).Image;
}

void ApplyStyleScheme(int buttonStyle, ButtonColorSet &c)
{
    switch (buttonStyle) {
    case eVistaAero:
    case eInstallShield:
        c.ColorScheme = ecsSilver;
        break;
    case eStandard:
    case eFlat:
    case eWindowsXP:
    case eOfficeXP:
    case eXPToolbar:
    case eVistaToolbar:
    case eOutlook2007:
    case eGelButton:
        c.ColorScheme = ecsBlue;
        break;
    default:
        break;
    }
}

void ApplyStyleColors(int buttonStyle, ButtonColorSet &c)
{
    // Blue, olive green and silver; a custom scheme keeps BackColor.
    auto byScheme = [&c](std::uint32_t blue, std::uint32_t olive, OleColor silver) {
        switch (c.ColorScheme) {
        case ecsBlue:
            c.BackColor = rgbHex(blue);
            break;
        case ecsOliveGreen:
            c.BackColor = rgbHex(olive);
            break;
        case ecsSilver:
            c.BackColor = silver;
            break;
        default:
            break;
        }
    };
    switch (buttonStyle) {
    case eStandard:
    case eFlat:
    case eOfficeXP:
    case eXPToolbar:
    case eVistaToolbar:
    case e3DHover:
    case eFlatHover:
        c.BackColor = sysColor(COLOR_BTNFACE);
        break;
    case eWindowsXP:
        byScheme(0xECEBE7, 0xF3EEDB, rgbHex(0xF0F1FC));
        break;
    case eVistaAero:
        byScheme(0xE0ECFD, 0xE8EDDE, ShiftColor(rgbHex(0xD4D4D4), 0.06f));
        break;
    case eOffice2003:
        byScheme(0xCAE1FC, 0xD4D6BA, ShiftColor(rgbHex(0xA09EBA), 0.15f));
        break;
    case eOutlook2007:
    case eGelButton:
        byScheme(0xADD1FF, 0xD4D6BA, rgbHex(0xE0DFE3));
        break;
    case eInstallShield:
        byScheme(0xADD1FF, 0xD4D6BA, rgbHex(0xD5D6E1));
        break;
    default:
        break;
    }
    c.ForeColor = sysColor(COLOR_BTNTEXT);
    c.ShowFocusRect = buttonStyle == eStandard || buttonStyle == eFlat || buttonStyle == eInstallShield;
    if (buttonStyle == eOfficeXP)
        c.PicturePushOnHover = true;
}

} // namespace BrennavikBtn
