#include "app/accounts/FrmEmail.h"

#include "app/accounts/StatementHtml.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/FormLoader.h"
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

// A canned list: no row numbers, its one column as wide as the grid.
void cannedGrid(QTableView *g)
{
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
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
    // The fields only code and the bindings use, and the closed panels, lie beyond the
    // window's right edge.
    ui::loadForm(
        this,
        {PV_FORM_MEMBER(TextBox2),       PV_FORM_MEMBER(TextBox3),        PV_FORM_MEMBER(TextBox8),
         PV_FORM_MEMBER(btnSecKonu),     PV_FORM_MEMBER(TextBox1),        PV_FORM_MEMBER(btnSecMesaj),
         PV_FORM_MEMBER(ListBox1),       PV_FORM_MEMBER(CommandButton2),  PV_FORM_MEMBER(CommandButton3),
         PV_FORM_MEMBER(Label9),         PV_FORM_MEMBER(CommandButton1),  PV_FORM_MEMBER(btnKapat),
         PV_FORM_MEMBER(TextBox4),       PV_FORM_MEMBER(TextBox9),        PV_FORM_MEMBER(TextBox10),
         PV_FORM_MEMBER(TextBox5),       PV_FORM_MEMBER(TextBox6),        PV_FORM_MEMBER(TextBox7),
         PV_FORM_MEMBER(Label10),        PV_FORM_MEMBER(Label11),         PV_FORM_MEMBER(txtExtreYol),
         PV_FORM_MEMBER(Frame1),         PV_FORM_MEMBER(FrameFendrixon2), PV_FORM_MEMBER(DBGrid1),
         PV_FORM_MEMBER(xpText11),       PV_FORM_MEMBER(btnEkle),         PV_FORM_MEMBER(btnSil),
         PV_FORM_MEMBER(btnKapat2),      PV_FORM_MEMBER(Frame2),          PV_FORM_MEMBER(FrameFendrixon1),
         PV_FORM_MEMBER(xpText2),        PV_FORM_MEMBER(XTab1),           PV_FORM_MEMBER(DBGrid2),
         PV_FORM_MEMBER(txtMusteri),     PV_FORM_MEMBER(VornXPTextBox2),  PV_FORM_MEMBER(txtPt1),
         PV_FORM_MEMBER(VornXPTextBox3), PV_FORM_MEMBER(txtPt2),          PV_FORM_MEMBER(VornXPTextBox4),
         PV_FORM_MEMBER(txtPt3),         PV_FORM_MEMBER(BvButton2),       PV_FORM_MEMBER(BvButton3),
         PV_FORM_MEMBER(BvButton4),      PV_FORM_MEMBER(BvButton5),       PV_FORM_MEMBER(xpText1),
         PV_FORM_MEMBER(btnEkle2),       PV_FORM_MEMBER(btnSil2),         PV_FORM_MEMBER(btnAktar),
         PV_FORM_MEMBER(btnKapat3)});
    connect(TextBox9, &QLineEdit::textChanged, TextBox5, &QLineEdit::setText);

    DataFirmaBilgi = new pv::DataControl(this);
    DataFirmaBilgi->setObjectName(QStringLiteral("DataFirmaBilgi"));
    Data3 = new pv::DataControl(this);
    Data3->setObjectName(QStringLiteral("Data3"));
    Data2 = new pv::DataControl(this);
    Data2->setObjectName(QStringLiteral("Data2"));

    cannedGrid(DBGrid1);
    m_subjects =
        new pv::DataGridModel(Data3, {{QStringLiteral("Konular"), QStringLiteral("Aciklama"), 7560}}, this);
    m_subjects->attach(DBGrid1, [](int twips) { return pv::twipsToPixels(twips); });
    connect(DBGrid1, &QTableView::doubleClicked, this, &FrmEmail::DBGrid1_DblClick);

    cannedGrid(DBGrid2);
    m_texts = new pv::DataGridModel(
        Data2, {{QStringLiteral("Mesaj Metinleri"), QStringLiteral("Aciklama"), 7320}}, this);
    m_texts->attach(DBGrid2, [](int twips) { return pv::twipsToPixels(twips); });
    connect(DBGrid2, &QTableView::doubleClicked, this, &FrmEmail::DBGrid2_DblClick);

    txtHtmYap.onChange(this, [this] { cmdToHTML_Click(); });
}

FrmEmail::~FrmEmail() = default;

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
    pv::showFromStart(TextBox8, Data3->Recordset().textAt(row, 0).replace(lineBreak, QStringLiteral(" ")));
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
