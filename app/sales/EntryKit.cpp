#include "app/sales/EntryKit.h"

#include "app/accounts/veresiye2.h"
#include "platform/data/Recordset.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Timer.h"
#include "platform/text/Formats.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>

namespace entry
{

namespace
{

class Hook : public QObject
{
public:
    Hook(QWidget *w, QEvent::Type type, std::function<void()> handler)
        : QObject(w), m_type(type), m_handler(std::move(handler))
    {
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != m_type)
            return QObject::eventFilter(watched, event);
        if (m_type == QEvent::FocusIn || m_type == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
        }
        if (m_type == QEvent::MouseButtonRelease || m_type == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
                return false;
        }
        m_handler();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};

} // namespace

void onGotFocus(QWidget *w, std::function<void()> handler)
{
    new Hook(w, QEvent::FocusIn, std::move(handler));
}
void onLostFocus(QWidget *w, std::function<void()> handler)
{
    new Hook(w, QEvent::FocusOut, std::move(handler));
}
void onClick(QWidget *w, std::function<void()> handler)
{
    new Hook(w, QEvent::MouseButtonRelease, std::move(handler));
}
void onDblClick(QWidget *w, std::function<void()> handler)
{
    new Hook(w, QEvent::MouseButtonDblClick, std::move(handler));
}

void formatMoneyBox(QLineEdit *box, const QString &pattern)
{
    if (const auto v = pv::toNumber(box->text()))
        box->setText(pv::Format(*v, pattern));
}

void formatDateBox(QLineEdit *box)
{
    if (const auto d = pv::parseDate(box->text()))
        box->setText(pv::dateText(*d));
}

QString uniquePostingId(pv::Database &db, QDateTime at)
{
    for (;;) {
        const QString id = pv::postingId(at);
        const QVariant used = db.scalar(QStringLiteral("select 1 where exists (select 1 from veresiye where "
                                                       "islemNo2 = ?1) or exists (select 1 from kasa where "
                                                       "islemNo2 = ?1)"),
                                        {id});
        if (!used.isValid() || db.lastError())
            return id;
        at = at.addSecs(1);
    }
}

bool addRow(pv::Database &db, const QString &table, std::initializer_list<Value> values, QString *error)
{
    pv::Recordset rs;
    auto failed = [&](const QString &what) {
        if (error)
            *error = what.isEmpty() ? rs.lastError().message : what;
        return false;
    };
    // An empty selection of the table: updatable, and nothing of the table read.
    if (!rs.open(db, QStringLiteral("select * from %1 where 0").arg(pv::Database::quoteName(table))))
        return failed({});
    if (!rs.AddNew())
        return failed({});
    for (const Value &v : values) {
        pv::Field f = v.column.typeId() == QMetaType::Int ? rs.Fields(v.column.toInt())
                                                          : rs.Fields(v.column.toString());
        if (!f.exists())
            return failed(QStringLiteral("%1: alan yok (%2)").arg(table, v.column.toString()));
        if (!f.setValue(v.value))
            return failed(
                QStringLiteral("%1.%2: \"%3\" yazılamadı").arg(table, f.name(), v.value.toString()));
    }
    if (!rs.Update())
        return failed({});
    return true;
}

QString sqlText(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('\''), QStringLiteral("''"));
}

void raiseRefreshSignal(const QString &code)
{
    if (!pv::isLoaded<veresiye2>())
        return;
    veresiye2 &w = pv::form<veresiye2>();
    w.Frame1->setVisible(true);
    w.Timer3->setEnabled(true);
    w.islemfrm->setVisible(true);
    w.txtUygulaOdemeVeresiye = code;
    w.Text11 = pv::dateText(pv::Clock::today());
}

} // namespace entry
