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
// The images are compared only on a machine that draws as the one that recorded them:
// images/rendering.txt keeps the fingerprint of a small smoothed drawing with text,
// and another processor or font renderer changes it (the text records hold everywhere).
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
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSet>
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

// A hash of what this machine makes of smoothed shapes, a scaled picture, a gradient and
// text in the stand-in fonts: the parts of a window image that vary between machines.
QString renderingFingerprint()
{
    QImage img(160, 60, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x28, 0x5E, 0xA8), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2.4, 3.3, 30.7, 20.1), 2, 2);
        p.drawEllipse(QRectF(36.2, 2.7, 21.5, 21.5));
        QLinearGradient g(0, 0, 0, 30);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, QColor(0x31, 0x6A, 0xC5));
        p.fillRect(QRect(60, 0, 30, 30), g);
        QImage small(7, 5, QImage::Format_ARGB32);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                small.setPixel(x, y, qRgba(x * 36, y * 50, 128, 120 + x * 10));
        p.drawImage(QRect(92, 0, 29, 23),
                    small.scaled(29, 23, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(11);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QPointF(2, 40), QStringLiteral("ÇĞİÖŞÜ çğıöşü mmm"));
        f.setBold(true);
        p.setFont(f);
        p.drawText(QPointF(2, 55), QStringLiteral("ÇĞİÖŞÜ çğıöşü mmm"));
    }
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (int y = 0; y < img.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char *>(img.constScanLine(y)), img.width() * 4));
    return QString::fromLatin1(h.result().toHex().left(16));
}

QString fingerprintPath()
{
    return sourceFolder() + QStringLiteral("/images/rendering.txt");
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
        if (recording()) {
            QDir().mkpath(sourceFolder() + QStringLiteral("/images"));
            QVERIFY(pv::test::writeFile(fingerprintPath(), renderingFingerprint().toUtf8() + '\n'));
        }
        const QString recorded = QString::fromUtf8(pv::test::fileBytes(fingerprintPath())).trimmed();
        QVERIFY2(!recorded.isEmpty(), qPrintable(fingerprintPath() + QStringLiteral(" is missing")));
        m_sameRendering = recorded == renderingFingerprint();
        if (!m_sameRendering)
            qInfo("This machine draws differently from the one that recorded the images: only the "
                  "widget trees are compared.");
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

        if (!m_sameRendering)
            QSKIP("the tree is as recorded; this machine draws differently from the recording one");
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

    // Every window and every panel of every form file is built by one of the states, and
    // with it every look-up of a window's control by name that its helpers make when they
    // are made or build a panel (ui::control): a name that finds nothing warns "form file:
    // ...", which fails the state here. A control a form file makes that no state builds
    // fails too, as its panel's look-ups would go untried.
    void everyFormAndPanelIsBuiltAndFindsItsControls()
    {
        QHash<QString, QSet<QString>> built; // a window's name -> the names under it
        for (const pv::test::Window &state : pv::test::windows()) {
            Harness h;
            pv::test::shop(h);
            state.open(h, [&built](QWidget *w) {
                QSet<QString> &names = built[w->objectName()];
                for (const QObject *c : w->findChildren<QObject *>())
                    names.insert(c->objectName());
            });
            if (QTest::currentTestFailed())
                QFAIL(state.name);
        }
        QStringList unbuilt;
        const QStringList files = QDir(QStringLiteral(":/forms")).entryList({QStringLiteral("*.form.json")});
        QVERIFY(files.contains(QStringLiteral("veresiye2.form.json")));
        for (const QString &file : files) {
            const QString window = file.section(QLatin1Char('.'), 0, 0);
            const QJsonObject form =
                QJsonDocument::fromJson(pv::test::fileBytes(QStringLiteral(":/forms/") + file)).object();
            // A control the panel takes from the window is there whether or not it was built.
            const auto check = [&](const QString &part, const QJsonObject &design) {
                QStringList names;
                for (const QJsonValue &c : design.value(QStringLiteral("controls")).toArray()) {
                    const QString name = c[QStringLiteral("name")].toString();
                    if (!c[QStringLiteral("take")].toBool() && !built.value(window).contains(name))
                        names << name;
                }
                if (!names.isEmpty())
                    unbuilt
                        << QStringLiteral("%1 %2: %3").arg(window, part, names.join(QStringLiteral(", ")));
            };
            check(QStringLiteral("(window)"), form);
            const QJsonObject panels = form.value(QStringLiteral("panels")).toObject();
            for (auto p = panels.begin(); p != panels.end(); ++p)
                check(p.key(), p.value().toObject());
        }
        QVERIFY2(unbuilt.isEmpty(), qPrintable(QStringLiteral("built by no state of tests/windows:\n") +
                                               unbuilt.join(QLatin1Char('\n'))));
    }

private:
    bool m_sameRendering = true;
};

QTEST_MAIN(TestFormTree)
#include "test_formtree.moc"
