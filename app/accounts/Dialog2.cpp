#include "app/accounts/Dialog2.h"

#include "app/ui/Kit.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/forms/Clock.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Timer.h"

#include <QFrame>
#include <QLabel>
#include <QtDebug>

#include <utility>

Dialog2::Dialog2()
{
    setObjectName(QStringLiteral("Dialog2"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    ui::loadForm(this, {PV_FORM_MEMBER(Label2), PV_FORM_MEMBER(XP_ProgressBar1)});

    Timer1 = new pv::Timer(1000, false, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &pv::Timer::tick, this, &Dialog2::Timer1_Timer);
}

void Dialog2::progress(int value, const QString &status)
{
    XP_ProgressBar1->setValue(value);
    if (!status.isEmpty())
        Label2->setText(status);
    emit progressed(value, Label2->text());
    // The send blocks the event loop: draw what was set before it does.
    if (isVisible())
        repaint();
}

void Dialog2::failed(const QString &why)
{
    m_lastError = why;
    qWarning("mail: %s", qUtf8Printable(why));
    Hide();
    Timer1->setEnabled(false);
    pv::MsgBox(QStringLiteral("E-posta gönderirken bir hatası oluştu. Lütfen tekrar deneyiniz.\r\nve gmail "
                              "bilgilerinizi kontrol edin."),
               pv::vbCritical, QStringLiteral("Hata"));
}

void Dialog2::start(const Outgoing &mail, QWidget *owner)
{
    if (XP_ProgressBar1->Value() == 100)
        XP_ProgressBar1->setValue(0);
    m_pending = mail;
    Timer1->setEnabled(true);
    Show(pv::Form::Modal, owner);
}

void Dialog2::Timer1_Timer()
{
    // One send per press: no second tick may start while this one runs or its message shows.
    Timer1->setEnabled(false);
    if (!m_pending) {
        Hide();
        return;
    }
    const Outgoing mail = *std::exchange(m_pending, std::nullopt);

    progress(20, QStringLiteral("Sunucuya bağlanıyor . . . . ."));
    pv::SmtpTransport smtp = transport;
    smtp.host = mail.host;
    bool portOk = false;
    smtp.port = mail.port.toInt(&portOk);
    if (!portOk || smtp.port <= 0 || smtp.port > 65535)
        return failed(QStringLiteral("bad port ") + mail.port);
    progress(30);
    smtp.user = mail.user;
    smtp.password = mail.password;
    progress(50, QStringLiteral("E-posta göndererek lütfen bekleyin . . . . ."));

    pv::MailMessage m = mail.message;
    m.date = pv::Clock::now();
    progress(60);
    for (qsizetype i = 0; i < m.attachments.size(); ++i)
        progress(75, QStringLiteral("Dosya Ekli e-posta gönderirken lütfen bekleyin . . ."));

    QByteArray bytes;
    QString why;
    if (!m.build(&bytes, &why))
        return failed(why);
    const pv::SmtpTransport::Result result = smtp.send(m.envelopeSender(), m.envelopeRecipients(), bytes);
    if (!result.ok)
        return failed(result.error);

    m_lastError.clear();
    progress(90);
    Hide();
    progress(100);
    Timer1->setEnabled(false);
    pv::MsgBox(QStringLiteral("E-posta(lar) başarıyla gönderildi."), pv::vbInformation,
               QStringLiteral("Başarılı"));
    emit sent();
}
