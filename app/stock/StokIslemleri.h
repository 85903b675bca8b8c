#pragma once
// The stock card's operations on the listed products: stock in and out of the current
// product, the product-code generator, the stock-value walk and the stock report. A panel
// that builds their panels and menus on the card and answers their events; the card's
// buttons call its handlers, and it reaches the card through the hooks.
#include "app/ledger/Stock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <random>
#include <vector>

class BvButton;
class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class QWidget;

namespace pv
{
class DataControl;
class Timer;
} // namespace pv

class StokIslemleri : public QObject
{
    Q_OBJECT
public:
    using Sums = std::array<double, 4>; // purchase value and the three sale values

    struct Hooks {
        std::function<bool()> editing;                 // a product is added or edited
        std::function<void()> redrawList;              // the list shows the stock written
        std::function<std::optional<Sums>()> totals;   // the grand totals read and shown again
        std::function<void(const Sums &)> showTotals;  // the totals row shows these values
        std::function<void(bool)> lock;                // the card's commands during the walk
        std::function<void(const QString &)> codeMade; // a new product code for the card
    };

    // Data1 is the card's product list; db takes the writes.
    StokIslemleri(QWidget &card, pv::DataControl &Data1, pv::Database &db, Hooks hooks);

    // ---- stock in and out
    QFrame *frmStokEkle = nullptr;
    QLineEdit *xpText2 = nullptr; // the current product's stock
    QLineEdit *xpText3 = nullptr; // the quantity
    BvButton *btnYukari = nullptr;
    BvButton *btnAsagi = nullptr;
    BvButton *BvButton5 = nullptr;  // "Ekle"
    BvButton *BvButton16 = nullptr; // "Çıkar"
    BvButton *BvButton3 = nullptr;  // "Vazgeç"
    void btnSec_Click();
    void btnYukari_Click();
    void btnAsagi_Click();
    void BvButton5_Click();  // stock in
    void BvButton16_Click(); // stock out
    void BvButton3_Click();

    // ---- product codes
    QMenu *mnuBarkodUret = nullptr;
    QAction *mnuEan13 = nullptr;
    QAction *mnuEan8 = nullptr;
    QAction *mnuRas13 = nullptr;
    QAction *mnuRas10 = nullptr;
    int GenType = 0;
    void barkodver_Click();
    void mnuEan13_Click();
    void mnuEan8_Click();
    void mnuRas13_Click();
    void mnuRas10_Click();
    void cmdGenerate_Click();
    // The digit check: from the left, even positions doubled (less 9 above 9), the sum
    // divisible by 10; a character that is no digit counts 0.
    static bool CheckCard(const QString &code);
    // Tests give the generator a fixed start; the window seeds it from the clock.
    void setSeed(unsigned seed) { m_random.seed(seed); }

    // ---- stock values
    QFrame *Frame1 = nullptr; // "Tutarlar Hesaplanıyor..."
    QLineEdit *Text9 = nullptr;
    pv::Timer *Timer1 = nullptr;
    void btnTutarHesapla_Click();
    void Timer1_Timer();
    void Command9_Click();
    bool walking() const { return m_walking; }
    // The window closes: the values computed so far are written and the walk ends.
    void stopWalk();
    // What writes a group of computed values (the ledger's); a benchmark puts its own in to
    // weigh the walk's writes against bare ones.
    using GroupWriter =
        std::function<pv::ledger::Result(pv::Database &, const QList<pv::ledger::ProductStockValues> &)>;
    void setGroupWriter(GroupWriter writer) { m_writeGroup = std::move(writer); }

    // ---- report
    void btnPrint_Click();

    // The card entered edit mode: the stock panel closes.
    void modeChanged(bool editing);

private:
    struct WalkRow {
        qint64 id = 0;
        std::optional<double> stock;
        std::optional<double> prices[4];
        double stored[4] = {0, 0, 0, 0}; // the values the row held, for the running totals
        QString unit;
    };
    void build(QWidget &card);
    void changeStock(int sign, const QString &emptyMessage, const QString &done);
    void endWalk();
    bool writeGroup();
    void lockForWalk(bool on);
    void showTotals();

    QWidget &m_card;
    pv::DataControl &m_list;
    pv::Database &m_db;
    Hooks m_hooks;
    std::mt19937 m_random;
    bool m_walking = false;
    std::vector<WalkRow> m_walk;
    size_t m_next = 0;
    Sums m_totals{};
    // Computed values are written in groups, each in one transaction begun and committed
    // within one tick, so that no other window's posting joins a transaction of the walk.
    QList<pv::ledger::ProductStockValues> m_group;
    QElapsedTimer m_sinceWrite;
    GroupWriter m_writeGroup = [](pv::Database &db, const QList<pv::ledger::ProductStockValues> &group) {
        return pv::ledger::writeStockValues(db, group);
    };
};
