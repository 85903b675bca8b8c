#pragma once
// Small windows of the tests' own, built the way the program's windows are.
#include "platform/data/Database.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandOff.h"
#include "platform/forms/Keys.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/Timer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>

// Everything the windows do, in order, across windows.
inline QStringList &journal()
{
    static QStringList j;
    return j;
}

class Callee : public pv::Form
{
    Q_OBJECT
public:
    Callee()
    {
        setWindowTitle(QStringLiteral("Callee"));
        txtValue.onChange(this, &Callee::txtValue_Change);
    }
    void Form_Load() override { journal() << QStringLiteral("Callee.Load value='%1'").arg(txtValue.text()); }
    void Form_Activate() override
    {
        journal() << QStringLiteral("Callee.Activate value='%1'").arg(txtValue.text());
    }
    void Form_QueryUnload(int &Cancel, int mode) override
    {
        journal() << QStringLiteral("Callee.QueryUnload %1").arg(mode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int &Cancel) override
    {
        journal() << QStringLiteral("Callee.Unload");
        Cancel = cancelUnload;
    }
    void txtValue_Change()
    {
        journal() << QStringLiteral("Callee.txtValue_Change '%1'").arg(txtValue.text());
    }

    pv::HandOff txtValue;
    int cancelQuery = 0;
    int cancelUnload = 0;
};

// A window that opens others, counting its activations.
class Parent : public pv::Form
{
    Q_OBJECT
public:
    Parent() { setWindowTitle(QStringLiteral("Parent")); }
    void Form_Activate() override
    {
        ++activations;
        journal() << QStringLiteral("Parent.Activate");
    }
    int activations = 0;
};

class Sibling : public pv::Form
{
    Q_OBJECT
public:
    Sibling() { setWindowTitle(QStringLiteral("Sibling")); }
    void Form_Activate() override
    {
        ++activations;
        journal() << QStringLiteral("Sibling.Activate");
    }
    int activations = 0;
};

// A modal entry window: a text box, OK (writes back and unloads), Hide.
class Entry : public pv::Form
{
    Q_OBJECT
public:
    Entry()
    {
        setWindowTitle(QStringLiteral("Entry"));
        auto *lay = new QVBoxLayout(this);
        txtName = new QLineEdit(this);
        txtOther = new QLineEdit(this);
        cmdOK = new QPushButton(QStringLiteral("Tamam"), this);
        lay->addWidget(txtName);
        lay->addWidget(txtOther);
        lay->addWidget(cmdOK);
        connect(cmdOK, &QPushButton::clicked, this, &Entry::cmdOK_Click);
    }
    void Form_Activate() override
    {
        ++activations;
        journal() << QStringLiteral("Entry.Activate");
    }
    void cmdOK_Click()
    {
        journal() << QStringLiteral("Entry.OK '%1'").arg(txtName->text());
        pv::form<Callee>().txtValue = txtName->text();
        pv::Unload(this);
    }
    QLineEdit *txtName;
    QLineEdit *txtOther;
    QPushButton *cmdOK;
    int activations = 0;
};

// Shows a message box as soon as it is activated; used to see that the box does not
// activate anything again.
class Boxer : public pv::Form
{
    Q_OBJECT
public:
    Boxer() { setWindowTitle(QStringLiteral("Boxer")); }
    void Form_Activate() override
    {
        ++activations;
        journal() << QStringLiteral("Boxer.Activate");
    }
    int ask()
    {
        return pv::MsgBox(QStringLiteral("Emin misiniz?"), pv::vbYesNo | pv::vbQuestion,
                          QStringLiteral("Dikkat!"));
    }
    int activations = 0;
};

// Holds the database open with a transaction begun, as a window in the middle of a posting.
class Poster : public pv::Form
{
    Q_OBJECT
public:
    Poster()
    {
        db.open(pv::databasePath());
        tx = std::make_unique<pv::Transaction>(db);
        db.exec(QStringLiteral("INSERT INTO birimler (birimadi) VALUES ('Yarım')"));
    }
    pv::Database db;
    std::unique_ptr<pv::Transaction> tx;
};

// Does its work in its activation and unloads itself there, as an automatic backup does.
class SelfCloser : public pv::Form
{
    Q_OBJECT
public:
    void Form_Activate() override
    {
        journal() << QStringLiteral("SelfCloser.Activate");
        pv::MsgBox(QStringLiteral("Yedeklendi."), pv::vbInformation, QStringLiteral("BİLGİ"));
        pv::Unload(this);
    }
};

// Tells the world when its unload handler runs (for the program-end helper process).
class Noisy : public pv::Form
{
    Q_OBJECT
public:
    void Form_Unload(int &) override
    {
        std::fputs("unload\n", stdout);
        std::fflush(stdout);
    }
};

// A splash-like window: a timer and Esc end it.
class Ticker : public pv::Form
{
    Q_OBJECT
public:
    Ticker() : Timer1(3000, true, this) { connect(&Timer1, &pv::Timer::tick, this, &Ticker::Timer1_Timer); }
    void Timer1_Timer()
    {
        ++ticks;
        Timer1.setEnabled(false);
    }
    void Form_KeyPress(int &KeyAscii) override
    {
        keys << KeyAscii;
        if (KeyAscii == 27)
            pv::Unload(this);
    }
    pv::Timer Timer1;
    int ticks = 0;
    QList<int> keys;
};

class RoadAlert : public pv::Form
{
    Q_OBJECT
public:
    void Form_Activate() override { journal() << QStringLiteral("Alert.Activate"); }
};

// The start-up road in small: a splash that hands over to a main window (which opens an
// alert at its activation) and a login shown modally over the main window.
class RoadMain : public pv::Form
{
    Q_OBJECT
public:
    void Form_Activate() override
    {
        journal() << QStringLiteral("Main.Activate yetki='%1'").arg(txtYetki.text());
        // As the settings row's alert signal: once, when the value first arrives.
        if (openAlert) {
            openAlert = false;
            pv::form<RoadAlert>().Show();
        }
    }
    pv::HandOff txtYetki;
    bool openAlert = true;
};

class RoadLogin : public pv::Form
{
    Q_OBJECT
public:
    RoadLogin()
    {
        txtPass = new QLineEdit(this);
        pv::refuseKeys(txtPass, QStringLiteral("'"));
        pv::onKeyPress(txtPass, [this](int &k) {
            if (k == 13)
                cmdOK_Click();
        });
    }
    void Form_Activate() override { journal() << QStringLiteral("Login.Activate"); }
    void cmdOK_Click()
    {
        if (txtPass->text() != QStringLiteral("admin")) {
            pv::MsgBox(QStringLiteral("Şifre Yanlış"), pv::vbCritical, windowTitle());
            txtPass->clear();
            return;
        }
        pv::form<RoadMain>().txtYetki = QStringLiteral("1");
        pv::Unload(this);
    }
    QLineEdit *txtPass;
};

class RoadSplash : public pv::Form
{
    Q_OBJECT
public:
    RoadSplash() : Timer1(3000, true, this)
    {
        connect(&Timer1, &pv::Timer::tick, this, [this] { pv::Unload(this); });
    }
    void Form_Load() override
    {
        if (pv::anotherInstanceRunning())
            pv::endProgram();
    }
    void Form_KeyPress(int &KeyAscii) override
    {
        if (KeyAscii == 27)
            pv::Unload(this);
    }
    void Form_Unload(int &) override
    {
        ++unloads;
        Hide();
        pv::form<RoadMain>().Show();
        pv::form<RoadLogin>().setWindowTitle(QStringLiteral("Kullanıcı Giriş"));
        pv::form<RoadLogin>().Show(pv::Form::Modal, loginOwner ? &pv::form<RoadMain>() : nullptr);
    }
    pv::Timer Timer1;
    static inline int unloads = 0;
    static inline bool loginOwner = true;
};
