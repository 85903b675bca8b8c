#pragma once
// What the entry-dialog tests set up and how they type: products and a sale on file (the
// customers are the harness's), the account window opened as the main window hands it over,
// and a snapshot of every table an entry can write.
#include "app/accounts/veresiye2.h"
#include "tests/harness/Harness.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace entryfix
{

using pv::test::Harness;

inline void addProduct(Harness &h, const QString &code, const QString &category, const QString &name,
                       double onHand, double reorder, double price1 = 15,
                       const QString &unit = QStringLiteral("Kg"))
{
    QVERIFY(h.insert(QStringLiteral("Product"), {{QStringLiteral("Product Code"), code},
                                                 {QStringLiteral("Generic Name"), category},
                                                 {QStringLiteral("Brand Name"), name},
                                                 {QStringLiteral("Price"), price1 / 2},
                                                 {QStringLiteral("SatisFiyati"), price1},
                                                 {QStringLiteral("SatisFiyati2"), price1 + 1},
                                                 {QStringLiteral("SatisFiyati3"), price1 + 2},
                                                 {QStringLiteral("OnHand"), onHand},
                                                 {QStringLiteral("Reorder Level"), reorder},
                                                 {QStringLiteral("Unit"), unit}}));
}

// The hand-off the main window makes, then the account window shown.
inline veresiye2 &openAccount(const QString &code, const QString &type = QStringLiteral("Alıcı"))
{
    veresiye2 &w = pv::form<veresiye2>();
    w.setCaption(QStringLiteral("Ahmet / %1 - ( TL/%2 ) HESABI").arg(code, type));
    w.Text10 = code;
    w.txtYetki = QStringLiteral("0");
    w.txtMusTuru = type;
    w.Show();
    Harness::settle();
    return w;
}

// The dialog as the window the user works in, so that fields take the focus.
inline void activate(QWidget &dialog)
{
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QApplication::activeWindow() == &dialog);
}

// A sale already on the account: the collection command needs a ledger row.
inline void addSale(Harness &h, const QString &code, double amount)
{
    QVERIFY(h.insert(QStringLiteral("veresiye"),
                     {{QStringLiteral("Tarih"), QStringLiteral("01.11.2026")},
                      {QStringLiteral("Saat"), QStringLiteral("09:00:00")},
                      {QStringLiteral("Turu"), QStringLiteral("Stoktan Bağımsız Satış")},
                      {QStringLiteral("Eklenen"), amount},
                      {QStringLiteral("Tarih2"), QStringLiteral("20261101")},
                      {QStringLiteral("mus_kodu"), code}}));
}

inline void retype(QWidget *box, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(box))
        e->clear();
    else if (auto *p = qobject_cast<QPlainTextEdit *>(box))
        p->clear();
    Harness::type(box, text);
}

// The user moves on from one field to another.
inline void leave(QWidget *from, QWidget *to)
{
    from->setFocus(Qt::TabFocusReason);
    QVERIFY(from->hasFocus());
    to->setFocus(Qt::TabFocusReason);
    QVERIFY(!from->hasFocus());
}

// Everything an entry can write, as text.
inline QString snapshot(Harness &h)
{
    QString out;
    for (const char *t : {"veresiye", "kasa", "SatisRapor", "Product", "yedek_yeri", "VeresiyeEkleAcik"}) {
        out += QLatin1String(t) + QLatin1Char(':');
        for (const QVariantList &row : h.rows(QStringLiteral("select * from ") + QLatin1String(t))) {
            for (const QVariant &v : row)
                out += v.toString() + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

} // namespace entryfix
