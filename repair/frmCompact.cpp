#include "repair/frmCompact.h"

#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "platform/components/ClassRegistry.h"
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

// A control made as the form loader makes it: by class name from its design properties,
// then placed by the design's twips.
template <class T>
T *control(const char *className, QWidget *parent, const char *name, double l, double t, double w, double h,
           std::initializer_list<std::pair<const char *, QVariant>> design)
{
    pv::PropertyBag bag;
    bag.set(QStringLiteral("Name"), QLatin1String(name));
    bag.set(QStringLiteral("Width"), w);
    bag.set(QStringLiteral("Height"), h);
    for (const auto &[key, value] : design)
        bag.set(QLatin1String(key), value);
    auto *c = qobject_cast<T *>(pv::ClassRegistry::instance().create(QLatin1String(className), parent, bag));
    Q_ASSERT(c);
    c->setObjectName(QLatin1String(name));
    pv::setGeometryTwips(c, l, t, w, h);
    return c;
}

BvButton *button(QWidget *parent, const char *name, double l, double t, double w, double h,
                 const QString &caption, const QString &toolTip = {})
{
    auto *b = control<BvButton>(
        BvButton::ClassName, parent, name, l, t, w, h,
        {{"ButtonStyle", int(BrennavikBtn::eOffice2003)}, {"Caption", caption}, {"ToolTip", toolTip}});
    b->setAmbientDisplayName(QLatin1String(name));
    return b;
}

QLabel *label(QWidget *parent, const char *name, double l, double t, double w, double h, const QString &text)
{
    auto *lb = new QLabel(text, parent);
    lb->setObjectName(QLatin1String(name));
    pv::setGeometryTwips(lb, l, t, w, h);
    return lb;
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
    setCaption(QStringLiteral("Veri Tabanı Bakımı Yap"));
    setClientSizeTwips(7350, 2910);
    setFixedSize(size());

    Image1 = label(this, "Image1", 0, 0, 9210, 7515, {});
    Image1->setPixmap(backgroundPicture(Image1->size()));

    FrameFendrixon1 = control<FrameFendrixon>(
        "FendrixonFrame.FrameFendrixon", this, "FrameFendrixon1", 120, 240, 7095, 2535,
        {{"Caption", QStringLiteral("bvRepair - Pelvanor Veri Tabanı Bakım Aracı")},
         {"Enabled", true},
         {"EnableGradient", true},
         {"BorderColor", qint32(0x00A87E28)}});
    FrameFendrixon1->setSizeTwips(7095, 2535);

    Image2 = label(FrameFendrixon1, "Image2", 120, 480, 1605, 1890, {});
    Image2->setPixmap(drumPicture(Image2->size()));
    cmdCompact =
        button(FrameFendrixon1, "cmdCompact", 2040, 720, 2775, 735, QStringLiteral("Veri Tabanı Bakımı Yap"));
    cmdClose = button(FrameFendrixon1, "cmdClose", 5160, 720, 1695, 735, QStringLiteral(" Kapat"));
    QFont barFont(QStringLiteral("Trebuchet MS"));
    barFont.setPointSizeF(9.75);
    barFont.setBold(true);
    ProgressBar = control<QuorvelXPProgressBar>("ProgressBar.QuorvelXPProgressBar", FrameFendrixon1,
                                                "ProgressBar", 2040, 1800, 4815, 495,
                                                {{"Scrolling", int(QuorvelXPProgressBar::ccScrollingSmooth)},
                                                 {"Color", qint32(0x0061DCCF)},
                                                 {"ShowText", true},
                                                 {"BrushStyle", int(QuorvelXPProgressBar::HS_HORIZONTAL)},
                                                 {"Font", barFont},
                                                 {"AutoScroll", false},
                                                 {"Value", 0}});

    cmdBrowse1 = button(this, "cmdBrowse1", 5760, 3480, 735, 375, {}, QStringLiteral("GÖZAT"));
    lblPath1 = label(this, "lblPath1", 120, 3000, 7065, 315, {});
    lblCurrentSize = label(this, "lblCurrentSize", 240, 3480, 4005, 255, kCurrentSize);
    lblCompactedSize = label(this, "lblCompactedSize", 240, 3960, 4005, 255, kCompactedSize);
    Frame3 = new QGroupBox(QStringLiteral("Compact type"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    pv::setGeometryTwips(Frame3, 9960, 240, 1455, 855);
    Opt[0] = new QRadioButton(QStringLiteral("Single"), Frame3);
    Opt[0]->setObjectName(QStringLiteral("Opt(0)"));
    pv::setGeometryTwips(Opt[0], 90, 360, 1695, 255);
    Opt[0]->setChecked(true);

    connect(cmdBrowse1, &BvButton::Click, this, &frmCompact::cmdBrowse1_Click);
    connect(cmdCompact, &BvButton::Click, this, &frmCompact::cmdCompact_Click);
    connect(cmdClose, &BvButton::Click, this, &frmCompact::cmdClose_Click);
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
