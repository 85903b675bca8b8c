#pragma once
// The shop's bank accounts: the list with the totals each account row keeps, searching
// and sorting it, adding, viewing, editing and deleting an account, and the way into the
// movements of one account.
//
//   pv::form<Banka1>().txtYetki = rights; // "0" full rights, "1" cashier
//   pv::form<Banka1>().Show();            // modeless
#include "app/ui/ReadFailures.h"
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class Banka1 : public pv::Form
{
    Q_OBJECT
public:
    Banka1();
    ~Banka1() override;

    void Form_Load() override;
    void Form_Activate() override;

    // ---- hand-off and hidden fields
    pv::HandOff txtYetki;    // rights level
    pv::HandOff txtSirala;   // sort column
    pv::HandOff txtSirala2;  // "asc" or "desc"
    pv::HandOff txtSirala3;  // the order clause of every search
    pv::HandOff txtBankaSil; // Data4.Giren
    pv::HandOff Text22222;   // Data4.Banka: the record lock

    // ---- list; the movements window re-reads it when it goes back
    pv::DataControl *Data4 = nullptr;
    void readAccounts(); // Data4 read again; a failure is told
    QTableView *DBGrid1 = nullptr;

    // ---- account panel
    FrameFendrixon *frmBankaEkle = nullptr;
    QLineEdit *xpText1 = nullptr, *xpText2 = nullptr, *xpText3 = nullptr, *xpText4 = nullptr,
              *xpText5 = nullptr;
    QLineEdit *xpText1d = nullptr, *xpText2d = nullptr, *xpText3d = nullptr, *xpText4d = nullptr,
              *xpText5d = nullptr;
    BvButton *btnOnay = nullptr;
    BvButton *btnDuzEdit = nullptr;
    BvButton *btnDuzKaydet = nullptr;
    BvButton *BvButton7 = nullptr;    // adding " Vazgeç"
    BvButton *btnDuzVazgec = nullptr; // editing " Vazgeç"

    // ---- search and sort
    QComboBox *xpCombo2 = nullptr;
    FrameFendrixon *frmB = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *xpText14 = nullptr;
    BvButton *btnaAra1 = nullptr, *btnaAra2 = nullptr, *btnaAra3 = nullptr;
    QComboBox *xpCombo3 = nullptr;
    QComboBox *xpCombo5 = nullptr;

    // ---- commands
    BvButton *btnBankEkle = nullptr;
    BvButton *btnBankEdit = nullptr;
    BvButton *btnBankSil = nullptr;
    BvButton *btnHrktAc = nullptr;
    BvButton *kptBtn = nullptr;

    // ---- handlers
    void btnKayitYOksa_Click();
    void btnYetki_Click();
    void xpCombo2_Click();
    void xpCombo3_Click();
    void xpCombo5_Click();
    void btnaAra_Click(int which);
    void BankaKaydet();
    void DBGrid1_DblClick();

public slots: // connected by the form file
    void btnBankEkle_Click();
    void btnOnay_Click();
    void BvButton7_Click();
    void btnBankEdit_Click();
    void btnDuzEdit_Click();
    void btnDuzKaydet_Click();
    void btnDuzVazgec_Click();
    void btnBankSil_Click();
    void btnHrktAc_Click();
    void kptBtn_Click();

private:
    void buildControls();
    void leaveAccountPanel();
    void showBoundBoxes(bool on);
    qint64 currentId();

    pv::Database m_db;
    pv::DataGridModel *m_model = nullptr;
    ui::ReadFailures m_reads{QStringLiteral("Banka hesapları okunamadı: ")};
};
