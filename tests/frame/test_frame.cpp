#include "controls/frame/FrameFendrixon.h"
#include "platform/components/ClassRegistry.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using Ole = FrameFendrixon::OleColor;

namespace
{

QRgb rgb(Ole c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// A loaded frame: enabled (the bag's default would disable it), 3000 x 2000 twips = 200 x 133 px.
std::unique_ptr<FrameFendrixon> loadedFrame(pv::PropertyBag bag = {})
{
    if (!bag.contains(QStringLiteral("Enabled")))
        bag.set(QStringLiteral("Enabled"), true);
    auto f = std::make_unique<FrameFendrixon>(nullptr, QStringLiteral("Frame1"), bag);
    f->setSizeTwips(3000, 2000);
    return f;
}

// The run's own temporary folder; PV_KEEP_PNG names a folder to keep the images in.
QString pngDir()
{
    static QTemporaryDir tmp;
    const QString keep = qEnvironmentVariable("PV_KEEP_PNG");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        return keep;
    }
    return tmp.path();
}

// Header is 198 px wide at 3000 twips (the frame less one pixel each side).
constexpr int Wp = 198;

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::setTwipsPerPixel(15); }

    void createdByClassName()
    {
        QVERIFY(pv::ClassRegistry::instance().isRegistered(QStringLiteral("FendrixonFrame.FrameFendrixon")));
        pv::PropertyBag bag;
        bag.set(QStringLiteral("Name"), QStringLiteral("Frame3"));
        bag.set(QStringLiteral("Enabled"), true);
        bag.set(QStringLiteral("Caption"), QStringLiteral("Müşteri Listesi"));
        bag.set(QStringLiteral("EnableGradient"), true);
        bag.set(QStringLiteral("Width"), 4500);
        bag.set(QStringLiteral("Height"), 3000);
        QWidget form;
        std::unique_ptr<QWidget> w(pv::ClassRegistry::instance().create(
            QStringLiteral("fendrixonframe.framefendrixon"), &form, bag));
        auto *frame = qobject_cast<FrameFendrixon *>(w.get());
        QVERIFY(frame);
        QCOMPARE(frame->objectName(), QStringLiteral("Frame3"));
        QCOMPARE(frame->Caption(), QStringLiteral("Müşteri Listesi"));
        QVERIFY(frame->Enabled());
        QVERIFY(frame->EnableGradient());
        QCOMPARE(frame->Height(), 3000);
        QCOMPARE(frame->size(), QSize(300, 200));
        QCOMPARE(frame->ExpandedHeight(), 3000);
    }

    void newInstance()
    {
        FrameFendrixon f(nullptr, QStringLiteral("FrameFendrixon1"));
        QCOMPARE(f.ColorScheme(), FrameFendrixon::xpBlue);
        QCOMPARE(f.Caption(), QStringLiteral("FrameFendrixon1"));
        QVERIFY(f.Expanded());
        QVERIFY(f.Enabled());
        QCOMPARE(f.StoredFontSize(), 8.0);
        QCOMPARE(f.HeaderGradientBottom(), Ole(0x00C06E40));
        QCOMPARE(f.LiveButtonColor(), Ole(0x00BB6132));
        QVERIFY(!f.tmrMouseMove()->isActive());
        QCOMPARE(f.tmrMouseMove()->interval(), 10);
        f.setHeight(1800);
        QCOMPARE(f.ExpandedHeight(), 1800);
        f.setHeight(FrameFendrixon::CollapsedHeight);
        QCOMPARE(f.ExpandedHeight(), 1800);
    }

    void bagRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");   // what the bag holds before loading (invalid: absent)
        QTest::addColumn<QVariant>("expected"); // what the save writes (invalid: left out)
        QTest::newRow("Enabled absent loads disabled") << "Enabled" << QVariant() << QVariant();
        QTest::newRow("Enabled true kept") << "Enabled" << QVariant(true) << QVariant(true);
        QTest::newRow("HeaderGradientBottom key default")
            << "HeaderGradientBottom" << QVariant() << QVariant();
        QTest::newRow("HeaderGradientBottom new value")
            << "HeaderGradientBottom" << QVariant(qint32(0x00C06E40)) << QVariant(qint32(0x00C06E40));
        QTest::newRow("ColorScheme out of range") << "ColorScheme" << QVariant(7) << QVariant(7);
        QTest::newRow("Caption is the name") << "Caption" << QVariant(QStringLiteral("Frame1")) << QVariant();
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Kasa"))
                                 << QVariant(QStringLiteral("Kasa"));
        QTest::newRow("Expanded false") << "Expanded" << QVariant(false) << QVariant(false);
        QTest::newRow("BackColor system") << "BackColor" << QVariant(qint32(0x8000000F)) << QVariant();
        QTest::newRow("BackColor") << "BackColor" << QVariant(qint32(0x00FFFFFF))
                                   << QVariant(qint32(0x00FFFFFF));
        QTest::newRow("strikethrough by any case") << "FontStrikethru" << QVariant(true) << QVariant(true);
    }
    void bagRoundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, expected);
        pv::PropertyBag in;
        if (stored.isValid())
            in.set(key, stored);
        FrameFendrixon f(nullptr, QStringLiteral("Frame1"), in);
        pv::PropertyBag out;
        f.UserControl_WriteProperties(out);
        QCOMPARE(out.contains(key), expected.isValid());
        if (expected.isValid())
            QCOMPARE(out.ReadProperty(key), expected);
        // And the saved bag loads into the same state.
        FrameFendrixon again(nullptr, QStringLiteral("Frame1"), out);
        pv::PropertyBag out2;
        again.UserControl_WriteProperties(out2);
        QCOMPARE(out2.names(), out.names());
        for (const QString &n : out.names())
            QCOMPARE(out2.ReadProperty(n), out.ReadProperty(n));
    }

    void newInstanceSave()
    {
        FrameFendrixon f(nullptr, QStringLiteral("Frame1"));
        pv::PropertyBag out;
        f.UserControl_WriteProperties(out);
        QCOMPARE(out.ReadProperty(QStringLiteral("HeaderGradientBottom")), QVariant(qint32(0x00C06E40)));
        QCOMPARE(out.ReadProperty(QStringLiteral("Enabled")), QVariant(true));
        QVERIFY(!out.contains(QStringLiteral("Caption")));
        const QStringList always{"FontBold", "FontItalic", "FontSize", "FontStrikethru", "FontUnderline"};
        for (const QString &k : always)
            QVERIFY2(out.contains(k), qPrintable(k));
        const QStringList order = out.names();
        QVERIFY(order.indexOf("FontBold") < order.indexOf("FontItalic"));
        QVERIFY(order.indexOf("FontItalic") < order.indexOf("FontSize"));
    }

    void fontAttributesLoad()
    {
        pv::PropertyBag in;
        in.set(QStringLiteral("FontStrikeThru"), true);
        in.set(QStringLiteral("fontbold"), true);
        in.set(QStringLiteral("FontSize"), 12.0f);
        auto f = loadedFrame(in);
        QVERIFY(f->Font().strikeOut());
        QVERIFY(f->Font().bold());
        QVERIFY(!f->Font().italic());
        QCOMPARE(f->Font().pointSizeF(), 12.0);
        pv::PropertyBag out;
        f->UserControl_WriteProperties(out);
        QCOMPARE(out.ReadProperty(QStringLiteral("FontStrikethru")), QVariant(true));
        QCOMPARE(out.ReadProperty(QStringLiteral("FontSize")), QVariant(12.0f));
    }

    void disabledLoad()
    {
        pv::PropertyBag in;
        in.set(QStringLiteral("Enabled"), false);
        in.set(QStringLiteral("ButtonColor"), qint32(0x000000FF));
        in.set(QStringLiteral("GradientBottom"), qint32(0x0000FF00));
        FrameFendrixon f(nullptr, QStringLiteral("Frame1"), in);
        QVERIFY(!f.Enabled());
        QCOMPARE(f.ButtonColor(), Ole(0x00759797)); // read before the disabled set
        QCOMPARE(f.LiveButtonColor(), Ole(0x00759797));
        QCOMPARE(f.GradientBottom(), Ole(0x0000FF00)); // read after it
        QVERIFY(!f.tmrMouseMove()->isActive());
    }

    void schemeTable_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QList<quint32>>("colours"); // ButtonColor, ButtonHighlight, Border, Fore,
                                                     // GradientBottom, GradientTop, HeaderBottom, HeaderTop
        QTest::newRow("disabled") << 1 << false
                                  << QList<quint32>{0x00759797, 0x00CFCFCF, 0x0080A7BF, 0x00759797,
                                                    0x00F8FAFA, 0x00FFFFFF, 0x0090ABAB, 0x00E0E7E7};
        QTest::newRow("default") << 0 << true
                                 << QList<quint32>{0x00000000, 0x00AFAFAF, 0x00CFCFCF, 0x00000000,
                                                   0x00EFEFEF, 0x00FFFFFF, 0x00CFCFCF, 0x00F8F8F8};
        QTest::newRow("blue") << 1 << true << QList<quint32>{0x00BB6132, 0x00FFFFFF, 0x00CF9365, 0x00FFFFFF,
                                                             0x00EBC2A5, 0x00FFFFFF, 0x00C06E40, 0x00F8E9DE};
        QTest::newRow("olive") << 2 << true << QList<quint32>{0x00447864, 0x0074AA9B, 0x0074AA9B, 0x00447864,
                                                              0x00E3EFEC, 0x00FFFFFF, 0x0079B1A2, 0x00E3EFEC};
        QTest::newRow("silver") << 3 << true
                                << QList<quint32>{0x007E6666, 0x00BBA9A8, 0x00BBA9A8, 0x007E6666,
                                                  0x00F2EBEC, 0x00FFFFFF, 0x00D7C3C6, 0x00F5F0F0};
        QTest::newRow("disabled whatever the scheme")
            << 7 << false << QList<quint32>{0x00759797, 0x00CFCFCF, 0x0080A7BF, 0x00759797,
                                            0x00F8FAFA, 0x00FFFFFF, 0x0090ABAB, 0x00E0E7E7};
    }
    void schemeTable()
    {
        QFETCH(int, scheme);
        QFETCH(bool, enabled);
        QFETCH(QList<quint32>, colours);
        auto f = loadedFrame();
        f->setBorderColor(0x12345678); // a host's own colour, which the scheme replaces
        f->setColorScheme(FrameFendrixon::xFrameStyles(scheme));
        QSignalSpy changed(f.get(), &FrameFendrixon::propertyChanged);
        f->setEnabled(enabled);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Enabled"));
        const QList<quint32> got{f->ButtonColor(),          f->ButtonHighlightColor(),
                                 f->BorderColor(),          f->ForeColor(),
                                 f->GradientBottom(),       f->GradientTop(),
                                 f->HeaderGradientBottom(), f->HeaderGradientTop()};
        QCOMPARE(got, colours);
        QCOMPARE(f->LiveButtonColor(), Ole(colours[0]));
        QCOMPARE(f->tmrMouseMove()->isActive(), enabled);
        QCOMPARE(f->ColorScheme(), FrameFendrixon::xFrameStyles(scheme));
    }

    void unknownSchemeKeepsColours()
    {
        auto f = loadedFrame();
        f->setButtonColor(0x00112233);
        f->setBorderColor(0x00445566);
        f->setColorScheme(FrameFendrixon::xFrameStyles(7));
        QCOMPARE(f->BorderColor(), Ole(0x00445566));
        QCOMPARE(f->LiveButtonColor(), Ole(0x00112233));
    }

    void enableGradientResetsColours_data()
    {
        QTest::addColumn<bool>("gradient");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void enableGradientResetsColours()
    {
        QFETCH(bool, gradient);
        auto f = loadedFrame();
        f->setColorScheme(FrameFendrixon::xpSilver);
        f->setBorderColor(0x00445566);
        f->setHeaderGradientTop(0x00000000);
        f->setEnableGradient(gradient);
        QCOMPARE(f->BorderColor(), Ole(0x00BBA9A8));
        QCOMPARE(f->HeaderGradientTop(), Ole(0x00F5F0F0));
        QCOMPARE(hex(f->headerImage().pixel(40, 0)), hex(rgb(0x00F5F0F0)));
    }

    void disabledLook()
    {
        auto f = loadedFrame();
        f->setButton(true);
        f->setEnableGradient(true);
        f->setEnabled(false);
        QCOMPARE(hex(f->bodyImage().pixel(0, 60)), hex(rgb(0x0080A7BF)));
        QCOMPARE(hex(f->bodyImage().pixel(100, 132 - 1)), hex(rgb(0x00F8FAFA))); // near the bottom
        QCOMPARE(hex(f->headerImage().pixel(40, 0)), hex(rgb(0x00E0E7E7)));
        QCOMPARE(hex(f->headerImage().pixel(40, 19)), hex(rgb(0x0090ABAB)));
        QCOMPARE(hex(f->headerImage().pixel(Wp - 13, 5)), hex(rgb(0x00759797))); // chevron
        f->bodyImage().save(pngDir() + QStringLiteral("/body-disabled.png"));
        f->headerImage().save(pngDir() + QStringLiteral("/header-disabled.png"));
    }

    void enabledCarriesHeldControls()
    {
        auto f = loadedFrame();
        auto *edit = new QLineEdit(f.get());
        f->setEnabled(false);
        QVERIFY(!edit->isEnabled());
        f->setEnabled(true);
        QVERIFY(edit->isEnabled());
        // The plain widget call has the property's effects too.
        f->QWidget::setEnabled(false);
        QCOMPARE(f->BorderColor(), Ole(0x0080A7BF));
        QVERIFY(!f->tmrMouseMove()->isActive());
    }

    void headerClicks_data()
    {
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("buttonPin");
        QTest::addColumn<bool>("pinned");
        QTest::addColumn<int>("startHeight");
        QTest::addColumn<float>("x"); // twips from the header's right edge
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<bool>("pinnedAfter");
        // Header is 2970 twips wide; pin band 450..300 from its right edge.
        QTest::newRow("collapse") << true << true << false << 2000 << 100.f << 315 << false << false;
        QTest::newRow("expand") << true << true << false << 315 << 100.f << 2000 << true << false;
        QTest::newRow("pinned keeps height and flag")
            << true << true << true << 2000 << 100.f << 2000 << true << true;
        QTest::newRow("pin band edge 450 pins")
            << true << true << false << 2000 << 450.f << 2000 << true << true;
        QTest::newRow("pin band edge 300 pins")
            << true << true << false << 2000 << 300.f << 2000 << true << true;
        QTest::newRow("299 collapses") << true << true << false << 2000 << 299.f << 315 << false << false;
        QTest::newRow("unpin") << true << true << true << 2000 << 400.f << 2000 << true << false;
        QTest::newRow("no pin button: nothing")
            << true << false << false << 2000 << 400.f << 2000 << true << false;
        QTest::newRow("no expand button: pin anywhere")
            << false << true << false << 2000 << 2000.f << 2000 << true << true;
        QTest::newRow("no buttons: nothing")
            << false << false << false << 2000 << 100.f << 2000 << true << false;
    }
    void headerClicks()
    {
        QFETCH(bool, button);
        QFETCH(bool, buttonPin);
        QFETCH(bool, pinned);
        QFETCH(int, startHeight);
        QFETCH(float, x);
        QFETCH(int, height);
        QFETCH(bool, expanded);
        QFETCH(bool, pinnedAfter);
        auto f = loadedFrame(); // remembers 2000
        f->setButton(button);
        f->setButtonPin(buttonPin);
        f->setFramePinned(pinned);
        f->setHeight(startHeight);
        QCOMPARE(f->ExpandedHeight(), startHeight == 315 ? 2000 : startHeight);
        QSignalSpy clicks(f.get(), &FrameFendrixon::Click);
        QStringList order;
        connect(f.get(), &FrameFendrixon::propertyChanged, this, [&](const QString &n) { order << n; });
        connect(f.get(), &FrameFendrixon::Click, this, [&] { order << QStringLiteral("Click"); });
        f->picHeader_MouseMove(float(3000 - 30) - x);
        f->picHeader_Click();
        QCOMPARE(f->Height(), height);
        QCOMPARE(f->Expanded(), expanded);
        QCOMPARE(f->FramePinned(), pinnedAfter);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(order.mid(order.size() - 2), (QStringList{"Expanded", "Click"}));
    }

    void expandWithoutRememberedHeight()
    {
        // Stored collapsed: it has never had a height to go back to.
        pv::PropertyBag bag;
        bag.set(QStringLiteral("Enabled"), true);
        bag.set(QStringLiteral("Button"), true);
        bag.set(QStringLiteral("Expanded"), false);
        bag.set(QStringLiteral("Width"), 3000);
        bag.set(QStringLiteral("Height"), 315);
        std::unique_ptr<QWidget> w(pv::ClassRegistry::instance().create(
            QStringLiteral("FendrixonFrame.FrameFendrixon"), nullptr, bag));
        auto *f = qobject_cast<FrameFendrixon *>(w.get());
        QVERIFY(f);
        QCOMPARE(f->Height(), 315);
        QCOMPARE(f->ExpandedHeight(), 0);
        QSignalSpy clicks(f, &FrameFendrixon::Click);
        f->picHeader_MouseMove(2970 - 100);
        f->picHeader_Click();
        QCOMPARE(f->Height(), 315);
        QVERIFY(f->Expanded());
        QCOMPARE(clicks.count(), 1);
        f->setExpanded(false);
        f->setExpanded(true);
        QCOMPARE(f->Height(), 315);
        QVERIFY(f->Expanded());
        f->setHeight(1200); // from now on it has one
        f->setExpanded(false);
        f->setExpanded(true);
        QCOMPARE(f->Height(), 1200);
    }

    void damagedBag()
    {
        pv::PropertyBag bag;
        bag.set(QStringLiteral("Enabled"), true);
        bag.set(QStringLiteral("ColorScheme"), QStringLiteral("mavi"));
        bag.set(QStringLiteral("ButtonColor"), QStringLiteral("kırmızı"));
        bag.set(QStringLiteral("FontSize"), QStringLiteral("büyük"));
        bag.set(QStringLiteral("GradientTop"), qint32(0x000000FF));
        auto f = loadedFrame(bag);
        // Unreadable values are skipped: the scheme keeps its initial 0, whose colours then stand.
        QCOMPARE(f->ColorScheme(), FrameFendrixon::xpDefault);
        QCOMPARE(f->ButtonColor(), Ole(0x00000000));
        QCOMPARE(f->GradientTop(), Ole(0x000000FF));
        QCOMPARE(f->StoredFontSize(), 8.0); // unset, then 8 at the first header paint
    }

    void picturePersisted()
    {
        QPixmap pic(12, 10);
        pic.fill(Qt::blue);
        auto f = loadedFrame();
        f->setPicture(pic);
        pv::PropertyBag out;
        f->UserControl_WriteProperties(out);
        QVERIFY(out.contains(QStringLiteral("Picture")));
        QCOMPARE(out.ReadProperty(QStringLiteral("DisplayPicture")), QVariant(true));
        auto g = loadedFrame(out);
        QCOMPARE(g->Picture().size(), QSize(12, 10));
        QVERIFY(g->DisplayPicture());
        QCOMPARE(hex(g->headerImage().pixel(5, 5)), hex(qRgb(0, 0, 255)));
    }

    void expandedProperty()
    {
        auto f = loadedFrame();
        f->setExpanded(false);
        QCOMPARE(f->Height(), 315);
        f->setExpanded(true);
        QCOMPARE(f->Height(), 2000);
        f->setFramePinned(true);
        f->setExpanded(false);
        QCOMPARE(f->Height(), 2000);
        QVERIFY(!f->Expanded());
    }

    void realMouseOnHeader()
    {
        auto f = loadedFrame();
        f->setButton(true);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        QSignalSpy clicks(f.get(), &FrameFendrixon::Click);
        QTest::mouseMove(f->picHeader(), QPoint(Wp - 5, 10));
        QTRY_VERIFY(f->HoverButton());
        QTest::mouseClick(f->picHeader(), Qt::LeftButton, {}, QPoint(Wp - 5, 10));
        QCOMPARE(f->Height(), 315);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(f->tmrMouseMove()->isActive());
        QSignalSpy bodyClicks(f.get(), &FrameFendrixon::Click);
        QSignalSpy down(f.get(), &FrameFendrixon::MouseDown);
        f->setHeight(2000);
        QTest::mouseClick(f.get(), Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(bodyClicks.count(), 1);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(2).toFloat(), 750.f);
        QCOMPARE(down.at(0).at(3).toFloat(), 900.f);
    }

    void hoverColour_data()
    {
        QTest::addColumn<bool>("overHeader");
        QTest::addColumn<quint32>("live");
        QTest::newRow("over the header") << true << quint32(0x00FFFFFF);
        QTest::newRow("elsewhere") << false << quint32(0x00BB6132);
    }
    void hoverColour()
    {
        QFETCH(bool, overHeader);
        QFETCH(quint32, live);
        auto f = loadedFrame();
        f->setButton(true);
        f->setButtonPin(true);
        QWidget *under = overHeader ? f->picHeader() : nullptr;
        f->setPointerProbe([&] { return under; });
        f->picHeader_MouseMove(2970 - 400); // over the pin
        QVERIFY(f->HoverPin());
        f->tmrMouseMove_Timer();
        QCOMPARE(f->LiveButtonColor(), Ole(live));
        // The pin's plate is drawn in the live colour, as the pin is the hovered glyph.
        const QRgb unpinnedPlate = f->headerImage().pixel(Wp - 26, 8);
        QCOMPARE(hex(unpinnedPlate), hex(rgb(live)));
        // The chevrons, not hovered, keep ButtonColor.
        QCOMPARE(hex(f->headerImage().pixel(Wp - 13, 5)), hex(rgb(0x00BB6132)));
        under = nullptr;
        f->tmrMouseMove_Timer();
        QCOMPARE(f->LiveButtonColor(), Ole(0x00BB6132));
    }

    void gradientBuilder_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<quint32>("a");
        QTest::addColumn<quint32>("b");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("top row is A")
            << 10 << 20 << false << 0x00F8E9DEu << 0x00C06E40u << 0 << QPoint(5, 0) << qRgb(0xDE, 0xE9, 0xF8);
        QTest::newRow("bottom row is B") << 10 << 20 << false << 0x00F8E9DEu << 0x00C06E40u << 0
                                         << QPoint(5, 19) << qRgb(0x40, 0x6E, 0xC0);
        QTest::newRow("middle, halves to even")
            << 1 << 3 << false << 0x00000000u << 0x00050505u << 0 << QPoint(0, 1) << qRgb(2, 2, 2);
        QTest::newRow("two rows") << 3 << 2 << false << 0x000000FFu << 0x00FF0000u << 0 << QPoint(2, 1)
                                  << qRgb(0, 0, 255);
        QTest::newRow("horizontal") << 5 << 2 << true << 0x00FFFFFFu << 0x00000000u << 0 << QPoint(4, 1)
                                    << qRgb(0, 0, 0);
        QTest::newRow("system colour by its low bytes")
            << 2 << 2 << false << 0x8000000Fu << 0x8000000Fu << 0 << QPoint(0, 0) << qRgb(0x0F, 0, 0);
        QTest::newRow("one row takes A")
            << 4 << 1 << false << 0x000000FFu << 0x00FF0000u << 0 << QPoint(3, 0) << qRgb(255, 0, 0);
        QTest::newRow("hsl grey to blue passes green")
            << 1 << 3 << false << 0x00808080u << 0x00FF0000u << 1 << QPoint(0, 1) << qRgb(64, 191, 64);
        QTest::newRow("hsl magenta to blue passes red..cyan")
            << 1 << 5 << false << 0x00FF00FFu << 0x00FF0000u << 1 << QPoint(0, 1) << qRgb(255, 64, 0);
        QTest::newRow("other mode is black")
            << 2 << 2 << false << 0x00FFFFFFu << 0x00FFFFFFu << 2 << QPoint(1, 1) << qRgb(0, 0, 0);
    }
    void gradientBuilder()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(bool, horizontal);
        QFETCH(quint32, a);
        QFETCH(quint32, b);
        QFETCH(int, mode);
        QFETCH(QPoint, at);
        QFETCH(QRgb, expected);
        const QImage img = FrameFendrixon::CreateGradientPicture(w, h, horizontal, a, b, mode);
        QCOMPARE(img.size(), QSize(w, h));
        QCOMPARE(hex(img.pixel(at)), hex(expected));
    }

    void gradientOfNoSize()
    {
        QVERIFY(FrameFendrixon::CreateGradientPicture(0, 5, false, 0, 0xFFFFFF, 0).isNull());
        QVERIFY(FrameFendrixon::CreateGradientPicture(5, -1, true, 0, 0xFFFFFF, 0).isNull());
        auto f = loadedFrame();
        f->setEnableGradient(true);
        f->setSizeTwips(0, 0); // nothing to draw, and no failure
        QVERIFY(f->bodyImage().isNull());
    }

    void bodyPixels_data()
    {
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<quint32>("expected");
        // 200 x 133 px, xpBlue: border 0x00CF9365, gradient 0x00FFFFFF .. 0x00EBC2A5
        QTest::newRow("border top") << true << QPoint(100, 0) << 0x00CF9365u;
        QTest::newRow("border bottom") << true << QPoint(100, 132) << 0x00CF9365u;
        QTest::newRow("border left") << true << QPoint(0, 60) << 0x00CF9365u;
        QTest::newRow("border right") << true << QPoint(199, 60) << 0x00CF9365u;
        QTest::newRow("gradient second row") << true << QPoint(100, 1) << 0x00FFFFFEu; // row 1 of 133
        QTest::newRow("gradient last inner row") << true << QPoint(100, 131) << 0x00EBC2A6u;
        QTest::newRow("no gradient: back colour") << false << QPoint(100, 60) << 0x00F0F0F0u;
    }
    void bodyPixels()
    {
        QFETCH(bool, gradient);
        QFETCH(QPoint, at);
        QFETCH(quint32, expected);
        auto f = loadedFrame();
        f->setEnableGradient(gradient);
        const QImage &img = f->bodyImage();
        QCOMPARE(img.size(), QSize(200, 133));
        img.save(pngDir() + QStringLiteral("/body-%1.png").arg(gradient ? "gradient" : "plain"));
        QCOMPARE(hex(img.pixel(at)), hex(rgb(expected)));
    }

    void headerPixels_data()
    {
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("pin");
        QTest::addColumn<bool>("pinned");
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<QList<QPoint>>("on");  // pixels in ButtonColor
        QTest::addColumn<QList<QPoint>>("off"); // pixels not in ButtonColor
        const int c = Wp - 13;
        QTest::newRow("chevrons up") << true << false << false << false
                                     << QList<QPoint>{{c, 5},     {c - 1, 6}, {c + 1, 6}, {c - 2, 7},
                                                      {c - 1, 7}, {c + 1, 7}, {c + 2, 7}, {c - 3, 8},
                                                      {c + 3, 8}, {c, 9},     {c - 3, 12}}
                                     << QList<QPoint>{{c - 1, 5}, {c + 1, 5}, {c, 7}, {c - 1, 8},
                                                      {c, 8},     {c + 1, 8}, {c, 13}};
        QTest::newRow("chevrons down") << true << false << false << true
                                       << QList<QPoint>{{c - 3, 5}, {c + 3, 5}, {c, 8}, {c - 1, 7}, {c, 12}}
                                       << QList<QPoint>{{c, 5}, {c - 1, 8}};
        QTest::newRow("pin lying") << true << true << false << false
                                   << QList<QPoint>{{Wp - 29, 9}, {Wp - 27, 9}, {Wp - 26, 6},  {Wp - 26, 12},
                                                    {Wp - 25, 7}, {Wp - 22, 7}, {Wp - 25, 10}, {Wp - 25, 11},
                                                    {Wp - 21, 7}, {Wp - 21, 11}}
                                   << QList<QPoint>{{Wp - 30, 9}, {Wp - 26, 5},  {Wp - 26, 13},
                                                    {Wp - 25, 9}, {Wp - 21, 12}, {Wp - 20, 8}};
        QTest::newRow("pin standing")
            << true << true << true << false
            << QList<QPoint>{{Wp - 26, 5}, {Wp - 23, 5},  {Wp - 22, 5},  {Wp - 26, 9},  {Wp - 23, 9},
                             {Wp - 22, 9}, {Wp - 28, 10}, {Wp - 20, 10}, {Wp - 24, 11}, {Wp - 24, 13}}
            << QList<QPoint>{{Wp - 27, 5}, {Wp - 29, 10}, {Wp - 19, 10}, {Wp - 24, 14}, {Wp - 25, 7}};
        QTest::newRow("pin in the chevrons' place")
            << false << true << true << false
            << QList<QPoint>{{Wp - 14, 5}, {Wp - 16, 10}, {Wp - 8, 10}, {Wp - 12, 13}}
            << QList<QPoint>{{Wp - 26, 5}, {Wp - 28, 10}, {Wp - 17, 10}, {Wp - 7, 10}};
    }
    void headerPixels()
    {
        QFETCH(bool, button);
        QFETCH(bool, pin);
        QFETCH(bool, pinned);
        QFETCH(bool, collapsed);
        QFETCH(QList<QPoint>, on);
        QFETCH(QList<QPoint>, off);
        auto f = loadedFrame();
        f->setCaption(QString());
        f->setButton(button);
        f->setButtonPin(pin);
        f->setFramePinned(pinned);
        if (collapsed)
            f->setHeight(315);
        const QImage &img = f->headerImage();
        QCOMPARE(img.size(), QSize(Wp, 20));
        img.save(pngDir() + QStringLiteral("/header-%1.png")
                                .arg(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-')));
        const QRgb glyph = rgb(0x00BB6132);
        for (const QPoint &p : on)
            QVERIFY2(img.pixel(p) == glyph,
                     qPrintable(QStringLiteral("(%1,%2) %3").arg(p.x()).arg(p.y()).arg(hex(img.pixel(p)))));
        for (const QPoint &p : off)
            QVERIFY2(img.pixel(p) != glyph, qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
    }

    void headerGradientAndLine()
    {
        auto f = loadedFrame();
        f->setCaption(QString());
        f->setBackColor(0x00123456);
        const QImage &img = f->headerImage();
        QCOMPARE(hex(img.pixel(50, 0)), hex(rgb(0x00F8E9DE)));
        QCOMPARE(hex(img.pixel(50, 19)), hex(rgb(0x00C27345))); // a loaded frame: the key's default
        QCOMPARE(hex(img.pixel(50, 18)), hex(rgb(0x00123456))); // the line above the bottom row
        // The composed control: header one pixel inside the border. (Turning the gradient on
        // resets the scheme colours, so the header colour comes after it.)
        f->setEnableGradient(true);
        f->setHeaderGradientTop(0x000000FF);
        QCOMPARE(hex(f->headerImage().pixel(50, 0)), hex(qRgb(255, 0, 0)));
        const QImage shot = f->grab().toImage();
        QCOMPARE(hex(shot.pixel(51, 1)), hex(qRgb(255, 0, 0)));
        QCOMPARE(hex(shot.pixel(0, 1)), hex(rgb(0x00CF9365)));
        shot.save(pngDir() + QStringLiteral("/frame.png"));
    }

    void captionAndPicture()
    {
        auto f = loadedFrame();
        f->setForeColor(0x000000FF);
        f->setCaption(QStringLiteral("MMMM"));
        const QImage plain = f->headerImage();
        auto firstRed = [](const QImage &img) {
            for (int x = 0; x < img.width(); ++x)
                for (int y = 0; y < img.height(); ++y)
                    if (qRed(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) < 120)
                        return x;
            return -1;
        };
        const int left = firstRed(plain);
        QVERIFY2(left >= 5 && left <= 7, qPrintable(QString::number(left)));
        QPixmap pic(16, 16);
        pic.fill(Qt::green);
        f->setPicture(pic);
        QVERIFY(f->DisplayPicture());
        const QImage withPic = f->headerImage();
        withPic.save(pngDir() + QStringLiteral("/header-picture.png"));
        QCOMPARE(hex(withPic.pixel(1, 1)), hex(qRgb(0, 255, 0)));
        QCOMPARE(hex(withPic.pixel(16, 16)), hex(qRgb(0, 255, 0)));
        QCOMPARE(firstRed(withPic), left + 16);
        f->setDisplayPicture(false);
        QVERIFY(!f->Picture().isNull());
        QCOMPARE(firstRed(f->headerImage()), left);
    }

    // The header is drawn when it is painted or read, from what the last redraw recorded: a
    // fore colour set after it waits for the next redraw, as it always did, and a shown
    // header on screen follows each redraw.
    void headerDrawnAsRecorded()
    {
        auto f = loadedFrame();
        f->setCaption(QStringLiteral("MMMM"));
        f->setForeColor(0x000000FF);
        auto redIn = [](const QImage &img) {
            for (int x = 0; x < img.width(); ++x)
                for (int y = 0; y < img.height(); ++y)
                    if (qRed(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) < 120 &&
                        qGreen(img.pixel(x, y)) < 120)
                        return true;
            return false;
        };
        QVERIFY(!redIn(f->headerImage()));
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->setCaption(QStringLiteral("MMMMM"));
        QCoreApplication::processEvents();
        QVERIFY(redIn(f->picHeader()->grab().toImage()));
        QCOMPARE(f->shownCaption(), QStringLiteral("MMMMM"));
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
