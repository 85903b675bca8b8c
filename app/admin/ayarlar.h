#pragma once
// The settings: the shop's name and logo, the backup folder and the automatic backup, the
// next receipt number and the mail account. Each page is edited and saved on its own.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace pv
{
class DataControl;
}

class ayarlar : public pv::Form
{
    Q_OBJECT
public:
    ayarlar();

    void Form_Load() override;
    // Pages still in edit mode are saved, each as its own " Kaydet" saves it.
    void Form_Unload(int &Cancel) override;

    void Text2_Change(const QString &text);
    void Command1_Click(); // checks the logo path and previews the picture

public slots: // connected by the form files
    void btnEdit_Click();
    void btnSave_Click();
    void vekbutton6_Click();
    void BvButton6_Click();
    void btnEdit2_Click();
    void btnSave2_Click();
    void btnEdit3_Click();
    void btnSave3_Click();
    void BvButton1_Click(); // LOGO YÜKLE
    void BvButton2_Click(); // LOGOYU SİL
    void MyButton7_Click(); // GÖZAT
    void Check1_Click();

public:
    QTabWidget *XTab1 = nullptr;

    FrameFendrixon *Frame1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    BvButton *BvButton1 = nullptr;
    BvButton *BvButton2 = nullptr;
    QFrame *Picture1 = nullptr;
    QLabel *Image2 = nullptr;
    BvButton *btnEdit = nullptr;
    BvButton *btnSave = nullptr;

    FrameFendrixon *Frame2 = nullptr;
    QLineEdit *Destinationpath = nullptr;
    BvButton *MyButton7 = nullptr;
    QCheckBox *Check1 = nullptr;
    pv::HandOff Text2; // oto_yedek_aktif
    BvButton *vekbutton6 = nullptr;
    BvButton *BvButton6 = nullptr;

    FrameFendrixon *Frame3 = nullptr;
    QLineEdit *txtFisNo = nullptr;
    BvButton *btnEdit2 = nullptr;
    BvButton *btnSave2 = nullptr;

    FrameFendrixon *Frame4 = nullptr;
    QLineEdit *txtMailSunucu = nullptr;
    QLineEdit *txtMailKul = nullptr;
    QLineEdit *txtMailSifre = nullptr;
    QLineEdit *txtMailPort = nullptr;
    QCheckBox *Check2 = nullptr;
    BvButton *btnEdit3 = nullptr;
    BvButton *btnSave3 = nullptr;

    pv::DataControl *Data1 = nullptr;
    pv::DataControl *DataFisNo = nullptr;

signals:
    // The name, logo or backup settings were written: the main window re-reads its row.
    void settingsSaved();

private:
    enum Page { Business, Backup, Receipt, Mail };
    enum class Saved { Written, Refused, Failed };
    void setEditing(Page page, bool on);
    void showPage(Page page);
    // The page's check (its own message when it refuses), then its write; a failed write
    // is told by the caller.
    Saved savePage(Page page);
    bool writeFirstRow(pv::DataControl *dc, const QList<std::pair<QString, QString>> &values);
    void saveFailed();
    void checkLogo(bool withMessages);

    bool m_editing[4] = {};
};
