#include "platform/components/ClassRegistry.h"

namespace pv {

ClassRegistry &ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

int ClassRegistry::indexOf(const QString &className) const
{
    for (int i = 0; i < int(m_entries.size()); ++i)
        if (m_entries[size_t(i)].name.compare(className, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ClassRegistry::registerClass(const QString &className, ControlFactory factory)
{
    if (indexOf(className) >= 0 || !factory)
        return false;
    m_entries.push_back({className, std::move(factory)});
    return true;
}

bool ClassRegistry::unregisterClass(const QString &className)
{
    const int i = indexOf(className);
    if (i < 0)
        return false;
    m_entries.erase(m_entries.begin() + i);
    return true;
}

bool ClassRegistry::isRegistered(const QString &className) const { return indexOf(className) >= 0; }

QStringList ClassRegistry::classNames() const
{
    QStringList out;
    for (const auto &e : m_entries)
        out << e.name;
    return out;
}

QWidget *ClassRegistry::create(const QString &className, QWidget *parent, const PropertyBag &design) const
{
    const int i = indexOf(className);
    return i < 0 ? nullptr : m_entries[size_t(i)].factory(parent, design);
}

} // namespace pv
