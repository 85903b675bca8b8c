#include "app/accounts/AccountMail.h"

#include "controls/button/BvButton.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

AccountMail::AccountMail(QWidget &window, BvButton &btnMail, Hooks hooks)
    : QObject(&window), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("accountMail"));
    mnuPosta = new QMenu(QStringLiteral("Eposta"), &window);
    mnuPosta->setObjectName(QStringLiteral("mnuPosta"));
    mnuBagMail = mnuPosta->addAction(QStringLiteral("Bağımsız E-Posta Gönder"));
    mnuBagMail->setObjectName(QStringLiteral("mnuBagMail"));
    mnuExtre = mnuPosta->addAction(QStringLiteral("Müşteri Hareketlerini Gönder"));
    mnuExtre->setObjectName(QStringLiteral("mnuExtre"));
    connect(mnuBagMail, &QAction::triggered, this, &AccountMail::mnuBagMail_Click);
    connect(mnuExtre, &QAction::triggered, this, &AccountMail::mnuExtre_Click);

    connect(&btnMail, &BvButton::Click, this, &AccountMail::btnMail_Click);
}

void AccountMail::btnMail_Click()
{
    mnuPosta->popup(QCursor::pos());
}

void AccountMail::mnuBagMail_Click()
{
    FrmEmail &m = pv::form<FrmEmail>(); // loaded before anything is handed to it
    m.openPlain(m_hooks.customer());
}

void AccountMail::mnuExtre_Click()
{
    FrmEmail &m = pv::form<FrmEmail>();
    m.openStatement(m_hooks.customer(), m_hooks.Text10());
}
