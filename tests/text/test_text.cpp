#include "platform/text/TurkishText.h"

#include <QtTest>

class TestText : public QObject
{
    Q_OBJECT
private slots:
    void caseMapping_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::newRow("dotted i") << "istanbul"
                                  << "İSTANBUL"
                                  << "istanbul";
        QTest::newRow("dotless ı") << "Işık"
                                   << "IŞIK"
                                   << "ışık";
        QTest::newRow("İsmail") << "İsmail"
                                << "İSMAİL"
                                << "ismail";
        QTest::newRow("others") << "çğöşü"
                                << "ÇĞÖŞÜ"
                                << "çğöşü";
    }
    void caseMapping()
    {
        QFETCH(QString, in);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QCOMPARE(pv::trUpper(in), upper);
        QCOMPARE(pv::trLower(in), lower);
    }

    void alphabetOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("C<Ç") << "Cem"
                             << "Çelik";
        QTest::newRow("Ç<D") << "Çelik"
                             << "Demir";
        QTest::newRow("I<İ") << "Işık"
                             << "İsmail";
        QTest::newRow("O<Ö") << "Oya"
                             << "Öz";
        QTest::newRow("S<Ş") << "Sarı"
                             << "Şahin";
        QTest::newRow("U<Ü") << "Uz"
                             << "Ümit";
        QTest::newRow("Ü<V") << "Ümit"
                             << "Veli";
        QTest::newRow("prefix") << "Ali"
                                << "Alican";
        QTest::newRow("digit before letter") << "1 Numara"
                                             << "Ali";
    }
    void alphabetOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QVERIFY(pv::trCompare(a, b) < 0);
        QVERIFY(pv::trCompare(b, a) > 0);
    }

    void caseInsensitiveEquality()
    {
        QVERIFY(pv::trEqualsIgnoreCase("ışık", "IŞIK"));
        QVERIFY(pv::trEqualsIgnoreCase("İSMAİL", "ismail"));
        QVERIFY(!pv::trEqualsIgnoreCase("ismail", "ISMAIL")); // I is the capital of ı
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
