#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/ClassRegistry.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using Bar = QuorvelXPProgressBar;
using Ole = Bar::OleColor;

namespace
{

constexpr Ole kColour = 0x00BB6132; // #3261BB

QRgb rgb(Ole c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// Independent of the control: the colour rules as a designer states them.
Ole lighten(Ole c, int a)
{
    auto m = [a](int b) { return std::min(255, a + (255 - a) * b / 255); };
    return Ole(m(c & 0xFF)) | Ole(m((c >> 8) & 0xFF)) << 8 | Ole(m((c >> 16) & 0xFF)) << 16;
}
Ole darken(Ole c, int w) // blend with black, weight w on c
{
    auto m = [w](int b) { return int(std::nearbyint(w * b / 255.0)); };
    return Ole(m(c & 0xFF)) | Ole(m((c >> 8) & 0xFF)) << 8 | Ole(m((c >> 16) & 0xFF)) << 16;
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

// 221 x 33 pixels, as a bar placed on a form (3315 x 495 twips).
std::unique_ptr<Bar> bar(int scrolling, int percent, bool vertical = false, bool text = false)
{
    auto b = std::make_unique<Bar>();
    b->setColor(kColour);
    b->setScrolling(Bar::cScrolling(scrolling));
    b->setOrientation(vertical ? Bar::ccOrientationVertical : Bar::ccOrientationHorizontal);
    b->setShowText(text);
    if (scrolling == Bar::ccScrollingCustomBrush)
        b->setBrushStyle(Bar::HS_CROSS); // a new bar has 0, horizontal lines
    b->setValue(percent);
    return b;
}

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::setTwipsPerPixel(15); }

    void createdByClassName()
    {
        QVERIFY(
            pv::ClassRegistry::instance().isRegistered(QStringLiteral("ProgressBar.QuorvelXPProgressBar")));
        pv::PropertyBag bag;
        bag.set(QStringLiteral("Scrolling"), 9);
        bag.set(QStringLiteral("ShowText"), true);
        bag.set(QStringLiteral("Value"), 40);
        bag.set(QStringLiteral("Width"), 4500);
        QWidget form;
        auto *b = qobject_cast<Bar *>(pv::ClassRegistry::instance().create(
            QStringLiteral("ProgressBar.QuorvelXPProgressBar"), &form, bag));
        QVERIFY(b);
        QCOMPARE(b->Scrolling(), Bar::ccScrollingMetallic);
        QVERIFY(b->ShowText());
        QCOMPARE(b->Value(), 40);
        QCOMPARE(b->size(), QSize(300, 33));
        QCOMPARE(b->surfaceImage().size(), QSize(300, 33));
        QVERIFY(!b->tmrAutoScroll()->isActive());
    }

    void valueConversion_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("readBack");
        for (int v : {0, 20, 30, 50, 60, 75, 90, 100})
            QTest::newRow(qPrintable(QStringLiteral("%1 of 100").arg(v))) << 100 << v << v << v;
        QTest::newRow("above 100 drawn full") << 100 << 150 << 100 << 100;
        QTest::newRow("1 of 3") << 3 << 1 << 33 << 1;
        QTest::newRow("25 of 50") << 50 << 25 << 50 << 25;
        QTest::newRow("1 of 200 halves to even") << 200 << 1 << 0 << 0;
        QTest::newRow("3 of 200 halves to even") << 200 << 3 << 2 << 4;
        QTest::newRow("max 0 leaves it") << 0 << 10 << 7 << 0;
        QTest::newRow("hundredfold overflows") << 100 << 30000000 << 7 << 7;
        QTest::newRow("negative hundredfold overflows") << 100 << -30000000 << 7 << 7;
    }
    void valueConversion()
    {
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(int, percent);
        QFETCH(int, readBack);
        Bar b;
        b.setValue(7);
        b.setMax(max);
        b.setValue(value);
        QCOMPARE(b.Percent(), percent);
        QCOMPARE(b.Value(), readBack);
    }

    void autoScroll()
    {
        Bar b;
        QSignalSpy changed(&b, &Bar::propertyChanged);
        b.setAutoScroll(true);
        b.setAutoScroll(true);
        QCOMPARE(changed.count(), 2);
        QVERIFY(b.tmrAutoScroll()->isActive());
        QCOMPARE(b.tmrAutoScroll()->interval(), 10);
        b.setValue(99);
        QList<int> seen;
        for (int i = 0; i < 3; ++i) {
            b.tmrAutoScroll_Timer();
            seen << b.Percent();
        }
        QCOMPARE(seen, (QList<int>{100, 1, 2}));
        b.setAutoScroll(false);
        QVERIFY(!b.tmrAutoScroll()->isActive());
        QCOMPARE(b.Percent(), 2);
        // Running for real: it advances by itself.
        b.setAutoScroll(true);
        QTRY_VERIFY(b.Percent() > 5);
    }

    void persistence()
    {
        Bar fresh;
        pv::PropertyBag bag;
        fresh.UserControl_WriteProperties(bag);
        QCOMPARE(bag.names(), (QStringList{"Font", "BrushStyle", "Color"}));
        QCOMPARE(bag.ReadProperty(QStringLiteral("BrushStyle")), QVariant(qint32(0)));
        QCOMPARE(Ole(bag.ReadProperty(QStringLiteral("Color")).toInt()),
                 Ole(0x00FF9933)); // highlight resolved
        QCOMPARE(fresh.Color(), Ole(0x00FF9933));

        auto stored = bar(Bar::ccScrollingSearch, 45, false, true);
        stored->setAutoScroll(true);
        stored->setBrushStyle(Bar::HS_CROSS);
        pv::PropertyBag out;
        stored->UserControl_WriteProperties(out);
        QVERIFY(!out.contains(QStringLiteral("BrushStyle"))); // 4 is the default
        Bar loaded(nullptr, out);
        QCOMPARE(loaded.Scrolling(), Bar::ccScrollingSearch);
        QCOMPARE(loaded.Value(), 45);
        QVERIFY(loaded.ShowText());
        QCOMPARE(loaded.Color(), kColour);
        QVERIFY(loaded.tmrAutoScroll()->isActive());
        pv::PropertyBag again;
        loaded.UserControl_WriteProperties(again);
        QCOMPARE(again.names(), out.names());
        // Keys match whatever their case.
        pv::PropertyBag lower;
        lower.set(QStringLiteral("scrolling"), 3);
        lower.set(QStringLiteral("VALUE"), 12);
        Bar b(nullptr, lower);
        QCOMPARE(b.Scrolling(), Bar::ccScrollingOfficeXP);
        QCOMPARE(b.Value(), 12);
    }

    void buffer()
    {
        Bar b;
        QCOMPARE(b.bufferImage().size(), QSize(221, 33));
        QVERIFY(b.hdc() == &b.bufferImage());
        b.resize(300, 40);
        b.sethdc();
        QCOMPARE(b.bufferImage().size(), QSize(300, 40));
        b.resize(100, 50);
        b.sethdc();
        QCOMPARE(b.bufferImage().size(), QSize(300, 50)); // never smaller
        QImage target(400, 60, QImage::Format_RGB32);
        target.fill(Qt::red);
        b.pDraw(&target);
        QCOMPARE(hex(target.pixel(299, 49)), hex(b.bufferImage().pixel(299, 49)));
        QCOMPARE(hex(target.pixel(300, 50)), hex(qRgb(255, 0, 0)));
    }

    void primitives()
    {
        Bar b;
        QImage dc(20, 20, QImage::Format_RGB32);
        dc.fill(Qt::white);
        b.DrawLine(2, 5, 8, 5, &dc, 0x000000FF);
        QCOMPARE(hex(dc.pixel(2, 5)), hex(qRgb(255, 0, 0)));
        QCOMPARE(hex(dc.pixel(7, 5)), hex(qRgb(255, 0, 0)));
        QCOMPARE(hex(dc.pixel(8, 5)), hex(qRgb(255, 255, 255))); // the end point is left out
        Ole end = 0x00000000, start = 0x80000005;                // system window colour: white
        b.DrawGradient(end, start, 0, 10, 15, 4, &dc, false);
        QCOMPARE(start, Ole(0x00FFFFFF));
        QCOMPARE(hex(dc.pixel(0, 10)), hex(qRgb(0, 0, 0)));
        QCOMPARE(hex(dc.pixel(0, 12)), hex(qRgb(128, 128, 128))); // 127.5 halves to even
        QCOMPARE(hex(dc.pixel(0, 14)), hex(qRgb(255, 255, 255)));
        Ole e0 = 0x000000FF, s0 = 0x0000FF00;
        b.DrawGradient(e0, s0, 0, 16, 5, 0, &dc, false); // n = 0: one line in the end colour
        QCOMPARE(hex(dc.pixel(0, 16)), hex(qRgb(255, 0, 0)));
        QCOMPARE(hex(dc.pixel(0, 17)), hex(qRgb(255, 255, 255)));
        QCOMPARE(Bar::LightenColor(0x00000000, 255), Ole(0x00FFFFFF));
        QCOMPARE(Bar::LightenColor(kColour, 0), kColour);
        QCOMPARE(Bar::BlendColor(kColour, 0, 255), kColour);
    }

    void stylePixels_data()
    {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<quint32>("expected");
        const quint32 c = kColour, white = 0x00FFFFFF;
        // XP border shared by the block styles
        QTest::newRow("border corner") << 0 << 50 << false << QPoint(0, 0) << white;
        QTest::newRow("border rounding") << 0 << 50 << false << QPoint(1, 1) << 0x00777777u;
        QTest::newRow("border frame") << 0 << 50 << false << QPoint(0, 15) << 0x00686868u;
        QTest::newRow("border inner") << 0 << 50 << false << QPoint(100, 1) << 0x00BEBEBEu;
        // standard
        QTest::newRow("standard 0 first block") << 0 << 0 << false << QPoint(9, 15) << c;
        QTest::newRow("standard 0 gap") << 0 << 0 << false << QPoint(10, 15) << white;
        QTest::newRow("standard 0 after the stub") << 0 << 0 << false << QPoint(12, 15) << white;
        QTest::newRow("standard top shade") << 0 << 50 << false << QPoint(5, 3) << quint32(lighten(c, 150));
        QTest::newRow("standard 100 last block") << 0 << 100 << false << QPoint(214, 15) << c;
        QTest::newRow("standard 100 cut short") << 0 << 100 << false << QPoint(215, 15) << white;
        QTest::newRow("standard vertical bottom") << 0 << 50 << true << QPoint(15, 30) << c;
        QTest::newRow("standard vertical top empty") << 0 << 50 << true << QPoint(15, 8) << white;
        // smooth
        QTest::newRow("smooth 100 to the edge") << 1 << 100 << false << QPoint(218, 15) << c;
        QTest::newRow("smooth 50 end") << 1 << 50 << false << QPoint(113, 15) << white;
        QTest::newRow("smooth 50 filled") << 1 << 50 << false << QPoint(112, 15) << c;
        // search
        QTest::newRow("search first block") << 2 << 50 << false << QPoint(90, 15) << quint32(lighten(c, 220));
        QTest::newRow("search first block end")
            << 2 << 50 << false << QPoint(99, 15) << quint32(lighten(c, 200));
        QTest::newRow("search third block")
            << 2 << 50 << false << QPoint(114, 15) << quint32(lighten(c, 140));
        QTest::newRow("search before") << 2 << 50 << false << QPoint(89, 15) << white;
        QTest::newRow("search between") << 2 << 50 << false << QPoint(100, 15) << white;
        QTest::newRow("search vertical first block")
            << 2 << 50 << true << QPoint(100, 17) << quint32(lighten(c, 220));
        QTest::newRow("search vertical gap") << 2 << 50 << true << QPoint(100, 27) << white;
        QTest::newRow("search vertical second block")
            << 2 << 50 << true << QPoint(3, 29) << quint32(lighten(c, 180));
        // office XP
        QTest::newRow("officexp frame") << 3 << 50 << false << QPoint(0, 15) << quint32(lighten(c, 100));
        QTest::newRow("officexp fill") << 3 << 50 << false << QPoint(109, 15) << quint32(lighten(c, 180));
        QTest::newRow("officexp empty") << 3 << 50 << false << QPoint(111, 15) << white;
        // pastel
        QTest::newRow("pastel edge") << 4 << 50 << false << QPoint(5, 0) << 0x00A0A0A0u;
        QTest::newRow("pastel inner edge") << 4 << 50 << false << QPoint(5, 1) << white;
        QTest::newRow("pastel fill start") << 4 << 50 << false << QPoint(2, 15) << quint32(lighten(c, 140));
        QTest::newRow("pastel fill end") << 4 << 50 << false << QPoint(110, 15) << quint32(lighten(c, 200));
        QTest::newRow("pastel empty") << 4 << 50 << false << QPoint(111, 15) << white;
        // JavT
        QTest::newRow("javt frame") << 5 << 50 << false << QPoint(0, 15) << quint32(lighten(c, 10));
        QTest::newRow("javt track top") << 5 << 50 << false << QPoint(200, 2) << c;
        QTest::newRow("javt track bottom") << 5 << 50 << false << QPoint(200, 30) << quint32(lighten(c, 100));
        QTest::newRow("javt fill top") << 5 << 50 << false << QPoint(50, 3) << quint32(lighten(c, 250));
        QTest::newRow("javt fill end line") << 5 << 50 << false << QPoint(109, 15) << quint32(lighten(c, 25));
        // media player
        QTest::newRow("media background") << 6 << 50 << false << QPoint(200, 15) << 0u;
        QTest::newRow("media frame") << 6 << 50 << false << QPoint(0, 15) << quint32(darken(c, 200));
        QTest::newRow("media fill end")
            << 6 << 50 << false << QPoint(110, 15) << quint32(lighten(darken(c, 100), 10));
        // custom brush (cross hatch, the default)
        QTest::newRow("brush edge") << 7 << 50 << false << QPoint(5, 0) << 0x00E3E3E3u;
        QTest::newRow("brush hatch line") << 7 << 50 << false << QPoint(8, 5) << c;
        QTest::newRow("brush gap") << 7 << 50 << false << QPoint(9, 5) << quint32(lighten(c, 140));
        QTest::newRow("brush empty") << 7 << 50 << false << QPoint(120, 15) << white;
        // picture without an image: the edge only
        QTest::newRow("picture edge") << 8 << 50 << false << QPoint(5, 0) << 0x00A0A0A0u;
        QTest::newRow("picture no image") << 8 << 50 << false << QPoint(50, 15) << white;
        // metallic, height 33: t = 15
        QTest::newRow("metallic border row") << 9 << 50 << false << QPoint(150, 2) << 0x00EFEFEFu;
        QTest::newRow("metallic track lower") << 9 << 50 << false << QPoint(150, 20) << 0x00C0C0C0u;
        QTest::newRow("metallic fill lower start")
            << 9 << 50 << false << QPoint(50, 15) << quint32(darken(c, 190));
        QTest::newRow("metallic fill lower end") << 9 << 50 << false << QPoint(50, 30) << c;
        QTest::newRow("metallic bottom border") << 9 << 50 << false << QPoint(50, 31) << 0x00EFEFEFu;
        // a style outside the ten draws as smooth
        QTest::newRow("unknown style") << 12 << 50 << false << QPoint(112, 15) << c;
    }
    void stylePixels()
    {
        QFETCH(int, scrolling);
        QFETCH(int, percent);
        QFETCH(bool, vertical);
        QFETCH(QPoint, at);
        QFETCH(quint32, expected);
        auto b = bar(scrolling, percent, vertical);
        const QImage &img = b->surfaceImage();
        QCOMPARE(img.size(), QSize(221, 33));
        img.save(pngDir() +
                 QStringLiteral("/style%1-%2%3.png").arg(scrolling).arg(percent).arg(vertical ? "v" : ""));
        QCOMPARE(hex(img.pixel(at)), hex(rgb(expected)));
    }

    void pictureStyle()
    {
        auto b = bar(Bar::ccScrollingPicture, 50);
        QImage pattern(4, 4, QImage::Format_RGB32);
        pattern.fill(Qt::green);
        pattern.setPixel(0, 0, qRgb(255, 0, 0));
        b->setImage(QPixmap::fromImage(pattern));
        const QImage &img = b->surfaceImage();
        img.save(pngDir() + QStringLiteral("/style8-picture.png"));
        // w = round(50 / 101 * 221) = 109: columns 2 to 110, tiled from the surface's origin
        QCOMPARE(hex(img.pixel(4, 4)), hex(qRgb(255, 0, 0)));
        QCOMPARE(hex(img.pixel(5, 4)), hex(qRgb(0, 255, 0)));
        QCOMPARE(hex(img.pixel(110, 15)), hex(qRgb(0, 255, 0)));
        QCOMPARE(hex(img.pixel(111, 15)), hex(qRgb(255, 255, 255)));
    }

    void text_data()
    {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("tone"); // which text colours appear
        QTest::newRow("standard black") << 0 << 0 << "dark";
        QTest::newRow("media 0 silver") << 6 << 0 << "silver";
        QTest::newRow("metallic 100 white only") << 9 << 100 << "light";
        QTest::newRow("search waiting text") << 2 << 0 << "dark";
    }
    void text()
    {
        QFETCH(int, scrolling);
        QFETCH(int, percent);
        QFETCH(QString, tone);
        auto b = bar(scrolling, percent, false, true);
        const QImage &img = b->surfaceImage();
        img.save(pngDir() + QStringLiteral("/text-%1-%2.png").arg(scrolling).arg(percent));
        const Bar::Rect r = b->TextRect();
        QVERIFY(r.right > r.left && r.bottom > r.top);
        if (scrolling != Bar::ccScrollingMetallic)        // there the light copy ends at the fill
            QVERIFY(qAbs((r.left + r.right) - 221) <= 1); // centred
        int dark = 0, silver = 0, light = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, 221); ++x) {
                const QRgb p = img.pixel(x, y);
                if (p == qRgb(0, 0, 0))
                    ++dark;
                else if (p == qRgb(0xC0, 0xC0, 0xC0))
                    ++silver;
                else if (p == qRgb(255, 255, 255))
                    ++light;
            }
        if (tone == QLatin1String("dark"))
            QVERIFY(dark > 5);
        else if (tone == QLatin1String("silver"))
            QVERIFY(silver > 5);
        else
            QVERIFY(light > 5 && dark == 0);
        if (scrolling == Bar::ccScrollingSearch)
            QVERIFY(r.right - r.left > 60); // " Lütfen Bekleyiniz...", not "0 %"
    }
};

QTEST_MAIN(TestProgressBar)
#include "test_progressbar.moc"
