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
// The searches, list commands, sorts and totals are the panel StokArama, the category and
// supplier panels UrunGruplari, stock in and out, product codes, the stock-value walk and
// the report StokIslemleri: each loads its own panel of frmProduct.form.json onto
// the card, owns those controls and reaches the card through hooks and signals; the card's
// own buttons call their handlers.
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

#include <QString>

#include <array>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class StokArama;
class StokIslemleri;
class UrunGruplari;

namespace pv
{
class DataControl;
class DataGridModel;
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
    // The supplier takes the free last row on the left, as wide as the category: a firm's
    // name does not fit the short boxes of the right column.
    QLineEdit *txtLocation = nullptr;
    QComboBox *cboLocation = nullptr;
    pv::HandOff txtKayitTarihi, txtMonth, txtYear, txtKDV, txtKdvOran;
    pv::HandOff txtAlisFiyatiTopTut, txtSatisFiyatiTopTut, txtSatisFiyati2TopTut, txtSatisFiyati3TopTut;
    pv::HandOff txtIsletmeIsmi; // surum.marketadi

    // ---- list
    QTableView *DBGrid1 = nullptr;
    QLineEdit *ceksayi7 = nullptr; // "Toplam N Ürün Listelendi..."
    pv::HandOff Text7;             // rows listed at the last count

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
    BvButton *btnTutarHesapla = nullptr;
    BvButton *btnPrint = nullptr;
    BvButton *MyButton7 = nullptr;   // categories panel
    BvButton *btnTdrkEkle = nullptr; // suppliers panel

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
    void Command2_Click(); // the listed count
    // The list's count, then the five totals, each read once.
    void countAndTotals();

    // ---- handlers
    void txtYetki_Change();
    void DBGrid1_DblClick();

public slots:
    // Connected by name to the form file's controls.
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
    void txtPCode_Change();
    void txtOnHand_Change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCard();
    void buildPanels();
    void bindCard();
    // The price decimals of the product shown, or of the unit it is saved with while editing.
    QString priceFormat() const;
    std::array<QLineEdit *, 4> priceBoxes() const; // purchase price, sale prices 1 to 3
    bool checkRequired();
    bool checkValues();
    qint64 currentId();
    void showAtId(qint64 id);

    pv::DataGridModel *m_grid = nullptr;
    bool m_editing = false;
    qint64 m_editId = 0; // the product being edited, 0 for a new one
};
