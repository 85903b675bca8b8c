#pragma once
// The movements of one bank account: the list with its queries, the account's totals
// (also stored into its banka row), posting a new movement with its mirror row, deleting
// one, and going back to the account list.
//
//   Banka2 &w = pv::form<Banka2>();
//   w.Banka_Kodu = hesapNo;
//   w.setCaption(hesapTuru + " " + banka);
//   w.txtYetki = rights;
//   connect(&w, &Banka2::goingBack, this, &Banka1::readAccounts);
//   w.Show(pv::Form::Modal);
#include "app/ui/ReadFailures.h"
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class Banka2 : public pv::Form
{
    Q_OBJECT
public:
    Banka2();
    ~Banka2() override;

    void Form_Load() override;
    void Form_Activate() override;

    // ---- hand-off fields
    pv::HandOff Banka_Kodu; // banka.HesapNo of the account shown
    pv::HandOff txtYetki;   // rights level

    // ---- hidden fields
    pv::HandOff txtSirala;      // columns of the order clause
    pv::HandOff txtSirala2;     // "asc" or "desc"
    pv::HandOff txtSirala3;     // the order clause of the range and kind queries
    pv::HandOff turkopyatxt;    // the kind of the kind query
    pv::HandOff txtIslem2;      // posting key: the caption of the picked menu item
    pv::HandOff txtIslem;       // stored kind
    pv::HandOff mkodu;          // the picked customer's number
    pv::HandOff Text22222;      // Data1.Saat: the record lock
    pv::HandOff txtBankaGiren;  // Data6.Giren
    pv::HandOff txtBankaCikan;  // Data6.Cikan
    pv::HandOff txtBankaBakiye; // Data6.Bakiye

    // ---- data sources
    pv::DataControl *Data1 = nullptr; // the movements listed
    pv::DataControl *Data6 = nullptr; // the account row
    pv::DataControl *Data7 = nullptr; // customers of the picker

    // ---- query strip
    QComboBox *xpCombo2 = nullptr;
    QComboBox *xpCombo3 = nullptr;
    QComboBox *xpCombo5 = nullptr;
    FrameFendrixon *frm2Tarih = nullptr;
    QDateEdit *ilk = nullptr;
    QDateEdit *son = nullptr;
    QComboBox *xpCombo1 = nullptr;
    BvButton *btn2Tarih1 = nullptr, *btn2Tarih2 = nullptr, *btn2Tarih3 = nullptr;
    FrameFendrixon *frmIslemNo = nullptr;
    QLineEdit *xpText14 = nullptr;
    FrameFendrixon *frmIslemTur = nullptr;
    QDateEdit *ilk2 = nullptr;
    QDateEdit *son2 = nullptr;
    QComboBox *xpCombo6 = nullptr;
    BvButton *btnIslemTur1 = nullptr;
    FrameFendrixon *frmGS = nullptr;
    QComboBox *xpCombo4 = nullptr;
    BvButton *btnGS1 = nullptr, *btnGS2 = nullptr, *btnGS3 = nullptr;

    // ---- list and totals
    QTableView *DBGrid1 = nullptr;
    QLineEdit *VornXPTextBox2 = nullptr; // "Toplam Giren :"
    QLineEdit *VornXPTextBox3 = nullptr; // "Toplam Çıkan :"
    QLineEdit *VornXPTextBox4 = nullptr; // "Toplam Bakiye :"

    // ---- commands
    BvButton *btnGeri = nullptr;
    BvButton *btnEkle = nullptr;
    BvButton *btnSil = nullptr;
    QMenu *mnuekle = nullptr;
    QAction *mnuGGelir = nullptr, *mnuGGider = nullptr, *mnubankPY = nullptr, *mnubankPC = nullptr,
            *mnubankGlnHE = nullptr, *mnubankGdnHE = nullptr, *mnubankKT = nullptr, *mnubankKO = nullptr;

    // ---- entry panel
    FrameFendrixon *frmBankaEkle = nullptr;
    QDateEdit *xpText1 = nullptr; // date
    QLineEdit *xpText2 = nullptr; // time, read-only
    QLineEdit *xpText3 = nullptr; // receipt number
    BvButton *btnNoVer = nullptr;
    QLineEdit *xpText5 = nullptr; // description
    QLabel *Label1 = nullptr;     // "Cari Hesap :"
    QLineEdit *xpText4 = nullptr; // customer name, read-only
    BvButton *btnSec = nullptr;
    QLabel *Label18 = nullptr;    // "Tutar :"
    QLineEdit *xpText6 = nullptr; // amount
    BvButton *btnVazgec = nullptr;
    BvButton *btnOnay = nullptr;

    // ---- customer picker
    FrameFendrixon *frmmusteri = nullptr;
    QLineEdit *xpText17 = nullptr; // number search
    QLineEdit *VxpText4 = nullptr; // name search
    QTableView *DBGrid6 = nullptr;
    BvButton *btnCariVazgec = nullptr;
    BvButton *btnCariSec = nullptr;

    // ---- handlers
    void Command1_Click(); // re-query
    void topla1_Click();   // totals
    void btnKayitYOksa_Click();
    void btnYetki_Click();
    void Command5_Click(); // date check of ilk/son
    void Command7_Click(); // date check of ilk2/son2
    void openEntry(QAction *item);
    void Command9_Click();  // customers by number
    void Command10_Click(); // customers by name
    void xpText6_LostFocus();
    void xpCombo2_Click();
    void xpCombo3_Click();
    void xpCombo5_Click();
    void xpCombo1_Click();
    void xpCombo6_Click();
    void xpCombo4_Click();
    void btn2Tarih_Click(int scope); // 3 all, 2 money in, 1 money out
    void btnGS_Click(int scope);     // 1 all, 2 money in, 3 money out

public slots: // connected by the form files
    void btnGeri_Click();
    void btnEkle_Click();
    void btnSil_Click();
    void btnNoVer_Click();
    void btnSec_Click();
    void btnCariSec_Click();
    void btnCariVazgec_Click();
    void btnOnay_Click();
    void btnVazgec_Click();
    void btnIslemNo_Click();
    void btnIslemTur1_Click();

signals:
    // "Geri" has stored the account's totals and is leaving: the account list reads again.
    void goingBack();

private:
    void buildControls();
    void buildEntryPanel();
    void buildPicker();
    void resetEntry();
    void dateCheck(QDateEdit *first, QDateEdit *last);
    void runQuery(const QString &sql, const QVariantList &params, bool totals);
    QString scopeCondition(int scope, bool fromRange) const;

    pv::Database m_db;
    pv::DataGridModel *m_model = nullptr;
    pv::DataGridModel *m_customerModel = nullptr;
    ui::ReadFailures m_reads{QStringLiteral("Banka hareketleri okunamadı: ")};
};
