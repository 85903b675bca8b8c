// The window and panel states of tests/windows/Windows.h and the shop they open on.
#include "tests/windows/Windows.h"

#include "app/accounts/AccountMail.h"
#include "app/accounts/CariToplu.h"
#include "app/accounts/CariYazdir.h"
#include "app/accounts/Dialog2.h"
#include "app/accounts/FrmEmail.h"
#include "app/accounts/MusteriDetay.h"
#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "app/admin/CopyFile.h"
#include "app/admin/CopyOto.h"
#include "app/admin/WebPages.h"
#include "app/admin/ayarlar.h"
#include "app/admin/birmler.h"
#include "app/admin/kullanici.h"
#include "app/bank/Banka1.h"
#include "app/bank/Banka2.h"
#include "app/cashbook/kasa.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "app/shell/Form3.h"
#include "app/shell/frmAlert.h"
#include "app/shell/frmLogin.h"
#include "app/shell/frmSplash.h"
#include "app/shell/veresiye.h"
#include "app/stock/StokArama.h"
#include "app/stock/StokIslemleri.h"
#include "app/stock/UrunGruplari.h"
#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/forms/Timer.h"
#include "platform/text/Formats.h"
#include "repair/frmCompact.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

namespace pv::test
{

namespace
{

const QDate kToday(2026, 12, 10);

// The columns of a customer in euro of this kind in the group GENEL, last moved on last.
QVariantMap euroAccount(const QString &turu, double balance, const QDate &last)
{
    return {{QStringLiteral("Turu"), turu},
            {QStringLiteral("ParaTuru"), QStringLiteral("EURO")},
            {QStringLiteral("MusGrup"), QStringLiteral("GENEL")},
            {QStringLiteral("Sonislem"), last.toString(Qt::ISODate)},
            {QStringLiteral("Sonislem2"), pv::dateKey(last)},
            {QStringLiteral("Gun"), int(last.daysTo(kToday))},
            {QStringLiteral("Bakiye"), balance}};
}

} // namespace

// Customers with long names and the widest letters, some overdue.
void shop(Harness &h)
{
    addCustomer(h, QStringLiteral("100"), QStringLiteral("ÖZGÜR İNŞAAT ŞİRKETİ"),
                euroAccount(QStringLiteral("Alıcı"), 125000.5, kToday.addDays(-95)));
    addCustomer(h, QStringLiteral("101"), QStringLiteral("ŞENER GIDA"),
                euroAccount(QStringLiteral("Satıcı"), -300, kToday.addDays(-40)));
    addCustomer(h, QStringLiteral("102"), QStringLiteral("Ali Çelik"),
                euroAccount(QStringLiteral("Bayi"), 0, kToday));
    QVERIFY(h.insert(QStringLiteral("veresiye"),
                     {{QStringLiteral("Tarih"), QStringLiteral("01.11.2026")},
                      {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                      {QStringLiteral("Turu"), QStringLiteral("Stoktan Bağımsız Satış")},
                      {QStringLiteral("Aciklama"), QStringLiteral("ÇİĞ ÜRÜN İŞÇİLİĞİ")},
                      {QStringLiteral("Eklenen"), 125000.5},
                      {QStringLiteral("Tarih2"), QStringLiteral("20261101")},
                      {QStringLiteral("mus_kodu"), QStringLiteral("100")}}));
    QVERIFY(
        h.exec(QStringLiteral("UPDATE musteriler SET mail = 'ozgur@example.com' WHERE mus_kodu = '100'")));
    QVERIFY(h.insert(QStringLiteral("Musteri_Gruplari"),
                     {{QStringLiteral("grupadi"), QStringLiteral("İNŞAAT")}}));
    QVERIFY(
        h.insert(QStringLiteral("banka"), {{QStringLiteral("Banka"), QStringLiteral("Türkiye İş Bankası")},
                                           {QStringLiteral("Sube"), QStringLiteral("Çarşı Şubesi")},
                                           {QStringLiteral("SubeKod"), QStringLiteral("0104")},
                                           {QStringLiteral("HesapNo"), QStringLiteral("TR12 0006 4000")},
                                           {QStringLiteral("Giren"), 125000.5},
                                           {QStringLiteral("Cikan"), 0.0},
                                           {QStringLiteral("Bakiye"), 125000.5},
                                           {QStringLiteral("HesapTuru"), QStringLiteral("Vadesiz")}}));
}

namespace
{

// The stock card's names as a shop fills them: a long product name, the widest capitals.
void stock(Harness &h)
{
    for (const char *category : {"İÇECEKLER", "TEMİZLİK ÜRÜNLERİ"})
        QVERIFY(h.insert(QStringLiteral("urun_marka"),
                         {{QStringLiteral("urunmarkaadi"), QString::fromUtf8(category)}}));
    for (const char *supplier : {"ŞENER GIDA", "ÖZ ÇAĞ"})
        QVERIFY(
            h.insert(QStringLiteral("urun_reyon"), {{QStringLiteral("reyon"), QString::fromUtf8(supplier)}}));
    QVERIFY(h.insert(QStringLiteral("Product"),
                     {{QStringLiteral("Product Code"), QStringLiteral("8690000000012")},
                      {QStringLiteral("Brand Name"), QStringLiteral("ÇİĞ KÖFTE ÜRÜNÜ İŞÇİLİK")},
                      {QStringLiteral("Generic Name"), QStringLiteral("İÇECEKLER")},
                      {QStringLiteral("OnHand"), 125000},
                      {QStringLiteral("Reorder Level"), 10},
                      {QStringLiteral("Price"), 125000.5},
                      {QStringLiteral("SatisFiyati"), 150000.75},
                      {QStringLiteral("SatisFiyati2"), 140000},
                      {QStringLiteral("SatisFiyati3"), 130000},
                      {QStringLiteral("Unit"), QStringLiteral("Adet")},
                      {QStringLiteral("Expiration Date"), QStringLiteral("12/9999")},
                      {QStringLiteral("Sinifi"), QStringLiteral("1.SINIF")},
                      {QStringLiteral("SaticiFirma"), QStringLiteral("ŞENER GIDA")}}));
}

// The main window's "Stok İşlemleri", as the user presses it.
frmProduct &stockCard(Harness &h)
{
    stock(h);
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    m.txtYetki = QStringLiteral("0");
    h.settle();
    h.click(m.stokbut);
    h.settle();
    return pv::form<frmProduct>();
}

// The stock card after the user's steps; shown: the panel they open, if any.
Opener stockCardThen(std::function<void(Harness &, frmProduct &)> steps,
                     std::function<QWidget *(frmProduct &)> shown = {})
{
    return [steps, shown](Harness &h, const Check &check) {
        frmProduct &f = stockCard(h);
        steps(h, f);
        h.settle();
        if (shown)
            QVERIFY2(shown(f)->isVisible(), qPrintable(shown(f)->objectName()));
        check(&f);
    };
}

// The stock card after its buttons, found by name, pressed in turn, with the panel they open.
Opener stockCardPanel(QStringList buttons, std::function<QWidget *(frmProduct &)> shown)
{
    return stockCardThen(
        [buttons](Harness &h, frmProduct &f) {
            for (const QString &b : buttons)
                h.click(f.findChild<BvButton *>(b));
        },
        std::move(shown));
}

// The search box switched to a mode.
Opener stockSearch(const QString &mode)
{
    return stockCardThen([mode](Harness &h, frmProduct &f) {
        const int i = f.arama->txtAra->findText(mode);
        QVERIFY2(i >= 0, qPrintable(mode));
        f.arama->txtAra->setCurrentIndex(i);
        emit f.arama->txtAra->activated(i);
        h.settle();
    });
}

Banka1 &bankAccounts(Harness &h)
{
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    h.settle();
    m.txtYetki = QStringLiteral("0");
    h.click(m.btnBanka);
    h.settle();
    return pv::form<Banka1>();
}

template <class T> Opener modeless(std::function<void(T &)> before = {})
{
    return [before](Harness &h, const Check &check) {
        T &w = pv::form<T>();
        if (before)
            before(w);
        w.Show(pv::Form::Modeless);
        h.settle();
        check(&w);
    };
}

veresiye &mainWindow(Harness &h)
{
    veresiye &m = pv::form<veresiye>();
    m.Show(pv::Form::Modeless);
    m.txtYetki = QStringLiteral("0");
    h.settle();
    return m;
}

veresiye2 &accountWindow(Harness &h)
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("ÖZGÜR İNŞAAT ŞİRKETİ / 100 - ( EURO/Alıcı ) HESABI"));
    w.Text10 = QStringLiteral("100");
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = QStringLiteral("Alıcı");
    w.Show();
    h.settle();
    return w;
}

// A modal window, checked from inside its own loop, then closed.
// inside: what the user does in it first (a panel opened), if anything.
template <class T>
Opener modalFrom(std::function<void(Harness &)> trigger, std::function<void(Harness &, T &)> inside = {})
{
    return [trigger, inside](Harness &h, const Check &check) {
        bool seen = false;
        h.onModal<T>([&](T &w) {
            seen = true;
            if (inside) {
                inside(h, w);
                h.settle();
            }
            check(&w);
            w.hide();
        });
        trigger(h);
        h.settle();
        QVERIFY2(seen, T::staticMetaObject.className());
    };
}

kasa &cashBook(Harness &h)
{
    veresiye &m = mainWindow(h);
    h.click(m.KasaBtn);
    h.settle();
    return pv::form<kasa>();
}

// The cash book with one of its panels opened by its button.
Opener cashBookPanel(BvButton *kasa::*button)
{
    return [button](Harness &h, const Check &check) {
        kasa &k = cashBook(h);
        h.click(k.*button);
        check(&k);
    };
}

// The bank movements of the first account, opened from the accounts window.
void openBankMovements(Harness &h)
{
    Banka1 &b = bankAccounts(h);
    b.DBGrid1->selectRow(0);
    h.click(b.btnHrktAc);
}

// The e-mail window, from the account window's e-mail command.
void openMail(Harness &h)
{
    accountWindow(h).accountMail->mnuBagMail->trigger();
}

// The send dialog as " Gönder" of the e-mail window shows it, before its timer's first
// tick sends anything (the harness's timers tick only when told), then both closed.
void openSendDialog(Harness &h, const Check &check)
{
    QVERIFY(h.exec(QStringLiteral("update dgrayr set mailadres = ?, mailsifre = ?"),
                   {QStringLiteral("bakkal@gmail.com"), QStringLiteral("sifre")}));
    bool seen = false;
    h.onModal<FrmEmail>([&](FrmEmail &e) {
        h.onModal<Dialog2>([&](Dialog2 &d) {
            seen = true;
            check(&d);
            d.Timer1->setEnabled(false);
            d.hide();
        });
        h.click(e.CommandButton1);
        e.hide();
    });
    openMail(h);
    h.settle();
    QVERIFY(seen);
}

// The account window with one of its panels opened by its command: the panel is there
// and seen.
Opener accountPanel(BvButton *veresiye2::*command, const char *panel)
{
    return [command, panel](Harness &h, const Check &check) {
        veresiye2 &w = accountWindow(h);
        h.click(w.*command);
        h.settle();
        const auto *shown = w.findChild<QWidget *>(QLatin1String(panel));
        QVERIFY2(shown && shown->isVisible(), panel);
        check(&w);
    };
}

// The account window's re-pricing from stock, confirmed; done: left to run to its end.
Opener repricing(bool done)
{
    return [done](Harness &h, const Check &check) {
        veresiye2 &w = accountWindow(h);
        h.expectMsgBoxContaining(QStringLiteral("Emin misiniz?"), pv::vbYes);
        h.click(w.cariToplu->btnFiyatGuncelle);
        for (int i = 0; done && i < 10 && w.cariToplu->Frame3->isHidden(); ++i)
            h.advance(10);
        h.settle();
        QVERIFY(w.cariToplu->frmFiyatGuncel->isVisible());
        QCOMPARE(w.cariToplu->Frame3->isVisible(), done);
        check(&w);
    };
}

// The main window with one of its panels opened by the user's step: the panel is there
// and seen.
Opener mainWindowPanel(std::function<void(Harness &, veresiye &)> step, QFrame *veresiye::*panel)
{
    return [step, panel](Harness &h, const Check &check) {
        veresiye &m = mainWindow(h);
        step(h, m);
        h.settle();
        QVERIFY2((m.*panel)->isVisible(), qPrintable((m.*panel)->objectName()));
        check(&m);
    };
}

// The current customer's picture asked for from the list's menu; no customer of the shop
// has one on file.
void askForPicture(Harness &h, veresiye &m)
{
    h.expectMsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"));
    m.mnuResg->trigger();
}

// The automatic backup at the program's end, seen while it tells where the copy went (it
// copies as soon as it shows and closes after the message).
void automaticBackup(Harness &h, const Check &check)
{
    const QString folder = h.value(QStringLiteral("SELECT oto_yedek FROM dgrayr")).toString();
    h.expectMsgBox(ui::backupFolder(folder) + ui::backupFileName() +
                       QStringLiteral("\n\n Klasörüne Yedeklendi."),
                   [check](const MsgBoxCall &) {
                       check(&pv::form<CopyOto>());
                       return int(pv::vbOK);
                   });
    exitWithAutomaticBackup(QStringLiteral("1"), nullptr);
    h.settle();
}

// The main window's announcements panel, its pages answered here instead of the network.
void announcements(Harness &h, const Check &check)
{
    web::setFetcher([](const QUrl &url, int) {
        return url == web::exchangeRatePage()
                   ? QStringLiteral("<td>ABD DOLARI</td><td>1</td><td>42,1234</td>")
                   : QStringLiteral("<h3>Güncel Program Duyuruları</h3><p>Yeni sürüm çıktı: ÇİĞ ÜRÜN "
                                    "işçiliği artık stok kartında.</p>");
    });
    veresiye &m = mainWindow(h);
    h.click(m.btnDuyuru);
    h.settle();
    web::setFetcher({});
    QVERIFY(m.frmDuyuru->isVisible());
    check(&m);
}

} // namespace

// Every window the harness can open, as the user first sees it.
QList<Window> windows()
{
    return {
        {"splash", modeless<frmSplash>()},
        {"login", modeless<frmLogin>()},
        {"main window", [](Harness &h, const Check &check) { check(&mainWindow(h)); }},
        {"main window, list totals",
         [](Harness &h, const Check &check) {
             veresiye &m = mainWindow(h);
             h.click(m.VornXPButton1);
             check(&m);
         }},
        {"main window, list print",
         mainWindowPanel([](Harness &h, veresiye &m) { h.click(m.rapbut); }, &veresiye::musListesiFrm)},
        {"main window, daily list",
         mainWindowPanel([](Harness &h, veresiye &m) { h.click(m.BvButton5); }, &veresiye::frmGS)},
        {"main window, customer picture", mainWindowPanel(askForPicture, &veresiye::frmResim)},
        {"overdue alert", modeless<frmAlert>()},
        {"customer card", modeless<musteriekle>([](musteriekle &c) { c.txtYetki = QStringLiteral("0"); })},
        {"account window", [](Harness &h, const Check &check) { check(&accountWindow(h)); }},
        {"sale entry",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton8); })},
        {"sale entry, stock list",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton8); },
                                    [](Harness &h, veresiyeekleode &d) { h.click(d.BvButton1); })},
        {"sale entry, descriptions",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton8); },
                                    [](Harness &, veresiyeekleode &d) {
                                        QTest::mouseDClick(d.xpText6->viewport(), Qt::LeftButton);
                                        QVERIFY(d.frmAciklama->isVisible());
                                    })},
        {"collection entry",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton10); })},
        {"collection entry, descriptions",
         modalFrom<veresiyeekleode>([](Harness &h) { h.click(accountWindow(h).VornXPButton10); },
                                    [](Harness &, veresiyeekleode &d) {
                                        QTest::mouseDClick(d.Text4, Qt::LeftButton);
                                        QVERIFY(d.frmAciklama2->isVisible());
                                    })},
        {"payment entry",
         modalFrom<veresiyealacakekle>([](Harness &h) { accountWindow(h).mnuOdeme_Click(); })},
        {"credit note entry",
         modalFrom<veresiyealacakekle>([](Harness &h) { accountWindow(h).mnuAlacak_Click(); })},
        {"settings", modeless<ayarlar>()},
        {"users", modeless<kullanici>()},
        {"units", modeless<birmler>()},
        {"about", modeless<Form3>()},
        {"about, licence agreement",
         [](Harness &h, const Check &check) {
             Form3 &f = pv::form<Form3>();
             f.Show(pv::Form::Modeless);
             h.settle();
             h.click(f.BvButton1);
             h.settle();
             QVERIFY(f.RichTextBox1->isVisible());
             check(&f);
         }},
        {"backup", modeless<CopyFile>()},
        {"restore", modeless<CopyFile>([](CopyFile &c) {
             c.txtAlert = QStringLiteral("11");
             c.geriyuklefrm->setVisible(true);
         })},
        {"cash book", [](Harness &h, const Check &check) { check(&cashBook(h)); }},
        {"bank accounts", [](Harness &h, const Check &check) { check(&bankAccounts(h)); }},
        {"bank movements", modalFrom<Banka2>(openBankMovements)},
        {"e-mail", modalFrom<FrmEmail>(openMail)},
        {"e-mail, subjects",
         modalFrom<FrmEmail>(openMail, [](Harness &h, FrmEmail &e) { h.click(e.btnSecKonu); })},
        {"e-mail, message texts",
         modalFrom<FrmEmail>(openMail, [](Harness &h, FrmEmail &e) { h.click(e.btnSecMesaj); })},
        {"e-mail, sending", openSendDialog},
        {"account window, contract",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             h.click(w.cariToplu->btnSozlesme);
             QVERIFY(w.cariToplu->frmSozlesme->isVisible());
             check(&w);
         }},
        {"account window, customer card", accountPanel(&veresiye2::MyButton1, "musterifrm")},
        {"account window, note", accountPanel(&veresiye2::btnNote, "frmNote")},
        {"account window, photo",
         [](Harness &h, const Check &check) {
             // The customer's photo: a file of the program folder the card stored.
             const QString path = h.folder() + QStringLiteral("/musteri.jpg");
             QImage photo(60, 40, QImage::Format_RGB32);
             photo.fill(QColor(0x28, 0x7E, 0xA8));
             QVERIFY(photo.save(path, "JPG"));
             QVERIFY(h.exec(QStringLiteral("UPDATE musteriler SET foto = ? WHERE mus_kodu = '100'"), {path}));
             veresiye2 &w = accountWindow(h);
             h.click(w.musteriDetay->btnResimGoster);
             h.settle();
             QVERIFY(w.musteriDetay->frmResim->isVisible());
             check(&w);
         }},
        {"account window, entry edit", accountPanel(&veresiye2::btnEdit, "frmHareketEdit")},
        {"account window, entry delete", accountPanel(&veresiye2::VornXPButton9, "frmSilEkran")},
        {"account window, date range",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             h.click(w.tgoster2);
             h.settle();
             w.ilk->setDate(QDate(2026, 11, 1));
             h.click(w.tgoster);
             h.settle();
             QVERIFY(w.frmTarihBakiyeler->isVisible());
             check(&w);
         }},
        {"account window, posting saved",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             h.onModal<veresiyealacakekle>([&h](veresiyealacakekle &d) {
                 h.type(d.Text5, QStringLiteral("10"));
                 h.click(d.VornXPButton9);
             });
             w.mnuOdeme->trigger();
             h.settle();
             QVERIFY(w.islemfrm->isVisible());
             check(&w);
         }},
        // Opened by the main window's delete command, its commands kept disabled.
        {"account window, delete customer",
         modalFrom<veresiye2>([](Harness &h) { h.click(mainWindow(h).VornXPButton9); },
                              [](Harness &h, veresiye2 &w) {
                                  h.advance(10);
                                  QVERIFY(w.musilfrm->isVisible());
                              })},
        {"account window, print options",
         [](Harness &h, const Check &check) {
             veresiye2 &w = accountWindow(h);
             w.cariYazdir->mnuMHY->trigger();
             h.settle();
             QVERIFY(w.cariYazdir->musListesiFrm->isVisible());
             check(&w);
         }},
        {"account window, prices from stock", repricing(false)},
        {"account window, prices from stock done", repricing(true)},
        {"cash book, money in", cashBookPanel(&kasa::KasaGrsBtn)},
        {"cash book, money out", cashBookPanel(&kasa::KasaCksBtn)},
        {"cash book, totals and print", cashBookPanel(&kasa::yazdirBtn)},
        {"cash book, delete confirmation",
         [](Harness &h, const Check &check) {
             // The delete command needs a row to delete.
             QVERIFY(
                 h.insert(QStringLiteral("kasa"), {{QStringLiteral("Tarih"), QStringLiteral("10.12.2026")},
                                                   {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                                                   {QStringLiteral("Tur"), QStringLiteral("Giren")},
                                                   {QStringLiteral("Aciklama"), QStringLiteral("ÇİĞ ÜRÜN")},
                                                   {QStringLiteral("Giren"), 125000.5},
                                                   {QStringLiteral("Tarih2"), QStringLiteral("20261210")}}));
             kasa &k = cashBook(h);
             k.DBGrid1->selectRow(0);
             h.click(k.KasaSilBtn);
             QVERIFY(k.frmSilEkran->isVisible());
             check(&k);
         }},
        {"bank accounts, new account",
         [](Harness &h, const Check &check) {
             Banka1 &b = bankAccounts(h);
             h.click(b.btnBankEkle);
             check(&b);
         }},
        {"bank accounts, editing",
         [](Harness &h, const Check &check) {
             Banka1 &b = bankAccounts(h);
             b.DBGrid1->selectRow(0);
             h.click(b.btnBankEdit);
             h.click(b.btnDuzEdit);
             QVERIFY(b.xpText1d->isVisible());
             check(&b);
         }},
        {"bank movements, customer entry", modalFrom<Banka2>(openBankMovements,
                                                             [](Harness &h, Banka2 &b) {
                                                                 b.mnubankGlnHE->trigger();
                                                                 h.settle();
                                                                 h.click(b.btnSec);
                                                             })},
        {"bank movements, income entry",
         modalFrom<Banka2>(openBankMovements, [](Harness &, Banka2 &b) { b.mnuGGelir->trigger(); })},
        {"stock card", [](Harness &h, const Check &check) { check(&stockCard(h)); }},
        {"stock card, new product", stockCardThen([](Harness &h, frmProduct &f) { h.click(f.cmdAdd); },
                                                  [](frmProduct &f) -> QWidget * { return f.cboLocation; })},
        {"stock card, editing", stockCardThen([](Harness &h, frmProduct &f) { h.click(f.cmdEdit); },
                                              [](frmProduct &f) -> QWidget * { return f.cboGName; })},
        {"stock card, categories",
         stockCardPanel({"cmdEdit", "MyButton7"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->urunmarkafrm; })},
        {"stock card, new category",
         stockCardPanel({"cmdEdit", "MyButton7", "MyButton2"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->urunmarkafrm2; })},
        {"stock card, suppliers",
         stockCardPanel({"cmdEdit", "btnTdrkEkle"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->reyonfrm; })},
        {"stock card, new supplier",
         stockCardPanel({"cmdEdit", "btnTdrkEkle", "vekbutton4"},
                        [](frmProduct &f) -> QWidget * { return f.gruplar->xpFrame3; })},
        {"stock card, stock in and out",
         stockCardThen([](Harness &h, frmProduct &f) { h.click(f.arama->btnSec); },
                       [](frmProduct &f) -> QWidget * { return f.islemler->frmStokEkle; })},
        {"stock card, price totals",
         stockCardThen([](Harness &h, frmProduct &f) { h.click(f.btnTutarHesapla); },
                       [](frmProduct &f) -> QWidget * { return f.islemler->Frame1; })},
        {"stock card, search by name", stockSearch(QStringLiteral("Ara > Ürün Adı"))},
        {"stock card, search by category", stockSearch(QStringLiteral("Ara > Ürün Kategorisi"))},
        {"stock card, search by class", stockSearch(QStringLiteral("Ara > Ürün Sınıfı"))},
        {"stock card, search by VAT kind", stockSearch(QStringLiteral("Ara > Ürün KDV Türü"))},
        {"stock card, search by VAT rate", stockSearch(QStringLiteral("Ara > Ürün KDV Oranı"))},
        {"stock card, critical stock list", stockCardThen([](Harness &h, frmProduct &f) {
             f.arama->mnukso->trigger();
             h.settle();
         })},
        {"database repair", modeless<frmCompact>()},
        {"automatic backup", automaticBackup},
        {"main window, announcements", announcements},
    };
}

} // namespace pv::test
