// The customer card, the account window's customer details, note, photo and deletion,
// and its receipts and account reports, driven as a shopkeeper uses them.
#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/data/DataControl.h"
#include "tests/harness/Harness.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest>

using pv::test::Harness;

namespace
{

const QString kDuplicate = QStringLiteral("BU MÜŞTERİ NUMARASI KAYITLARDA MEVCUT. PROGRAMINIZDAKİ BU HATAYI "
                                          "LÜTFEN www.brennavik.com ADRESİNE BİLDİRİNİZ.");

void addCustomer(Harness &h, const QString &code, const QString &name, const QVariantMap &extra = {})
{
    QVariantMap row{{QStringLiteral("mus_kodu"), code},
                    {QStringLiteral("MusteriFirma"), name},
                    {QStringLiteral("Turu"), QStringLiteral("Alıcı")},
                    {QStringLiteral("ParaTuru"), QStringLiteral("TL")},
                    {QStringLiteral("MusGrup"), QStringLiteral("GENEL")}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        row[it.key()] = it.value();
    QVERIFY(h.insert(QStringLiteral("musteriler"), row));
}

musteriekle &openCard(const QString &rights = QStringLiteral("0"))
{
    musteriekle &c = pv::form<musteriekle>();
    c.txtYetki = rights;
    c.Show();
    Harness::settle();
    return c;
}

// What a shopkeeper types into the three required boxes (over the blank they start with).
void fillRequired(musteriekle &c, const QString &name = QStringLiteral("Ahmet Yılmaz"))
{
    c.xpText2->setFocus();
    Harness::type(c.xpText2, name);
    c.xpText3->clear();
    Harness::type(c.xpText3, QStringLiteral("0212 555 44 33"));
    c.xpText4->clear();
    Harness::type(c.xpText4, QStringLiteral("Çarşı Cad. No 5"));
}

QStringList gridColumn(QTableView *grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, col).data().toString();
    return out;
}

QStringList listItems(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

class TestCustomers : public QObject
{
    Q_OBJECT
private slots:
    // customer card
    void proposal_data();
    void proposal();
    void saveStoresTheCardAndTheCounter_data();
    void saveStoresTheCardAndTheCounter();
    void requiredBoxes_data();
    void requiredBoxes();
    void duplicateNumberKeepsTheCard_data();
    void duplicateNumberKeepsTheCard();
    void groupsAddedAndRemoved();
    void similarRecords_data();
    void similarRecords();
    void openTheNewAccount();
    void keys();
    void picture_data();
    void picture();
    void helpPanel();
};

// ---------------------------------------------------------------- customer card

void TestCustomers::proposal_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("41") << QVariant(41) << QStringLiteral("42");
    QTest::newRow("shipped") << QVariant(0) << QStringLiteral("1");
    QTest::newRow("empty") << QVariant() << QStringLiteral("1");
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << QStringLiteral("1");
    // Beyond single and double precision: every digit counts.
    QTest::newRow("64-bit") << QVariant(qint64(9007199254740993LL)) << QStringLiteral("9007199254740994");
}

void TestCustomers::proposal()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, proposed);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = ?"), {stored}));
    musteriekle &c = openCard();
    QCOMPARE(c.xpText1->text(), proposed);
    QCOMPARE(c.windowTitle(), QStringLiteral("Yeni Müşteri Ekle"));
    QCOMPARE(c.xpCombo1->currentText(), QStringLiteral("Alıcı"));
    QCOMPARE(c.xpCombo2->currentText(), QStringLiteral("GENEL"));
    QCOMPARE(c.xpCombo3->currentText(), QStringLiteral("TL"));
    QCOMPARE(c.xpText7->text(), QStringLiteral("@"));
    QCOMPARE(c.txtHsbAc.text(), QStringLiteral("0"));
}

void TestCustomers::saveStoresTheCardAndTheCounter_data()
{
    QTest::addColumn<QString>("typed"); // over the proposal; empty keeps it
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<QString>("nextProposal");
    QTest::newRow("proposal") << QString() << QStringLiteral("42") << qint64(42) << QStringLiteral("43");
    QTest::newRow("typed number") << QStringLiteral("500") << QStringLiteral("500") << qint64(500)
                                  << QStringLiteral("501");
    QTest::newRow("typed code") << QStringLiteral("A-7") << QStringLiteral("A-7") << qint64(41)
                                << QStringLiteral("42");
}

void TestCustomers::saveStoresTheCardAndTheCounter()
{
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(qint64, counter);
    QFETCH(QString, nextProposal);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    musteriekle &c = openCard();
    if (!typed.isEmpty()) {
        c.xpText1->clear();
        Harness::type(c.xpText1, typed);
    }
    fillRequired(c);
    Harness::type(c.xpText10, QStringLiteral("Ayşe"));
    Harness::type(c.xpText8, QStringLiteral("0212 555 44 34"));
    c.xpCombo1->setCurrentText(QStringLiteral("Bayi"));
    c.xpCombo3->setCurrentText(QStringLiteral("Euro"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());

    const auto rows =
        h.rows(QStringLiteral("select mus_kodu, MusteriFirma, ilgili, Telefon1, Telefon2, Adres, mail, "
                              "Turu, MusGrup, ParaTuru, Bakiye, Sonislem2, Gun, \"Not\", foto "
                              "from musteriler"));
    QCOMPARE(rows.size(), 1);
    const QVariantList r = rows.first();
    QCOMPARE(r.at(0).toString(), code);
    QCOMPARE(r.at(1).toString(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(r.at(2).toString(), QStringLiteral("Ayşe"));
    QCOMPARE(r.at(3).toString(), QStringLiteral("0212 555 44 33"));
    QCOMPARE(r.at(4).toString(), QStringLiteral("0212 555 44 34"));
    QCOMPARE(r.at(5).toString(), QStringLiteral("Çarşı Cad. No 5"));
    QVERIFY(r.at(6).toString().isEmpty()); // "@" alone is no address
    QCOMPARE(r.at(7).toString(), QStringLiteral("Bayi"));
    QCOMPARE(r.at(8).toString(), QStringLiteral("GENEL"));
    QCOMPARE(r.at(9).toString(), QStringLiteral("Euro"));
    QCOMPARE(r.at(10).toDouble(), 0.0);
    QCOMPARE(r.at(11).toString(), QStringLiteral("20261210"));
    QVERIFY(r.at(12).isNull());
    QVERIFY(r.at(13).isNull() || r.at(13).toString().isEmpty());
    QCOMPARE(h.value(QStringLiteral("select Sonislem from musteriler")).toString(),
             QStringLiteral("2026-12-10"));
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toLongLong(), counter);

    musteriekle &again = openCard();
    QCOMPARE(again.xpText1->text(), nextProposal);
}

void TestCustomers::requiredBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("box");
    QTest::newRow("no name") << QString() << "555"
                             << "Adres"
                             << "Müşteriyi Yazın"
                             << "xpText2";
    QTest::newRow("blank name") << "   "
                                << "555"
                                << "Adres"
                                << "Müşteriyi Yazın"
                                << "xpText2";
    QTest::newRow("phone as it starts") << "Ali"
                                        << " "
                                        << "Adres"
                                        << "Telefon Numarasını Yazın"
                                        << "xpText3";
    QTest::newRow("no phone") << "Ali"
                              << ""
                              << "Adres"
                              << "Telefon Numarasını Yazın"
                              << "xpText3";
    QTest::newRow("address as it starts") << "Ali"
                                          << "555"
                                          << " "
                                          << "Adresi Yazın"
                                          << "xpText4";
    QTest::newRow("address of blank lines") << "Ali"
                                            << "555"
                                            << " \n  "
                                            << "Adresi Yazın"
                                            << "xpText4";
    QTest::newRow("name checked first") << ""
                                        << ""
                                        << ""
                                        << "Müşteriyi Yazın"
                                        << "xpText2";
}

void TestCustomers::requiredBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(QString, address);
    QFETCH(QString, message);
    QFETCH(QString, box);
    Harness h;
    musteriekle &c = openCard();
    c.activateWindow();
    c.xpText2->setText(name);
    c.xpText3->setText(phone);
    c.xpText4->setPlainText(address);
    c.xpText10->setFocus();
    h.expectMsgBox(message, pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 0);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 0);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), box);
}

void TestCustomers::duplicateNumberKeepsTheCard_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::newRow("proposed number taken") << QStringLiteral("42") << QString();
    QTest::newRow("same code, other case") << QStringLiteral("AB12") << QStringLiteral("ab12");
}

void TestCustomers::duplicateNumberKeepsTheCard()
{
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    addCustomer(h, existing, QStringLiteral("Eski Müşteri"));
    musteriekle &c = openCard();
    if (!typed.isEmpty())
        c.xpText1->setText(typed);
    fillRequired(c);
    h.expectMsgBox(kDuplicate, pv::vbInformation, QStringLiteral("Bilgi"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 1);
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 41);
    QCOMPARE(c.xpText2->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(c.xpText3->text(), QStringLiteral("0212 555 44 33"));

    // A free number saves the same input.
    c.xpText1->setText(QStringLiteral("77"));
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select MusteriFirma from musteriler where mus_kodu = '77'")).toString(),
             QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(h.value(QStringLiteral("select musterino from son_musterino")).toInt(), 77);
}

void TestCustomers::groupsAddedAndRemoved()
{
    Harness h;
    QVERIFY(h.insert(QStringLiteral("Musteri_Gruplari"),
                     {{QStringLiteral("grupadi"), QStringLiteral("Perakende")}}));
    addCustomer(h, QStringLiteral("5"), QStringLiteral("Toptancı"),
                {{QStringLiteral("MusGrup"), QStringLiteral("Perakende")}});
    musteriekle &c = openCard();
    QCOMPARE(listItems(c.xpCombo2), QStringList{QStringLiteral("Perakende")});

    Harness::click(c.btnGrupEkle);
    QVERIFY(c.Frame1->isVisible());
    h.expectMsgBox(QStringLiteral("Grubu Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
    Harness::click(c.btnEkle);
    Harness::type(c.xpText11, QStringLiteral("Çiftçiler"));
    Harness::click(c.btnEkle);
    QVERIFY(c.xpText11->text().isEmpty());
    QCOMPARE(gridColumn(c.DBGrid1, 0),
             (QStringList{QStringLiteral("Çiftçiler"), QStringLiteral("Perakende")}));
    // Offered on the card only once the panel closes.
    QCOMPARE(listItems(c.xpCombo2), QStringList{QStringLiteral("Perakende")});
    Harness::click(c.btnKapat);
    QVERIFY(!c.Frame1->isVisible());
    QCOMPARE(listItems(c.xpCombo2), (QStringList{QStringLiteral("Çiftçiler"), QStringLiteral("Perakende")}));
    QCOMPARE(c.xpCombo2->currentText(), QStringLiteral("GENEL"));

    // "No" keeps the group; "Yes" deletes the selected one, not its customers' group text.
    Harness::click(c.btnGrupEkle);
    c.DBGrid1->selectRow(1);
    h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Grup silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL"), pv::vbNo);
    Harness::click(c.btnSil);
    QCOMPARE(h.value(QStringLiteral("select count(*) from Musteri_Gruplari")).toInt(), 2);
    h.expectMsgBox(QStringLiteral("Seçmiş olduğunuz Grup silinecektir. Emin misiniz?"), pv::vbYes);
    Harness::click(c.btnSil);
    QCOMPARE(h.value(QStringLiteral("select group_concat(grupadi) from Musteri_Gruplari")).toString(),
             QStringLiteral("Çiftçiler"));
    QCOMPARE(h.value(QStringLiteral("select MusGrup from musteriler")).toString(),
             QStringLiteral("Perakende"));
    Harness::click(c.btnKapat);

    // The picked group is stored with the customer.
    c.xpCombo2->setCurrentIndex(0);
    fillRequired(c);
    Harness::click(c.kaydet);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select MusGrup from musteriler where MusteriFirma = 'Ahmet Yılmaz'"))
                 .toString(),
             QStringLiteral("Çiftçiler"));
}

void TestCustomers::similarRecords_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("nothing typed") << QString()
                                   << QStringList{"Ahmet Işık", "Ali * Yıldız", "ışıl Gıda", "Şükrü Çelik"};
    QTest::newRow("Turkish letters") << QStringLiteral("şük") << QStringList{"Şükrü Çelik"};
    QTest::newRow("capital I is ı") << QStringLiteral("IŞI") << QStringList{"Ahmet Işık", "ışıl Gıda"};
    QTest::newRow("middle of the name") << QStringLiteral("çel") << QStringList{"Şükrü Çelik"};
    QTest::newRow("a star is a star") << QStringLiteral("*") << QStringList{"Ali * Yıldız"};
    QTest::newRow("apostrophe") << QStringLiteral("O'") << QStringList{};
}

void TestCustomers::similarRecords()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    Harness h;
    addCustomer(h, QStringLiteral("1"), QStringLiteral("Şükrü Çelik"));
    addCustomer(h, QStringLiteral("2"), QStringLiteral("Ahmet Işık"));
    addCustomer(h, QStringLiteral("3"), QStringLiteral("ışıl Gıda"));
    addCustomer(h, QStringLiteral("4"), QStringLiteral("Ali * Yıldız"));
    musteriekle &c = openCard();
    QVERIFY(!c.Frame1s->isVisible());
    Harness::type(c.xpText2, typed);
    QTest::mouseMove(c.xpText2, c.xpText2->rect().center());
    QVERIFY(c.Frame1s->isVisible());
    QCOMPARE(gridColumn(c.DBGrid2, 3), names);
    QCOMPARE(c.DBGrid2->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("MÜŞTERİLER"));
    QTest::mouseMove(c.Image1, QPoint(2, 2));
    QVERIFY(!c.Frame1s->isVisible());
}

void TestCustomers::openTheNewAccount()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("update son_musterino set musterino = 41")));
    musteriekle &c = openCard(QStringLiteral("1"));
    fillRequired(c, QStringLiteral("Veli Kaya"));
    Harness::click(c.btnHesapAc);
    QCOMPARE(c.txtHsbAc.text(), QStringLiteral("1"));
    bool opened = false;
    h.onModal<veresiye2>([&](veresiye2 &w) {
        opened = true;
        QCOMPARE(w.windowTitle(), QStringLiteral("Veli Kaya / 42 - ( Alıcı ) Hesabı"));
        QCOMPARE(w.Text10.text(), QStringLiteral("42"));
        QCOMPARE(w.txtYetki.text(), QStringLiteral("1"));
        QCOMPARE(w.txtMusTuru.text(), QStringLiteral("Alıcı"));
        QVERIFY(pv::isLoaded<musteriekle>()); // behind the account window
        w.VornXPButton7_Click();
    });
    Harness::click(c.kaydet);
    Harness::settle();
    QVERIFY(opened);
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler where mus_kodu = '42'")).toInt(), 1);

    // Switched off again, the card just closes.
    musteriekle &c2 = openCard();
    fillRequired(c2);
    Harness::click(c2.btnHesapAc);
    Harness::click(c2.btnHesapAc);
    QCOMPARE(c2.txtHsbAc.text(), QStringLiteral("0"));
    Harness::click(c2.kaydet);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
}

void TestCustomers::keys()
{
    Harness h;
    musteriekle &c = openCard();
    c.activateWindow();
    // Enter walks the tab order, through the address box without breaking its line.
    const QList<QWidget *> order{c.xpCombo2, c.xpText2, c.xpText10,  c.xpText3, c.xpText8,
                                 c.xpText9,  c.xpText4, c.xpText5,   c.xpText6, c.xpText7,
                                 c.kaydet,   c.xpText1, c.MyButton6, c.xpCombo1};
    order.first()->setFocus();
    for (int i = 1; i < order.size(); ++i) {
        Harness::key(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), order.at(i));
    }
    QCOMPARE(c.xpText4->toPlainText(), QStringLiteral(" "));
    Harness::key(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), order.first());

    // Esc leaves without saving.
    Harness::type(c.xpText2, QStringLiteral("Ali"));
    Harness::key(c.xpText2, Qt::Key_Escape);
    Harness::settle();
    QVERIFY(!pv::isLoaded<musteriekle>());
    QCOMPARE(h.value(QStringLiteral("select count(*) from musteriler")).toInt(), 0);
}

void TestCustomers::picture_data()
{
    QTest::addColumn<QString>("file");   // created in the program folder; empty: none
    QTest::addColumn<QString>("picked"); // the picker's answer, relative to the folder; empty: cancelled
    QTest::addColumn<QString>("title");  // of the message; empty: none
    QTest::newRow("jpg") << "yuz.jpg"
                         << "yuz.jpg" << QString();
    QTest::newRow("JPG in capitals") << "YUZ.JPG"
                                     << "YUZ.JPG" << QString();
    QTest::newRow("bmp") << "yuz.bmp"
                         << "yuz.bmp" << QString();
    QTest::newRow("missing file") << QString() << "yok.jpg"
                                  << "Hata ";
    QTest::newRow("jpeg") << "yuz.jpeg"
                          << "yuz.jpeg"
                          << "Hata";
    QTest::newRow("png") << "yuz.png"
                         << "yuz.png"
                         << "Hata";
    QTest::newRow("cancelled") << QString() << QString() << "Hata ";
}

void TestCustomers::picture()
{
    QFETCH(QString, file);
    QFETCH(QString, picked);
    QFETCH(QString, title);
    Harness h;
    if (!file.isEmpty()) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString format = file.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive) ? "BMP" : "JPG";
        QVERIFY(img.save(h.folder() + QLatin1Char('/') + file, qPrintable(format)));
    }
    const QString path = picked.isEmpty() ? QString() : h.folder() + QLatin1Char('/') + picked;
    musteriekle &c = openCard();
    h.expectOpenFile(path);
    if (!title.isEmpty())
        h.expectMsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, title);
    Harness::click(c.BvButton3);
    QCOMPARE(h.pickerCalls().last().title, QStringLiteral("Resim Dosyası Seçin."));
    QCOMPARE(
        h.pickerCalls().last().filter,
        QStringLiteral(
            "JPG File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|GIF File(*.gif)|*.gif|Tüm Dosyalar(*.*)|*.*"));
    QCOMPARE(c.txtFoto->text(), path);
    QCOMPARE(!c.Image2->pixmap().isNull(), title.isEmpty());

    // The path is stored with the customer, a bad one too.
    fillRequired(c);
    Harness::click(c.kaydet);
    Harness::settle();
    QCOMPARE(h.value(QStringLiteral("select ifnull(foto, '') from musteriler")).toString(), path);
}

void TestCustomers::helpPanel()
{
    Harness h;
    musteriekle &c = openCard();
    Harness::click(c.BvButton1);
    QVERIFY(c.FrameFendrixon1->isVisible());
    QVERIFY(!c.kaydet->Enabled());
    QVERIFY(!c.MyButton6->Enabled());
    const auto texts = c.FrameFendrixon1->findChildren<QLabel *>();
    QStringList shown;
    for (QLabel *l : texts)
        shown << l->text();
    QVERIFY(shown.contains(QStringLiteral("Alıcı / Satıcı :")));
    QVERIFY(shown.contains(
        QStringLiteral("Sizden Ürün veya Hizmet alan Müşterileriniz hemde Tedarik eden Firma")));
    Harness::click(c.VornXPButton7);
    QVERIFY(!c.FrameFendrixon1->isVisible());
    QVERIFY(c.kaydet->Enabled());
    QVERIFY(c.MyButton6->Enabled());

    // The picture is removed only on "Evet", the file stays.
    c.txtFoto->setText(h.folder() + QStringLiteral("/a.jpg"));
    h.expectMsgBox(QStringLiteral("Müşteri Resmini Silmek İstediğinizden Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Uyarı"), pv::vbNo);
    Harness::click(c.BvButton2);
    QVERIFY(!c.txtFoto->text().isEmpty());
    h.expectMsgBox(QStringLiteral("Müşteri Resmini Silmek İstediğinizden Emin misiniz?"), pv::vbYes);
    Harness::click(c.BvButton2);
    QVERIFY(c.txtFoto->text().isEmpty());
    Harness::click(c.BvButton2); // nothing to ask about
}

QTEST_MAIN(TestCustomers)
#include "test_customers.moc"
