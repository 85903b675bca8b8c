#include "app/shell/BrennavikAutoSizer.h"

#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QWidget>
#include <cmath>
#include <limits>

namespace
{

const QString kPrefix = QStringLiteral("AutoSizer:");

double tw(int pixels)
{
    return double(pv::pixelsToTwips(pixels));
}
int px(double twips)
{
    return pv::twipsToPixels(twips);
}

// The hourglass while the controls move, and the pointer as it was afterwards.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

BrennavikAutoSizer::BrennavikAutoSizer(QWidget *parentForm) : QObject(parentForm), m_form(parentForm)
{
    setObjectName(QStringLiteral("BrennavikAutoSizer1"));
    if (parentForm)
        parentForm->installEventFilter(this);
}

void BrennavikAutoSizer::ReadProperties(const pv::PropertyBag &bag)
{
    m_enabled = bag.ReadProperty(QStringLiteral("Enabled"), true).toBool();
    m_minWidth = bag.ReadProperty(QStringLiteral("MinWidth"), 0).toInt();
    m_minHeight = bag.ReadProperty(QStringLiteral("MinHeight"), 0).toInt();
    m_maxWidth = bag.ReadProperty(QStringLiteral("MaxWidth"), 0).toInt();
    m_maxHeight = bag.ReadProperty(QStringLiteral("MaxHeight"), 0).toInt();
}

bool BrennavikAutoSizer::isMarked(const QString &tag)
{
    return !tag.isEmpty() && tag.left(10) == kPrefix;
}

QString BrennavikAutoSizer::flagsOf(const QString &tag)
{
    return tag.toUpper().remove(QStringLiteral("AUTOSIZER:"));
}

QString BrennavikAutoSizer::controlName(const QWidget *w)
{
    const QVariant index = w->property("Index");
    if (index.isValid())
        return w->objectName() + QLatin1Char('(') + index.toString() + QLatin1Char(')');
    return w->objectName();
}

bool BrennavikAutoSizer::isLine(const QWidget *w)
{
    return w->property("X1").isValid() && w->property("X2").isValid() && w->property("Y1").isValid() &&
           w->property("Y2").isValid();
}

QWidget *BrennavikAutoSizer::referenceContainer(QWidget *w, const QString &flags) const
{
    if (flags.contains(QLatin1Char('C')) && w->parentWidget())
        return w->parentWidget();
    return m_form;
}

QString BrennavikAutoSizer::containerName(QWidget *container) const
{
    return controlName(container);
}

double BrennavikAutoSizer::recorded(const QString &key) const
{
    return m_values.value(key, std::numeric_limits<double>::quiet_NaN());
}

std::vector<BrennavikAutoSizer::Marked> BrennavikAutoSizer::markedControls() const
{
    std::vector<Marked> marked;
    for (QWidget *c : m_form->findChildren<QWidget *>()) {
        const QString tag = c->property("Tag").toString();
        if (!isMarked(tag))
            continue;
        Marked m{c, controlName(c), flagsOf(tag), nullptr, {}};
        m.container = referenceContainer(c, m.flags);
        m.dimensionsKey =
            m.name + QLatin1Char(' ') + containerName(m.container) + QStringLiteral(".Dimensions");
        marked.push_back(std::move(m));
    }
    return marked;
}

void BrennavikAutoSizer::GetInitialPositions()
{
    if (!m_enabled || !m_form)
        return;
    BusyCursor busy;
    m_values.clear();
    const double scaleHeight = tw(m_form->height());
    for (const Marked &m : markedControls()) {
        QWidget *c = m.control, *container = m.container;
        const QString &name = m.name;
        if (!m_dimensions.contains(m.dimensionsKey)) {
            const double l = container == m_form ? tw(m_form->x()) : tw(container->x());
            const double t = container == m_form ? tw(m_form->y()) : tw(container->y());
            m_dimensions.insert(m.dimensionsKey, QStringLiteral("%1:%2:%3:%4")
                                                     .arg(l)
                                                     .arg(tw(container->width()))
                                                     .arg(t)
                                                     .arg(tw(container->height())));
        }
        if (isLine(c)) {
            for (const char *p : {"X1", "X2", "Y1", "Y2"})
                m_values.insert(name + QLatin1Char('.') + QLatin1String(p), c->property(p).toDouble());
            continue;
        }
        m_values.insert(name + QStringLiteral(".Left"), tw(c->x()));
        m_values.insert(name + QStringLiteral(".Width"), tw(c->width()));
        m_values.insert(name + QStringLiteral(".Top"), tw(c->y()));
        m_values.insert(name + QStringLiteral(".Height"), tw(c->height()));
        if (scaleHeight > 0)
            m_values.insert(name + QStringLiteral(".FontSize"), c->font().pointSizeF() / scaleHeight);
    }
}

void BrennavikAutoSizer::AutoResize()
{
    if (!m_enabled || !m_form)
        return;

    // Size limits first; a minimum larger than the maximum wins.
    double formW = tw(m_form->width());
    double formH = tw(m_form->height());
    if (m_maxWidth > 0 && formW > m_maxWidth)
        formW = m_maxWidth;
    if (m_maxHeight > 0 && formH > m_maxHeight)
        formH = m_maxHeight;
    if (m_minWidth > 0 && formW < m_minWidth)
        formW = m_minWidth;
    if (m_minHeight > 0 && formH < m_minHeight)
        formH = m_minHeight;
    if (px(formW) != m_form->width() || px(formH) != m_form->height())
        m_form->resize(px(formW), px(formH));

    emit BeforeResize();
    {
        BusyCursor busy;
        for (const Marked &m : markedControls()) {
            QWidget *c = m.control, *container = m.container;
            const QString &name = m.name, &flags = m.flags;
            const QStringList parts = m_dimensions.value(m.dimensionsKey).split(QLatin1Char(':'));
            if (parts.size() != 4)
                continue;
            const double W0 = parts.at(1).toDouble();
            const double H0 = parts.at(3).toDouble();
            // The form's own limits are applied above even when the platform resizes later.
            const double W = container == m_form ? formW : tw(container->width());
            const double H = container == m_form ? formH : tw(container->height());
            const bool fx = flags.contains(QLatin1Char('X'));
            const bool fy = flags.contains(QLatin1Char('Y'));
            const bool fw = flags.contains(QLatin1Char('W'));
            const bool fh = flags.contains(QLatin1Char('H'));

            auto at = [&](const char *p) { return recorded(name + QLatin1Char('.') + QLatin1String(p)); };

            if (isLine(c)) {
                if (!has(name + QStringLiteral(".X1")))
                    continue;
                if (fy) {
                    c->setProperty("Y1", H - (H0 - at("Y1")));
                    c->setProperty("Y2", H - (H0 - at("Y2")));
                }
                if (fx) {
                    c->setProperty("X1", W - (W0 - at("X1")));
                    c->setProperty("X2", W - (W0 - at("X2")));
                }
                if (fh)
                    c->setProperty("Y2", H - (H0 - at("Y2")));
                if (fw)
                    c->setProperty("X2", W - (W0 - at("X2")));
                continue;
            }
            if (!has(name + QStringLiteral(".Left")))
                continue;

            double left = tw(c->x());
            double top = tw(c->y());
            double width = tw(c->width());
            double height = tw(c->height());
            if (fy)
                top = H - (H0 - at("Top"));
            if (fx)
                left = W - (W0 - at("Left"));
            if (fh)
                height = H - (H0 - at("Height"));
            if (fw)
                width = W - (W0 - at("Width"));
            if (flags.contains(QLatin1Char('F')) && has(name + QStringLiteral(".FontSize"))) {
                const double size = formH * at("FontSize");
                if (size > 0) {
                    QFont f = c->font();
                    f.setPointSizeF(size);
                    c->setFont(f);
                }
            }
            if (flags.contains(QLatin1Char('C'))) {
                top = at("Top");
                height = H - (H0 - at("Height"));
                if (at("Height") != 0)
                    width = height * at("Width") / at("Height");
                if (width > W) {
                    height = height * W / width;
                    width = W - 100;
                }
                left = W / 2 - width / 2 + 10;
            }
            c->setGeometry(px(left), px(top), std::max(0, px(width)), std::max(0, px(height)));
        }
    }
    emit AfterResize();
}

bool BrennavikAutoSizer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form && event->type() == QEvent::Resize)
        AutoResize();
    return QObject::eventFilter(watched, event);
}
