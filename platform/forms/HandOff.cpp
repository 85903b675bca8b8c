#include "platform/forms/HandOff.h"
#include "platform/databind/DataControl.h"

#include <QPointer>

namespace pv
{

HandOff::HandOff(QObject *parent) : QObject(parent) {}

HandOff::HandOff(const QString &initial, QObject *parent) : QObject(parent), m_text(initial) {}

void HandOff::setText(const QString &text)
{
    // A null and an empty text are the same value to a text box.
    if (text == m_text || (text.isEmpty() && m_text.isEmpty()))
        return;
    m_text = text;
    emit changed(m_text);
}

void bindField(DataControl &control, HandOff &field, const QString &fieldName)
{
    QPointer<HandOff> f(&field);
    control.bind(
        &field, fieldName,
        [f](const QString &text) {
            if (f)
                f->setText(text);
        },
        [f] { return f ? f->text() : QString(); });
}

} // namespace pv
