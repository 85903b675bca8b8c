// The form loader: a window's controls made from its form file, members bound, handlers
// connected by name, and the load refused, saying why, on what it cannot honour.
#include "controls/button/BvButton.h"
#include "platform/components/ClassRegistry.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLoader.h"
#include "tests/harness/Harness.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QtTest>

namespace
{

// A window as the program's are: members by name, handlers as slots.
class LoaderWindow : public QWidget
{
    Q_OBJECT
public slots:
    void btnOk_Click() { ++clicks; }
    void lblInfo_Click() {}

public:
    int clicks = 0;
    BvButton *btnOk = nullptr;
    QLabel *lblText = nullptr;
};

QWidget *makeLabel(QWidget *parent, const pv::PropertyBag &d)
{
    auto *l = new QLabel(parent);
    l->setObjectName(d.ReadProperty(QStringLiteral("Name")).toString());
    pv::setGeometryTwips(l, d.ReadProperty(QStringLiteral("Left")).toDouble(),
                         d.ReadProperty(QStringLiteral("Top")).toDouble(),
                         d.ReadProperty(QStringLiteral("Width")).toDouble(),
                         d.ReadProperty(QStringLiteral("Height")).toDouble());
    return l;
}

// A tab widget with two pages, as a form file's class makes it.
QWidget *makeTabs(QWidget *parent, const pv::PropertyBag &d)
{
    auto *t = new QTabWidget(parent);
    t->setObjectName(d.ReadProperty(QStringLiteral("Name")).toString());
    t->addTab(new QWidget(t), QStringLiteral("Bir"));
    t->addTab(new QWidget(t), QStringLiteral("İki"));
    return t;
}

template <class T> QWidget *plain(QWidget *parent, const pv::PropertyBag &d)
{
    auto *w = new T(parent);
    w->setObjectName(d.ReadProperty(QStringLiteral("Name")).toString());
    return w;
}

// JSON written with single quotes, for the double quotes of form().
const char *const kButton = "{'name': 'btnOk', 'class': 'BrennavikBtn.BvButton', 'left': 1500, 'top': 150, "
                            "'width': 1200, 'height': 450, 'design': {'Caption': 'Tamam'}}";
const char *const kLabel = "{'name': 'lblText', 'class': 'Test.Label', 'left': 150, 'top': 300, "
                           "'width': 1200, 'height': 285, 'text': 'Adı :'}";

QByteArray form(const QStringList &controls, const QString &more = {})
{
    return QStringLiteral("{'name': 'LoaderWindow', %1 'controls': [%2]}")
        .arg(more, controls.join(QLatin1Char(',')))
        .replace(QLatin1Char('\''), QLatin1Char('"'))
        .toUtf8();
}

} // namespace

class TestFormLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        pv::ClassRegistry::instance().registerClass(QStringLiteral("Test.Label"), makeLabel);
        pv::ClassRegistry::instance().registerClass(QStringLiteral("Test.Tabs"), makeTabs);
        pv::ClassRegistry::instance().registerClass(QStringLiteral("Test.Combo"), plain<QComboBox>);
        pv::ClassRegistry::instance().registerClass(QStringLiteral("Test.List"), plain<QListWidget>);
        QVERIFY(pv::ClassRegistry::instance().isRegistered(QLatin1String(BvButton::ClassName)));
    }

    // Made, placed in twips, given their texts, stacked and tabbed as the file says;
    // members bound and Click connected to the handler of the control's name.
    void loadsAWindow()
    {
        pv::test::Harness h;
        LoaderWindow w;
        const QString error = pv::loadForm(
            &w,
            form({QString::fromUtf8(kLabel), QString::fromUtf8(kButton),
                  QStringLiteral(
                      "{'name': 'lblInfo', 'class': 'Test.Label', 'parent': 'lblText', 'left': 0, 'top': 0, "
                      "'width': 150, 'height': 150, 'z': 0, 'font': 'Tahoma', 'size': 9, 'bold': true, "
                      "'alignment': 'AlignRight|AlignVCenter', 'visible': false, "
                      "'palette': {'WindowText': '#808080'}}")}),
            {pv::FormMember("btnOk", w.btnOk), pv::FormMember("lblText", w.lblText)});
        QVERIFY2(error.contains(QStringLiteral("lblInfo_Click")), qPrintable(error)); // a label has no Click
        QVERIFY(w.btnOk && w.lblText);
        QCOMPARE(w.lblText->geometry(), QRect(10, 20, 80, 19));
        QCOMPARE(w.lblText->text(), QStringLiteral("Adı :"));
        QCOMPARE(w.btnOk->geometry(), QRect(100, 10, 80, 30));
        QCOMPARE(w.btnOk->Caption(), QStringLiteral("Tamam"));
        QCOMPARE(w.btnOk->Left(), 1500);
        auto *info = w.findChild<QLabel *>(QStringLiteral("lblInfo"));
        QVERIFY(info);
        QCOMPARE(info->parentWidget(), w.lblText);
        QCOMPARE(info->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(info->isHidden());
        QCOMPARE(info->font().pointSizeF(), 9.0);
        QVERIFY(info->font().bold());
        QCOMPARE(info->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
        emit w.btnOk->Click();
        QCOMPARE(w.clicks, 1);
    }

    void loadsWithoutFault()
    {
        pv::test::Harness h;
        LoaderWindow w;
        QCOMPARE(pv::loadForm(&w,
                              form({QString::fromUtf8(kButton),
                                    QStringLiteral("{'name': 'lblText', 'class': 'Test.Label', "
                                                   "'focusPolicy': 'StrongFocus'}"),
                                    QStringLiteral("{'name': 'lblMore', 'class': 'Test.Label', "
                                                   "'focusPolicy': 'StrongFocus'}")},
                                   QStringLiteral("'tabOrder': ['lblMore', 'lblText'],")),
                              {pv::FormMember("btnOk", w.btnOk)}),
                 QString());
        emit w.btnOk->Click();
        QCOMPARE(w.clicks, 1); // connected once
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblMore"))->nextInFocusChain(),
                 w.findChild<QLabel *>(QStringLiteral("lblText")));
    }

    // A control's "tag" becomes its Tag property, where the auto-sizer finds its anchors.
    void setsTheTag()
    {
        pv::test::Harness h;
        LoaderWindow w;
        QCOMPARE(pv::loadForm(&w,
                              form({QStringLiteral("{'name': 'lblText', 'class': 'Test.Label', "
                                                   "'tag': 'AutoSizer:wy'}")}),
                              {pv::FormMember("lblText", w.lblText)}),
                 QString());
        QCOMPARE(w.lblText->property("Tag").toString(), QStringLiteral("AutoSizer:wy"));
    }

    // A tab order that names its first control again at the end: it follows the last.
    void tabOrderRing()
    {
        pv::test::Harness h;
        LoaderWindow w;
        QStringList labels;
        for (const char *name : {"lblA", "lblB", "lblC"})
            labels << QStringLiteral("{'name': '%1', 'class': 'Test.Label', 'focusPolicy': 'StrongFocus'}")
                          .arg(QLatin1String(name));
        QCOMPARE(pv::loadForm(&w, form(labels, QStringLiteral("'tabOrder': ['lblC', 'lblA', 'lblC'],"))),
                 QString());
        auto *a = w.findChild<QLabel *>(QStringLiteral("lblA"));
        auto *c = w.findChild<QLabel *>(QStringLiteral("lblC"));
        QCOMPARE(a->nextInFocusChain(), c);
    }

    // A window's file holds its panels by name under "panels"; a panel not there is refused.
    void loadsAPanelOfTheWindowsFile()
    {
        pv::test::Harness h;
        const QString path = h.folder() + QStringLiteral("/w.form.json");
        QVERIFY(pv::test::writeFile(
            path,
            form({},
                 QStringLiteral("'panels': {'frmNote': {'controls': [%1]}},").arg(QLatin1String(kButton)))));
        LoaderWindow w;
        QCOMPARE(
            pv::loadFormFile(&w, &w, path, QStringLiteral("frmNote"), {pv::FormMember("btnOk", w.btnOk)}),
            QString());
        emit w.btnOk->Click();
        QCOMPARE(w.clicks, 1);
        QVERIFY(pv::loadFormFile(&w, &w, path, QStringLiteral("frmOther"), {})
                    .contains(QStringLiteral("frmOther")));
    }

    // A panel's form: made on the panel's widget, its handlers on the panel object.
    void loadsAPanel()
    {
        pv::test::Harness h;
        QWidget window;
        auto *frame = new QWidget(&window);
        LoaderWindow panel; // the handlers' owner, no widget of the form's
        QCOMPARE(pv::loadForm(frame, &panel, form({QString::fromUtf8(kButton)}),
                              {pv::FormMember("btnOk", panel.btnOk)}),
                 QString());
        QCOMPARE(panel.btnOk->parentWidget(), frame);
        QVERIFY(panel.children().isEmpty());
        emit panel.btnOk->Click();
        QCOMPARE(panel.clicks, 1);
    }

    // "page" puts a control on a page of its tab widget parent.
    void loadsOnTabPages()
    {
        pv::test::Harness h;
        LoaderWindow w;
        QCOMPARE(pv::loadForm(&w,
                              form({QStringLiteral("{'name': 'tabs', 'class': 'Test.Tabs'}"),
                                    QStringLiteral("{'name': 'lblText', 'class': 'Test.Label', "
                                                   "'parent': 'tabs', 'page': 1, 'left': 150}")}),
                              {pv::FormMember("lblText", w.lblText)}),
                 QString());
        auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabs"));
        QCOMPARE(w.lblText->parentWidget(), tabs->widget(1));
        QCOMPARE(w.lblText->x(), 10);
    }

    // "size", "bold" and "italic" alone change the inherited font, its family kept; with
    // "font" the family is the file's.
    void fontAttributesAlone()
    {
        pv::test::Harness h;
        LoaderWindow w;
        w.setFont(QFont(QStringLiteral("Courier New"), 11));
        QCOMPARE(
            pv::loadForm(&w, form({QStringLiteral("{'name': 'lblBold', 'class': 'Test.Label', 'bold': true}"),
                                   QStringLiteral("{'name': 'lblSmall', 'class': 'Test.Label', 'size': 7, "
                                                  "'italic': true}"),
                                   QStringLiteral("{'name': 'lblOwn', 'class': 'Test.Label', "
                                                  "'font': 'Tahoma', 'bold': true}")})),
            QString());
        const QFont bold = w.findChild<QLabel *>(QStringLiteral("lblBold"))->font();
        QCOMPARE(bold.family(), w.font().family());
        QCOMPARE(bold.pointSizeF(), 11.0);
        QVERIFY(bold.bold());
        QVERIFY(!w.font().bold()); // the window's own font stays as it was
        const QFont small = w.findChild<QLabel *>(QStringLiteral("lblSmall"))->font();
        QCOMPARE(small.family(), w.font().family());
        QCOMPARE(small.pointSizeF(), 7.0);
        QVERIFY(small.italic() && !small.bold());
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblOwn"))->font().family(), QStringLiteral("Tahoma"));
    }

    // A combo's and a list's entries, in the file's order.
    void fillsLists()
    {
        pv::test::Harness h;
        LoaderWindow w;
        QCOMPARE(pv::loadForm(&w, form({QStringLiteral("{'name': 'cboTur', 'class': 'Test.Combo', "
                                                       "'items': ['Alıcı', 'Satıcı']}"),
                                        QStringLiteral("{'name': 'lstTur', 'class': 'Test.List', "
                                                       "'items': ['TL', 'Dolar', 'Euro']}")})),
                 QString());
        const auto *combo = w.findChild<QComboBox *>(QStringLiteral("cboTur"));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(1), QStringLiteral("Satıcı"));
        QCOMPARE(combo->currentText(), QStringLiteral("Alıcı"));
        const auto *list = w.findChild<QListWidget *>(QStringLiteral("lstTur"));
        QVERIFY(list);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("Euro"));
    }

    // Controls the window has are taken by name, nothing of the file set on them; one
    // under another parent is moved into the form's; one the window lacks is made.
    void takesTheWindowsControls()
    {
        pv::test::Harness h;
        LoaderWindow w;
        auto *own = new BvButton(&w);
        own->setObjectName(QStringLiteral("btnOk"));
        own->setCaption(QStringLiteral("Kendi"));
        own->hide();
        auto *moved = new QLabel(QStringLiteral("Taşınan"), &w);
        moved->setObjectName(QStringLiteral("lblText"));
        moved->hide();
        const QString error = pv::loadForm(
            &w,
            form({QStringLiteral("{'name': 'btnOk', 'class': 'BrennavikBtn.BvButton', 'take': true, "
                                 "'left': 1500, 'top': 150, 'width': 1200, 'height': 450, "
                                 "'design': {'Caption': 'Tamam'}}"),
                  QStringLiteral("{'name': 'frmPanel', 'class': 'Test.Label', 'left': 0, 'top': 0, "
                                 "'width': 3000, 'height': 3000}"),
                  QStringLiteral("{'name': 'lblText', 'class': 'Test.Label', 'parent': 'frmPanel', "
                                 "'take': true, 'left': 150, 'top': 300, 'width': 1200, 'height': 285, "
                                 "'text': 'Adı :'}"),
                  QStringLiteral("{'name': 'lblMade', 'class': 'Test.Label', 'parent': 'frmPanel', "
                                 "'take': true, 'left': 150, 'top': 600, 'width': 1200, 'height': 285, "
                                 "'text': 'Yeni'}")}),
            {pv::FormMember("btnOk", w.btnOk), pv::FormMember("lblText", w.lblText)});
        QCOMPARE(error, QString());
        QCOMPARE(w.btnOk, own);
        QCOMPARE(own->Caption(), QStringLiteral("Kendi"));
        QVERIFY(own->isHidden());
        emit own->Click();
        QCOMPARE(w.clicks, 1);
        auto *panel = w.findChild<QLabel *>(QStringLiteral("frmPanel"));
        QCOMPARE(w.lblText, moved);
        QCOMPARE(moved->parentWidget(), panel);
        QCOMPARE(moved->geometry(), QRect(10, 20, 80, 19));
        QCOMPARE(moved->text(), QStringLiteral("Taşınan"));
        QVERIFY(!moved->isHidden());
        auto *made = panel->findChild<QLabel *>(QStringLiteral("lblMade"));
        QVERIFY(made);
        QCOMPARE(made->text(), QStringLiteral("Yeni"));
        QCOMPARE(panel->children(), (QObjectList{moved, made}));
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("withMembers");
        QTest::addColumn<QString>("error");
        const QString button = QString::fromUtf8(kButton), label = QString::fromUtf8(kLabel);
        QTest::newRow("no JSON") << QByteArray("{\"controls\": [") << false << "form file:";
        QTest::newRow("unknown class") << form({QStringLiteral("{'name': 'x', 'class': 'Kit.Nothing'}")})
                                       << false << "x: unknown class \"Kit.Nothing\"";
        QTest::newRow("unknown property")
            << form({QStringLiteral("{'name': 'x', 'class': 'Test.Label', 'colour': 3}")}) << false
            << "x: unknown property \"colour\"";
        QTest::newRow("unknown design property")
            << form({QStringLiteral(
                   "{'name': 'b', 'class': 'BrennavikBtn.BvButton', 'design': {'Capton': 'A'}}")})
            << false << "b: unknown design property Capton";
        QTest::newRow("property of the wrong kind")
            << form({QStringLiteral("{'name': 'x', 'class': 'Test.Label', 'alignment': 'AlignSideways'}")})
            << false << "x: property \"alignment\" cannot take";
        QTest::newRow("parent not made yet")
            << form({QStringLiteral("{'name': 'x', 'class': 'Test.Label', 'parent': 'y'}")}) << false
            << "x: parent \"y\" is no earlier control";
        QTest::newRow("page past the last")
            << form({QStringLiteral("{'name': 'tabs', 'class': 'Test.Tabs'}"),
                     QStringLiteral("{'name': 'x', 'class': 'Test.Label', 'parent': 'tabs', 'page': 2}")})
            << false << "x: \"tabs\" has no page 2";
        QTest::newRow("page of no tab widget")
            << form({label,
                     QStringLiteral("{'name': 'x', 'class': 'Test.Label', 'parent': 'lblText', 'page': 0}")})
            << false << "x: \"lblText\" has no page 0";
        QTest::newRow("two of one name") << form({label, label}) << false << "lblText: a second control";
        QTest::newRow("member left unbound") << form({label}) << true << "member btnOk has no control";
        QTest::newRow("member of another class")
            << form({label, QStringLiteral("{'name': 'btnOk', 'class': 'Test.Label'}")}) << true
            << "member btnOk is a BvButton, its control a QLabel";
        QTest::newRow("handler without connection")
            << form({button, label, QStringLiteral("{'name': 'lblInfo', 'class': 'Test.Label'}")}) << true
            << "lblInfo_Click: lblInfo has no Click to connect";
        QTest::newRow("tab order of no control")
            << form({button, label}, QStringLiteral("'tabOrder': ['btnOk', 'txtNone'],")) << true
            << "tab order: no control \"txtNone\"";
    }
    void refuses()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, withMembers);
        QFETCH(QString, error);
        pv::test::Harness h;
        LoaderWindow w;
        QList<pv::FormMember> members;
        if (withMembers)
            members = {pv::FormMember("btnOk", w.btnOk), pv::FormMember("lblText", w.lblText)};
        const QString got = pv::loadForm(&w, json, members);
        QVERIFY2(got.contains(error), qPrintable(got));
    }
};

QTEST_MAIN(TestFormLoader)
#include "test_formloader.moc"
