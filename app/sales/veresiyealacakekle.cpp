#include "app/sales/veresiyealacakekle.h"

#include "app/FormKit.h"
#include "controls/frame/FrameFendrixon.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

veresiyealacakekle::veresiyealacakekle()
{
    setObjectName(QStringLiteral("veresiyealacakekle"));
    setClientSizeTwips(6855, 4695);
    odefrm2 = kit::frame(this, "odefrm2", 0, 0, 6855, 4695, QString());
    kit::label(odefrm2, "Label4", 2520, 840, 1560, 255, QStringLiteral("Açıklama :"));
    Text4 = new QLineEdit(QStringLiteral("ÖDEME YAPILDI"), odefrm2);
    Text4->setObjectName(QStringLiteral("Text4"));
    kit::place(Text4, 2520, 1110, 3960, 315);
    Label3 = kit::label(odefrm2, "Label3", 2520, 1560, 1560, 255, QStringLiteral("Ödeme Şekli :"));
    cboOdemeSekli = new QComboBox(odefrm2);
    cboOdemeSekli->setObjectName(QStringLiteral("cboOdemeSekli"));
    cboOdemeSekli->addItems(
        {QStringLiteral("Nakit"), QStringLiteral("POS"), QStringLiteral("Çek"), QStringLiteral("Banka")});
    kit::place(cboOdemeSekli, 2520, 1830, 2400, 315);
    Label8 = kit::label(odefrm2, "Label8", 2520, 2895, 1560, 255, QStringLiteral("Tutar :"));
    Text5 = new QLineEdit(odefrm2);
    Text5->setObjectName(QStringLiteral("Text5"));
    kit::place(Text5, 2520, 3160, 2400, 315);
}
