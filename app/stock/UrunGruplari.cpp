#include "app/stock/UrunGruplari.h"

#include "app/ledger/Stock.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/MsgBox.h"

#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

// What differs between the two panels.
struct UrunGruplari::Kind {
    pv::DataControl *data;
    QTableView *grid;
    void (UrunGruplari::*changed)(); // the signal that the names changed
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

UrunGruplari::UrunGruplari(QWidget &card, pv::DataControl &Data4, pv::DataControl &Data2, pv::Database &db)
    : QObject(&card), m_categories(Data4), m_suppliers(Data2), m_db(db)
{
    build(card);
}

void UrunGruplari::build(QWidget &card)
{
    urunmarkafrm = panel(&card, "urunmarkafrm");
    FrameFendrixon *h1 =
        ui::frame(urunmarkafrm, "urunmarkabaslik", 0, 0, 4200, 4200, QStringLiteral("Ürün Kategorisi Ekle"));
    DBGrid2 =
        grid(h1, "DBGrid2", &m_categories, QStringLiteral("KATEGORİLER"), QStringLiteral("urunmarkaadi"));
    MyButton2 = ui::button(h1, "MyButton2", 60, 3660, 1080, 450, QStringLiteral(" Ekle"));
    MyButton1 = ui::button(h1, "MyButton1", 1185, 3660, 1740, 450, QStringLiteral("Seçili Kaydı Sil"));
    vekbutton6 = ui::button(h1, "vekbutton6", 2970, 3660, 1050, 450, QStringLiteral(" Kapat"));
    urunmarkafrm2 =
        ui::frame(h1, "urunmarkafrm2", 0, 3240, 4200, 960,
                  QStringLiteral("Ürün Markası Ekle") + QString(49, QLatin1Char(' ')) + QStringLiteral("X"));
    Text1 = ui::textBox(urunmarkafrm2, "Text1", 120, 480, 2760, 330);
    ekles = ui::button(urunmarkafrm2, "ekles", 2940, 450, 1020, 390, QStringLiteral("Ekle"));
    // The caption's own "X" closes it; no collapse button over it.
    urunmarkafrm2->setButton(false);
    // The blanks push the "X" to the right end; a hair smaller type keeps it inside.
    QFont small = urunmarkafrm2->Font();
    small.setPointSizeF(7.5);
    urunmarkafrm2->setFont(small);
    urunmarkafrm2->hide();

    reyonfrm = panel(&card, "reyonfrm");
    FrameFendrixon *h2 =
        ui::frame(reyonfrm, "reyonbaslik", 0, 0, 4200, 4200, QStringLiteral("Tedarikçi Firma Ekle"));
    DBGrid3 =
        grid(h2, "DBGrid3", &m_suppliers, QStringLiteral("TEDARİKÇİ FİRMALAR"), QStringLiteral("reyon"));
    vekbutton4 = ui::button(h2, "vekbutton4", 60, 3660, 1080, 450, QStringLiteral(" Ekle"));
    vekbutton2 = ui::button(h2, "vekbutton2", 1185, 3660, 1740, 450, QStringLiteral("Seçili Kaydı Sil"));
    vekbutton5 = ui::button(h2, "vekbutton5", 2970, 3660, 1050, 450, QStringLiteral(" Kapat"));
    xpFrame3 = ui::frame(h2, "xpFrame3", 0, 3240, 4200, 960, QStringLiteral("Tedarikçi Firma Ekle"));
    Text2 = ui::textBox(xpFrame3, "Text2", 120, 480, 2760, 330);
    ekle2 = ui::button(xpFrame3, "ekle2", 2940, 450, 1020, 390, QStringLiteral("Ekle"));
    xpFrame3->setButton(false);
    xpFrame3->hide();

    connect(MyButton2, &BvButton::Click, this, &UrunGruplari::MyButton2_Click);
    connect(vekbutton4, &BvButton::Click, this, &UrunGruplari::vekbutton4_Click);
    connect(ekles, &BvButton::Click, this, &UrunGruplari::ekles_Click);
    connect(ekle2, &BvButton::Click, this, &UrunGruplari::ekle2_Click);
    connect(urunmarkafrm2, &FrameFendrixon::Click, this, &UrunGruplari::urunmarkafrm2_Click);
    connect(MyButton1, &BvButton::Click, this, &UrunGruplari::MyButton1_Click);
    connect(vekbutton2, &BvButton::Click, this, &UrunGruplari::vekbutton2_Click);
    connect(vekbutton6, &BvButton::Click, this, &UrunGruplari::vekbutton6_Click);
    connect(vekbutton5, &BvButton::Click, this, &UrunGruplari::vekbutton5_Click);
}

void UrunGruplari::MyButton7_Click()
{
    ui::showAt(urunmarkafrm, 8520, 720);
}

void UrunGruplari::btnTdrkEkle_Click()
{
    ui::showAt(reyonfrm, 8520, 720);
}

void UrunGruplari::MyButton2_Click()
{
    DBGrid2->setEnabled(false);
    urunmarkafrm2->show();
    Text1->clear();
    Text1->setFocus();
}

void UrunGruplari::vekbutton4_Click()
{
    DBGrid3->setEnabled(false);
    xpFrame3->show();
    Text2->clear();
}

void UrunGruplari::save(const Kind &k)
{
    if (k.name->text().trimmed().isEmpty()) {
        ui::refuse(k.name, k.blank);
        return;
    }
    const pv::ledger::Result r = k.add(m_db, k.name->text());
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
        emit(this->*k.changed)();
    k.addPanel->hide();
    k.grid->setEnabled(true);
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
    const pv::ledger::Result r = k.drop(m_db, rs.Fields(QStringLiteral("id")).value().toLongLong());
    if (!r) {
        pv::MsgBox(k.notDeleted + QLatin1Char('\n') + r.reason, pv::vbCritical, ui::kErrorTitle);
        return;
    }
    k.data->Refresh();
    k.data->Recordset().MoveLast();
    emit(this->*k.changed)();
}

UrunGruplari::Kind UrunGruplari::categories() const
{
    return {&m_categories,
            DBGrid2,
            &UrunGruplari::categoriesChanged,
            urunmarkafrm2,
            Text1,
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
    return {&m_suppliers,
            DBGrid3,
            &UrunGruplari::suppliersChanged,
            xpFrame3,
            Text2,
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
    urunmarkafrm2->setButton(false);
    // The blanks push the "X" to the right end; a hair smaller type keeps it inside.
    QFont small = urunmarkafrm2->Font();
    small.setPointSizeF(7.5);
    urunmarkafrm2->setFont(small);
    urunmarkafrm2->hide();
    DBGrid2->setEnabled(true);
}

void UrunGruplari::vekbutton6_Click()
{
    urunmarkafrm->hide();
}
void UrunGruplari::vekbutton5_Click()
{
    reyonfrm->hide();
}
