#pragma once
#include <QtCore/qglobal.h>

#if defined(PV_COMPONENTS_BUILD)
#define PV_COMPONENTS_EXPORT Q_DECL_EXPORT
#else
#define PV_COMPONENTS_EXPORT Q_DECL_IMPORT
#endif
