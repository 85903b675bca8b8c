// Amounts spelled out in Turkish words, from a box's text and from a number.
#include "platform/text/AmountInWords.h"

#include <QtTest>

class TestAmountInWords : public QObject
{
    Q_OBJECT
private slots:
    void fromText_data();
    void fromText();
    void fromNumber_data();
    void fromNumber();
};

void TestAmountInWords::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("words");
    QTest::newRow("zero") << "0"
                          << "Sıfır";
    QTest::newRow("zero with decimals") << "0,00"
                                        << "Sıfır";
    QTest::newRow("hundred") << "100"
                             << "Yüz TL";
    QTest::newRow("thousand without one") << "1000"
                                          << "Bin TL";
    QTest::newRow("thousand and one") << "1001"
                                      << "BinBir TL";
    QTest::newRow("two thousand") << "2000"
                                  << "İkiBin TL";
    QTest::newRow("eleven thousand keeps its one") << "11000"
                                                   << "OnBirBin TL";
    QTest::newRow("hundred and one thousand") << "101000"
                                              << "YüzBirBin TL";
    QTest::newRow("million and a thousand") << "1001000"
                                            << "BirMilyonBin TL";
    QTest::newRow("grouped with kuruş") << "1.234,56"
                                        << "BinİkiYüzOtuzDört TL ve ElliAltı Kr";
    QTest::newRow("contract amount") << "12.345,60"
                                     << "OnİkiBinÜçYüzKırkBeş TL ve Altmış Kr";
    QTest::newRow("half") << "0,5"
                          << "Elli Kr";
    QTest::newRow("negative") << "-5,5"
                              << "Eksi Beş TL ve Elli Kr";
    QTest::newRow("negative below one lira") << "-0,50"
                                             << "Eksi Elli Kr";
    QTest::newRow("negative five kuruş") << "-0,05"
                                         << "Eksi Beş Kr";
    QTest::newRow("kuruş rounding up to a lira") << "1,999"
                                                 << "İki TL";
    QTest::newRow("kuruş rounding down") << "1,994"
                                         << "Bir TL ve DoksanDokuz Kr";
    QTest::newRow("negative rounding up to a lira") << "-0,999"
                                                    << "Eksi Bir TL";
    QTest::newRow("negative rounded away to nothing") << "-0,004"
                                                      << "Sıfır";
    QTest::newRow("kuruş just below a whole") << "0,29"
                                              << "YirmiDokuz Kr";
    QTest::newRow("largest positive")
        << "99.999.999.999.999"
        << "DoksanDokuzTrilyonDokuzYüzDoksanDokuzMilyarDokuzYüzDoksanDokuzMilyon"
           "DokuzYüzDoksanDokuzBinDokuzYüzDoksanDokuz TL";
    QTest::newRow("fifteen digits positive") << "100.000.000.000.000"
                                             << "Hata";
    QTest::newRow("fifteen digits negative") << "-100.000.000.000.000"
                                             << "Eksi YüzTrilyon TL";
    QTest::newRow("sixteen digits negative") << "-1.000.000.000.000.000"
                                             << "Hata";
    QTest::newRow("letters") << "abc"
                             << "Hata";
    QTest::newRow("empty") << ""
                           << "Hata";
    QTest::newRow("point as decimal") << "1.5"
                                      << "Hata";
    QTest::newRow("ten lira and five kuruş") << "10,05"
                                             << "On TL ve Beş Kr";
}

void TestAmountInWords::fromText()
{
    QFETCH(QString, text);
    QFETCH(QString, words);
    QCOMPARE(pv::Yaziyla(text), words);
}

void TestAmountInWords::fromNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("words");
    QTest::newRow("0") << 0.0 << "Sıfır";
    QTest::newRow("negative zero") << -0.0 << "Sıfır";
    QTest::newRow("0,29") << 0.29 << "YirmiDokuz Kr";
    QTest::newRow("1234,56") << 1234.56 << "BinİkiYüzOtuzDört TL ve ElliAltı Kr";
    QTest::newRow("-0,50") << -0.5 << "Eksi Elli Kr";
    QTest::newRow("-0,05") << -0.05 << "Eksi Beş Kr";
    QTest::newRow("1,999") << 1.999 << "İki TL";
    QTest::newRow("10^14") << 1e14 << "Hata";
    QTest::newRow("-10^14") << -1e14 << "Eksi YüzTrilyon TL";
    QTest::newRow("99 999 999 999 999")
        << 99999999999999.0
        << "DoksanDokuzTrilyonDokuzYüzDoksanDokuzMilyarDokuzYüzDoksanDokuzMilyonDokuzYüzDoksanDokuzBin"
           "DokuzYüzDoksanDokuz TL";
    QTest::newRow("a thousand in the millions") << 2001001.0 << "İkiMilyonBinBir TL";
    QTest::newRow("kuruş rounded to two decimals") << 1.235 << "Bir TL ve YirmiDört Kr";
    QTest::newRow("not a number") << std::nan("") << "Hata";
    QTest::newRow("infinite") << HUGE_VAL << "Hata";
}

void TestAmountInWords::fromNumber()
{
    QFETCH(double, value);
    QFETCH(QString, words);
    QCOMPARE(pv::Yaziyla(value), words);
}

QTEST_APPLESS_MAIN(TestAmountInWords)
#include "test_amountinwords.moc"
