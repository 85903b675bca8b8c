#include "platform/databind/DataControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace pv
{

DataControl::DataControl(QObject *parent) : QObject(parent)
{
    m_rs.setWatcher([this](pv::Recordset::Change c) { onChange(c); });
}

DataControl::~DataControl()
{
    m_rs.setWatcher({});
}

void DataControl::setDatabaseName(const QString &path)
{
    if (path == m_databaseName)
        return;
    m_databaseName = path;
    m_db.close();
}

void DataControl::setRecordSource(const QString &source, const QVariantList &params)
{
    m_source = source;
    m_params = params;
    m_named.clear();
}

void DataControl::setRecordSource(const QString &source, const QVariantMap &params)
{
    m_source = source;
    m_params.clear();
    m_named = params;
}

bool DataControl::Refresh()
{
    m_error = {};
    if (!m_db.isOpen() && !m_db.open(m_databaseName)) {
        m_error = m_db.lastError();
        m_rs.close();
        return false;
    }
    const bool ok =
        m_named.isEmpty() ? m_rs.open(m_db, m_source, m_params) : m_rs.open(m_db, m_source, m_named);
    if (!ok)
        m_error = m_rs.lastError();
    emit Reposition();
    return ok;
}

void DataControl::close()
{
    m_rs.close();
    m_db.close();
}

// ---------------------------------------------------------------- bindings

void showFromStart(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

void DataControl::bind(QObject *owner, const QString &field, std::function<void(const QString &)> showFn,
                       std::function<QString()> read)
{
    unbind(owner);
    auto b = std::make_shared<Binding>(Binding{owner, field, std::move(showFn), std::move(read), QString()});
    m_bindings.push_back(b);
    connect(owner, &QObject::destroyed, this, [this, owner] { unbind(owner); });
    show(b);
}

void DataControl::bind(QLineEdit *w, const QString &field)
{
    bind(
        w, field,
        [w](const QString &t) {
            if (w->text() != t)
                showFromStart(w, t);
        },
        [w] { return w->text(); });
}

void DataControl::bind(QLabel *w, const QString &field)
{
    bind(w, field,
         [w](const QString &t) {
             if (w->text() != t)
                 w->setText(t);
         },
         {});
}

static bool isTrueText(const QString &t)
{
    const QString s = t.trimmed();
    return !s.isEmpty() && s != QLatin1String("0") &&
           s.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
}

void DataControl::bind(QCheckBox *w, const QString &field)
{
    bind(
        w, field, [w](const QString &t) { w->setChecked(isTrueText(t)); },
        [w] { return w->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); });
}

void DataControl::bind(QComboBox *w, const QString &field)
{
    bind(
        w, field,
        [w](const QString &t) {
            if (w->currentText() == t)
                return;
            if (w->isEditable())
                w->setEditText(t);
            else
                w->setCurrentIndex(w->findText(t)); // -1 (no item) when the value is not listed
        },
        [w] { return w->currentText(); });
}

void DataControl::unbind(QObject *owner)
{
    std::erase_if(m_bindings, [owner](const auto &b) { return b->owner.isNull() || b->owner == owner; });
}

// The binding is held by value of its pointer: a change handler the widget runs may bind
// or unbind others, or this one.
void DataControl::show(std::shared_ptr<Binding> b)
{
    if (b->owner.isNull())
        return;
    if (m_saving && !named(m_saving, b->field) && b->read && b->read() != b->shownText)
        return;
    const int idx = m_rs.fieldIndex(b->field);
    const QString text =
        idx >= 0 && (m_rs.hasCurrent() || m_rs.isAdding()) ? m_rs.Fields(idx).text() : QString();
    b->show(text);
    b->shownText = b->read ? b->read() : text;
}

void DataControl::showAll()
{
    // A change handler run by one widget may bind, unbind or re-query; walk a copy.
    const auto all = m_bindings;
    for (const auto &b : all)
        show(b);
}

void DataControl::onChange(pv::Recordset::Change c)
{
    if (c == pv::Recordset::Change::RowsRead) { // the current row is as it was
        emit rowsRead();
        return;
    }
    showAll();
    switch (c) {
    case pv::Recordset::Change::Moved:
        emit Reposition();
        break;
    case pv::Recordset::Change::CurrentRowChanged:
        if (m_rs.hasCurrent())
            emit rowUpdated(m_rs.AbsolutePosition());
        break;
    case pv::Recordset::Change::RowsChanged:
        emit rowsReset();
        break;
    case pv::Recordset::Change::EditStarted:
    case pv::Recordset::Change::RowsRead:
        break;
    }
}

QList<QPair<QString, QString>> DataControl::changedValues() const
{
    return changed(nullptr);
}

QList<QPair<QString, QString>> DataControl::changed(const QStringList *only) const
{
    QList<QPair<QString, QString>> out;
    for (const auto &b : m_bindings) {
        if (b->owner.isNull() || !b->read || !named(only, b->field))
            continue;
        const QString now = b->read();
        if (now != b->shownText)
            out.append({b->field, now});
    }
    return out;
}

bool DataControl::isChanged(const QObject *owner) const
{
    for (const auto &b : m_bindings)
        if (b->owner == owner && b->read)
            return b->read() != b->shownText;
    return false;
}

bool DataControl::UpdateRecord()
{
    return update(nullptr);
}

bool DataControl::UpdateRecord(const QStringList &fields)
{
    m_saving = &fields;
    const bool ok = update(&fields);
    m_saving = nullptr;
    return ok;
}

void DataControl::revertFields(const QStringList &fields)
{
    const auto all = m_bindings;
    for (const auto &b : all)
        if (named(&fields, b->field))
            show(b);
}

bool DataControl::update(const QStringList *only)
{
    m_error = {};
    const auto values = changed(only);
    // An AddNew or Edit the window began on the record set is completed, not restarted.
    const bool pending = m_rs.isEditing();
    if (values.isEmpty() && !pending)
        return true;
    if (!pending) {
        if (!m_rs.Edit()) {
            m_error = m_rs.lastError();
            return false;
        }
    }
    for (const auto &[field, text] : values) {
        if (!m_rs.Fields(field).setValue(text)) {
            m_error = m_rs.lastError();
            m_rs.CancelUpdate();
            showAll();
            return false;
        }
    }
    if (!m_rs.Update()) {
        m_error = m_rs.lastError();
        m_rs.CancelUpdate();
        showAll();
        return false;
    }
    return true;
}

void DataControl::CancelUpdate()
{
    m_rs.CancelUpdate();
    showAll();
}

} // namespace pv
