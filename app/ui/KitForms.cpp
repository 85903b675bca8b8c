// The kit's controls in the class registry, so that a form file makes them as the kit
// does ("Kit.Label", "Kit.TextBox", ...), and the windows' form files.
#include "app/ui/Kit.h"

#include "platform/components/ClassRegistry.h"
#include "platform/components/PropertyBag.h"
#include "platform/forms/FormLoader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTextEdit>

namespace ui
{

namespace
{

struct Place {
    QByteArray name;
    double l, t, w, h;
};

Place placeOf(const pv::PropertyBag &d)
{
    return {d.ReadProperty(QStringLiteral("Name")).toString().toLatin1(),
            d.ReadProperty(QStringLiteral("Left")).toDouble(),
            d.ReadProperty(QStringLiteral("Top")).toDouble(),
            d.ReadProperty(QStringLiteral("Width")).toDouble(),
            d.ReadProperty(QStringLiteral("Height")).toDouble()};
}

void registerKitClasses()
{
    auto &reg = pv::ClassRegistry::instance();
    auto add = [&reg](const char *name, pv::ControlFactory f) { reg.registerClass(QLatin1String(name), f); };
    add("Kit.Label", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        return label(parent, p.name.constData(), p.l, p.t, p.w, p.h, QString());
    });
    add("Kit.TextBox", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        return textBox(parent, p.name.constData(), p.l, p.t, p.w, p.h);
    });
    add("Kit.ComboBox", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        return comboBox(parent, p.name.constData(), p.l, p.t, p.w, p.h);
    });
    add("Kit.DatePicker", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        return datePicker(parent, p.name.constData(), p.l, p.t, p.w, p.h);
    });
    // "Box": false for a panel without an edge.
    add("Kit.Panel", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        return panel(parent, p.name.constData(), p.l, p.t, p.w, p.h,
                     d.ReadProperty(QStringLiteral("Box"), true).toBool());
    });
    add("Kit.Grid", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        auto *grid = static_cast<QTableView *>(pv::plainControl<QTableView>(parent, d));
        scrollBarsFromImages(grid);
        return grid;
    });
    add("Kit.List", pv::plainControl<QListWidget>);
    add("Kit.TextEdit", pv::plainControl<QTextEdit>);
    add("Kit.PlainTextEdit", pv::plainControl<QPlainTextEdit>);
    add("Kit.CheckBox", pv::plainControl<QCheckBox>);
    add("Kit.Frame", pv::plainControl<QFrame>);
    add("Kit.Widget", pv::plainControl<QWidget>);

    // A list the user picks from but cannot type into, which still shows a text that is
    // not among its items ("Text": the customer card's group "GENEL" before any group row
    // exists).
    add("Kit.PickedList", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        const Place p = placeOf(d);
        QComboBox *c = comboBox(parent, p.name.constData(), p.l, p.t, p.w, p.h);
        c->setEditable(true);
        c->lineEdit()->setReadOnly(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setEditText(d.ReadProperty(QStringLiteral("Text")).toString());
        return c;
    });
    // "Tabs": the captions of its pages, each a plain widget; a control of the form goes
    // on one by its "page".
    add("Kit.TabWidget", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        auto *t = static_cast<QTabWidget *>(pv::plainControl<QTabWidget>(parent, d));
        for (const QString &caption : d.ReadProperty(QStringLiteral("Tabs")).toStringList())
            t->addTab(new QWidget(t), caption);
        return t;
    });
    // A pop-up menu, made where the file puts it among the window's children; the window
    // adds its actions ("title" is its Qt property).
    add("Kit.Menu", [](QWidget *parent, const pv::PropertyBag &d) -> QWidget * {
        auto *m = new QMenu(parent);
        m->setObjectName(d.ReadProperty(QStringLiteral("Name")).toString());
        return m;
    });
    add("Kit.TextBrowser", pv::plainControl<QTextBrowser>);
}

} // namespace

bool loadForm(QWidget *window, const QList<pv::FormMember> &members)
{
    return loadForm(window, window->objectName(), window, members);
}

bool loadForm(QWidget *on, const QString &formName, QObject *handlers, const QList<pv::FormMember> &members)
{
    static const bool registered = (registerKitClasses(), true);
    Q_UNUSED(registered);
    // "veresiye2.frmNote": the panel frmNote of veresiye2's form file.
    const int dot = formName.indexOf(QLatin1Char('.'));
    const QString file = dot < 0 ? formName : formName.left(dot);
    const QString error = pv::loadFormFile(on, handlers, QStringLiteral(":/forms/%1.form.json").arg(file),
                                           dot < 0 ? QString() : formName.mid(dot + 1), members);
    if (!error.isEmpty())
        qWarning("form file: %s", qPrintable(error));
    return error.isEmpty();
}

} // namespace ui
