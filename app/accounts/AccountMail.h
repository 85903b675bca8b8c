#pragma once
// The account window's e-mail command: btnMail drops down mnuPosta, whose two entries hand
// the customer over to the e-mail window, as a plain message or with the statement.
#include <QObject>

class QAction;
class QMenu;
class veresiye2;

class AccountMail : public QObject
{
    Q_OBJECT
public:
    explicit AccountMail(veresiye2 &window);

    QMenu *mnuPosta = nullptr;     // "Eposta"
    QAction *mnuBagMail = nullptr; // "Bağımsız E-Posta Gönder"
    QAction *mnuExtre = nullptr;   // "Müşteri Hareketlerini Gönder"

    void btnMail_Click();
    void mnuBagMail_Click();
    void mnuExtre_Click();

private:
    void handOver(); // the fields both entries write, in their order
    veresiye2 &m_window;
};
