#pragma once
// The manual backup of the database file and the restore of a backup over it. The main
// window opens it through openForBackup or openForRestore, which hand over the backup
// folder (txtSurucu) and, for a restore, "11" in txtAlert; leaving a restore is told by
// restoreLeft, as the start-up belongs to the program's shell.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QFrame;
class QLabel;
class QLineEdit;
class QuorvelXPProgressBar;

class CopyFile : public pv::Form
{
    Q_OBJECT
public:
    CopyFile();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int &Cancel) override;

    // ---- openers
    // Modal over owner, for a backup into `folder`.
    void openForBackup(const QString &folder, QWidget *owner);
    // Modeless, with the restore question asked first.
    void openForRestore(const QString &folder);

    // Copies source over destination; the bytes copied, 0 when nothing was.
    qint64 copyFile(const QString &source, const QString &destination);

    void Command1_Click(); // switches to restore mode

public slots: // connected by the form file
    void MyButton7_Click();
    void Copy_Click();
    void VornXPButton3_Click();
    void VornXPButton1_Click(); // EVET
    void VornXPButton2_Click(); // HAYIR
    void MyButton3_Click();
    void Command3_Click(); // Geri Yükle
    void btnKapat_Click();
    void VornXPButton4_Click();

public:
    bool restoreMode() const { return m_restoreMode; }
    FrameFendrixon *yedeklefrm = nullptr;
    QLineEdit *Destinationpath = nullptr;
    BvButton *MyButton7 = nullptr;
    BvButton *Copy = nullptr;
    BvButton *VornXPButton3 = nullptr;

    FrameFendrixon *yuklefrm = nullptr;
    QLineEdit *Filepath = nullptr;
    BvButton *MyButton3 = nullptr;
    BvButton *Command3 = nullptr;
    BvButton *btnKapat = nullptr;
    BvButton *VornXPButton4 = nullptr;

    QFrame *geriyuklefrm = nullptr;
    BvButton *VornXPButton1 = nullptr;
    BvButton *VornXPButton2 = nullptr;

    FrameFendrixon *FrameFendrixon1 = nullptr;
    QuorvelXPProgressBar *ProgressBar = nullptr;

    pv::HandOff txtAlert;
    pv::HandOff txtSurucu;

signals:
    // Once a restore was offered, the window was left: the program starts again.
    void restoreLeft();

private:
    void txtAlert_Change(const QString &text);
    QString m_driveRoot;
    bool m_restoreMode = false;
};
