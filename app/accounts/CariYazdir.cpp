#include "app/accounts/CariYazdir.h"

#include "app/ledger/Customers.h"
#include "app/ledger/Postings.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/report/Report.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableView>

namespace
{

constexpr BvButton::OleColor kMarked = 0xC0FFFF;
constexpr BvButton::OleColor kPlain = 0xE3E3E3;

const QStringList kReportDetail{QStringLiteral("lblRank"), QStringLiteral("Field1"),
                                QStringLiteral("Field2"),  QStringLiteral("Field17"),
                                QStringLiteral("Field10"), QStringLiteral("Field18"),
                                QStringLiteral("Field19"), QStringLiteral("Field20"),
                                QStringLiteral("Field13"), QStringLiteral("Field14")};

} // namespace

CariYazdir::CariYazdir(pv::Form &window, pv::DataControl &Data5, Hooks hooks)
    : QObject(&window), m_window(window), m_ledger(Data5), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("CariYazdir"));
    buildPanel();
    pv::bindField(m_ledger, txtFormKodu, QStringLiteral("form_kodu"));
    txtFormKodu.onChange(this, &CariYazdir::txtFormKodu_Change);
    connect(&m_ledger, &pv::DataControl::Reposition, this, &CariYazdir::txtFormKodu_Change);
}

CariYazdir::~CariYazdir() = default;

void CariYazdir::buildPanel()
{
    QWidget *w = &m_window;
    ui::loadForm(w, QStringLiteral("veresiye2.CariYazdir"), this,
                 {PV_FORM_MEMBER(VornXPButton5), PV_FORM_MEMBER(tgoster2)});
    // The print and range commands stand on the window; the print panel's frame and
    // commands are built when it is first opened, and take the print choices in.
    VornXPButton5->show();
    tgoster2->show();
    tgoster2->raise();
    // The window's controls it prints, locks and frees.
    DBGrid2 = ui::control<QTableView>(w, "DBGrid2");
    xpText3 = ui::control<QLineEdit>(w, "xpText3");
    VornXPTextBox2 = ui::control<QLineEdit>(w, "VornXPTextBox2");
    VornXPTextBox3 = ui::control<QLineEdit>(w, "VornXPTextBox3");
    VornXPTextBox4 = ui::control<QLineEdit>(w, "VornXPTextBox4");
    // Locked while the print panel is open (with the range's command, once made).
    m_panelLocks = ui::controls(w, {"VornXPButton6", "VornXPButton2", "btnFiyatGuncelle", "MyButton1",
                                    "VornXPButton7", "VornXPButton9", "VornXPButton8", "VornXPButton10"}) +
                   QList<QWidget *>{tgoster2};
    // Usable only while the date range shows rows.
    m_rangeCommands =
        ui::controls(w, {"VornXPButton6", "VornXPButton9", "VornXPButton10", "btnEdit", "btnFiyatGuncelle"}) +
        QList<QWidget *>{VornXPButton5, tgoster2};

    // ---- menus
    mnuPrint = new QMenu(QStringLiteral("Yazdır"), w);
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuMiM = mnuPrint->addAction(QStringLiteral("Tahsilat / Satış İşlemlerinin Makbuzunu Yazdır [A5]"));
    mnuMiM->setObjectName(QStringLiteral("mnuMiM"));
    mnuSimy = mnuPrint->addAction(QStringLiteral("Seçtiğim İşlemlerin Makbuzunu Yazdır  [A5]"));
    mnuSimy->setObjectName(QStringLiteral("mnuSimy"));
    mnuMHY = mnuPrint->addAction(QStringLiteral("Müşteri Hareketlerini Yazdır"));
    mnuMHY->setObjectName(QStringLiteral("mnuMHY"));
    mnuPrntEkle = new QMenu(QStringLiteral("Yazdırma Listesine Ekle"), w);
    mnuPrntEkle->setObjectName(QStringLiteral("mnuPrntEkle"));
    mnuSime = mnuPrntEkle->addAction(QStringLiteral("Seçili İşlemi Yazdıracağım Makbuza Ekle"));
    mnuSime->setObjectName(QStringLiteral("mnuSime"));
    mnuSims = mnuPrntEkle->addAction(QStringLiteral("Seçili İşlemi Yazdıracağım Makbuzdan Çıkar"));
    mnuSims->setObjectName(QStringLiteral("mnuSims"));
    mnuPrntEkle->addSeparator();
    mnuSimy2 = mnuPrntEkle->addAction(QStringLiteral("Seçtiğim İşlemlerin Makbuzunu Yazdır  [A5]"));
    mnuSimy2->setObjectName(QStringLiteral("mnuSimy2"));

    connect(mnuMiM, &QAction::triggered, this, &CariYazdir::mnuMiM_Click);
    connect(mnuSimy, &QAction::triggered, this, &CariYazdir::mnuSimy_Click);
    connect(mnuSimy2, &QAction::triggered, this, &CariYazdir::mnuSimy_Click);
    connect(mnuMHY, &QAction::triggered, this, &CariYazdir::mnuMHY_Click);
    connect(mnuSime, &QAction::triggered, this, &CariYazdir::mnuSime_Click);
    connect(mnuSims, &QAction::triggered, this, &CariYazdir::mnuSims_Click);
    DBGrid2->viewport()->installEventFilter(this);
}

// The date range's pickers are made when the range, or a print that names its days, is
// first used: the window makes its own (with the range's captions and totals), a window
// without them gets them from the form, hidden and at today.
void CariYazdir::buildRange()
{
    if (ilk)
        return;
    const bool windowMakesThem = bool(m_hooks.buildRange);
    if (windowMakesThem)
        m_hooks.buildRange();
    ui::loadForm(&m_window, QStringLiteral("veresiye2.CariYazdir.range"), this,
                 {PV_FORM_MEMBER(ilk), PV_FORM_MEMBER(son), PV_FORM_MEMBER(tgoster)});
    if (!windowMakesThem) {
        ilk->setDate(pv::Clock::today());
        son->setDate(pv::Clock::today());
    }
    m_panelLocks << tgoster;
    // The window's range totals, there from the start or made with its range just now.
    frmTarihBakiyeler = ui::control<QFrame>(&m_window, "frmTarihBakiyeler");
    txtT1 = ui::control<QLineEdit>(&m_window, "txtT1");
    txtT2 = ui::control<QLineEdit>(&m_window, "txtT2");
    txtT3 = ui::control<QLineEdit>(&m_window, "txtT3");
    if (windowMakesThem)
        m_rangeCaptions = ui::controls(&m_window, {"Label12", "Label11"});
}

// The print choices (sort and text size) are built when a print or the print panel first
// needs them; they start at date and time, ascending, size 8.
void CariYazdir::buildPrintChoices()
{
    if (musListesiFrm)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.CariYazdir.choices"), this,
                 {PV_FORM_MEMBER(musListesiFrm), PV_FORM_MEMBER(xpCombo2), PV_FORM_MEMBER(xpCombo1),
                  PV_FORM_MEMBER(TextSize)});
    TextSize->setCurrentText(QStringLiteral("8"));
    if (m_hooks.printChoicesMade)
        m_hooks.printChoicesMade();
}

void CariYazdir::buildPrintPanel()
{
    if (FrameFendrixon3)
        return;
    buildPrintChoices();
    ui::loadForm(musListesiFrm, QStringLiteral("veresiye2.CariYazdir.musListesiFrm"), this,
                 {PV_FORM_MEMBER(FrameFendrixon3), PV_FORM_MEMBER(muslisyzdBtn),
                  PV_FORM_MEMBER(muslisyzdBtn2), PV_FORM_MEMBER(vekbutton1)});
}

bool CariYazdir::eventFilter(QObject *watched, QEvent *event)
{
    if (DBGrid2 && watched == DBGrid2->viewport() && event->type() == QEvent::MouseButtonRelease)
        DBGrid2_MouseUp(static_cast<QMouseEvent *>(event)->button());
    return QObject::eventFilter(watched, event);
}

// A box of the window, empty while it is not made.
QString CariYazdir::value(const QLineEdit *box)
{
    return box ? box->text() : QString();
}

// ---------------------------------------------------------------- what the prints select

QString CariYazdir::customerCode() const
{
    return m_hooks.Text10 ? m_hooks.Text10() : QString();
}

QString CariYazdir::orderClause() const
{
    // Only the sort choices the print panel offers; the direction applies to date and time alike.
    QString text = (m_hooks.txtSirala3 ? m_hooks.txtSirala3() : QString()).simplified().toLower();
    QString dir = QStringLiteral("asc");
    if (text.endsWith(QLatin1String(" desc"))) {
        dir = QStringLiteral("desc");
        text.chop(5);
    } else if (text.endsWith(QLatin1String(" asc"))) {
        text.chop(4);
    }
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('['));
    text.remove(QLatin1Char(']'));
    QString order;
    if (text == QLatin1String("id"))
        order = QStringLiteral("id %1").arg(dir);
    else if (text == QLatin1String("eklenen"))
        order = QStringLiteral("Eklenen %1, Tarih2, Saat, id").arg(dir);
    else if (text == QLatin1String("odenen"))
        order = QStringLiteral("Odenen %1, Tarih2, Saat, id").arg(dir);
    else
        order = QStringLiteral("Tarih2 %1, Saat %1, id %1").arg(dir);
    return order;
}

void CariYazdir::fillReceipt(pv::Report &r)
{
    buildPrintChoices();
    r.dataControl().setDatabase(m_ledger.Database());
    r.label(QStringLiteral("Label168")).setCaption(value(xpText3));
    r.label(QStringLiteral("Label173")).setCaption(value(VornXPTextBox2));
    r.label(QStringLiteral("Label175")).setCaption(value(VornXPTextBox3));
    r.label(QStringLiteral("Label177")).setCaption(value(VornXPTextBox4));
    r.label(QStringLiteral("Label186")).setCaption(value(txtT1));
    r.label(QStringLiteral("Label187")).setCaption(value(txtT2));
    r.label(QStringLiteral("Label188")).setCaption(value(txtT3));
    r.label(QStringLiteral("LabelFirma"))
        .setCaption(m_hooks.txtFirmaBilgi ? m_hooks.txtFirmaBilgi() : QString());
    // These receipts carry no number of the receipt sequence.
    r.label(QStringLiteral("Label183")).setCaption(QString());
    for (const pv::ReportControl &c : r.layout().controls)
        if (c.kind() == pv::ControlKind::Label || c.kind() == pv::ControlKind::Field)
            r.control(c.name()).setFontSize(TextSize->currentText());
}

pv::Report &CariYazdir::receiptToday()
{
    buildRange();
    son->setDate(pv::Clock::today());
    pv::Report &r = pv::Reports::get(QStringLiteral("Extre"));
    r.dataControl().setSource(
        QStringLiteral("select * FROM veresiye WHERE Tarih2 = ? and mus_kodu = ? ORDER BY %1")
            .arg(orderClause()),
        {pv::dateKey(son->date()), customerCode()});
    fillReceipt(r);
    return r;
}

pv::Report &CariYazdir::receiptMarked()
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QString code = m_hooks.txtSecYazdir ? m_hooks.txtSecYazdir() : QString();
    // A code that is no number of this window's marks marks nothing (NULL matches no row).
    const QVariant marked = digits.match(code).hasMatch() ? QVariant(code) : QVariant();
    pv::Report &r = pv::Reports::get(QStringLiteral("Extre"));
    r.dataControl().setSource(
        QStringLiteral("select * FROM veresiye WHERE form_kodu = ? and mus_kodu = ? ORDER BY %1")
            .arg(orderClause()),
        {marked, customerCode()});
    fillReceipt(r);
    return r;
}

void CariYazdir::fillReport(pv::Report &r)
{
    buildRange();
    buildPrintChoices();
    r.dataControl().setDatabase(m_ledger.Database());
    r.label(QStringLiteral("Label111"))
        .setCaption(m_window.Caption() + QStringLiteral(" - CARİ RAPORU ") + pv::dateText(ilk->date()) +
                    QStringLiteral(" - ") + pv::dateText(son->date()));
    r.label(QStringLiteral("Label121")).setCaption(value(VornXPTextBox2));
    r.label(QStringLiteral("Label122")).setCaption(value(VornXPTextBox3));
    r.label(QStringLiteral("Label123")).setCaption(value(VornXPTextBox4));
    r.label(QStringLiteral("Label186")).setCaption(value(txtT1));
    r.label(QStringLiteral("Label187")).setCaption(value(txtT2));
    r.label(QStringLiteral("Label188")).setCaption(value(txtT3));
    r.label(QStringLiteral("LabelFirma"))
        .setCaption(m_hooks.txtFirmaBilgi ? m_hooks.txtFirmaBilgi() : QString());
    for (const QString &name : kReportDetail)
        r.control(name).setFontSize(TextSize->currentText());
}

pv::Report &CariYazdir::reportAll()
{
    pv::Report &r = pv::Reports::get(QStringLiteral("carirapor"));
    // The whole account always in date and time order, whatever the sort choice.
    r.dataControl().setSource(
        QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat, id"),
        {customerCode()});
    fillReport(r);
    return r;
}

pv::Report &CariYazdir::reportRange()
{
    buildRange();
    pv::Report &r = pv::Reports::get(QStringLiteral("carirapor"));
    r.dataControl().setSource(
        QStringLiteral("select * from veresiye where Tarih2 Between ? and ? and mus_kodu = ? ORDER BY %1")
            .arg(orderClause()),
        {pv::dateKey(ilk->date()), pv::dateKey(son->date()), customerCode()});
    fillReport(r);
    // The range's totals from the rows printed, not from the last range shown on screen.
    const pv::ledger::Totals range =
        pv::ledger::rangeTotals(m_ledger.Database(), customerCode(), ilk->date(), son->date());
    r.label(QStringLiteral("Label186")).setCaption(pv::formatMoney(range.debt));
    r.label(QStringLiteral("Label187")).setCaption(pv::formatMoney(range.paid));
    r.label(QStringLiteral("Label188")).setCaption(pv::formatMoney(range.balance()));
    return r;
}

// ---------------------------------------------------------------- commands

void CariYazdir::VornXPButton5_Click()
{
    mnuPrint->popup(QCursor::pos());
}

void CariYazdir::DBGrid2_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        mnuPrntEkle->popup(QCursor::pos());
}

void CariYazdir::mnuMiM_Click()
{
    receiptToday().showPreviewModal(&m_window);
}

void CariYazdir::mnuSimy_Click()
{
    receiptMarked().showPreviewModal(&m_window);
}

void CariYazdir::muslisyzdBtn_Click()
{
    reportAll().showPreviewModal(&m_window);
}

void CariYazdir::muslisyzdBtn2_Click()
{
    reportRange().showPreviewModal(&m_window);
}

// ---------------------------------------------------------------- marks

void CariYazdir::writeMark(const QString &code)
{
    // Written at once, so the receipt printed next finds it.
    pv::Recordset &rs = m_ledger.Recordset();
    if (!rs.hasCurrent())
        return;
    const qint64 id = rs.Fields(QStringLiteral("id")).value().toLongLong();
    if (const pv::ledger::Result marked = pv::ledger::markForReceipt(m_ledger.Database(), id, code);
        !marked) {
        pv::MsgBox(QStringLiteral("İşlem makbuz listesine yazılamadı.\n") + marked.reason, pv::vbCritical,
                   QStringLiteral("Hata"));
        return;
    }
    m_ledger.Refresh();
    // The entry's id is its rowid: found without reading the rows.
    if (const int row = rs.rowOfRowid(id); row >= 0)
        m_ledger.setCurrentRow(row);
    txtFormKodu_Change();
}

void CariYazdir::mnuSime_Click()
{
    writeMark(m_hooks.txtSecYazdir ? m_hooks.txtSecYazdir() : QString());
}

void CariYazdir::mnuSims_Click()
{
    writeMark(QString());
}

void CariYazdir::txtFormKodu_Change()
{
    const QString code = m_hooks.txtSecYazdir ? m_hooks.txtSecYazdir() : QString();
    const bool marked = !code.isEmpty() && txtFormKodu.text() == code;
    VornXPButton5->setBackColor(marked ? kMarked : kPlain);
}

// ---------------------------------------------------------------- print panel

void CariYazdir::mnuMHY_Click()
{
    buildPrintPanel();
    ui::showAt(musListesiFrm, 120, 1680);
    holdPrintPanel();
}

void CariYazdir::holdPrintPanel()
{
    if (musListesiFrm && !musListesiFrm->isHidden())
        ui::setEnabled(m_panelLocks, false);
}

void CariYazdir::vekbutton1_Click()
{
    musListesiFrm->hide();
    ui::setEnabled(m_panelLocks, true);
    for (QDateEdit *day : {ilk, son})
        if (day)
            day->setEnabled(true);
    // What the ledger and the rights level forbid stays disabled.
    if (m_hooks.Command6_Click)
        m_hooks.Command6_Click();
}

// ---------------------------------------------------------------- date range

void CariYazdir::tgoster2_Click()
{
    buildPrintPanel(); // its print command becomes the range's
    buildRange();
    tgoster2->hide();
    for (QWidget *shown :
         {static_cast<QWidget *>(ilk), static_cast<QWidget *>(son), static_cast<QWidget *>(tgoster)})
        shown->show();
    for (QWidget *caption : m_rangeCaptions)
        caption->show();
    muslisyzdBtn->hide();
    muslisyzdBtn2->show();
}

void CariYazdir::tgoster_Click()
{
    if (ilk->date() > son->date()) {
        pv::MsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation,
                   m_window.Caption());
        ilk->setFocus();
        return;
    }
    const QString code = m_hooks.Text10 ? m_hooks.Text10() : QString();
    m_ledger.setRecordSource(
        QStringLiteral(
            "select * from veresiye where Tarih2 Between ? and ? AND mus_kodu = ? ORDER BY Tarih2, Saat asc"),
        {pv::dateKey(ilk->date()), pv::dateKey(son->date()), code});
    if (!m_ledger.Refresh()) {
        // Not an empty range: the rows were not read.
        pv::MsgBox(QStringLiteral("Hesap okunamadı: ") + m_ledger.lastError().message, pv::vbCritical,
                   QStringLiteral("Hata"));
        return;
    }
    if (m_ledger.Recordset().RecordCount() == 0) {
        ilk->setFocus();
        ui::setEnabled(m_rangeCommands, false);
        frmTarihBakiyeler->hide();
    } else {
        ui::setEnabled(m_rangeCommands, true);
        // The rights level still has its say over delete, edit, reset and re-pricing.
        if (m_hooks.Command6_Click)
            m_hooks.Command6_Click();
        frmTarihBakiyeler->show();
    }
    if (m_hooks.btnT1_Click)
        m_hooks.btnT1_Click();
}
