#include "app/accounts/AccountMail.h"

#include "app/accounts/FrmEmail.h"
#include "app/accounts/veresiye2.h"
#include "controls/button/BvButton.h"

#include <QAction>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

AccountMail::AccountMail(veresiye2 &window) : QObject(&window), m_window(window)
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

    connect(window.btnMail, &BvButton::Click, this, &AccountMail::btnMail_Click);
}

void AccountMail::btnMail_Click()
{
    mnuPosta->popup(QCursor::pos());
}

void AccountMail::handOver()
{
    FrmEmail &m = pv::form<FrmEmail>(); // loads the window before anything is written
    m.TextBox2->setText(m_window.xpText3->text());
    m.TextBox3->setText(m_window.txtMail.text());
    m.txtMusteri->setText(m_window.xpText3->text());
    m.VornXPTextBox2->setText(m_window.VornXPTextBox2->text());
    m.VornXPTextBox3->setText(m_window.VornXPTextBox3->text());
    m.VornXPTextBox4->setText(m_window.VornXPTextBox4->text());
    m.txtPt1->setText(m_window.txtPt1->text());
    m.txtPt2->setText(m_window.txtPt2->text());
    m.txtPt3->setText(m_window.txtPt3->text());
}

void AccountMail::mnuBagMail_Click()
{
    handOver();
    pv::form<FrmEmail>().Show(pv::Form::Modal);
}

void AccountMail::mnuExtre_Click()
{
    handOver();
    FrmEmail &m = pv::form<FrmEmail>();
    m.Text10 = m_window.Text10.text();
    m.txtHtmYap = QStringLiteral("1"); // writes the statement now, over the account window
    if (m.txtExtreYol->text().isEmpty()) {
        // The export has said why; a message that speaks of an attached statement must not follow.
        pv::Unload(m);
        return;
    }
    m.TextBox1->setPlainText(
        QStringLiteral("Sayın, Müşterimiz\r\rHesap Özetiniz ile ilgili ekstre detaylarınızı "
                       "ekte bulabilirsiniz."));
    m.Show(pv::Form::Modal);
}
