#include "controls/button/BvToolTip.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace BrennavikBtn
{

namespace
{
constexpr int kMargin = 4;
constexpr int kShadow = 3;
constexpr int kStem = 12;  // balloon stem height
constexpr int kRadius = 8; // balloon corners
constexpr int kIconSize = 16;
constexpr int kAutoPopMs = 5000;

QColor fromOle(OleColor c)
{
    const OleColor rgb = translateSystemColor(c);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// The tip's outline filled in the brush and drawn in the pen: painted on the window, and
// in one colour on the bitmap that cuts the window to it.
void drawShape(QPainter &p, const QPainterPath &path, const QBrush &brush, const QPen &pen)
{
    p.setBrush(brush);
    p.setPen(pen);
    p.drawPath(path);
}

QStyle::StandardPixmap iconPixmap(int icon)
{
    switch (icon) {
    case TTIconWarning:
        return QStyle::SP_MessageBoxWarning;
    case TTIconError:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}
} // namespace

ToolTipWindow::ToolTipWindow(QWidget *tool, const ToolTipSpec &spec)
    : QWidget(tool, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowTransparentForInput),
      m_spec(spec), m_tool(tool)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_shaped = !desktopShowsTransparency();
    setAttribute(Qt::WA_ShowWithoutActivating);
    setLayoutDirection(spec.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_wake.setSingleShot(true);
    m_wake.setInterval(qMax(1, QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay)));
    m_autoPop.setSingleShot(true);
    m_autoPop.setInterval(kAutoPopMs);
    connect(&m_wake, &QTimer::timeout, this, [this] { popUp(m_lastPos); });
    connect(&m_autoPop, &QTimer::timeout, this, &QWidget::hide);
    layoutContent();
    if (tool) {
        tool->installEventFilter(this);
        // Created while the pointer rests over the tool: the rest starts now.
        m_lastPos = QCursor::pos();
        m_wake.start();
    }
}

ToolTipWindow::~ToolTipWindow()
{
    if (m_tool)
        m_tool->removeEventFilter(this);
}

QColor ToolTipWindow::backgroundColor() const
{
    return fromOle(m_spec.backColor != 0 ? m_spec.backColor : (kSystemColorFlag | COLOR_INFOBK));
}

void ToolTipWindow::layoutContent()
{
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics fm(font());
    const QFontMetrics tfm(titleFont);
    const int flags = Qt::TextWordWrap | Qt::AlignLeft;
    const QRect avail(0, 0, MaxTipWidth - 2 * kMargin, 10000);

    int x = kMargin, y = kMargin;
    int right = x;
    if (!m_spec.title.isEmpty()) {
        int tx = x;
        if (m_spec.icon != TTNoIcon) {
            m_iconRect = QRect(x, y, kIconSize, kIconSize);
            tx += kIconSize + kMargin;
        }
        const QRect t = tfm.boundingRect(QRect(0, 0, MaxTipWidth - tx - kMargin, 10000), flags, m_spec.title);
        m_titleRect = QRect(tx, y, t.width(), qMax(t.height(), m_iconRect.isNull() ? 0 : kIconSize));
        right = qMax(right, m_titleRect.right() + 1);
        y = m_titleRect.bottom() + 1 + kMargin;
    }
    const QRect b = fm.boundingRect(avail, flags, m_spec.text);
    m_textRect = QRect(x, y, b.width(), b.height());
    right = qMax(right, m_textRect.right() + 1);

    const int top = m_spec.balloon ? kStem : 0;
    const QSize body(right + kMargin, m_textRect.bottom() + 1 + kMargin);
    m_titleRect.translate(0, top);
    m_textRect.translate(0, top);
    m_iconRect.translate(0, top);
    resize(body.width() + kShadow, body.height() + top + kShadow);
    if (m_shaped) {
        QBitmap cut(size());
        cut.clear();
        QPainter p(&cut);
        drawShape(p, shapePath(), Qt::color1, QPen(Qt::color1));
        p.end();
        setMask(cut);
    }
}

QRect ToolTipWindow::bodyRect() const
{
    const int top = m_spec.balloon ? kStem : 0;
    return QRect(0, top, width() - kShadow, height() - top - kShadow);
}

void ToolTipWindow::popUp(const QPoint &globalPos)
{
    if (m_spec.text.isEmpty())
        return;
    // A standard tip sits below the pointer; a balloon points its stem at it.
    QPoint at = m_spec.balloon ? globalPos - QPoint(kRadius + kStem / 2, 0) : globalPos + QPoint(0, 20);
    move(at);
    show();
    raise();
    m_autoPop.start();
}

bool ToolTipWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_tool) {
        switch (e->type()) {
        case QEvent::MouseMove:
            m_lastPos = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
            if (!isVisible())
                m_wake.start();
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            m_wake.stop();
            m_autoPop.stop();
            hide();
            break;
        default:
            break;
        }
    }
    return false;
}

QPainterPath ToolTipWindow::shapePath() const
{
    const QRectF body = bodyRect();
    QPainterPath path;
    if (m_spec.balloon) {
        path.addRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
        QPainterPath stem;
        const qreal sx = m_spec.rightToLeft ? body.right() - kRadius - kStem : body.left() + kRadius;
        stem.moveTo(sx, body.top() + 1);
        stem.lineTo(sx + kStem / 2.0, 0);
        stem.lineTo(sx + kStem, body.top() + 1);
        stem.closeSubpath();
        path = path.united(stem);
    } else {
        path.addRect(body.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    return path;
}

void ToolTipWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPainterPath path = shapePath();
    // A window cut to the tip shows each of its pixels whole: smoothed edges and the
    // see-through shadow would come out dark.
    if (!m_shaped) {
        p.setRenderHint(QPainter::Antialiasing, m_spec.balloon);
        p.fillPath(path.translated(kShadow, kShadow), QColor(0, 0, 0, 60));
    }
    drawShape(p, path, backgroundColor(), fromOle(kSystemColorFlag | COLOR_INFOTEXT));

    const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    if (!m_spec.title.isEmpty()) {
        if (m_spec.icon != TTNoIcon)
            p.drawPixmap(QStyle::visualRect(layoutDirection(), rect(), m_iconRect),
                         style()->standardIcon(iconPixmap(m_spec.icon)).pixmap(kIconSize, kIconSize));
        QFont tf = font();
        tf.setBold(true);
        p.setFont(tf);
        p.drawText(QStyle::visualRect(layoutDirection(), rect(), m_titleRect), flags, m_spec.title);
        p.setFont(font());
    }
    p.drawText(QStyle::visualRect(layoutDirection(), rect(), m_textRect), flags, m_spec.text);
}

} // namespace BrennavikBtn
