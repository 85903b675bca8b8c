#include "app/admin/ayarlar.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTabWidget>

namespace
{

const QRegularExpression kWholeNumber(QStringLiteral("^[0-9]{1,18}$"));

QWidget *page(QTabWidget *tabs, const QString &caption)
{
    auto *w = new QWidget(tabs);
    tabs->addTab(w, caption);
    return w;
}

} // namespace

ayarlar::ayarlar()
{
    setObjectName(QStringLiteral("ayarlar"));
    ui::loadForm(this, {PV_FORM_MEMBER(XTab1)});

    // Each page's controls from its own panel, in the order of the pages.
    ui::loadForm(page(XTab1, QStringLiteral("  Firma Bilgileri  ")), QStringLiteral("ayarlar.Frame1"), this,
                 {PV_FORM_MEMBER(Frame1), PV_FORM_MEMBER(Text3), PV_FORM_MEMBER(Text4),
                  PV_FORM_MEMBER(BvButton1), PV_FORM_MEMBER(BvButton2), PV_FORM_MEMBER(Picture1),
                  PV_FORM_MEMBER(Image2), PV_FORM_MEMBER(btnEdit), PV_FORM_MEMBER(btnSave)});
    ui::loadForm(page(XTab1, QStringLiteral("  Yedekleme  ")), QStringLiteral("ayarlar.Frame2"), this,
                 {PV_FORM_MEMBER(Frame2), PV_FORM_MEMBER(Destinationpath), PV_FORM_MEMBER(MyButton7),
                  PV_FORM_MEMBER(Check1), PV_FORM_MEMBER(vekbutton6), PV_FORM_MEMBER(BvButton6)});
    ui::loadForm(page(XTab1, QStringLiteral("  Müşteri Makbuz Ayarı  ")), QStringLiteral("ayarlar.Frame3"),
                 this,
                 {PV_FORM_MEMBER(Frame3), PV_FORM_MEMBER(txtFisNo), PV_FORM_MEMBER(btnEdit2),
                  PV_FORM_MEMBER(btnSave2)});
    txtFisNo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,18}")), txtFisNo));
    ui::loadForm(page(XTab1, QStringLiteral("  E-Posta Ayarları  ")), QStringLiteral("ayarlar.Frame4"), this,
                 {PV_FORM_MEMBER(Frame4), PV_FORM_MEMBER(txtMailSunucu), PV_FORM_MEMBER(txtMailKul),
                  PV_FORM_MEMBER(txtMailSifre), PV_FORM_MEMBER(txtMailPort), PV_FORM_MEMBER(Check2),
                  PV_FORM_MEMBER(btnEdit3), PV_FORM_MEMBER(btnSave3)});
    Check2->setEnabled(false); // nothing reads or stores it, and no edit command enables it

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    DataFisNo = new pv::DataControl(this);
    DataFisNo->setObjectName(QStringLiteral("DataFisNo"));

    for (Page p : {Business, Backup, Receipt, Mail})
        setEditing(p, false);

    Text2.onChange(this, &ayarlar::Text2_Change);
    // A hand-typed path is checked once the typing is done, not at every key.
    connect(Text4, &QLineEdit::editingFinished, this, &ayarlar::Command1_Click);
}

void ayarlar::Form_Load()
{
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(QStringLiteral("dgrayr"));
    Data1->Refresh();
    DataFisNo->setDatabaseName(pv::databasePath());
    DataFisNo->setRecordSource(QStringLiteral("yedek_yeri"));
    DataFisNo->Refresh();
    for (Page p : {Business, Backup, Receipt, Mail})
        showPage(p);
    XTab1->setCurrentIndex(0);
}

void ayarlar::showPage(Page page)
{
    auto field = [this](const char *name) {
        pv::Recordset &rs = Data1->Recordset();
        return rs.hasCurrent() ? rs.Fields(QLatin1String(name)).text() : QString();
    };
    switch (page) {
    case Business:
        pv::showFromStart(Text3, field("kurumismi"));
        pv::showFromStart(Text4, field("logo"));
        checkLogo(false);
        break;
    case Backup:
        pv::showFromStart(Destinationpath, field("oto_yedek"));
        Text2 = field("oto_yedek_aktif");
        Text2_Change(Text2);
        break;
    case Receipt: {
        pv::Recordset &rs = DataFisNo->Recordset();
        pv::showFromStart(txtFisNo, rs.hasCurrent() ? rs.Fields(QStringLiteral("yolu")).text() : QString());
        break;
    }
    case Mail:
        pv::showFromStart(txtMailSunucu, field("mailsunucu"));
        pv::showFromStart(txtMailKul, field("mailadres"));
        pv::showFromStart(txtMailSifre, field("mailsifre"));
        pv::showFromStart(txtMailPort, field("mailport"));
        break;
    }
}

void ayarlar::setEditing(Page page, bool on)
{
    QList<QWidget *> fields;
    BvButton *edit = nullptr;
    BvButton *save = nullptr;
    switch (page) {
    case Business:
        fields = {Text3, Text4, BvButton1, BvButton2};
        edit = btnEdit;
        save = btnSave;
        break;
    case Backup:
        fields = {Destinationpath, MyButton7, Check1};
        edit = vekbutton6;
        save = BvButton6;
        break;
    case Receipt:
        fields = {txtFisNo};
        edit = btnEdit2;
        save = btnSave2;
        break;
    case Mail:
        fields = {txtMailSunucu, txtMailKul, txtMailPort, txtMailSifre};
        edit = btnEdit3;
        save = btnSave3;
        break;
    }
    for (QWidget *w : fields) {
        if (auto *b = qobject_cast<BvButton *>(w))
            b->setEnabled(on);
        else
            w->setEnabled(on);
    }
    edit->setVisible(!on);
    save->setVisible(on);
    m_editing[page] = on;
}

bool ayarlar::writeFirstRow(pv::DataControl *dc, const QList<std::pair<QString, QString>> &values)
{
    // Only this page's fields are written, on the row as it is stored now.
    if (!dc->Refresh())
        return false;
    pv::Recordset &rs = dc->Recordset();
    if (!rs.hasCurrent())
        return true; // no settings row: nothing to write
    if (!rs.Edit())
        return false;
    for (const auto &[name, value] : values) {
        if (!rs.Fields(name).setValue(value)) {
            rs.CancelUpdate();
            return false;
        }
    }
    if (!rs.Update()) {
        rs.CancelUpdate();
        return false;
    }
    return dc->Refresh();
}

void ayarlar::saveFailed()
{
    pv::MsgBox(QStringLiteral("Ayarlar kaydedilemedi. Lütfen tekrar deneyin."), pv::vbCritical,
               QStringLiteral("Hata"));
}

void ayarlar::btnEdit_Click()
{
    setEditing(Business, true);
}

void ayarlar::btnSave_Click()
{
    if (savePage(Business) == Saved::Failed)
        saveFailed();
}

void ayarlar::vekbutton6_Click()
{
    setEditing(Backup, true);
}

void ayarlar::BvButton6_Click()
{
    if (savePage(Backup) == Saved::Failed)
        saveFailed();
}

void ayarlar::btnEdit2_Click()
{
    setEditing(Receipt, true);
}

void ayarlar::btnSave2_Click()
{
    if (savePage(Receipt) == Saved::Failed)
        saveFailed();
}

void ayarlar::btnEdit3_Click()
{
    setEditing(Mail, true);
}

void ayarlar::btnSave3_Click()
{
    if (savePage(Mail) == Saved::Failed)
        saveFailed();
}

ayarlar::Saved ayarlar::savePage(Page page)
{
    bool written = false;
    switch (page) {
    case Business:
        written = writeFirstRow(
            Data1, {{QStringLiteral("kurumismi"), Text3->text()}, {QStringLiteral("logo"), Text4->text()}});
        break;
    case Backup:
        written = writeFirstRow(
            Data1, {{QStringLiteral("oto_yedek"), ui::withTrailingSeparator(Destinationpath->text())},
                    {QStringLiteral("oto_yedek_aktif"), Text2}});
        break;
    case Receipt:
        if (!kWholeNumber.match(txtFisNo->text()).hasMatch()) {
            pv::MsgBox(QStringLiteral("Son makbuz numarası sıfır ya da daha büyük bir tam sayı olmalıdır."),
                       pv::vbExclamation, QStringLiteral("Dikkat!!"));
            txtFisNo->setFocus();
            return Saved::Refused;
        }
        written = writeFirstRow(DataFisNo, {{QStringLiteral("yolu"), txtFisNo->text()}});
        break;
    case Mail:
        if (!txtMailKul->text().contains(ui::mailDomain())) {
            pv::MsgBox(QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. ") + ui::mailExample() +
                           QStringLiteral(" gibi doğru gmail adresi girin."),
                       pv::vbCritical);
            txtMailKul->setFocus();
            return Saved::Refused;
        }
        written = writeFirstRow(Data1, {{QStringLiteral("mailsunucu"), txtMailSunucu->text()},
                                        {QStringLiteral("mailadres"), txtMailKul->text()},
                                        {QStringLiteral("mailsifre"), txtMailSifre->text()},
                                        {QStringLiteral("mailport"), txtMailPort->text()}});
        break;
    }
    if (!written)
        return Saved::Failed;
    showPage(page);
    // The main window reads the name, the logo and the backup settings.
    if (page == Business || page == Backup)
        emit settingsSaved();
    setEditing(page, false);
    return Saved::Written;
}

void ayarlar::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    // What was typed into a page still in edit mode is not lost with the window; a page its
    // own save would refuse is not written, and the window closes all the same.
    bool failed = false;
    for (Page p : {Business, Backup, Receipt, Mail}) {
        if (m_editing[p] && savePage(p) == Saved::Failed)
            failed = true;
    }
    if (failed)
        saveFailed(); // once, however many pages it stopped
}

void ayarlar::BvButton1_Click()
{
    const QString picked = pv::pickOpenFile(
        QStringLiteral("Resim Dosyası Seçin."),
        QStringLiteral(
            "JPG File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|GIF File(*.gif)|*.gif|Tüm Dosyalar(*.*)|*.*"),
        this);
    if (picked.isEmpty())
        return;
    Text4->setText(picked);
    checkLogo(true);
}

void ayarlar::BvButton2_Click()
{
    if (Text4->text().isEmpty())
        return;
    if (pv::MsgBox(QStringLiteral("Firma Logosunu Silmek İstediğinizden Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("Uyarı")) != pv::vbYes)
        return;
    Text4->clear();
    checkLogo(false);
}

void ayarlar::MyButton7_Click()
{
    const QString folder = pv::pickFolder(QStringLiteral("Yedeklenecek Klasörü Seçin"), this);
    if (folder.isEmpty())
        return;
    Destinationpath->setText(ui::withTrailingSeparator(folder));
}

void ayarlar::Check1_Click()
{
    Text2 = Check1->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
}

void ayarlar::Text2_Change(const QString &text)
{
    Check1->setChecked(!ui::switchIsOn(text));
    // Setting the tick writes it back, so the box holds only "0" or "1".
    Check1_Click();
}

void ayarlar::Command1_Click()
{
    checkLogo(true);
}

void ayarlar::checkLogo(bool withMessages)
{
    Image2->clear();
    const QString path = Text4->text();
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        if (withMessages)
            pv::MsgBox(QStringLiteral("Firma Logosu Klasör Dizini Hatalı"), pv::vbExclamation,
                       QStringLiteral("Hata "));
        return;
    }
    const QString ext = path.right(3).toUpper();
    if (ext != QLatin1String("JPG") && ext != QLatin1String("GIF") && ext != QLatin1String("BMP")) {
        if (withMessages)
            pv::MsgBox(QStringLiteral("Firma Logosu Klasör Dizini Hatalı"), pv::vbExclamation,
                       QStringLiteral("Hata"));
        return;
    }
    const QPixmap picture(path);
    if (!picture.isNull())
        Image2->setPixmap(picture.scaled(Image2->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
