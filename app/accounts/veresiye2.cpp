#include "app/accounts/veresiye2.h"

#include "app/FormKit.h"
#include "controls/button/BvButton.h"
#include "platform/forms/Timer.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

veresiye2::veresiye2()
{
    setObjectName(QStringLiteral("veresiye2"));
    setClientSizeTwips(9000, 4200);
    lblInfo = kit::label(this, "lblInfo", 240, 240, 5400, 2400, QString(), Qt::AlignLeft | Qt::AlignTop);
    lblInfo->setWordWrap(true);
    const auto currency = [this](const char *name, double top) {
        auto *e = new QLineEdit(QStringLiteral("TL"), this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        kit::place(e, 5880, top, 1200, 345);
        return e;
    };
    txtPt1 = currency("txtPt1", 240);
    txtPt2 = currency("txtPt2", 660);
    txtPt3 = currency("txtPt3", 1080);

    musilfrm = new QFrame(this);
    musilfrm->setObjectName(QStringLiteral("musilfrm"));
    musilfrm->setFrameShape(QFrame::Box);
    kit::place(musilfrm, 240, 2700, 6000, 600);
    kit::label(musilfrm, "Label1", 60, 60, 4560, 480,
               QStringLiteral("Müşterinin Veresiye Hesabı Sıfırlanacak ve Müşteri Kaydı Silinecektir.  Emin misiniz?"))
        ->setWordWrap(true);
    MyButton3 = kit::button(musilfrm, "MyButton3", 4680, 60, 1200, 420, QStringLiteral(" İptal"));
    musilfrm->setVisible(false);

    VornXPButton7 = kit::button(this, "VornXPButton7", 7440, 3480, 1320, 480, QStringLiteral("Geri"));
    Timer5 = new pv::Timer(10, false, this);
    connect(VornXPButton7, &BvButton::Click, this, &veresiye2::VornXPButton7_Click);
    connect(MyButton3, &BvButton::Click, this, &veresiye2::MyButton3_Click);
    connect(Timer5, &pv::Timer::tick, this, &veresiye2::Timer5_Timer);
}

void veresiye2::Form_Activate()
{
    lblInfo->setText(QStringLiteral("Müşteri No: %1\nYetki: %2\nHesap Türü: %3")
                         .arg(Text10.text(), txtYetki.text(), txtMusTuru.text()));
}

void veresiye2::VornXPButton7_Click() { pv::Unload(this); }

void veresiye2::MyButton3_Click() { pv::Unload(this); }

void veresiye2::Timer5_Timer() { VornXPButton7->setEnabled(false); }
