#pragma once
// The units of measure the sale dialogs and the stock card offer.
#include "platform/forms/Form.h"

class BvButton;
class QLineEdit;
class QTableView;

namespace pv
{
class DataControl;
class DataGridModel;
} // namespace pv

class birmler : public pv::Form
{
    Q_OBJECT
public:
    birmler();

    void Form_Load() override;

    void BirimEkle();

public slots: // connected by the form file
    void btnEkle_Click();
    void btnSil_Click();
    void btnKapat_Click();

public:
    QTableView *DBGrid1 = nullptr;
    QLineEdit *xpText1 = nullptr;
    BvButton *btnEkle = nullptr;
    BvButton *btnSil = nullptr;
    BvButton *btnKapat = nullptr;
    pv::DataControl *Data1 = nullptr;
    pv::DataGridModel *DBGrid1Model = nullptr;
};
