#include "app/accounts/CariToplu.h"

#include "app/ledger/AccountBulk.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/text/AmountInWords.h"
#include "platform/text/Formats.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

namespace
{

const QString kWarnTitle = QStringLiteral("Dikkat!");
const QString kErrorTitle = QStringLiteral("Hata");
const QString kWalkCaption = QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatları Cariye Yansıtılıyor...");
const QString kWalkDone = QStringLiteral("İşlem Başarılı");
const QString kContractSql = QStringLiteral(
    "select * from veresiye where Tarih2 = ? and mus_kodu = ? ORDER BY [Tarih],[Saat],Eklenen asc");

const QStringList kContractDetail{
    QStringLiteral("Field1"), QStringLiteral("Field2"), QStringLiteral("Field3"), QStringLiteral("Field4"),
    QStringLiteral("Field5"), QStringLiteral("Field7"), QStringLiteral("lblRank")};

} // namespace

CariToplu::CariToplu(pv::Form &window, pv::DataControl &Data5, Hooks hooks)
    : QObject(&window), m_window(window), m_ledger(Data5), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("CariToplu"));
    QWidget *w = &m_window;
    m_grid = ui::control<QTableView>(w, "DBGrid2");
    m_customerName = ui::control<QLineEdit>(w, "xpText3");
    m_totals = {ui::control<QLineEdit>(w, "VornXPTextBox2"), ui::control<QLineEdit>(w, "VornXPTextBox3"),
                ui::control<QLineEdit>(w, "VornXPTextBox4")};
    buildCommands();
    // Every command of the window while the prices walk: nothing can be added, edited,
    // deleted, picked or shown, and "Geri" cannot close it (the contract's print command
    // and the range's pickers too, once made).
    m_walkLocks = ui::controls(w, {"VornXPButton7", "VornXPButton8", "VornXPButton9", "VornXPButton10",
                                   "btnEkle", "btnEdit", "VornXPButton5", "MyButton1", "btnMail", "btnSMS",
                                   "VornXPButton2", "tgoster2", "btnNote", "btnResimGoster", "Frame1s"}) +
                  QList<QWidget *>{VornXPButton6, btnFiyatGuncelle, btnSozlesme};
    // What the window's own unlock leaves to others; the ledger, the rights and the e-mail
    // and photo rules then have their say.
    m_walkUnlocks = ui::controls(w, {"btnEkle", "btnEdit", "MyButton1", "btnSMS", "tgoster2", "btnNote"}) +
                    QList<QWidget *>{btnSozlesme};
}

CariToplu::~CariToplu() = default;

// The commands stand on the window from the start (the reset and re-pricing ones the
// window's own when it has them); each panel is built when its command first opens it.
void CariToplu::buildCommands()
{
    ui::loadForm(
        &m_window, QStringLiteral("veresiye2.CariToplu"), this,
        {PV_FORM_MEMBER(btnSozlesme), PV_FORM_MEMBER(VornXPButton6), PV_FORM_MEMBER(btnFiyatGuncelle)});
    Timer6 = new pv::Timer(10, false, this);
    connect(Timer6, &pv::Timer::tick, this, &CariToplu::Timer6_Timer);
}

// Above the ledger, beside the note and photo commands: it hides no command.
void CariToplu::buildContractPanel()
{
    if (frmSozlesme)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.CariToplu.frmSozlesme"), this,
                 {PV_FORM_MEMBER(frmSozlesme), PV_FORM_MEMBER(FrameFendrixon4), PV_FORM_MEMBER(txtSozTarih),
                  PV_FORM_MEMBER(txtTeslimTarih), PV_FORM_MEMBER(bntSozlesmePrint)});
}

void CariToplu::buildPricePanel()
{
    if (frmFiyatGuncel)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.CariToplu.frmFiyatGuncel"), this,
                 {PV_FORM_MEMBER(frmFiyatGuncel), PV_FORM_MEMBER(FrameFendrixon2),
                  PV_FORM_MEMBER(ProgressBar2), PV_FORM_MEMBER(Frame3), PV_FORM_MEMBER(btnOnay)});
}

// The walk's locks as they stand: the contract's print command and the range's pickers
// once they are made.
QList<QWidget *> CariToplu::madeLater() const
{
    QList<QWidget *> made{bntSozlesmePrint};
    if (m_hooks.rangePickers)
        made += m_hooks.rangePickers();
    return made;
}

// ---------------------------------------------------------------- contract

void CariToplu::btnSozlesme_Click()
{
    buildContractPanel();
    ui::showAt(frmSozlesme, 5520, 480);
    txtSozTarih->setDate(pv::Clock::today());
    txtTeslimTarih->setDate(pv::Clock::today());
}

void CariToplu::bntSozlesmePrint_Click()
{
    double amount = 0;
    const pv::ledger::Result read =
        pv::ledger::dayDebitTotal(m_ledger.Database(), m_hooks.Text10(), txtSozTarih->date(), &amount);
    if (!read) {
        pv::MsgBox(read.reason, pv::vbCritical, kErrorTitle);
        return;
    }
    txtSozBedel = pv::formatMoney(amount);
    ytl2text = pv::Yaziyla(txtSozBedel.text());
    // A contract whose amount cannot be spelled is not printed with "Hata" in its words.
    if (ytl2text.text() == QLatin1String("Hata")) {
        pv::MsgBox(pv::ledger::kContractAmountFailed + QStringLiteral("\nTutar yazıyla yazılamıyor: ") +
                       txtSozBedel.text(),
                   pv::vbCritical, kErrorTitle);
        return;
    }
    contract().showPreviewModal(&m_window);
}

pv::Report &CariToplu::contract()
{
    buildContractPanel();
    // The customer's details as the card shows them.
    const Card card = m_hooks.customerCard ? m_hooks.customerCard() : Card();
    const auto text = [](const QLineEdit *box) { return box ? box->text() : QString(); };
    pv::Report &r = pv::Reports::get(QStringLiteral("Sozlesme"));
    r.dataControl().setDatabase(m_ledger.Database());
    r.dataControl().setSource(kContractSql, {pv::dateKey(txtSozTarih->date()), m_hooks.Text10()});
    // The report's labels are one line each.
    QString address = card.xpText10 ? card.xpText10->toPlainText() : QString();
    address.replace(QLatin1Char('\n'), QLatin1Char(' '));
    r.label(QStringLiteral("LabelFirma"))
        .setCaption(m_hooks.txtFirmaBilgi ? m_hooks.txtFirmaBilgi() : QString());
    r.label(QStringLiteral("Label185")).setCaption(text(m_customerName));
    r.label(QStringLiteral("Label186")).setCaption(address.trimmed());
    r.label(QStringLiteral("Label187"))
        .setCaption(text(card.xpText9) + QStringLiteral(" - ") + text(card.xpText12));
    r.label(QStringLiteral("Label188")).setCaption(ui::mailValue(text(card.xpText4)));
    r.label(QStringLiteral("Label189")).setCaption(text(card.xpText5));
    r.label(QStringLiteral("Label190")).setCaption(text(card.xpText6));
    r.label(QStringLiteral("Label191")).setCaption(text(card.xpText6));
    r.label(QStringLiteral("Label199")).setCaption(pv::dateText(txtTeslimTarih->date()));
    r.label(QStringLiteral("Label200")).setCaption(txtSozBedel.text());
    r.label(QStringLiteral("Label201")).setCaption(ytl2text.text());
    if (const QComboBox *size = m_hooks.printChoices ? m_hooks.printChoices() : nullptr)
        for (const QString &name : kContractDetail)
            r.control(name).setFontSize(size->currentText());
    return r;
}

// ---------------------------------------------------------------- reset

void CariToplu::VornXPButton6_Click()
{
    if (pv::MsgBox(QStringLiteral("Müşterinin Veresiye Hesabı Sıfırlanacaktır. Emin misiniz?"),
                   pv::vbYesNo | pv::vbCritical, kWarnTitle) != pv::vbYes)
        return;
    if (ResetAll() && m_hooks.Text11)
        m_hooks.Text11(pv::dateText(pv::Clock::today()));
}

QList<qint64> CariToplu::idsInView()
{
    // The rows in view: the whole ledger, or the date range when that is shown.
    pv::Recordset &rs = m_ledger.Recordset();
    const int idField = rs.fieldIndex(QStringLiteral("id"));
    QList<qint64> ids;
    // The keys alone: a long ledger read on demand is not read row by row for them.
    for (int row = 0; row < rs.RecordCount(); ++row)
        ids << (rs.isUpdatable() ? rs.rowidAt(row) : rs.valueAt(row, idField).toLongLong());
    return ids;
}

bool CariToplu::ResetAll()
{
    const pv::ledger::Result r = pv::ledger::resetAccount(m_ledger.Database(), m_hooks.Text10(), idsInView());
    if (!r) {
        pv::MsgBox(r.reason, pv::vbCritical, kErrorTitle);
        return false;
    }
    m_ledger.Refresh();
    for (QLineEdit *box : m_totals)
        box->setText(QStringLiteral("0"));
    if (m_hooks.ara_Click)
        m_hooks.ara_Click();
    // The range's figures counted the rows just deleted.
    const QWidget *range = m_hooks.rangeTotals ? m_hooks.rangeTotals() : nullptr;
    if (range && range->isVisible() && m_hooks.btnT1_Click)
        m_hooks.btnT1_Click();
    // An emptied ledger leaves nothing to edit, delete, reset or re-price.
    if (m_hooks.Command6_Click)
        m_hooks.Command6_Click();
    return true;
}

// ---------------------------------------------------------------- prices from stock

void CariToplu::btnFiyatGuncelle_Click()
{
    if (pv::MsgBox(QStringLiteral("Stoktaki Ürünlerin Güncel Fiyatları (Sadece Satış Fiyatı-1) Müşteri "
                                  "Hareketlerine Yansıtılacaktır. Emin misiniz?"),
                   pv::vbYesNo | pv::vbCritical, kWarnTitle) != pv::vbYes)
        return;
    buildPricePanel();
    if (m_grid)
        m_grid->setFocus();
    lockForWalk();
    // The rows shown now, by id: a re-priced row may move among rows of the same date and
    // time, so walking by position would price one twice and miss another.
    m_walkIds = idsInView();
    m_walkRow = 0;
    m_ledger.setCurrentRow(0);
    Text5 = QStringLiteral("0");
    Text4 = QString::number(m_walkIds.size());
    Frame3->hide();
    FrameFendrixon2->setCaption(kWalkCaption);
    // The bar scrolls by itself while the panel is up; hidden, its timer would redraw for nothing.
    ProgressBar2->setAutoScroll(true);
    ui::showAt(frmFiyatGuncel, 3840, 2760);
    Timer6->setEnabled(true);
}

void CariToplu::Timer6_Timer()
{
    if (Text5.text() == Text4.text() || m_walkRow >= m_walkIds.size()) {
        Timer6->setEnabled(false);
        Frame3->show();
        FrameFendrixon2->setCaption(kWalkDone);
        return;
    }
    Command5_Click();
}

void CariToplu::Command5_Click()
{
    Text5 = QString::number(Text5.text().toLongLong() + 1);
    Command7_Click();
    // A row gone meanwhile is passed over (Missing).
    const qint64 id = m_walkIds.at(m_walkRow);
    pv::ledger::Repricing outcome = pv::ledger::Repricing::Missing;
    const pv::ledger::Result r = pv::ledger::repriceEntry(m_ledger.Database(), id, &outcome);
    if (!r) {
        // The rows done keep their new prices; this one and the rest keep their old ones.
        Timer6->setEnabled(false);
        frmFiyatGuncel->hide();
        m_ledger.Refresh();
        endWalk();
        pv::MsgBox(r.reason, pv::vbCritical, kErrorTitle);
        return;
    }
    if (outcome == pv::ledger::Repricing::Repriced)
        m_ledger.Refresh(); // the grid shows the new price and amount
    ++m_walkRow;
    // The grid stands on the row the next tick re-prices, wherever it is listed now.
    if (m_walkRow < m_walkIds.size())
        if (const int row = m_ledger.Recordset().rowOfRowid(m_walkIds.at(m_walkRow)); row >= 0)
            m_ledger.setCurrentRow(row);
    if (m_hooks.topla1_Click)
        m_hooks.topla1_Click();
}

void CariToplu::Command7_Click()
{
    // The product of the row is found by the re-pricing itself, by its code's equality.
    Text4 = QString::number(m_walkIds.size());
}

void CariToplu::btnOnay_Click()
{
    frmFiyatGuncel->hide();
    endWalk();
}

void CariToplu::lockForWalk()
{
    m_walking = true;
    if (m_hooks.menukitle2)
        m_hooks.menukitle2();
    ui::setEnabled(m_walkLocks + madeLater(), false);
}

void CariToplu::endWalk()
{
    m_walking = false;
    ProgressBar2->setAutoScroll(false);
    if (m_hooks.menukilitac2)
        m_hooks.menukilitac2();
    ui::setEnabled(m_walkUnlocks + madeLater(), true);
    if (m_hooks.Command6_Click)
        m_hooks.Command6_Click();
    if (m_hooks.commandRules)
        m_hooks.commandRules();
}
