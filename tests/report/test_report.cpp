#include "app/reports/AppReports.h"
#include "platform/forms/Pickers.h"
#include "platform/report/Report.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"
#include "tests/harness/TextRecorder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QtTest>

using pv::PageModel;
using pv::PageText;
using pv::Reports;

namespace
{

struct Sale {
    QString tarih, saat, turu, aciklama, miktar, birim, birimFiyat;
    QVariant eklenen, odenen;
    QString musKodu;
};

QString sqlValue(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) +
               QLatin1Char('\'');
    return QString::number(v.toDouble(), 'g', 15);
}

QStringList texts(const QList<PageText> &list)
{
    QStringList out;
    for (const PageText &t : list)
        out << t.text;
    return out;
}

// The text of item on the detail row whose lblRank stands at y (empty when not printed).
const PageText *onRow(const PageModel &m, const QString &item, const PageText &rank)
{
    for (const PageText &t : m.texts)
        if (t.page == rank.page && t.rect.top() == rank.rect.top() && t.item == item)
            return &t;
    return nullptr;
}

// A stock list as the stock card prints it: no groups, bracketed field names, a rule under
// each row, the date from the page-footer handler.
const char *stockLayout = R"({
  "name": "stokliste", "title": "Stok", "caption": "Stok Raporları",
  "paper": {"width": 11906, "height": 16838, "orientation": "landscape"},
  "margins": {"left": 360, "right": 360, "top": 720, "bottom": 720},
  "sections": [
    {"kind": "PageHeader", "name": "PageHeader", "height": 780},
    {"kind": "Detail", "name": "Detail", "height": 255},
    {"kind": "PageFooter", "name": "PageFooter", "height": 360}
  ],
  "controls": [
    {"name": "Label111", "kind": "Label", "section": "PageHeader", "left": 0, "top": 0, "width": 15775, "height": 393, "text": "STOK RAPORU", "bold": true, "align": "center"},
    {"name": "Image1", "kind": "Picture", "section": "PageHeader", "left": 0, "top": 400, "width": 720, "height": 360},
    {"name": "DataControl1", "kind": "DataControl", "section": "Detail"},
    {"name": "Field1", "kind": "Field", "section": "Detail", "left": 0, "top": 0, "width": 1702, "height": 240, "dataField": "Product Code", "font": "Tahoma", "size": 8.5},
    {"name": "Field8", "kind": "Field", "section": "Detail", "left": 12384, "top": 0, "width": 864, "height": 240, "dataField": "ReOrder Level", "font": "Tahoma", "size": 8.5, "align": "right"},
    {"name": "Line1", "kind": "Line", "section": "Detail", "left": 0, "top": 250, "x2": 15775, "y2": 250, "color": "#C0C0C0"},
    {"name": "Label117", "kind": "Label", "section": "PageFooter", "left": 0, "top": 0, "width": 2154, "height": 227, "text": "Label117"},
    {"name": "Field15", "kind": "Field", "section": "PageFooter", "left": 13824, "top": 0, "width": 1008, "height": 240, "summary": {"type": "pageCount", "running": "all"}},
    {"name": "Field16", "kind": "Field", "section": "PageFooter", "left": 15032, "top": 0, "width": 650, "height": 240, "summary": {"type": "pageCount"}}
  ]
})";

// A window that prints: it is activated again when the preview over it closes.
class PrintingWindow : public pv::Form
{
    Q_OBJECT
public:
    int activations = 0;
    void Form_Activate() override { ++activations; }
};

class StockFooter : public pv::ReportScript
{
public:
    void pageFooterFormat(pv::ReportRun &run) override
    {
        run.control(QStringLiteral("Label117")).setCaption(run.now().toString(QStringLiteral("dd.MM.yyyy")));
    }
};

} // namespace

// A sheet with one label at (720, 720) twips, 2880 wide and 400 high, rendered at dpi.
QImage labelSheet(const QString &text, const QString &font, bool bold, double size, double dpi)
{
    const QString json =
        QStringLiteral(R"({
  "name": "etiket", "paper": {"width": 11906, "height": 16838},
  "margins": {"left": 0, "right": 0, "top": 0, "bottom": 0},
  "sections": [{"kind": "PageHeader", "name": "PageHeader", "height": 1440}],
  "controls": [{"name": "Label1", "kind": "Label", "section": "PageHeader", "left": 720, "top": 720,
                "width": 2880, "height": 400, "text": "%1", "font": "%2", "size": %3, "bold": %4}]
})")
            .arg(text, font, QString::number(size), bold ? QStringLiteral("true") : QStringLiteral("false"));
    QString error;
    auto layout = pv::ReportLayout::fromJson(json.toUtf8(), &error);
    if (!layout)
        return {};
    pv::Report r(layout, {});
    return r.run().pageImage(0, dpi);
}

// What pdftotext reads back from a PDF with the given options.
QString readBack(const QString &pdf, const QStringList &options = {})
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfWord {
    int page = 0; // 1-based
    QRectF box;   // twips from the sheet's top-left corner
    QString text;
};

// Each word of the PDF where it stands, as pdftotext reads it back.
QList<PdfWord> pdfWords(const QString &pdf)
{
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    for (auto it = tag.globalMatch(readBack(pdf, {QStringLiteral("-bbox")})); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        auto twips = [&](int i) { return m.captured(i).toDouble() * 20; }; // from points
        words << PdfWord{page, QRectF(QPointF(twips(1), twips(2)), QPointF(twips(3), twips(4))),
                         m.captured(5)};
    }
    return words;
}

// The runs of dark columns within rows [top, bottom) as [first, last] pairs.
QList<QPair<int, int>> darkRuns(const QImage &img, int top, int bottom)
{
    return pv::test::inkRuns(img, QRect(0, top, img.width(), bottom - top),
                             [](QRgb p) { return qGray(p) < 128; });
}

// A printed text's font measured in twips.
QFontMetricsF metricsOf(const PageText &t)
{
    QFont f(pv::reportFontFamily(t.fontFamily));
    f.setPointSizeF(t.fontSize);
    f.setBold(t.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    QImage device(1, 1, QImage::Format_RGB32);
    const int twipsPerMetre = int(std::lround(1440 / 0.0254));
    device.setDotsPerMeterX(twipsPerMetre);
    device.setDotsPerMeterY(twipsPerMetre);
    return QFontMetricsF(f, &device);
}

// The width of a printed text at size points, in twips.
double advanceAt(const PageText &t, double size)
{
    PageText at = t;
    at.fontSize = size;
    return metricsOf(at).horizontalAdvance(t.text);
}

// The room a one-line text has in its box (the painter keeps 15 twips free on each side).
double roomOf(const PageText &t)
{
    return t.rect.width() - 2 * pv::kReportTextPad;
}

// What the document's painter draws of one text on a device of dpi: the text, its lines
// joined by blanks, and where it starts and ends in twips.
struct Drawn {
    QString text;
    double left = 0, right = 0;
    bool oneLine = true;
    bool onItsRow = true; // every line's baseline inside the box
};
Drawn drawnOn(const pv::ReportDocument &doc, const pv::ReportDrawOp &op, int dpi)
{
    pv::ReportDocument alone;
    alone.sheetWidth = doc.sheetWidth;
    alone.sheetHeight = doc.sheetHeight;
    alone.pages = {{op}};
    pv::test::TextRecorder device(dpi);
    QPainter painter(&device);
    alone.paintPage(painter, 0, dpi, dpi);
    painter.end();
    QList<pv::test::TextRecorder::Run> runs = device.runs();
    std::stable_sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) {
        return a.at.y() < b.at.y() || (a.at.y() == b.at.y() && a.at.x() < b.at.x());
    });
    Drawn d;
    const double twips = 1440.0 / dpi;
    d.left = runs.isEmpty() ? 0 : 1e9;
    d.right = runs.isEmpty() ? 0 : -1e9;
    for (int i = 0; i < runs.size(); ++i) {
        const pv::test::TextRecorder::Run &run = runs[i];
        const bool newLine = i > 0 && run.at.y() != runs[i - 1].at.y();
        d.oneLine = d.oneLine && !newLine;
        d.text += (newLine ? QStringLiteral(" ") : QString()) + run.text;
        d.left = std::min(d.left, run.at.x() * twips);
        d.right = std::max(d.right, (run.at.x() + run.width) * twips);
        const double baseline = run.at.y() * twips;
        d.onItsRow = d.onItsRow && op.rect.top() < baseline && baseline <= op.rect.top() + op.rect.height();
    }
    d.text = d.text.simplified();
    return d;
}

// How wide a device of dpi measures a text's one line, in twips.
double deviceAdvance(const pv::ReportDrawOp &op, int dpi)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    device.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    return QFontMetricsF(pv::reportQFont(op.font), &device).horizontalAdvance(op.text) * 1440.0 / dpi;
}

// The words, from the first on, as many as fit room on one line at size in font's face;
// the first word of the spares that fits when none does.
QString wordsFitting(const QStringList &words, const QStringList &spares, PageText font, double size,
                     double room)
{
    font.fontSize = size;
    const QFontMetricsF fm = metricsOf(font);
    QString text;
    for (const QString &w : words) {
        const QString longer = text.isEmpty() ? w : text + QLatin1Char(' ') + w;
        if (fm.horizontalAdvance(longer) > room)
            break;
        text = longer;
    }
    for (const QString &w : spares)
        if (text.isEmpty() && fm.horizontalAdvance(w) <= room)
            text = w;
    return text;
}

class TestReport : public QObject
{
    Q_OBJECT

    std::unique_ptr<pv::test::Harness> m_h;
    pv::Database m_db; // the program's open database, as the windows hand it to a report

    QString filePath(const QString &name) const { return m_h->folder() + QLatin1Char('/') + name; }
    void exec(const QString &sql) { QVERIFY(m_h->exec(sql)); }
    void addSales(const QList<Sale> &rows)
    {
        exec(QStringLiteral("DELETE FROM veresiye"));
        for (const Sale &s : rows) {
            const QString key = s.tarih.mid(6, 4) + s.tarih.mid(3, 2) + s.tarih.left(2);
            exec(QStringLiteral(
                     "INSERT INTO veresiye (Tarih, Saat, Turu, Aciklama, Miktar, Birim, BirimFiyat, "
                     "Eklenen, Odenen, Tarih2, mus_kodu) VALUES (%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11)")
                     .arg(sqlValue(s.tarih), sqlValue(s.saat), sqlValue(s.turu), sqlValue(s.aciklama),
                          sqlValue(s.miktar.isNull() ? QVariant() : s.miktar),
                          sqlValue(s.birim.isNull() ? QVariant() : s.birim),
                          sqlValue(s.birimFiyat.isNull() ? QVariant() : s.birimFiyat), sqlValue(s.eklenen),
                          sqlValue(s.odenen))
                     .arg(sqlValue(key), sqlValue(s.musKodu)));
        }
    }
    void addCustomers(int n)
    {
        exec(QStringLiteral("DELETE FROM musteriler"));
        // Customers 1001.. named "Müşteri 001".., balance ten and a half times their number.
        QVERIFY(m_h->exec(
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                "INSERT INTO musteriler (mus_kodu, MusteriFirma, Turu, Gun, Bakiye) "
                "SELECT 1000 + i, 'Müşteri ' || substr('00' || i, -3), 'Alıcı', i, i * 10.5 FROM n"),
            {n}));
    }

private slots:
    void initTestCase() { pv::registerAppReports(); }

    void init()
    {
        m_h = std::make_unique<pv::test::Harness>();
        m_h->setNow(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15)));
        QVERIFY(m_db.open(m_h->databasePath()));
    }
    void cleanup()
    {
        m_db.close();
        m_h.reset();
    }

    void itemNumbers_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("number");
        // The numbers the sale dialog's receipt print uses.
        const std::pair<const char *, int> extre[] = {
            {"DataControl1", 4028}, {"Label168", 4008},   {"Label173", 4036}, {"Label175", 4038},
            {"Label177", 4040},     {"LabelFirma", 4019}, {"Label183", 4021}, {"Field1", 4023},
            {"Field2", 4024},       {"Field3", 4025},     {"Field4", 4026},   {"Field5", 4029},
            {"Field6", 4030},       {"Field7", 4031},     {"Field8", 4044},   {"Field9", 4042},
            {"PageHeader", 4000},   {"PageFooter", 4004}};
        for (const auto &[item, number] : extre)
            QTest::addRow("Extre %s", item) << "Extre" << item << number;
        QTest::newRow("musterilistesi first control") << "musterilistesi"
                                                      << "Label111" << 4005;
        QTest::newRow("CariGunlukRapor report footer") << "CariGunlukRapor"
                                                       << "ReportFooter" << 4006;
    }
    void itemNumbers()
    {
        QFETCH(QString, layout);
        QFETCH(QString, item);
        QFETCH(int, number);
        pv::Report &r = Reports::get(layout);
        QCOMPARE(r.itemNumber(item), number);
        if (number >= 4000 + int(r.layout().sections.size()))
            QCOMPARE(r.item(number).name(), item);
    }

    void customerListRowsInQueryOrder_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("asc") << "asc" << QStringList{"Müşteri 001", "Müşteri 002", "Müşteri 003"};
        QTest::newRow("desc") << "desc" << QStringList{"Müşteri 003", "Müşteri 002", "Müşteri 001"};
    }
    void customerListRowsInQueryOrder()
    {
        QFETCH(QString, order);
        QFETCH(QStringList, names);
        addCustomers(3);
        pv::Report &r = Reports::get(QStringLiteral("musterilistesi"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(
            QStringLiteral("select * from musteriler ORDER BY MusteriFirma %1 ").arg(order));
        r.label(QStringLiteral("Label111"))
            .setCaption(QStringLiteral("05.03.2024 - TARİHLİ MÜŞTERİ LİSTESİ"));
        r.label(QStringLiteral("Label120")).setCaption(QStringLiteral("3"));
        r.label(QStringLiteral("Label119")).setCaption(QStringLiteral("63,00"));
        r.label(QStringLiteral("Label123")).setCaption(QStringLiteral("0,00"));
        r.label(QStringLiteral("Label124")).setCaption(QStringLiteral("63,00"));
        r.field(QStringLiteral("Field10")).setFontSize(QStringLiteral("14"));
        r.label(QStringLiteral("lblRank")).setFontSize(QStringLiteral("14"));
        const PageModel m = r.runToPageModel();

        QCOMPARE(m.pageCount, 1);
        QCOMPARE(m.textsOf(QStringLiteral("Field10")), names);
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), (QStringList{" 1", " 2", " 3"}));
        QCOMPARE(m.textsOf(QStringLiteral("Label111")), QStringList{"05.03.2024 - TARİHLİ MÜŞTERİ LİSTESİ"});
        QCOMPARE(m.textsOf(QStringLiteral("Label120")), QStringList{"3"});
        QCOMPARE(m.textsOf(QStringLiteral("Label119")), QStringList{"63,00"});
        QCOMPARE(m.textsOf(QStringLiteral("Label124")), QStringList{"63,00"});
        QCOMPARE(m.textsOf(QStringLiteral("LabelFirma")), QStringList{"firma bilgileri"});
        // Only the fields named get the caller's size; headers keep the layout's.
        QCOMPARE(m.ofItem(QStringLiteral("Field10")).first().fontSize, 14.0);
        QCOMPARE(m.ofItem(QStringLiteral("Field1")).first().fontSize, 10.0);
        QCOMPARE(m.ofItem(QStringLiteral("Label2")).first().fontSize, 7.0);
        // Rows stand one below the other under the page header, detail height apart and as
        // much more as their size-14 text needs beyond the fields' boxes.
        const QList<PageText> ranks = m.ofItem(QStringLiteral("lblRank"));
        QCOMPARE(ranks.at(0).rect.top(), 720 + 840);
        const int grown = ranks.at(0).rect.height() - 258;
        QVERIFY(grown > 0);
        QCOMPARE(ranks.at(1).rect.top() - ranks.at(0).rect.top(), 270 + grown);
        QCOMPARE(m.textsOf(QStringLiteral("Field13")).first(),
                 order == "asc" ? QStringLiteral("10,5") : QStringLiteral("31,5"));
    }

    // A report takes the program's open database and its values as parameters: a code with
    // an apostrophe prints its own rows, and the next run is back to the design's source.
    void sourceParametersTravelBound()
    {
        addSales({{"05.03.2024", "10:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 50.0, "O'Brien"},
                  {"05.03.2024", "11:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 20.0, "A"},
                  {"06.03.2024", "11:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 30.0, "O'Brien"}});
        pv::Database db;
        QVERIFY(db.open(m_h->databasePath()));
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        r.dataControl().setDatabase(db);
        r.dataControl().setSource(
            QStringLiteral(
                "select * FROM veresiye WHERE mus_kodu = ? and Tarih like ? ORDER BY Tarih,[Saat] asc"),
            {QStringLiteral("O'Brien"), QStringLiteral("05.03.2024")});
        PageModel m = r.runToPageModel();
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), QStringList{" 1"});
        QVERIFY(r.dataControl().params().isEmpty());
        r.dataControl().setDatabase(db);
        r.dataControl().setSource(
            QStringLiteral("select * FROM veresiye WHERE mus_kodu = ? ORDER BY Tarih,[Saat] asc"),
            {QStringLiteral("O'Brien")});
        m = r.runToPageModel();
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), (QStringList{" 1", " 2"}));
        QVERIFY(!r.dataControl().database().isOpen());
    }

    void everyRunStartsFromDesign()
    {
        addSales({{"05.03.2024", "10:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 50.0, "A"}});
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        const QString source =
            QStringLiteral("select * FROM veresiye WHERE mus_kodu= 'A' ORDER BY Tarih,[Saat] asc ");
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(source);
        r.item(4021).setCaption(QStringLiteral("857"));
        r.item(4008).setCaption(QStringLiteral("Ayşe Yılmaz"));
        for (pv::ReportControl &c : r.controls())
            c.setFontSize(QStringLiteral("12"));
        PageModel m = r.runToPageModel();
        QCOMPARE(m.ofItem(QStringLiteral("Label111")).first().fontSize, 12.0);
        QCOMPARE(m.textsOf(QStringLiteral("Label183")), QStringList{"857"});
        QCOMPARE(m.textsOf(QStringLiteral("Label168")), QStringList{"Ayşe Yılmaz"});
        QCOMPARE(m.ofItem(QStringLiteral("Field1")).first().fontSize, 12.0);
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), QStringList{" 1"});

        // Another caller prints the receipt without a number: the design text, not "857".
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(source);
        m = r.runToPageModel();
        QCOMPARE(m.textsOf(QStringLiteral("Label183")), QStringList{"00856"});
        QCOMPARE(m.textsOf(QStringLiteral("Label168")), QStringList{"MÜŞTERİ :"});
        QCOMPARE(m.ofItem(QStringLiteral("Field1")).first().fontSize, 8.5);
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), QStringList{" 1"});
        QCOMPARE(m.textsOf(QStringLiteral("Label169")), QStringList{"05.03.2024"});
        QCOMPARE(m.textsOf(QStringLiteral("Label170")), QStringList{"14:30:15"});
    }

    void dailyReportGroupsByRuns()
    {
        addSales({{"05.03.2024", "09:00:00", "Satış", "Ekmek", "2", "Adet", "5", 10.0, {}, "A"},
                  {"05.03.2024", "10:00:00", "Satış", "Süt", "1", "Litre", "20", 20.0, {}, "A"},
                  {"05.03.2024", "11:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 15.0, "B"},
                  {"05.03.2024", "12:00:00", "Satış", "Çay", "1", "Paket", "30", 30.0, {}, "A"},
                  {"06.03.2024", "09:00:00", "Satış", "Başka gün", "1", "Adet", "1", 1.0, {}, "C"}});
        pv::Report &r = Reports::get(QStringLiteral("CariGunlukRapor"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(
            QStringLiteral("select DISTINCTROW * from veresiye where Tarih2 like  '20240305' "
                           "ORDER BY [Tarih],[Saat],Eklenen asc"));
        r.field(QStringLiteral("Field10")).setFontSize(QStringLiteral("9"));
        const PageModel m = r.runToPageModel();

        QCOMPARE(m.textsOf(QStringLiteral("txtCategory")), (QStringList{"A", "B", "A"}));
        QCOMPARE(m.textsOf(QStringLiteral("txtProductCount")), (QStringList{"2", "1", "1"}));
        QCOMPARE(m.textsOf(QStringLiteral("Label129")), (QStringList{"NO", "NO", "NO"}));
        QCOMPARE(m.textsOf(QStringLiteral("lblRank")), (QStringList{" 1", " 2", " 3", " 4"}));
        QCOMPARE(m.textsOf(QStringLiteral("txtCategoryCountG")), QStringList{"2"});
        QCOMPARE(m.textsOf(QStringLiteral("txtProductCountG")), QStringList{"4"});
        QCOMPARE(m.textsOf(QStringLiteral("Field10")), (QStringList{"Ekmek", "Süt", "Nakit", "Çay"}));
        QCOMPARE(m.textsOf(QStringLiteral("Label117")), QStringList{"05.03.2024"});
        // Each group's rows follow its header and precede its count.
        const QList<PageText> heads = m.ofItem(QStringLiteral("txtCategory"));
        const QList<PageText> counts = m.ofItem(QStringLiteral("txtProductCount"));
        const QList<PageText> ranks = m.ofItem(QStringLiteral("lblRank"));
        QVERIFY(heads[1].rect.top() > counts[0].rect.top() && counts[0].rect.top() > ranks[1].rect.top());
        QVERIFY(ranks[2].rect.top() > heads[1].rect.top() && counts[1].rect.top() > ranks[2].rect.top());
        // The report footer's grey band stands behind its totals.
        QCOMPARE(m.ofItem(QStringLiteral("txtProductCountG")).first().background, QColor(0xC0, 0xC0, 0xC0));
    }

    void receiptPaymentAndSaleRows_data()
    {
        QTest::addColumn<QVariant>("eklenen");
        QTest::addColumn<QVariant>("odenen");
        QTest::addColumn<bool>("payment");
        QTest::newRow("sale") << QVariant(100.0) << QVariant() << false;
        QTest::newRow("payment") << QVariant() << QVariant(40.0) << true;
        QTest::newRow("both empty") << QVariant() << QVariant() << true;
        QTest::newRow("zero sale") << QVariant(0.0) << QVariant() << false;
    }
    void receiptPaymentAndSaleRows()
    {
        QFETCH(QVariant, eklenen);
        QFETCH(QVariant, odenen);
        QFETCH(bool, payment);
        // The row under test stands between two sale rows, so nothing may carry over.
        addSales({{"05.03.2024", "09:00:00", "Satış", "Önceki", "2", "Adet", "5", 10.0, {}, "A"},
                  {"05.03.2024", "10:00:00", "İşlem", "Sınanan", "3", "Kg", "7", eklenen, odenen, "A"},
                  {"05.03.2024", "11:00:00", "Satış", "Sonraki", "1", "Adet", "8", 8.0, {}, "A"}});
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * FROM veresiye WHERE Tarih2 like  '20240305' and  "
                                                 "mus_kodu= 'A' ORDER BY Tarih,[Saat] asc "));
        const PageModel m = r.runToPageModel();
        const QList<PageText> ranks = m.ofItem(QStringLiteral("lblRank"));
        QCOMPARE(ranks.size(), 3);

        for (int row = 0; row < 3; ++row) {
            const bool pay = row == 1 && payment;
            const PageText &rank = ranks[row];
            QCOMPARE(onRow(m, "Field7", rank)->rect.width(), pay ? 6931 : 4133);
            QCOMPARE(onRow(m, "Field2", rank) != nullptr, !pay);
            QCOMPARE(onRow(m, "Field3", rank) != nullptr, !pay);
            QCOMPARE(onRow(m, "Field4", rank) != nullptr, !pay);
            QVERIFY(!pay || onRow(m, "Field5", rank) == nullptr);
            if (pay && odenen.isValid())
                QCOMPARE(onRow(m, "Field6", rank)->background, QColor(0xFF, 0xFF, 0x80));
            if (!pay)
                QVERIFY(onRow(m, "Field6", rank) == nullptr);
        }
        const double paid = odenen.isValid() ? odenen.toDouble() : 0;
        const double added = 18 + (eklenen.isValid() ? eklenen.toDouble() : 0);
        QCOMPARE(m.textsOf(QStringLiteral("Field9")), QStringList{pv::formatMoney(paid)});
        QCOMPARE(m.textsOf(QStringLiteral("Field8")), QStringList{pv::formatMoney(added)});
    }

    void accountReportStripesAndCaptions()
    {
        QList<Sale> rows;
        for (int i = 0; i < 4; ++i)
            rows << Sale{"0" + QString::number(i + 1) + ".03.2024",
                         "10:00:00",
                         "Satış",
                         "Kalem " + QString::number(i),
                         "1",
                         "Adet",
                         "1234,5",
                         1234.5,
                         {},
                         "K1"};
        addSales(rows);
        pv::Report &r = Reports::get(QStringLiteral("carirapor"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(
            QStringLiteral("select * from veresiye where mus_kodu= 'K1' ORDER BY Tarih2,[Saat]"));
        r.label(QStringLiteral("Label121")).setCaption(QStringLiteral("4.938,00"));
        r.label(QStringLiteral("LabelFirma")).setCaption(QStringLiteral("Deneme Ticaret"));
        const PageModel m = r.runToPageModel();

        const QColor white(Qt::white), blue(0xDF, 0xF5, 0xFD);
        const QList<PageText> amounts = m.ofItem(QStringLiteral("Field13"));
        QCOMPARE(amounts.size(), 4);
        QCOMPARE(texts(amounts), (QStringList{"1234,5", "1234,5", "1234,5", "1234,5"}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(amounts[i].background, i % 2 ? blue : white);
        QCOMPARE(m.textsOf(QStringLiteral("Label121")), QStringList{"4.938,00"});
        QCOMPARE(m.textsOf(QStringLiteral("LabelFirma")), QStringList{"Deneme Ticaret"});
        QCOMPARE(m.textsOf(QStringLiteral("Label186")), QStringList{"İŞLEM TÜRÜ :"});
        QCOMPARE(m.textsOf(QStringLiteral("Label117")), QStringList{"05.03.2024"});
        // The band stands behind the date-range captions.
        QCOMPARE(m.ofItem(QStringLiteral("Label191")).first().background, QColor(0xE0, 0xE0, 0xE0));
    }

    void pageNofM()
    {
        addCustomers(120);
        pv::Report &r = Reports::get(QStringLiteral("musterilistesi"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc "));
        const PageModel m = r.runToPageModel();
        QCOMPARE(m.pageCount, 3);
        QCOMPARE(m.textsOf(QStringLiteral("Field14")), (QStringList{"1", "2", "3"}));
        QCOMPARE(m.textsOf(QStringLiteral("Field15")), (QStringList{"3", "3", "3"}));
        QCOMPARE(m.ofItem(QStringLiteral("Label2")).size(), 3); // the header on every page
        QCOMPARE(m.ofItem(QStringLiteral("lblRank")).size(), 120);
        QCOMPARE(m.ofItem(QStringLiteral("lblRank")).last().text, QStringLiteral(" 120"));
        // Nothing runs into the page footer.
        for (const PageText &t : m.ofItem(QStringLiteral("lblRank")))
            QVERIFY(t.rect.bottom() <= 16838 - 720 - 360);
        QCOMPARE(m.ofItem(QStringLiteral("Label118")).first().page, 3);
    }

    void refusedSourceGivesEmptyReport_data()
    {
        QTest::addColumn<bool>("database");
        QTest::addColumn<QString>("source");
        QTest::newRow("no table") << true << "select * from yok_boyle_tablo";
        QTest::newRow("bad sql") << true << "select * frm veresiye";
        QTest::newRow("no source") << true << "";
        QTest::newRow("no database") << false << "select * from veresiye";
    }
    void refusedSourceGivesEmptyReport()
    {
        QFETCH(bool, database);
        QFETCH(QString, source);
        pv::Report &r = Reports::get(QStringLiteral("carirapor"));
        r.dataControl().setDatabase(database ? m_db : pv::Database());
        r.dataControl().setSource(source);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("source refused"));
        const PageModel m = r.runToPageModel();
        QCOMPARE(m.pageCount, 1);
        QVERIFY(m.ofItem(QStringLiteral("lblRank")).isEmpty());
        QCOMPARE(m.textsOf(QStringLiteral("Label129")), QStringList{"NO"});
        QCOMPARE(m.textsOf(QStringLiteral("Field16")), QStringList{"1"});
    }

    void unknownItemsAreSkipped()
    {
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no control"));
        r.label(QStringLiteral("LabelYok")).setCaption(QStringLiteral("x"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no control numbered 4999"));
        r.item(4999).setFontSize(12);
        QCOMPARE(r.label(QStringLiteral("Label183")).caption(), QStringLiteral("00856"));
    }

    void layoutWithoutGroupsByNumber()
    {
        for (int i = 0; i < 70; ++i)
            QVERIFY(m_h->exec(
                QStringLiteral("INSERT INTO Product ([Product Code], [Brand Name], [Reorder Level]) "
                               "VALUES (?, ?, ?)"),
                {QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Ürün"), 5.5}));
        QString error;
        auto layout = pv::ReportLayout::fromJson(stockLayout, &error);
        QVERIFY2(layout, qPrintable(error));
        pv::Report r(layout, [] { return std::make_unique<StockFooter>(); });
        QCOMPARE(r.itemNumber(QStringLiteral("Label111")), 4003);
        r.item(4005).setDatabase(m_db);
        r.item(4005).setSource(QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name],[Product Code]"));
        r.item(4006).setFontSize(QStringLiteral("3"));
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(filePath(QStringLiteral("logo.png"))));
        r.control(QStringLiteral("Image1")).setPicture(filePath(QStringLiteral("logo.png")));
        const pv::ReportDocument doc = r.run();
        const PageModel m = doc.pageModel();

        QCOMPARE(m.pageCount, 2);
        QCOMPARE(m.textsOf(QStringLiteral("Field1")).first(), QStringLiteral("K000"));
        QCOMPARE(m.textsOf(QStringLiteral("Field1")).size(), 70);
        QCOMPARE(m.textsOf(QStringLiteral("Field8")).first(), QStringLiteral("5,5"));
        QCOMPARE(m.ofItem(QStringLiteral("Field1")).first().fontSize, 3.0);
        QCOMPARE(m.textsOf(QStringLiteral("Label117")), (QStringList{"05.03.2024", "05.03.2024"}));
        QCOMPARE(m.textsOf(QStringLiteral("Field15")), (QStringList{"1", "2"}));
        QCOMPARE(m.textsOf(QStringLiteral("Field16")), (QStringList{"2", "2"}));
        int rules = 0, pictures = 0;
        for (const auto &page : doc.pages)
            for (const pv::ReportDrawOp &op : page) {
                rules += op.type == pv::ReportDrawOp::Line && op.item == QLatin1String("Line1");
                pictures += op.type == pv::ReportDrawOp::Image && op.rect == QRect(360, 720 + 400, 720, 360);
            }
        QCOMPARE(rules, 70);
        QCOMPARE(pictures, 2); // the header's picture on both pages
        // The picture is painted where the layout puts it: 720 twips is half an inch.
        const QImage page = doc.pageImage(0, 96);
        QCOMPARE(page.pixelColor(24 + 24, 48 + 27 + 12), QColor(Qt::red));
    }

    // Stand-in fonts may draw the dot of İ above their ascent; a label clipped to its box
    // must still show it, or "İ" prints as "I".
    void dottedCapitalIKeepsItsDot_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Tahoma") << "Tahoma" << false;
        QTest::newRow("Tahoma bold") << "Tahoma" << true;
        QTest::newRow("Verdana bold") << "Verdana" << true;
        QTest::newRow("Arial") << "Arial" << false;
    }
    void dottedCapitalIKeepsItsDot()
    {
        QFETCH(QString, font);
        QFETCH(bool, bold);
        auto ink = [&](const QString &text) {
            const QImage page = labelSheet(text, font, bold, 14, 96);
            int dark = 0; // dark pixels from above the label's box (48 px down at 96 dpi) to its foot
            for (int y = 30; y < 48 + 27; ++y)
                for (int x = 48; x < 48 + 192; ++x)
                    dark += qGray(page.pixel(x, y)) < 128;
            return dark;
        };
        const int plain = ink(QStringLiteral("IIII"));
        QVERIFY(plain > 0);
        QVERIFY(ink(QStringLiteral("İİİİ")) > plain);
    }

    // A Turkish letter printed between its base letters takes the base letter's room and
    // stands where it does, in both weights ("TARİH", not "TARİ H").
    void turkishLettersStandLikeTheirBaseLetters_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<double>("size");
        QTest::newRow("Tahoma 7 bold") << "Tahoma" << true << 7.0;
        QTest::newRow("Tahoma 9") << "Tahoma" << false << 9.0;
        QTest::newRow("Verdana 8.5 bold") << "Verdana" << true << 8.5;
    }
    void turkishLettersStandLikeTheirBaseLetters()
    {
        QFETCH(QString, font);
        QFETCH(bool, bold);
        QFETCH(double, size);
        const double dpi = 600; // a printer's: a wrong letter is many dots off
        const int top = int(720 * dpi / 1440), bottom = int(1120 * dpi / 1440);
        for (const char *pair :
             {"I İ I İ I İ", "C Ç C Ç C Ç", "G Ğ G Ğ G Ğ", "O Ö O Ö O Ö", "S Ş S Ş S Ş", "U Ü U Ü U Ü",
              "c ç c ç c ç", "g ğ g ğ g ğ", "i ı i ı i ı", "o ö o ö o ö", "s ş s ş s ş", "u ü u ü u ü"}) {
            const QString text = QString::fromUtf8(pair);
            const QList<QPair<int, int>> runs =
                darkRuns(labelSheet(text, font, bold, size, dpi), top, bottom);
            QStringList seen;
            for (const auto &[first, last] : runs)
                seen << QStringLiteral("%1..%2").arg(first).arg(last);
            const QString what = text + QStringLiteral(": ") + seen.join(QLatin1Char(','));
            QVERIFY2(runs.size() == 6, qPrintable(what));
            // Unhinted outlines at fractional positions: a dot either way.
            for (int i = 1; i < runs.size(); ++i) {
                QVERIFY2(std::abs((runs[i].first - runs[i - 1].first) - (runs[1].first - runs[0].first)) <= 1,
                         qPrintable(what));
                QVERIFY2(std::abs((runs[i].second - runs[i].first) - (runs[0].second - runs[0].first)) <= 1,
                         qPrintable(what));
            }
        }
    }

    void printsThroughAPrinter()
    {
        addCustomers(3);
        pv::Report &r = Reports::get(QStringLiteral("musterilistesi"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc "));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString out = filePath(QStringLiteral("printer.pdf"));
        printer.setOutputFileName(out);
        QVERIFY(r.print(printer));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {out, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Müşteri 003")), qPrintable(text));
    }

    void pdfOfEachLayout_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("musterilistesi")
            << "musterilistesi"
            << "select * from musteriler ORDER BY MusteriFirma asc "
            << QStringList{"MÜŞTERİ NO", "Müşteri 001", "Listedeki Toplam Borçlu"};
        QTest::newRow("carirapor") << "carirapor"
                                   << "select * from veresiye ORDER BY Tarih2,[Saat]"
                                   << QStringList{"AÇIKLAMA", "Ekmek", "TOPLAM BAKİYE:"};
        QTest::newRow("Extre") << "Extre"
                               << "select * from veresiye ORDER BY Tarih2,[Saat]"
                               << QStringList{"TAHSİLAT / SATIŞ", "Ekmek", "Teslim Alan"};
        QTest::newRow("CariGunlukRapor")
            << "CariGunlukRapor"
            << "select * from veresiye ORDER BY [Tarih],[Saat]"
            << QStringList{"Günlük Satışlar Tahsilatlar", "Ekmek", "Toplam İşlem Sayısı"};
    }
    void pdfOfEachLayout()
    {
        QFETCH(QString, layout);
        QFETCH(QString, source);
        QFETCH(QStringList, expected);
        addCustomers(5);
        addSales({{"05.03.2024", "09:00:00", "Satış", "Ekmek", "2", "Adet", "5", 10.0, {}, "A"},
                  {"05.03.2024", "11:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, 15.0, "B"}});
        pv::Report &r = Reports::get(layout);
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(source);
        const QString pdf = filePath(layout + QStringLiteral(".pdf"));
        QVERIFY(r.exportPdf(pdf));
        const QString text = readBack(pdf, {QStringLiteral("-layout")});
        for (const QString &e : expected)
            QVERIFY2(text.contains(e), qPrintable(e + QStringLiteral(" missing in:\n") + text));
    }

    // However long a text, it prints on its control's one line and stops at the box's
    // right edge: read back from the PDF, no word stands outside the box it belongs to.
    void longTextsStayInTheirBoxes_data()
    {
        QTest::addColumn<QString>("layout");
        for (const char *name : {"musterilistesi", "carirapor", "CariGunlukRapor", "Extre", "kasaRapor",
                                 "stokraporyazdir", "Sozlesme"})
            QTest::newRow(name) << name;
    }
    void longTextsStayInTheirBoxes()
    {
        QFETCH(QString, layout);
        const QString tail = QStringLiteral("SONDAKİ");
        const QString longText =
            QStringLiteral("ÖDEME YAPILDI (TAHSİLAT - Çağrı Öztürk / 1 - ( TL/Alış faturası) ").repeated(3) +
            tail;
        pv::Report &r = Reports::get(layout);
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select 1 as Bir")); // one detail row
        QSet<QString> growing;
        for (pv::ReportControl &c : r.controls()) {
            if ((c.kind() != pv::ControlKind::Label && c.kind() != pv::ControlKind::Field) ||
                c.summary().type != pv::SummaryType::None)
                continue;
            c.setDataField(QString());
            c.setCaption(longText);
            if (c.canGrow())
                growing.insert(c.name());
        }
        const pv::ReportDocument doc = r.run();
        const QString pdf = filePath(layout + QStringLiteral(".pdf"));
        QVERIFY(doc.exportPdf(pdf));

        QStringList faults;
        for (const PageText &t : doc.pageModel().texts)
            if (!growing.contains(t.item) && (t.text.contains(QLatin1Char('\n')) || t.text.contains(tail)))
                faults << QStringLiteral("%1 printed whole: \"%2\"").arg(t.item, t.text);
            else if (longText.startsWith(t.text) && !t.cut)
                faults << QStringLiteral("%1 not told cut: \"%2\"").arg(t.item, t.text);
        const QList<PdfWord> words = pdfWords(pdf);
        QVERIFY(!words.isEmpty());
        const double slack = 20; // a point: pdftotext's boxes are the glyphs' cells
        for (const PdfWord &w : words) {
            const QList<PageText> onPage = doc.pageModel().onPage(w.page);
            QList<PageText> row; // the boxes the word's line runs through
            for (const PageText &t : onPage)
                if (t.rect.top() - slack <= w.box.center().y() &&
                    w.box.center().y() <= t.rect.bottom() + slack)
                    row << t;
            auto holds = [&](const PageText &t, double from, double to) {
                return t.rect.left() - slack <= from && to <= t.rect.right() + 1 + slack;
            };
            bool inside = false;
            for (const PageText &t : row)
                inside = inside || holds(t, w.box.left(), w.box.right());
            // pdftotext joins the end of one box's text and the start of its neighbour's
            // into one word when they stand close: that reads as both, each in its box.
            for (const PageText &a : row)
                for (const PageText &b : row)
                    for (int k = 1; !inside && k < w.text.size(); ++k)
                        inside = a.rect.right() <= b.rect.left() + slack &&
                                 holds(a, w.box.left(), a.rect.right()) &&
                                 holds(b, b.rect.left(), w.box.right()) &&
                                 a.text.trimmed().endsWith(w.text.left(k)) &&
                                 b.text.trimmed().startsWith(w.text.mid(k));
            if (!inside)
                faults << QStringLiteral("page %1: \"%2\" at %3..%4 twips stands outside its box")
                              .arg(w.page)
                              .arg(w.text)
                              .arg(w.box.left(), 0, 'f', 0)
                              .arg(w.box.right(), 0, 'f', 0);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    // A row is as tall as its text at every size a print panel offers: each text has the
    // font's full height (the tops of İ, Ö, Ğ to the tails of ş, ğ, y and the comma) in the
    // box it is drawn in; the cells of a row grow together, the row's stripe and lines with
    // them; rows follow one another without overlapping and stay above the page footer. Up
    // to the default size nothing grows: every box keeps its layout height. Every text of
    // every layout at the size, as the receipt prints; the prints that size only their
    // detail rows ask less.
    void rowsAreAsTallAsTheirText_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("size"); // empty: the layout's own sizes
        for (const char *layout : {"musterilistesi", "CariGunlukRapor", "carirapor", "Extre", "Sozlesme",
                                   "kasaRapor", "stokraporyazdir"})
            for (const char *size : {"", "3", "8", "12", "13", "14"})
                QTest::addRow("%s at %s", layout, *size ? size : "design") << layout << size;
    }
    void rowsAreAsTallAsTheirText()
    {
        QFETCH(QString, layout);
        QFETCH(QString, size);
        pv::Report &r = Reports::get(layout);
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 90) SELECT i FROM n"));
        QHash<QString, int> designHeight;
        for (pv::ReportControl &c : r.controls()) {
            designHeight.insert(c.name(), c.height());
            if (c.kind() != pv::ControlKind::Label && c.kind() != pv::ControlKind::Field)
                continue;
            if (!size.isEmpty())
                c.setFontSize(size);
            if (c.summary().type == pv::SummaryType::None && !c.canGrow()) {
                c.setDataField(QString());
                c.setCaption(QStringLiteral("Ayşe Öğüt Çelik 88,88"));
            }
        }
        const int designRow = r.section(QStringLiteral("Detail")).height();
        const pv::ReportDocument doc = r.run();
        QVERIFY(doc.pageCount() > 1);
        const bool atMostDefault = size.isEmpty() || size.toDouble() <= 8;

        QStringList faults;
        for (int p = 0; p < doc.pageCount(); ++p) {
            QList<QRect> rows; // the detail rows' stripes, in print order
            int footerTop = doc.sheetHeight;
            for (const pv::ReportDrawOp &op : doc.pages[p]) {
                if (op.type == pv::ReportDrawOp::Fill && op.section == QLatin1String("Detail") &&
                    op.item.isEmpty())
                    rows << op.rect;
                if (op.type == pv::ReportDrawOp::Text && op.section == QLatin1String("PageFooter"))
                    footerTop = std::min(footerTop, op.rect.top());
            }
            const QString where = QStringLiteral("page %1: ").arg(p + 1);
            for (int i = 0; i < rows.size(); ++i) {
                if (i > 0 && rows[i].top() != rows[i - 1].top() + rows[i - 1].height())
                    faults << where + QStringLiteral("row %1 does not follow the row above").arg(i + 1);
                if (rows[i].top() + rows[i].height() > footerTop)
                    faults << where + QStringLiteral("row %1 runs into the page footer").arg(i + 1);
                if (atMostDefault && rows[i].height() != designRow)
                    faults << where + QStringLiteral("row %1 grew to %2").arg(i + 1).arg(rows[i].height());
            }
            QMap<int, QSet<int>> rowGrowth; // by the row's top: how far its cells grew
            QMap<int, int> rowBottom;       // by the row's top: where its lowest cell ends
            for (const pv::ReportDrawOp &op : doc.pages[p]) {
                if (op.type == pv::ReportDrawOp::Fill)
                    continue;
                const QRect box = op.type == pv::ReportDrawOp::Line
                                      ? QRect(op.line.p1(), op.line.p2()).normalized()
                                      : op.rect;
                if (op.section == QLatin1String("Detail")) {
                    bool inStripe = rows.isEmpty();
                    for (const QRect &row : rows)
                        inStripe = inStripe || row.adjusted(0, 0, 1, 1).contains(box);
                    if (!inStripe)
                        faults << where + op.item + QStringLiteral(" stands outside its row's stripe");
                }
                if (op.type != pv::ReportDrawOp::Text)
                    continue;
                PageText t;
                t.fontFamily = op.font.family;
                t.fontSize = op.font.size;
                t.bold = op.font.bold;
                const QFontMetricsF fm = metricsOf(t);
                const int lines = int(op.text.count(QLatin1Char('\n')));
                const double needed = lines * fm.lineSpacing() + fm.ascent() + fm.descent();
                if (needed > op.rect.height())
                    faults << where + QStringLiteral("%1 \"%2\" needs %3 twips, has %4")
                                          .arg(op.item, op.text)
                                          .arg(needed, 0, 'f', 1)
                                          .arg(op.rect.height());
                const int grown = op.rect.height() - designHeight.value(op.item);
                if (atMostDefault && grown != 0 && lines == 0)
                    faults << where + QStringLiteral("%1 grew by %2 twips").arg(op.item).arg(grown);
                if (op.section == QLatin1String("Detail")) {
                    rowGrowth[op.rect.top()].insert(grown);
                    rowBottom[op.rect.top()] = std::max(rowBottom.value(op.rect.top()), op.rect.bottom());
                }
            }
            for (auto it = rowGrowth.cbegin(); it != rowGrowth.cend(); ++it)
                if (it->size() > 1)
                    faults << where + QStringLiteral("the cells of the row at %1 grew apart").arg(it.key());
            // The same by the cells, for the layouts whose rows have no stripe.
            for (auto it = rowBottom.cbegin(); it != rowBottom.cend(); ++it) {
                const auto next = std::next(it);
                if (next != rowBottom.cend() && next.key() <= it.value())
                    faults << where + QStringLiteral("the row at %1 runs into the next").arg(it.key());
                if (next != rowBottom.cend() && atMostDefault && next.key() - it.key() != designRow)
                    faults << where + QStringLiteral("the row at %1 stands %2 twips above the next")
                                          .arg(it.key())
                                          .arg(next.key() - it.key());
                if (it.value() > footerTop)
                    faults << where + QStringLiteral("the row at %1 runs into the page footer").arg(it.key());
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    // At size 14 the customer list's row draws the tails below the line: the cedillas of
    // "Ayşe Öğüt Çelik" and the decimal comma of "88,88" (cut to a point, it reads as
    // eight thousand eight hundred and eighty-eight).
    void largeRowShowsInkBelowTheLine()
    {
        exec(QStringLiteral("DELETE FROM musteriler"));
        QVERIFY(m_h->exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma, Turu, Gun, Bakiye) "
                                         "VALUES (1001, 'Ayşe Öğüt Çelik', 'Alıcı', 3, 88.88)")));
        pv::Report &r = Reports::get(QStringLiteral("musterilistesi"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * from musteriler"));
        for (const char *name : {"Field1", "Field2", "Field10", "Field4", "Field12", "Field13", "lblRank"})
            r.control(QLatin1String(name)).setFontSize(QStringLiteral("14"));
        const pv::ReportDocument doc = r.run();
        const PageModel m = doc.pageModel();
        const double dpi = 288;
        const QImage img = doc.pageImage(0, dpi);
        auto px = [&](double twips) { return int(std::lround(twips * dpi / 1440)); };
        for (const auto &[item, text] :
             {std::pair{"Field10", "Ayşe Öğüt Çelik"}, std::pair{"Field13", "88,88"}}) {
            const QList<PageText> printed = m.ofItem(QLatin1String(item));
            QCOMPARE(printed.size(), 1);
            const PageText &t = printed.first();
            QCOMPARE(t.text, QString::fromUtf8(text));
            const QFontMetricsF fm = metricsOf(t);
            // Below the line by a twentieth of the size, above the row's rule and clear of
            // the cell's right rule.
            const QRect below(
                QPoint(px(t.rect.left() + pv::kReportTextPad), px(t.rect.top() + fm.ascent() + 14)),
                QPoint(px(t.rect.right() - pv::kReportTextPad), px(t.rect.bottom()) - 3));
            QVERIFY2(below.height() > 3, qPrintable(QString::fromUtf8(text)));
            const QList<QPair<int, int>> ink =
                pv::test::inkRuns(img, below, [](QRgb p) { return qGray(p) < 128; });
            QVERIFY2(!ink.isEmpty(),
                     qPrintable(QString::fromUtf8(text) + QStringLiteral(" shows nothing below the line")));
        }
    }

    // The contract's amount in words grows downward within the print area: the largest
    // amount is printed whole, and the contract's text below it moves down.
    void contractAmountInWordsWraps()
    {
        const QString words =
            QStringLiteral("DokuzYüzDoksanDokuzMilyarDokuzYüzDoksanDokuzMilyonDokuzYüzDoksanDokuzBin"
                           "DokuzYüzDoksanDokuz TL ve DoksanDokuz Kr");
        pv::Report &r = Reports::get(QStringLiteral("Sozlesme"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * from veresiye"));
        r.label(QStringLiteral("Label201")).setCaption(words);
        const pv::ReportDocument doc = r.run();
        const PageModel m = doc.pageModel();
        const QList<PageText> amount = m.ofItem(QStringLiteral("Label201"));
        QCOMPARE(amount.size(), 1);
        const QStringList lines = amount[0].text.split(QLatin1Char('\n'));
        QVERIFY2(lines.size() > 1, qPrintable(amount[0].text));
        QCOMPARE(lines.join(QString()).remove(QLatin1Char(' ')), QString(words).remove(QLatin1Char(' ')));
        // The first word is wider than the box: it breaks where a word of the compound starts.
        QCOMPARE(lines,
                 (QStringList{QStringLiteral("DokuzYüzDoksanDokuzMilyarDokuzYüzDoksanDokuzMilyonDokuzYüz"
                                             "DoksanDokuzBinDokuzYüz"),
                              QStringLiteral("DoksanDokuz TL ve DoksanDokuz Kr")}));
        const QRect box = amount[0].rect;
        const int printRight = doc.sheetWidth - 720;
        QVERIFY(box.right() <= printRight);
        const QList<PageText> below = m.ofItem(QStringLiteral("lblMetin3"));
        QCOMPARE(below.size(), 1);
        QVERIFY2(below[0].rect.top() >= box.bottom(),
                 qPrintable(QStringLiteral("%1 < %2").arg(below[0].rect.top()).arg(box.bottom())));

        const QString pdf = filePath(QStringLiteral("sozlesme.pdf"));
        QVERIFY(doc.exportPdf(pdf));
        const QString text = readBack(pdf);
        QVERIFY2(text.contains(QStringLiteral("DoksanDokuz Kr")), qPrintable(text));
        for (const PdfWord &w : pdfWords(pdf))
            QVERIFY2(w.box.right() <= printRight + 20, qPrintable(w.text));
    }

    // A figure prints whole on the receipt at every size the account window offers: one too
    // wide for its box is drawn smaller, no smaller than it needs; one that fits keeps the
    // chosen size; a text too long even at the default size keeps the chosen size and is
    // cut. Read back from the PDF.
    void receiptFiguresPrintWhole_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("price"); // BirimFiyat is stored as text
        QTest::newRow("3") << "3" << 999999999999.99 << "999999999999,99";
        QTest::newRow("8") << "8" << 999999999999.99 << "999999999999,99";
        QTest::newRow("14") << "14" << 999999999999.99 << "999.999.999.999,99";
        QTest::newRow("14, negative") << "14" << -999999999999.99 << "-999999999999,99";
        QTest::newRow("8, small") << "8" << 1234.5 << "1.234,50";
    }
    void receiptFiguresPrintWhole()
    {
        QFETCH(QString, size);
        QFETCH(double, amount);
        QFETCH(QString, price);
        const QString text = QStringLiteral("Kombi bakımı, petek temizliği ve parça değişimi ").repeated(4);
        addSales({{"05.03.2024", "09:00:00", "Satış", text, "1", "Adet", price, amount, {}, "A"},
                  {"05.03.2024", "10:00:00", "Tahsilat", "Nakit", {}, {}, {}, {}, amount, "A"}});
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * FROM veresiye WHERE Tarih2 like  '20240305' and  "
                                                 "mus_kodu= 'A' ORDER BY Tarih,[Saat] asc "));
        const QString money = pv::formatMoney(amount);
        const QStringList totals{"Label173", "Label175", "Label177", "Label186", "Label187", "Label188"};
        for (const QString &label : totals)
            r.label(label).setCaption(money);
        // As the account window prints it: every control at the chosen size.
        for (pv::ReportControl &c : r.controls())
            c.setFontSize(size);
        const pv::ReportDocument doc = r.run();
        const PageModel m = doc.pageModel();
        const QString pdf = filePath(QStringLiteral("makbuz.pdf"));
        QVERIFY(doc.exportPdf(pdf));
        const QList<PdfWord> words = pdfWords(pdf);

        // The amounts of the lines print as stored, their totals formatted.
        const QString plain = pv::plainNumber(amount);
        QMap<QString, QString> figures{{"Field2", "1"},   {"Field4", price}, {"Field5", plain},
                                       {"Field6", plain}, {"Field8", money}, {"Field9", money}};
        for (const QString &label : totals)
            figures.insert(label, money);
        const double chosen = size.toDouble();
        for (auto it = figures.cbegin(); it != figures.cend(); ++it) {
            const QString what = it.key() + QStringLiteral(": ") + it.value();
            const QList<PageText> printed = m.ofItem(it.key());
            QVERIFY2(printed.size() == 1, qPrintable(what));
            const PageText &t = printed.first();
            QVERIFY2(t.text == it.value() && !t.cut, qPrintable(what + QStringLiteral(" printed ") + t.text));
            QVERIFY2(advanceAt(t, t.fontSize) <= roomOf(t), qPrintable(what));
            if (advanceAt(t, chosen) <= roomOf(t)) {
                QVERIFY2(t.fontSize == chosen, qPrintable(what));
            } else {
                QVERIFY2(t.fontSize < chosen, qPrintable(what));
                QVERIFY2(advanceAt(t, t.fontSize) >= 0.9 * roomOf(t), qPrintable(what));
            }
            bool read = false;
            for (const PdfWord &w : words)
                read = read || (w.text == it.value() && w.box.left() >= t.rect.left() - 20 &&
                                w.box.right() <= t.rect.right() + 20);
            QVERIFY2(read, qPrintable(what + QStringLiteral(" not read back in its box")));
        }
        const PageText line = m.ofItem(QStringLiteral("Field7")).first();
        QVERIFY(line.cut);
        QVERIFY(text.startsWith(line.text));
        QCOMPARE(line.fontSize, chosen);
    }

    // At the layout's own size only a figure is drawn smaller, at size 14 as at any other: a
    // number, a date, a time or a month in every form the program prints them; any other text
    // that does not fit its one line is cut ("TOPLAM ÖDENEN :" keeps its cut on purpose).
    void onlyFiguresShrink_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("figure");
        QTest::newRow("grouped") << "1.234.567.890,12" << true;
        QTest::newRow("plain") << "123456789012,5" << true;
        QTest::newRow("negative") << "-1.234.567.890" << true;
        QTest::newRow("row number") << " 123456789012" << true;
        QTest::newRow("date") << "11.12.2026" << true;
        QTest::newRow("date and time") << "11.12.2026 10:11:12" << true;
        QTest::newRow("time") << "10:11:12" << true;
        QTest::newRow("hours and minutes") << "10:11" << true;
        QTest::newRow("month") << "12/2026" << true;
        QTest::newRow("with currency") << "1.234.567.890,12 TL" << false;
        QTest::newRow("points not in threes") << "1.23.4567.890,12" << false;
        QTest::newRow("two commas") << "1234567890,12,5" << false;
        QTest::newRow("code") << "12345-67890-12" << false;
        QTest::newRow("word") << "Onikimilyar" << false;
        QTest::newRow("label") << "TOPLAM ÖDENEN :" << false;
        QTest::newRow("date with a word") << "Tarih: 11.12.2026" << false;
        QTest::newRow("date of slashes") << "11/12/2026" << false;
        QTest::newRow("time span") << "10:11-12:13" << false;
    }
    void onlyFiguresShrink()
    {
        QFETCH(QString, text);
        QFETCH(bool, figure);
        const QString json = QStringLiteral(R"({
  "name": "dar", "paper": {"width": 11906, "height": 16838},
  "sections": [{"kind": "PageHeader", "name": "PageHeader", "height": 400}],
  "controls": [{"name": "Label1", "kind": "Label", "section": "PageHeader", "left": 0, "top": 0,
                "width": 700, "height": 300, "text": "", "font": "Tahoma", "size": 14, "align": "right"}]
})");
        auto layout = pv::ReportLayout::fromJson(json.toUtf8());
        QVERIFY(layout);
        pv::Report r(layout, {});
        r.label(QStringLiteral("Label1")).setCaption(text);
        const QList<PageText> printed = r.runToPageModel().ofItem(QStringLiteral("Label1"));
        QCOMPARE(printed.size(), 1);
        const PageText &t = printed.first();
        PageText whole = t;
        whole.text = text;
        QVERIFY(advanceAt(whole, 14) > roomOf(t)); // none fits at its size
        QCOMPARE(t.cut, !figure);
        QCOMPARE(t.text == text, figure);
        QCOMPARE(t.fontSize < 14, figure);
        QVERIFY(advanceAt(t, t.fontSize) <= roomOf(t));
    }

    // A text that prints whole on its one line at the default size prints every word at
    // any other size the print sets, inside its box, on every layout: drawn smaller where
    // it needs to be, never cut at the edge or running under the next column, at the
    // preview's resolution as at the PDF's. One word more than fits at the default size is
    // cut as before, at the size chosen. At the default size nothing changes.
    void textsWholeAtTheDefaultSizeStayWhole_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("wholeAtDefault");
        for (const char *layout : {"musterilistesi", "carirapor", "CariGunlukRapor", "Extre", "kasaRapor",
                                   "stokraporyazdir", "Sozlesme"})
            for (const char *size : {"", "3", "8", "10", "14"})
                for (const bool whole : {true, false})
                    QTest::addRow("%s at %s, %s", layout, *size ? size : "the layout's sizes",
                                  whole ? "whole at 8" : "a word too long at 8")
                        << layout << size << whole;
    }
    void textsWholeAtTheDefaultSizeStayWhole()
    {
        QFETCH(QString, layout);
        QFETCH(QString, size);
        QFETCH(bool, wholeAtDefault);
        const QStringList words =
            QStringLiteral("Yağmur Ağaoğlu Gıda Pazarlama Çağlayan Şubesi Stoktan Bağımsız Satış Öğüt Çelik "
                           "TOPLAM ÖDENEN İŞLEM TÜRÜ Yağmur Ağaoğlu Gıda Pazarlama Çağlayan Şubesi")
                .split(QLatin1Char(' '));
        const QStringList spares{QStringLiteral("Gün"), QStringLiteral("İş"), QStringLiteral("Ş")};
        pv::Report &r = Reports::get(layout);
        auto texts = [&r] {
            std::vector<pv::ReportControl *> out;
            for (pv::ReportControl &c : r.controls())
                if ((c.kind() == pv::ControlKind::Label || c.kind() == pv::ControlKind::Field) &&
                    c.summary().type == pv::SummaryType::None)
                    out.push_back(&c);
            return out;
        };
        // What the layout's handlers write (row numbers, print dates) prints without a caption.
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select 1 as Bir")); // one detail row
        for (pv::ReportControl *c : texts()) {
            c->setDataField(QString());
            c->setCaption(QString());
        }
        QSet<QString> handlers;
        for (const PageText &t : r.runToPageModel().texts)
            handlers.insert(t.item);

        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select 1 as Bir"));
        QHash<QString, QString> given;
        int i = 0;
        for (pv::ReportControl *control : texts()) {
            pv::ReportControl &c = *control;
            if (!size.isEmpty())
                c.setFontSize(size);
            if (handlers.contains(c.name()))
                continue;
            if (!wholeAtDefault && c.canGrow())
                continue; // a growing text wraps whatever its length
            PageText font;
            font.fontFamily = c.fontFamily();
            font.bold = c.isBold();
            const double room = c.width() - 2 * pv::kReportTextPad;
            const QStringList from = words.mid(i++ % 12);
            QString text = wordsFitting(from, wholeAtDefault ? spares : QStringList(), font, 8, room);
            if (!wholeAtDefault) {
                const int fit = text.isEmpty() ? 0 : int(text.count(QLatin1Char(' '))) + 1;
                text = fit < from.size() ? from.mid(0, fit + 1).join(QLatin1Char(' ')) : QString();
            }
            if (text.isEmpty())
                continue;
            c.setDataField(QString());
            c.setCaption(text);
            given.insert(c.name(), text);
        }
        QHash<QString, double> designSize;
        for (const pv::ReportControl &c : r.layout().controls)
            designSize.insert(c.name(), c.fontSize());
        const pv::ReportDocument doc = r.run();

        QStringList faults;
        int checked = 0;
        for (const auto &page : doc.pages)
            for (const pv::ReportDrawOp &op : page) {
                if (op.type != pv::ReportDrawOp::Text || !given.contains(op.item))
                    continue;
                ++checked;
                const QString text = given.value(op.item);
                const double chosen = size.isEmpty() ? designSize.value(op.item) : size.toDouble();
                const QString what = QStringLiteral("%1 \"%2\" printed \"%3\" at %4: ")
                                         .arg(op.item, text, op.text)
                                         .arg(op.font.size);
                // A text too long at the default size, and every text where the print sets no
                // size, prints as before: whole where it fits its line, else cut, at its size.
                if (!wholeAtDefault || size.isEmpty()) {
                    PageText t;
                    t.fontFamily = op.font.family;
                    t.bold = op.font.bold;
                    t.text = text;
                    t.rect = op.rect;
                    const bool fits =
                        advanceAt(t, chosen) <= roomOf(t) || op.text.contains(QLatin1Char('\n'));
                    if (op.font.size != chosen || op.cut == fits ||
                        (fits ? QString(op.text).replace(QLatin1Char('\n'), QLatin1Char(' ')) != text
                              : !text.startsWith(op.text) || op.text == text))
                        faults << what + QStringLiteral("not as before: whole where it fits, else cut");
                    if (!wholeAtDefault || op.cut)
                        continue;
                }
                if (op.cut || QString(op.text).replace(QLatin1Char('\n'), QLatin1Char(' ')) != text)
                    faults << what + QStringLiteral("not whole");
                if (op.font.size > chosen || (chosen == 8 && (op.font.size != 8 || op.lineSize != 0)))
                    faults << what + QStringLiteral("not at the size chosen");
                for (const int dpi : {96, 1200}) {
                    const Drawn d = drawnOn(doc, op, dpi);
                    const QString where = what + QStringLiteral("at %1 dpi ").arg(dpi);
                    if (d.text != text)
                        faults << where + QStringLiteral("drawn as \"%1\"").arg(d.text);
                    if (!d.onItsRow || (d.oneLine != !op.text.contains(QLatin1Char('\n'))))
                        faults << where + QStringLiteral("drawn off its line");
                    if (d.left < op.rect.left() || d.right > op.rect.left() + op.rect.width())
                        faults << where + QStringLiteral("drawn from %1 to %2, its box from %3 to %4")
                                              .arg(d.left, 0, 'f', 1)
                                              .arg(d.right, 0, 'f', 1)
                                              .arg(op.rect.left())
                                              .arg(op.rect.left() + op.rect.width());
                    // A line the device holds within its box is drawn as the run laid it out,
                    // at its own width: nothing pressed or moved.
                    const double natural = deviceAdvance(op, dpi);
                    if (d.oneLine && natural <= op.rect.width() - pv::kReportTextPad &&
                        std::abs((d.right - d.left) - natural) > 0.01)
                        faults << where + QStringLiteral("drawn %1 wide, laid out %2")
                                              .arg(d.right - d.left, 0, 'f', 2)
                                              .arg(natural, 0, 'f', 2);
                }
            }
        QVERIFY(checked > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    // Two prints as their windows make them: the customer list and the account report size
    // their rows from the panel's chooser. At every size the chooser
    // offers the name and the kind print every word in their boxes, on the screen and in
    // the PDF, whose text holds them too.
    void reportedTextsPrintWhole_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("sized");
        QTest::newRow("customer list")
            << "musterilistesi"
            << "Field10"
            << "Yağmur Ağaoğlu Gıda Pazarlama Çağlayan Şubesi"
            << QStringList{"Field1", "Field2", "Field10", "Field4", "Field12", "Field13", "lblRank"};
        QTest::newRow("account report")
            << "carirapor"
            << "Field17"
            << "Stoktan Bağımsız Satış" << QStringList{"lblRank", "Field1",  "Field2",  "Field17", "Field10",
                                                       "Field18", "Field19", "Field20", "Field13", "Field14"};
    }
    void reportedTextsPrintWhole()
    {
        QFETCH(QString, layout);
        QFETCH(QString, item);
        QFETCH(QString, text);
        QFETCH(QStringList, sized);
        exec(QStringLiteral("DELETE FROM musteriler"));
        QVERIFY(m_h->exec(QStringLiteral("INSERT INTO musteriler (mus_kodu, MusteriFirma, Turu, Gun, Bakiye) "
                                         "VALUES (1001, ?, 'Alıcı', 3, 88.88)"),
                          {text}));
        addSales({{"05.03.2024", "09:00:00", text, "Ekmek", "2", "Adet", "5", 10.0, {}, "A"}});
        for (int size = 3; size <= 14; ++size) {
            pv::Report &r = Reports::get(layout);
            r.dataControl().setDatabase(m_db);
            r.dataControl().setSource(layout == QLatin1String("musterilistesi")
                                          ? QStringLiteral("select * from musteriler")
                                          : QStringLiteral("select * from veresiye ORDER BY Tarih2,[Saat]"));
            for (const QString &name : sized)
                r.control(name).setFontSize(QString::number(size));
            const pv::ReportDocument doc = r.run();
            const QString what = QStringLiteral("at %1: ").arg(size);
            const pv::ReportDrawOp *printed = nullptr;
            for (const pv::ReportDrawOp &op : doc.pages.front())
                if (op.type == pv::ReportDrawOp::Text && op.item == item)
                    printed = &op;
            QVERIFY2(printed, qPrintable(what));
            QVERIFY2(printed->text == text && !printed->cut, qPrintable(what + printed->text));
            for (const int dpi : {96, 600, 1200}) {
                const Drawn d = drawnOn(doc, *printed, dpi);
                QVERIFY2(d.text == text && d.oneLine, qPrintable(what + d.text));
                QVERIFY2(
                    printed->rect.left() <= d.left && d.right <= printed->rect.left() + printed->rect.width(),
                    qPrintable(what + QStringLiteral("%1 dpi: %2..%3").arg(dpi).arg(d.left).arg(d.right)));
            }
            if (size != 14)
                continue;
            const QString pdf = filePath(layout + QStringLiteral(".pdf"));
            QVERIFY(doc.exportPdf(pdf));
            QVERIFY2(readBack(pdf).contains(text), qPrintable(readBack(pdf)));
            for (const QString &word : text.split(QLatin1Char(' '))) {
                bool inside = false;
                for (const PdfWord &w : pdfWords(pdf))
                    inside = inside || (w.text == word && printed->rect.left() <= w.box.left() &&
                                        w.box.right() <= printed->rect.left() + printed->rect.width());
                QVERIFY2(inside, qPrintable(word + QStringLiteral(" not read back in its box")));
            }
        }
    }

    // The account's receipt prints every caption at the size chosen (its window sets them
    // all): at 14 each caption is whole inside its box, and the bold heading over the
    // totals takes its band and the captions on it down, so nothing stands on its letters'
    // tails. At 8 the band keeps its place.
    void receiptCaptionsAndHeadingAtTheLargestSize_data()
    {
        QTest::addColumn<QString>("size");
        QTest::newRow("8") << "8";
        QTest::newRow("14") << "14";
    }
    void receiptCaptionsAndHeadingAtTheLargestSize()
    {
        QFETCH(QString, size);
        addSales({{"05.03.2024", "09:00:00", "Satış", "Ekmek", "2", "Adet", "5", 10.0, {}, "A"}});
        pv::Report &r = Reports::get(QStringLiteral("Extre"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * FROM veresiye WHERE mus_kodu = 'A'"));
        QHash<QString, QString> captions;
        for (pv::ReportControl &c : r.controls()) {
            c.setFontSize(size);
            if (c.kind() == pv::ControlKind::Label && c.isVisible())
                captions.insert(c.name(), c.caption());
        }
        const pv::ReportDocument doc = r.run();
        QStringList faults;
        const pv::ReportDrawOp *heading = nullptr;
        for (const pv::ReportDrawOp &op : doc.pages.front()) {
            if (op.type != pv::ReportDrawOp::Text)
                continue;
            if (op.item == QLatin1String("Label191"))
                heading = &op;
            if (!captions.contains(op.item) || !captions.value(op.item).startsWith(op.text))
                continue; // a caption the receipt's handler writes
            const Drawn d = drawnOn(doc, op, 300);
            if (op.cut || d.text != op.text.simplified() || d.left < op.rect.left() ||
                d.right > op.rect.left() + op.rect.width())
                faults << QStringLiteral("%1 \"%2\" drawn \"%3\" from %4 to %5, its box %6 to %7")
                              .arg(op.item, op.text, d.text)
                              .arg(d.left)
                              .arg(d.right)
                              .arg(op.rect.left())
                              .arg(op.rect.left() + op.rect.width());
        }
        for (const char *name : {"Label171", "Label125", "Label126", "Label114", "Label178", "Label181",
                                 "Label185", "Label187s", "Label189", "Label172", "Label174", "Label176"})
            if (!captions.contains(QLatin1String(name)))
                faults << QStringLiteral("%1 not printed").arg(QLatin1String(name));
        QVERIFY(heading);
        PageText font;
        font.fontFamily = heading->font.family;
        font.fontSize = heading->font.size;
        font.bold = heading->font.bold;
        const QFontMetricsF fm = metricsOf(font);
        const double tails = heading->rect.top() + fm.ascent() + fm.descent();
        int below = 0;
        for (const pv::ReportDrawOp &op : doc.pages.front()) {
            const QRect box =
                op.type == pv::ReportDrawOp::Line ? QRect(op.line.p1(), op.line.p2()).normalized() : op.rect;
            if (op.item == heading->item || op.section != heading->section ||
                box.top() <= heading->rect.top() || box.top() > heading->rect.bottom())
                continue;
            ++below;
            if (box.top() < tails)
                faults << QStringLiteral("%1 at %2 stands on the heading's letters, which reach %3")
                              .arg(op.item)
                              .arg(box.top())
                              .arg(tails, 0, 'f', 1);
        }
        QVERIFY(below > 0);
        for (const pv::ReportControl &c : r.layout().controls)
            if (c.name() == heading->item && size == QLatin1String("8"))
                QCOMPARE(heading->rect.height(), c.height());
        QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
    }

    // A figure drawn smaller stands on the same line as the row's other texts: its digits
    // end where those of a figure at the row's size do (no comma: it reaches below the line).
    void smallerFigureKeepsTheLine()
    {
        const QString json = QStringLiteral(R"({
  "name": "satir", "paper": {"width": 11906, "height": 16838},
  "margins": {"left": 0, "right": 0, "top": 0, "bottom": 0},
  "sections": [{"kind": "PageHeader", "name": "PageHeader", "height": 1440}],
  "controls": [
    {"name": "Label1", "kind": "Label", "section": "PageHeader", "left": 720, "top": 720, "width": 1440,
     "height": 400, "text": "12", "font": "Tahoma", "size": 14},
    {"name": "Label2", "kind": "Label", "section": "PageHeader", "left": 2160, "top": 720, "width": 1440,
     "height": 400, "text": "999.999.999.999.999", "font": "Tahoma", "size": 14}]
})");
        auto layout = pv::ReportLayout::fromJson(json.toUtf8());
        QVERIFY(layout);
        pv::Report r(layout, {});
        const pv::ReportDocument doc = r.run();
        QVERIFY(doc.pageModel().ofItem(QStringLiteral("Label2")).first().fontSize < 10);
        const double dpi = 288;
        const QImage img = doc.pageImage(0, dpi);
        auto lastInkRow = [&](int leftTwips) {
            const int x0 = int(leftTwips * dpi / 1440), x1 = int((leftTwips + 1440) * dpi / 1440);
            const int y0 = int(720 * dpi / 1440), y1 = int(1120 * dpi / 1440);
            int last = -1;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if (qGray(img.pixel(x, y)) < 128)
                        last = y;
            return last;
        };
        const int big = lastInkRow(720), small = lastInkRow(2160);
        QVERIFY(big > 0 && small > 0);
        QVERIFY2(std::abs(big - small) <= 1, qPrintable(QStringLiteral("%1 vs %2").arg(big).arg(small)));
    }

    // "PDF Olarak Kaydet..." proposes the title as the file name, a slash in it made a dash
    // (it would stand for a folder); the PDF goes where the user picked.
    void previewProposesTheTitleAsFileName_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("picked");
        QTest::newRow("slash") << "Extre"
                               << "TAHSİLAT - SATIŞ  İŞLEM MAKBUZU.pdf"
                               << "makbuz";
        QTest::newRow("plain") << "musterilistesi"
                               << "Müşteri Listesi.pdf"
                               << "liste.pdf";
        QTest::newRow("cancelled") << "Extre"
                                   << "TAHSİLAT - SATIŞ  İŞLEM MAKBUZU.pdf"
                                   << "";
    }
    void previewProposesTheTitleAsFileName()
    {
        QFETCH(QString, layout);
        QFETCH(QString, proposed);
        QFETCH(QString, picked);
        addCustomers(2);
        addSales({{"05.03.2024", "09:00:00", "Satış", "Ekmek", "2", "Adet", "5", 10.0, {}, "A"}});
        pv::Report &r = Reports::get(layout);
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(layout == QLatin1String("Extre")
                                      ? QStringLiteral("select * from veresiye")
                                      : QStringLiteral("select * from musteriler"));
        const QString path = picked.isEmpty() ? QString() : filePath(picked);
        m_h->expectSaveFile(path);
        m_h->onModal<pv::ReportPreview>([&](pv::ReportPreview &w) {
            QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("btnPdf")), Qt::LeftButton);
            w.close();
        });
        r.showPreviewModal();
        pv::test::Harness::settle();

        const QList<pv::PickerCall> &calls = m_h->pickerCalls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].kind, pv::PickerCall::SaveFile);
        QCOMPARE(calls[0].title, QStringLiteral("PDF Olarak Kaydet"));
        QCOMPARE(calls[0].fileName, proposed);
        QVERIFY(pv::filterMatches(calls[0].filter, proposed));
        const QStringList written = QDir(m_h->folder()).entryList({QStringLiteral("*.pdf")});
        if (picked.isEmpty()) {
            QVERIFY(written.isEmpty());
            return;
        }
        const QString pdf = picked.endsWith(QLatin1String(".pdf")) ? path : path + QStringLiteral(".pdf");
        QCOMPARE(written, QStringList{QFileInfo(pdf).fileName()});
        QVERIFY(!readBack(pdf).trimmed().isEmpty());
    }

    void previewOpensAndCloses()
    {
        addCustomers(120);
        pv::Report &r = Reports::get(QStringLiteral("musterilistesi"));
        r.dataControl().setDatabase(m_db);
        r.dataControl().setSource(QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc "));
        QString title, pageText, lastPageText;
        bool sawPreview = false;
        m_h->onModal<pv::ReportPreview>([&](pv::ReportPreview &w) {
            sawPreview = true;
            title = w.windowTitle();
            pageText = w.findChild<QLabel *>(QStringLiteral("lblPage"))->text();
            QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("btnLast")), Qt::LeftButton);
            lastPageText = w.findChild<QLabel *>(QStringLiteral("lblPage"))->text();
            QCOMPARE(w.document().pageModel().textsOf(QStringLiteral("Field14")),
                     (QStringList{"1", "2", "3"}));
            QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("btnClose")), Qt::LeftButton);
        });
        PrintingWindow &caller = pv::form<PrintingWindow>();
        caller.Show();
        pv::test::Harness::settle();
        const int activations = caller.activations;
        r.showPreviewModal(&caller);
        pv::test::Harness::settle();
        QCOMPARE(caller.activations, activations + 1);
        pv::unload<PrintingWindow>();
        QVERIFY(sawPreview);
        QCOMPARE(title, QStringLiteral("Müşteri Listesi"));
        QCOMPARE(pageText, QStringLiteral("Sayfa 1 / 3"));
        QCOMPARE(lastPageText, QStringLiteral("Sayfa 3 / 3"));
    }

    void fontsStandIn_data()
    {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("installed");
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("Arial Narrow") << "Arial Narrow"
                                      << "Liberation Sans Narrow";
        QTest::newRow("Tahoma") << "Tahoma"
                                << "DejaVu Sans Condensed";
        QTest::newRow("Verdana") << "Verdana"
                                 << "DejaVu Sans";
        QTest::newRow("Trebuchet MS") << "Trebuchet MS"
                                      << "Liberation Sans";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
    }
    void fontsStandIn()
    {
        QFETCH(QString, windows);
        QFETCH(QString, installed);
        const QString family = pv::reportFontFamily(windows);
        QCOMPARE(family, installed);
        QCOMPARE(QFontInfo(QFont(family)).family(), installed);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
