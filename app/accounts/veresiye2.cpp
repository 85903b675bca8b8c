#include "app/accounts/veresiye2.h"

#include "app/accounts/AccountMail.h"
#include "app/accounts/CariToplu.h"
#include "app/accounts/CariYazdir.h"
#include "app/accounts/MusteriDetay.h"
#include "app/ledger/Customers.h"
#include "app/ledger/Postings.h"
#include "app/sales/veresiyealacakekle.h"
#include "app/sales/veresiyeekleode.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/TextFit.h"
#include "platform/forms/Timer.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include <initializer_list>

namespace
{

// Every query of the window takes the account code as a bound value and matches it by
// equality (the column's collation ignores case), so a code holding a wildcard
// character can never reach another account's rows.
const QString kLedgerSql =
    QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc");
const QString kAccountSql = QStringLiteral("select * from musteriler where mus_kodu = ? ORDER BY id asc");

const QString kErrorTitle = QStringLiteral("Hata");

QLineEdit *makeBox(QWidget *parent, const char *name, double l, double t, double w, double h, bool locked)
{
    QLineEdit *e = ui::textBox(parent, name, l, t, w, h);
    e->setReadOnly(locked);
    return e;
}

// A combo box's Text as the old control took it: the editable text, or the item of that
// text (none for a text it does not list).
void setComboText(QComboBox *c, const QString &text)
{
    if (c->isEditable())
        c->setEditText(text);
    else
        c->setCurrentIndex(c->findText(text));
}

// A button redraws itself at every setEnabled: leave those already in the state asked.
void enableAll(std::initializer_list<BvButton *> buttons, bool on)
{
    for (BvButton *b : buttons)
        if (b && b->Enabled() != on)
            b->setEnabled(on);
}

void showMoney(QLineEdit *box, double value)
{
    box->setText(pv::formatMoney(value));
    box->setCursorPosition(int(box->text().size()));
}

} // namespace

veresiye2::veresiye2()
{
    setObjectName(QStringLiteral("veresiye2"));
    // No close box: a visit ends through "Geri", which writes the balance back.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setClientSizeTwips(15600, 9840);

    txtSirala = QStringLiteral("Tarih2,[Saat]");
    txtSirala2 = QStringLiteral("asc");
    txtSirala3 = QStringLiteral("Tarih2,[Saat] asc");

    Data1 = new pv::DataControl(this);
    Data5 = new pv::DataControl(this);
    // A long ledger opens in the time of its keys: the grid reads the rows it shows.
    Data5->Recordset().setReadOnDemand(true);
    Data3 = new pv::DataControl(this);
    DataFirmaBilgi = new pv::DataControl(this);
    DataKasaSil2 = new pv::DataControl(this);

    buildControls();
    bindFields();
    musteriDetay =
        new MusteriDetay(*this, *Data1,
                         {[this] { menukitle2(); }, [this] { menukilitac2(); }, [this] { Command6_Click(); },
                          [this] { ara_Click(); }, [this] { VornXPButton7_Click(); }});
    cariYazdir =
        new CariYazdir(*this, *Data5,
                       {[this] { return Text10.text(); }, [this] { return txtSecYazdir.text(); },
                        [this] { return txtSirala3.text(); }, [this] { return txtFirmaBilgi.text(); },
                        [this] { btnT1_Click(); }, [this] { Command6_Click(); }});
    cariToplu = new CariToplu(*this, *Data5,
                              {[this] { return Text10.text(); }, [this] { return txtFirmaBilgi.text(); },
                               [this] { ara_Click(); }, [this] { topla1_Click(); }, [this] { btnT1_Click(); },
                               [this] { Command6_Click(); }, [this] { menukitle2(); },
                               [this] { menukilitac2(); }, [this](const QString &day) { Text11 = day; },
                               [this] {
                                   musteriDetay->txtMail_Change();
                                   musteriDetay->txtFoto_Change();
                               },
                               [this] { musteriDetay->buildCard(); }});
    // What the e-mail window is handed: the customer as this window shows it.
    const auto mailCustomer = [this] {
        return FrmEmail::Customer{xpText3->text(),        txtMail.text(),
                                  VornXPTextBox2->text(), VornXPTextBox3->text(),
                                  VornXPTextBox4->text(), {txtPt1->text(), txtPt2->text(), txtPt3->text()}};
    };
    accountMail = new AccountMail(*this, *btnMail, {mailCustomer, [this] { return Text10.text(); }});

    Timer3 = new pv::Timer(200, false, this);
    Timer4 = new pv::Timer(5500, true, this);
    Timer5 = new pv::Timer(10, false, this);
    txtUygulaOdemeVeresiye.onChange(this, &veresiye2::txtUygulaOdemeVeresiye_Change);
    connect(Timer3, &pv::Timer::tick, this, &veresiye2::Timer3_Timer);
    connect(Timer4, &pv::Timer::tick, this, &veresiye2::Timer4_Timer);
    connect(Timer5, &pv::Timer::tick, this, &veresiye2::Timer5_Timer);
}

veresiye2::~veresiye2() = default;

void veresiye2::buildControls()
{
    // ---- account row
    ui::label(this, "Label1", 120, 120, 1080, 315, QStringLiteral("MÜŞTERİ"));
    xpText3 = makeBox(this, "xpText3", 1200, 120, 4800, 315, true);
    ui::label(this, "Label2", 6120, 120, 960, 315, QStringLiteral("ADRES :"));
    xpText2 = makeBox(this, "xpText2", 7080, 120, 4320, 315, true);
    ui::label(this, "Label3", 11520, 120, 1080, 315, QStringLiteral("TELEFON :"));
    xpText1 = makeBox(this, "xpText1", 12600, 120, 2880, 315, true);

    // ---- date range
    tgoster2 = ui::button(this, "tgoster2", 120, 1080, 3255, 495,
                          QStringLiteral("Tarih Aralığı Hareketleri Göster"));
    Label12 = ui::label(this, "Label12", 120, 900, 1320, 270, QStringLiteral("İLK TARİH :"));
    Label11 = ui::label(this, "Label11", 1560, 900, 1320, 270, QStringLiteral("SON TARİH :"));
    Label12->hide();
    Label11->hide();
    // as wide as the gaps allow, so the year's last digit is not cut off
    ilk = ui::datePicker(this, "ilk", 120, 1200, 1425, 315);
    son = ui::datePicker(this, "son", 1560, 1200, 1425, 315);
    tgoster = ui::button(this, "tgoster", 3000, 1200, 375, 375, QString());
    btnNote = ui::button(this, "btnNote", 3600, 1080, 1080, 495, QStringLiteral("Not"),
                         QStringLiteral("Müşteriye Ait Notu Göster"), {{"Mode", 1}, {"BackColor", 0xE3E3E3}});

    // ---- ledger
    Frame1s = ui::frame(this, "Frame1s", 120, 1680, 11400, 5640, QStringLiteral("Hareketler"));
    DBGrid2 = new QTableView(Frame1s);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    ui::place(DBGrid2, 60, 375, 11280, 5205);
    m_ledgerModel =
        new pv::DataGridModel(Data5,
                              {{QStringLiteral("TARİH"), QStringLiteral("Tarih"), 1200},
                               {QStringLiteral("SAAT"), QStringLiteral("Saat"), 960},
                               {QStringLiteral("İŞLEM TÜRÜ"), QStringLiteral("Turu"), 2160},
                               {QStringLiteral("AÇIKLAMA"), QStringLiteral("Aciklama"), 2280},
                               {QStringLiteral("MİKTAR"), QStringLiteral("Miktar"), 840},
                               {QStringLiteral("BİRİM"), QStringLiteral("Birim"), 720},
                               {QStringLiteral("BİRİM FİYAT"), QStringLiteral("BirimFiyat"), 1200},
                               {QStringLiteral("BORÇ"), QStringLiteral("Eklenen"), 1080},
                               {QStringLiteral("ALACAK"), QStringLiteral("Odenen"), 1080}},
                              this);
    m_ledgerModel->attach(DBGrid2, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid2->verticalHeader()->hide();
    DBGrid2->setWordWrap(false);
    DBGrid2->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(285));

    // ---- commands
    const double cx = 11640, cw = 3840, ch = 480, step = 540;
    double y = 1680;
    auto next = [&] {
        const double t = y;
        y += step;
        return t;
    };
    VornXPButton8 = ui::button(this, "VornXPButton8", cx, next(), cw, ch, QStringLiteral("Veresiye Ekle"));
    VornXPButton10 = ui::button(this, "VornXPButton10", cx, next(), cw, ch, QStringLiteral("Tahsilat Yap"));
    btnEkle = ui::button(this, "btnEkle", cx, next(), cw, ch, QStringLiteral("Alacak/Ödeme Ekle"));
    btnEdit = ui::button(this, "btnEdit", cx, next(), cw, ch, QStringLiteral(" Seçili Satırı Düzenle"),
                         QStringLiteral("Seçili Satırı Düzenle"));
    VornXPButton9 =
        ui::button(this, "VornXPButton9", cx, next(), cw, ch, QStringLiteral(" Seçili Satırı Sil"));
    VornXPButton6 = ui::button(this, "VornXPButton6", cx, next(), cw, ch, QStringLiteral("Hesabı Sıfırla"));
    btnFiyatGuncelle = ui::button(
        this, "btnFiyatGuncelle", cx, next(), cw, ch, QStringLiteral("Tüm Fiyatları Güncelle"),
        QStringLiteral(
            "Stoktaki Ürünlerin Güncel Fiyatlarını Cariye Yansıtır. (Tüp, Doğal Gaz, Akar Yakıt Satan "
            "İşletmeler İçindir.)"));
    VornXPButton5 = ui::button(this, "VornXPButton5", cx, next(), cw, ch, QStringLiteral("Listeyi Yazdır"),
                               {}, {{"BackColor", 0xE3E3E3}, {"DropDownSymbol", 6}});
    MyButton1 =
        ui::button(this, "MyButton1", cx, next(), cw, ch, QStringLiteral("Müşteri Bilgileri Düzenle "));
    btnMail = ui::button(this, "btnMail", cx, next(), cw, ch, QStringLiteral("E-Posta Gönder"),
                         QStringLiteral("Hesap Özetini Müşteriye E-Posta Olarak Gönder."));
    btnSMS = ui::button(this, "btnSMS", cx, next(), cw, ch, QStringLiteral("SMS Gönder"),
                        QStringLiteral("Hesap Bakiyesini Müşteriye SMS Olarak Gönderir."));
    VornXPButton2 = ui::button(this, "VornXPButton2", cx, next(), cw, ch, QStringLiteral("Hesap Makinesi"));
    VornXPButton7 = ui::button(this, "VornXPButton7", cx, 9120, cw, 600, QStringLiteral("Geri"));
    MyButton2 = ui::button(this, "MyButton2", 0, 0, 1200, 420, QStringLiteral("Düzenle"));

    // The commands whose work lives in the window's other panels are offered once that
    // work is in place; the rules below keep their states all the same.
    for (BvButton *b :
         {tgoster2, tgoster, btnNote, VornXPButton5, MyButton1, btnSMS, VornXPButton2, MyButton2})
        b->hide();
    ilk->hide();
    son->hide();

    connect(VornXPButton7, &BvButton::Click, this, &veresiye2::VornXPButton7_Click);
    connect(VornXPButton8, &BvButton::Click, this, &veresiye2::VornXPButton8_Click);
    connect(VornXPButton10, &BvButton::Click, this, &veresiye2::VornXPButton10_Click);
    connect(btnEkle, &BvButton::Click, this, &veresiye2::btnEkle_Click);
    connect(btnEdit, &BvButton::Click, this, &veresiye2::btnEdit_Click);
    connect(VornXPButton9, &BvButton::Click, this, &veresiye2::VornXPButton9_Click);

    mnuOdeAlacak = new QMenu(QStringLiteral("OdeAlacak"), this);
    mnuOdeAlacak->setObjectName(QStringLiteral("mnuOdeAlacak"));
    mnuAlacak = mnuOdeAlacak->addAction(QStringLiteral("Hesaba Alacak Ekle"));
    mnuAlacak->setObjectName(QStringLiteral("mnuAlacak"));
    mnuOdeAlacak->addSeparator();
    mnuOdeme = mnuOdeAlacak->addAction(QStringLiteral("Ödeme Yap"));
    mnuOdeme->setObjectName(QStringLiteral("mnuOdeme"));
    connect(mnuAlacak, &QAction::triggered, this, &veresiye2::mnuAlacak_Click);
    connect(mnuOdeme, &QAction::triggered, this, &veresiye2::mnuOdeme_Click);

    // ---- totals: the row ends with the ledger frame, clear of the command column
    ui::label(this, "Label4", 120, 7440, 1560, 315, QStringLiteral("Toplam Borç :"));
    VornXPTextBox2 = makeBox(this, "VornXPTextBox2", 1680, 7440, 1520, 315, true);
    txtPt1 = makeBox(this, "txtPt1", 3200, 7440, 600, 315, true);
    ui::label(this, "Label5", 3920, 7440, 1680, 315, QStringLiteral("Toplam Ödenen :"));
    VornXPTextBox3 = makeBox(this, "VornXPTextBox3", 5600, 7440, 1520, 315, true);
    txtPt2 = makeBox(this, "txtPt2", 7120, 7440, 600, 315, true);
    ui::label(this, "Label6", 7840, 7440, 1560, 315, QStringLiteral("Toplam Bakiye :"));
    VornXPTextBox4 = makeBox(this, "VornXPTextBox4", 9400, 7440, 1520, 315, true);
    txtPt3 = makeBox(this, "txtPt3", 10920, 7440, 600, 315, true);
    for (QLineEdit *box : {VornXPTextBox2, VornXPTextBox3, VornXPTextBox4}) {
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setText(QStringLiteral("0,00"));
    }
    for (QLineEdit *box : {txtPt1, txtPt2, txtPt3})
        box->setText(QStringLiteral("TL"));

    frmTarihBakiyeler = ui::panel(this, "frmTarihBakiyeler", 120, 7920, 11400, 1080, false);
    FrameFendrixon6 = ui::frame(frmTarihBakiyeler, "FrameFendrixon6", 0, 0, 11400, 1080,
                                QStringLiteral("Seçilen Tarih Aralığındaki Bakiye "));
    ui::label(FrameFendrixon6, "Label7", 120, 480, 1560, 315, QStringLiteral("Toplam Borç :"));
    txtT1 = makeBox(FrameFendrixon6, "txtT1", 1680, 480, 1800, 315, true);
    ui::label(FrameFendrixon6, "Label8", 3720, 480, 1680, 315, QStringLiteral("Toplam Ödenen :"));
    txtT2 = makeBox(FrameFendrixon6, "txtT2", 5400, 480, 1800, 315, true);
    ui::label(FrameFendrixon6, "Label9", 7440, 480, 1560, 315, QStringLiteral("Toplam Bakiye :"));
    txtT3 = makeBox(FrameFendrixon6, "txtT3", 9000, 480, 1800, 315, true);
    for (QLineEdit *box : {txtT1, txtT2, txtT3}) {
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setText(QStringLiteral("0,00"));
    }
    frmTarihBakiyeler->hide();

    // ---- confirmation
    islemfrm = ui::panel(this, "islemfrm", 3600, 3960, 4680, 600);
    msj2 = ui::label(islemfrm, "msj2", 60, 60, 4560, 480, QStringLiteral("İşlem Kaydediliyor... Bekleyiniz."),
                     Qt::AlignCenter);
    msj2->setAutoFillBackground(true);
    islemfrm->hide();
    Frame1 = ui::panel(this, "Frame1", 120, 9240, 360, 360);
    Frame1->hide();

    // ---- print options
    musListesiFrm = ui::panel(this, "musListesiFrm", 120, 1680, 6615, 2295);
    ui::label(musListesiFrm, "Label13", 240, 480, 1800, 270, QStringLiteral("SIRALA :"));
    xpCombo2 = ui::comboBox(musListesiFrm, "xpCombo2", 240, 780, 2040, 315);
    xpCombo1 = ui::comboBox(musListesiFrm, "xpCombo1", 2400, 780, 1440, 315);
    ui::label(musListesiFrm, "Label14", 4080, 480, 1800, 270, QStringLiteral("YAZI BOYUTU :"));
    TextSize = ui::comboBox(musListesiFrm, "TextSize", 4080, 780, 960, 315);
    musListesiFrm->hide();
    connect(xpCombo1, &QComboBox::currentTextChanged, this, &veresiye2::xpCombo1_Click);
    connect(xpCombo2, &QComboBox::currentTextChanged, this, &veresiye2::xpCombo2_Click);
    xpCombo3 = ui::comboBox(this, "xpCombo3", 0, 0, 1800, 315);
    xpCombo4 = ui::comboBox(this, "xpCombo4", 0, 0, 1800, 315);
    xpCombo3->hide();
    xpCombo4->hide();

    // ---- delete-customer panel
    musilfrm = ui::panel(this, "musilfrm", 2400, 3000, 7560, 1800);
    Text3 = makeBox(musilfrm, "Text3", 240, 180, 7080, 315, true);
    auto *question = ui::label(
        musilfrm, "Label15", 240, 600, 7080, 480,
        QStringLiteral(
            "Müşterinin Veresiye Hesabı Sıfırlanacak ve Müşteri Kaydı Silinecektir.  Emin misiniz?"));
    question->setWordWrap(true);
    MyButton3 = ui::button(musilfrm, "MyButton3", 240, 1140, 2160, 480, QStringLiteral(" İptal"));
    MyButton4 = ui::button(musilfrm, "MyButton4", 2520, 1140, 4800, 480,
                           QStringLiteral(" Müşteriyi ve Hareketlerini Sil"));
    MyButton4->hide();
    connect(MyButton3, &BvButton::Click, this, &veresiye2::MyButton3_Click);
    musilfrm->hide();

    Frame5 = ui::panel(this, "Frame5", 0, 0, 1200, 600);
    Frame5->hide();
}

// The edit and delete panels are built when their command first opens them: an account
// opened to be looked at builds neither.
void veresiye2::buildEditPanel()
{
    if (frmHareketEdit)
        return;
    frmHareketEdit =
        ui::frame(this, "frmHareketEdit", 2400, 1920, 7320, 4560, QStringLiteral("Müşteri Hareketi Düzenle"));
    struct Line {
        const char *label;
        const char *box;
        QString caption;
        double top;
        QLineEdit **edit;
    };
    const Line lines[] = {{"Label16", "txtEdit1", QStringLiteral("TARİH :"), 480, &txtEdit1},
                          {"Label17", "txtEdit2", QStringLiteral("SAAT :"), 840, &txtEdit2},
                          {"Label18", "txtEdit3", QStringLiteral("İŞLEM TÜRÜ :"), 1200, &txtEdit3},
                          {"Label19", "txtEdit4", QStringLiteral("AÇIKLAMA :"), 1560, &txtEdit4}};
    for (const Line &l : lines) {
        ui::label(frmHareketEdit, l.label, 480, l.top, 1320, 315, l.caption);
        *l.edit = makeBox(frmHareketEdit, l.box, 1800, l.top, 5160, 315, false);
    }
    Frame4 = ui::panel(frmHareketEdit, "Frame4", 120, 1980, 7080, 1080, false);
    const Line group[] = {{"Label23", "txtEdit7", QStringLiteral("MİKTAR :"), 0, &txtEdit7},
                          {"Label24", "txtEdit8", QStringLiteral("BİRİM :"), 360, &txtEdit8},
                          {"Label25", "txtEdit9", QStringLiteral("BİRİM FİYAT :"), 720, &txtEdit9}};
    for (const Line &l : group) {
        ui::label(Frame4, l.label, 360, l.top, 1320, 315, l.caption);
        *l.edit = makeBox(Frame4, l.box, 1680, l.top, 2400, 315, false);
    }
    Label21 = ui::label(frmHareketEdit, "Label21", 480, 3120, 1320, 315, QStringLiteral("BORÇ :"));
    txtEdit5 = makeBox(frmHareketEdit, "txtEdit5", 1800, 3120, 2400, 315, false);
    Label22 = ui::label(frmHareketEdit, "Label22", 480, 2400, 1320, 315, QStringLiteral("ÖDENEN :"));
    txtEdit6 = makeBox(frmHareketEdit, "txtEdit6", 1800, 2400, 2400, 315, false);
    txtEdit10 = makeBox(frmHareketEdit, "txtEdit10", 4320, 3120, 1200, 315, false);
    txtEdit10->hide();
    for (QLineEdit *e :
         {txtEdit1, txtEdit2, txtEdit3, txtEdit4, txtEdit5, txtEdit6, txtEdit7, txtEdit8, txtEdit9})
        e->setEnabled(false);
    BvButton2 = ui::button(frmHareketEdit, "BvButton2", 1800, 3840, 1560, 480, QStringLiteral("Düzenle"));
    BvButton3 = ui::button(frmHareketEdit, "BvButton3", 1800, 3840, 1560, 480, QStringLiteral("Kaydet"));
    BvButton1 = ui::button(frmHareketEdit, "BvButton1", 3480, 3840, 1560, 480, QStringLiteral("Vazgeç"));
    BvButton3->hide();
    connect(BvButton2, &BvButton::Click, this, &veresiye2::BvButton2_Click);
    connect(BvButton3, &BvButton::Click, this, &veresiye2::BvButton3_Click);
    connect(BvButton1, &BvButton::Click, this, &veresiye2::BvButton1_Click);
    const std::pair<QLineEdit *, const char *> edits[] = {
        {txtEdit1, "Tarih"},      {txtEdit2, "Saat"},   {txtEdit3, "Turu"},   {txtEdit4, "Aciklama"},
        {txtEdit5, "Eklenen"},    {txtEdit6, "Odenen"}, {txtEdit7, "Miktar"}, {txtEdit8, "Birim"},
        {txtEdit9, "BirimFiyat"}, {txtEdit10, "Tarih2"}};
    for (const auto &[box, field] : edits)
        Data5->bind(box, QLatin1String(field));
    frmHareketEdit->hide();
}

void veresiye2::buildDeletePanel()
{
    if (frmSilEkran)
        return;
    frmSilEkran = ui::panel(this, "frmSilEkran", 3120, 3120, 6240, 2520);
    auto *heading = ui::label(frmSilEkran, "Label26", 120, 120, 6000, 360,
                              QStringLiteral("SEÇİLİ VERESİYE İŞLEMİ SİLİNECEKTİR"), Qt::AlignCenter);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    ui::label(frmSilEkran, "Label27", 240, 600, 5880, 300, QStringLiteral("> Seçili Veresiye İşlemi"));
    ui::label(frmSilEkran, "Label28", 240, 900, 5880, 300,
              QStringLiteral("> Seçili Veresiye İşlemine Bağlı Kasa Hareketleri"));
    ui::label(frmSilEkran, "Label29", 240, 1200, 5880, 300,
              QStringLiteral("> Seçili Veresiye İşlemine Bağlı Tahsilat / Ödeme İşlemleri"));
    btnSilIptal = ui::button(frmSilEkran, "btnSilIptal", 600, 1800, 2280, 480, QStringLiteral(" İptal"));
    Command12 = ui::button(frmSilEkran, "Command12", 3240, 1800, 2400, 480, QStringLiteral(" İşlemi Sil"));
    connect(btnSilIptal, &BvButton::Click, this, &veresiye2::btnSilIptal_Click);
    connect(Command12, &BvButton::Click, this, &veresiye2::Command12_Click);
    frmSilEkran->hide();

    // The linked cash rows are gathered, never shown.
    frmTumSil2 = ui::panel(this, "frmTumSil2", 0, 0, 4800, 1800);
    DBGridKasa = new QTableView(frmTumSil2);
    DBGridKasa->setObjectName(QStringLiteral("DBGridKasa"));
    ui::place(DBGridKasa, 0, 0, 4800, 1800);
    m_kasaModel = new pv::DataGridModel(DataKasaSil2,
                                        {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 1080},
                                         {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 2400},
                                         {QStringLiteral("Giren"), QStringLiteral("Giren"), 1080},
                                         {QStringLiteral("Çıkan"), QStringLiteral("Cikan"), 1080}},
                                        this);
    m_kasaModel->attach(DBGridKasa);
    frmTumSil2->hide();
    pv::fitTexts(frmTumSil2);
}

void veresiye2::bindFields()
{
    ui::bindField(Data1, &Text9, QStringLiteral("Bakiye"));
    ui::bindField(Data1, &Text12, QStringLiteral("Sonislem"));
    ui::bindField(Data1, &Text13, QStringLiteral("Gun"));
    ui::bindField(Data1, &txtMail, QStringLiteral("mail"));
    Data1->bind(Text3, QStringLiteral("MusteriFirma"));
    Data1->bind(xpText3, QStringLiteral("MusteriFirma"));
    Data1->bind(xpText2, QStringLiteral("Adres"));
    Data1->bind(xpText1, QStringLiteral("Telefon1"));

    ui::bindField(Data5, &Text11111, QStringLiteral("mus_kodu"));
    ui::bindField(Data5, &txtIslemNo2, QStringLiteral("islemNo2"));
    ui::bindField(Data5, &txtIslemTuru, QStringLiteral("Turu"));
    ui::bindField(Data5, &txtProductCode2, QStringLiteral("ProductCode"));
    ui::bindField(Data5, &txtDusStokMik, QStringLiteral("Miktar"));

    ui::bindField(Data3, &txtStokMik, QStringLiteral("OnHand"));
    ui::bindField(DataFirmaBilgi, &txtFirmaBilgi, QStringLiteral("kurumismi"));
}

// ---------------------------------------------------------------- loading and activation

void veresiye2::Form_Load()
{
    txtSecYazdir = pv::postingId(pv::Clock::now());

    const QString path = pv::databasePath();
    m_db.open(path);
    for (pv::DataControl *dc : {Data1, Data5, Data3, DataFirmaBilgi, DataKasaSil2})
        dc->setDatabaseName(path);
    DataFirmaBilgi->setRecordSource(QStringLiteral("dgrayr"));
    DataFirmaBilgi->Refresh();

    // Every activation reads the account; the openers hand its code over after loading, so
    // there is seldom one to read yet.
    if (!Text10.text().isEmpty())
        ara_Click(); // the totals come with it
    setLedgerCommands();

    TextSize->clear();
    for (int size = 3; size <= 14; ++size)
        TextSize->addItem(QString::number(size));
    setComboText(TextSize, QStringLiteral("8"));
    xpCombo2->addItems({QStringLiteral("Tarih / Saat"), QStringLiteral("İşlem Sırası"),
                        QStringLiteral("Borç"), QStringLiteral("Ödenen")});
    xpCombo1->addItems({QStringLiteral("Artan"), QStringLiteral("Azalan")});
    xpCombo3->addItems({QStringLiteral("Alıcı"), QStringLiteral("Satıcı"), QStringLiteral("Alıcı/Satıcı"),
                        QStringLiteral("Bayi"), QStringLiteral("Personel")});
    xpCombo4->addItems({QStringLiteral("TL"), QStringLiteral("Dolar"), QStringLiteral("Euro")});

    ilk->setDate(pv::Clock::today());
    son->setDate(pv::Clock::today());
}

void veresiye2::Form_Activate()
{
    ara_Click(); // the totals come with it
    setLedgerCommands();
    txttarih = pv::dateText(pv::Clock::today());
    // Days since the last entry saved during this visit; without one the stored count stays.
    const auto today = pv::parseDate(txttarih);
    const auto last = pv::parseDate(Text11);
    if (today && last)
        Text13 = QString::number(last->daysTo(*today));
}

void veresiye2::Form_QueryUnload(int &Cancel, int UnloadMode)
{
    // Like the missing close box: the window is left through "Geri" only.
    if (UnloadMode == FormControlMenu)
        Cancel = 1;
    // Nor while the prices walk: the rest of the ledger would keep its old prices.
    if (cariToplu->walking())
        Cancel = 1;
}

void veresiye2::ara_Click()
{
    m_reads.beginPass();
    Data5->setRecordSource(kLedgerSql, {Text10.text()});
    m_reads.check(*Data5, Data5->Refresh());
    Data1->setRecordSource(kAccountSql, {Text10.text()});
    m_reads.check(*Data1, Data1->Refresh());
    // The re-read shows the stored Sonislem; an entry command used during this visit has
    // already moved it to today.
    if (!m_sonislem.isEmpty())
        Text12 = m_sonislem;
    topla1_Click();
    m_reads.endPass();
}

// ---------------------------------------------------------------- totals

void veresiye2::topla1_Click()
{
    // Both sums in one reading: the paid total needs no second pass over the ledger.
    const pv::ledger::Totals t = pv::ledger::customerTotals(m_db, Text10.text());
    if (!totalsRead(t, {VornXPTextBox2, VornXPTextBox3, VornXPTextBox4})) {
        m_balanceRead = false;
        return;
    }
    showMoney(VornXPTextBox2, t.debt);
    showMoney(VornXPTextBox3, t.paid);
    topla3_Click();
}

void veresiye2::topla2_Click()
{
    const pv::ledger::Totals t = pv::ledger::customerTotals(m_db, Text10.text());
    if (!totalsRead(t, {VornXPTextBox2, VornXPTextBox3, VornXPTextBox4})) {
        m_balanceRead = false;
        return;
    }
    showMoney(VornXPTextBox3, t.paid);
    topla3_Click();
}

void veresiye2::topla3_Click()
{
    // From the two boxes, so that the balance always agrees with what they show.
    const double debt = pv::toNumber(VornXPTextBox2->text()).value_or(0);
    const double paid = pv::toNumber(VornXPTextBox3->text()).value_or(0);
    showMoney(VornXPTextBox4, debt - paid);
    Text9 = VornXPTextBox4->text();
    m_balanceRead = true;
}

void veresiye2::btnT1_Click()
{
    const pv::ledger::Totals t = pv::ledger::rangeTotals(m_db, Text10.text(), ilk->date(), son->date());
    if (!totalsRead(t, {txtT1, txtT2, txtT3}))
        return;
    showMoney(txtT1, t.debt);
    btnT2_Click(); // the paid total and the balance
}

void veresiye2::btnT2_Click()
{
    const pv::ledger::Totals t = pv::ledger::rangeTotals(m_db, Text10.text(), ilk->date(), son->date());
    if (!totalsRead(t, {txtT1, txtT2, txtT3}))
        return;
    showMoney(txtT2, t.paid);
    showRangeBalance();
}

void veresiye2::showRangeBalance()
{
    // From the two boxes, as the account's balance.
    const double debt = pv::toNumber(txtT1->text()).value_or(0);
    const double paid = pv::toNumber(txtT2->text()).value_or(0);
    showMoney(txtT3, debt - paid);
}

bool veresiye2::totalsRead(const pv::ledger::Totals &t, std::initializer_list<QLineEdit *> boxes)
{
    if (m_reads.check(t.error))
        return true;
    // No figure rather than 0,00.
    for (QLineEdit *box : boxes)
        box->clear();
    return false;
}

// ---------------------------------------------------------------- sort choices

void veresiye2::xpCombo2_Click()
{
    const QString choice = xpCombo2->currentText();
    QString column;
    if (choice == QLatin1String("Tarih / Saat"))
        column = QStringLiteral("Tarih2,[Saat]");
    else if (choice == QStringLiteral("İşlem Sırası"))
        column = QStringLiteral("id");
    else if (choice == QStringLiteral("Borç"))
        column = QStringLiteral("Eklenen");
    else if (choice == QStringLiteral("Ödenen"))
        column = QStringLiteral("Odenen");
    else
        return;
    txtSirala = column;
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

void veresiye2::xpCombo1_Click()
{
    const QString choice = xpCombo1->currentText();
    if (choice == QLatin1String("Artan"))
        txtSirala2 = QStringLiteral("asc");
    else if (choice == QLatin1String("Azalan"))
        txtSirala2 = QStringLiteral("desc");
    else
        return;
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

// ---------------------------------------------------------------- command states

void veresiye2::btnYetki_Click()
{
    if (txtYetki.text() == QLatin1String("1")) {
        enableAll({VornXPButton6, VornXPButton9, btnEdit, MyButton2, btnFiyatGuncelle}, false);
    } else if (txtYetki.text() == QLatin1String("0")) {
        // Full rights allow these commands; an empty ledger still leaves nothing to
        // edit, delete, reset or re-price.
        const bool rows = !Text11111.text().isEmpty();
        enableAll({VornXPButton6, VornXPButton9, btnEdit, btnFiyatGuncelle}, rows);
        MyButton2->setEnabled(true);
    }
}

void veresiye2::Command6_Click()
{
    topla1_Click();
    setLedgerCommands();
}

void veresiye2::setLedgerCommands()
{
    const bool rows = !Text11111.text().isEmpty();
    enableAll(
        {VornXPButton9, VornXPButton5, VornXPButton6, VornXPButton10, btnFiyatGuncelle, btnEdit, tgoster2},
        rows);
    btnYetki_Click();
}

void veresiye2::menukitle2()
{
    enableAll({VornXPButton7, VornXPButton9, VornXPButton8, VornXPButton10, VornXPButton6, VornXPButton5,
               VornXPButton2, btnFiyatGuncelle},
              false);
    Frame1s->setEnabled(false);
    Command6_Click();
    btnFiyatGuncelle->setEnabled(false);
}

void veresiye2::menukilitac2()
{
    enableAll({VornXPButton7, VornXPButton9, VornXPButton8, VornXPButton10, VornXPButton6, VornXPButton5,
               VornXPButton2, btnFiyatGuncelle},
              true);
    Frame1s->setEnabled(true);
    setLedgerFrameColours();
    Command6_Click();
}

void veresiye2::setLedgerFrameColours()
{
    ui::giveFrameItsColours(Frame1s);
}

void veresiye2::Timer5_Timer()
{
    enableAll({MyButton1, VornXPButton7, VornXPButton9, VornXPButton8, VornXPButton10, VornXPButton6,
               VornXPButton5, VornXPButton2, btnFiyatGuncelle, tgoster2},
              false);
    // Every 10 ms: a frame that is disabled already is not redrawn again.
    if (Frame1s->Enabled())
        Frame1s->setEnabled(false);
}

// ---------------------------------------------------------------- refresh signal

void veresiye2::txtUygulaOdemeVeresiye_Change()
{
    ara_Click();
    Frame1->hide();
}

void veresiye2::postingSaved(const QString &refreshCode)
{
    Frame1->setVisible(true);
    Timer3->setEnabled(true);
    islemfrm->setVisible(true);
    txtUygulaOdemeVeresiye = refreshCode;
    Text11 = pv::dateText(pv::Clock::today());
}

qint64 veresiye2::currentEntryId()
{
    pv::Recordset &rs = Data5->Recordset();
    return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
}

void veresiye2::refreshLedgerKeepingRow(qint64 id)
{
    m_reads.check(*Data5, Data5->Refresh());
    // The entry's id is its rowid: found without reading the rows.
    if (const int row = id == 0 ? -1 : Data5->Recordset().rowOfRowid(id); row >= 0)
        Data5->setCurrentRow(row);
}

void veresiye2::Timer3_Timer()
{
    m_blink = !m_blink;
    msj2->setStyleSheet(m_blink ? QStringLiteral("background-color: #800000; color: #FFFFFF;")
                                : QStringLiteral("background-color: #FFFFFF; color: #800000;"));
    // Keeps the user's row while the confirmation blinks; an open edit panel is left
    // alone, as a re-read would drop what is being typed into it.
    if (!frmHareketEdit || frmHareketEdit->isHidden())
        refreshLedgerKeepingRow(currentEntryId());
}

void veresiye2::Timer4_Timer()
{
    islemfrm->hide();
    Timer3->setEnabled(false);
}

// ---------------------------------------------------------------- closing

pv::ledger::Result veresiye2::writeAccountRow()
{
    // A balance that was not read is no balance: the stored row keeps all it has. Nor is
    // there anything to write for a customer deleted during the visit, or not read.
    const pv::Recordset &rs = Data1->Recordset();
    if (!m_balanceRead || rs.readError() || !rs.hasCurrent())
        return pv::ledger::Result::success();
    pv::ledger::AccountSummary summary;
    const auto today = pv::parseDate(txttarih);
    // An entry command used during this visit moved the last entry to today.
    if (!m_sonislem.isEmpty())
        summary.lastEntry = pv::parseDate(m_sonislem);
    if (const auto last = pv::parseDate(Text11); today && last)
        summary.days = int(last->daysTo(*today));
    summary.visited = today;
    return pv::ledger::closeAccount(m_db, Text10.text(), summary);
}

void veresiye2::VornXPButton7_Click()
{
    m_reads.tellAgain(); // a read that fails now is told again: its balance is not written
    topla1_Click();
    if (const pv::ledger::Result written = writeAccountRow(); !written)
        pv::MsgBox(QStringLiteral("Hesabın bakiyesi müşteri kaydına yazılamadı.\n") + written.reason,
                   pv::vbCritical, kErrorTitle);
    Data1->Refresh();
    emit leaving();
    pv::Unload(this);
}

void veresiye2::MyButton3_Click()
{
    musilfrm->hide();
    VornXPButton7_Click();
}

// ---------------------------------------------------------------- entry commands

void veresiye2::VornXPButton8_Click()
{
    Text12 = txttarih.text();
    m_sonislem = txttarih.text();
    auto &d = pv::form<veresiyeekleode>();
    connect(&d, &veresiyeekleode::posted, this, &veresiye2::postingSaved, Qt::UniqueConnection);
    d.openAsSale(Text10.text(), Caption(), this);
}

void veresiye2::VornXPButton10_Click()
{
    Text12 = txttarih.text();
    m_sonislem = txttarih.text();
    auto &d = pv::form<veresiyeekleode>();
    connect(&d, &veresiyeekleode::posted, this, &veresiye2::postingSaved, Qt::UniqueConnection);
    d.openAsCollection(Text10.text(), txtMusTuru.text(), Caption(), this);
}

void veresiye2::btnEkle_Click()
{
    mnuOdeAlacak->popup(QCursor::pos());
}

void veresiye2::mnuAlacak_Click()
{
    Text12 = txttarih.text();
    m_sonislem = txttarih.text();
    auto &d = pv::form<veresiyealacakekle>();
    connect(&d, &veresiyealacakekle::posted, this, &veresiye2::postingSaved, Qt::UniqueConnection);
    d.openAsCreditNote(Text10.text(), txtMusTuru.text(), Caption(), this);
}

void veresiye2::mnuOdeme_Click()
{
    Text12 = txttarih.text();
    m_sonislem = txttarih.text();
    auto &d = pv::form<veresiyealacakekle>();
    connect(&d, &veresiyealacakekle::posted, this, &veresiye2::postingSaved, Qt::UniqueConnection);
    d.openAsPayment(Text10.text(), txtMusTuru.text(), Caption(), this);
}

void veresiye2::openAccount(const QString &caption, const QString &code, const QString &rights,
                            const QString &type, const std::optional<QString> &currency, QWidget *owner)
{
    setCaption(caption);
    Text10 = code;
    txtYetki = rights;
    txtMusTuru = type;
    if (currency)
        for (QLineEdit *e : {txtPt1, txtPt2, txtPt3})
            e->setText(*currency);
    Show(pv::Form::Modal, owner);
}

void veresiye2::openForDelete(const QString &caption, const QString &code, QWidget *owner)
{
    setCaption(caption);
    Text10 = code;
    musilfrm->setVisible(true);
    Timer5->setEnabled(true);
    Show(pv::Form::Modal, owner);
}

// ---------------------------------------------------------------- edit panel

void veresiye2::btnEdit_Click()
{
    buildEditPanel();
    const bool debit = !txtEdit5->text().isEmpty();
    enableAll({VornXPButton6, VornXPButton5, VornXPButton8, VornXPButton9, VornXPButton10, VornXPButton7,
               btnEkle, btnMail, btnSMS, MyButton1, tgoster, tgoster2, btnFiyatGuncelle},
              false);
    ilk->setEnabled(false);
    son->setEnabled(false);
    // The panel edits the row it was opened on: the ledger stays put until it closes.
    Frame1s->setEnabled(false);
    frmHareketEdit->show();
    frmHareketEdit->raise();

    txtEdit5->setVisible(debit);
    Label21->setVisible(debit);
    txtEdit6->setVisible(!debit);
    Label22->setVisible(!debit);
    Frame4->setVisible(debit);
    const double top = debit ? 3120 : 2400;
    ui::moveTo(txtEdit5, 1800, top);
    ui::moveTo(txtEdit6, 1800, top);
    ui::moveTo(Label21, 480, top);
    ui::moveTo(Label22, 480, top);
}

void veresiye2::BvButton2_Click()
{
    for (QLineEdit *e :
         {txtEdit1, txtEdit2, txtEdit3, txtEdit4, txtEdit5, txtEdit6, txtEdit7, txtEdit8, txtEdit9})
        e->setEnabled(true);
    BvButton2->hide();
    BvButton3->show();
    txtEdit1->setFocus();
}

void veresiye2::BvButton3_Click()
{
    QDate date;
    QTime time;
    if (!ui::readDate(txtEdit1, &date) || !ui::readTime(txtEdit2, &time))
        return;
    // An empty amount stores NULL; anything typed must be a number within the limit.
    const std::pair<QLineEdit *, QString> amounts[] = {{txtEdit5, QStringLiteral("Tutar")},
                                                       {txtEdit6, QStringLiteral("Tutar")},
                                                       {txtEdit7, QStringLiteral("Miktar")},
                                                       {txtEdit9, QStringLiteral("Fiyat")}};
    for (const auto &[box, word] : amounts) {
        double value = 0;
        if (!ui::readAmount(box, &value, QString(), word))
            return;
    }

    txtEdit1->setText(pv::dateText(date));
    txtEdit2->setText(pv::timeText(time));
    txtEdit10->setText(pv::dateKey(date));
    // Only what the user changed is written: an untouched amount keeps its stored digits.
    pv::ledger::EntryEdit edit;
    edit.id = currentEntryId();
    auto changed = [this](QLineEdit *box) { return Data5->isChanged(box); };
    auto amount = [](QLineEdit *box) { return pv::ledger::EntryEdit::Amount(pv::toNumber(box->text())); };
    if (changed(txtEdit1) || changed(txtEdit10))
        edit.date = date;
    if (changed(txtEdit2))
        edit.time = time;
    if (changed(txtEdit3))
        edit.kind = txtEdit3->text();
    if (changed(txtEdit4))
        edit.description = txtEdit4->text();
    if (changed(txtEdit5))
        edit.debit = amount(txtEdit5);
    if (changed(txtEdit6))
        edit.paid = amount(txtEdit6);
    if (changed(txtEdit7))
        edit.quantity = txtEdit7->text();
    if (changed(txtEdit8))
        edit.unit = txtEdit8->text();
    if (changed(txtEdit9))
        edit.unitPrice = txtEdit9->text();
    if (const pv::ledger::Result saved = pv::ledger::editEntry(m_db, edit); !saved) {
        pv::MsgBox(QStringLiteral("Hareket kaydedilemedi.\n") + saved.reason, pv::vbCritical, kErrorTitle);
        return;
    }
    refreshLedgerKeepingRow(edit.id);

    for (QLineEdit *e :
         {txtEdit1, txtEdit2, txtEdit3, txtEdit4, txtEdit5, txtEdit6, txtEdit7, txtEdit8, txtEdit9})
        e->setEnabled(false);
    BvButton2->show();
    BvButton3->hide();
    closeEditPanel();
}

void veresiye2::BvButton1_Click()
{
    // Typed values are dropped: the fields show the stored row again.
    Data5->CancelUpdate();
    closeEditPanel();
}

void veresiye2::closeEditPanel()
{
    frmHareketEdit->hide();
    menukilitac2();
    enableAll({VornXPButton6, VornXPButton5, VornXPButton9, VornXPButton10, btnEkle, btnMail, btnSMS,
               btnFiyatGuncelle, MyButton1, tgoster2, tgoster},
              true);
    ilk->setEnabled(true);
    son->setEnabled(true);
    Command6_Click();
    musteriDetay->txtMail_Change(); // the e-mail command still needs an address
}

// ---------------------------------------------------------------- delete panel

void veresiye2::VornXPButton9_Click()
{
    buildDeletePanel();
    m_deleteId = currentEntryId();
    Command13_Click();
    Frame1s->setEnabled(false);
    ui::moveTo(frmSilEkran, 3120, 3120);
    frmSilEkran->show();
    frmSilEkran->raise();
    enableAll({VornXPButton6, VornXPButton5, VornXPButton8, VornXPButton10, VornXPButton7, MyButton1, tgoster,
               tgoster2, btnFiyatGuncelle, btnEdit, btnNote},
              false);
    ilk->setEnabled(false);
    son->setEnabled(false);
}

void veresiye2::Command13_Click()
{
    // An entry without a posting id has no cash rows.
    DataKasaSil2->setRecordSource(
        QStringLiteral("select * from kasa where islemNo2 = ? and islemNo2 <> '' ORDER BY id asc"),
        {txtIslemNo2.text().trimmed()});
    DataKasaSil2->Refresh();
}

void veresiye2::Command12_Click()
{
    // An entry posted while the panel was open re-reads the ledger, which then stands on
    // its first row: go back to the entry the panel was opened on, or delete nothing.
    if (currentEntryId() != m_deleteId)
        refreshLedgerKeepingRow(m_deleteId);
    const qint64 id = currentEntryId();
    if (id == 0 || id != m_deleteId) {
        btnSilIptal_Click();
        return;
    }
    // Stock, cash rows and the entry go together or not at all.
    const pv::ledger::Result deleted = pv::ledger::deletePosting(m_db, id);
    if (deleted) {
        m_reads.check(*Data5, Data5->Refresh());
    } else {
        pv::MsgBox(QStringLiteral("Seçili işlem silinemedi; hiçbir kayıt değiştirilmedi.\n") + deleted.reason,
                   pv::vbCritical, kErrorTitle);
        refreshLedgerKeepingRow(id);
    }
    DataKasaSil2->Refresh();
    btnSilIptal_Click();
}

void veresiye2::btnSilIptal_Click()
{
    frmSilEkran->hide();
    Frame1s->setEnabled(true);
    setLedgerFrameColours();
    menukilitac2();
    enableAll({VornXPButton6, VornXPButton5, btnEdit, btnNote, VornXPButton10, btnFiyatGuncelle, MyButton1,
               tgoster, tgoster2},
              true);
    ilk->setEnabled(true);
    son->setEnabled(true);
    topla1_Click();
    Command6_Click();
}
