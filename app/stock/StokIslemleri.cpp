#include "app/stock/StokIslemleri.h"

#include "app/ledger/Stock.h"
#include "app/reports/AppReports.h"
#include "app/stock/StokArama.h"
#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/data/DataControl.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDir>
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

StokIslemleri::StokIslemleri(frmProduct &window)
    : QObject(&window), w(window), m_random(unsigned(QDateTime::currentMSecsSinceEpoch()))
{
    build();
}

void StokIslemleri::build()
{
    // ---- stock in and out: placed outside the window until opened
    w.frmStokEkle = ui::panel(&w, "frmStokEkle", 12720, 1920, 4080, 2160, false);
    w.frmStokEkle->hide();
    FrameFendrixon *f = ui::frame(w.frmStokEkle, "StokEkleFrame", 0, 0, 4080, 2160,
                                  QStringLiteral("Stok Girişi / Çıkışı Yap"));
    ui::label(f, "lblStok", 120, 480, 1440, 315, QStringLiteral("Stok Miktarı :"),
              Qt::AlignRight | Qt::AlignVCenter);
    w.xpText2 = ui::textBox(f, "xpText2", 1620, 480, 1680, 315);
    w.xpText2->setReadOnly(true);
    w.xpText2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.xpText2->setStyleSheet(QStringLiteral("color: red;"));
    ui::label(f, "lblMiktar", 120, 900, 1440, 315, QStringLiteral("Miktar :"),
              Qt::AlignRight | Qt::AlignVCenter);
    w.xpText3 = ui::textBox(f, "xpText3", 1620, 900, 1680, 315, QStringLiteral("0"));
    w.xpText3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.btnYukari =
        ui::button(f, "btnYukari", 3360, 900, 300, 315, QStringLiteral("+"), QStringLiteral("Arttır"));
    w.btnAsagi = ui::button(f, "btnAsagi", 3690, 900, 300, 315, QStringLiteral("-"), QStringLiteral("Azalt"));
    w.BvButton5 = ui::button(f, "BvButton5", 120, 1500, 1200, 450, QStringLiteral("Ekle"));
    w.BvButton16 = ui::button(f, "BvButton16", 1410, 1500, 1200, 450, QStringLiteral("Çıkar"));
    w.BvButton3 = ui::button(f, "BvButton3", 2700, 1500, 1260, 450, QStringLiteral("Vazgeç"));
    w.Data1->bind(w.xpText2, QStringLiteral("OnHand"));

    // ---- product codes
    w.mnuBarkodUret = new QMenu(QStringLiteral("Barkod Üret"), &w);
    w.mnuBarkodUret->setObjectName(QStringLiteral("mnuBarkodUret"));
    w.mnuEan13 = w.mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Ean 13)"));
    w.mnuBarkodUret->addSeparator();
    w.mnuEan8 = w.mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Ean 8)"));
    w.mnuBarkodUret->addSeparator();
    w.mnuRas13 = w.mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Rasgele 13)"));
    w.mnuBarkodUret->addSeparator();
    w.mnuRas10 = w.mnuBarkodUret->addAction(QStringLiteral("Barkod Üret (Rasgele 10)"));

    // ---- stock values: the progress panel over the list
    w.Frame1 = ui::panel(&w, "Frame1", 3360, 5400, 6000, 1200);
    w.Frame1->hide();
    QLabel *l1 =
        ui::label(w.Frame1, "Label20", 240, 180, 5520, 375, QStringLiteral("Tutarlar Hesaplanıyor..."));
    QFont bold = l1->font();
    bold.setBold(true);
    l1->setFont(bold);
    ui::label(w.Frame1, "Label21", 240, 660, 4200, 375, QStringLiteral("Lütfen işlem yapmayınız.."));
    w.Text9 = ui::textBox(w.Frame1, "Text9", 4560, 660, 1200, 375, QStringLiteral("0"));
    w.Text9->setReadOnly(true);
    w.Text9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.Timer1 = new pv::Timer(10, false, &w);

    connect(w.btnSec, &BvButton::Click, this, &StokIslemleri::btnSec_Click);
    connect(w.btnYukari, &BvButton::Click, this, &StokIslemleri::btnYukari_Click);
    connect(w.btnAsagi, &BvButton::Click, this, &StokIslemleri::btnAsagi_Click);
    connect(w.BvButton5, &BvButton::Click, this, &StokIslemleri::BvButton5_Click);
    connect(w.BvButton16, &BvButton::Click, this, &StokIslemleri::BvButton16_Click);
    connect(w.BvButton3, &BvButton::Click, this, &StokIslemleri::BvButton3_Click);
    connect(w.barkodver, &BvButton::Click, this, &StokIslemleri::barkodver_Click);
    connect(w.mnuEan13, &QAction::triggered, this, &StokIslemleri::mnuEan13_Click);
    connect(w.mnuEan8, &QAction::triggered, this, &StokIslemleri::mnuEan8_Click);
    connect(w.mnuRas13, &QAction::triggered, this, &StokIslemleri::mnuRas13_Click);
    connect(w.mnuRas10, &QAction::triggered, this, &StokIslemleri::mnuRas10_Click);
    connect(w.btnTutarHesapla, &BvButton::Click, this, &StokIslemleri::btnTutarHesapla_Click);
    connect(w.Timer1, &pv::Timer::tick, this, &StokIslemleri::Timer1_Timer);
    connect(w.btnPrint, &BvButton::Click, this, &StokIslemleri::btnPrint_Click);
}

void StokIslemleri::modeChanged(bool editing)
{
    if (editing)
        w.frmStokEkle->hide();
    ui::setEnabled(w.btnTutarHesapla, !editing);
}

// ---------------------------------------------------------------- stock in and out

void StokIslemleri::btnSec_Click()
{
    ui::showAt(w.frmStokEkle, 8520, 1920);
    w.xpText3->setFocus();
}

void StokIslemleri::btnYukari_Click()
{
    ui::setEnabled(w.btnAsagi, true);
    w.xpText3->setText(pv::plainNumber(numberOf(w.xpText3->text()).value_or(0) + 1));
}

void StokIslemleri::btnAsagi_Click()
{
    const double v = numberOf(w.xpText3->text()).value_or(0);
    w.xpText3->setText(pv::plainNumber(v - 1));
    if (v < 3)
        ui::setEnabled(w.btnAsagi, false);
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
    if (w.editing())
        return;
    double quantity = 0;
    if (!ui::readAmount(w.xpText3, &quantity, emptyMessage, QStringLiteral("Miktar")))
        return;
    pv::Recordset &rs = w.Data1->Recordset();
    const qint64 id = rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
    const pv::ledger::Result r = pv::ledger::changeStock(w.m_db, id, sign * quantity);
    if (!r) {
        pv::MsgBox(QStringLiteral("Stok miktarı kaydedilemedi.\n") + r.reason, pv::vbCritical,
                   ui::kErrorTitle);
        return;
    }
    w.frmStokEkle->hide();
    w.Data1->Refresh();
    w.DBGrid1->viewport()->update();
    // The quantity total follows the new stock at once.
    w.arama->topla2_Click();
    w.xpText3->clear();
    pv::MsgBox(done, pv::vbInformation, QStringLiteral("Bilgi"));
}

void StokIslemleri::BvButton3_Click()
{
    w.frmStokEkle->hide();
    w.xpText3->clear();
}

// ---------------------------------------------------------------- product codes

void StokIslemleri::barkodver_Click()
{
    w.mnuBarkodUret->popup(QCursor::pos());
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
            w.txtPCode->setFocus();
            w.txtPCode->setText(code);
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
    for (QWidget *c : std::initializer_list<QWidget *>{
             w.DBGrid1,   w.cmdFirst,   w.cmdPrev,    w.cmdNext,    w.cmdLast,        w.txtAra,
             w.aramatext, w.aramatext2, w.aramatext3, w.aramatext4, w.aramatext5,     w.aramatext6,
             w.cmdAdd,    w.cmdEdit,    w.cmdDelete,  w.btnSec,     w.BvButton5,      w.BvButton16,
             w.btnPrint,  w.BvButton2,  w.azBTN1,     w.zaBTN1,     w.btnTutarHesapla})
        ui::setEnabled(c, !on);
    if (!on)
        w.btnYetki_Click();
}

void StokIslemleri::btnTutarHesapla_Click()
{
    if (w.editing() || m_walking)
        return;
    // The rows of the list as it stands now, each once.
    pv::Recordset &rs = w.Data1->Recordset();
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
    w.arama->topla2_Click();
    for (int k = 0; k < 4; ++k)
        m_totals[k] = 0;
    if (w.arama->Data6->Recordset().hasCurrent())
        for (int k = 0; k < 4; ++k)
            m_totals[k] = w.arama->Data6->Recordset().Fields(k).value().toDouble();
    m_walking = true;
    rs.MoveFirst();
    w.Frame1->show();
    w.Frame1->raise();
    lockForWalk(true);
    w.Timer1->setEnabled(true);
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
    w.Data1->Recordset().MoveNext();
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
        m_group.isEmpty() ? pv::ledger::Result::success() : m_writeGroup(w.m_db, m_group);
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
    w.Text9->setText(QString::number(numberOf(w.Text9->text()).value_or(0) + 1, 'f', 0));
}

void StokIslemleri::showTotals()
{
    QLineEdit *boxes[] = {w.txtPrice2, w.txtPrice3, w.txtPrice4, w.txtPrice5};
    for (int k = 0; k < 4; ++k)
        boxes[k]->setText(pv::formatMoney(m_totals[k]));
}

void StokIslemleri::endWalk()
{
    w.Frame1->hide();
    w.Timer1->setEnabled(false);
    w.Text9->setText(QStringLiteral("0"));
    m_walking = false;
    m_walk.clear();
    m_group.clear();
    w.Data1->Refresh();
    w.arama->topla2_Click();
    lockForWalk(false);
}

// ---------------------------------------------------------------- report

void StokIslemleri::btnYol_Click()
{
    w.veresiyedllyol2 = QDir::toNativeSeparators(pv::databasePath());
    w.veresiyedllyol4 = w.veresiyedllyol.text() + w.veresiyedllyol2.text() + w.veresiyedllyol3.text();
}

void StokIslemleri::btnPrint_Click()
{
    btnYol_Click();
    pv::registerAppReports();
    pv::Report &r = pv::Reports::get(QStringLiteral("stokraporyazdir"));
    r.item(4013).setConnectionString(w.veresiyedllyol4.text());
    r.item(4013).setSource(kReportSource);
    r.showPreviewModal(&w);
}
