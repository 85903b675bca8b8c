#pragma once
// The cash book: the rows of table kasa within a date range, the carried balance of the
// whole book, the money-in and money-out entry panels, the delete confirmation and the
// totals and print panel.
//
// Only the main window opens it: it touches txtYetki (which loads the window), writes the
// rights level and shows it modeless; the activation that follows lists the range and
// applies the level.
//
//   pv::form<kasa>().txtYetki = txtYetki.text();
//   pv::form<kasa>().Show();
#include "app/ui/ReadFailures.h"
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class kasa : public pv::Form
{
    Q_OBJECT
public:
    kasa();
    ~kasa() override;

    void Form_Load() override;
    void Form_Activate() override;

    // ---- hand-off and hidden fields
    pv::HandOff txtYetki;                        // rights level: "0" full rights, "1" cashier
    pv::HandOff txtIslemNo2;                     // Data10.islemNo2: posting id of the selected row
    pv::HandOff frmShowtxt{QStringLiteral("0")}; // list type "0" … "4"
    pv::HandOff turkopyatxt;                     // direction word of the list type
    pv::HandOff krt1, krt2, krt3;                // the list type's criterion, in pieces and whole
    pv::HandOff Text1, Text2;                    // all-time money in and money out, formatted

    // ---- data
    pv::DataControl *Data10 = nullptr;           // the list
    pv::DataControl *DataVeresiyeSil2 = nullptr; // account rows of the selected row's posting
    pv::DataControl *Data3 = nullptr;            // kasa_giren_a
    pv::DataControl *Data4 = nullptr;            // kasa_cikan_a

    // ---- top row
    QDateEdit *ilk = nullptr;
    QDateEdit *son = nullptr;
    QComboBox *xpCombo1 = nullptr; // list type
    QLineEdit *txtAra = nullptr;   // description search
    QLineEdit *xpText5 = nullptr;  // "KASA DEVİR :"

    // ---- list and commands
    FrameFendrixon *hrktFrm = nullptr;
    QTableView *DBGrid1 = nullptr;
    BvButton *KasaGrsBtn = nullptr;
    BvButton *KasaCksBtn = nullptr;
    BvButton *KasaSilBtn = nullptr;
    BvButton *yazdirBtn = nullptr;
    BvButton *kptBtn = nullptr;

    // ---- entry panels
    QFrame *GrsCksFrm = nullptr;
    QLineEdit *Text10 = nullptr; // receipt number
    BvButton *btnNoVer = nullptr;
    FrameFendrixon *girisFrm = nullptr;
    QLineEdit *Text6 = nullptr; // date
    QLineEdit *Text7 = nullptr; // time
    QComboBox *Text8 = nullptr; // description
    QLineEdit *Text9 = nullptr; // amount
    BvButton *ekleBtn1 = nullptr;
    BvButton *vazgec1 = nullptr;
    FrameFendrixon *cikisFrm = nullptr;
    QLineEdit *xpText2 = nullptr; // date
    QLineEdit *xpText1 = nullptr; // time
    QComboBox *xpText3 = nullptr; // description
    QLineEdit *xpText4 = nullptr; // amount
    BvButton *ekleBtn2 = nullptr;
    BvButton *vazgec2 = nullptr;

    // ---- delete confirmation
    QFrame *frmSilEkran = nullptr;
    BvButton *Command12 = nullptr; // " İşlemi Sil"
    BvButton *MyButton3 = nullptr; // " İptal"

    // ---- totals panel
    QFrame *toplaFrm = nullptr;
    FrameFendrixon *FrameFendrixon3 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *VornXPTextBox2 = nullptr; // money in
    QLineEdit *VornXPTextBox3 = nullptr; // money out
    QLineEdit *VornXPTextBox4 = nullptr; // remaining
    QLineEdit *VornXPTextBox5 = nullptr; // money in paid in cash
    QLineEdit *VornXPTextBox6 = nullptr; // money in paid by card
    QFrame *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr, *Frame5 = nullptr;
    QComboBox *TextSize = nullptr;
    BvButton *muslisyzdBtn = nullptr;
    BvButton *vazgec3 = nullptr;

    // ---- procedures
    bool Command2_Click(); // range list, command states, carried balance (true: shown)
    void btnAra_Click();   // description search
    void xpCombo1_Click(); // list of one type
    void devir1_Click();   // carried balance, then the rights level
    void devir2_Click();
    void devir3_Click();
    void topla1_Click(); // range totals
    void topla2_Click();
    void topla3_Click();
    void topla4_Click();
    void topla5_Click();
    void Command13_Click(); // linked account rows of the selected row
    void btnYetki_Click();  // rights switch
    void bntRenkFRM_Click();

    // ---- handlers
    void Text9_LostFocus();
    void xpText4_LostFocus();

public slots: // connected by the form file
    void btnNoVer_Click();
    void KasaGrsBtn_Click();
    void KasaCksBtn_Click();
    void ekleBtn1_Click();
    void ekleBtn2_Click();
    void vazgec1_Click();
    void vazgec2_Click();
    void vazgec3_Click();
    void KasaSilBtn_Click();
    void Command12_Click();
    void MyButton3_Click();
    void yazdirBtn_Click();
    void muslisyzdBtn_Click();
    void kptBtn_Click();

private:
    void buildControls();
    void fillDescriptions(pv::DataControl *dc, const QString &table, const QString &field, QComboBox *combo);
    void openEntryPanel(bool moneyIn);
    bool saveEntry(bool moneyIn);
    void closeEntryPanel(bool moneyIn);
    void setRangeEnabled(bool on);
    void listRange();
    bool readList(); // Data10 read again; a failure is told
    QString firstKey() const;
    QString lastKey() const;
    bool panelOpen() const; // an entry panel or the totals panel
    bool deleteConfirmationOpen() const;
    void lockForDelete(bool on); // the controls that would move the list, and the panels' commands
    qint64 currentRowId();

    pv::Database m_db;
    pv::DataGridModel *m_listModel = nullptr;
    qint64 m_deleteId = 0; // the row the delete confirmation was opened on
    double m_allIn = 0, m_allOut = 0;
    double m_rangeCash = 0, m_rangeCard = 0;
    ui::ReadFailures m_reads{QStringLiteral("Kasa okunamadı: ")};
};
