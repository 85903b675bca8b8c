#pragma once
// The stock card: the shop's products one at a time in the card's fields, beside a grid of
// the whole list; browse and edit modes, adding, editing and deleting a product.
//
// The main window opens it modeless after writing the rights level:
//
//   auto &card = pv::form<frmProduct>();
//   card.txtYetki = rights;          // "1" disables edit and delete
//   card.refreshList();              // the list read again (not while a product is pending)
//   card.Show();
//
// The searches, lists and totals live in StokArama, the category and supplier panels in
// UrunGruplari; both work on the window's controls below.
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QString>

class BvButton;
class FrameFendrixon;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class StokArama;
class StokIslemleri;
class UrunGruplari;

namespace pv
{
class DataControl;
class DataGridModel;
class Timer;
} // namespace pv

class frmProduct : public pv::Form
{
    Q_OBJECT
public:
    frmProduct();
    ~frmProduct() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;
    void Form_Unload(int &Cancel) override;

    // ---- hand-off
    pv::HandOff txtYetki; // rights level: "1" cashier, anything else full rights

    // ---- data
    pv::DataControl *Data1 = nullptr;  // the product list; its current row is the card
    pv::DataControl *Data2 = nullptr;  // suppliers
    pv::DataControl *Data3 = nullptr;  // units
    pv::DataControl *Data4 = nullptr;  // categories (card list and panel)
    pv::DataControl *Data5 = nullptr;  // categories (search list)
    pv::DataControl *Data87 = nullptr; // surum: the shop's name
    pv::Database m_db;                 // the file the card's writes go to

    // ---- card
    QLineEdit *txtPCode = nullptr;
    QLineEdit *txtBName = nullptr;
    QLineEdit *txtGName = nullptr;
    QComboBox *cboGName = nullptr;
    QLineEdit *txtPrice = nullptr;
    QLineEdit *txtsatisfiyat = nullptr;
    QLineEdit *txtsatisfiyat2 = nullptr;
    QLineEdit *txtsatisfiyat3 = nullptr;
    QLineEdit *txtOnHand = nullptr;
    QLineEdit *txtUnit = nullptr;
    QComboBox *cboUnit = nullptr;
    QLineEdit *txtReOrder = nullptr;
    QLineEdit *meExpires = nullptr; // browse
    QLineEdit *meExpire = nullptr;  // edit, mask "##/####"
    BvButton *yokbuton = nullptr;   // "<": no expiry
    QLineEdit *txtSinif = nullptr;
    QComboBox *txtSinifCombo = nullptr;
    QLineEdit *txtOzelKod1 = nullptr;
    QLineEdit *txtOzelKod2 = nullptr;
    QLineEdit *txtLocation = nullptr;
    QComboBox *cboLocation = nullptr;
    pv::HandOff txtKayitTarihi, txtMonth, txtYear, txtKDV, txtKdvOran;
    pv::HandOff txtAlisFiyatiTopTut, txtSatisFiyatiTopTut, txtSatisFiyati2TopTut, txtSatisFiyati3TopTut;
    pv::HandOff txtIsletmeIsmi; // surum.marketadi
    QLabel *lblKDV = nullptr;
    QLabel *lblKdvOran = nullptr;

    // ---- list
    QTableView *DBGrid1 = nullptr;
    QLineEdit *ceksayi7 = nullptr; // "Toplam N Ürün Listelendi..."
    pv::HandOff Text7;             // rows listed at the last count
    pv::HandOff Text5{QStringLiteral("1")};
    pv::HandOff tarih; // current month "MM/YYYY"

    // ---- commands
    BvButton *cmdAdd = nullptr;
    BvButton *cmdEdit = nullptr;
    BvButton *cmdDelete = nullptr;
    BvButton *cmdSave = nullptr;
    BvButton *cmdCancel = nullptr;
    BvButton *cmdClose = nullptr;
    BvButton *cmdFirst = nullptr;
    BvButton *cmdPrev = nullptr;
    BvButton *cmdNext = nullptr;
    BvButton *cmdLast = nullptr;
    BvButton *barkodver = nullptr;
    BvButton *BvButton2 = nullptr; // "Ürün Stok Raporları"
    BvButton *btnSec = nullptr;
    BvButton *btnTutarHesapla = nullptr;
    BvButton *btnPrint = nullptr;
    BvButton *MyButton7 = nullptr;   // categories panel
    BvButton *btnTdrkEkle = nullptr; // suppliers panel
    BvButton *azBTN1 = nullptr;
    BvButton *zaBTN1 = nullptr;
    QMenu *mnuIslemler = nullptr;
    QAction *mnuTum = nullptr;
    QAction *mnuSou = nullptr;
    QAction *mnukso = nullptr;
    QAction *mnuskt = nullptr;

    // ---- searches
    FrameFendrixon *aramaFrame = nullptr; // "Ürün Arama & Stok Ekleme"
    QComboBox *txtAra = nullptr;
    QLineEdit *aramatext = nullptr;  // name
    QLineEdit *aramatext2 = nullptr; // code
    QComboBox *aramatext3 = nullptr; // category
    QComboBox *aramatext4 = nullptr; // class
    QComboBox *aramatext5 = nullptr; // VAT kind
    QLineEdit *aramatext6 = nullptr; // VAT rate
    QLabel *Label22 = nullptr;

    // ---- totals
    BvButton *BvButton6 = nullptr;
    BvButton *BvButton7 = nullptr;
    BvButton *BvButton8 = nullptr;
    BvButton *BvButton9 = nullptr;
    BvButton *BvButton10 = nullptr;
    QLineEdit *txtPrice2 = nullptr;
    QLineEdit *txtPrice3 = nullptr;
    QLineEdit *txtPrice4 = nullptr;
    QLineEdit *txtPrice5 = nullptr;
    QLineEdit *txtPrice6 = nullptr;

    // ---- category and supplier panels
    QFrame *urunmarkafrm = nullptr;
    QTableView *DBGrid2 = nullptr;
    BvButton *MyButton2 = nullptr;  // " Ekle"
    BvButton *MyButton1 = nullptr;  // "Seçili Kaydı Sil"
    BvButton *vekbutton6 = nullptr; // " Kapat"
    FrameFendrixon *urunmarkafrm2 = nullptr;
    QLineEdit *Text1 = nullptr;
    BvButton *ekles = nullptr;
    QFrame *reyonfrm = nullptr;
    QTableView *DBGrid3 = nullptr;
    BvButton *vekbutton4 = nullptr;
    BvButton *vekbutton2 = nullptr;
    BvButton *vekbutton5 = nullptr;
    FrameFendrixon *xpFrame3 = nullptr;
    QLineEdit *Text2 = nullptr;
    BvButton *ekle2 = nullptr;

    // ---- stock in and out
    QFrame *frmStokEkle = nullptr;
    QLineEdit *xpText2 = nullptr; // the current product's stock
    QLineEdit *xpText3 = nullptr; // the quantity
    BvButton *btnYukari = nullptr;
    BvButton *btnAsagi = nullptr;
    BvButton *BvButton5 = nullptr;  // "Ekle"
    BvButton *BvButton16 = nullptr; // "Çıkar"
    BvButton *BvButton3 = nullptr;  // "Vazgeç"

    // ---- product codes
    QMenu *mnuBarkodUret = nullptr;
    QAction *mnuEan13 = nullptr;
    QAction *mnuEan8 = nullptr;
    QAction *mnuRas13 = nullptr;
    QAction *mnuRas10 = nullptr;

    // ---- stock values
    QFrame *Frame1 = nullptr; // "Tutarlar Hesaplanıyor..."
    QLineEdit *Text9 = nullptr;
    pv::Timer *Timer1 = nullptr;

    // ---- report
    pv::HandOff veresiyedllyol{QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=")};
    pv::HandOff veresiyedllyol2;
    pv::HandOff veresiyedllyol3{QStringLiteral(";Persist Security Info=False")};
    pv::HandOff veresiyedllyol4;

    StokArama *arama = nullptr;
    UrunGruplari *gruplar = nullptr;
    StokIslemleri *islemler = nullptr;

    // ---- procedures
    void btnYetki_Click();
    void Controlls();
    bool editing() const; // a product is being added or edited
    // What the main window's stock button does to an open card: the list read again,
    // unless a product is pending, which a re-read would drop.
    void refreshList();
    void btnParaSifirAyari_Click();
    // A drop-down filled again with the names of a lookup list as it stands; the name picked
    // stays picked while it is listed.
    void fillList(pv::DataControl *dc, const QString &field, QComboBox *list);
    // The list's count, then the five totals, each read once.
    void countAndTotals();

    // ---- handlers
    void txtYetki_Change();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void cmdFirst_Click();
    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void yokbuton_Click();
    void DBGrid1_DblClick();
    void txtPCode_Change();
    void txtOnHand_Change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCard();
    void buildCommands();
    void bindCard();
    void setTabOrder();
    // The price decimals of the product shown, or of the unit it is saved with while editing.
    QString priceFormat() const;
    bool checkRequired();
    bool checkValues();
    qint64 currentId();
    void showAtId(qint64 id);

    pv::DataGridModel *m_grid = nullptr;
    bool m_editing = false;
    qint64 m_editId = 0; // the product being edited, 0 for a new one
};
