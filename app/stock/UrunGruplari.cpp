#include "app/stock/UrunGruplari.h"

#include "app/ledger/Stock.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/FormLoader.h"
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

void listNames(QTableView *g, pv::DataControl *dc, const QString &caption, const QString &field)
{
    auto *m = new pv::DataGridModel(dc, {{caption, field, 3600}}, g);
    m->attach(g, [](int twips) { return pv::twipsToPixels(twips); });
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
}

} // namespace

UrunGruplari::UrunGruplari(QWidget &card, pv::DataControl &Data4, pv::DataControl &Data2, pv::Database &db)
    : QObject(&card), m_categories(Data4), m_suppliers(Data2), m_db(db)
{
    build(card);
}

void UrunGruplari::build(QWidget &card)
{
    // Both panels lie outside the window until opened.
    ui::loadForm(&card, QStringLiteral("frmProduct.UrunGruplari"), this,
                 {PV_FORM_MEMBER(urunmarkafrm), PV_FORM_MEMBER(DBGrid2), PV_FORM_MEMBER(MyButton2),
                  PV_FORM_MEMBER(MyButton1), PV_FORM_MEMBER(vekbutton6), PV_FORM_MEMBER(urunmarkafrm2),
                  PV_FORM_MEMBER(Text1), PV_FORM_MEMBER(ekles), PV_FORM_MEMBER(reyonfrm),
                  PV_FORM_MEMBER(DBGrid3), PV_FORM_MEMBER(vekbutton4), PV_FORM_MEMBER(vekbutton2),
                  PV_FORM_MEMBER(vekbutton5), PV_FORM_MEMBER(xpFrame3), PV_FORM_MEMBER(Text2),
                  PV_FORM_MEMBER(ekle2)});
    listNames(DBGrid2, &m_categories, QStringLiteral("KATEGORİLER"), QStringLiteral("urunmarkaadi"));
    listNames(DBGrid3, &m_suppliers, QStringLiteral("TEDARİKÇİ FİRMALAR"), QStringLiteral("reyon"));
    // The add panels' captions close them by their own "X" (pushed to the right end by
    // blanks, in a hair smaller type): no collapse button over it. Set once their controls
    // are made, the header is drawn over them.
    urunmarkafrm2->setButton(false);
    xpFrame3->setButton(false);
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
