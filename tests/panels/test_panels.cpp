// Panels of one window that share a customer row save only their own fields, a cancelled
// picture picker leaves everything as it was, and a control a panel takes by name that the
// window lacks is told.
#include "app/accounts/MusteriDetay.h"
#include "app/accounts/veresiye2.h"
#include "app/admin/ayarlar.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "platform/databind/DataControl.h"
#include "tests/harness/Harness.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using pv::test::Harness;

namespace
{

// The customer whose panels are shown.
void addAhmet(Harness &h)
{
    pv::test::addCustomer(h, QStringLiteral("100"), QStringLiteral("Ahmet Yılmaz"),
                          {{QStringLiteral("Telefon1"), QStringLiteral("0212 555 44 33")},
                           {QStringLiteral("Adres"), QStringLiteral("Çarşı Cad. No 5")},
                           {QStringLiteral("Not"), QStringLiteral("Ayın 15'inde öder")}});
}

veresiye2 &openAccount()
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet Yılmaz / 100 - ( TL/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("100");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    Harness::settle();
    return w;
}

QVariantList storedCustomer(Harness &h)
{
    const auto rows = h.rows(QStringLiteral("SELECT MusteriFirma, Telefon1, Adres, \"Not\" FROM musteriler"));
    return rows.isEmpty() ? QVariantList() : rows.first();
}

// The account window of the one customer, with its customer panels.
MusteriDetay &openDetails(Harness &h)
{
    addAhmet(h);
    return *openAccount().musteriDetay;
}

// "Müşteri Bilgileri Düzenle ", then "Düzenle": the card's boxes open for typing.
void editCard(MusteriDetay &d)
{
    Harness::click(d.MyButton1);
    Harness::click(d.MyButton2);
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT
private slots:
    void noteSavedWhileTheCardIsBeingEdited();
    void cardSavedWhileTheNoteIsCleared();
    void noteClosedWithoutSaving();
    void namedSaveInTheDataLayer();
    void settingsLogoPickerCancelled();
    void aControlTheWindowLacksIsTold();
};

// The card open for editing, the note saved, then the card left with "Vazgeç": the card's
// typed values are neither written by the note's save nor kept after "Vazgeç".
void TestPanels::noteSavedWhileTheCardIsBeingEdited()
{
    Harness h;
    MusteriDetay &d = openDetails(h);
    editCard(d);
    d.xpText8->clear();
    d.xpText9->setText(QStringLiteral("yanlış numara"));

    Harness::click(d.btnNote);
    QVERIFY(d.frmNote->isVisible());
    d.txtNote->setPlainText(QStringLiteral("Çek ile öder"));
    Harness::click(d.BvButton5);
    QCOMPARE(storedCustomer(h),
             (QVariantList{QStringLiteral("Ahmet Yılmaz"), QStringLiteral("0212 555 44 33"),
                           QStringLiteral("Çarşı Cad. No 5"), QStringLiteral("Çek ile öder")}));
    // The card still shows what was typed into it, until it is left.
    QCOMPARE(d.xpText9->text(), QStringLiteral("yanlış numara"));
    QVERIFY(d.xpText8->text().isEmpty());

    Harness::click(d.MyButton6);
    QCOMPARE(d.xpText8->text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(d.xpText9->text(), QStringLiteral("0212 555 44 33"));
    QCOMPARE(d.txtNote->toPlainText(), QStringLiteral("Çek ile öder"));
    QCOMPARE(storedCustomer(h),
             (QVariantList{QStringLiteral("Ahmet Yılmaz"), QStringLiteral("0212 555 44 33"),
                           QStringLiteral("Çarşı Cad. No 5"), QStringLiteral("Çek ile öder")}));
}

// "Temizle" on the note without saving, then the card saved: the note stays.
void TestPanels::cardSavedWhileTheNoteIsCleared()
{
    Harness h;
    MusteriDetay &d = openDetails(h);
    Harness::click(d.btnNote);
    Harness::click(d.BvButton6);
    QVERIFY(d.txtNote->toPlainText().isEmpty());

    editCard(d);
    d.xpText9->setText(QStringLiteral("0212 555 44 34"));
    Harness::click(d.kaydet);
    QVERIFY(!d.musterifrm->isVisible());
    QCOMPARE(storedCustomer(h),
             (QVariantList{QStringLiteral("Ahmet Yılmaz"), QStringLiteral("0212 555 44 34"),
                           QStringLiteral("Çarşı Cad. No 5"), QStringLiteral("Ayın 15'inde öder")}));
    // The note panel, still open, keeps its unsaved text until it is closed.
    QVERIFY(d.txtNote->toPlainText().isEmpty());
}

void TestPanels::noteClosedWithoutSaving()
{
    Harness h;
    MusteriDetay &d = openDetails(h);
    Harness::click(d.btnNote);
    d.txtNote->setPlainText(QStringLiteral("yarım kalan"));
    Harness::click(d.btnNote); // closes the panel
    QVERIFY(!d.frmNote->isVisible());
    QCOMPARE(d.txtNote->toPlainText(), QStringLiteral("Ayın 15'inde öder"));
    // Saving the card later writes nothing of it.
    editCard(d);
    Harness::click(d.kaydet);
    QCOMPARE(storedCustomer(h).value(3).toString(), QStringLiteral("Ayın 15'inde öder"));
}

// Any window with two panels on one row (the settings row, which its windows write with
// their data controls): the data control saves the named fields only.
void TestPanels::namedSaveInTheDataLayer()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE dgrayr SET kurumismi = 'Ahmet Yılmaz', mailadres = 'a@b.c'")));
    const auto stored = [&] {
        return h.rows(QStringLiteral("select kurumismi, mailadres from dgrayr")).value(0);
    };
    pv::DataControl dc;
    dc.setDatabaseName(h.databasePath());
    dc.setRecordSource(QStringLiteral("dgrayr"));
    QVERIFY(dc.Refresh());
    QLineEdit name, mail;
    dc.bind(&name, QStringLiteral("kurumismi"));
    dc.bind(&mail, QStringLiteral("mailadres"));
    name.setText(QStringLiteral("Mehmet"));
    mail.setText(QStringLiteral("111"));
    QVERIFY(dc.UpdateRecord({QStringLiteral("MailAdres")})); // names ignore case
    QCOMPARE(stored(), (QVariantList{QStringLiteral("Ahmet Yılmaz"), QStringLiteral("111")}));
    QCOMPARE(name.text(), QStringLiteral("Mehmet"));
    dc.revertFields({QStringLiteral("kurumismi")});
    QCOMPARE(name.text(), QStringLiteral("Ahmet Yılmaz"));
    QCOMPARE(mail.text(), QStringLiteral("111"));
    // The whole-row save still writes every changed box.
    name.setText(QStringLiteral("Mehmet"));
    QVERIFY(dc.UpdateRecord());
    QCOMPARE(stored().value(0).toString(), QStringLiteral("Mehmet"));
}

void TestPanels::settingsLogoPickerCancelled()
{
    Harness h;
    QVERIFY(h.exec(QStringLiteral("UPDATE dgrayr SET logo = ?"), {h.folder() + QStringLiteral("/logo.jpg")}));
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(h.folder() + QStringLiteral("/logo.jpg"), "JPG"));
    h.onModal<ayarlar>([&](ayarlar &a) {
        h.click(a.btnEdit);
        const QString before = a.Text4->text();
        const bool shown = !a.Image2->pixmap().isNull();
        h.expectOpenFile(QString());
        h.click(a.BvButton1);
        QCOMPARE(a.Text4->text(), before);
        QCOMPARE(!a.Image2->pixmap().isNull(), shown);
        QVERIFY(h.msgBoxes().isEmpty());
        pv::Unload(&a);
    });
    pv::form<ayarlar>().Show(pv::Form::Modal);
    h.settle();
    QCOMPARE(h.value(QStringLiteral("SELECT logo FROM dgrayr")).toString(),
             h.folder() + QStringLiteral("/logo.jpg"));
}

// A control taken by name is the window's; a name it lacks, or a control of another class,
// is told as a form-file warning (which fails any test of the harness), and the program goes
// on with a hidden stand-in that does nothing.
void TestPanels::aControlTheWindowLacksIsTold()
{
    Harness h;
    QWidget window;
    window.setObjectName(QStringLiteral("veresiye2"));
    auto *box = new QLineEdit(&window);
    box->setObjectName(QStringLiteral("xpText3"));
    QCOMPARE(ui::control<QLineEdit>(&window, "xpText3"), box);
    QCOMPARE(ui::control<QWidget>(&window, "xpText3"), box);

    QTest::ignoreMessage(QtWarningMsg, "form file: veresiye2 has no QComboBox named xpText3");
    auto *list = ui::control<QComboBox>(&window, "xpText3");
    QVERIFY(list && list != static_cast<QWidget *>(box));
    QTest::ignoreMessage(QtWarningMsg, "form file: veresiye2 has no QWidget named tgoster");
    const QList<QWidget *> found = ui::controls(&window, {"xpText3", "tgoster"});
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.first(), box);
    for (QWidget *standIn : {static_cast<QWidget *>(list), found.last()}) {
        QCOMPARE(standIn->parentWidget(), &window);
        QVERIFY(standIn->objectName().isEmpty()); // a second look-up is told again
    }
    window.show();
    QVERIFY(box->isVisible());
    QVERIFY(!list->isVisible() && !found.last()->isVisible());
}

QTEST_MAIN(TestPanels)
#include "test_panels.moc"
