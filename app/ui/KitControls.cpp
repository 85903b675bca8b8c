// The window's controls taken by name, checked: a helper class takes them once, and a name
// that finds nothing is told rather than passed over.
#include "app/ui/Kit.h"

#include <QMetaObject>
#include <QWidget>

namespace ui
{

namespace detail
{

QWidget *findControl(QWidget *window, const char *name, const QMetaObject &type)
{
    QWidget *found = window->findChild<QWidget *>(QLatin1String(name));
    if (found && found->metaObject()->inherits(&type))
        return found;
    // The harness fails any test on a warning that starts so.
    qWarning("form file: %s has no %s named %s", qPrintable(window->objectName()), type.className(), name);
    return nullptr;
}

} // namespace detail

QList<QWidget *> controls(QWidget *window, std::initializer_list<const char *> names)
{
    QList<QWidget *> found;
    for (const char *name : names)
        found << control<QWidget>(window, name);
    return found;
}

} // namespace ui
