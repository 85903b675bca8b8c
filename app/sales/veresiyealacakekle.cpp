#include "app/sales/veresiyealacakekle.h"

#include "app/ledger/Postings.h"
#include "app/ledger/Rows.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Events.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScreen>

veresiyealacakekle::veresiyealacakekle()
{
    setObjectName(QStringLiteral("veresiyealacakekle"));
    setCaption(QString());
    setClientSizeTwips(5280, 4440);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    odefrm2 = ui::frame(this, "odefrm2", 0, 0, 5280, 4440, QStringLiteral("ALACAK DEKONTU / ÖDEME"));
    Label2 = ui::label(odefrm2, "Label2", 240, 480, 2040, 285, QStringLiteral("Tarih :"));
    Text2 = ui::textBox(odefrm2, "Text2", 240, 765, 2040, 315);
    Label1 = ui::label(odefrm2, "Label1", 2520, 480, 2040, 285, QStringLiteral("Saat :"));
    Text3 = ui::textBox(odefrm2, "Text3", 2520, 765, 2040, 315);
    Label4 = ui::label(odefrm2, "Label4", 240, 1200, 2040, 285, QStringLiteral("Açıklama :"));
    Text4 = ui::textBox(odefrm2, "Text4", 240, 1485, 4800, 315, QStringLiteral("ÖDEME YAPILDI"));
    Label3 = ui::label(odefrm2, "Label3", 2520, 2110, 2040, 285, QStringLiteral("Ödeme Şekli :"));
    cboOdemeSekli = ui::comboBox(odefrm2, "cboOdemeSekli", 2520, 2405, 2520, 315);
    Label8 = ui::label(odefrm2, "Label8", 2520, 2895, 2040, 285, QStringLiteral("Tutar :"));
    Text5 = ui::textBox(odefrm2, "Text5", 2520, 3160, 2520, 315);
    Text5->setAlignment(Qt::AlignRight);
    VornXPButton9 = ui::button(odefrm2, "VornXPButton9", 1440, 3720, 1680, 495, QStringLiteral(" Onayla"));
    VornXPButton8 = ui::button(odefrm2, "VornXPButton8", 3240, 3720, 1680, 495, QStringLiteral(" Vazgeç"));

    connect(VornXPButton9, &BvButton::Click, this, &veresiyealacakekle::VornXPButton9_Click);
    connect(VornXPButton8, &BvButton::Click, this, &veresiyealacakekle::VornXPButton8_Click);
    connect(cboOdemeSekli, &QComboBox::activated, this, &veresiyealacakekle::cboOdemeSekli_Click);
    pv::onLostFocus(Text5, [this] { Text5_LostFocus(); });
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, cboOdemeSekli);
    setTabOrder(cboOdemeSekli, Text5);
}

void veresiyealacakekle::Form_Load()
{
    m_db.open(pv::databasePath());
    m_openedAt = pv::Clock::now();
    txtIslemNo2 = pv::ledger::uniquePostingId(m_db, m_openedAt);
    Text2->setText(pv::dateText(m_openedAt.date()));
    Text3->setText(pv::timeText(m_openedAt.time()));
    cboOdemeSekli->addItems(
        {QStringLiteral("Nakit"), QStringLiteral("POS"), QStringLiteral("Çek"), QStringLiteral("Banka")});
    cboOdemeSekli->setCurrentIndex(0);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void veresiyealacakekle::openAsCreditNote(const QString &code, const QString &accountType,
                                          const QString &accountCaption, QWidget *owner)
{
    txtMusTuru = accountType;
    Text1 = code;
    odefrm2->setCaption(QStringLiteral("ALACAK DEKONTU - ") + accountCaption);
    Text4->setText(QString());
    // No payment kind: the amount moves up into its place.
    cboOdemeSekli->setCurrentIndex(-1);
    cboOdemeSekli->setVisible(false);
    Label3->setVisible(false);
    txtIslemTuru = pv::ledger::kCreditNoteKind;
    ui::moveTo(Text5, 2520, 2405);
    ui::moveTo(Label8, 2520, 2110);
    Show(pv::Form::Modal, owner);
}

void veresiyealacakekle::openAsPayment(const QString &code, const QString &accountType,
                                       const QString &accountCaption, QWidget *owner)
{
    txtMusTuru = accountType;
    Text1 = code;
    odefrm2->setCaption(QStringLiteral("ÖDEME - ") + accountCaption);
    cboOdemeSekli->setCurrentIndex(cboOdemeSekli->findText(QStringLiteral("Nakit")));
    cboOdemeSekli->setVisible(true);
    Label3->setVisible(true);
    txtIslemTuru = pv::ledger::kPaymentKind;
    ui::moveTo(Text5, 2520, 3160);
    ui::moveTo(Label8, 2520, 2895);
    Show(pv::Form::Modal, owner);
}

void veresiyealacakekle::cboOdemeSekli_Click()
{
    Text5->setFocus(Qt::OtherFocusReason);
}

void veresiyealacakekle::Text5_LostFocus()
{
    ui::formatMoneyBox(Text5, pv::kMoney);
}

void veresiyealacakekle::VornXPButton8_Click()
{
    pv::Unload(this);
}

void veresiyealacakekle::VornXPButton9_Click()
{
    if (Text4->text().isEmpty())
        return ui::refuseField(Text4, QStringLiteral("Açıklama Yazın."));
    double amount = 0;
    if (!ui::readAmount(Text5, &amount, QStringLiteral("Tutarı Girin.")))
        return;
    QDate date;
    if (!ui::readDateField(Text2, &date))
        return;
    QTime time;
    if (!ui::readTime(Text3, &time))
        return;
    ui::formatDateBox(Text2);

    pv::ledger::Posted done;
    pv::ledger::Result saved;
    if (txtIslemTuru.text() == pv::ledger::kPaymentKind) {
        const pv::ledger::PaymentEntry entry{Text1.text(), txtMusTuru.text(),  date,
                                             time,         Text4->text(),      cboOdemeSekli->currentText(),
                                             amount,       odefrm2->Caption(), m_openedAt};
        saved = pv::ledger::postPayment(m_db, entry, &done);
    } else {
        const pv::ledger::CreditNoteEntry entry{Text1.text(), date, time, Text4->text(), amount, m_openedAt};
        saved = pv::ledger::postCreditNote(m_db, entry, &done);
    }
    if (!saved)
        return ui::showSaveFailed(saved.reason);
    txtIslemNo2 = done.postingId;
    emit posted(QStringLiteral("11"));
    pv::Unload(this);
}
