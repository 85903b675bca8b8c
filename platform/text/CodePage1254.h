#pragma once
// The shop's 8-bit code page (Turkish, 1254): the statement file is written in it.
// Table-driven, so it does not depend on the codecs the machine happens to have.
#include <QByteArray>
#include <QString>

namespace pv
{

// What a character outside the code page becomes.
enum class Unmappable {
    QuestionMark,       // "?"
    CharacterReference, // "&#NNNN;" (decimal), for HTML pages
};

QByteArray toCodePage1254(const QString &text, Unmappable fallback = Unmappable::QuestionMark);
// Bytes the code page leaves undefined come back as U+FFFD.
QString fromCodePage1254(const QByteArray &bytes);

} // namespace pv
