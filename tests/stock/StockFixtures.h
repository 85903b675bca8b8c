#pragma once
// What the stock card's tests share: products, categories and suppliers put in the
// database, the card opened from the main window, and the grid read back.
#include "app/shell/veresiye.h"
#include "app/stock/frmProduct.h"
#include "controls/button/BvButton.h"
#include "tests/harness/Harness.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QTableView>
#include <QtTest>

namespace stockfixtures
{

using pv::test::Harness;

struct Product {
    QString code, name, category = {};
    QVariant onHand = 10, reorder = 2, price = 2.5, sale = 3.0;
    QString unit = QStringLiteral("Adet");
    QString expiry = {};
    QString sinif = {};
    QVariant kdvOran = {};
};

inline void addProduct(Harness &h, const Product &p)
{
    QVERIFY(h.insert(QStringLiteral("Product"), {{QStringLiteral("Product Code"), p.code},
                                                 {QStringLiteral("Brand Name"), p.name},
                                                 {QStringLiteral("Generic Name"), p.category},
                                                 {QStringLiteral("OnHand"), p.onHand},
                                                 {QStringLiteral("Reorder Level"), p.reorder},
                                                 {QStringLiteral("Price"), p.price},
                                                 {QStringLiteral("SatisFiyati"), p.sale},
                                                 {QStringLiteral("Unit"), p.unit},
                                                 {QStringLiteral("Expiration Date"), p.expiry},
                                                 {QStringLiteral("Sinifi"), p.sinif},
                                                 {QStringLiteral("kdvOran"), p.kdvOran}}));
}

inline void addCategory(Harness &h, const QString &name)
{
    QVERIFY(h.insert(QStringLiteral("urun_marka"), {{QStringLiteral("urunmarkaadi"), name}}));
}

inline void addSupplier(Harness &h, const QString &name)
{
    QVERIFY(h.insert(QStringLiteral("urun_reyon"), {{QStringLiteral("reyon"), name}}));
}

// The main window's stock button, as the logged-in user presses it.
inline frmProduct &openCard(const QString &rights = QStringLiteral("0"))
{
    veresiye &main = pv::form<veresiye>();
    if (!main.isVisible()) {
        main.Show();
        Harness::settle();
    }
    main.txtYetki = rights;
    Harness::click(main.stokbut);
    Harness::settle();
    return pv::form<frmProduct>();
}

inline void pick(QComboBox *c, const QString &text)
{
    const int i = c->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    c->setCurrentIndex(i);
    emit c->activated(i);
}

inline QStringList column(frmProduct &f, int col)
{
    QStringList out;
    QAbstractItemModel *m = f.DBGrid1->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, col).data().toString();
    return out;
}

inline QStringList names(frmProduct &f)
{
    return column(f, 1);
}

} // namespace stockfixtures
