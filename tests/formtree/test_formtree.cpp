// The widget-tree record: every window and panel state of tests/windows, as the user sees
// it, written to a text form and drawn to an image, each compared with the record kept
// under tests/formtree/. It guards moving window layouts from code into form files (and
// any other change meant to leave the windows as they are): a difference in any control's
// class, name, place, stacking, state, text, font, colours, design properties, tab order
// or connected handlers fails, and so does one pixel of the drawn window.
//
// The text form, per window: its caption, size, position, flags and modality, then every
// widget below it depth first (children in stacking order, bottom first) with geometry in
// pixels, visible/enabled, text, font, alignment, read-only, echo mode, tool tip, the
// palette colours set on it, style sheet, combo items, a custom control's design as its
// WriteProperties bag, and the receivers of each signal that has any; last the tab order.
// Nothing in it depends on the run (no addresses, floats printed with fixed decimals).
// A bar that scrolls by itself on a real-time timer is left out (its value, and its
// place in the image painted over). The text cursor is drawn steadily (no blinking) so that the image does
// not depend on when the blink timer last fired.
//
// Records: tests/formtree/records/<state>.txt and tests/formtree/images/<state>.png.
//   Compare (part of the suite):  ctest --test-dir build -R test_formtree
//   Record again, after a change that is meant to alter windows:
//       PV_RECORD_FORMS=1 ctest --test-dir build -R test_formtree
//   then look at `git diff tests/formtree` before committing it.
// On a difference the failure names the actual text, the actual image and a diff image
// (differing pixels red) written to a temporary folder.
//
// The form dump: PV_DUMP_FORMS=<folder> writes, for every state, the window's controls as
// a form file of the form loader (<folder>/<state>.form.json), read from the live widget
// tree; it is how a window's layout is moved into its form file.
#include "tests/formtree/FormTree.h"
#include "tests/windows/Windows.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

using pv::test::Harness;

namespace
{

QString slug(const char *name)
{
    QString s;
    for (const QChar c : QString::fromUtf8(name).toLower())
        s += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return s;
}

QString sourceFolder()
{
    return qEnvironmentVariable("PV_SOURCE_DIR") + QStringLiteral("/tests/formtree");
}

bool recording()
{
    return qEnvironmentVariableIntValue("PV_RECORD_FORMS") != 0;
}

QString failFolder()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/pv-formtree");
    QDir().mkpath(dir);
    return dir;
}

// The differing pixels red over a pale copy of the recorded image.
QImage diffImage(const QImage &recorded, const QImage &actual)
{
    const QSize size = recorded.size().expandedTo(actual.size());
    QImage out(size, QImage::Format_ARGB32);
    out.fill(Qt::white);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const bool inA = recorded.rect().contains(x, y), inB = actual.rect().contains(x, y);
            const QRgb a = inA ? recorded.pixel(x, y) : 0, b = inB ? actual.pixel(x, y) : 0;
            if (inA != inB || a != b)
                out.setPixel(x, y, qRgb(255, 0, 0));
            else
                out.setPixel(x, y, qRgb(128 + qGray(a) / 2, 128 + qGray(a) / 2, 128 + qGray(a) / 2));
        }
    return out;
}

// The program folder is a new temporary folder each run: where a box or caption shows it,
// it is shown as one fixed name (signals held, so the window does not react).
void fixFolderName(QWidget *window, const QString &folder)
{
    const QString fixed = QStringLiteral("/tmp/pv-program");
    for (QLineEdit *e : window->findChildren<QLineEdit *>())
        if (e->text().contains(folder)) {
            const QSignalBlocker hold(e);
            e->setText(QString(e->text()).replace(folder, fixed));
        }
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->text().contains(folder))
            l->setText(QString(l->text()).replace(folder, fixed));
}

} // namespace

class TestFormTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A steady caret: the blink timer would make two grabs of one window differ.
        QApplication::setCursorFlashTime(0);
        QVERIFY2(!qEnvironmentVariable("PV_SOURCE_DIR").isEmpty(), "PV_SOURCE_DIR is set by ctest");
    }

    void windowsAreAsRecorded_data()
    {
        QTest::addColumn<int>("index");
        const QList<pv::test::Window> all = pv::test::windows();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name) << i;
    }
    void windowsAreAsRecorded()
    {
        QFETCH(int, index);
        const pv::test::Window state = pv::test::windows().at(index);
        Harness h;
        pv::test::shop(h);
        QString text;
        QImage image;
        QByteArray form;
        bool seen = false;
        state.open(h, [&](QWidget *w) {
            seen = true;
            fixFolderName(w, h.folder());
            text = pv::test::widgetTree(w);
            image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QPainter blank(&image);
            for (const QRect &r : pv::test::movingParts(w))
                blank.fillRect(r, Qt::magenta);
            if (!qEnvironmentVariableIsEmpty("PV_DUMP_FORMS"))
                form = pv::test::formJson(w);
        });
        QVERIFY(seen);

        const QString name = slug(state.name);
        if (!form.isEmpty()) {
            const QString dir = qEnvironmentVariable("PV_DUMP_FORMS");
            QDir().mkpath(dir);
            QFile f(dir + QLatin1Char('/') + name + QStringLiteral(".form.json"));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(form);
        }

        const QString recordPath =
            sourceFolder() + QStringLiteral("/records/") + name + QStringLiteral(".txt");
        const QString imagePath = sourceFolder() + QStringLiteral("/images/") + name + QStringLiteral(".png");
        if (recording()) {
            QDir().mkpath(sourceFolder() + QStringLiteral("/records"));
            QDir().mkpath(sourceFolder() + QStringLiteral("/images"));
            QVERIFY(pv::test::writeFile(recordPath, text.toUtf8()));
            QVERIFY(image.save(imagePath, "PNG", 0));
            return;
        }

        const QString recorded = QString::fromUtf8(pv::test::fileBytes(recordPath));
        QVERIFY2(!recorded.isEmpty(),
                 qPrintable(QStringLiteral("no record %1 (PV_RECORD_FORMS=1 makes it)").arg(recordPath)));
        if (recorded != text) {
            const QString actualPath = failFolder() + QLatin1Char('/') + name + QStringLiteral(".txt");
            pv::test::writeFile(actualPath, text.toUtf8());
            const QStringList a = recorded.split(QLatin1Char('\n')), b = text.split(QLatin1Char('\n'));
            int line = 0;
            while (line < a.size() && line < b.size() && a[line] == b[line])
                ++line;
            QFAIL(qPrintable(QStringLiteral("the widget tree differs from %1 at line %2:\n  recorded: %3\n  "
                                            "actual:   %4\nwhole actual tree: %5")
                                 .arg(recordPath)
                                 .arg(line + 1)
                                 .arg(a.value(line), b.value(line), actualPath)));
        }

        QImage expected(imagePath);
        QVERIFY2(!expected.isNull(), qPrintable(QStringLiteral("no image %1").arg(imagePath)));
        expected = expected.convertToFormat(QImage::Format_RGB32);
        if (expected != image) {
            const QString actualPath = failFolder() + QLatin1Char('/') + name + QStringLiteral(".png");
            const QString diffPath = failFolder() + QLatin1Char('/') + name + QStringLiteral(".diff.png");
            image.save(actualPath);
            diffImage(expected, image).save(diffPath);
            QFAIL(qPrintable(QStringLiteral("the window is drawn differently from %1: actual %2, "
                                            "differing pixels red in %3")
                                 .arg(imagePath, actualPath, diffPath)));
        }
    }
};

QTEST_MAIN(TestFormTree)
#include "test_formtree.moc"
