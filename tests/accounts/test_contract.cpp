// The account window's whole-day and whole-account commands, opened from the main window
// as the shopkeeper does: the sales contract with its amount in words, resetting the
// account, and updating the prices of the ledger from the stock card.
#include "app/accounts/CariToplu.h"
#include "app/accounts/CariYazdir.h"
#include "app/accounts/veresiye2.h"
#include "app/reports/AppReports.h"
#include "app/shell/veresiye.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/report/ReportPreview.h"
#include "platform/text/Formats.h"
#include "tests/harness/Harness.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kResetQuestion = QStringLiteral("Müşterinin Veresiye Hesabı Sıfırlanacaktır. Emin misiniz?");
const QString kPriceQuestion =
    QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatları (Sadece Satış Fiyatı-1) Müşteri "
                   "Hareketlerine Yansıtılacaktır. Emin misiniz?");
const int kAsk = pv::vbYesNo | pv::vbCritical;
const QString kSale = QStringLiteral("Stoktan Satış");

struct Line {
    QString tarih, saat, turu;
    QVariant eklenen, odenen = {};
    QString aciklama = {};
    QString productCode = {};
    QString miktar = {};
    QString birimFiyat = {};
};

// The columns of a customer last moved on 03.12.2026 (day count 7), with an address, a phone
// and the "@" of an empty e-mail box; more adds columns or replaces those.
QVariantMap withContact(const QVariantMap &more = {})
{
    QVariantMap fields =
        pv::test::lastMoved({{"Adres", "Çarşı Sk. 1"}, {"Telefon1", "0216 000 00 00"}, {"mail", "@"}});
    fields.insert(more);
    return fields;
}

qint64 addLine(Harness &h, const QString &code, const Line &l)
{
    const QString key = l.tarih.mid(6, 4) + l.tarih.mid(3, 2) + l.tarih.mid(0, 2);
    h.insert(QStringLiteral("veresiye"),
             {{"Tarih", l.tarih},
              {"Saat", l.saat},
              {"Turu", l.turu},
              {"Aciklama", l.aciklama.isEmpty() ? l.turu + QStringLiteral(" açıklama") : l.aciklama},
              {"Miktar", l.miktar},
              {"Birim", l.miktar.isEmpty() ? QString() : QStringLiteral("Adet")},
              {"BirimFiyat", l.birimFiyat},
              {"Eklenen", l.eklenen},
              {"Odenen", l.odenen},
              {"Tarih2", key},
              {"UygFiyat", l.productCode.isEmpty() ? QString() : QStringLiteral("Satış Fiyatı 2")},
              {"ProductCode", l.productCode},
              {"mus_kodu", code}});
    return h.value(QStringLiteral("select max(id) from veresiye")).toLongLong();
}

void addProduct(Harness &h, const QString &code, const QVariant &price)
{
    QVERIFY(h.insert(QStringLiteral("Product"),
                     {{"Product Code", code}, {"SatisFiyati", price}, {"OnHand", 10}}));
}

void addCash(Harness &h, const QString &code)
{
    h.insert(QStringLiteral("kasa"), {{"mus_kodu", code},
                                      {"Tarih", "01.12.2026"},
                                      {"Tur", "Giren"},
                                      {"Giren", 40},
                                      {"Tarih2", "20261201"},
                                      {"islemNo2", "011226100000"}});
}

// The main window's list on the customer, then "Hesabı Aç": inside runs while the account
// window is up, and "Geri" closes it afterwards.
void throughMainWindow(Harness &h, const QString &code, const QString &rights,
                       const std::function<void(veresiye2 &)> &inside)
{
    veresiye &main = pv::form<veresiye>();
    main.Show();
    Harness::settle();
    main.txtYetki = rights;
    pv::Recordset &list = main.Data1->Recordset();
    const int field = list.fieldIndex(QStringLiteral("mus_kodu"));
    for (int row = 0; row < list.RecordCount(); ++row)
        if (list.textAt(row, field) == code)
            main.Data1->setCurrentRow(row);
    QCOMPARE(main.Text1.text(), code);
    bool ran = false;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        ran = true;
        inside(w);
        if (w.isVisible())
            Harness::click(w.VornXPButton7);
    });
    main.VornXPButton2_Click();
    Harness::settle();
    QVERIFY(ran);
}

QStringList totals(veresiye2 &w)
{
    return {w.VornXPTextBox2->text(), w.VornXPTextBox3->text(), w.VornXPTextBox4->text()};
}

QStringList column(veresiye2 &w, int col)
{
    QStringList out;
    QAbstractItemModel *m = w.DBGrid2->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, col).data().toString();
    return out;
}

// The contract printed from the panel: the page model of the preview, and its PDF.
pv::PageModel printContract(Harness &h, veresiye2 &w, const QString &pdf = {})
{
    pv::PageModel model;
    h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) {
        model = p.document().pageModel();
        if (!pdf.isEmpty())
            p.document().exportPdf(pdf);
        p.close();
    });
    Harness::click(w.cariToplu->bntSozlesmePrint);
    Harness::settle();
    return model;
}

// The text pdftotext reads back from a PDF, laid out as printed ("" when it cannot run).
QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString firstText(const pv::PageModel &m, const QString &item)
{
    const QStringList texts = m.textsOf(item);
    return texts.isEmpty() ? QString() : texts.first();
}

// A text drawn at its font's size stays inside its box (the painter leaves 15 twips of
// room on each side).
bool fitsItsBox(const pv::PageText &t)
{
    QFont f(pv::reportFontFamily(t.fontFamily));
    f.setPointSizeF(t.fontSize);
    f.setBold(t.bold);
    QImage device(1, 1, QImage::Format_RGB32);
    const int twipsPerMetre = int(1440 / 0.0254);
    device.setDotsPerMeterX(twipsPerMetre);
    device.setDotsPerMeterY(twipsPerMetre);
    return QFontMetricsF(f, &device).horizontalAdvance(t.text) <= t.rect.width() - 30;
}

// Runs the walk tick by tick until its timer stops; the number of ticks.
int walkToTheEnd(veresiye2 &w)
{
    int ticks = 0;
    while (w.cariToplu->Timer6->Enabled() && ticks < 100) {
        Harness::fire(*w.cariToplu->Timer6);
        ++ticks;
    }
    return ticks;
}

QVariantList ledgerRow(Harness &h, qint64 id)
{
    const auto rows = h.rows(
        QStringLiteral("select BirimFiyat, Eklenen, Miktar, UygFiyat, Odenen from veresiye where id = ?"),
        {id});
    return rows.isEmpty() ? QVariantList{} : rows.first();
}

} // namespace

class TestContract : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pv::registerAppReports(); }
    void commandsShown();
    void contractPanel();
    void contractAmount_data();
    void contractAmount();
    void contractPrint();
    void contractOverPages();
    void contractOwnCodeOnly_data();
    void contractOwnCodeOnly();
    void contractAmountUnreadable();
    void contractFiguresPrintWhole_data();
    void contractFiguresPrintWhole();
    void datesAndTimesPrintWhole_data();
    void datesAndTimesPrintWhole();
    void resetAnsweredNo();
    void resetAnsweredYes();
    void resetDateRangeView();
    void resetFailureChangesNothing();
    void priceWalk();
    void priceWalkLocksTheWindow();
    void priceWalkRunsAgain();
    void priceWalkStopsOnAFailedWrite();
    void priceWalkStopsAtTheLedgersEnd();
    void priceWalkSameDateAndTime();
    void cashierGetsNeitherBulkCommand_data();
    void cashierGetsNeitherBulkCommand();
};

// ---------------------------------------------------------------- commands and panels

void TestContract::commandsShown()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 10.0});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        for (BvButton *b : {w.VornXPButton6, w.btnFiyatGuncelle, w.cariToplu->btnSozlesme}) {
            QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
            QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
        }
        QCOMPARE(w.VornXPButton6->Caption(), QStringLiteral("Hesabı Sıfırla"));
        QCOMPARE(w.btnFiyatGuncelle->Caption(), QStringLiteral("Tüm Fiyatları Güncelle"));
        QCOMPARE(w.cariToplu->btnSozlesme->Caption(), QStringLiteral("Sözleşme Yazdır"));
        // In the command column, above "Geri", on no other command.
        const QRect own = w.cariToplu->btnSozlesme->geometry();
        QCOMPARE(own.left(), w.VornXPButton7->geometry().left());
        QVERIFY(own.bottom() < w.VornXPButton7->geometry().top());
        for (BvButton *b : w.findChildren<BvButton *>())
            if (b != w.cariToplu->btnSozlesme && b->isVisible() && b->parentWidget() == &w)
                QVERIFY2(!b->geometry().intersects(own), qPrintable(b->objectName()));
    });
}

void TestContract::contractPanel()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 10.0});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        QVERIFY(!t.frmSozlesme || !t.frmSozlesme->isVisible()); // built when first shown
        Harness::click(t.btnSozlesme);
        QVERIFY(t.frmSozlesme->isVisible());
        QCOMPARE(t.FrameFendrixon4->Caption(), QStringLiteral("Sözleşme Bilgileri ve Ödeme Planı"));
        QCOMPARE(t.txtSozTarih->date(), QDate(2026, 12, 10));
        QCOMPARE(t.txtTeslimTarih->date(), QDate(2026, 12, 10));
        QCOMPARE(t.bntSozlesmePrint->Caption(), QStringLiteral(" Sözleşmeyi Yazdır"));

        // The dates picked stay until the next showing, which puts today back.
        t.txtSozTarih->setDate(QDate(2026, 11, 1));
        Harness::click(t.btnSozlesme);
        QCOMPARE(t.txtSozTarih->date(), QDate(2026, 12, 10));

        // It hides no command of the window, and its captions fit.
        const QRect panel = t.frmSozlesme->geometry();
        for (BvButton *b : w.findChildren<BvButton *>())
            if (b->isVisible() && b->parentWidget() == &w)
                QVERIFY2(!b->geometry().intersects(panel), qPrintable(b->objectName()));
        for (QLabel *l : t.frmSozlesme->findChildren<QLabel *>())
            QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->contentsRect().width(),
                     qPrintable(l->text()));
    });
}

// ---------------------------------------------------------------- contract

void TestContract::contractAmount_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("lines");
    QTest::newRow("the day's debits of every kind, credits not subtracted")
        << QDate(2026, 12, 10) << "1.234,56"
        << "BinİkiYüzOtuzDört TL ve ElliAltı Kr" << 4;
    QTest::newRow("another day") << QDate(2026, 12, 9) << "77,00"
                                 << "YetmişYedi TL" << 1;
    QTest::newRow("a day without debits") << QDate(2026, 12, 11) << "0,00"
                                          << "Sıfır" << 0;
}

void TestContract::contractAmount()
{
    QFETCH(QDate, day);
    QFETCH(QString, amount);
    QFETCH(QString, words);
    QFETCH(int, lines);
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addCustomer(h, "2", "Zeki", withContact());
    addLine(h, "1", {"10.12.2026", "09:00:00", kSale, 1000.0});
    addLine(h, "1", {"10.12.2026", "09:30:00", "Stoktan Bağımsız Satış", 200.56});
    addLine(h, "1", {"10.12.2026", "10:00:00", "Ödeme Nakit", 34.0});
    addLine(h, "1", {"10.12.2026", "11:00:00", "Tahsilat Nakit", {}, 500.0});
    addLine(h, "1", {"09.12.2026", "11:00:00", kSale, 77.0});
    addLine(h, "2", {"10.12.2026", "11:00:00", kSale, 55.0});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        Harness::click(t.btnSozlesme);
        t.txtSozTarih->setDate(day);
        const pv::PageModel m = printContract(h, w);
        QCOMPARE(t.txtSozBedel.text(), amount);
        QCOMPARE(t.ytl2text.text(), words);
        QCOMPARE(firstText(m, "Label200"), amount);
        QCOMPARE(firstText(m, "Label201"), words);
        QCOMPARE(m.textsOf("lblRank").size(), lines);
    });
}

void TestContract::contractPrint()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update dgrayr set kurumismi = 'Deniz Ticaret'")));
    addCustomer(h, "1", "Ahmet Yılmaz",
                withContact({{"Adres", "Atatürk Cad. No: 5\nKadıköy"},
                             {"Telefon1", "0216 111 22 33"},
                             {"Gsm", "0532 444 55 66"},
                             {"vd", "Kadıköy"},
                             {"vdn", "1234567890"}}));
    addLine(h, "1", {"10.12.2026", "11:00:00", kSale, 234.56, {}, "Tüp 12 kg", "T12", "2", "117,28"});
    addLine(h, "1", {"10.12.2026", "09:00:00", kSale, 1000.0, {}, "Soba", "S1", "1", "1.000,00"});
    addLine(h, "1", {"09.12.2026", "09:00:00", kSale, 5.0, {}, "Dünkü satış"});
    const QString pdf = h.folder() + QStringLiteral("/sozlesme.pdf");
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        w.cariYazdir->mnuMHY->trigger();
        w.cariYazdir->TextSize->setCurrentText(QStringLiteral("12"));
        Harness::click(w.cariYazdir->vekbutton1);
        Harness::click(t.btnSozlesme);
        t.txtTeslimTarih->setDate(QDate(2026, 12, 15));
        const pv::PageModel m = printContract(h, w, pdf);

        QCOMPARE(m.pageCount, 1);
        QCOMPARE(firstText(m, "LabelFirma"), QStringLiteral("Deniz Ticaret"));
        QCOMPARE(firstText(m, "Label185"), QStringLiteral("Ahmet Yılmaz"));
        QCOMPARE(firstText(m, "Label186"), QStringLiteral("Atatürk Cad. No: 5 Kadıköy"));
        QCOMPARE(firstText(m, "Label187"), QStringLiteral("0216 111 22 33 - 0532 444 55 66"));
        QVERIFY(m.textsOf("Label188").isEmpty()); // the "@" of an empty e-mail box prints nothing
        QCOMPARE(firstText(m, "Label189"), QStringLiteral("Kadıköy"));
        QCOMPARE(firstText(m, "Label190"), QStringLiteral("1234567890"));
        QCOMPARE(firstText(m, "Label191"), QStringLiteral("1234567890"));
        QCOMPARE(firstText(m, "Label199"), QStringLiteral("15.12.2026"));
        QCOMPARE(firstText(m, "Label200"), QStringLiteral("1.234,56"));
        QCOMPARE(firstText(m, "Label201"), QStringLiteral("BinİkiYüzOtuzDört TL ve ElliAltı Kr"));
        // The day's lines in the order of their time, numbered.
        QCOMPARE(m.textsOf("Field2"), (QStringList{"Soba", "Tüp 12 kg"}));
        QCOMPARE(m.textsOf("Field1"), (QStringList{"10.12.2026", "10.12.2026"}));
        QCOMPARE(m.textsOf("Field3"), (QStringList{"1", "2"}));
        QCOMPARE(m.textsOf("Field5"), (QStringList{"1.000,00", "117,28"}));
        QCOMPARE(m.textsOf("Field7"), (QStringList{"1.000,00", "234,56"}));
        QCOMPARE(m.textsOf("lblRank"), (QStringList{" 1", " 2"}));
        // The size chosen for the lists.
        for (const char *item : {"Field1", "Field2", "Field3", "Field4", "Field5", "Field7", "lblRank"})
            QCOMPARE(m.ofItem(QLatin1String(item)).first().fontSize, 12.0);
        QCOMPARE(m.ofItem("Label185").first().fontSize, 8.5);
        // The print date and "1 / 1" in the footer.
        QCOMPARE(firstText(m, "LabelTarih"), QStringLiteral("10.12.2026"));
        QCOMPARE(firstText(m, "FieldSayfa"), QStringLiteral("1"));
        QCOMPARE(firstText(m, "FieldSayfalar"), QStringLiteral("1"));
        // Every text of the contract fits its box, the lines at size 12 as well.
        for (const pv::PageText &text : m.texts)
            QVERIFY2(fitsItsBox(text), qPrintable(text.item + QStringLiteral(": ") + text.text));
    });

    const QString text = pdfText(pdf);
    for (const char *expected :
         {"SATIŞ SÖZLEŞMESİ", "Ahmet Yılmaz", "Atatürk Cad. No: 5 Kadıköy", "1.234,56",
          "BinİkiYüzOtuzDört TL ve ElliAltı Kr", "15.12.2026", "Soba", "Tüp 12 kg", "Deniz Ticaret"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("Dünkü satış")));
}

void TestContract::contractOverPages()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    for (int i = 0; i < 70; ++i)
        addLine(h, "1",
                {"10.12.2026",
                 QStringLiteral("09:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')),
                 kSale,
                 10.0,
                 {},
                 QStringLiteral("satır %1").arg(i)});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        Harness::click(w.cariToplu->btnSozlesme);
        const pv::PageModel m = printContract(h, w);
        QVERIFY(m.pageCount >= 2);
        QCOMPARE(m.textsOf("lblRank").size(), 70);
        QCOMPARE(m.textsOf("lblRank").last(), QStringLiteral(" 70"));
        // The customer block once, the column heads and "n / m" on every page, the amount
        // and the signatures after the last line.
        QCOMPARE(m.textsOf("Label185").size(), 1);
        QCOMPARE(m.textsOf("lblTutar").size(), m.pageCount);
        QStringList pages, totals;
        for (int page = 1; page <= m.pageCount; ++page) {
            pages << QString::number(page);
            totals << QString::number(m.pageCount);
        }
        QCOMPARE(m.textsOf("FieldSayfa"), pages);
        QCOMPARE(m.textsOf("FieldSayfalar"), totals);
        QCOMPARE(m.ofItem("Label200").first().page, m.pageCount);
        QCOMPARE(firstText(m, "Label200"), QStringLiteral("700,00"));
        QCOMPARE(firstText(m, "Label201"), QStringLiteral("YediYüz TL"));
    });
}

void TestContract::contractOwnCodeOnly_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("amount");
    QTest::newRow("percent") << "1%"
                             << "3,00";
    QTest::newRow("star") << "1*"
                          << "4,00";
    QTest::newRow("underscore") << "1_"
                                << "6,00";
}

void TestContract::contractOwnCodeOnly()
{
    QFETCH(QString, code);
    QFETCH(QString, amount);
    Harness h;
    const QMap<QString, double> accounts{{"1", 1.0},  {"10", 10.0}, {"1x", 20.0},
                                         {"1%", 3.0}, {"1*", 4.0},  {"1_", 6.0}};
    for (auto it = accounts.begin(); it != accounts.end(); ++it) {
        addCustomer(h, it.key(), QStringLiteral("Hesap ") + it.key(), withContact());
        addLine(h, it.key(),
                {"10.12.2026", "09:00:00", kSale, it.value(), {}, QStringLiteral("satır ") + it.key()});
    }
    throughMainWindow(h, code, "0", [&](veresiye2 &w) {
        Harness::click(w.cariToplu->btnSozlesme);
        const pv::PageModel m = printContract(h, w);
        QCOMPARE(firstText(m, "Label200"), amount);
        QCOMPARE(m.textsOf("Field2"), QStringList{QStringLiteral("satır ") + code});
    });
}

void TestContract::contractAmountUnreadable()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"10.12.2026", "09:00:00", kSale, 10.0});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        Harness::click(w.cariToplu->btnSozlesme);
        QVERIFY(h.exec(QStringLiteral("ALTER TABLE veresiye RENAME TO veresiye_eski")));
        h.expectMsgBoxContaining(QStringLiteral("Sözleşme tutarı okunamadı.\n"));
        // No preview is expected: one would fail the test.
        Harness::click(w.cariToplu->bntSozlesmePrint);
        Harness::settle();
        QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
        QCOMPARE(h.msgBoxes().last().icon(), int(pv::vbCritical));
        QVERIFY(w.cariToplu->txtSozBedel.text().isEmpty());
        QVERIFY(h.exec(QStringLiteral("ALTER TABLE veresiye_eski RENAME TO veresiye")));
    });
}

// The day's largest figures print whole at the size chosen for the lists: a figure too wide
// for its column is drawn smaller, one that fits keeps the size, the line's text is cut.
void TestContract::contractFiguresPrintWhole_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("price"); // BirimFiyat is stored as text
    QTest::newRow("8") << "8" << 999999999999.99 << "999999999999,99";
    QTest::newRow("14") << "14" << 999999999999.99 << "999.999.999.999,99";
    QTest::newRow("8, negative") << "8" << -999999999999.99 << "-999999999999,99";
}

void TestContract::contractFiguresPrintWhole()
{
    QFETCH(QString, size);
    QFETCH(double, amount);
    QFETCH(QString, price);
    const QString text = QStringLiteral("Üç kapılı gardırop, montaj ve nakliye dahil ").repeated(3);
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"10.12.2026", "09:00:00", kSale, amount, {}, text, "G1", "1", price});
    const QString pdf = h.folder() + QStringLiteral("/sozlesme.pdf");
    const QString money = pv::formatMoney(amount);
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        w.cariYazdir->mnuMHY->trigger();
        w.cariYazdir->TextSize->setCurrentText(size);
        Harness::click(w.cariYazdir->vekbutton1);
        Harness::click(w.cariToplu->btnSozlesme);
        const pv::PageModel m = printContract(h, w, pdf);

        const double chosen = size.toDouble();
        const QList<std::pair<QString, QString>> figures{
            {"Field3", "1"}, {"Field5", price}, {"Field7", money}, {"Label200", money}};
        for (const auto &[item, figure] : figures) {
            const pv::PageText t = m.ofItem(item).first();
            const QString what = item + QStringLiteral(" printed ") + t.text;
            QVERIFY2(t.text == figure && !t.cut, qPrintable(what));
            QVERIFY2(fitsItsBox(t), qPrintable(what));
            pv::PageText atChosen = t;
            atChosen.fontSize = item.startsWith(QLatin1String("Field")) ? chosen : 8.5;
            QVERIFY2(t.fontSize == atChosen.fontSize || !fitsItsBox(atChosen), qPrintable(what));
            QVERIFY2(t.fontSize <= atChosen.fontSize, qPrintable(what));
        }
        // The largest figure is too wide for the price column at any size offered.
        QVERIFY(m.ofItem("Field5").first().fontSize < chosen);
        const pv::PageText line = m.ofItem("Field2").first();
        QVERIFY(line.cut);
        QVERIFY(text.startsWith(line.text));
        QCOMPARE(line.fontSize, chosen);
    });

    const QString read = pdfText(pdf);
    for (const QString &figure : {price, money}) {
        const QRegularExpression whole(QStringLiteral("(^|\\s)") + QRegularExpression::escape(figure) +
                                       QStringLiteral("(\\s|$)"));
        QVERIFY2(read.contains(whole), qPrintable(figure + QStringLiteral(" not read back in:\n") + read));
    }
}

// A date or a time cut short reads as another ("11.12.20", "10:11:1"): at the largest text
// size the print panel offers, each prints whole, drawn smaller to fit its box.
void TestContract::datesAndTimesPrintWhole_data()
{
    QTest::addColumn<QString>("print");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("contract, the line's date")
        << "contract" << QStringList{"Field1"} << QStringList{"11.12.2026"};
    QTest::newRow("receipt, the print's date and time")
        << "receipt" << QStringList{"Label169", "Label170"} << QStringList{"11.12.2026", "10:11:12"};
    QTest::newRow("account report, the line's date and time")
        << "report" << QStringList{"Field1", "Field2"} << QStringList{"11.12.2026", "10:11:12"};
}

void TestContract::datesAndTimesPrintWhole()
{
    QFETCH(QString, print);
    QFETCH(QStringList, items);
    QFETCH(QStringList, texts);
    Harness h;
    h.setNow(QDateTime(QDate(2026, 12, 11), QTime(10, 11, 12)));
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"11.12.2026", "10:11:12", kSale, 10.0});
    const QString pdf = h.folder() + QStringLiteral("/baski.pdf");
    pv::PageModel m;
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariYazdir &p = *w.cariYazdir;
        p.mnuMHY->trigger();
        p.TextSize->setCurrentText(QStringLiteral("14"));
        if (print == QLatin1String("contract")) {
            Harness::click(p.vekbutton1);
            Harness::click(w.cariToplu->btnSozlesme);
            m = printContract(h, w, pdf);
            return;
        }
        h.onModal<pv::ReportPreview>([&](pv::ReportPreview &preview) {
            m = preview.document().pageModel();
            QVERIFY(preview.document().exportPdf(pdf));
            preview.close();
        });
        if (print == QLatin1String("receipt"))
            p.mnuMiM->trigger(); // today's movements
        else
            Harness::click(p.muslisyzdBtn);
        Harness::settle();
        Harness::click(p.vekbutton1);
    });

    const QString read = pdfText(pdf);
    for (int i = 0; i < items.size(); ++i) {
        const QRegularExpression whole(QStringLiteral("(^|\\s)") + QRegularExpression::escape(texts[i]) +
                                       QStringLiteral("(\\s|$)"));
        // Read back whole as often as the page holds it (in a footer and a title as well).
        qsizetype drawn = 0;
        for (const pv::PageText &t : m.texts)
            drawn += t.text.count(whole);
        QVERIFY2(drawn >= 1 && read.count(whole) == drawn,
                 qPrintable(texts[i] + QStringLiteral(" not read back %1 times in:\n").arg(drawn) + read));
        const QList<pv::PageText> printed = m.ofItem(items[i]);
        QVERIFY2(!printed.isEmpty(), qPrintable(items[i]));
        const pv::PageText &t = printed.first();
        const QString what = items[i] + QStringLiteral(" printed ") + t.text;
        QVERIFY2(t.text == texts[i] && !t.cut, qPrintable(what));
        QVERIFY2(fitsItsBox(t), qPrintable(what));
        QVERIFY2(t.fontSize < 14, qPrintable(what)); // too wide for its box at 14
    }
}

// ---------------------------------------------------------------- reset

void TestContract::resetAnsweredNo()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 100.0});
    addLine(h, "1", {"02.12.2026", "09:00:00", "Tahsilat Nakit", {}, 40.0});
    const auto before = h.rows(QStringLiteral("select * from veresiye order by id"));
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        h.expectMsgBox(kResetQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbNo);
        Harness::click(w.VornXPButton6);
        QCOMPARE(w.DBGrid2->model()->rowCount(), 2);
        QCOMPARE(totals(w), (QStringList{"100,00", "40,00", "60,00"}));
        QVERIFY(w.Text11.text().isEmpty());
    });
    QCOMPARE(h.rows(QStringLiteral("select * from veresiye order by id")), before);
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu = '1'")).toInt(), 7);
}

void TestContract::resetAnsweredYes()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addCustomer(h, "2", "Zeki", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 100.0, {}, {}, "A1", "2", "50,00"});
    addLine(h, "1", {"02.12.2026", "09:00:00", "Tahsilat Nakit", {}, 40.0});
    addLine(h, "2", {"02.12.2026", "09:00:00", kSale, 9.0});
    addProduct(h, "A1", 50);
    addCash(h, "1");
    const auto cash = h.rows(QStringLiteral("select * from kasa order by id"));
    const auto stock = h.rows(QStringLiteral("select * from Product order by id"));
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        h.expectMsgBox(kResetQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.VornXPButton6);
        QCOMPARE(w.DBGrid2->model()->rowCount(), 0);
        QCOMPARE(totals(w), (QStringList{"0,00", "0,00", "0,00"}));
        QCOMPARE(w.Text11.text(), QStringLiteral("10.12.2026"));
        // Nothing is left to reset, re-price, edit or delete.
        QVERIFY(!w.VornXPButton6->Enabled());
        QVERIFY(!w.btnFiyatGuncelle->Enabled());
        QVERIFY(!w.btnEdit->Enabled());
        // Closed through "Geri": used today, nothing owed.
        Harness::click(w.VornXPButton7);
        QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu = '1'")).toInt(), 0);
        QCOMPARE(h.value(QStringLiteral("select Bakiye from musteriler where mus_kodu = '1'")).toDouble(),
                 0.0);
    });
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = '1'")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where mus_kodu = '2'")).toInt(), 1);
    QCOMPARE(h.rows(QStringLiteral("select * from kasa order by id")), cash);
    QCOMPARE(h.rows(QStringLiteral("select * from Product order by id")), stock);
}

void TestContract::resetDateRangeView()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 100.0});
    const qint64 shown = addLine(h, "1", {"05.12.2026", "09:00:00", kSale, 200.0});
    addLine(h, "1", {"09.12.2026", "09:00:00", kSale, 300.0});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        Harness::click(w.tgoster2);
        w.ilk->setDate(QDate(2026, 12, 4));
        w.son->setDate(QDate(2026, 12, 6));
        Harness::click(w.tgoster);
        QCOMPARE(column(w, 0), QStringList{"05.12.2026"});
        h.expectMsgBox(kResetQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.VornXPButton6);
        // The whole ledger is shown again, less the row of the range.
        QCOMPARE(column(w, 0), (QStringList{"01.12.2026", "09.12.2026"}));
        QCOMPARE(totals(w), (QStringList{"400,00", "0,00", "400,00"}));
        // The range's figures no longer count the deleted row.
        QCOMPARE((QStringList{w.txtT1->text(), w.txtT2->text(), w.txtT3->text()}),
                 (QStringList{"0,00", "0,00", "0,00"}));
    });
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye where id = ?"), {shown}).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 2);
}

void TestContract::resetFailureChangesNothing()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 100.0});
    addLine(h, "1", {"05.12.2026", "09:00:00", kSale, 200.0});
    addLine(h, "1", {"09.12.2026", "09:00:00", kSale, 300.0});
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER keep_one BEFORE DELETE ON veresiye WHEN old.Eklenen = 200 "
                                  "BEGIN SELECT RAISE(ABORT, 'satır kilitli'); END")));
    const auto before = h.rows(QStringLiteral("select * from veresiye order by id"));
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        h.expectMsgBox(kResetQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        h.expectMsgBoxContaining(
            QStringLiteral("Müşteri hesabı sıfırlanamadı; hiçbir kayıt değiştirilmedi.\n"));
        Harness::click(w.VornXPButton6);
        QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
        QVERIFY(h.msgBoxes().last().text.contains(QStringLiteral("satır kilitli")));
        QCOMPARE(w.DBGrid2->model()->rowCount(), 3);
        QCOMPARE(totals(w), (QStringList{"600,00", "0,00", "600,00"}));
        QVERIFY(w.Text11.text().isEmpty());
    });
    QCOMPARE(h.rows(QStringLiteral("select * from veresiye order by id")), before);
    QCOMPARE(h.value(QStringLiteral("select Gun from musteriler where mus_kodu = '1'")).toInt(), 7);
}

// ---------------------------------------------------------------- prices from stock

void TestContract::priceWalk()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addProduct(h, "A1", 12.5);
    addProduct(h, "B1", 1.237);
    addProduct(h, "AB", 9.0);
    const qint64 a = addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    const qint64 b = addLine(h, "1", {"01.12.2026", "09:10:00", kSale, 2.0, {}, {}, "B1", "2", "1,00"});
    const qint64 pay = addLine(h, "1", {"01.12.2026", "09:20:00", "Tahsilat Nakit", {}, 50.0});
    const qint64 free =
        addLine(h, "1", {"01.12.2026", "09:30:00", "Stoktan Bağımsız Satış", 7.0, {}, {}, {}, "1", "7,00"});
    const qint64 star = addLine(h, "1", {"01.12.2026", "09:40:00", kSale, 5.0, {}, {}, "A*", "1", "5,00"});
    const qint64 x = addLine(h, "1", {"01.12.2026", "09:50:00", kSale, 30.0, {}, {}, "A1", "x", "10,00"});
    const auto payBefore = ledgerRow(h, pay);
    const auto freeBefore = ledgerRow(h, free);
    const auto starBefore = ledgerRow(h, star);
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        QCOMPARE(
            w.btnFiyatGuncelle->ToolTip(),
            QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatlarını Cariye Yansıtır. (Tüp, Doğal Gaz, Akar "
                           "Yakıt Satan İşletmeler İçindir.)"));
        // "No" starts nothing.
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbNo);
        Harness::click(w.btnFiyatGuncelle);
        QVERIFY(!t.frmFiyatGuncel || !t.frmFiyatGuncel->isVisible()); // built when a walk starts
        QVERIFY(!t.Timer6->Enabled());
        QVERIFY(!t.ProgressBar2 || !t.ProgressBar2->AutoScroll());

        w.DBGrid2->selectRow(4);
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        QVERIFY(t.frmFiyatGuncel->isVisible());
        QCOMPARE(t.frmFiyatGuncel->pos(), QPoint(pv::twipsToPixels(3840), pv::twipsToPixels(2760)));
        QCOMPARE(t.FrameFendrixon2->Caption(),
                 QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatları Cariye Yansıtılıyor..."));
        QVERIFY(!t.Frame3->isVisible());
        QVERIFY(t.ProgressBar2->AutoScroll());
        QCOMPARE(t.ProgressBar2->Color(), 0x00A87E28u);
        QCOMPARE(t.Timer6->Interval(), 10);
        QVERIFY(t.Timer6->Enabled());
        // From the first row, one row a tick; the grid follows.
        QCOMPARE(w.Data5->currentRow(), 0);
        QCOMPARE(t.Text4.text(), QStringLiteral("6"));
        Harness::fire(*t.Timer6);
        QCOMPARE(t.Text5.text(), QStringLiteral("1"));
        QCOMPARE(w.Data5->currentRow(), 1);
        QCOMPARE(totals(w), (QStringList{"81,50", "50,00", "31,50"}));

        QCOMPARE(walkToTheEnd(w), 6);
        QCOMPARE(t.Text5.text(), QStringLiteral("6"));
        QVERIFY(t.Frame3->isVisible());
        QCOMPARE(t.FrameFendrixon2->Caption(), QStringLiteral("İşlem Başarılı"));
        QCOMPARE(column(w, 6), (QStringList{"12,50", "1,24", "", "7,00", "5,00", "12,50"}));
        QCOMPARE(totals(w), (QStringList{"81,98", "50,00", "31,98"}));
        Harness::click(t.btnOnay);
        QVERIFY(!t.frmFiyatGuncel->isVisible());
        QVERIFY(!t.ProgressBar2->AutoScroll());
    });
    QCOMPARE(ledgerRow(h, a), (QVariantList{"12,50", 37.5, "3", "Satış Fiyatı 2", QVariant()}));
    QCOMPARE(ledgerRow(h, b), (QVariantList{"1,24", 2.48, "2", "Satış Fiyatı 2", QVariant()}));
    QCOMPARE(ledgerRow(h, x), (QVariantList{"12,50", 30.0, "x", "Satış Fiyatı 2", QVariant()}));
    QCOMPARE(ledgerRow(h, pay), payBefore);
    QCOMPARE(ledgerRow(h, free), freeBefore);
    QCOMPARE(ledgerRow(h, star), starBefore);
    QCOMPARE(h.value(QStringLiteral("select Bakiye from musteriler where mus_kodu = '1'")).toDouble(), 31.98);
}

void TestContract::priceWalkLocksTheWindow()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact({{"mail", "ahmet@example.com"}}));
    addProduct(h, "A1", 12.5);
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    addLine(h, "1", {"01.12.2026", "09:10:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        const QList<BvButton *> commands{
            w.VornXPButton7, w.VornXPButton8, w.VornXPButton10,   w.btnEkle,       w.btnEdit,
            w.VornXPButton9, w.VornXPButton6, w.btnFiyatGuncelle, w.VornXPButton5, w.MyButton1,
            w.btnMail,       w.btnNote,       w.tgoster2,         t.btnSozlesme};
        for (BvButton *b : commands)
            QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        Harness::fire(*t.Timer6);
        for (BvButton *b : commands)
            QVERIFY2(!b->Enabled(), qPrintable(b->objectName()));
        QVERIFY(!w.Frame1s->Enabled());
        QVERIFY(!w.DBGrid2->isEnabled());
        // Neither "Geri" nor the close box ends the visit mid-walk.
        Harness::click(w.VornXPButton7);
        QVERIFY(w.isVisible());
        QVERIFY(!pv::Unload(&w));
        QVERIFY(w.isVisible());

        walkToTheEnd(w);
        // Still locked until " Tamam".
        QVERIFY(!w.VornXPButton7->Enabled());
        QVERIFY(t.walking());
        Harness::click(t.btnOnay);
        QVERIFY(!t.walking());
        for (BvButton *b : commands)
            QVERIFY2(b->Enabled(), qPrintable(b->objectName()));
        QVERIFY(w.Frame1s->Enabled());
    });
}

void TestContract::priceWalkRunsAgain()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addProduct(h, "A1", 12.5);
    const qint64 a = addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    const qint64 b = addLine(h, "1", {"01.12.2026", "09:10:00", kSale, 10.0, {}, {}, "A1", "1", "10,00"});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        QCOMPARE(walkToTheEnd(w), 3);
        Harness::click(t.btnOnay);

        // The stock card's price moves on; the second run starts from the first row again.
        QVERIFY(h.exec(QStringLiteral("update Product set SatisFiyati = 20")));
        w.DBGrid2->selectRow(1);
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        QCOMPARE(t.Text5.text(), QStringLiteral("0"));
        QVERIFY(!t.Frame3->isVisible());
        QCOMPARE(t.FrameFendrixon2->Caption(),
                 QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatları Cariye Yansıtılıyor..."));
        QCOMPARE(w.Data5->currentRow(), 0);
        QCOMPARE(walkToTheEnd(w), 3);
        QCOMPARE(t.Text5.text(), QStringLiteral("2"));
        Harness::click(t.btnOnay);
        QCOMPARE(totals(w), (QStringList{"80,00", "0,00", "80,00"}));
    });
    QCOMPARE(ledgerRow(h, a).mid(0, 2), (QVariantList{"20,00", 60.0}));
    QCOMPARE(ledgerRow(h, b).mid(0, 2), (QVariantList{"20,00", 20.0}));
}

void TestContract::priceWalkStopsOnAFailedWrite()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addProduct(h, "A1", 12.5);
    addProduct(h, "B1", 3.0);
    const qint64 a = addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    const qint64 b = addLine(h, "1", {"01.12.2026", "09:10:00", kSale, 2.0, {}, {}, "B1", "2", "1,00"});
    const qint64 c = addLine(h, "1", {"01.12.2026", "09:20:00", kSale, 10.0, {}, {}, "A1", "1", "10,00"});
    QVERIFY(
        h.exec(QStringLiteral("CREATE TRIGGER keep_b BEFORE UPDATE ON veresiye WHEN old.ProductCode = 'B1' "
                              "BEGIN SELECT RAISE(ABORT, 'fiyat kilitli'); END")));
    const auto bBefore = ledgerRow(h, b);
    const auto cBefore = ledgerRow(h, c);
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        h.expectMsgBoxContaining(QStringLiteral("Fiyatlar güncellenemedi.\n"));
        Harness::click(w.btnFiyatGuncelle);
        QCOMPARE(walkToTheEnd(w), 2);
        QCOMPARE(h.msgBoxes().last().title, QStringLiteral("Hata"));
        QCOMPARE(h.msgBoxes().last().icon(), int(pv::vbCritical));
        QVERIFY(h.msgBoxes().last().text.contains(QStringLiteral("fiyat kilitli")));
        // The walk is over: the panel is gone and the window free again.
        QVERIFY(!t.frmFiyatGuncel->isVisible());
        QVERIFY(!t.walking());
        QVERIFY(w.VornXPButton7->Enabled());
        QCOMPARE(column(w, 6), (QStringList{"12,50", "1,00", "10,00"}));
    });
    QCOMPARE(ledgerRow(h, a).mid(0, 2), (QVariantList{"12,50", 37.5}));
    QCOMPARE(ledgerRow(h, b), bBefore);
    QCOMPARE(ledgerRow(h, c), cBefore);
}

void TestContract::priceWalkStopsAtTheLedgersEnd()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addProduct(h, "A1", 12.5);
    addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    addLine(h, "1", {"01.12.2026", "09:10:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    const qint64 last = addLine(h, "1", {"01.12.2026", "09:20:00", kSale, 30.0, {}, {}, "A1", "3", "10,00"});
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        QCOMPARE(t.Text4.text(), QStringLiteral("3"));
        // Another window takes the last row away while the walk runs.
        QVERIFY(h.exec(QStringLiteral("delete from veresiye where id = ?"), {last}));
        // The gone row is passed over, then the walk ends.
        QCOMPARE(walkToTheEnd(w), 4);
        QVERIFY(t.Frame3->isVisible());
        QCOMPARE(column(w, 6), (QStringList{"12,50", "12,50"}));
        Harness::click(t.btnOnay);
    });
}

void TestContract::priceWalkSameDateAndTime()
{
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    addProduct(h, "T1", 25.0);
    // One date and time: the ledger lists them by amount, so a new price moves a row.
    const QList<qint64> ids{
        addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 10.0, {}, {}, "T1", "1", "10,00"}),
        addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 20.0, {}, {}, "T1", "1", "20,00"}),
        addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0, {}, {}, "T1", "1", "30,00"})};
    throughMainWindow(h, "1", "0", [&](veresiye2 &w) {
        CariToplu &t = *w.cariToplu;
        h.expectMsgBox(kPriceQuestion, kAsk, QStringLiteral("Dikkat!"), pv::vbYes);
        Harness::click(w.btnFiyatGuncelle);
        QCOMPARE(t.Text4.text(), QStringLiteral("3"));
        QCOMPARE(walkToTheEnd(w), 4);
        QCOMPARE(t.FrameFendrixon2->Caption(), QStringLiteral("İşlem Başarılı"));
        QCOMPARE(column(w, 6), (QStringList{"25,00", "25,00", "25,00"}));
        QCOMPARE(totals(w), (QStringList{"75,00", "0,00", "75,00"}));
        Harness::click(t.btnOnay);
    });
    for (const qint64 id : ids)
        QCOMPARE(ledgerRow(h, id).mid(0, 3), (QVariantList{"25,00", 25.0, "1"}));
}

void TestContract::cashierGetsNeitherBulkCommand_data()
{
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cashier") << "1" << true << false;
    QTest::newRow("full rights") << "0" << true << true;
    QTest::newRow("full rights, empty ledger") << "0" << false << false;
}

void TestContract::cashierGetsNeitherBulkCommand()
{
    QFETCH(QString, rights);
    QFETCH(bool, rows);
    QFETCH(bool, enabled);
    Harness h;
    addCustomer(h, "1", "Ahmet", withContact());
    if (rows)
        addLine(h, "1", {"01.12.2026", "09:00:00", kSale, 30.0});
    throughMainWindow(h, "1", rights, [&](veresiye2 &w) {
        QCOMPARE(w.txtYetki.text(), rights);
        QCOMPARE(w.VornXPButton6->Enabled(), enabled);
        QCOMPARE(w.btnFiyatGuncelle->Enabled(), enabled);
        // The contract is no bulk change: every user may print it.
        QVERIFY(w.cariToplu->btnSozlesme->Enabled());
    });
}

QTEST_MAIN(TestContract)
#include "test_contract.moc"
