#include "platform/forms/FormLoader.h"

#include "platform/components/ClassRegistry.h"
#include "platform/components/PropertyBag.h"
#include "platform/forms/Form.h"

#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPalette>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <map>

namespace pv
{

namespace
{

// The keys of a control the loader reads itself; any other is a Qt property.
const QStringList &ownKeys()
{
    static const QStringList keys{
        QStringLiteral("name"),   QStringLiteral("class"),   QStringLiteral("parent"),
        QStringLiteral("left"),   QStringLiteral("top"),     QStringLiteral("width"),
        QStringLiteral("height"), QStringLiteral("design"),  QStringLiteral("z"),
        QStringLiteral("font"),   QStringLiteral("size"),    QStringLiteral("bold"),
        QStringLiteral("italic"), QStringLiteral("palette"), QStringLiteral("items"),
        QStringLiteral("page"),   QStringLiteral("take"),    QStringLiteral("tag")};
    return keys;
}

// The signals an event of the form file's names stands for, in the order tried.
const std::map<QString, QList<QByteArray>> &eventSignals()
{
    static const std::map<QString, QList<QByteArray>> events{
        {QStringLiteral("Click"), {"Click()", "clicked()"}},
        {QStringLiteral("Change"), {"Change()", "textChanged(QString)"}},
        {QStringLiteral("DblClick"), {"DblClick()"}},
    };
    return events;
}

QVariant designValue(const QJsonValue &v)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        if (o.contains(QStringLiteral("family"))) {
            QFont f(o.value(QStringLiteral("family")).toString());
            f.setPointSizeF(o.value(QStringLiteral("size")).toDouble(8));
            f.setBold(o.value(QStringLiteral("bold")).toBool());
            f.setItalic(o.value(QStringLiteral("italic")).toBool());
            return f;
        }
        if (o.contains(QStringLiteral("image")))
            return QImage(o.value(QStringLiteral("image")).toString());
    }
    if (v.isDouble()) {
        // Whole numbers as integers: the controls read their enums and colours as int.
        const double d = v.toDouble();
        if (d == double(qint64(d)))
            return qint64(d) >= INT_MIN && qint64(d) <= INT_MAX ? QVariant(int(d)) : QVariant(qint64(d));
    }
    return v.toVariant();
}

class Loader
{
public:
    Loader(QWidget *window, QObject *handlers, const QList<FormMember> &members)
        : m_window(window), m_handlers(handlers), m_members(members)
    {
    }

    QString run(const QJsonObject &form)
    {
        if (auto *f = qobject_cast<Form *>(m_window)) {
            if (form.contains(QStringLiteral("caption")))
                f->setCaption(form.value(QStringLiteral("caption")).toString());
            if (form.contains(QStringLiteral("width")) || form.contains(QStringLiteral("height")))
                f->setClientSizeTwips(form.value(QStringLiteral("width")).toDouble(),
                                      form.value(QStringLiteral("height")).toDouble());
            if (form.value(QStringLiteral("fixedSize")).toBool())
                f->setFixedSize(f->size());
        }
        const QJsonArray controls = form.value(QStringLiteral("controls")).toArray();
        for (const QJsonValue &c : controls)
            if (QString e = makeControl(c.toObject()); !e.isEmpty())
                return e;
        stack(controls);
        if (QString e = tabOrder(form.value(QStringLiteral("tabOrder")).toArray()); !e.isEmpty())
            return e;
        if (QString e = bindMembers(); !e.isEmpty())
            return e;
        if (QString e = connectHandlers(); !e.isEmpty())
            return e;
        // A wrong property leaves its control made: the window can still run to show it.
        return m_errors.join(QStringLiteral("; "));
    }

private:
    QString makeControl(const QJsonObject &c)
    {
        const QString name = c.value(QStringLiteral("name")).toString();
        const QString className = c.value(QStringLiteral("class")).toString();
        if (name.isEmpty())
            return QStringLiteral("a control without a name");
        if (m_controls.contains(name))
            return QStringLiteral("%1: a second control of this name").arg(name);
        if (!ClassRegistry::instance().isRegistered(className))
            return QStringLiteral("%1: unknown class \"%2\"").arg(name, className);
        QWidget *parent = m_window;
        if (c.contains(QStringLiteral("parent"))) {
            parent = m_controls.value(c.value(QStringLiteral("parent")).toString());
            if (!parent)
                return QStringLiteral("%1: parent \"%2\" is no earlier control")
                    .arg(name, c.value(QStringLiteral("parent")).toString());
        }
        // A control on a page of a tab widget: the pages counted from 0.
        if (c.contains(QStringLiteral("page"))) {
            auto *tabs = qobject_cast<QTabWidget *>(parent);
            QWidget *page = tabs ? tabs->widget(c.value(QStringLiteral("page")).toInt(-1)) : nullptr;
            if (!page)
                return QStringLiteral("%1: \"%2\" has no page %3")
                    .arg(name, parent->objectName())
                    .arg(c.value(QStringLiteral("page")).toInt(-1));
            parent = page;
        }

        if (c.value(QStringLiteral("take")).toBool())
            if (QWidget *found = m_window->findChild<QWidget *>(name)) {
                take(c, found, parent);
                m_controls.insert(name, found);
                m_order << name;
                return {};
            }

        PropertyBag bag;
        const QJsonObject design = c.value(QStringLiteral("design")).toObject();
        for (auto it = design.begin(); it != design.end(); ++it)
            bag.set(it.key(), designValue(it.value()));
        bag.set(QStringLiteral("Name"), name);
        for (const char *key : {"Left", "Top", "Width", "Height"}) {
            const QString lower = QString::fromLatin1(key).toLower();
            if (c.contains(lower))
                bag.set(QLatin1String(key), designValue(c.value(lower)));
        }
        QWidget *w = ClassRegistry::instance().create(className, parent, bag);
        if (!w)
            return QStringLiteral("%1: class \"%2\" made no control").arg(name, className);
        for (const char *key : {"Name", "Left", "Top", "Width", "Height"})
            bag.ReadProperty(QLatin1String(key));
        if (const QStringList unknown = bag.unreadNames(); !unknown.isEmpty())
            m_errors << QStringLiteral("%1: unknown design property %2")
                            .arg(name, unknown.join(QStringLiteral(", ")));
        if (w->objectName().isEmpty())
            w->setObjectName(name);
        m_controls.insert(name, w);
        m_order << name;

        for (auto it = c.begin(); it != c.end(); ++it) {
            if (ownKeys().contains(it.key()))
                continue;
            const int index = w->metaObject()->indexOfProperty(it.key().toLatin1().constData());
            if (index < 0) {
                m_errors << QStringLiteral("%1: unknown property \"%2\"").arg(name, it.key());
                continue;
            }
            const QMetaProperty p = w->metaObject()->property(index);
            if (!p.write(w, it.value().toVariant()))
                m_errors << QStringLiteral("%1: property \"%2\" cannot take %3")
                                .arg(name, it.key(),
                                     QString::fromUtf8(QJsonDocument(QJsonArray{it.value()})
                                                           .toJson(QJsonDocument::Compact)));
        }
        // Without a "font", "size", "bold" and "italic" change the font the control inherits.
        const bool fontChange = c.contains(QStringLiteral("size")) || c.contains(QStringLiteral("bold")) ||
                                c.contains(QStringLiteral("italic"));
        if (c.contains(QStringLiteral("font")) || fontChange) {
            QFont f = c.contains(QStringLiteral("font")) ? QFont(c.value(QStringLiteral("font")).toString())
                                                         : w->font();
            if (c.contains(QStringLiteral("size")))
                f.setPointSizeF(c.value(QStringLiteral("size")).toDouble());
            if (c.contains(QStringLiteral("bold")))
                f.setBold(c.value(QStringLiteral("bold")).toBool());
            if (c.contains(QStringLiteral("italic")))
                f.setItalic(c.value(QStringLiteral("italic")).toBool());
            w->setFont(f);
        }
        if (c.contains(QStringLiteral("palette"))) {
            QPalette pal = w->palette();
            const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
            const QJsonObject colours = c.value(QStringLiteral("palette")).toObject();
            for (auto it = colours.begin(); it != colours.end(); ++it) {
                bool ok = false;
                const int role = roles.keyToValue(it.key().toLatin1().constData(), &ok);
                if (!ok)
                    m_errors << QStringLiteral("%1: unknown colour role \"%2\"").arg(name, it.key());
                pal.setColor(QPalette::ColorRole(role), QColor(it.value().toString()));
            }
            w->setPalette(pal);
        }
        // The control's Tag: a word the program reads from it (the auto-sizer its anchors).
        if (c.contains(QStringLiteral("tag")))
            w->setProperty("Tag", c.value(QStringLiteral("tag")).toString());
        if (c.contains(QStringLiteral("items"))) {
            QStringList items;
            for (const QJsonValue &v : c.value(QStringLiteral("items")).toArray())
                items << v.toString();
            // Qt's combo and list take their items by a function no meta-object lists.
            if (auto *combo = qobject_cast<QComboBox *>(w)) {
                combo->addItems(items);
            } else if (auto *list = qobject_cast<QListWidget *>(w)) {
                list->addItems(items);
            } else {
                const int add = w->metaObject()->indexOfMethod("addItems(QStringList)");
                if (add < 0)
                    m_errors << QStringLiteral("%1: holds no items").arg(name);
                else
                    w->metaObject()->method(add).invoke(w, Q_ARG(QStringList, items));
            }
        }
        return {};
    }

    // A control the window made already, taken as it stands; one under another parent is
    // moved to the entry's, placed at its place (when it gives one) and shown as a control
    // made there would be.
    static void take(const QJsonObject &c, QWidget *found, QWidget *parent)
    {
        if (found->parentWidget() == parent)
            return;
        found->setParent(parent);
        if (c.contains(QStringLiteral("left")))
            setGeometryTwips(
                found, c.value(QStringLiteral("left")).toDouble(), c.value(QStringLiteral("top")).toDouble(),
                c.value(QStringLiteral("width")).toDouble(), c.value(QStringLiteral("height")).toDouble());
        found->setVisible(c.value(QStringLiteral("visible")).toBool(true));
    }

    // Siblings given a "z" are put in that order, bottom first.
    void stack(const QJsonArray &controls)
    {
        std::map<QWidget *, std::vector<std::pair<int, QWidget *>>> byParent;
        for (const QJsonValue &v : controls) {
            const QJsonObject c = v.toObject();
            if (!c.contains(QStringLiteral("z")))
                continue;
            QWidget *w = m_controls.value(c.value(QStringLiteral("name")).toString());
            byParent[w->parentWidget()].push_back({c.value(QStringLiteral("z")).toInt(), w});
        }
        for (auto &[parent, list] : byParent) {
            std::stable_sort(list.begin(), list.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            // Each raised over its siblings, the next one over it, and so on.
            for (const auto &entry : list)
                entry.second->raise();
        }
    }

    QString tabOrder(const QJsonArray &names)
    {
        QWidget *previous = nullptr;
        for (const QJsonValue &v : names) {
            QWidget *w = m_controls.value(v.toString());
            if (!w)
                return QStringLiteral("tab order: no control \"%1\"").arg(v.toString());
            if (previous)
                QWidget::setTabOrder(previous, w);
            previous = w;
        }
        return {};
    }

    QString bindMembers()
    {
        for (const FormMember &m : m_members) {
            QWidget *w = m_controls.value(m.name());
            if (!w)
                return QStringLiteral("member %1 has no control of its name").arg(m.name());
            if (!m.bind(w))
                return QStringLiteral("member %1 is a %2, its control a %3")
                    .arg(m.name(), QString::fromLatin1(m.className()),
                         QString::fromLatin1(w->metaObject()->className()));
        }
        return {};
    }

    QString connectHandlers()
    {
        const QMetaObject *window = m_handlers->metaObject();
        for (const QString &name : std::as_const(m_order)) {
            QWidget *w = m_controls.value(name);
            for (const auto &[event, candidates] : eventSignals()) {
                const QByteArray handler = (name + QLatin1Char('_') + event).toLatin1() + "()";
                const int slot = window->indexOfMethod(handler.constData());
                if (slot < 0)
                    continue;
                int signal = -1;
                for (const QByteArray &s : candidates)
                    if ((signal = w->metaObject()->indexOfSignal(s.constData())) >= 0)
                        break;
                if (signal < 0 || !QMetaObject::connect(w, signal, m_handlers, slot))
                    return QStringLiteral("%1_%2: %1 has no %2 to connect").arg(name, event);
            }
        }
        return {};
    }

    QWidget *m_window;
    QObject *m_handlers;
    const QList<FormMember> &m_members;
    QHash<QString, QWidget *> m_controls;
    QStringList m_order;
    QStringList m_errors;
};

} // namespace

namespace
{

QString loadFormObject(QWidget *parent, QObject *handlers, const QJsonObject &file, const QString &path,
                       const QString &panel, const QList<FormMember> &members)
{
    QJsonObject form = file;
    if (!panel.isEmpty()) {
        const QJsonValue v = file.value(QStringLiteral("panels")).toObject().value(panel);
        if (!v.isObject())
            return QStringLiteral("%1: no panel \"%2\"").arg(path, panel);
        form = v.toObject();
    }
    const QString error = Loader(parent, handlers, members).run(form);
    return error.isEmpty() ? error : path + QStringLiteral(": ") + error;
}

} // namespace

QString loadForm(QWidget *window, const QByteArray &json, const QList<FormMember> &members)
{
    return loadForm(window, window, json, members);
}

QString loadForm(QWidget *parent, QObject *handlers, const QByteArray &json, const QList<FormMember> &members)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("form file: %1 at %2").arg(error.errorString()).arg(error.offset);
    if (!doc.isObject())
        return QStringLiteral("form file: no object");
    return Loader(parent, handlers, members).run(doc.object());
}

QString loadFormFile(QWidget *window, const QString &path, const QList<FormMember> &members)
{
    return loadFormFile(window, window, path, members);
}

QString loadFormFile(QWidget *parent, QObject *handlers, const QString &path,
                     const QList<FormMember> &members)
{
    return loadFormFile(parent, handlers, path, QString(), members);
}

QString loadFormFile(QWidget *parent, QObject *handlers, const QString &path, const QString &panel,
                     const QList<FormMember> &members)
{
    // A window's panels are read from the file the window read already.
    static QHash<QString, QJsonObject> read;
    auto it = read.find(path);
    if (it == read.end()) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QStringLiteral("form file %1 cannot be read").arg(path);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
        if (error.error != QJsonParseError::NoError)
            return QStringLiteral("%1: form file: %2 at %3").arg(path, error.errorString()).arg(error.offset);
        if (!doc.isObject())
            return QStringLiteral("%1: form file: no object").arg(path);
        // A file of the program's resources never changes; one on disk is read each time.
        if (!path.startsWith(QLatin1Char(':')))
            return loadFormObject(parent, handlers, doc.object(), path, panel, members);
        it = read.insert(path, doc.object());
    }
    return loadFormObject(parent, handlers, *it, path, panel, members);
}

} // namespace pv
