#include "platform/components/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

#include <initializer_list>

namespace pv
{

namespace
{

// The first family of candidates the machine has. Asking the font database costs a font
// substitution each time, and buttons ask at every redraw: the answer is kept, for the
// font set does not change while the program runs (before there is an application,
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
    const QString w = designFamily.trimmed().toLower();
    if (w == QLatin1String("arial") || w.isEmpty())
        return pick({"Liberation Sans", "Arimo", "DejaVu Sans"});
    if (w == QLatin1String("arial narrow"))
        return pick({"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"});
    // Not the Tahoma of fonts-wine: its outlines are one weight for both faces, its İ is
    // a bare stem at the left of the letter's room and its bitmaps give Ğ, Ş, ğ, ş, ı
    // other widths than G, S, g, s, i, so Turkish words fall apart.
    if (w == QLatin1String("tahoma"))
        return pick({"DejaVu Sans Condensed", "DejaVu Sans"});
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
