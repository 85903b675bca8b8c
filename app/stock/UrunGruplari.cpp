#include "app/stock/UrunGruplari.h"

#include "app/ledger/Stock.h"
#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/DataControl.h"
#include "platform/data/DataGridModel.h"
#include "platform/forms/MsgBox.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

// What differs between the two panels.
struct UrunGruplari::Kind {
    pv::DataControl *data;
    QTableView *grid;
    QComboBox *list;             // the card's drop-down of these names
    pv::DataControl *searchData; // the search's own list of them, if any
    QComboBox *searchList;
    QWidget *addPanel;
    QLineEdit *name;
    QString field;
    QString saved;
    QString blank;
    QString notSaved;
    QString notDeleted;
    pv::ledger::Result (*add)(pv::Database &, const QString &);
    pv::ledger::Result (*drop)(pv::Database &, qint64);
};

namespace
{

// Placed outside the window until opened.
QFrame *panel(QWidget *parent, const char *name)
{
    QFrame *f = ui::panel(parent, name, 12720, 720, 4200, 4200, false);
    f->hide();
    return f;
}

QTableView *grid(QWidget *parent, const char *name, pv::DataControl *dc, const QString &caption,
                 const QString &field)
{
    auto *g = new QTableView(parent);
    g->setObjectName(QLatin1String(name));
    ui::place(g, 60, 360, 4080, 3180);
    auto *m = new pv::DataGridModel(dc, {{caption, field, 3600}}, g);
    m->attach(g, [](int twips) { return pv::twipsToPixels(twips); });
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}

} // namespace

UrunGruplari::UrunGruplari(frmProduct &window) : QObject(&window), w(window)
{
    build();
}

void UrunGruplari::build()
{
    w.urunmarkafrm = panel(&w, "urunmarkafrm");
    FrameFendrixon *h1 = ui::frame(w.urunmarkafrm, "urunmarkabaslik", 0, 0, 4200, 4200,
                                   QStringLiteral("Ürün Kategorisi Ekle"));
    w.DBGrid2 = grid(h1, "DBGrid2", w.Data4, QStringLiteral("KATEGORİLER"), QStringLiteral("urunmarkaadi"));
    w.MyButton2 = ui::button(h1, "MyButton2", 60, 3660, 1080, 450, QStringLiteral(" Ekle"));
    w.MyButton1 = ui::button(h1, "MyButton1", 1185, 3660, 1740, 450, QStringLiteral("Seçili Kaydı Sil"));
    w.vekbutton6 = ui::button(h1, "vekbutton6", 2970, 3660, 1050, 450, QStringLiteral(" Kapat"));
    w.urunmarkafrm2 =
        ui::frame(h1, "urunmarkafrm2", 0, 3240, 4200, 960,
                  QStringLiteral("Ürün Markası Ekle") + QString(49, QLatin1Char(' ')) + QStringLiteral("X"));
    w.Text1 = ui::textBox(w.urunmarkafrm2, "Text1", 120, 480, 2760, 330);
    w.ekles = ui::button(w.urunmarkafrm2, "ekles", 2940, 450, 1020, 390, QStringLiteral("Ekle"));
    // The caption's own "X" closes it; no collapse button over it.
    w.urunmarkafrm2->setButton(false);
    // The blanks push the "X" to the right end; a hair smaller type keeps it inside.
    QFont small = w.urunmarkafrm2->Font();
    small.setPointSizeF(7.5);
    w.urunmarkafrm2->setFont(small);
    w.urunmarkafrm2->hide();

    w.reyonfrm = panel(&w, "reyonfrm");
    FrameFendrixon *h2 =
        ui::frame(w.reyonfrm, "reyonbaslik", 0, 0, 4200, 4200, QStringLiteral("Tedarikçi Firma Ekle"));
    w.DBGrid3 = grid(h2, "DBGrid3", w.Data2, QStringLiteral("TEDARİKÇİ FİRMALAR"), QStringLiteral("reyon"));
    w.vekbutton4 = ui::button(h2, "vekbutton4", 60, 3660, 1080, 450, QStringLiteral(" Ekle"));
    w.vekbutton2 = ui::button(h2, "vekbutton2", 1185, 3660, 1740, 450, QStringLiteral("Seçili Kaydı Sil"));
    w.vekbutton5 = ui::button(h2, "vekbutton5", 2970, 3660, 1050, 450, QStringLiteral(" Kapat"));
    w.xpFrame3 = ui::frame(h2, "xpFrame3", 0, 3240, 4200, 960, QStringLiteral("Tedarikçi Firma Ekle"));
    w.Text2 = ui::textBox(w.xpFrame3, "Text2", 120, 480, 2760, 330);
    w.ekle2 = ui::button(w.xpFrame3, "ekle2", 2940, 450, 1020, 390, QStringLiteral("Ekle"));
    w.xpFrame3->setButton(false);
    w.xpFrame3->hide();

    connect(w.MyButton7, &BvButton::Click, this, &UrunGruplari::MyButton7_Click);
    connect(w.btnTdrkEkle, &BvButton::Click, this, &UrunGruplari::btnTdrkEkle_Click);
    connect(w.MyButton2, &BvButton::Click, this, &UrunGruplari::MyButton2_Click);
    connect(w.vekbutton4, &BvButton::Click, this, &UrunGruplari::vekbutton4_Click);
    connect(w.ekles, &BvButton::Click, this, &UrunGruplari::ekles_Click);
    connect(w.ekle2, &BvButton::Click, this, &UrunGruplari::ekle2_Click);
    connect(w.urunmarkafrm2, &FrameFendrixon::Click, this, &UrunGruplari::urunmarkafrm2_Click);
    connect(w.MyButton1, &BvButton::Click, this, &UrunGruplari::MyButton1_Click);
    connect(w.vekbutton2, &BvButton::Click, this, &UrunGruplari::vekbutton2_Click);
    connect(w.vekbutton6, &BvButton::Click, this, &UrunGruplari::vekbutton6_Click);
    connect(w.vekbutton5, &BvButton::Click, this, &UrunGruplari::vekbutton5_Click);
}

void UrunGruplari::MyButton7_Click()
{
    ui::showAt(w.urunmarkafrm, 8520, 720);
}

void UrunGruplari::btnTdrkEkle_Click()
{
    ui::showAt(w.reyonfrm, 8520, 720);
}

void UrunGruplari::MyButton2_Click()
{
    w.DBGrid2->setEnabled(false);
    w.urunmarkafrm2->show();
    w.Text1->clear();
    w.Text1->setFocus();
}

void UrunGruplari::vekbutton4_Click()
{
    w.DBGrid3->setEnabled(false);
    w.xpFrame3->show();
    w.Text2->clear();
}

void UrunGruplari::save(const Kind &k)
{
    if (k.name->text().trimmed().isEmpty()) {
        ui::refuse(k.name, k.blank);
        return;
    }
    const pv::ledger::Result r = k.add(w.m_db, k.name->text());
    if (r)
        pv::MsgBox(k.saved, pv::vbInformation, QStringLiteral("Bilgi"));
    else if (r.reason == pv::ledger::kDuplicateName)
        pv::MsgBox(r.reason, pv::vbInformation, QStringLiteral("Dikkat"));
    else {
        // The name stays for another try.
        pv::MsgBox(k.notSaved + QLatin1Char('\n') + r.reason, pv::vbCritical, ui::kErrorTitle);
        return;
    }
    k.data->Refresh();
    if (r)
        refill(k);
    k.addPanel->hide();
    k.grid->setEnabled(true);
}

// A name added or deleted is offered, or no longer, at once: the product being typed can
// take a category made for it.
void UrunGruplari::refill(const Kind &k)
{
    w.fillList(k.data, k.field, k.list);
    if (k.searchData && k.searchData->Refresh())
        w.fillList(k.searchData, k.field, k.searchList);
}

void UrunGruplari::remove(const Kind &k)
{
    pv::Recordset &rs = k.data->Recordset();
    if (!rs.hasCurrent())
        return;
    const QString name = rs.Fields(k.field).text();
    if (pv::MsgBox(name + QStringLiteral("\r\rBU KAYDI SİLMEK İSTEDİĞİNİZDEN EMİN MİSİNİZ?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    const pv::ledger::Result r = k.drop(w.m_db, rs.Fields(QStringLiteral("id")).value().toLongLong());
    if (!r) {
        pv::MsgBox(k.notDeleted + QLatin1Char('\n') + r.reason, pv::vbCritical, ui::kErrorTitle);
        return;
    }
    k.data->Refresh();
    k.data->Recordset().MoveLast();
    refill(k);
}

UrunGruplari::Kind UrunGruplari::categories() const
{
    return {w.Data4,
            w.DBGrid2,
            w.cboGName,
            w.Data5,
            w.aramatext3,
            w.urunmarkafrm2,
            w.Text1,
            QStringLiteral("urunmarkaadi"),
            QStringLiteral("Ürün Markası Kaydedildi. "),
            QStringLiteral("Kategori Adını Yazın"),
            QStringLiteral("Kategori kaydedilemedi."),
            QStringLiteral("Kategori silinemedi."),
            &pv::ledger::addCategory,
            &pv::ledger::deleteCategory};
}

UrunGruplari::Kind UrunGruplari::suppliers() const
{
    return {w.Data2,
            w.DBGrid3,
            w.cboLocation,
            nullptr,
            nullptr,
            w.xpFrame3,
            w.Text2,
            QStringLiteral("reyon"),
            QStringLiteral("Tedarikçi Firma Kaydedildi. "),
            QStringLiteral("Tedarikçi Firma Adını Yazın"),
            QStringLiteral("Tedarikçi firma kaydedilemedi."),
            QStringLiteral("Tedarikçi firma silinemedi."),
            &pv::ledger::addSupplier,
            &pv::ledger::deleteSupplier};
}

void UrunGruplari::ekles_Click()
{
    save(categories());
}
void UrunGruplari::ekle2_Click()
{
    save(suppliers());
}
void UrunGruplari::MyButton1_Click()
{
    remove(categories());
}
void UrunGruplari::vekbutton2_Click()
{
    remove(suppliers());
}

void UrunGruplari::urunmarkafrm2_Click()
{
    // The caption's own "X" closes it; no collapse button over it.
    w.urunmarkafrm2->setButton(false);
    // The blanks push the "X" to the right end; a hair smaller type keeps it inside.
    QFont small = w.urunmarkafrm2->Font();
    small.setPointSizeF(7.5);
    w.urunmarkafrm2->setFont(small);
    w.urunmarkafrm2->hide();
    w.DBGrid2->setEnabled(true);
}

void UrunGruplari::vekbutton6_Click()
{
    w.urunmarkafrm->hide();
}
void UrunGruplari::vekbutton5_Click()
{
    w.reyonfrm->hide();
}
