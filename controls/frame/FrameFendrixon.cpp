#include "controls/frame/FrameFendrixon.h"

#include "platform/components/Fonts.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/SystemColors.h"
#include "platform/components/Twips.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>

namespace
{

using OleColor = FrameFendrixon::OleColor;

constexpr OleColor kHeaderGradientBottomKeyDefault = 0x00C27345;

struct Scheme {
    OleColor buttonColor, buttonHighlightColor, borderColor, foreColor, gradientBottom, gradientTop,
        headerGradientBottom, headerGradientTop;
};
constexpr Scheme kDisabledScheme{0x00759797, 0x00CFCFCF, 0x0080A7BF, 0x00759797,
                                 0x00F8FAFA, 0x00FFFFFF, 0x0090ABAB, 0x00E0E7E7};
constexpr Scheme kSchemes[4] = {
    {0x00000000, 0x00AFAFAF, 0x00CFCFCF, 0x00000000, 0x00EFEFEF, 0x00FFFFFF, 0x00CFCFCF, 0x00F8F8F8},
    {0x00BB6132, 0x00FFFFFF, 0x00CF9365, 0x00FFFFFF, 0x00EBC2A5, 0x00FFFFFF, 0x00C06E40, 0x00F8E9DE},
    {0x00447864, 0x0074AA9B, 0x0074AA9B, 0x00447864, 0x00E3EFEC, 0x00FFFFFF, 0x0079B1A2, 0x00E3EFEC},
    {0x007E6666, 0x00BBA9A8, 0x00BBA9A8, 0x007E6666, 0x00F2EBEC, 0x00FFFFFF, 0x00D7C3C6, 0x00F5F0F0},
};

// Nearest integer, halves to the even neighbour (the default rounding mode).
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// Converts a twip offset to pixels by the program's one rule. Coordinates given as
// "extent minus offset" are anchored to the extent in pixels, so that glyphs keep their
// shape whatever the extent's fraction of a pixel.
int px(double twips)
{
    return pv::twipsToPixels(twips);
}

// A one-pixel line that covers its first point and stops short of its second.
void hline(QImage &img, int x1, int x2, int y, QRgb c)
{
    if (y < 0 || y >= img.height())
        return;
    int from = x1, to = x2 > x1 ? x2 - 1 : x2 + 1;
    if (x1 == x2)
        return;
    if (from > to)
        std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, img.width() - 1);
    auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
    for (int x = from; x <= to; ++x)
        line[x] = c;
}

void vline(QImage &img, int x, int y1, int y2, QRgb c)
{
    if (x < 0 || x >= img.width() || y1 == y2)
        return;
    int from = y1, to = y2 > y1 ? y2 - 1 : y2 + 1;
    if (from > to)
        std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, img.height() - 1);
    for (int y = from; y <= to; ++y)
        reinterpret_cast<QRgb *>(img.scanLine(y))[x] = c;
}

void splitRGB(OleColor c, int &r, int &g, int &b)
{
    r = int(c & 0xFF);
    g = int((c >> 8) & 0xFF);
    b = int((c >> 16) & 0xFF);
}

void rgbToHsl(int R, int G, int B, float &h, float &s, float &l)
{
    const float r = float(R / 255.0), g = float(G / 255.0), b = float(B / 255.0);
    const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
    l = (mx + mn) / 2;
    if (mx == mn) {
        h = 0;
        s = 0;
        return;
    }
    s = l <= 0.5f ? (mx - mn) / (mx + mn) : (mx - mn) / (2 - mx - mn);
    const float d = mx - mn;
    if (r == mx)
        h = (g - b) / d;
    else if (g == mx)
        h = 2 + (b - r) / d;
    else
        h = 4 + (r - g) / d;
}

void hslToRgb(float h, float s, float l, int &R, int &G, int &B)
{
    float r, g, b;
    if (s == 0) {
        r = g = b = l;
    } else {
        const float m1 = l <= 0.5f ? l * (1 - s) : l - s * (1 - l);
        const float m2 = 2 * l - m1;
        const float k = m2 - m1;
        if (h < 0) {
            r = m2, g = m1, b = m1 - h * k;
        } else if (h < 1) {
            r = m2, g = m1 + h * k, b = m1;
        } else if (h < 2) {
            r = m1 - (h - 2) * k, g = m2, b = m1;
        } else if (h < 3) {
            r = m1, g = m2, b = m1 + (h - 2) * k;
        } else if (h < 4) {
            r = m1, g = m1 - (h - 4) * k, b = m2;
        } else {
            r = m1 + (h - 4) * k, g = m1, b = m2;
        }
    }
    auto byte = [](float x) { return std::clamp(roundEven(double(x) * 255), 0, 255); };
    R = byte(r);
    G = byte(g);
    B = byte(b);
}

std::optional<OleColor> toColor(const QVariant &v)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return OleColor(quint32(n));
}

qint32 asInt32(OleColor c)
{
    return qint32(c);
}

short buttonMask(Qt::MouseButtons b)
{
    short m = 0;
    if (b & Qt::LeftButton)
        m |= 1;
    if (b & Qt::RightButton)
        m |= 2;
    if (b & Qt::MiddleButton)
        m |= 4;
    return m;
}

short shiftMask(Qt::KeyboardModifiers k)
{
    short m = 0;
    if (k & Qt::ShiftModifier)
        m |= 1;
    if (k & Qt::ControlModifier)
        m |= 2;
    if (k & Qt::AltModifier)
        m |= 4;
    return m;
}

} // namespace

// The header strip: shows its retained drawing and reports the pointer to the frame.
class FrameHeaderWidget : public QWidget
{
public:
    explicit FrameHeaderWidget(FrameFendrixon *frame) : QWidget(frame), m_frame(frame)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(0, 0, m_frame->headerImage());
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        m_frame->picHeader_MouseMove(float(e->position().x() * pv::twipsPerPixel()));
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            m_pressed = true;
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        const bool click =
            m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        m_pressed = false;
        if (click)
            m_frame->picHeader_Click();
    }
    void mouseDoubleClickEvent(QMouseEvent *) override
    {
        // The second press of a double click is no new click, and the header has no DblClick.
        m_pressed = false;
    }

private:
    FrameFendrixon *m_frame;
    bool m_pressed = false;
};

// --- construction -----------------------------------------------------------------------

namespace
{
std::atomic<int> g_instances{0}; // live frames: the library may go only when none lives
} // namespace

int FrameFendrixon::instanceCount()
{
    return g_instances.load();
}

FrameFendrixon::FrameFendrixon(QWidget *parent, const QString &name) : QWidget(parent)
{
    ++g_instances;
    setObjectName(name);
    m_instanceName = name;
    m_headerFont.setPointSizeF(8); // a new header's font
    m_widthTwips = pv::pixelsToTwips(width());
    m_heightTwips = pv::pixelsToTwips(height());
    setMouseTracking(true);
    m_pointerProbe = [] { return QApplication::widgetAt(QCursor::pos()); };
    UserControl_InitProperties();
    UserControl_Resize();
    UserControl_Paint();
}

FrameFendrixon::FrameFendrixon(QWidget *parent, const QString &name, const pv::PropertyBag &design)
    : QWidget(parent)
{
    ++g_instances;
    setObjectName(name);
    m_instanceName = name;
    m_headerFont.setPointSizeF(8); // a new header's font
    m_widthTwips = pv::pixelsToTwips(width());
    m_heightTwips = pv::pixelsToTwips(height());
    setMouseTracking(true);
    m_pointerProbe = [] { return QApplication::widgetAt(QCursor::pos()); };
    // The host restores the stored size before the properties are read.
    bool okW = false, okH = false;
    const int w = design.ReadProperty(QStringLiteral("Width")).toInt(&okW);
    const int h = design.ReadProperty(QStringLiteral("Height")).toInt(&okH);
    if (okW)
        m_widthTwips = w;
    if (okH)
        m_heightTwips = h;
    resizeWidgetToTwips();
    UserControl_ReadProperties(design);
    UserControl_Paint();
}

FrameFendrixon::~FrameFendrixon()
{
    --g_instances;
}

QFont FrameFendrixon::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void FrameFendrixon::CreateHeaderParts()
{
    if (m_partsCreated)
        return;
    m_partsCreated = true;
    m_picHeader = new FrameHeaderWidget(this);
    m_picHeader->setObjectName(QStringLiteral("picHeader"));
    m_picHeader->setVisible(true);
    m_tmrMouseMove = new QTimer(this);
    m_tmrMouseMove->setObjectName(QStringLiteral("tmrMouseMove"));
    m_tmrMouseMove->stop();
    m_tmrMouseMove->setInterval(10);
    connect(m_tmrMouseMove, &QTimer::timeout, this, &FrameFendrixon::tmrMouseMove_Timer);
    m_imgFramePic = new QLabel(m_picHeader);
    m_imgFramePic->setObjectName(QStringLiteral("imgFramePic"));
    m_imgFramePic->setVisible(false);
    m_imgFramePic->resize(0, 0);
}

void FrameFendrixon::UserControl_InitProperties()
{
    m_fontSize = 8;
    m_displayPicture = false;
    m_enableGradient = false;
    m_expanded = true;
    m_fontBold = m_fontItalic = m_fontStrikethru = m_fontUnderline = false;
    m_button = m_buttonPin = m_framePinned = false;
    m_hoverButton = m_hoverPin = false;
    m_headerPainted = false;
    m_bodyGradientValid = false;
    CreateHeaderParts();
    m_buttonHighlightColor = m_foreColor = m_gradientTop = 0x00FFFFFF;
    m_colorScheme = xpBlue;
    m_buttonColor = m_liveButtonColor = 0x00BB6132;
    m_borderColor = 0x00CF9365;
    m_gradientBottom = 0x00EBC2A5;
    m_headerGradientBottom = 0x00C06E40;
    m_headerGradientTop = 0x00F8E9DE;
    m_caption = instanceName();
    m_headerFont.setPointSizeF(8);
}

// --- colour schemes ---------------------------------------------------------------------

void FrameFendrixon::ApplyColorScheme()
{
    auto apply = [this](const Scheme &s) {
        m_buttonColor = s.buttonColor;
        m_buttonHighlightColor = s.buttonHighlightColor;
        m_borderColor = s.borderColor;
        m_foreColor = s.foreColor;
        m_gradientBottom = s.gradientBottom;
        m_gradientTop = s.gradientTop;
        m_headerGradientBottom = s.headerGradientBottom;
        m_headerGradientTop = s.headerGradientTop;
    };
    if (!Enabled()) {
        apply(kDisabledScheme);
    } else if (m_colorScheme >= 0 && m_colorScheme <= 3) {
        apply(kSchemes[m_colorScheme]);
    }
    m_liveButtonColor = m_buttonColor;
}

QRgb FrameFendrixon::toRgb(OleColor c)
{
    const quint32 t = pv::translateOleColor(c);
    return qRgb(int(t & 0xFF), int((t >> 8) & 0xFF), int((t >> 16) & 0xFF));
}

// --- redraw helpers ---------------------------------------------------------------------

void FrameFendrixon::headerRedraw()
{
    m_headerPainted = false;
    picHeader_Paint();
}

void FrameFendrixon::gradientReset()
{
    m_bodyGradientValid = false;
    m_bodyPicture = QImage();
}

// --- properties -------------------------------------------------------------------------

void FrameFendrixon::setBackColor(OleColor c)
{
    m_backColor = c;
    notify("BackColor");
    fullRedraw();
}

void FrameFendrixon::setBorderColor(OleColor c)
{
    m_borderColor = c;
    notify("BorderColor");
    fullRedraw();
}

void FrameFendrixon::setButton(bool v)
{
    m_button = v;
    notify("Button");
    fullRedraw();
}

void FrameFendrixon::setButtonColor(OleColor c)
{
    m_buttonColor = c;
    notify("ButtonColor");
    fullRedraw();
}

void FrameFendrixon::setButtonHighlightColor(OleColor c)
{
    m_buttonHighlightColor = c;
    notify("ButtonHighlightColor");
    fullRedraw();
}

void FrameFendrixon::setButtonPin(bool v)
{
    m_buttonPin = v;
    notify("ButtonPin");
    fullRedraw();
}

void FrameFendrixon::setCaption(const QString &s)
{
    m_caption = s;
    notify("Caption");
    fullRedraw();
}

void FrameFendrixon::setColorScheme(xFrameStyles s)
{
    m_colorScheme = s;
    ApplyColorScheme();
    if (m_enableGradient)
        gradientReset();
    fullRedraw();
}

void FrameFendrixon::setDisplayPicture(bool v)
{
    m_displayPicture = v;
    notify("DisplayPicture");
    UserControl_Resize();
}

bool FrameFendrixon::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void FrameFendrixon::setEnabled(bool v)
{
    m_enabledState = v;
    QWidget::setEnabled(v);
    applyEnabledEffects();
}

void FrameFendrixon::applyEnabledEffects()
{
    const bool v = Enabled();
    notify("Enabled");
    CreateHeaderParts();
    m_picHeader->setEnabled(v);
    m_imgFramePic->setEnabled(v);
    if (v)
        m_tmrMouseMove->start();
    else
        m_tmrMouseMove->stop();
    ApplyColorScheme();
    if (m_enableGradient)
        gradientReset();
    fullRedraw();
}

void FrameFendrixon::changeEvent(QEvent *e)
{
    // A host that reaches the plain widget call gets the same effects as the property.
    if (e->type() == QEvent::EnabledChange && Enabled() != m_enabledState) {
        m_enabledState = Enabled();
        applyEnabledEffects();
    }
    QWidget::changeEvent(e);
}

void FrameFendrixon::setEnableGradient(bool v)
{
    m_enableGradient = v;
    notify("EnableGradient");
    if (!v)
        gradientReset();
    ApplyColorScheme();
    fullRedraw();
}

void FrameFendrixon::setExpanded(bool v)
{
    m_expanded = v;
    notify("Expanded");
    if (!m_framePinned) {
        if (!v)
            setHeight(CollapsedHeight);
        else if (m_expandedHeight != 0) // never remembered a height: stay as it is
            setHeight(m_expandedHeight);
    }
    headerRedraw();
}

void FrameFendrixon::setFont(const QFont &f)
{
    m_headerFont = f;
    m_fontBold = f.bold();
    m_fontItalic = f.italic();
    m_fontSize = f.pointSizeF() > 0 ? f.pointSizeF() : 0;
    m_fontStrikethru = f.strikeOut();
    m_fontUnderline = f.underline();
    UserControl_Resize();
    notify("Font");
}

void FrameFendrixon::setForeColor(OleColor c)
{
    m_foreColor = c;
    notify("ForeColor");
}

void FrameFendrixon::setFramePinned(bool v)
{
    m_framePinned = v;
    notify("FramePinned");
    fullRedraw();
}

void FrameFendrixon::setGradientBottom(OleColor c)
{
    m_gradientBottom = c;
    notify("GradientBottom");
    if (m_enableGradient)
        gradientReset();
    fullRedraw();
}

void FrameFendrixon::setGradientTop(OleColor c)
{
    m_gradientTop = c;
    notify("GradientTop");
    if (m_enableGradient)
        gradientReset();
    fullRedraw();
}

void FrameFendrixon::setHeaderGradientBottom(OleColor c)
{
    m_headerGradientBottom = c;
    notify("HeaderGradientBottom");
    headerRedraw();
}

void FrameFendrixon::setHeaderGradientTop(OleColor c)
{
    m_headerGradientTop = c;
    notify("HeaderGradientTop");
    headerRedraw();
}

void FrameFendrixon::setPicture(const QPixmap &p)
{
    CreateHeaderParts();
    m_picture = p;
    m_imgFramePic->setPixmap(p);
    m_imgFramePic->resize(p.size());
    notify("Picture");
    m_displayPicture = true;
    UserControl_Resize();
    headerRedraw();
}

// --- size -------------------------------------------------------------------------------

void FrameFendrixon::setSizeTwips(int widthTwips, int heightTwips)
{
    m_widthTwips = widthTwips;
    m_heightTwips = heightTwips;
    resizeWidgetToTwips();
    UserControl_Resize();
    // The platform repaints the surface after every size change.
    UserControl_Paint();
}

void FrameFendrixon::resizeWidgetToTwips()
{
    const QSize want(std::max(0, px(m_widthTwips)), std::max(0, px(m_heightTwips)));
    if (size() != want)
        QWidget::resize(want);
}

void FrameFendrixon::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    // Sizes set in pixels from outside (layouts, the form's own geometry) become twips.
    const QSize want(std::max(0, px(m_widthTwips)), std::max(0, px(m_heightTwips)));
    if (size() == want)
        return;
    if (width() != want.width())
        m_widthTwips = pv::pixelsToTwips(width());
    if (height() != want.height())
        m_heightTwips = pv::pixelsToTwips(height());
    UserControl_Resize();
    UserControl_Paint();
}

void FrameFendrixon::placeHeader()
{
    const int wp = px(m_widthTwips);
    m_picHeader->setGeometry(px(15), px(15), std::max(0, wp - px(30)), px(300));
    if (m_header.size() != m_picHeader->size()) {
        m_header = QImage(m_picHeader->size(), QImage::Format_RGB32);
        if (!m_header.isNull()) {
            m_header.fill(Qt::white);
            pv::setTwipsResolution(m_header);
        }
    }
}

void FrameFendrixon::bringHeaderToFront()
{
    QWidget *top = nullptr;
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o))
            top = w;
    if (top != m_picHeader)
        m_picHeader->raise();
}

void FrameFendrixon::UserControl_Resize()
{
    CreateHeaderParts();
    placeHeader();
    bringHeaderToFront();
    m_headerPainted = false;
    picHeader_Paint();
    if (m_enableGradient)
        m_bodyGradientValid = false;
    if (m_heightTwips != CollapsedHeight)
        m_expandedHeight = m_heightTwips;
}

// --- header behaviour -------------------------------------------------------------------

void FrameFendrixon::picHeader_MouseMove(float X)
{
    const float w = float(m_widthTwips - 30);
    const bool inPinBand = (w - 450) <= X && X <= (w - 300);
    if (m_hoverButton && !inPinBand)
        return;
    if (m_button) {
        m_hoverButton = !inPinBand;
        m_hoverPin = inPinBand;
    } else {
        m_hoverButton = false;
        m_hoverPin = true;
    }
    m_tmrMouseMove->start();
    headerRedraw();
}

void FrameFendrixon::tmrMouseMove_Timer()
{
    QWidget *under = m_pointerProbe ? m_pointerProbe() : nullptr;
    const OleColor target = under == m_picHeader ? m_buttonHighlightColor : m_buttonColor;
    if (m_liveButtonColor == target)
        return;
    m_liveButtonColor = target;
    headerRedraw();
}

void FrameFendrixon::picHeader_Click()
{
    if (m_hoverButton && m_button) {
        if (!m_framePinned) {
            if (m_heightTwips == m_expandedHeight) {
                setHeight(CollapsedHeight);
                m_expanded = false;
            } else {
                if (m_expandedHeight != 0) // never remembered a height: stay as it is
                    setHeight(m_expandedHeight);
                m_expanded = true;
            }
        }
        headerRedraw();
    } else if (m_hoverPin && m_buttonPin) {
        m_framePinned = !m_framePinned;
    }
    notify("Expanded");
    emit Click();
}

// --- persistence ------------------------------------------------------------------------

void FrameFendrixon::UserControl_ReadProperties(const pv::PropertyBag &bag)
{
    // Each step stands alone: a value that cannot be read leaves that property as it was.
    auto color = [&](const char *key, OleColor def, OleColor &out) {
        if (auto c = toColor(bag.ReadProperty(QLatin1String(key), asInt32(def))))
            out = *c;
    };
    auto flag = [&](const char *key, bool def, bool &out) {
        if (auto b = pv::designFlag(bag.ReadProperty(QLatin1String(key), def)))
            out = *b;
    };
    auto optionalFlag = [&](const char *key, bool &out) {
        if (auto b = pv::designFlag(bag.ReadProperty(QLatin1String(key))))
            out = *b;
    };

    CreateHeaderParts();
    {
        bool ok = false;
        const int s = bag.ReadProperty(QStringLiteral("ColorScheme"), 1).toInt(&ok);
        if (ok)
            m_colorScheme = xFrameStyles(s);
    }
    ApplyColorScheme();
    color("BackColor", 0x8000000F, m_backColor);
    color("BorderColor", 0x00CF9365, m_borderColor);
    flag("Button", false, m_button);
    color("ButtonColor", 0x00BB6132, m_buttonColor);
    color("ButtonHighlightColor", 0x00FFFFFF, m_buttonHighlightColor);
    flag("ButtonPin", false, m_buttonPin);
    {
        const QVariant v = bag.ReadProperty(QStringLiteral("Caption"), instanceName());
        if (v.canConvert<QString>())
            m_caption = v.toString();
    }
    flag("DisplayPicture", false, m_displayPicture);
    {
        bool enabled = Enabled();
        flag("Enabled", false, enabled);
        // Only the surface: the header parts and the hover timer keep their state.
        m_enabledState = enabled;
        QWidget::setEnabled(enabled);
        if (!Enabled())
            ApplyColorScheme();
    }
    flag("EnableGradient", false, m_enableGradient);
    flag("Expanded", true, m_expanded);
    {
        const QVariant v = bag.ReadProperty(QStringLiteral("Font"), ambientFont());
        if (v.canConvert<QFont>())
            m_headerFont.setFamily(v.value<QFont>().family());
        else if (v.typeId() == QMetaType::QString && !v.toString().isEmpty())
            m_headerFont.setFamily(v.toString());
    }
    optionalFlag("FontBold", m_fontBold);
    optionalFlag("FontItalic", m_fontItalic);
    {
        bool ok = false;
        const double size = bag.ReadProperty(QStringLiteral("FontSize")).toDouble(&ok);
        if (ok)
            m_fontSize = size;
    }
    optionalFlag("FontStrikeThru", m_fontStrikethru);
    optionalFlag("FontUnderline", m_fontUnderline);
    color("ForeColor", 0x00FFFFFF, m_foreColor);
    flag("FramePinned", false, m_framePinned);
    color("GradientBottom", 0x00EBC2A5, m_gradientBottom);
    color("GradientTop", 0x00FFFFFF, m_gradientTop);
    color("HeaderGradientBottom", kHeaderGradientBottomKeyDefault, m_headerGradientBottom);
    color("HeaderGradientTop", 0x00F8E9DE, m_headerGradientTop);
    {
        const QVariant v = bag.ReadProperty(QStringLiteral("Picture"));
        QPixmap p;
        if (v.canConvert<QPixmap>())
            p = v.value<QPixmap>();
        else if (v.canConvert<QImage>())
            p = QPixmap::fromImage(v.value<QImage>());
        m_picture = p;
        m_imgFramePic->setPixmap(p);
        m_imgFramePic->resize(p.size());
    }
    UserControl_Resize();
}

void FrameFendrixon::UserControl_WriteProperties(pv::PropertyBag &bag) const
{
    auto color = [&](const char *key, OleColor value, OleColor def) {
        bag.WriteProperty(QLatin1String(key), asInt32(value), asInt32(def));
    };
    auto flag = [&](const char *key, bool value, bool def) {
        bag.WriteProperty(QLatin1String(key), value, def);
    };

    color("BackColor", m_backColor, 0x8000000F);
    color("BorderColor", m_borderColor, 0x00CF9365);
    flag("Button", m_button, false);
    color("ButtonColor", m_buttonColor, 0x00BB6132);
    color("ButtonHighlightColor", m_buttonHighlightColor, 0x00FFFFFF);
    flag("ButtonPin", m_buttonPin, false);
    bag.WriteProperty(QStringLiteral("ColorScheme"), qint32(m_colorScheme), qint32(1));
    bag.WriteProperty(QStringLiteral("Caption"), m_caption, instanceName());
    flag("DisplayPicture", m_displayPicture, false);
    flag("Enabled", Enabled(), false);
    flag("EnableGradient", m_enableGradient, false);
    flag("Expanded", m_expanded, true);
    bag.WriteProperty(QStringLiteral("Font"), m_headerFont, ambientFont());
    bag.set(QStringLiteral("FontBold"), m_headerFont.bold());
    color("ForeColor", m_foreColor, 0x00FFFFFF);
    bag.set(QStringLiteral("FontItalic"), m_headerFont.italic());
    bag.set(QStringLiteral("FontSize"), float(m_headerFont.pointSizeF()));
    bag.set(QStringLiteral("FontStrikethru"), m_headerFont.strikeOut());
    bag.set(QStringLiteral("FontUnderline"), m_headerFont.underline());
    flag("FramePinned", m_framePinned, false);
    color("GradientBottom", m_gradientBottom, 0x00EBC2A5);
    color("GradientTop", m_gradientTop, 0x00FFFFFF);
    color("HeaderGradientBottom", m_headerGradientBottom, kHeaderGradientBottomKeyDefault);
    color("HeaderGradientTop", m_headerGradientTop, 0x00F8E9DE);
    if (m_picture.isNull())
        bag.remove(QStringLiteral("Picture"));
    else
        bag.set(QStringLiteral("Picture"), m_picture);
}

// --- body events ------------------------------------------------------------------------

void FrameFendrixon::emitBodyMouse(QMouseEvent *e, int kind)
{
    const int tpp = pv::twipsPerPixel();
    const float x = float(e->position().x() * tpp), y = float(e->position().y() * tpp);
    const short shift = shiftMask(e->modifiers());
    const short button = kind == 1 ? buttonMask(e->buttons()) : buttonMask(e->button());
    if (kind == 0)
        emit MouseDown(button, shift, x, y);
    else if (kind == 1)
        emit MouseMove(button, shift, x, y);
    else
        emit MouseUp(button, shift, x, y);
}

void FrameFendrixon::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_bodyPressed = true;
    emitBodyMouse(e, 0);
}

void FrameFendrixon::mouseMoveEvent(QMouseEvent *e)
{
    emitBodyMouse(e, 1);
}

void FrameFendrixon::mouseReleaseEvent(QMouseEvent *e)
{
    emitBodyMouse(e, 2);
    const bool click =
        m_bodyPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_bodyPressed = false;
    if (click)
        emit Click();
}

void FrameFendrixon::mouseDoubleClickEvent(QMouseEvent *e)
{
    m_bodyPressed = false;
    emitBodyMouse(e, 0);
    if (e->button() == Qt::LeftButton)
        emit DblClick();
}

// --- drawing ----------------------------------------------------------------------------

QImage FrameFendrixon::CreateGradientPicture(int W, int H, bool horizontal, OleColor colourA,
                                             OleColor colourB, int mode)
{
    if (W <= 0 || H <= 0)
        return {};
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 0));
    int ra, ga, ba, rb, gb, bb;
    splitRGB(colourA, ra, ga, ba);
    splitRGB(colourB, rb, gb, bb);
    float ha = 0, sa = 0, la = 0, hb = 0, sb = 0, lb = 0;
    if (mode == 1) {
        rgbToHsl(ra, ga, ba, ha, sa, la);
        rgbToHsl(rb, gb, bb, hb, sb, lb);
    }
    const int n = horizontal ? W : H;
    for (int i = 0; i < n; ++i) {
        // One position has no run to interpolate over: it takes the first colour.
        const double t = n == 1 ? 1.0 : double(n - 1 - i) / double(n - 1);
        int r = 0, g = 0, b = 0;
        if (mode == 0) {
            r = roundEven(t * (ra - rb) + rb);
            g = roundEven(t * (ga - gb) + gb);
            b = roundEven(t * (ba - bb) + bb);
        } else if (mode == 1) {
            const float h = float(hb + t * (ha - hb));
            const float s = float(sb + t * (sa - sb));
            const float l = float(lb + t * (la - lb));
            hslToRgb(h, s, l, r, g, b);
        } else {
            continue;
        }
        const QRgb c = qRgb(r, g, b);
        if (horizontal) {
            for (int y = 0; y < H; ++y)
                reinterpret_cast<QRgb *>(img.scanLine(y))[i] = c;
        } else {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(i));
            std::fill(line, line + W, c);
        }
    }
    return img;
}

void FrameFendrixon::picHeader_Paint()
{
    if (m_headerPainted || !m_picHeader)
        return;
    placeHeader();
    m_headerFont.setBold(m_fontBold);
    m_headerFont.setItalic(m_fontItalic);
    if (m_fontSize != 0)
        m_headerFont.setPointSizeF(double(float(m_fontSize)));
    else
        m_fontSize = 8;
    m_headerFont.setStrikeOut(m_fontStrikethru);
    m_headerFont.setUnderline(m_fontUnderline);
    // The platform's text call draws without smoothing, at whole-pixel advances, in
    // the design font's stand-in.
    QFont crisp = pv::crispFont(m_headerFont);
    crisp.setFamily(pv::standInFamily(m_headerFont.family()));
    m_headerToDraw = HeaderDraw{m_backColor,
                                m_headerGradientTop,
                                m_headerGradientBottom,
                                m_foreColor,
                                crisp,
                                m_caption,
                                m_displayPicture,
                                m_picture,
                                m_imgFramePic->size(),
                                m_buttonPin,
                                m_button,
                                m_framePinned,
                                m_heightTwips == m_expandedHeight,
                                toRgb(m_hoverPin ? m_liveButtonColor : m_buttonColor),
                                toRgb(m_hoverButton ? m_liveButtonColor : m_buttonColor)};
    bringHeaderToFront();
    m_headerPainted = true;
    m_picHeader->update();
}

void FrameFendrixon::drawHeader() const
{
    if (!m_headerToDraw)
        return;
    const HeaderDraw d = std::move(*m_headerToDraw);
    m_headerToDraw.reset();
    const int wp = m_header.width(), hp = m_header.height();
    if (m_header.isNull())
        return;
    m_header.fill(toRgb(d.back));
    const QImage background = CreateGradientPicture(wp, hp, false, d.gradientTop, d.gradientBottom, 0);
    {
        QPainter p(&m_header);
        if (!background.isNull())
            p.drawImage(0, 0, background);

        int captionLeft = px(75);
        if (d.displayPicture) {
            captionLeft = d.pictureSize.width() + px(75);
            if (!d.picture.isNull())
                p.drawPixmap(QRect(QPoint(px(15), px(15)), d.pictureSize), d.picture);
        }
        p.setFont(d.font);
        const QFontMetrics fm(d.font, &m_header);
        const float hh = float(hp * pv::twipsPerPixel());
        const float top = (hh - float(fm.height() * pv::twipsPerPixel())) / 2;
        p.setPen(QColor(toRgb(d.fore)));
        // A caption longer than the header ends in "…" before the pin and the chevron
        // instead of running under them.
        const int glyphs = d.buttonPin ? 435 + (d.button ? 0 : 180) : (d.button ? 240 : 0);
        m_captionRoom = std::max(0, wp - captionLeft - (glyphs ? px(glyphs + 45) : px(75)));
        m_captionFont = d.font;
        m_shownCaption = fm.elidedText(d.caption, Qt::ElideRight, m_captionRoom);
        p.drawText(QPoint(captionLeft, px(top) + fm.ascent()), m_shownCaption);
    }

    // Glyph offsets are twips from the header's right edge, converted each by the one
    // twips-to-pixel rule and taken from the header's width in pixels.
    auto X = [wp](int offset) { return wp - px(offset); };
    auto Y = [](int y) { return px(y); };

    if (d.buttonPin) {
        const QRgb c = d.pinColour;
        const int shift = d.button ? 0 : 180;
        auto h = [&](int from, int to, int y) { hline(m_header, X(from - shift), X(to - shift), Y(y), c); };
        auto v = [&](int x, int y1, int y2) { vline(m_header, X(x - shift), Y(y1), Y(y2), c); };
        if (!d.framePinned) {
            h(435, 390, 135);
            v(390, 90, 195);
            h(390, 315, 105);
            h(390, 315, 155);
            h(390, 315, 170);
            v(315, 105, 180);
        } else {
            h(390, 330, 75);
            v(390, 75, 150);
            v(345, 75, 150);
            v(330, 75, 150);
            h(415, 280, 150);
            v(360, 150, 210);
        }
    }

    if (d.button) {
        const QRgb c = d.buttonColour;
        const bool up = d.expanded;
        auto h = [&](int from, int to, int y) { hline(m_header, X(from), X(to), Y(y), c); };
        for (int y0 : {75, 135}) {
            const int rows[4] = {y0, y0 + 15, y0 + 30, y0 + 45};
            const int r0 = up ? rows[0] : rows[3], r1 = up ? rows[1] : rows[2];
            const int r2 = up ? rows[2] : rows[1], r3 = up ? rows[3] : rows[0];
            h(195, 180, r0);
            h(210, 165, r1);
            h(225, 195, r2);
            h(180, 150, r2);
            h(240, 210, r3);
            h(165, 135, r3);
        }
    }

    hline(m_header, 0, wp, hp - px(30), toRgb(d.back));
}

void FrameFendrixon::UserControl_Paint()
{
    const int wp = std::max(0, px(m_widthTwips)), hp = std::max(0, px(m_heightTwips));
    if (wp > 0 && hp > 0 && m_enableGradient && !m_bodyGradientValid) {
        m_bodyGradientValid = true;
        m_bodyPicture = CreateGradientPicture(wp, hp, false, m_gradientTop, m_gradientBottom, 0);
    }
    m_bodyToDraw = BodyDraw{QSize(wp, hp), m_backColor, m_borderColor, m_bodyPicture};
    m_headerPainted = false;
    picHeader_Paint();
    update();
}

void FrameFendrixon::paintBody(QPainter &p, const BodyDraw &d)
{
    const int wp = d.size.width(), hp = d.size.height();
    p.fillRect(QRect(0, 0, wp, hp), QColor(toRgb(d.back)));
    if (!d.picture.isNull())
        p.drawImage(0, 0, d.picture);
    // One-pixel lines along the four edges.
    const QColor c(toRgb(d.border));
    p.fillRect(QRect(0, 0, wp, 1), c);
    p.fillRect(QRect(0, hp - px(15), wp, 1), c);
    p.fillRect(QRect(0, 0, 1, hp), c);
    p.fillRect(QRect(wp - px(15), 0, 1, hp), c);
}

void FrameFendrixon::drawBody() const
{
    if (!m_bodyToDraw)
        return;
    m_body = QImage(m_bodyToDraw->size, QImage::Format_RGB32);
    if (!m_body.isNull()) {
        QPainter p(&m_body);
        paintBody(p, *m_bodyToDraw);
    }
    m_bodyToDraw.reset();
}

const QImage &FrameFendrixon::bodyImage() const
{
    drawBody();
    return m_body;
}

void FrameFendrixon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A body not drawn yet goes straight to the screen; its image is made for a reader.
    if (m_bodyToDraw && !m_bodyToDraw->size.isEmpty())
        paintBody(p, *m_bodyToDraw);
    else
        p.drawImage(0, 0, bodyImage());
}
