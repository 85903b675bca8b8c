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
#include <memory>
#include <optional>

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

// A form as the loader uses it: the file's entries read once into what each control
// needs, so that a window opened again makes its controls without looking through JSON.
struct Entry {
    QString name, className, parent;
    bool hasParent = false;
    bool hasPage = false;
    int page = -1;
    bool take = false;
    bool placed = false; // "left" given: a taken control's place
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true; // a taken control's "visible"
    PropertyBag design;  // with the name and the place
    struct Property {
        QByteArray name;
        QVariant value;
        QJsonValue given; // as the file has it, for the message when it cannot be set
    };
    std::vector<Property> properties;
    bool hasFont = false;
    QString family;
    std::optional<double> size;
    std::optional<bool> bold, italic;
    std::vector<std::pair<QString, QString>> palette; // role, #RRGGBB
    std::optional<QString> tag;
    std::optional<QStringList> items;
    std::optional<int> z;
};

struct CompiledForm {
    std::optional<QString> caption;
    bool sized = false;
    double width = 0, height = 0;
    bool fixedSize = false;
    std::vector<Entry> entries;
    QStringList tabOrder;
};

CompiledForm compile(const QJsonObject &form)
{
    CompiledForm out;
    if (form.contains(QStringLiteral("caption")))
        out.caption = form.value(QStringLiteral("caption")).toString();
    if (form.contains(QStringLiteral("width")) || form.contains(QStringLiteral("height"))) {
        out.sized = true;
        out.width = form.value(QStringLiteral("width")).toDouble();
        out.height = form.value(QStringLiteral("height")).toDouble();
    }
    out.fixedSize = form.value(QStringLiteral("fixedSize")).toBool();
    for (const QJsonValue &t : form.value(QStringLiteral("tabOrder")).toArray())
        out.tabOrder << t.toString();
    const QJsonArray controls = form.value(QStringLiteral("controls")).toArray();
    out.entries.reserve(size_t(controls.size()));
    for (const QJsonValue &v : controls) {
        const QJsonObject c = v.toObject();
        Entry e;
        e.name = c.value(QStringLiteral("name")).toString();
        e.className = c.value(QStringLiteral("class")).toString();
        e.hasParent = c.contains(QStringLiteral("parent"));
        e.parent = c.value(QStringLiteral("parent")).toString();
        if (c.contains(QStringLiteral("page"))) {
            e.hasPage = true;
            e.page = c.value(QStringLiteral("page")).toInt(-1);
        }
        e.take = c.value(QStringLiteral("take")).toBool();
        e.placed = c.contains(QStringLiteral("left"));
        e.left = c.value(QStringLiteral("left")).toDouble();
        e.top = c.value(QStringLiteral("top")).toDouble();
        e.width = c.value(QStringLiteral("width")).toDouble();
        e.height = c.value(QStringLiteral("height")).toDouble();
        e.visible = c.value(QStringLiteral("visible")).toBool(true);

        const QJsonObject design = c.value(QStringLiteral("design")).toObject();
        for (auto it = design.begin(); it != design.end(); ++it)
            e.design.set(it.key(), designValue(it.value()));
        e.design.set(QStringLiteral("Name"), e.name);
        for (const char *key : {"Left", "Top", "Width", "Height"}) {
            const QString lower = QString::fromLatin1(key).toLower();
            if (c.contains(lower))
                e.design.set(QLatin1String(key), designValue(c.value(lower)));
        }
        for (auto it = c.begin(); it != c.end(); ++it)
            if (!ownKeys().contains(it.key()))
                e.properties.push_back({it.key().toLatin1(), it.value().toVariant(), it.value()});

        e.hasFont = c.contains(QStringLiteral("font"));
        e.family = c.value(QStringLiteral("font")).toString();
        if (c.contains(QStringLiteral("size")))
            e.size = c.value(QStringLiteral("size")).toDouble();
        if (c.contains(QStringLiteral("bold")))
            e.bold = c.value(QStringLiteral("bold")).toBool();
        if (c.contains(QStringLiteral("italic")))
            e.italic = c.value(QStringLiteral("italic")).toBool();
        const QJsonObject colours = c.value(QStringLiteral("palette")).toObject();
        for (auto it = colours.begin(); it != colours.end(); ++it)
            e.palette.emplace_back(it.key(), it.value().toString());
        if (c.contains(QStringLiteral("tag")))
            e.tag = c.value(QStringLiteral("tag")).toString();
        if (c.contains(QStringLiteral("items"))) {
            QStringList items;
            for (const QJsonValue &item : c.value(QStringLiteral("items")).toArray())
                items << item.toString();
            e.items = items;
        }
        if (c.contains(QStringLiteral("z")))
            e.z = c.value(QStringLiteral("z")).toInt();
        out.entries.push_back(std::move(e));
    }
    return out;
}

// The zero-argument methods of a class by name, looked up once per class: each control is
// asked for its X_Click, X_Change and X_DblClick. As indexOfMethod, a name declared again
// in a subclass stands for the subclass's.
const QHash<QString, int> &methodsOf(const QMetaObject *meta)
{
    static QHash<const QMetaObject *, QHash<QString, int>> known;
    auto it = known.find(meta);
    if (it == known.end()) {
        QHash<QString, int> methods;
        for (int i = 0; i < meta->methodCount(); ++i)
            if (const QMetaMethod m = meta->method(i); m.parameterCount() == 0)
                methods.insert(QString::fromLatin1(m.name()), i);
        it = known.insert(meta, methods);
    }
    return *it;
}

class Loader
{
public:
    Loader(QWidget *window, QObject *handlers, const QList<FormMember> &members)
        : m_window(window), m_handlers(handlers), m_members(members)
    {
    }

    QString run(const CompiledForm &form)
    {
        if (auto *f = qobject_cast<Form *>(m_window)) {
            if (form.caption)
                f->setCaption(*form.caption);
            if (form.sized)
                f->setClientSizeTwips(form.width, form.height);
            if (form.fixedSize)
                f->setFixedSize(f->size());
        }
        m_controls.reserve(qsizetype(form.entries.size()));
        for (const Entry &e : form.entries)
            if (QString error = makeControl(e); !error.isEmpty())
                return error;
        stack(form.entries);
        if (QString e = tabOrder(form.tabOrder); !e.isEmpty())
            return e;
        if (QString e = bindMembers(); !e.isEmpty())
            return e;
        if (QString e = connectHandlers(); !e.isEmpty())
            return e;
        // A wrong property leaves its control made: the window can still run to show it.
        return m_errors.join(QStringLiteral("; "));
    }

private:
    QString makeControl(const Entry &c)
    {
        const QString &name = c.name;
        if (name.isEmpty())
            return QStringLiteral("a control without a name");
        if (m_controls.contains(name))
            return QStringLiteral("%1: a second control of this name").arg(name);
        if (!ClassRegistry::instance().isRegistered(c.className))
            return QStringLiteral("%1: unknown class \"%2\"").arg(name, c.className);
        QWidget *parent = m_window;
        if (c.hasParent) {
            parent = m_controls.value(c.parent);
            if (!parent)
                return QStringLiteral("%1: parent \"%2\" is no earlier control").arg(name, c.parent);
        }
        // A control on a page of a tab widget: the pages counted from 0.
        if (c.hasPage) {
            auto *tabs = qobject_cast<QTabWidget *>(parent);
            QWidget *page = tabs ? tabs->widget(c.page) : nullptr;
            if (!page)
                return QStringLiteral("%1: \"%2\" has no page %3")
                    .arg(name, parent->objectName())
                    .arg(c.page);
            parent = page;
        }

        if (c.take)
            if (QWidget *found = m_window->findChild<QWidget *>(name)) {
                take(c, found, parent);
                m_controls.insert(name, found);
                m_order << name;
                return {};
            }

        PropertyBag bag = c.design;
        QWidget *w = ClassRegistry::instance().create(c.className, parent, bag);
        if (!w)
            return QStringLiteral("%1: class \"%2\" made no control").arg(name, c.className);
        for (const char *key : {"Name", "Left", "Top", "Width", "Height"})
            bag.ReadProperty(QLatin1String(key));
        if (const QStringList unknown = bag.unreadNames(); !unknown.isEmpty())
            m_errors << QStringLiteral("%1: unknown design property %2")
                            .arg(name, unknown.join(QStringLiteral(", ")));
        if (w->objectName().isEmpty())
            w->setObjectName(name);
        m_controls.insert(name, w);
        m_order << name;

        for (const Entry::Property &p : c.properties) {
            const int index = w->metaObject()->indexOfProperty(p.name.constData());
            if (index < 0) {
                m_errors
                    << QStringLiteral("%1: unknown property \"%2\"").arg(name, QString::fromLatin1(p.name));
                continue;
            }
            if (!w->metaObject()->property(index).write(w, p.value))
                m_errors << QStringLiteral("%1: property \"%2\" cannot take %3")
                                .arg(name, QString::fromLatin1(p.name),
                                     QString::fromUtf8(
                                         QJsonDocument(QJsonArray{p.given}).toJson(QJsonDocument::Compact)));
        }
        // Without a "font", "size", "bold" and "italic" change the font the control inherits.
        if (c.hasFont || c.size || c.bold || c.italic) {
            QFont f = c.hasFont ? QFont(c.family) : w->font();
            if (c.size)
                f.setPointSizeF(*c.size);
            if (c.bold)
                f.setBold(*c.bold);
            if (c.italic)
                f.setItalic(*c.italic);
            w->setFont(f);
        }
        if (!c.palette.empty()) {
            QPalette pal = w->palette();
            const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
            for (const auto &[key, colour] : c.palette) {
                bool ok = false;
                const int role = roles.keyToValue(key.toLatin1().constData(), &ok);
                if (!ok)
                    m_errors << QStringLiteral("%1: unknown colour role \"%2\"").arg(name, key);
                pal.setColor(QPalette::ColorRole(role), QColor(colour));
            }
            w->setPalette(pal);
        }
        // The control's Tag: a word the program reads from it (the auto-sizer its anchors).
        if (c.tag)
            w->setProperty("Tag", *c.tag);
        if (c.items) {
            // Qt's combo and list take their items by a function no meta-object lists.
            if (auto *combo = qobject_cast<QComboBox *>(w)) {
                combo->addItems(*c.items);
            } else if (auto *list = qobject_cast<QListWidget *>(w)) {
                list->addItems(*c.items);
            } else {
                const int add = w->metaObject()->indexOfMethod("addItems(QStringList)");
                if (add < 0)
                    m_errors << QStringLiteral("%1: holds no items").arg(name);
                else
                    w->metaObject()->method(add).invoke(w, Q_ARG(QStringList, *c.items));
            }
        }
        return {};
    }

    // A control the window made already, taken as it stands; one under another parent is
    // moved to the entry's, placed at its place (when it gives one) and shown as a control
    // made there would be.
    static void take(const Entry &c, QWidget *found, QWidget *parent)
    {
        if (found->parentWidget() == parent)
            return;
        found->setParent(parent);
        if (c.placed)
            setGeometryTwips(found, c.left, c.top, c.width, c.height);
        found->setVisible(c.visible);
    }

    // Siblings given a "z" are put in that order, bottom first.
    void stack(const std::vector<Entry> &entries)
    {
        std::map<QWidget *, std::vector<std::pair<int, QWidget *>>> byParent;
        for (const Entry &c : entries) {
            if (!c.z)
                continue;
            QWidget *w = m_controls.value(c.name);
            byParent[w->parentWidget()].push_back({*c.z, w});
        }
        for (auto &[parent, list] : byParent) {
            std::stable_sort(list.begin(), list.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            // Each raised over its siblings, the next one over it, and so on.
            for (const auto &entry : list)
                entry.second->raise();
        }
    }

    QString tabOrder(const QStringList &names)
    {
        QWidget *previous = nullptr;
        for (const QString &name : names) {
            QWidget *w = m_controls.value(name);
            if (!w)
                return QStringLiteral("tab order: no control \"%1\"").arg(name);
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
        const QHash<QString, int> &methods = methodsOf(m_handlers->metaObject());
        for (const QString &name : std::as_const(m_order)) {
            QWidget *w = m_controls.value(name);
            for (const auto &[event, candidates] : eventSignals()) {
                const int slot = methods.value(name + QLatin1Char('_') + event, -1);
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

// A form and its panels compiled once per resource file; a file on disk is read each time.
using Compiled = std::shared_ptr<const CompiledForm>;

QString compileFrom(const QJsonObject &file, const QString &path, const QString &panel, Compiled *out)
{
    QJsonObject form = file;
    if (!panel.isEmpty()) {
        const QJsonValue v = file.value(QStringLiteral("panels")).toObject().value(panel);
        if (!v.isObject())
            return QStringLiteral("%1: no panel \"%2\"").arg(path, panel);
        form = v.toObject();
    }
    *out = std::make_shared<const CompiledForm>(compile(form));
    return {};
}

QString build(QWidget *parent, QObject *handlers, const CompiledForm &form, const QString &path,
              const QList<FormMember> &members)
{
    const QString error = Loader(parent, handlers, members).run(form);
    return error.isEmpty() || path.isEmpty() ? error : path + QStringLiteral(": ") + error;
}

} // namespace

void nameAndPlace(QWidget *control, const PropertyBag &design)
{
    control->setObjectName(design.ReadProperty(QStringLiteral("Name")).toString());
    setGeometryTwips(control, design.ReadProperty(QStringLiteral("Left")).toDouble(),
                     design.ReadProperty(QStringLiteral("Top")).toDouble(),
                     design.ReadProperty(QStringLiteral("Width")).toDouble(),
                     design.ReadProperty(QStringLiteral("Height")).toDouble());
}

QString loadForm(QWidget *window, const QByteArray &json, const QList<FormMember> &members)
{
    return loadForm(window, window, json, members);
}

namespace
{

// A form file's JSON as an object, or why it is none.
QString parseForm(const QByteArray &json, QJsonObject *form)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("form file: %1 at %2").arg(error.errorString()).arg(error.offset);
    if (!doc.isObject())
        return QStringLiteral("form file: no object");
    *form = doc.object();
    return {};
}

} // namespace

QString loadForm(QWidget *parent, QObject *handlers, const QByteArray &json, const QList<FormMember> &members)
{
    QJsonObject form;
    if (QString e = parseForm(json, &form); !e.isEmpty())
        return e;
    return build(parent, handlers, compile(form), QString(), members);
}

QString loadFormFile(QWidget *window, const QString &path, const QList<FormMember> &members)
{
    return loadFormFile(window, window, path, QString(), members);
}

QString loadFormFile(QWidget *parent, QObject *handlers, const QString &path, const QString &panel,
                     const QList<FormMember> &members)
{
    // A window's panels are read from the file the window read already, each compiled once.
    static QHash<QString, QJsonObject> read;
    static QHash<QString, Compiled> compiled;
    const QString key = path + QLatin1Char('\n') + panel;
    if (const auto known = compiled.constFind(key); known != compiled.constEnd())
        return build(parent, handlers, **known, path, members);
    auto it = read.find(path);
    if (it == read.end()) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QStringLiteral("form file %1 cannot be read").arg(path);
        QJsonObject object;
        if (QString e = parseForm(f.readAll(), &object); !e.isEmpty())
            return path + QStringLiteral(": ") + e;
        // A file of the program's resources never changes; one on disk is read each time.
        if (!path.startsWith(QLatin1Char(':'))) {
            Compiled form;
            if (QString e = compileFrom(object, path, panel, &form); !e.isEmpty())
                return e;
            return build(parent, handlers, *form, path, members);
        }
        it = read.insert(path, object);
    }
    Compiled form;
    if (QString e = compileFrom(*it, path, panel, &form); !e.isEmpty())
        return e;
    compiled.insert(key, form);
    return build(parent, handlers, *form, path, members);
}

} // namespace pv
