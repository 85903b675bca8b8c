#include "platform/forms/Keys.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace pv
{

int keyAscii(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    default:
        break;
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return 0;
    const QString t = e->text();
    if (t.isEmpty() || t.at(0).unicode() < 32 || t.at(0).unicode() == 127)
        return 0;
    return t.at(0).unicode();
}

namespace
{
class KeyPressFilter : public QObject
{
public:
    KeyPressFilter(QObject *parent, KeyPressHandler h) : QObject(parent), m_handler(std::move(h)) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress || m_replaying)
            return false;
        auto *ke = static_cast<QKeyEvent *>(e);
        const int original = keyAscii(ke);
        if (original == 0)
            return false;
        int code = original;
        QPointer<QObject> target(o);
        m_handler(code);
        if (code == original)
            return false;
        if (code != 0 && target) {
            // The handler changed the character: the control gets that one instead.
            const QString text{QChar(char16_t(code))};
            QKeyEvent replaced(QEvent::KeyPress, 0, ke->modifiers() & Qt::ShiftModifier, text);
            m_replaying = true;
            QCoreApplication::sendEvent(target, &replaced);
            m_replaying = false;
        }
        return true;
    }

private:
    KeyPressHandler m_handler;
    bool m_replaying = false;
};

// Keys of an editable combo or a spin box arrive at the line edit inside it.
QList<QWidget *> keyTargets(QWidget *control)
{
    QList<QWidget *> out{control};
    if (auto *c = qobject_cast<QComboBox *>(control); c && c->lineEdit())
        out.append(c->lineEdit());
    if (auto *s = qobject_cast<QAbstractSpinBox *>(control))
        if (auto *le = s->findChild<QLineEdit *>())
            out.append(le);
    return out;
}
} // namespace

void onKeyPress(QWidget *control, KeyPressHandler handler)
{
    if (!control)
        return;
    auto shared = std::make_shared<KeyPressHandler>(std::move(handler));
    for (QWidget *w : keyTargets(control))
        w->installEventFilter(new KeyPressFilter(w, [shared](int &k) { (*shared)(k); }));
}

void refuseKeys(QWidget *control, const QString &characters)
{
    onKeyPress(control, [characters](int &k) {
        if (k > 0 && characters.contains(QChar(char16_t(k))))
            k = 0;
    });
}

} // namespace pv
