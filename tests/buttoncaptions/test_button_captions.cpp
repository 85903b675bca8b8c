// Every word of every caption is drawn: each button and frame of every form file (the
// program's windows and panels, and the repair program's window) is made from its form at
// its design size and drawn, and each word of its caption must stand in the drawn face.
//
// A word is looked for as the painter would draw it alone: its letters drawn in the
// caption's font and colour, their pixels searched for in the face. A word wrapped onto a
// line the face leaves out, or cut by the face's edge, is not found.
#include "app/ui/Kit.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPrimitives.h"
#include "controls/button/BvButton.h"
#include "controls/frame/FrameFendrixon.h"
#include "platform/components/Fonts.h"
#include "platform/forms/FormLoader.h"
#include "repair/frmCompact.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBoundaryFinder>
#include <QtTest>

#include <map>
#include <memory>

namespace
{

const QString kButtonClass = QStringLiteral("BrennavikBtn.BvButton");
const QString kFrameClass = QStringLiteral("FendrixonFrame.FrameFendrixon");

// The caption's colour while it is looked for: no face, border or gradient has it.
constexpr QRgb kInk = 0xFF13F0A7;

struct Caption {
    QString file;    // the form file, from the source folder
    QString panel;   // "" for the file's own form
    QString control; // the button's or frame's name
    QString caption;
};

QString sourceFolder()
{
    return qEnvironmentVariable("PV_SOURCE_DIR");
}

// The captions of the buttons and frames of every form file, in the files' order; those
// ending in a blank first.
QList<Caption> formCaptions()
{
    QStringList files;
    for (const QString &area : {QStringLiteral("app"), QStringLiteral("repair")}) {
        QDirIterator it(sourceFolder() + QLatin1Char('/') + area, {QStringLiteral("*.form.json")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    QList<Caption> all;
    for (const QString &path : std::as_const(files)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
        std::vector<std::pair<QString, QJsonObject>> forms{{QString(), root}};
        const QJsonObject panels = root.value(QStringLiteral("panels")).toObject();
        for (auto it = panels.begin(); it != panels.end(); ++it)
            forms.emplace_back(it.key(), it.value().toObject());
        for (const auto &[panel, form] : forms)
            for (const QJsonValue &v : form.value(QStringLiteral("controls")).toArray()) {
                const QJsonObject c = v.toObject();
                const QString cls = c.value(QStringLiteral("class")).toString();
                const QString caption =
                    c.value(QStringLiteral("design")).toObject().value(QStringLiteral("Caption")).toString();
                if ((cls == kButtonClass || cls == kFrameClass) && !caption.trimmed().isEmpty())
                    all.push_back({path, panel, c.value(QStringLiteral("name")).toString(), caption});
            }
    }
    std::stable_partition(all.begin(), all.end(),
                          [](const Caption &c) { return c.caption.endsWith(QLatin1Char(' ')); });
    return all;
}

// The caption as drawn: an access key's "&" is not shown, "&&" shows one "&".
QString shownText(const QString &caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

// The pieces a line may be broken between (words; a hyphenated word in its parts).
QStringList wordsOf(const QString &text)
{
    QStringList words;
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    qsizetype from = 0;
    while (lines.toNextBoundary() >= 0) {
        const QString word = text.mid(from, lines.position() - from).trimmed();
        if (!word.isEmpty())
            words << word;
        from = lines.position();
    }
    return words;
}

// The pixels a word's letters take, drawn alone in the font, from their top left.
QList<QPoint> inkOf(const QString &word, const QFont &font)
{
    const QFontMetrics fm(font);
    QImage img(fm.horizontalAdvance(word) + 4 * fm.height(), 3 * fm.height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(QColor::fromRgb(kInk));
        p.drawText(QPoint(2 * fm.height(), fm.height() + fm.ascent()), word);
    }
    QList<QPoint> ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == kInk)
                ink << QPoint(x, y);
    QRect box;
    for (const QPoint &p : std::as_const(ink))
        box |= QRect(p, QSize(1, 1));
    for (QPoint &p : ink)
        p -= box.topLeft();
    return ink;
}

// Whether the face shows every pixel of the word somewhere.
bool drawn(const QImage &face, const QList<QPoint> &ink)
{
    if (ink.isEmpty())
        return false;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            bool all = true;
            for (const QPoint &p : ink) {
                const QPoint at(x + p.x(), y + p.y());
                if (!face.rect().contains(at) || face.pixel(at) != kInk) {
                    all = false;
                    break;
                }
            }
            if (all)
                return true;
        }
    return false;
}

QString failFolder()
{
    static QTemporaryDir dir;
    dir.setAutoRemove(false);
    return dir.path();
}

} // namespace

Q_DECLARE_METATYPE(Caption)

class TestButtonCaptions : public QObject
{
    Q_OBJECT

private slots:
    // The table reaches every form file, the captions that end in a blank at its head.
    void initTestCase()
    {
        const QList<Caption> all = formCaptions();
        QStringList head;
        for (const Caption &c : all)
            if (c.caption.endsWith(QLatin1Char(' ')))
                head << c.control + QStringLiteral(" \"") + c.caption + QLatin1Char('"');
        QVERIFY2(all.size() > 100, qPrintable(QString::number(all.size())));
        for (const char *named :
             {"VornXPButton2 \"Müşteri Hesabını Göster \"", "MyButton1 \"Müşteri Bilgileri Düzenle \"",
              "FrameFendrixon6 \"Seçilen Tarih Aralığındaki Bakiye \""})
            QVERIFY2(head.contains(QString::fromUtf8(named)), named);
    }

    void everyWordDrawn_data()
    {
        QTest::addColumn<Caption>("c");
        const QList<Caption> all = formCaptions();
        for (const Caption &c : all) {
            const QString row =
                QStringLiteral("%1%2/%3 \"%4\"")
                    .arg(QFileInfo(c.file).fileName(),
                         c.panel.isEmpty() ? QString() : QLatin1Char('.') + c.panel, c.control, c.caption);
            QTest::newRow(row.toUtf8().constData()) << c;
        }
    }

    void everyWordDrawn()
    {
        QFETCH(Caption, c);
        QWidget *form = formOf(c);
        QVERIFY2(form, qPrintable(QStringLiteral("%1 cannot be loaded").arg(c.file)));
        QWidget *control = form->findChild<QWidget *>(c.control);
        QVERIFY(control);

        QImage face;
        QFont font;
        if (auto *b = qobject_cast<BvButton *>(control)) {
            QCOMPARE(b->Caption(), c.caption);
            b->setEnabled(true);
            b->setForeColor(BrennavikBtn::fromQRgb(kInk));
            face = b->surface().convertToFormat(QImage::Format_RGB32);
            font = BrennavikBtn::buttonDrawingFont(b->Font());
        } else {
            auto *f = qobject_cast<FrameFendrixon *>(control);
            QVERIFY(f);
            QCOMPARE(f->Caption(), c.caption);
            f->setForeColor(BrennavikBtn::fromQRgb(kInk));
            f->setCaption(c.caption); // drawn again in that colour
            face = f->headerImage().convertToFormat(QImage::Format_RGB32);
            font = f->captionFont();
        }
        QVERIFY(!face.isNull());

        QStringList missing;
        for (const QString &word : wordsOf(shownText(c.caption)))
            if (!drawn(face, inkOf(word, font)))
                missing << QLatin1Char('"') + word + QLatin1Char('"');
        if (!missing.isEmpty()) {
            const QString png = failFolder() + QLatin1Char('/') + c.control + QStringLiteral(".png");
            face.save(png);
            QFAIL(qPrintable(QStringLiteral("%1 not drawn (%2 × %3 face: %4)")
                                 .arg(missing.join(QStringLiteral(", ")))
                                 .arg(face.width())
                                 .arg(face.height())
                                 .arg(png)));
        }
    }

    // The look-up finds what it is after and tells a missing word: a face drawn with
    // the word and one drawn without it.
    void lookUpTellsAMissingWord()
    {
        const QFont font = BrennavikBtn::buttonDrawingFont(QFont(QStringLiteral("Tahoma"), 8));
        QImage face(120, 30, QImage::Format_RGB32);
        face.fill(Qt::white);
        {
            QPainter p(&face);
            p.setFont(font);
            p.setPen(QColor::fromRgb(kInk));
            p.drawText(QPoint(5, 20), QStringLiteral("Müşteri Hesabını"));
        }
        QVERIFY(drawn(face, inkOf(QStringLiteral("Hesabını"), font)));
        QVERIFY(!drawn(face, inkOf(QStringLiteral("Göster"), font)));
        QVERIFY(!drawn(face.copy(0, 0, 60, 30), inkOf(QStringLiteral("Hesabını"), font))); // cut
        QCOMPARE(wordsOf(shownText(QStringLiteral("&Kaydet && Çık "))),
                 QStringList({QStringLiteral("Kaydet"), QStringLiteral("&"), QStringLiteral("Çık")}));
    }

    void cleanupTestCase() { m_forms.clear(); }

private:
    // The windows and panels the captions are read from, each made once from its form
    // file as the program makes it.
    QWidget *formOf(const Caption &c)
    {
        const QString base = QFileInfo(c.file).fileName().section(QLatin1Char('.'), 0, 0);
        const QString key = c.panel.isEmpty() ? base : base + QLatin1Char('.') + c.panel;
        auto &w = m_forms[key];
        if (!w) {
            if (c.file.contains(QStringLiteral("/repair/"))) {
                w = std::make_unique<frmCompact>();
            } else {
                // A window's font, as every window of the program has it.
                auto form = std::make_unique<QWidget>();
                form->setFont(pv::formFont());
                if (!ui::loadForm(form.get(), key, form.get(), {}))
                    return nullptr;
                w = std::move(form);
            }
        }
        return w.get();
    }

    std::map<QString, std::unique_ptr<QWidget>> m_forms;
};

QTEST_MAIN(TestButtonCaptions)
#include "test_button_captions.moc"
