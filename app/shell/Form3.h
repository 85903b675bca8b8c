#pragma once
// The about box: the maker's artwork and the end-user licence agreement.
#include "platform/forms/Form.h"

class BvButton;
class QLabel;
class QTextEdit;

class Form3 : public pv::Form
{
    Q_OBJECT
public:
    Form3();

    void Form_Load() override;

public slots: // connected by the form file
    void BvButton1_Click();
    void BvButton3_Click();

public:
    QLabel *Image2 = nullptr;
    BvButton *BvButton1 = nullptr; // shows and hides the agreement
    BvButton *BvButton3 = nullptr; // "Kapat"
    QLabel *Label6 = nullptr;
    QTextEdit *RichTextBox1 = nullptr;

    static QString agreementText();
};
