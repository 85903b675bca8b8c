#include "TestForms.h"

#include "platform/components/Twips.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Keys.h"
#include "platform/forms/Language.h"
#include "platform/forms/Pickers.h"
#include "platform/forms/Program.h"
#include "tests/harness/Harness.h"
#include "tests/harness/InstanceHelper.h"
#include "tests/harness/TextRecorder.h"

#include "platform/databind/DataControl.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>

using pv::test::Harness;

// A backup as the program writes it: an SQLite file of 184 KiB, last written on
// 11.12.2026 at 10:11.
static void writeBackupFile(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray data("SQLite format 3", 16);
    data.resize(184 * 1024);
    file.write(data);
    QVERIFY(
        file.setFileTime(QDateTime(QDate(2026, 12, 11), QTime(10, 11)), QFileDevice::FileModificationTime));
}

// Opens a real picker ("open", "save" or "folder") on folder and runs check on it while it
// is shown; the picker is then cancelled, whatever check found.
static void withRealPicker(const QString &kind, const QString &folder,
                           const std::function<void(QFileDialog &)> &check,
                           const QString &filter = QStringLiteral("Pelvanor Yedek Dosyası (*.YDK)|*.YDK|"))
{
    pv::setPickerHandler({});
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        seen = true;
        check(*dlg);
        dlg->reject();
    });
    if (kind == "open")
        pv::pickOpenFile(QStringLiteral("Veri Tabanı Dosyası"), filter, nullptr, folder);
    else if (kind == "save")
        pv::pickSaveFile(QStringLiteral("Yedek Dosyası"), filter, QStringLiteral("yedek.ydk"));
    else
        pv::pickFolder(QStringLiteral("Yedeklenecek Klasörü Seçin"));
    QVERIFY2(seen, "no picker was shown");
}

// What the picker's detail view cuts besides what it may, "" when nothing: each column
// after the name holds its heading and longest text, save the type column where the other
// columns leave it too little room (never under its heading), and the name column fills the
// rest at least. Whether the names are whole is what drawnNames() tells.
// The width column needs for its heading and longest text; widest tells which it is.
static int columnNeeds(const QTreeView &view, int column, QString *widest = nullptr)
{
    const QAbstractItemModel *model = view.model();
    const QModelIndex root = view.rootIndex();
    // An item view draws its text this far in from either side.
    const int margins = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
    QString text = model->headerData(column, Qt::Horizontal).toString();
    int needed = view.header()->sectionSizeHint(column);
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QString cell = model->index(row, column, root).data().toString();
        const int width = view.fontMetrics().horizontalAdvance(cell) + margins;
        if (width > needed) {
            needed = width;
            text = cell;
        }
    }
    if (widest)
        *widest = text;
    return needed;
}

static QString cutColumns(const QTreeView &view)
{
    const QHeaderView *header = view.header();
    QList<int> needed(header->count());
    QStringList widest(header->count());
    int allNeeded = header->sectionSize(0);
    for (int column = 1; column < header->count(); ++column) {
        needed[column] = columnNeeds(view, column, &widest[column]);
        allNeeded += column == 2 ? needed[column] : header->sectionSize(column);
    }
    const bool roomIsShort = allNeeded > view.viewport()->width();
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
        if (column == 2 && roomIsShort) // a type name may give way, the heading not
            needed[column] = header->sectionSizeHint(column);
        if (header->sectionSize(column) < needed[column])
            return QStringLiteral("'%1' needs %2 pixels, its column has %3")
                .arg(widest[column])
                .arg(needed[column])
                .arg(header->sectionSize(column));
        others += header->sectionSize(column);
    }
    const int rest = qMax(view.viewport()->width() - others, header->minimumSectionSize());
    if (header->sectionSize(0) < rest || (!roomIsShort && header->sectionSize(0) != rest))
        return QStringLiteral("the name column has %1 pixels, %2 are left")
            .arg(header->sectionSize(0))
            .arg(rest);
    return {};
}

// Each entry of the detail view's folder whose drawn name is not its name, as
// "name -> drawn", "" when every name is drawn whole.
static QString drawnNames(QTreeView &view)
{
    pv::test::TextRecorder device(96, view.viewport()->width(), view.viewport()->height());
    {
        QPainter painter(&device);
        view.viewport()->render(&painter);
    }
    const QAbstractItemModel *model = view.model();
    QStringList wrong;
    for (int row = 0; row < model->rowCount(view.rootIndex()); ++row) {
        const QModelIndex name = model->index(row, 0, view.rootIndex());
        // The whole cell, scrolled into view or not: the name column's drawn extent.
        const QRect cell = view.visualRect(name).united(
            QRect(view.header()->sectionViewportPosition(0), view.visualRect(name).top(),
                  view.header()->sectionSize(0), view.visualRect(name).height()));
        QList<pv::test::TextRecorder::Run> inCell;
        for (const pv::test::TextRecorder::Run &t : device.runs())
            if (cell.contains(t.at.toPoint()))
                inCell.append(t);
        std::sort(inCell.begin(), inCell.end(),
                  [](const auto &a, const auto &b) { return a.at.x() < b.at.x(); });
        QString drawn;
        for (const pv::test::TextRecorder::Run &t : inCell)
            drawn += t.text;
        if (drawn != name.data().toString())
            wrong << name.data().toString() + QStringLiteral(" -> ") + drawn;
    }
    return wrong.join(QStringLiteral("; "));
}

// The type column's text for the entry named name in the picker's folder, "" while the
// entry is not there.
static QString typeShown(const QTreeView &view, const QString &name)
{
    const QAbstractItemModel *model = view.model();
    const QModelIndexList found =
        model->match(model->index(0, 0, view.rootIndex()), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? QString() : found.first().siblingAtColumn(2).data().toString();
}

class TestForms : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Harness> h;

private slots:
    void init()
    {
        journal().clear();
        h = std::make_unique<Harness>();
    }
    void cleanup() { h.reset(); }

    // ---- default instances

    void loadRunsBeforeTheCallersWrite()
    {
        QVERIFY(!pv::isLoaded<Callee>());
        pv::form<Callee>().txtValue = QStringLiteral("42");
        QVERIFY(pv::isLoaded<Callee>());
        QCOMPARE(journal(), QStringList({"Callee.Load value=''", "Callee.txtValue_Change '42'"}));
        QCOMPARE(&pv::form<Callee>(), &pv::form<Callee>());
    }

    void unloadMakesTheNextAccessNew_data()
    {
        QTest::addColumn<int>("cancelQuery");
        QTest::addColumn<int>("cancelUnload");
        QTest::addColumn<bool>("unloaded");
        QTest::addColumn<QStringList>("handlers");
        QTest::newRow("unloads") << 0 << 0 << true << QStringList{"Callee.QueryUnload 1", "Callee.Unload"};
        QTest::newRow("query cancels") << 1 << 0 << false << QStringList{"Callee.QueryUnload 1"};
        QTest::newRow("unload cancels")
            << 0 << 1 << false << QStringList{"Callee.QueryUnload 1", "Callee.Unload"};
    }
    void unloadMakesTheNextAccessNew()
    {
        QFETCH(int, cancelQuery);
        QFETCH(int, cancelUnload);
        QFETCH(bool, unloaded);
        QFETCH(QStringList, handlers);
        Callee &first = pv::form<Callee>();
        first.txtValue = QStringLiteral("eski");
        first.cancelQuery = cancelQuery;
        first.cancelUnload = cancelUnload;
        first.Show();
        QPointer<Callee> old(&first);
        journal().clear();
        QCOMPARE(pv::Unload(first), unloaded);
        QCOMPARE(journal(), handlers);
        QCOMPARE(pv::isLoaded<Callee>(), !unloaded);
        QCOMPARE(first.isVisible(), !unloaded);
        h->settle();
        QCOMPARE(old.isNull(), unloaded);
        journal().clear();
        Callee &again = pv::form<Callee>();
        QCOMPARE(again.txtValue.text(), unloaded ? QString() : QStringLiteral("eski"));
        QCOMPARE(journal().contains("Callee.Load value=''"), unloaded);
    }

    void closeBoxUnloads()
    {
        Callee &c = pv::form<Callee>();
        c.Show();
        journal().clear();
        c.close();
        QCOMPARE(journal(), QStringList({"Callee.QueryUnload 0", "Callee.Unload"}));
        QVERIFY(!pv::isLoaded<Callee>());
    }

    // ---- activation

    void activationAtFirstShowOnly()
    {
        Parent &p = pv::form<Parent>();
        QCOMPARE(p.activations, 0);
        p.Show();
        QCOMPARE(p.activations, 1);
        p.Show();
        h->settle();
        QCOMPARE(p.activations, 1);
        QCOMPARE(pv::activeProgramWindow(), &p);
    }

    void activationAfterModalChildCloses_data()
    {
        QTest::addColumn<bool>("hideInsteadOfUnload");
        QTest::newRow("child unloads") << false;
        QTest::newRow("child hides") << true;
    }
    void activationAfterModalChildCloses()
    {
        QFETCH(bool, hideInsteadOfUnload);
        Parent &p = pv::form<Parent>();
        p.Show();
        h->onModal<Entry>([&](Entry &e) {
            QCOMPARE(pv::activeProgramWindow(), &e);
            if (hideInsteadOfUnload)
                e.Hide();
            else
                pv::Unload(e);
        });
        journal().clear();
        pv::form<Entry>().Show(pv::Form::Modal);
        journal() << QStringLiteral("caller continues");
        h->settle();
        // The opener's activation comes after the code that opened the child has run.
        QCOMPARE(journal(), QStringList({"Entry.Activate", "caller continues", "Parent.Activate"}));
        QCOMPARE(p.activations, 2);
        QCOMPARE(pv::isLoaded<Entry>(), hideInsteadOfUnload);
        QCOMPARE(pv::activeProgramWindow(), &p);
    }

    void modalFormUnloadingInItsActivation()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        h->expectMsgBox("Yedeklendi.", pv::vbInformation, "BİLGİ");
        journal().clear();
        pv::form<SelfCloser>().Show(pv::Form::Modal); // returns without waiting
        journal() << "caller continues";
        QVERIFY(!pv::isLoaded<SelfCloser>());
        QVERIFY(pv::modalWindows().isEmpty());
        h->settle();
        QCOMPARE(journal(), QStringList({"SelfCloser.Activate", "caller continues", "Parent.Activate"}));
    }

    void ownerGetsTheActivation()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        Sibling &s = pv::form<Sibling>();
        s.Show();
        h->onModal<Entry>([](Entry &e) { pv::Unload(e); });
        pv::form<Entry>().Show(pv::Form::Modal, &p);
        h->settle();
        QCOMPARE(p.activations, 2);
        QCOMPARE(s.activations, 1);
    }

    void noActivationAfterBoxesAndPickers_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("scripted box") << "scripted";
        QTest::newRow("real box") << "box";
        QTest::newRow("real file picker, cancelled") << "file";
        QTest::newRow("real folder picker, cancelled") << "folder";
    }
    void noActivationAfterBoxesAndPickers()
    {
        QFETCH(QString, what);
        Boxer &b = pv::form<Boxer>();
        b.Show();
        QCOMPARE(b.activations, 1);
        if (what == "file" || what == "folder") {
            pv::setPickerHandler({});
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto *dlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                QVERIFY(dlg);
                seen = true;
                dlg->reject();
            });
            const QString picked =
                what == "file" ? pv::pickOpenFile(QStringLiteral("Veri Tabanı Dosyası"),
                                                  QStringLiteral("Pelvanor Yedek Dosyası (*.YDK)|*.YDK|"))
                               : pv::pickFolder(QStringLiteral("Yedeklenecek Klasörü Seçin"));
            QVERIFY(seen);
            QCOMPARE(picked, QString());
        } else if (what == "box") {
            pv::setMsgBoxHandler({});
            QTimer::singleShot(0, [] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                box->button(QMessageBox::No) ? box->button(QMessageBox::No)->click()
                                             : box->buttons().last()->click();
            });
            QCOMPARE(b.ask(), int(pv::vbNo));
        } else {
            h->expectMsgBox(QStringLiteral("Emin misiniz?"), pv::vbNo);
            QCOMPARE(b.ask(), int(pv::vbNo));
        }
        h->settle();
        b.activateWindow(); // the window manager handing the focus back changes nothing
        h->settle();
        QCOMPARE(b.activations, 1);
        QCOMPARE(pv::activeProgramWindow(), &b);
    }

    void activationWhenComingBackFromAnotherWindow()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        Sibling &s = pv::form<Sibling>();
        s.Show();
        QCOMPARE(s.activations, 1);
        QSignalSpy seen(&pv::FormEvents::instance(), &pv::FormEvents::activated);
        pv::userActivate(&p);
        QCOMPARE(p.activations, 2);
        QCOMPARE(seen.count(), 1);
        QCOMPARE(seen.first().first().value<QWidget *>(), &p);
        pv::userActivate(&p); // already the active one
        QCOMPARE(p.activations, 2);
        pv::userActivate(&s);
        QCOMPARE(s.activations, 2);
    }

    void modalChildBlocksUserActivation()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        Sibling &s = pv::form<Sibling>();
        s.Show();
        h->onModal<Entry>([&](Entry &e) {
            pv::userActivate(&p); // a window under a modal one cannot be reached
            QCOMPARE(p.activations, 1);
            pv::Unload(e);
        });
        pv::form<Entry>().Show(pv::Form::Modal);
        h->settle();
        QCOMPARE(s.activations, 2);
        QCOMPARE(p.activations, 1);
    }

    void closingTheActiveModelessFormActivatesThePrevious()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        Sibling &s = pv::form<Sibling>();
        s.Show();
        pv::Unload(s);
        h->settle();
        QCOMPARE(p.activations, 2);
        QCOMPARE(pv::activeProgramWindow(), &p);
    }

    void activationFromTheWindowSystem()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        Sibling &s = pv::form<Sibling>();
        s.Show();
        h->settle();
        const int before = p.activations;
        p.activateWindow();
        QTRY_COMPARE(pv::activeProgramWindow(), &p);
        QCOMPARE(p.activations, before + 1);
    }

    void previewLikeWindows_data()
    {
        QTest::addColumn<bool>("programWindow");
        QTest::addColumn<int>("activations");
        QTest::newRow("a window of the program (report preview)") << true << 2;
        QTest::newRow("a system dialog") << false << 1;
    }
    void previewLikeWindows()
    {
        QFETCH(bool, programWindow);
        QFETCH(int, activations);
        Parent &p = pv::form<Parent>();
        p.Show();
        QDialog preview(&p);
        if (programWindow) {
            preview.setProperty(pv::kProgramWindowProperty, true);
            h->onAnyModal([&](QWidget *w) {
                QCOMPARE(w, &preview);
                QCOMPARE(pv::activeProgramWindow(), &preview);
                preview.reject();
            });
        } else {
            QTimer::singleShot(0, &preview, &QDialog::reject);
        }
        preview.exec();
        h->settle();
        QCOMPARE(p.activations, activations);
        QCOMPARE(pv::activeProgramWindow(), &p);
    }

    void startUpRoad_data()
    {
        QTest::addColumn<bool>("byEsc");
        QTest::addColumn<bool>("loginOwner");
        QTest::addColumn<QString>("lastActivation");
        QTest::newRow("timer, login over the main window") << false << true << "Main.Activate yetki='1'";
        QTest::newRow("Esc, login over the main window") << true << true << "Main.Activate yetki='1'";
        // Without an owner the window active before the login (the alert) gets it back.
        QTest::newRow("timer, login without owner") << false << false << "Alert.Activate";
    }
    void startUpRoad()
    {
        QFETCH(bool, byEsc);
        QFETCH(bool, loginOwner);
        QFETCH(QString, lastActivation);
        RoadSplash::unloads = 0;
        RoadSplash::loginOwner = loginOwner;
        RoadSplash &splash = pv::form<RoadSplash>();
        splash.Show();
        h->expectMsgBox("Şifre Yanlış", pv::vbCritical, "Kullanıcı Giriş");
        h->onModal<RoadLogin>([&](RoadLogin &login) {
            QVERIFY(!splash.isVisible());
            Harness::advance(5000); // the splash's timer ticks on but closes nothing more
            QCOMPARE(RoadSplash::unloads, 1);
            Harness::type(login.txtPass, "x");
            Harness::key(login.txtPass, Qt::Key_Return);
            QCOMPARE(login.txtPass->text(), QString());
            Harness::type(login.txtPass, "ad'min");
            Harness::key(login.txtPass, Qt::Key_Return);
        });
        journal().clear();
        if (byEsc) {
            QCOMPARE(Harness::advance(2000), 0);
            Harness::key(&splash, Qt::Key_Escape);
        } else {
            QCOMPARE(Harness::advance(3000), 1);
        }
        h->settle();
        QCOMPARE(RoadSplash::unloads, 1);
        QVERIFY(!pv::isLoaded<RoadSplash>());
        QCOMPARE(journal(),
                 QStringList({"Main.Activate yetki=''", "Alert.Activate", "Login.Activate", lastActivation}));
        QCOMPARE(pv::form<RoadMain>().txtYetki.text(), QStringLiteral("1"));
        QCOMPARE(h->msgBoxes().size(), 1);
    }

    void restoreRunsStartUpAgain()
    {
        // The second run of start-up in the same process finds no other instance.
        RoadSplash::loginOwner = true;
        for (int run = 0; run < 2; ++run) {
            h->onModal<RoadLogin>([](RoadLogin &login) {
                Harness::type(login.txtPass, "admin");
                login.cmdOK_Click();
            });
            pv::form<RoadSplash>().Show();
            Harness::advance(3000);
            h->settle();
            QVERIFY(!h->programEnded());
            QVERIFY(pv::form<RoadMain>().isVisible());
            pv::Unload(pv::form<RoadMain>());
            h->settle();
        }
    }

    // ---- hand-off fields

    void handOffChangesOnlyOnRealChange_data()
    {
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<int>("changes");
        QTest::newRow("one value") << QStringList{"11"} << 1;
        QTest::newRow("same twice") << QStringList{"11", "11"} << 1;
        QTest::newRow("two codes") << QStringList{"11", "22", "22", "33"} << 3;
        QTest::newRow("empty first") << QStringList{""} << 0;
        QTest::newRow("back and forth") << QStringList{"1", "0", "1"} << 3;
    }
    void handOffChangesOnlyOnRealChange()
    {
        QFETCH(QStringList, writes);
        QFETCH(int, changes);
        pv::HandOff field;
        QSignalSpy spy(&field, &pv::HandOff::changed);
        for (const QString &w : writes)
            field = w;
        QCOMPARE(spy.count(), changes);
        QCOMPARE(field.text(), writes.last());
    }

    void handOffBoundToARow()
    {
        h->exec("UPDATE dgrayr SET show = '1'");
        pv::HandOff txtAlert;
        QSignalSpy spy(&txtAlert, &pv::HandOff::changed);
        pv::DataControl data;
        data.setDatabaseName(pv::databasePath());
        data.setRecordSource("dgrayr");
        pv::bindField(data, txtAlert, "show");
        QVERIFY(data.Refresh());
        QCOMPARE(txtAlert.text(), QStringLiteral("1"));
        QCOMPARE(spy.count(), 1);
        QVERIFY(data.Refresh()); // the same value again: no change
        QCOMPARE(spy.count(), 1);
        txtAlert = QStringLiteral("0");
        QVERIFY(data.UpdateRecord());
        QCOMPARE(h->value("SELECT show FROM dgrayr").toString(), QStringLiteral("0"));
    }

    void handOffCopiesText()
    {
        pv::HandOff mine(QStringLiteral("0")), theirs;
        QSignalSpy spy(&theirs, &pv::HandOff::changed);
        theirs = mine;
        theirs = mine;
        const QString asText = theirs;
        QCOMPARE(asText, QStringLiteral("0"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(mine.text(), QStringLiteral("0"));
    }

    // ---- modal windows driven by the test

    void modalFormDrivenByTheHarness()
    {
        Parent &p = pv::form<Parent>();
        p.Show();
        h->onModal<Entry>([&](Entry &e) {
            Harness::type(e.txtName, QStringLiteral("Ayşe Çelik"));
            Harness::click(e.cmdOK);
        });
        pv::form<Entry>().Show(pv::Form::Modal);
        QCOMPARE(pv::form<Callee>().txtValue.text(), QStringLiteral("Ayşe Çelik"));
        QVERIFY(!pv::isLoaded<Entry>());
    }

    void nestedModalWindows()
    {
        pv::form<Parent>().Show();
        h->onModal<Entry>([&](Entry &) {
            pv::form<Callee>().Show(pv::Form::Modal);
            journal() << "after Callee";
            h->settle();
            pv::Unload(pv::form<Entry>());
        });
        h->onModal<Callee>([](Callee &c) { pv::Unload(c); });
        journal().clear();
        pv::form<Entry>().Show(pv::Form::Modal);
        h->settle();
        QCOMPARE(journal().filter(QRegularExpression("Activate|after")),
                 QStringList({"Entry.Activate", "Callee.Activate value=''", "after Callee", "Entry.Activate",
                              "Parent.Activate"}));
    }

    void activationDroppedWhenTheChildIsUnloadedAtOnce()
    {
        // The code after the modal show unloads the window the activation was due to.
        pv::form<Parent>().Show();
        h->onModal<Entry>([&](Entry &) {
            pv::form<Callee>().Show(pv::Form::Modal);
            pv::Unload(pv::form<Entry>());
        });
        h->onModal<Callee>([](Callee &c) { pv::Unload(c); });
        journal().clear();
        pv::form<Entry>().Show(pv::Form::Modal);
        h->settle();
        QCOMPARE(journal().filter("Activate"),
                 QStringList({"Entry.Activate", "Callee.Activate value=''", "Parent.Activate"}));
    }

    void harnessReportsWhatWentWrong()
    {
        QStringList failures;
        h->setFailureSink([&](const QString &m) { failures << m; });
        // An unexpected box gets its escape answer and fails the test.
        QCOMPARE(pv::MsgBox(QStringLiteral("Beklenmeyen"), pv::vbYesNo), int(pv::vbNo));
        QCOMPARE(failures.size(), 1);
        // A box other than the expected one.
        h->expectMsgBox(QStringLiteral("Bir"), pv::vbOK);
        pv::MsgBox(QStringLiteral("İki"));
        QCOMPARE(failures.size(), 2);
        // An unexpected modal window is hidden, so the test does not hang.
        pv::form<Entry>().Show(pv::Form::Modal);
        QCOMPARE(failures.size(), 3);
        // An action that leaves the window open.
        h->onModal<Callee>([](Callee &) {});
        pv::form<Callee>().Show(pv::Form::Modal);
        QCOMPARE(failures.size(), 4);
        // Expectations never used.
        h->expectMsgBox(QStringLiteral("Hiç"));
        h->expectFolder(QStringLiteral("/tmp"));
        h->finish();
        QCOMPARE(failures.size(), 6);
    }

    // ---- message boxes

    void messageBoxesAreRecorded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::newRow("critical ok") << "Kullanıcı Adını Girin" << int(pv::vbCritical) << "Dikkat!"
                                     << "Dikkat!" << int(pv::vbOKOnly) << int(pv::vbCritical);
        QTest::newRow("question yes/no") << "Silinsin mi?" << int(pv::vbYesNo | pv::vbQuestion) << "Dikkat"
                                         << "Dikkat" << int(pv::vbYesNo) << int(pv::vbQuestion);
        QTest::newRow("exclamation") << "Hata" << int(pv::vbExclamation) << "Hata "
                                     << "Hata " << int(pv::vbOKOnly) << int(pv::vbExclamation);
        QTest::newRow("information") << "Giriş Başarılı ADMIN" << int(pv::vbInformation) << "Kullanıcı Giriş"
                                     << "Kullanıcı Giriş" << int(pv::vbOKOnly) << int(pv::vbInformation);
        QTest::newRow("no title") << "İnternet Bağlantınız Aktif Değil.." << int(pv::vbCritical) << QString()
                                  << "Pelvanor" << int(pv::vbOKOnly) << int(pv::vbCritical);
        QTest::newRow("line breaks kept")
            << "D:\\Yedek\\a.ydk\n\n Klasörüne Yedeklendi." << int(pv::vbInformation) << "BİLGİ"
            << "BİLGİ" << int(pv::vbOKOnly) << int(pv::vbInformation);
    }
    void messageBoxesAreRecorded()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(QString, title);
        QFETCH(QString, shownTitle);
        QFETCH(int, buttons);
        QFETCH(int, icon);
        h->expectMsgBox(text, flags, shownTitle, pv::vbOK);
        QCOMPARE(pv::MsgBox(text, flags, title), int(pv::vbOK));
        QCOMPARE(h->msgBoxes().size(), 1);
        const pv::MsgBoxCall &c = h->msgBoxes().first();
        QCOMPARE(c.text, text);
        QCOMPARE(c.title, shownTitle);
        QCOMPARE(c.buttons(), buttons);
        QCOMPARE(c.icon(), icon);
    }

    void messageBoxAnsweredWhileShown()
    {
        Boxer &b = pv::form<Boxer>();
        b.Show();
        h->expectMsgBox(QStringLiteral("Emin misiniz?"), [&](const pv::MsgBoxCall &call) {
            // While the box is up its form stays the active window.
            return pv::activeProgramWindow() == &b && call.buttons() == pv::vbYesNo ? pv::vbYes : pv::vbNo;
        });
        QCOMPARE(b.ask(), int(pv::vbYes));
    }

    void realMessageBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QStringList>("buttonTexts");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("answer");
        QTest::newRow("crlf") << "( Hata Oluştu. )\r\nHata Nedeni: <b>bozuk</b>" << int(pv::vbExclamation)
                              << "( Hata Oluştu. )\nHata Nedeni: <b>bozuk</b>" << QStringList{"Tamam"}
                              << int(QMessageBox::Warning) << int(pv::vbOK);
        QTest::newRow("two line feeds") << "a.ydk\n\nDosyası zaten var." << int(pv::vbYesNo | pv::vbQuestion)
                                        << "a.ydk\n\nDosyası zaten var." << QStringList{"Evet", "Hayır"}
                                        << int(QMessageBox::Question) << int(pv::vbYes);
        QTest::newRow("critical") << "Şifre Yanlış" << int(pv::vbCritical) << "Şifre Yanlış"
                                  << QStringList{"Tamam"} << int(QMessageBox::Critical) << int(pv::vbOK);
        QTest::newRow("information") << "Bilgi" << int(pv::vbInformation) << "Bilgi" << QStringList{"Tamam"}
                                     << int(QMessageBox::Information) << int(pv::vbOK);
    }
    void realMessageBox()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(QString, shownText);
        QFETCH(QStringList, buttonTexts);
        QFETCH(int, icon);
        QFETCH(int, answer);
        pv::setMsgBoxHandler({});
        QString seenText, seenTitle;
        QStringList seenButtons;
        int seenIcon = -1;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = int(box->icon());
            for (QAbstractButton *b : box->buttons())
                seenButtons << b->text();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            box->buttons().first()->click();
        });
        QCOMPARE(pv::MsgBox(text, flags), answer);
        QCOMPARE(seenText, shownText);
        QCOMPARE(seenTitle, QStringLiteral("Pelvanor"));
        QCOMPARE(seenIcon, icon);
        seenButtons.sort();
        buttonTexts.sort();
        QCOMPARE(seenButtons, buttonTexts);
    }

    // ---- keyboard

    void enterMovesToTheNextField()
    {
        Entry &e = pv::form<Entry>();
        e.setEnterMovesFocus(true);
        e.Show();
        e.txtName->setFocus();
        QSignalSpy clicked(e.cmdOK, &QPushButton::clicked);
        Harness::key(e.txtName, Qt::Key_Return);
        QCOMPARE(e.focusWidget(), e.txtOther);
        Harness::key(e.txtOther, Qt::Key_Enter);
        QCOMPARE(e.focusWidget(), e.cmdOK);
        QCOMPARE(clicked.count(), 0);
    }

    void qtDialogDefaultsAreOff()
    {
        Entry &e = pv::form<Entry>();
        e.Show();
        e.cmdOK->setDefault(true);
        e.txtName->setFocus();
        QSignalSpy clicked(e.cmdOK, &QPushButton::clicked);
        Harness::key(e.txtName, Qt::Key_Return);
        Harness::key(e.txtName, Qt::Key_Escape);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(e.focusWidget(), e.txtName);
        QVERIFY(pv::isLoaded<Entry>());
        QVERIFY(e.isVisible());
    }

    void escClosesWhenAsked()
    {
        Entry &e = pv::form<Entry>();
        e.setEscCloses(true);
        e.Show();
        Harness::key(e.txtName, Qt::Key_Escape);
        QVERIFY(!pv::isLoaded<Entry>());
    }

    void formKeyPress_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("toControl");
        QTest::addColumn<bool>("seen");
        QTest::newRow("keys of the form itself") << false << false << true;
        QTest::newRow("control's keys without preview") << false << true << false;
        QTest::newRow("control's keys with preview") << true << true << true;
    }
    void formKeyPress()
    {
        QFETCH(bool, preview);
        QFETCH(bool, toControl);
        QFETCH(bool, seen);
        Ticker &t = pv::form<Ticker>();
        auto *box = new QLineEdit(&t);
        t.setKeyPreview(preview);
        t.Show();
        Harness::key(toControl ? static_cast<QWidget *>(box) : &t, Qt::Key_A);
        QCOMPARE(t.keys, seen ? QList<int>{'a'} : QList<int>{});
        QCOMPARE(box->text(), toControl ? QStringLiteral("a") : QString());
        Harness::key(toControl ? static_cast<QWidget *>(box) : &t, Qt::Key_Escape);
        QCOMPARE(pv::isLoaded<Ticker>(), !seen);
    }

    void apostropheRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("apostrophe only") << "'"
                                         << "";
        QTest::newRow("inside a name") << "a' OR '1'='1"
                                       << "a OR 1=1";
        QTest::newRow("Turkish letters") << "İşçi"
                                         << "İşçi";
    }
    void apostropheRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Entry &e = pv::form<Entry>();
        e.Show();
        pv::refuseKeys(e.txtName, QStringLiteral("'"));
        Harness::type(e.txtName, typed);
        QCOMPARE(e.txtName->text(), shown);
    }

    void controlKeyPressCanReplaceTheKey()
    {
        Entry &e = pv::form<Entry>();
        e.Show();
        int enters = 0;
        pv::onKeyPress(e.txtName, [&](int &k) {
            if (k == 13)
                ++enters;
            else if (k == 'a')
                k = 'A';
        });
        Harness::type(e.txtName, QStringLiteral("bab"));
        Harness::key(e.txtName, Qt::Key_Return);
        QCOMPARE(e.txtName->text(), QStringLiteral("bAb"));
        QCOMPARE(enters, 1);
    }

    // ---- services

    void clockIsFixed()
    {
        QCOMPARE(pv::Clock::today(), QDate(2026, 12, 10));
        QCOMPARE(pv::Clock::time(), QTime(10, 0, 0));
        pv::Clock::advance(90);
        QCOMPARE(pv::Clock::now(), QDateTime(QDate(2026, 12, 10), QTime(10, 1, 30)));
    }

    void timers_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("advanceMs");
        QTest::addColumn<int>("ticks");
        QTest::newRow("splash before its time") << 3000 << true << 2999 << 0;
        QTest::newRow("splash on time") << 3000 << true << 3000 << 1;
        QTest::newRow("blink") << 200 << true << 1000 << 5;
        QTest::newRow("disabled") << 200 << false << 1000 << 0;
        QTest::newRow("interval 0") << 0 << true << 1000 << 0;
    }
    void timers()
    {
        QFETCH(int, interval);
        QFETCH(bool, enabled);
        QFETCH(int, advanceMs);
        QFETCH(int, ticks);
        pv::Timer t(interval, enabled);
        QSignalSpy spy(&t, &pv::Timer::tick);
        QCOMPARE(Harness::advance(advanceMs), ticks);
        QCOMPARE(spy.count(), ticks);
        QCOMPARE(Harness::fire(t), enabled && interval > 0);
    }

    void realTimerTicks()
    {
        pv::Timer::setTestMode(false);
        pv::Timer t(10, true);
        QSignalSpy spy(&t, &pv::Timer::tick);
        QVERIFY(spy.wait(5000));
        t.setEnabled(false);
        const int ticks = spy.count();
        QTest::qWait(50);
        QCOMPARE(spy.count(), ticks);
        pv::Timer::setTestMode(true);
    }

    void timersTickInTimeOrder()
    {
        QStringList order;
        pv::Timer slow(500, true), fast(200, true);
        connect(&slow, &pv::Timer::tick, [&] { order << "500"; });
        connect(&fast, &pv::Timer::tick, [&] {
            order << "200";
            if (order.count("200") == 3)
                fast.setEnabled(false);
        });
        Harness::advance(1000);
        QCOMPARE(order, QStringList({"200", "200", "500", "200", "500"}));
    }

    void timerStoppedInItsTickOnceOnly()
    {
        Ticker &t = pv::form<Ticker>();
        Harness::advance(10000);
        QCOMPARE(t.ticks, 1);
    }

    void twips()
    {
        Parent &p = pv::form<Parent>();
        p.setClientSizeTwips(7350, 2910);
        QCOMPARE(p.size(), QSize(490, 194));
        auto *box = new QLineEdit(&p);
        pv::setGeometryTwips(box, 2040, 720, 2775, 735);
        QCOMPARE(box->geometry(), QRect(136, 48, 185, 49));
        p.centerOnScreen();
        QVERIFY(qAbs(p.frameGeometry().center().x() - p.screen()->availableGeometry().center().x()) <= 1);
        QVERIFY(qAbs(p.frameGeometry().center().y() - p.screen()->availableGeometry().center().y()) <= 1);
    }

    void programFolderAndDatabase()
    {
        QCOMPARE(pv::programFolder(), h->folder());
        QCOMPARE(pv::databasePath(), h->folder() + "/pelvanor.dll");
        QVERIFY(QFile::exists(pv::databasePath()));
        QCOMPARE(h->value("SELECT surum FROM surum").toString(), QStringLiteral("1.0.0"));
        QVERIFY(h->insert("birimler", {{"birimadi", "Koli"}}));
        QCOMPARE(h->value("SELECT count(*) FROM birimler WHERE birimadi = ?", {"koli"}).toInt(), 1);
        QVERIFY(h->exec("UPDATE birimler SET birimadi = ? WHERE birimadi = 'Koli'", {"Kasa"}));
        QCOMPARE(h->rows("SELECT birimadi FROM birimler WHERE birimadi = 'Kasa'").size(), 1);
    }

    void pickerFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("matches");
        QTest::newRow("upper pattern, lower file") << "Pelvanor Yedek Dosyası (*.YDK)|*.YDK|"
                                                   << "a.ydk" << true;
        QTest::newRow("upper pattern, upper file") << "Pelvanor Yedek Dosyası (*.YDK)|*.YDK|"
                                                   << "A.YDK" << true;
        QTest::newRow("mixed case file") << "Pelvanor (*.dll)|*.dll"
                                         << "pelvanor.Dll" << true;
        QTest::newRow("other extension") << "Pelvanor (*.dll)|*.dll"
                                         << "pelvanor.mdb" << false;
        QTest::newRow("two pairs") << "Resim|*.jpg;*.gif|Hepsi|*.*"
                                   << "x.png" << true;
        QTest::newRow("all files, a name without a dot") << "Tüm Dosyalar(*.*)|*.*"
                                                         << "BENIOKU" << true;
        QTest::newRow("all files, English") << "All Files (*.*)|*.*"
                                            << "Makefile" << true;
        QTest::newRow("a dot and a suffix still asked for") << "Metin|*.txt|"
                                                            << "txt" << false;
    }
    void pickerFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, file);
        QFETCH(bool, matches);
        QCOMPARE(pv::filterMatches(filter, file), matches);
        // What the dialog gets matches the same way, case-sensitively.
        bool byDialog = false;
        for (const QString &f : pv::qtNameFilters(filter)) {
            const QString patterns = f.mid(f.lastIndexOf('(') + 1).chopped(1);
            for (const QString &p : patterns.split(' ', Qt::SkipEmptyParts))
                byDialog |= QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                                .match(file)
                                .hasMatch();
        }
        QCOMPARE(byDialog, matches);
    }

    void pickers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("folder");
        QTest::newRow("cancel") << ""
                                << "";
        QTest::newRow("separator appended") << "/home/dukkan/Yedek"
                                            << "/home/dukkan/Yedek/";
        QTest::newRow("separator kept") << "/"
                                        << "/";
    }
    void pickers()
    {
        QFETCH(QString, answer);
        QFETCH(QString, folder);
        h->expectFolder(answer);
        QCOMPARE(pv::pickFolder(QStringLiteral("Yedeklenecek Klasörü Seçin")), folder);
        h->expectOpenFile(answer);
        QCOMPARE(
            pv::pickOpenFile(QStringLiteral("Veri Tabanı Dosyası"), QStringLiteral("Pelvanor (*.dll)|*.dll")),
            answer);
        QCOMPARE(h->pickerCalls().size(), 2);
        QCOMPARE(h->pickerCalls().first().title, QStringLiteral("Yedeklenecek Klasörü Seçin"));
        QCOMPARE(h->pickerCalls().last().filter, QStringLiteral("Pelvanor (*.dll)|*.dll"));
    }

    // The real pickers' detail view as the user reads it once the folder is in: the size,
    // type and date columns hold their heading and longest text, the name column fills the
    // rest; a column the user dragged wider stays so, when files arrive and when the
    // dialog is widened.
    void pickerColumnsHoldTheirTexts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("arriving"); // a folder entry made while the picker is open
        QTest::newRow("open file") << "open"
                                   << "BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk";
        QTest::newRow("save file") << "save"
                                   << "BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk";
        QTest::newRow("folder") << "folder"
                                << "Eski Yedekler";
    }
    void pickerColumnsHoldTheirTexts()
    {
        QFETCH(QString, kind);
        QFETCH(QString, arriving);
        QTemporaryDir folder;
        writeBackupFile(folder.filePath(QStringLiteral("yedek.ydk")));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Yedekler")));
        const int shown = kind == "folder" ? 1 : 2;
        // As on a first start: no widths kept from an earlier dialog.
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/QtProject.conf"));
        withRealPicker(kind, folder.path(), [&](QFileDialog &dlg) {
            dlg.setViewMode(QFileDialog::Detail);
            dlg.setDirectory(folder.path());
            auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
            QVERIFY(view);
            QHeaderView *header = view->header();
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), shown);
            QTRY_COMPARE(cutColumns(*view), QString());
            if (kind != "folder") { // the date as the user reads it
                const QModelIndex backup = view->model()
                                               ->match(view->model()->index(0, 0, view->rootIndex()),
                                                       Qt::DisplayRole, QStringLiteral("yedek.ydk"))
                                               .value(0);
                QCOMPARE(backup.siblingAtColumn(3).data().toString(), QStringLiteral("11.12.2026 10:11"));
            }

            // The user drags the date column's edge to the right.
            const int fitted = header->sectionSize(3);
            const int edge = header->sectionViewportPosition(3) + fitted - 1;
            const int y = header->height() / 2;
            QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
            QTest::mouseMove(header->viewport(), QPoint(edge + 60, y));
            QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 60, y));
            const int widened = header->sectionSize(3);
            QVERIFY2(widened > fitted, "the drag did not widen the date column");

            if (kind == "folder")
                QVERIFY(QDir(folder.path()).mkdir(arriving));
            else
                writeBackupFile(folder.filePath(arriving));
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), shown + 1);
            QTRY_COMPARE(cutColumns(*view), QString());
            QCOMPARE(header->sectionSize(3), widened);

            const int nameBefore = header->sectionSize(0);
            dlg.resize(dlg.width() + 300, dlg.height());
            QTRY_COMPARE(cutColumns(*view), QString());
            QCOMPARE(header->sectionSize(3), widened);
            QVERIFY(header->sectionSize(0) > nameBefore);
        });
    }

    // The restore picker on a folder of backups named as the program names them: every name
    // is drawn whole as the dialog opens, on a first start and after an earlier dialog showed
    // a file of a long type name (an .xlsx), whose column widths Qt keeps in its settings;
    // the dialog is wide enough for the names, and so it stays when the folder fills.
    void backupNamesAreDrawnWhole_data()
    {
        QTest::addColumn<bool>("afterLongType");
        QTest::newRow("first dialog") << false;
        QTest::newRow("after a dialog listing an .xlsx") << true;
    }
    void backupNamesAreDrawnWhole()
    {
        QFETCH(bool, afterLongType);
        QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/QtProject.conf"));
        if (afterLongType) {
            QTemporaryDir other;
            QFile sheet(other.filePath(QStringLiteral("f.xlsx")));
            QVERIFY(sheet.open(QIODevice::WriteOnly));
            sheet.write("PK\x03\x04", 4);
            sheet.close();
            const QString longType = QMimeDatabase().mimeTypeForFile(sheet.fileName()).comment();
            withRealPicker(
                QStringLiteral("open"), other.path(),
                [&](QFileDialog &dlg) {
                    dlg.setViewMode(QFileDialog::Detail);
                    auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
                    QVERIFY(view);
                    QTRY_COMPARE(typeShown(*view, QStringLiteral("f.xlsx")), longType);
                    QTRY_COMPARE(cutColumns(*view), QString());
                    QTRY_COMPARE(drawnNames(*view), QString());
                },
                QStringLiteral("Tüm Dosyalar(*.*)|*.*|"));
        }
        QTemporaryDir folder;
        const QStringList backups{QStringLiteral("BrennavikPelvanor_Yedek_11-12-26(15-17-42).ydk"),
                                  QStringLiteral("BrennavikPelvanor_Yedek_10-12-26(09-05-13).ydk")};
        writeBackupFile(folder.filePath(backups[0]));
        withRealPicker(QStringLiteral("open"), folder.path(), [&](QFileDialog &dlg) {
            dlg.setViewMode(QFileDialog::Detail);
            auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
            QVERIFY(view);
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
            QTRY_COMPARE(drawnNames(*view), QString());
            QTRY_COMPARE(cutColumns(*view), QString());
            // The dialog widened for the names, not for a column no one made wider.
            QCOMPARE(view->header()->sectionSize(3), columnNeeds(*view, 3));
            QVERIFY2(view->header()->length() <= view->viewport()->width(),
                     qPrintable(QStringLiteral("the view scrolls sideways: %1 of %2 pixels shown, the "
                                               "dialog is %3 wide on a screen of %4")
                                    .arg(view->viewport()->width())
                                    .arg(view->header()->length())
                                    .arg(dlg.width())
                                    .arg(dlg.screen()->availableGeometry().width())));
            writeBackupFile(folder.filePath(backups[1]));
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
            QTRY_COMPARE(drawnNames(*view), QString());
            QTRY_COMPARE(cutColumns(*view), QString());
        });
    }

    // "*.*" was written for a system where it matches every file: a file without a dot in
    // its name is listed under it too (the customer picture's picker).
    void allFilesListsNamesWithoutADot()
    {
        QTemporaryDir folder;
        for (const QString &name : {QStringLiteral("BENIOKU"), QStringLiteral("vitrin.jpg")}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        const QString filter = QStringLiteral("JPG File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp|GIF "
                                              "File(*.gif)|*.gif|Tüm Dosyalar(*.*)|*.*");
        withRealPicker(
            QStringLiteral("open"), folder.path(),
            [&](QFileDialog &dlg) {
                dlg.setViewMode(QFileDialog::Detail);
                auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
                QVERIFY(view);
                QTRY_VERIFY(!typeShown(*view, QStringLiteral("vitrin.jpg")).isEmpty());
                QVERIFY(typeShown(*view, QStringLiteral("BENIOKU")).isEmpty());
                dlg.selectNameFilter(pv::qtNameFilters(filter).constLast());
                QTRY_VERIFY(!typeShown(*view, QStringLiteral("BENIOKU")).isEmpty());
                QVERIFY(!typeShown(*view, QStringLiteral("vitrin.jpg")).isEmpty());
            },
            filter);
    }

    // Qt's print dialog opens a file picker of its own for the output file ("..."): it names
    // types as the program's pickers do and keeps names whole.
    void printDialogPickerIsTheProgramsOwn()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Yedekler")));
        writeBackupFile(folder.filePath(QStringLiteral("BrennavikPelvanor_Yedek_11-12-26(15-17-42).ydk")));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("Müşteri Listesi.pdf")));
        QPrintDialog print(&printer);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *browse = print.findChild<QAbstractButton *>(QStringLiteral("fileBrowser"));
            QTimer::singleShot(0, [&] {
                auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dlg)
                    return;
                seen = true;
                const auto close = qScopeGuard([dlg] { dlg->reject(); }); // whatever the checks find
                dlg->setViewMode(QFileDialog::Detail);
                auto *view = dlg->findChild<QTreeView *>(QStringLiteral("treeView"));
                QVERIFY(view);
                QTRY_COMPARE(typeShown(*view, QStringLiteral("Yedekler")), QStringLiteral("Klasör"));
                QTRY_COMPARE(drawnNames(*view), QString());
                QTRY_COMPARE(cutColumns(*view), QString());
            });
            if (browse && browse->isEnabled())
                browse->click();
            print.reject();
        });
        print.exec();
        QVERIFY2(seen, "the print dialog's file picker was not shown");
    }

    // The type column speaks Turkish where Qt's Turkish catalogue has nothing: a folder
    // picker names a subfolder "Klasör", and "/" under "Bilgisayar" "Sürücü"; the column
    // holds them.
    void folderPickerTypesAreTurkish()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Yedekler")));
        withRealPicker(QStringLiteral("folder"), folder.path(), [&](QFileDialog &dlg) {
            dlg.setViewMode(QFileDialog::Detail);
            dlg.setDirectory(folder.path());
            auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
            QVERIFY(view);
            QTRY_COMPARE(typeShown(*view, QStringLiteral("Yedekler")), QStringLiteral("Klasör"));
            QTRY_COMPARE(cutColumns(*view), QString());
            dlg.setDirectory(QString()); // where the folder list's "Bilgisayar" leads
            QTRY_COMPARE(typeShown(*view, QStringLiteral("/")), QStringLiteral("Sürücü"));
            QTRY_COMPARE(cutColumns(*view), QString());
        });
    }

    // Qt's other type texts, on entries an open-file picker lists once it shows all files,
    // system ones too; and a file whose type the system's MIME database names only in
    // English, which is then named by its suffix. The type column widens to them when they
    // appear.
    void pickerTypesAreTurkish_data()
    {
        QTest::addColumn<QString>("name");
        // "folder", "link to folder", "link to nothing", "pipe", else a file's content
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("english"); // the MIME database's name, checked to be English
        QTest::addColumn<QString>("type");
        QTest::newRow("folder") << "Yedekler"
                                << "folder"
                                << ""
                                << "Klasör";
        QTest::newRow("link to a folder") << "Son Yedekler"
                                          << "link to folder"
                                          << ""
                                          << "Klasör";
        QTest::newRow("link to nothing") << "Eski Yedek.ydk"
                                         << "link to nothing"
                                         << ""
                                         << "Kısayol";
        QTest::newRow("pipe") << "kanal"
                              << "pipe"
                              << ""
                              << "Bilinmeyen";
        QTest::newRow("English-only type, suffix") << "ayar.toml"
                                                   << "a = 1\n"
                                                   << "TOML document"
                                                   << "TOML dosyası";
        QTest::newRow("English-only type, no suffix") << "başlatıcı"
                                                      << "[Desktop Entry]\nName=Pelvanor\n"
                                                      << "desktop entry"
                                                      << "Dosya";
    }
    void pickerTypesAreTurkish()
    {
        QFETCH(QString, name);
        QFETCH(QString, made);
        QFETCH(QString, english);
        QFETCH(QString, type);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        const QString target = folder.filePath(QStringLiteral("Yedekler"));
        if (made == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (made == "link to folder") {
            QVERIFY(QDir().mkdir(target));
            QVERIFY(QFile::link(target, path));
        } else if (made == "link to nothing") {
            QVERIFY(QFile::link(target, path));
        } else if (made == "pipe") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(made.toUtf8());
        }
        if (!english.isEmpty()) {
            const QString named = QMimeDatabase().mimeTypeForFile(path).comment();
            if (named != english)
                QSKIP(qPrintable(QStringLiteral("the MIME database names it '%1' now").arg(named)));
        }
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Arşiv")));
        withRealPicker(QStringLiteral("open"), folder.path(), [&](QFileDialog &dlg) {
            dlg.setViewMode(QFileDialog::Detail);
            dlg.setFilter(dlg.filter() | QDir::System);
            auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
            QVERIFY(view);
            QTRY_COMPARE(typeShown(*view, QStringLiteral("Arşiv")), QStringLiteral("Klasör"));
            QTRY_COMPARE(cutColumns(*view), QString());
            // The user picks the type list's entry for all files: the entry appears and its
            // type fits too.
            dlg.setNameFilter(QStringLiteral("Tüm Dosyalar (*)"));
            QTRY_COMPARE(typeShown(*view, name), type);
            QTRY_COMPARE(cutColumns(*view), QString());
        });
    }

    // The dialogs keep their history and column widths in the test's own settings folder,
    // never in the user's.
    void pickerSettingsStayOutOfTheUsersFolder()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY2(!config.isEmpty(), "XDG_CONFIG_HOME is not set: the pickers write the user's settings");
        const QString own = QDir::cleanPath(QDir(config).absolutePath());
        const QString home = QDir::cleanPath(QDir::homePath());
        const QString build = QDir::cleanPath(qEnvironmentVariable("PV_BIN_DIR") + QStringLiteral("/.."));
        QVERIFY2(own != home && !own.startsWith(home + QStringLiteral("/.config")), qPrintable(own));
        QVERIFY2(own.startsWith(build + QLatin1Char('/')),
                 qPrintable(own + QStringLiteral(" not in ") + build));
        const QString conf = own + QStringLiteral("/QtProject.conf");
        QFile::remove(conf);
        QTemporaryDir folder;
        withRealPicker(QStringLiteral("open"), folder.path(), [](QFileDialog &) {});
        QVERIFY(QFile::exists(conf));
    }

    void launcherFake()
    {
        QVERIFY(pv::startProgram(QStringLiteral("bvRepair.exe")));
        h->setLaunchResult(false);
        QVERIFY(!pv::startProgram(QStringLiteral("Pelvanor.EXE")));
        QVERIFY(!pv::startProgram(QStringLiteral("../bvRepair")));
        QCOMPARE(h->launches(), QStringList({h->folder() + "/bvRepair", h->folder() + "/Pelvanor"}));
    }

    void launcherStartsOnlyOurOwnPrograms_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sibling");
        QTest::addColumn<bool>("started");
        QTest::newRow("sibling present") << "bvRepair.exe" << true << true;
        QTest::newRow("sibling without .exe") << "bvRepair" << true << true;
        QTest::newRow("missing: search path and current folder not used") << "bvRepair.exe" << false << false;
        QTest::newRow("not a bare name") << "sub/bvRepair" << true << false;
        QTest::newRow("other program missing") << "bvupdate.exe" << true << false;
    }
    void launcherStartsOnlyOurOwnPrograms()
    {
        QFETCH(QString, name);
        QFETCH(bool, sibling);
        QFETCH(bool, started);
        pv::setLaunchHandler({});
        // A foreign program of the same name on the search path and in the current folder.
        QTemporaryDir foreign;
        const QString marker = h->folder() + "/started";
        auto writeScript = [&](const QString &path, const QString &who) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QStringLiteral("#!/bin/sh\necho %1 > '%2'\n").arg(who, marker).toUtf8());
            f.close();
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
        };
        writeScript(foreign.path() + "/bvRepair", "foreign");
        writeScript(foreign.path() + "/bvRepair.exe", "foreign");
        QDir().mkpath(h->folder() + "/sub");
        if (sibling) {
            writeScript(h->folder() + "/bvRepair", "ours");
            writeScript(h->folder() + "/sub/bvRepair", "sub");
        }
        const QByteArray oldPath = qgetenv("PATH");
        const QString oldCwd = QDir::currentPath();
        qputenv("PATH", foreign.path().toLocal8Bit() + ":" + oldPath);
        QDir::setCurrent(foreign.path());
        const bool ok = pv::startProgram(name);
        qputenv("PATH", oldPath);
        QDir::setCurrent(oldCwd);
        QCOMPARE(ok, started);
        if (started) {
            // The shell creates the marker before it writes into it: wait for its text.
            QTRY_COMPARE_WITH_TIMEOUT(pv::test::fileBytes(marker).trimmed(), QByteArray("ours"), 20000);
        } else {
            QTest::qWait(200);
            QVERIFY(!QFile::exists(marker));
        }
    }

    void singleInstanceAcrossProcesses()
    {
        // A second process holds the lock for this folder.
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-instance", h->folder()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
        QVERIFY(pv::anotherInstanceRunning());

        // A third one is refused as well.
        QProcess third;
        third.start(QCoreApplication::applicationFilePath(), {"--hold-instance", h->folder()});
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.readAllStandardOutput().trimmed(), QByteArray("refused"));

        holder.closeWriteChannel(); // lets it end
        QVERIFY(holder.waitForFinished(10000));
        // Now this process takes it, and keeps it: a second check here (a restore running
        // start-up again) does not count itself.
        QVERIFY(!pv::anotherInstanceRunning());
        QVERIFY(!pv::anotherInstanceRunning());
        QProcess fourth;
        fourth.start(QCoreApplication::applicationFilePath(), {"--hold-instance", h->folder()});
        QVERIFY(fourth.waitForFinished(10000));
        QCOMPARE(fourth.readAllStandardOutput().trimmed(), QByteArray("refused"));
    }

    void instanceOfAnotherFolderDoesNotCount()
    {
        QProcess holder;
        QTemporaryDir other;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-instance", other.path()});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(!pv::anotherInstanceRunning());
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
    }

    void programEndRunsNoWindowHandlers()
    {
        static int hookRuns = 0;
        static const bool added = (pv::addProgramEndHook([] { ++hookRuns; }), true);
        Q_UNUSED(added);
        hookRuns = 0;
        Callee &c = pv::form<Callee>();
        c.Show();
        h->onModal<Entry>([&](Entry &) { pv::endProgram(); });
        journal().clear();
        pv::form<Entry>().Show(pv::Form::Modal); // the end leaves the modal wait
        QVERIFY(h->programEnded());
        QCOMPARE(hookRuns, 1);
        QCOMPARE(journal().filter("Unload"), QStringList());
        QVERIFY(!pv::isLoaded<Callee>());
        QVERIFY(!pv::isLoaded<Entry>());
        h->settle();
        QVERIFY(pv::loadedForms().isEmpty());
    }

    void programEndInARealRun()
    {
        // The real end: in a process of its own, from inside a window's handler.
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--end-program", h->folder()});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(out.contains("begun"), out.constData());
        QVERIFY2(!out.contains("unload"), out.constData()); // no window handler ran
        QVERIFY2(!out.contains("after"), out.constData());  // nothing after the end ran
        QCOMPARE(h->value("SELECT count(*) FROM birimler WHERE birimadi = 'Yarım'").toInt(), 0);
        QVERIFY(!QFile::exists(h->databasePath() + "-journal"));
    }

    void lastFormUnloadedEndsTheEventLoop()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--last-form", h->folder()});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("message box closed\nloop ended"));
    }

    void programEndLeavesNoHalfWrite()
    {
        Poster &p = pv::form<Poster>();
        QVERIFY(p.db.inTransaction());
        pv::endProgram();
        h->settle();
        QVERIFY(!pv::isLoaded<Poster>());
        QCOMPARE(h->value("SELECT count(*) FROM birimler WHERE birimadi = 'Yarım'").toInt(), 0);
        QVERIFY(h->exec("BEGIN EXCLUSIVE; COMMIT;")); // nobody holds the file any more
    }
};

// Helper mode for the real program end: a window holding a transaction open, another
// with an unload handler, and the end called from inside a handler.
static int endInARealRun(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    pv::form<Noisy>().Show();
    pv::form<Poster>().Show();
    std::puts(pv::form<Poster>().db.inTransaction() ? "begun" : "no transaction");
    std::fflush(stdout);
    QTimer::singleShot(0, &pv::form<Poster>(), [] {
        pv::endProgram();
        std::puts("after");
    });
    app.exec();
    std::puts("after");
    return 5;
}

// Helper mode: the event loop ends when the last form is unloaded, even after a message
// box was the last window to close.
static int lastForm(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pv::setProgramFolder(QString::fromLocal8Bit(argv[2]));
    pv::form<Parent>().Show();
    QTimer::singleShot(0, [] {
        QTimer::singleShot(0, [] {
            if (auto *box = QApplication::activeModalWidget())
                box->close();
        });
        pv::MsgBox(QStringLiteral("Bilgi"));
        std::puts("message box closed");
        pv::Unload(pv::form<Parent>());
    });
    QTimer::singleShot(10000, [] {
        std::puts("still running");
        QCoreApplication::exit(1);
    });
    const int rc = app.exec();
    std::puts(rc == 0 ? "loop ended" : "loop stopped by the guard");
    std::fflush(stdout);
    return rc;
}

int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--hold-instance")
        return pv::test::holdInstance(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--end-program")
        return endInARealRun(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--last-form")
        return lastForm(argc, argv);
    pv::useTurkishAsMachineLocale(); // as the program starts: the pickers' dates in Turkish
    QApplication app(argc, argv);
    TestForms t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_forms.moc"
