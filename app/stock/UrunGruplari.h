#pragma once
// The stock card's category (urun_marka) and supplier (urun_reyon) panels: list, add and
// delete names. Built on the card, reached from its "EKLE" buttons while editing.
#include <QObject>

class frmProduct;
class QLineEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class UrunGruplari : public QObject
{
    Q_OBJECT
public:
    explicit UrunGruplari(frmProduct &w);

    void MyButton7_Click();   // categories panel
    void btnTdrkEkle_Click(); // suppliers panel
    void MyButton2_Click();   // category add sub-panel
    void vekbutton4_Click();  // supplier add sub-panel
    void ekles_Click();
    void ekle2_Click();
    void urunmarkafrm2_Click();
    void MyButton1_Click();  // delete the selected category
    void vekbutton2_Click(); // delete the selected supplier
    void vekbutton6_Click();
    void vekbutton5_Click();

private:
    struct Kind;
    void build();
    Kind categories() const;
    Kind suppliers() const;
    void save(const Kind &k);
    void remove(const Kind &k);
    void refill(const Kind &k);

    frmProduct &w;
};
