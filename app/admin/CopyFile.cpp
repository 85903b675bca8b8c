#include "app/admin/CopyFile.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"

#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QScreen>

CopyFile::CopyFile()
{
    setObjectName(QStringLiteral("CopyFile"));
    ui::loadForm(this,
                 {PV_FORM_MEMBER(yedeklefrm), PV_FORM_MEMBER(Destinationpath), PV_FORM_MEMBER(MyButton7),
                  PV_FORM_MEMBER(Copy), PV_FORM_MEMBER(VornXPButton3), PV_FORM_MEMBER(yuklefrm),
                  PV_FORM_MEMBER(Filepath), PV_FORM_MEMBER(MyButton3), PV_FORM_MEMBER(Command3),
                  PV_FORM_MEMBER(btnKapat), PV_FORM_MEMBER(VornXPButton4), PV_FORM_MEMBER(geriyuklefrm),
                  PV_FORM_MEMBER(VornXPButton1), PV_FORM_MEMBER(VornXPButton2), PV_FORM_MEMBER(ProgressBar),
                  PV_FORM_MEMBER(FrameFendrixon1)});
    txtAlert.onChange(this, &CopyFile::txtAlert_Change);
}

void CopyFile::openForBackup(const QString &folder, QWidget *owner)
{
    setCaption(QStringLiteral("Yedek Oluşturma İşlemleri"));
    txtSurucu = folder;
    Show(pv::Form::Modal, owner);
}

void CopyFile::openForRestore(const QString &folder)
{
    txtAlert = QStringLiteral("11");
    txtSurucu = folder;
    setCaption(QStringLiteral("Yedekten Geri Yükleme İşlemleri"));
    geriyuklefrm->setVisible(true);
    Show(pv::Form::Modeless);
}

void CopyFile::Form_Load()
{
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    m_driveRoot = QDir(QDir::currentPath()).rootPath();
    Filepath->setText(QDir::toNativeSeparators(pv::databasePath()));
}

void CopyFile::Form_Activate()
{
    // A restore keeps the paths the user picked; only a backup gets a fresh name.
    if (!m_restoreMode)
        Destinationpath->setText(ui::backupFolder(txtSurucu) + ui::backupFileName());
}

void CopyFile::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    // Once a restore was offered, every way out goes through the start-up and the login.
    if (m_restoreMode) {
        Hide();
        emit restoreLeft();
    }
}

qint64 CopyFile::copyFile(const QString &source, const QString &destination)
{
    return ui::copyDatabase(source, destination, QStringLiteral("Dikkat"), ProgressBar,
                            m_restoreMode ? ui::CopyKind::Restore : ui::CopyKind::Backup);
}

void CopyFile::txtAlert_Change(const QString &text)
{
    if (text == QLatin1String("11"))
        Command1_Click();
}

void CopyFile::Command1_Click()
{
    m_restoreMode = true;
    Destinationpath->clear();
    Filepath->clear();
    Filepath->setVisible(true);
    yedeklefrm->setVisible(false);
    yuklefrm->setVisible(true);
    ProgressBar->setVisible(false);
}

void CopyFile::MyButton7_Click()
{
    const QString folder = pv::pickFolder(QStringLiteral("Yedeklenecek Klasörü Seçin"), this);
    if (folder.isEmpty())
        return;
    Destinationpath->setText(ui::withTrailingSeparator(folder) + ui::backupFileName());
}

void CopyFile::Copy_Click()
{
    if (Destinationpath->text().isEmpty()) {
        Destinationpath->setText(QDir::toNativeSeparators(m_driveRoot + QStringLiteral("data.ydk")));
        pv::MsgBox(QStringLiteral("Yedeklenecek Klasörü Seçiniz."), pv::vbCritical,
                   QStringLiteral("DİKKAT!"));
        return;
    }
    // A bare file name goes into the backup folder, and the message names where it went.
    Destinationpath->setText(ui::backupTarget(Destinationpath->text(), txtSurucu));
    const qint64 n = copyFile(Filepath->text(), Destinationpath->text());
    ProgressBar->setValue(n > 0 ? 100 : 0);
    if (n > 0)
        pv::MsgBox(Destinationpath->text() + QStringLiteral("  KLASÖRÜNE DOSYA YEDEKLENDİ"),
                   pv::vbInformation, QStringLiteral("BİLGİ"));
}

void CopyFile::VornXPButton3_Click()
{
    pv::Unload(this);
}

void CopyFile::VornXPButton1_Click()
{
    ProgressBar->setVisible(true);
    geriyuklefrm->setVisible(false);
    // The database file is about to be replaced: nothing else may hold it.
    ui::unloadOtherForms(this);
}

void CopyFile::VornXPButton2_Click()
{
    pv::Unload(this);
}

void CopyFile::MyButton3_Click()
{
    const QString picked = pv::pickOpenFile(QStringLiteral("Veri Tabanı Dosyası"),
                                            QStringLiteral("Pelvanor Yedek Dosyası (*.YDK)|*.YDK|"), this,
                                            ui::backupFolder(txtSurucu));
    if (picked.isEmpty())
        return;
    Filepath->setText(QDir::toNativeSeparators(picked));
    Destinationpath->setText(QDir::toNativeSeparators(pv::databasePath()));
    Command3->setEnabled(true);
}

void CopyFile::Command3_Click()
{
    btnKapat->setVisible(false);
    VornXPButton4->setVisible(true);
    ui::unloadOtherForms(this);
    const qint64 n = copyFile(QDir::fromNativeSeparators(Filepath->text()),
                              QDir::fromNativeSeparators(Destinationpath->text()));
    ProgressBar->setValue(n > 0 ? 100 : 0);
    if (n <= 0) {
        // Nothing was replaced: the user may pick another file or leave.
        VornXPButton4->setVisible(false);
        btnKapat->setVisible(true);
        return;
    }
    // The restored file is this program's database from now on: no other start may take it
    // while the message waits.
    pv::holdDatabaseFile();
    pv::MsgBox(Destinationpath->text() + QStringLiteral("\n\nYedek dosyasından yükleme yapıldı."),
               pv::vbInformation, QStringLiteral("BİLGİ"));
    Command3->setEnabled(false);
    pv::Unload(this);
}

void CopyFile::btnKapat_Click()
{
    pv::Unload(this);
}

void CopyFile::VornXPButton4_Click()
{
    pv::Unload(this);
}
