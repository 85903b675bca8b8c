#include "app/cashbook/kasa.h"

#include "app/ledger/CashBook.h"
#include "app/ledger/ReceiptNumbers.h"
#include "app/reports/AppReports.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/SqlFunctions.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/report/Report.h"
#include "platform/text/Formats.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>

#include <initializer_list>

namespace
{

const QString kCaption = QStringLiteral("Kasa Hareketleri");
const QString kGiren = QStringLiteral("Giren");
const QString kCikan = QStringLiteral("Çıkan");
const QString kOrder = QStringLiteral(" ORDER BY Tarih2,Saat asc");
// Every list takes its range keys, search text and kind words as bound values.
const QString kRangeSql = QStringLiteral("select * from kasa where Tarih2 Between ? and ?") + kOrder;

void showMoney(QLineEdit *box, double value)
{
    box->setText(pv::formatMoney(value));
    box->setCursorPosition(int(box->text().size()));
}

// A button redraws itself at every setEnabled: leave those already in the state asked.
void enableAll(std::initializer_list<BvButton *> buttons, bool on)
{
    for (BvButton *b : buttons)
        if (b->Enabled() != on)
            b->setEnabled(on);
}

} // namespace

kasa::kasa()
{
    setObjectName(QStringLiteral("kasa"));
    // Enter walks the fields as Tab does; Esc does nothing.
    setEnterMovesFocus(true);

    Data10 = new pv::DataControl(this);
    // A year's list opens in the time of its first keys: the grid reads the rows it shows.
    Data10->Recordset().setReadOnDemand(true);
    DataVeresiyeSil2 = new pv::DataControl(this);
    Data3 = new pv::DataControl(this);
    Data4 = new pv::DataControl(this);

    buildControls();
    ui::bindField(Data10, &txtIslemNo2, QStringLiteral("islemNo2"));
    txtIslemNo2.onChange(this, &kasa::Command13_Click);
}

kasa::~kasa() = default;

void kasa::buildControls()
{
    // The list, the commands and the panels (entry, delete confirmation, totals): kasa.form.json.
    // Its tab order walks the panels in their own orders: money in description, time, date,
    // amount; money out description, amount, date, time.
    ui::loadForm(this, {PV_FORM_MEMBER(ilk),
                        PV_FORM_MEMBER(son),
                        PV_FORM_MEMBER(xpCombo1),
                        PV_FORM_MEMBER(txtAra),
                        PV_FORM_MEMBER(xpText5),
                        PV_FORM_MEMBER(hrktFrm),
                        PV_FORM_MEMBER(DBGrid1),
                        PV_FORM_MEMBER(KasaGrsBtn),
                        PV_FORM_MEMBER(KasaCksBtn),
                        PV_FORM_MEMBER(KasaSilBtn),
                        PV_FORM_MEMBER(yazdirBtn),
                        PV_FORM_MEMBER(kptBtn),
                        PV_FORM_MEMBER(GrsCksFrm),
                        PV_FORM_MEMBER(Text10),
                        PV_FORM_MEMBER(btnNoVer),
                        PV_FORM_MEMBER(girisFrm),
                        PV_FORM_MEMBER(Text6),
                        PV_FORM_MEMBER(Text7),
                        PV_FORM_MEMBER(Text8),
                        PV_FORM_MEMBER(Text9),
                        PV_FORM_MEMBER(ekleBtn1),
                        PV_FORM_MEMBER(vazgec1),
                        PV_FORM_MEMBER(cikisFrm),
                        PV_FORM_MEMBER(xpText2),
                        PV_FORM_MEMBER(xpText1),
                        PV_FORM_MEMBER(xpText3),
                        PV_FORM_MEMBER(xpText4),
                        PV_FORM_MEMBER(ekleBtn2),
                        PV_FORM_MEMBER(vazgec2),
                        PV_FORM_MEMBER(frmSilEkran),
                        PV_FORM_MEMBER(Command12),
                        PV_FORM_MEMBER(MyButton3),
                        PV_FORM_MEMBER(toplaFrm),
                        PV_FORM_MEMBER(FrameFendrixon3),
                        PV_FORM_MEMBER(Label3),
                        PV_FORM_MEMBER(VornXPTextBox2),
                        PV_FORM_MEMBER(VornXPTextBox3),
                        PV_FORM_MEMBER(VornXPTextBox4),
                        PV_FORM_MEMBER(VornXPTextBox5),
                        PV_FORM_MEMBER(VornXPTextBox6),
                        PV_FORM_MEMBER(Frame1),
                        PV_FORM_MEMBER(Frame2),
                        PV_FORM_MEMBER(Frame3),
                        PV_FORM_MEMBER(Frame4),
                        PV_FORM_MEMBER(Frame5),
                        PV_FORM_MEMBER(TextSize),
                        PV_FORM_MEMBER(muslisyzdBtn),
                        PV_FORM_MEMBER(vazgec3)});

    m_listModel = new pv::DataGridModel(Data10,
                                        {{QStringLiteral("TARİH"), QStringLiteral("Tarih"), 1200},
                                         {QStringLiteral("SAAT"), QStringLiteral("Saat"), 960},
                                         {QStringLiteral("TÜR"), QStringLiteral("Tur"), 840},
                                         {QStringLiteral("FİŞ / İŞLEM NO"), QStringLiteral("islemNo"), 1680},
                                         {QStringLiteral("AÇIKLAMA"), QStringLiteral("Aciklama"), 5040},
                                         {QStringLiteral("ÖDEME ŞEKLİ"), QStringLiteral("OdemeSekli"), 1440},
                                         {QStringLiteral("GİREN MİKTAR"), QStringLiteral("Giren"), 1680},
                                         {QStringLiteral("ÇIKAN MİKTAR"), QStringLiteral("Cikan"), 1680}},
                                        this);
    m_listModel->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setWordWrap(false);
    DBGrid1->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(285));

    connect(ilk, &QDateEdit::dateChanged, this, &kasa::Command2_Click);
    connect(son, &QDateEdit::dateChanged, this, &kasa::Command2_Click);
    connect(txtAra, &QLineEdit::textChanged, this, &kasa::btnAra_Click);
    connect(xpCombo1, &QComboBox::activated, this, &kasa::xpCombo1_Click);
    pv::onLostFocus(Text9, [this] { Text9_LostFocus(); });
    pv::onLostFocus(xpText4, [this] { xpText4_LostFocus(); });
}

// ---------------------------------------------------------------- loading and activation

void kasa::fillDescriptions(pv::DataControl *dc, const QString &table, const QString &field, QComboBox *combo)
{
    dc->setRecordSource(table);
    if (!m_reads.check(*dc, dc->Refresh()))
        return;
    pv::Recordset &rs = dc->Recordset();
    const int column = rs.fieldIndex(field);
    if (column < 0)
        return;
    for (int row = 0; row < rs.RecordCount(); ++row) {
        // A row without a description adds no item.
        const QVariant v = rs.valueAt(row, column);
        if (v.isValid() && !v.isNull())
            combo->addItem(rs.textAt(row, column));
    }
}

void kasa::Form_Load()
{
    const QString path = pv::databasePath();
    m_db.open(path);
    for (pv::DataControl *dc : {Data10, DataVeresiyeSil2, Data3, Data4})
        dc->setDatabaseName(path);
    // The first activation lists the range at once: opening never reads the whole book.
    Data10->setRecordSource(QStringLiteral("select * from kasa") + kOrder);
    fillDescriptions(Data4, QStringLiteral("kasa_cikan_a"), QStringLiteral("CikanAciklama"), xpText3);
    fillDescriptions(Data3, QStringLiteral("kasa_giren_a"), QStringLiteral("GirenAciklama"), Text8);
    // An editable combo shows its first item: the description starts empty.
    Text8->setEditText(QString());
    xpText3->setEditText(QString());

    xpCombo1->addItems({QStringLiteral("Tüm Kayıtlar"), QStringLiteral("Giren Kayıtlar"),
                        QStringLiteral("Çıkan Kayıtlar"), QStringLiteral("Nakit Satışlar"),
                        QStringLiteral("POS Satışlar")});
    xpCombo1->setCurrentIndex(0);
    for (int size = 3; size <= 10; ++size)
        TextSize->addItem(QString::number(size));
    TextSize->setCurrentText(QStringLiteral("8"));

    const QSignalBlocker blockFirst(ilk), blockLast(son);
    ilk->setDate(pv::Clock::today());
    son->setDate(pv::Clock::today());
}

void kasa::Form_Activate()
{
    m_reads.tellAgain();
    // A range with rows has shown the balance with its list: it is read once.
    if (!Command2_Click())
        devir1_Click();
}

void kasa::kptBtn_Click()
{
    pv::Unload(this);
}

void kasa::btnYetki_Click()
{
    if (txtYetki.text() == QLatin1String("1"))
        enableAll({KasaSilBtn}, false);
    // An open panel keeps the delete command off until it closes.
    if (txtYetki.text() == QLatin1String("0") && !panelOpen())
        enableAll({KasaSilBtn}, true);
}

void kasa::bntRenkFRM_Click()
{
    ui::giveFrameItsColours(hrktFrm);
}

bool kasa::panelOpen() const
{
    return !GrsCksFrm->isHidden() || !toplaFrm->isHidden();
}

void kasa::setRangeEnabled(bool on)
{
    ilk->setEnabled(on);
    son->setEnabled(on);
    xpCombo1->setEnabled(on);
}

// ---------------------------------------------------------------- lists

QString kasa::firstKey() const
{
    return pv::dateKey(ilk->date());
}

QString kasa::lastKey() const
{
    return pv::dateKey(son->date());
}

void kasa::listRange()
{
    Data10->setRecordSource(kRangeSql, {firstKey(), lastKey()});
    readList();
}

bool kasa::readList()
{
    return m_reads.check(*Data10, Data10->Refresh());
}

bool kasa::Command2_Click()
{
    // The list stands still under the delete confirmation: its highlighted row is the one
    // the confirmation deletes. (Nothing re-listed: the shown balance stands.)
    if (deleteConfirmationOpen())
        return true;
    if (ilk->date() > son->date()) {
        pv::MsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation, kCaption);
        ilk->setFocus();
        return false;
    }
    m_reads.tellAgain();
    listRange();
    // The first keys tell whether the range has a row; the rest are read as the grid scrolls.
    const bool rows = Data10->Recordset().rowsRead() > 0;
    if (!rows)
        ilk->setFocus();
    // An open panel keeps the commands it disabled.
    if (!panelOpen())
        enableAll({yazdirBtn, KasaSilBtn}, rows);
    if (rows)
        devir1_Click();
    return rows;
}

void kasa::btnAra_Click()
{
    const QString text = txtAra->text();
    if (text.isEmpty())
        Data10->setRecordSource(kRangeSql, {firstKey(), lastKey()});
    else
        Data10->setRecordSource(
            QStringLiteral("select * from kasa where Aciklama like ? And Tarih2 Between ? and ?") + kOrder,
            {pv::startsWithPattern(text), firstKey(), lastKey()});
    m_reads.tellAgain();
    readList();
}

void kasa::xpCombo1_Click()
{
    struct Kind {
        QString item, direction, code, payment;
    };
    static const Kind kinds[] = {
        {QStringLiteral("Tüm Kayıtlar"), QString(), QStringLiteral("0"), QString()},
        {QStringLiteral("Giren Kayıtlar"), kGiren, QStringLiteral("1"), QString()},
        {QStringLiteral("Çıkan Kayıtlar"), kCikan, QStringLiteral("2"), QString()},
        {QStringLiteral("Nakit Satışlar"), kGiren, QStringLiteral("3"), QStringLiteral("Nakit")},
        {QStringLiteral("POS Satışlar"), kGiren, QStringLiteral("4"), QStringLiteral("POS")}};
    const QString picked = xpCombo1->currentText();
    for (const Kind &k : kinds) {
        if (k.item != picked)
            continue;
        if (!k.direction.isEmpty())
            turkopyatxt = k.direction;
        frmShowtxt = k.code;
        krt2 = k.direction.isEmpty() ? QString() : QLatin1Char('\'') + turkopyatxt.text() + QLatin1Char('\'');
        krt1 = k.direction.isEmpty() ? QString() : QStringLiteral(" and Tur=");
        krt3 = krt1.text() + krt2.text();
        if (k.direction.isEmpty()) {
            Data10->setRecordSource(kRangeSql, {firstKey(), lastKey()});
        } else {
            QString sql = QStringLiteral("select * from kasa where Tur like ?");
            QVariantList params{pv::startsWithPattern(k.direction)};
            if (!k.payment.isEmpty()) {
                sql += QStringLiteral(" And OdemeSekli = ?");
                params << k.payment;
            }
            params << firstKey() << lastKey();
            Data10->setRecordSource(sql + QStringLiteral(" And Tarih2 Between ? and ?") + kOrder, params);
        }
        m_reads.tellAgain();
        readList();
        return;
    }
}

// ---------------------------------------------------------------- carried balance

void kasa::devir1_Click()
{
    const pv::ledger::CashBalance all = pv::ledger::cashBalance(m_db);
    if (!m_reads.check(all.error)) {
        // No carried balance rather than 0,00.
        Text1 = QString();
        Text2 = QString();
        xpText5->clear();
        btnYetki_Click();
        return;
    }
    m_allIn = all.in;
    m_allOut = all.out;
    Text1 = pv::formatMoney(m_allIn);
    devir2_Click();
    btnYetki_Click();
}

void kasa::devir2_Click()
{
    Text2 = pv::formatMoney(m_allOut);
    devir3_Click();
}

void kasa::devir3_Click()
{
    // In double precision: a balance of 1.234.567,89 keeps its last digits.
    showMoney(xpText5, m_allIn - m_allOut);
}

// ---------------------------------------------------------------- range totals

void kasa::topla1_Click()
{
    const pv::ledger::CashTotals t = pv::ledger::cashTotals(m_db, firstKey(), lastKey());
    if (!m_reads.check(t.error)) {
        for (QLineEdit *box :
             {VornXPTextBox2, VornXPTextBox3, VornXPTextBox4, VornXPTextBox5, VornXPTextBox6})
            box->clear();
        return;
    }
    m_rangeCash = t.cash;
    m_rangeCard = t.card;
    showMoney(VornXPTextBox2, t.in);
    showMoney(VornXPTextBox3, t.out);
    topla3_Click();
}

void kasa::topla2_Click()
{
    topla3_Click();
}

void kasa::topla3_Click()
{
    // From the two boxes, so that the remainder always agrees with what they show.
    const double in = pv::toNumber(VornXPTextBox2->text()).value_or(0);
    const double out = pv::toNumber(VornXPTextBox3->text()).value_or(0);
    showMoney(VornXPTextBox4, in - out);
    topla4_Click();
}

void kasa::topla4_Click()
{
    showMoney(VornXPTextBox5, m_rangeCash);
    topla5_Click();
}

void kasa::topla5_Click()
{
    showMoney(VornXPTextBox6, m_rangeCard);
}

// ---------------------------------------------------------------- entries

void kasa::btnNoVer_Click()
{
    // An unreadable counter offers no number: one made up would be posted and become the counter.
    QString why;
    const auto number = pv::ledger::offerReceiptNumber(m_db, &why);
    Text10->setText(m_reads.check(why) && number ? QString::number(*number) : QString());
}

void kasa::openEntryPanel(bool moneyIn)
{
    btnNoVer_Click();
    GrsCksFrm->show();
    GrsCksFrm->raise();
    enableAll({KasaSilBtn, yazdirBtn}, false);
    hrktFrm->setEnabled(false);
    girisFrm->setVisible(moneyIn);
    cikisFrm->setVisible(!moneyIn);
    const QDateTime now = pv::Clock::now();
    (moneyIn ? Text6 : xpText2)->setText(pv::dateText(now.date()));
    (moneyIn ? Text7 : xpText1)->setText(pv::timeText(now.time()));
    // Neither entry command while a panel is open: a second click would replace the
    // number, date and time being entered.
    enableAll({KasaGrsBtn, KasaCksBtn}, false);
    setRangeEnabled(false);
    (moneyIn ? Text8 : xpText3)->setFocus();
}

void kasa::KasaGrsBtn_Click()
{
    openEntryPanel(true);
}

void kasa::KasaCksBtn_Click()
{
    openEntryPanel(false);
}

void kasa::Text9_LostFocus()
{
    ui::formatMoneyBox(Text9, pv::kMoneyParens);
}

void kasa::xpText4_LostFocus()
{
    ui::formatMoneyBox(xpText4, pv::kMoneyParens);
}

bool kasa::saveEntry(bool moneyIn)
{
    QLineEdit *amountBox = moneyIn ? Text9 : xpText4;
    QLineEdit *dateBox = moneyIn ? Text6 : xpText2;
    QLineEdit *timeBox = moneyIn ? Text7 : xpText1;
    QComboBox *description = moneyIn ? Text8 : xpText3;

    pv::ledger::CashEntry e;
    e.direction = moneyIn ? pv::ledger::CashDirection::In : pv::ledger::CashDirection::Out;
    if (!ui::readAmount(amountBox, &e.amount, QStringLiteral("Miktarı Yazın"), QStringLiteral("Miktar")))
        return false;
    ui::formatMoneyBox(amountBox, pv::kMoneyParens);
    if (!ui::readDate(dateBox, &e.date) || !ui::readTime(timeBox, &e.time))
        return false;
    dateBox->setText(pv::dateText(e.date));
    timeBox->setText(pv::timeText(e.time));
    e.description = description->currentText();
    e.receiptNumber = Text10->text();

    const pv::ledger::Result r = pv::ledger::addCashEntry(m_db, e);
    if (!r) {
        // The panel keeps what was typed; nothing was written.
        pv::MsgBox(r.reason, pv::vbCritical, ui::kErrorTitle);
        return false;
    }
    m_reads.tellAgain();
    readList();
    description->setEditText(QStringLiteral("-"));
    amountBox->clear();
    devir1_Click();
    return true;
}

void kasa::closeEntryPanel(bool moneyIn)
{
    GrsCksFrm->hide();
    (moneyIn ? girisFrm : cikisFrm)->hide();
    enableAll({KasaGrsBtn, KasaCksBtn, yazdirBtn}, true);
    enableAll({KasaSilBtn}, txtYetki.text() != QLatin1String("1"));
    hrktFrm->setEnabled(true);
    bntRenkFRM_Click();
    setRangeEnabled(true);
}

void kasa::ekleBtn1_Click()
{
    if (saveEntry(true))
        closeEntryPanel(true);
}

void kasa::ekleBtn2_Click()
{
    if (saveEntry(false))
        closeEntryPanel(false);
}

void kasa::vazgec1_Click()
{
    Text8->setEditText(QStringLiteral("-"));
    Text9->clear();
    closeEntryPanel(true);
}

void kasa::vazgec2_Click()
{
    xpText3->setEditText(QStringLiteral("-"));
    xpText4->clear();
    closeEntryPanel(false);
}

// ---------------------------------------------------------------- deleting

qint64 kasa::currentRowId()
{
    pv::Recordset &rs = Data10->Recordset();
    return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
}

void kasa::Command13_Click()
{
    DataVeresiyeSil2->setRecordSource(
        QStringLiteral("select * from veresiye where islemNo2 = ? and islemNo2 <> '' ORDER BY id asc"),
        {txtIslemNo2.text()});
    m_reads.tellAgain();
    m_reads.check(*DataVeresiyeSil2, DataVeresiyeSil2->Refresh());
}

bool kasa::deleteConfirmationOpen() const
{
    return !frmSilEkran->isHidden();
}

void kasa::lockForDelete(bool on)
{
    // Nothing that re-lists the grid or opens a panel over the confirmation while it is shown.
    hrktFrm->setEnabled(!on);
    setRangeEnabled(!on);
    txtAra->setEnabled(!on);
    enableAll({KasaGrsBtn, KasaCksBtn}, !on);
    if (on) {
        enableAll({yazdirBtn}, false);
        return;
    }
    bntRenkFRM_Click();
    // Back to browsing as the list now stands: nothing to total or delete in an empty one.
    const bool rows = Data10->Recordset().RecordCount() > 0;
    enableAll({yazdirBtn, KasaSilBtn}, rows);
    btnYetki_Click();
}

void kasa::KasaSilBtn_Click()
{
    // The confirmation deletes the row it was opened on, the one the locked list keeps highlighted.
    m_deleteId = currentRowId();
    lockForDelete(true);
    frmSilEkran->show();
    frmSilEkran->raise();
    Command13_Click();
}

void kasa::Command12_Click()
{
    if (m_deleteId != 0) {
        const pv::ledger::Result r = pv::ledger::deleteCashRow(m_db, m_deleteId);
        if (!r)
            pv::MsgBox(r.reason, pv::vbCritical, ui::kErrorTitle);
    }
    m_deleteId = 0;
    m_reads.tellAgain();
    readList();
    m_reads.check(*DataVeresiyeSil2, DataVeresiyeSil2->Refresh());
    frmSilEkran->hide();
    lockForDelete(false);
    devir1_Click();
}

void kasa::MyButton3_Click()
{
    m_deleteId = 0;
    frmSilEkran->hide();
    lockForDelete(false);
}

// ---------------------------------------------------------------- totals panel and report

void kasa::yazdirBtn_Click()
{
    Label3->setText(pv::dateText(ilk->date()) + QStringLiteral(" İLE ") + pv::dateText(son->date()) +
                    QStringLiteral(" TARİHLERİ ARASINDAKİ TOPLAM TUTARLAR"));
    // The rows each list type shows: 1 in, 2 out, 3 remaining, 4 cash, 5 card.
    static const QHash<QString, QList<int>> shown{{QStringLiteral("0"), {1, 2, 3, 4, 5}},
                                                  {QStringLiteral("1"), {1}},
                                                  {QStringLiteral("2"), {2}},
                                                  {QStringLiteral("3"), {1, 4}},
                                                  {QStringLiteral("4"), {1, 5}}};
    const auto rows = shown.constFind(frmShowtxt.text());
    if (rows == shown.constEnd())
        return;
    setRangeEnabled(false);
    hrktFrm->setEnabled(false);
    toplaFrm->show();
    toplaFrm->raise();
    enableAll({KasaGrsBtn, KasaCksBtn, KasaSilBtn}, false);
    QFrame *covers[5] = {Frame1, Frame2, Frame3, Frame4, Frame5};
    for (int i = 0; i < 5; ++i) {
        covers[i]->setVisible(!rows->contains(i + 1));
        covers[i]->raise();
    }
    m_reads.tellAgain();
    topla1_Click();
}

void kasa::vazgec3_Click()
{
    toplaFrm->hide();
    enableAll({KasaGrsBtn, KasaCksBtn}, true);
    enableAll({KasaSilBtn}, txtYetki.text() != QLatin1String("1"));
    hrktFrm->setEnabled(true);
    bntRenkFRM_Click();
    Frame1->hide();
    Frame2->hide();
    setRangeEnabled(true);
}

void kasa::muslisyzdBtn_Click()
{
    m_reads.tellAgain();
    m_reads.beginPass();
    topla1_Click();
    if (m_reads.passFailed())
        return; // a report without its totals is not printed
    pv::registerAppReports();
    pv::Report &r = pv::Reports::get(QStringLiteral("kasaRapor"));
    r.item(4015).setDatabase(m_db);
    // The list type's direction, as krt3 names it, goes in as a bound value.
    QString sql = QStringLiteral("select * from kasa where Tarih2 Between ? and ?");
    QVariantList params{firstKey(), lastKey()};
    if (!krt3.text().isEmpty()) {
        sql += QStringLiteral(" and Tur = ?");
        params << turkopyatxt.text();
    }
    r.item(4015).setSource(sql + QStringLiteral(" ORDER BY Tarih2,[Saat] asc"), params);
    r.item(4005).setCaption(pv::dateText(ilk->date()) + QStringLiteral(" - ") + pv::dateText(son->date()) +
                            QStringLiteral(" TARİHLERİ ARASI KASA RAPORU"));
    r.item(4028).setCaption(VornXPTextBox2->text());
    r.item(4029).setCaption(VornXPTextBox3->text());
    r.item(4030).setCaption(VornXPTextBox4->text());
    r.item(4032).setCaption(xpText5->text());
    r.item(4035).setCaption(VornXPTextBox5->text());
    r.item(4036).setCaption(VornXPTextBox6->text());
    for (int item : {4016, 4017, 4018, 4020, 4021, 4022, 4024})
        r.item(item).setFontSize(TextSize->currentText());
    r.showPreviewModal(this);
}
