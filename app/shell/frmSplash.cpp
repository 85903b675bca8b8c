#include "app/shell/frmSplash.h"

#include "app/admin/CopyFile.h"
#include "app/shell/frmLogin.h"
#include "app/shell/veresiye.h"
#include "app/ui/Kit.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "database/DbScripts.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

CopyFile &frmSplash::backupWindow()
{
    CopyFile &c = pv::form<CopyFile>();
    QObject::disconnect(&c, &CopyFile::restoreLeft, nullptr, nullptr);
    QObject::connect(&c, &CopyFile::restoreLeft, &c, [] { pv::form<frmSplash>().Show(pv::Form::Modeless); });
    return c;
}

frmSplash::frmSplash() : Timer1(3000, true, this)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setFocusPolicy(Qt::StrongFocus);
    setKeyPreview(true);

    ui::loadForm(this,
                 {PV_FORM_MEMBER(Image1), PV_FORM_MEMBER(lblTitle), PV_FORM_MEMBER(Label6),
                  PV_FORM_MEMBER(lblVersion), PV_FORM_MEMBER(Label8), PV_FORM_MEMBER(QuorvelXPProgressBar1)});
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
    for (QLabel *l : {lblTitle, Label6, lblVersion, Label8, Image1}) {
        // Set after the fonts: a style sheet set first draws a label's own font differently.
        l->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        // A click on a label or the picture belongs to it, not to the window.
        l->setAttribute(Qt::WA_NoMousePropagation);
    }
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
    if (pv::anotherInstanceRunning() || !pv::holdDatabaseFile()) {
        pv::endProgram();
        return;
    }
    const QString path = pv::databasePath();
    // A compaction or a restore killed on its way left its copy; neither runs while this
    // program holds its locks (the restore writes beside the program folder's database).
    if (pv::holdsInstanceLock()) {
        pv::removeCompactionLeftovers(pv::resolvedDatabasePath(path));
        ui::removeCopyPart(path);
    }
    settleRestore(path);
    // The file settled in place may be the one the restore had replaced.
    if (!pv::holdDatabaseFile()) {
        stop();
        pv::endProgram();
        return;
    }
    if (!fileIsUsable(path))
        return;
    Data1->setDatabaseName(path);
    Data1->setRecordSource(QStringLiteral("surum"));
    if (!Data1->Refresh()) {
        stop();
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

void frmSplash::stop()
{
    Timer1.setEnabled(false);
    m_closing = true;
    m_handOver = false;
}

// After a restore, the replaced database waits beside the restored one: it goes once the
// restored file opens as this program's database, and comes back when it does not.
void frmSplash::settleRestore(const QString &path)
{
    const QString previous = pv::previousDatabasePath(path);
    if (!QFileInfo::exists(previous))
        return;
    const QString journal = QStringLiteral("-journal");
    const pv::DatabaseState state = pv::databaseState(path);
    // Nothing is decided on a file that cannot be read yet: the start-up tells why.
    if (state == pv::DatabaseState::NeedsRollBack)
        return;
    if ((state == pv::DatabaseState::Usable || state == pv::DatabaseState::ReadOnly) &&
        pv::isProgramDatabase(path, pv::schemaSql())) {
        QFile::remove(previous);
        QFile::remove(previous + journal);
        return;
    }
    QFile::remove(path + journal);
    const bool back = pv::renameDurably(previous, path);
    if (back && QFileInfo::exists(previous + journal))
        pv::renameDurably(previous + journal, path + journal);
    pv::MsgBox(
        back ? QStringLiteral("Geri yüklenen veri tabanı açılamadı:\n%1\n\nÖnceki veri tabanı geri konuldu.")
                   .arg(QDir::toNativeSeparators(path))
             : QStringLiteral("Geri yüklenen veri tabanı açılamadı:\n%1\n\nÖnceki veri tabanı %2 "
                              "olarak duruyor.")
                   .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(previous)),
        pv::vbCritical, QStringLiteral("Hata"));
}

// Looks at the file before anything reads or writes it. False when the start-up stops
// here (the program ends, or the restore window takes over).
bool frmSplash::fileIsUsable(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (pv::databaseState(path)) {
    case pv::DatabaseState::Usable:
        return true;
    case pv::DatabaseState::ReadOnly:
        // The main window and the login come once the warning is answered, never over it:
        // the splash's three seconds start again then.
        Timer1.setEnabled(false);
        pv::MsgBox(QStringLiteral("Veri tabanı dosyası salt okunur: %1. Kayıtlar yapılamaz.").arg(shown),
                   pv::vbExclamation, QStringLiteral("Dikkat"));
        Timer1.setEnabled(true);
        return true;
    case pv::DatabaseState::Locked:
        stop();
        pv::MsgBox(QStringLiteral("Veri tabanı dosyası başka bir program tarafından kullanılıyor: %1\n\n"
                                  "O programı kapatıp yeniden başlatın. Program kapatılacak.")
                       .arg(shown),
                   pv::vbCritical, QStringLiteral("Hata"));
        pv::endProgram();
        return false;
    case pv::DatabaseState::Damaged:
        stop();
        // Nothing may be written to a damaged file: no main window, no day counts.
        if (pv::MsgBox(QStringLiteral("Veri tabanı dosyası zarar görmüş: %1\n\nBir yedekten şimdi geri "
                                      "yüklemek ister misiniz? (Hayır: program kapatılır)")
                           .arg(shown),
                       pv::vbYesNo | pv::vbCritical, QStringLiteral("Hata")) == pv::vbYes) {
            pv::Unload(this);
            backupWindow().openForRestore(QString());
        } else {
            pv::endProgram();
        }
        return false;
    case pv::DatabaseState::NeedsRollBack:
        // The file is sound: only the rest of a broken write must be taken back first.
        stop();
        pv::MsgBox(QStringLiteral("Veri tabanı dosyasında yarım kalmış bir kayıt var: %1\n\nDosya ve "
                                  "bulunduğu klasör yazılabilir olduğunda yarım kayıt geri alınır ve "
                                  "dosya açılır. Program kapatılacak.")
                       .arg(shown),
                   pv::vbCritical, QStringLiteral("Hata"));
        pv::endProgram();
        return false;
    case pv::DatabaseState::Missing:
    case pv::DatabaseState::CannotOpen:
        break;
    }
    stop();
    pv::MsgBox(QStringLiteral("Veri tabanı dosyası açılamadı:\n%1\n\nProgram kapatılacak.").arg(shown),
               pv::vbCritical, QStringLiteral("Hata"));
    pv::endProgram();
    return false;
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
    if (!m_handOver)
        return;
    pv::form<veresiye>().Show(pv::Form::Modeless);
    // The login runs over the main window, which is active again when it closes.
    pv::form<frmLogin>().Show(pv::Form::Modal, &pv::form<veresiye>());
}
