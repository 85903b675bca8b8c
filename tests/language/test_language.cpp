// The program's start-up language step: Qt's own dialogs and the calendar speak Turkish
// even on a machine set to English (this test program runs as on such a machine).
#include "platform/forms/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

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

    void fileDialogDatesAreTurkish()
    {
        QTemporaryDir folder;
        const QString path = folder.path() + QStringLiteral("/yedek.ydk");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 11), QTime(9, 30)),
                                 QFileDevice::FileModificationTime));
        file.close();
        QFileDialog dlg(nullptr, QStringLiteral("Veri Tabanı Dosyası"), folder.path());
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setViewMode(QFileDialog::Detail);
        dlg.show();
        auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(view);
        QAbstractItemModel *model = view->model();
        QModelIndex row;
        QTRY_VERIFY((row = model
                               ->match(model->index(0, 0, view->rootIndex()), Qt::DisplayRole,
                                       QStringLiteral("yedek.ydk"), 1, Qt::MatchExactly)
                               .value(0))
                        .isValid());
        // The date column as the user reads it, not "11 Dec" or "12/11/26".
        QCOMPARE(model->index(row.row(), 3, row.parent()).data().toString(),
                 QStringLiteral("11.12.2026 09:30"));
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Değiştirilme Tarihi"));
        dlg.hide();
        // The machine's own setting is what programs started from here get.
        QCOMPARE(qgetenv("LC_ALL"), QByteArray("en_US.UTF-8"));
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

int main(int argc, char **argv)
{
    // A machine whose language is English, whatever the one running the test.
    qputenv("LC_ALL", "en_US.UTF-8");
    pv::useTurkishAsMachineLocale();
    QApplication app(argc, argv);
    TestLanguage t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_language.moc"
