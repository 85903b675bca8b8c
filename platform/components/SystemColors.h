#pragma once
// The desktop's default system colours, one fixed table, so that the controls draw the
// same on every desktop and in offscreen tests.
#include "platform/components/Export.h"

#include <QtGlobal>

namespace pv
{

// System colour `index` (0 to 30) as 0x00RRGGBB; black for any other index.
PV_COMPONENTS_EXPORT quint32 systemColor(quint32 index);

// An OLE colour resolved: 0x80000000 | index gives that system colour as 0x00BBGGRR (black
// for an unknown index); any other value comes back unchanged.
PV_COMPONENTS_EXPORT quint32 translateOleColor(quint32 color);

} // namespace pv
