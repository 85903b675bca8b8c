#pragma once
// The account window: one account's ledger (table veresiye), its totals and balance,
// the entry commands, and editing and deleting a ledger entry.
//
// Callers touch the window (which loads it) and open it through one of its openers, which
// write the hand-off fields and show it modally; the window reads them at every activation:
//
//   auto &w = pv::form<veresiye2>();
//   connect(&w, &veresiye2::leaving, this, &Main::accountLeft); // balances to read again
//   w.openAccount(caption, code, rights, type, currency, this);
//   w.openForDelete(caption, code, this);   // delete-customer mode
//
// The entry dialogs it opens answer through their posted() signal: the window shows its
// confirmation (Frame1, islemfrm, Timer3), sets its refresh field txtUygulaOdemeVeresiye
// ("11", "22", "33") and Text11 := today.
//
// Its layout is veresiye2.form.json; the entry edit and entry delete panels, built when
// their command first opens them, are its panels frmHareketEdit and frmSilEkran, and the
// date range's pickers and totals, built when the range is first used, its panel range.
#include "app/ui/ReadFailures.h"
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"
#include "platform/text/AmountInWords.h"

#include <QString>

#include <initializer_list>
#include <optional>

class AccountMail;
class BvButton;
class CariToplu;
class CariYazdir;
class FrameFendrixon;
class QAction;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class MusteriDetay;

namespace pv::ledger
{
struct Result;
struct Totals;
} // namespace pv::ledger
namespace pv
{
class DataControl;
class DataGridModel;
class Timer;
} // namespace pv

class veresiye2 : public pv::Form
{
    Q_OBJECT
public:
    veresiye2();
    ~veresiye2() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;

    // ---- hand-off fields
    pv::HandOff Text10;          // the account code: the key of every query of the window
    pv::HandOff txtYetki;        // rights level
    pv::HandOff txtMusTuru;      // account type, passed on to the entry dialogs
    QLineEdit *txtPt1 = nullptr; // currency word after the debt total ("TL" until written)
    QLineEdit *txtPt2 = nullptr; // ... after the paid total
    QLineEdit *txtPt3 = nullptr; // ... after the balance
    QFrame *musilfrm = nullptr;  // delete-customer panel: built and shown in delete mode
    pv::Timer *Timer5 = nullptr; // delete mode: keeps the commands disabled (10 ms)

    // ---- data sources
    pv::DataControl *Data1 = nullptr;          // the account's musteriler row
    pv::DataControl *Data5 = nullptr;          // the ledger
    pv::DataControl *Data3 = nullptr;          // stock cards
    pv::DataControl *DataFirmaBilgi = nullptr; // settings row
    pv::DataControl *DataKasaSil2 = nullptr;   // cash rows of the entry being deleted

    // ---- hidden fields
    pv::HandOff txttarih;               // today, "dd.mm.yyyy", set at every activation
    pv::HandOff Text11;                 // date of the last entry saved during this visit
    pv::HandOff Text11111;              // Data5.mus_kodu: empty exactly when the ledger has no current row
    pv::HandOff txtSecYazdir;           // this opening's print-marking code
    pv::HandOff txtSirala;              // sort column(s) of the printed lists
    pv::HandOff txtSirala2;             // sort direction
    pv::HandOff txtSirala3;             // whole order clause of the printed lists
    pv::HandOff txtUygulaOdemeVeresiye; // refresh signal written by the entry dialogs
    pv::HandOff Text9;                  // Data1.Bakiye
    pv::HandOff Text12;                 // Data1.Sonislem
    pv::HandOff Text13;                 // Data1.Gun
    pv::HandOff txtMail;                // Data1.mail
    pv::HandOff txtFirmaBilgi;          // DataFirmaBilgi.kurumismi
    pv::HandOff txtIslemNo2;            // Data5.islemNo2
    pv::HandOff txtIslemTuru;           // Data5.Turu
    pv::HandOff txtProductCode2;        // Data5.ProductCode
    pv::HandOff txtDusStokMik;          // Data5.Miktar
    pv::HandOff txtStokMik;             // Data3.OnHand

    // ---- account row
    QLineEdit *xpText3 = nullptr; // MusteriFirma
    QLineEdit *xpText2 = nullptr; // Adres
    QLineEdit *xpText1 = nullptr; // Telefon1
    QLineEdit *Text3 = nullptr;   // MusteriFirma, on the delete-customer panel

    // ---- totals
    QLineEdit *VornXPTextBox2 = nullptr; // "Toplam Borç :"
    QLineEdit *VornXPTextBox3 = nullptr; // "Toplam Ödenen :"
    QLineEdit *VornXPTextBox4 = nullptr; // "Toplam Bakiye :"
    // The date range's totals and pickers: null until buildRange() makes them.
    QFrame *frmTarihBakiyeler = nullptr;
    QLineEdit *txtT1 = nullptr;
    QLineEdit *txtT2 = nullptr;
    QLineEdit *txtT3 = nullptr;
    QDateEdit *ilk = nullptr; // first day of the range
    QDateEdit *son = nullptr; // last day of the range

    // ---- ledger
    FrameFendrixon *Frame1s = nullptr; // "Hareketler"
    QTableView *DBGrid2 = nullptr;

    // ---- confirmation
    // The posting confirmation: null until the first posting saved.
    QFrame *islemfrm = nullptr;
    QLabel *msj2 = nullptr;
    QFrame *Frame1 = nullptr;
    pv::Timer *Timer3 = nullptr; // 200 ms: blinks msj2, refreshes the ledger
    pv::Timer *Timer4 = nullptr; // 5500 ms: ends the confirmation

    // ---- print options: the first four null until the print helper builds them
    QFrame *musListesiFrm = nullptr;
    QComboBox *xpCombo2 = nullptr; // sort column
    QComboBox *xpCombo1 = nullptr; // direction
    QComboBox *TextSize = nullptr; // font size
    QComboBox *xpCombo3 = nullptr; // account types
    QComboBox *xpCombo4 = nullptr; // currencies

    // ---- commands
    BvButton *VornXPButton7 = nullptr;    // "Geri"
    BvButton *VornXPButton8 = nullptr;    // "Veresiye Ekle"
    BvButton *VornXPButton10 = nullptr;   // "Tahsilat Yap"
    BvButton *btnEkle = nullptr;          // "Alacak/Ödeme Ekle"
    BvButton *VornXPButton9 = nullptr;    // " Seçili Satırı Sil"
    BvButton *btnEdit = nullptr;          // " Seçili Satırı Düzenle"
    BvButton *VornXPButton6 = nullptr;    // "Hesabı Sıfırla"
    BvButton *btnFiyatGuncelle = nullptr; // "Tüm Fiyatları Güncelle"
    BvButton *MyButton1 = nullptr;        // "Müşteri Bilgileri Düzenle "
    BvButton *MyButton2 = nullptr;        // "Düzenle" of the customer card
    BvButton *VornXPButton2 = nullptr;    // "Hesap Makinesi"
    BvButton *VornXPButton5 = nullptr;    // "Listeyi Yazdır"
    BvButton *tgoster2 = nullptr;         // "Tarih Aralığı Hareketleri Göster"
    BvButton *tgoster = nullptr;          // shows the date range
    BvButton *btnMail = nullptr;          // "E-Posta Gönder"
    BvButton *btnSMS = nullptr;           // "SMS Gönder"
    BvButton *btnNote = nullptr;          // "Not"
    BvButton *MyButton3 = nullptr;        // " İptal" of the delete-customer panel
    QMenu *mnuOdeAlacak = nullptr;
    QAction *mnuAlacak = nullptr; // "Hesaba Alacak Ekle"
    QAction *mnuOdeme = nullptr;  // "Ödeme Yap"

    // ---- edit panel, built by its command (btnEdit)
    FrameFendrixon *frmHareketEdit = nullptr; // "Müşteri Hareketi Düzenle"
    QLineEdit *txtEdit1 = nullptr;            // Tarih
    QLineEdit *txtEdit2 = nullptr;            // Saat
    QLineEdit *txtEdit3 = nullptr;            // Turu
    QLineEdit *txtEdit4 = nullptr;            // Aciklama
    QLineEdit *txtEdit5 = nullptr;            // Eklenen
    QLineEdit *txtEdit6 = nullptr;            // Odenen
    QLineEdit *txtEdit7 = nullptr;            // Miktar
    QLineEdit *txtEdit8 = nullptr;            // Birim
    QLineEdit *txtEdit9 = nullptr;            // BirimFiyat
    QLineEdit *txtEdit10 = nullptr;           // Tarih2, never shown
    QLabel *Label21 = nullptr;                // "BORÇ :"
    QLabel *Label22 = nullptr;                // "ÖDENEN :"
    QFrame *Frame4 = nullptr;                 // quantity, unit, unit price
    BvButton *BvButton2 = nullptr;            // "Düzenle"
    BvButton *BvButton3 = nullptr;            // "Kaydet"
    BvButton *BvButton1 = nullptr;            // "Vazgeç"

    // ---- delete panel, built by its command (VornXPButton9)
    QFrame *frmSilEkran = nullptr;
    BvButton *btnSilIptal = nullptr; // " İptal"
    BvButton *Command12 = nullptr;   // " İşlemi Sil"
    QFrame *frmTumSil2 = nullptr;    // never shown
    QTableView *DBGridKasa = nullptr;

    // ---- the customer's own row (details, note, photo, delete-customer mode) and the prints
    MusteriDetay *musteriDetay = nullptr;
    CariYazdir *cariYazdir = nullptr;
    AccountMail *accountMail = nullptr; // the e-mail command's menu and hand-offs
    // ---- the contract, resetting the account and updating prices from stock
    CariToplu *cariToplu = nullptr;

    // ---- procedures other windows and panels run
    void ara_Click();
    void topla1_Click();
    void topla2_Click();
    void topla3_Click();
    void btnT1_Click();
    void btnT2_Click();
    void buildRange();
    void buildDeleteCustomerPanel();
    void btnYetki_Click();
    void Command6_Click();
    void menukitle2();
    void menukilitac2();

    // An amount in Turkish words ("1.234,56" -> "BinİkiYüzOtuzDört TL ve ElliAltı Kr").
    static QString Yaziyla(const QString &amount) { return pv::Yaziyla(amount); }

    // ---- openers
    // The account of `code`: rights "0" full, "1" cashier; `type` the account type passed on
    // to the entry dialogs; `currency`, when given, follows the three totals.
    void openAccount(const QString &caption, const QString &code, const QString &rights, const QString &type,
                     const std::optional<QString> &currency, QWidget *owner);
    // Delete-customer mode: the panel shown and the commands kept disabled.
    void openForDelete(const QString &caption, const QString &code, QWidget *owner);

    // The answer to a posting an entry dialog saved: the confirmation shown, the refresh
    // field set (which re-reads the ledger), the last-entry date set to today.
    void postingSaved(const QString &refreshCode);

    // ---- handlers
    void txtUygulaOdemeVeresiye_Change();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void xpCombo1_Click();
    void xpCombo2_Click();
    void mnuAlacak_Click();
    void mnuOdeme_Click();
    void Command13_Click();

public slots: // connected by the form files
    void VornXPButton7_Click();
    void VornXPButton8_Click();
    void VornXPButton10_Click();
    void btnEkle_Click();
    void btnEdit_Click();
    void BvButton2_Click();
    void BvButton3_Click();
    void BvButton1_Click();
    void VornXPButton9_Click();
    void Command12_Click();
    void btnSilIptal_Click();
    void MyButton3_Click();

signals:
    // "Geri": the balance is written to the customer row; lists that show it read it again.
    void leaving();

private:
    void buildControls();
    void enableDates(bool on);
    void buildConfirmation();
    void takePrintChoices();
    QString shopName();
    void buildEditPanel();
    void buildDeletePanel();
    void setLedgerCommands(); // the ledger-dependent commands, then the rights level
    void bindFields();
    void refreshLedgerKeepingRow(qint64 id);
    void standOnEntry(qint64 id);
    void lockForDeletePanel();
    // While the delete panel is open: the ledger on its entry, its commands locked.
    void holdDeletePanel();
    // Each open panel's locks, after every re-read of the ledger and after the ledger
    // commands are set: the delete panel's and the print panel's.
    void holdPanels();
    qint64 currentEntryId();
    pv::ledger::Result writeAccountRow(); // the closing summary of the customer row
    void closeEditPanel();
    void showRangeBalance();
    void setLedgerFrameColours();
    // Totals that could not be read are told and their boxes emptied.
    bool totalsRead(const pv::ledger::Totals &t, std::initializer_list<QLineEdit *> boxes);

    pv::Database m_db;
    pv::DataGridModel *m_ledgerModel = nullptr;
    pv::DataGridModel *m_kasaModel = nullptr;
    QString m_sonislem;    // today's date once an entry command was used during this visit
    qint64 m_deleteId = 0; // the entry the delete panel was opened on
    bool m_blink = false;
    bool m_balanceRead = false; // Text9 holds a balance summed from the ledger just read
    bool m_shopNameRead = false;
    ui::ReadFailures m_reads{QStringLiteral("Hesap okunamadı: ")}; // nothing read from them is written
};
