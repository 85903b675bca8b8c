#pragma once
// The stock card's category (urun_marka) and supplier (urun_reyon) panels: list, add and
// delete names. Built on the card over the card's lookup lists, opened from its "EKLE"
// buttons while editing; a name added or deleted is told by a signal, so the card offers
// its lists again.
#include <QObject>
#include <QString>

class BvButton;
class FrameFendrixon;
class QFrame;
class QLineEdit;
class QTableView;
class QWidget;

namespace pv
{
class Database;
class DataControl;
} // namespace pv

class UrunGruplari : public QObject
{
    Q_OBJECT
public:
    // Data4 holds the categories, Data2 the suppliers; db takes the writes.
    UrunGruplari(QWidget &card, pv::DataControl &Data4, pv::DataControl &Data2, pv::Database &db);

    // ---- categories panel
    QFrame *urunmarkafrm = nullptr;
    QTableView *DBGrid2 = nullptr;
    BvButton *MyButton2 = nullptr;  // " Ekle"
    BvButton *MyButton1 = nullptr;  // "Seçili Kaydı Sil"
    BvButton *vekbutton6 = nullptr; // " Kapat"
    FrameFendrixon *urunmarkafrm2 = nullptr;
    QLineEdit *Text1 = nullptr;
    BvButton *ekles = nullptr;

    // ---- suppliers panel
    QFrame *reyonfrm = nullptr;
    QTableView *DBGrid3 = nullptr;
    BvButton *vekbutton4 = nullptr;
    BvButton *vekbutton2 = nullptr;
    BvButton *vekbutton5 = nullptr;
    FrameFendrixon *xpFrame3 = nullptr;
    QLineEdit *Text2 = nullptr;
    BvButton *ekle2 = nullptr;

    void MyButton7_Click();   // categories panel
    void btnTdrkEkle_Click(); // suppliers panel

public slots:
    // Connected by name to the form file's controls.
    void MyButton2_Click();  // category add sub-panel
    void vekbutton4_Click(); // supplier add sub-panel
    void ekles_Click();
    void ekle2_Click();
    void urunmarkafrm2_Click();
    void MyButton1_Click();  // delete the selected category
    void vekbutton2_Click(); // delete the selected supplier
    void vekbutton6_Click();
    void vekbutton5_Click();

signals:
    // A name was added or deleted: the lists that offer these names are filled again.
    void categoriesChanged();
    void suppliersChanged();

private:
    struct Kind;
    void build(QWidget &card);
    Kind categories() const;
    Kind suppliers() const;
    void save(const Kind &k);
    void remove(const Kind &k);

    pv::DataControl &m_categories;
    pv::DataControl &m_suppliers;
    pv::Database &m_db;
};
