#pragma once
// The repair program's one window: compacts and rebuilds the database file in the
// program's folder, and starts the main program again when left with " Kapat".
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"

#include <array>

class BvButton;
class FrameFendrixon;
class QGroupBox;
class QLabel;
class QRadioButton;
class QuorvelXPProgressBar;

class frmCompact : public pv::Form
{
    Q_OBJECT
public:
    frmCompact();

    void Form_Load() override;
    void Timer1_Timer();

public slots: // connected by the form file
    void cmdBrowse1_Click();
    void cmdCompact_Click();
    void cmdClose_Click();

public:
    // True when the file was rebuilt and put back in its place.
    bool Compact_Now(const QString &path);

    QLabel *Image1 = nullptr;
    FrameFendrixon *FrameFendrixon1 = nullptr;
    QLabel *Image2 = nullptr;
    BvButton *cmdCompact = nullptr;
    BvButton *cmdClose = nullptr;
    QuorvelXPProgressBar *ProgressBar = nullptr;
    // Outside the visible area, as designed.
    BvButton *cmdBrowse1 = nullptr;
    QLabel *lblPath1 = nullptr;
    QLabel *lblCurrentSize = nullptr;
    QLabel *lblCompactedSize = nullptr;
    QGroupBox *Frame3 = nullptr;
    std::array<QRadioButton *, 1> Opt{};
    pv::Timer Timer1;
};
