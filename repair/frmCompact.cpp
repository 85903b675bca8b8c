#include "repair/frmCompact.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/ClassRegistry.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"
#include "repair/Compaction.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QRadioButton>

namespace
{

const QString kCurrentSize = QStringLiteral("Şuanki Veri Tabanı Boyutu:");
const QString kCompactedSize = QStringLiteral("Bakımı Yapıldıktan Sonraki Boyut:");
const QString kPickDatabase = QStringLiteral("Lütfen veritabanını seçin.");

// The Qt controls of the window's form file come as they are, named and placed by their
// design; the program's own button, frame and bar register themselves.
void registerRepairClasses()
{
    auto &reg = pv::ClassRegistry::instance();
    reg.registerClass(QStringLiteral("Repair.Label"), pv::plainControl<QLabel>);
    reg.registerClass(QStringLiteral("Repair.GroupBox"), pv::plainControl<QGroupBox>);
    reg.registerClass(QStringLiteral("Repair.RadioButton"), pv::plainControl<QRadioButton>);
}

// The window's own pictures: a soft blue wash behind everything, and a database drum
// at the panel's left.
QPixmap backgroundPicture(QSize size)
{
    QPixmap p(size);
    QPainter g(&p);
    QLinearGradient wash(0, 0, 0, size.height());
    wash.setColorAt(0, QColor(0xE8, 0xF0, 0xFA));
    wash.setColorAt(1, QColor(0xB4, 0xC8, 0xE6));
    g.fillRect(p.rect(), wash);
    return p;
}

QPixmap drumPicture(QSize size)
{
    QPixmap p(size);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const int w = size.width() - 20, x = 10, lid = 18, gap = 8;
    QLinearGradient side(x, 0, x + w, 0);
    side.setColorAt(0, QColor(0x28, 0x5A, 0xA8));
    side.setColorAt(0.45, QColor(0x7C, 0xA8, 0xE0));
    side.setColorAt(1, QColor(0x1E, 0x46, 0x8C));
    g.setPen(QPen(QColor(0x14, 0x32, 0x64), 1.5));
    const int rings = 3, ring = (size.height() - 2 * lid - 2 * gap - 10) / rings;
    for (int i = rings - 1; i >= 0; --i) {
        const int top = 10 + i * (ring + gap / 2);
        g.setBrush(side);
        g.drawRect(QRectF(x, top + lid / 2.0, w, ring));
        g.drawEllipse(QRectF(x, top + ring, w, lid));
        g.setBrush(QColor(0xA8, 0xC8, 0xF0));
        g.drawEllipse(QRectF(x, top, w, lid));
    }
    return p;
}

} // namespace

frmCompact::frmCompact() : Timer1(1600, false, this)
{
    setObjectName(QStringLiteral("frmCompact"));
    static const bool registered = (registerRepairClasses(), true);
    Q_UNUSED(registered);
    const QString error = pv::loadFormFile(
        this, QStringLiteral(":/forms/frmCompact.form.json"),
        {PV_FORM_MEMBER(Image1), PV_FORM_MEMBER(FrameFendrixon1), PV_FORM_MEMBER(Image2),
         PV_FORM_MEMBER(cmdCompact), PV_FORM_MEMBER(cmdClose), PV_FORM_MEMBER(ProgressBar),
         PV_FORM_MEMBER(cmdBrowse1), PV_FORM_MEMBER(lblPath1), PV_FORM_MEMBER(lblCurrentSize),
         PV_FORM_MEMBER(lblCompactedSize), PV_FORM_MEMBER(Frame3), pv::FormMember("Opt(0)", Opt[0])});
    if (!error.isEmpty())
        qWarning("form file: %s", qPrintable(error));
    Image1->setPixmap(backgroundPicture(Image1->size()));
    Image2->setPixmap(drumPicture(Image2->size()));

    connect(&Timer1, &pv::Timer::tick, this, &frmCompact::Timer1_Timer);
}

void frmCompact::Form_Load()
{
    centerOnScreen();
    lblPath1->setText(pv::databasePath());
}

void frmCompact::cmdBrowse1_Click()
{
    const QString picked = pv::pickOpenFile(QString(), QStringLiteral("Pelvanor (*.dll)|*.dll"), this);
    if (picked.isEmpty())
        return; // cancelled: the path and sizes stay as they were
    const QFileInfo file(picked);
    if (!file.isFile() || !file.isReadable()) {
        pv::MsgBox(kPickDatabase, pv::vbOKOnly | pv::vbExclamation);
        return;
    }
    lblPath1->setText(picked);
    lblCurrentSize->setText(kCurrentSize + QLatin1Char(' ') + QString::number(file.size()));
    lblCompactedSize->setText(kCompactedSize);
}

void frmCompact::cmdCompact_Click()
{
    ProgressBar->setAutoScroll(true);
    Timer1.setEnabled(true);
}

void frmCompact::Timer1_Timer()
{
    // One tick only: a second press during the wait, or a box left open, runs nothing more.
    Timer1.setEnabled(false);
    setCursor(Qt::WaitCursor);
    const QString nextCaption = QStringLiteral("Şimdi Bakım Yap");
    cmdCompact->setCaption(QStringLiteral("Lütfen bekleyin..."));
    cmdCompact->setEnabled(false);
    const QString path = lblPath1->text();
    if (path.isEmpty()) {
        pv::MsgBox(kPickDatabase, pv::vbOKOnly | pv::vbExclamation);
    } else if (Opt[0]->isChecked()) {
        const bool ok = Compact_Now(path);
        ProgressBar->setAutoScroll(false);
        ProgressBar->setValue(0);
        if (ok)
            pv::MsgBox(path + QStringLiteral("\n\n Veri Tabanı Bakımı Yapıldı..."),
                       pv::vbOKOnly | pv::vbExclamation);
        else
            pv::MsgBox(QStringLiteral(
                           "( Veri Tabanı Bakımı Yapılırken Hata Oluştu. )\r\n"
                           "Hata Nedeni: Veri Tabanı kullanımda veya zarar gördüğü için bozulmuş olabilir."),
                       pv::vbOKOnly | pv::vbExclamation);
    }
    unsetCursor();
    cmdCompact->setCaption(nextCaption);
    cmdCompact->setEnabled(true);
    ProgressBar->setAutoScroll(false);
    ProgressBar->setValue(0);
}

bool frmCompact::Compact_Now(const QString &path)
{
    return repair::compactDatabase(path) == repair::Outcome::Done;
}

void frmCompact::cmdClose_Click()
{
    // A failed start is not reported; the window goes all the same.
    pv::startProgram(QStringLiteral("Pelvanor.exe"));
    pv::Unload(this);
}
