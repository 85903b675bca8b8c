#pragma once
// The customer card: a new account of table musteriler, its number drawn from the counter
// son_musterino, the customer groups, a picture path, and the similar names already kept.
//
// The main window opens it modally after writing its rights level:
//
//   pv::form<musteriekle>().txtYetki = rights;   // "0" or "1", passed on to the account window
//   pv::form<musteriekle>().Show(pv::Form::Modal);
//
// With " Müşteri Hesabını Aç" pressed, a saved customer's account window opens at once.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QString>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class musteriekle : public pv::Form
{
    Q_OBJECT
public:
    musteriekle();
    ~musteriekle() override;

    void Form_Load() override;
    void Form_Activate() override;

    // ---- hand-off and hidden fields
    pv::HandOff txtYetki;                      // rights level, only passed on
    pv::HandOff txtHsbAc{QStringLiteral("0")}; // "1": open the account after saving
    pv::HandOff Text1a;                        // son_musterino.musterino as stored
    pv::HandOff Text1b{QStringLiteral("1")};   // the step of the proposal
    pv::HandOff Text1c;                        // the number written to the counter by the last save

    // ---- data sources
    pv::DataControl *Data1 = nullptr; // musteriler: the similar records
    pv::DataControl *Data2 = nullptr; // son_musterino
    pv::DataControl *Data3 = nullptr; // Musteri_Gruplari

    // ---- card
    QLabel *Image1 = nullptr;          // background; the pointer over it hides the similar records
    QLineEdit *xpText1 = nullptr;      // customer number
    QComboBox *xpCombo1 = nullptr;     // account type
    BvButton *BvButton1 = nullptr;     // "?"
    QComboBox *xpCombo2 = nullptr;     // group
    BvButton *btnGrupEkle = nullptr;   // "Ekle"
    QLineEdit *xpText2 = nullptr;      // name
    QLineEdit *xpText10 = nullptr;     // contact
    QLineEdit *xpText3 = nullptr;      // telephone
    QLineEdit *xpText8 = nullptr;      // fax
    QLineEdit *xpText9 = nullptr;      // mobile
    QPlainTextEdit *xpText4 = nullptr; // address
    QLineEdit *xpText5 = nullptr;      // tax office
    QLineEdit *xpText6 = nullptr;      // tax number
    QLineEdit *xpText7 = nullptr;      // e-mail
    BvButton *btnHesapAc = nullptr;    // " Müşteri Hesabını Aç"
    QComboBox *xpCombo3 = nullptr;     // currency
    QLabel *Image2 = nullptr;          // the picture
    BvButton *BvButton3 = nullptr;     // "Resim Yükle"
    BvButton *BvButton2 = nullptr;     // "Resmi Sil"
    QLineEdit *txtFoto = nullptr;      // picture path
    BvButton *kaydet = nullptr;        // "Kaydet"
    BvButton *MyButton6 = nullptr;     // "Vazgeç"

    // ---- similar records
    FrameFendrixon *Frame1s = nullptr;
    QTableView *DBGrid2 = nullptr;

    // ---- account-type help
    FrameFendrixon *FrameFendrixon1 = nullptr;
    BvButton *VornXPButton7 = nullptr; // " Kapat"

    // ---- groups
    QFrame *Frame1 = nullptr;
    FrameFendrixon *FrameFendrixon2 = nullptr;
    QTableView *DBGrid1 = nullptr;
    QLineEdit *xpText11 = nullptr;
    BvButton *btnEkle = nullptr;  // " Ekle"
    BvButton *btnSil = nullptr;   // "Seçili Kaydı Sil"
    BvButton *btnKapat = nullptr; // " Kapat"

    // ---- procedures
    void topla_Click();
    void btnAra_Click();
    void Command1_Click();
    void birimgrup();
    void GrupEkle();
    void KaydetForm();

public slots: // connected by the form file
    void kaydet_Click();
    void MyButton6_Click();
    void BvButton1_Click();
    void VornXPButton7_Click();
    void btnGrupEkle_Click();
    void btnEkle_Click();
    void btnSil_Click();
    void btnKapat_Click();
    void cp_Click();
    void btnHesapAc_Click();
    void BvButton3_Click(); // also a click on the picture
    void BvButton2_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void openAccount(const QString &number, const QString &name, const QString &type);

    pv::DataGridModel *m_similarModel = nullptr;
    pv::DataGridModel *m_groupModel = nullptr;
    bool m_focused = false;
    bool m_counterUnread = false; // told once, until the counter reads again
};
