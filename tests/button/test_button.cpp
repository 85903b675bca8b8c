// The button control as forms use it: created by class name from a design bag, driven
// with the mouse and the keyboard, read back through its properties and events.
#include "controls/button/BvButton.h"
#include "controls/button/BvToolTip.h"
#include "platform/components/ClassRegistry.h"
#include "platform/components/Twips.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QtTest>

using namespace BrennavikBtn;

extern "C" void *DllGetClassObject(const char *className);
extern "C" int DllCanUnloadNow();

namespace
{

// The pointer where the test says it is.
struct FakePointer : PointerProbe {
    QPoint pos;
    QWidget *over = nullptr;
    QPoint cursorPos() const override { return pos; }
    QWidget *windowAt(const QPoint &) const override { return over; }
};

class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

void logEvents(BvButton *b, QStringList &log)
{
    const QString n = b->objectName().isEmpty() ? QString() : b->objectName() + QLatin1Char(':');
    QObject::connect(b, &BvButton::Click, b,
                     [&log, n, b] { log << n + "Click" + (b->Value() ? "(1)" : ""); });
    QObject::connect(b, &BvButton::DblClick, b, [&log, n] { log << n + "DblClick"; });
    QObject::connect(b, &BvButton::MouseDown, b, [&log, n](short bt, short, float, float) {
        log << n + QStringLiteral("MouseDown%1").arg(bt);
    });
    QObject::connect(b, &BvButton::MouseUp, b, [&log, n](short bt, short, float, float) {
        log << n + QStringLiteral("MouseUp%1").arg(bt);
    });
    QObject::connect(b, &BvButton::MouseLeave, b, [&log, n] { log << n + "MouseLeave"; });
    QObject::connect(b, &BvButton::KeyDown, b,
                     [&log, n](short &k, short &) { log << n + QStringLiteral("KeyDown%1").arg(k); });
    QObject::connect(b, &BvButton::KeyUp, b,
                     [&log, n](short &k, short &) { log << n + QStringLiteral("KeyUp%1").arg(k); });
    QObject::connect(b, &BvButton::KeyPress, b,
                     [&log, n](short &k) { log << n + QStringLiteral("KeyPress%1").arg(k); });
}

BvButton *create(QWidget *parent, const QList<QPair<QString, QVariant>> &design = {})
{
    pv::PropertyBag bag;
    for (const auto &p : design)
        bag.set(p.first, p.second);
    auto *b = qobject_cast<BvButton *>(
        pv::ClassRegistry::instance().create(QStringLiteral("BrennavikBtn.BvButton"), parent, bag));
    Q_ASSERT(b);
    return b;
}

void moveTo(QWidget *w, QPoint pos)
{
    QMouseEvent me(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &me);
}

QVariant readBack(const BvButton &b, const QString &name)
{
    static const QHash<QString, std::function<QVariant(const BvButton &)>> getters = {
        {"ButtonStyle", [](const BvButton &b) { return QVariant(b.ButtonStyle()); }},
        {"ShowFocusRect", [](const BvButton &b) { return QVariant(b.ShowFocusRect()); }},
        {"BackColor", [](const BvButton &b) { return QVariant(b.BackColor()); }},
        {"Enabled", [](const BvButton &b) { return QVariant(b.Enabled()); }},
        {"Caption", [](const BvButton &b) { return QVariant(b.Caption()); }},
        {"Value", [](const BvButton &b) { return QVariant(b.Value()); }},
        {"MousePointer", [](const BvButton &b) { return QVariant(int(b.MousePointer())); }},
        {"HandPointer", [](const BvButton &b) { return QVariant(b.HandPointer()); }},
        {"PictureShadow", [](const BvButton &b) { return QVariant(b.PictureShadow()); }},
        {"PictureOpacity", [](const BvButton &b) { return QVariant(int(b.PictureOpacity())); }},
        {"PictureOpacityOnOver", [](const BvButton &b) { return QVariant(int(b.PictureOpacityOnOver())); }},
        {"DisabledPictureMode", [](const BvButton &b) { return QVariant(b.DisabledPictureMode()); }},
        {"PicturePushOnHover", [](const BvButton &b) { return QVariant(b.PicturePushOnHover()); }},
        {"PictureEffectOnOver", [](const BvButton &b) { return QVariant(b.PictureEffectOnOver()); }},
        {"PictureEffectOnDown", [](const BvButton &b) { return QVariant(b.PictureEffectOnDown()); }},
        {"MaskColor", [](const BvButton &b) { return QVariant(b.MaskColor()); }},
        {"UseMaskColor", [](const BvButton &b) { return QVariant(b.UseMaskColor()); }},
        {"CaptionEffects", [](const BvButton &b) { return QVariant(b.CaptionEffects()); }},
        {"Mode", [](const BvButton &b) { return QVariant(b.Mode()); }},
        {"PictureAlign", [](const BvButton &b) { return QVariant(b.PictureAlign()); }},
        {"CaptionAlign", [](const BvButton &b) { return QVariant(b.CaptionAlign()); }},
        {"ForeColor", [](const BvButton &b) { return QVariant(b.ForeColor()); }},
        {"ForeColorHover", [](const BvButton &b) { return QVariant(b.ForeColorHover()); }},
        {"DropDownSeparator", [](const BvButton &b) { return QVariant(b.DropDownSeparator()); }},
        {"TooltipTitle", [](const BvButton &b) { return QVariant(b.TooltipTitle()); }},
        {"ToolTip", [](const BvButton &b) { return QVariant(b.ToolTip()); }},
        {"TooltipIcon", [](const BvButton &b) { return QVariant(b.ToolTipIcon()); }},
        {"TooltipType", [](const BvButton &b) { return QVariant(b.ToolTipType()); }},
        {"TooltipBackColor", [](const BvButton &b) { return QVariant(b.TooltipBackColor()); }},
        {"RightToLeft", [](const BvButton &b) { return QVariant(b.RightToLeft()); }},
        {"DropDownSymbol", [](const BvButton &b) { return QVariant(b.DropDownSymbol()); }},
        {"ColorScheme", [](const BvButton &b) { return QVariant(b.ColorScheme()); }},
    };
    Q_ASSERT(getters.contains(name));
    return getters.value(name)(b);
}

} // namespace

class TestButton : public QObject
{
    Q_OBJECT

private:
    FakePointer m_pointer;
    QWidget *m_form = nullptr;

    BvButton *onForm(const QList<QPair<QString, QVariant>> &design = {}, QWidget *container = nullptr)
    {
        BvButton *b = create(container ? container : m_form, design);
        b->setGeometry(20, 20, 90, 25);
        b->show();
        return b;
    }

private slots:
    void initTestCase()
    {
        pv::setTwipsPerPixel(15);
        setPointerProbe(&m_pointer);
    }
    void init()
    {
        m_form = new QWidget;
        m_form->resize(400, 300);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        m_pointer = FakePointer();
    }
    void cleanup()
    {
        delete m_form;
        m_form = nullptr;
        setMenuRunner({});
        setFacesDrawnWhenNeeded(true);
    }

    // --- creation and persistence ---------------------------------------------

    void createdByClassName()
    {
        QVERIFY(pv::ClassRegistry::instance().isRegistered(QStringLiteral("brennavikbtn.bvbutton")));
        QVERIFY(DllGetClassObject("BrennavikBtn.BvButton"));
        QVERIFY(!DllGetClassObject("BrennavikBtn.Other"));
        BvButton *b = create(m_form, {{"caption", " Kaydet"}, {"BUTTONSTYLE", 8}, {"Mode", 1}});
        QCOMPARE(b->parentWidget(), m_form);
        QCOMPARE(b->Caption(), QStringLiteral(" Kaydet"));
        QCOMPARE(b->ButtonStyle(), int(eOutlook2007));
        QCOMPARE(b->Mode(), int(ebmCheckBox));
        QCOMPARE(DllCanUnloadNow(), 1); // a button is alive
    }

    void readDefaults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("readDefault");
        QTest::addColumn<QVariant>("newInstance");
        auto row = [](const char *n, QVariant r, QVariant fresh) {
            QTest::newRow(n) << QString::fromLatin1(n) << r << fresh;
        };
        row("Caption", "BvButton", "");
        row("Enabled", true, true);
        row("Value", false, false);
        row("Mode", 0, 0);
        row("MaskColor", 0xE0E0E0, 0xE0E0E0);
        row("UseMaskColor", true, true);
        row("PictureOpacity", 255, 255);
        row("PictureOpacityOnOver", 255, 255);
        row("PictureAlign", 1, 1);
        row("CaptionAlign", 1, 1);
        row("PictureEffectOnOver", 1, 0);
        row("PictureEffectOnDown", 2, 0);
        row("TooltipBackColor", 0xE1FFFF, 0);
        row("ForeColorHover", 0x000000, 0);
        row("ForeColor", 0x000000, 0x000000);
        row("CaptionEffects", 0, 0);
        row("TooltipType", 0, 0);
        row("TooltipIcon", 0, 0);
        row("DropDownSymbol", 0, 0);
        row("HandPointer", false, false);
        row("MousePointer", 0, 0);
        row("RightToLeft", false, false);
    }
    void readDefaults()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, readDefault);
        QFETCH(QVariant, newInstance);
        BvButton *loaded = create(m_form);
        BvButton fresh(m_form);
        QCOMPARE(readBack(*loaded, name), readDefault);
        QCOMPARE(readBack(fresh, name), newInstance);
    }

    void readDefaultStyleIsFlat()
    {
        BvButton *loaded = create(m_form);
        QCOMPARE(loaded->ButtonStyle(), int(eFlat));
        QCOMPARE(loaded->BackColor(), OleColor(0xF0F0F0));
        QCOMPARE(loaded->ShowFocusRect(), false);
    }

    void newInstanceFallsBackFromTheme()
    {
        // A fresh button asks for the platform theme; with none here its first paint turns
        // it into the Windows XP style for good, with that style's colours.
        BvButton fresh(m_form);
        QCOMPARE(fresh.ButtonStyle(), int(eWindowsXP));
        QCOMPARE(fresh.ColorScheme(), int(ecsBlue));
        QCOMPARE(fresh.BackColor(), OleColor(0xE7EBEC));
        QCOMPARE(fresh.ShowFocusRect(), false);
        QCOMPARE(fresh.Font().family(), QStringLiteral("Tahoma"));
        BvButton *loaded = create(m_form, {{"ButtonStyle", int(eWindowsTheme)}, {"BackColor", 0x80FFFF}});
        QCOMPARE(loaded->ButtonStyle(), int(eWindowsXP));
        QCOMPARE(loaded->BackColor(), OleColor(0xE7EBEC));
    }

    void styleAndSchemeSetColours_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("backColor");
        QTest::addColumn<bool>("focusRect");
        QTest::newRow("Vista Aero takes silver") << int(eVistaAero) << -1 << 0xE3E3E3 << false;
        QTest::newRow("Outlook 2007 takes blue") << int(eOutlook2007) << -1 << 0xFFD1AD << false;
        QTest::newRow("Flat, system face") << int(eFlat) << -1 << 0xF0F0F0 << true;
        QTest::newRow("Outlook 2007 olive") << int(eOutlook2007) << int(ecsOliveGreen) << 0xBAD6D4 << false;
        QTest::newRow("custom keeps the colour it has")
            << int(eOutlook2007) << int(ecsCustom) << 0xFFD1AD << false;
    }
    void styleAndSchemeSetColours()
    {
        QFETCH(int, style);
        QFETCH(int, scheme);
        QFETCH(int, backColor);
        QFETCH(bool, focusRect);
        BvButton *b = onForm({{"ButtonStyle", int(eStandard)}, {"ForeColor", 0xFF}, {"BackColor", 0x123456}});
        b->setButtonStyle(style);
        if (scheme >= 0)
            b->setColorScheme(scheme);
        QCOMPARE(b->BackColor(), OleColor(backColor));
        QCOMPARE(b->ForeColor(), OleColor(0)); // the system button text
        QCOMPARE(b->ShowFocusRect(), focusRect);
    }

    void showsThePaintedFace()
    {
        BvButton *b =
            onForm({{"ButtonStyle", int(eOutlook2007)}, {"ColorScheme", 3}, {"BackColor", 0x0080FFFF}});
        const QImage shown = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), b->surface().size());
        QCOMPARE(shown.pixel(b->width() / 2, 3), b->surface().pixel(b->width() / 2, 3));
        // Pressing repaints at once.
        const QRgb before = b->surface().pixel(b->width() / 2, 3);
        m_pointer.over = b;
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(b->surface().pixel(b->width() / 2, 3) != before);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
        // Rounded styles cut their corners from the window.
        b->setButtonStyle(eVistaAero);
        QVERIFY(!b->mask().contains(QPoint(0, 0)));
        QVERIFY(b->mask().contains(QPoint(5, 5)));
    }

    void designReadDrawsTheFaceOnceWhenRead()
    {
        const int before = facesDrawn();
        BvButton *b = create(m_form, {{"ButtonStyle", int(eOffice2003)}, {"Caption", "Kaydet"}});
        b->setGeometry(20, 20, 90, 25);
        b->setEnabled(false);
        b->setBackColor(0x123456);
        QCOMPARE(facesDrawn(), before); // hidden, nothing asked for the face yet
        QCOMPARE(b->surface().size(), QSize(90, 25));
        QCOMPARE(facesDrawn(), before + 1);
        b->surface();
        QCOMPARE(facesDrawn(), before + 1);
    }

    void facesDrawnWhenNeededLookAsDrawnAtOnce_data()
    {
        QTest::addColumn<int>("style");
        for (int style = eStandard; style <= eWindowsTheme; ++style)
            QTest::newRow(qPrintable(QStringLiteral("style %1").arg(style))) << style;
    }
    void facesDrawnWhenNeededLookAsDrawnAtOnce()
    {
        QFETCH(int, style);
        QWidget hidden;
        setFacesDrawnWhenNeeded(false);
        auto *now = new BvButton(&hidden);
        setFacesDrawnWhenNeeded(true);
        auto *later = new BvButton(&hidden);
        // Goes through the same states after "later": the faces "later" has read are taken
        // again, and must still be the ones drawn for those states.
        auto *again = new BvButton(&hidden);

        QImage hot(16, 16, QImage::Format_RGB32);
        hot.fill(Qt::red);
        auto read = [](const QList<QPair<QString, QVariant>> &design) {
            return [design](BvButton *b) {
                pv::PropertyBag bag;
                for (const auto &p : design)
                    bag.set(p.first, p.second);
                b->ReadProperties(bag);
            };
        };
        const QList<std::function<void(BvButton *)>> steps = {
            [](BvButton *) {},
            read({{"ButtonStyle", style}, {"Caption", "&Kaydet"}}),
            [](BvButton *b) { b->Move(300, 300, 1500, 450); },
            [](BvButton *b) { b->setMode(ebmCheckBox); },
            [](BvButton *b) { b->setValue(true); },
            [](BvButton *b) { b->setEnabled(false); },
            [](BvButton *b) { b->setEnabled(true); },
            [](BvButton *b) { b->setColorScheme(ecsOliveGreen); },
            [](BvButton *b) { b->setValue(false); },
            [](BvButton *b) { b->setMode(ebmCommandButton); },
            [style](BvButton *b) { b->setButtonStyle(style); },
            [](BvButton *b) { b->setAmbientDisplayAsDefault(true); },
            [](BvButton *b) { b->setBackColor(0x3366CC); },
            [hot](BvButton *b) { b->setPictureNormal(BvButton::Picture::bitmap(hot)); },
            [](BvButton *b) { b->setPictureNormal({}); },
            // A hot picture alone is drawn where the last normal one was.
            read({{"ButtonStyle", style},
                  {"Caption", "Sil"},
                  {"PictureHot", hot},
                  {"Mode", 1},
                  {"Value", true}}),
            [](BvButton *b) { b->setCaption(QStringLiteral("Kaydet ve Çık")); },
        };
        for (int i = 0; i < steps.size(); ++i) {
            setFacesDrawnWhenNeeded(false);
            steps[i](now);
            setFacesDrawnWhenNeeded(true);
            steps[i](later);
            const QString step = QStringLiteral("step %1").arg(i);
            QVERIFY2(later->ButtonStyle() == now->ButtonStyle(), qPrintable(step));
            QVERIFY2(later->ColorScheme() == now->ColorScheme(), qPrintable(step));
            QVERIFY2(later->BackColor() == now->BackColor(), qPrintable(step));
            QVERIFY2(later->ForeColor() == now->ForeColor(), qPrintable(step));
            QVERIFY2(later->ShowFocusRect() == now->ShowFocusRect(), qPrintable(step));
            QVERIFY2(later->PicturePushOnHover() == now->PicturePushOnHover(), qPrintable(step));
            QVERIFY2(later->CurrentState() == now->CurrentState(), qPrintable(step));
            QVERIFY2(later->mask() == now->mask(), qPrintable(step));
            // Reading the face draws it: read it now and then, so that some are drawn
            // after several redraws.
            if (i % 3 == 0 || i == steps.size() - 1)
                QVERIFY2(later->surface() == now->surface(), qPrintable(step));
            steps[i](again);
            QVERIFY2(again->surface() == now->surface(), qPrintable(step));
        }
    }

    void writeOmitsDefaults()
    {
        // Everything read as default writes nothing, except the effects, always written.
        BvButton *loaded = create(m_form);
        pv::PropertyBag out;
        loaded->WriteProperties(out);
        QCOMPARE(out.names(), QStringList{"CaptionEffects"});
        QCOMPARE(out.ReadProperty("CaptionEffects"), QVariant(0));

        // A fresh instance differs from the read defaults in these.
        BvButton fresh(m_form);
        out.clear();
        fresh.WriteProperties(out);
        QVERIFY(out.contains("PictureEffectOnOver"));
        QVERIFY(out.contains("PictureEffectOnDown"));
        QVERIFY(out.contains("TooltipBackColor"));
        QCOMPARE(out.ReadProperty("PictureEffectOnOver"), QVariant(0));
    }

    void captionRoundTrip_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("stored");
        QTest::newRow("read default") << "BvButton" << false;
        QTest::newRow("designer's first name") << "BvButton1" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("leading blank") << " Geri" << true;
    }
    void captionRoundTrip()
    {
        QFETCH(QString, caption);
        QFETCH(bool, stored);
        BvButton *b = create(m_form);
        b->setCaption(caption);
        pv::PropertyBag out;
        b->WriteProperties(out);
        QCOMPARE(out.contains("Caption"), stored);
        QCOMPARE(create(m_form, {{"Caption", out.ReadProperty("Caption", "BvButton")}})->Caption(), caption);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("ButtonStyle") << "ButtonStyle" << QVariant(8);
        QTest::newRow("ColorScheme") << "ColorScheme" << QVariant(3);
        QTest::newRow("BackColor") << "BackColor" << QVariant(0x0080FFFF);
        QTest::newRow("BackColor system") << "BackColor" << QVariant(int(0x8000000F));
        QTest::newRow("Caption") << "Caption" << QVariant(" Müşteri Hesabını Aç");
        QTest::newRow("Enabled") << "Enabled" << QVariant(false);
        QTest::newRow("Value") << "Value" << QVariant(true);
        QTest::newRow("Mode") << "Mode" << QVariant(2);
        QTest::newRow("ToolTip") << "ToolTip" << QVariant("Gözat");
        QTest::newRow("TooltipType") << "TooltipType" << QVariant(1);
        QTest::newRow("TooltipIcon") << "TooltipIcon" << QVariant(2);
        QTest::newRow("TooltipTitle") << "TooltipTitle" << QVariant("Bilgi");
        QTest::newRow("DropDownSymbol") << "DropDownSymbol" << QVariant(6);
        QTest::newRow("PictureEffectOnOver") << "PictureEffectOnOver" << QVariant(0);
        QTest::newRow("CaptionEffects") << "CaptionEffects" << QVariant(3);
        QTest::newRow("RightToLeft") << "RightToLeft" << QVariant(true);
        QTest::newRow("MaskColor") << "MaskColor" << QVariant(0xFF00FF);
        QTest::newRow("ShowFocusRect") << "ShowFocusRect" << QVariant(true);
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        BvButton *b = create(m_form, {{name.toLower(), value}});
        QCOMPARE(readBack(*b, name).toLongLong(), value.toLongLong());
        if (value.typeId() == QMetaType::QString)
            QCOMPARE(readBack(*b, name), value);
        pv::PropertyBag out;
        b->WriteProperties(out);
        QVERIFY(out.contains(name));
        QCOMPARE(out.ReadProperty(name).toString(), value.toString());
    }

    void readRunsNoSetterSideEffects()
    {
        // Through its setter, BackColor would switch the scheme to custom.
        BvButton *b = create(m_form, {{"ButtonStyle", 8}, {"BackColor", 0xE3E3E3}, {"ColorScheme", 0}});
        QCOMPARE(b->ColorScheme(), int(ecsBlue));
        QCOMPARE(b->BackColor(), OleColor(0xE3E3E3));
        // A hot picture read with no normal one stays where it was read.
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        b = create(m_form, {{"PictureHot", img}});
        QVERIFY(b->PictureNormal().isEmpty());
        QVERIFY(!b->PictureHot().isEmpty());
        // An icon read does not clear HandPointer.
        b = create(m_form, {{"HandPointer", true}, {"MouseIcon", img}, {"MousePointer", 99}});
        QVERIFY(b->HandPointer());
    }

    void pictureRoundTrip()
    {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::blue);
        BvButton *b =
            create(m_form, {{"PictureNormal", img}, {"PictureDown", QIcon(QPixmap::fromImage(img))}});
        QCOMPARE(b->PictureNormal().type, BvButton::Picture::Bitmap);
        QCOMPARE(b->PictureDown().type, BvButton::Picture::Icon);
        pv::PropertyBag out;
        b->WriteProperties(out);
        QCOMPARE(out.ReadProperty("PictureNormal").value<QImage>(), img);
        QVERIFY(out.contains("PictureDown"));
        QVERIFY(!out.contains("PictureHot"));
    }

    // --- setter side effects ------------------------------------------------

    void backColorMakesSchemeCustom_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("scheme");
        QTest::newRow("Outlook 2007") << int(eOutlook2007) << int(ecsCustom);
        QTest::newRow("Vista Aero") << int(eVistaAero) << int(ecsCustom);
        QTest::newRow("Office XP keeps its scheme") << int(eOfficeXP) << int(ecsSilver);
    }
    void backColorMakesSchemeCustom()
    {
        QFETCH(int, style);
        QFETCH(int, scheme);
        BvButton *b = create(m_form, {{"ButtonStyle", style}, {"ColorScheme", int(ecsSilver)}});
        QStringList reported;
        connect(b, &BvButton::PropertyChanged, this, [&](const QString &n) { reported << n; });
        b->setBackColor(0x0080FFFF);
        QCOMPARE(b->BackColor(), OleColor(0x0080FFFF));
        QCOMPARE(b->ColorScheme(), scheme);
        QCOMPARE(reported, QStringList{"BackColor"});
    }

    void modeAndValue()
    {
        BvButton *b = onForm({{"ButtonStyle", int(eVistaAero)}, {"Mode", 1}});
        QStringList reported;
        connect(b, &BvButton::PropertyChanged, this, [&](const QString &n) { reported << n; });
        b->setValue(true);
        QVERIFY(b->Value());
        QCOMPARE(b->CurrentState(), int(eStateDown)); // a checked button is drawn pressed
        b->setMode(ebmCommandButton);
        QCOMPARE(b->CurrentState(), int(eStateNormal));
        QCOMPARE(reported, (QStringList{"Value", "Value", "Mode"}));
        // In command mode Value is neither stored nor reported.
        reported.clear();
        b->setValue(false);
        QVERIFY(b->Value());
        QVERIFY(reported.isEmpty());
    }

    void pictureRules()
    {
        BvButton *b = onForm();
        QImage red(8, 8, QImage::Format_RGB32), green(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        green.fill(Qt::green);
        QStringList reported;
        connect(b, &BvButton::PropertyChanged, this, [&](const QString &n) { reported << n; });
        b->setPictureHot(BvButton::Picture::bitmap(red));
        QCOMPARE(b->PictureNormal().image, red);
        QVERIFY(b->PictureHot().isEmpty());
        b->setPictureHot(BvButton::Picture::bitmap(green));
        b->setPictureDown(BvButton::Picture::bitmap(green));
        QCOMPARE(b->PictureHot().image, green);
        reported.clear();
        b->setPictureNormal({});
        QVERIFY(b->PictureNormal().isEmpty());
        QVERIFY(b->PictureHot().isEmpty());
        QVERIFY(b->PictureDown().isEmpty());
        QCOMPARE(reported, (QStringList{"PictureHot", "PictureDown"}));
    }

    void mouseIcon()
    {
        BvButton *b = onForm({{"HandPointer", true}});
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::black);
        b->setMouseIcon(BvButton::Picture::icon(img));
        QVERIFY(!b->HandPointer());
        QCOMPARE(b->MousePointer(), short(99));
        b->setMouseIcon({});
        QCOMPARE(b->MousePointer(), short(0));
    }

    void minimumSize()
    {
        BvButton *b = onForm();
        b->setWidth(100);
        b->setHeight(219);
        QCOMPARE(b->Width(), 220);
        QCOMPARE(b->Height(), 220);
        b->Move(150, 300, 1200, 375);
        QCOMPARE(b->Left(), 150);
        QCOMPARE(b->Top(), 300);
        QCOMPARE(b->x(), 10);
        QCOMPARE(b->y(), 20);
        QCOMPARE(b->Width(), 1200);
    }

    void accessKey_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("single") << "&Kaydet"
                                << "k";
        QTest::newRow("inside") << "Ka&ydet"
                                << "y";
        QTest::newRow("doubled then single") << "A&&B &Cari"
                                             << "c";
        QTest::newRow("only doubled") << "A&&B"
                                      << "";
        QTest::newRow("two doubled then single") << "A&&B&&C&D"
                                                 << "";
        QTest::newRow("last character") << "Kaydet&"
                                        << "";
        QTest::newRow("one character") << "&"
                                       << "";
        QTest::newRow("none") << "Kaydet"
                              << "";
        QTest::newRow("turkish") << "&Şube"
                                 << "ş";
    }
    void accessKey()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const QChar k = BvButton::accessKeyOf(caption);
        QCOMPARE(k.isNull() ? QString() : QString(k), key);
    }

    // --- input --------------------------------------------------------------

    void eventOrder_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("click") << 0 << "press 10 10; release 10 10"
                               << QStringList{"MouseDown1", "Click", "MouseUp1"};
        QTest::newRow("double click")
            << 0 << "press 10 10; release 10 10; dclick 10 10; release 10 10"
            << QStringList{"MouseDown1", "Click", "MouseUp1", "MouseDown1", "DblClick", "Click", "MouseUp1"};
        QTest::newRow("right click") << 0 << "rpress 10 10; rrelease 10 10" << QStringList{"MouseUp2"};
        QTest::newRow("release on first column")
            << 0 << "press 10 10; release 0 10" << QStringList{"MouseDown1", "MouseUp1"};
        QTest::newRow("release on first row")
            << 0 << "press 10 10; release 10 0" << QStringList{"MouseDown1", "MouseUp1"};
        QTest::newRow("release at width")
            << 0 << "press 10 10; release 90 10" << QStringList{"MouseDown1", "MouseUp1"};
        QTest::newRow("release at 1,1")
            << 0 << "press 10 10; release 1 1" << QStringList{"MouseDown1", "Click", "MouseUp1"};
        QTest::newRow("drag out") << 0 << "press 10 10; out; drag 200 10; release 200 10"
                                  << QStringList{"MouseDown1", "MouseUp1"};
        QTest::newRow("enter") << 0 << "key Return" << QStringList{"Click", "KeyDown13", "KeyPress13"};
        QTest::newRow("enter check mode")
            << 1 << "key Return" << QStringList{"Click", "KeyDown13", "KeyPress13"};
        QTest::newRow("space") << 0 << "key Space"
                               << QStringList{"KeyDown32", "KeyPress32", "Click", "KeyUp32"};
        QTest::newRow("space check mode")
            << 1 << "key Space" << QStringList{"KeyDown32", "KeyPress32", "Click(1)", "KeyUp32"};
        QTest::newRow("space cancelled")
            << 1 << "down Space; key A; up Space"
            << QStringList{"KeyDown32", "KeyPress32", "KeyDown65", "KeyPress97", "KeyUp32"};
        QTest::newRow("alt space") << 0 << "altspace" << QStringList{"KeyDown18", "KeyUp32"};
        QTest::newRow("ctrl alt space")
            << 0 << "ctrlaltspace" << QStringList{"KeyDown17", "KeyDown18", "KeyDown32", "Click", "KeyUp32"};
        QTest::newRow("space released elsewhere")
            << 0 << "down Space; out; up Space" << QStringList{"KeyDown32", "KeyPress32", "Click", "KeyUp32"};
        QTest::newRow("click check mode")
            << 1 << "press 10 10; release 10 10" << QStringList{"MouseDown1", "Click(1)", "MouseUp1"};
        QTest::newRow("arrow") << 0 << "key Right" << QStringList{"KeyDown39"};
    }
    void eventOrder()
    {
        QFETCH(int, mode);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        BvButton *b = onForm({{"Mode", mode}, {"ButtonStyle", int(eOutlook2007)}});
        b->setFocus();
        QStringList log;
        logEvents(b, log);
        m_pointer.over = b;
        const auto keyOf = [](const QString &n) {
            return n == "Return"  ? Qt::Key_Return
                   : n == "Space" ? Qt::Key_Space
                   : n == "Right" ? Qt::Key_Right
                                  : Qt::Key_A;
        };
        for (const QString &stepText : script.split(';')) {
            const QStringList s = stepText.trimmed().split(' ');
            const QPoint p = s.size() >= 3 ? QPoint(s[1].toInt(), s[2].toInt()) : QPoint();
            if (s[0] == "press")
                QTest::mousePress(b, Qt::LeftButton, {}, p);
            else if (s[0] == "release")
                QTest::mouseRelease(b, Qt::LeftButton, {}, p);
            else if (s[0] == "rpress")
                QTest::mousePress(b, Qt::RightButton, {}, p);
            else if (s[0] == "rrelease")
                QTest::mouseRelease(b, Qt::RightButton, {}, p);
            else if (s[0] == "dclick")
                QTest::mouseDClick(b, Qt::LeftButton, {}, p);
            else if (s[0] == "drag")
                QTest::mouseMove(b, p);
            else if (s[0] == "out")
                m_pointer.over = nullptr;
            else if (s[0] == "key")
                QTest::keyClick(b, keyOf(s[1]));
            else if (s[0] == "down")
                QTest::keyPress(b, keyOf(s[1]));
            else if (s[0] == "up")
                QTest::keyRelease(b, keyOf(s[1]));
            else if (s[0] == "altspace")
                QTest::keyClick(b, Qt::Key_Space, Qt::AltModifier);
            else if (s[0] == "ctrlaltspace")
                QTest::keyClick(b, Qt::Key_Space, Qt::AltModifier | Qt::ControlModifier);
        }
        QCOMPARE(log, expected);
    }

    void dragFollowsPointer()
    {
        BvButton *b = onForm({{"ButtonStyle", int(eOutlook2007)}});
        m_pointer.over = b;
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b->CurrentState(), int(eStateDown));
        m_pointer.over = nullptr;
        QTest::mouseMove(b, QPoint(200, 10));
        QCOMPARE(b->CurrentState(), int(eStateNormal));
        m_pointer.over = b;
        QTest::mouseMove(b, QPoint(10, 10));
        QCOMPARE(b->CurrentState(), int(eStateDown));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(b->CurrentState(), int(eStateNormal));
    }

    void hoverAndArrows()
    {
        BvButton *first = onForm({{"ButtonStyle", int(eOutlook2007)}});
        BvButton *second = onForm({{"ButtonStyle", int(eOutlook2007)}});
        second->move(20, 60);
        int enters = 0;
        connect(first, &BvButton::MouseEnter, this, [&] { ++enters; });
        m_pointer.over = first;
        moveTo(first, QPoint(5, 5));
        moveTo(first, QPoint(6, 5));
        moveTo(first, QPoint(7, 5));
        QCOMPARE(enters, 3); // every move over the button, not only the first
        QApplication::setActiveWindow(m_form);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), second);
        QVERIFY(!first->HasFocus());
        QTest::keyClick(second, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), first);
    }

    void checkModeTogglesBeforeClick()
    {
        BvButton *b = onForm({{"Mode", 1}, {"ButtonStyle", int(eOutlook2007)}});
        m_pointer.over = b;
        QList<bool> seen;
        connect(b, &BvButton::Click, this, [&] { seen << b->Value(); });
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(seen, (QList<bool>{true, false}));
        // Space toggles at the press; another key cancels the click but not the toggle.
        b->setFocus();
        QTest::keyPress(b, Qt::Key_Space);
        QVERIFY(b->Value());
        QTest::keyClick(b, Qt::Key_A);
        QTest::keyRelease(b, Qt::Key_Space);
        QVERIFY(b->Value());
        QCOMPARE(seen.size(), 2);
        QCOMPARE(b->CurrentState(), int(eStateDown)); // drawn pressed while checked
    }

    void optionGroups()
    {
        QWidget *frame = new QWidget(m_form);
        frame->setGeometry(200, 0, 200, 300);
        frame->show();
        QList<BvButton *> formGroup, frameGroup;
        for (int i = 0; i < 3; ++i) {
            formGroup << onForm({{"Mode", 2}});
            formGroup.last()->move(10, 10 + 30 * i);
        }
        for (int i = 0; i < 2; ++i) {
            frameGroup << onForm({{"Mode", 2}}, frame);
            frameGroup.last()->move(10, 10 + 30 * i);
        }
        BvButton *command = onForm({{"Mode", 0}});
        command->move(10, 200);
        formGroup[1]->setValue(true);
        frameGroup[0]->setValue(true);

        m_pointer.over = frameGroup[1];
        QStringList log;
        logEvents(frameGroup[1], log);
        QTest::mouseClick(frameGroup[1], Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(frameGroup[1]->Value());
        QVERIFY(!frameGroup[0]->Value());
        QVERIFY(formGroup[1]->Value()); // the form's group is another group
        QCOMPARE(log, (QStringList{"MouseDown1", "Click(1)", "MouseUp1"}));
        // Clicking the chosen one keeps it chosen and clicks again.
        QTest::mouseClick(frameGroup[1], Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(frameGroup[1]->Value());
        QCOMPARE(log.count("Click(1)"), 2);
        // Assigning True by code leaves the others alone.
        frameGroup[0]->setValue(true);
        QVERIFY(frameGroup[1]->Value());
    }

    void disabledRaisesNothing()
    {
        BvButton *b = onForm({{"Caption", "&Kaydet"}, {"Mode", 1}});
        b->setDefault(true);
        QStringList log;
        logEvents(b, log);
        m_pointer.over = b;
        b->setEnabled(false);
        QVERIFY(!b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(b, Qt::Key_Space);
        QTest::keyClick(b, Qt::Key_Return);
        QTest::keyClick(m_form, Qt::Key_K, Qt::AltModifier);
        moveTo(b, QPoint(10, 10));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b, &leave);
        QVERIFY(log.isEmpty());
        QVERIFY(!b->Value());
        QVERIFY(!b->ToolTipWindow());
        // Enabled again, the access key clicks and toggles.
        static_cast<QWidget *>(b)->setEnabled(true);
        QVERIFY(b->Enabled());
        QTest::keyClick(m_form, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(log, QStringList{"Click(1)"});
    }

    void defaultAndCancelKeys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("clicks");
        QTest::newRow("default, command") << 0 << int(Qt::Key_Return) << 1;
        QTest::newRow("cancel, command") << 0 << int(Qt::Key_Escape) << 1;
        QTest::newRow("default, check") << 1 << int(Qt::Key_Return) << 0;
        QTest::newRow("cancel, option") << 2 << int(Qt::Key_Escape) << 0;
    }
    void defaultAndCancelKeys()
    {
        QFETCH(int, mode);
        QFETCH(int, key);
        QFETCH(int, clicks);
        BvButton *b = onForm({{"Mode", mode}});
        b->setDefault(key == Qt::Key_Return);
        b->setCancel(key == Qt::Key_Escape);
        QWidget *other = new QWidget(m_form);
        other->setFocusPolicy(Qt::StrongFocus);
        other->show();
        QApplication::setActiveWindow(m_form);
        other->setFocus();
        int n = 0;
        connect(b, &BvButton::Click, this, [&] { ++n; });
        QTest::keyClick(other, Qt::Key(key));
        QCOMPARE(n, clicks);
        QVERIFY(!b->Value());
    }

    void focusedButtonTakesEnter()
    {
        BvButton *ok = onForm({{"Caption", "Tamam"}});
        BvButton *cancel = onForm({{"Caption", "Vazgeç"}});
        BvButton *other = onForm({{"Caption", "Yazdır"}});
        ok->setDefault(true);
        cancel->setCancel(true);
        QApplication::setActiveWindow(m_form);
        other->setFocus();
        QStringList log;
        for (BvButton *b : {ok, cancel, other})
            connect(b, &BvButton::Click, this, [&log, b] { log << b->Caption(); });
        QVERIFY(!ok->DisplayAsDefault()); // another button has the focus
        QTest::keyClick(other, Qt::Key_Return);
        QTest::keyClick(other, Qt::Key_Escape);
        QCOMPARE(log, (QStringList{"Yazdır", "Vazgeç"}));
        QWidget *field = new QWidget(m_form);
        field->setFocusPolicy(Qt::StrongFocus);
        field->show();
        field->setFocus();
        QVERIFY(ok->DisplayAsDefault());
    }

    void disabledContainer()
    {
        QWidget *frame = new QWidget(m_form);
        frame->setGeometry(0, 0, 200, 200);
        frame->show();
        BvButton *b = onForm({}, frame);
        int clicks = 0;
        connect(b, &BvButton::Click, this, [&] { ++clicks; });
        frame->setEnabled(false);
        QVERIFY(b->Enabled()); // its own property is unchanged
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 0);
        frame->setEnabled(true);
        m_pointer.over = b;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 1);
    }

    // --- drop-down menu -------------------------------------------------------

    void dropDownPlacementTable_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<int>("flagsIn");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<int>("flagsOut");
        // Button 90 x 25, menu 50 x 40.
        QTest::newRow("bottom") << int(edaBottom) << 0 << QPoint(0, 25) << 0;
        QTest::newRow("top") << int(edaTop) << 0 << QPoint(0, -40) << 32;
        QTest::newRow("left") << int(edaLeft) << 0 << QPoint(-50, 0) << 8;
        QTest::newRow("right") << int(edaRight) << 0 << QPoint(90, 0) << 0;
        QTest::newRow("top left") << int(edaTopLeft) << 0 << QPoint(-50, -40) << 40;
        QTest::newRow("bottom left") << int(edaBottomLeft) << 32 << QPoint(-50, -15) << 40;
        QTest::newRow("top right") << int(edaTopRight) << 8 << QPoint(90, -40) << 32;
        QTest::newRow("bottom right") << int(edaBottomRight) << 0 << QPoint(90, 25) << 0;
    }
    void dropDownPlacementTable()
    {
        QFETCH(int, align);
        QFETCH(int, flagsIn);
        QFETCH(QPoint, topLeft);
        QFETCH(int, flagsOut);
        const DropDownPlacement p = dropDownPlacement(align, flagsIn, 90, 25);
        QVERIFY(p.show);
        QCOMPARE(p.flags, flagsOut);
        QCOMPARE(dropDownTopLeft(p.anchor, p.flags, QSize(50, 40)), topLeft);
        QVERIFY(!dropDownPlacement(8, 0, 90, 25).show);
    }

    void dropDownMenu()
    {
        BvButton *b = onForm();
        QMenu menu;
        menu.addAction(QStringLiteral("Ayarlar"));
        QStringList log;
        logEvents(b, log);
        QList<QPoint> shownAt;
        setMenuRunner([&](QMenu *m, const QPoint &at, QAction *) {
            QCOMPARE(m, &menu);
            shownAt << at;
        });
        b->SetPopupMenu(&menu, edaTop);
        QCOMPARE(b->PopupFlags(), 0);
        m_pointer.over = nullptr; // the menu was closed away from the button
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shownAt.size(), 1);
        QCOMPARE(shownAt[0], b->mapToGlobal(QPoint(0, -menu.sizeHint().height())));
        QCOMPARE(b->PopupFlags(), 32);
        QVERIFY(log.isEmpty()); // no mouse events while a menu is attached
        // Enter and Space still click.
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Return);
        QTest::keyClick(b, Qt::Key_Space);
        QCOMPARE(log.count("Click"), 2);
        // Closed over the button: the next press does not reopen it.
        m_pointer.over = b;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shownAt.size(), 2);
        QVERIFY(b->PopupDismissed() == false); // the release after it clears the flag
        b->SetPopupMenu(&menu, 8);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shownAt.size(), 2); // alignment 8 shows nothing
        b->UnsetPopupMenu();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(log.count("Click"), 3);
    }

    // --- tooltip --------------------------------------------------------------

    void tooltip_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("backColor");
        QTest::addColumn<bool>("rtl");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<QColor>("background");
        QTest::newRow("standard") << 0 << "" << 0 << 0 << false << 0 << QColor(0xFF, 0xFF, 0xE1);
        QTest::newRow("balloon warning") << 1 << "Dikkat" << 2 << 0 << false << 2 << QColor(0xFF, 0xFF, 0xE1);
        QTest::newRow("icon without title") << 1 << "" << 1 << 0 << false << 0 << QColor(0xFF, 0xFF, 0xE1);
        QTest::newRow("own colour, right to left")
            << 0 << "" << 0 << 0x00C0FFFF << true << 0 << QColor(0xFF, 0xFF, 0xC0);
        QTest::newRow("other type is standard")
            << 7 << "" << 0 << 0 << false << 0 << QColor(0xFF, 0xFF, 0xE1);
    }
    void tooltip()
    {
        QFETCH(int, type);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(int, backColor);
        QFETCH(bool, rtl);
        QFETCH(int, shownIcon);
        QFETCH(QColor, background);
        BvButton *b = onForm({{"ToolTip", "Klasör seçin"},
                              {"TooltipType", type},
                              {"TooltipTitle", title},
                              {"TooltipIcon", icon},
                              {"TooltipBackColor", backColor},
                              {"RightToLeft", rtl}});
        QVERIFY(!b->ToolTipWindow());
        QVERIFY(b->toolTip().isEmpty()); // the host's own tooltip is off while shown
        m_pointer.over = b;
        moveTo(b, QPoint(10, 10));
        QCOMPARE(b->CurrentState(), int(eStateOver));
        ToolTipWindow *tip = b->ToolTipWindow();
        QVERIFY(tip);
        QCOMPARE(tip->text(), QStringLiteral("Klasör seçin"));
        QCOMPARE(tip->isBalloon(), type == 1);
        QCOMPARE(tip->title(), title);
        QCOMPARE(tip->shownIcon(), shownIcon);
        QCOMPARE(tip->backgroundColor(), background);
        QCOMPARE(tip->isRightToLeft(), rtl);
        QVERIFY(tip->width() <= ToolTipWindow::MaxTipWidth + 8);
        tip->popUp(b->mapToGlobal(QPoint(10, 10)));
        QVERIFY(tip->isVisible());
    }

    void realPointerSeesThroughTooltips()
    {
        BvButton *b = onForm({{"ToolTip", "Kaydet"}, {"TooltipType", 1}});
        const QPoint at = b->mapToGlobal(QPoint(10, 10));
        PointerProbe real;
        QCOMPARE(real.windowAt(at), b);
        m_pointer.over = b;
        moveTo(b, QPoint(10, 10));
        QVERIFY(b->ToolTipWindow());
        b->ToolTipWindow()->popUp(at);
        QVERIFY(b->ToolTipWindow()->geometry().contains(at));
        QCOMPARE(real.windowAt(at), b);
    }

    void longTipWraps()
    {
        const QString text = QString("Yedeklerin saklanacağı klasörü seçin. ").repeated(6);
        ToolTipWindow tip(nullptr, {text, QString(), 0, false, 0, false});
        ToolTipWindow line(nullptr, {QStringLiteral("Kısa"), QString(), 0, false, 0, false});
        QVERIFY(tip.width() <= ToolTipWindow::MaxTipWidth + 3);
        QVERIFY(tip.height() > 3 * line.height());
        // Nothing to show: an empty tip stays hidden.
        ToolTipWindow empty(nullptr, {});
        empty.popUp(QPoint(10, 10));
        QVERIFY(!empty.isVisible());
    }

    // Where the desktop cannot show see-through pixels (here the offscreen one; an X11
    // desktop without a compositing manager) the tip's window is cut to the tip: the
    // window keeps exactly the pixels the tip paints, each of them whole, so no corner,
    // stem side or shadow shows as a black rectangle.
    void tooltipWindowCutToItsShape_data()
    {
        QTest::addColumn<bool>("balloon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("rtl");
        QTest::newRow("balloon") << true << "" << false;
        QTest::newRow("balloon with title, right to left") << true << "Dikkat" << true;
        QTest::newRow("standard") << false << "" << false;
    }
    void tooltipWindowCutToItsShape()
    {
        QFETCH(bool, balloon);
        QFETCH(QString, title);
        QFETCH(bool, rtl);
        ToolTipWindow tip(nullptr, {QStringLiteral("GÖZAT"), title, TTIconInfo, balloon, 0, rtl});
        QVERIFY(!ToolTipWindow::desktopShowsTransparency());
        QVERIFY(tip.isShaped());
        const QRegion cut = tip.mask();
        QVERIFY(!cut.isEmpty());

        // What the tip paints on a see-through window, uncut.
        tip.clearMask();
        QImage painted(tip.size(), QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        tip.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
        tip.setMask(cut);
        QRegion opaque;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) {
                const int alpha = qAlpha(painted.pixel(x, y));
                QVERIFY2(alpha == 0 || alpha == 255,
                         qPrintable(QStringLiteral("%1,%2: %3").arg(x).arg(y).arg(alpha)));
                if (alpha)
                    opaque += QRect(x, y, 1, 1);
            }
        QCOMPARE(cut, opaque);

        // The window's corners and its shadow's room are cut away; a balloon keeps its stem.
        const int w = tip.width(), h = tip.height(), body = balloon ? 12 : 0;
        for (const QPoint corner :
             {QPoint(0, body), QPoint(w - 1, h - 1), QPoint(w - 1, body), QPoint(0, h - 1)})
            QCOMPARE(cut.contains(corner), !balloon && corner == QPoint(0, body));
        QVERIFY(!cut.contains(QPoint(w - 2, h / 2))); // the shadow at the right
        QVERIFY(cut.contains(QPoint(w / 2, h / 2)));
        if (balloon) {
            const int stemTip = rtl ? w - 3 - 8 - 6 : 8 + 6;
            QVERIFY(cut.contains(QPoint(stemTip, 1)));
            QVERIFY(!cut.contains(QPoint(stemTip - 5, 1)));
        }
    }

    void tooltipCreatedPerHover()
    {
        BvButton *b = onForm({{"ToolTip", "Eski"}, {"ButtonStyle", int(eOutlook2007)}});
        m_pointer.over = b;
        moveTo(b, QPoint(10, 10));
        QPointer<ToolTipWindow> first = b->ToolTipWindow();
        QVERIFY(first);
        b->setToolTip(QStringLiteral("Yeni"));
        moveTo(b, QPoint(12, 10)); // still over: no new tooltip
        QCOMPARE(b->ToolTipWindow(), first.data());
        QCOMPARE(first->text(), QStringLiteral("Eski"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b, &leave);
        moveTo(b, QPoint(10, 10));
        QVERIFY(!first); // replaced
        QCOMPARE(b->ToolTipWindow()->text(), QStringLiteral("Yeni"));

        // A checked button is drawn pressed and shows no tooltip.
        BvButton *c =
            onForm({{"ToolTip", "x"}, {"Mode", 1}, {"Value", true}, {"ButtonStyle", int(eOutlook2007)}});
        c->RedrawButton();
        m_pointer.over = c;
        moveTo(c, QPoint(10, 10));
        QVERIFY(!c->ToolTipWindow());
    }

    // --- window hook ------------------------------------------------------------

    void formActivationResetsLooks()
    {
        QList<BvButton *> buttons;
        for (int i = 0; i < 10; ++i)
            buttons << onForm({{"ButtonStyle", int(eOutlook2007)}});
        for (BvButton *b : buttons) {
            QVERIFY(b->IsHooked());
            m_pointer.over = b;
            moveTo(b, QPoint(5, 5));
            QCOMPARE(b->CurrentState(), int(eStateOver));
        }
        buttons[3]->setFocus();
        // Released out of order: the other hooks stay in place.
        delete buttons.takeAt(5);
        delete buttons.takeAt(0);
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(m_form, &deactivate);
        for (BvButton *b : buttons) {
            QCOMPARE(b->CurrentState(), int(eStateNormal));
            QVERIFY(!b->FormActive());
            QVERIFY(!b->HasFocus());
        }
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(m_form, &activate);
        for (BvButton *b : buttons)
            QVERIFY(b->FormActive());
        // The next move over a button brings the hover look back.
        m_pointer.over = buttons[0];
        moveTo(buttons[0], QPoint(5, 5));
        QCOMPARE(buttons[0]->CurrentState(), int(eStateOver));
    }

    void pointerLeave()
    {
        BvButton *b = onForm({{"ButtonStyle", int(eOutlook2007)}});
        QStringList log;
        logEvents(b, log);
        m_pointer.over = b;
        moveTo(b, QPoint(5, 5));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b, &leave);
        QCOMPARE(b->CurrentState(), int(eStateNormal));
        QVERIFY(!b->PointerOver());
        QCOMPARE(log, QStringList{"MouseLeave"});
        // A button made without a stored design is not hooked.
        BvButton plain(m_form);
        QVERIFY(!plain.IsHooked());
    }

    // --- methods --------------------------------------------------------------

    void aboutBox()
    {
        BvButton *b = onForm();
        QString title, text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            box->accept();
        });
        b->About();
        QCOMPARE(title, QStringLiteral("About"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons, 1);
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].contains("Pelvanor"));
        QVERIFY(lines[0].contains("1.0"));
        QVERIFY(lines[3].isEmpty());
    }

    void openWebsite_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opened");
        QTest::newRow("http") << "http://example.com/" << true;
        QTest::newRow("https") << "https://example.com/a?b=1" << true;
        QTest::newRow("mailto") << "mailto:info@example.com" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("program") << "/usr/bin/xterm" << false;
        QTest::newRow("other scheme") << "ftp://example.com/" << false;
    }
    void openWebsite()
    {
        QFETCH(QString, address);
        QFETCH(bool, opened);
        UrlSink sink;
        for (const char *s : {"http", "https", "mailto", "file", "ftp"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(s), &sink, "open");
        BvButton *b = onForm();
        b->OpenWebsite(address);
        for (const char *s : {"http", "https", "mailto", "file", "ftp"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(s));
        QCOMPARE(sink.opened.size(), opened ? 1 : 0);
    }
};

QTEST_MAIN(TestButton)
#include "test_button.moc"
