#include "tests/formtree/FormTree.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/PropertyBag.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

namespace pv::test
{

namespace
{

// QObject::receivers is protected; a pointer to it named through a subclass is not.
struct ReceiverCount : QObject {
    static int of(const QObject *o, const QByteArray &signal)
    {
        int (QObject::*f)(const char *) const = &ReceiverCount::receivers;
        return (o->*f)(signal.constData());
    }
};

QString quoted(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString number(double v)
{
    return QString::number(v, 'f', 4);
}

QString imageText(const QImage &img)
{
    if (img.isNull())
        return QStringLiteral("image null");
    const QImage i = img.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (int y = 0; y < i.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char *>(i.constScanLine(y)), i.width() * 4));
    return QStringLiteral("image %1x%2 %3")
        .arg(i.width())
        .arg(i.height())
        .arg(QString::fromLatin1(h.result().toHex().left(16)));
}

QString fontText(const QFont &f)
{
    return QStringLiteral("%1 %2pt px=%3 weight=%4 italic=%5 [%6]")
        .arg(quoted(f.family()), number(f.pointSizeF()))
        .arg(f.pixelSize())
        .arg(int(f.weight()))
        .arg(int(f.italic()))
        .arg(f.toString());
}

QString valueText(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
        return v.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return number(v.toDouble());
    case QMetaType::QString:
        return quoted(v.toString());
    case QMetaType::QFont:
        return fontText(v.value<QFont>());
    case QMetaType::QColor:
        return v.value<QColor>().name(QColor::HexArgb);
    case QMetaType::QImage:
        return imageText(v.value<QImage>());
    case QMetaType::QPixmap:
        return imageText(v.value<QPixmap>().toImage());
    case QMetaType::QIcon: {
        const QIcon icon = v.value<QIcon>();
        const QList<QSize> sizes = icon.availableSizes();
        return QStringLiteral("icon ") + (sizes.isEmpty() ? QStringLiteral("empty")
                                                          : imageText(icon.pixmap(sizes.first()).toImage()));
    }
    default:
        return QStringLiteral("<%1>").arg(QString::fromLatin1(v.metaType().name()));
    }
}

QString bagText(const pv::PropertyBag &bag)
{
    QStringList names = bag.names();
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList parts;
    for (const QString &n : names)
        parts << n + QLatin1Char('=') + valueText(bag.ReadProperty(n));
    return parts.join(QLatin1Char(' '));
}

QString alignText(Qt::Alignment a)
{
    return QStringLiteral("0x%1").arg(int(a), 0, 16);
}

// The colours set on the widget itself or inherited from a parent that set them.
QString paletteText(const QPalette &p)
{
    QStringList parts;
    const quint64 mask = p.resolveMask();
    for (int g = 0; g < int(QPalette::NColorGroups); ++g)
        for (int r = 0; r < int(QPalette::NColorRoles); ++r)
            if (mask & (quint64(1) << (g * int(QPalette::NColorRoles) + r)))
                parts << QStringLiteral("%1/%2=%3")
                             .arg(g)
                             .arg(r)
                             .arg(p.color(QPalette::ColorGroup(g), QPalette::ColorRole(r)).name(QColor::HexArgb));
    return parts.join(QLatin1Char(' '));
}

// The signals of the control that have receivers, with their number; the object's own
// bookkeeping signals are left out.
QString receiversText(const QWidget *w)
{
    QStringList parts;
    const QMetaObject *mo = w->metaObject();
    for (int i = 0; i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() != QMetaMethod::Signal || m.name() == "destroyed" || m.name() == "objectNameChanged")
            continue;
        const int n = ReceiverCount::of(w, QByteArray("2") + m.methodSignature());
        if (n > 0)
            parts << QStringLiteral("%1=%2").arg(QString::fromLatin1(m.methodSignature())).arg(n);
    }
    return parts.join(QLatin1Char(' '));
}

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QStringLiteral("-") : w->objectName();
}

QString pathOf(const QWidget *w, const QWidget *window)
{
    QStringList path;
    for (const QWidget *p = w; p && p != window; p = p->parentWidget()) {
        const QWidget *parent = p->parentWidget();
        int index = 0;
        if (parent)
            for (QObject *o : parent->children()) {
                if (o == p)
                    break;
                if (o->isWidgetType())
                    ++index;
            }
        path.prepend(QStringLiteral("%1#%2").arg(nameOf(p)).arg(index));
    }
    return path.join(QLatin1Char('/'));
}

void describe(const QWidget *w, int depth, int stackIndex, QStringList &out)
{
    const QString ind(depth * 2, QLatin1Char(' '));
    const QString in2 = ind + QStringLiteral("  ");
    const QRect g = w->geometry();
    out << ind + QStringLiteral("%1 %2 z=%3 geom=%4,%5 %6x%7 visible=%8 enabled=%9")
                     .arg(QString::fromLatin1(w->metaObject()->className()), nameOf(w))
                     .arg(stackIndex)
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(int(w->isVisible()))
                     .arg(int(w->isEnabled()));
    // A font equal to the parent's is the inherited one.
    if (w->isWindow() || !w->parentWidget() || w->font() != w->parentWidget()->font() ||
        w->font().toString() != w->parentWidget()->font().toString())
        out << in2 + QStringLiteral("font ") + fontText(w->font());
    out << in2 + QStringLiteral("focus policy=%1 has=%2 autofill=%3")
                     .arg(int(w->focusPolicy()))
                     .arg(int(w->hasFocus()))
                     .arg(int(w->autoFillBackground()));
    if (!w->toolTip().isEmpty())
        out << in2 + QStringLiteral("tooltip ") + quoted(w->toolTip());
    if (!w->styleSheet().isEmpty())
        out << in2 + QStringLiteral("stylesheet ") + quoted(w->styleSheet());
    const QString pal = paletteText(w->palette());
    if (!pal.isEmpty())
        out << in2 + QStringLiteral("palette ") + pal;

    if (auto *l = qobject_cast<const QLabel *>(w)) {
        out << in2 + QStringLiteral("text ") + quoted(l->text()) +
                   QStringLiteral(" align=%1 wrap=%2 format=%3 margin=%4 indent=%5")
                       .arg(alignText(l->alignment()))
                       .arg(int(l->wordWrap()))
                       .arg(int(l->textFormat()))
                       .arg(l->margin())
                       .arg(l->indent());
        const QPixmap pm = l->pixmap();
        if (!pm.isNull())
            out << in2 + QStringLiteral("pixmap ") + imageText(pm.toImage());
    }
    if (auto *f = qobject_cast<const QFrame *>(w))
        if (f->frameShape() != QFrame::NoFrame)
            out << in2 + QStringLiteral("frame shape=%1 shadow=%2 line=%3")
                             .arg(int(f->frameShape()))
                             .arg(int(f->frameShadow()))
                             .arg(f->lineWidth());
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        out << in2 + QStringLiteral("text ") + quoted(e->text()) +
                   QStringLiteral(" align=%1 readonly=%2 echo=%3 maxlength=%4 frame=%5")
                       .arg(alignText(e->alignment()))
                       .arg(int(e->isReadOnly()))
                       .arg(int(e->echoMode()))
                       .arg(e->maxLength())
                       .arg(int(e->hasFrame()));
    if (auto *t = qobject_cast<const QTextEdit *>(w))
        out << in2 + QStringLiteral("text ") + quoted(t->toPlainText()) +
                   QStringLiteral(" readonly=%1").arg(int(t->isReadOnly()));
    if (auto *t = qobject_cast<const QPlainTextEdit *>(w))
        out << in2 + QStringLiteral("text ") + quoted(t->toPlainText()) +
                   QStringLiteral(" readonly=%1").arg(int(t->isReadOnly()));
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        out << in2 + QStringLiteral("text ") + quoted(b->text()) +
                   QStringLiteral(" checkable=%1 checked=%2").arg(int(b->isCheckable())).arg(int(b->isChecked()));
    if (auto *s = qobject_cast<const QAbstractSpinBox *>(w))
        out << in2 + QStringLiteral("spin ") + quoted(s->text()) +
                   QStringLiteral(" align=%1 readonly=%2").arg(alignText(s->alignment())).arg(int(s->isReadOnly()));
    if (auto *d = qobject_cast<const QDateEdit *>(w))
        out << in2 + QStringLiteral("date format=%1 popup=%2 min=%3 max=%4")
                         .arg(quoted(d->displayFormat()))
                         .arg(int(d->calendarPopup()))
                         .arg(d->minimumDate().toString(Qt::ISODate), d->maximumDate().toString(Qt::ISODate));
    if (auto *c = qobject_cast<const QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << quoted(c->itemText(i));
        out << in2 + QStringLiteral("combo editable=%1 current=%2 items=[%3]")
                         .arg(int(c->isEditable()))
                         .arg(c->currentIndex())
                         .arg(items.join(QLatin1Char(',')));
    }
    if (auto *lw = qobject_cast<const QListWidget *>(w)) {
        QStringList items;
        for (int i = 0; i < lw->count(); ++i)
            items << quoted(lw->item(i)->text());
        out << in2 + QStringLiteral("list current=%1 items=[%2]").arg(lw->currentRow()).arg(items.join(QLatin1Char(',')));
    }
    if (auto *tv = qobject_cast<const QTableView *>(w)) {
        QStringList cols;
        if (QAbstractItemModel *m = tv->model())
            for (int c = 0; c < m->columnCount(); ++c)
                cols << quoted(m->headerData(c, Qt::Horizontal).toString()) +
                            QStringLiteral(":%1%2").arg(tv->columnWidth(c)).arg(
                                tv->isColumnHidden(c) ? QStringLiteral("h") : QString());
        out << in2 + QStringLiteral("grid rows=%1 columns=[%2] rowheight=%3")
                         .arg(tv->model() ? tv->model()->rowCount() : -1)
                         .arg(cols.join(QLatin1Char(',')))
                         .arg(tv->verticalHeader()->defaultSectionSize());
    }
    pv::PropertyBag bag;
    bool custom = true;
    if (auto *b = qobject_cast<const BvButton *>(w))
        b->WriteProperties(bag);
    else if (auto *f = qobject_cast<const FrameFendrixon *>(w))
        f->UserControl_WriteProperties(bag);
    else if (auto *p = qobject_cast<const QuorvelXPProgressBar *>(w))
        p->UserControl_WriteProperties(bag);
    else
        custom = false;
    if (custom)
        out << in2 + QStringLiteral("design ") + bagText(bag);
    const QString rec = receiversText(w);
    if (!rec.isEmpty())
        out << in2 + QStringLiteral("receivers ") + rec;

    int index = 0;
    for (QObject *o : w->children()) {
        auto *child = qobject_cast<QWidget *>(o);
        if (!child)
            continue;
        // Pop-ups and child windows are windows of their own.
        if (!child->isWindow())
            describe(child, depth + 1, index, out);
        ++index;
    }
}

} // namespace

QString widgetTree(QWidget *window)
{
    QStringList out;
    out << QStringLiteral("window %1 caption %2").arg(nameOf(window), quoted(window->windowTitle()));
    out << QStringLiteral("  pos=%1,%2 size=%3x%4 min=%5x%6 max=%7x%8 flags=0x%9 modality=%10")
               .arg(window->x())
               .arg(window->y())
               .arg(window->width())
               .arg(window->height())
               .arg(window->minimumWidth())
               .arg(window->minimumHeight())
               .arg(window->maximumWidth())
               .arg(window->maximumHeight())
               .arg(uint(window->windowFlags()), 0, 16)
               .arg(int(window->windowModality()));
    describe(window, 0, 0, out);
    out << QStringLiteral("tab order");
    QWidget *w = window;
    for (int guard = 0; guard < 10000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == window)
            break;
        if (w->window() != window || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        out << QStringLiteral("  ") + pathOf(w, window) +
                   QStringLiteral(" policy=%1").arg(int(w->focusPolicy()));
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray formJson(QWidget *)
{
    return {};
}

} // namespace pv::test
