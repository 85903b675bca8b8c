#pragma once
// The button's drawing, apart from the widget: the widget fills a ButtonPaintState from
// its properties and run-time flags, calls RedrawButton, copies back the few fields a
// paint may change (listed below), puts the image on the screen in one step and, when the
// paint says so, takes the new outline as its mask.

#include "controls/button/BvButtonEnums.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

namespace BrennavikBtn
{

// A picture property: empty, a bitmap or an icon.
struct ButtonPicture {
    enum Type { None, Bitmap, Icon };
    Type type = None;
    // Bitmap: its pixels (alpha ignored unless is32Bit). Icon: ARGB with its transparency.
    QImage image;
    // A bitmap of 32 bits per pixel whose alpha byte is blended per pixel.
    bool is32Bit = false;

    bool isEmpty() const { return type == None || image.isNull(); }
    int width() const { return isEmpty() ? 0 : image.width(); }
    int height() const { return isEmpty() ? 0 : image.height(); }

    static ButtonPicture bitmap(const QImage &img, bool with32BitAlpha = false)
    {
        return {Bitmap, img, with32BitAlpha};
    }
    static ButtonPicture icon(const QImage &img) { return {Icon, img, false}; }
};

// The colours and flags that ApplyStyleScheme and ApplyStyleColors set.
struct ButtonColorSet {
    int ColorScheme = ecsBlue; // enumXPThemeColors
    OleColor BackColor = 0;
    OleColor ForeColor = 0;
    bool ShowFocusRect = false;
    bool PicturePushOnHover = false;
};

// Everything a paint reads (a field added here goes into faceKey too). Fields marked "out"
// may be changed by RedrawButton; the widget stores them back as its own values.
struct ButtonPaintState {
    // Properties
    int ButtonStyle = eWindowsTheme; // enumButtonStlyes; out (theme fallback)
    ButtonColorSet Colors;           // out (theme fallback; eXPToolbar writes ForeColor)
    OleColor ForeColorHover = 0;
    QString Caption;
    QFont Font; // family mapped to an installed stand-in when drawn
    int CaptionAlign = ecCenterAlign;
    int CaptionEffects = eseNone;
    bool RightToLeft = false;
    ButtonPicture PictureNormal;
    ButtonPicture PictureHot;
    ButtonPicture PictureDown;
    int PictureAlign = epLeftOfCaption;
    bool PictureShadow = false;
    int PictureEffectOnOver = epeNone;
    int PictureEffectOnDown = epeNone;
    int PictureOpacity = 255;
    int PictureOpacityOnOver = 255;
    int DisabledPictureMode = edpBlended;
    bool UseMaskColor = true;
    OleColor MaskColor = 0xE0E0E0;
    int DropDownSymbol = ebsNone;
    bool DropDownSeparator = false;
    int Mode = ebmCommandButton;
    bool Value = false;
    bool Enabled = true;

    // Size of the face in pixels; zero or less draws nothing.
    int W = 0;
    int H = 0;

    // Run-time state
    int CurrentState = eStateNormal; // enumButtonStates; out (checked buttons are forced down)
    bool HasFocus = false;
    bool DisplayAsDefault = false;
    bool FormActive = false;
    bool PointerOver = false;
    bool MouseHeld = false;
    bool UserMode = true;     // the container's ambient UserMode
    bool ThemeActive = false; // visual styles available (none on this platform)
    OleColor SurfaceBackColor = kSystemColorFlag | COLOR_BTNFACE; // out (theme painter)
    QRect PictureRect; // out; kept between paints while PictureNormal is empty
};

struct ButtonPaintResult {
    QImage Image;           // W × H, QImage::Format_RGB32
    bool RegionSet = false; // the paint gave the window a new outline:
    QRegion Region;         // ... this one (for QWidget::setMask)
    QRect CaptionRect;
    QRect PictureRect;
    QRect DropDownRect;
};

// Repaints the whole face for the style and state. May change the "out" fields above.
ButtonPaintResult RedrawButton(ButtonPaintState &s);

// The image alone, for callers that do not need the outline.
QImage paintButton(ButtonPaintState &s);

// Every field a paint reads, as one key: two states with the same key paint the same image.
// Empty for a face drawn by the application's style (a themed face), which no key covers.
QByteArray faceKey(const ButtonPaintState &s);

// The window outline of a style (SetButtonRegion): rounded corners for some styles, the
// plain rectangle for the others; empty for a size of zero or less.
QRegion ButtonRegion(int buttonStyle, int w, int h);

// The default scheme of a style; the styles without one leave it as it is.
void ApplyStyleScheme(int buttonStyle, ButtonColorSet &c);
// The default BackColor, ForeColor, ShowFocusRect and PicturePushOnHover of a style and
// scheme.
void ApplyStyleColors(int buttonStyle, ButtonColorSet &c);

// OLE colour to RGB (0x00BBGGRR) through the control's system-colour table; -1 when the
// value cannot be translated.
OleColor TranslateColor(OleColor c);

} // namespace BrennavikBtn
