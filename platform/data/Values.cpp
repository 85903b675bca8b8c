#include "platform/data/Values.h"
#include "platform/text/Formats.h"

#include <QDateTime>
#include <cmath>

namespace pv
{

ColumnKind columnKindOf(const QString &declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("INT")))
        return ColumnKind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
        t.contains(QLatin1String("TEXT")))
        return ColumnKind::Text;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return ColumnKind::Date;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return ColumnKind::Blob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB")))
        return ColumnKind::Real;
    return ColumnKind::Numeric;
}

QDateTime parseDateText(const QString &text)
{
    const QString s = text.trimmed();
    if (const auto d = parseDate(s))
        return QDateTime(*d, QTime(0, 0));
    // A date with its time ("08.12.2026 14:30:05"), or a DATE column's own ISO text.
    const qsizetype blank = s.indexOf(u' ');
    if (blank > 0) {
        const auto d = parseDate(s.left(blank));
        const auto t = parseTime(s.mid(blank + 1).trimmed());
        if (d && t)
            return QDateTime(*d, *t);
    }
    for (const char *f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(f));
        if (dt.isValid())
            return dt;
    }
    return {};
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
        return plainNumber(stored.toDouble());
    case QMetaType::QDate:
        return stored.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return dateDisplay(stored.toDateTime());
    case QMetaType::QString:
        if (kind == ColumnKind::Date) {
            const QString s = stored.toString();
            // Read without a QDateTime: a local-time QDateTime consults the time zone on
            // every construction, which made reading a list of dates slow.
            if (s.size() >= 10 && s.at(4) == u'-') {
                const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
                const QString rest = s.mid(10).trimmed();
                const QTime t =
                    rest.isEmpty() ? QTime(0, 0) : QTime::fromString(rest, QStringLiteral("HH:mm:ss"));
                if (d.isValid() && t.isValid())
                    return t == QTime(0, 0) ? d.toString(QStringLiteral("dd.MM.yyyy"))
                                            : d.toString(QStringLiteral("dd.MM.yyyy ")) +
                                                  t.toString(QStringLiteral("HH:mm:ss"));
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
    return t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::UInt ||
           t == QMetaType::ULongLong || t == QMetaType::Double || t == QMetaType::Float ||
           t == QMetaType::Bool;
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
    // A box's text, looked at in place: a posting pass stores thousands of them.
    const QString *text = t == QMetaType::QString ? static_cast<const QString *>(given.constData()) : nullptr;
    if (text && text->isEmpty())
        return QVariant();
    const bool isDate = t == QMetaType::QDate || t == QMetaType::QDateTime;

    switch (kind) {
    case ColumnKind::Text:
        if (t == QMetaType::Bool)
            return QVariant(given.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
        if (isNumberType(t))
            return QVariant(t == QMetaType::Double || t == QMetaType::Float
                                ? plainNumber(given.toDouble())
                                : QString::number(given.toLongLong()));
        if (t == QMetaType::QDate)
            return QVariant(given.toDate().toString(QStringLiteral("dd.MM.yyyy")));
        if (t == QMetaType::QDateTime)
            return QVariant(dateDisplay(given.toDateTime()));
        return text ? given : QVariant(given.toString());
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
            const auto parsed = toNumber(text ? *text : given.toString());
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
        else if (text)
            dt = parseDateText(*text);
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
