// How the program looks and behaves at its edges, seen as a user sees it: caption
// spacing, disabled buttons, the close box, the backup folder, the calculator, and the
// controls created by class name.
#include "app/accounts/CariToplu.h"
#include "app/accounts/veresiye2.h"
#include "app/admin/CopyFile.h"
#include "app/admin/CopyOto.h"
#include "app/bank/Banka2.h"
#include "app/cashbook/kasa.h"
#include "app/shell/frmAlert.h"
#include "app/shell/veresiye.h"
#include "app/ui/Kit.h"
#include "controls/button/ButtonPaint.h"
#include "controls/button/ButtonPrimitives.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "controls/progressbar/QuorvelXPProgressBar.h"
#include "database/DbScripts.h"
#include "platform/components/ClassRegistry.h"
#include "platform/components/Twips.h"
#include "platform/data/ProgramDatabase.h"
#include "platform/forms/Program.h"
#include "tests/harness/Harness.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <dlfcn.h>

using pv::test::Harness;
using pv::test::listedToday;

namespace
{

veresiye &mainWindow()
{
    veresiye &m = pv::form<veresiye>();
    m.Show();
    Harness::settle();
    return m;
}

// The number of pixels of one colour in the widget as it is painted on the screen.
int pixelsOf(QWidget *w, QRgb colour)
{
    const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

QRgb greyText()
{
    return BrennavikBtn::toQRgb(
        BrennavikBtn::TranslateColor(BrennavikBtn::sysColor(BrennavikBtn::COLOR_GRAYTEXT)));
}

// The runs of ink columns of img between fromX and toX.
QList<QPair<int, int>> inkRuns(const QImage &img, QRgb ink, int fromX, int toX)
{
    return pv::test::inkRuns(img, QRect(fromX, 0, toX - fromX, img.height()),
                             [ink](QRgb p) { return (p & 0xFFFFFF) == (ink & 0xFFFFFF); });
}

QString runsOf(const QList<QPair<int, int>> &runs)
{
    QStringList out;
    for (const auto &[first, last] : runs)
        out << QStringLiteral("%1..%2").arg(first).arg(last);
    return out.join(QLatin1Char(','));
}

// The six letters of the caption stand at equal gaps, each as wide as the others: a
// Turkish letter between its base letters ("I İ I İ I İ") takes the base letter's room
// and stands where it does.
void checkEvenLetters(const QList<QPair<int, int>> &runs, const QString &caption)
{
    const QString what = caption + QStringLiteral(": ") + runsOf(runs);
    QVERIFY2(runs.size() == 6, qPrintable(what));
    for (int i = 1; i < runs.size(); ++i) {
        QVERIFY2(runs[i].first - runs[i - 1].first == runs[1].first - runs[0].first, qPrintable(what));
        QVERIFY2(runs[i].second - runs[i].first == runs[0].second - runs[0].first, qPrintable(what));
    }
}

// A control library's own DllCanUnloadNow (all three export the name), found through
// the library that holds a symbol of it.
using CanUnload = int (*)();
CanUnload canUnloadOf(const void *symbolInLibrary)
{
    Dl_info info{};
    if (!dladdr(symbolInLibrary, &info) || !info.dli_fname)
        return nullptr;
    void *lib = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!lib)
        return nullptr;
    auto *fn = reinterpret_cast<CanUnload>(dlsym(lib, "DllCanUnloadNow"));
    dlclose(lib); // the program keeps it loaded
    return fn;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    // "Hesap Makinesi" starts the first desktop calculator found on the search path.
    void calculatorFoundOnThePath_data()
    {
        QTest::addColumn<QStringList>("installed"); // fake programs in the only PATH folder
        QTest::addColumn<QString>("started");       // "" for none
        QTest::newRow("gnome first") << QStringList{"xcalc", "gnome-calculator", "kcalc"}
                                     << "gnome-calculator";
        QTest::newRow("kcalc before galculator") << QStringList{"galculator", "kcalc"} << "kcalc";
        QTest::newRow("galculator") << QStringList{"galculator", "mate-calc"} << "galculator";
        QTest::newRow("mate-calc") << QStringList{"xcalc", "mate-calc"} << "mate-calc";
        QTest::newRow("xcalc") << QStringList{"xcalc"} << "xcalc";
        QTest::newRow("none") << QStringList{"calc", "calc.exe"} << "";
    }
    void calculatorFoundOnThePath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, started);
        Harness h;
        addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listedToday());
        QTemporaryDir bin;
        for (const QString &name : installed) {
            QFile f(bin.path() + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.close();
            f.setPermissions(f.permissions() | QFileDevice::ExeUser);
        }
        // A calculator beside the program no longer counts.
        QFile sibling(h.folder() + QStringLiteral("/calc"));
        QVERIFY(sibling.open(QIODevice::WriteOnly));
        sibling.close();
        sibling.setPermissions(sibling.permissions() | QFileDevice::ExeUser);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        veresiye2 &w = pv::form<veresiye2>();
        w.Text10 = QStringLiteral("1");
        w.txtYetki = QStringLiteral("0");
        w.Show();
        h.settle();
        if (started.isEmpty())
            h.expectMsgBox(QStringLiteral("Hesap makinesi bulunamadı."), pv::vbCritical,
                           QStringLiteral("Hata"));
        h.click(w.VornXPButton2);
        qputenv("PATH", oldPath);
        if (started.isEmpty())
            QVERIFY(h.launches().isEmpty());
        else
            QCOMPARE(h.launches(), QStringList{bin.path() + QLatin1Char('/') + started});
        QVERIFY(w.isVisible());
    }

    // The title bar's close box of the main window leaves as " Kapat" does.
    void closeBoxLeavesLikeKapat_data()
    {
        QTest::addColumn<QString>("switchText");
        QTest::newRow("automatic backup on") << "1";
        QTest::newRow("automatic backup off") << "0";
    }
    void closeBoxLeavesLikeKapat()
    {
        QFETCH(QString, switchText);
        Harness h;
        addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listedToday());
        h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek = '', oto_yedek_aktif = ?"), {switchText});
        veresiye &m = mainWindow();
        pv::form<frmAlert>().Show(pv::Form::Modeless); // the alert open as well
        h.settle();
        const bool backup = switchText == QLatin1String("1");
        const QString expected = QDir::toNativeSeparators(h.folder() + QStringLiteral("/Yedekler/")) +
                                 QStringLiteral("BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk");
        if (backup)
            h.expectMsgBox(expected + QStringLiteral("\n\n Klasörüne Yedeklendi."));
        m.close(); // the close box
        h.settle();
        QVERIFY(h.programEnded());
        QCOMPARE(QFile::exists(expected), backup);
        QVERIFY(pv::loadedForms().isEmpty());
    }

    // With no backup folder set, the backup goes to "Yedekler" beside the database, the
    // window shows it, and the message names the whole path.
    void backupFolderBesideTheDatabase_data()
    {
        QTest::addColumn<QString>("typed"); // what the user leaves in the box; "" keeps the proposal
        QTest::addColumn<QString>("file");  // where the copy lands, under the program folder
        QTest::newRow("proposed name") << ""
                                       << "Yedekler/BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk";
        QTest::newRow("bare name typed") << "elle.ydk"
                                         << "Yedekler/elle.ydk";
    }
    void backupFolderBesideTheDatabase()
    {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        Harness h;
        const QString yedekler = h.folder() + QStringLiteral("/Yedekler");
        QVERIFY(!QFileInfo::exists(yedekler));
        const QString expected = QDir::toNativeSeparators(h.folder() + QLatin1Char('/') + file);
        bool checked = false;
        h.onModal<CopyFile>([&](CopyFile &c) {
            QCOMPARE(c.Destinationpath->text(),
                     QDir::toNativeSeparators(
                         yedekler + QStringLiteral("/BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk")));
            QVERIFY(QFileInfo(yedekler).isDir()); // made when missing
            if (!typed.isEmpty()) {
                c.Destinationpath->clear();
                h.type(c.Destinationpath, typed);
            }
            h.expectMsgBox(expected + QStringLiteral("  KLASÖRÜNE DOSYA YEDEKLENDİ"), pv::vbInformation,
                           QStringLiteral("BİLGİ"));
            h.click(c.Copy);
            QCOMPARE(c.Destinationpath->text(), expected);
            checked = true;
            h.click(c.VornXPButton3);
        });
        CopyFile &c = pv::form<CopyFile>();
        c.txtSurucu = QString(); // no folder set
        c.Show(pv::Form::Modal);
        h.settle();
        QVERIFY(checked);
        QVERIFY(pv::isProgramDatabase(QDir::fromNativeSeparators(expected), pv::schemaSql()));
    }

    void automaticBackupFolderBesideTheDatabase()
    {
        Harness h;
        h.exec(QStringLiteral("UPDATE dgrayr SET oto_yedek = NULL, oto_yedek_aktif = 1"));
        const QString expected = QDir::toNativeSeparators(
            h.folder() + QStringLiteral("/Yedekler/BrennavikPelvanor_Yedek_10-12-26(10-00-00).ydk"));
        h.expectMsgBox(expected + QStringLiteral("\n\n Klasörüne Yedeklendi."));
        exitWithAutomaticBackup(QStringLiteral("1"), nullptr);
        QVERIFY(h.programEnded());
        QVERIFY(pv::isProgramDatabase(QDir::fromNativeSeparators(expected), pv::schemaSql()));
    }

    // The restore picker opens where the backups are.
    void restorePickerOpensInTheBackupFolder_data()
    {
        QTest::addColumn<bool>("folderSet");
        QTest::newRow("no folder set") << false;
        QTest::newRow("folder set") << true;
    }
    void restorePickerOpensInTheBackupFolder()
    {
        QFETCH(bool, folderSet);
        Harness h;
        const QString set = h.folder() + QStringLiteral("/baska/");
        QDir().mkpath(set);
        CopyFile &c = pv::form<CopyFile>();
        c.txtAlert = QStringLiteral("11");
        c.txtSurucu = folderSet ? QDir::toNativeSeparators(set) : QString();
        c.Show(pv::Form::Modeless);
        h.settle();
        h.expectOpenFile(QString());
        h.click(c.MyButton3);
        QCOMPARE(h.pickerCalls().size(), 1);
        QCOMPARE(h.pickerCalls().constFirst().folder,
                 QDir::toNativeSeparators(folderSet ? set : h.folder() + QStringLiteral("/Yedekler/")));
        pv::Unload(c);
    }

    // All three controls take their name and place from the design bag when created by
    // class name.
    void createdByClassNameWithNameAndPlace_data()
    {
        QTest::addColumn<QString>("className");
        QTest::newRow("button") << "BrennavikBtn.BvButton";
        QTest::newRow("frame") << "FendrixonFrame.FrameFendrixon";
        QTest::newRow("progress bar") << "ProgressBar.QuorvelXPProgressBar";
    }
    void createdByClassNameWithNameAndPlace()
    {
        QFETCH(QString, className);
        Harness h;
        QWidget form;
        pv::PropertyBag bag;
        bag.set(QStringLiteral("Name"), QStringLiteral("Control7"));
        bag.set(QStringLiteral("Left"), 300);
        bag.set(QStringLiteral("Top"), 450);
        bag.set(QStringLiteral("Width"), 1500);
        bag.set(QStringLiteral("Height"), 600);
        std::unique_ptr<QWidget> w(pv::ClassRegistry::instance().create(className, &form, bag));
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("Control7"));
        QCOMPARE(w->geometry(), QRect(20, 30, 100, 40));
    }

    // The 220-twip minimum holds for every size set, shown or not.
    void buttonMinimumSize_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("byFactory");
        QTest::newRow("hidden, set") << false << false;
        QTest::newRow("shown, set") << true << false;
        QTest::newRow("hidden, by class name") << false << true;
    }
    void buttonMinimumSize()
    {
        QFETCH(bool, shown);
        QFETCH(bool, byFactory);
        Harness h;
        QWidget form;
        if (shown)
            form.show();
        BvButton *b = nullptr;
        std::unique_ptr<QWidget> owned;
        if (byFactory) {
            pv::PropertyBag bag;
            bag.set(QStringLiteral("Width"), 100);
            bag.set(QStringLiteral("Height"), 219);
            owned.reset(
                pv::ClassRegistry::instance().create(QStringLiteral("BrennavikBtn.BvButton"), &form, bag));
            b = qobject_cast<BvButton *>(owned.get());
        } else {
            b = new BvButton(&form);
            owned.reset(b);
            b->setWidth(100);
            b->setHeight(219);
        }
        QVERIFY(b);
        QCOMPARE(b->Width(), 220);
        QCOMPARE(b->Height(), 220);
        b->setHeight(221); // above the minimum: kept as set
        QCOMPARE(b->Height(), 221);
    }

    void buttonAboutGivesItsVersion()
    {
        Harness h;
        BvButton b;
        QString text, title;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            title = box->windowTitle();
            box->accept();
        });
        b.About();
        QCOMPARE(title, QStringLiteral("About"));
        QVERIFY2(text.section(QLatin1Char('\n'), 0, 0).endsWith(QLatin1String(" 1.02")), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('\n')), 4); // five lines
    }

    // Each library may go only while none of its controls lives.
    void librariesCanUnloadOnlyWithoutInstances()
    {
        Harness h;
        const QList<QPair<CanUnload, std::function<QWidget *()>>> libs = {
            {canUnloadOf(reinterpret_cast<const void *>(&BvButton::instanceCount)),
             [] { return new BvButton(nullptr); }},
            {canUnloadOf(reinterpret_cast<const void *>(&FrameFendrixon::instanceCount)),
             [] { return new FrameFendrixon(nullptr, QStringLiteral("Frame1")); }},
            {canUnloadOf(reinterpret_cast<const void *>(&QuorvelXPProgressBar::instanceCount)),
             [] { return new QuorvelXPProgressBar(nullptr); }},
        };
        for (const auto &[canUnload, make] : libs) {
            QVERIFY(canUnload);
            QCOMPARE(canUnload(), 0);
            {
                std::unique_ptr<QWidget> alive(make());
                QCOMPARE(canUnload(), 1);
            }
            QCOMPARE(canUnload(), 0);
        }
        // The three answers come from three libraries.
        QVERIFY(libs[0].first != libs[1].first && libs[1].first != libs[2].first);
    }

    // Six equal letters stand at equal gaps on a button and on a frame header, and so do
    // the Turkish letters between their base letters, in both weights the windows use.
    void captionLettersEvenlySpaced_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        for (const double points : {8.0, 10.0, 12.0})
            for (const bool bold : {false, true})
                QTest::addRow("%g pt%s", points, bold ? " bold" : "") << points << bold;
    }
    void captionLettersEvenlySpaced()
    {
        QFETCH(double, points);
        QFETCH(bool, bold);
        Harness h;
        QWidget form;
        form.resize(400, 200);
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPointSizeF(points);
        tahoma.setBold(bold);

        auto *b = new BvButton(&form);
        b->setButtonStyle(BrennavikBtn::eFlat);
        b->setFont(tahoma);
        b->Move(0, 0, 3000, 600);
        auto *f = new FrameFendrixon(&form, QStringLiteral("Frame1"));
        f->setFont(tahoma);
        f->setSizeTwips(4500, 2000);
        form.show();
        f->show();
        // Bold round letters touch their neighbours at some sizes: the pairs stand apart.
        for (const char *caption : {"mmmmmm", "I İ I İ I İ", "C Ç C Ç C Ç", "G Ğ G Ğ G Ğ", "O Ö O Ö O Ö",
                                    "S Ş S Ş S Ş", "U Ü U Ü U Ü", "c ç c ç c ç", "g ğ g ğ g ğ", "i ı i ı i ı",
                                    "o ö o ö o ö", "s ş s ş s ş", "u ü u ü u ü"}) {
            const QString text = QString::fromUtf8(caption);
            b->setCaption(text);
            const QImage face = b->surface();
            checkEvenLetters(inkRuns(face, BrennavikBtn::toQRgb(0), 0, face.width()), text);

            f->setCaption(text);
            const QImage &header = f->headerImage();
            QVERIFY(!header.isNull());
            // The caption stands at the left; the pin and chevron glyphs at the right.
            checkEvenLetters(inkRuns(header, FrameFendrixon::toRgb(f->ForeColor()), 0, header.width() / 2),
                             text);
        }
    }

    // Every date picker of every window takes the one range of days the date boxes take,
    // so that a range picker reaches every day a box or the bank posting can save.
    void datePickersTakeTheOneRange_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("pickers");
        QTest::newRow("main window") << "veresiye" << QStringList{"ilk"};
        QTest::newRow("cash book") << "kasa" << QStringList{"ilk", "son"};
        QTest::newRow("bank movements") << "Banka2" << QStringList{"ilk", "ilk2", "son", "son2", "xpText1"};
        QTest::newRow("account window")
            << "veresiye2" << QStringList{"ilk", "son", "txtSozTarih", "txtTeslimTarih"};
    }
    void datePickersTakeTheOneRange()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, pickers);
        Harness h;
        addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listedToday());
        pv::Form *w = window == QLatin1String("veresiye") ? static_cast<pv::Form *>(&pv::form<veresiye>())
                      : window == QLatin1String("kasa")   ? static_cast<pv::Form *>(&pv::form<kasa>())
                      : window == QLatin1String("Banka2") ? static_cast<pv::Form *>(&pv::form<Banka2>())
                                                          : static_cast<pv::Form *>(&pv::form<veresiye2>());
        // The contract's pickers come with its panel, opened by its command, and the range's
        // with the range.
        if (auto *account = qobject_cast<veresiye2 *>(w)) {
            Harness::click(account->cariToplu->btnSozlesme);
            account->buildRange();
        }
        QStringList found;
        for (QDateEdit *d : w->findChildren<QDateEdit *>()) {
            found << d->objectName();
            QCOMPARE(d->minimumDate(), QDate(1900, 1, 1));
            QCOMPARE(d->maximumDate(), QDate(2099, 12, 31));
            // A year typed short of four digits cannot take the picker out of the range.
            const QSignalBlocker quiet(d);
            d->setDate(QDate(226, 12, 10));
            QCOMPARE(d->date(), QDate(1900, 1, 1));
        }
        found.sort();
        QCOMPARE(found, pickers);
    }

    void gridScrollBarsLookAsDrawn_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("rows");
        QTest::newRow("tall, many rows") << QSize(300, 420) << 10000;
        QTest::newRow("short, few rows") << QSize(260, 90) << 12;
        QTest::newRow("tall, a screen and a half") << QSize(300, 420) << 30;
    }
    // A grid's scroll bars are copied from images of their looks: each look, the first time
    // and taken again, and after a scroll, the window's colour beneath.
    void gridScrollBarsLookAsDrawn()
    {
        QFETCH(QSize, size);
        QFETCH(int, rows);
        QStandardItemModel model(rows, 40);
        QWidget window;
        QPalette red = window.palette();
        red.setColor(QPalette::Window, Qt::red);
        window.setPalette(red);
        QTableView drawn(&window);
        QTableView copied(&window);
        ui::scrollBarsFromImages(&copied);
        for (QTableView *grid : {&drawn, &copied}) {
            grid->setModel(&model);
            grid->resize(size);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto same = [&](const char *when) {
            for (auto bar :
                 {&QAbstractScrollArea::verticalScrollBar, &QAbstractScrollArea::horizontalScrollBar}) {
                QScrollBar *a = (drawn.*bar)();
                QScrollBar *b = (copied.*bar)();
                QVERIFY2(b->style() != a->style(), when);
                QVERIFY2(a->grab().toImage() == b->grab().toImage(), when);
            }
        };
        same("first");
        same("again");
        for (QTableView *grid : {&drawn, &copied}) {
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
            grid->horizontalScrollBar()->setValue(3);
        }
        same("scrolled");
        for (QTableView *grid : {&drawn, &copied})
            grid->setEnabled(false);
        same("disabled");
    }

    void disabledButtonsRepaint()
    {
        Harness h;
        addCustomer(h, QStringLiteral("1"), QStringLiteral("Ali"), listedToday());
        veresiye &m = mainWindow();
        const QRgb grey = greyText();
        QVERIFY(pixelsOf(m.BvButton3, grey) > 0);
        QCOMPARE(pixelsOf(m.KasaBtn, grey), 0);
        h.click(m.VornXPButton1);
        h.settle();
        QVERIFY(pixelsOf(m.KasaBtn, grey) > 0);
        QVERIFY(pixelsOf(m.BvButton3, grey) > 0);
        h.click(m.VornXPButton7);
        h.settle();
        QCOMPARE(pixelsOf(m.KasaBtn, grey), 0);
        QVERIFY(pixelsOf(m.BvButton3, grey) > 0);
    }
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
