#include "app/accounts/MusteriDetay.h"

#include "app/ledger/Customers.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Events.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPixmap>
#include <QPlainTextEdit>

namespace
{

constexpr BvButton::OleColor kYellow = 0x80FFFF;
constexpr BvButton::OleColor kGrey = 0xE3E3E3;

// What each panel saves: its own fields and nothing else.
const QStringList kCardFields{
    QStringLiteral("MusteriFirma"), QStringLiteral("Telefon1"), QStringLiteral("Adres"),
    QStringLiteral("ilgili"),       QStringLiteral("mail"),     QStringLiteral("Telefon2"),
    QStringLiteral("Gsm"),          QStringLiteral("vd"),       QStringLiteral("vdn"),
    QStringLiteral("Turu"),         QStringLiteral("ParaTuru")};
const QStringList kNoteFields{QStringLiteral("Not")};
const QString kErrorTitle = QStringLiteral("Hata");

// The commands the card panel locks beside the window's own lock, and frees again.
const QStringList kCardLocks{QStringLiteral("VornXPButton6"),
                             QStringLiteral("VornXPButton5"),
                             QStringLiteral("VornXPButton9"),
                             QStringLiteral("VornXPButton10"),
                             QStringLiteral("btnFiyatGuncelle"),
                             QStringLiteral("tgoster2"),
                             QStringLiteral("tgoster"),
                             QStringLiteral("ilk"),
                             QStringLiteral("son")};
const QStringList kCardUnlocks{QStringLiteral("VornXPButton6"),
                               QStringLiteral("VornXPButton5"),
                               QStringLiteral("VornXPButton9"),
                               QStringLiteral("VornXPButton8"),
                               QStringLiteral("VornXPButton10"),
                               QStringLiteral("btnFiyatGuncelle"),
                               QStringLiteral("tgoster2"),
                               QStringLiteral("tgoster"),
                               QStringLiteral("ilk"),
                               QStringLiteral("son")};

QPlainTextEdit *makeMemo(QWidget *parent, const char *name, double l, double t, double w, double h)
{
    auto *e = new QPlainTextEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pv::setGeometryTwips(e, l, t, w, h);
    return e;
}

// What a box of the panels holds: a line's text, a memo's plain text, a list's current text.
QString boxText(const QWidget *box)
{
    return box->metaObject()->userProperty().read(box).toString();
}

void bindMemo(pv::DataControl &dc, QPlainTextEdit *memo, const QString &field)
{
    dc.bind(
        memo, field, [memo](const QString &text) { memo->setPlainText(text); },
        [memo] { return memo->toPlainText(); });
}

} // namespace

template <class T> T *MusteriDetay::take(const char *name, QWidget *parent, const std::function<T *()> &make)
{
    if (T *found = m_window.findChild<T *>(QLatin1String(name))) {
        if (parent && found->parentWidget() != parent)
            found->setParent(parent);
        return found;
    }
    return make();
}

MusteriDetay::MusteriDetay(pv::Form &window, pv::DataControl &Data1, Hooks hooks)
    : QObject(&window), m_window(window), m_data(Data1), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("MusteriDetay"));
    buildCommands();
    buildDeletePanel();

    pv::bindField(m_data, txtFoto, QStringLiteral("foto"));
    pv::bindField(m_data, txtMail, QStringLiteral("mail"));
    pv::bindField(m_data, m_storedNote, QStringLiteral("Not"));
    txtFoto.onChange(this, &MusteriDetay::txtFoto_Change);
    txtMail.onChange(this, &MusteriDetay::txtMail_Change);
    // A field that shows the same text as before raises no change: the rules are applied
    // to every row the source shows as well.
    connect(&m_data, &pv::DataControl::Reposition, this, [this] {
        txtFoto_Change();
        txtMail_Change();
        txtNote_Change();
    });
    txtFoto_Change();
    txtMail_Change();
    txtNote_Change();
}

MusteriDetay::~MusteriDetay() = default;

// The commands stand on the window from the start; each panel is built when its command
// first opens it.
void MusteriDetay::buildCommands()
{
    MyButton1 = take<BvButton>("MyButton1", nullptr, [this] {
        return ui::button(&m_window, "MyButton1", 11640, 6000, 3840, 480,
                          QStringLiteral("Müşteri Bilgileri Düzenle "));
    });
    MyButton1->show();
    connect(MyButton1, &BvButton::Click, this, &MusteriDetay::MyButton1_Click);

    btnNote = take<BvButton>("btnNote", nullptr, [this] {
        return ui::button(&m_window, "btnNote", 3600, 1080, 1080, 495, QStringLiteral("Not"),
                          QStringLiteral("Müşteriye Ait Notu Göster"),
                          {{"Mode", int(BrennavikBtn::ebmCheckBox)}, {"BackColor", int(kGrey)}});
    });
    btnNote->show();
    btnResimGoster = ui::button(&m_window, "btnResimGoster", 4800, 1080, 600, 495, QString(),
                                QStringLiteral("Müşteri Resmini Göster"),
                                {{"Mode", int(BrennavikBtn::ebmCheckBox)}, {"BackColor", int(kGrey)}});
    btnMail = m_window.findChild<BvButton *>(QStringLiteral("btnMail"));
    btnSMS = take<BvButton>("btnSMS", nullptr, [this] {
        return ui::button(&m_window, "btnSMS", 11640, 7080, 3840, 480, QStringLiteral("SMS Gönder"),
                          QStringLiteral("Hesap Bakiyesini Müşteriye SMS Olarak Gönderir."));
    });
    btnSMS->show();
    VornXPButton2 = take<BvButton>("VornXPButton2", nullptr, [this] {
        return ui::button(&m_window, "VornXPButton2", 11640, 7620, 3840, 480,
                          QStringLiteral("Hesap Makinesi"));
    });
    VornXPButton2->show();

    connect(btnNote, &BvButton::Click, this, &MusteriDetay::btnNote_Click);
    connect(btnResimGoster, &BvButton::Click, this, &MusteriDetay::btnResimGoster_Click);
    connect(btnSMS, &BvButton::Click, this, &MusteriDetay::btnSMS_Click);
    connect(VornXPButton2, &BvButton::Click, this, &MusteriDetay::VornXPButton2_Click);
}

void MusteriDetay::buildCard()
{
    if (musterifrm)
        return;
    musterifrm = new QFrame(&m_window);
    musterifrm->setObjectName(QStringLiteral("musterifrm"));
    pv::setGeometryTwips(musterifrm, 120, 1680, 9480, 4200);
    FrameFendrixon1 = ui::frame(musterifrm, "FrameFendrixon1", 0, 0, 9480, 4200,
                                QStringLiteral("Müşteri Bilgileri Düzenle"));
    QWidget *f = FrameFendrixon1;

    struct Line {
        const char *label;
        QString caption;
        double left, top;
    };
    const Line labels[] = {{"Label30", QStringLiteral("Müşteri Kodu :"), 120, 480},
                           {"Label31", QStringLiteral("Müşteri :"), 120, 840},
                           {"Label32", QStringLiteral("İlgili :"), 120, 1200},
                           {"Label33", QStringLiteral("Telefon :"), 120, 1560},
                           {"Label34", QStringLiteral("Adres :"), 120, 1920},
                           {"Label35", QStringLiteral("E-Posta :"), 120, 2880},
                           {"Label36", QStringLiteral("Hesap Türü :"), 4920, 480},
                           {"Label37", QStringLiteral("Para Türü :"), 4920, 840},
                           {"Label38", QStringLiteral("Fax No :"), 4920, 1200},
                           {"Label39", QStringLiteral("GSM No :"), 4920, 1560},
                           {"Label40", QStringLiteral("Vergi Dairesi :"), 4920, 1920},
                           {"Label41", QStringLiteral("Vergi No :"), 4920, 2280}};
    for (const Line &l : labels)
        ui::label(f, l.label, l.left, l.top, 1440, 315, l.caption);

    xpText7 = ui::textBox(f, "xpText7", 1560, 480, 3120, 315);
    xpText7->setReadOnly(true);
    xpText7->setStyleSheet(QStringLiteral("color: #FF0000;"));
    xpText8 = ui::textBox(f, "xpText8", 1560, 840, 3120, 315);
    xpText13 = ui::textBox(f, "xpText13", 1560, 1200, 3120, 315);
    xpText9 = ui::textBox(f, "xpText9", 1560, 1560, 3120, 315);
    xpText10 = makeMemo(f, "xpText10", 1560, 1920, 3120, 900);
    xpText4 = ui::textBox(f, "xpText4", 1560, 2880, 3120, 315);
    xpCombo3 = take<QComboBox>("xpCombo3", f, [f] {
        auto *c = new QComboBox(f);
        c->setObjectName(QStringLiteral("xpCombo3"));
        c->addItems({QStringLiteral("Alıcı"), QStringLiteral("Satıcı"), QStringLiteral("Alıcı/Satıcı"),
                     QStringLiteral("Bayi"), QStringLiteral("Personel")});
        return c;
    });
    xpCombo4 = take<QComboBox>("xpCombo4", f, [f] {
        auto *c = new QComboBox(f);
        c->setObjectName(QStringLiteral("xpCombo4"));
        c->addItems({QStringLiteral("TL"), QStringLiteral("Dolar"), QStringLiteral("Euro")});
        return c;
    });
    pv::setGeometryTwips(xpCombo3, 6360, 480, 2880, 315);
    pv::setGeometryTwips(xpCombo4, 6360, 840, 2880, 315);
    xpCombo3->show();
    xpCombo4->show();
    xpText11 = ui::textBox(f, "xpText11", 6360, 1200, 2880, 315);
    xpText12 = ui::textBox(f, "xpText12", 6360, 1560, 2880, 315);
    xpText5 = ui::textBox(f, "xpText5", 6360, 1920, 2880, 315);
    xpText6 = ui::textBox(f, "xpText6", 6360, 2280, 2880, 315);

    MyButton2 = take<BvButton>("MyButton2", f, [f] {
        return ui::button(f, "MyButton2", 0, 0, 1560, 480, QStringLiteral("Düzenle"));
    });
    pv::setGeometryTwips(MyButton2, 4560, 3480, 1560, 480);
    MyButton2->show();
    kaydet = ui::button(f, "kaydet", 4560, 3480, 1560, 480, QStringLiteral("Kaydet"));
    kaydet->hide();
    MyButton6 = ui::button(f, "MyButton6", 6240, 3480, 1560, 480, QStringLiteral("Vazgeç"));

    const std::pair<QLineEdit *, const char *> boxes[] = {
        {xpText7, "mus_kodu"}, {xpText8, "MusteriFirma"}, {xpText9, "Telefon1"},
        {xpText13, "ilgili"},  {xpText4, "mail"},         {xpText11, "Telefon2"},
        {xpText12, "Gsm"},     {xpText5, "vd"},           {xpText6, "vdn"}};
    for (const auto &[box, field] : boxes)
        m_data.bind(box, QLatin1String(field));
    bindMemo(m_data, xpText10, QStringLiteral("Adres"));
    m_data.bind(xpCombo3, QStringLiteral("Turu"));
    m_data.bind(xpCombo4, QStringLiteral("ParaTuru"));
    setCardEditable(false);
    musterifrm->hide();

    connect(MyButton2, &BvButton::Click, this, &MusteriDetay::MyButton2_Click);
    connect(kaydet, &BvButton::Click, this, &MusteriDetay::kaydet_Click);
    connect(MyButton6, &BvButton::Click, this, &MusteriDetay::MyButton6_Click);
}

void MusteriDetay::buildDeletePanel()
{
    musilfrm = m_window.findChild<QFrame *>(QStringLiteral("musilfrm"));
    if (!musilfrm) {
        // A window without its own delete panel gets this one.
        musilfrm = new QFrame(&m_window);
        musilfrm->setObjectName(QStringLiteral("musilfrm"));
        musilfrm->setFrameShape(QFrame::Box);
        pv::setGeometryTwips(musilfrm, 2400, 3000, 7560, 1800);
        auto *name = ui::textBox(musilfrm, "Text3", 240, 180, 7080, 315);
        name->setReadOnly(true);
        m_data.bind(name, QStringLiteral("MusteriFirma"));
        auto *question = ui::label(
            musilfrm, "Label15", 240, 600, 7080, 480,
            QStringLiteral(
                "Müşterinin Veresiye Hesabı Sıfırlanacak ve Müşteri Kaydı Silinecektir.  Emin misiniz?"));
        question->setWordWrap(true);
        MyButton3 = ui::button(musilfrm, "MyButton3", 240, 1140, 2160, 480, QStringLiteral(" İptal"));
        connect(MyButton3, &BvButton::Click, this, &MusteriDetay::MyButton3_Click);
        musilfrm->hide();
    } else {
        // The window ends the visit through its own " İptal".
        MyButton3 = musilfrm->findChild<BvButton *>(QStringLiteral("MyButton3"));
    }
    MyButton4 = take<BvButton>("MyButton4", musilfrm, [this] {
        return ui::button(musilfrm, "MyButton4", 2520, 1140, 4800, 480,
                          QStringLiteral(" Müşteriyi ve Hareketlerini Sil"));
    });
    MyButton4->show();
    connect(MyButton4, &BvButton::Click, this, &MusteriDetay::MyButton4_Click);
}

void MusteriDetay::buildNote()
{
    if (frmNote)
        return;
    frmNote = new QFrame(&m_window);
    frmNote->setObjectName(QStringLiteral("frmNote"));
    pv::setGeometryTwips(frmNote, 5640, 1560, 5160, 3240);
    FrameFendrixon5 = ui::frame(frmNote, "FrameFendrixon5", 0, 0, 5160, 3240, QStringLiteral("Not"));
    txtNote = makeMemo(FrameFendrixon5, "txtNote", 120, 420, 4920, 2160);
    BvButton5 = ui::button(FrameFendrixon5, "BvButton5", 1800, 2640, 1560, 480, QStringLiteral("Kaydet"));
    BvButton6 = ui::button(FrameFendrixon5, "BvButton6", 3480, 2640, 1560, 480, QStringLiteral("Temizle"));
    bindMemo(m_data, txtNote, QStringLiteral("Not"));
    frmNote->hide();
    connect(BvButton5, &BvButton::Click, this, &MusteriDetay::BvButton5_Click);
    connect(BvButton6, &BvButton::Click, this, &MusteriDetay::BvButton6_Click);
    connect(txtNote, &QPlainTextEdit::textChanged, this, &MusteriDetay::txtNote_Change);
}

void MusteriDetay::buildPhoto()
{
    if (frmResim)
        return;
    frmResim = new QFrame(&m_window);
    frmResim->setObjectName(QStringLiteral("frmResim"));
    frmResim->setFrameShape(QFrame::Box);
    pv::setGeometryTwips(frmResim, 4680, 360, 3600, 3600);
    Image7 = ui::label(frmResim, "Image7", 30, 30, 3540, 3540, QString(), Qt::AlignCenter);
    Image7->setScaledContents(true);
    Image7->setToolTip(QStringLiteral("RESMİ KAPATMAK İÇİN TIKLAYIN"));
    Image7->setCursor(Qt::PointingHandCursor);
    pv::onClick(Image7, [this] { Image7_Click(); });
    frmResim->hide();
}

// ---------------------------------------------------------------- customer card panel

void MusteriDetay::setCardEditable(bool on)
{
    for (QWidget *w : cardBoxes())
        w->setEnabled(on);
    // The customer number is shown, never changed.
    xpText7->setEnabled(false);
}

void MusteriDetay::MyButton1_Click()
{
    buildCard();
    if (m_hooks.menukitle2)
        m_hooks.menukitle2();
    ui::setEnabled(&m_window, kCardLocks, false);
    ui::showAt(musterifrm, 120, 1680);
}

void MusteriDetay::MyButton2_Click()
{
    setCardEditable(true);
    MyButton2->hide();
    kaydet->show();
    xpText8->setFocus();
}

void MusteriDetay::kaydet_Click()
{
    // The same three fields the card asks for may not be emptied here either.
    if (ui::isBlank(xpText8->text())) {
        ui::refuseField(xpText8, QStringLiteral("Müşteriyi Yazın"));
        return;
    }
    if (ui::isBlank(xpText9->text())) {
        ui::refuseField(xpText9, QStringLiteral("Telefon Numarasını Yazın"));
        return;
    }
    if (ui::isBlank(xpText10->toPlainText())) {
        ui::refuseField(xpText10, QStringLiteral("Adresi Yazın"));
        return;
    }
    if (xpText4->text() != ui::mailValue(xpText4->text()))
        xpText4->setText(ui::mailValue(xpText4->text()));
    // Only what was changed is written; a refused write leaves the typed values in place.
    pv::ledger::CustomerCardEdit edit;
    const std::pair<QWidget *, std::optional<QString> *> boxes[] = {
        {xpText8, &edit.name},     {xpText9, &edit.phone},     {xpText10, &edit.address},
        {xpText13, &edit.contact}, {xpText4, &edit.mail},      {xpText11, &edit.fax},
        {xpText12, &edit.mobile},  {xpText5, &edit.taxOffice}, {xpText6, &edit.taxNumber},
        {xpCombo3, &edit.type},    {xpCombo4, &edit.currency}};
    for (const auto &[box, field] : boxes)
        if (m_data.isChanged(box))
            *field = boxText(box);
    if (const pv::ledger::Result saved =
            pv::ledger::updateCustomerCard(m_data.Database(), customerId(), edit);
        !saved) {
        pv::MsgBox(QStringLiteral("Müşteri bilgileri kaydedilemedi.\n") + saved.reason, pv::vbCritical,
                   kErrorTitle);
        return;
    }
    showStored({txtNote});

    setCardEditable(false);
    MyButton2->show();
    kaydet->hide();
    musterifrm->hide();
    unlockAfterCard();
}

void MusteriDetay::MyButton6_Click()
{
    // Nothing typed is kept: the card's boxes show the stored values again (the note's
    // own unsaved text is the note's business).
    m_data.revertFields(kCardFields);
    musterifrm->hide();
    unlockAfterCard();
}

void MusteriDetay::unlockAfterCard()
{
    if (m_hooks.menukilitac2)
        m_hooks.menukilitac2();
    ui::setEnabled(&m_window, kCardUnlocks, true);
    if (m_hooks.Command6_Click)
        m_hooks.Command6_Click();
    txtMail_Change();
}

qint64 MusteriDetay::customerId()
{
    pv::Recordset &rs = m_data.Recordset();
    return rs.hasCurrent() ? rs.Fields(QStringLiteral("id")).value().toLongLong() : 0;
}

QList<QWidget *> MusteriDetay::cardBoxes() const
{
    if (!musterifrm)
        return {};
    return {xpText8,  xpText9, xpText10, xpText13, xpText4, xpText11,
            xpText12, xpText5, xpText6,  xpCombo3, xpCombo4};
}

void MusteriDetay::showStored(const QList<QWidget *> &otherPanel)
{
    // A box of the other panel holding what was typed and not saved keeps it.
    QList<std::pair<QWidget *, QString>> typed;
    for (QWidget *box : otherPanel)
        if (box && m_data.isChanged(box))
            typed.append({box, boxText(box)});
    m_data.Refresh();
    for (const auto &[box, text] : typed)
        box->metaObject()->userProperty().write(box, text);
}

// ---------------------------------------------------------------- delete-customer mode

void MusteriDetay::MyButton3_Click()
{
    musilfrm->hide();
    if (m_hooks.VornXPButton7_Click)
        m_hooks.VornXPButton7_Click();
}

void MusteriDetay::MyButton4_Click()
{
    pv::Recordset &rs = m_data.Recordset();
    if (!rs.hasCurrent()) {
        MyButton3_Click();
        return;
    }
    const QString code = rs.Fields(QStringLiteral("mus_kodu")).text();
    const QVariant id = rs.Fields(QStringLiteral("id")).value();

    // The ledger rows and the customer row go together or not at all; cash rows stay.
    if (const pv::ledger::Result deleted =
            pv::ledger::deleteCustomer(m_data.Database(), id.toLongLong(), code);
        !deleted) {
        pv::MsgBox(QStringLiteral("Müşteri silinemedi; hiçbir kayıt değiştirilmedi.\n") + deleted.reason,
                   pv::vbCritical, kErrorTitle);
        return;
    }
    if (m_hooks.ara_Click)
        m_hooks.ara_Click();
    else
        m_data.Refresh();
    if (m_hooks.menukilitac2)
        m_hooks.menukilitac2();
    if (m_hooks.VornXPButton7_Click)
        m_hooks.VornXPButton7_Click();
}

// ---------------------------------------------------------------- note

void MusteriDetay::btnNote_Click()
{
    if (btnNote->Value()) {
        buildNote();
        ui::showAt(frmNote, 5640, 1560);
    } else {
        // Closed without saving: the stored note again.
        if (frmNote)
            frmNote->hide();
        m_data.revertFields(kNoteFields);
    }
}

void MusteriDetay::BvButton5_Click()
{
    if (m_data.isChanged(txtNote)) {
        if (const pv::ledger::Result saved =
                pv::ledger::updateCustomerNote(m_data.Database(), customerId(), txtNote->toPlainText());
            !saved) {
            pv::MsgBox(QStringLiteral("Not kaydedilemedi.\n") + saved.reason, pv::vbCritical, kErrorTitle);
            return; // the text is kept for another try
        }
        showStored(cardBoxes());
    }
    frmNote->hide();
    btnNote->setValue(false);
}

void MusteriDetay::BvButton6_Click()
{
    txtNote->clear();
}

void MusteriDetay::txtNote_Change()
{
    // The note as typed once its panel is built, else as stored.
    const bool empty = txtNote ? txtNote->toPlainText().isEmpty() : m_storedNote.text().isEmpty();
    btnNote->setBackColor(empty ? kGrey : kYellow);
}

// ---------------------------------------------------------------- photo

void MusteriDetay::btnResimGoster_Click()
{
    if (!btnResimGoster->Value()) {
        if (frmResim)
            frmResim->hide();
        return;
    }
    buildPhoto();
    pv::setGeometryTwips(frmResim, 4680, 360, 3600, 3600);
    if (!ui::reportPhoto(txtFoto.text())) {
        btnResimGoster->setValue(false);
        return;
    }
    Image7->setPixmap(QPixmap(txtFoto.text()));
    frmResim->show();
    frmResim->raise();
}

void MusteriDetay::Image7_Click()
{
    frmResim->hide();
    btnResimGoster->setValue(false);
}

void MusteriDetay::txtFoto_Change()
{
    const bool any = !txtFoto.text().isEmpty();
    btnResimGoster->setEnabled(any);
    btnResimGoster->setBackColor(any ? kYellow : kGrey);
}

// ---------------------------------------------------------------- e-mail, SMS, calculator

void MusteriDetay::txtMail_Change()
{
    if (btnMail)
        btnMail->setEnabled(!ui::mailValue(txtMail.text()).isEmpty());
}

void MusteriDetay::btnSMS_Click()
{
    pv::MsgBox(QStringLiteral("Bu özellik çok yakında aktif olacaktır. Bilgi için: ") + ui::makerAddress(),
               pv::vbInformation, QStringLiteral("Bilgi"));
}

namespace
{
// The desktops' calculators, in the order they are looked for.
const QStringList kCalculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                  QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                  QStringLiteral("xcalc")};
} // namespace

void MusteriDetay::VornXPButton2_Click()
{
    // The desktop's calculator, whichever of the usual ones is installed.
    const QString calculator = pv::findOnSearchPath(kCalculators);
    if (calculator.isEmpty() || !pv::startByPath(calculator))
        pv::MsgBox(QStringLiteral("Hesap makinesi bulunamadı."), pv::vbCritical, QStringLiteral("Hata"));
}
