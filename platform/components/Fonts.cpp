#include "platform/components/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

#include <initializer_list>

namespace pv
{

namespace
{

// fonts-wine installs its Tahoma outside the folders fontconfig searches. The font
// database needs the application: ask again until there is one.
void loadWineFonts()
{
    static bool done = false;
    if (done || !QGuiApplication::instance())
        return;
    done = true;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return;
    for (const char *f : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(f);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

// The first family of candidates the machine has. Asking the font database costs a font
// substitution each time, and buttons ask at every redraw: the answer is kept, for the
// font set cannot change after the wine fonts were added (before there is an application,
// nothing is kept).
QString pick(std::initializer_list<const char *> candidates)
{
    static QHash<QByteArray, QString> chosen; // by the candidates, in order
    QByteArray key;
    for (const char *c : candidates)
        key.append(c).append('\n');
    const bool keep = QGuiApplication::instance() != nullptr;
    if (keep)
        if (const auto it = chosen.constFind(key); it != chosen.constEnd())
            return *it;
    QString family = QStringLiteral("Liberation Sans");
    for (const char *c : candidates)
        if (QFontDatabase::hasFamily(QLatin1String(c))) {
            family = QString::fromLatin1(c);
            break;
        }
    if (keep)
        chosen.insert(key, family);
    return family;
}

} // namespace

QString standInFamily(const QString &designFamily)
{
    loadWineFonts();
    const QString w = designFamily.trimmed().toLower();
    if (w == QLatin1String("arial") || w.isEmpty())
        return pick({"Liberation Sans", "Arimo", "DejaVu Sans"});
    if (w == QLatin1String("arial narrow"))
        return pick({"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"});
    if (w == QLatin1String("tahoma"))
        return pick({"Tahoma", "DejaVu Sans Condensed", "DejaVu Sans"});
    if (w == QLatin1String("verdana"))
        return pick({"DejaVu Sans", "Liberation Sans"});
    if (w == QLatin1String("trebuchet ms"))
        return pick({"Liberation Sans", "DejaVu Sans"});
    // MS Sans Serif is a bitmap font that cannot be embedded in a PDF.
    if (w == QLatin1String("ms sans serif") || w == QLatin1String("microsoft sans serif") ||
        w == QLatin1String("ms shell dlg") || w == QLatin1String("ms shell dlg 2"))
        return pick({"Liberation Sans", "DejaVu Sans"});
    if (w == QLatin1String("times new roman"))
        return pick({"Liberation Serif", "DejaVu Serif"});
    if (w == QLatin1String("courier new"))
        return pick({"Liberation Mono", "DejaVu Sans Mono"});
    return designFamily;
}

QFont designFont(const QString &designFamily, double pointSize, bool bold)
{
    QFont f(standInFamily(designFamily));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QFont formFont()
{
    // Fully hinted: the stand-in's dotted capital İ keeps its neighbours close only so.
    QFont f = designFont(QStringLiteral("Tahoma"), 8);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont crispFont(const QFont &font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

} // namespace pv
