#include "platform/report/ReportFormat.h"
#include "platform/text/Formats.h"

namespace pv::detail
{

bool reportNumber(const QVariant &value, const QString &text, double *out)
{
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::Int) {
        *out = value.toDouble();
        return true;
    }
    const std::optional<double> v = toNumber(text);
    if (v)
        *out = *v;
    return v.has_value();
}

} // namespace pv::detail
