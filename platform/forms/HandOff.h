#pragma once
// A hidden field that carries a value or a signal between forms. The caller writes it,
// the owner reacts in changed(), which fires only when the text really changes.
//
//   pv::HandOff txtYetki;                                  // member of the callee
//   txtYetki.onChange(this, &kasa::txtYetki_Change);       // in its constructor
//   pv::form<kasa>().txtYetki = txtYetki.text();           // the caller's write
//
// The text is the user property, so a data control can bind it like a text box.
#include <QObject>
#include <QString>

namespace pv
{

class HandOff : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed USER true)
public:
    explicit HandOff(QObject *parent = nullptr);
    explicit HandOff(const QString &initial, QObject *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    HandOff &operator=(const QString &text)
    {
        setText(text);
        return *this;
    }
    // Field to field, as one form copies its value into another's: the text only.
    HandOff &operator=(const HandOff &other)
    {
        setText(other.m_text);
        return *this;
    }
    operator QString() const { return m_text; }

    template <class Receiver, class Slot> QMetaObject::Connection onChange(Receiver *receiver, Slot slot)
    {
        return connect(this, &HandOff::changed, receiver, slot);
    }

signals:
    void changed(const QString &text);

private:
    QString m_text;
};

class DataControl;
// Binds a hand-off field to a field of a data control's current row, as a hidden text
// box bound to it: a row that shows a different value raises changed(), and an explicit
// write-back of the control stores the field's text.
void bindField(DataControl &control, HandOff &field, const QString &fieldName);

} // namespace pv
