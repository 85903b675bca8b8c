#include "controls/progressbar/QuorvelXPProgressBar.h"

#include "platform/components/Fonts.h"
#include "platform/components/Pixels.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/SystemColors.h"
#include "platform/components/Twips.h"

#include <QPainter>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>

namespace
{

using OleColor = QuorvelXPProgressBar::OleColor;

enum SysColor { BtnShadow = 16, BtnHighlight = 20, DkShadow3D = 21, Light3D = 22 };

constexpr OleColor kHighlight = 0x8000000D;
constexpr qint32 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint32 kInt32Max = std::numeric_limits<qint32>::max();

// Nearest integer, halves to the even neighbour (the default rounding mode).
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

int red(OleColor c)
{
    return int(c & 0xFF);
}
int green(OleColor c)
{
    return int((c >> 8) & 0xFF);
}
int blue(OleColor c)
{
    return int((c >> 16) & 0xFF);
}
OleColor ole(int r, int g, int b)
{
    return OleColor(r) | (OleColor(g) << 8) | (OleColor(b) << 16);
}

QRgb rgbOf(OleColor resolved)
{
    return qRgb(red(resolved), green(resolved), blue(resolved));
}

bool valid(const QImage *dc)
{
    return dc && !dc->isNull();
}

void putPixel(QImage *dc, int x, int y, QRgb c)
{
    if (x >= 0 && y >= 0 && x < dc->width() && y < dc->height())
        reinterpret_cast<QRgb *>(dc->scanLine(y))[x] = c;
}

void fillRect(QImage *dc, int l, int t, int r, int b, QRgb c)
{
    if (!valid(dc))
        return;
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, dc->width());
    b = std::min(b, dc->height());
    for (int y = t; y < b; ++y) {
        auto *line = reinterpret_cast<QRgb *>(dc->scanLine(y));
        std::fill(line + std::min(l, r), line + r, c);
    }
}

std::optional<qint32> toInt32(const QVariant &v)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return qint32(quint32(n));
}

QFont standardFont()
{
    QFont f;
    f.setPointSizeF(8);
    return f;
}

} // namespace

// --- construction -----------------------------------------------------------------------

namespace
{
std::atomic<int> g_instances{0}; // live bars: the library may go only when none lives
} // namespace

int QuorvelXPProgressBar::instanceCount()
{
    return g_instances.load();
}

QuorvelXPProgressBar::QuorvelXPProgressBar(QWidget *parent) : QWidget(parent)
{
    ++g_instances;
    QWidget::resize(pv::twipsToPixels(3315), pv::twipsToPixels(495));
    UserControl_Initialize();
}

QuorvelXPProgressBar::QuorvelXPProgressBar(QWidget *parent, const pv::PropertyBag &design) : QWidget(parent)
{
    ++g_instances;
    QWidget::resize(pv::twipsToPixels(3315), pv::twipsToPixels(495));
    UserControl_Initialize();
    UserControl_ReadProperties(design);
}

QuorvelXPProgressBar::~QuorvelXPProgressBar()
{
    --g_instances;
    FreeBuffer();
}

void QuorvelXPProgressBar::UserControl_Initialize()
{
    m_font = standardFont();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrAutoScroll"));
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &QuorvelXPProgressBar::tmrAutoScroll_Timer);
    sethdc();
    m_hWnd = this;
    m_max = 100;
    m_min = 0;
    m_percent = 0;
    m_orientation = ccOrientationHorizontal;
    m_scrolling = ccScrollingStandard;
    m_color = TranslateColor(kHighlight);
    DrawProgressBar();
}

// --- colours ----------------------------------------------------------------------------

OleColor QuorvelXPProgressBar::TranslateColor(OleColor c)
{
    return pv::translateOleColor(c);
}

OleColor QuorvelXPProgressBar::LightenColor(OleColor c, int a)
{
    auto mix = [a](int byte) { return std::min(255, a + ((255 - a) * byte) / 255); };
    return ole(mix(red(c)), mix(green(c)), mix(blue(c)));
}

OleColor QuorvelXPProgressBar::BlendColor(OleColor c1, OleColor c2, int w)
{
    c1 = TranslateColor(c1);
    c2 = TranslateColor(c2);
    auto mix = [w](int b1, int b2) {
        return std::clamp(roundEven((255.0 - w) * b2 / 255.0 + double(w) * b1 / 255.0), 0, 255);
    };
    return ole(mix(red(c1), red(c2)), mix(green(c1), green(c2)), mix(blue(c1), blue(c2)));
}

// --- properties -------------------------------------------------------------------------

void QuorvelXPProgressBar::setAutoScroll(bool v)
{
    m_autoScroll = v;
    notify("AutoScroll");
    if (v) {
        if (!m_timer->isActive())
            m_timer->start();
    } else {
        m_timer->stop();
    }
}

void QuorvelXPProgressBar::setBrushStyle(BrushStyle s)
{
    m_brushStyle = s;
    notify("BrushStyle");
}

void QuorvelXPProgressBar::setColor(OleColor c)
{
    m_color = TranslateColor(c);
    DrawProgressBar();
}

void QuorvelXPProgressBar::setImage(const QPixmap &p)
{
    m_image = p;
    notify("Image");
    DrawProgressBar();
}

void QuorvelXPProgressBar::setMin(qint32 v)
{
    m_min = v;
    notify("Min");
}

void QuorvelXPProgressBar::setMax(qint32 v)
{
    m_max = v;
    notify("Max");
}

void QuorvelXPProgressBar::setOrientation(cOrientation o)
{
    m_orientation = o;
    notify("Orientation");
    DrawProgressBar();
}

void QuorvelXPProgressBar::setScrolling(cScrolling s)
{
    m_scrolling = s;
    notify("Scrolling");
    DrawProgressBar();
}

void QuorvelXPProgressBar::setShowText(bool v)
{
    m_showText = v;
    notify("ShowText");
    DrawProgressBar();
}

// The level maps Min..Max onto 0..100 %. A write that cannot be converted (an empty range,
// or a value whose hundredfold leaves 32 bits) leaves the level as it is.
void QuorvelXPProgressBar::setValue(qint32 v)
{
    const qint64 hundredfold = qint64(v) * 100;
    const qint64 shifted = (qint64(v) - m_min) * 100;
    const qint64 range = qint64(m_max) - m_min;
    if (hundredfold < kInt32Min || hundredfold > kInt32Max || shifted < kInt32Min || shifted > kInt32Max ||
        range == 0)
        return;
    const double percent = std::nearbyint(double(shifted) / double(range));
    if (percent < kInt32Min || percent > kInt32Max)
        return;
    m_percent = qint32(percent);
    DrawProgressBar();
}

qint32 QuorvelXPProgressBar::Value() const
{
    const double v = std::nearbyint(double(m_min) + double(m_percent) / 100.0 * (double(m_max) - m_min));
    return qint32(std::clamp(v, double(kInt32Min), double(kInt32Max)));
}

void QuorvelXPProgressBar::tmrAutoScroll_Timer()
{
    if (m_percent >= 100) {
        m_percent = 0;
        DrawProgressBar();
    }
    m_percent += 1;
    DrawProgressBar();
}

// --- off-screen buffer ------------------------------------------------------------------

QImage &QuorvelXPProgressBar::surface()
{
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        if (!m_surface.isNull()) {
            m_surface.fill(Qt::white);
            pv::setTwipsResolution(m_surface);
        }
    }
    return m_surface;
}

QImage *QuorvelXPProgressBar::EnsureBuffer(int w, int h)
{
    if (!m_buffer.isNull()) {
        // Only ever grows: a dimension that shrank keeps its larger extent.
        if (h > m_buffer.height() || w > m_buffer.width())
            CreateBuffer(std::max(w, m_buffer.width()), std::max(h, m_buffer.height()));
    } else if (w > 0 && h > 0) {
        CreateBuffer(w, h);
    }
    return m_buffer.isNull() ? nullptr : &m_buffer;
}

void QuorvelXPProgressBar::CreateBuffer(int w, int h)
{
    FreeBuffer();
    m_buffer = QImage(w, h, QImage::Format_RGB32);
    if (m_buffer.isNull())
        return;
    m_buffer.fill(Qt::white);
    pv::setTwipsResolution(m_buffer);
}

void QuorvelXPProgressBar::FreeBuffer()
{
    m_buffer = QImage();
}

void QuorvelXPProgressBar::sethdc(qint32)
{
    if (EnsureBuffer(width(), height())) {
        m_drawDC = &m_buffer;
        m_useBuffer = true;
    } else {
        m_drawDC = &surface();
    }
}

void QuorvelXPProgressBar::pDraw(DeviceContext hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst,
                                 int yDst)
{
    if (WidthSrc < 1)
        WidthSrc = m_buffer.width();
    if (HeightSrc < 1)
        HeightSrc = m_buffer.height();
    if (!valid(hdc) || m_buffer.isNull())
        return;
    QPainter p(hdc);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(xDst, yDst), m_buffer, QRect(xSrc, ySrc, WidthSrc, HeightSrc));
}

void QuorvelXPProgressBar::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    sethdc();
    // The platform repaints after a size change.
    DrawProgressBar();
}

void QuorvelXPProgressBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

// --- persistence ------------------------------------------------------------------------

void QuorvelXPProgressBar::UserControl_ReadProperties(const pv::PropertyBag &bag)
{
    if (auto b = pv::designFlag(bag.ReadProperty(QStringLiteral("AutoScroll"), false)))
        m_autoScroll = *b;
    {
        const QVariant v = bag.ReadProperty(QStringLiteral("Font"));
        if (v.canConvert<QFont>())
            setFont(v.value<QFont>());
    }
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("BrushStyle"), 4)))
        m_brushStyle = BrushStyle(*n);
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Color"), qint32(kHighlight))))
        setColor(OleColor(*n));
    {
        const QVariant v = bag.ReadProperty(QStringLiteral("Image"));
        if (v.canConvert<QPixmap>())
            m_image = v.value<QPixmap>();
        else if (v.canConvert<QImage>())
            m_image = QPixmap::fromImage(v.value<QImage>());
        else
            m_image = QPixmap();
    }
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Max"), 100)))
        setMax(*n);
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Min"), 0)))
        setMin(*n);
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Orientation"), 0)))
        setOrientation(cOrientation(*n));
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Scrolling"), 0)))
        setScrolling(cScrolling(*n));
    if (auto b = pv::designFlag(bag.ReadProperty(QStringLiteral("ShowText"), false)))
        setShowText(*b);
    if (auto n = toInt32(bag.ReadProperty(QStringLiteral("Value"), 0)))
        setValue(*n);
    if (m_autoScroll && !m_timer->isActive())
        m_timer->start();
}

void QuorvelXPProgressBar::UserControl_WriteProperties(pv::PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("AutoScroll"), m_autoScroll, false);
    bag.set(QStringLiteral("Font"), m_font);
    bag.WriteProperty(QStringLiteral("BrushStyle"), qint32(m_brushStyle), qint32(4));
    bag.WriteProperty(QStringLiteral("Color"), qint32(m_color), qint32(kHighlight));
    if (m_image.isNull())
        bag.remove(QStringLiteral("Image"));
    else
        bag.set(QStringLiteral("Image"), m_image);
    bag.WriteProperty(QStringLiteral("Max"), m_max, qint32(100));
    bag.WriteProperty(QStringLiteral("Min"), m_min, qint32(0));
    bag.WriteProperty(QStringLiteral("Orientation"), qint32(m_orientation), qint32(0));
    bag.WriteProperty(QStringLiteral("Scrolling"), qint32(m_scrolling), qint32(0));
    bag.WriteProperty(QStringLiteral("ShowText"), m_showText, false);
    // The value in the bar's own range, so that any range survives a save and a load.
    bag.WriteProperty(QStringLiteral("Value"), Value(), qint32(0));
}

// --- drawing primitives -----------------------------------------------------------------

void QuorvelXPProgressBar::DrawLine(int X, int Y, int Width, int Height, DeviceContext cHdc, OleColor Color)
{
    if (valid(cHdc))
        pv::drawLine(*cHdc, X, Y, Width, Height, rgbOf(TranslateColor(Color)));
}

void QuorvelXPProgressBar::DrawGradient(OleColor &lEndColor, OleColor &lStartcolor, int X, int Y, int X2,
                                        int Y2, DeviceContext hdc, bool bH)
{
    lEndColor = TranslateColor(lEndColor);
    lStartcolor = TranslateColor(lStartcolor);
    const float er = float(red(lEndColor)), eg = float(green(lEndColor)), eb = float(blue(lEndColor));
    const float sr = float(red(lStartcolor)), sg = float(green(lStartcolor)), sb = float(blue(lStartcolor));
    const int n = bH ? X2 : Y2;
    float stepR = 0, stepG = 0, stepB = 0; // n = 0: one line in the end colour
    if (n != 0) {
        stepR = (sr - er) / float(n);
        stepG = (sg - eg) / float(n);
        stepB = (sb - eb) / float(n);
    }
    for (int i = 0; i <= n; ++i) {
        auto channel = [i](float e, float step) {
            return std::clamp(roundEven(double(e + step * float(i))), 0, 255);
        };
        const OleColor c = ole(channel(er, stepR), channel(eg, stepG), channel(eb, stepB));
        if (bH)
            DrawLine(X + i, Y, X + i, Y2, hdc, c);
        else
            DrawLine(X, Y + i, X2, Y + i, hdc, c);
    }
}

void QuorvelXPProgressBar::FillColorRect(const Rect &r, OleColor c)
{
    fillRect(m_drawDC, r.left, r.top, r.right, r.bottom, rgbOf(TranslateColor(c)));
}

void QuorvelXPProgressBar::FrameColorRect(const Rect &r, OleColor c)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const QRgb rgb = rgbOf(c);
    fillRect(m_drawDC, r.left, r.top, r.right, r.top + 1, rgb);
    fillRect(m_drawDC, r.left, r.bottom - 1, r.right, r.bottom, rgb);
    fillRect(m_drawDC, r.left, r.top, r.left + 1, r.bottom, rgb);
    fillRect(m_drawDC, r.right - 1, r.top, r.right, r.bottom, rgb);
}

// A three-dimensional edge on all four sides: bit 1 raised outer, 2 sunken outer,
// 4 raised inner, 8 sunken inner. Top and left take the first colour of a ring, bottom
// and right (with the far corners) the second.
void QuorvelXPProgressBar::DrawEdge(const Rect &rect, int edge)
{
    auto sys = [](int index) { return rgbOf(TranslateColor(0x80000000u | quint32(index))); };
    auto ring = [this](Rect r, QRgb topLeft, QRgb bottomRight) {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        fillRect(m_drawDC, r.left, r.top, r.right - 1, r.top + 1, topLeft);
        fillRect(m_drawDC, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
        fillRect(m_drawDC, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
        fillRect(m_drawDC, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    };
    Rect r = rect;
    if (edge & 1)
        ring(r, sys(Light3D), sys(DkShadow3D));
    else if (edge & 2)
        ring(r, sys(BtnShadow), sys(BtnHighlight));
    if (edge & 3)
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (edge & 4)
        ring(r, sys(BtnHighlight), sys(BtnShadow));
    else if (edge & 8)
        ring(r, sys(DkShadow3D), sys(Light3D));
}

// --- the redraw -------------------------------------------------------------------------

void QuorvelXPProgressBar::DrawProgressBar()
{
    if (m_percent > 100)
        m_percent = 100;
    // A size change the platform has not delivered yet still gets a large enough buffer.
    if (m_useBuffer && (width() > m_buffer.width() || height() > m_buffer.height()))
        sethdc();
    if (!m_useBuffer)
        m_drawDC = &surface();
    const QWidget *w = m_hWnd ? m_hWnd : this;
    m_client = {0, 0, w->width(), w->height()};
    FillColorRect(m_client, m_scrolling == ccScrollingMediaPlayer ? 0x00000000 : 0x00FFFFFF);
    switch (m_scrolling) {
    case ccScrollingOfficeXP:
        DrawOfficeXP();
        break;
    case ccScrollingPastel:
        DrawPastel();
        break;
    case ccScrollingJavT:
        DrawJavT();
        break;
    case ccScrollingMediaPlayer:
        DrawMediaPlayer();
        break;
    case ccScrollingCustomBrush:
        DrawCustomBrush();
        break;
    case ccScrollingPicture:
        DrawPicturePattern();
        break;
    case ccScrollingMetallic:
        DrawMetallic();
        break;
    default:
        CalcBlocks();
        DrawBlocks();
        if (m_scrolling == ccScrollingStandard)
            DrawSeparators();
        DrawXPBorder();
        break;
    }
    DrawBarText();
    if (m_useBuffer)
        pDraw(&surface(), 0, 0, width(), height(), 0, 0);
    update();
}

void QuorvelXPProgressBar::CalcBlocks()
{
    m_blockWidth = m_scrolling == ccScrollingStandard ? 6 : 0;
    m_blockGap = 2;
    m_client.left += 3;
    m_progress = m_client;
    m_fillFraction = m_percent / 98.0; // a full bar reaches past the edge, which cuts it
    if (m_fillFraction < 0)
        m_fillFraction = 0;
    const int step = m_blockWidth + m_blockGap;
    if (m_orientation == ccOrientationHorizontal) {
        const int x = roundEven((m_client.right - m_client.left) * m_fillFraction + m_client.left);
        m_progress.right = x - ((x - m_progress.left) % step);
        if (m_progress.right < m_client.left)
            m_progress.right = m_client.left;
    } else {
        m_fillFraction = 1 - m_fillFraction;
        const int y = roundEven((m_client.bottom - m_client.top) * m_fillFraction + m_client.top);
        m_progress.top = y - ((y - m_progress.bottom) % step);
        if (m_progress.top > m_client.bottom)
            m_progress.top = m_client.bottom;
    }
}

void QuorvelXPProgressBar::DrawBlocks()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    const bool search = m_scrolling == ccScrollingSearch;
    const int p = m_percent;
    auto gradient = [this](OleColor a, OleColor b, int x, int y, int x2, int y2, bool bH) {
        DrawGradient(a, b, x, y, x2, y2, m_drawDC, bH);
    };
    if (m_orientation == ccOrientationHorizontal) {
        if (m_progress.right <= 14)
            m_progress.right = 12; // a minimum stub
        const int r = m_progress.right + 4 > W ? m_progress.right - 4 : m_progress.right;
        const Rect R{4, 8, r, H - 8};
        if (search) {
            for (int i = 0; i < 3; ++i) {
                const int left = roundEven(m_progress.right + (m_blockGap + 10) * i - (100 - p) / 100.0 * 45);
                gradient(LightenColor(c, 220 - 40 * i), LightenColor(c, 200 - 40 * i), left, 3, 9, H - 2,
                         true);
            }
            return;
        }
        gradient(LightenColor(c, 150), c, 4, 3, R.right, 6, false);
        FillColorRect(R, c);
        gradient(c, LightenColor(c, 150), 4, R.bottom - 2, R.right, 6, false);
    } else {
        const Rect R{9, m_progress.top, W - 8, H};
        if (search) {
            for (int i = 0; i < 3; ++i) {
                const int top = m_progress.top + (m_blockGap + 10) * i;
                gradient(LightenColor(c, 220 - 40 * i), LightenColor(c, 200 - 40 * i), W - 2, top, 2, 9,
                         false);
            }
            return;
        }
        gradient(LightenColor(c, 150), c, 4, m_progress.top, 4, H, true);
        FillColorRect(R, c);
        gradient(c, LightenColor(c, 150), W - 8, m_progress.top, 4, H, true);
    }
}

void QuorvelXPProgressBar::DrawSeparators()
{
    Rect S = m_client;
    const int step = m_blockWidth + m_blockGap;
    if (m_orientation == ccOrientationHorizontal) {
        for (int x = m_progress.left + m_blockWidth; x <= m_progress.right; x += step) {
            S.left = x + 1;
            S.right = x + 1 + m_blockGap;
            FillColorRect(S, 0x00FFFFFF);
        }
    } else {
        for (int y = m_progress.bottom; y >= m_progress.top + m_blockWidth; y -= step) {
            S.top = y - 2;
            S.bottom = y - 2 + m_blockGap;
            FillColorRect(S, 0x00FFFFFF);
        }
    }
}

void QuorvelXPProgressBar::DrawXPBorder()
{
    m_client.left -= 3;
    const int W = m_client.right, H = m_client.bottom;
    DrawLine(2, 1, W - 2, 1, m_drawDC, 0x00BEBEBE);
    DrawLine(2, H - 2, W - 2, H - 2, m_drawDC, 0x00EFEFEF);
    DrawLine(1, 2, 1, H - 2, m_drawDC, 0x00BEBEBE);
    DrawLine(2, 2, 2, H - 2, m_drawDC, 0x00EFEFEF);
    DrawLine(2, 2, W - 2, 2, m_drawDC, 0x00EFEFEF);
    DrawLine(W - 2, 2, W - 2, H - 2, m_drawDC, 0x00EFEFEF);
    FrameColorRect(m_client, 0x00686868);
    struct Dot {
        int x, y;
        OleColor c;
    };
    const Dot corners[] = {
        {0, 0, 0x00FFFFFF},         {0, 1, 0x00A6ABAC},         {0, 2, 0x007D7E7F},
        {1, 0, 0x00A7ABAC},         {1, 1, 0x00777777},         {2, 0, 0x007D7E7F},
        {2, 2, 0x00BEBEBE},         {0, H - 1, 0x00FFFFFF},     {1, H - 1, 0x00A6ABAC},
        {2, H - 1, 0x007D7E7F},     {0, H - 3, 0x007D7E7F},     {0, H - 2, 0x00A7ABAC},
        {1, H - 2, 0x00777777},     {W - 1, 0, 0x00FFFFFF},     {W - 1, 1, 0x00BEBEBE},
        {W - 1, 2, 0x007D7E7F},     {W - 2, 2, 0x00BEBEBE},     {W - 2, 1, 0x00686868},
        {W - 1, H - 1, 0x00FFFFFF}, {W - 1, H - 2, 0x00BEBEBE}, {W - 1, H - 3, 0x007D7E7F},
        {W - 2, H - 2, 0x00777777}, {W - 2, H - 1, 0x00BEBEBE}, {W - 3, H - 1, 0x007D7E7F},
    };
    if (!valid(m_drawDC))
        return;
    for (const Dot &d : corners)
        putPixel(m_drawDC, d.x, d.y, rgbOf(TranslateColor(d.c)));
}

void QuorvelXPProgressBar::DrawOfficeXP()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    FrameColorRect(m_client, LightenColor(c, 100));
    m_progress = {1, 1, roundEven(m_percent / 100.0 * W), H - 1};
    FillColorRect(m_progress, LightenColor(c, 180));
}

void QuorvelXPProgressBar::DrawPastel()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    DrawEdge(m_client, 6);
    const int h = roundEven(m_percent / 100.0 * (W - 4));
    OleColor a = LightenColor(c, 140), b = LightenColor(c, 200);
    DrawGradient(a, b, 2, 2, h, H - 3, m_drawDC, true);
}

void QuorvelXPProgressBar::DrawJavT()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    FrameColorRect(m_client, LightenColor(c, 10));
    m_progress.right = roundEven(m_percent / 101.0 * W);
    OleColor a = c, b = LightenColor(c, 100);
    DrawGradient(a, b, 2, 2, W - 2, H - 5, m_drawDC, false);
    a = LightenColor(c, 250);
    b = c;
    DrawGradient(a, b, 3, 3, m_progress.right, H - 6, m_drawDC, false);
    DrawLine(m_progress.right, 2, m_progress.right, H - 2, m_drawDC, LightenColor(c, 25));
}

void QuorvelXPProgressBar::DrawMediaPlayer()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    FrameColorRect(m_client, BlendColor(c, 0x00000000, 200));
    const int m = roundEven(m_percent / 100.0 * (W - 5));
    OleColor a = 0x00000000, b = LightenColor(BlendColor(c, 0x00000000, 100), 10);
    DrawGradient(a, b, 2, 2, m, H - 2, m_drawDC, true);
}

void QuorvelXPProgressBar::DrawCustomBrush()
{
    const int W = m_client.right, H = m_client.bottom;
    DrawEdge(m_client, 9);
    m_progress = {2, 2, roundEven(m_percent / 101.0 * W), H - 2};
    if (!valid(m_drawDC))
        return;
    const QRgb fore = rgbOf(TranslateColor(m_color));
    const QRgb back = rgbOf(LightenColor(m_color, 140));
    // 8 x 8 hatch cells anchored at the surface's origin; the gaps show the background colour.
    auto hatched = [this](int x, int y) {
        const bool h = (y & 7) == 0, v = (x & 7) == 0;
        const bool f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
        switch (m_brushStyle) {
        case HS_HORIZONTAL:
            return h;
        case HS_VERTICAL:
            return v;
        case HS_FDIAGONAL:
            return f;
        case HS_BDIAGONAL:
            return b;
        case HS_CROSS:
            return h || v;
        case HS_DIAGCROSS:
            return f || b;
        default:
            return true; // solid, and any style the hatch set does not name
        }
    };
    const Rect &r = m_progress;
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, m_drawDC->height()); ++y)
        for (int x = std::max(r.left, 0); x < std::min(r.right, m_drawDC->width()); ++x)
            putPixel(m_drawDC, x, y, hatched(x, y) ? fore : back);
}

void QuorvelXPProgressBar::DrawPicturePattern()
{
    const int W = m_client.right, H = m_client.bottom;
    DrawEdge(m_client, 2);
    if (m_image.isNull() || !valid(m_drawDC))
        return;
    const int w = roundEven(m_percent / 101.0 * W);
    m_progress.right = w;
    if (w <= 0 || H - 4 <= 0)
        return;
    QPainter p(m_drawDC);
    p.setBrushOrigin(0, 0);
    p.fillRect(QRect(2, 2, w, H - 4), QBrush(m_image));
}

void QuorvelXPProgressBar::DrawMetallic()
{
    const OleColor c = m_color;
    const int W = m_client.right, H = m_client.bottom;
    const int pr = roundEven(m_percent / 100.0 * (W - 4));
    m_progress.right = pr;
    const int t = roundEven((H - 3) / 2.0);
    OleColor a = 0x00FFFFFF, b = 0x00C0C0C0;
    DrawGradient(a, b, 2, 2, W - 3, t, m_drawDC, false);
    a = 0x00C0C0C0;
    b = 0x00C0C0C0;
    DrawGradient(a, b, 2, t, W - 3, t, m_drawDC, false);
    a = LightenColor(c, 150);
    b = BlendColor(c, 0x00000000, 180);
    DrawGradient(a, b, 2, 2, pr, t, m_drawDC, false);
    a = BlendColor(c, 0x00000000, 190);
    b = c;
    DrawGradient(a, b, 2, t, pr, t, m_drawDC, false);
    m_client.left += 3;
    DrawXPBorder();
}

// --- text -------------------------------------------------------------------------------

namespace
{
void drawClippedText(QImage *dc, const QFont &font, QRgb colour, const QuorvelXPProgressBar::Rect &r,
                     const QString &text)
{
    if (!valid(dc) || r.right <= r.left || r.bottom <= r.top)
        return;
    QPainter p(dc);
    const QFont crisp = pv::crispFont(font); // the platform's text call draws without smoothing
    p.setFont(crisp);
    p.setPen(QColor(colour));
    p.setClipRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    const QFontMetrics fm(crisp, dc);
    p.drawText(QPoint(r.left, r.top + fm.ascent()), text);
}
} // namespace

void QuorvelXPProgressBar::CenterText(const QString &text)
{
    const int W = m_client.right, H = m_client.bottom;
    const QFontMetrics fm(m_font, m_drawDC);
    const int w = fm.horizontalAdvance(text), h = fm.height();
    m_text.left = roundEven(W / 2.0 - w / 2.0);
    m_text.top = roundEven(H / 2.0 - h / 2.0);
    m_text.right = m_text.left + w;
    m_text.bottom = m_text.top + h;
}

void QuorvelXPProgressBar::DrawBarText()
{
    const QString text = m_scrolling == ccScrollingSearch ? QStringLiteral(" Lütfen Bekleyiniz...")
                                                          : QString::number(m_percent) + QStringLiteral(" %");
    if (!m_showText || !valid(m_drawDC))
        return;
    const bool twoTone = m_scrolling == ccScrollingMediaPlayer || m_scrolling == ccScrollingMetallic;
    const QRgb colour =
        rgbOf(TranslateColor(m_scrolling == ccScrollingMediaPlayer ? 0x00C0C0C0 : 0x00000000));
    CenterText(text);
    const double filled = m_percent / 100.0 * m_client.right;
    if (!(twoTone && filled > m_text.right))
        drawClippedText(m_drawDC, m_font, colour, m_text, text);
    if (twoTone)
        DrawFillText(text);
}

void QuorvelXPProgressBar::DrawFillText(const QString &text)
{
    const double filled = m_percent / 100.0 * m_client.right;
    if (filled < m_text.left)
        return;
    const OleColor c =
        TranslateColor(m_scrolling == ccScrollingMediaPlayer ? LightenColor(m_color, 80) : 0x00FFFFFF);
    m_text.right = roundEven(filled);
    drawClippedText(m_drawDC, m_font, rgbOf(c), m_text, text);
}
