#include "app/shell/frmAlert.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Clock.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QListWidget>
#include <QScreen>

frmAlert::frmAlert()
{
    setObjectName(QStringLiteral("frmAlert"));
    ui::loadForm(this, {PV_FORM_MEMBER(List1), PV_FORM_MEMBER(Check1), PV_FORM_MEMBER(btnMail),
                        PV_FORM_MEMBER(btnSMS), PV_FORM_MEMBER(Button1)});

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    ui::bindField(Data1, &Text1, QStringLiteral("show"));
    Text1.onChange(this, [this] { Text1_Change(); });
}

QString frmAlert::makerAddress()
{
    return QStringLiteral("www.brennavik.com");
}

void frmAlert::Form_Load()
{
    pv::Database db;
    if (!db.open(pv::databasePath()))
        return;
    // The date also as its stored text, which reads much faster than the date value.
    pv::Recordset rs(db,
                     QStringLiteral("SELECT MusteriFirma, Sonislem, Sonislem || '' AS son FROM musteriler"));
    if (!rs.isOpen() || rs.RecordCount() == 0)
        return;
    const QDate today = pv::Clock::today();
    for (int row = 0; row < rs.RecordCount(); ++row) {
        int days = 0;
        const QDate last = ui::quickDate(rs.valueAt(row, 2).toString());
        // A row without a readable date has no count; it is left out, the rest goes on.
        if (!(last.isValid() ? ui::daysBetween(last, today, &days)
                             : ui::daysSince(rs, row, 1, today, &days)) ||
            days < 30)
            continue;
        List1->addItem(rs.textAt(row, 0) + QStringLiteral(" :") + QStringLiteral(" (") +
                       QString::number(days) + QStringLiteral(") Gündür Ödeme Yapmadı"));
    }
    if (QScreen *s = screen()) {
        const QRect area = s->geometry();
        const QRect frame = frameGeometry();
        move(area.right() + 1 - frame.width(), area.bottom() + 1 - frame.height());
    }
}

void frmAlert::Form_Activate()
{
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(QStringLiteral("dgrayr"));
    Data1->Refresh();
}

void frmAlert::Text1_Change()
{
    const auto n = pv::toNumber(Text1.text());
    Check1->setValue(n && *n != 0);
}

void frmAlert::Check1_Click()
{
    Text1 = Check1->Value() ? QStringLiteral("1") : QStringLiteral("0");
    // Stored at once, so the switch holds whatever happens to the window afterwards.
    Data1->UpdateRecord();
}

void frmAlert::btnMail_Click()
{
    pv::MsgBox(QStringLiteral("E-Posta Gönderme özelliği çok yakında aktif olacaktır. Bilgi için: ") +
                   makerAddress(),
               pv::vbOKOnly | pv::vbInformation, QStringLiteral("Bilgi"));
}

void frmAlert::btnSMS_Click()
{
    pv::MsgBox(QStringLiteral("SMS Gönderme özelliği çok yakında aktif olacaktır. Bilgi için: ") +
                   makerAddress(),
               pv::vbOKOnly | pv::vbInformation, QStringLiteral("Bilgi"));
}

void frmAlert::Button1_Click()
{
    pv::Unload(this);
}
