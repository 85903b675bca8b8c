#pragma once
// The stock card's operations on the listed products: stock in and out of the current
// product, the product-code generator, the stock-value walk and the stock report. Builds
// their panels and menus on the card and answers their events.
#include "app/ledger/Stock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <random>
#include <vector>

class frmProduct;

class StokIslemleri : public QObject
{
    Q_OBJECT
public:
    explicit StokIslemleri(frmProduct &w);

    // ---- stock in and out
    void btnSec_Click();
    void btnYukari_Click();
    void btnAsagi_Click();
    void BvButton5_Click();  // stock in
    void BvButton16_Click(); // stock out
    void BvButton3_Click();

    // ---- product codes
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
    void btnYol_Click();
    void btnPrint_Click();

    // The card entered edit mode: the stock panel closes, the walk cannot start.
    void modeChanged(bool editing);

private:
    struct WalkRow {
        qint64 id = 0;
        std::optional<double> stock;
        std::optional<double> prices[4];
        double stored[4] = {0, 0, 0, 0}; // the values the row held, for the running totals
        QString unit;
    };
    void build();
    void changeStock(int sign, const QString &emptyMessage, const QString &done);
    void endWalk();
    bool writeGroup();
    void lockForWalk(bool on);
    void showTotals();

    frmProduct &w;
    std::mt19937 m_random;
    bool m_walking = false;
    std::vector<WalkRow> m_walk;
    size_t m_next = 0;
    double m_totals[4] = {0, 0, 0, 0};
    // Computed values are written in groups, each in one transaction begun and committed
    // within one tick, so that no other window's posting joins a transaction of the walk.
    QList<pv::ledger::ProductStockValues> m_group;
    QElapsedTimer m_sinceWrite;
    GroupWriter m_writeGroup = [](pv::Database &db, const QList<pv::ledger::ProductStockValues> &group) {
        return pv::ledger::writeStockValues(db, group);
    };
};
