// The button's drawing: colour arithmetic, primitives, outlines, pictures, layout and the
// fourteen style painters, checked pixel by pixel on the control's own image.

#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaint.h"
#include "controls/button/ButtonPrimitives.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace BrennavikBtn;

namespace
{

constexpr int kW = 80;
constexpr int kH = 24;
const OleColor B = rgbHex(0x6496C8); // the forms' own BackColor in these tests
constexpr OleColor White = 0xFFFFFF;

OleColor S(OleColor c, float f)
{
    return ShiftColor(c, f);
}

// Entry i of a vertical or horizontal ramp of n + 1 steps from a to b.
OleColor ramp(OleColor a, OleColor b, int n, int i)
{
    auto ch = [](OleColor c, int k) { return (c >> (8 * k)) & 255; };
    OleColor out = 0;
    for (int k = 0; k < 3; ++k)
        out |= (ch(a, k) + i * (ch(b, k) - ch(a, k)) / n) << (8 * k);
    return out;
}

OleColor at(const QImage &img, int x, int y)
{
    return fromQRgb(img.pixel(x, y));
}

QString hex(OleColor c)
{
    return QStringLiteral("#%1").arg((c & 255) << 16 | (c & 0xFF00) | ((c >> 16) & 255), 6, 16,
                                     QLatin1Char('0'));
}

ButtonPaintState button(int style)
{
    ButtonPaintState s;
    s.ButtonStyle = style;
    ApplyStyleScheme(style, s.Colors);
    ApplyStyleColors(style, s.Colors);
    // As a form sets its own BackColor at run time: the scheme becomes custom, except on
    // the Office XP style.
    s.Colors.BackColor = B;
    if (style != eOfficeXP)
        s.Colors.ColorScheme = ecsCustom;
    s.Caption = QStringLiteral("Kaydet");
    s.Font = QFont(QStringLiteral("Tahoma"), 8);
    s.W = kW;
    s.H = kH;
    return s;
}

struct Px {
    int x, y;
    OleColor c;
};

enum Look { Normal, Over, Down, Disabled };

// A picture whose every pixel is c, except column 0 which is the mask colour.
QImage bitmap(int w, int h, OleColor c, OleColor mask = 0xE0E0E0)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQRgb(c));
    for (int y = 0; y < h; ++y)
        img.setPixel(0, y, toQRgb(mask));
    return img;
}

QString pngFolder()
{
    static QTemporaryDir tmp;
    const QString keep = qEnvironmentVariable("PV_KEEP_PNG");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        return keep;
    }
    return tmp.path();
}

void keep(const QImage &img, const QString &name)
{
    img.save(QDir(pngFolder()).filePath(name + QStringLiteral(".png")));
}

} // namespace

class TestButtonPaint : public QObject
{
    Q_OBJECT

private slots:
    void shiftColor_data();
    void shiftColor();
    void mixColors_data();
    void mixColors();
    void effectTables_data();
    void effectTables();
    void translateColor_data();
    void translateColor();
    void styleColors_data();
    void styleColors();

    void gradient_data();
    void gradient();
    void linesFramesCorners();
    void edgesAndFocus();
    void region_data();
    void region();
    void dropDownGlyphs_data();
    void dropDownGlyphs();
    void otherSymbolValues();

    void blend24_data();
    void blend24();
    void blend32AndIcon();
    void pictureShadow();
    void systemMaskColourNeverMatches();
    void pictureWithoutNormalKeepsItsPlace();

    void layout_data();
    void layout();
    void pushedOffsetAndSeparator();
    void captionColours();
    void dottedCapitalIKeepsItsDot_data();
    void dottedCapitalIKeepsItsDot();
    void wrappingAndRightToLeft();
    void standInFonts_data();
    void standInFonts();
    void themePainterKeepsCaptionInside();

    void painters_data();
    void painters();
    void checkedButtons();
    void focusAndDefault();
    void themeFallback();
    void xpToolbarForeColor();
    void emptySize();
};

// ---- colour arithmetic --------------------------------------------------------------

void TestButtonPaint::shiftColor_data()
{
    QTest::addColumn<OleColor>("c");
    QTest::addColumn<float>("f");
    QTest::addColumn<OleColor>("expected");
    QTest::newRow("250,10,128 +0.1") << OleColor(250 + 256 * 10 + 65536 * 128) << 0.1f
                                     << OleColor(255 + 256 * 36 + 65536 * 154);
    QTest::newRow("250,10,128 -0.1") << OleColor(250 + 256 * 10 + 65536 * 128) << -0.1f
                                     << OleColor(224 + 256 * 0 + 65536 * 102);
    QTest::newRow("D4D4D4+0.06") << rgbHex(0xD4D4D4) << 0.06f << rgbHex(0xE3E3E3);
    QTest::newRow("A09EBA+0.15") << rgbHex(0xA09EBA) << 0.15f << rgbHex(0xC6C4E0);
    QTest::newRow("003C74+0.3") << rgbHex(0x003C74) << 0.3f << rgbHex(0x4D89C1);
    QTest::newRow("376206+0.3") << rgbHex(0x376206) << 0.3f << rgbHex(0x84AF53);
    QTest::newRow("A0B3C1-0.2") << rgbHex(0xA0B3C1) << -0.2f << rgbHex(0x6D808E);
    QTest::newRow("D4D4C9-0.05") << rgbHex(0xD4D4C9) << -0.05f << rgbHex(0xC7C7BC);
    QTest::newRow("B5B4AB-0.2") << rgbHex(0xB5B4AB) << -0.2f << rgbHex(0x828178);
    QTest::newRow("619ECA+0.3") << rgbHex(0x619ECA) << 0.3f << rgbHex(0xAEEBFF);
    QTest::newRow("untranslatable") << OleColor(-1) << 0.1f << OleColor(255 + 256 * 26 + 65536 * 26);
}

void TestButtonPaint::shiftColor()
{
    QFETCH(OleColor, c);
    QFETCH(float, f);
    QFETCH(OleColor, expected);
    QCOMPARE(hex(ShiftColor(c, f)), hex(expected));
}

void TestButtonPaint::mixColors_data()
{
    QTest::addColumn<OleColor>("a");
    QTest::addColumn<OleColor>("b");
    QTest::addColumn<OleColor>("expected");
    QTest::newRow("white and grey") << White << rgbHex(0x808080) << rgbHex(0xC0C0C0);
    QTest::newRow("1 and 2 give 2") << OleColor(1) << OleColor(2) << OleColor(2);
    QTest::newRow("2 and 3 give 2") << OleColor(2) << OleColor(3) << OleColor(2);
    QTest::newRow("per channel") << rgbHex(0x010305) << rgbHex(0x020204) << rgbHex(0x020204);
}

void TestButtonPaint::mixColors()
{
    QFETCH(OleColor, a);
    QFETCH(OleColor, b);
    QFETCH(OleColor, expected);
    QCOMPARE(hex(MixColors(a, b)), hex(expected));
}

void TestButtonPaint::effectTables_data()
{
    QTest::addColumn<bool>("lighter");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("expected");
    QTest::newRow("lighter 0") << true << 0 << 0;
    QTest::newRow("lighter 200") << true << 200 << 229;
    QTest::newRow("lighter 221") << true << 221 << 253;
    QTest::newRow("lighter 222 caps") << true << 222 << 255;
    QTest::newRow("lighter 255") << true << 255 << 255;
    QTest::newRow("darker 255") << false << 255 << 217;
    QTest::newRow("darker 100") << false << 100 << 85;
    QTest::newRow("darker 0") << false << 0 << 0;
}

void TestButtonPaint::effectTables()
{
    QFETCH(bool, lighter);
    QFETCH(int, v);
    QFETCH(int, expected);
    QCOMPARE(int((lighter ? LighterTable() : DarkerTable())[std::size_t(v)]), expected);
}

void TestButtonPaint::translateColor_data()
{
    QTest::addColumn<OleColor>("c");
    QTest::addColumn<OleColor>("expected");
    QTest::newRow("rgb") << rgbHex(0x123456) << rgbHex(0x123456);
    QTest::newRow("button face") << OleColor(0x8000000F) << sysColor(COLOR_BTNFACE);
    QTest::newRow("button text") << OleColor(0x80000012) << sysColor(COLOR_BTNTEXT);
    QTest::newRow("grey text") << OleColor(0x80000011) << sysColor(COLOR_GRAYTEXT);
    QTest::newRow("no such system colour") << OleColor(0x800000FF) << OleColor(-1);
    QTest::newRow("bad high byte") << OleColor(0x05000000) << OleColor(-1);
}

void TestButtonPaint::translateColor()
{
    QFETCH(OleColor, c);
    QFETCH(OleColor, expected);
    QCOMPARE(TranslateColor(c), expected);
}

void TestButtonPaint::styleColors_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("schemeBefore");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<OleColor>("back");
    QTest::addColumn<bool>("focusRect");
    QTest::newRow("standard") << int(eStandard) << int(ecsCustom) << int(ecsBlue) << sysColor(COLOR_BTNFACE)
                              << true;
    QTest::newRow("windows xp") << int(eWindowsXP) << int(ecsSilver) << int(ecsBlue) << rgbHex(0xECEBE7)
                                << false;
    QTest::newRow("vista aero") << int(eVistaAero) << int(ecsBlue) << int(ecsSilver) << rgbHex(0xE3E3E3)
                                << false;
    QTest::newRow("office 2003 olive")
        << int(eOffice2003) << int(ecsOliveGreen) << int(ecsOliveGreen) << rgbHex(0xD4D6BA) << false;
    QTest::newRow("office 2003 silver")
        << int(eOffice2003) << int(ecsSilver) << int(ecsSilver) << rgbHex(0xC6C4E0) << false;
    QTest::newRow("office 2003 custom keeps")
        << int(eOffice2003) << int(ecsCustom) << int(ecsCustom) << B << false;
    QTest::newRow("outlook") << int(eOutlook2007) << int(ecsCustom) << int(ecsBlue) << rgbHex(0xADD1FF)
                             << false;
    QTest::newRow("installshield") << int(eInstallShield) << int(ecsBlue) << int(ecsSilver)
                                   << rgbHex(0xD5D6E1) << true;
    QTest::newRow("gel") << int(eGelButton) << int(ecsOliveGreen) << int(ecsBlue) << rgbHex(0xADD1FF)
                         << false;
    QTest::newRow("flat hover") << int(eFlatHover) << int(ecsSilver) << int(ecsSilver)
                                << sysColor(COLOR_BTNFACE) << false;
    QTest::newRow("theme keeps") << int(eWindowsTheme) << int(ecsBlue) << int(ecsBlue) << B << false;
}

void TestButtonPaint::styleColors()
{
    QFETCH(int, style);
    QFETCH(int, schemeBefore);
    QFETCH(int, scheme);
    QFETCH(OleColor, back);
    QFETCH(bool, focusRect);
    ButtonColorSet c{schemeBefore, B, rgbHex(0x0000FF), !focusRect, false};
    ApplyStyleScheme(style, c);
    ApplyStyleColors(style, c);
    QCOMPARE(c.ColorScheme, scheme);
    QCOMPARE(hex(c.BackColor), hex(back));
    QCOMPARE(c.ForeColor, sysColor(COLOR_BTNTEXT));
    QCOMPARE(c.ShowFocusRect, focusRect);
    QCOMPARE(c.PicturePushOnHover, false);

    ButtonColorSet x;
    ApplyStyleColors(eOfficeXP, x);
    QVERIFY(x.PicturePushOnHover);
}

// ---- primitives ---------------------------------------------------------------------

void TestButtonPaint::gradient_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("dir");
    QTest::addColumn<OleColor>("a");
    QTest::addColumn<OleColor>("b");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<int>>("colours"); // as OleColor
    const OleColor red = rgbHex(0xFF0000), blue = rgbHex(0x0000FF);
    QTest::newRow("horizontal ends") << 10 << 3 << int(gdHorizontal) << red << blue
                                     << QList<QPoint>{{0, 0}, {9, 2}, {3, 1}}
                                     << QList<int>{red, blue, ramp(red, blue, 9, 3)};
    QTest::newRow("vertical ends") << 3 << 10 << int(gdVertical) << red << blue
                                   << QList<QPoint>{{0, 0}, {2, 9}, {1, 4}}
                                   << QList<int>{red, blue, ramp(red, blue, 9, 4)};
    QTest::newRow("downward diagonal")
        << 4 << 3 << int(gdDownwardDiagonal) << red << blue << QList<QPoint>{{0, 0}, {3, 2}, {1, 1}}
        << QList<int>{red, blue, ramp(red, blue, 5, 2)};
    QTest::newRow("upward diagonal") << 4 << 3 << int(gdUpwardDiagonal) << red << blue
                                     << QList<QPoint>{{0, 2}, {3, 0}, {0, 0}}
                                     << QList<int>{red, blue, ramp(red, blue, 5, 2)};
    QTest::newRow("one pixel wide: half of each")
        << 1 << 4 << int(gdHorizontal) << White << White << QList<QPoint>{{0, 0}, {0, 3}}
        << QList<int>{rgbHex(0xFEFEFE), rgbHex(0xFEFEFE)};
    QTest::newRow("one pixel high, odd halves")
        << 5 << 1 << int(gdVertical) << rgbHex(0x030509) << rgbHex(0x07030B) << QList<QPoint>{{0, 0}, {4, 0}}
        << QList<int>{rgbHex(0x040309), rgbHex(0x040309)};
}

void TestButtonPaint::gradient()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, dir);
    QFETCH(OleColor, a);
    QFETCH(OleColor, b);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<int>, colours);
    QImage img(w + 2, h + 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawButtonGradient(img, 1, 1, w, h, a, b, dir);
    for (int i = 0; i < points.size(); ++i)
        QCOMPARE(hex(at(img, points[i].x() + 1, points[i].y() + 1)), hex(colours[i]));
    QCOMPARE(at(img, 0, 0), 0); // nothing outside the rectangle
    QCOMPARE(at(img, w + 1, h + 1), 0);
}

void TestButtonPaint::linesFramesCorners()
{
    QImage img(10, 8, QImage::Format_RGB32);
    img.fill(Qt::black);
    const OleColor c = rgbHex(0x102030);
    DrawButtonLine(img, 1, 1, 5, 1, c);
    QCOMPARE(at(img, 1, 1), c);
    QCOMPARE(at(img, 4, 1), c);
    QCOMPARE(at(img, 5, 1), 0);         // the end point is left out
    DrawButtonLine(img, 8, 6, 8, 3, c); // backwards: from 6 up to 4
    QCOMPARE(at(img, 8, 6), c);
    QCOMPARE(at(img, 8, 4), c);
    QCOMPARE(at(img, 8, 3), 0);
    DrawButtonLine(img, 0, 7, 0, 7, c); // no length, no pixel
    QCOMPARE(at(img, 0, 7), 0);

    img.fill(Qt::black);
    DrawFrameRect(img, 2, 2, 4, 3, c);
    QCOMPARE(at(img, 2, 2), c);
    QCOMPARE(at(img, 5, 4), c);
    QCOMPARE(at(img, 3, 3), 0);
    QCOMPARE(at(img, 6, 4), 0);
    DrawFrameRect(img, 0, 0, 12, 10, c); // reaches past the image: only its top and left show
    QCOMPARE(at(img, 9, 0), c);
    QCOMPARE(at(img, 0, 7), c);
    QCOMPARE(at(img, 9, 7), 0);

    img.fill(Qt::black);
    SetCornerPixels(img, c);
    for (QPoint p : {QPoint(1, 1), QPoint(1, 6), QPoint(8, 1), QPoint(8, 6)})
        QCOMPARE(at(img, p.x(), p.y()), c);
    QCOMPARE(at(img, 0, 0), 0);

    img.fill(Qt::black);
    FillColorRect(img, c, QRect(8, 6, 5, 5));
    QCOMPARE(at(img, 9, 7), c);
    QCOMPARE(at(img, 7, 7), 0);
}

void TestButtonPaint::edgesAndFocus()
{
    QImage img(10, 8, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawEdge(img, img.rect(), EdgeRaised);
    QCOMPARE(at(img, 0, 0), sysColor(COLOR_3DLIGHT));
    QCOMPARE(at(img, 9, 0), sysColor(COLOR_3DDKSHADOW)); // the dark side owns that corner
    QCOMPARE(at(img, 9, 7), sysColor(COLOR_3DDKSHADOW));
    QCOMPARE(at(img, 1, 1), sysColor(COLOR_BTNHIGHLIGHT));
    QCOMPARE(at(img, 8, 6), sysColor(COLOR_BTNSHADOW));
    QCOMPARE(at(img, 2, 2), 0);
    DrawEdge(img, img.rect(), EdgeSunken);
    QCOMPARE(at(img, 0, 0), sysColor(COLOR_BTNSHADOW));
    QCOMPARE(at(img, 1, 1), sysColor(COLOR_3DDKSHADOW));
    QCOMPARE(at(img, 9, 7), sysColor(COLOR_BTNHIGHLIGHT));

    img.fill(Qt::black);
    DrawFocusRect(img, QRect(2, 2, 5, 4));
    QCOMPARE(at(img, 2, 2), White);
    QCOMPARE(at(img, 3, 2), 0);
    QCOMPARE(at(img, 6, 5), 0);
    QCOMPARE(at(img, 6, 4), White);
    QCOMPARE(at(img, 4, 4), 0);            // inside untouched
    DrawFocusRect(img, QRect(2, 2, 5, 4)); // inverting twice restores
    QCOMPARE(at(img, 2, 2), 0);
}

void TestButtonPaint::region_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("cut"); // pixels cut at each corner
    QTest::newRow("standard") << int(eStandard) << 0;
    QTest::newRow("flat") << int(eFlat) << 0;
    QTest::newRow("windows xp") << int(eWindowsXP) << 1;
    QTest::newRow("vista aero") << int(eVistaAero) << 1;
    QTest::newRow("office xp") << int(eOfficeXP) << 0;
    QTest::newRow("office 2003") << int(eOffice2003) << 0;
    QTest::newRow("xp toolbar") << int(eXPToolbar) << 3;
    QTest::newRow("vista toolbar") << int(eVistaToolbar) << 1;
    QTest::newRow("outlook 2007") << int(eOutlook2007) << 0;
    QTest::newRow("installshield") << int(eInstallShield) << 1;
    QTest::newRow("gel") << int(eGelButton) << 3;
    QTest::newRow("3d hover") << int(e3DHover) << 0;
    QTest::newRow("flat hover") << int(eFlatHover) << 0;
    QTest::newRow("theme") << int(eWindowsTheme) << 0;
}

void TestButtonPaint::region()
{
    QFETCH(int, style);
    QFETCH(int, cut);
    const QRegion r = ButtonRegion(style, kW, kH);
    QCOMPARE(r.boundingRect(), QRect(0, 0, kW, kH));
    int area = 0;
    for (const QRect &q : r)
        area += q.width() * q.height();
    QCOMPARE(area, kW * kH - 4 * cut);
    QCOMPARE(r.contains(QPoint(0, 0)), cut == 0);
    QCOMPARE(r.contains(QPoint(kW - 1, kH - 1)), cut == 0);
    QCOMPARE(r.contains(QPoint(1, 0)), cut < 3);
    QCOMPARE(r.contains(QPoint(kW - 1, kH - 2)), cut < 3);
    QVERIFY(r.contains(QPoint(1, 1)));
    QVERIFY(ButtonRegion(style, 0, kH).isEmpty());

    // The painters hand the outline over on the normal paint of the styles that have one.
    ButtonPaintState s = button(style);
    const ButtonPaintResult res = RedrawButton(s);
    const bool expectsRegion = style != eOfficeXP && style != eOutlook2007;
    QCOMPARE(res.RegionSet, expectsRegion);
    if (expectsRegion)
        QCOMPARE(res.Region, ButtonRegion(s.ButtonStyle, kW, kH));
}

void TestButtonPaint::dropDownGlyphs_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<QPoint>>("on");
    QTest::addColumn<QList<QPoint>>("off");
    // Cell origin (0, 0); middle at (7, 7).
    QTest::newRow("down") << int(ebsArrowDown) << QList<QPoint>{{4, 5}, {10, 5}, {7, 8}}
                          << QList<QPoint>{{3, 5}, {6, 8}, {7, 9}, {7, 4}};
    QTest::newRow("up") << int(ebsArrowUp) << QList<QPoint>{{7, 5}, {4, 8}, {10, 8}}
                        << QList<QPoint>{{6, 5}, {7, 4}, {3, 8}, {7, 9}};
    QTest::newRow("right") << int(ebsArrowRight) << QList<QPoint>{{5, 4}, {5, 10}, {8, 7}}
                           << QList<QPoint>{{4, 7}, {8, 6}, {9, 7}};
}

void TestButtonPaint::otherSymbolValues()
{
    // Values other than the three arrows draw the glyph of their first character.
    auto draw = [](int value) {
        QImage img(15, 15, QImage::Format_RGB32);
        img.fill(Qt::white);
        DrawDropDownSymbol(img, value, QRect(0, 0, 15, 15), 0);
        return img;
    };
    const QImage one = draw(12), minus = draw(-6), down = draw(ebsArrowDown);
    QVERIFY(one != down);
    QVERIFY(minus != down);
    QVERIFY(one != minus);
    QCOMPARE(draw(1), one);
}

void TestButtonPaint::dropDownGlyphs()
{
    QFETCH(int, value);
    QFETCH(QList<QPoint>, on);
    QFETCH(QList<QPoint>, off);
    QImage img(15, 15, QImage::Format_RGB32);
    img.fill(Qt::white);
    DrawDropDownSymbol(img, value, QRect(0, 0, 15, 15), 0);
    for (QPoint p : on)
        QVERIFY2(at(img, p.x(), p.y()) == 0, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : off)
        QVERIFY2(at(img, p.x(), p.y()) == White, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    int count = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            count += at(img, x, y) == 0;
    QCOMPARE(count, 16); // 7 + 5 + 3 + 1
}

// ---- pictures -----------------------------------------------------------------------

void TestButtonPaint::blend24_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("disabledMode");
    QTest::addColumn<bool>("useMask");
    QTest::addColumn<OleColor>("shadow");
    QTest::addColumn<OleColor>("expected"); // a picture pixel (200, 100, 50) over (10, 20, 30)
    QTest::addColumn<OleColor>("expectedMasked");
    const OleColor bg = OleColor(10 + 256 * 20 + 65536 * 30);
    const OleColor src = OleColor(200 + 256 * 100 + 65536 * 50);
    auto rgb = [](int r, int g, int b) { return OleColor(r + 256 * g + 65536 * b); };
    auto mix = [](int f, int s, int b) { return (f * s + (255 - f) * b) / 256; };
    QTest::newRow("copied") << int(eStateNormal) << true << 255 << 0 << true << OleColor(-1) << src << bg;
    QTest::newRow("mask off") << int(eStateNormal) << true << 255 << 0 << false << OleColor(-1) << src
                              << rgbHex(0xE0E0E0);
    QTest::newRow("opacity 128") << int(eStateNormal) << true << 128 << 0 << true << OleColor(-1)
                                 << rgb(mix(128, 200, 10), mix(128, 100, 20), mix(128, 50, 30)) << bg;
    QTest::newRow("opacity 0") << int(eStateNormal) << true << 0 << 0 << true << OleColor(-1) << bg << bg;
    QTest::newRow("lighter on over") << int(eStateOver) << true << 255 << 0 << true << OleColor(-1)
                                     << rgb(229, 114, 57) << bg;
    QTest::newRow("darker on down") << int(eStateDown) << true << 255 << 0 << true << OleColor(-1)
                                    << rgb(170, 85, 42) << bg;
    QTest::newRow("disabled blended")
        << int(eStateNormal) << false << 255 << int(edpBlended) << true << OleColor(-1)
        << rgb(mix(52, 200, 10), mix(52, 100, 20), mix(52, 50, 30)) << bg;
    // grey = round(round(200 × 0.3) + 100 × 0.59 + 50 × 0.11) = round(60 + 59 + 5.5) = 124
    QTest::newRow("disabled greyed") << int(eStateNormal) << false << 255 << int(edpGrayed) << true
                                     << OleColor(-1)
                                     << rgb(mix(191, 124, 10), mix(191, 124, 20), mix(191, 124, 30)) << bg;
    QTest::newRow("disabled other mode")
        << int(eStateNormal) << false << 255 << 7 << true << OleColor(-1) << bg << bg;
    QTest::newRow("shadow colour") << int(eStateNormal) << true << 255 << 0 << true << rgbHex(0x112233)
                                   << rgbHex(0x112233) << bg;
}

void TestButtonPaint::blend24()
{
    QFETCH(int, state);
    QFETCH(bool, enabled);
    QFETCH(int, opacity);
    QFETCH(int, disabledMode);
    QFETCH(bool, useMask);
    QFETCH(OleColor, shadow);
    QFETCH(OleColor, expected);
    QFETCH(OleColor, expectedMasked);
    ButtonPaintState s;
    s.Enabled = enabled;
    s.PictureOpacity = opacity;
    s.PictureOpacityOnOver = opacity;
    s.DisabledPictureMode = disabledMode;
    s.UseMaskColor = useMask;
    s.PictureEffectOnOver = epeLighter;
    s.PictureEffectOnDown = epeDarker;
    const OleColor bg = OleColor(10 + 256 * 20 + 65536 * 30);
    // 13 pixels wide: rows that need padding in the platform's buffers blend the same.
    const ButtonPicture pic = ButtonPicture::bitmap(bitmap(13, 4, OleColor(200 + 256 * 100 + 65536 * 50)));
    QImage img(20, 8, QImage::Format_RGB32);
    img.fill(toQRgb(bg));
    DrawButtonPicture(img, pic, QRect(3, 2, 13, 4), shadow, pictureBlendFor(s, state));
    QCOMPARE(hex(at(img, 3, 2)), hex(expectedMasked));
    QCOMPARE(hex(at(img, 4, 2)), hex(expected));
    QCOMPARE(hex(at(img, 15, 5)), hex(expected));
    QCOMPARE(hex(at(img, 16, 5)), hex(bg));
    QCOMPARE(hex(at(img, 4, 6)), hex(bg));
}

void TestButtonPaint::blend32AndIcon()
{
    ButtonPaintState s;
    const OleColor bg = OleColor(10 + 256 * 20 + 65536 * 30);
    QImage argb(4, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(200, 100, 50, 128));
    argb.setPixel(1, 0, qRgba(0xE0, 0xE0, 0xE0, 255)); // no mask test for 32-bit pictures
    argb.setPixel(2, 0, qRgba(200, 100, 50, 0));
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(toQRgb(bg));
    const ButtonPicture pic32 = ButtonPicture::bitmap(argb, true);
    s.PictureOpacity = 255;
    DrawButtonPicture(img, pic32, QRect(1, 1, 4, 2), -1, pictureBlendFor(s, eStateNormal));
    auto mix = [](int f, int v, int b) { return (f * v + (255 - f) * b) / 256; };
    QCOMPARE(hex(at(img, 1, 1)),
             hex(OleColor(mix(128, 200, 10) + 256 * mix(128, 100, 20) + 65536 * mix(128, 50, 30))));
    QCOMPARE(hex(at(img, 2, 1)), hex(rgbHex(0xE0E0E0)));
    QCOMPARE(hex(at(img, 3, 1)), hex(bg));
    // Base opacity 128 on alpha 128: f = 128 × 128 div 255 = 64.
    img.fill(toQRgb(bg));
    s.PictureOpacity = 128;
    DrawButtonPicture(img, pic32, QRect(1, 1, 4, 2), -1, pictureBlendFor(s, eStateNormal));
    QCOMPARE(hex(at(img, 1, 1)),
             hex(OleColor(mix(64, 200, 10) + 256 * mix(64, 100, 20) + 65536 * mix(64, 50, 30))));

    // An icon: its transparent pixels show the background (drawn over the silver key).
    QImage ico(3, 3, QImage::Format_ARGB32);
    ico.fill(Qt::transparent);
    ico.setPixel(1, 1, qRgba(255, 0, 0, 255));
    img.fill(toQRgb(bg));
    s.PictureOpacity = 255;
    DrawButtonPicture(img, ButtonPicture::icon(ico), QRect(0, 0, 3, 3), -1, pictureBlendFor(s, eStateNormal));
    QCOMPARE(hex(at(img, 0, 0)), hex(bg));
    QCOMPARE(hex(at(img, 1, 1)), hex(rgbHex(0xFF0000)));
}

void TestButtonPaint::pictureShadow()
{
    ButtonPaintState s = button(eOfficeXP);
    s.Colors.ColorScheme = ecsCustom;
    s.Colors.BackColor = White;
    s.Caption = QString();
    QImage solid(8, 8, QImage::Format_RGB32);
    solid.fill(toQRgb(rgbHex(0x00FF00)));
    s.PictureNormal = ButtonPicture::bitmap(solid);
    s.PictureShadow = true;
    const ButtonPaintResult r = RedrawButton(s);
    const QRect p = r.PictureRect;
    QCOMPARE(p.size(), QSize(8, 8));
    const OleColor base = MixColors(rgbHex(0x808080), White);
    QCOMPARE(hex(at(r.Image, p.left(), p.top())), hex(rgbHex(0x00FF00)));
    QCOMPARE(hex(at(r.Image, p.right() + 1, p.bottom() + 1)), hex(ShiftColor(base, -0.1f)));
    QCOMPARE(hex(at(r.Image, p.right() + 2, p.bottom() + 2)), hex(ShiftColor(base, 0.05f)));
    QCOMPARE(hex(at(r.Image, p.right() + 3, p.bottom() + 3)), hex(White));
}

void TestButtonPaint::systemMaskColourNeverMatches()
{
    ButtonPaintState s;
    s.MaskColor = OleColor(0x8000000F); // button face, compared untranslated
    QImage img(4, 1, QImage::Format_RGB32);
    img.fill(Qt::black);
    const ButtonPicture pic = ButtonPicture::bitmap(bitmap(2, 1, 0x123456, sysColor(COLOR_BTNFACE)));
    DrawButtonPicture(img, pic, QRect(0, 0, 2, 1), -1, pictureBlendFor(s, eStateNormal));
    QCOMPARE(at(img, 0, 0), sysColor(COLOR_BTNFACE));
    QCOMPARE(at(img, 1, 0), 0x123456);
}

void TestButtonPaint::pictureWithoutNormalKeepsItsPlace()
{
    // A stored design may hold PictureHot without PictureNormal: the pressed picture stays
    // where the last layout put it instead of creeping by the pushed offset on every paint.
    ButtonPaintState s = button(eStandard);
    s.PictureRect = QRect(10, 4, 16, 16);
    s.PictureHot = ButtonPicture::bitmap(bitmap(16, 16, rgbHex(0x00FF00)));
    s.CurrentState = eStateDown;
    const ButtonPaintResult first = RedrawButton(s);
    QCOMPARE(first.PictureRect, QRect(11, 5, 16, 16));
    QCOMPARE(at(first.Image, 12, 5), rgbHex(0x00FF00));
    const ButtonPaintResult second = RedrawButton(s);
    QCOMPARE(second.PictureRect, first.PictureRect);
    QCOMPARE(second.Image, first.Image);
}

// ---- caption and picture layout -----------------------------------------------------

void TestButtonPaint::layout_data()
{
    QTest::addColumn<int>("captionAlign");
    QTest::addColumn<int>("pictureAlign");
    QTest::addColumn<QString>("caption");
    QTest::newRow("centre, left of caption") << int(ecCenterAlign) << int(epLeftOfCaption) << "Kaydet";
    QTest::newRow("left, left edge") << int(ecLeftAlign) << int(epLeftEdge) << "Kaydet";
    QTest::newRow("right, right of caption") << int(ecRightAlign) << int(epRightOfCaption) << "Sil";
    QTest::newRow("blank caption centres picture") << int(ecLeftAlign) << int(epLeftEdge) << "   ";
    QTest::newRow("top of caption") << int(ecCenterAlign) << int(epTopOfCaption) << "Yeni";
    QTest::newRow("background") << int(ecCenterAlign) << int(epBackGround) << "Yeni";
}

void TestButtonPaint::layout()
{
    QFETCH(int, captionAlign);
    QFETCH(int, pictureAlign);
    QFETCH(QString, caption);
    ButtonPaintState s = button(eOfficeXP);
    s.W = 100;
    s.H = 40;
    s.Caption = caption;
    s.CaptionAlign = captionAlign;
    s.PictureAlign = pictureAlign;
    s.PictureNormal = ButtonPicture::bitmap(bitmap(16, 16, rgbHex(0x00FF00)));
    const ButtonPaintResult r = RedrawButton(s);
    const QRect c = r.CaptionRect, p = r.PictureRect;
    keep(r.Image, QStringLiteral("layout_%1_%2").arg(captionAlign).arg(pictureAlign));
    QCOMPARE(p.size(), QSize(16, 16));
    const int tw = c.width();
    const int th = c.height();
    QVERIFY(tw > 0 || caption.trimmed().isEmpty());
    switch (pictureAlign) {
    case epLeftOfCaption:
        QCOMPARE(c.left(), (100 - tw + 16) / 2);
        QCOMPARE(p.left(), c.left() - 16 - 4);
        QCOMPARE(p.top(), (40 - 16) / 2);
        break;
    case epLeftEdge:
        if (caption.trimmed().isEmpty()) {
            QCOMPARE(p.topLeft(), QPoint((100 - 16) / 2, (40 - 16) / 2));
        } else {
            QCOMPARE(c.left(), 20); // from 2 to picture width + 4
            QCOMPARE(p.left(), 3);
        }
        break;
    case epRightOfCaption:
        QCOMPARE(c.left() + tw, 100 - 16 - 4); // pulled in to leave room for the picture
        QCOMPARE(p.left(), c.left() + tw + 4);
        break;
    case epTopOfCaption:
        QCOMPARE(c.top(), (40 - th) / 2 + 8);
        QCOMPARE(p.top(), c.top() - 16 - 2);
        QCOMPARE(p.left(), (100 - 16) / 2);
        break;
    case epBackGround:
        QCOMPARE(c.left(), (100 - tw + 16) / 2 - 16);
        QCOMPARE(p.topLeft(), QPoint(42, 12));
        break;
    }
    // The picture shows where it was placed (its first column is the mask colour).
    QCOMPARE(hex(at(r.Image, p.left() + 1, p.top())), hex(rgbHex(0x00FF00)));
    QCOMPARE(hex(at(r.Image, p.left(), p.top())), hex(rgbHex(0xC1D2EE)));
}

void TestButtonPaint::pushedOffsetAndSeparator()
{
    ButtonPaintState s = button(eStandard);
    s.DropDownSymbol = ebsArrowDown;
    s.PictureNormal = ButtonPicture::bitmap(bitmap(16, 16, rgbHex(0x00FF00)));
    const ButtonPaintResult up = RedrawButton(s);
    QCOMPARE(up.DropDownRect, QRect(kW - 15, 5, 15, 15)); // round(12 − 7) to round(12 + 8)
    s.CurrentState = eStateDown;
    const ButtonPaintResult down = RedrawButton(s);
    keep(up.Image, QStringLiteral("dropdown_standard_normal"));
    keep(down.Image, QStringLiteral("dropdown_standard_down"));
    QCOMPARE(down.CaptionRect, up.CaptionRect.translated(1, 1));
    QCOMPARE(down.PictureRect, up.PictureRect.translated(1, 1));
    QCOMPARE(down.DropDownRect, up.DropDownRect.translated(2, 2));
    // The arrow's top row: 7 pixels starting 4 into the cell, 5 rows down.
    const QPoint a = down.DropDownRect.topLeft() + QPoint(4, 5);
    QCOMPARE(at(down.Image, a.x(), a.y()), sysColor(COLOR_BTNTEXT));

    // Outlook 2007 pressed: no pushed offset; a separator from the colour at (7, 7).
    ButtonPaintState o = button(eOutlook2007);
    o.DropDownSeparator = true;
    o.Caption = QStringLiteral("Ok");
    const ButtonPaintResult r = RedrawButton(o);
    keep(r.Image, QStringLiteral("separator_outlook"));
    const OleColor p77 = ramp(MixColors(S(B, 0.09f), White), MixColors(S(B, 0.07f), B), 8, 7);
    QCOMPARE(hex(at(r.Image, kW - 16, 5)), hex(S(p77, -0.1f)));
    QCOMPARE(hex(at(r.Image, kW - 15, 5)), hex(S(p77, 0.1f)));
    // A caption that reaches within 8 pixels of the right edge gets no separator.
    o.Caption = QStringLiteral("Uzunkelimeliyazısı");
    o.CaptionAlign = ecLeftAlign;
    o.W = 60;
    const ButtonPaintResult r2 = RedrawButton(o);
    QVERIFY(r2.CaptionRect.left() + r2.CaptionRect.width() >= 60 - 8);
    o.DropDownSeparator = false;
    QCOMPARE(RedrawButton(o).Image, r2.Image);
}

// Stand-in fonts may draw the dot of İ above their ascent; clipping the caption to its
// rectangle must not take the dot off (" GİRİŞ" would read " GIRIŞ").
void TestButtonPaint::dottedCapitalIKeepsItsDot_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Tahoma") << "Tahoma" << false;
    QTest::newRow("Tahoma bold") << "Tahoma" << true;
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << false;
    QTest::newRow("Arial") << "Arial" << false;
}

void TestButtonPaint::dottedCapitalIKeepsItsDot()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    ButtonPaintState s = button(eStandard);
    s.Font = QFont(family, 8);
    s.Font.setBold(bold);
    s.Colors.ForeColor = rgbHex(0x0000FF);
    auto ink = [&s](const QString &caption) {
        s.Caption = caption;
        const QImage img = RedrawButton(s).Image;
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += at(img, x, y) == rgbHex(0x0000FF);
        return n;
    };
    QVERIFY(ink(QStringLiteral("GİRİŞ")) > ink(QStringLiteral("GIRIŞ")));
}

void TestButtonPaint::captionColours()
{
    auto colours = [](const ButtonPaintResult &r) {
        QSet<OleColor> set;
        const QRect c = r.CaptionRect.intersected(r.Image.rect());
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                set.insert(at(r.Image, x, y));
        return set;
    };
    ButtonPaintState s = button(eOfficeXP);
    s.Colors.ColorScheme = ecsCustom;
    const OleColor grey = rgbHex(0x808080);
    s.Colors.BackColor = grey;
    s.Colors.ForeColor = rgbHex(0x0000FF);
    s.ForeColorHover = rgbHex(0xFF0000);
    QVERIFY(colours(RedrawButton(s)).contains(rgbHex(0x0000FF)));
    s.CurrentState = eStateOver;
    QVERIFY(colours(RedrawButton(s)).contains(rgbHex(0xFF0000)));
    s.CurrentState = eStateNormal;
    s.Enabled = false;
    const auto disabled = colours(RedrawButton(s));
    QVERIFY(disabled.contains(sysColor(COLOR_GRAYTEXT)));
    QVERIFY(!disabled.contains(rgbHex(0x0000FF)));
    s.Enabled = true;
    s.CaptionEffects = eseEngraved;
    const auto engraved = colours(RedrawButton(s));
    QVERIFY(engraved.contains(rgbHex(0xA4A4A4))); // grey + 0.14
    s.CaptionEffects = eseShadowed;
    QVERIFY(colours(RedrawButton(s)).contains(rgbHex(0xC0C0C0)));
    s.CaptionEffects = eseCover;
    QVERIFY(colours(RedrawButton(s)).contains(S(grey, -0.1f)));

    // An access key: "&&" shows one ampersand, "&K" underlines K; both draw ink.
    s.CaptionEffects = eseNone;
    s.Caption = QStringLiteral("&Kaydet");
    const ButtonPaintResult withKey = RedrawButton(s);
    s.Caption = QStringLiteral("Kaydet");
    const ButtonPaintResult plain = RedrawButton(s);
    QCOMPARE(withKey.CaptionRect, plain.CaptionRect);
    QVERIFY(withKey.Image != plain.Image); // the underline
}

void TestButtonPaint::wrappingAndRightToLeft()
{
    ButtonPaintState s = button(eOfficeXP);
    s.W = 50;
    s.H = 15;
    s.Caption = QStringLiteral("Kaydet ve çık");
    const int line = QFontMetrics(buttonDrawingFont(s.Font)).height();
    const ButtonPaintResult r = RedrawButton(s);
    keep(r.Image, QStringLiteral("wrapped"));
    const QRect c = r.CaptionRect;
    QVERIFY(c.width() <= 50 - 8);
    QVERIFY(c.height() > line);               // wrapped at the blank
    QCOMPARE(c.top(), (15 - c.height()) / 2); // taller than the button: its top lies above it
    QVERIFY(c.top() < 0);
    QCOMPARE(c.left(), (50 - c.width()) / 2);

    s.RightToLeft = true;
    s.H = 40;
    const ButtonPaintResult rtl = RedrawButton(s);
    keep(rtl.Image, QStringLiteral("wrapped_rtl"));
    QCOMPARE(rtl.CaptionRect.size(), c.size());
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ink += at(rtl.Image, x, y) == sysColor(COLOR_BTNTEXT);
    QVERIFY(ink > 20);
}

void TestButtonPaint::standInFonts_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::newRow("Tahoma 8") << "Tahoma" << 8.0 << "DejaVu Sans Condensed" << 11;
    QTest::newRow("MS Sans Serif 8.25") << "MS Sans Serif" << 8.25 << "Liberation Sans" << 11;
    QTest::newRow("Arial 10") << "Arial" << 10.0 << "Liberation Sans" << 13;
    QTest::newRow("Verdana 9") << "Verdana" << 9.0 << "DejaVu Sans" << 12;
}

void TestButtonPaint::standInFonts()
{
    QFETCH(QString, design);
    QFETCH(double, points);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFont f(design);
    f.setPointSizeF(points);
    const QFont drawn = buttonDrawingFont(f);
    QCOMPARE(QFontInfo(drawn).family(), family);
    QCOMPARE(drawn.pixelSize(), pixels);
}

void TestButtonPaint::themePainterKeepsCaptionInside()
{
    ButtonPaintState s = button(eWindowsTheme);
    s.ThemeActive = true;
    s.SurfaceBackColor = rgbHex(0x00FF00);
    s.Colors.ForeColor = rgbHex(0xFF0000);
    s.H = 12; // lower than the caption with its margins
    const ButtonPaintResult r = RedrawButton(s);
    QCOMPARE(s.ButtonStyle, int(eWindowsTheme));
    QCOMPARE(s.SurfaceBackColor, OleColor(kSystemColorFlag | COLOR_BTNFACE));
    QVERIFY(r.RegionSet);
    const QRect c = r.CaptionRect;
    QVERIFY(c.top() >= 4);
    QVERIFY(c.top() + c.height() <= 12 - 4);
    // The caption is clipped to its rectangle.
    int inside = 0;
    for (int y = 0; y < r.Image.height(); ++y)
        for (int x = 0; x < r.Image.width(); ++x)
            if (at(r.Image, x, y) == rgbHex(0xFF0000)) {
                QVERIFY2(c.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                ++inside;
            }
    QVERIFY(inside > 0);
}

// ---- style painters -----------------------------------------------------------------

void TestButtonPaint::painters_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("look");
    QTest::addColumn<std::vector<Px>>("pixels");

    const OleColor face = sysColor(COLOR_BTNFACE);
    const OleColor light = sysColor(COLOR_3DLIGHT), dark = sysColor(COLOR_3DDKSHADOW);
    const OleColor hi = sysColor(COLOR_BTNHIGHLIGHT), shadow = sysColor(COLOR_BTNSHADOW);
    const OleColor greyText = sysColor(COLOR_GRAYTEXT);
    const int W = kW, H = kH;
    auto row = [](const char *name, int style, int look, std::vector<Px> px) {
        QTest::newRow(name) << style << look << px;
    };

    // Standard family
    row("standard normal", eStandard, Normal,
        {{0, 0, light},
         {W - 1, 0, dark},
         {W - 1, H - 1, dark},
         {1, 1, hi},
         {W - 2, H - 2, shadow},
         {5, 5, B}});
    row("standard over", eStandard, Over, {{0, 0, light}, {1, 1, hi}, {W - 1, H - 1, dark}, {5, 5, B}});
    row("standard down", eStandard, Down,
        {{0, 0, 0}, {W - 1, H - 1, 0}, {1, 1, rgbHex(0xACA899)}, {2, 2, B}});
    row("standard disabled", eStandard, Disabled, {{0, 0, light}, {1, 1, hi}, {5, 5, face}});
    row("flat normal", eFlat, Normal, {{0, 0, hi}, {W - 1, H - 1, shadow}, {1, 1, B}});
    row("flat over", eFlat, Over, {{0, 0, hi}, {W - 1, H - 1, shadow}});
    row("flat down", eFlat, Down,
        {{0, 0, greyText},
         {5, 0, greyText},
         {0, 5, greyText},
         {W - 1, H - 1, White},
         {W - 1, 5, White},
         {1, 1, B}});
    row("flat disabled", eFlat, Disabled, {{0, 0, hi}, {5, 5, face}});
    row("3d hover normal", e3DHover, Normal, {{0, 0, B}, {W - 1, H - 1, B}});
    row("3d hover over", e3DHover, Over, {{0, 0, light}, {1, 1, hi}});
    row("3d hover down", e3DHover, Down,
        {{0, 0, shadow}, {1, 1, dark}, {W - 1, H - 1, hi}, {W - 2, H - 2, light}});
    row("3d hover disabled", e3DHover, Disabled, {{0, 0, face}, {5, 5, face}});
    row("flat hover normal", eFlatHover, Normal, {{0, 0, B}});
    row("flat hover over", eFlatHover, Over, {{0, 0, hi}, {W - 1, H - 1, shadow}});
    row("flat hover down", eFlatHover, Down, {{0, 0, greyText}, {W - 1, H - 1, White}});
    row("flat hover disabled", eFlatHover, Disabled, {{0, 0, face}});

    // Windows XP, custom scheme
    const OleColor xpFrame = rgbHex(0x003C74), xpCorner = rgbHex(0x4D89C1);
    row("windows xp normal", eWindowsXP, Normal,
        {{0, 0, xpFrame},
         {1, 1, xpCorner},
         {5, H - 2, S(B, -0.09f)},
         {5, H - 3, S(B, -0.05f)},
         {5, H - 4, S(B, -0.01f)},
         {W - 2, 5, S(B, -0.08f)},
         {1, 5, MixColors(White, B)},
         {5, 3, S(B, 0.08f)},
         {5, 1, ramp(S(B, 0.1f), S(B, 0.08f), 3, 1)},
         {5, H - 5, ramp(S(B, 0.07f), B, H - 1, H - 5)},
         {W - 1, H - 1, xpFrame}});
    row("windows xp over", eWindowsXP, Over,
        {{0, 0, xpFrame},
         {1, 1, xpCorner},
         {5, 1, rgbHex(0xFFF0CF)},
         {5, 2, rgbHex(0xFDD889)},
         {1, 5, rgbHex(0xF9BD49)},
         {W - 2, 5, rgbHex(0xF9BD49)},
         {2, 5, rgbHex(0xFCD27A)},
         {W - 3, 5, rgbHex(0xFCD27A)},
         {5, H - 3, rgbHex(0xF8B330)},
         {5, H - 2, rgbHex(0xE59700)}});
    row("windows xp down", eWindowsXP, Down,
        {{0, 0, xpFrame},
         {1, 1, xpCorner},
         {5, 1, S(B, -0.16f)},
         {5, 2, S(B, -0.1f)},
         {5, H - 2, S(B, 0.01f)},
         {1, 5, S(B, -0.16f)},
         {2, 5, S(B, -0.1f)},
         {W - 2, 5, S(B, 0.04f)},
         {5, 10, S(B, -0.05f)}});
    row("windows xp disabled", eWindowsXP, Disabled,
        {{0, 0, S(B, -0.1f)}, {1, 1, S(B, -0.1f)}, {5, 5, MixColors(face, S(B, 0.1f))}});

    // Vista Aero: H = 24, hm = 12, t = 10, l = 11
    const OleColor aeroCorner = rgbHex(0x5F96BE);
    row("vista aero normal", eVistaAero, Normal,
        {{0, 0, rgbHex(0x707070)},
         {1, 1, aeroCorner},
         {2, 1, White},
         {1, 5, White},
         {5, 2, ramp(S(B, 0.05f), B, H - 1, 1)},
         {5, 12, S(B, -0.02f)},
         {5, 13, ramp(S(B, -0.02f), S(B, -0.15f), H - 3, 1)}});
    row("vista aero over", eVistaAero, Over,
        {{0, 0, rgbHex(0x3275A7)},
         {1, 1, aeroCorner},
         {2, 1, White},
         {10, 12, rgbHex(0xC1E9FF)},
         {10, 2, ramp(rgbHex(0xE4F7FF), rgbHex(0xDAF3FF), 11, 1)},
         {5, 3, rgbHex(0xE4F7FF)},
         {5, 12, S(rgbHex(0xACE1FD), 0.01f)},
         {W - 6, 3, rgbHex(0xE4F7FF)},
         {W - 6, 12, S(rgbHex(0xACE1FD), 0.01f)}});
    row("vista aero down", eVistaAero, Down,
        {{0, 0, rgbHex(0x1D415C)},
         {1, 1, aeroCorner},
         {10, 1, rgbHex(0x719CB3)},
         {10, 2, rgbHex(0xA9C6D6)},
         {10, 3, rgbHex(0xB9D9EC)},
         {1, 2, rgbHex(0x73B0CF)},
         {1, 3, S(rgbHex(0x91C8E6), 0.02f)},
         {5, 3, S(rgbHex(0xC2E4F6), -0.01f)},
         {1, 12, S(rgbHex(0x4EABDC), 0.02f)},
         {10, 10, rgbHex(0xC2E4F6)},
         {10, 13, rgbHex(0x9AD2F0)},
         {W - 2, 3, S(rgbHex(0x91C8E6), 0.02f)},
         {W - 1, 5, rgbHex(0x1D415C)}});
    row("vista aero disabled", eVistaAero, Disabled,
        {{0, 0, S(B, -0.25f)}, {1, 1, S(B, -0.03f)}, {2, 1, S(B, 0.25f)}, {5, 5, S(B, 0.03f)}});

    // Office XP keeps its blue scheme whatever BackColor says
    const OleColor oxp = rgbHex(0xC1D2EE), oxpBorder = rgbHex(0x316AC5);
    row("office xp normal", eOfficeXP, Normal, {{0, 0, oxp}, {5, 5, oxp}});
    row("office xp over", eOfficeXP, Over,
        {{0, 0, oxpBorder}, {W - 1, H - 1, oxpBorder}, {5, 5, S(oxp, 0.03f)}});
    row("office xp down", eOfficeXP, Down, {{0, 0, oxpBorder}, {5, 5, S(oxp, -0.08f)}});
    row("office xp disabled", eOfficeXP, Disabled, {{0, 0, oxp}, {5, 5, oxp}});

    // Office 2003
    const OleColor navy = rgbHex(0x000080);
    row("office 2003 normal", eOffice2003, Normal,
        {{0, 0, MixColors(White, S(B, 0.08f))},
         {0, 11, B},
         {0, 12, B},
         {W - 1, H - 1, ramp(B, S(B, -0.15f), 12, 11)}});
    row("office 2003 over", eOffice2003, Over,
        {{0, 0, navy}, {W - 1, H - 1, navy}, {5, 1, ramp(rgbHex(0xFFF4CC), rgbHex(0xFFD091), H - 1, 1)}});
    row("office 2003 down", eOffice2003, Down,
        {{0, 0, navy}, {5, 1, ramp(rgbHex(0xFE914E), rgbHex(0xFFD38E), H - 1, 1)}});
    row("office 2003 disabled", eOffice2003, Disabled, {{0, 0, MixColors(White, S(B, 0.08f))}, {0, 12, B}});

    // XP toolbar
    row("xp toolbar normal", eXPToolbar, Normal, {{0, 0, B}, {5, 5, B}});
    row("xp toolbar over", eXPToolbar, Over,
        {{0, 0, rgbHex(0xCECEC3)},
         {1, 1, rgbHex(0xC7C7BC)},
         {W - 2, 5, rgbHex(0xEAE7E0)},
         {W - 3, 5, rgbHex(0xF0F0EA)},
         {5, H - 4, rgbHex(0xEEEDE5)},
         {5, H - 3, rgbHex(0xE4E1D6)},
         {5, H - 2, rgbHex(0xD7D2C6)},
         {5, 1, ramp(rgbHex(0xFEFEFD), rgbHex(0xF4F4EE), 11, 1)},
         {5, 12, rgbHex(0xF4F4EE)}});
    row("xp toolbar down", eXPToolbar, Down,
        {{0, 0, rgbHex(0x9D9D92)},
         {1, 1, rgbHex(0x828178)},
         {5, 1, S(rgbHex(0xDCDAD1), -0.02f)},
         {5, 2, S(rgbHex(0xE3E1DA), -0.02f)},
         {5, H - 3, S(rgbHex(0xE6E5DE), 0.02f)},
         {5, H - 2, S(rgbHex(0xEBEAE5), 0.02f)},
         {5, 10, rgbHex(0xE5E4DD)}});
    row("xp toolbar disabled", eXPToolbar, Disabled, {{0, 0, B}, {5, 5, B}});

    // Vista toolbar
    row("vista toolbar normal", eVistaToolbar, Normal, {{0, 0, B}, {1, 1, B}});
    row("vista toolbar over", eVistaToolbar, Over,
        {{0, 0, rgbHex(0x619ECA)},
         {1, 1, rgbHex(0xAEEBFF)},
         {2, 1, White},
         {5, 2, ramp(rgbHex(0xF1F9FD), rgbHex(0xD0ECF8), H - 3, 1)},
         {5, 14, rgbHex(0xD0ECF8)}});
    row("vista toolbar down", eVistaToolbar, Down,
        {{0, 0, rgbHex(0x619ECA)},
         {1, 1, rgbHex(0xAEEBFF)},
         {2, 1, White},
         {5, 2, ramp(rgbHex(0xB0DEF1), rgbHex(0xDBF1F9), H - 3, 1)}});
    row("vista toolbar disabled", eVistaToolbar, Disabled, {{0, 0, B}, {1, 1, B}, {5, 5, B}});

    // Outlook 2007: H = 24, r = 9, rr = 15
    const OleColor olBorder = S(B, -0.34f);
    row("outlook normal", eOutlook2007, Normal,
        {{0, 0, olBorder},
         {W - 1, H - 1, olBorder},
         {5, 1, ramp(MixColors(S(B, 0.09f), White), MixColors(S(B, 0.07f), B), 8, 1)},
         {5, 8, MixColors(S(B, 0.07f), B)},
         {5, 9, B},
         {5, 22, ramp(B, S(B, 0.03f), 14, 13)}});
    row("outlook over", eOutlook2007, Over,
        {{0, 0, olBorder},
         {5, 8, rgbHex(0xFFEAAC)},
         {5, 9, rgbHex(0xFFD767)},
         {5, 1, ramp(rgbHex(0xFFFFE1), rgbHex(0xFFEAAC), 8, 1)}});
    row("outlook down", eOutlook2007, Down,
        {{0, 0, olBorder}, {5, 8, rgbHex(0xFFAF51)}, {5, 9, rgbHex(0xFF8F46)}});
    row("outlook disabled", eOutlook2007, Disabled, {{0, 0, olBorder}, {5, 9, B}});

    // InstallShield
    row("installshield normal", eInstallShield, Normal,
        {{0, 0, S(B, -0.2f)},
         {1, 1, S(B, 0.05f)},
         {5, 1, White},
         {1, 5, White},
         {W - 2, 5, White},
         {5, H - 1, S(B, -0.25f)},
         {1, H - 1, S(B, -0.2f)},
         {5, 11, B},
         {5, 15, B},
         {5, 2, ramp(White, B, 11, 2)}});
    row("installshield over", eInstallShield, Over,
        {{0, 0, S(B, -0.2f)}, {1, 1, S(B, 0.05f)}, {5, 1, White}, {5, H - 1, S(B, -0.25f)}});
    row("installshield down", eInstallShield, Down,
        {{0, 0, S(B, -0.23f)},
         {1, 1, S(B, 0.05f)},
         {5, 1, White},
         {5, H - 1, S(B, -0.4f)},
         {5, 11, S(B, -0.1f)},
         {5, 12, S(B, -0.1f)},
         {5, 20, ramp(S(B, -0.1f), S(B, -0.05f), H - 1, 8)}});
    row("installshield disabled", eInstallShield, Disabled,
        {{0, 0, S(B, -0.2f)}, {1, 1, S(B, 0.05f)}, {5, H - 1, S(B, -0.25f)}, {5, 11, B}});

    // Gel
    const OleColor m = MixColors(B, White);
    row("gel normal", eGelButton, Normal,
        {{0, 0, S(B, -0.33f)},
         {1, 1, S(B, -0.36f)},
         {5, 5, S(B, -0.03f)},
         {5, 4, B},
         {5, 1, ramp(S(m, 0.1f), B, 4, 1)},
         {5, 6, S(B, -0.05f)}});
    row("gel over", eGelButton, Over,
        {{0, 0, S(B, -0.28f)},
         {1, 1, S(B, -0.36f)},
         {5, 5, S(B, -0.03f)},
         {5, 1, ramp(S(m, 0.15f), B, 4, 1)},
         {5, 6, S(B, -0.05f)}});
    row("gel down", eGelButton, Down,
        {{0, 0, S(B, -0.36f)}, {1, 1, S(B, -0.36f)}, {5, 5, S(B, -0.03f)}, {5, 6, S(B, -0.08f)}});
    row("gel disabled", eGelButton, Disabled,
        {{0, 0, S(B, -0.2f)},
         {1, 1, S(B, -0.23f)},
         {5, 5, B},
         {5, 6, S(B, -0.02f)},
         {5, 1, ramp(S(m, 0.05f), B, 4, 1)}});

    // Windows theme without visual styles: painted as a Windows XP button in blue.
    const OleColor xpBlue = rgbHex(0xECEBE7);
    row("theme normal", eWindowsTheme, Normal,
        {{0, 0, xpFrame}, {1, 1, xpCorner}, {5, H - 2, S(xpBlue, -0.09f)}, {1, 5, MixColors(White, xpBlue)}});
    row("theme over", eWindowsTheme, Over, {{0, 0, xpFrame}, {5, 1, rgbHex(0xFFF0CF)}});
    row("theme down", eWindowsTheme, Down, {{0, 0, xpFrame}, {5, 1, S(xpBlue, -0.16f)}});
    row("theme disabled", eWindowsTheme, Disabled, {{0, 0, S(xpBlue, -0.1f)}});
}

void TestButtonPaint::painters()
{
    QFETCH(int, style);
    QFETCH(int, look);
    QFETCH(std::vector<Px>, pixels);
    ButtonPaintState s = button(style);
    if (style == eWindowsTheme) {
        ApplyStyleScheme(style, s.Colors);
        s.Colors.ColorScheme = ecsBlue;
    }
    s.CurrentState = look == Over ? eStateOver : look == Down ? eStateDown : eStateNormal;
    s.Enabled = look != Disabled;
    const ButtonPaintResult r = RedrawButton(s);
    QCOMPARE(r.Image.size(), QSize(kW, kH));
    r.Image.save(QDir(pngFolder())
                     .filePath(QStringLiteral("%1.png").arg(
                         QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'))));
    for (const Px &p : pixels)
        QVERIFY2(at(r.Image, p.x, p.y) == p.c, qPrintable(QStringLiteral("(%1, %2) is %3, expected %4")
                                                              .arg(p.x)
                                                              .arg(p.y)
                                                              .arg(hex(at(r.Image, p.x, p.y)), hex(p.c))));
}

void TestButtonPaint::checkedButtons()
{
    // Forced down, and the state stays down.
    ButtonPaintState aero = button(eVistaAero);
    aero.Mode = ebmCheckBox;
    aero.Value = true;
    ButtonPaintResult r = RedrawButton(aero);
    QCOMPARE(aero.CurrentState, int(eStateDown));
    QCOMPARE(at(r.Image, 0, 0), rgbHex(0x1D415C));

    // A command button's Value draws nothing pressed.
    ButtonPaintState cmd = button(eVistaAero);
    cmd.Value = true;
    RedrawButton(cmd);
    QCOMPARE(cmd.CurrentState, int(eStateNormal));

    // Standard keeps its state and shows the sunken checked face.
    ButtonPaintState st = button(eStandard);
    st.Mode = ebmOptionButton;
    st.Value = true;
    st.HasFocus = true;
    st.Colors.ShowFocusRect = true;
    r = RedrawButton(st);
    QCOMPARE(st.CurrentState, int(eStateNormal));
    QCOMPARE(at(r.Image, 0, 0), sysColor(COLOR_BTNSHADOW));
    QCOMPARE(at(r.Image, 5, 5), S(B, 0.02f));
    QCOMPARE(at(r.Image, 4, 4), sysColor(COLOR_APPWORKSPACE));

    // Outlook: orange checked face, pressed colours while the pointer is over it.
    ButtonPaintState ol = button(eOutlook2007);
    ol.Mode = ebmCheckBox;
    ol.Value = true;
    r = RedrawButton(ol);
    QCOMPARE(at(r.Image, 5, 9), rgbHex(0xFFAB3F));
    ol.PointerOver = true;
    r = RedrawButton(ol);
    QCOMPARE(at(r.Image, 5, 9), rgbHex(0xFF8F46));

    // XP toolbar: not forced; the white checked face, pressed look while the mouse is held.
    ButtonPaintState tb = button(eXPToolbar);
    tb.Mode = ebmCheckBox;
    tb.Value = true;
    r = RedrawButton(tb);
    QCOMPARE(tb.CurrentState, int(eStateNormal));
    QCOMPARE(at(r.Image, 5, 5), rgbHex(0xFEFEFE));
    QCOMPARE(at(r.Image, 0, 0), rgbHex(0x7A98AF));
    QCOMPARE(at(r.Image, 1, 1), rgbHex(0x6D808E));
    tb.MouseHeld = true;
    r = RedrawButton(tb);
    QCOMPARE(at(r.Image, 0, 0), rgbHex(0x9D9D92));

    // Office XP and 2003 checked faces.
    ButtonPaintState ox = button(eOfficeXP);
    ox.Mode = ebmCheckBox;
    ox.Value = true;
    r = RedrawButton(ox);
    QCOMPARE(at(r.Image, 5, 5), S(rgbHex(0xC1D2EE), -0.05f));
    QCOMPARE(at(r.Image, 0, 0), rgbHex(0x316AC5));
    ButtonPaintState o3 = button(eOffice2003);
    o3.Mode = ebmCheckBox;
    o3.Value = true;
    r = RedrawButton(o3);
    QCOMPARE(at(r.Image, 5, 1), ramp(rgbHex(0xFFD58C), rgbHex(0xFFAD55), kH - 1, 1));
}

void TestButtonPaint::focusAndDefault()
{
    // Windows XP: the blue ring only in the normal state of an active form.
    ButtonPaintState s = button(eWindowsXP);
    s.HasFocus = true;
    s.FormActive = true;
    ButtonPaintResult r = RedrawButton(s);
    QCOMPARE(at(r.Image, 5, 1), rgbHex(0xCEE7FF));
    QCOMPARE(at(r.Image, 5, kH - 2), rgbHex(0x6982EE));
    s.FormActive = false;
    r = RedrawButton(s);
    QCOMPARE(at(r.Image, 5, 1), ramp(S(B, 0.1f), S(B, 0.08f), 3, 1));
    // Hot with focus rectangle: the orange lines and the dotted ring, no blue ring.
    s.FormActive = true;
    s.Colors.ShowFocusRect = true;
    s.CurrentState = eStateOver;
    r = RedrawButton(s);
    QCOMPARE(at(r.Image, 5, 1), rgbHex(0xFFF0CF));
    QCOMPARE(hex(at(r.Image, 4, 2)), hex(rgbHex(0xFDD889) ^ 0xFFFFFF));
    QCOMPARE(hex(at(r.Image, 5, 2)), hex(rgbHex(0xFDD889)));

    // Vista Aero: default frames in the normal state, DisplayAsDefault is enough.
    ButtonPaintState a = button(eVistaAero);
    a.DisplayAsDefault = true;
    a.FormActive = true;
    r = RedrawButton(a);
    QCOMPARE(at(r.Image, 0, 5), rgbHex(0x3275A7));
    QCOMPARE(at(r.Image, 1, 5), rgbHex(0x48D8FB));
    QCOMPARE(at(r.Image, 1, 1), rgbHex(0x5F96BE));

    // Standard: focus rectangle and the black default frame.
    ButtonPaintState st = button(eStandard);
    st.HasFocus = true;
    st.FormActive = true;
    r = RedrawButton(st);
    QCOMPARE(at(r.Image, 0, 0), 0);
    QCOMPARE(at(r.Image, kW - 1, kH - 1), 0);
    QCOMPARE(at(r.Image, 1, 1), sysColor(COLOR_BTNHIGHLIGHT)); // the edge drawn one pixel smaller
    QCOMPARE(at(r.Image, kW - 2, kH - 2), sysColor(COLOR_APPWORKSPACE));
    QCOMPARE(hex(at(r.Image, 4, 4)), hex(B ^ 0xFFFFFF));
    QCOMPARE(hex(at(r.Image, 5, 4)), hex(B));
    st.UserMode = false; // in a designer: no focus rectangle
    r = RedrawButton(st);
    QCOMPARE(hex(at(r.Image, 4, 4)), hex(B));

    // InstallShield shows its focus rectangle at 3 pixels.
    ButtonPaintState is = button(eInstallShield);
    is.HasFocus = true;
    is.FormActive = true;
    r = RedrawButton(is);
    QCOMPARE(hex(at(r.Image, 3, 3)), hex(ramp(White, B, 11, 3) ^ 0xFFFFFF));
}

void TestButtonPaint::themeFallback()
{
    ButtonPaintState s = button(eWindowsTheme);
    s.Colors.ColorScheme = ecsSilver;
    s.Colors.BackColor = 0;
    s.Colors.ShowFocusRect = true;
    s.ThemeActive = false;
    RedrawButton(s);
    QCOMPARE(s.ButtonStyle, int(eWindowsXP));
    QCOMPARE(s.Colors.ColorScheme, int(ecsBlue));
    QCOMPARE(hex(s.Colors.BackColor), hex(rgbHex(0xECEBE7)));
    QCOMPARE(s.Colors.ShowFocusRect, false);
}

void TestButtonPaint::xpToolbarForeColor()
{
    ButtonPaintState s = button(eXPToolbar);
    s.Colors.ForeColor = rgbHex(0x00FF00);
    s.CurrentState = eStateDown;
    RedrawButton(s);
    QCOMPARE(s.Colors.ForeColor, White);
    s.CurrentState = eStateOver;
    RedrawButton(s);
    QCOMPARE(s.Colors.ForeColor, sysColor(COLOR_BTNTEXT));
}

void TestButtonPaint::emptySize()
{
    ButtonPaintState s = button(eOutlook2007);
    for (QSize size : {QSize(0, 24), QSize(80, 0), QSize(-5, -5)}) {
        s.W = size.width();
        s.H = size.height();
        const ButtonPaintResult r = RedrawButton(s);
        QVERIFY(r.Image.isNull());
        QVERIFY(!r.RegionSet);
    }
    // A one-pixel button still paints every style, and an unknown one.
    for (int style = 0; style <= 14; ++style) {
        ButtonPaintState t = button(style);
        t.W = 1;
        t.H = 1;
        t.DropDownSymbol = ebsArrowDown;
        t.DropDownSeparator = true;
        QCOMPARE(RedrawButton(t).Image.size(), QSize(1, 1));
    }
}

QTEST_MAIN(TestButtonPaint)
#include "test_button_paint.moc"
