#include "platform/components/PropertyBag.h"

namespace pv
{

int PropertyBag::indexOf(const QString &name) const
{
    // Names of another length never match, whatever their case: a control reads dozens of
    // properties from a bag of a few.
    for (int i = 0; i < int(m_items.size()); ++i)
        if (const QString &n = m_items[size_t(i)].name;
            n.size() == name.size() && n.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const int i = indexOf(name);
    if (i < 0)
        return defaultValue;
    m_items[size_t(i)].read = true;
    return m_items[size_t(i)].value;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    if (defaultValue.isValid() && value == defaultValue) {
        remove(name);
        return;
    }
    set(name, value);
}

void PropertyBag::set(const QString &name, const QVariant &value)
{
    const int i = indexOf(name);
    if (i < 0)
        m_items.push_back({name, value});
    else
        m_items[size_t(i)].value = value;
}

bool PropertyBag::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

void PropertyBag::remove(const QString &name)
{
    const int i = indexOf(name);
    if (i >= 0)
        m_items.erase(m_items.begin() + i);
}

QStringList PropertyBag::names() const
{
    QStringList out;
    for (const auto &it : m_items)
        out << it.name;
    return out;
}

QStringList PropertyBag::unreadNames() const
{
    QStringList out;
    for (const auto &it : m_items)
        if (!it.read)
            out << it.name;
    return out;
}

std::optional<bool> designFlag(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (ok)
        return n != 0;
    const QString s = v.toString().trimmed();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace pv
