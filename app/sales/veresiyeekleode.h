#pragma once
// Credit sale and collection dialog. The account window opens it with one of its two
// panels visible: the sale panel (free text, mode "1", or from stock, mode "2", with the
// product panel beside it) or the collection panel (with its cash row and an optional
// receipt). Every save is one transaction; the dialog unloads itself after a save or a
// cancel, so each opening starts afresh with a new posting id.
//
//   auto &d = pv::form<veresiyeekleode>();   // loads it first
//   connect(&d, &veresiyeekleode::posted, this, &veresiye2::postingSaved);
//   d.openAsSale(code, accountCaption, this); // modal: returns when it closes
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QDateTime>

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
class ReportDocument;
class Timer;
} // namespace pv

class veresiyeekleode : public pv::Form
{
    Q_OBJECT
public:
    veresiyeekleode();

    void Form_Load() override;
    void Form_Activate() override;

    // ---- openers: each arranges its own panel, then shows the dialog modally over owner.
    // A free-text sale on the account (the stock mode is a button away).
    void openAsSale(const QString &code, const QString &accountCaption, QWidget *owner);
    // A collection; a supplier's account type turns it into money out.
    void openAsCollection(const QString &code, const QString &accountType, const QString &accountCaption,
                          QWidget *owner);

    // ---- hand-off fields
    pv::HandOff Text1;      // account code of every row saved
    pv::HandOff txtMusTuru; // account type; "Satıcı" turns a collection into money out
    pv::HandOff txtOnay;    // sale mode: "1" free text, "2" from stock

    // ---- hidden fields
    pv::HandOff txtIslemNo2;                     // posting id of this opening
    pv::HandOff tarih2txt;                       // today's key, for the collection's cash row
    pv::HandOff txtFisNo;                        // number of the next customer receipt
    pv::HandOff txtFormat{QStringLiteral("1")};  // mirror of btnFormat
    pv::HandOff txtFormat2{QStringLiteral("1")}; // mirror of btnFormat2
    pv::HandOff txtSpr2;                         // [Generic Name] of the product taken
    pv::HandOff txtSpr3;                         // [Brand Name] of the product taken
    pv::HandOff txtUygFiyat;                     // price of the product list's row at the chosen level
    pv::HandOff TextSize{QStringLiteral("8")};   // font size of the receipt's fields
    QLineEdit *bartext = nullptr;                // product code of the sale, below the visible part

    // ---- sale panel
    QFrame *eklefrm = nullptr;
    FrameFendrixon *eklefrm2 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Text6 = nullptr; // date
    QLabel *Label5 = nullptr;
    QLineEdit *Text7 = nullptr; // time
    QLabel *Label7 = nullptr;
    QPlainTextEdit *xpText6 = nullptr; // description
    BvButton *BvButton1 = nullptr;     // stock mode
    BvButton *BvButton4 = nullptr;     // free-text mode
    QLabel *Label11 = nullptr;
    QLineEdit *Text10a = nullptr; // quantity, free text
    QLineEdit *Text10 = nullptr;  // quantity, stock
    QLabel *Label10 = nullptr;
    QComboBox *Text11 = nullptr; // unit
    QLabel *Label9 = nullptr;
    QLineEdit *Text12a = nullptr; // unit price, free text
    QLineEdit *Text12 = nullptr;  // unit price, stock
    QLabel *Label13 = nullptr;
    QLineEdit *Text9a = nullptr;       // line total, free text
    QLineEdit *Text9 = nullptr;        // line total, stock
    BvButton *btnFormat = nullptr;     // "Yuvarla"
    BvButton *VornXPButton2 = nullptr; // " Onayla"
    BvButton *VornXPButton1 = nullptr; // " Vazgeç"
    QLabel *msj = nullptr;             // quantity hint of stock mode
    QLabel *Image4 = nullptr;
    QLabel *Image5 = nullptr;
    QLabel *Image3 = nullptr;
    QFrame *frmAciklama = nullptr; // canned sale descriptions
    QTableView *DBGrid1 = nullptr;
    QLineEdit *xpText1 = nullptr;
    BvButton *btnEkle = nullptr;
    BvButton *btnSil = nullptr;
    BvButton *btnKapat = nullptr;

    // ---- collection panel
    QFrame *odefrm = nullptr;
    FrameFendrixon *odefrm2 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text2 = nullptr; // date
    QLabel *Label1 = nullptr;
    QLineEdit *Text3 = nullptr; // time
    QLabel *Label4 = nullptr;
    QLineEdit *Text4 = nullptr; // description
    QLabel *Label3 = nullptr;
    QComboBox *cboOdemeSekli = nullptr; // payment kind
    BvButton *btnFormat2 = nullptr;     // "Yuvarla"
    QLabel *Label8 = nullptr;
    QLineEdit *Text5 = nullptr;        // amount received
    BvButton *btnMakbuz = nullptr;     // " Makbuz Yazdır"
    BvButton *VornXPButton9 = nullptr; // " Onayla"
    BvButton *VornXPButton8 = nullptr; // " Vazgeç"
    QLabel *Image1 = nullptr;
    QFrame *frmAciklama2 = nullptr; // canned collection descriptions
    QTableView *DBGrid3 = nullptr;
    QLineEdit *xpText2 = nullptr;
    BvButton *btnEkle2 = nullptr;
    BvButton *btnSil2 = nullptr;
    BvButton *btnKapat2 = nullptr;

    // ---- product panel
    FrameFendrixon *frmstok = nullptr;
    QComboBox *xpCombo1 = nullptr; // category
    QLineEdit *xpText15 = nullptr; // name search
    QComboBox *xpCombo3 = nullptr; // price level
    BvButton *btnAktar = nullptr;  // "Tamam", stock mode
    BvButton *BtnAktarA = nullptr; // "Tamam", free-text mode
    BvButton *BvButton3 = nullptr; // "Kapat"
    QTableView *DBGrid2 = nullptr;

    // ---- data sources and timer
    pv::DataControl *Data9 = nullptr;   // VeresiyeEkleAcik
    pv::DataControl *Data33 = nullptr;  // VeresiyeOdeAcik
    pv::DataControl *dbPrice = nullptr; // the product list
    pv::DataControl *Data11 = nullptr;  // birimler
    pv::DataControl *Data14 = nullptr;  // urun_marka
    pv::Timer *Timer6 = nullptr;        // 400 ms blink of the quantity hint

public slots: // connected by the form files
    // ways out and postings
    void VornXPButton1_Click();
    void VornXPButton8_Click();
    void VornXPButton2_Click();
    void VornXPButton9_Click();
    void btnFormat_Click();
    void btnFormat2_Click();
    void Text10a_Change();
    void Text12a_Change();
    void Text9a_Change();
    void Text9_Change();
    // sale modes and the product panel
    void BvButton1_Click();
    void BvButton4_Click();
    void BvButton3_Click();
    void btnAktar_Click();
    void BtnAktarA_Click();
    // canned descriptions
    void btnEkle_Click();
    void btnEkle2_Click();
    void btnSil_Click();
    void btnSil2_Click();
    void btnKapat_Click();
    void btnKapat2_Click();

public:
    // ---- handlers
    void Image4_Click();
    void txtFormat_Change();
    void txtFormat2_Change();
    void Text10a_LostFocus();
    void Text12a_LostFocus();
    void Text9a_LostFocus();
    void Text5_LostFocus();
    void Text6_LostFocus();
    void Text2_LostFocus();
    void xpText6_DblClick();
    void Text4_DblClick();
    void cboOdemeSekli_Click();
    void Timer6_Timer();
    void birimgrup();

    // sale modes, quantities and stock
    void txtOnay_Change();
    void Text10_KeyPress(int &KeyAscii);
    void Text10_GotFocus();
    void Text12_KeyPress(int &KeyAscii);
    void Text12_GotFocus();
    void Text9_KeyPress(int &KeyAscii);
    void bartext_KeyPress(int &KeyAscii);
    // "Düşük Stok" after a warning, "OK" when there was none, "" for another mode.
    // Modes 0 and 1 look at the product list's row, mode 2 at the product of the sale.
    QString CheckOnHand(int mode, double quantity);

    // product panel
    void Command2_Click();
    void Command8_Click();
    void xpCombo3_Click();
    void DBGrid2_RowColChange();

    // canned descriptions
    void DBGrid1_DblClick();
    void DBGrid3_DblClick();

    // postings
    void SerbestKaydet();
    void StokluKaydet();

private:
    void saveSale(bool fromStock);
    // Totals that cannot be read lay nothing out (no receipt with 0,00): the reason goes to *unread.
    bool btnMakbuzPrnt_Click(pv::ReportDocument *receipt, QString *unread = nullptr);
    void setStockTotal();
    void transfer(bool fromStock);
    void setDialogWidth(int twips);
    void centre();
    void addDescription(pv::DataControl *list, QLineEdit *text);
    void deleteDescription(pv::DataControl *list);
    QString moneyPattern(bool pressed) const;

signals:
    // A posting was saved: "11" a collection, "22" a free-text sale, "33" a sale from stock.
    void posted(const QString &refreshCode);

private:
    pv::Database m_db;
    QDateTime m_openedAt; // the posting id's moment
    bool m_listRefreshing = false;
    pv::DataGridModel *m_grid1 = nullptr;
    pv::DataGridModel *m_grid2 = nullptr;
    pv::DataGridModel *m_grid3 = nullptr;
};
