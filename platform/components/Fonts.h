#pragma once
// The fonts the windows, controls and reports were designed with, and the fonts that
// stand in for them on this machine with the same metrics (Tahoma by DejaVu Sans Condensed,
// Arial and the MS dialog fonts by Liberation Sans, ...). One mapping for all, so that a
// caption measured in a window is measured with the font it is drawn with.
#include "platform/components/Export.h"

#include <QFont>
#include <QString>

namespace pv
{

// The family that stands in for a design family; an unknown family comes back unchanged,
// an empty one gives the stand-in of Arial.
PV_COMPONENTS_EXPORT QString standInFamily(const QString &designFamily);

// A design font: its stand-in family at the given point size.
PV_COMPONENTS_EXPORT QFont designFont(const QString &designFamily, double pointSize, bool bold = false);

// The window font of the program's forms: Tahoma 8 pt, fully hinted.
PV_COMPONENTS_EXPORT QFont formFont();

// The font as the controls draw their captions: without smoothing (exact colours) and
// fully hinted, so that every glyph advances by whole pixels and equal letters stand at
// equal gaps.
PV_COMPONENTS_EXPORT QFont crispFont(const QFont &font);

} // namespace pv
