#include "app/admin/ayarlar.h"

#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/databind/DataControl.h"
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
    setCaption(QStringLiteral("Genel Ayarlar"));
    setClientSizeTwips(8400, 5160);
    setFixedSize(size());

    XTab1 = new QTabWidget(this);
    XTab1->setObjectName(QStringLiteral("XTab1"));
    ui::place(XTab1, 120, 120, 8160, 4920);

    // Business: name and logo.
    QWidget *p1 = page(XTab1, QStringLiteral("  Firma Bilgileri  "));
    Frame1 = ui::frame(p1, "Frame1", 60, 60, 7920, 4260,
                       QStringLiteral("RAPOR ÇIKTILARININ ÜZERİNDEKİ FİRMA ADI VE LOGOSU"));
    ui::label(Frame1, "Label1", 120, 480, 1500, 285, QStringLiteral("Firma Adı :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    Text3 = ui::textBox(Frame1, "Text3", 1680, 450, 5000, 330);
    ui::label(Frame1, "Label2", 120, 900, 1500, 285, QStringLiteral("Firma Logosu :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    Text4 = ui::textBox(Frame1, "Text4", 1680, 870, 5000, 330);
    BvButton1 = ui::button(Frame1, "BvButton1", 1680, 1320, 1800, 420, QStringLiteral("LOGO YÜKLE"));
    BvButton2 = ui::button(Frame1, "BvButton2", 3600, 1320, 1800, 420, QStringLiteral(" LOGOYU SİL"));
    Picture1 = new QFrame(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Box);
    ui::place(Picture1, 1680, 1860, 2400, 1800);
    Image2 = new QLabel(Picture1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAlignment(Qt::AlignCenter);
    ui::place(Image2, 15, 15, 2370, 1770);
    btnEdit = ui::button(Frame1, "btnEdit", 6240, 3660, 1560, 450, QStringLiteral(" Düzenle"));
    btnSave = ui::button(Frame1, "btnSave", 6240, 3660, 1560, 450, QStringLiteral(" Kaydet"));

    // Backup folder and the automatic backup.
    QWidget *p2 = page(XTab1, QStringLiteral("  Yedekleme  "));
    Frame2 = ui::frame(p2, "Frame2", 60, 60, 7920, 4260,
                       QStringLiteral("PROGRAMIN YEDEKLENECEĞİ KLASÖR AYARLARI"));
    ui::label(Frame2, "Label3", 120, 480, 2200, 285, QStringLiteral("Yedeklenecek Klasör :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    Destinationpath = ui::textBox(Frame2, "Destinationpath", 120, 800, 6240, 330);
    MyButton7 = ui::button(Frame2, "MyButton7", 6480, 770, 1320, 390, QStringLiteral(" GÖZAT"),
                           QStringLiteral("GÖZAT"), {{"ToolTipType", int(BrennavikBtn::TooltipBalloon)}});
    Check1 = new QCheckBox(QStringLiteral("Otomatik Yedeklemeyi Kapat"), Frame2);
    Check1->setObjectName(QStringLiteral("Check1"));
    ui::place(Check1, 120, 1320, 4000, 330);
    vekbutton6 = ui::button(Frame2, "vekbutton6", 6240, 3660, 1560, 450, QStringLiteral(" Düzenle"));
    BvButton6 = ui::button(Frame2, "BvButton6", 6240, 3660, 1560, 450, QStringLiteral(" Kaydet"));

    // The next customer receipt number.
    QWidget *p3 = page(XTab1, QStringLiteral("  Müşteri Makbuz Ayarı  "));
    Frame3 = ui::frame(p3, "Frame3", 60, 60, 7920, 4260, QStringLiteral("MÜŞTERİ MAKBUZ AYARLARI"));
    ui::label(Frame3, "Label4", 120, 480, 2400, 285, QStringLiteral("Son Makbuz Numrası :"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    txtFisNo = ui::textBox(Frame3, "txtFisNo", 2580, 450, 2000, 330);
    txtFisNo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,18}")), txtFisNo));
    btnEdit2 = ui::button(Frame3, "btnEdit2", 6240, 3660, 1560, 450, QStringLiteral(" Düzenle"));
    btnSave2 = ui::button(Frame3, "btnSave2", 6240, 3660, 1560, 450, QStringLiteral(" Kaydet"));

    // The mail account.
    QWidget *p4 = page(XTab1, QStringLiteral("  E-Posta Ayarları  "));
    Frame4 = ui::frame(p4, "Frame4", 60, 60, 7920, 4260, QStringLiteral("FİRMA GMAIL SUNUCU AYARLARI"));
    ui::label(Frame4, "Label5", 120, 480, 1800, 285, QStringLiteral("E-Posta Sunucu:"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    txtMailSunucu = ui::textBox(Frame4, "txtMailSunucu", 1980, 450, 4000, 330);
    ui::label(Frame4, "Label6", 120, 900, 1800, 285, QStringLiteral("Kullanıcı Adı:"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    txtMailKul = ui::textBox(Frame4, "txtMailKul", 1980, 870, 4000, 330);
    ui::label(Frame4, "Label7", 120, 1320, 1800, 285, QStringLiteral("Parola:"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    txtMailSifre = ui::textBox(Frame4, "txtMailSifre", 1980, 1290, 4000, 330);
    txtMailSifre->setEchoMode(QLineEdit::Password);
    ui::label(Frame4, "Label8", 120, 1740, 1800, 285, QStringLiteral("Port:"),
              Qt::AlignLeft | Qt::AlignVCenter, true);
    txtMailPort = ui::textBox(Frame4, "txtMailPort", 1980, 1710, 1500, 330);
    Check2 = new QCheckBox(QStringLiteral("SSL Protokolü Kullan"), Frame4);
    Check2->setObjectName(QStringLiteral("Check2"));
    ui::place(Check2, 1980, 2160, 3000, 330);
    Check2->setEnabled(false); // nothing reads or stores it, and no edit command enables it
    btnEdit3 = ui::button(Frame4, "btnEdit3", 6240, 3660, 1560, 450, QStringLiteral(" Düzenle"));
    btnSave3 = ui::button(Frame4, "btnSave3", 6240, 3660, 1560, 450, QStringLiteral(" Kaydet"));

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    DataFisNo = new pv::DataControl(this);
    DataFisNo->setObjectName(QStringLiteral("DataFisNo"));

    for (Page p : {Business, Backup, Receipt, Mail})
        setEditing(p, false);

    connect(btnEdit, &BvButton::Click, this, &ayarlar::btnEdit_Click);
    connect(btnSave, &BvButton::Click, this, &ayarlar::btnSave_Click);
    connect(vekbutton6, &BvButton::Click, this, &ayarlar::vekbutton6_Click);
    connect(BvButton6, &BvButton::Click, this, &ayarlar::BvButton6_Click);
    connect(btnEdit2, &BvButton::Click, this, &ayarlar::btnEdit2_Click);
    connect(btnSave2, &BvButton::Click, this, &ayarlar::btnSave2_Click);
    connect(btnEdit3, &BvButton::Click, this, &ayarlar::btnEdit3_Click);
    connect(btnSave3, &BvButton::Click, this, &ayarlar::btnSave3_Click);
    connect(BvButton1, &BvButton::Click, this, &ayarlar::BvButton1_Click);
    connect(BvButton2, &BvButton::Click, this, &ayarlar::BvButton2_Click);
    connect(MyButton7, &BvButton::Click, this, &ayarlar::MyButton7_Click);
    connect(Check1, &QCheckBox::clicked, this, &ayarlar::Check1_Click);
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
        Text3->setText(field("kurumismi"));
        Text4->setText(field("logo"));
        checkLogo(false);
        break;
    case Backup:
        Destinationpath->setText(field("oto_yedek"));
        Text2 = field("oto_yedek_aktif");
        Text2_Change(Text2);
        break;
    case Receipt: {
        pv::Recordset &rs = DataFisNo->Recordset();
        txtFisNo->setText(rs.hasCurrent() ? rs.Fields(QStringLiteral("yolu")).text() : QString());
        break;
    }
    case Mail:
        txtMailSunucu->setText(field("mailsunucu"));
        txtMailKul->setText(field("mailadres"));
        txtMailSifre->setText(field("mailsifre"));
        txtMailPort->setText(field("mailport"));
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
    if (!writeFirstRow(
            Data1, {{QStringLiteral("kurumismi"), Text3->text()}, {QStringLiteral("logo"), Text4->text()}})) {
        saveFailed();
        return;
    }
    showPage(Business);
    emit settingsSaved();
    setEditing(Business, false);
}

void ayarlar::vekbutton6_Click()
{
    setEditing(Backup, true);
}

void ayarlar::BvButton6_Click()
{
    const QString folder = ui::withTrailingSeparator(Destinationpath->text());
    if (!writeFirstRow(Data1,
                       {{QStringLiteral("oto_yedek"), folder}, {QStringLiteral("oto_yedek_aktif"), Text2}})) {
        saveFailed();
        return;
    }
    showPage(Backup);
    emit settingsSaved();
    setEditing(Backup, false);
}

void ayarlar::btnEdit2_Click()
{
    setEditing(Receipt, true);
}

void ayarlar::btnSave2_Click()
{
    if (!kWholeNumber.match(txtFisNo->text()).hasMatch()) {
        pv::MsgBox(QStringLiteral("Son makbuz numarası sıfır ya da daha büyük bir tam sayı olmalıdır."),
                   pv::vbExclamation, QStringLiteral("Dikkat!!"));
        txtFisNo->setFocus();
        return;
    }
    if (!writeFirstRow(DataFisNo, {{QStringLiteral("yolu"), txtFisNo->text()}})) {
        saveFailed();
        return;
    }
    showPage(Receipt);
    setEditing(Receipt, false);
}

void ayarlar::btnEdit3_Click()
{
    setEditing(Mail, true);
}

void ayarlar::btnSave3_Click()
{
    if (!txtMailKul->text().contains(ui::mailDomain())) {
        pv::MsgBox(QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. ") + ui::mailExample() +
                       QStringLiteral(" gibi doğru gmail adresi girin."),
                   pv::vbCritical);
        txtMailKul->setFocus();
        return;
    }
    if (!writeFirstRow(Data1, {{QStringLiteral("mailsunucu"), txtMailSunucu->text()},
                               {QStringLiteral("mailadres"), txtMailKul->text()},
                               {QStringLiteral("mailsifre"), txtMailSifre->text()},
                               {QStringLiteral("mailport"), txtMailPort->text()}})) {
        saveFailed();
        return;
    }
    showPage(Mail);
    setEditing(Mail, false);
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
