#include "app/accounts/AccountsKit.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/forms/MsgBox.h"

#include <QFileInfo>

namespace acc
{

void showAt(QWidget *w, double left, double top)
{
    kit::moveTo(w, left, top);
    w->show();
    w->raise();
}

void setEnabled(QWidget *w, bool on)
{
    if (auto *b = qobject_cast<BvButton *>(w))
        b->setEnabled(on);
    else if (auto *f = qobject_cast<FrameFendrixon *>(w))
        f->setEnabled(on);
    else if (w)
        w->setEnabled(on);
}

void setEnabled(QWidget *window, const QStringList &names, bool on)
{
    for (const QString &name : names)
        setEnabled(window->findChild<QWidget *>(name), on);
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

QString mailValue(const QString &typed)
{
    const QString t = typed.trimmed();
    return t == QLatin1String("@") ? QString() : t;
}

QString makerAddress()
{
    return QStringLiteral("www.brennavik.com");
}

PhotoCheck checkPhoto(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return PhotoCheck::Missing;
    const QString type = path.right(3).toUpper();
    if (type != QLatin1String("JPG") && type != QLatin1String("GIF") && type != QLatin1String("BMP"))
        return PhotoCheck::WrongType;
    return PhotoCheck::Ok;
}

bool reportPhoto(const QString &path)
{
    switch (checkPhoto(path)) {
    case PhotoCheck::Missing:
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, QStringLiteral("Hata "));
        return false;
    case PhotoCheck::WrongType:
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbExclamation, QStringLiteral("Hata"));
        return false;
    case PhotoCheck::Ok:
        break;
    }
    return true;
}

} // namespace acc
