#pragma once
// The account statement the e-mail window attaches: an HTML page with the customer's
// name, the three totals and one table row per ledger row, in code page 1254 with CR LF
// line ends; the head names the code page, so a browser shows the Turkish letters.
// Widget-free so that the page can be checked byte by byte.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace pv
{
class Database;
}

namespace statement
{

inline const QString kFileName = QStringLiteral("CariHareketRaporu.html");

struct Input {
    QString customer;
    QString debt, paid, balance; // as the account window shows them
    QString currency;            // "TL"
    QDate day;
    QList<QStringList> rows; // nine cells each: Tarih .. Odenen
};

// The customer's ledger rows (code compared whole, not as a pattern), in date-key and
// time order, as the nine cells the page shows. False when the query fails.
bool ledgerRows(pv::Database &db, const QString &code, QList<QStringList> *rows);

QByteArray html(const Input &in);

// Writes the page to path whole (a temporary file renamed over it); false with the
// reason when it could not be written.
bool write(const QString &path, const QByteArray &bytes, QString *reason);

} // namespace statement
