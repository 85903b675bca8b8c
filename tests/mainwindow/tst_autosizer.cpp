// The auto-sizer's twips arithmetic, checked on a plain window at 15 twips a pixel.
#include "tst_autosizer.h"
#include "app/shell/BrennavikAutoSizer.h"

#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace
{

// Everything in twips, multiples of 15 so that pixels round exactly.
QRect tw(const QWidget *w)
{
    return {pv::pixelsToTwips(w->x()), pv::pixelsToTwips(w->y()), pv::pixelsToTwips(w->width()),
            pv::pixelsToTwips(w->height())};
}
void place(QWidget *w, int l, int t, int wd, int h)
{
    w->setGeometry(pv::twipsToPixels(l), pv::twipsToPixels(t), pv::twipsToPixels(wd), pv::twipsToPixels(h));
}

} // namespace

void TestAutoSizer::initTestCase()
{
    pv::setTwipsPerPixel(15);
}
void TestAutoSizer::cleanupTestCase()
{
    pv::setTwipsPerPixel(0);
}

void TestAutoSizer::tagProtocol_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QString>("flags");
    QTest::newRow("xy") << "AutoSizer:xy" << true << "XY";
    QTest::newRow("yx") << "AutoSizer:YX" << true << "YX";
    QTest::newRow("small prefix") << "autosizer:xy" << false << "XY";
    QTest::newRow("bare") << "AutoSizer:" << true << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("other tag") << "Musteri" << false << "MUSTERI";
}

void TestAutoSizer::tagProtocol()
{
    QFETCH(QString, tag);
    QFETCH(bool, marked);
    QFETCH(QString, flags);
    QCOMPARE(BrennavikAutoSizer::isMarked(tag), marked);
    QCOMPARE(BrennavikAutoSizer::flagsOf(tag), flags);
}

void TestAutoSizer::arrange_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QRect>("start"); // left, top, width, height at load
    QTest::addColumn<int>("dw");      // window growth in twips
    QTest::addColumn<int>("dh");
    QTest::addColumn<QRect>("expected");

    const QRect r(1200, 900, 3000, 1500);
    QTest::newRow("X grows") << "AutoSizer:X" << r << 600 << 0 << QRect(1800, 900, 3000, 1500);
    QTest::newRow("X shrinks below load") << "AutoSizer:X" << r << -600 << 0 << QRect(600, 900, 3000, 1500);
    QTest::newRow("W grows") << "AutoSizer:w" << r << 600 << 300 << QRect(1200, 900, 3600, 1500);
    QTest::newRow("W shrinks below load") << "AutoSizer:W" << r << -900 << 0 << QRect(1200, 900, 2100, 1500);
    QTest::newRow("HW") << "AutoSizer:HW" << r << 600 << 450 << QRect(1200, 900, 3600, 1950);
    QTest::newRow("xy") << "AutoSizer:xy" << r << 600 << 450 << QRect(1800, 1350, 3000, 1500);
    QTest::newRow("yx same") << "AutoSizer:YX" << r << 600 << 450 << QRect(1800, 1350, 3000, 1500);
    QTest::newRow("y only") << "AutoSizer:y" << r << 600 << -300 << QRect(1200, 600, 3000, 1500);
    QTest::newRow("wy") << "AutoSizer:wy" << r << 300 << 300 << QRect(1200, 1200, 3300, 1500);
    QTest::newRow("bare tag never moves") << "AutoSizer:" << r << 600 << 600 << r;
    QTest::newRow("small prefix ignored") << "autosizer:xy" << r << 600 << 600 << r;
}

void TestAutoSizer::arrange()
{
    QFETCH(QString, tag);
    QFETCH(QRect, start);
    QFETCH(int, dw);
    QFETCH(int, dh);
    QFETCH(QRect, expected);

    QWidget form;
    form.setObjectName(QStringLiteral("veresiye"));
    place(&form, 0, 0, 12390, 9045);
    auto *c = new QLabel(&form);
    c->setObjectName(QStringLiteral("ctl"));
    c->setProperty("Tag", tag);
    place(c, start.x(), start.y(), start.width(), start.height());

    BrennavikAutoSizer sizer(&form);
    sizer.GetInitialPositions();
    form.resize(pv::twipsToPixels(12390 + dw), pv::twipsToPixels(9045 + dh));
    sizer.AutoResize();
    QCOMPARE(tw(c), expected);
}

void TestAutoSizer::controlInFrameFollowsTheForm()
{
    // Without C the reference is the form even for a control inside a frame.
    QWidget form;
    form.setObjectName(QStringLiteral("veresiye"));
    place(&form, 0, 0, 12390, 9045);
    auto *frame = new QFrame(&form);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setProperty("Tag", QStringLiteral("AutoSizer:HW"));
    place(frame, 120, 1200, 12150, 6735);
    auto *grid = new QFrame(frame);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setProperty("Tag", QStringLiteral("AutoSizer:HW"));
    place(grid, 60, 360, 12030, 6300);

    BrennavikAutoSizer sizer(&form);
    sizer.GetInitialPositions();
    QCOMPARE(sizer.recordedDimensions(QStringLiteral("DBGrid1 veresiye.Dimensions")),
             QStringLiteral("0:12390:0:9045"));
    QCOMPARE(sizer.recorded(QStringLiteral("DBGrid1.Width")), 12030.0);
    form.resize(pv::twipsToPixels(12390 + 1500), pv::twipsToPixels(9045 + 750));
    sizer.AutoResize();
    QCOMPARE(tw(frame), QRect(120, 1200, 13650, 7485));
    QCOMPARE(tw(grid), QRect(60, 360, 13530, 7050));
}

void TestAutoSizer::centredInContainer_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<QSize>("container"); // container size at load
    QTest::addColumn<QSize>("grown");     // container size afterwards
    QTest::addColumn<QRect>("expected");
    // Height follows the container, width keeps the proportion, centred plus 10.
    QTest::newRow("fits") << QRect(300, 150, 1500, 3000) << QSize(6000, 4500) << QSize(6000, 5100)
                          << QRect(2110, 150, 1800, 3600);
    // Too wide afterwards: narrowed to the container less 100, height in proportion.
    QTest::newRow("too wide") << QRect(0, 0, 4500, 1500) << QSize(4500, 3000) << QSize(3000, 6000)
                              << QRect(10 + 1500 - 1450, 0, 2900, 1000);
}

void TestAutoSizer::centredInContainer()
{
    QFETCH(QRect, start);
    QFETCH(QSize, container);
    QFETCH(QSize, grown);
    QFETCH(QRect, expected);

    QWidget form;
    form.setObjectName(QStringLiteral("veresiye"));
    place(&form, 0, 0, 12390, 9045);
    auto *box = new QFrame(&form);
    box->setObjectName(QStringLiteral("frmResim"));
    place(box, 120, 1200, container.width(), container.height());
    auto *pic = new QLabel(box);
    pic->setObjectName(QStringLiteral("Image7"));
    pic->setProperty("Tag", QStringLiteral("AutoSizer:C"));
    place(pic, start.x(), start.y(), start.width(), start.height());

    BrennavikAutoSizer sizer(&form);
    sizer.GetInitialPositions();
    place(box, 120, 1200, grown.width(), grown.height());
    sizer.AutoResize();
    // 100 and 10 twips are no whole pixels: compare the rounded pixels.
    const auto px = [](int t) { return pv::twipsToPixels(t); };
    QCOMPARE(pic->geometry(),
             QRect(px(expected.x()), px(expected.y()), px(expected.width()), px(expected.height())));
}

void TestAutoSizer::sizeLimits_data()
{
    QTest::addColumn<int>("minW");
    QTest::addColumn<int>("maxW");
    QTest::addColumn<int>("askW");
    QTest::addColumn<int>("gotW");
    QTest::newRow("min holds") << 9000 << 0 << 8010 << 9000;
    QTest::newRow("max holds") << 0 << 15000 << 16500 << 15000;
    QTest::newRow("inside") << 9000 << 15000 << 12000 << 12000;
    QTest::newRow("min over max wins") << 14010 << 13005 << 12000 << 14010;
}

void TestAutoSizer::sizeLimits()
{
    QFETCH(int, minW);
    QFETCH(int, maxW);
    QFETCH(int, askW);
    QFETCH(int, gotW);

    QWidget form;
    form.setObjectName(QStringLiteral("veresiye"));
    place(&form, 0, 0, 12390, 9045);
    auto *c = new QLabel(&form);
    c->setObjectName(QStringLiteral("VornXPButton2"));
    c->setProperty("Tag", QStringLiteral("AutoSizer:xy"));
    place(c, 10470, 8040, 1800, 660);

    pv::PropertyBag bag;
    bag.set(QStringLiteral("MinWidth"), minW);
    bag.set(QStringLiteral("MaxWidth"), maxW);
    BrennavikAutoSizer sizer(&form);
    sizer.ReadProperties(bag);
    sizer.GetInitialPositions();
    QSignalSpy before(&sizer, &BrennavikAutoSizer::BeforeResize);
    QSignalSpy after(&sizer, &BrennavikAutoSizer::AfterResize);
    form.resize(pv::twipsToPixels(askW), form.height());
    sizer.AutoResize();
    QCOMPARE(pv::pixelsToTwips(form.width()), gotW);
    // The control moved by the window's kept width, not by the asked one.
    QCOMPARE(tw(c).x(), 10470 + gotW - 12390);
    QVERIFY(before.count() >= 1);
    QVERIFY(after.count() >= 1);
}

void TestAutoSizer::disabledDoesNothing()
{
    QWidget form;
    place(&form, 0, 0, 12390, 9045);
    auto *c = new QLabel(&form);
    c->setObjectName(QStringLiteral("VornXPButton3"));
    c->setProperty("Tag", QStringLiteral("AutoSizer:y"));
    place(c, 120, 8040, 1335, 660);
    pv::PropertyBag bag;
    bag.set(QStringLiteral("Enabled"), false);
    BrennavikAutoSizer sizer(&form);
    sizer.ReadProperties(bag);
    sizer.GetInitialPositions();
    form.resize(form.width(), pv::twipsToPixels(9045 + 900));
    sizer.AutoResize();
    QCOMPARE(tw(c).y(), 8040);
}

void TestAutoSizer::lateControlNeverMoves()
{
    QWidget form;
    place(&form, 0, 0, 12390, 9045);
    BrennavikAutoSizer sizer(&form);
    sizer.GetInitialPositions();
    auto *c = new QLabel(&form);
    c->setObjectName(QStringLiteral("late"));
    c->setProperty("Tag", QStringLiteral("AutoSizer:xy"));
    place(c, 600, 600, 900, 300);
    form.resize(pv::twipsToPixels(13000), pv::twipsToPixels(9900));
    sizer.AutoResize();
    QCOMPARE(tw(c), QRect(600, 600, 900, 300));
}
