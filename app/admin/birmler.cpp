#include "app/admin/birmler.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

birmler::birmler()
{
    setObjectName(QStringLiteral("birmler"));
    ui::loadForm(this, {PV_FORM_MEMBER(DBGrid1), PV_FORM_MEMBER(xpText1), PV_FORM_MEMBER(btnEkle),
                        PV_FORM_MEMBER(btnSil), PV_FORM_MEMBER(btnKapat)});

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    DBGrid1Model =
        new pv::DataGridModel(Data1, {{QStringLiteral("Birimler"), QStringLiteral("birimadi"), 2900}}, this);
    DBGrid1Model->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    DBGrid1->verticalHeader()->setVisible(false);
}

void birmler::Form_Load()
{
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(QStringLiteral("select * from birimler order by birimadi asc"));
    Data1->Refresh();
}

void birmler::btnEkle_Click()
{
    if (xpText1->text().isEmpty()) {
        pv::MsgBox(QStringLiteral("Birimi Yazın"), pv::vbExclamation, QStringLiteral("Dikkat!!"));
        xpText1->setFocus();
        return;
    }
    BirimEkle();
}

void birmler::BirimEkle()
{
    pv::Recordset &rs = Data1->Recordset();
    bool ok = rs.AddNew();
    if (ok) {
        rs.Fields(0) = xpText1->text();
        ok = rs.Update();
    }
    if (!ok) {
        // The typed unit stays in the box so it can be corrected.
        const int number = rs.lastError().number;
        rs.CancelUpdate();
        pv::MsgBox(number == pv::DbError::DuplicateKey
                       ? QStringLiteral("Bu kayıt Mevcut")
                       : QStringLiteral("Birim kaydedilemedi. Lütfen tekrar deneyin."),
                   pv::vbExclamation, QStringLiteral("Dikkat!!"));
        xpText1->setFocus();
        return;
    }
    const QString added = xpText1->text();
    Data1->Refresh();
    Data1->Recordset().FindFirst(QStringLiteral("birimadi = ?"), {added});
    xpText1->clear();
}

void birmler::btnSil_Click()
{
    if (pv::MsgBox(QStringLiteral("Seçmiş olduğunuz Birim silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    if (Data1->Recordset().hasCurrent())
        Data1->Recordset().Delete();
    Data1->Refresh();
}

void birmler::btnKapat_Click()
{
    pv::Unload(this);
}
