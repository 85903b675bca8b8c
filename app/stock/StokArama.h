#pragma once
// The stock card's searches, list commands, sorts, the listed count and the grand totals.
// It builds the search panel, the sort buttons and the totals row on the card and answers
// their events; the card calls the count and the totals after its own commands.
#include <QObject>
#include <QString>

class frmProduct;

namespace pv
{
class DataControl;
}

class StokArama : public QObject
{
    Q_OBJECT
public:
    static const QString kAllProducts;

    explicit StokArama(frmProduct &w);

    pv::DataControl *Data6 = nullptr; // the sums

    void loadItems(); // the search modes, at load

    void txtAra_Click();
    void Command1_Click(); // code search
    void Command3_Click(); // name search
    void aramatext3_Click();
    void aramatext4_Click();
    void aramatext5_Click();
    void aramatext6_Change();
    void BvButton2_Click();
    void mnuTum_Click();
    void mnuSou_Click();
    void mnukso_Click();
    void mnuskt_Click();
    void azBTN1_Click();
    void zaBTN1_Click();
    void Command2_Click(); // listed count
    void topla2_Click();   // the five grand totals

private:
    void build();
    void list(const QString &sql, const QVariantList &params = {});
    void prefixSearch(const QString &field, const QString &text);

    frmProduct &w;
};
