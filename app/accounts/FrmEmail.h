#pragma once
// The e-mail window: one message from the shop to one customer, opened modally from the
// account window with the customer's name, address, totals and currency words. The
// statement opener also writes the HTML statement of the customer's code and attaches it
// before the window shows.
//
//   FrmEmail::Customer c{name, address, debt, paid, balance, {"TL", "TL", "TL"}};
//   pv::form<FrmEmail>().openPlain(c);           // modal: returns when it closes
//   pv::form<FrmEmail>().openStatement(c, code); // the same with the statement
//
// The send command checks and trims the fields, then hands the message to the send
// dialog Dialog2.
#include "app/accounts/Dialog2.h"
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class FrmEmail : public pv::Form
{
    Q_OBJECT
public:
    FrmEmail();
    ~FrmEmail() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int &Cancel) override;

    // What the account window hands over, as it shows it.
    struct Customer {
        QString name;
        QString address;
        QString debt, paid, balance;
        QString currency[3]; // the words beside the debt, paid and balance
    };
    // A plain message to the customer.
    void openPlain(const Customer &c);
    // The customer's statement written and attached under the standard text; when it
    // could not be written the window closes unseen (the export has said why).
    void openStatement(const Customer &c, const QString &code);

    // ---- composition area
    QLineEdit *TextBox2 = nullptr;      // recipient's name
    QLineEdit *TextBox3 = nullptr;      // recipient's address, read-only
    QLineEdit *TextBox8 = nullptr;      // subject
    BvButton *btnSecKonu = nullptr;     // "SEÇ"
    QPlainTextEdit *TextBox1 = nullptr; // body
    BvButton *btnSecMesaj = nullptr;    // "SEÇ"
    QListWidget *ListBox1 = nullptr;    // attachment paths
    QLabel *Label9 = nullptr;           // attachment count
    BvButton *CommandButton2 = nullptr; // "Dosya Ekle"
    BvButton *CommandButton3 = nullptr; // "Sil"
    BvButton *CommandButton1 = nullptr; // " Gönder"
    BvButton *btnKapat = nullptr;       // " Kapat"

    // ---- outside the visible area
    QLineEdit *TextBox4 = nullptr;    // sender's name: dgrayr.kurumismi
    QLineEdit *TextBox9 = nullptr;    // sender's address and login: dgrayr.mailadres
    QLineEdit *TextBox10 = nullptr;   // password: dgrayr.mailsifre
    QLineEdit *TextBox5 = nullptr;    // copy of TextBox9, the address the message carries
    QLineEdit *TextBox6 = nullptr;    // CC
    QLineEdit *TextBox7 = nullptr;    // BCC
    QLabel *Label10 = nullptr;        // outgoing server
    QLabel *Label11 = nullptr;        // its port
    QLineEdit *txtExtreYol = nullptr; // the statement file, once written
    pv::HandOff Text10;               // customer code, for the statement
    pv::HandOff txtHtmYap;            // any change writes the statement

    // ---- subject panel
    QFrame *Frame1 = nullptr;
    FrameFendrixon *FrameFendrixon2 = nullptr; // "Konu Ekle"
    QTableView *DBGrid1 = nullptr;             // "Konular"
    QLineEdit *xpText11 = nullptr;
    BvButton *btnEkle = nullptr;   // " Ekle"
    BvButton *btnSil = nullptr;    // "Seçili Kaydı Sil"
    BvButton *btnKapat2 = nullptr; // " Kapat"

    // ---- message-text panel
    QFrame *Frame2 = nullptr;
    FrameFendrixon *FrameFendrixon1 = nullptr; // "Mesaj Metni Ekle"
    QPlainTextEdit *xpText2 = nullptr;         // working text
    QTabWidget *XTab1 = nullptr;
    QTableView *DBGrid2 = nullptr; // "Mesaj Metinleri"
    QLineEdit *txtMusteri = nullptr;
    QLineEdit *VornXPTextBox2 = nullptr; // total debt
    QLineEdit *VornXPTextBox3 = nullptr; // total paid
    QLineEdit *VornXPTextBox4 = nullptr; // balance
    QLineEdit *txtPt1 = nullptr;
    QLineEdit *txtPt2 = nullptr;
    QLineEdit *txtPt3 = nullptr;
    BvButton *BvButton2 = nullptr; // name
    BvButton *BvButton3 = nullptr; // debt
    BvButton *BvButton4 = nullptr; // paid
    BvButton *BvButton5 = nullptr; // balance
    QLineEdit *xpText1 = nullptr;
    BvButton *btnEkle2 = nullptr;  // " Ekle"
    BvButton *btnSil2 = nullptr;   // "Seçili Kaydı Sil"
    BvButton *btnKapat3 = nullptr; // " Kapat"
    BvButton *btnAktar = nullptr;  // "Aktar"

    pv::DataControl *DataFirmaBilgi = nullptr; // dgrayr
    pv::DataControl *Data3 = nullptr;          // MailKonu
    pv::DataControl *Data2 = nullptr;          // MailMesaj

    // ---- handlers connected in code (a grid's double click is its doubleClicked)
    void DBGrid1_DblClick();
    void DBGrid2_DblClick();
    void cmdToHTML_Click(); // the statement export
    void ResetMailForm();   // after a successful send

public slots: // connected by the form file
    void btnSecKonu_Click();
    void btnEkle_Click();
    void btnSil_Click();
    void btnKapat2_Click();
    void btnSecMesaj_Click();
    void BvButton2_Click();
    void BvButton3_Click();
    void BvButton4_Click();
    void BvButton5_Click();
    void btnEkle2_Click();
    void btnSil2_Click();
    void btnKapat3_Click();
    void btnAktar_Click();
    void CommandButton2_Click();
    void CommandButton3_Click();
    void CommandButton1_Click();
    void btnKapat_Click();

public:
    // The recipient's example address in the address message.
    static QString recipientExample();

private:
    void fill(const Customer &c); // the hand-off's boxes, in their order
    Dialog2::Outgoing outgoing() const;
    void updateCount();
    void appendInfo(QLineEdit *value, const QString &piece);
    void addCanned(const QString &table, QLineEdit *box, pv::DataControl *dc, const QString &emptyMessage);
    void deleteCanned(const QString &table, pv::DataControl *dc);
    void trimMailFields();

    pv::Database m_db;
    pv::DataGridModel *m_subjects = nullptr;
    pv::DataGridModel *m_texts = nullptr;
    bool m_senderTrimmed = false; // a send has started: the settings row gets the trimmed sender
};
