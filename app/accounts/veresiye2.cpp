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
#include "platform/forms/FormLoader.h"
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
#include <utility>

namespace
{

// Every query of the window takes the account code as a bound value and matches it by
// equality (the column's collation ignores case), so a code holding a wildcard
// character can never reach another account's rows.
const QString kLedgerSql =
    QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc");
const QString kAccountSql = QStringLiteral("select * from musteriler where mus_kodu = ? ORDER BY id asc");

const QString kErrorTitle = QStringLiteral("Hata");

// A button redraws itself at every setEnabled: leave those already in the state asked.
void enableAll(std::initializer_list<BvButton *> buttons, bool on)
{
    for (BvButton *b : buttons)
        if (b && b->Enabled() != on)
            b->setEnabled(on);
}

// Of the controls a late-built one goes under, in the design's order, the first made yet.
QWidget *firstMade(std::initializer_list<QWidget *> controls)
{
    for (QWidget *w : controls)
        if (w)
            return w;
    return nullptr;
}

// Each control after the one before it in the tab order.
void tabChain(std::initializer_list<QWidget *> controls)
{
    QWidget *before = nullptr;
    for (QWidget *w : controls) {
        if (before)
            QWidget::setTabOrder(before, w);
        before = w;
    }
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
                          [this] { ara_Click(); }, [this] { VornXPButton7_Click(); },
                          [this] {
                              return QList<QWidget *>{VornXPButton5, tgoster2, tgoster, ilk, son};
                          }});
    cariYazdir = new CariYazdir(*this, *Data5,
                                {[this] { return Text10.text(); }, [this] { return txtSecYazdir.text(); },
                                 [this] { return txtSirala3.text(); }, [this] { return shopName(); },
                                 [this] { btnT1_Click(); }, [this] { Command6_Click(); },
                                 [this] { buildRange(); }, [this] { takePrintChoices(); }});
    cariToplu = new CariToplu(
        *this, *Data5,
        {[this] { return Text10.text(); }, [this] { return shopName(); }, [this] { ara_Click(); },
         [this] { topla1_Click(); }, [this] { btnT1_Click(); }, [this] { Command6_Click(); },
         [this] { menukitle2(); }, [this] { menukilitac2(); }, [this](const QString &day) { Text11 = day; },
         [this] {
             musteriDetay->txtMail_Change();
             musteriDetay->txtFoto_Change();
         },
         [this] {
             MusteriDetay &d = *musteriDetay;
             d.buildCard();
             return CariToplu::Card{d.xpText9, d.xpText12, d.xpText4, d.xpText5, d.xpText6, d.xpText10};
         },
         [this] {
             cariYazdir->buildPrintChoices();
             return cariYazdir->TextSize;
         },
         [this] { return frmTarihBakiyeler; },
         [this] {
             return QList<QWidget *>{ilk, son, tgoster};
         }});
    // After the grid has taken the rows: a re-read while a panel is open (a posting, an
    // activation, a print, the confirmation's blink) must not leave the delete panel marking
    // another entry, nor give back a command a panel locked.
    connect(Data5, &pv::DataControl::rowsReset, this, &veresiye2::holdPanels);
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
    // The commands whose work lives in the window's other panels come hidden: those panels
    // offer them once that work is in place, and the rules below keep their states all the
    // same.
    ui::loadForm(
        this,
        {PV_FORM_MEMBER(xpText3),        PV_FORM_MEMBER(xpText2),          PV_FORM_MEMBER(xpText1),
         PV_FORM_MEMBER(tgoster2),       PV_FORM_MEMBER(btnNote),          PV_FORM_MEMBER(Frame1s),
         PV_FORM_MEMBER(DBGrid2),        PV_FORM_MEMBER(VornXPButton8),    PV_FORM_MEMBER(VornXPButton10),
         PV_FORM_MEMBER(btnEkle),        PV_FORM_MEMBER(btnEdit),          PV_FORM_MEMBER(VornXPButton9),
         PV_FORM_MEMBER(VornXPButton6),  PV_FORM_MEMBER(btnFiyatGuncelle), PV_FORM_MEMBER(VornXPButton5),
         PV_FORM_MEMBER(MyButton1),      PV_FORM_MEMBER(btnMail),          PV_FORM_MEMBER(btnSMS),
         PV_FORM_MEMBER(VornXPButton2),  PV_FORM_MEMBER(VornXPButton7),    PV_FORM_MEMBER(MyButton2),
         PV_FORM_MEMBER(mnuOdeAlacak),   PV_FORM_MEMBER(VornXPTextBox2),   PV_FORM_MEMBER(txtPt1),
         PV_FORM_MEMBER(VornXPTextBox3), PV_FORM_MEMBER(txtPt2),           PV_FORM_MEMBER(VornXPTextBox4),
         PV_FORM_MEMBER(txtPt3),         PV_FORM_MEMBER(xpCombo3),         PV_FORM_MEMBER(xpCombo4)});

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

    mnuAlacak = mnuOdeAlacak->addAction(QStringLiteral("Hesaba Alacak Ekle"));
    mnuAlacak->setObjectName(QStringLiteral("mnuAlacak"));
    mnuOdeAlacak->addSeparator();
    mnuOdeme = mnuOdeAlacak->addAction(QStringLiteral("Ödeme Yap"));
    mnuOdeme->setObjectName(QStringLiteral("mnuOdeme"));
    connect(mnuAlacak, &QAction::triggered, this, &veresiye2::mnuAlacak_Click);
    connect(mnuOdeme, &QAction::triggered, this, &veresiye2::mnuOdeme_Click);
}

// The edit and delete panels are built when their command first opens them: an account
// opened to be looked at builds neither.
void veresiye2::buildEditPanel()
{
    if (frmHareketEdit)
        return;
    ui::loadForm(this, QStringLiteral("veresiye2.frmHareketEdit"), this,
                 {PV_FORM_MEMBER(frmHareketEdit), PV_FORM_MEMBER(txtEdit1), PV_FORM_MEMBER(txtEdit2),
                  PV_FORM_MEMBER(txtEdit3), PV_FORM_MEMBER(txtEdit4), PV_FORM_MEMBER(Frame4),
                  PV_FORM_MEMBER(txtEdit7), PV_FORM_MEMBER(txtEdit8), PV_FORM_MEMBER(txtEdit9),
                  PV_FORM_MEMBER(Label21), PV_FORM_MEMBER(txtEdit5), PV_FORM_MEMBER(Label22),
                  PV_FORM_MEMBER(txtEdit6), PV_FORM_MEMBER(txtEdit10), PV_FORM_MEMBER(BvButton2),
                  PV_FORM_MEMBER(BvButton3), PV_FORM_MEMBER(BvButton1)});
    const std::pair<QLineEdit *, const char *> edits[] = {
        {txtEdit1, "Tarih"},      {txtEdit2, "Saat"},   {txtEdit3, "Turu"},   {txtEdit4, "Aciklama"},
        {txtEdit5, "Eklenen"},    {txtEdit6, "Odenen"}, {txtEdit7, "Miktar"}, {txtEdit8, "Birim"},
        {txtEdit9, "BirimFiyat"}, {txtEdit10, "Tarih2"}};
    for (const auto &[box, field] : edits)
        Data5->bind(box, QLatin1String(field));
}

void veresiye2::buildDeletePanel()
{
    if (frmSilEkran)
        return;
    // The linked cash rows are gathered in frmTumSil2, never shown.
    ui::loadForm(this, QStringLiteral("veresiye2.frmSilEkran"), this,
                 {PV_FORM_MEMBER(frmSilEkran), PV_FORM_MEMBER(btnSilIptal), PV_FORM_MEMBER(Command12),
                  PV_FORM_MEMBER(frmTumSil2), PV_FORM_MEMBER(DBGridKasa)});
    m_kasaModel = new pv::DataGridModel(DataKasaSil2,
                                        {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 1080},
                                         {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 2400},
                                         {QStringLiteral("Giren"), QStringLiteral("Giren"), 1080},
                                         {QStringLiteral("Çıkan"), QStringLiteral("Cikan"), 1080}},
                                        this);
    m_kasaModel->attach(DBGridKasa);
    pv::fitTexts(frmTumSil2);
}

// The date range's pickers and its totals are built when the range is first asked for (by
// its command, a print or the totals): an account opened to be looked at builds neither.
void veresiye2::buildRange()
{
    if (frmTarihBakiyeler)
        return;
    QLabel *Label12 = nullptr;
    QLabel *Label11 = nullptr;
    ui::loadForm(this, QStringLiteral("veresiye2.range"), this,
                 {PV_FORM_MEMBER(Label12), PV_FORM_MEMBER(Label11), PV_FORM_MEMBER(ilk), PV_FORM_MEMBER(son),
                  PV_FORM_MEMBER(tgoster), PV_FORM_MEMBER(frmTarihBakiyeler), PV_FORM_MEMBER(txtT1),
                  PV_FORM_MEMBER(txtT2), PV_FORM_MEMBER(txtT3)});
    ilk->setDate(pv::Clock::today());
    son->setDate(pv::Clock::today());
    // In the stacking and tab order where the window's design has them.
    for (QWidget *w : std::initializer_list<QWidget *>{Label12, Label11, ilk, son, tgoster})
        w->stackUnder(btnNote);
    frmTarihBakiyeler->stackUnder(firstMade({islemfrm, musListesiFrm, xpCombo3}));
    tabChain({tgoster2, ilk, son, tgoster});
    tabChain({txtPt3, txtT1, txtT2, txtT3});
}

// The print choices (the sort and the text size), built by the print helper when first
// used, sort this window's lists.
void veresiye2::takePrintChoices()
{
    musListesiFrm = cariYazdir->musListesiFrm;
    xpCombo2 = cariYazdir->xpCombo2;
    xpCombo1 = cariYazdir->xpCombo1;
    TextSize = cariYazdir->TextSize;
    connect(xpCombo1, &QComboBox::currentTextChanged, this, &veresiye2::xpCombo1_Click);
    connect(xpCombo2, &QComboBox::currentTextChanged, this, &veresiye2::xpCombo2_Click);
    // In the stacking and tab order where the window's design has them.
    musListesiFrm->stackUnder(xpCombo3);
    tabChain({firstMade({txtT3, txtPt3}), xpCombo2, xpCombo1, TextSize});
}

// The delete-customer panel is built when the window is opened to delete the customer.
void veresiye2::buildDeleteCustomerPanel()
{
    if (musilfrm)
        return;
    ui::loadForm(this, QStringLiteral("veresiye2.musilfrm"), this,
                 {PV_FORM_MEMBER(musilfrm), PV_FORM_MEMBER(Text3), PV_FORM_MEMBER(MyButton3)});
    Data1->bind(Text3, QStringLiteral("MusteriFirma"));
    musteriDetay->buildDeletePanel(musilfrm); // its delete command
    // In the stacking and tab order where the window's design has them.
    musilfrm->stackUnder(ui::control<QFrame>(this, "Frame5"));
    tabChain({xpCombo4, Text3, MyButton3, musteriDetay->MyButton4});
}

// The confirmation of a saved posting is built with the first one.
void veresiye2::buildConfirmation()
{
    if (islemfrm)
        return;
    ui::loadForm(this, QStringLiteral("veresiye2.islemfrm"), this,
                 {PV_FORM_MEMBER(islemfrm), PV_FORM_MEMBER(msj2), PV_FORM_MEMBER(Frame1)});
    // Under the panels the design puts over it (the print choices, the delete confirmation,
    // the edit and delete panels), as if it had been built with the window.
    for (QWidget *w : {islemfrm, Frame1})
        w->stackUnder(firstMade({musListesiFrm, xpCombo3}));
}

void veresiye2::enableDates(bool on)
{
    for (QDateEdit *day : {ilk, son})
        if (day)
            day->setEnabled(on);
}

void veresiye2::bindFields()
{
    ui::bindField(Data1, &Text9, QStringLiteral("Bakiye"));
    ui::bindField(Data1, &Text12, QStringLiteral("Sonislem"));
    ui::bindField(Data1, &Text13, QStringLiteral("Gun"));
    ui::bindField(Data1, &txtMail, QStringLiteral("mail"));
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

// The shop's name, for the prints, read when a print first asks for it.
QString veresiye2::shopName()
{
    if (!std::exchange(m_shopNameRead, true)) {
        DataFirmaBilgi->setRecordSource(QStringLiteral("dgrayr"));
        DataFirmaBilgi->Refresh();
    }
    return txtFirmaBilgi.text();
}

// ---------------------------------------------------------------- loading and activation

void veresiye2::Form_Load()
{
    txtSecYazdir = pv::postingId(pv::Clock::now());

    const QString path = pv::databasePath();
    m_db.open(path);
    for (pv::DataControl *dc : {Data1, Data5, Data3, DataFirmaBilgi, DataKasaSil2})
        dc->setDatabaseName(path);

    // Every activation reads the account; the openers hand its code over after loading, so
    // there is seldom one to read yet.
    if (!Text10.text().isEmpty())
        ara_Click(); // the totals come with it
    setLedgerCommands();

    xpCombo3->addItems({QStringLiteral("Alıcı"), QStringLiteral("Satıcı"), QStringLiteral("Alıcı/Satıcı"),
                        QStringLiteral("Bayi"), QStringLiteral("Personel")});
    xpCombo4->addItems({QStringLiteral("TL"), QStringLiteral("Dolar"), QStringLiteral("Euro")});
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
    buildRange();
    const pv::ledger::Totals t = pv::ledger::rangeTotals(m_db, Text10.text(), ilk->date(), son->date());
    if (!totalsRead(t, {txtT1, txtT2, txtT3}))
        return;
    showMoney(txtT1, t.debt);
    btnT2_Click(); // the paid total and the balance
}

void veresiye2::btnT2_Click()
{
    buildRange();
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
    holdPanels(); // their locks outlast the rules above
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
    if (Frame1)
        Frame1->hide();
}

void veresiye2::postingSaved(const QString &refreshCode)
{
    buildConfirmation();
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

void veresiye2::standOnEntry(qint64 id)
{
    // The entry's id is its rowid: found without reading the rows.
    if (const int row = id == 0 ? -1 : Data5->Recordset().rowOfRowid(id); row >= 0)
        Data5->setCurrentRow(row);
}

void veresiye2::refreshLedgerKeepingRow(qint64 id)
{
    m_reads.check(*Data5, Data5->Refresh());
    standOnEntry(id);
}

void veresiye2::Timer3_Timer()
{
    buildConfirmation();
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
    if (islemfrm)
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
    buildDeleteCustomerPanel();
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
    enableDates(false);
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
    enableDates(true);
    Command6_Click();
    musteriDetay->txtMail_Change(); // the e-mail command still needs an address
}

// ---------------------------------------------------------------- delete panel

void veresiye2::VornXPButton9_Click()
{
    buildDeletePanel();
    m_deleteId = currentEntryId();
    Command13_Click();
    ui::moveTo(frmSilEkran, 3120, 3120);
    frmSilEkran->show();
    frmSilEkran->raise();
    lockForDeletePanel();
}

void veresiye2::lockForDeletePanel()
{
    // The ledger frame too, so the entry cannot change while the panel is open.
    if (Frame1s->Enabled())
        Frame1s->setEnabled(false);
    enableAll({VornXPButton6, VornXPButton5, VornXPButton8, VornXPButton10, VornXPButton7, MyButton1, tgoster,
               tgoster2, btnFiyatGuncelle, btnEdit, btnNote},
              false);
    enableDates(false);
}

void veresiye2::holdDeletePanel()
{
    if (!frmSilEkran || frmSilEkran->isHidden())
        return;
    // A re-read stands on the first row; the panel's entry is found by its id, not by a
    // place that an entry of the same date and time may take.
    if (currentEntryId() != m_deleteId)
        standOnEntry(m_deleteId);
    lockForDeletePanel();
}

void veresiye2::holdPanels()
{
    holdDeletePanel();
    cariYazdir->holdPrintPanel();
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
    // The ledger stands on the panel's entry (holdDeletePanel); one gone meanwhile is not
    // made up for by deleting another.
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
    enableDates(true);
    topla1_Click();
    Command6_Click();
}
