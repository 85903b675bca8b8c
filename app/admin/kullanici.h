#pragma once
// The user accounts: who may log in, with which password and rights level.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class kullanici : public pv::Form
{
    Q_OBJECT
public:
    kullanici();

    void Form_Load() override;
    void Form_Activate() override;

    void Check1_Click();
    void Check2_Click();
    void xpCombo1_Click();
    void xpCombo2_Click();
    void Command1_Click(); // the delete button follows the list

public slots:               // connected by the form file
    void MyButton2_Click(); // Ekle
    void ekles_Click();     // the add panel's Kaydet
    void BvButton4_Click(); // the add panel's Kapat
    void BvButton1_Click(); // Düzenle
    void BvButton2_Click(); // the edit panel's Kaydet
    void BvButton3_Click(); // the edit panel's Kapat
    void MyButton1_Click(); // Seçili Kaydı Sil
    void kapat_Click();

public:
    QTableView *DBGrid2 = nullptr;
    BvButton *MyButton2 = nullptr;
    BvButton *BvButton1 = nullptr;
    BvButton *MyButton1 = nullptr;
    BvButton *kapat = nullptr;

    FrameFendrixon *xpFrame1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QComboBox *xpCombo1 = nullptr;
    QCheckBox *Check1 = nullptr;
    BvButton *ekles = nullptr;
    BvButton *BvButton4 = nullptr;

    FrameFendrixon *xpFrame2 = nullptr;
    QLineEdit *xpText1 = nullptr;
    QLineEdit *xpText2 = nullptr;
    QComboBox *xpCombo2 = nullptr;
    QCheckBox *Check2 = nullptr;
    BvButton *BvButton2 = nullptr;
    BvButton *BvButton3 = nullptr;

    pv::DataControl *Data1 = nullptr;
    pv::DataGridModel *DBGrid2Model = nullptr;

    pv::HandOff Text3{QStringLiteral("0")}; // rights level of the user being added
    pv::HandOff Text4{QStringLiteral("0")}; // rights level of the user being edited
    pv::HandOff Text11111;                  // Username of the current row

private:
    void showList();
    void requery();
    bool isLastFullRightsUser(const QString &userType);
};
