#pragma once
// The account window's paper: the A5 receipt (layout Extre) of today's or of the marked
// movements, the account report (layout carirapor) of all movements or of a date range,
// the marks that put ledger rows on this opening's receipt, the print panel and the
// date-range mode with its view of the ledger.
//
// It lives on the account window and works on the window's ledger source. Controls the
// window already has are taken by their names (VornXPButton5, DBGrid2, tgoster2, the range's
// pickers when the window makes its own, Label12, Label11, frmTarihBakiyeler, the total
// boxes, the commands it locks): when it is made, and those of the range when the range is
// built (ui::control, which fails on a name the window lacks); what is missing is made
// from the panels CariYazdir* of veresiye2.form.json. The range's pickers (ilk, son,
// tgoster) and its totals are null until buildRange(), the print choices (musListesiFrm,
// xpCombo2, xpCombo1, TextSize) until buildPrintChoices().
#include "platform/forms/HandOff.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class BvButton;
class FrameFendrixon;
class QAction;
class QComboBox;
class QDateEdit;
class QFrame;
class QLineEdit;
class QMenu;
class QTableView;
class QWidget;

namespace pv
{
class DataControl;
class Form;
class Report;
} // namespace pv

class CariYazdir : public QObject
{
    Q_OBJECT
public:
    struct Hooks {
        std::function<QString()> Text10;        // the account code
        std::function<QString()> txtSecYazdir;  // this opening's marking code
        std::function<QString()> txtSirala3;    // the sort clause of the printed lists
        std::function<QString()> txtFirmaBilgi; // the shop name
        std::function<void()> btnT1_Click;      // the date-range totals
        std::function<void()> Command6_Click;   // sets the ledger commands by the ledger and the rights
        std::function<void()> buildRange;       // the window's own date range controls, made at first use
        std::function<void()> printChoicesMade; // the print choices were just made
    };

    CariYazdir(pv::Form &window, pv::DataControl &Data5, Hooks hooks);
    ~CariYazdir() override;

    // ---- hidden fields
    pv::HandOff txtFormKodu; // form_kodu of the ledger's current row

    // ---- controls
    BvButton *VornXPButton5 = nullptr; // "Listeyi Yazdır"
    QTableView *DBGrid2 = nullptr;
    QFrame *musListesiFrm = nullptr;
    FrameFendrixon *FrameFendrixon3 = nullptr; // "Müşteri Hareketlerini Yazdır", built with the panel
    QComboBox *xpCombo2 = nullptr;
    QComboBox *xpCombo1 = nullptr;
    QComboBox *TextSize = nullptr;
    BvButton *muslisyzdBtn = nullptr;
    BvButton *muslisyzdBtn2 = nullptr;
    BvButton *vekbutton1 = nullptr;
    BvButton *tgoster2 = nullptr;
    BvButton *tgoster = nullptr;
    QDateEdit *ilk = nullptr;
    QDateEdit *son = nullptr;
    QMenu *mnuPrint = nullptr;
    QAction *mnuMiM = nullptr;
    QAction *mnuSimy = nullptr;
    QAction *mnuMHY = nullptr;
    QMenu *mnuPrntEkle = nullptr;
    QAction *mnuSime = nullptr;
    QAction *mnuSims = nullptr;
    QAction *mnuSimy2 = nullptr;

    // ---- procedures
    // The reports made ready for the next run, as the commands below print them.
    pv::Report &receiptToday();
    pv::Report &receiptMarked();
    pv::Report &reportAll();
    pv::Report &reportRange();
    void buildRange();
    void buildPrintChoices();
    // While the print panel is open: its commands locked again, whatever enabled them.
    void holdPrintPanel();

public slots: // connected by the form files
    void VornXPButton5_Click();
    void vekbutton1_Click();
    void muslisyzdBtn_Click();
    void muslisyzdBtn2_Click();
    void tgoster2_Click();
    void tgoster_Click();

public:
    // ---- handlers
    void DBGrid2_MouseUp(Qt::MouseButton button);
    void mnuMiM_Click();
    void mnuSimy_Click();
    void mnuSime_Click();
    void mnuSims_Click();
    void txtFormKodu_Change();
    void mnuMHY_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanel();
    void buildPrintPanel();
    static QString value(const QLineEdit *box);
    QString customerCode() const;
    QString orderClause() const;
    void fillReceipt(pv::Report &r);
    void fillReport(pv::Report &r);
    void writeMark(const QString &code);

    pv::Form &m_window;
    pv::DataControl &m_ledger;
    Hooks m_hooks;

    // ---- the window's controls
    QLineEdit *xpText3 = nullptr; // the customer's name
    QLineEdit *VornXPTextBox2 = nullptr;
    QLineEdit *VornXPTextBox3 = nullptr;
    QLineEdit *VornXPTextBox4 = nullptr;
    QFrame *frmTarihBakiyeler = nullptr; // the range's totals, with txtT1..3: null until buildRange()
    QLineEdit *txtT1 = nullptr;
    QLineEdit *txtT2 = nullptr;
    QLineEdit *txtT3 = nullptr;
    QList<QWidget *> m_rangeCaptions; // Label12, Label11 of the window's own range
    QList<QWidget *> m_panelLocks;    // locked while the print panel is open
    QList<QWidget *> m_rangeCommands; // usable only while the range shows rows
};
