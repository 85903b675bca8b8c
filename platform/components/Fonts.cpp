#include "platform/components/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

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

QString pick(std::initializer_list<const char *> candidates)
{
    for (const char *c : candidates)
        if (QFontDatabase::hasFamily(QLatin1String(c)))
            return QString::fromLatin1(c);
    return QStringLiteral("Liberation Sans");
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
