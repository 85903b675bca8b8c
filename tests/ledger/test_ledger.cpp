// The posting services, driven without any window: each operation against a fresh
// database, with the rows it leaves checked directly.
#include "app/ledger/Bank.h"
#include "app/ledger/CashBook.h"
#include "app/ledger/Customers.h"
#include "app/ledger/LedgerWrite.h"
#include "app/ledger/PostingId.h"
#include "app/ledger/Postings.h"
#include "app/ledger/ReceiptNumbers.h"
#include "app/ledger/Rows.h"
#include "database/DbScripts.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/databind/DataControl.h"
#include "platform/text/InputChecks.h"
#include "tests/harness/Harness.h"

#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

using pv::test::Harness;

class TestLedger : public QObject
{
    Q_OBJECT

private slots:
    void ledgerIncludesNoWidgets_data();
    void ledgerIncludesNoWidgets();
    void receiptNumbers_data();
    void receiptNumbers();
    void amountCheck_data();
    void amountCheck();

    void postings_data();
    void postings();
    void failedPostingChangesNothing_data();
    void failedPostingChangesNothing();
    void stockSaleOfUnknownProduct();
    void deletePosting_data();
    void deletePosting();
    void failedDeleteChangesNothing();
    void editWritesOnlyWhatChanged();
    void collectionReceipt_data();
    void collectionReceipt();
    void totals();
    void customerNumber();
    void postingIdMovesOn();
    void emptyPostingIdDeletesNothing_data();
    void emptyPostingIdDeletesNothing();
    void markForReceipt();
    void deleteCustomer();

    void oneRowWriterPerTable();
    void writersAskForTheCallersTransaction_data();
    void writersAskForTheCallersTransaction();
    void rowWritersRefuseWhatTheyCannotStore_data();
    void rowWritersRefuseWhatTheyCannotStore();
    void addCustomerStoresTheCardAndTheCounter_data();
    void addCustomerStoresTheCardAndTheCounter();
    void addCustomerRefusals();
    void cardEditStoresWhatTheBoxesStored();
    void cardAndNoteFailuresChangeNothing();
    void dayCounts();
    void closeAccountOwnsItsTransaction();
};

// The posting rules must stay usable without windows: no file of the ledger, nor of the
// data layer it stands on, may reach Qt Widgets, Qt Gui or the program's windows.
void TestLedger::ledgerIncludesNoWidgets_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("posting services") << "app/ledger";
    QTest::newRow("data layer") << "platform/data";
}

void TestLedger::ledgerIncludesNoWidgets()
{
    QFETCH(QString, folder);
    const QString dir = qEnvironmentVariable("PV_SOURCE_DIR") + QLatin1Char('/') + folder;
    QVERIFY(QFileInfo(dir).isDir());
    // A Qt header is known by the module folder that holds it, so <QColor> counts as well
    // as <QtGui/QColor>.
    static const QStringList uiModules = {QStringLiteral("QtWidgets"), QStringLiteral("QtGui"),
                                          QStringLiteral("QtPrintSupport")};
    const QString qtHeaders = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    for (const QString &module : uiModules)
        QVERIFY2(QFileInfo(qtHeaders + QLatin1Char('/') + module).isDir(), qPrintable(module));
    const auto isUiHeader = [&](const QString &header) {
        for (const QString &module : uiModules)
            if (header.startsWith(module + QLatin1Char('/')) ||
                QFileInfo::exists(qtHeaders + QLatin1Char('/') + module + QLatin1Char('/') + header))
                return true;
        return false;
    };
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression windowHeader(
        QStringLiteral("^(app/(?!ledger/)|controls/|platform/(forms|report|components|databind)/)"));
    int files = 0;
    QDirIterator it(dir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        ++files;
        auto m = include.globalMatch(QString::fromUtf8(f.readAll()));
        while (m.hasNext()) {
            const QString header = m.next().captured(1);
            QVERIFY2(!isUiHeader(header) && !windowHeader.match(header).hasMatch(),
                     qPrintable(f.fileName() + QStringLiteral(" includes ") + header));
        }
    }
    QVERIFY(files > 0);
}

void TestLedger::receiptNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("counterAfter");
    QTest::addColumn<qint64>("nextOffer");
    // The shipped counter starts where seed.sql leaves it; rows below set it to 41 first.
    QTest::newRow("above the counter") << "50" << qint64(50) << qint64(51);
    QTest::newRow("below the counter") << "7" << qint64(7) << qint64(8);
    QTest::newRow("not a whole number") << "12a" << qint64(41) << qint64(42);
    QTest::newRow("empty") << "" << qint64(41) << qint64(42);
    QTest::newRow("past 32 bits") << "5000000000" << qint64(5000000000) << qint64(5000000001);
}

void TestLedger::receiptNumbers()
{
    QFETCH(QString, typed);
    QFETCH(qint64, counterAfter);
    QFETCH(qint64, nextOffer);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_islemno SET islemno = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(pv::ledger::offerReceiptNumber(db).value_or(0), qint64(42));
    {
        pv::ledger::LedgerTransaction t(db);
        QVERIFY(pv::ledger::takeReceiptNumber(t, db, typed));
        QVERIFY(t.commit());
    }
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), counterAfter);
    QCOMPARE(pv::ledger::offerReceiptNumber(db).value_or(0), nextOffer);
}

void TestLedger::amountCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");
    const QString notNumber = QStringLiteral("Tutar geçerli bir sayı olmalıdır (ör. 1.234,50).");
    const QString tooLarge = QStringLiteral("Tutar en fazla 999.999.999.999,99 olabilir.");
    QTest::newRow("empty") << "" << int(pv::AmountStatus::Empty) << 0.0 << QString();
    QTest::newRow("abc") << "abc" << int(pv::AmountStatus::NotNumber) << 0.0 << notNumber;
    QTest::newRow("1.5") << "1.5" << int(pv::AmountStatus::NotNumber) << 0.0 << notNumber;
    QTest::newRow("grouped") << "1.234,50" << int(pv::AmountStatus::Ok) << 1234.5 << QString();
    QTest::newRow("negative") << "-20" << int(pv::AmountStatus::Ok) << -20.0 << QString();
    QTest::newRow("the largest") << "999.999.999.999,99" << int(pv::AmountStatus::Ok) << 999999999999.99
                                 << QString();
    QTest::newRow("one past") << "1.000.000.000.000" << int(pv::AmountStatus::TooLarge) << 0.0 << tooLarge;
    QTest::newRow("huge negative") << "-99999999999999999999" << int(pv::AmountStatus::TooLarge) << 0.0
                                   << tooLarge;
}

void TestLedger::amountCheck()
{
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(double, value);
    QFETCH(QString, message);
    const pv::AmountCheck c = pv::checkAmount(text);
    QCOMPARE(int(c.status), status);
    QCOMPARE(c.value, value);
    QCOMPARE(c.message, message);
    QCOMPARE(pv::checkAmount(QStringLiteral("x"), QStringLiteral("Miktar")).message,
             QStringLiteral("Miktar geçerli bir sayı olmalıdır (ör. 1.234,50)."));
}

// ---------------------------------------------------------------- postings

namespace
{

using pv::ledger::Result;

QString rowLine(const QVariantList &row)
{
    QStringList cells;
    for (const QVariant &v : row)
        cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return cells.join(QLatin1Char('|'));
}

// Every row of the four tables a posting may touch, one line per row, NULL spelt out.
QStringList dump(Harness &h, const QString &sql)
{
    QStringList out;
    for (const QVariantList &row : h.rows(sql))
        out << rowLine(row);
    return out;
}

// The same through the data layer, for a file that is not the harness's.
QStringList dump(pv::Database &db, const QString &sql)
{
    const pv::Recordset rs(db, sql);
    QStringList out;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        QVariantList row;
        for (int f = 0; f < rs.FieldCount(); ++f)
            row << rs.valueAt(r, f);
        out << rowLine(row);
    }
    return out;
}

const QString kVeresiye = QStringLiteral(
    "select Tarih, Saat, Turu, Aciklama, Miktar, Birim, BirimFiyat, Eklenen, Odenen, Tarih2, UygFiyat, "
    "islemNo2, ProductCode, mus_kodu from veresiye order by id");
const QString kKasa = QStringLiteral("select mus_kodu, Tarih, Saat, Tur, Aciklama, Giren, Cikan, Tarih2, "
                                     "islemNo, islemNo2, OdemeSekli from kasa "
                                     "order by id");
const QString kSatisRapor = QStringLiteral(
    "select ProductCode, UrunMarkasi, UrunAdi, Miktar, Birim, BirimFiyat, Tutar, Tarih, Month, Year, Tarih2, "
    "mus_kodu from SatisRapor order by id");
const QString kProduct = QStringLiteral("select [Product Code], OnHand from Product order by id");

struct Tables {
    QStringList veresiye, kasa, satisRapor, product;
    bool operator==(const Tables &) const = default;
};

Tables tables(Harness &h)
{
    return {dump(h, kVeresiye), dump(h, kKasa), dump(h, kSatisRapor), dump(h, kProduct)};
}

// A customer, a supplier and one product with ten on hand.
void fixture(Harness &h)
{
    QVERIFY(h.insert(QStringLiteral("Product"), {{QStringLiteral("Product Code"), QStringLiteral("P1")},
                                                 {QStringLiteral("Generic Name"), QStringLiteral("Gıda")},
                                                 {QStringLiteral("Brand Name"), QStringLiteral("Un")},
                                                 {QStringLiteral("OnHand"), 10},
                                                 {QStringLiteral("Unit"), QStringLiteral("Kg")}}));
}

const QDate kDay(2026, 12, 9);
const QTime kTime(9, 15, 0);
const QDateTime kOpened(QDate(2026, 12, 10), QTime(10, 0, 0));
const QDateTime kSaved(QDate(2026, 12, 10), QTime(10, 5, 30));

pv::ledger::SaleEntry sale()
{
    pv::ledger::SaleEntry s;
    s.customerCode = QStringLiteral("100");
    s.date = kDay;
    s.time = kTime;
    s.description = QStringLiteral("Un / Gıda");
    s.quantity = 2.5;
    s.quantityText = QStringLiteral("2,5");
    s.unit = QStringLiteral("Kg");
    s.unitPrice = 12;
    s.unitPriceText = QStringLiteral("12,00");
    s.total = 30;
    s.priceLevel = QStringLiteral("Satış Fiyatı 1");
    s.savedOn = kSaved.date();
    return s;
}

pv::ledger::CollectionEntry collection(const QString &type)
{
    return {QStringLiteral("100"),
            type,
            kDay,
            kTime,
            QStringLiteral("ÖDEME YAPILDI"),
            QStringLiteral("POS"),
            1234.5,
            QStringLiteral("TAHSİLAT - Ahmet"),
            kOpened,
            kSaved,
            false};
}

pv::ledger::PaymentEntry payment(const QString &type)
{
    return {QStringLiteral("100"),
            type,
            kDay,
            kTime,
            QStringLiteral("ÖDEME YAPILDI"),
            QStringLiteral("Nakit"),
            75,
            QStringLiteral("ÖDEME - Ahmet"),
            kOpened};
}

enum Kind { FreeSale, StockSale, Collection, SupplierCollection, CreditNote, Payment, SupplierPayment };

Result post(pv::Database &db, int kind)
{
    const pv::ledger::StockSaleLine p1{QStringLiteral("P1"), {}, {}};
    switch (kind) {
    case FreeSale:
        return pv::ledger::postFreeSale(db, sale());
    case StockSale:
        return pv::ledger::postStockSale(db, sale(), p1);
    case Collection:
        return pv::ledger::postCollection(db, collection(QStringLiteral("Alıcı")));
    case SupplierCollection:
        return pv::ledger::postCollection(db, collection(pv::ledger::kSupplierType));
    case CreditNote:
        return pv::ledger::postCreditNote(
            db, {QStringLiteral("100"), kDay, kTime, QStringLiteral("İADE"), 40, kOpened});
    case Payment:
        return pv::ledger::postPayment(db, payment(QStringLiteral("Alıcı")));
    case SupplierPayment:
        return pv::ledger::postPayment(db, payment(pv::ledger::kSupplierType));
    }
    return Result::failure(QStringLiteral("?"));
}

const QString kFixtureProduct = QStringLiteral("P1|10");
const QString kId = QStringLiteral("101226100000"); // the posting id of kOpened

} // namespace

void TestLedger::postings_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("veresiye");
    QTest::addColumn<QStringList>("kasa");
    QTest::addColumn<QStringList>("satisRapor");
    QTest::addColumn<QString>("product");
    const QStringList none;
    QTest::newRow("free-text sale")
        << int(FreeSale)
        << QStringList{"09.12.2026|09:15:00|Stoktan Bağımsız Satış|Un / Gıda|2,5|Kg|12,00|30|NULL|20261209|"
                       "Satış Fiyatı 1|NULL|NULL|100"}
        << none << QStringList{"NULL|NULL|NULL|2.5|Kg|12|30|2026-12-10|12|2026|20261209|100"}
        << kFixtureProduct;
    QTest::newRow("sale from stock")
        << int(StockSale)
        << QStringList{"09.12.2026|09:15:00|Stoktan Satış|Un / Gıda|2,5|Kg|12,00|30|NULL|20261209|"
                       "Satış Fiyatı 1|NULL|P1|100"}
        << none << QStringList{"P1|Gıda|Un|2.5|Kg|12|30|2026-12-10|12|2026|20261209|100"} << "P1|7.5";
    QTest::newRow("collection") << int(Collection)
                                << QStringList{"09.12.2026|09:15:00|Tahsilat POS|ÖDEME "
                                               "YAPILDI|NULL|NULL|NULL|NULL|1234.5|20261209|NULL|" +
                                               kId + "|NULL|100"}
                                << QStringList{"100|10.12.2026|10:05:30|Giren|ÖDEME YAPILDI (TAHSİLAT - "
                                               "Ahmet)|1234.5|NULL|20261210|NULL|" +
                                               kId + "|POS"}
                                << none << kFixtureProduct;
    QTest::newRow("collection from a supplier: money out")
        << int(SupplierCollection)
        << QStringList{"09.12.2026|09:15:00|Tahsilat POS|ÖDEME "
                       "YAPILDI|NULL|NULL|NULL|NULL|1234.5|20261209|NULL|" +
                       kId + "|NULL|100"}
        << QStringList{"100|10.12.2026|10:05:30|Çıkan|ÖDEME YAPILDI (TAHSİLAT - "
                       "Ahmet)|NULL|1234.5|20261210|NULL|" +
                       kId + "|POS"}
        << none << kFixtureProduct;
    QTest::newRow("credit note")
        << int(CreditNote)
        << QStringList{"09.12.2026|09:15:00|Alacak Dekontu |İADE|NULL|NULL|NULL|NULL|40|20261209|NULL|" +
                       kId + "|NULL|100"}
        << none << none << kFixtureProduct;
    QTest::newRow("payment to a customer: a credit alone")
        << int(Payment)
        << QStringList{"09.12.2026|09:15:00|Ödeme |ÖDEME YAPILDI|NULL|NULL|NULL|NULL|75|20261209|NULL|" +
                       kId + "|NULL|100"}
        << none << none << kFixtureProduct;
    QTest::newRow("payment to a supplier: a debit and money out")
        << int(SupplierPayment)
        << QStringList{"09.12.2026|09:15:00|Ödeme Nakit|ÖDEME YAPILDI|NULL|NULL|NULL|75|NULL|20261209|NULL|" +
                       kId + "|NULL|100"}
        << QStringList{"100|09.12.2026|09:15:00|Çıkan|ÖDEME YAPILDI (ÖDEME - Ahmet)|NULL|75|20261209|NULL|" +
                       kId + "|Nakit"}
        << none << kFixtureProduct;
}

void TestLedger::postings()
{
    QFETCH(int, kind);
    QFETCH(QStringList, veresiye);
    QFETCH(QStringList, kasa);
    QFETCH(QStringList, satisRapor);
    QFETCH(QString, product);
    Harness h;
    fixture(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = post(db, kind);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(dump(h, kVeresiye), veresiye);
    QCOMPARE(dump(h, kKasa), kasa);
    QCOMPARE(dump(h, kSatisRapor), satisRapor);
    QCOMPARE(dump(h, kProduct), QStringList{product});
    QVERIFY(!db.inTransaction());
}

void TestLedger::failedPostingChangesNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("trigger");
    const QString veresiye = QStringLiteral("BEFORE INSERT ON veresiye");
    const QString kasa = QStringLiteral("BEFORE INSERT ON kasa");
    const QString log = QStringLiteral("BEFORE INSERT ON SatisRapor");
    const QString stock = QStringLiteral("BEFORE UPDATE ON Product");
    QTest::newRow("free sale, ledger row") << int(FreeSale) << veresiye;
    QTest::newRow("free sale, sales log") << int(FreeSale) << log;
    QTest::newRow("stock sale, ledger row") << int(StockSale) << veresiye;
    QTest::newRow("stock sale, sales log") << int(StockSale) << log;
    QTest::newRow("stock sale, stock") << int(StockSale) << stock;
    QTest::newRow("collection, ledger row") << int(Collection) << veresiye;
    QTest::newRow("collection, cash row") << int(Collection) << kasa;
    QTest::newRow("credit note, ledger row") << int(CreditNote) << veresiye;
    QTest::newRow("payment, ledger row") << int(SupplierPayment) << veresiye;
    QTest::newRow("payment, cash row") << int(SupplierPayment) << kasa;
}

void TestLedger::failedPostingChangesNothing()
{
    QFETCH(int, kind);
    QFETCH(QString, trigger);
    Harness h;
    fixture(h);
    // One posting already there, so that "unchanged" is more than "empty".
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(post(db, Collection).ok);
    const Tables before = tables(h);
    QVERIFY(h.exec(
        QStringLiteral("CREATE TRIGGER fail %1 BEGIN SELECT RAISE(ABORT, 'disk dolu'); END").arg(trigger)));
    const Result r = post(db, kind);
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.contains(QStringLiteral("disk dolu")), qPrintable(r.reason));
    QVERIFY(tables(h) == before);
    QVERIFY(!db.inTransaction());
}

void TestLedger::stockSaleOfUnknownProduct()
{
    Harness h;
    fixture(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Tables before = tables(h);
    for (const QString &code : {QStringLiteral("P9"), QString()}) {
        const Result r = pv::ledger::postStockSale(db, sale(), {code, {}, {}});
        QVERIFY(!r.ok);
        QCOMPARE(r.reason, pv::ledger::kNoProduct);
        QVERIFY(tables(h) == before);
    }
}

void TestLedger::deletePosting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("productAfter");
    // Each posting deleted leaves the fixture's rows: the stock given back, the cash row gone.
    QTest::newRow("free sale") << int(FreeSale) << kFixtureProduct;
    QTest::newRow("sale from stock") << int(StockSale) << kFixtureProduct;
    QTest::newRow("collection") << int(Collection) << kFixtureProduct;
    QTest::newRow("supplier payment") << int(SupplierPayment) << kFixtureProduct;
}

void TestLedger::deletePosting()
{
    QFETCH(int, kind);
    QFETCH(QString, productAfter);
    Harness h;
    fixture(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    // A cash row of another posting and one without any posting id must stay.
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("Aciklama"), QStringLiteral("başka")},
                                              {QStringLiteral("islemNo2"), QStringLiteral("111111111111")}}));
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("Aciklama"), QStringLiteral("elle")}}));
    QVERIFY(post(db, kind).ok);
    const qint64 id = h.value(QStringLiteral("select max(id) from veresiye")).toLongLong();
    const Result r = pv::ledger::deletePosting(db, id);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(h.value(QStringLiteral("select count(*) from veresiye")).toInt(), 0);
    QCOMPARE(dump(h, QStringLiteral("select Aciklama from kasa order by id")),
             (QStringList{QStringLiteral("başka"), QStringLiteral("elle")}));
    QCOMPARE(dump(h, kProduct), QStringList{productAfter});
}

void TestLedger::failedDeleteChangesNothing()
{
    Harness h;
    fixture(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(post(db, StockSale).ok);
    QVERIFY(post(db, Collection).ok);
    const Tables before = tables(h);
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE DELETE ON veresiye BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    for (const QString &sql :
         {QStringLiteral("select min(id) from veresiye"), QStringLiteral("select max(id) from veresiye")}) {
        const Result r = pv::ledger::deletePosting(db, h.value(sql).toLongLong());
        QVERIFY(!r.ok);
        QVERIFY(r.reason.contains(QStringLiteral("kilitli")));
        QVERIFY(tables(h) == before);
    }
    QVERIFY(!pv::ledger::deletePosting(db, 999).ok);
}

void TestLedger::editWritesOnlyWhatChanged()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), QStringLiteral("100")},
                                                  {QStringLiteral("Tarih"), QStringLiteral("09.12.2026")},
                                                  {QStringLiteral("Saat"), QStringLiteral("09:15:00")},
                                                  {QStringLiteral("Turu"), QStringLiteral("Stoktan Satış")},
                                                  {QStringLiteral("Aciklama"), QStringLiteral("Un")},
                                                  {QStringLiteral("Eklenen"), 1234.5678},
                                                  {QStringLiteral("Miktar"), QStringLiteral("2")},
                                                  {QStringLiteral("Tarih2"), QStringLiteral("20261209")}}));
    const qint64 id = h.value(QStringLiteral("select id from veresiye")).toLongLong();
    pv::ledger::EntryEdit edit;
    edit.id = id;
    edit.date = QDate(2026, 11, 3);
    edit.description = QStringLiteral("Un ve şeker");
    edit.paid = pv::ledger::EntryEdit::Amount(); // emptied
    edit.unit = QString();
    QVERIFY(pv::ledger::editEntry(db, edit).ok);
    QCOMPARE(
        dump(h, kVeresiye),
        QStringList{
            "03.11.2026|09:15:00|Stoktan Satış|Un ve şeker|2|NULL|NULL|1234.5678|NULL|20261103|NULL|NULL|"
            "NULL|100"});
    edit = {};
    edit.id = id;
    edit.debit = 10.0;
    edit.time = QTime(8, 0);
    QVERIFY(pv::ledger::editEntry(db, edit).ok);
    QCOMPARE(h.value(QStringLiteral("select Eklenen || ' ' || Saat from veresiye")).toString(),
             QStringLiteral("10.0 08:00:00"));
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE UPDATE ON veresiye BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    const QStringList before = dump(h, kVeresiye);
    edit.debit = 99.0;
    QVERIFY(!pv::ledger::editEntry(db, edit).ok);
    QCOMPARE(dump(h, kVeresiye), before);
}

void TestLedger::collectionReceipt_data()
{
    QTest::addColumn<bool>("printed");
    QTest::addColumn<qint64>("counterAfter");
    QTest::newRow("printed: the number is used up") << true << qint64(8);
    QTest::newRow("nothing came out: the number stays") << false << qint64(7);
}

void TestLedger::collectionReceipt()
{
    QFETCH(bool, printed);
    QFETCH(qint64, counterAfter);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE yedek_yeri SET yolu = 7")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(pv::ledger::customerReceiptNumber(db).value_or(-1), qint64(7));
    pv::ledger::CollectionEntry entry = collection(QStringLiteral("Alıcı"));
    entry.receipt = true;
    qint64 shownNumber = 0;
    int rowsSeen = 0;
    pv::ledger::Posted posted;
    QString printedId;
    const Result r = pv::ledger::postCollection(db, entry, &posted, [&](qint64 number, const QString &id) {
        shownNumber = number;
        printedId = id;
        // The receipt is laid out on the posting's own rows, before they are committed.
        rowsSeen =
            db.scalar(QStringLiteral("select count(*) from veresiye where islemNo2 = ?"), {kId}).toInt();
        return printed;
    });
    QVERIFY(r.ok);
    QCOMPARE(shownNumber, qint64(7));
    QCOMPARE(rowsSeen, 1);
    QCOMPARE(posted.postingId, kId);
    QCOMPARE(printedId, kId);
    QCOMPARE(posted.receiptNumber, qint64(7));
    QCOMPARE(posted.receiptPrinted, printed);
    QCOMPARE(pv::ledger::customerReceiptNumber(db).value_or(-1), counterAfter);

    // A failing counter takes the posting back with it.
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE UPDATE ON yedek_yeri BEGIN SELECT RAISE(ABORT, 'sayaç'); END")));
    const Tables before = tables(h);
    entry.openedAt = kOpened.addSecs(60);
    const Result again =
        pv::ledger::postCollection(db, entry, nullptr, [](qint64, const QString &) { return true; });
    QVERIFY(!again.ok);
    QVERIFY(tables(h) == before);
}

void TestLedger::totals()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    auto add = [&](const QString &code, const QString &key, QVariant debit, QVariant paid) {
        QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), code},
                                                      {QStringLiteral("Tarih2"), key},
                                                      {QStringLiteral("Eklenen"), debit},
                                                      {QStringLiteral("Odenen"), paid}}));
    };
    add(QStringLiteral("100"), QStringLiteral("20261130"), 100.0, QVariant());
    add(QStringLiteral("100"), QStringLiteral("20261201"), 50.5, QVariant());
    add(QStringLiteral("100"), QStringLiteral("20261210"), QVariant(), 30.0);
    add(QStringLiteral("100"), QStringLiteral("20261211"), QVariant(), 5.0);
    add(QStringLiteral("200"), QStringLiteral("20261205"), 999.0, 1.0);
    const auto all = pv::ledger::customerTotals(db, QStringLiteral("100"));
    QCOMPARE(all.debt, 150.5);
    QCOMPARE(all.paid, 35.0);
    QCOMPARE(pv::ledger::balance(db, QStringLiteral("100")), std::optional<double>(115.5));
    const auto range =
        pv::ledger::rangeTotals(db, QStringLiteral("100"), QDate(2026, 12, 1), QDate(2026, 12, 10));
    QCOMPARE(range.debt, 50.5);
    QCOMPARE(range.paid, 30.0);
    const auto nobody = pv::ledger::customerTotals(db, QStringLiteral("1%"));
    QCOMPARE(nobody.debt, 0.0);
    QCOMPARE(nobody.balance(), 0.0);
}

void TestLedger::customerNumber()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_musterino SET musterino = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(pv::ledger::customerNumber(db), std::optional<qint64>(41));
    {
        pv::ledger::LedgerTransaction t(db);
        QVERIFY(pv::ledger::takeCustomerNumber(t, db, 5000000000));
        QVERIFY(t.commit());
    }
    QCOMPARE(pv::ledger::customerNumber(db), std::optional<qint64>(5000000000));
}

void TestLedger::postingIdMovesOn()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QCOMPARE(pv::ledger::uniquePostingId(db, kOpened), kId);
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("islemNo2"), kId}}));
    QVERIFY(h.insert(QStringLiteral("kasa"), {{QStringLiteral("islemNo2"), QStringLiteral("101226100001")}}));
    QCOMPARE(pv::ledger::uniquePostingId(db, kOpened), QStringLiteral("101226100002"));
}

void TestLedger::emptyPostingIdDeletesNothing_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("deleted");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blank") << "  " << 0;
    QTest::newRow("null") << QString() << 0;
    QTest::newRow("real id") << "081226101500" << 2;
}

void TestLedger::emptyPostingIdDeletesNothing()
{
    QFETCH(QString, id);
    QFETCH(int, deleted);
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(h.exec(QStringLiteral("INSERT INTO veresiye (islemNo2) VALUES (''), (NULL), ('  '), "
                                  "('081226101500'), ('081226101500'), ('081226101501')")));
    {
        pv::ledger::LedgerTransaction t(db);
        QCOMPARE(pv::ledger::deleteByPostingId(t, db, QStringLiteral("veresiye"), id), deleted);
        QVERIFY(t.commit());
    }
    QCOMPARE(h.value(QStringLiteral("SELECT count(*) FROM veresiye")).toInt(), 6 - deleted);
}

void TestLedger::markForReceipt()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), QStringLiteral("100")}}));
    const qint64 id = h.value(QStringLiteral("select id from veresiye")).toLongLong();
    QVERIFY(pv::ledger::markForReceipt(db, id, QStringLiteral("K7")).ok);
    QCOMPARE(h.value(QStringLiteral("select form_kodu from veresiye")).toString(), QStringLiteral("K7"));
    QVERIFY(pv::ledger::markForReceipt(db, id, QString()).ok);
    QVERIFY(h.value(QStringLiteral("select form_kodu from veresiye")).isNull());
}

void TestLedger::deleteCustomer()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{QStringLiteral("mus_kodu"), QStringLiteral("100")}}));
    QVERIFY(h.insert(QStringLiteral("musteriler"), {{QStringLiteral("mus_kodu"), QStringLiteral("200")}}));
    QVERIFY(post(db, Collection).ok);
    QVERIFY(h.insert(QStringLiteral("veresiye"), {{QStringLiteral("mus_kodu"), QStringLiteral("200")}}));
    const qint64 id =
        h.value(QStringLiteral("select id from musteriler where mus_kodu = '100'")).toLongLong();
    // A failure in the second delete keeps the ledger rows too.
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE DELETE ON musteriler BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    const Tables before = tables(h);
    QVERIFY(!pv::ledger::deleteCustomer(db, id, QStringLiteral("100")).ok);
    QVERIFY(tables(h) == before);
    QVERIFY(h.exec(QStringLiteral("DROP TRIGGER fail")));
    QVERIFY(pv::ledger::deleteCustomer(db, id, QStringLiteral("100")).ok);
    QCOMPARE(dump(h, QStringLiteral("select mus_kodu from musteriler")), QStringList{QStringLiteral("200")});
    QCOMPARE(dump(h, QStringLiteral("select mus_kodu from veresiye")), QStringList{QStringLiteral("200")});
    QCOMPARE(h.value(QStringLiteral("select count(*) from kasa")).toInt(), 1); // cash rows stay
}

// ---------------------------------------------------------------- row writers

// veresiye and kasa each have one function that adds their rows: no other file or place of
// the ledger adds a row to them.
void TestLedger::oneRowWriterPerTable()
{
    const QString dir = qEnvironmentVariable("PV_SOURCE_DIR") + QStringLiteral("/app/ledger");
    static const QRegularExpression adds(
        QStringLiteral("addRow\\((?:\\s*\\w+,)*\\s*QStringLiteral\\(\"(\\w+)\"\\)|insert\\s+into\\s+(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    QMap<QString, QStringList> writers;
    QDirIterator it(dir, {QStringLiteral("*.cpp")}, QDir::Files);
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        auto m = adds.globalMatch(QString::fromUtf8(f.readAll()));
        while (m.hasNext()) {
            const auto found = m.next();
            const QString table = (found.captured(1) + found.captured(2)).toLower();
            writers[table] << QFileInfo(f.fileName()).fileName();
        }
    }
    QCOMPARE(writers.value(QStringLiteral("veresiye")), QStringList{QStringLiteral("Postings.cpp")});
    QCOMPARE(writers.value(QStringLiteral("kasa")), QStringList{QStringLiteral("CashBook.cpp")});
}

namespace
{

// Whether each writer can be called with `lead` before its own arguments. A window holds
// the database but can name no LedgerTransaction (tests/layers), so a writer callable with
// the database alone is one a window can write through outside every transaction.
template <typename... Lead> struct Writers {
    using Db = pv::Database &;
    using Rs = pv::Recordset &;
    using Error = QString *;
    static constexpr bool addRow = requires(Lead & ...lead, Db db, Error e)
    {
        pv::ledger::addRow(lead..., db, QString(), QList<pv::ledger::Value>{}, e);
    };
    static constexpr bool writeFields = requires(Lead & ...lead, Rs rs, Error e)
    {
        pv::ledger::writeFields(lead..., rs, pv::ledger::FieldValues{}, e);
    };
    static constexpr bool deleteByPostingId = requires(Lead & ...lead, Db db)
    {
        pv::ledger::deleteByPostingId(lead..., db, QString(), QString());
    };
    static constexpr bool writeCashRow = requires(Lead & ...lead, Db db, Error e)
    {
        pv::ledger::writeCashRow(lead..., db, pv::ledger::CashRow{}, e);
    };
    static constexpr bool writeLedgerRow = requires(Lead & ...lead, Db db, Error e)
    {
        pv::ledger::writeLedgerRow(lead..., db, pv::ledger::LedgerRow{}, e);
    };
    static constexpr bool storeAccountSummary = requires(Lead & ...lead, Db db, Error e)
    {
        pv::ledger::storeAccountSummary(lead..., db, QString(), pv::ledger::AccountSummary{}, e);
    };
    static constexpr bool takeReceiptNumber = requires(Lead & ...lead, Db db)
    {
        pv::ledger::takeReceiptNumber(lead..., db, QString());
    };
    static constexpr bool takeCustomerNumber = requires(Lead & ...lead, Db db)
    {
        pv::ledger::takeCustomerNumber(lead..., db, qint64(1));
    };
};
using Alone = Writers<>;
using WithTransaction = Writers<pv::ledger::LedgerTransaction>;

} // namespace

// No piece that writes inside its caller's transaction can be called without one: each
// takes the caller's LedgerTransaction, and opens no write scope of its own.
void TestLedger::writersAskForTheCallersTransaction_data()
{
    QTest::addColumn<bool>("alone");
    QTest::addColumn<bool>("withTransaction");
    QTest::newRow("addRow") << Alone::addRow << WithTransaction::addRow;
    QTest::newRow("writeFields") << Alone::writeFields << WithTransaction::writeFields;
    QTest::newRow("deleteByPostingId") << Alone::deleteByPostingId << WithTransaction::deleteByPostingId;
    QTest::newRow("writeCashRow") << Alone::writeCashRow << WithTransaction::writeCashRow;
    QTest::newRow("writeLedgerRow") << Alone::writeLedgerRow << WithTransaction::writeLedgerRow;
    QTest::newRow("storeAccountSummary")
        << Alone::storeAccountSummary << WithTransaction::storeAccountSummary;
    QTest::newRow("takeReceiptNumber") << Alone::takeReceiptNumber << WithTransaction::takeReceiptNumber;
    QTest::newRow("takeCustomerNumber") << Alone::takeCustomerNumber << WithTransaction::takeCustomerNumber;
}

void TestLedger::writersAskForTheCallersTransaction()
{
    QFETCH(bool, alone);
    QFETCH(bool, withTransaction);
    QVERIFY(!alone);
    QVERIFY(withTransaction); // the call itself is right: only the transaction is missing
}

void TestLedger::rowWritersRefuseWhatTheyCannotStore_data()
{
    QTest::addColumn<int>("posting");
    QTest::addColumn<QString>("reason");
    const QString tooLarge = QStringLiteral("en fazla 999.999.999.999,99 olabilir.");
    // Each posting with one value no row can hold; every one names it and writes nothing.
    enum { Sale, Collection, CollectionSavedAt, CreditNote, SupplierPayment, BankTransfer, BankDeposit };
    QTest::newRow("sale, amount") << int(Sale) << tooLarge;
    QTest::newRow("collection, amount") << int(Collection) << tooLarge;
    QTest::newRow("collection, moment of the save") << int(CollectionSavedAt) << pv::kBadDateMessage;
    QTest::newRow("credit note, date") << int(CreditNote) << pv::kBadDateMessage;
    QTest::newRow("supplier payment, amount") << int(SupplierPayment) << tooLarge;
    QTest::newRow("bank transfer, amount") << int(BankTransfer) << tooLarge;
    QTest::newRow("bank deposit, amount") << int(BankDeposit) << tooLarge;
}

void TestLedger::rowWritersRefuseWhatTheyCannotStore()
{
    QFETCH(int, posting);
    QFETCH(QString, reason);
    Harness h;
    fixture(h);
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Tables before = tables(h);
    const double huge = 1e13;
    Result r;
    switch (posting) {
    case 0: {
        pv::ledger::SaleEntry s = sale();
        s.total = huge;
        r = pv::ledger::postFreeSale(db, s);
        break;
    }
    case 1: {
        pv::ledger::CollectionEntry c = collection(QStringLiteral("Alıcı"));
        c.amount = huge;
        r = pv::ledger::postCollection(db, c);
        break;
    }
    case 2: {
        pv::ledger::CollectionEntry c = collection(QStringLiteral("Alıcı"));
        c.savedAt = QDateTime();
        r = pv::ledger::postCollection(db, c);
        break;
    }
    case 3:
        r = pv::ledger::postCreditNote(
            db, {QStringLiteral("100"), QDate(), kTime, QStringLiteral("İADE"), 40, kOpened});
        break;
    case 4: {
        pv::ledger::PaymentEntry p = payment(pv::ledger::kSupplierType);
        p.amount = huge;
        r = pv::ledger::postPayment(db, p);
        break;
    }
    case 5:
    case 6: {
        pv::ledger::BankMovement m;
        m.account = QStringLiteral("TR-100");
        m.kind = posting == 5 ? pv::ledger::BankKind::GelenHavale : pv::ledger::BankKind::ParaYatirma;
        m.date = kDay;
        m.time = kTime;
        m.amount = huge;
        m.customer = QStringLiteral("100");
        m.postedOn = kDay;
        r = pv::ledger::postBankMovement(db, m);
        break;
    }
    }
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
    QVERIFY(tables(h) == before);
    QCOMPARE(h.value(QStringLiteral("select count(*) from banka2")).toInt(), 0);
}

// ---------------------------------------------------------------- the customer row

namespace
{

pv::ledger::NewCustomer newCustomer(const QString &code)
{
    pv::ledger::NewCustomer c;
    c.code = code;
    c.name = QStringLiteral("Ahmet Yılmaz");
    c.phone = QStringLiteral("0212 555 44 33");
    c.address = QStringLiteral("Çarşı Cad. 5\nKadıköy");
    c.taxNumber = QStringLiteral("0123456789");
    c.type = QStringLiteral("Alıcı");
    c.group = QStringLiteral("GENEL");
    c.currency = QStringLiteral("TL");
    c.createdOn = QDate(2026, 12, 10);
    return c;
}

const QString kCustomerRow = QStringLiteral(
    "select mus_kodu, MusteriFirma, ilgili, Telefon1, Telefon2, Gsm, Adres, vd, vdn, mail, Turu, MusGrup, "
    "ParaTuru, foto, Sonislem, typeof(Sonislem), Bakiye, typeof(Bakiye), Gun, Sonislem2, \"Not\" "
    "from musteriler order by id");

} // namespace

void TestLedger::addCustomerStoresTheCardAndTheCounter_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("counter");
    // The shipped counter is set to 41 first.
    QTest::newRow("the next number") << "42" << qint64(42);
    QTest::newRow("a number typed above it") << "100" << qint64(100);
    QTest::newRow("a gap filled by hand") << "7" << qint64(41);
    QTest::newRow("no whole number") << "A-12" << qint64(41);
}

void TestLedger::addCustomerStoresTheCardAndTheCounter()
{
    QFETCH(QString, code);
    QFETCH(qint64, counter);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_musterino SET musterino = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    const Result r = pv::ledger::addCustomer(db, newCustomer(code));
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(dump(h, kCustomerRow),
             QStringList{code +
                         "|Ahmet Yılmaz|NULL|0212 555 44 33|NULL|NULL|Çarşı Cad. 5\nKadıköy|NULL|0123456789|"
                         "NULL|Alıcı|GENEL|TL|NULL|2026-12-10|text|0|real|NULL|20261210|NULL"});
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toLongLong(), counter);
    QVERIFY(!db.inTransaction());
}

void TestLedger::addCustomerRefusals()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE son_musterino SET musterino = 41")));
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::addCustomer(db, newCustomer(QStringLiteral("42"))).ok);
    const QStringList before = dump(h, kCustomerRow);
    // A code already kept, whatever number the counter holds.
    QVERIFY(h.exec(QStringLiteral("UPDATE son_musterino SET musterino = 10")));
    Result r = pv::ledger::addCustomer(db, newCustomer(QStringLiteral("42")));
    QCOMPARE(r.reason, pv::ledger::kCustomerCodeTaken);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toLongLong(), qint64(10));
    // The counter refusing its number takes the row back with it.
    QVERIFY(h.exec(QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE ON son_musterino BEGIN SELECT "
                                  "RAISE(ABORT, 'sayaç kilitli'); END")));
    r = pv::ledger::addCustomer(db, newCustomer(QStringLiteral("43")));
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.contains(QStringLiteral("sayaç kilitli")), qPrintable(r.reason));
    QCOMPARE(dump(h, kCustomerRow), before);
    QVERIFY(!db.inTransaction());
}

// The card and note written by the ledger store what the panel's boxes stored when the
// data control wrote them: one customer through each, the same texts typed. The boxes
// write a file of their own, which no guard keeps from them.
void TestLedger::cardEditStoresWhatTheBoxesStored()
{
    Harness h;
    const QString boxesFile = h.folder() + QStringLiteral("/boxes.dll");
    QString error;
    QVERIFY2(pv::createDatabaseFromScripts(boxesFile, &error), qPrintable(error));
    pv::Database db, boxesDb;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(boxesDb.open(boxesFile));
    for (const QString &code : {QStringLiteral("1"), QStringLiteral("2")}) {
        QVERIFY(pv::ledger::addCustomer(db, newCustomer(code)).ok);
        QVERIFY(pv::ledger::addCustomer(boxesDb, newCustomer(code)).ok);
    }
    const QList<std::pair<QString, QString>> typed{{"MusteriFirma", " Veli  Kaya "},
                                                   {"Telefon1", "5551234"},
                                                   {"vdn", "0012"},
                                                   {"mail", ""},
                                                   {"ParaTuru", "Euro"},
                                                   {"Not", "Ayın 15'inde\nöder"}};
    pv::DataControl dc;
    dc.setDatabaseName(boxesFile);
    dc.setRecordSource(QStringLiteral("select * from musteriler where mus_kodu = '1'"));
    QVERIFY(dc.Refresh());
    std::vector<std::unique_ptr<QLineEdit>> boxes;
    for (const auto &[field, text] : typed) {
        boxes.push_back(std::make_unique<QLineEdit>());
        dc.bind(boxes.back().get(), field);
        boxes.back()->setText(text);
    }
    QVERIFY(dc.UpdateRecord());

    pv::ledger::CustomerCardEdit edit;
    edit.name = typed[0].second;
    edit.phone = typed[1].second;
    edit.taxNumber = typed[2].second;
    edit.mail = typed[3].second;
    edit.currency = typed[4].second;
    const qint64 id = h.value(QStringLiteral("select id from musteriler where mus_kodu = '2'")).toLongLong();
    QVERIFY(pv::ledger::updateCustomerCard(db, id, edit).ok);
    QVERIFY(pv::ledger::updateCustomerNote(db, id, typed[5].second).ok);

    const QStringList byBoxes = dump(boxesDb, kCustomerRow), byLedger = dump(db, kCustomerRow);
    QCOMPARE(byBoxes.size(), 2);
    QCOMPARE(byLedger.size(), 2);
    QCOMPARE(byLedger[1].section(QLatin1Char('|'), 1), byBoxes[0].section(QLatin1Char('|'), 1));
    QVERIFY2(byBoxes[0].contains(QStringLiteral("| Veli  Kaya |")), qPrintable(byBoxes[0]));
    // An empty note is no note.
    QVERIFY(pv::ledger::updateCustomerNote(db, id, QString()).ok);
    QVERIFY(h.value(QStringLiteral("select \"Not\" from musteriler where id = ?"), {id}).isNull());
}

void TestLedger::cardAndNoteFailuresChangeNothing()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::addCustomer(db, newCustomer(QStringLiteral("1"))).ok);
    const qint64 id = h.value(QStringLiteral("select id from musteriler")).toLongLong();
    const QStringList before = dump(h, kCustomerRow);
    pv::ledger::CustomerCardEdit edit;
    edit.name = QStringLiteral("Yeni Ad");
    // A row that is gone.
    Result r = pv::ledger::updateCustomerCard(db, id + 1, edit);
    QCOMPARE(r.reason, QStringLiteral("Müşteri kaydı bulunamadı."));
    // A row that refuses the write.
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE UPDATE ON musteriler BEGIN SELECT RAISE(ABORT, 'kayıt kilitli'); END")));
    r = pv::ledger::updateCustomerCard(db, id, edit);
    QVERIFY2(r.reason.contains(QStringLiteral("kayıt kilitli")), qPrintable(r.reason));
    r = pv::ledger::updateCustomerNote(db, id, QStringLiteral("not"));
    QVERIFY2(r.reason.contains(QStringLiteral("kayıt kilitli")), qPrintable(r.reason));
    // Nothing to write is no write at all.
    QVERIFY(pv::ledger::updateCustomerCard(db, id, {}).ok);
    QCOMPARE(dump(h, kCustomerRow), before);
    QVERIFY(!db.inTransaction());
}

void TestLedger::dayCounts()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    for (const QString &code : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")})
        QVERIFY(pv::ledger::addCustomer(db, newCustomer(code)).ok);
    // The second row refuses its count; the others are stored all the same.
    QVERIFY(h.exec(
        QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE OF Gun ON musteriler WHEN NEW.mus_kodu = '2' "
                       "BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    QList<bool> stored;
    QVERIFY(pv::ledger::storeDayCounts(db, {{1, 30}, {2, 5}, {3, -2}}, &stored).ok);
    QCOMPARE(stored, (QList<bool>{true, false, true}));
    QCOMPARE(dump(h, QStringLiteral(
                         "select ifnull(Gun, 'NULL') || ' ' || typeof(Gun) from musteriler order by id")),
             (QStringList{"30 integer", "NULL null", "-2 integer"}));
    QVERIFY(!db.inTransaction());
}

// The account window's closing write: the summary of storeAccountSummary, committed by
// itself, and nothing at all when a part of it fails.
void TestLedger::closeAccountOwnsItsTransaction()
{
    Harness h;
    pv::Database db;
    QVERIFY(db.open(h.databasePath()));
    QVERIFY(pv::ledger::addCustomer(db, newCustomer(QStringLiteral("100"))).ok);
    QVERIFY(post(db, Collection).ok);
    pv::ledger::AccountSummary summary;
    summary.days = 3;
    summary.visited = QDate(2026, 12, 12);
    QVERIFY(pv::ledger::closeAccount(db, QStringLiteral("100"), summary).ok);
    QVERIFY(!db.inTransaction());
    const QString row = QStringLiteral("select Bakiye, Gun, Sonislem, Sonislem2 from musteriler");
    QCOMPARE(h.rows(row), (QList<QVariantList>{{-1234.5, 3, "2026-12-10", "20261212"}}));
    QVERIFY(h.exec(QStringLiteral(
        "CREATE TRIGGER fail BEFORE UPDATE ON musteriler BEGIN SELECT RAISE(ABORT, 'kilitli'); END")));
    const Result r =
        pv::ledger::closeAccount(db, QStringLiteral("100"), pv::ledger::postedOn(QDate(2026, 12, 13)));
    QVERIFY(!r.ok);
    QVERIFY2(r.reason.contains(QStringLiteral("kilitli")), qPrintable(r.reason));
    QCOMPARE(h.rows(row), (QList<QVariantList>{{-1234.5, 3, "2026-12-10", "20261212"}}));
    // No customer row: nothing to store.
    QVERIFY(pv::ledger::closeAccount(db, QStringLiteral("999"), summary).ok);
}

QTEST_MAIN(TestLedger)
#include "test_ledger.moc"
