#include "app/sales/veresiyealacakekle.h"

#include "app/accounts/veresiye2.h"
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

namespace
{
const QString kPayment = QStringLiteral("Ödeme ");
const QString kSupplier = QStringLiteral("Satıcı");
} // namespace

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
    auto refuse = [](const QString &text, QWidget *field) {
        pv::MsgBox(text, pv::vbOKOnly | pv::vbExclamation, ui::kWarnTitle);
        field->setFocus(Qt::OtherFocusReason);
    };
    if (Text4->text().isEmpty())
        return refuse(QStringLiteral("Açıklama Yazın."), Text4);
    if (Text5->text().isEmpty())
        return refuse(QStringLiteral("Tutarı Girin."), Text5);
    if (!pv::parseDate(Text2->text()))
        return refuse(ui::kBadDate, Text2);
    if (!pv::toNumber(Text5->text()))
        return refuse(QStringLiteral("Tutarı Girin."), Text5);
    ui::formatDateBox(Text2);

    QString error;
    if (!post(&error)) {
        pv::MsgBox(ui::kSaveFailed + QLatin1Char('\n') + error, pv::vbOKOnly | pv::vbCritical,
                   ui::kErrorTitle);
        return;
    }
    veresiye2::raiseRefreshSignal(QStringLiteral("11"));
    pv::Unload(this);
}

// The account row and, for a supplier payment, its cash row: both or neither.
bool veresiyealacakekle::post(QString *error)
{
    pv::Transaction tx(m_db);
    if (!tx.isActive()) {
        *error = tx.lastError().message;
        return false;
    }
    // Another posting may have taken this opening's id meanwhile.
    txtIslemNo2 = pv::ledger::uniquePostingId(m_db, m_openedAt);
    const bool supplierPayment = txtIslemTuru.text() == kPayment && txtMusTuru.text() == kSupplier;
    const QString key = pv::dateKey(Text2->text());
    const QString amount = Text5->text();
    const QString kind =
        supplierPayment ? txtIslemTuru.text() + cboOdemeSekli->currentText() : txtIslemTuru.text();
    if (!pv::ledger::addRow(m_db, QStringLiteral("veresiye"),
                            {{QStringLiteral("mus_kodu"), Text1.text()},
                             {QStringLiteral("Tarih"), Text2->text()},
                             {QStringLiteral("Saat"), Text3->text()},
                             {QStringLiteral("Aciklama"), Text4->text()},
                             {supplierPayment ? QStringLiteral("Eklenen") : QStringLiteral("Odenen"), amount},
                             {QStringLiteral("Turu"), kind},
                             {QStringLiteral("Tarih2"), key},
                             {QStringLiteral("islemNo2"), txtIslemNo2.text()}},
                            error))
        return false;
    if (supplierPayment && !pv::ledger::addRow(m_db, QStringLiteral("kasa"),
                                               {{1, Text1.text()},
                                                {2, Text2->text()},
                                                {3, Text3->text()},
                                                {4, QStringLiteral("Çıkan")},
                                                {5, Text4->text() + QStringLiteral(" (") +
                                                        odefrm2->Caption() + QLatin1Char(')')},
                                                {7, amount},
                                                {8, key},
                                                {10, txtIslemNo2.text()},
                                                {11, cboOdemeSekli->currentText()}},
                                               error))
        return false;
    if (!tx.commit()) {
        *error = tx.lastError().message;
        return false;
    }
    return true;
}
