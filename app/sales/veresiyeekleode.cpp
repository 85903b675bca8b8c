#include "app/sales/veresiyeekleode.h"

#include "app/FormKit.h"
#include "controls/frame/FrameFendrixon.h"

#include <QComboBox>
#include <QFrame>

veresiyeekleode::veresiyeekleode()
{
    setObjectName(QStringLiteral("veresiyeekleode"));
    setClientSizeTwips(6855, 4695);
    eklefrm = new QFrame(this);
    eklefrm->setObjectName(QStringLiteral("eklefrm"));
    kit::place(eklefrm, 0, 0, 6855, 4695);
    eklefrm2 = kit::frame(eklefrm, "eklefrm2", 0, 0, 6855, 4695, QStringLiteral("VERESİYE EKLE"));
    eklefrm->hide();
    odefrm = new QFrame(this);
    odefrm->setObjectName(QStringLiteral("odefrm"));
    kit::place(odefrm, 0, 0, 6855, 4695);
    odefrm2 = kit::frame(odefrm, "odefrm2", 0, 0, 6855, 4695, QStringLiteral("TAHSİLAT"));
    cboOdemeSekli = new QComboBox(odefrm2);
    cboOdemeSekli->setObjectName(QStringLiteral("cboOdemeSekli"));
    cboOdemeSekli->addItems(
        {QStringLiteral("Nakit"), QStringLiteral("POS"), QStringLiteral("Çek"), QStringLiteral("Banka")});
    cboOdemeSekli->setCurrentIndex(-1);
    kit::place(cboOdemeSekli, 1800, 1560, 2400, 315);
    odefrm->hide();
}
