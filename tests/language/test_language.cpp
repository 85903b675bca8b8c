// The program's start-up language step: Qt's own dialogs and the calendar speak Turkish
// even on a machine set to English.
#include "platform/forms/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As on a machine whose user language is English.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(pv::useTurkish(), "Qt's Turkish translations not found (package qt6-translations-l10n)");
    }

    void fileDialogIsTurkish()
    {
        QFileDialog dlg(nullptr, QStringLiteral("Veri Tabanı Dosyası"));
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.show();
        QStringList captions;
        for (auto *box : dlg.findChildren<QDialogButtonBox *>())
            for (auto *b : box->buttons())
                captions.append(b->text().remove(QLatin1Char('&')));
        QVERIFY2(captions.contains(QStringLiteral("Aç")), qPrintable(captions.join(QLatin1Char('|'))));
        QVERIFY2(captions.contains(QStringLiteral("İptal")), qPrintable(captions.join(QLatin1Char('|'))));
        dlg.hide();
    }

    void calendarIsTurkish()
    {
        QCalendarWidget cal;
        cal.setSelectedDate(QDate(2026, 12, 10));
        cal.setCurrentPage(2026, 12);
        cal.show();
        auto *month = cal.findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        QCOMPARE(month->text(), QStringLiteral("Aralık"));
        // The day-name header: Monday first, Turkish short names.
        auto *view = cal.findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(view);
        QStringList days;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            days.append(view->model()->data(view->model()->index(0, c)).toString());
        QVERIFY2(days.contains(QStringLiteral("Pzt")), qPrintable(days.join(QLatin1Char('|'))));
        QVERIFY2(!days.contains(QStringLiteral("Mon")), qPrintable(days.join(QLatin1Char('|'))));
    }

    void standardButtonsAreTurkish()
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("İptal"));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
