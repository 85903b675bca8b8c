#include "app/accounts/AccountsKit.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/PropertyBag.h"
#include "platform/components/Twips.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"

#include <QFileInfo>

namespace acc
{

BvButton *button(QWidget *parent, const char *name, double l, double t, double w, double h,
                 const QString &caption, const QString &toolTip, Design extra)
{
    pv::PropertyBag bag;
    bag.set(QStringLiteral("ButtonStyle"), int(BrennavikBtn::eOffice2003));
    bag.set(QStringLiteral("Caption"), caption);
    if (!toolTip.isEmpty())
        bag.set(QStringLiteral("ToolTip"), toolTip);
    for (const auto &[key, value] : extra)
        bag.set(QLatin1String(key), value);
    auto *b = new BvButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAmbientDisplayName(QLatin1String(name));
    pv::setGeometryTwips(b, l, t, w, h);
    b->ReadProperties(bag);
    return b;
}

FrameFendrixon *frame(QWidget *parent, const char *name, double l, double t, double w, double h,
                      const QString &caption)
{
    pv::PropertyBag bag;
    bag.set(QStringLiteral("Caption"), caption);
    bag.set(QStringLiteral("Enabled"), true);
    auto *f = new FrameFendrixon(parent, QLatin1String(name), bag);
    f->setObjectName(QLatin1String(name));
    pv::setGeometryTwips(f, l, t, w, h);
    f->setSizeTwips(int(w), int(h));
    return f;
}

QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h,
              const QString &caption, Qt::Alignment align)
{
    auto *lb = new QLabel(caption, parent);
    lb->setObjectName(QLatin1String(name));
    lb->setAlignment(align);
    pv::setGeometryTwips(lb, l, t, w, h);
    return lb;
}

void showAt(QWidget *w, double left, double top)
{
    w->move(pv::twipsToPixels(left), pv::twipsToPixels(top));
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
