#include "app/stock/StokIslemleri.h"

#include "app/ledger/Stock.h"
#include "app/reports/AppReports.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

namespace
{

const QString kReportSource = QStringLiteral("SELECT * FROM Product ORDER BY [Brand Name],[Product Code]");

// Prefixes of the random thirteen-digit codes, in their fixed order.
const char *const kPrefixes13[] = {"4032", "4128", "4250", "4312", "4421", "4539", "4556", "4673", "4722",
                                   "4800", "4933", "5083", "5128", "5242", "5343", "5463", "5595", "5694",
                                   "5722", "6411", "8434", "7293", "2313", "3431", "2445", "1178"};
const char *const kPrefixes8[] = {"81", "82", "83", "84", "85", "86", "87", "88"};

// The walk writes what it computed every so many products or milliseconds: one synced
// commit per product made a long list take minutes.
constexpr qsizetype kGroupProducts = 500;
constexpr qint64 kGroupMs = 250;

std::optional<double> numberOf(const QString &text)
{
    return pv::toNumber(text);
}

} // namespace

StokIslemleri::StokIslemleri(QWidget &card, pv::DataControl &Data1, pv::Database &db, Hooks hooks)
    : QObject(&card), m_card(card), m_list(Data1), m_db(db), m_hooks(std::move(hooks)),
      m_random(unsigned(QDateTime::currentMSecsSinceEpoch()))
{
    build(card);
}

void StokIslemleri::build(QWidget &card)
{
    // ---- stock in and out: placed outside the window until opened
    frmStokEkle = ui::panel(&card, "frmStokEkle", 12720, 1920, 4080, 2160, false);
    frmStokEkle->hide();
    FrameFendrixon *f =
        ui::frame(frmStokEkle, "StokEkleFrame", 0, 0, 4080, 2160, QStringLiteral("Stok Girişi / Çıkışı Yap"));
    ui::label(f, "lblStok", 120, 480, 1440, 315, QStringLiteral("Stok Miktarı :"),
              Qt::AlignRight | Qt::AlignVCenter);
    xpText2 = ui::textBox(f, "xpText2", 1620, 480, 1680, 315);
    xpText2->setReadOnly(true);
    xpText2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    xpText2->setStyleSheet(QStringLiteral("color: red;"));
    ui::label(f, "lblMiktar", 120, 900, 1440, 315, QStringLiteral("Miktar :"),
              Qt::AlignRight | Qt::AlignVCenter);
    xpText3 = ui::textBox(f, "xpText3", 1620, 900, 1680, 315, QStringLiteral("0"));
    xpText3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnYukari =
        ui::button(f, "btnYukari", 3360, 900, 300, 315, QStringLiteral("+"), QStringLiteral("Arttır"));
    btnAsagi = ui::button(f, "btnAsagi", 3690, 900, 300, 315, QStringLiteral("-"), QStringLiteral("Azalt"));
    BvButton5 = ui::button(f, "BvButton5", 120, 1500, 1200, 450, QStringLiteral("Ekle"));
    BvButton16 = ui::button(f, "BvButton16", 1410, 1500, 1200, 450, QStringLiteral("Çıkar"));
    BvButton3 = ui::button(f, "BvButton3", 2700, 1500, 1260, 450, QStringLiteral("Vazgeç"));
    m_list.bind(xpText2, QStringLiteral("OnHand"));

    // ---- product codes
    mnuBarkodUret = new QMenu(QStringLiteral("Barkod Üret"), &card);
    mnuBarkodUret->setObjectName(QStringLiteral("mnuBarkodUret"));
    mnuEan13 = mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Ean 13)"));
    mnuBarkodUret->addSeparator();
    mnuEan8 = mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Ean 8)"));
    mnuBarkodUret->addSeparator();
    mnuRas13 = mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Rasgele 13)"));
    mnuBarkodUret->addSeparator();
    mnuRas10 = mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Rasgele 10)"));

    // ---- stock values: the progress panel over the list
    Frame1 = ui::panel(&card, "Frame1", 3360, 5400, 6000, 1200);
    Frame1->hide();
    QLabel *l1 =
        ui::label(Frame1, "Label20", 240, 180, 5520, 375, QStringLiteral("Tutarlar Hesaplanıyor..."));
    QFont bold = l1->font();
    bold.setBold(true);
    l1->setFont(bold);
    ui::label(Frame1, "Label21", 240, 660, 4200, 375, QStringLiteral("Lütfen işlem yapmayınız.."));
    Text9 = ui::textBox(Frame1, "Text9", 4560, 660, 1200, 375, QStringLiteral("0"));
    Text9->setReadOnly(true);
    Text9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Timer1 = new pv::Timer(10, false, &card);

    connect(btnYukari, &BvButton::Click, this, &StokIslemleri::btnYukari_Click);
    connect(btnAsagi, &BvButton::Click, this, &StokIslemleri::btnAsagi_Click);
    connect(BvButton5, &BvButton::Click, this, &StokIslemleri::BvButton5_Click);
    connect(BvButton16, &BvButton::Click, this, &StokIslemleri::BvButton16_Click);
    connect(BvButton3, &BvButton::Click, this, &StokIslemleri::BvButton3_Click);
    connect(mnuEan13, &QAction::triggered, this, &StokIslemleri::mnuEan13_Click);
    connect(mnuEan8, &QAction::triggered, this, &StokIslemleri::mnuEan8_Click);
    connect(mnuRas13, &QAction::triggered, this, &StokIslemleri::mnuRas13_Click);
    connect(mnuRas10, &QAction::triggered, this, &StokIslemleri::mnuRas10_Click);
    connect(Timer1, &pv::Timer::tick, this, &StokIslemleri::Timer1_Timer);
}

void StokIslemleri::modeChanged(bool editing)
{
    if (editing)
        frmStokEkle->hide();
}

// ---------------------------------------------------------------- stock in and out

void StokIslemleri::btnSec_Click()
{
    ui::showAt(frmStokEkle, 8520, 1920);
    xpText3->setFocus();
}

void StokIslemleri::btnYukari_Click()
{
    ui::setEnabled(btnAsagi, true);
    xpText3->setText(pv::plainNumber(numberOf(xpText3->text()).value_or(0) + 1));
}

void StokIslemleri::btnAsagi_Click()
{
    const double v = numberOf(xpText3->text()).value_or(0);
    xpText3->setText(pv::plainNumber(v - 1));
    if (v < 3)
        ui::setEnabled(btnAsagi, false);
}

void StokIslemleri::BvButton5_Click()
{
    changeStock(1, QStringLiteral("Eklenecek Miktarı Yazın"), QStringLiteral("Miktar Eklendi."));
}

void StokIslemleri::BvButton16_Click()
{
    changeStock(-1, QStringLiteral("Çıkarılacak Miktarı Yazın"), QStringLiteral("Miktar Çıkarıldı."));
}

void StokIslemleri::changeStock(int sign, const QString &emptyMessage, const QString &done)
{
    // The panel closes in edit mode; its re-read would drop the pending product.
    if (m_hooks.editing())
        return;
    double quantity = 0;
    if (!ui::readAmount(xpText3, &quantity, emptyMessage, QStringLiteral("Miktar")))
        return;
    pv::Recordset &rs = m_list.Recordset();
    const qint64 id = rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
    const pv::ledger::Result r = pv::ledger::changeStock(m_db, id, sign * quantity);
    if (!r) {
        pv::MsgBox(QStringLiteral("Stok miktarı kaydedilemedi.\n") + r.reason, pv::vbCritical,
                   ui::kErrorTitle);
        return;
    }
    frmStokEkle->hide();
    m_list.Refresh();
    m_hooks.redrawList();
    // The quantity total follows the new stock at once.
    m_hooks.totals();
    xpText3->clear();
    pv::MsgBox(done, pv::vbInformation, QStringLiteral("Bilgi"));
}

void StokIslemleri::BvButton3_Click()
{
    frmStokEkle->hide();
    xpText3->clear();
}

// ---------------------------------------------------------------- product codes

void StokIslemleri::barkodver_Click()
{
    mnuBarkodUret->popup(QCursor::pos());
}

void StokIslemleri::mnuEan13_Click()
{
    GenType = 2;
    cmdGenerate_Click();
}

void StokIslemleri::mnuEan8_Click()
{
    GenType = 3;
    cmdGenerate_Click();
}

void StokIslemleri::mnuRas13_Click()
{
    GenType = 1;
    cmdGenerate_Click();
}

void StokIslemleri::mnuRas10_Click()
{
    GenType = 4;
    cmdGenerate_Click();
}

void StokIslemleri::cmdGenerate_Click()
{
    std::uniform_real_distribution<double> r(0.0, 1.0);
    int length = 0;
    switch (GenType) {
    case 1:
        length = 13;
        break;
    case 2:
        length = 12;
        break;
    case 3:
        length = 8;
        break;
    case 4:
        length = 10;
        break;
    default:
        return;
    }
    // Every attempt draws a new prefix and new digits; about one in ten passes.
    for (;;) {
        QString code;
        switch (GenType) {
        case 1:
            code = QLatin1String(kPrefixes13[int(r(m_random) * 26)]);
            break;
        case 2:
            code = QStringLiteral("392");
            break;
        case 3:
            code = QLatin1String(kPrefixes8[int(r(m_random) * 8)]);
            break;
        case 4:
            code = QStringLiteral("352103");
            break;
        }
        while (code.size() < length)
            code += QChar(u'0' + int(r(m_random) * 9 + 1));
        if (CheckCard(code)) {
            m_hooks.codeMade(code);
            return;
        }
    }
}

bool StokIslemleri::CheckCard(const QString &code)
{
    int sum = 0;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        int v = c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0;
        if ((i + 1) % 2 == 0) {
            v *= 2;
            if (v > 9)
                v -= 9;
        }
        sum += v;
    }
    return sum % 10 == 0;
}

// ---------------------------------------------------------------- stock values

void StokIslemleri::lockForWalk(bool on)
{
    m_hooks.lock(on);
    for (QWidget *c : {BvButton5, BvButton16})
        ui::setEnabled(c, !on);
}

void StokIslemleri::btnTutarHesapla_Click()
{
    if (m_hooks.editing() || m_walking)
        return;
    // The rows of the list as it stands now, each once.
    pv::Recordset &rs = m_list.Recordset();
    if (rs.RecordCount() == 0)
        return;
    const char *priceFields[] = {"Price", "SatisFiyati", "SatisFiyati2", "SatisFiyati3"};
    const char *valueFields[] = {"AlisFiyatiTopTut", "SatisFiyatiTopTut", "SatisFiyati2TopTut",
                                 "SatisFiyati3TopTut"};
    const int id = rs.fieldIndex(QStringLiteral("id"));
    const int stock = rs.fieldIndex(QStringLiteral("OnHand"));
    const int unit = rs.fieldIndex(QStringLiteral("Unit"));
    int prices[4], values[4];
    for (int k = 0; k < 4; ++k) {
        prices[k] = rs.fieldIndex(QLatin1String(priceFields[k]));
        values[k] = rs.fieldIndex(QLatin1String(valueFields[k]));
    }
    m_walk.clear();
    m_walk.reserve(size_t(rs.RecordCount()));
    for (int row = 0; row < rs.RecordCount(); ++row) {
        WalkRow wr;
        wr.id = rs.valueAt(row, id).toLongLong();
        wr.stock = numberOf(rs.textAt(row, stock));
        wr.unit = rs.textAt(row, unit);
        for (int k = 0; k < 4; ++k) {
            wr.prices[k] = numberOf(rs.textAt(row, prices[k]));
            wr.stored[k] = rs.valueAt(row, values[k]).toDouble();
        }
        m_walk.push_back(wr);
    }
    m_next = 0;
    m_group.clear();
    m_sinceWrite.start();
    // The totals start from the table's sums and follow each row written.
    m_totals = m_hooks.totals().value_or(Sums{});
    m_walking = true;
    rs.MoveFirst();
    Frame1->show();
    Frame1->raise();
    lockForWalk(true);
    Timer1->setEnabled(true);
}

void StokIslemleri::Timer1_Timer()
{
    if (m_next >= m_walk.size()) {
        if (writeGroup())
            endWalk();
        return;
    }
    const WalkRow &row = m_walk[m_next];
    // A price counts with the decimals the card shows for the product's unit.
    const QString format = pv::priceFormatForUnit(row.unit);
    pv::ledger::ProductStockValues computed{row.id, {}};
    pv::ledger::StockValues &v = computed.values;
    std::optional<double> *out[] = {&v.alis, &v.satis1, &v.satis2, &v.satis3};
    for (int k = 0; k < 4; ++k) {
        if (!row.stock || !row.prices[k])
            continue;
        const double shown =
            numberOf(pv::Format(pv::plainNumber(*row.prices[k]), format)).value_or(*row.prices[k]);
        *out[k] = *row.stock * shown;
    }
    for (int k = 0; k < 4; ++k)
        if (*out[k])
            m_totals[k] += **out[k] - row.stored[k];
    m_group.append(computed);
    ++m_next;
    m_list.Recordset().MoveNext();
    Command9_Click();
    showTotals();
    if (m_group.size() >= kGroupProducts || m_sinceWrite.hasExpired(kGroupMs))
        writeGroup();
}

// Writes the values gathered since the last group in one transaction. A group that fails
// is written not at all: the walk stops and says so.
bool StokIslemleri::writeGroup()
{
    const pv::ledger::Result r =
        m_group.isEmpty() ? pv::ledger::Result::success() : m_writeGroup(m_db, m_group);
    m_group.clear();
    m_sinceWrite.restart();
    if (r)
        return true;
    endWalk();
    pv::MsgBox(QStringLiteral("Stok değerleri kaydedilemedi.\n") + r.reason, pv::vbCritical, ui::kErrorTitle);
    return false;
}

void StokIslemleri::stopWalk()
{
    if (m_walking && writeGroup())
        endWalk();
}

void StokIslemleri::Command9_Click()
{
    Text9->setText(QString::number(numberOf(Text9->text()).value_or(0) + 1, 'f', 0));
}

void StokIslemleri::showTotals()
{
    m_hooks.showTotals(m_totals);
}

void StokIslemleri::endWalk()
{
    Frame1->hide();
    Timer1->setEnabled(false);
    Text9->setText(QStringLiteral("0"));
    m_walking = false;
    m_walk.clear();
    m_group.clear();
    m_list.Refresh();
    m_hooks.totals();
    lockForWalk(false);
}

// ---------------------------------------------------------------- report

void StokIslemleri::btnPrint_Click()
{
    pv::registerAppReports();
    pv::Report &r = pv::Reports::get(QStringLiteral("stokraporyazdir"));
    r.item(4013).setDatabase(m_db);
    r.item(4013).setSource(kReportSource);
    r.showPreviewModal(&m_card);
}
