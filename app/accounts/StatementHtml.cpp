#include "app/accounts/StatementHtml.h"

#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/CodePage1254.h"
#include "platform/text/Formats.h"

#include <QSaveFile>

namespace statement
{

namespace
{

// Values from the database and the form are text, never markup.
QString escaped(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

const char *const kHeadings[] = {"TARİH", "SAAT",        "İŞLEM TÜRÜ", "AÇIKLAMA", "MİKTAR",
                                 "BİRİM", "BİRİM FİYAT", "BORÇ",       "ALACAK"};

} // namespace

bool ledgerRows(pv::Database &db, const QString &code, QList<QStringList> *rows)
{
    pv::Recordset rs;
    if (!rs.open(db, QStringLiteral("select * from veresiye where mus_kodu = ? ORDER BY Tarih2, Saat asc"),
                 {code}))
        return false;
    rows->clear();
    for (int r = 0; r < rs.RecordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 9; ++c)
            cells << rs.textAt(r, c);
        rows->append(cells);
    }
    return true;
}

QByteArray html(const Input &in)
{
    QStringList lines;
    const QString q = QStringLiteral("\"");
    lines << QStringLiteral("<html>") << QString() << QStringLiteral("<head>")
          << QStringLiteral("<meta charset=") + q + QStringLiteral("windows-1254") + q + QStringLiteral(">")
          << QStringLiteral("<title>Cari Hareket Hesap Özeti ") +
                 in.day.toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral("</title>")
          << QString() << QStringLiteral("<br>")
          << QStringLiteral("<b>") + escaped(in.customer) + QStringLiteral("</b><br>")
          << QStringLiteral("<br>")
          << QStringLiteral("Toplam Borç : <b>") + escaped(pv::Format(in.debt, QStringLiteral("Currency"))) +
                 QStringLiteral("</b><br>")
          << QStringLiteral("Toplam Ödenen : <b>") +
                 escaped(pv::Format(in.paid, QStringLiteral("Currency"))) + QStringLiteral("</b><br>")
          << QStringLiteral("Toplam Bakiye : <b>") +
                 escaped(pv::Format(in.balance, QStringLiteral("Currency"))) + QStringLiteral("</b><br>")
          << QStringLiteral("Hesap Türü : <b>") + escaped(in.currency) + QStringLiteral(" Hesabı</b><br>")
          << QStringLiteral("<br>")
          << QStringLiteral("<table border=") + q + QStringLiteral("1") + q + QStringLiteral(">")
          << QStringLiteral("<tr>");
    for (const char *h : kHeadings)
        lines << QStringLiteral("   <td align=") + q + QStringLiteral("left") + q +
                     QStringLiteral(" bgcolor=") + q + QStringLiteral("#999999") + q +
                     QStringLiteral("><b>&nbsp;&nbsp;") + QString::fromUtf8(h) +
                     QStringLiteral("&nbsp;&nbsp;</b></td>");
    lines << QStringLiteral("</tr>");
    for (qsizetype n = 0; n < in.rows.size(); ++n) {
        const QString colour = n % 2 == 0 ? QStringLiteral("#ffffff") : QStringLiteral("#CCF2FF");
        lines << QStringLiteral("<tr>");
        const QStringList &cells = in.rows.at(n);
        for (int c = 0; c < 9; ++c)
            lines << QStringLiteral("   <td bgcolor=") + q + colour + q + QStringLiteral("align=") + q +
                         QStringLiteral("left") + q + QStringLiteral(">") + escaped(cells.value(c)) +
                         QStringLiteral("</td>");
        lines << QStringLiteral("</tr>");
    }
    lines << QStringLiteral("</table>") << QString() << QStringLiteral("</head>") << QString()
          << QStringLiteral("</html>") << QStringLiteral("<br>")
          << QStringLiteral("Pelvanor - Veresiye ve Cari Hesap Takip Programı") << QStringLiteral("<br>");

    QByteArray out;
    for (const QString &line : lines)
        out += pv::toCodePage1254(line, pv::Unmappable::CharacterReference) + "\r\n";
    return out;
}

bool write(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *reason = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        *reason = f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}

} // namespace statement
