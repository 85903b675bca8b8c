#include "app/bank/Banka2.h"

#include "app/ledger/Bank.h"
#include "app/ledger/ReceiptNumbers.h"
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
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableView>

#include <array>
#include <initializer_list>

namespace
{

const std::array<std::pair<QString, QString>, 6> kSorts{{
    {QStringLiteral("İşlem Sırası"), QStringLiteral("id")},
    {QStringLiteral("Tarih / Saat"), QStringLiteral("Tarih,Saat")},
    {QStringLiteral("İşlem No"), QStringLiteral("islemNo")},
    {QStringLiteral("İşlem Türü"), QStringLiteral("Turu")},
    {QStringLiteral("Giren"), QStringLiteral("Giren")},
    {QStringLiteral("Çıkan"), QStringLiteral("Cikan")},
}};

const QString kListSql = QStringLiteral("select * from banka2 where Banka_Kodu = ?");
const QString kRangeSql = QStringLiteral(" And Tarih2 Between ? and ? ORDER BY ");

void enable(BvButton *b, bool on)
{
    if (b->Enabled() != on)
        b->setEnabled(on);
}

void showMoney(QLineEdit *box, double value)
{
    box->setText(pv::formatMoney(value));
    box->setCursorPosition(int(box->text().size()));
}

void styleGrid(QTableView *g)
{
    g->verticalHeader()->hide();
    g->setWordWrap(false);
    g->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(285));
}

} // namespace

Banka2::Banka2()
{
    setObjectName(QStringLiteral("Banka2"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setEnterMovesFocus(true);

    txtSirala = QStringLiteral("Tarih,Saat");
    txtSirala2 = QStringLiteral("asc");
    txtSirala3 = QStringLiteral("Tarih,Saat asc");
    // The kind the combo shows applies until another is picked.
    turkopyatxt = QStringLiteral("Genel Gelir");
    mkodu = QStringLiteral("0");

    Data1 = new pv::DataControl(this);
    Data6 = new pv::DataControl(this);
    Data7 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data6->setObjectName(QStringLiteral("Data6"));
    Data7->setObjectName(QStringLiteral("Data7"));

    buildControls();
    buildEntryPanel();
    buildPicker();

    pv::bindField(*Data1, Text22222, QStringLiteral("Saat"));
    pv::bindField(*Data6, txtBankaGiren, QStringLiteral("Giren"));
    pv::bindField(*Data6, txtBankaCikan, QStringLiteral("Cikan"));
    pv::bindField(*Data6, txtBankaBakiye, QStringLiteral("Bakiye"));
}

Banka2::~Banka2() = default;

void Banka2::buildControls()
{
    // The query strip, the list, its totals and the commands: Banka2.form.json. The general
    // query lies under the list, which covers it; the first pick of a query type hides it
    // for good. The list reaches down to the foot of the customer picker, the lowest of the
    // panels that open over it; the totals and the commands stand below, never covered. The
    // date pickers are wide enough for the whole date beside their drop-down button, the
    // kind lists for the longest movement kind.
    ui::loadForm(this, {PV_FORM_MEMBER(xpCombo2),
                        PV_FORM_MEMBER(xpCombo3),
                        PV_FORM_MEMBER(xpCombo5),
                        PV_FORM_MEMBER(frm2Tarih),
                        PV_FORM_MEMBER(ilk),
                        PV_FORM_MEMBER(son),
                        PV_FORM_MEMBER(xpCombo1),
                        PV_FORM_MEMBER(btn2Tarih3),
                        PV_FORM_MEMBER(btn2Tarih2),
                        PV_FORM_MEMBER(btn2Tarih1),
                        PV_FORM_MEMBER(frmIslemNo),
                        PV_FORM_MEMBER(xpText14),
                        PV_FORM_MEMBER(frmIslemTur),
                        PV_FORM_MEMBER(ilk2),
                        PV_FORM_MEMBER(son2),
                        PV_FORM_MEMBER(xpCombo6),
                        PV_FORM_MEMBER(btnIslemTur1),
                        PV_FORM_MEMBER(frmGS),
                        PV_FORM_MEMBER(xpCombo4),
                        PV_FORM_MEMBER(btnGS1),
                        PV_FORM_MEMBER(btnGS2),
                        PV_FORM_MEMBER(btnGS3),
                        PV_FORM_MEMBER(DBGrid1),
                        PV_FORM_MEMBER(VornXPTextBox2),
                        PV_FORM_MEMBER(VornXPTextBox3),
                        PV_FORM_MEMBER(VornXPTextBox4),
                        PV_FORM_MEMBER(btnGeri),
                        PV_FORM_MEMBER(btnEkle),
                        PV_FORM_MEMBER(btnSil)});
    for (const auto &s : kSorts)
        xpCombo3->addItem(s.first);
    for (pv::ledger::BankKind k : {pv::ledger::BankKind::GenelGelir, pv::ledger::BankKind::GenelGider,
                                   pv::ledger::BankKind::GelenHavale, pv::ledger::BankKind::GonderilenHavale,
                                   pv::ledger::BankKind::KartTahsilat, pv::ledger::BankKind::KartOdeme,
                                   pv::ledger::BankKind::ParaYatirma, pv::ledger::BankKind::ParaCekme})
        xpCombo6->addItem(pv::ledger::bankKind(k).stored);

    connect(xpCombo2, &QComboBox::activated, this, [this] { xpCombo2_Click(); });
    connect(xpCombo3, &QComboBox::activated, this, [this] { xpCombo3_Click(); });
    connect(xpCombo5, &QComboBox::activated, this, [this] { xpCombo5_Click(); });
    connect(xpCombo1, &QComboBox::activated, this, [this] { xpCombo1_Click(); });
    connect(xpCombo6, &QComboBox::activated, this, [this] { xpCombo6_Click(); });
    connect(xpCombo4, &QComboBox::activated, this, [this] { xpCombo4_Click(); });
    connect(btn2Tarih3, &BvButton::Click, this, [this] { btn2Tarih_Click(3); });
    connect(btn2Tarih2, &BvButton::Click, this, [this] { btn2Tarih_Click(2); });
    connect(btn2Tarih1, &BvButton::Click, this, [this] { btn2Tarih_Click(1); });
    connect(btnGS1, &BvButton::Click, this, [this] { btnGS_Click(1); });
    connect(btnGS2, &BvButton::Click, this, [this] { btnGS_Click(2); });
    connect(btnGS3, &BvButton::Click, this, [this] { btnGS_Click(3); });
    connect(xpText14, &QLineEdit::textChanged, this, &Banka2::btnIslemNo_Click);
    connect(ilk, &QDateEdit::dateChanged, this, &Banka2::Command5_Click);
    connect(son, &QDateEdit::dateChanged, this, &Banka2::Command5_Click);
    connect(ilk2, &QDateEdit::dateChanged, this, &Banka2::Command7_Click);
    connect(son2, &QDateEdit::dateChanged, this, &Banka2::Command7_Click);

    m_model = new pv::DataGridModel(Data1,
                                    {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 1200},
                                     {QStringLiteral("Saat"), QStringLiteral("Saat"), 960},
                                     {QStringLiteral("Fiş / İşlem No"), QStringLiteral("islemNo"), 1560},
                                     {QStringLiteral("İşlem Türü"), QStringLiteral("Turu"), 2400},
                                     {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 4440},
                                     {QStringLiteral("Giren (Yatan)"), QStringLiteral("Giren"), 1680},
                                     {QStringLiteral("Çıkan (Çekilen)"), QStringLiteral("Cikan"), 1680}},
                                    this);
    m_model->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    styleGrid(DBGrid1);

    // The menu is made between the commands and the panels, whose forms load after it: the
    // window's widgets keep the order they were always made in.
    mnuekle = new QMenu(QStringLiteral("ekle"), this);
    mnuekle->setObjectName(QStringLiteral("mnuekle"));
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, a] { openEntry(a); });
        return a;
    };
    auto submenu = [this](const char *name, const QString &caption) {
        QMenu *m = mnuekle->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    mnuGGelir = item(mnuekle, "mnuGGelir", QStringLiteral("Genel Gelir [Gelir]"));
    mnuGGider = item(mnuekle, "mnuGGider", QStringLiteral("Genel Gider [Gider]"));
    mnuekle->addSeparator();
    QMenu *b = submenu("b", QStringLiteral("Yatan / Çekilen  [Kasa]"));
    mnubankPY = item(b, "mnubankPY", QStringLiteral("Para Yatırma"));
    b->addSeparator();
    mnubankPC = item(b, "mnubankPC", QStringLiteral("Para Çekme"));
    mnuekle->addSeparator();
    QMenu *b2 = submenu("b2", QStringLiteral("Havale / Eft  [Cari]"));
    mnubankGlnHE = item(b2, "mnubankGlnHE", QStringLiteral("Gelen Havale / Eft"));
    b2->addSeparator();
    mnubankGdnHE = item(b2, "mnubankGdnHE", QStringLiteral("Gönderilen Havale / Eft"));
    mnuekle->addSeparator();
    QMenu *b3 = submenu("b3", QStringLiteral("Kredi Kartı (POS) [Cari]"));
    mnubankKT = item(b3, "mnubankKT", QStringLiteral("Kredi Kartı İle Tahsilat"));
    b3->addSeparator();
    mnubankKO = item(b3, "mnubankKO", QStringLiteral("Kredi Kartı İle Ödeme"));
}

void Banka2::buildEntryPanel()
{
    // The panel frmBankaEkle of Banka2.form.json; an entry without a customer moves its amount and
    // commands up (openEntry).
    ui::loadForm(this, QStringLiteral("Banka2.frmBankaEkle"), this,
                 {PV_FORM_MEMBER(frmBankaEkle), PV_FORM_MEMBER(xpText1), PV_FORM_MEMBER(xpText2),
                  PV_FORM_MEMBER(xpText3), PV_FORM_MEMBER(btnNoVer), PV_FORM_MEMBER(xpText5),
                  PV_FORM_MEMBER(Label1), PV_FORM_MEMBER(xpText4), PV_FORM_MEMBER(btnSec),
                  PV_FORM_MEMBER(Label18), PV_FORM_MEMBER(xpText6), PV_FORM_MEMBER(btnVazgec),
                  PV_FORM_MEMBER(btnOnay)});
    pv::onLostFocus(xpText6, [this] { xpText6_LostFocus(); });
    connect(xpText4, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.isEmpty())
            enable(btnOnay, true);
    });
}

void Banka2::buildPicker()
{
    ui::loadForm(this, QStringLiteral("Banka2.frmmusteri"), this,
                 {PV_FORM_MEMBER(frmmusteri), PV_FORM_MEMBER(xpText17), PV_FORM_MEMBER(VxpText4),
                  PV_FORM_MEMBER(DBGrid6), PV_FORM_MEMBER(btnCariVazgec), PV_FORM_MEMBER(btnCariSec)});
    m_customerModel =
        new pv::DataGridModel(Data7,
                              {{QStringLiteral("Müşteri No"), QStringLiteral("mus_kodu"), 1440},
                               {QStringLiteral("Müşteri"), QStringLiteral("MusteriFirma"), 4680}},
                              this);
    m_customerModel->attach(DBGrid6, [](int twips) { return pv::twipsToPixels(twips); });
    styleGrid(DBGrid6);

    connect(xpText17, &QLineEdit::textChanged, this, &Banka2::Command9_Click);
    connect(VxpText4, &QLineEdit::textChanged, this, &Banka2::Command10_Click);
    pv::onDblClick(DBGrid6->viewport(), [this] { btnCariSec_Click(); });
}

// ---------------------------------------------------------------- loading and activation

void Banka2::Form_Load()
{
    {
        const QDate today = pv::Clock::today();
        const QSignalBlocker b1(ilk), b2(son), b3(ilk2), b4(son2);
        for (QDateEdit *d : {xpText1, ilk, son, ilk2, son2})
            d->setDate(today);
    }
    xpText2->setText(pv::timeText(pv::Clock::time()));
    const QString path = pv::databasePath();
    m_db.open(path);
    Data1->setDatabaseName(path);
    Data1->setRecordSource(QStringLiteral("banka2"));
    Data1->Refresh();
    Data6->setDatabaseName(path);
    Data6->setRecordSource(QStringLiteral("banka"));
    Data6->Refresh();
    Data7->setDatabaseName(path);
    Data7->setRecordSource(QStringLiteral("select * from musteriler order by MusteriFirma asc"));
    Data7->Refresh();
    xpCombo3->setCurrentIndex(1);
    centerOnScreen();
}

void Banka2::Form_Activate()
{
    m_reads.tellAgain();
    Command1_Click();
    topla1_Click();
}

void Banka2::Command1_Click()
{
    Data1->setRecordSource(kListSql + QStringLiteral(" ORDER BY Tarih,Saat asc"), {Banka_Kodu.text()});
    m_reads.check(*Data1, Data1->Refresh());
    Data6->setRecordSource(QStringLiteral("select * from banka where HesapNo = ? ORDER BY id asc"),
                           {Banka_Kodu.text()});
    m_reads.check(*Data6, Data6->Refresh());
    btnKayitYOksa_Click();
}

void Banka2::topla1_Click()
{
    const pv::ledger::BankTotals t = pv::ledger::bankTotals(m_db, Banka_Kodu.text());
    if (!m_reads.check(t.error)) {
        // Neither 0,00 on screen nor stored in the account row: the row keeps its totals.
        for (QLineEdit *box : {VornXPTextBox2, VornXPTextBox3, VornXPTextBox4})
            box->clear();
        return;
    }
    showMoney(VornXPTextBox2, t.in);
    showMoney(VornXPTextBox3, t.out);
    showMoney(VornXPTextBox4, t.balance());
    // An account number no row carries stores nothing; the list still shows its movements.
    pv::ledger::storeBankTotals(m_db, Banka_Kodu.text(), t);
    m_reads.check(*Data6, Data6->Refresh());
}

void Banka2::btnKayitYOksa_Click()
{
    enable(btnSil, !Text22222.text().isEmpty());
    btnYetki_Click();
}

void Banka2::btnYetki_Click()
{
    if (txtYetki.text() == QLatin1String("1"))
        enable(btnSil, false);
    if (txtYetki.text() == QLatin1String("0"))
        enable(btnSil, true);
}

// ---------------------------------------------------------------- commands

void Banka2::btnGeri_Click()
{
    m_reads.tellAgain();
    topla1_Click();
    emit goingBack();
    pv::Unload(this);
}

void Banka2::btnEkle_Click()
{
    mnuekle->popup(QCursor::pos());
}

void Banka2::btnSil_Click()
{
    if (pv::MsgBox(QStringLiteral("SEÇİLİ SATIR SİLİNECEKTİR. EMİN MİSİNİZ?"), pv::vbYesNo | pv::vbQuestion,
                   QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    m_reads.tellAgain();
    pv::Recordset &rs = Data1->Recordset();
    if (rs.hasCurrent()) {
        const pv::ledger::Result r =
            pv::ledger::deleteBankMovement(m_db, rs.Fields(QStringLiteral("id")).value().toLongLong());
        if (!r)
            pv::MsgBox(QStringLiteral("Banka hareketi silinemedi.\n") + r.reason, pv::vbCritical,
                       QStringLiteral("Hata"));
    }
    topla1_Click();
    Command1_Click();
}

void Banka2::Command5_Click()
{
    dateCheck(ilk, son);
}

void Banka2::Command7_Click()
{
    dateCheck(ilk2, son2);
}

void Banka2::dateCheck(QDateEdit *first, QDateEdit *last)
{
    if (first->date() > last->date()) {
        pv::MsgBox(QStringLiteral("İlk Tarih Son Tarihten Gün Olarak Büyük "), pv::vbExclamation, Caption());
        first->setFocus();
        return;
    }
    if (Data1->Recordset().RecordCount() == 0) {
        first->setFocus();
        enable(btnSil, false);
    } else {
        enable(btnSil, true);
    }
    btnYetki_Click();
}

// ---------------------------------------------------------------- posting

void Banka2::openEntry(QAction *item)
{
    const auto kind = pv::ledger::bankKindFromCaption(item->text());
    if (!kind)
        return;
    const pv::ledger::BankKindInfo &k = pv::ledger::bankKind(*kind);
    const bool customer = k.needsCustomer();
    txtIslem2 = k.menuCaption;
    txtIslem = k.stored;
    frmBankaEkle->show();
    frmBankaEkle->raise();
    frmBankaEkle->setCaption(k.stored + QStringLiteral(" (Yeni)"));
    for (QWidget *w : std::initializer_list<QWidget *>{Label1, xpText4, btnSec})
        w->setVisible(customer);
    const double amountTop = customer ? 2880 : 2280;
    const double buttonTop = customer ? 3600 : 3120;
    ui::moveTo(Label18, 1800, amountTop);
    ui::moveTo(xpText6, 3120, amountTop);
    ui::moveTo(btnVazgec, 2520, buttonTop);
    ui::moveTo(btnOnay, 4320, buttonTop);
    frmBankaEkle->setHeight(customer ? 4335 : 3855);
    xpText1->setDate(pv::Clock::today());
    xpText2->setText(pv::timeText(pv::Clock::time()));
    enable(btnOnay, !customer);
    btnNoVer_Click();
    xpText5->setFocus();
}

void Banka2::btnNoVer_Click()
{
    // Read fresh: the cash book may have used a number since this window opened.
    // An unreadable counter offers no number: one made up would be posted and become the counter.
    QString why;
    const auto number = pv::ledger::offerReceiptNumber(m_db, &why);
    xpText3->setText(m_reads.check(why) && number ? QString::number(*number) : QString());
}

void Banka2::btnSec_Click()
{
    frmmusteri->show();
    frmmusteri->raise();
}

void Banka2::Command9_Click()
{
    Data7->setRecordSource(
        QStringLiteral("select * from musteriler where mus_kodu like ? ORDER BY MusteriFirma ASC"),
        {pv::startsWithPattern(xpText17->text())});
    Data7->Refresh();
}

void Banka2::Command10_Click()
{
    Data7->setRecordSource(
        QStringLiteral("select * from musteriler where MusteriFirma like ? ORDER BY MusteriFirma ASC"),
        {pv::startsWithPattern(VxpText4->text())});
    Data7->Refresh();
}

void Banka2::btnCariSec_Click()
{
    pv::Recordset &rs = Data7->Recordset();
    if (!rs.hasCurrent())
        return;
    mkodu = rs.Fields(QStringLiteral("mus_kodu")).text();
    pv::showFromStart(xpText4, rs.Fields(QStringLiteral("MusteriFirma")).text());
    frmmusteri->hide();
    xpText17->clear();
    VxpText4->clear();
    if (frmBankaEkle->isVisible()) {
        // The same customer picked again leaves the name as it was: confirm all the same.
        if (const auto kind = pv::ledger::bankKindFromCaption(txtIslem2.text());
            kind && pv::ledger::bankKind(*kind).needsCustomer())
            enable(btnOnay, true);
        xpText6->setFocus();
    }
}

void Banka2::btnCariVazgec_Click()
{
    frmmusteri->hide();
    xpText17->clear();
    VxpText4->clear();
}

void Banka2::xpText6_LostFocus()
{
    ui::formatMoneyBox(xpText6, pv::kMoneyParens);
}

void Banka2::btnOnay_Click()
{
    const auto kind = pv::ledger::bankKindFromCaption(txtIslem2.text());
    if (kind) {
        double amount = 0;
        if (!ui::readAmount(xpText6, &amount, QStringLiteral("Tutarı Girin.")))
            return;
        pv::ledger::BankMovement m;
        m.account = Banka_Kodu.text();
        m.kind = *kind;
        m.date = xpText1->date();
        m.time = pv::parseTime(xpText2->text()).value_or(QTime());
        m.receiptNo = xpText3->text();
        m.description = xpText5->text();
        m.amount = amount;
        m.customer = pv::ledger::bankKind(*kind).needsCustomer() ? mkodu.text() : QString();
        m.postedOn = pv::Clock::today();
        const pv::ledger::Result r = pv::ledger::postBankMovement(m_db, m);
        if (!r) {
            pv::MsgBox(QStringLiteral("Banka hareketi kaydedilemedi; hiçbir kayıt değiştirilmedi.\n") +
                           r.reason,
                       pv::vbCritical, QStringLiteral("Hata"));
            return;
        }
        resetEntry();
        m_reads.tellAgain();
        topla1_Click();
    }
    Command1_Click();
}

void Banka2::resetEntry()
{
    frmBankaEkle->hide();
    xpText1->setDate(pv::Clock::today());
    xpText2->setText(pv::timeText(pv::Clock::time()));
    for (QLineEdit *b : {xpText3, xpText4, xpText5, xpText6})
        b->clear();
}

void Banka2::btnVazgec_Click()
{
    resetEntry();
}

// ---------------------------------------------------------------- queries

void Banka2::xpCombo2_Click()
{
    const int i = xpCombo2->currentIndex();
    frm2Tarih->setVisible(i == 0);
    frmIslemNo->setVisible(i == 1);
    frmIslemTur->setVisible(i == 2);
    frmGS->hide();
}

void Banka2::xpCombo3_Click()
{
    const int i = xpCombo3->currentIndex();
    if (i >= 0 && i < int(kSorts.size()))
        txtSirala = kSorts.at(std::size_t(i)).second;
    xpCombo5_Click();
}

void Banka2::xpCombo5_Click()
{
    txtSirala2 = xpCombo5->currentIndex() == 1 ? QStringLiteral("desc") : QStringLiteral("asc");
    // The direction holds for every column of the choice: "Tarih / Saat" descending is
    // the latest day first and, within it, the latest time first.
    QStringList columns = txtSirala.text().split(QLatin1Char(','));
    for (QString &c : columns)
        c += QLatin1Char(' ') + txtSirala2.text();
    txtSirala3 = columns.join(QLatin1Char(','));
}

void Banka2::xpCombo1_Click()
{
    const int i = xpCombo1->currentIndex();
    btn2Tarih3->setVisible(i == 0);
    btn2Tarih2->setVisible(i == 1);
    btn2Tarih1->setVisible(i == 2);
}

void Banka2::xpCombo6_Click()
{
    turkopyatxt = xpCombo6->currentText();
}

void Banka2::xpCombo4_Click()
{
    const int i = xpCombo4->currentIndex();
    btnGS1->setVisible(i == 0);
    btnGS2->setVisible(i == 1);
    btnGS3->setVisible(i == 2);
}

QString Banka2::scopeCondition(int scope, bool fromRange) const
{
    // The range buttons count 3 all, 2 money in, 1 money out; the general ones 1, 2, 3.
    const int in = 2, out = fromRange ? 1 : 3;
    if (scope == in)
        return QStringLiteral(" And Cikan is null");
    if (scope == out)
        return QStringLiteral(" And Giren is null");
    return {};
}

void Banka2::runQuery(const QString &sql, const QVariantList &params, bool totals)
{
    Data1->setRecordSource(sql, params);
    m_reads.tellAgain();
    m_reads.check(*Data1, Data1->Refresh());
    if (totals)
        topla1_Click();
}

void Banka2::btn2Tarih_Click(int scope)
{
    runQuery(kListSql + scopeCondition(scope, true) + kRangeSql + txtSirala3.text(),
             {Banka_Kodu.text(), pv::dateKey(ilk->date()), pv::dateKey(son->date())}, true);
}

void Banka2::btnIslemNo_Click()
{
    runQuery(kListSql + QStringLiteral(" And islemNo like ?"),
             {Banka_Kodu.text(), pv::startsWithPattern(xpText14->text())}, false);
}

void Banka2::btnIslemTur1_Click()
{
    runQuery(kListSql + QStringLiteral(" And Turu = ?") + kRangeSql + txtSirala3.text(),
             {Banka_Kodu.text(), turkopyatxt.text(), pv::dateKey(ilk2->date()), pv::dateKey(son2->date())},
             true);
}

void Banka2::btnGS_Click(int scope)
{
    runQuery(kListSql + scopeCondition(scope, false) + QStringLiteral(" ORDER BY ") + txtSirala3.text(),
             {Banka_Kodu.text()}, true);
}
