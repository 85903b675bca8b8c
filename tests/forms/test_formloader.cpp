// The form loader: a window's controls made from its form file, members bound, handlers
// connected by name, and the load refused, saying why, on what it cannot honour.
#include "controls/button/BvButton.h"
#include "platform/components/ClassRegistry.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLoader.h"
#include "tests/harness/Harness.h"

#include <QLabel>
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
