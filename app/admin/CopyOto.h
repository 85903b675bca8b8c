#pragma once
// The automatic backup at the program's end: copies the database file into the backup
// folder of the settings row at once, says where it went and closes.
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"

class BvButton;
class FrameFendrixon;
class QLineEdit;
class QuorvelXPProgressBar;

namespace pv
{
class DataControl;
}

class CopyOto : public pv::Form
{
    Q_OBJECT
public:
    CopyOto();

    void Form_Load() override;
    void Form_Activate() override;

    qint64 copyFile(const QString &source, const QString &destination);

public slots: // connected by the form file
    void Copy_Click();

public:
    FrameFendrixon *yedeklefrm = nullptr;
    QLineEdit *Destinationpath = nullptr;
    BvButton *Copy = nullptr;
    QuorvelXPProgressBar *ProgressBar = nullptr;
    pv::DataControl *Data3 = nullptr;

    pv::HandOff Filepath;
    pv::HandOff txtSurucu;

private:
    bool m_copied = false;
};

// The main window's exit: with the switch on (any number but 0) the automatic backup runs
// first, then the program ends.
void exitWithAutomaticBackup(const QString &switchText, QWidget *owner);
