#pragma once
// The stock card's searches, list commands, sorts and the grand totals: a panel that builds
// the search frame, the list menu, the sort buttons and the totals row on the card and
// answers their events. It lists into the card's product list and asks the card only
// whether a product is pending; the card calls the totals after its own commands.
#include "platform/forms/HandOff.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class BvButton;
class FrameFendrixon;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QWidget;

namespace pv
{
class DataControl;
}

class StokArama : public QObject
{
    Q_OBJECT
public:
    static const QString kAllProducts;

    struct Hooks {
        std::function<bool()> editing; // a product is added or edited: the list is not read again
    };

    StokArama(QWidget &card, pv::DataControl &Data1, Hooks hooks);

    // ---- search panel
    FrameFendrixon *aramaFrame = nullptr; // "Ürün Arama & Stok Ekleme"
    QComboBox *txtAra = nullptr;
    QLineEdit *aramatext = nullptr;  // name
    QLineEdit *aramatext2 = nullptr; // code
    QComboBox *aramatext3 = nullptr; // category
    QComboBox *aramatext4 = nullptr; // class
    QComboBox *aramatext5 = nullptr; // VAT kind: never filled, it shows its design text only
    QLineEdit *aramatext6 = nullptr; // VAT rate
    QLabel *Label22 = nullptr;
    BvButton *btnSec = nullptr; // "+/-": asks for the stock panel

    // ---- list menu
    QMenu *mnuIslemler = nullptr;
    QAction *mnuTum = nullptr;
    QAction *mnuSou = nullptr;
    QAction *mnukso = nullptr;
    QAction *mnuskt = nullptr;
    pv::HandOff Text5{QStringLiteral("1")}; // the least stock of "in stock"
    pv::HandOff tarih;                      // current month "MM/YYYY"

    // ---- sorts and totals: under the list, Z to A leftmost, the totals beside them
    BvButton *azBTN1 = nullptr;
    BvButton *zaBTN1 = nullptr;
    BvButton *BvButton6 = nullptr;
    BvButton *BvButton7 = nullptr;
    QLineEdit *txtPrice2 = nullptr;
    QLineEdit *txtPrice3 = nullptr;
    QLineEdit *txtPrice4 = nullptr;
    QLineEdit *txtPrice5 = nullptr;
    QLineEdit *txtPrice6 = nullptr;

    pv::DataControl *Data5 = nullptr; // categories of the category search
    pv::DataControl *Data6 = nullptr; // the sums

    void loadCategories();                      // at load: the category search's names
    void refillCategories();                    // after a category was added or deleted
    void loadItems(const QStringList &classes); // the search modes and the class search, at load
    // The searches, sorts and "+/-": off while a product is pending or the values are walked.
    void setEnabled(bool on);
    // The four money sums of the last totals read, if they were read.
    std::optional<std::array<double, 4>> moneySums() const;
    // The totals row's four money boxes show these.
    void showMoneyTotals(const std::array<double, 4> &totals);

    void txtAra_Click();
    void Command1_Click(); // code search
    void Command3_Click(); // name search
    void aramatext3_Click();
    void aramatext4_Click();
    void aramatext5_Click();
    void BvButton2_Click(); // the list menu
    void mnuTum_Click();
    void mnuSou_Click();
    void mnukso_Click();
    void mnuskt_Click();
    void topla2_Click(); // the five grand totals

public slots:
    // Connected by name to the form file's controls.
    void aramatext6_Change();
    void azBTN1_Click();
    void zaBTN1_Click();

signals:
    void stockPanelAsked(); // "+/-" was pressed

private:
    void build(QWidget &card);
    void list(const QString &sql, const QVariantList &params = {});
    void prefixSearch(const QString &field, const QString &text);

    pv::DataControl &m_list;
    Hooks m_hooks;
};
