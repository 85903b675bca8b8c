#include "app/shell/veresiye.h"

#include "app/accounts/musteriekle.h"
#include "app/accounts/veresiye2.h"
#include "app/admin/CopyFile.h"
#include "app/admin/CopyOto.h"
#include "app/admin/WebPages.h"
#include "app/admin/ayarlar.h"
#include "app/admin/birmler.h"
#include "app/admin/kullanici.h"
#include "app/bank/Banka1.h"
#include "app/cashbook/kasa.h"
#include "app/ledger/Customers.h"
#include "app/shell/BrennavikAutoSizer.h"
#include "app/shell/Form3.h"
#include "app/shell/frmAlert.h"
#include "app/shell/frmSplash.h"
#include "app/stock/frmProduct.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/data/SqlFunctions.h"
#include "platform/databind/DataControl.h"
#include "platform/databind/DataGridModel.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/forms/Timer.h"
#include "platform/report/Report.h"
#include "platform/text/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTableView>
#include <QTextBrowser>

#include <vector>

namespace
{

const QString kAll = QStringLiteral("select * from musteriler ORDER BY MusteriFirma asc");
const QStringList kTypes = {QStringLiteral("Tümü"),         QStringLiteral("Bayi"),
                            QStringLiteral("Alıcı"),        QStringLiteral("Satıcı"),
                            QStringLiteral("Alıcı/Satıcı"), QStringLiteral("Personel"),
                            QStringLiteral("Müşteri Grubu")};

// A small picture for the buttons the design leaves without a caption.
QImage glyph(const QString &symbol, int size = 24)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x28, 0x5E, 0xA8));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size - 6);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, symbol);
    return img;
}

// A printer, for the daily report's button.
QImage printerIcon(int size = 24)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x28, 0x5E, 0xA8);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(size * 0.28, size * 0.1, size * 0.44, size * 0.3)); // paper in
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(size * 0.1, size * 0.38, size * 0.8, size * 0.34), 2, 2); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(size * 0.28, size * 0.6, size * 0.44, size * 0.3)); // paper out
    return img;
}

} // namespace

veresiye::veresiye()
{
    setObjectName(QStringLiteral("veresiye"));
    // Wherever an account window is opened from (here, the customer card), its balance
    // ends up in this list.
    connect(&pv::FormEvents::instance(), &pv::FormEvents::loaded, this, [this](pv::Form *f) {
        if (auto *account = qobject_cast<veresiye2 *>(f))
            connect(account, &veresiye2::leaving, this, &veresiye::accountLeft);
    });

    Data1 = new pv::DataControl(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    DataYedekYeri = new pv::DataControl(this);
    DataYedekYeri->setObjectName(QStringLiteral("DataYedekYeri"));
    DataGrup = new pv::DataControl(this);
    DataGrup->setObjectName(QStringLiteral("DataGrup"));

    ui::loadForm(
        this,
        {PV_FORM_MEMBER(Image1),          PV_FORM_MEMBER(BvButton1),       PV_FORM_MEMBER(KasaBtn),
         PV_FORM_MEMBER(stokbut),         PV_FORM_MEMBER(btnBanka),        PV_FORM_MEMBER(VornXPButton11),
         PV_FORM_MEMBER(rapbut),          PV_FORM_MEMBER(BvButton4),       PV_FORM_MEMBER(BvButton5),
         PV_FORM_MEMBER(ayarbtn),         PV_FORM_MEMBER(BvButton3),       PV_FORM_MEMBER(siralatext),
         PV_FORM_MEMBER(BvButton2),       PV_FORM_MEMBER(musaratext),      PV_FORM_MEMBER(cboGrupAra),
         PV_FORM_MEMBER(frmGS),           PV_FORM_MEMBER(BvButton6),       PV_FORM_MEMBER(ilk),
         PV_FORM_MEMBER(btnGunlukPrnt),   PV_FORM_MEMBER(Frame1),          PV_FORM_MEMBER(DBGrid1),
         PV_FORM_MEMBER(VornXPButton3),   PV_FORM_MEMBER(btnDuyuru),       PV_FORM_MEMBER(btnMinimize),
         PV_FORM_MEMBER(VornXPButton9),   PV_FORM_MEMBER(VornXPButton1),   PV_FORM_MEMBER(VornXPButton2),
         PV_FORM_MEMBER(Shape4),          PV_FORM_MEMBER(Label7),          PV_FORM_MEMBER(musListesiFrm),
         PV_FORM_MEMBER(FrameFendrixon3), PV_FORM_MEMBER(siralatext2),     PV_FORM_MEMBER(xpCombo2),
         PV_FORM_MEMBER(xpCombo1),        PV_FORM_MEMBER(TextSize),        PV_FORM_MEMBER(muslisyzdBtn),
         PV_FORM_MEMBER(btnVazgec),       PV_FORM_MEMBER(listetoplamfrm),  PV_FORM_MEMBER(FrameFendrixon1),
         PV_FORM_MEMBER(VornXPTextBox22), PV_FORM_MEMBER(VornXPTextBox33), PV_FORM_MEMBER(VornXPTextBox44),
         PV_FORM_MEMBER(xpText1),         PV_FORM_MEMBER(VornXPButton7),   PV_FORM_MEMBER(frmResim),
         PV_FORM_MEMBER(Image7),          PV_FORM_MEMBER(frmDuyuru),       PV_FORM_MEMBER(FrameFendrixon2)});
    drawPictures();
    connectControls();
    buildList();
    // The announcements' page, in its panel's frame.
    WebBrowser2 = web::createBrowser(FrameFendrixon2);
    buildMenus();

    ui::bindField(Data1, &Text1, QStringLiteral("mus_kodu"));
    ui::bindField(Data1, &Text11111, QStringLiteral("MusteriFirma"));
    ui::bindField(Data1, &txtSonislem2, QStringLiteral("Sonislem2"));
    ui::bindField(Data1, &txtNote, QStringLiteral("Not"));
    ui::bindField(Data1, &txtFoto, QStringLiteral("foto"));
    ui::bindField(DataYedekYeri, &txtAlert, QStringLiteral("show"));
    ui::bindField(DataYedekYeri, &txtYedekAktif, QStringLiteral("oto_yedek_aktif"));
    ui::bindField(DataYedekYeri, &txtSurucu, QStringLiteral("oto_yedek"));

    Text11111.onChange(this, [this] { Command6_Click(); });
    txtNote.onChange(this, [this](const QString &t) { mnuNotg->setChecked(!t.isEmpty()); });
    txtFoto.onChange(this, [this](const QString &t) { mnuResg->setChecked(!t.isEmpty()); });
    txtAlert.onChange(this, [this] { txtAlert_Change(); });

    BrennavikAutoSizer1 = new BrennavikAutoSizer(this);
}

// ------------------------------------------------------------------ building the window

// The pictures the window draws itself.
void veresiye::drawPictures()
{
    // The window's backdrop.
    Image1->setPixmap([] {
        QImage img(16, 256, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, 0, 256);
        g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(1, QColor(0xDB, 0xE6, 0xF4));
        p.fillRect(img.rect(), g);
        return QPixmap::fromImage(img);
    }());
    const auto picture = [](BvButton *b, const QImage &img) {
        b->setPictureNormal(BvButton::Picture::bitmap(img, img.hasAlphaChannel()));
    };
    picture(btnGunlukPrnt, printerIcon());
    picture(btnDuyuru, glyph(QStringLiteral("!")));
    picture(btnMinimize, glyph(QStringLiteral("_")));
}

// The events the form file does not connect: the choices of the combos, the changes of
// the name search and the date, the click on the picture.
void veresiye::connectControls()
{
    connect(siralatext, &QComboBox::activated, this, [this] { siralatext_Click(); });
    connect(cboGrupAra, &QComboBox::activated, this, [this] { cboGrupAra_Click(); });
    connect(musaratext, &QLineEdit::textChanged, this, [this] { Command2_Click(); });
    connect(ilk, &QDateEdit::dateChanged, this, [this] { ilk_Change(); });
    connect(siralatext2, &QComboBox::activated, this, [this] { siralatext2_Click(); });
    connect(xpCombo2, &QComboBox::activated, this, [this] { xpCombo2_Click(); });
    connect(xpCombo1, &QComboBox::activated, this, [this] { xpCombo1_Click(); });
    pv::onClick(Image7, [this] { Image7_Click(); });
}

// The list's columns, its double click and its menu.
void veresiye::buildList()
{
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGrid1->verticalHeader()->setDefaultSectionSize(pv::twipsToPixels(285));

    DBGrid1Model =
        new pv::DataGridModel(Data1,
                              {{QStringLiteral("PARA TÜRÜ"), QStringLiteral("ParaTuru"), 1005},
                               {QStringLiteral("HESAP TÜRÜ"), QStringLiteral("Turu"), 2434},
                               {QStringLiteral("MÜŞTERİ NO"), QStringLiteral("mus_kodu"), 1826},
                               {QStringLiteral("MÜŞTERİLER"), QStringLiteral("MusteriFirma"), 8705},
                               {QStringLiteral("SON İŞLEM"), QStringLiteral("Sonislem"), 2328},
                               {QStringLiteral("GÜN"), QStringLiteral("Gun"), 1217},
                               {QStringLiteral("BAKİYE"), QStringLiteral("Bakiye"), 3307}},
                              this);
    // The column widths are hundredths of a millimetre.
    DBGrid1Model->attach(DBGrid1, [](int hmm) { return pv::twipsToPixels(hmm * 1440.0 / 2540.0); });

    pv::onDblClick(DBGrid1->viewport(), [this] { DBGrid1_DblClick(); });
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuMenu->popup(DBGrid1->viewport()->mapToGlobal(pos)); });
}

void veresiye::buildMenus()
{
    mnuMenu = new QMenu(QStringLiteral("menu"), this);
    mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
    mnuMHG = mnuMenu->addAction(QStringLiteral("Müşteri Hesabını Göster "));
    mnuMHG->setObjectName(QStringLiteral("mnuMHG"));
    mnuMenu->addSeparator();
    mnuNotg = mnuMenu->addAction(QStringLiteral("Müşteri Notunu Göster"));
    mnuNotg->setObjectName(QStringLiteral("mnuNotg"));
    mnuNotg->setCheckable(true);
    mnuMenu->addSeparator();
    mnuResg = mnuMenu->addAction(QStringLiteral("Müşteri Resmini Göster"));
    mnuResg->setObjectName(QStringLiteral("mnuResg"));
    mnuResg->setCheckable(true);
    // The check marks show whether there is a note and a picture; a click does not change them.
    connect(mnuMHG, &QAction::triggered, this, &veresiye::mnuMHG_Click);
    connect(mnuNotg, &QAction::triggered, this, [this] {
        mnuNotg->setChecked(!txtNote.text().isEmpty());
        mnuNotg_Click();
    });
    connect(mnuResg, &QAction::triggered, this, [this] {
        mnuResg->setChecked(!txtFoto.text().isEmpty());
        mnuResg_Click();
    });

    mnuayr = new QMenu(QStringLiteral("Ayarlar"), this);
    mnuayr->setObjectName(QStringLiteral("mnuayr"));
    const auto entry = [](QMenu *m, const char *name, const QString &caption) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    mnuayr2 = entry(mnuayr, "mnuayr2", QStringLiteral("Genel Ayarlar"));
    mnuayr->addSeparator();
    mnuUser = entry(mnuayr, "mnuUser", QStringLiteral("Kullanıcı Ekle"));
    mnuayr->addSeparator();
    mnuBirim = entry(mnuayr, "mnuBirim", QStringLiteral("Birim Ölçüleri Ekle"));
    mnuayr->addSeparator();
    ysk = entry(mnuayr, "ysk", QStringLiteral("Yeni Sürüm Kontrolü Yap"));
    mnuayr->addSeparator();
    mnuyardim = entry(mnuayr, "mnuyardim", QStringLiteral("Uzaktan Yardım Al"));
    mnuayr->addSeparator();
    dddd = mnuayr->addMenu(QStringLiteral("Yedekleme İşlemleri"));
    dddd->setObjectName(QStringLiteral("dddd"));
    ydk1 = entry(dddd, "ydk1", QStringLiteral("Yedek Oluştur"));
    dddd->addSeparator();
    ydk2 = entry(dddd, "ydk2", QStringLiteral("Yedekten Yükle"));
    mnuayr->addSeparator();
    mnuBakim = entry(mnuayr, "mnuBakim", QStringLiteral("Veri Tabanı Bakımı Yap"));
    mnuayr->addSeparator();
    mnuhak = entry(mnuayr, "mnuhak", QStringLiteral("Program Hakkında"));
    connect(mnuhak, &QAction::triggered, this, &veresiye::mnuhak_Click);
    connect(mnuayr2, &QAction::triggered, this, &veresiye::mnuayr2_Click);
    connect(mnuUser, &QAction::triggered, this, &veresiye::mnuUser_Click);
    connect(mnuBirim, &QAction::triggered, this, &veresiye::mnuBirim_Click);
    connect(ysk, &QAction::triggered, this, &veresiye::ysk_Click);
    connect(mnuyardim, &QAction::triggered, this, &veresiye::mnuyardim_Click);
    connect(ydk1, &QAction::triggered, this, &veresiye::ydk1_Click);
    connect(ydk2, &QAction::triggered, this, &veresiye::ydk2_Click);
    connect(mnuBakim, &QAction::triggered, this, &veresiye::mnuBakim_Click);
}

// ------------------------------------------------------------------ load and activation

void veresiye::Form_Load()
{
    siralatext->addItems(kTypes);
    siralatext->setCurrentIndex(0);
    siralatext2->addItems(kTypes);
    siralatext2->setCurrentIndex(0);
    for (int size = 3; size <= 14; ++size)
        TextSize->addItem(QString::number(size));
    TextSize->setCurrentText(QStringLiteral("8"));
    xpCombo2->addItems({QStringLiteral("Müşteri"), QStringLiteral("İşlem Tarihi"), QStringLiteral("Gün"),
                        QStringLiteral("Bakiye")});
    xpCombo2->setCurrentIndex(0);
    xpCombo1->addItems({QStringLiteral("Artan"), QStringLiteral("Azalan")});
    xpCombo1->setCurrentIndex(0);

    DataGrup->setDatabaseName(pv::databasePath());
    DataGrup->setRecordSource(QStringLiteral("select * from Musteri_Gruplari ORDER BY grupadi asc"));
    if (DataGrup->Refresh()) {
        pv::Recordset &rs = DataGrup->Recordset();
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            cboGrupAra->addItem(rs.Fields(QStringLiteral("grupadi")).text());
    }
    cboGrupAra->setCurrentIndex(-1);

    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    BrennavikAutoSizer1->GetInitialPositions();
}

void veresiye::Form_Activate()
{
    // The customer the user was on (the account just visited) and the list the filter
    // boxes show come back once the day-count pass has gone over every customer.
    const QString current = hasCurrentRow() ? Text1.text() : QString();
    const QString source = m_listSource.isEmpty() ? kAll : m_listSource;
    const QVariantList params = m_listParams;
    Data1->setDatabaseName(pv::databasePath());
    requeryAll();
    DataYedekYeri->setDatabaseName(pv::databasePath());
    DataYedekYeri->setRecordSource(QStringLiteral("dgrayr"));
    DataYedekYeri->Refresh();
    txttarih = pv::dateText(pv::Clock::today());
    Command7_Click();
    if (source != kAll)
        requery(source, params);
    if (!current.isEmpty() && selectCustomer(current))
        Command6_Click();
    btnYetki_Click();
}

bool veresiye::selectCustomer(const QString &code)
{
    pv::Recordset &rs = Data1->Recordset();
    const int field = rs.fieldIndex(QStringLiteral("mus_kodu"));
    if (!rs.isOpen() || field < 0)
        return false;
    for (int row = 0; row < rs.RecordCount(); ++row) {
        if (rs.valueAt(row, field).toString() == code) {
            Data1->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void veresiye::requery(const QString &source, const QVariantList &params)
{
    m_listSource = source;
    m_listParams = params;
    Data1->setDatabaseName(pv::databasePath());
    Data1->setRecordSource(source, params);
    // A list that could not be read is told, never shown as an empty one.
    if (!Data1->Refresh())
        readFailed(QStringLiteral("Müşteri listesi okunamadı: "), Data1->lastError());
    // The row commands follow the list, also when the name of the current row stays.
    Command6_Click();
}

void veresiye::requeryAll()
{
    requery(kAll);
}

void veresiye::Command7_Click()
{
    pv::Recordset &rs = Data1->Recordset();
    const int sonislem = rs.fieldIndex(QStringLiteral("Sonislem"));
    const int gun = rs.fieldIndex(QStringLiteral("Gun"));
    const int id = rs.fieldIndex(QStringLiteral("id"));
    const auto today = pv::parseDate(txttarih.text());
    bool reread = !rs.isOpen();
    if (rs.isOpen() && sonislem >= 0 && gun >= 0 && id >= 0 && today) {
        // The counts that change, found in the rows the list has just read.
        struct Change {
            int row;
            int days;
        };
        std::vector<Change> changes;
        for (int row = std::max(0, Data1->currentRow()); row < rs.RecordCount(); ++row) {
            int days = 0;
            // The stored text as it is: the usual spellings need no date value made first.
            const QDate last = ui::quickDate(rs.storedAt(row, sonislem).toString());
            // A row whose last transaction is no date keeps its Gun and does not stop the pass.
            if (!(last.isValid() ? ui::daysBetween(last, *today, &days)
                                 : ui::daysSince(rs, row, sonislem, *today, &days)))
                continue;
            // A count that is already right needs no write.
            const QVariant was = rs.storedAt(row, gun);
            bool whole = false;
            if (was.isValid() && was.toLongLong(&whole) == days && whole)
                continue;
            if (rs.readError())
                break;
            changes.push_back({row, days});
        }
        if (rs.readError()) {
            // A row of the list could not be read: no count of this pass is written.
            readFailed(QStringLiteral("Müşteri listesi okunamadı: "), rs.readError());
            return;
        }
        if (!changes.empty()) {
            QList<pv::ledger::DayCount> counts;
            for (const Change &c : changes)
                counts.append({rs.storedAt(c.row, id).toLongLong(), c.days});
            QList<bool> stored;
            // The list shows what was written without reading every row again; should the
            // commit fail, it reads what the file holds.
            if (pv::ledger::storeDayCounts(Data1->Database(), counts, &stored)) {
                for (size_t i = 0; i < changes.size(); ++i)
                    if (stored.at(qsizetype(i)))
                        rs.noteStored(changes[i].row, gun, qint64(changes[i].days));
            } else {
                reread = true;
            }
        }
    }
    if (reread)
        Data1->Refresh();
    Command6_Click();
    DBGrid1->viewport()->update();
}

void veresiye::readFailed(const QString &what, const pv::DbError &error)
{
    pv::MsgBox(what + error.message, pv::vbOKOnly | pv::vbCritical, QStringLiteral("Hata"));
}

void veresiye::Command4_Click()
{
    if (!Data1->Recordset().isOpen()) {
        // Not "no records": the list was not read at all.
        xpText1->clear();
        return;
    }
    const int n = Data1->Recordset().RecordCount();
    xpText1->setText(QString::number(n));
    if (n == 0)
        pv::MsgBox(QStringLiteral("Kayıt Bulunamadı..."), pv::vbOKOnly | pv::vbInformation,
                   QStringLiteral("Bilgi"));
}

bool veresiye::hasCurrentRow() const
{
    return Data1->Recordset().isOpen() && Data1->Recordset().hasCurrent();
}

QString veresiye::gridText(int column) const
{
    const int row = Data1->currentRow();
    if (row < 0 || column < 0 || column >= DBGrid1Model->columnCount())
        return {};
    return DBGrid1Model->data(DBGrid1Model->index(row, column)).toString();
}

void veresiye::Command6_Click()
{
    const bool row = hasCurrentRow();
    // While the totals panel is open the list's commands stay locked with it.
    VornXPButton2->setEnabled(row && !m_totalsOpen);
    VornXPButton1->setEnabled(row && !m_totalsOpen);
    VornXPButton9->setEnabled(row && !m_totalsOpen);
    btnYetki_Click();
}

void veresiye::btnYetki_Click()
{
    if (txtYetki.text() == QStringLiteral("1")) {
        VornXPButton9->setEnabled(false);
        mnuUser->setEnabled(false);
        mnuayr2->setEnabled(false);
        ydk2->setEnabled(false);
    }
    if (txtYetki.text() == QStringLiteral("0")) {
        VornXPButton9->setEnabled(hasCurrentRow());
        mnuUser->setEnabled(true);
        mnuayr2->setEnabled(true);
        ydk2->setEnabled(true);
    }
}

void veresiye::DBGrid1_DblClick()
{
    VornXPButton2_Click();
}

void veresiye::btnMinimize_Click()
{
    showMinimized();
}

// ------------------------------------------------------------------ filters

void veresiye::siralatext_Click()
{
    const QString t = siralatext->currentText();
    const auto nameSearch = [this](bool on) {
        musaratext->setVisible(on);
        BvButton2->setVisible(on);
        cboGrupAra->setVisible(!on);
    };
    if (t == QStringLiteral("Tümü")) {
        requeryAll();
        nameSearch(true);
    } else if (t == QStringLiteral("Müşteri Grubu")) {
        nameSearch(false);
    } else if (kTypes.contains(t)) {
        requery(QStringLiteral("select * from musteriler where Turu = ? ORDER BY MusteriFirma asc"), {t});
        nameSearch(true);
    }
}

void veresiye::cboGrupAra_Click()
{
    requery(QStringLiteral("select * from musteriler where MusGrup like ? ORDER BY MusGrup asc"),
            {pv::containsPattern(cboGrupAra->currentText())});
}

void veresiye::Command2_Click()
{
    const QString t = musaratext->text();
    if (t.isEmpty())
        requeryAll();
    else
        requery(
            QStringLiteral("select * from musteriler where MusteriFirma like ? ORDER BY MusteriFirma asc"),
            {pv::containsPattern(t)});
}

void veresiye::requeryDaily()
{
    requery(QStringLiteral("select * from musteriler WHERE Sonislem2 = ? ORDER BY MusteriFirma asc"),
            {pv::dateKey(ilk->date())});
}

void veresiye::BvButton5_Click()
{
    if (BvButton5->Value()) {
        {
            const QSignalBlocker quiet(ilk);
            ilk->setDate(pv::Clock::today());
        }
        requeryDaily();
        BvButton6->setVisible(true);
        frmGS->setVisible(true);
        frmGS->raise();
        ilk->setVisible(true);
        siralatext->setEnabled(false);
        musaratext->setEnabled(false);
        rapbut->setEnabled(false);
    } else {
        requeryAll();
        BvButton6->setVisible(false);
        frmGS->setVisible(false);
        ilk->setVisible(false);
        siralatext->setEnabled(true);
        musaratext->setEnabled(true);
        rapbut->setEnabled(true);
    }
}

void veresiye::ilk_Change()
{
    requeryDaily();
}

// ------------------------------------------------------------------ account window and views

void veresiye::KasaBtn_Click()
{
    // The first touch loads the cash book; its activation after the show applies the level.
    pv::form<kasa>().txtYetki = txtYetki.text();
    pv::form<kasa>().Show();
}

void veresiye::VornXPButton2_Click()
{
    if (!hasCurrentRow())
        return;
    const QString caption = gridText(3) + QStringLiteral(" / ") + gridText(2) + QStringLiteral(" - ( ") +
                            gridText(0) + QStringLiteral("/") + gridText(1) + QStringLiteral(" ) HESABI");
    pv::form<veresiye2>().openAccount(caption, Text1.text(), txtYetki.text(), gridText(1), gridText(0), this);
}

void veresiye::VornXPButton9_Click()
{
    if (!hasCurrentRow())
        return;
    const QString caption = gridText(3) + QStringLiteral(" / ") + gridText(2) + QStringLiteral(" - ( ") +
                            gridText(1) + QStringLiteral(" )");
    pv::form<veresiye2>().openForDelete(caption, Text1.text(), this);
}

void veresiye::accountLeft()
{
    // The list shows the cached balances: read them again, on the same row.
    const int row = Data1->currentRow();
    Data1->Refresh();
    if (row >= 0)
        Data1->setCurrentRow(row);
    DBGrid1->setEnabled(true);
    update();
}

void veresiye::mnuMHG_Click()
{
    VornXPButton2_Click();
}

void veresiye::mnuNotg_Click()
{
    pv::MsgBox(txtNote.text(), pv::vbOKOnly | pv::vbInformation, QStringLiteral("Müşteri Notu"));
}

void veresiye::mnuResg_Click()
{
    ui::moveTo(frmResim, 120, 1200);
    frmResim->setVisible(true);
    frmResim->raise();
    const QString path = txtFoto.text();
    const QString ext = path.right(3).toUpper();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbOKOnly | pv::vbExclamation,
                   QStringLiteral("Hata "));
        return;
    }
    if (ext != QStringLiteral("JPG") && ext != QStringLiteral("GIF") && ext != QStringLiteral("BMP")) {
        pv::MsgBox(QStringLiteral("Resim Klasör Dizini Hatalı"), pv::vbOKOnly | pv::vbExclamation,
                   QStringLiteral("Hata"));
        return;
    }
    QPixmap picture;
    if (picture.load(path))
        Image7->setPixmap(picture);
}

void veresiye::Image7_Click()
{
    frmResim->setVisible(false);
}

// ------------------------------------------------------------------ totals panel

void veresiye::menukitle()
{
    Frame1->setEnabled(false);
    for (BvButton *b : {VornXPButton9, VornXPButton11, VornXPButton1, VornXPButton2, rapbut, BvButton4,
                        BvButton5, KasaBtn, stokbut, btnBanka, ayarbtn})
        b->setEnabled(false);
    musaratext->setEnabled(false);
    siralatext->setEnabled(false);
    // The other ways to change the list are locked as well, so the figures stay true.
    cboGrupAra->setEnabled(false);
    ilk->setEnabled(false);
    Command6_Click();
}

void veresiye::menukilitac()
{
    Frame1->setEnabled(true);
    ui::giveFrameItsColours(Frame1);
    for (BvButton *b : {VornXPButton11, BvButton4, BvButton5, KasaBtn, stokbut, btnBanka, ayarbtn})
        b->setEnabled(true);
    // The daily mode keeps the type filter, the name search and the list print locked.
    const bool daily = BvButton5->Value();
    rapbut->setEnabled(!daily);
    musaratext->setEnabled(!daily);
    siralatext->setEnabled(!daily);
    cboGrupAra->setEnabled(true);
    ilk->setEnabled(true);
    Command6_Click();
}

void veresiye::VornXPButton1_Click()
{
    m_totalsOpen = true;
    menukitle();
    listetoplamfrm->setVisible(true);
    listetoplamfrm->raise();
    topla1_Click();
    Command4_Click();
    btnYetki_Click();
}

void veresiye::VornXPButton7_Click()
{
    m_totalsOpen = false;
    menukilitac();
    listetoplamfrm->setVisible(false);
    btnYetki_Click();
}

double veresiye::sumOfType(const QString &turu, bool *ok)
{
    pv::Database db;
    *ok = false;
    if (!db.open(pv::databasePath()))
        return 0;
    const auto v =
        db.tryScalar(QStringLiteral("Select sum(Bakiye) as toplam from musteriler where Turu = ?"), {turu});
    if (!v) {
        readFailed(QStringLiteral("Toplamlar okunamadı: "), db.lastError());
        return 0;
    }
    *ok = true;
    return v->isValid() ? v->toDouble() : 0.0; // a sum over no rows is 0,00
}

void veresiye::topla1_Click()
{
    bool ok = false;
    const double v = sumOfType(QStringLiteral("Alıcı"), &ok);
    // An unread total shows nothing rather than a number it does not know.
    VornXPTextBox22->setText(ok ? pv::formatMoney(v) : QString());
    VornXPTextBox22->setCursorPosition(VornXPTextBox22->text().length());
    if (!ok) {
        VornXPTextBox33->clear();
        VornXPTextBox44->clear();
        return;
    }
    topla2_Click();
}

void veresiye::topla2_Click()
{
    bool ok = false;
    const double v = sumOfType(QStringLiteral("Satıcı"), &ok);
    VornXPTextBox33->setText(ok ? pv::formatMoney(v) : QString());
    VornXPTextBox33->setCursorPosition(VornXPTextBox33->text().length());
    topla3_Click();
}

void veresiye::topla3_Click()
{
    const auto a = pv::toNumber(VornXPTextBox22->text());
    const auto b = pv::toNumber(VornXPTextBox33->text());
    if (!a || !b) {
        VornXPTextBox44->clear();
        return;
    }
    // What the shop owes a supplier is stored as a negative balance (the supplier's invoices
    // are credits): added to the buyers' debts it lowers the shop's net position.
    VornXPTextBox44->setText(pv::formatMoney(*a + *b));
    VornXPTextBox44->setCursorPosition(VornXPTextBox44->text().length());
}

// ------------------------------------------------------------------ list printing

void veresiye::btnBanka_Click()
{
    pv::form<Banka1>().txtYetki = txtYetki.text();
    pv::form<Banka1>().Show();
}

void veresiye::rapbut_Click()
{
    musListesiFrm->setVisible(true);
    musListesiFrm->raise();
}

void veresiye::btnVazgec_Click()
{
    musListesiFrm->setVisible(false);
}

void veresiye::siralatext2_Click()
{
    const QString t = siralatext2->currentText();
    // "Müşteri Grubu" has no condition of its own in the print: it prints every type.
    if (t == QStringLiteral("Tümü") || t == QStringLiteral("Müşteri Grubu"))
        turkopyatxt = QString();
    else if (kTypes.contains(t))
        turkopyatxt = t;
}

void veresiye::xpCombo2_Click()
{
    const QString t = xpCombo2->currentText();
    if (t == QStringLiteral("Müşteri"))
        txtSirala = QStringLiteral("MusteriFirma");
    else if (t == QStringLiteral("İşlem Tarihi"))
        txtSirala = QStringLiteral("Sonislem");
    else if (t == QStringLiteral("Gün"))
        txtSirala = QStringLiteral("Gun");
    else if (t == QStringLiteral("Bakiye"))
        txtSirala = QStringLiteral("Bakiye");
    else
        return;
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

void veresiye::xpCombo1_Click()
{
    const QString t = xpCombo1->currentText();
    if (t == QStringLiteral("Artan"))
        txtSirala2 = QStringLiteral("asc");
    else if (t == QStringLiteral("Azalan"))
        txtSirala2 = QStringLiteral("desc");
    else
        return;
    txtSirala3 = txtSirala.text() + QLatin1Char(' ') + txtSirala2.text();
}

pv::Report &veresiye::prepareMusteriListesi()
{
    pv::Report &r = pv::Reports::get(QStringLiteral("musterilistesi"));
    r.dataControl().setDatabase(Data1->Database());
    // The sort order is one of the panel's fixed choices; the type travels as a parameter.
    const QString type = turkopyatxt.text();
    if (type.isEmpty())
        r.dataControl().setSource(QStringLiteral("select * from musteriler ORDER BY ") + txtSirala3.text() +
                                  QLatin1Char(' '));
    else
        r.dataControl().setSource(QStringLiteral("select * from musteriler where Turu= ? ORDER BY ") +
                                      txtSirala3.text() + QLatin1Char(' '),
                                  {type});
    r.label(QStringLiteral("Label111"))
        .setCaption(pv::dateText(pv::Clock::today()) + QStringLiteral(" - TARİHLİ MÜŞTERİ LİSTESİ"));
    r.label(QStringLiteral("Label120")).setCaption(xpText1->text());
    r.label(QStringLiteral("Label119")).setCaption(VornXPTextBox22->text());
    r.label(QStringLiteral("Label123")).setCaption(VornXPTextBox33->text());
    r.label(QStringLiteral("Label124")).setCaption(VornXPTextBox44->text());
    for (const char *name : {"Field1", "Field2", "Field10", "Field4", "Field12", "Field13", "lblRank"})
        r.control(QLatin1String(name)).setFontSize(TextSize->currentText());
    return r;
}

void veresiye::muslisyzdBtn_Click()
{
    topla1_Click();
    // Totals that could not be read (already told) are not printed as blanks.
    if (VornXPTextBox44->text().isEmpty())
        return;
    Command4_Click();
    prepareMusteriListesi().showPreviewModal(this);
}

pv::Report &veresiye::prepareCariGunlukRapor()
{
    const QString key = pv::dateKey(pv::dateText(ilk->date()));
    pv::Report &r = pv::Reports::get(QStringLiteral("CariGunlukRapor"));
    r.dataControl().setDatabase(Data1->Database());
    r.dataControl().setSource(
        QStringLiteral(
            "select DISTINCTROW * from veresiye where Tarih2 like ? ORDER BY [Tarih],[Saat],Eklenen asc"),
        {key});
    for (const char *name :
         {"Field1", "Field2", "Field10", "Field13", "Field14", "Field17", "Field18", "Field19", "Field20"})
        r.control(QLatin1String(name)).setFontSize(TextSize->currentText());
    return r;
}

void veresiye::btnGunlukPrnt_Click()
{
    prepareCariGunlukRapor().showPreviewModal(this);
}

// ------------------------------------------------------------------ overdue alert, settings menu

void veresiye::BvButton4_Click()
{
    pv::form<frmAlert>().Show(pv::Form::Modeless);
}

void veresiye::txtAlert_Change()
{
    const auto n = pv::toNumber(txtAlert.text());
    if (n && *n != 0)
        pv::form<frmAlert>().Show(pv::Form::Modeless);
}

void veresiye::ayarbtn_Click()
{
    mnuayr->popup(QCursor::pos());
}

void veresiye::stokbut_Click()
{
    frmProduct &card = pv::form<frmProduct>();
    card.txtYetki = txtYetki.text();
    card.refreshList();
    card.Show();
}

void veresiye::mnuhak_Click()
{
    pv::form<Form3>().Show(pv::Form::Modal, this);
}

// ------------------------------------------------------------------ settings menu and exit

void veresiye::rereadSettings()
{
    DataYedekYeri->Refresh();
}

void veresiye::mnuayr2_Click()
{
    ayarlar &a = pv::form<ayarlar>();
    // The exit and the backup window must see saved settings at once.
    connect(&a, &ayarlar::settingsSaved, this, &veresiye::rereadSettings, Qt::UniqueConnection);
    a.Show(pv::Form::Modal, this);
}

void veresiye::mnuUser_Click()
{
    pv::form<kullanici>().Show(pv::Form::Modal, this);
}

// The customer card only passes the rights level on to the account it opens.
void veresiye::VornXPButton11_Click()
{
    musteriekle &card = pv::form<musteriekle>();
    card.txtYetki = txtYetki.text();
    card.Show(pv::Form::Modal, this);
}

void veresiye::mnuBirim_Click()
{
    pv::form<birmler>().Show(pv::Form::Modal, this);
}

void veresiye::ysk_Click()
{
    ui::startProgramWithDatabaseFree(QStringLiteral("bvupdate.exe"),
                                     QStringLiteral("Güncelleme programı (bvupdate) başlatılamadı."), this,
                                     {Data1, DataYedekYeri, DataGrup});
}

void veresiye::mnuyardim_Click()
{
    ui::startTool(QStringLiteral("UzaktanYardim.exe"),
                  QStringLiteral("Uzaktan yardım programı (UzaktanYardim) başlatılamadı."));
}

void veresiye::mnuBakim_Click()
{
    ui::startProgramWithDatabaseFree(QStringLiteral("bvRepair.exe"),
                                     QStringLiteral("Veri tabanı bakım programı (bvRepair) başlatılamadı."),
                                     this, {Data1, DataYedekYeri, DataGrup});
}

void veresiye::ydk1_Click()
{
    frmSplash::backupWindow().openForBackup(txtSurucu.text(), this);
}

void veresiye::ydk2_Click()
{
    frmSplash::backupWindow().openForRestore(txtSurucu.text());
}

void veresiye::VornXPButton3_Click()
{
    exitWithAutomaticBackup(txtYedekAktif.text(), this);
}

// The title bar's close box leaves the program the way " Kapat" does: the automatic
// backup when it is switched on, then every window goes and the program ends.
void veresiye::Form_QueryUnload(int &Cancel, int UnloadMode)
{
    if (UnloadMode != pv::Form::FormControlMenu)
        return;
    Cancel = 1;
    VornXPButton3_Click();
}

void veresiye::btnDuyuru_Click()
{
    web::toggleAnnouncements(btnDuyuru, frmDuyuru, WebBrowser2);
}
