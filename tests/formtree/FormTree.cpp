#include "tests/formtree/FormTree.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>
#include <map>

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

// A picture's size only: its pixels, often drawn smoothed by code, come out a little
// differently on another processor, and the window's image compares them where it can.
QString imageText(const QImage &img)
{
    if (img.isNull())
        return QStringLiteral("image null");
    return QStringLiteral("image %1x%2").arg(img.width()).arg(img.height());
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
        return QStringLiteral("icon ") +
               (sizes.isEmpty() ? QStringLiteral("empty") : imageText(icon.pixmap(sizes.first()).toImage()));
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
                             .arg(p.color(QPalette::ColorGroup(g), QPalette::ColorRole(r))
                                      .name(QColor::HexArgb));
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
        if (m.methodType() != QMetaMethod::Signal || m.name() == "destroyed" ||
            m.name() == "objectNameChanged")
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
                   QStringLiteral(" checkable=%1 checked=%2")
                       .arg(int(b->isCheckable()))
                       .arg(int(b->isChecked()));
    if (auto *s = qobject_cast<const QAbstractSpinBox *>(w))
        out << in2 + QStringLiteral("spin ") + quoted(s->text()) +
                   QStringLiteral(" align=%1 readonly=%2")
                       .arg(alignText(s->alignment()))
                       .arg(int(s->isReadOnly()));
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
        out << in2 + QStringLiteral("list current=%1 items=[%2]")
                         .arg(lw->currentRow())
                         .arg(items.join(QLatin1Char(',')));
    }
    if (auto *tv = qobject_cast<const QTableView *>(w)) {
        QStringList cols;
        if (QAbstractItemModel *m = tv->model())
            for (int c = 0; c < m->columnCount(); ++c)
                cols << quoted(m->headerData(c, Qt::Horizontal).toString()) +
                            QStringLiteral(":%1%2")
                                .arg(tv->columnWidth(c))
                                .arg(tv->isColumnHidden(c) ? QStringLiteral("h") : QString());
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
    else if (auto *p = qobject_cast<const QuorvelXPProgressBar *>(w)) {
        p->UserControl_WriteProperties(bag);
        // A bar that scrolls by itself moves on its own real-time timer: its value is
        // whatever the last tick left (its image is blanked too, see movingParts).
        if (p->AutoScroll())
            bag.remove(QStringLiteral("Value"));
    } else
        custom = false;
    if (custom)
        out << in2 + QStringLiteral("design ") + bagText(bag);
    // The design twips the custom controls keep beside their pixels.
    if (auto *b = qobject_cast<const BvButton *>(w))
        out << in2 + QStringLiteral("twips %1,%2 %3x%4")
                         .arg(b->Left())
                         .arg(b->Top())
                         .arg(b->Width())
                         .arg(b->Height());
    if (auto *f = qobject_cast<const FrameFendrixon *>(w))
        out << in2 + QStringLiteral("twips %1x%2").arg(f->Width()).arg(f->Height());
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

QList<QRect> movingParts(QWidget *window)
{
    QList<QRect> out;
    for (QuorvelXPProgressBar *p : window->findChildren<QuorvelXPProgressBar *>())
        if (p->AutoScroll() && p->isVisible())
            out << QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return out;
}

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

namespace
{

// ------------------------------------------------------------------ the form dump

QJsonValue jsonOf(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::QFont: {
        const QFont f = v.value<QFont>();
        QJsonObject o{{QStringLiteral("family"), f.family()}, {QStringLiteral("size"), f.pointSizeF()}};
        if (f.bold())
            o.insert(QStringLiteral("bold"), true);
        if (f.italic())
            o.insert(QStringLiteral("italic"), true);
        return o;
    }
    case QMetaType::QImage:
    case QMetaType::QIcon:
    case QMetaType::QPixmap:
        // A picture made by code: the window sets it after the load.
        return QStringLiteral("<picture: set in code>");
    default:
        return QJsonValue::fromVariant(v);
    }
}

QJsonObject designOf(const pv::PropertyBag &bag)
{
    QJsonObject o;
    for (const QString &n : bag.names())
        o.insert(n, jsonOf(bag.ReadProperty(n)));
    return o;
}

QString alignWords(Qt::Alignment a)
{
    const QMetaEnum e = QMetaEnum::fromType<Qt::Alignment>();
    return QString::fromLatin1(e.valueToKeys(int(a)));
}

// The class of the registry a control is made with; "" for one the dump leaves to code.
QString classOf(const QWidget *w)
{
    if (qobject_cast<const BvButton *>(w))
        return QString::fromLatin1(BvButton::ClassName);
    if (qobject_cast<const FrameFendrixon *>(w))
        return QStringLiteral("FendrixonFrame.FrameFendrixon");
    if (qobject_cast<const QuorvelXPProgressBar *>(w))
        return QStringLiteral("ProgressBar.QuorvelXPProgressBar");
    const QByteArray cls = w->metaObject()->className();
    static const std::map<QByteArray, QString> plain{
        {"QLabel", QStringLiteral("Kit.Label")},
        {"QLineEdit", QStringLiteral("Kit.TextBox")},
        {"QComboBox", QStringLiteral("Kit.ComboBox")},
        {"QDateEdit", QStringLiteral("Kit.DatePicker")},
        {"QTableView", QStringLiteral("Kit.Grid")},
        {"QListWidget", QStringLiteral("Kit.List")},
        {"QTextEdit", QStringLiteral("Kit.TextEdit")},
        {"QPlainTextEdit", QStringLiteral("Kit.PlainTextEdit")},
        {"QCheckBox", QStringLiteral("Kit.CheckBox")},
        {"QWidget", QStringLiteral("Kit.Widget")},
    };
    if (auto it = plain.find(cls); it != plain.end())
        return it->second;
    if (cls == "QFrame")
        return w->autoFillBackground() ? QStringLiteral("Kit.Panel") : QStringLiteral("Kit.Frame");
    return {};
}

void dumpControls(QWidget *parent, QWidget *window, QJsonArray &out, QStringList &skipped)
{
    const int tpp = pv::twipsPerPixel();
    QList<QWidget *> order;
    for (QObject *o : parent->children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow())
            order << w;
    for (QWidget *w : order) {
        const QString cls = classOf(w);
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (cls.isEmpty()) {
            skipped << w->objectName() + QStringLiteral(" (") +
                           QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(')');
            continue;
        }
        QJsonObject c{{QStringLiteral("name"), w->objectName()}, {QStringLiteral("class"), cls}};
        if (parent != window)
            c.insert(QStringLiteral("parent"), parent->objectName());
        c.insert(QStringLiteral("left"), w->x() * tpp);
        c.insert(QStringLiteral("top"), w->y() * tpp);
        c.insert(QStringLiteral("width"), w->width() * tpp);
        c.insert(QStringLiteral("height"), w->height() * tpp);
        pv::PropertyBag bag;
        if (auto *b = qobject_cast<BvButton *>(w)) {
            b->WriteProperties(bag);
        } else if (auto *f = qobject_cast<FrameFendrixon *>(w)) {
            f->UserControl_WriteProperties(bag);
            c.insert(QStringLiteral("width"), f->Width());
            c.insert(QStringLiteral("height"), f->Height());
        } else if (auto *p = qobject_cast<QuorvelXPProgressBar *>(w)) {
            p->UserControl_WriteProperties(bag);
        } else if (cls == QLatin1String("Kit.Panel") &&
                   static_cast<QFrame *>(w)->frameShape() != QFrame::Box) {
            bag.set(QStringLiteral("Box"), false);
        }
        if (bag.size() > 0)
            c.insert(QStringLiteral("design"), designOf(bag));
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (!l->text().isEmpty())
                c.insert(QStringLiteral("text"), l->text());
            if (l->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
                c.insert(QStringLiteral("alignment"), alignWords(l->alignment()));
            if (l->wordWrap())
                c.insert(QStringLiteral("wordWrap"), true);
        }
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            if (!e->text().isEmpty())
                c.insert(QStringLiteral("text"), e->text());
            if (e->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
                c.insert(QStringLiteral("alignment"), alignWords(e->alignment()));
            if (e->isReadOnly())
                c.insert(QStringLiteral("readOnly"), true);
            if (e->echoMode() != QLineEdit::Normal)
                c.insert(QStringLiteral("echoMode"),
                         QString::fromLatin1(
                             QMetaEnum::fromType<QLineEdit::EchoMode>().valueToKey(e->echoMode())));
            if (e->maxLength() != 32767)
                c.insert(QStringLiteral("maxLength"), e->maxLength());
        }
        if (auto *cb = qobject_cast<QComboBox *>(w)) {
            QJsonArray items;
            for (int i = 0; i < cb->count(); ++i)
                items << cb->itemText(i);
            if (!items.isEmpty())
                c.insert(QStringLiteral("items"), items);
            if (cb->isEditable())
                c.insert(QStringLiteral("editable"), true);
        }
        if (auto *t = qobject_cast<QTextEdit *>(w); t && t->isReadOnly())
            c.insert(QStringLiteral("readOnly"), true);
        if (auto *t = qobject_cast<QPlainTextEdit *>(w); t && t->isReadOnly())
            c.insert(QStringLiteral("readOnly"), true);
        if (auto *cb = qobject_cast<QCheckBox *>(w); cb && !cb->text().isEmpty())
            c.insert(QStringLiteral("text"), cb->text());
        if (cls == QLatin1String("Kit.Frame") && static_cast<QFrame *>(w)->frameShape() != QFrame::NoFrame)
            c.insert(QStringLiteral("frameShape"),
                     QString::fromLatin1(QMetaEnum::fromType<QFrame::Shape>().valueToKey(
                         static_cast<QFrame *>(w)->frameShape())));
        if (!w->toolTip().isEmpty() && !qobject_cast<BvButton *>(w))
            c.insert(QStringLiteral("toolTip"), w->toolTip());
        if (!w->styleSheet().isEmpty())
            c.insert(QStringLiteral("styleSheet"), w->styleSheet());
        if (w->font() != parent->font() || w->font().toString() != parent->font().toString()) {
            c.insert(QStringLiteral("font"), w->font().family());
            c.insert(QStringLiteral("size"), w->font().pointSizeF());
            if (w->font().bold())
                c.insert(QStringLiteral("bold"), true);
            if (w->font().italic())
                c.insert(QStringLiteral("italic"), true);
        }
        QJsonObject colours;
        const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
        for (int r = 0; r < int(QPalette::NColorRoles); ++r) {
            const auto role = QPalette::ColorRole(r);
            const bool own = w->palette().resolveMask() & (quint64(1) << r);
            const bool inherited = parent->palette().resolveMask() & (quint64(1) << r);
            if (own && (!inherited || w->palette().color(role) != parent->palette().color(role)))
                colours.insert(QString::fromLatin1(roles.valueToKey(r)), w->palette().color(role).name());
        }
        if (!colours.isEmpty())
            c.insert(QStringLiteral("palette"), colours);
        if (w->isHidden())
            c.insert(QStringLiteral("visible"), false);
        if (!w->isEnabledTo(parent) && !qobject_cast<BvButton *>(w) && !qobject_cast<FrameFendrixon *>(w))
            c.insert(QStringLiteral("enabled"), false);
        out << c;
        if (cls == QLatin1String("FendrixonFrame.FrameFendrixon") || cls == QLatin1String("Kit.Panel") ||
            cls == QLatin1String("Kit.Frame") || cls == QLatin1String("Kit.Widget"))
            dumpControls(w, window, out, skipped);
    }
}

} // namespace

QByteArray formJson(QWidget *window)
{
    const int tpp = pv::twipsPerPixel();
    QJsonArray controls;
    QStringList skipped;
    dumpControls(window, window, controls, skipped);
    // One control a line, in the report layouts' style.
    QByteArray out = "{\n";
    auto field = [](const QString &key, const QJsonValue &v) {
        return "  " + QJsonDocument(QJsonObject{{key, v}}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    };
    out += field(QStringLiteral("name"), window->objectName()) + ",\n";
    out += field(QStringLiteral("caption"), window->windowTitle()) + ",\n";
    out += field(QStringLiteral("width"), window->width() * tpp) + ",\n";
    out += field(QStringLiteral("height"), window->height() * tpp) + ",\n";
    if (window->minimumSize() == window->maximumSize())
        out += field(QStringLiteral("fixedSize"), true) + ",\n";
    if (!skipped.isEmpty())
        out += field(QStringLiteral("leftToCode"), QJsonArray::fromStringList(skipped)) + ",\n";
    // The tab order, when making the controls in stacking order does not give it.
    QStringList made, chain;
    for (const QJsonValue &v : controls)
        made << v.toObject().value(QStringLiteral("name")).toString();
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (made.contains(w->objectName()) && !chain.contains(w->objectName()) &&
            (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
    QStringList madeFocusable;
    for (const QString &n : made)
        if (chain.contains(n))
            madeFocusable << n;
    if (madeFocusable != chain)
        out += field(QStringLiteral("tabOrder"), QJsonArray::fromStringList(chain)) + ",\n";
    out += "  \"controls\": [\n";
    // The keys in the order a reader looks for them.
    const QStringList first{QStringLiteral("name"),  QStringLiteral("class"), QStringLiteral("parent"),
                            QStringLiteral("left"),  QStringLiteral("top"),   QStringLiteral("width"),
                            QStringLiteral("height")};
    for (int i = 0; i < controls.size(); ++i) {
        const QJsonObject c = controls[i].toObject();
        QStringList keys;
        for (const QString &k : first)
            if (c.contains(k))
                keys << k;
        for (const QString &k : c.keys())
            if (!first.contains(k))
                keys << k;
        QByteArrayList parts;
        for (const QString &k : keys)
            parts << field(k, c.value(k)).mid(2);
        out += "    {" + parts.join(", ") + (i + 1 < controls.size() ? "},\n" : "}\n");
    }
    out += "  ]\n}\n";
    return out;
}

} // namespace pv::test
