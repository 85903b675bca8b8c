#pragma once
// The main window: the list of every customer and supplier account with its filters, day
// counts, totals and printed lists, and the hub that opens the other windows.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QVariantList>

class BrennavikAutoSizer;
class BvButton;
class FrameFendrixon;
class QAction;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QTextBrowser;

namespace pv
{
class DataControl;
class DataGridModel;
struct DbError;
class Report;
} // namespace pv

class veresiye : public pv::Form
{
    Q_OBJECT
public:
    veresiye();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;

    // --- list, activation, day counts, rights --------------------------------------
    void Command7_Click(); // the day-count pass
    void Command4_Click(); // the number of listed customers
    void Command6_Click(); // the row commands follow the current row
    void btnYetki_Click(); // the rights step
    void DBGrid1_DblClick();

    // --- filters (the list's record source) -------------------------------------
    void siralatext_Click();
    void cboGrupAra_Click();
    void Command2_Click(); // the name search, at every change of musaratext
    void ilk_Change();

    // --- account window and customer views --------------------------------------
    void accountLeft(); // the account window closed: balances read again
    void mnuMHG_Click();
    void mnuNotg_Click();
    void mnuResg_Click();
    void Image7_Click();

    // --- totals panel -------------------------------------------------------------
    void menukitle();
    void menukilitac();
    void topla1_Click();
    void topla2_Click();
    void topla3_Click();

    // --- list printing ------------------------------------------------------------
    void siralatext2_Click();
    void xpCombo2_Click();
    void xpCombo1_Click();
    // What the two prints hand to their layouts, without showing the preview.
    pv::Report &prepareMusteriListesi();
    pv::Report &prepareCariGunlukRapor();

    // --- overdue alert ------------------------------------------------------------
    void txtAlert_Change();

    void mnuhak_Click();

    // --- commands: settings menu, backup, exit, other programs, announcements -------
    void mnuayr2_Click();
    void mnuUser_Click();
    void mnuBirim_Click();
    void ysk_Click();
    void mnuyardim_Click();
    void ydk1_Click();
    void ydk2_Click();
    void mnuBakim_Click();

    // --- the form file's buttons, connected by name --------------------------------
public slots:
    void KasaBtn_Click();        // the cash book
    void stokbut_Click();        // the stock card
    void btnBanka_Click();       // the bank accounts
    void VornXPButton11_Click(); // the customer card
    void rapbut_Click();         // the list print panel
    void BvButton4_Click();      // the overdue alert
    void BvButton5_Click();      // daily mode on / off
    void ayarbtn_Click();        // the settings menu
    void btnGunlukPrnt_Click();  // the daily report
    void VornXPButton3_Click();  // exit
    void btnDuyuru_Click();      // the announcements
    void btnMinimize_Click();    // the window minimized
    void VornXPButton9_Click();  // the account window in delete mode
    void VornXPButton1_Click();  // the totals panel opened
    void VornXPButton2_Click();  // the account window
    void VornXPButton7_Click();  // the totals panel closed
    void muslisyzdBtn_Click();   // the list printed
    void btnVazgec_Click();      // the list print panel closed

public:
    // --- controls -----------------------------------------------------------------
    QLabel *Image1 = nullptr;
    BvButton *BvButton1 = nullptr;
    BvButton *KasaBtn = nullptr;
    BvButton *stokbut = nullptr;
    BvButton *btnBanka = nullptr;
    BvButton *VornXPButton11 = nullptr;
    BvButton *rapbut = nullptr;
    BvButton *BvButton4 = nullptr;
    BvButton *BvButton5 = nullptr;
    BvButton *ayarbtn = nullptr;

    BvButton *BvButton3 = nullptr; // "SIRALA"
    QComboBox *siralatext = nullptr;
    BvButton *BvButton2 = nullptr; // "ARA"
    QLineEdit *musaratext = nullptr;
    QComboBox *cboGrupAra = nullptr;
    QFrame *frmGS = nullptr;
    BvButton *BvButton6 = nullptr; // "TARİH SEÇİN"
    QDateEdit *ilk = nullptr;
    BvButton *btnGunlukPrnt = nullptr;

    FrameFendrixon *Frame1 = nullptr;
    QTableView *DBGrid1 = nullptr;

    BvButton *VornXPButton3 = nullptr; // " Kapat"
    BvButton *btnDuyuru = nullptr;
    BvButton *btnMinimize = nullptr;
    BvButton *VornXPButton9 = nullptr; // " Müşteriyi Sil"
    BvButton *VornXPButton1 = nullptr; // "  Listeyi Topla"
    BvButton *VornXPButton2 = nullptr; // "Müşteri Hesabını Göster "
    QFrame *Shape4 = nullptr;
    QLabel *Label7 = nullptr;

    QFrame *listetoplamfrm = nullptr;
    FrameFendrixon *FrameFendrixon1 = nullptr;
    QLineEdit *VornXPTextBox22 = nullptr;
    QLineEdit *VornXPTextBox33 = nullptr;
    QLineEdit *VornXPTextBox44 = nullptr;
    QLineEdit *xpText1 = nullptr;
    BvButton *VornXPButton7 = nullptr;

    QFrame *musListesiFrm = nullptr;
    FrameFendrixon *FrameFendrixon3 = nullptr;
    QComboBox *siralatext2 = nullptr;
    QComboBox *xpCombo2 = nullptr;
    QComboBox *xpCombo1 = nullptr;
    QComboBox *TextSize = nullptr;
    BvButton *muslisyzdBtn = nullptr;
    BvButton *btnVazgec = nullptr;

    QFrame *frmResim = nullptr;
    QLabel *Image7 = nullptr;

    QFrame *frmDuyuru = nullptr;
    FrameFendrixon *FrameFendrixon2 = nullptr;
    QTextBrowser *WebBrowser2 = nullptr;

    QMenu *mnuMenu = nullptr;
    QAction *mnuMHG = nullptr;
    QAction *mnuNotg = nullptr;
    QAction *mnuResg = nullptr;

    QMenu *mnuayr = nullptr;
    QAction *mnuayr2 = nullptr;
    QAction *mnuUser = nullptr;
    QAction *mnuBirim = nullptr;
    QAction *ysk = nullptr;
    QAction *mnuyardim = nullptr;
    QMenu *dddd = nullptr;
    QAction *ydk1 = nullptr;
    QAction *ydk2 = nullptr;
    QAction *mnuBakim = nullptr;
    QAction *mnuhak = nullptr;

    pv::DataControl *Data1 = nullptr;
    pv::DataGridModel *DBGrid1Model = nullptr;
    pv::DataControl *DataYedekYeri = nullptr;
    pv::DataControl *DataGrup = nullptr;
    BrennavikAutoSizer *BrennavikAutoSizer1 = nullptr;

    // Hidden fields.
    pv::HandOff Text1;        // mus_kodu of the current row
    pv::HandOff Text11111;    // MusteriFirma of the current row
    pv::HandOff txtSonislem2; // Sonislem2 of the current row (the account window writes it)
    pv::HandOff txtNote;      // Not
    pv::HandOff txtFoto;      // foto
    pv::HandOff txtAlert;     // dgrayr.show
    pv::HandOff txtYedekAktif;
    pv::HandOff txtSurucu;
    pv::HandOff txttarih; // today as dd.mm.yyyy
    pv::HandOff kasiyer;  // the logged-in user's name
    pv::HandOff txtYetki; // rights level "0" / "1"
    pv::HandOff turkopyatxt;
    pv::HandOff txtSirala{QStringLiteral("MusteriFirma")};
    pv::HandOff txtSirala2{QStringLiteral("asc")};
    pv::HandOff txtSirala3{QStringLiteral("MusteriFirma asc")};

    // The grid's displayed text of the current row, column 0-6; "" without a current row.
    QString gridText(int column) const;
    bool hasCurrentRow() const;

private:
    void requery(const QString &source, const QVariantList &params = {});
    // Makes the customer of this code the list's current row; false when the list lacks it.
    bool selectCustomer(const QString &code);
    void requeryAll();
    void requeryDaily();
    void drawPictures();
    void connectControls();
    void buildList();
    void buildMenus();
    double sumOfType(const QString &turu, bool *ok);
    // Tells a read that failed ("what" + the reason, title "Hata").
    static void readFailed(const QString &what, const pv::DbError &error);
    void rereadSettings();

    bool m_totalsOpen = false;

    // The list the filter boxes asked for last, asked again after every activation.
    QString m_listSource;
    QVariantList m_listParams;
};
