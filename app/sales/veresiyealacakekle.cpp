#include "app/sales/veresiyealacakekle.h"

#include "app/ledger/PostingId.h"
#include "app/ledger/Postings.h"
#include "app/ui/Kit.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Events.h"
#include "platform/forms/FormLoader.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Program.h"
#include "platform/text/Formats.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScreen>

veresiyealacakekle::veresiyealacakekle()
{
    setObjectName(QStringLiteral("veresiyealacakekle"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    ui::loadForm(this, {PV_FORM_MEMBER(odefrm2), PV_FORM_MEMBER(Label2), PV_FORM_MEMBER(Text2),
                        PV_FORM_MEMBER(Label1), PV_FORM_MEMBER(Text3), PV_FORM_MEMBER(Text4),
                        PV_FORM_MEMBER(Label3), PV_FORM_MEMBER(cboOdemeSekli), PV_FORM_MEMBER(Label8),
                        PV_FORM_MEMBER(Text5), PV_FORM_MEMBER(VornXPButton9), PV_FORM_MEMBER(VornXPButton8)});

    connect(cboOdemeSekli, &QComboBox::activated, this, &veresiyealacakekle::cboOdemeSekli_Click);
    pv::onLostFocus(Text5, [this] { Text5_LostFocus(); });
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
