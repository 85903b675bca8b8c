#pragma once
// The send dialog: shown modally by the e-mail window's send command with Timer1 on; the
// first tick sends the message the e-mail window holds, in one blocking call, then hides
// the dialog and says how it went. Made once and only hidden between sends.
#include "platform/forms/Form.h"
#include "platform/mail/SmtpTransport.h"

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

    QLabel *Label2 = nullptr;
    QuorvelXPProgressBar *XP_ProgressBar1 = nullptr;
    pv::Timer *Timer1 = nullptr; // 1000 ms, enabled by the send command only
    QFrame *Shape1 = nullptr;

    void Timer1_Timer();

    // Connection settings besides host and port: the timeouts and, for tests only, the
    // CA file the server's certificate is checked against.
    pv::SmtpTransport transport;

    // Why the last send failed (libcurl's reason), for the log; the user sees one message.
    QString lastError() const { return m_lastError; }

signals:
    // Each step of a send: the bar's new value and the status text then shown.
    void progressed(int value, const QString &status);

private:
    void progress(int value, const QString &status = {});
    void failed(const QString &why);
    QString m_lastError;
};
