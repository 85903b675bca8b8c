#include "app/accounts/MusteriDetay.h"

#include "app/ledger/Customers.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Twips.h"
#include "platform/databind/DataControl.h"
#include "platform/forms/Events.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLoader.h"
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

MusteriDetay::MusteriDetay(pv::Form &window, pv::DataControl &Data1, Hooks hooks)
    : QObject(&window), m_window(window), m_data(Data1), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("MusteriDetay"));
    buildCommands();

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

// The commands stand on the window from the start (the window's own when it has them);
// each panel is built when its command first opens it.
void MusteriDetay::buildCommands()
{
    ui::loadForm(&m_window, QStringLiteral("veresiye2.MusteriDetay"), this,
                 {PV_FORM_MEMBER(MyButton1), PV_FORM_MEMBER(btnNote), PV_FORM_MEMBER(btnResimGoster),
                  PV_FORM_MEMBER(btnSMS), PV_FORM_MEMBER(VornXPButton2)});
    btnMail = ui::control<BvButton>(&m_window, "btnMail");
    // The window's commands the card panel locks beside the window's own lock; it frees
    // them and "Veresiye Ekle" again.
    m_cardLocks =
        ui::controls(&m_window, {"VornXPButton6", "VornXPButton9", "VornXPButton10", "btnFiyatGuncelle"});
    m_cardUnlocks = m_cardLocks + ui::controls(&m_window, {"VornXPButton8"});
    for (BvButton *command : {MyButton1, btnNote, btnSMS, VornXPButton2})
        command->show();
}

// The window's account-type and currency lists and its "Düzenle" are shown on the card.
void MusteriDetay::buildCard()
{
    if (musterifrm)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.MusteriDetay.musterifrm"), this,
                 {PV_FORM_MEMBER(musterifrm), PV_FORM_MEMBER(FrameFendrixon1), PV_FORM_MEMBER(xpText7),
                  PV_FORM_MEMBER(xpText8), PV_FORM_MEMBER(xpText13), PV_FORM_MEMBER(xpText9),
                  PV_FORM_MEMBER(xpText10), PV_FORM_MEMBER(xpText4), PV_FORM_MEMBER(xpCombo3),
                  PV_FORM_MEMBER(xpCombo4), PV_FORM_MEMBER(xpText11), PV_FORM_MEMBER(xpText12),
                  PV_FORM_MEMBER(xpText5), PV_FORM_MEMBER(xpText6), PV_FORM_MEMBER(MyButton2),
                  PV_FORM_MEMBER(kaydet), PV_FORM_MEMBER(MyButton6)});

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
}

void MusteriDetay::buildDeletePanel(QFrame *windowPanel)
{
    if (musilfrm)
        return;
    // A window without its own delete panel gets this one; with its own, the window ends
    // the visit through its own " İptal", and only the delete command is this one's.
    const bool ownPanel = windowPanel;
    QLineEdit *name = nullptr;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.MusteriDetay.musilfrm"), this,
                 {PV_FORM_MEMBER(musilfrm), pv::FormMember("Text3", name), PV_FORM_MEMBER(MyButton3),
                  PV_FORM_MEMBER(MyButton4)});
    if (!ownPanel) {
        m_data.bind(name, QStringLiteral("MusteriFirma"));
        connect(MyButton3, &BvButton::Click, this, &MusteriDetay::MyButton3_Click);
    }
    MyButton4->show();
}

void MusteriDetay::buildNote()
{
    if (frmNote)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.MusteriDetay.frmNote"), this,
                 {PV_FORM_MEMBER(frmNote), PV_FORM_MEMBER(txtNote), PV_FORM_MEMBER(BvButton5),
                  PV_FORM_MEMBER(BvButton6)});
    bindMemo(m_data, txtNote, QStringLiteral("Not"));
    connect(txtNote, &QPlainTextEdit::textChanged, this, &MusteriDetay::txtNote_Change);
}

void MusteriDetay::buildPhoto()
{
    if (frmResim)
        return;
    ui::loadForm(&m_window, QStringLiteral("veresiye2.MusteriDetay.frmResim"), this,
                 {PV_FORM_MEMBER(frmResim), PV_FORM_MEMBER(Image7)});
    Image7->setCursor(Qt::PointingHandCursor);
    pv::onClick(Image7, [this] { Image7_Click(); });
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
    ui::setEnabled(m_cardLocks + printCommands(), false);
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
    ui::setEnabled(m_cardUnlocks + printCommands(), true);
    if (m_hooks.Command6_Click)
        m_hooks.Command6_Click();
    txtMail_Change();
}

QList<QWidget *> MusteriDetay::printCommands() const
{
    return m_hooks.printCommands ? m_hooks.printCommands() : QList<QWidget *>();
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
