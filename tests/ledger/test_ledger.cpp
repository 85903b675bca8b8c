// The posting services, driven without any window: each operation against a fresh
// database, with the rows it leaves checked directly.
#include "app/ledger/ReceiptNumbers.h"
#include "platform/data/Database.h"
#include "platform/text/InputChecks.h"
#include "tests/harness/Harness.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using pv::test::Harness;

class TestLedger : public QObject
{
    Q_OBJECT

private slots:
    void ledgerIncludesNoWidgets();
    void receiptNumbers_data();
    void receiptNumbers();
    void amountCheck_data();
    void amountCheck();
};

// The posting rules must stay usable without windows: no file of the ledger may reach Qt
// Widgets or the program's windows.
void TestLedger::ledgerIncludesNoWidgets()
{
    const QString dir = qEnvironmentVariable("PV_SOURCE_DIR") + QStringLiteral("/app/ledger");
    QVERIFY(QFileInfo(dir).isDir());
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression widgetHeader(
        QStringLiteral("^(QtWidgets/|QtPrintSupport/|Q(Widget|Dialog|LineEdit|Label|ComboBox|TableView|"
                       "AbstractButton|PushButton|Application|MessageBox|Frame|PlainTextEdit|TextEdit|"
                       "ListWidget|CheckBox|Layout)\\b)|^(app/(?!ledger/)|controls/|platform/(forms|report|components)/)"));
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
            QVERIFY2(!widgetHeader.match(header).hasMatch(),
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
    QCOMPARE(pv::ledger::offerReceiptNumber(db), qint64(42));
    {
        pv::Transaction t(db);
        QVERIFY(pv::ledger::takeReceiptNumber(db, typed));
        QVERIFY(t.commit());
    }
    QCOMPARE(h.value(QStringLiteral("SELECT islemno FROM son_islemno")).toLongLong(), counterAfter);
    QCOMPARE(pv::ledger::offerReceiptNumber(db), nextOffer);
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

QTEST_MAIN(TestLedger)
#include "test_ledger.moc"
