#include "app/ledger/Customers.h"

#include "app/ledger/LedgerWrite.h"
#include "app/ledger/Rows.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"

#include <QRegularExpression>

namespace pv::ledger
{

namespace
{

// Debt and paid of the rows a select of the two sums finds, in one reading of them: a sum
// over no rows is 0; a read that failed leaves its reason in error.
Totals totals(pv::Database &db, const QString &sql, const QVariantList &params)
{
    Totals t;
    const pv::Recordset rs(db, sql, params);
    if (!rs.isOpen() || rs.RecordCount() != 1) {
        t.error = rs.lastError().message.isEmpty() ? QStringLiteral("read failed") : rs.lastError().message;
        return t;
    }
    t.debt = rs.valueAt(0, 0).toDouble();
    t.paid = rs.valueAt(0, 1).toDouble();
    return t;
}

// Writes fields into the first customer row the condition finds, through the record set
// as the windows' boxes were written, so that every writer of the row stores the same
// forms. *found tells whether there was a row; false with the reason when the write failed.
bool writeCustomerFields(LedgerTransaction &tx, pv::Database &db, const QString &condition,
                         const QVariantList &params, const FieldValues &fields, bool *found, QString *error)
{
    pv::Recordset rs(db, QStringLiteral("select * from musteriler where %1 order by id asc").arg(condition),
                     params);
    *found = false;
    if (rs.lastError()) {
        *error = rs.lastError().message;
        return false;
    }
    if (!rs.hasCurrent())
        return true;
    *found = true;
    return writeFields(tx, rs, fields, error);
}

// The fields written into the customer row of that id in a transaction of their own.
Result updateCustomer(pv::Database &db, qint64 customerId, const FieldValues &fields)
{
    if (fields.isEmpty())
        return Result::success();
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    bool found = false;
    QString error;
    if (!writeCustomerFields(tx, db, QStringLiteral("id = ?"), {customerId}, fields, &found, &error))
        return Result::failure(error);
    if (!found)
        return Result::failure(QStringLiteral("Müşteri kaydı bulunamadı."));
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

pv::Counter customerCounter(pv::Database &db)
{
    return pv::Counter(db, QStringLiteral("son_musterino"), QStringLiteral("musterino"));
}

pv::Counter receiptCounter(pv::Database &db)
{
    return pv::Counter(db, QStringLiteral("yedek_yeri"), QStringLiteral("yolu"));
}

} // namespace

double Totals::shownBalance() const
{
    return roundedMoney(roundedMoney(debt) - roundedMoney(paid));
}

Totals customerTotals(pv::Database &db, const QString &customerCode)
{
    return totals(db, QStringLiteral("select sum(Eklenen), sum(Odenen) from veresiye where mus_kodu = ?"),
                  {customerCode});
}

Totals rangeTotals(pv::Database &db, const QString &customerCode, const QDate &from, const QDate &to)
{
    return totals(
        db,
        QStringLiteral(
            "select sum(Eklenen), sum(Odenen) from veresiye where Tarih2 between ? and ? and mus_kodu = ?"),
        {pv::dateKey(from), pv::dateKey(to), customerCode});
}

std::optional<double> balance(pv::Database &db, const QString &customerCode)
{
    const Totals t = customerTotals(db, customerCode);
    return t.ok() ? std::optional<double>(t.balance()) : std::nullopt;
}

AccountSummary postedOn(const QDate &day)
{
    return {day, 0, day};
}

bool storeAccountSummary(LedgerTransaction &tx, pv::Database &db, const QString &customerCode,
                         const AccountSummary &fields, QString *error)
{
    const Totals t = customerTotals(db, customerCode);
    if (!t.ok()) {
        *error = t.error;
        return false;
    }
    FieldValues written{{QStringLiteral("Bakiye"), t.shownBalance()}};
    if (fields.lastEntry)
        written.append({QStringLiteral("Sonislem"), *fields.lastEntry});
    if (fields.days)
        written.append({QStringLiteral("Gun"), *fields.days});
    if (fields.visited)
        written.append({QStringLiteral("Sonislem2"), pv::dateKey(*fields.visited)});
    bool found = false;
    return writeCustomerFields(tx, db, QStringLiteral("mus_kodu = ?"), {customerCode}, written, &found,
                               error);
}

Result closeAccount(pv::Database &db, const QString &customerCode, const AccountSummary &fields)
{
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    if (QString error; !storeAccountSummary(tx, db, customerCode, fields, &error))
        return Result::failure(error);
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

std::optional<qint64> customerNumberOf(const QString &code)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    if (!digits.match(code).hasMatch())
        return std::nullopt;
    return code.toLongLong();
}

Result addCustomer(pv::Database &db, const NewCustomer &c)
{
    if (!c.createdOn.isValid())
        return Result::failure(pv::kBadDateMessage);
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    // Compared as the unique key compares it (its collation): a taken code is told as such.
    const auto taken =
        db.tryScalar(QStringLiteral("select count(*) from musteriler where mus_kodu = ?"), {c.code});
    if (!taken)
        return Result::failure(db.lastError().message);
    if (taken->toLongLong() > 0)
        return Result::failure(kCustomerCodeTaken);
    QString error;
    if (!addRow(tx, db, QStringLiteral("musteriler"),
                {{QStringLiteral("mus_kodu"), c.code},
                 {QStringLiteral("MusteriFirma"), c.name},
                 {QStringLiteral("ilgili"), c.contact},
                 {QStringLiteral("Telefon1"), c.phone},
                 {QStringLiteral("Telefon2"), c.fax},
                 {QStringLiteral("Gsm"), c.mobile},
                 {QStringLiteral("Adres"), c.address},
                 {QStringLiteral("vd"), c.taxOffice},
                 {QStringLiteral("vdn"), c.taxNumber},
                 {QStringLiteral("mail"), c.mail},
                 {QStringLiteral("Turu"), c.type},
                 {QStringLiteral("MusGrup"), c.group},
                 {QStringLiteral("ParaTuru"), c.currency},
                 {QStringLiteral("foto"), c.photo},
                 {QStringLiteral("Sonislem"), c.createdOn},
                 {QStringLiteral("Bakiye"), 0.0},
                 {QStringLiteral("Sonislem2"), pv::dateKey(c.createdOn)}},
                &error))
        return Result::failure(error);
    // A code that is no whole number, or one below the counter, leaves the counter alone:
    // it never goes back to numbers already handed out.
    if (const auto number = customerNumberOf(c.code); number && !takeCustomerNumber(tx, db, *number, &error))
        return Result::failure(error);
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

Result updateCustomerCard(pv::Database &db, qint64 customerId, const CustomerCardEdit &edit)
{
    FieldValues fields;
    const std::pair<const char *, const std::optional<QString> *> all[] = {
        {"MusteriFirma", &edit.name}, {"Telefon1", &edit.phone},   {"Adres", &edit.address},
        {"ilgili", &edit.contact},    {"mail", &edit.mail},        {"Telefon2", &edit.fax},
        {"Gsm", &edit.mobile},        {"vd", &edit.taxOffice},     {"vdn", &edit.taxNumber},
        {"Turu", &edit.type},         {"ParaTuru", &edit.currency}};
    for (const auto &[name, value] : all)
        if (*value)
            fields.append({QLatin1String(name), **value});
    return updateCustomer(db, customerId, fields);
}

Result updateCustomerNote(pv::Database &db, qint64 customerId, const QString &note)
{
    return updateCustomer(db, customerId, {{QStringLiteral("Not"), note}});
}

Result storeDayCounts(pv::Database &db, const QList<DayCount> &counts, QList<bool> *stored)
{
    stored->clear();
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    // By the row's key: the code's index compares by collation, the key does not.
    for (const DayCount &c : counts)
        stored->append(
            db.exec(QStringLiteral("UPDATE musteriler SET Gun = ? WHERE id = ?"), {c.days, c.customerId}));
    if (!tx.commit()) {
        stored->fill(false);
        return Result::failure(tx.lastError().message);
    }
    return Result::success();
}

std::optional<qint64> customerNumber(pv::Database &db, QString *error)
{
    pv::Counter counter = customerCounter(db);
    const auto held = counter.tryValue();
    if (!held && error)
        *error = counter.lastError().message;
    return held;
}

bool takeCustomerNumber(LedgerTransaction &, pv::Database &db, qint64 number, QString *error)
{
    pv::Counter counter = customerCounter(db);
    const auto held = counter.tryValue();
    if (held && number <= *held)
        return true;
    if (held && counter.write(number))
        return true;
    if (error)
        *error = counter.lastError().message;
    return false;
}

std::optional<qint64> customerReceiptNumber(pv::Database &db, QString *error)
{
    pv::Counter counter = receiptCounter(db);
    const auto held = counter.tryValue();
    if (!held && error)
        *error = QStringLiteral("Makbuz numarası okunamadı: ") + counter.lastError().message;
    return held;
}

bool setCustomerReceiptNumber(pv::Database &db, qint64 next, QString *error)
{
    pv::Counter counter = receiptCounter(db);
    if (counter.write(next))
        return true;
    if (error)
        *error = counter.lastError().message;
    return false;
}

Result deleteCustomer(pv::Database &db, qint64 customerId, const QString &customerCode)
{
    LedgerTransaction tx(db);
    if (!tx.isActive())
        return Result::failure(tx.lastError().message);
    if (!db.exec(QStringLiteral("delete from veresiye where mus_kodu = ?"), {customerCode}) ||
        !db.exec(QStringLiteral("delete from musteriler where id = ?"), {customerId}))
        return Result::failure(db.lastError().message);
    if (!tx.commit())
        return Result::failure(tx.lastError().message);
    return Result::success();
}

} // namespace pv::ledger
