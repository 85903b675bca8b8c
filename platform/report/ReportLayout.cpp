// Reads a layout file. Colours are "#RRGGBB"; an item with a "back" colour is opaque, one
// without is transparent. Positions and sizes are twips, font sizes points.
#include "platform/report/Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pv
{

namespace
{

bool parseKind(const QString &s, SectionKind *out)
{
    static const std::pair<const char *, SectionKind> kinds[] = {
        {"ReportHeader", SectionKind::ReportHeader}, {"PageHeader", SectionKind::PageHeader},
        {"GroupHeader", SectionKind::GroupHeader},   {"Detail", SectionKind::Detail},
        {"GroupFooter", SectionKind::GroupFooter},   {"PageFooter", SectionKind::PageFooter},
        {"ReportFooter", SectionKind::ReportFooter}};
    for (const auto &[n, k] : kinds)
        if (s == QLatin1String(n)) {
            *out = k;
            return true;
        }
    return false;
}

bool parseKind(const QString &s, ControlKind *out)
{
    static const std::pair<const char *, ControlKind> kinds[] = {{"Label", ControlKind::Label},
                                                                 {"Field", ControlKind::Field},
                                                                 {"Line", ControlKind::Line},
                                                                 {"Picture", ControlKind::Picture},
                                                                 {"DataControl", ControlKind::DataControl}};
    for (const auto &[n, k] : kinds)
        if (s == QLatin1String(n)) {
            *out = k;
            return true;
        }
    return false;
}

QColor parseColor(const QJsonValue &v, const QColor &fallback)
{
    const QColor c(v.toString());
    return c.isValid() ? c : fallback;
}

Qt::Alignment parseAlign(const QString &s)
{
    if (s == QLatin1String("right"))
        return Qt::AlignRight;
    if (s == QLatin1String("center"))
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

ReportBorders parseBorders(const QJsonObject &o)
{
    ReportBorders b;
    // "boxed": all four sides; "ruled": right and bottom, which join into a grid from row
    // to row; otherwise the sides named by letters (L, T, R, B).
    const QString style = o.value(QLatin1String("border")).toString();
    QString sides = style;
    if (style == QLatin1String("boxed"))
        sides = QStringLiteral("LTRB");
    else if (style == QLatin1String("ruled"))
        sides = QStringLiteral("RB");
    b.left = sides.contains(QLatin1Char('L'));
    b.top = sides.contains(QLatin1Char('T'));
    b.right = sides.contains(QLatin1Char('R'));
    b.bottom = sides.contains(QLatin1Char('B'));
    b.color = parseColor(o.value(QLatin1String("borderColor")), Qt::black);
    return b;
}

} // namespace

std::shared_ptr<const ReportLayout> ReportLayout::fromJson(const QByteArray &json, QString *error)
{
    auto fail = [&](const QString &why) -> std::shared_ptr<const ReportLayout> {
        if (error)
            *error = why;
        return nullptr;
    };
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (!doc.isObject())
        return fail(pe.errorString());
    const QJsonObject root = doc.object();

    auto layout = std::make_shared<ReportLayout>();
    layout->name = root.value(QLatin1String("name")).toString();
    layout->title = root.value(QLatin1String("title")).toString();
    layout->caption = root.value(QLatin1String("caption")).toString(layout->title);

    const QJsonObject paper = root.value(QLatin1String("paper")).toObject();
    ReportPaper &p = layout->paper;
    p.width = paper.value(QLatin1String("width")).toInt(p.width);
    p.height = paper.value(QLatin1String("height")).toInt(p.height);
    p.landscape = paper.value(QLatin1String("orientation")).toString() == QLatin1String("landscape");
    const QJsonObject margins = root.value(QLatin1String("margins")).toObject();
    p.marginLeft = margins.value(QLatin1String("left")).toInt(p.marginLeft);
    p.marginRight = margins.value(QLatin1String("right")).toInt(p.marginRight);
    p.marginTop = margins.value(QLatin1String("top")).toInt(p.marginTop);
    p.marginBottom = margins.value(QLatin1String("bottom")).toInt(p.marginBottom);
    p.printWidth =
        root.value(QLatin1String("printWidth")).toInt(p.sheetWidth() - p.marginLeft - p.marginRight);

    const QJsonObject style = root.value(QLatin1String("style")).toObject();
    layout->styleFont = style.value(QLatin1String("font")).toString(layout->styleFont);
    layout->styleSize = style.value(QLatin1String("size")).toDouble(layout->styleSize);

    int number = 4000;
    for (const QJsonValue &sv : root.value(QLatin1String("sections")).toArray()) {
        const QJsonObject so = sv.toObject();
        ReportSection s;
        s.m_name = so.value(QLatin1String("name")).toString();
        if (!parseKind(so.value(QLatin1String("kind")).toString(), &s.m_kind))
            return fail(QStringLiteral("section %1: unknown kind").arg(s.m_name));
        s.m_number = number++;
        s.m_height = so.value(QLatin1String("height")).toInt();
        s.m_opaque = so.contains(QLatin1String("back"));
        s.m_backColor = parseColor(so.value(QLatin1String("back")), Qt::white);
        s.m_visible = so.value(QLatin1String("visible")).toBool(true);
        s.m_groupField = so.value(QLatin1String("groupField")).toString();
        layout->sections.push_back(s);
    }
    auto hasSection = [&](const QString &name) {
        for (const ReportSection &s : layout->sections)
            if (s.name() == name)
                return true;
        return false;
    };

    for (const QJsonValue &cv : root.value(QLatin1String("controls")).toArray()) {
        const QJsonObject co = cv.toObject();
        ReportControl c;
        c.m_name = co.value(QLatin1String("name")).toString();
        if (!parseKind(co.value(QLatin1String("kind")).toString(), &c.m_kind))
            return fail(QStringLiteral("control %1: unknown kind").arg(c.m_name));
        c.m_section = co.value(QLatin1String("section")).toString();
        if (!hasSection(c.m_section))
            return fail(QStringLiteral("control %1: no section %2").arg(c.m_name, c.m_section));
        c.m_number = number++;
        c.m_text = co.value(QLatin1String("text")).toString();
        c.m_fontFamily = co.value(QLatin1String("font")).toString(layout->styleFont);
        c.m_fontSize = co.value(QLatin1String("size")).toDouble(layout->styleSize);
        c.m_bold = co.value(QLatin1String("bold")).toBool(false);
        c.m_visible = co.value(QLatin1String("visible")).toBool(true);
        c.m_left = co.value(QLatin1String("left")).toInt();
        c.m_top = co.value(QLatin1String("top")).toInt();
        c.m_width = co.value(QLatin1String("width")).toInt();
        c.m_height = co.value(QLatin1String("height")).toInt();
        c.m_canGrow = co.value(QLatin1String("canGrow")).toBool(false);
        c.m_x2 = co.value(QLatin1String("x2")).toInt(c.m_left + c.m_width);
        c.m_y2 = co.value(QLatin1String("y2")).toInt(c.m_top + c.m_height);
        c.m_align = parseAlign(co.value(QLatin1String("align")).toString());
        c.m_foreColor = parseColor(co.value(QLatin1String("color")), Qt::black);
        c.m_opaque = co.contains(QLatin1String("back"));
        c.m_backColor = parseColor(co.value(QLatin1String("back")), Qt::white);
        c.m_borders = parseBorders(co);
        c.m_dataField = co.value(QLatin1String("dataField")).toString();
        c.m_format = co.value(QLatin1String("format")).toString();
        c.m_picture = co.value(QLatin1String("picture")).toString();

        const QJsonObject so = co.value(QLatin1String("summary")).toObject();
        if (!so.isEmpty()) {
            const QString type = so.value(QLatin1String("type")).toString();
            c.m_summary.type = type == QLatin1String("subTotal")     ? SummaryType::SubTotal
                               : type == QLatin1String("grandTotal") ? SummaryType::GrandTotal
                               : type == QLatin1String("pageCount")  ? SummaryType::PageCount
                                                                     : SummaryType::None;
            const QString func = so.value(QLatin1String("func")).toString();
            c.m_summary.func = func == QLatin1String("count")           ? SummaryFunc::Count
                               : func == QLatin1String("distinctCount") ? SummaryFunc::DistinctCount
                                                                        : SummaryFunc::Sum;
            const QString running = so.value(QLatin1String("running")).toString();
            c.m_summary.running = running == QLatin1String("all")     ? SummaryRunning::All
                                  : running == QLatin1String("group") ? SummaryRunning::Group
                                                                      : SummaryRunning::None;
            c.m_summary.group = so.value(QLatin1String("group")).toString();
            c.m_summary.distinctField = so.value(QLatin1String("distinctField")).toString();
        }
        layout->controls.push_back(c);
    }
    return layout;
}

} // namespace pv
