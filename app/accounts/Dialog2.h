#pragma once
// The send dialog: the e-mail window's send command hands it the finished message and the
// account it goes through; the first tick of Timer1 sends it in one blocking call, then
// hides the dialog and says how it went. Made once and only hidden between sends.
//
//   Dialog2 &d = pv::form<Dialog2>();
//   connect(&d, &Dialog2::sent, this, &FrmEmail::ResetMailForm);
//   d.start({host, port, login, password, message}, this); // modal: returns when it hides
#include "platform/forms/Form.h"
#include "platform/mail/MailMessage.h"
#include "platform/mail/SmtpTransport.h"

#include <optional>

class QFrame;
class QLabel;
class QuorvelXPProgressBar;

namespace pv
{
class Timer;
}

class Dialog2 : public pv::Form
{
    Q_OBJECT
public:
    Dialog2();

    // One message and the shop's account on the outgoing server.
    struct Outgoing {
        QString host;
        QString port; // as typed: one that is no port number fails the send
        QString user;
        QString password;
        pv::MailMessage message; // dated when it goes
    };
    // A finished bar starts again from 0; the timer goes on and the dialog shows modally
    // over owner, returning when it hides.
    void start(const Outgoing &mail, QWidget *owner);

    QLabel *Label2 = nullptr;
    QuorvelXPProgressBar *XP_ProgressBar1 = nullptr;
    pv::Timer *Timer1 = nullptr; // 1000 ms, enabled by start() only

    void Timer1_Timer();

    // Connection settings besides host and port: the timeouts and, for tests only, the
    // CA file the server's certificate is checked against.
    pv::SmtpTransport transport;

    // Why the last send failed (libcurl's reason), for the log; the user sees one message.
    QString lastError() const { return m_lastError; }

signals:
    // Each step of a send: the bar's new value and the status text then shown.
    void progressed(int value, const QString &status);
    // The message went and the success has been told.
    void sent();

private:
    void progress(int value, const QString &status = {});
    void failed(const QString &why);
    QString m_lastError;
    std::optional<Outgoing> m_pending; // handed by start(), taken by the tick
};
