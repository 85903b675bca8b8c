// Turkish number, money, date and key texts, independent of the machine's locale.
#include "platform/text/Formats.h"

#include <QtTest>
#include <clocale>
#include <cmath>

Q_DECLARE_METATYPE(pv::NumberKind)

class TestFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // What the machine says must not matter.
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QString money = pv::kMoney;
        const QString parens = pv::kMoneyParens;
        QTest::newRow("money grouped") << 1234.5 << money << "1.234,50";
        QTest::newRow("money negative") << -50.0 << money << "-50,00";
        QTest::newRow("money zero") << 0.0 << money << "0,00";
        QTest::newRow("money small") << 0.5 << money << "0,50";
        QTest::newRow("money millions") << 1234567.891 << money << "1.234.567,89";
        QTest::newRow("money exact thousand") << 1000.0 << money << "1.000,00";
        QTest::newRow("money 999,995 carries") << 999.995 << money << "1.000,00";
        QTest::newRow("half away from zero") << 0.125 << money << "0,13";
        QTest::newRow("half away negative") << -0.125 << money << "-0,13";
        QTest::newRow("2.675 as written") << 2.675 << money << "2,68";
        QTest::newRow("1.005 as written") << 1.005 << money << "1,01";
        QTest::newRow("computed 3 x 0.835") << 3 * 0.835 << money << "2,51";
        QTest::newRow("computed 0.1+0.2") << 0.1 + 0.2 << money << "0,30";
        QTest::newRow("just below half") << 2.674999 << money << "2,67";
        QTest::newRow("negative rounds to zero") << -0.001 << money << "0,00";
        QTest::newRow("parens positive") << 1234.5 << parens << "1.234,50";
        QTest::newRow("parens negative") << -25.0 << parens << "(25,00)";
        QTest::newRow("parens negative grouped") << -1234.5 << parens << "(1.234,50)";
        QTest::newRow("parens zero") << 0.0 << parens << "0,00";
        QTest::newRow("parens tiny negative") << -0.004 << parens << "0,00";
        QTest::newRow("four decimals") << 1234.5 << pv::kMoney4 << "1.234,5000";
        QTest::newRow("four decimals rounding") << 0.12345 << pv::kMoney4 << "0,1235";
        QTest::newRow("three decimals") << 2.5 << pv::kMoney3 << "2,500";
        QTest::newRow("three decimals grouped") << 12345.6785 << pv::kMoney3 << "12.345,679";
        QTest::newRow("zero-padded 00000") << 42.0 << "00000"
                                           << "00042";
        QTest::newRow("zero-padded rounds") << 41.5 << "00000"
                                            << "00042";
        QTest::newRow("zero-padded longer") << 1234567.0 << "00000"
                                            << "1234567";
        QTest::newRow("hash only") << 0.0 << "#"
                                   << "";
        QTest::newRow("hash decimals trimmed") << 1.5 << "#,##0.##"
                                               << "1,5";
        QTest::newRow("hash decimals whole") << 2.0 << "#,##0.##"
                                             << "2";
        QTest::newRow("no decimals") << 1234.5 << "#,##0"
                                     << "1.235";
        QTest::newRow("zero section") << 0.0 << "#,##0.00;(#,##0.00);\"Sıfır\""
                                      << "Sıfır";
        QTest::newRow("quoted suffix") << 5.0 << "0.00\" TL\""
                                       << "5,00 TL";
        QTest::newRow("escaped literal") << 5.0 << "\\[0\\]"
                                         << "[5]";
        QTest::newRow("embedded literal") << 123456.0 << "000-000"
                                          << "123-456";
        QTest::newRow("percent") << 0.256 << "0.0%"
                                 << "25,6%";
        QTest::newRow("Currency") << 1234.5 << "Currency"
                                  << "1.234,50 TL";
        QTest::newRow("Currency negative") << -3.0 << "Currency"
                                           << "-3,00 TL";
        QTest::newRow("Standard") << 1234.5 << "Standard"
                                  << "1.234,50";
        QTest::newRow("Fixed") << 1234.5 << "Fixed"
                               << "1234,50";
        QTest::newRow("General Number") << 1234.5 << "General Number"
                                        << "1234,5";
        QTest::newRow("empty pattern") << 37.5 << ""
                                       << "37,5";
        QTest::newRow("large") << 123456789012.34 << money << "123.456.789.012,34";
        QTest::newRow("beyond 15 digits keeps decimals") << 1e15 << money << "1.000.000.000.000.000,00";
    }
    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(pv::Format(value, pattern), expected);
    }

    void moneyHelpers()
    {
        QCOMPARE(pv::formatMoney(1234.5), QStringLiteral("1.234,50"));
        QCOMPARE(pv::formatMoneyParens(-25), QStringLiteral("(25,00)"));
        QCOMPARE(pv::formatMoney3(1.5), QStringLiteral("1,500"));
        QCOMPARE(pv::formatMoney4(1.5), QStringLiteral("1,5000"));
    }

    void priceFormatForUnit_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("pattern");
        for (const char *u : {"Ton", "KG", "kg", "Kg", "Gram"})
            QTest::newRow(u) << QString::fromUtf8(u) << pv::kMoney3;
        for (const char *u : {"Adet", "Metre", "kG", "gram", ""})
            QTest::newRow(*u ? u : "empty") << QString::fromUtf8(u) << pv::kMoney;
    }
    void priceFormatForUnit()
    {
        QFETCH(QString, unit);
        QFETCH(QString, pattern);
        QCOMPARE(pv::priceFormatForUnit(unit), pattern);
    }

    void plainNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("37.5") << 37.5 << "37,5";
        QTest::newRow("1234.5 no grouping") << 1234.5 << "1234,5";
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("hundred") << 100.0 << "100";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("negative fraction") << -0.25 << "-0,25";
        QTest::newRow("small") << 0.001 << "0,001";
        QTest::newRow("computed sum") << 0.1 + 0.2 << "0,3";
        QTest::newRow("product") << 2.5 * 3 << "7,5";
        QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("huge") << 1e20 << "1E+20";
        QTest::newRow("tiny") << 1.5e-10 << "1,5E-10";
    }
    void plainNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(pv::plainNumber(value), expected);
    }

    void parseNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<pv::NumberKind>("kind");
        QTest::addColumn<double>("value");
        using K = pv::NumberKind;
        QTest::newRow("grouped money") << "1.234,50" << K::Number << 1234.5;
        QTest::newRow("plain comma") << "1234,5" << K::Number << 1234.5;
        QTest::newRow("parens") << "(25,00)" << K::Number << -25.0;
        QTest::newRow("minus") << "-5" << K::Number << -5.0;
        QTest::newRow("plain digits") << "1234" << K::Number << 1234.0;
        QTest::newRow("leading zeros") << "007" << K::Number << 7.0;
        QTest::newRow("minus with decimals") << "-1234,50" << K::Number << -1234.5;
        QTest::newRow("minus leading comma") << "-,5" << K::Number << -0.5;
        QTest::newRow("long digits") << "123456789012345678901" << K::Number << 123456789012345678901.0;
        QTest::newRow("minus blank") << "- 5" << K::Number << -5.0;
        QTest::newRow("two minus") << "--5" << K::NotNumber << 0.0;
        QTest::newRow("plus") << "+5" << K::Number << 5.0;
        QTest::newRow("blanks around") << "  12,5 " << K::Number << 12.5;
        QTest::newRow("millions") << "1.234.567,89" << K::Number << 1234567.89;
        QTest::newRow("grouped whole") << "1.234" << K::Number << 1234.0;
        QTest::newRow("leading comma") << ",5" << K::Number << 0.5;
        QTest::newRow("trailing comma") << "5," << K::Number << 5.0;
        QTest::newRow("currency suffix") << "1.234,50 TL" << K::Number << 1234.5;
        QTest::newRow("negative currency") << "-3,00 TL" << K::Number << -3.0;
        QTest::newRow("four decimals") << "1.234,5000" << K::Number << 1234.5;
        QTest::newRow("zero") << "0,00" << K::Number << 0.0;
        QTest::newRow("empty") << "" << K::Empty << 0.0;
        QTest::newRow("blanks") << "   " << K::Empty << 0.0;
        QTest::newRow("letters") << "abc" << K::NotNumber << 0.0;
        QTest::newRow("trailing letters") << "12abc" << K::NotNumber << 0.0;
        QTest::newRow("point is no decimal") << "1.5" << K::NotNumber << 0.0;
        QTest::newRow("bad group") << "1.23,5" << K::NotNumber << 0.0;
        QTest::newRow("two commas") << "1,2,3" << K::NotNumber << 0.0;
        QTest::newRow("date text") << "08.12.2026" << K::NotNumber << 0.0;
        QTest::newRow("sign only") << "-" << K::NotNumber << 0.0;
        QTest::newRow("parens and minus") << "(-5)" << K::NotNumber << 0.0;
        QTest::newRow("empty parens") << "()" << K::NotNumber << 0.0;
    }
    void parseNumber()
    {
        QFETCH(QString, text);
        QFETCH(pv::NumberKind, kind);
        QFETCH(double, value);
        const pv::ParsedNumber n = pv::parseNumber(text);
        QCOMPARE(n.kind, kind);
        QCOMPARE(n.value, value);
        QCOMPARE(pv::toNumber(text).has_value(), kind == pv::NumberKind::Number);
    }

    // What a money box shows after it is rewritten, and that the shown text reads back.
    void formatText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain to money") << "1234,5" << pv::kMoney << "1.234,50";
        QTest::newRow("negative to parens") << "-25" << pv::kMoneyParens << "(25,00)";
        QTest::newRow("parens stay") << "(25,00)" << pv::kMoneyParens << "(25,00)";
        QTest::newRow("again the same") << "1.234,50" << pv::kMoney << "1.234,50";
        QTest::newRow("to four decimals") << "1.234,50" << pv::kMoney4 << "1.234,5000";
        QTest::newRow("empty stays empty") << "" << pv::kMoney << "";
        QTest::newRow("not a number stays") << "abc" << pv::kMoney << "abc";
        QTest::newRow("point text stays") << "1.5" << pv::kMoney << "1.5";
        QTest::newRow("short date typed") << "8.12.2026"
                                          << "dd.mm.yyyy"
                                          << "08.12.2026";
        QTest::newRow("slashes typed") << "8/12/26"
                                       << "dd.mm.yyyy"
                                       << "08.12.2026";
        QTest::newRow("no real date stays") << "31.02.2026"
                                            << "dd.mm.yyyy"
                                            << "31.02.2026";
        QTest::newRow("date pattern on number stays") << "12"
                                                      << "dd.mm.yyyy"
                                                      << "12";
        QTest::newRow("date as dd-mm-yyyy") << "08.12.2026"
                                            << "dd-mm-yyyy"
                                            << "08-12-2026";
    }
    void formatText()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(pv::Format(text, pattern), expected);
    }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("leading number") << "12abc" << 12.0;
        QTest::newRow("point decimal") << "1.5" << 1.5;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("leading blanks") << "  3" << 3.0;
        QTest::newRow("blanks inside") << "1 2 3" << 123.0;
        QTest::newRow("comma ends") << "2,5" << 2.0;
        QTest::newRow("negative") << "-3.5x" << -3.5;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("bare e") << "2e" << 2.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("grouped money stops") << "1.234,50" << 1.234;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(pv::Val(text), value);
    }

    void formatDate_data()
    {
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const QDateTime at(QDate(2026, 12, 8), QTime(14, 30, 5));
        const QDateTime morning(QDate(2026, 1, 3), QTime(9, 5, 7));
        QTest::newRow("dd.mm.yyyy") << at << "dd.mm.yyyy"
                                    << "08.12.2026";
        QTest::newRow("DDMMYY") << at << "DDMMYY"
                                << "081226";
        QTest::newRow("HHMMSS minutes") << at << "HHMMSS"
                                        << "143005";
        QTest::newRow("DD-MM-YY") << at << "DD-MM-YY"
                                  << "08-12-26";
        QTest::newRow("HH-MM-SS minutes") << at << "HH-MM-SS"
                                          << "14-30-05";
        QTest::newRow("dd-mm-yyyy") << at << "dd-mm-yyyy"
                                    << "08-12-2026";
        QTest::newRow("hh:nn:ss") << morning << "hh:nn:ss"
                                  << "09:05:07";
        QTest::newRow("slash is the date separator") << morning << "dd/mm/yyyy"
                                                     << "03.01.2026";
        QTest::newRow("single digits") << morning << "d.m.yy"
                                       << "3.1.26";
        QTest::newRow("month names") << at << "d mmmm yyyy dddd"
                                     << "8 Aralık 2026 Salı";
        QTest::newRow("short names") << morning << "ddd dd mmm"
                                     << "Cmt 03 Oca";
        QTest::newRow("Short Date") << at << "Short Date"
                                    << "08.12.2026";
        QTest::newRow("Long Time") << at << "Long Time"
                                   << "14:30:05";
        QTest::newRow("General Date") << at << "General Date"
                                      << "08.12.2026 14:30:05";
        QTest::newRow("quoted text") << at << "\"Tarih: \"dd.mm.yyyy"
                                     << "Tarih: 08.12.2026";
        QTest::newRow("AM/PM") << at << "h:nn AM/PM"
                               << "2:30 ÖS";
    }
    void formatDate()
    {
        QFETCH(QDateTime, at);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(pv::Format(at, pattern), expected);
    }

    void dateText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("december") << QDate(2026, 12, 8) << "08.12.2026";
        QTest::newRow("january first") << QDate(2027, 1, 1) << "01.01.2027";
        QTest::newRow("leap day") << QDate(2028, 2, 29) << "29.02.2028";
        QTest::newRow("invalid") << QDate() << "";
    }
    void dateText()
    {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(pv::dateText(date), text);
        QCOMPARE(pv::Format(date, QStringLiteral("dd.mm.yyyy")), text);
        if (date.isValid())
            QCOMPARE(pv::parseDate(text), std::optional<QDate>(date));
    }

    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: no date
        QTest::newRow("full") << "08.12.2026" << QDate(2026, 12, 8);
        QTest::newRow("short parts") << "8.12.2026" << QDate(2026, 12, 8);
        QTest::newRow("two-digit year 20xx") << "8.12.26" << QDate(2026, 12, 8);
        QTest::newRow("two-digit year 19xx") << "8.12.95" << QDate(1995, 12, 8);
        QTest::newRow("slashes") << "08/12/2026" << QDate(2026, 12, 8);
        QTest::newRow("dashes") << "08-12-2026" << QDate(2026, 12, 8);
        QTest::newRow("blanks around") << " 08.12.2026 " << QDate(2026, 12, 8);
        QTest::newRow("leap day") << "29.02.2028" << QDate(2028, 2, 29);
        QTest::newRow("no leap day") << "29.02.2027" << QDate();
        QTest::newRow("31 February") << "31.02.2026" << QDate();
        QTest::newRow("month 13") << "01.13.2026" << QDate();
        QTest::newRow("day 0") << "00.12.2026" << QDate();
        QTest::newRow("mixed separators") << "08.12-2026" << QDate();
        QTest::newRow("three-digit year") << "08.12.202" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("text") << "bugün" << QDate();
        QTest::newRow("trailing text") << "08.12.2026x" << QDate();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto d = pv::parseDate(text);
        QCOMPARE(d.has_value(), date.isValid());
        if (d)
            QCOMPARE(*d, date);
    }

    void timeText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QTime(14, 30, 5) << "14:30:05";
        QTest::newRow("midnight") << QTime(0, 0, 0) << "00:00:00";
        QTest::newRow("morning") << QTime(9, 5, 7) << "09:05:07";
        QTest::newRow("invalid") << QTime() << "";
    }
    void timeText()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(pv::timeText(time), text);
        if (time.isValid())
            QCOMPARE(pv::parseTime(text), std::optional<QTime>(time));
    }

    void parseTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("time");
        QTest::newRow("full") << "14:30:05" << QTime(14, 30, 5);
        QTest::newRow("no seconds") << "9:05" << QTime(9, 5, 0);
        QTest::newRow("hour 24") << "24:00:00" << QTime();
        QTest::newRow("minute 60") << "10:60" << QTime();
        QTest::newRow("text") << "öğle" << QTime();
    }
    void parseTime()
    {
        QFETCH(QString, text);
        QFETCH(QTime, time);
        const auto t = pv::parseTime(text);
        QCOMPARE(t.has_value(), time.isValid());
        if (t)
            QCOMPARE(*t, time);
    }

    void dateKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("date text") << "08.12.2026"
                                   << "20261208";
        QTest::newRow("first of year") << "01.01.2027"
                                       << "20270101";
        QTest::newRow("short spelling") << "8.12.2026"
                                        << "20261208";
        QTest::newRow("two-digit year") << "08.12.26"
                                        << "20261208";
        QTest::newRow("not a date: by characters") << "ab.cd.efgh"
                                                   << "efghcdab";
        QTest::newRow("empty") << ""
                               << "";
    }
    void dateKey()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(pv::dateKey(text), key);
    }

    void dateKeyOrder()
    {
        // Keys compare as text in date order, across months and years.
        QVERIFY(pv::dateKey(QDate(2026, 12, 8)) > pv::dateKey(QDate(2026, 12, 1)));
        QVERIFY(pv::dateKey(QDate(2026, 12, 8)) < pv::dateKey(QDate(2026, 12, 31)));
        QVERIFY(pv::dateKey(QDate(2026, 12, 8)) < pv::dateKey(QDate(2027, 1, 8)));
        QCOMPARE(pv::dateKey(QDate(2026, 12, 8)), QStringLiteral("20261208"));
        QCOMPARE(pv::dateKey(QDate()), QString());
    }

    void stamps_data()
    {
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<QString>("postingId");
        QTest::addColumn<QString>("backupDate");
        QTest::addColumn<QString>("backupTime");
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 8), QTime(14, 30, 5)) << "081226143005"
                                   << "08-12-26"
                                   << "14-30-05";
        QTest::newRow("early") << QDateTime(QDate(2027, 1, 3), QTime(0, 5, 9)) << "030127000509"
                               << "03-01-27"
                               << "00-05-09";
    }
    void stamps()
    {
        QFETCH(QDateTime, at);
        QFETCH(QString, postingId);
        QFETCH(QString, backupDate);
        QFETCH(QString, backupTime);
        QCOMPARE(pv::postingId(at), postingId);
        QCOMPARE(pv::postingId(at).size(), 12);
        QCOMPARE(pv::backupDateStamp(at.date()), backupDate);
        QCOMPARE(pv::backupTimeStamp(at.time()), backupTime);
        // The same texts through the general Format.
        QCOMPARE(pv::Format(at, QStringLiteral("DDMMYY")) + pv::Format(at, QStringLiteral("HHMMSS")),
                 postingId);
        QCOMPARE(pv::Format(at, QStringLiteral("DD-MM-YY")), backupDate);
        QCOMPARE(pv::Format(at, QStringLiteral("HH-MM-SS")), backupTime);
    }

    // A formatted amount reads back as the rounded value.
    void roundTrip_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("back");
        QTest::newRow("money") << 1234.5 << pv::kMoney << 1234.5;
        QTest::newRow("rounded") << 2.675 << pv::kMoney << 2.68;
        QTest::newRow("parens") << -25.0 << pv::kMoneyParens << -25.0;
        QTest::newRow("four") << 0.12345 << pv::kMoney4 << 0.1235;
        QTest::newRow("plain") << 1234.5 << QString() << 1234.5;
    }
    void roundTrip()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(double, back);
        const auto n = pv::toNumber(pv::Format(value, pattern));
        QVERIFY(n.has_value());
        QCOMPARE(*n, back);
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "test_formats.moc"
