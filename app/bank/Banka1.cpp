#include "app/bank/Banka1.h"

#include "app/bank/Banka2.h"
#include "app/ledger/Bank.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <array>
#include <initializer_list>

namespace
{

const QString kSearchTypes[] = {QStringLiteral("Hesap Türü İle Sorgu"), QStringLiteral("Banka Adı İle Sorgu"),
                                QStringLiteral("Hesap No İle Sorgu")};
const QString kSearchLabels[] = {QStringLiteral("HESAP TÜRÜ :"), QStringLiteral("HESAP ADI :"),
                                 QStringLiteral("HESAP NO :")};
const char *const kSearchFields[] = {"HesapTuru", "Banka", "HesapNo"};

// Sort choices and the columns they order by.
const std::array<std::pair<QString, QString>, 7> kSorts{{
    {QStringLiteral("İşlem Sırası"), QStringLiteral("id")},
    {QStringLiteral("Hesap No"), QStringLiteral("HesapNo")},
    {QStringLiteral("Hesap Türü"), QStringLiteral("HesapTuru")},
    {QStringLiteral("Banka Adı"), QStringLiteral("Banka")},
    {QStringLiteral("Giren"), QStringLiteral("Giren")},
    {QStringLiteral("Çıkan"), QStringLiteral("Cikan")},
    {QStringLiteral("Bakiye"), QStringLiteral("Bakiye")},
}};

const QString kInfo = QStringLiteral("Bilgi");

void enable(std::initializer_list<BvButton *> buttons, bool on)
{
    for (BvButton *b : buttons)
        if (b->Enabled() != on)
            b->setEnabled(on);
}

} // namespace

Banka1::Banka1()
{
    setObjectName(QStringLiteral("Banka1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setEnterMovesFocus(true);

    txtSirala = QStringLiteral("id");
    txtSirala2 = QStringLiteral("asc");
    txtSirala3 = QStringLiteral("id asc");

    Data4 = new pv::DataControl(this);
    Data4->setObjectName(QStringLiteral("Data4"));
    buildControls();
    pv::bindField(*Data4, txtBankaSil, QStringLiteral("Giren"));
    pv::bindField(*Data4, Text22222, QStringLiteral("Banka"));
    const std::pair<QLineEdit *, const char *> bound[] = {{xpText1d, "Banka"},
                                                          {xpText2d, "Sube"},
                                                          {xpText3d, "SubeKod"},
                                                          {xpText4d, "HesapNo"},
                                                          {xpText5d, "HesapTuru"}};
    for (const auto &[box, field] : bound)
        Data4->bind(box, QLatin1String(field));
}

Banka1::~Banka1() = default;

void Banka1::buildControls()
{
    // Search and sort, the list, the account panel over it and the commands: Banka1.form.json.
    ui::loadForm(this,
                 {PV_FORM_MEMBER(xpCombo2),    PV_FORM_MEMBER(xpCombo3),     PV_FORM_MEMBER(xpCombo5),
                  PV_FORM_MEMBER(frmB),        PV_FORM_MEMBER(Label12),      PV_FORM_MEMBER(xpText14),
                  PV_FORM_MEMBER(btnaAra1),    PV_FORM_MEMBER(btnaAra2),     PV_FORM_MEMBER(btnaAra3),
                  PV_FORM_MEMBER(DBGrid1),     PV_FORM_MEMBER(frmBankaEkle), PV_FORM_MEMBER(xpText1),
                  PV_FORM_MEMBER(xpText2),     PV_FORM_MEMBER(xpText3),      PV_FORM_MEMBER(xpText4),
                  PV_FORM_MEMBER(xpText5),     PV_FORM_MEMBER(xpText1d),     PV_FORM_MEMBER(xpText2d),
                  PV_FORM_MEMBER(xpText3d),    PV_FORM_MEMBER(xpText4d),     PV_FORM_MEMBER(xpText5d),
                  PV_FORM_MEMBER(BvButton7),   PV_FORM_MEMBER(btnDuzVazgec), PV_FORM_MEMBER(btnOnay),
                  PV_FORM_MEMBER(btnDuzEdit),  PV_FORM_MEMBER(btnDuzKaydet), PV_FORM_MEMBER(btnBankEkle),
                  PV_FORM_MEMBER(btnBankEdit), PV_FORM_MEMBER(btnBankSil),   PV_FORM_MEMBER(btnHrktAc),
                  PV_FORM_MEMBER(kptBtn)});

    m_model = new pv::DataGridModel(Data4,
                                    {{QStringLiteral("Hesap No"), QStringLiteral("HesapNo"), 2160},
                                     {QStringLiteral("Hesap Türü"), QStringLiteral("HesapTuru"), 1680},
                                     {QStringLiteral("Banka Adı"), QStringLiteral("Banka"), 2400},
                                     {QStringLiteral("Yatırılan"), QStringLiteral("Giren"), 1320},
                                     {QStringLiteral("Çekilen"), QStringLiteral("Cikan"), 1320},
                                     {QStringLiteral("Bakiye"), QStringLiteral("Bakiye"), 1320}},
                                    this);
    m_model->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setWordWrap(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(285));

    connect(xpCombo2, &QComboBox::activated, this, [this] { xpCombo2_Click(); });
    connect(xpCombo3, &QComboBox::activated, this, [this] { xpCombo3_Click(); });
    connect(xpCombo5, &QComboBox::activated, this, [this] { xpCombo5_Click(); });
    connect(btnaAra1, &BvButton::Click, this, [this] { btnaAra_Click(0); });
    connect(btnaAra2, &BvButton::Click, this, [this] { btnaAra_Click(1); });
    connect(btnaAra3, &BvButton::Click, this, [this] { btnaAra_Click(2); });
    pv::onDblClick(DBGrid1->viewport(), [this] { DBGrid1_DblClick(); });
}

// ---------------------------------------------------------------- loading and activation

void Banka1::Form_Load()
{
    m_db.open(pv::databasePath());
    Data4->setDatabaseName(pv::databasePath());
    Data4->setRecordSource(QStringLiteral("banka"));
    readAccounts();
    for (const QString &s : kSearchTypes)
        xpCombo2->addItem(s);
    for (const auto &s : kSorts)
        xpCombo3->addItem(s.first);
    xpCombo5->addItems({QStringLiteral("Artan"), QStringLiteral("Azalan")});
    xpCombo2->setCurrentIndex(0);
    xpCombo3->setCurrentIndex(0);
    xpCombo5->setCurrentIndex(0);
    centerOnScreen();
}

void Banka1::readAccounts()
{
    m_reads.tellAgain();
    m_reads.check(*Data4, Data4->Refresh());
}

void Banka1::Form_Activate()
{
    btnKayitYOksa_Click();
    btnYetki_Click();
}

void Banka1::btnKayitYOksa_Click()
{
    enable({btnBankEdit, btnBankSil, btnHrktAc}, !Text22222.text().isEmpty());
}

void Banka1::btnYetki_Click()
{
    if (txtYetki.text() == QLatin1String("1"))
        enable({btnBankEdit, btnBankSil}, false);
    if (txtYetki.text() == QLatin1String("0"))
        enable({btnBankEdit, btnBankSil}, true);
}

// ---------------------------------------------------------------- search and sort

void Banka1::xpCombo2_Click()
{
    const int i = xpCombo2->currentIndex();
    if (i < 0 || i > 2)
        return;
    frmB->setCaption(kSearchTypes[i]);
    Label12->setText(kSearchLabels[i]);
    btnaAra1->setVisible(i == 0);
    btnaAra2->setVisible(i == 1);
    btnaAra3->setVisible(i == 2);
}

void Banka1::xpCombo3_Click()
{
    const int i = xpCombo3->currentIndex();
    if (i >= 0 && i < int(kSorts.size()))
        txtSirala = kSorts.at(std::size_t(i)).second;
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

void Banka1::xpCombo5_Click()
{
    txtSirala2 = xpCombo5->currentIndex() == 1 ? QStringLiteral("desc") : QStringLiteral("asc");
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

void Banka1::btnaAra_Click(int which)
{
    // The order clause is built from the fixed column names above; the typed text is bound.
    Data4->setRecordSource(QStringLiteral("select * from banka where %1 = ? ORDER BY %2 ")
                               .arg(QLatin1String(kSearchFields[which]), txtSirala3.text()),
                           {xpText14->text()});
    readAccounts();
}

// ---------------------------------------------------------------- the account panel

void Banka1::showBoundBoxes(bool on)
{
    for (QLineEdit *b : {xpText1d, xpText2d, xpText3d, xpText4d, xpText5d}) {
        b->setVisible(on);
        if (!on)
            b->setEnabled(false);
    }
    for (QLineEdit *b : {xpText1, xpText2, xpText3, xpText4, xpText5})
        b->setVisible(!on);
}

// Back to browsing: whatever was typed into the bound boxes is dropped.
void Banka1::leaveAccountPanel()
{
    Data4->CancelUpdate();
    frmBankaEkle->hide();
    DBGrid1->setEnabled(true);
    btnDuzEdit->hide();
    btnDuzKaydet->hide();
    btnDuzVazgec->hide();
    btnOnay->show();
    BvButton7->show();
    showBoundBoxes(false);
}

void Banka1::btnBankEkle_Click()
{
    if (xpText1d->isVisible())
        leaveAccountPanel();
    frmBankaEkle->setCaption(QStringLiteral("Banka Ekle"));
    frmBankaEkle->show();
    frmBankaEkle->raise();
    DBGrid1->setEnabled(false);
    btnOnay->show();
    BvButton7->show();
    btnDuzEdit->hide();
    btnDuzVazgec->hide();
    xpText1->setFocus();
}

void Banka1::btnOnay_Click()
{
    BankaKaydet();
}

void Banka1::BankaKaydet()
{
    const pv::ledger::BankAccount a{xpText1->text(), xpText2->text(), xpText3->text(), xpText4->text(),
                                    xpText5->text()};
    const pv::ledger::Result r = pv::ledger::addBankAccount(m_db, a);
    if (!r) {
        if (r.reason == pv::ledger::kBankNoNumber)
            ui::refuse(xpText4, r.reason);
        else if (r.reason == pv::ledger::kBankNumberTaken) {
            pv::MsgBox(r.reason, pv::vbExclamation, QStringLiteral("Dikkat"));
            xpText4->setFocus();
            xpText4->selectAll();
        } else
            pv::MsgBox(QStringLiteral("Banka hesabı kaydedilemedi.\n") + r.reason, pv::vbCritical,
                       QStringLiteral("Hata"));
        return;
    }
    readAccounts();
    frmBankaEkle->hide();
    DBGrid1->setEnabled(true);
    for (QLineEdit *b : {xpText1, xpText2, xpText3, xpText4, xpText5})
        b->clear();
}

void Banka1::BvButton7_Click()
{
    frmBankaEkle->hide();
    DBGrid1->setEnabled(true);
}

void Banka1::btnBankEdit_Click()
{
    frmBankaEkle->show();
    frmBankaEkle->raise();
    DBGrid1->setEnabled(false);
    frmBankaEkle->setCaption(QStringLiteral("Banka Düzenle"));
    btnOnay->hide();
    BvButton7->hide();
    btnDuzKaydet->hide();
    btnDuzEdit->show();
    btnDuzVazgec->show();
    showBoundBoxes(true);
}

void Banka1::btnDuzEdit_Click()
{
    btnDuzEdit->hide();
    btnDuzKaydet->show();
    for (QLineEdit *b : {xpText1d, xpText2d, xpText3d, xpText4d, xpText5d})
        b->setEnabled(true);
    xpText1d->setFocus();
}

qint64 Banka1::currentId()
{
    pv::Recordset &rs = Data4->Recordset();
    return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
}

void Banka1::btnDuzKaydet_Click()
{
    const qint64 id = currentId();
    const pv::ledger::BankAccount a{xpText1d->text(), xpText2d->text(), xpText3d->text(), xpText4d->text(),
                                    xpText5d->text()};
    const pv::ledger::Result r = id ? pv::ledger::updateBankAccount(m_db, id, a)
                                    : pv::ledger::Result::failure(QStringLiteral("Seçili banka hesabı yok."));
    if (!r) {
        if (r.reason == pv::ledger::kBankNoNumber)
            ui::refuse(xpText4d, r.reason);
        else if (r.reason == pv::ledger::kBankNumberTaken) {
            pv::MsgBox(r.reason, pv::vbExclamation, QStringLiteral("Dikkat"));
            xpText4d->setFocus();
        } else if (r.reason == pv::ledger::kBankNumberInUse) {
            pv::MsgBox(r.reason, pv::vbInformation, kInfo);
            xpText4d->setFocus();
        } else
            pv::MsgBox(QStringLiteral("Banka hesabı kaydedilemedi.\n") + r.reason, pv::vbCritical,
                       QStringLiteral("Hata"));
        return;
    }
    readAccounts();
    // Stay on the account just saved.
    Data4->Recordset().FindFirst(QStringLiteral("id = ?"), {id});
    leaveAccountPanel();
}

void Banka1::btnDuzVazgec_Click()
{
    leaveAccountPanel();
}

// ---------------------------------------------------------------- delete, open, close

void Banka1::btnBankSil_Click()
{
    const qint64 id = currentId();
    const auto moved =
        id ? pv::ledger::bankHasMovements(m_db, Data4->Recordset().Fields(QStringLiteral("HesapNo")).text())
           : std::optional<bool>(true);
    if (!moved) {
        // Not "no movements": they were not read.
        pv::MsgBox(QStringLiteral("Banka hareketleri okunamadı: ") + m_db.lastError().message, pv::vbCritical,
                   QStringLiteral("Hata"));
        return;
    }
    if (*moved) {
        pv::MsgBox(pv::ledger::kBankHasMovements, pv::vbInformation, kInfo);
        return;
    }
    if (pv::MsgBox(QStringLiteral("SEÇİLİ BANKA SİLİNECEKTİR. EMİN MİSİNİZ?"), pv::vbYesNo | pv::vbQuestion,
                   QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    const pv::ledger::Result r = pv::ledger::deleteBankAccount(m_db, id);
    if (!r) {
        if (r.reason == pv::ledger::kBankHasMovements)
            pv::MsgBox(r.reason, pv::vbInformation, kInfo);
        else
            pv::MsgBox(QStringLiteral("Banka hesabı silinemedi.\n") + r.reason, pv::vbCritical,
                       QStringLiteral("Hata"));
    }
    readAccounts();
}

void Banka1::btnHrktAc_Click()
{
    pv::Recordset &rs = Data4->Recordset();
    if (!rs.hasCurrent())
        return;
    const QString number = rs.Fields(QStringLiteral("HesapNo")).text();
    if (number.isEmpty())
        return;
    const QString caption = rs.Fields(QStringLiteral("HesapTuru")).text() + QLatin1Char(' ') +
                            rs.Fields(QStringLiteral("Banka")).text();
    Banka2 &w = pv::form<Banka2>();
    w.Banka_Kodu = number;
    w.setCaption(caption);
    w.txtYetki = txtYetki.text();
    connect(&w, &Banka2::goingBack, this, &Banka1::readAccounts, Qt::UniqueConnection);
    w.Show(pv::Form::Modal);
}

void Banka1::DBGrid1_DblClick()
{
    btnHrktAc_Click();
}

void Banka1::kptBtn_Click()
{
    pv::Unload(this);
}
