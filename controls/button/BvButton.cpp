#include "controls/button/BvButton.h"

#include "controls/button/BvToolTip.h"
#include "controls/button/BvWindowHook.h"
#include "platform/components/Twips.h"

#include <QApplication>
#include <QCache>
#include <QDesktopServices>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QUrl>
#include <algorithm>
#include <atomic>

using namespace BrennavikBtn;

namespace BrennavikBtn
{

QPoint PointerProbe::cursorPos() const
{
    return QCursor::pos();
}

QWidget *PointerProbe::windowAt(const QPoint &globalPos) const
{
    QWidget *w = QApplication::widgetAt(globalPos);
    // A tooltip is see-through for the pointer: what counts is the window beneath it, and
    // the only one a button asks about is itself.
    if (auto *tip = qobject_cast<ToolTipWindow *>(w ? w->window() : nullptr)) {
        QWidget *tool = tip->parentWidget();
        return tool && tool->rect().contains(tool->mapFromGlobal(globalPos)) ? tool : nullptr;
    }
    return w;
}

namespace
{
PointerProbe g_realPointer;
PointerProbe *g_pointer = nullptr;
MenuRunner g_menuRunner;
std::atomic<int> g_instances{0};
int g_facesDrawn = 0;
bool g_facesOnDemand = true;

// A window opened again shows the same faces: they are taken from here instead of drawn anew
// (kept up to 4 MB of pixels, the least used going first).
QCache<QByteArray, QImage> &drawnFaces()
{
    static QCache<QByteArray, QImage> faces(4 * 1024 * 1024);
    return faces;
}
} // namespace

int facesDrawn()
{
    return g_facesDrawn;
}

void setFacesDrawnWhenNeeded(bool onDemand)
{
    g_facesOnDemand = onDemand;
}

void setPointerProbe(PointerProbe *probe)
{
    g_pointer = probe;
}

PointerProbe &pointerProbe()
{
    return g_pointer ? *g_pointer : g_realPointer;
}

void setMenuRunner(MenuRunner runner)
{
    g_menuRunner = std::move(runner);
}

DropDownPlacement dropDownPlacement(int align, int flags, int w, int h)
{
    constexpr int RightAlign = 8;   // the menu's right edge at x
    constexpr int BottomAlign = 32; // the menu's bottom edge at y
    DropDownPlacement p;
    p.flags = flags;
    switch (align) {
    case edaBottom:
        p.anchor = {0, h};
        break;
    case edaTop:
        p.anchor = {0, 0};
        p.flags = BottomAlign;
        break;
    case edaLeft:
        p.anchor = {0, 0};
        p.flags = flags | RightAlign;
        break;
    case edaRight:
        p.anchor = {w, 0};
        break;
    case edaTopLeft:
        p.anchor = {0, 0};
        p.flags = BottomAlign | RightAlign;
        break;
    case edaBottomLeft:
        p.anchor = {0, h};
        p.flags = flags | RightAlign;
        break;
    case edaTopRight:
        p.anchor = {w, 0};
        p.flags = BottomAlign;
        break;
    case edaBottomRight:
        p.anchor = {w, h};
        break;
    default:
        return p; // show stays false
    }
    p.show = true;
    return p;
}

QPoint dropDownTopLeft(const QPoint &anchor, int flags, const QSize &menuSize)
{
    QPoint at = anchor;
    if (flags & 8)
        at.rx() -= menuSize.width();
    if (flags & 32)
        at.ry() -= menuSize.height();
    return at;
}

} // namespace BrennavikBtn

namespace
{

// Key codes as the control's events publish them.
short keyCodeOf(const QKeyEvent *e)
{
    const int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return short(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return short(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return short(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return short(e->nativeVirtualKey() & 0xFFFF);
    }
}

short shiftOf(Qt::KeyboardModifiers m)
{
    return short(((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
                 ((m & Qt::AltModifier) ? 4 : 0));
}

short buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

Qt::CursorShape shapeOf(short pointer)
{
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Pictures come from stored designs as images, pixmaps or icons.
BvButton::Picture pictureFrom(const QVariant &v)
{
    using P = BvButton::Picture;
    if (!v.isValid())
        return {};
    if (v.metaType() == QMetaType::fromType<P>())
        return v.value<P>();
    if (v.metaType() == QMetaType::fromType<QImage>()) {
        const QImage img = v.value<QImage>();
        return img.isNull() ? P{} : P::bitmap(img, img.hasAlphaChannel());
    }
    if (v.metaType() == QMetaType::fromType<QPixmap>()) {
        const QImage img = v.value<QPixmap>().toImage();
        return img.isNull() ? P{} : P::bitmap(img, img.hasAlphaChannel());
    }
    if (v.metaType() == QMetaType::fromType<QIcon>()) {
        const QIcon icon = v.value<QIcon>();
        if (icon.isNull())
            return {};
        const QList<QSize> sizes = icon.availableSizes();
        const QSize sz = sizes.isEmpty() ? QSize(32, 32) : sizes.first();
        return P::icon(icon.pixmap(sz).toImage().convertToFormat(QImage::Format_ARGB32));
    }
    return {};
}

void writePicture(pv::PropertyBag &bag, const QString &name, const BvButton::Picture &p)
{
    if (p.isEmpty()) {
        bag.remove(name); // an empty picture is the default
        return;
    }
    if (p.type == BvButton::Picture::Icon)
        bag.set(name, QVariant::fromValue(QIcon(QPixmap::fromImage(p.image))));
    else
        bag.set(name, QVariant::fromValue(p.image));
}

OleColor colorFrom(const QVariant &v)
{
    return OleColor(quint32(v.toLongLong()));
}

constexpr OleColor kButtonFaceRgb = sysColor(COLOR_BTNFACE);
constexpr OleColor kButtonTextRgb = sysColor(COLOR_BTNTEXT);
constexpr OleColor kTooltipBackRgb = sysColor(COLOR_INFOBK);
constexpr int kMinTwips = 220;

} // namespace

// ---------------------------------------------------------------------------------
// Life cycle

BvButton::BvButton(QWidget *parent) : QWidget(parent)
{
    setUp();
    InitProperties();
}

BvButton::BvButton(QWidget *parent, const pv::PropertyBag &design) : QWidget(parent)
{
    setUp();
    m_readingDesign = true;
    InitProperties();
    m_readingDesign = false;
    setObjectName(design.ReadProperty(QStringLiteral("Name")).toString());
    ReadProperties(design);
}

void BvButton::setUp()
{
    ++g_instances;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BvButton::~BvButton()
{
    UnsetPopupMenu();
    HookRelease();
    --g_instances;
}

int BvButton::instanceCount()
{
    return g_instances.load();
}

void BvButton::InitProperties()
{
    m_showFocusRect = true;
    m_enabled = true;
    m_buttonStyle = eWindowsTheme;
    m_caption = m_displayName;
    QFont f = QWidget::font();
    f.setFamily(QStringLiteral("Tahoma"));
    m_font = f;
    applyWindowFont();
    RedrawButton();
    emit PropertyChanged(QStringLiteral("Font"));
    m_pictureOpacity = 255;
    m_pictureOpacityOnOver = 255;
    m_pictureAlign = epLeftOfCaption;
    m_captionAlign = ecCenterAlign;
    m_useMaskColor = true;
    m_maskColor = 0xE0E0E0;
    applyStyleDefaults(true);
    SetAccessKey();
    update();
}

void BvButton::ReadProperties(const pv::PropertyBag &bag)
{
    auto rd = [&bag](const char *name, const QVariant &def) {
        return bag.ReadProperty(QLatin1String(name), def);
    };
    m_buttonStyle = rd("ButtonStyle", int(eFlat)).toInt();
    m_showFocusRect = rd("ShowFocusRect", false).toBool();
    m_font = rd("Font", AmbientFont()).value<QFont>();
    applyWindowFont();
    m_backColor = colorFrom(rd("BackColor", kButtonFaceRgb));
    m_enabled = rd("Enabled", true).toBool();
    m_caption = rd("Caption", QStringLiteral("BvButton")).toString();
    m_value = rd("Value", false).toBool();
    m_mousePointer = short(rd("MousePointer", 0).toInt());
    m_handPointer = rd("HandPointer", false).toBool();
    m_mouseIcon = pictureFrom(rd("MouseIcon", {}));
    m_pictureNormal = pictureFrom(rd("PictureNormal", {}));
    m_pictureHot = pictureFrom(rd("PictureHot", {}));
    m_pictureDown = pictureFrom(rd("PictureDown", {}));
    m_pictureShadow = rd("PictureShadow", false).toBool();
    m_pictureOpacity = quint8(rd("PictureOpacity", 255).toUInt());
    m_pictureOpacityOnOver = quint8(rd("PictureOpacityOnOver", 255).toUInt());
    m_disabledPictureMode = rd("DisabledPictureMode", 0).toInt();
    m_picturePushOnHover = rd("PicturePushOnHover", false).toBool();
    m_pictureEffectOnOver = rd("PictureEffectOnOver", int(epeLighter)).toInt();
    m_pictureEffectOnDown = rd("PictureEffectOnDown", int(epeDarker)).toInt();
    m_maskColor = colorFrom(rd("MaskColor", 0xE0E0E0));
    m_useMaskColor = rd("UseMaskColor", true).toBool();
    m_captionEffects = rd("CaptionEffects", 0).toInt();
    m_mode = rd("Mode", 0).toInt();
    m_pictureAlign = rd("PictureAlign", int(epLeftOfCaption)).toInt();
    m_captionAlign = rd("CaptionAlign", int(ecCenterAlign)).toInt();
    m_foreColor = colorFrom(rd("ForeColor", kButtonTextRgb));
    m_foreColorHover = colorFrom(rd("ForeColorHover", kButtonTextRgb));
    m_dropDownSeparator = rd("DropDownSeparator", false).toBool();
    m_tooltipTitle = rd("TooltipTitle", QString()).toString();
    m_toolTip = rd("ToolTip", QString()).toString();
    m_toolTipIcon = rd("TooltipIcon", 0).toInt();
    m_toolTipType = rd("TooltipType", 0).toInt();
    m_tooltipBackColor = colorFrom(rd("TooltipBackColor", kTooltipBackRgb));
    m_rightToLeft = rd("RightToLeft", false).toBool();
    m_tipRightToLeft = rd("RightToLeft", false).toBool();
    m_dropDownSymbol = rd("DropDownSymbol", 0).toInt();
    m_colorScheme = rd("ColorScheme", 0).toInt();

    QWidget::setEnabled(m_enabled);
    SetAccessKey();
    updateShortcuts();
    // The hand cursor is always at hand here, so HandPointer stays as read.
    applyCursor();
    UserControl_Resize();
    if (m_userMode)
        HookSetUp();
}

void BvButton::WriteProperties(pv::PropertyBag &bag) const
{
    auto wr = [&bag](const char *name, const QVariant &v, const QVariant &def) {
        bag.WriteProperty(QLatin1String(name), v, def);
    };
    wr("ButtonStyle", m_buttonStyle, int(eFlat));
    wr("ShowFocusRect", m_showFocusRect, false);
    wr("Enabled", m_enabled, true);
    wr("Font", m_font, AmbientFont());
    wr("BackColor", m_backColor, kButtonFaceRgb);
    // Omitted only when a read gives it back: a caption equal to the designer's first name
    // "BvButton1" must survive a save and reload.
    wr("Caption", m_caption, QStringLiteral("BvButton"));
    wr("ForeColor", m_foreColor, kButtonTextRgb);
    wr("ForeColorHover", m_foreColorHover, kButtonTextRgb);
    wr("Mode", m_mode, 0);
    wr("Value", m_value, false);
    wr("MousePointer", int(m_mousePointer), 0);
    wr("HandPointer", m_handPointer, false);
    writePicture(bag, QStringLiteral("MouseIcon"), m_mouseIcon);
    writePicture(bag, QStringLiteral("PictureNormal"), m_pictureNormal);
    writePicture(bag, QStringLiteral("PictureHot"), m_pictureHot);
    writePicture(bag, QStringLiteral("PictureDown"), m_pictureDown);
    wr("PictureAlign", m_pictureAlign, int(epLeftOfCaption));
    wr("PictureEffectOnOver", m_pictureEffectOnOver, int(epeLighter));
    wr("PictureEffectOnDown", m_pictureEffectOnDown, int(epeDarker));
    wr("PicturePushOnHover", m_picturePushOnHover, false);
    wr("PictureShadow", m_pictureShadow, false);
    wr("PictureOpacity", QVariant::fromValue<quint8>(m_pictureOpacity), QVariant::fromValue<quint8>(255));
    wr("PictureOpacityOnOver", QVariant::fromValue<quint8>(m_pictureOpacityOnOver),
       QVariant::fromValue<quint8>(255));
    wr("DisabledPictureMode", m_disabledPictureMode, 0);
    // Always stored: its default is no number at all.
    bag.set(QStringLiteral("CaptionEffects"), m_captionEffects);
    wr("UseMaskColor", m_useMaskColor, true);
    wr("MaskColor", m_maskColor, 0xE0E0E0);
    wr("CaptionAlign", m_captionAlign, int(ecCenterAlign));
    wr("ToolTip", m_toolTip, QString());
    wr("TooltipType", m_toolTipType, 0);
    wr("TooltipIcon", m_toolTipIcon, 0);
    wr("TooltipTitle", m_tooltipTitle, QString());
    wr("TooltipBackColor", m_tooltipBackColor, kTooltipBackRgb);
    wr("RightToLeft", m_rightToLeft, false);
    wr("DropDownSymbol", m_dropDownSymbol, 0);
    wr("DropDownSeparator", m_dropDownSeparator, false);
    wr("ColorScheme", m_colorScheme, 0);
}

QFont BvButton::AmbientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void BvButton::setAmbientDisplayAsDefault(bool b)
{
    m_displayAsDefault = b;
    RedrawButton();
}

// ---------------------------------------------------------------------------------
// Drawing

void BvButton::RedrawButton()
{
    if (m_readingDesign)
        return;
    // A checked button is drawn, and counts as, pressed (the two flat-edged styles show
    // their own checked look instead).
    if (m_mode != ebmCommandButton && m_value && m_buttonStyle != eStandard && m_buttonStyle != eXPToolbar)
        m_currentState = eStateDown;
    ButtonPaintState s;
    s.ButtonStyle = m_buttonStyle;
    s.Colors = {m_colorScheme, m_backColor, m_foreColor, m_showFocusRect, m_picturePushOnHover};
    s.ForeColorHover = m_foreColorHover;
    s.Caption = m_caption;
    s.Font = m_font;
    s.CaptionAlign = m_captionAlign;
    s.CaptionEffects = m_captionEffects;
    s.RightToLeft = m_rightToLeft;
    s.PictureNormal = m_pictureNormal;
    s.PictureHot = m_pictureHot;
    s.PictureDown = m_pictureDown;
    s.PictureAlign = m_pictureAlign;
    s.PictureShadow = m_pictureShadow;
    s.PictureEffectOnOver = m_pictureEffectOnOver;
    s.PictureEffectOnDown = m_pictureEffectOnDown;
    s.PictureOpacity = m_pictureOpacity;
    s.PictureOpacityOnOver = m_pictureOpacityOnOver;
    s.DisabledPictureMode = m_disabledPictureMode;
    s.UseMaskColor = m_useMaskColor;
    s.MaskColor = m_maskColor;
    s.DropDownSymbol = m_dropDownSymbol;
    s.DropDownSeparator = m_dropDownSeparator;
    s.Mode = m_mode;
    s.Value = m_value;
    s.Enabled = m_enabled;
    s.W = width();
    s.H = height();
    s.CurrentState = m_currentState;
    s.HasFocus = m_hasFocus;
    s.DisplayAsDefault = m_displayAsDefault;
    s.FormActive = m_formActive;
    s.PointerOver = m_pointerOver;
    s.MouseHeld = m_mouseHeld;
    s.UserMode = m_userMode;
    s.ThemeActive = IsThemeActive();
    s.SurfaceBackColor = m_surfaceBackColor;
    s.PictureRect = m_pictureRect;

    // A window is built and set up through many redraws of which only the last shows, and
    // hidden panels never show theirs. So a redraw keeps its state and the face is drawn
    // from it when first painted or read. What a paint gives back besides the pixels
    // (theme fallback, colours, state, outline) is taken now, from the same paint without
    // caption and pictures: only the content reads those, and it changes nothing but the
    // picture's place, which stays as it is without a normal picture. With one, that
    // place comes from the caption's layout, so such a face is drawn at once.
    const bool onDemand = g_facesOnDemand && s.W > 0 && s.H > 0 && s.PictureNormal.isEmpty();
    ButtonPaintState probe;
    ButtonPaintState *out = &s;
    ButtonPaintResult r;
    if (onDemand) {
        // Nor do they depend on the size: a one-pixel face gives them, and the outline,
        // when it is set, is the style's for the real size (the plain rectangle of a
        // themed face).
        probe = s;
        m_pendingFace = std::move(s);
        probe.Caption.clear();
        probe.PictureHot = {};
        probe.PictureDown = {};
        probe.W = probe.H = 1;
        r = BrennavikBtn::RedrawButton(probe);
        out = &probe;
        if (r.RegionSet)
            r.Region = probe.ButtonStyle == eWindowsTheme
                           ? QRegion(0, 0, m_pendingFace->W, m_pendingFace->H)
                           : ButtonRegion(probe.ButtonStyle, m_pendingFace->W, m_pendingFace->H);
    } else {
        m_pendingFace.reset();
        r = BrennavikBtn::RedrawButton(s);
        ++g_facesDrawn;
    }

    m_buttonStyle = out->ButtonStyle;
    m_colorScheme = out->Colors.ColorScheme;
    m_backColor = out->Colors.BackColor;
    m_foreColor = out->Colors.ForeColor;
    m_showFocusRect = out->Colors.ShowFocusRect;
    m_picturePushOnHover = out->Colors.PicturePushOnHover;
    m_currentState = out->CurrentState;
    m_surfaceBackColor = out->SurfaceBackColor;
    m_pictureRect = out->PictureRect;
    if (r.RegionSet) {
        if (r.Region.isEmpty())
            clearMask();
        else
            setMask(r.Region);
    }
    if (!onDemand)
        m_surface = r.Image;
    update();
}

void BvButton::drawPendingFace() const
{
    if (!m_pendingFace)
        return;
    ButtonPaintState s = std::move(*m_pendingFace);
    m_pendingFace.reset();
    const QByteArray key = faceKey(s);
    if (const QImage *drawn = key.isEmpty() ? nullptr : drawnFaces().object(key)) {
        m_surface = *drawn;
    } else {
        m_surface = BrennavikBtn::RedrawButton(s).Image;
        if (!key.isEmpty())
            drawnFaces().insert(key, new QImage(m_surface), int(m_surface.sizeInBytes()));
    }
    ++g_facesDrawn;
}

QImage BvButton::surface() const
{
    drawPendingFace();
    return m_surface;
}

void BvButton::SetButtonRegion()
{
    const QRegion region = ButtonRegion(m_buttonStyle, width(), height());
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
}

void BvButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawPendingFace();
    if (m_surface.size() != size()) {
        RedrawButton();
        drawPendingFace();
    }
    if (m_surface.isNull())
        p.fillRect(rect(), QColor::fromRgb(0xF0F0F0));
    else
        p.drawImage(0, 0, m_surface);
}

void BvButton::applyStyleDefaults(bool scheme)
{
    ButtonColorSet c{m_colorScheme, m_backColor, m_foreColor, m_showFocusRect, m_picturePushOnHover};
    if (scheme)
        ApplyStyleScheme(m_buttonStyle, c);
    ApplyStyleColors(m_buttonStyle, c);
    m_colorScheme = c.ColorScheme;
    m_backColor = c.BackColor;
    m_foreColor = c.ForeColor;
    m_showFocusRect = c.ShowFocusRect;
    m_picturePushOnHover = c.PicturePushOnHover;
}

void BvButton::applyWindowFont()
{
    QWidget::setFont(m_font);
}

void BvButton::applyCursor()
{
    if (m_handPointer)
        setCursor(Qt::PointingHandCursor);
    else if (m_mousePointer == 99 && !m_mouseIcon.isEmpty())
        setCursor(QCursor(QPixmap::fromImage(m_mouseIcon.image)));
    else if (m_mousePointer == 0)
        unsetCursor();
    else
        setCursor(shapeOf(m_mousePointer));
}

// ---------------------------------------------------------------------------------
// Properties

void BvButton::setBackColor(OleColor c)
{
    m_backColor = c;
    if (m_buttonStyle != eOfficeXP)
        m_colorScheme = ecsCustom; // silently: a run-time colour means a custom scheme
    emit PropertyChanged(QStringLiteral("BackColor"));
    RedrawButton();
}

void BvButton::setButtonStyle(int style)
{
    m_buttonStyle = style;
    applyStyleDefaults(true);
    SetButtonRegion();
    RedrawButton();
    emit PropertyChanged(QStringLiteral("ButtonStyle"));
}

void BvButton::setCaption(const QString &caption)
{
    m_caption = caption;
    SetAccessKey();
    updateShortcuts();
    RedrawButton();
    emit PropertyChanged(QStringLiteral("Caption"));
}

#define BV_SIMPLE_SETTER(Setter, member, Type, Name)                                                         \
    void BvButton::Setter(Type v)                                                                            \
    {                                                                                                        \
        member = v;                                                                                          \
        emit PropertyChanged(QStringLiteral(Name));                                                          \
        RedrawButton();                                                                                      \
    }

BV_SIMPLE_SETTER(setCaptionAlign, m_captionAlign, int, "CaptionAlign")
BV_SIMPLE_SETTER(setDropDownSymbol, m_dropDownSymbol, int, "DropDownSymbol")
BV_SIMPLE_SETTER(setDropDownSeparator, m_dropDownSeparator, bool, "DropDownSeparator")
BV_SIMPLE_SETTER(setDisabledPictureMode, m_disabledPictureMode, int, "DisabledPictureMode")
BV_SIMPLE_SETTER(setForeColor, m_foreColor, OleColor, "ForeColor")
BV_SIMPLE_SETTER(setForeColorHover, m_foreColorHover, OleColor, "ForeColorHover")
BV_SIMPLE_SETTER(setMaskColor, m_maskColor, OleColor, "MaskColor")
BV_SIMPLE_SETTER(setPictureShadow, m_pictureShadow, bool, "PictureShadow")
BV_SIMPLE_SETTER(setPictureEffectOnOver, m_pictureEffectOnOver, int, "PictureEffectOnOver")
BV_SIMPLE_SETTER(setPictureEffectOnDown, m_pictureEffectOnDown, int, "PictureEffectOnDown")
BV_SIMPLE_SETTER(setPicturePushOnHover, m_picturePushOnHover, bool, "PicturePushOnHover")
BV_SIMPLE_SETTER(setPictureOpacity, m_pictureOpacity, quint8, "PictureOpacity")
BV_SIMPLE_SETTER(setPictureOpacityOnOver, m_pictureOpacityOnOver, quint8, "PictureOpacityOnOver")
BV_SIMPLE_SETTER(setCaptionEffects, m_captionEffects, int, "CaptionEffects")
BV_SIMPLE_SETTER(setTooltipTitle, m_tooltipTitle, const QString &, "TooltipTitle")
BV_SIMPLE_SETTER(setToolTip, m_toolTip, const QString &, "ToolTip")
BV_SIMPLE_SETTER(setTooltipBackColor, m_tooltipBackColor, OleColor, "TooltipBackColor")
BV_SIMPLE_SETTER(setToolTipIcon, m_toolTipIcon, int, "ToolTipIcon")
BV_SIMPLE_SETTER(setToolTipType, m_toolTipType, int, "ToolTipType")

#undef BV_SIMPLE_SETTER

void BvButton::setEnabled(bool enabled)
{
    m_enabled = enabled;
    QWidget::setEnabled(enabled);
    updateShortcuts();
    emit PropertyChanged(QStringLiteral("Enabled"));
    RedrawButton();
}

void BvButton::setFont(const QFont &font)
{
    m_font = font;
    applyWindowFont();
    update();
    RedrawButton();
    emit PropertyChanged(QStringLiteral("Font"));
}

void BvButton::setHandPointer(bool b)
{
    m_handPointer = b;
    if (b)
        m_mousePointer = 0;
    applyCursor();
    emit PropertyChanged(QStringLiteral("HandPointer"));
    RedrawButton();
}

void BvButton::setMode(int mode)
{
    m_mode = mode;
    if (mode == ebmCommandButton)
        m_currentState = eStateNormal;
    RedrawButton();
    emit PropertyChanged(QStringLiteral("Value"));
    emit PropertyChanged(QStringLiteral("Mode"));
}

void BvButton::setMouseIcon(const Picture &p)
{
    m_mouseIcon = p;
    if (!p.isEmpty()) {
        m_handPointer = false;
        emit PropertyChanged(QStringLiteral("HandPointer"));
        m_mousePointer = 99;
    } else {
        m_mousePointer = 0;
    }
    applyCursor();
    emit PropertyChanged(QStringLiteral("MouseIcon"));
}

void BvButton::setMousePointer(short shape)
{
    m_mousePointer = shape;
    applyCursor();
    emit PropertyChanged(QStringLiteral("MousePointer"));
}

void BvButton::setPictureNormal(const Picture &p)
{
    m_pictureNormal = p;
    if (!p.isEmpty()) {
        emit PropertyChanged(QStringLiteral("PictureNormal"));
        RedrawButton();
        return;
    }
    // Without a normal picture the others have nothing to stand in for.
    UserControl_Resize();
    m_pictureHot = {};
    m_pictureDown = {};
    emit PropertyChanged(QStringLiteral("PictureHot"));
    emit PropertyChanged(QStringLiteral("PictureDown"));
}

void BvButton::setPictureHot(const Picture &p)
{
    if (m_pictureNormal.isEmpty()) {
        m_pictureNormal = p;
        emit PropertyChanged(QStringLiteral("PictureNormal"));
        return;
    }
    m_pictureHot = p;
    emit PropertyChanged(QStringLiteral("PictureHot"));
    RedrawButton();
}

void BvButton::setPictureDown(const Picture &p)
{
    if (m_pictureNormal.isEmpty()) {
        m_pictureNormal = p;
        emit PropertyChanged(QStringLiteral("PictureNormal"));
        return;
    }
    m_pictureDown = p;
    emit PropertyChanged(QStringLiteral("PictureDown"));
    RedrawButton();
}

void BvButton::setPictureAlign(int a)
{
    m_pictureAlign = a;
    emit PropertyChanged(QStringLiteral("PictureAlign"));
    if (!m_pictureNormal.isEmpty())
        RedrawButton();
}

void BvButton::setUseMaskColor(bool b)
{
    m_useMaskColor = b;
    emit PropertyChanged(QStringLiteral("UseMaskColor"));
    if (!m_pictureNormal.isEmpty())
        RedrawButton();
}

void BvButton::setRightToLeft(bool b)
{
    m_rightToLeft = b;
    m_tipRightToLeft = b;
    emit PropertyChanged(QStringLiteral("RightToLeft"));
    RedrawButton();
}

void BvButton::setShowFocusRect(bool b)
{
    m_showFocusRect = b;
    emit PropertyChanged(QStringLiteral("ShowFocusRect"));
}

void BvButton::setValue(bool v)
{
    if (m_mode == ebmCommandButton) {
        m_currentState = eStateNormal;
        RedrawButton();
        return;
    }
    m_value = v;
    if (!v)
        m_currentState = eStateNormal;
    emit PropertyChanged(QStringLiteral("Value"));
    RedrawButton();
}

void BvButton::setColorScheme(int scheme)
{
    m_colorScheme = scheme;
    applyStyleDefaults(false);
    emit PropertyChanged(QStringLiteral("ColorScheme"));
    RedrawButton();
}

// ---------------------------------------------------------------------------------
// Placement, in twips. The twips last set are kept while they still round to the
// widget's pixels, so that a value set reads back unchanged.

static int keptTwips(int kept, int pixels)
{
    return pv::twipsToPixels(kept) == pixels ? kept : pv::pixelsToTwips(pixels);
}

int BvButton::Left() const
{
    return keptTwips(m_twLeft, x());
}
int BvButton::Top() const
{
    return keptTwips(m_twTop, y());
}
int BvButton::Width() const
{
    return keptTwips(m_twWidth, width());
}
int BvButton::Height() const
{
    return keptTwips(m_twHeight, height());
}

void BvButton::setLeft(int twips)
{
    m_twLeft = twips;
    move(pv::twipsToPixels(twips), y());
}

void BvButton::setTop(int twips)
{
    m_twTop = twips;
    move(x(), pv::twipsToPixels(twips));
}

// The minimum holds for every size set, shown or hidden (a hidden control gets its
// resize event only when it is shown).
void BvButton::setWidth(int twips)
{
    m_twWidth = std::max(twips, kMinTwips);
    resize(pv::twipsToPixels(m_twWidth), height());
}

void BvButton::setHeight(int twips)
{
    m_twHeight = std::max(twips, kMinTwips);
    resize(width(), pv::twipsToPixels(m_twHeight));
}

void BvButton::Move(int left, int top, int width, int height)
{
    setLeft(left);
    setTop(top);
    if (width >= 0)
        setWidth(width);
    if (height >= 0)
        setHeight(height);
}

void BvButton::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void BvButton::UserControl_Resize()
{
    if (m_inResize)
        return;
    m_inResize = true;
    if (Height() < kMinTwips)
        setHeight(kMinTwips);
    if (Width() < kMinTwips)
        setWidth(kMinTwips);
    m_inResize = false;
    SetButtonRegion();
    RedrawButton();
}

// ---------------------------------------------------------------------------------
// Methods

void BvButton::SetPopupMenu(QMenu *Menu, int Align, int Flags, QAction *DefaultMenu)
{
    if (!Menu)
        return;
    m_popupMenu = Menu;
    m_popupAlign = Align;
    m_popupFlags = Flags;
    m_popupDefault = DefaultMenu;
    m_popupSet = true;
}

void BvButton::UnsetPopupMenu()
{
    m_popupMenu = nullptr;
    m_popupDefault = nullptr;
    m_popupSet = false;
    m_popupDismissed = false;
}

void BvButton::OpenWebsite(const QString &sAddress)
{
    // Only web and mail addresses: a stored address must not start programs or open files.
    const QUrl url(sAddress.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || !(scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                            scheme == QLatin1String("mailto")))
        return;
    QDesktopServices::openUrl(url);
}

void BvButton::About()
{
    const QString text = QStringLiteral("Pelvanor button control (BvButton) 1.02\n"
                                        "Author: the Pelvanor developers\n"
                                        "Web: pelvanor.example\n"
                                        "\n"
                                        "Copyright \u00A9 2026 the Pelvanor developers");
    QMessageBox box(QMessageBox::Information, QStringLiteral("About"), text, QMessageBox::Ok, this);
    box.exec();
}

void BvButton::setDefault(bool b)
{
    m_default = b;
    if (b && !m_focusWatch)
        m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { updateDisplayAsDefault(); });
    else if (!b && m_focusWatch)
        disconnect(m_focusWatch);
    updateShortcuts();
    updateDisplayAsDefault();
}

// The default button shows as default unless another button of its form has the focus
// (that one takes Enter then).
void BvButton::updateDisplayAsDefault()
{
    bool show = m_default;
    if (show) {
        auto *focused = qobject_cast<BvButton *>(QApplication::focusWidget());
        show = !focused || focused == this || focused->window() != window();
    }
    if (show != m_displayAsDefault) {
        m_displayAsDefault = show;
        RedrawButton();
    }
}

void BvButton::setCancel(bool b)
{
    m_cancel = b;
    updateShortcuts();
}

// ---------------------------------------------------------------------------------
// Access keys, default and cancel

QChar BvButton::accessKeyOf(const QString &caption)
{
    if (caption.size() <= 1)
        return {};
    const qsizetype a = caption.indexOf(QLatin1Char('&'));
    if (a < 0 || a == caption.size() - 1)
        return {};
    if (caption.at(a + 1) != QLatin1Char('&'))
        return caption.at(a + 1).toLower();
    // "&&" is a literal ampersand; only the next ampersand after it is considered.
    const qsizetype b = caption.indexOf(QLatin1Char('&'), a + 2);
    if (b < 0 || b == caption.size() - 1)
        return {};
    if (caption.at(b + 1) == QLatin1Char('&'))
        return {};
    return caption.at(b + 1).toLower();
}

void BvButton::SetAccessKey()
{
    m_accessKey = accessKeyOf(m_caption);
}

void BvButton::updateShortcuts()
{
    auto make = [this](QShortcut *&sc, const QKeySequence &seq, short keyAscii) {
        if (!sc) {
            sc = new QShortcut(this);
            sc->setContext(Qt::WindowShortcut);
            sc->setAutoRepeat(false);
            connect(sc, &QShortcut::activated, this, [this, keyAscii, sc] {
                short k = keyAscii ? keyAscii : short(m_accessKey.unicode());
                (void)sc;
                UserControl_AccessKeyPress(k);
            });
        }
        sc->setKey(seq);
        sc->setEnabled(!seq.isEmpty() && m_enabled);
    };
    const QKeySequence access =
        m_accessKey.isNull() ? QKeySequence() : QKeySequence::mnemonic(QStringLiteral("&") + m_accessKey);
    if (!access.isEmpty() || m_accessShortcut)
        make(m_accessShortcut, access, 0);
    if (m_default || m_defaultShortcut) {
        make(m_defaultShortcut, m_default ? QKeySequence(Qt::Key_Return) : QKeySequence(), 13);
        make(m_defaultShortcut2, m_default ? QKeySequence(Qt::Key_Enter) : QKeySequence(), 13);
    }
    if (m_cancel || m_cancelShortcut)
        make(m_cancelShortcut, m_cancel ? QKeySequence(Qt::Key_Escape) : QKeySequence(), 27);
}

void BvButton::UserControl_AccessKeyPress(short keyAscii)
{
    if (!m_enabled)
        return;
    if (m_spaceDown) {
        m_spaceDown = false;
        m_mouseHeld = false;
    }
    const bool enterOrEscape = keyAscii == 13 || keyAscii == 27;
    if (m_mode == ebmCheckBox) {
        if (enterOrEscape)
            return;
        setValue(!m_value);
        if (!m_value)
            m_currentState = eStateNormal;
        RedrawButton();
    } else if (m_mode == ebmOptionButton) {
        if (enterOrEscape)
            return;
        ClearOtherOptions();
        setValue(true);
        RedrawButton();
    }
    // The new look is on screen before the form's handler runs.
    if (isVisible())
        repaint();
    emit Click();
}

// ---------------------------------------------------------------------------------
// Mouse

void BvButton::setState(int state)
{
    if (m_currentState != state) {
        m_currentState = state;
        RedrawButton();
    }
}

void BvButton::setStateRedraw(int state)
{
    m_currentState = state;
    RedrawButton();
}

void BvButton::mousePressEvent(QMouseEvent *e)
{
    const int tpp = pv::twipsPerPixel();
    UserControl_MouseDown(buttonOf(e->button()), shiftOf(e->modifiers()), float(e->position().x() * tpp),
                          float(e->position().y() * tpp));
    e->accept();
}

void BvButton::mouseReleaseEvent(QMouseEvent *e)
{
    const int tpp = pv::twipsPerPixel();
    UserControl_MouseUp(buttonOf(e->button()), shiftOf(e->modifiers()), float(e->position().x() * tpp),
                        float(e->position().y() * tpp));
    e->accept();
}

void BvButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    UserControl_DblClick();
    e->accept();
}

void BvButton::mouseMoveEvent(QMouseEvent *e)
{
    UserControl_MouseMove(e->globalPosition().toPoint());
    e->accept();
}

void BvButton::UserControl_MouseDown(short button, short shift, float x, float y)
{
    m_lastButton = button;
    m_lastShift = shift;
    m_lastX = x;
    m_lastY = y;
    if (button != 1 && !m_popupDismissed)
        return;
    m_hasFocus = true;
    m_mouseHeld = true;
    if (!m_spaceDown)
        setState(eStateDown);
    if (!m_popupSet)
        emit MouseDown(button, shift, x, y);
    else if (!m_popupDismissed)
        ShowDropDownMenu();
}

void BvButton::UserControl_MouseUp(short button, short shift, float x, float y)
{
    if (m_popupSet) {
        m_mouseHeld = false;
        m_popupDismissed = false;
        m_currentState = eStateNormal;
        RedrawButton();
        return;
    }
    QPointer<BvButton> self(this);
    if (button == 1) {
        m_mouseHeld = false;
        const int tpp = pv::twipsPerPixel();
        const float scaleW = float(width() * tpp), scaleH = float(height() * tpp);
        if (x > 0 && x < scaleW && y > 0 && y < scaleH) {
            if (m_mode == ebmCheckBox) {
                setValue(!m_value);
            } else if (m_mode == ebmOptionButton) {
                ClearOtherOptions();
                setValue(true);
            }
            m_currentState = eStateNormal;
            RedrawButton();
            emit Click();
            if (!self)
                return;
        }
    }
    emit MouseUp(button, shift, x, y);
}

void BvButton::UserControl_DblClick()
{
    if (m_lastButton != 1)
        return;
    setStateRedraw(eStateDown);
    const bool menuBefore = m_popupSet && !m_popupDismissed;
    QPointer<BvButton> self(this);
    UserControl_MouseDown(m_lastButton, m_lastShift, m_lastX, m_lastY);
    if (!self)
        return;
    if (!m_popupSet)
        emit DblClick();
    else if (!m_popupDismissed && !menuBefore)
        ShowDropDownMenu(); // one menu per press: the press above has already shown it
}

void BvButton::UserControl_MouseMove(const QPoint &globalPos)
{
    QPointer<BvButton> self(this);
    if (pointerProbe().windowAt(globalPos) == this) {
        m_pointerOver = true;
        m_leaveTracked = true; // one leave message per move over the button
        emit MouseEnter();
        if (!self)
            return;
    } else {
        m_pointerOver = false;
    }
    if (m_spaceDown)
        return;
    if (m_pointerOver && !m_mouseHeld) {
        if (m_currentState != eStateOver) {
            setState(eStateOver);
            if (m_currentState != eStateDown)
                CreateToolTip();
        }
    }
    if (m_pointerOver && m_mouseHeld)
        setState(eStateDown);
    if (!m_pointerOver)
        setState(eStateNormal);
}

void BvButton::PointerLeft()
{
    m_pointerOver = false;
    if (m_popupSet) {
        if (m_popupOpen) {
            m_popupOpen = false;
            m_popupDismissed = true;
            return;
        }
        m_popupDismissed = false;
    }
    if (m_spaceDown)
        return;
    setState(eStateNormal);
    emit MouseLeave();
}

void BvButton::ShowDropDownMenu()
{
    const int w = width(), h = height();
    m_popupOpen = true;
    const DropDownPlacement place = dropDownPlacement(m_popupAlign, m_popupFlags, w, h);
    if (!place.show) {
        m_popupOpen = false;
        return;
    }
    m_popupFlags = place.flags;
    QPointer<BvButton> self(this);
    QMenu *menu = m_popupMenu;
    if (menu) {
        menu->ensurePolished();
        const QPoint topLeft = mapToGlobal(dropDownTopLeft(place.anchor, place.flags, menu->sizeHint()));
        if (g_menuRunner) {
            g_menuRunner(menu, topLeft, m_popupDefault);
        } else {
            if (m_popupDefault)
                menu->setDefaultAction(m_popupDefault);
            menu->exec(topLeft);
        }
    }
    if (!self)
        return;
    if (pointerProbe().windowAt(pointerProbe().cursorPos()) == this) {
        m_popupDismissed = true;
    } else {
        m_mouseHeld = false;
        m_pointerOver = false;
        m_spaceDown = false;
        m_currentState = eStateNormal;
        m_popupDismissed = false;
        m_popupOpen = false;
        RedrawButton();
    }
}

void BvButton::ClearOtherOptions()
{
    QWidget *form = window();
    if (!form)
        return;
    const QList<BvButton *> all = form->findChildren<BvButton *>();
    QList<QPointer<BvButton>> group;
    for (BvButton *b : all)
        if (b != this && b->parentWidget() == parentWidget() && b->m_mode == ebmOptionButton)
            group << b;
    for (const auto &b : group)
        if (b)
            b->setValue(false);
}

// ---------------------------------------------------------------------------------
// Keyboard and focus

void BvButton::keyPressEvent(QKeyEvent *e)
{
    QPointer<BvButton> self(this);
    const short code = keyCodeOf(e);
    UserControl_KeyDown(code, shiftOf(e->modifiers()), e->isAutoRepeat());
    if (!self)
        return;
    const QString text = e->text();
    // Alt combinations are menu keys, not characters.
    if (!text.isEmpty() && !(e->modifiers() & Qt::AltModifier)) {
        short ascii = short(text.at(0).unicode());
        emit KeyPress(ascii);
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        e->accept();
        break;
    default:
        e->ignore();
        break;
    }
}

void BvButton::keyReleaseEvent(QKeyEvent *e)
{
    // Held keys repeat as press and release pairs on some desktops; only the real
    // release ends a Space press.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    UserControl_KeyUp(keyCodeOf(e), shiftOf(e->modifiers()));
    e->accept();
}

void BvButton::UserControl_KeyDown(short keyCode, short shift, bool autoRepeat)
{
    QPointer<BvButton> self(this);
    switch (keyCode) {
    case 13:
        emit Click();
        if (!self)
            return;
        break;
    case 32:
        if (shift == 4)
            return; // Alt+Space belongs to the window menu
        // A held Space repeats its press: the first one already toggled and pressed.
        if (autoRepeat)
            break;
        if (m_mouseHeld) {
            setState(m_pointerOver ? eStateDown : eStateNormal);
        } else {
            m_spaceDown = true;
            if (m_mode == ebmCheckBox) {
                setValue(!m_value);
            } else if (m_mode == ebmOptionButton) {
                ClearOtherOptions();
                setValue(true);
            }
            setState(eStateDown);
        }
        break;
    case 37:
    case 38:
        focusNextPrevChild(false);
        break;
    case 39:
    case 40:
        focusNextPrevChild(true);
        break;
    default:
        if (m_spaceDown) {
            m_spaceDown = false;
            setStateRedraw(eStateNormal);
        }
        break;
    }
    short k = keyCode, s = shift;
    emit KeyDown(k, s);
}

void BvButton::UserControl_KeyUp(short keyCode, short shift)
{
    if (keyCode != 32)
        return;
    QPointer<BvButton> self(this);
    if (m_pointerOver && m_mouseHeld) {
        setState(eStateDown);
    } else {
        setState(m_pointerOver ? eStateOver : eStateNormal);
        if (!m_mouseHeld && m_spaceDown) {
            emit Click();
            if (!self)
                return;
        }
    }
    short k = keyCode, s = shift;
    emit KeyUp(k, s);
    if (!self)
        return;
    m_spaceDown = false;
    m_mouseHeld = false;
}

void BvButton::focusInEvent(QFocusEvent *e)
{
    QWidget::focusInEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return; // the drop-down menu closing gives the focus back; nothing changed
    m_hasFocus = true;
}

void BvButton::focusOutEvent(QFocusEvent *e)
{
    QWidget::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return; // an open drop-down menu does not take the focus away from the button
    m_hasFocus = false;
    m_mouseHeld = false;
    m_spaceDown = false;
    setStateRedraw(m_formActive && m_pointerOver ? eStateOver : eStateNormal);
}

bool BvButton::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        // A focused button takes Enter itself, ahead of the form's default button.
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void BvButton::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    QWidget::setToolTip(QString()); // only the button's own tooltip shows
}

void BvButton::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    QWidget::setToolTip(m_toolTip);
}

void BvButton::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        // Enabled changed through the QWidget interface: keep the property in step. A
        // disabled container leaves the button's own Enabled as it is.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != m_enabled) {
            m_enabled = own;
            updateShortcuts();
            emit PropertyChanged(QStringLiteral("Enabled"));
            RedrawButton();
        }
    }
    if (e->type() == QEvent::ParentChange && m_hook) {
        // The form window may have changed: follow it.
        HookRelease();
        HookSetUp();
    }
}

// ---------------------------------------------------------------------------------
// Form activation, pointer leave and theme messages

void BvButton::FormActivated(bool active)
{
    if (active) {
        m_formActive = true;
    } else {
        m_mouseHeld = false;
        m_spaceDown = false;
        m_hasFocus = false;
        m_formActive = false;
    }
    setStateRedraw(eStateNormal);
}

void BvButton::Subclass_WndProc(bool, bool &, qintptr &, qintptr &, int &uMsg, qintptr &wParam, qintptr &)
{
    switch (uMsg) {
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        FormActivated(wParam != 0);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        RedrawButton();
        break;
    case WM_MOUSELEAVE:
        // Qt reports every leave; only one asked for by a move over the button counts.
        if (m_leaveTracked) {
            m_leaveTracked = false;
            PointerLeft();
        }
        break;
    default:
        break;
    }
}

void BvButton::HookSetUp()
{
    if (!m_hook)
        m_hook = std::make_unique<WindowHook>(
            [this](bool before, bool &handled, qintptr &ret, qintptr &hwnd, int &msg, qintptr &w,
                   qintptr &l) { Subclass_WndProc(before, handled, ret, hwnd, msg, w, l); });
    m_hook->UnhookAll(); // a second design read hooks afresh, not twice
    QWidget *form = window();
    m_hook->HookWindow(this);
    m_hook->HookWindow(form);
    m_hook->HookAddMessage(this, WM_MOUSELEAVE, MSG_AFTER);
    m_hook->HookAddMessage(this, WM_THEMECHANGED, MSG_AFTER);
    if (IsThemeActive())
        m_hook->HookAddMessage(this, WM_SYSCOLORCHANGE, MSG_AFTER);
    // No form of this program is an MDI child: its activation is the window's own.
    if (form != this)
        m_hook->HookAddMessage(form, WM_ACTIVATE, MSG_AFTER);
}

void BvButton::HookRelease()
{
    if (m_hook)
        m_hook->UnhookAll();
}

bool BvButton::IsHooked() const
{
    return m_hook && m_hook->hookedCount() > 0;
}

// ---------------------------------------------------------------------------------
// Tooltip

BrennavikBtn::ToolTipWindow *BvButton::ToolTipWindow() const
{
    return m_toolTipWindow;
}

void BvButton::CreateToolTip()
{
    if (!m_enabled || m_popupDismissed || m_currentState == eStateDown)
        return;
    delete m_toolTipWindow.data();
    ToolTipSpec spec;
    spec.text = m_toolTip;
    // An icon shows only beside a title.
    spec.title = m_tooltipTitle;
    spec.icon = m_toolTipIcon;
    spec.balloon = m_toolTipType == TooltipBalloon;
    spec.backColor = m_tooltipBackColor;
    spec.rightToLeft = m_tipRightToLeft;
    m_toolTipWindow = new BrennavikBtn::ToolTipWindow(this, spec);
}
