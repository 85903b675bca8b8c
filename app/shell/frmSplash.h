#pragma once
// The program's first window: refuses a second instance, shows the version row, and after
// three seconds (or a click or Esc) hands over to the main window and the login.
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"

class CopyFile;
class QLabel;
class QuorvelXPProgressBar;

namespace pv
{
class DataControl;
}

class frmSplash : public pv::Form
{
    Q_OBJECT
public:
    frmSplash();

    // The backup and restore window, every way out of a restore leading back here.
    static CopyFile &backupWindow();

    void Form_Load() override;
    void Form_KeyPress(int &KeyAscii) override;
    void Form_Unload(int &Cancel) override;

    void Timer1_Timer();
    void Form_Click();

    QLabel *lblTitle = nullptr;
    QLabel *Label6 = nullptr; // subtitle
    QLabel *lblVersion = nullptr;
    QLabel *Label8 = nullptr; // the version row's surum
    QLabel *Image1 = nullptr; // artwork
    QuorvelXPProgressBar *QuorvelXPProgressBar1 = nullptr;
    pv::Timer Timer1;
    pv::DataControl *Data1 = nullptr;

    bool isClosing() const { return m_closing; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void close();
    void stop();
    void settleRestore(const QString &path);
    bool fileIsUsable(const QString &path);
    bool m_closing = false;
    bool m_handOver = true; // false when the start-up stopped before the main window
};
