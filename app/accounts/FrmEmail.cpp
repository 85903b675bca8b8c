#include "app/accounts/FrmEmail.h"

#include "app/accounts/StatementHtml.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>

namespace
{

// Off the window's client area: fields only code and bindings use, and the panels' rest.
constexpr double kAway = 9000;
constexpr double kWidth = 8400;
constexpr double kHeight = 6480;

QLineEdit *readOnlyBox(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    QLineEdit *e = ui::textBox(parent, name, l, t, w, h);
    e->setReadOnly(true);
    return e;
}

QPlainTextEdit *textArea(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    auto *e = new QPlainTextEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui::place(e, l, t, w, h);
    return e;
}

QTableView *grid(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    auto *g = new QTableView(parent);
    g->setObjectName(QLatin1String(name));
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    ui::place(g, l, t, w, h);
    return g;
}

// VB's Trim: blanks only, tabs and line breaks stay.
QString trimBlanks(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

} // namespace

FrmEmail::FrmEmail()
{
    setObjectName(QStringLiteral("FrmEmail"));
    setCaption(QStringLiteral("E-Posta Gönder"));
    setClientSizeTwips(kWidth, kHeight);
    setFixedSize(size());

    buildComposition();
    buildHidden();
    buildSubjectPanel();
    buildTextPanel();

    txtHtmYap.onChange(this, [this] { cmdToHTML_Click(); });
}

FrmEmail::~FrmEmail() = default;

void FrmEmail::buildComposition()
{
    mailFRM = ui::frame(this, "mailFRM", 120, 120, 8160, 6240, QStringLiteral("E-POSTA İLE GÖNDER"));
    const double lx = 120, lw = 1500, bx = 1680, bw = 5040, sx = 6840, sw = 1200;
    ui::label(mailFRM, "Label1", lx, 510, lw, 285, QStringLiteral("Müşreri :"));
    TextBox2 = ui::textBox(mailFRM, "TextBox2", bx, 480, bw, 330, QStringLiteral("Müşterimiz"));
    ui::label(mailFRM, "Label2", lx, 930, lw, 285, QStringLiteral("E-Postası :"));
    TextBox3 = readOnlyBox(mailFRM, "TextBox3", bx, 900, bw, 330);
    ui::label(mailFRM, "Label3", lx, 1350, lw, 285, QStringLiteral("Konu :"));
    TextBox8 = ui::textBox(mailFRM, "TextBox8", bx, 1320, bw, 330, QStringLiteral("Borç Bilgisi"));
    btnSecKonu = ui::button(mailFRM, "btnSecKonu", sx, 1290, sw, 390, QStringLiteral("SEÇ"),
                            QStringLiteral("Taslaklardan Konu Seç / Yeni Kayıt Ekle"));
    ui::label(mailFRM, "Label4", lx, 1770, lw, 285, QStringLiteral("Mesaj Metni :"));
    TextBox1 = textArea(mailFRM, "TextBox1", bx, 1740, bw, 1800);
    btnSecMesaj = ui::button(mailFRM, "btnSecMesaj", sx, 1740, sw, 390, QStringLiteral("SEÇ"),
                             QStringLiteral("Taslaklardan Mesaj Metni İçin Bilgi Seç"));
    ui::label(mailFRM, "Label5", lx, 3660, lw, 285, QStringLiteral("Ekli Dosyalar :"));
    ListBox1 = new QListWidget(mailFRM);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ui::place(ListBox1, bx, 3660, bw, 1200);
    CommandButton2 = ui::button(mailFRM, "CommandButton2", sx, 3660, sw, 390, QStringLiteral("Dosya Ekle"),
                                QStringLiteral("Belge Ekle"));
    CommandButton3 = ui::button(mailFRM, "CommandButton3", sx, 4110, sw, 390, QStringLiteral("Sil"),
                                QStringLiteral("Seçili Olan Ekli Dosyayı Sil"));
    Label9 = ui::label(mailFRM, "Label9", bx, 4920, bw, 285, QString());
    CommandButton1 = ui::button(mailFRM, "CommandButton1", 4680, 5460, 1560, 480, QStringLiteral(" Gönder"),
                                QStringLiteral("E-Postayı Gönder"));
    btnKapat = ui::button(mailFRM, "btnKapat", 6360, 5460, 1560, 480, QStringLiteral(" Kapat"));

    connect(btnSecKonu, &BvButton::Click, this, &FrmEmail::btnSecKonu_Click);
    connect(btnSecMesaj, &BvButton::Click, this, &FrmEmail::btnSecMesaj_Click);
    connect(CommandButton2, &BvButton::Click, this, &FrmEmail::CommandButton2_Click);
    connect(CommandButton3, &BvButton::Click, this, &FrmEmail::CommandButton3_Click);
    connect(CommandButton1, &BvButton::Click, this, &FrmEmail::CommandButton1_Click);
    connect(btnKapat, &BvButton::Click, this, &FrmEmail::btnKapat_Click);
}

void FrmEmail::buildHidden()
{
    TextBox4 = ui::textBox(this, "TextBox4", kAway, 120, 3000, 330);
    TextBox9 = ui::textBox(this, "TextBox9", kAway, 480, 3000, 330);
    TextBox10 = ui::textBox(this, "TextBox10", kAway, 840, 3000, 330);
    TextBox10->setEchoMode(QLineEdit::Password);
    TextBox5 = ui::textBox(this, "TextBox5", kAway, 1200, 3000, 330);
    TextBox6 = ui::textBox(this, "TextBox6", kAway, 1560, 3000, 330);
    TextBox7 = ui::textBox(this, "TextBox7", kAway, 1920, 3000, 330);
    Label10 = ui::label(this, "Label10", kAway, 2280, 3000, 285, QStringLiteral("smtp.gmail.com"));
    Label11 = ui::label(this, "Label11", kAway, 2640, 3000, 285, QStringLiteral("465"));
    txtExtreYol = ui::textBox(this, "txtExtreYol", kAway, 3000, 3000, 330);
    connect(TextBox9, &QLineEdit::textChanged, TextBox5, &QLineEdit::setText);

    DataFirmaBilgi = new pv::DataControl(this);
    DataFirmaBilgi->setObjectName(QStringLiteral("DataFirmaBilgi"));
    Data3 = new pv::DataControl(this);
    Data3->setObjectName(QStringLiteral("Data3"));
    Data2 = new pv::DataControl(this);
    Data2->setObjectName(QStringLiteral("Data2"));
}

void FrmEmail::buildSubjectPanel()
{
    Frame1 = ui::panel(this, "Frame1", kAway, 0, kWidth, kHeight, false);
    FrameFendrixon2 = ui::frame(Frame1, "FrameFendrixon2", 120, 120, 8160, 6240, QStringLiteral("Konu Ekle"));
    DBGrid1 = grid(FrameFendrixon2, "DBGrid1", 120, 480, 7920, 4200);
    m_subjects =
        new pv::DataGridModel(Data3, {{QStringLiteral("Konular"), QStringLiteral("Aciklama"), 7560}}, this);
    m_subjects->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    xpText11 = ui::textBox(FrameFendrixon2, "xpText11", 120, 4800, 7920, 330);
    btnEkle = ui::button(FrameFendrixon2, "btnEkle", 120, 5340, 1560, 450, QStringLiteral(" Ekle"));
    btnSil = ui::button(FrameFendrixon2, "btnSil", 1800, 5340, 2400, 450, QStringLiteral("Seçili Kaydı Sil"));
    btnKapat2 = ui::button(FrameFendrixon2, "btnKapat2", 6480, 5340, 1560, 450, QStringLiteral(" Kapat"));
    Frame1->hide();

    connect(DBGrid1, &QTableView::doubleClicked, this, &FrmEmail::DBGrid1_DblClick);
    connect(btnEkle, &BvButton::Click, this, &FrmEmail::btnEkle_Click);
    connect(btnSil, &BvButton::Click, this, &FrmEmail::btnSil_Click);
    connect(btnKapat2, &BvButton::Click, this, &FrmEmail::btnKapat2_Click);
}

void FrmEmail::buildTextPanel()
{
    Frame2 = ui::panel(this, "Frame2", kAway, 0, kWidth, kHeight, false);
    FrameFendrixon1 =
        ui::frame(Frame2, "FrameFendrixon1", 120, 120, 8160, 6240, QStringLiteral("Mesaj Metni Ekle"));
    xpText2 = textArea(FrameFendrixon1, "xpText2", 120, 480, 7920, 1440);
    XTab1 = new QTabWidget(FrameFendrixon1);
    XTab1->setObjectName(QStringLiteral("XTab1"));
    ui::place(XTab1, 120, 2040, 7920, 2700);

    auto *texts = new QWidget(XTab1);
    XTab1->addTab(texts, QStringLiteral("  Mesaj Metinleri  "));
    DBGrid2 = grid(texts, "DBGrid2", 60, 60, 7680, 2160);
    m_texts = new pv::DataGridModel(
        Data2, {{QStringLiteral("Mesaj Metinleri"), QStringLiteral("Aciklama"), 7320}}, this);
    m_texts->attach(DBGrid2, [](int twips) { return pv::twipsToPixels(twips); });

    auto *info = new QWidget(XTab1);
    XTab1->addTab(info, QStringLiteral("  Mesaj Metni İçin Bilgiler  "));
    const double lx = 120, lw = 1740, vx = 1920, vw = 3000, px = 5000, pw = 900, bx = 6000, bw = 1560;
    auto row = [&](int i, const char *labelName, const QString &caption, const char *valueName,
                   const char *ptName, const char *buttonName, QLineEdit **value, QLineEdit **pt,
                   BvButton **button) {
        const double y = 120 + i * 540;
        ui::label(info, labelName, lx, y + 30, lw, 285, caption);
        *value = readOnlyBox(info, valueName, vx, y, vw, 330);
        if (ptName)
            *pt = readOnlyBox(info, ptName, px, y, pw, 330);
        *button = ui::button(info, buttonName, bx, y - 30, bw, 390, QStringLiteral(" Ekle"));
    };
    QLineEdit *none = nullptr;
    row(0, "Label12", QStringLiteral("Müşteri :"), "txtMusteri", nullptr, "BvButton2", &txtMusteri, &none,
        &BvButton2);
    row(1, "Label13", QStringLiteral("Toplam Borç :"), "VornXPTextBox2", "txtPt1", "BvButton3",
        &VornXPTextBox2, &txtPt1, &BvButton3);
    row(2, "Label14", QStringLiteral("Toplam Ödenen :"), "VornXPTextBox3", "txtPt2", "BvButton4",
        &VornXPTextBox3, &txtPt2, &BvButton4);
    row(3, "Label15", QStringLiteral("Toplam Bakiye :"), "VornXPTextBox4", "txtPt3", "BvButton5",
        &VornXPTextBox4, &txtPt3, &BvButton5);
    for (QLineEdit *pt : {txtPt1, txtPt2, txtPt3})
        pt->setText(QStringLiteral("TL"));

    xpText1 = ui::textBox(FrameFendrixon1, "xpText1", 120, 4860, 7920, 330);
    btnEkle2 = ui::button(FrameFendrixon1, "btnEkle2", 120, 5340, 1560, 450, QStringLiteral(" Ekle"));
    btnSil2 =
        ui::button(FrameFendrixon1, "btnSil2", 1800, 5340, 2400, 450, QStringLiteral("Seçili Kaydı Sil"));
    btnAktar = ui::button(FrameFendrixon1, "btnAktar", 4320, 5340, 1560, 450, QStringLiteral("Aktar"));
    btnKapat3 = ui::button(FrameFendrixon1, "btnKapat3", 6480, 5340, 1560, 450, QStringLiteral(" Kapat"));
    Frame2->hide();

    connect(DBGrid2, &QTableView::doubleClicked, this, &FrmEmail::DBGrid2_DblClick);
    connect(BvButton2, &BvButton::Click, this, &FrmEmail::BvButton2_Click);
    connect(BvButton3, &BvButton::Click, this, &FrmEmail::BvButton3_Click);
    connect(BvButton4, &BvButton::Click, this, &FrmEmail::BvButton4_Click);
    connect(BvButton5, &BvButton::Click, this, &FrmEmail::BvButton5_Click);
    connect(btnEkle2, &BvButton::Click, this, &FrmEmail::btnEkle2_Click);
    connect(btnSil2, &BvButton::Click, this, &FrmEmail::btnSil2_Click);
    connect(btnKapat3, &BvButton::Click, this, &FrmEmail::btnKapat3_Click);
    connect(btnAktar, &BvButton::Click, this, &FrmEmail::btnAktar_Click);
}

QString FrmEmail::recipientExample()
{
    return QStringLiteral("musteri@ornek.com");
}

// ---------------------------------------------------------------- opening

void FrmEmail::fill(const Customer &c)
{
    TextBox2->setText(c.name);
    TextBox3->setText(c.address);
    txtMusteri->setText(c.name);
    VornXPTextBox2->setText(c.debt);
    VornXPTextBox3->setText(c.paid);
    VornXPTextBox4->setText(c.balance);
    txtPt1->setText(c.currency[0]);
    txtPt2->setText(c.currency[1]);
    txtPt3->setText(c.currency[2]);
}

void FrmEmail::openPlain(const Customer &c)
{
    fill(c);
    Show(pv::Form::Modal);
}

void FrmEmail::openStatement(const Customer &c, const QString &code)
{
    fill(c);
    Text10 = code;
    txtHtmYap = QStringLiteral("1"); // writes the statement now, over the account window
    if (txtExtreYol->text().isEmpty()) {
        // The export has said why; a message that speaks of an attached statement must not follow.
        pv::Unload(this);
        return;
    }
    TextBox1->setPlainText(
        QStringLiteral("Sayın, Müşterimiz\r\rHesap Özetiniz ile ilgili ekstre detaylarınızı "
                       "ekte bulabilirsiniz."));
    Show(pv::Form::Modal);
}

// ---------------------------------------------------------------- loading

void FrmEmail::Form_Load()
{
    CommandButton3->setEnabled(false);
    updateCount();
    m_db.open(pv::databasePath());
    DataFirmaBilgi->setDatabaseName(pv::databasePath());
    DataFirmaBilgi->setRecordSource(QStringLiteral("dgrayr"));
    DataFirmaBilgi->bind(TextBox4, QStringLiteral("kurumismi"));
    DataFirmaBilgi->bind(TextBox9, QStringLiteral("mailadres"));
    DataFirmaBilgi->bind(TextBox10, QStringLiteral("mailsifre"));
    DataFirmaBilgi->Refresh();
    Data3->setDatabaseName(pv::databasePath());
    Data2->setDatabaseName(pv::databasePath());
}

void FrmEmail::Form_Activate()
{
    Data3->setRecordSource(QStringLiteral("select * from MailKonu order by Aciklama asc"));
    Data3->Refresh();
    Data2->setRecordSource(QStringLiteral("select * from MailMesaj order by Aciklama asc"));
    Data2->Refresh();
}

// ---------------------------------------------------------------- canned subjects and texts

void FrmEmail::btnSecKonu_Click()
{
    ui::showAt(Frame1, 0, 0);
}

void FrmEmail::DBGrid1_DblClick()
{
    const int row = Data3->currentRow();
    if (row < 0)
        return;
    // The subject is one line: a line break in the canned text parts its words.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    TextBox8->setText(Data3->Recordset().textAt(row, 0).replace(lineBreak, QStringLiteral(" ")));
    Frame1->hide();
}

void FrmEmail::addCanned(const QString &table, QLineEdit *box, pv::DataControl *dc,
                         const QString &emptyMessage)
{
    if (box->text().isEmpty()) {
        pv::MsgBox(emptyMessage, pv::vbExclamation, ui::kWarnTitle);
        box->setFocus();
        return;
    }
    if (!m_db.exec(QStringLiteral("insert into %1 (Aciklama) values (?)").arg(table), {box->text()})) {
        pv::MsgBox(QStringLiteral("Kayıt eklenemedi.\r\n") + m_db.lastError().message, pv::vbCritical,
                   ui::kErrorTitle);
        return;
    }
    dc->Refresh();
    box->clear();
}

void FrmEmail::deleteCanned(const QString &table, pv::DataControl *dc)
{
    if (pv::MsgBox(QStringLiteral("Seçmiş olduğunuz Kayıt silinecektir. Emin misiniz?"),
                   pv::vbYesNo | pv::vbQuestion, QStringLiteral("KAYIT SİL")) != pv::vbYes)
        return;
    const int row = dc->currentRow();
    if (row < 0)
        return; // nothing to delete
    const QVariant id = dc->Recordset().valueAt(row, 1);
    if (!m_db.exec(QStringLiteral("delete from %1 where id = ?").arg(table), {id}) || m_db.changes() != 1) {
        pv::MsgBox(QStringLiteral("Kayıt silinemedi.\r\n") + m_db.lastError().message, pv::vbCritical,
                   ui::kErrorTitle);
        dc->Refresh();
        return;
    }
    dc->Refresh();
}

void FrmEmail::btnEkle_Click()
{
    addCanned(QStringLiteral("MailKonu"), xpText11, Data3, QStringLiteral("Mail Konusunu Yazın"));
}

void FrmEmail::btnSil_Click()
{
    deleteCanned(QStringLiteral("MailKonu"), Data3);
}

void FrmEmail::btnKapat2_Click()
{
    Frame1->hide();
    Data3->Refresh();
}

void FrmEmail::btnSecMesaj_Click()
{
    ui::showAt(Frame2, 0, 0);
}

void FrmEmail::DBGrid2_DblClick()
{
    const int row = Data2->currentRow();
    if (row >= 0)
        xpText2->setPlainText(Data2->Recordset().textAt(row, 0));
}

void FrmEmail::appendInfo(QLineEdit *value, const QString &piece)
{
    const QString text = xpText2->toPlainText();
    if (text.contains(value->text()))
        return;
    xpText2->setPlainText(text.isEmpty() ? value->text() : text + piece);
    xpText2->moveCursor(QTextCursor::End);
}

void FrmEmail::BvButton2_Click()
{
    appendInfo(txtMusteri, QStringLiteral(" ") + txtMusteri->text());
}

void FrmEmail::BvButton3_Click()
{
    appendInfo(VornXPTextBox2, QStringLiteral(" Toplam Borç :") + VornXPTextBox2->text() +
                                   QStringLiteral(" ") + txtPt1->text());
}

void FrmEmail::BvButton4_Click()
{
    appendInfo(VornXPTextBox3, QStringLiteral(" Toplam Ödenen :") + VornXPTextBox3->text() +
                                   QStringLiteral(" ") + txtPt2->text());
}

void FrmEmail::BvButton5_Click()
{
    appendInfo(VornXPTextBox4, QStringLiteral(" Toplam Bakiye :") + VornXPTextBox4->text() +
                                   QStringLiteral(" ") + txtPt3->text());
}

void FrmEmail::btnEkle2_Click()
{
    addCanned(QStringLiteral("MailMesaj"), xpText1, Data2, QStringLiteral("Mesaj Metnini Yazın"));
}

void FrmEmail::btnSil2_Click()
{
    deleteCanned(QStringLiteral("MailMesaj"), Data2);
}

void FrmEmail::btnKapat3_Click()
{
    Frame2->hide();
    Data2->Refresh();
}

void FrmEmail::btnAktar_Click()
{
    TextBox1->setPlainText(xpText2->toPlainText());
    Frame2->hide();
}

// ---------------------------------------------------------------- attachments

void FrmEmail::updateCount()
{
    Label9->setText(QString::number(ListBox1->count()) + QStringLiteral(" Adet Dosya Ekli"));
}

void FrmEmail::CommandButton2_Click()
{
    const QString path =
        pv::pickOpenFile(QStringLiteral("Dosya Seç"), QStringLiteral("All Files (*.*)|*.*"), this);
    if (path.isEmpty())
        return;
    ListBox1->addItem(path);
    updateCount();
    CommandButton3->setEnabled(true);
}

void FrmEmail::CommandButton3_Click()
{
    ListBox1->setFocus();
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    delete ListBox1->takeItem(ListBox1->row(selected.first()));
    updateCount();
    if (ListBox1->count() == 0) {
        CommandButton3->setEnabled(false);
        ListBox1->setFocus();
    }
}

// ---------------------------------------------------------------- the statement

void FrmEmail::cmdToHTML_Click()
{
    const QString path = pv::programFolder() + QLatin1Char('/') + statement::kFileName;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    statement::Input in;
    in.customer = txtMusteri->text();
    in.debt = VornXPTextBox2->text();
    in.paid = VornXPTextBox3->text();
    in.balance = VornXPTextBox4->text();
    in.currency = txtPt1->text();
    in.day = pv::Clock::today();
    QString reason;
    bool ok = statement::ledgerRows(m_db, Text10.text(), &in.rows);
    if (!ok)
        reason = m_db.lastError().message;
    else
        ok = statement::write(path, statement::html(in), &reason);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        pv::MsgBox(QStringLiteral("Cari Hareket Hesap Özeti oluşturulamadı.\r\n") + reason, pv::vbCritical,
                   ui::kErrorTitle);
        return;
    }
    txtExtreYol->setText(path);
    if (ListBox1->findItems(path, Qt::MatchExactly).isEmpty())
        ListBox1->addItem(path);
    updateCount();
    CommandButton3->setEnabled(true);
    pv::MsgBox(QStringLiteral("Web Sayfası olarak aktarıldı!"), pv::vbInformation, QStringLiteral("Bilgi"));
}

// ---------------------------------------------------------------- sending

void FrmEmail::trimMailFields()
{
    const QList<QLineEdit *> boxes{TextBox9, TextBox3, TextBox8, TextBox4, TextBox2, TextBox6, TextBox7};
    QStringList texts;
    for (QLineEdit *b : boxes)
        texts << b->text();
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setText(trimBlanks(texts.at(i)));
}

Dialog2::Outgoing FrmEmail::outgoing() const
{
    Dialog2::Outgoing out;
    out.host = Label10->text();
    out.port = Label11->text();
    out.user = TextBox9->text();
    out.password = TextBox10->text();
    pv::MailMessage &m = out.message;
    m.to = {{TextBox2->text(), TextBox3->text()}};
    m.from = {TextBox4->text(), TextBox5->text()};
    m.cc = pv::MailMessage::splitAddresses(TextBox6->text());
    m.bcc = pv::MailMessage::splitAddresses(TextBox7->text());
    m.subject = TextBox8->text();
    m.body = TextBox1->toPlainText();
    for (int i = 0; i < ListBox1->count(); ++i) {
        pv::MailAttachment a;
        a.path = ListBox1->item(i)->text();
        if (a.path == txtExtreYol->text()) {
            a.contentType = QStringLiteral("text/html");
            a.charset = QStringLiteral("windows-1254");
        }
        m.attachments << a;
    }
    return out;
}

void FrmEmail::CommandButton1_Click()
{
    struct Check {
        bool failed;
        QString message, title;
        int icon;
        QLineEdit *focus;
    };
    const QString mail = TextBox9->text();
    const QString to = TextBox3->text();
    const Check checks[] = {
        {mail.isEmpty(), QStringLiteral("Gmail adresinizi girin."), QStringLiteral("Gmail Adres"),
         pv::vbExclamation, nullptr},
        {TextBox10->text().isEmpty(), QStringLiteral("Gmail adresi şifrenizi giriniz."),
         QStringLiteral("Şifre"), pv::vbExclamation, nullptr},
        {to.isEmpty(), QStringLiteral("Alıcının / Müşterinin e-posta adresini girin."),
         QStringLiteral("Alıcı E-Posta"), pv::vbExclamation, nullptr},
        {TextBox8->text().isEmpty(), QStringLiteral("E-posta konu girin."), QStringLiteral("Konu"),
         pv::vbExclamation, nullptr},
        {!mail.contains(ui::mailDomain()),
         QStringLiteral("E-posta adresi geçerli bir gmail adresi değil. ") + ui::mailExample() +
             QStringLiteral(" gibi doğru gmail adresi girin."),
         QString(), pv::vbCritical, TextBox9},
        {!to.contains(QLatin1Char('@')),
         QStringLiteral("Alıcı e-posta adresi geçerli bir e-posta adresi değil. ") + recipientExample() +
             QStringLiteral(" gibi doğru adresi girin."),
         QString(), pv::vbCritical, TextBox3},
    };
    for (const Check &c : checks) {
        if (!c.failed)
            continue;
        pv::MsgBox(c.message, c.icon, c.title);
        if (c.focus)
            c.focus->setFocus();
        return;
    }

    trimMailFields();
    m_senderTrimmed = true;
    Dialog2 &d = pv::form<Dialog2>();
    connect(&d, &Dialog2::sent, this, &FrmEmail::ResetMailForm, Qt::UniqueConnection);
    d.start(outgoing(), this);
}

void FrmEmail::ResetMailForm()
{
    ListBox1->clear();
    CommandButton3->setEnabled(false);
    TextBox1->clear();
    TextBox6->clear();
    TextBox7->clear();
    Label9->setText(QString::number(ListBox1->count()) + QStringLiteral(" Dosya (lar) şu anda bağlı."));
}

void FrmEmail::Form_Unload(int &Cancel)
{
    Q_UNUSED(Cancel);
    // The trimmed shop name and sender address go back into the settings row; the
    // password and the rest of the row are left as stored. A failing write is passed
    // over: the next send trims them again.
    if (m_senderTrimmed)
        DataFirmaBilgi->UpdateRecord({QStringLiteral("kurumismi"), QStringLiteral("mailadres")});
}

void FrmEmail::btnKapat_Click()
{
    pv::Unload(this);
}
