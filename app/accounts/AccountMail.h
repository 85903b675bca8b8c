#pragma once
// The account window's e-mail command: btnMail drops down mnuPosta, whose two entries hand
// the customer over to the e-mail window, as a plain message or with the statement. The
// window gives the button and, through the hooks, what it shows of the customer.
#include "app/accounts/FrmEmail.h"

#include <QObject>

#include <functional>

class BvButton;
class QAction;
class QMenu;
class QWidget;

class AccountMail : public QObject
{
    Q_OBJECT
public:
    struct Hooks {
        std::function<FrmEmail::Customer()> customer; // name, address, totals and currency words
        std::function<QString()> Text10;              // the account code
    };

    AccountMail(QWidget &window, BvButton &btnMail, Hooks hooks);

    QMenu *mnuPosta = nullptr;     // "Eposta"
    QAction *mnuBagMail = nullptr; // "Bağımsız E-Posta Gönder"
    QAction *mnuExtre = nullptr;   // "Müşteri Hareketlerini Gönder"

    void btnMail_Click();
    void mnuBagMail_Click();
    void mnuExtre_Click();

private:
    Hooks m_hooks;
};
