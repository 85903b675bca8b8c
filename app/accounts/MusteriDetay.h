#pragma once
// The account window's own customer: the card panel that edits the customer's row, the
// note and photo panels, the delete-customer mode, and the e-mail, SMS and calculator
// commands.
//
// It lives on the account window and works on the window's data source of the customer
// row. Controls the window already has (by their names: MyButton1, MyButton2, btnNote,
// btnMail, btnSMS, VornXPButton2, xpCombo3, xpCombo4, musilfrm, MyButton4) are taken over;
// the others are made from the panels MusteriDetay* of veresiye2.form.json. The commands
// it locks are taken by name when it is made (ui::control), those of the print helper and
// the date range through a hook. The window's own procedures are reached through the hooks.
#include "platform/forms/HandOff.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace pv
{
class DataControl;
class Form;
} // namespace pv

class MusteriDetay : public QObject
{
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> menukitle2;          // locks the window's action commands
        std::function<void()> menukilitac2;        // unlocks them
        std::function<void()> Command6_Click;      // sets the ledger commands afresh
        std::function<void()> ara_Click;           // re-queries the ledger and the customer row
        std::function<void()> VornXPButton7_Click; // closes the window
        // The print and range commands and the range's pickers, made or not yet (null).
        std::function<QList<QWidget *>()> printCommands;
    };

    MusteriDetay(pv::Form &window, pv::DataControl &Data1, Hooks hooks);
    ~MusteriDetay() override;

    // ---- customer card panel, built by its command (MyButton1) or by buildCard
    QFrame *musterifrm = nullptr;
    FrameFendrixon *FrameFendrixon1 = nullptr; // "Müşteri Bilgileri Düzenle"
    QLineEdit *xpText7 = nullptr;              // mus_kodu, never editable
    QLineEdit *xpText8 = nullptr;              // MusteriFirma
    QLineEdit *xpText9 = nullptr;              // Telefon1
    QPlainTextEdit *xpText10 = nullptr;        // Adres
    QLineEdit *xpText13 = nullptr;             // ilgili
    QLineEdit *xpText4 = nullptr;              // mail
    QLineEdit *xpText11 = nullptr;             // Telefon2
    QLineEdit *xpText12 = nullptr;             // Gsm
    QLineEdit *xpText5 = nullptr;              // vd
    QLineEdit *xpText6 = nullptr;              // vdn
    QComboBox *xpCombo3 = nullptr;             // Turu
    QComboBox *xpCombo4 = nullptr;             // ParaTuru
    BvButton *MyButton1 = nullptr;             // "Müşteri Bilgileri Düzenle "
    BvButton *MyButton2 = nullptr;             // "Düzenle"
    BvButton *kaydet = nullptr;                // "Kaydet"
    BvButton *MyButton6 = nullptr;             // "Vazgeç"

    // ---- delete-customer mode
    QFrame *musilfrm = nullptr;
    BvButton *MyButton3 = nullptr; // " İptal"
    BvButton *MyButton4 = nullptr; // " Müşteriyi ve Hareketlerini Sil"

    // ---- note, its panel built by its command
    BvButton *btnNote = nullptr;
    QFrame *frmNote = nullptr;
    QPlainTextEdit *txtNote = nullptr; // Not
    BvButton *BvButton5 = nullptr;     // "Kaydet"
    BvButton *BvButton6 = nullptr;     // "Temizle"

    // ---- photo, its panel built by its command
    BvButton *btnResimGoster = nullptr;
    QFrame *frmResim = nullptr;
    QLabel *Image7 = nullptr;
    pv::HandOff txtFoto; // foto

    // ---- e-mail, SMS, calculator
    pv::HandOff txtMail; // mail
    BvButton *btnMail = nullptr;
    BvButton *btnSMS = nullptr;
    BvButton *VornXPButton2 = nullptr;

    // The card panel, hidden, for a reader of its boxes (the contract prints them).
    void buildCard();
    // The delete-customer panel (the window's own, windowPanel, when it has one), hidden,
    // for the delete-customer mode.
    void buildDeletePanel(QFrame *windowPanel = nullptr);

public slots: // connected by the form files
    void MyButton1_Click();
    void MyButton2_Click();
    void kaydet_Click();
    void MyButton6_Click();
    void MyButton4_Click();
    void btnNote_Click();
    void BvButton5_Click();
    void BvButton6_Click();
    void btnResimGoster_Click();
    void btnSMS_Click();
    void VornXPButton2_Click();

public:
    // ---- handlers
    void MyButton3_Click(); // only of the delete panel made here
    void txtNote_Change();
    void Image7_Click();
    void txtFoto_Change();
    void txtMail_Change(); // also after every unlock of the window's commands

private:
    void buildCommands();
    void buildNote();
    void buildPhoto();
    void setCardEditable(bool on);
    void unlockAfterCard();
    QList<QWidget *> printCommands() const;
    qint64 customerId();
    QList<QWidget *> cardBoxes() const;
    // The customer row read again after a save of one panel; the other panel's unsaved
    // boxes keep what was typed into them.
    void showStored(const QList<QWidget *> &otherPanel);

    pv::Form &m_window;
    pv::DataControl &m_data;
    Hooks m_hooks;
    pv::HandOff m_storedNote;       // Not, for the note command's colour while its panel is unbuilt
    QList<QWidget *> m_cardLocks;   // the window's commands the card panel locks
    QList<QWidget *> m_cardUnlocks; // and those it frees
};
