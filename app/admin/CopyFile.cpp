#include "app/admin/CopyFile.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
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
    setCaption(QStringLiteral("Yedek Oluşturma / Geri Yükleme"));
    setClientSizeTwips(7320, 5280);
    setFixedSize(size());

    yedeklefrm = ui::frame(this, "yedeklefrm", 120, 120, 7080, 1935, QStringLiteral("Yedek Oluşturma"));
    ui::label(yedeklefrm, "Label1", 120, 420, 2400, 285, QStringLiteral("Yedeklenecek Klasör :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    Destinationpath = ui::textBox(yedeklefrm, "Destinationpath", 120, 720, 6240, 330);
    MyButton7 = ui::button(yedeklefrm, "MyButton7", 6420, 720, 540, 330, QStringLiteral("..."),
                           QStringLiteral("GÖZAT"), {{"ToolTipType", int(BrennavikBtn::TooltipBalloon)}});
    Copy = ui::button(yedeklefrm, "Copy", 4380, 1260, 1215, 495, QStringLiteral("Yedekle"));
    VornXPButton3 = ui::button(yedeklefrm, "VornXPButton3", 5700, 1260, 1215, 495, QStringLiteral("İptal"));

    yuklefrm = ui::frame(this, "yuklefrm", 120, 120, 7080, 1935, QStringLiteral("Yedekten Geri Yükleme"));
    ui::label(yuklefrm, "Label2", 120, 420, 2400, 285, QStringLiteral("Yüklenecek Veri Tabanı :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    Filepath = ui::textBox(yuklefrm, "Filepath", 120, 720, 6240, 330);
    MyButton3 = ui::button(yuklefrm, "MyButton3", 6420, 720, 540, 330, QStringLiteral("..."),
                           QStringLiteral("GÖZAT"), {{"ToolTipType", int(BrennavikBtn::TooltipBalloon)}});
    Command3 = ui::button(yuklefrm, "Command3", 4380, 1260, 1215, 495, QStringLiteral("Geri Yükle"));
    Command3->setEnabled(false);
    btnKapat = ui::button(yuklefrm, "btnKapat", 5700, 1260, 1215, 495, QStringLiteral(" Kapat"));
    VornXPButton4 = ui::button(yuklefrm, "VornXPButton4", 5700, 1260, 1215, 495, QStringLiteral("İptal"));
    VornXPButton4->setVisible(false);
    yuklefrm->setVisible(false);

    geriyuklefrm = new QFrame(this);
    geriyuklefrm->setObjectName(QStringLiteral("geriyuklefrm"));
    geriyuklefrm->setFrameShape(QFrame::Panel);
    geriyuklefrm->setAutoFillBackground(true);
    ui::place(geriyuklefrm, 120, 120, 7080, 1935);
    auto *q = ui::label(geriyuklefrm, "Label3", 120, 120, 6840, 285,
                        QStringLiteral("Yedek dosyasını geri yüklemek istiyor musunuz?"),
                        Qt::AlignLeft | Qt::AlignVCenter, true);
    QFont bold = q->font();
    bold.setBold(true);
    q->setFont(bold);
    ui::label(geriyuklefrm, "Label4", 120, 480, 6840, 720,
              QStringLiteral("Bu işlem programdaki mevcut verilerinizi silecek ve yedek almış olduğunuz "
                             "dosyadaki tüm verileri geri yükleyecektir."),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    VornXPButton1 = ui::button(geriyuklefrm, "VornXPButton1", 4380, 1320, 1215, 495, QStringLiteral("EVET"));
    VornXPButton2 = ui::button(geriyuklefrm, "VornXPButton2", 5700, 1320, 1215, 495, QStringLiteral("HAYIR"));
    geriyuklefrm->setVisible(false);

    ProgressBar = ui::progressBar(this, "ProgressBar", 120, 2160, 7080, 375);

    FrameFendrixon1 = ui::frame(this, "FrameFendrixon1", 120, 2640, 7080, 2520, QStringLiteral("UYARI !!!"));
    ui::label(
        FrameFendrixon1, "Label5", 120, 420, 6840, 960,
        QStringLiteral("Programınızı daha verimli kullanabilmek ve elektrik kesintilerinden kaynaklanan "
                       "veri kayıplarını önlemek için bilgisayarınızda mutlaka güç kaynağı kullanmanız "
                       "önerilir."),
        Qt::AlignLeft | Qt::AlignVCenter, true);
    ui::label(FrameFendrixon1, "Label6", 120, 1440, 6840, 960,
              QStringLiteral("İşletim sistemi, donanım hatası, veri silinmesi yada elektrik kesintilerinden "
                             "kaynaklanan veri ve bilgi kayıplarından firmamız sorumlu değildir."),
              Qt::AlignLeft | Qt::AlignVCenter, true);

    connect(MyButton7, &BvButton::Click, this, &CopyFile::MyButton7_Click);
    connect(Copy, &BvButton::Click, this, &CopyFile::Copy_Click);
    connect(VornXPButton3, &BvButton::Click, this, &CopyFile::VornXPButton3_Click);
    connect(VornXPButton1, &BvButton::Click, this, &CopyFile::VornXPButton1_Click);
    connect(VornXPButton2, &BvButton::Click, this, &CopyFile::VornXPButton2_Click);
    connect(MyButton3, &BvButton::Click, this, &CopyFile::MyButton3_Click);
    connect(Command3, &BvButton::Click, this, &CopyFile::Command3_Click);
    connect(btnKapat, &BvButton::Click, this, &CopyFile::btnKapat_Click);
    connect(VornXPButton4, &BvButton::Click, this, &CopyFile::VornXPButton4_Click);
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
