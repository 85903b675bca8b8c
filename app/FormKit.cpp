#include "app/FormKit.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"
#include "platform/data/DataControl.h"
#include "platform/data/Values.h"
#include "platform/forms/HandOff.h"
#include "platform/text/Formats.h"

#include <limits>

namespace kit {

void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(pv::twipsToPixels(left), pv::twipsToPixels(top), pv::twipsToPixels(width),
                   pv::twipsToPixels(height));
}

void moveTo(QWidget *w, double left, double top) { w->move(pv::twipsToPixels(left), pv::twipsToPixels(top)); }

BvButton *button(QWidget *parent, const char *name, double l, double t, double w, double h,
                 const QString &caption, const QString &toolTip, Design extra)
{
    pv::PropertyBag bag;
    bag.set(QStringLiteral("ButtonStyle"), int(BrennavikBtn::eOffice2003));
    bag.set(QStringLiteral("Caption"), caption);
    if (!toolTip.isEmpty())
        bag.set(QStringLiteral("ToolTip"), toolTip);
    for (const auto &[key, value] : extra)
        bag.set(QLatin1String(key), value);
    auto *b = new BvButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAmbientDisplayName(QLatin1String(name));
    place(b, l, t, w, h);
    b->ReadProperties(bag);
    return b;
}

FrameFendrixon *frame(QWidget *parent, const char *name, double l, double t, double w, double h,
                      const QString &caption)
{
    pv::PropertyBag bag;
    bag.set(QStringLiteral("Caption"), caption);
    bag.set(QStringLiteral("Enabled"), true);
    auto *f = new FrameFendrixon(parent, QLatin1String(name), bag);
    f->setObjectName(QLatin1String(name));
    place(f, l, t, w, h);
    return f;
}

QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h, const QString &caption,
              Qt::Alignment align)
{
    auto *lb = new QLabel(caption, parent);
    lb->setObjectName(QLatin1String(name));
    lb->setAlignment(align);
    place(lb, l, t, w, h);
    return lb;
}

void bindField(pv::DataControl *dc, pv::HandOff *field, const QString &column)
{
    pv::bindField(*dc, *field, column);
}

bool daysSince(const QVariant &stored, const QString &shownText, const QDate &today, int *days)
{
    QDate last;
    if (stored.metaType().id() == QMetaType::QDate)
        last = stored.toDate();
    else if (stored.metaType().id() == QMetaType::QDateTime)
        last = stored.toDateTime().date();
    if (!last.isValid()) {
        if (const auto d = pv::parseDate(shownText))
            last = *d;
        else
            last = pv::parseDateText(shownText).date();
    }
    if (!last.isValid() || !today.isValid())
        return false;
    const qint64 n = last.daysTo(today);
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return false;
    *days = int(n);
    return true;
}

void giveFrameItsColours(FrameFendrixon *f)
{
    f->setBorderColor(0xA87E28);
    f->setButtonColor(0xA87E28);
    f->setGradientBottom(0xEBC2A5);
    f->setGradientTop(0xFFFFFF);
    f->setHeaderGradientBottom(0xA87E28);
    f->setHeaderGradientTop(0xDBC07B);
}

} // namespace kit
