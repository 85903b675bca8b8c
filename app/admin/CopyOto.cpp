#include "app/admin/CopyOto.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QDir>
#include <QLineEdit>
#include <QScreen>

CopyOto::CopyOto()
{
    setObjectName(QStringLiteral("CopyOto"));
    ui::loadForm(this, {PV_FORM_MEMBER(yedeklefrm), PV_FORM_MEMBER(Destinationpath), PV_FORM_MEMBER(Copy),
                        PV_FORM_MEMBER(ProgressBar)});

    Data3 = new pv::DataControl(this);
    Data3->setObjectName(QStringLiteral("Data3"));
    pv::bindField(*Data3, txtSurucu, QStringLiteral("oto_yedek"));
}

void CopyOto::Form_Load()
{
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    Filepath = QDir::toNativeSeparators(pv::databasePath());
}

void CopyOto::Form_Activate()
{
    // Runs once: the window copies as soon as it is up and then closes.
    if (m_copied)
        return;
    m_copied = true;
    Data3->setDatabaseName(pv::databasePath());
    Data3->setRecordSource(QStringLiteral("dgrayr"));
    Data3->Refresh();
    Destinationpath->setText(ui::backupFolder(txtSurucu) + ui::backupFileName());
    Data3->close();
    Copy_Click();
}

qint64 CopyOto::copyFile(const QString &source, const QString &destination)
{
    return ui::copyDatabase(source, destination, QStringLiteral("Bilgi"), ProgressBar, ui::CopyKind::Backup);
}

void CopyOto::Copy_Click()
{
    const qint64 n = copyFile(Filepath, Destinationpath->text());
    ProgressBar->setValue(n > 0 ? 100 : 0);
    if (n > 0)
        pv::MsgBox(Destinationpath->text() + QStringLiteral("\n\n Klasörüne Yedeklendi."), pv::vbInformation,
                   QStringLiteral("BİLGİ"));
    pv::Unload(this);
}

void exitWithAutomaticBackup(const QString &switchText, QWidget *owner)
{
    if (ui::switchIsOn(switchText))
        pv::form<CopyOto>().Show(pv::Form::Modal, owner);
    pv::endProgram();
}
