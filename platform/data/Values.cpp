#include "platform/data/Values.h"

#include <QDateTime>
#include <cmath>

namespace pv {

ColumnKind columnKindOf(const QString &declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("INT")))
        return ColumnKind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return ColumnKind::Text;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return ColumnKind::Date;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return ColumnKind::Blob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return ColumnKind::Real;
    return ColumnKind::Numeric;
}

std::optional<double> parseNumberText(const QString &text)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = negative != s.startsWith(u'-');
        s = s.mid(1).trimmed();
    } else if (s.endsWith(u'-')) { // trailing sign, as some tills print it
        negative = !negative;
        s.chop(1);
    }
    // Points group thousands, the comma is the decimal sign; an exponent may follow.
    QString exponent;
    const qsizetype e = s.indexOf(u'E', 0, Qt::CaseInsensitive);
    if (e >= 0) {
        exponent = s.mid(e + 1);
        s = s.left(e);
    }
    QByteArray plain;
    bool seenComma = false, seenDigit = false;
    for (const QChar c : std::as_const(s)) {
        if (c >= u'0' && c <= u'9') {
            plain += char(c.unicode());
            seenDigit = true;
        } else if (c == u'.' && !seenComma) {
            continue;
        } else if (c == u',' && !seenComma) {
            plain += '.';
            seenComma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    if (!exponent.isEmpty()) {
        bool ok = false;
        const int ex = exponent.toInt(&ok);
        if (!ok)
            return std::nullopt;
        plain += 'e' + QByteArray::number(ex);
    } else if (e >= 0) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

QDateTime parseDateText(const QString &text)
{
    const QString s = text.trimmed();
    static const char *const formats[] = {"dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy", "d.M.yyyy HH:mm:ss", "d.M.yyyy",
                                          "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"};
    for (const char *f : formats) {
        const QString fmt = QString::fromLatin1(f);
        if (fmt.contains(u'H')) {
            const QDateTime dt = QDateTime::fromString(s, fmt);
            if (dt.isValid())
                return dt;
        } else {
            const QDate d = QDate::fromString(s, fmt);
            if (d.isValid())
                return QDateTime(d, QTime(0, 0));
        }
    }
    return {};
}

QString plainNumberText(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    QString s = QString::number(v, 'g', 15);
    s.replace(u'.', u',');
    s.replace(u'e', u'E');
    return s;
}

static QString dateDisplay(const QDateTime &dt)
{
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
    return dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString displayText(const QVariant &stored, ColumnKind kind)
{
    if (!stored.isValid() || stored.isNull())
        return {};
    switch (stored.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return QString::number(stored.toLongLong());
    case QMetaType::Double:
        return plainNumberText(stored.toDouble());
    case QMetaType::QDate:
        return stored.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return dateDisplay(stored.toDateTime());
    case QMetaType::QString:
        if (kind == ColumnKind::Date) {
            const QString s = stored.toString();
            if (s.size() >= 10 && s.at(4) == u'-') {
                const QDateTime dt = parseDateText(s);
                if (dt.isValid())
                    return dateDisplay(dt);
            }
            return s;
        }
        return stored.toString();
    default:
        return stored.toString();
    }
}

static bool isNumberType(int t)
{
    return t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::UInt || t == QMetaType::ULongLong
           || t == QMetaType::Double || t == QMetaType::Float || t == QMetaType::Bool;
}

static std::optional<QVariant> asInteger(double v)
{
    const double r = std::nearbyint(v); // halves to even, as the old engine rounded
    if (std::fabs(r) > 9.2e18)
        return std::nullopt;
    return QVariant(qint64(r));
}

std::optional<QVariant> storageValue(const QVariant &given, ColumnKind kind)
{
    if (!given.isValid() || given.isNull())
        return QVariant();
    const int t = given.typeId();
    if (t == QMetaType::QString && given.toString().isEmpty())
        return QVariant();
    const bool isDate = t == QMetaType::QDate || t == QMetaType::QDateTime;

    switch (kind) {
    case ColumnKind::Text:
        if (t == QMetaType::Bool)
            return QVariant(given.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
        if (isNumberType(t))
            return QVariant(t == QMetaType::Double || t == QMetaType::Float ? plainNumberText(given.toDouble())
                                                                            : QString::number(given.toLongLong()));
        if (t == QMetaType::QDate)
            return QVariant(given.toDate().toString(QStringLiteral("dd.MM.yyyy")));
        if (t == QMetaType::QDateTime)
            return QVariant(dateDisplay(given.toDateTime()));
        return QVariant(given.toString());
    case ColumnKind::Integer:
    case ColumnKind::Real:
    case ColumnKind::Numeric: {
        if (isDate)
            return std::nullopt;
        double v = 0;
        if (isNumberType(t)) {
            if (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::Bool) {
                const qint64 i = given.toLongLong();
                return kind == ColumnKind::Real ? QVariant(double(i)) : QVariant(i);
            }
            v = given.toDouble();
        } else {
            const auto parsed = parseNumberText(given.toString());
            if (!parsed)
                return std::nullopt;
            v = *parsed;
        }
        if (kind == ColumnKind::Integer)
            return asInteger(v);
        if (kind == ColumnKind::Numeric && v == std::trunc(v) && std::fabs(v) < 9e15)
            return QVariant(qint64(v));
        return QVariant(v);
    }
    case ColumnKind::Date: {
        QDateTime dt;
        if (t == QMetaType::QDate)
            dt = QDateTime(given.toDate(), QTime(0, 0));
        else if (t == QMetaType::QDateTime)
            dt = given.toDateTime();
        else if (t == QMetaType::QString)
            dt = parseDateText(given.toString());
        if (!dt.isValid())
            return std::nullopt;
        if (dt.time() == QTime(0, 0))
            return QVariant(dt.date().toString(Qt::ISODate));
        return QVariant(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    case ColumnKind::Blob:
        if (isDate)
            return storageValue(given, ColumnKind::Text);
        return given;
    }
    return given;
}

} // namespace pv
