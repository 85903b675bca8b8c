#pragma once
// The account window's commands that work on a whole day or a whole account at once: the
// sales contract of one day's goods with the amount in words, resetting the account, and
// re-pricing the ledger from the stock card's first sale price.
//
// It lives on the account window beside MusteriDetay and CariYazdir and works on the
// window's ledger source. Controls the window has from the start are taken by their names
// when it is made (VornXPButton6, btnFiyatGuncelle, DBGrid2, xpText3, the total boxes, the
// commands the walk locks; ui::control, which fails on a name the window lacks); those
// built later (the customer card's boxes, the print choices' text size, the date range)
// come through the hooks, as the window's own procedures do. What is missing is made from
// the panels CariToplu* of veresiye2.form.json.
#include "platform/forms/HandOff.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class BvButton;
class FrameFendrixon;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QuorvelXPProgressBar;
class QWidget;

namespace pv
{
class DataControl;
class Form;
class Report;
class Timer;
} // namespace pv

class CariToplu : public QObject
{
    Q_OBJECT
public:
    // The customer card's boxes the contract prints.
    struct Card {
        QLineEdit *xpText9 = nullptr;       // Telefon1
        QLineEdit *xpText12 = nullptr;      // Gsm
        QLineEdit *xpText4 = nullptr;       // mail
        QLineEdit *xpText5 = nullptr;       // vd
        QLineEdit *xpText6 = nullptr;       // vdn
        QPlainTextEdit *xpText10 = nullptr; // Adres
    };
    struct Hooks {
        std::function<QString()> Text10;             // the account code
        std::function<QString()> txtFirmaBilgi;      // the shop name
        std::function<void()> ara_Click;             // re-queries the ledger and the customer row
        std::function<void()> topla1_Click;          // the account's totals
        std::function<void()> btnT1_Click;           // the date range's totals
        std::function<void()> Command6_Click;        // sets the ledger commands by the ledger and the rights
        std::function<void()> menukitle2;            // locks the window's action commands
        std::function<void()> menukilitac2;          // unlocks them
        std::function<void(const QString &)> Text11; // the date of the last entry of this visit
        std::function<void()> commandRules;          // the e-mail and photo commands' own rules
        std::function<Card()> customerCard;          // builds the card panel whose boxes the contract prints
        std::function<QComboBox *()> printChoices;   // builds the print choices, answers their text size
        std::function<QWidget *()> rangeTotals;      // the date range's totals, null until built
        std::function<QList<QWidget *>()> rangePickers; // the range's pickers and command, null until built
    };

    CariToplu(pv::Form &window, pv::DataControl &Data5, Hooks hooks);
    ~CariToplu() override;

    // ---- contract panel, built by its command
    BvButton *btnSozlesme = nullptr; // "Sözleşme Yazdır"
    QFrame *frmSozlesme = nullptr;
    FrameFendrixon *FrameFendrixon4 = nullptr; // "Sözleşme Bilgileri ve Ödeme Planı"
    QDateEdit *txtSozTarih = nullptr;          // the contract date, whose debits make the amount
    QDateEdit *txtTeslimTarih = nullptr;       // the delivery date printed on the contract
    BvButton *bntSozlesmePrint = nullptr;      // " Sözleşmeyi Yazdır"
    pv::HandOff txtSozBedel;                   // the contract amount, "#,##0.00"
    pv::HandOff ytl2text;                      // the amount in words

    // ---- reset and prices, the walk's panel built when a walk starts
    BvButton *VornXPButton6 = nullptr;    // "Hesabı Sıfırla"
    BvButton *btnFiyatGuncelle = nullptr; // "Tüm Fiyatları Güncelle"
    QFrame *frmFiyatGuncel = nullptr;
    FrameFendrixon *FrameFendrixon2 = nullptr; // "Stoktaki Ürünlerin Güncel Fiyatları Cariye Yansıtılıyor..."
    QuorvelXPProgressBar *ProgressBar2 = nullptr;
    QFrame *Frame3 = nullptr;               // the completion group
    BvButton *btnOnay = nullptr;            // " Tamam"
    pv::HandOff Text5{QStringLiteral("0")}; // rows visited so far
    pv::HandOff Text4;                      // rows of the ledger
    pv::Timer *Timer6 = nullptr;            // 10 ms: one row a tick

    // The price walk runs, from the question's Yes until " Tamam": the window is locked.
    bool walking() const { return m_walking; }

    // ---- procedures
    // Deletes every ledger row in view, all or none, and shows the emptied account; false
    // (after its message) when nothing was deleted.
    bool ResetAll();
    // The contract made ready for the next run, as " Sözleşmeyi Yazdır" prints it.
    pv::Report &contract();

public slots: // connected by the form files
    void btnSozlesme_Click();
    void bntSozlesmePrint_Click();
    void VornXPButton6_Click();
    void btnFiyatGuncelle_Click();
    void btnOnay_Click();

public:
    // ---- handlers
    void Timer6_Timer();
    void Command5_Click();
    void Command7_Click();

private:
    void buildCommands();
    void buildContractPanel();
    void buildPricePanel();
    QList<QWidget *> madeLater() const;
    QList<qint64> idsInView();
    void lockForWalk();
    void endWalk();

    pv::Form &m_window;
    pv::DataControl &m_ledger;
    Hooks m_hooks;
    QTableView *m_grid = nullptr;
    QLineEdit *m_customerName = nullptr; // xpText3
    QList<QLineEdit *> m_totals;         // VornXPTextBox2..4
    QList<QWidget *> m_walkLocks;        // the window's commands the walk locks
    QList<QWidget *> m_walkUnlocks;      // and those it frees
    bool m_walking = false;
    QList<qint64> m_walkIds; // the rows shown when the walk started
    int m_walkRow = 0;       // the index in m_walkIds the next tick re-prices
};
