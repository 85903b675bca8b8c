#include "app/frmSplash.h"

#include "app/frmLogin.h"
#include "app/ui/Kit.h"
#include "app/veresiye.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/PropertyBag.h"
#include "platform/data/DataControl.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

frmSplash::frmSplash() : Timer1(3000, true, this)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setClientSizeTwips(7200, 4320);
    setFocusPolicy(Qt::StrongFocus);
    setKeyPreview(true);

    Image1 = ui::label(this, "Image1", 360, 360, 1200, 1200, QString());
    Image1->setPixmap([] {
        QPixmap p(80, 80);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setBrush(QColor(0xF0, 0xB0, 0x30));
        g.setPen(QPen(Qt::white, 3));
        g.drawEllipse(4, 4, 72, 72);
        g.setFont(QFont(QStringLiteral("DejaVu Sans"), 30, QFont::Bold));
        g.drawText(QRect(4, 4, 72, 72), Qt::AlignCenter, QStringLiteral("P"));
        return p;
    }());
    lblTitle = ui::label(this, "lblTitle", 1800, 420, 5040, 720, QStringLiteral("Pelvanor"));
    lblTitle->setFont(QFont(QStringLiteral("DejaVu Sans"), 26, QFont::Bold));
    Label6 =
        ui::label(this, "Label6", 1800, 1140, 5040, 360, QStringLiteral("Cari + Veresiye + Stok + Kasa"));
    Label6->setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    lblVersion = ui::label(this, "lblVersion", 1800, 1560, 900, 300, QStringLiteral("Version"));
    Label8 = ui::label(this, "Label8", 2700, 1560, 2400, 300, QStringLiteral("x.x.x"));
    for (QLabel *l : {lblTitle, Label6, lblVersion, Label8, Image1}) {
        l->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        // A click on a label or the picture belongs to it, not to the window.
        l->setAttribute(Qt::WA_NoMousePropagation);
    }

    pv::PropertyBag bar;
    bar.set(QStringLiteral("AutoScroll"), true);
    bar.set(QStringLiteral("Scrolling"), int(QuorvelXPProgressBar::ccScrollingSearch));
    bar.set(QStringLiteral("ShowText"), true);
    QuorvelXPProgressBar1 = new QuorvelXPProgressBar(this, bar);
    QuorvelXPProgressBar1->setObjectName(QStringLiteral("QuorvelXPProgressBar1"));
    ui::place(QuorvelXPProgressBar1, 360, 3600, 6480, 300);
    // The bar is a control of its own: a click on it is not a click on the window.
    QuorvelXPProgressBar1->setAttribute(Qt::WA_NoMousePropagation);

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->bind(Label8, QStringLiteral("surum"));

    connect(&Timer1, &pv::Timer::tick, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load()
{
    Timer1.setInterval(3000);
    if (pv::anotherInstanceRunning()) {
        pv::endProgram();
        return;
    }
    const QString path = pv::databasePath();
    Data1->setDatabaseName(path);
    Data1->setRecordSource(QStringLiteral("surum"));
    if (!QFileInfo::exists(path) || !Data1->Refresh()) {
        Timer1.setEnabled(false);
        pv::MsgBox(QStringLiteral("Veri tabanı dosyası açılamadı:\n%1\n\nProgram kapatılacak.")
                       .arg(QDir::toNativeSeparators(path)),
                   pv::vbCritical, QStringLiteral("Hata"));
        pv::endProgram();
        return;
    }
    // Without a version row the label keeps its design text.
    if (!Data1->Recordset().hasCurrent())
        Label8->setText(QStringLiteral("x.x.x"));
    if (QScreen *s = screen())
        move(s->geometry().center() - rect().center());
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x28, 0x5E, 0xA8));
    g.setColorAt(1, QColor(0x10, 0x2A, 0x55));
    p.fillRect(rect(), g);
    p.setPen(QColor(0x7B, 0xC0, 0xDB));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void frmSplash::Timer1_Timer()
{
    close();
}

void frmSplash::Form_Click()
{
    close();
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_Click();
}

void frmSplash::Form_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 27)
        close();
}

void frmSplash::close()
{
    // The first of timer, click and Esc wins; the rest find the splash closing.
    if (m_closing)
        return;
    m_closing = true;
    Timer1.setEnabled(false);
    pv::Unload(this);
}

void frmSplash::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    m_closing = true;
    Timer1.setEnabled(false);
    Hide();
    pv::form<veresiye>().Show(pv::Form::Modeless);
    // The login runs over the main window, which is active again when it closes.
    pv::form<frmLogin>().Show(pv::Form::Modal, &pv::form<veresiye>());
}
