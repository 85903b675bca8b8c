#include "platform/report/Report.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/report/ReportFormat.h"
#include "platform/report/ReportPreview.h"
#include "platform/report/ReportSource.h"
#include "platform/text/Formats.h"

#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBoundaryFinder>
#include <QtDebug>

#include <cmath>

namespace pv
{

void ReportControl::setFontSize(double points)
{
    if (points > 0 && points < 1000) {
        m_fontSize = points;
        m_sizeSet = true;
    }
}

void ReportControl::setFontSize(const QString &points)
{
    QString t = points.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok)
        setFontSize(v);
}

// ---------------------------------------------------------------------------------------
// One run: the source's rows laid out into pages.

namespace
{

// A report font measured in twips.
QFontMetricsF twipsMetrics(const ReportFont &font)
{
    static const QImage sheet = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(1440 / 0.0254));
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return QFontMetricsF(reportQFont(font), &sheet);
}

// The height a line of the font takes from the top of its tallest letter to the bottom of
// its lowest.
double fullHeight(const QFontMetricsF &fm)
{
    return fm.ascent() + fm.descent();
}

// How much of text, in whole letters from its start, is no wider than room.
int fittingLength(const QString &text, const QFontMetricsF &fm, double room)
{
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text);
    int fit = 0;
    for (int end = letters.toNextBoundary(); end > 0; end = letters.toNextBoundary()) {
        if (fm.horizontalAdvance(text.left(end)) > room)
            break;
        fit = int(end);
    }
    return fit;
}

// The text on one line: its line breaks made blanks.
QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return line;
}

// A one-line text cut at the right edge of room.
QString cutLine(const QString &line, const QFontMetricsF &fm, double room)
{
    if (fm.horizontalAdvance(line) <= room)
        return line;
    return line.left(fittingLength(line, fm, room));
}

// A figure as the program prints one, which cut short reads as another: a number (digits,
// Turkish thousands points and decimal comma, a minus in front: "-1.234,56", " 12"), a date
// ("11.12.2026"), perhaps with its time, a time ("10:11:12", "10:11") or a month ("12/2026").
bool isFigureText(const QString &text)
{
    static const QRegularExpression figure(
        QStringLiteral(R"(^\s*(-?([0-9]{1,3}(\.[0-9]{3})+|[0-9]+)(,[0-9]+)?)"
                       R"(|[0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4}(\s+[0-9]{1,2}:[0-9]{2}(:[0-9]{2})?)?)"
                       R"(|[0-9]{1,2}:[0-9]{2}(:[0-9]{2})?|[0-9]{1,2}/[0-9]{4})\s*$)"));
    return figure.match(text).hasMatch();
}

// Where a control stands in its section as the layout places it; a line from end to end.
QRect designBox(const ReportControl &c)
{
    if (c.kind() == ControlKind::Line)
        return QRect(QPoint(c.left(), c.top()), QPoint(c.x2(), c.y2())).normalized();
    return QRect(c.left(), c.top(), c.width(), c.height());
}

// The size the print panels start at: a default print is made at it.
constexpr double kDefaultPrintSize = 8;

// Whether a one-line text fits room at the size its control prints at by default.
bool wholeAtDefault(const ReportControl &c, const QString &line, double room)
{
    const ReportFont font{c.fontFamily(), c.isSizeSet() ? kDefaultPrintSize : c.fontSize(), c.isBold()};
    return twipsMetrics(font).horizontalAdvance(line) <= room;
}

// The largest size, in tenths of a point and no larger than font's, at which text fits room
// on one line.
double fittingSize(const QString &text, const ReportFont &font, double room)
{
    const double width = twipsMetrics(font).horizontalAdvance(text);
    int tenths = int(std::floor(font.size * std::max(0.0, room) / width * 10));
    ReportFont smaller = font;
    for (; tenths > 1; --tenths) {
        smaller.size = tenths / 10.0;
        if (twipsMetrics(smaller).horizontalAdvance(text) <= room)
            break;
    }
    return std::max(tenths, 1) / 10.0;
}

// The text in lines no wider than room: broken at a blank, else before a capital that
// starts a word inside a compound ("...MilyarDokuzYüz..."), else where the room ends.
QStringList wrappedLines(const QString &text, const QFontMetricsF &fm, double room)
{
    QStringList lines;
    QString rest = text.simplified();
    while (!rest.isEmpty()) {
        if (fm.horizontalAdvance(rest) <= room) {
            lines << rest;
            break;
        }
        // rest is wider than room, so the letters that fit end before its end.
        const int fit = std::max(1, fittingLength(rest, fm, room));
        int cut = 0;
        for (int i = fit; i > 0 && !cut; --i)
            if (rest.at(i) == QLatin1Char(' '))
                cut = i;
        for (int i = fit; i > 0 && !cut; --i)
            if (rest.at(i).isUpper() && rest.at(i - 1).isLower())
                cut = i;
        if (!cut)
            cut = fit;
        lines << rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
    }
    return lines;
}

class Engine final : public ReportRun
{
public:
    Engine(const ReportLayout &layout, std::vector<ReportSection> sections,
           std::vector<ReportControl> controls, ReportScript *script)
        : m_layout(layout), m_sections(std::move(sections)), m_controls(std::move(controls)), m_script(script)
    {
        for (int i = 0; i < int(m_sections.size()); ++i)
            m_sectionControls.emplace(m_sections[i].name(), std::vector<int>());
        for (int i = 0; i < int(m_controls.size()); ++i)
            m_sectionControls[m_controls[i].sectionName()].push_back(i);
    }

    ReportDocument run();

    ReportControl &control(const QString &name) override
    {
        for (ReportControl &c : m_controls)
            if (c.name().compare(name, Qt::CaseInsensitive) == 0)
                return c;
        qWarning("report %s: no control %s", qPrintable(m_layout.name), qPrintable(name));
        m_nowhere = ReportControl();
        return m_nowhere;
    }
    ReportSection &section(const QString &name) override
    {
        for (ReportSection &s : m_sections)
            if (s.name().compare(name, Qt::CaseInsensitive) == 0)
                return s;
        qWarning("report %s: no section %s", qPrintable(m_layout.name), qPrintable(name));
        m_nowhereSection = ReportSection();
        return m_nowhereSection;
    }
    ReportSection &detail() override
    {
        for (ReportSection &s : m_sections)
            if (s.kind() == SectionKind::Detail)
                return s;
        m_nowhereSection = ReportSection();
        return m_nowhereSection;
    }
    int pageNumber() const override { return int(m_doc.pages.size()); }
    QDateTime now() const override { return Reports::now(); }

private:
    struct Range {
        int first = 0, last = -1;
    };

    const ReportSection *firstOf(SectionKind k) const
    {
        for (const ReportSection &s : m_sections)
            if (s.kind() == k)
                return &s;
        return nullptr;
    }
    ReportSection *sectionPtr(SectionKind k)
    {
        for (ReportSection &s : m_sections)
            if (s.kind() == k)
                return &s;
        return nullptr;
    }
    int groupLevel(const QString &groupHeader) const
    {
        for (int l = 0; l < int(m_groupHeaders.size()); ++l)
            if (m_sections[m_groupHeaders[l]].name().compare(groupHeader, Qt::CaseInsensitive) == 0)
                return l;
        return -1;
    }
    Range groupRange(int level, int row) const
    {
        Range r{0, int(m_data.rows.size()) - 1};
        if (level < 0 || row < 0 || m_data.rows.empty())
            return r;
        r.first = r.last = row;
        while (r.first > 0 && !m_groupStart[level][r.first])
            --r.first;
        while (r.last + 1 < int(m_data.rows.size()) && !m_groupStart[level][r.last + 1])
            ++r.last;
        return r;
    }

    // What a section prints at the current row: each control's text fitted to its box, and
    // how far the section grows where a text needs more height than its box gives. A box
    // grows at its bottom edge, and so does everything across that edge: every cell of a row
    // takes the row's new height, what stands below moves down, lines stretch or move with
    // the points they join.
    struct SectionFit {
        std::vector<QString> texts; // per control of the section
        std::vector<bool> cut;
        std::vector<double> size; // a number drawn smaller to fit; 0: the control's own size
        std::vector<int> grow, shift;
        // How far a point of the design moves down: by the last step at or above it.
        struct Step {
            int at = 0, by = 0;
        };
        std::vector<Step> steps; // by at, ascending
        int height = 0;
        int drop(int y) const
        {
            int d = 0;
            for (const Step &s : steps) {
                if (s.at > y)
                    break;
                d = s.by;
            }
            return d;
        }
    };

    double aggregate(const ReportControl &c, Range r, bool *isCount) const;
    void bindFields(const ReportSection &s, bool inDetail);
    SectionFit fit(const ReportSection &s);
    void emitSection(const ReportSection &s, const SectionFit &f);
    void place(ReportSection *s, bool inDetail = false);
    void newPage(bool first);
    void endPage();
    QColor backgroundAt(const QRect &r) const;

    const ReportLayout &m_layout;
    std::vector<ReportSection> m_sections;
    std::vector<ReportControl> m_controls;
    ReportScript *m_script;
    std::map<QString, std::vector<int>> m_sectionControls;
    detail::ReportRows m_data;
    std::vector<int> m_colOf;                    // per control: column of its data field, -1 if none
    std::vector<int> m_groupHeaders;             // section indices, outermost first
    std::vector<int> m_groupFooters;             // section indices, outermost first
    std::vector<std::vector<bool>> m_groupStart; // per level, per row
    int m_row = -1;
    ReportDocument m_doc;
    int m_y = 0;
    int m_pageTop = 0;
    int m_bottom = 0;
    std::vector<std::pair<int, int>> m_pageTotals; // page, op index
    ReportControl m_nowhere;
    ReportSection m_nowhereSection;
};

double Engine::aggregate(const ReportControl &c, Range r, bool *isCount) const
{
    const ReportSummary &s = c.summary();
    *isCount = s.func != SummaryFunc::Sum;
    const int col = m_data.column(
        s.func == SummaryFunc::DistinctCount && !s.distinctField.isEmpty() ? s.distinctField : c.dataField());
    if (col < 0)
        return 0;
    double total = 0;
    QSet<QString> seen;
    for (int i = r.first; i <= r.last && i < int(m_data.rows.size()); ++i) {
        const detail::ReportCell &cell = m_data.rows[i][col];
        if (!cell.value.isValid())
            continue;
        switch (s.func) {
        case SummaryFunc::Sum: {
            double v = 0;
            if (detail::reportNumber(cell.value, cell.text, &v))
                total += v;
            break;
        }
        case SummaryFunc::Count:
            total += 1;
            break;
        case SummaryFunc::DistinctCount:
            seen.insert(cell.text);
            break;
        }
    }
    return s.func == SummaryFunc::DistinctCount ? double(seen.size()) : total;
}

void Engine::bindFields(const ReportSection &s, bool inDetail)
{
    for (int i : m_sectionControls[s.name()]) {
        ReportControl &c = m_controls[i];
        if (c.kind() != ControlKind::Field)
            continue;
        const ReportSummary &sum = c.summary();
        if (sum.type == SummaryType::PageCount) {
            c.setText(sum.running == SummaryRunning::None ? QString() : QString::number(pageNumber()));
            continue;
        }
        if (sum.type == SummaryType::None) {
            if (c.dataField().isEmpty())
                continue; // keeps its design text
            const int col = m_colOf[i];
            if (col < 0 || m_row < 0 || m_row >= int(m_data.rows.size())) {
                c.setText(QString());
                continue;
            }
            const detail::ReportCell &cell = m_data.rows[m_row][col];
            double v = 0;
            QString text = cell.text;
            if (!c.outputFormat().isEmpty() && detail::reportNumber(cell.value, cell.text, &v))
                text = Format(v, c.outputFormat());
            c.setText(text);
            continue;
        }
        Range r{0, int(m_data.rows.size()) - 1};
        if (sum.type == SummaryType::SubTotal) {
            int level = sum.group.isEmpty() ? int(m_groupHeaders.size()) - 1 : groupLevel(sum.group);
            r = groupRange(level, m_row);
        }
        if (inDetail && sum.running != SummaryRunning::None)
            r.last = m_row;
        bool isCount = false;
        const double v = aggregate(c, r, &isCount);
        if (!c.outputFormat().isEmpty())
            c.setText(Format(v, c.outputFormat()));
        else
            c.setText(isCount ? QString::number(qint64(v)) : plainNumber(v));
    }
}

QColor Engine::backgroundAt(const QRect &r) const
{
    const std::vector<ReportDrawOp> &ops = m_doc.pages.back();
    const QPoint centre = r.center();
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
        if (it->type == ReportDrawOp::Fill && it->rect.contains(centre))
            return it->color;
    return {};
}

Engine::SectionFit Engine::fit(const ReportSection &s)
{
    const std::vector<int> &ids = m_sectionControls[s.name()];
    const size_t n = ids.size();
    SectionFit f;
    f.texts.resize(n);
    f.cut.assign(n, false);
    f.size.assign(n, 0);
    f.grow.assign(n, 0);
    f.shift.assign(n, 0);
    // A text's room ends where its box does, or where a box standing on it begins (the
    // captions on a band that carries a heading): what stands there moves down with it.
    std::vector<int> floorOf(n);
    for (size_t k = 0; k < n; ++k) {
        const QRect box = designBox(m_controls[ids[k]]);
        floorOf[k] = box.top() + box.height();
        for (size_t o = 0; o < n; ++o) {
            const ReportControl &on = m_controls[ids[o]];
            const QRect other = designBox(on);
            if (o != k && on.isVisible() && on.kind() != ControlKind::DataControl &&
                other.top() > box.top() && other.top() < floorOf[k] && other.left() < box.right() &&
                box.left() < other.right())
                floorOf[k] = other.top();
        }
    }
    std::vector<int> needs(n, 0); // how much lower than its floor a text needs to reach
    for (size_t k = 0; k < n; ++k) {
        const ReportControl &c = m_controls[ids[k]];
        if (!c.isVisible() || c.text().isEmpty() ||
            (c.kind() != ControlKind::Label && c.kind() != ControlKind::Field))
            continue;
        const ReportFont font{c.fontFamily(), c.fontSize(), c.isBold()};
        const QFontMetricsF fm = twipsMetrics(font);
        const double room = c.width() - 2 * kReportTextPad;
        if (!c.canGrow()) {
            const QString line = oneLine(c.text());
            f.texts[k] = cutLine(line, fm, room);
            f.cut[k] = f.texts[k].size() < c.text().size();
            // A figure cut short reads as another figure, a text loses its last words: drawn
            // smaller instead, on the line of the control's own size. A text that is cut
            // even at the size it prints at by default stays cut, so a default print keeps
            // every page as it is.
            if (f.cut[k] && (isFigureText(c.text()) || wholeAtDefault(c, line, room))) {
                f.texts[k] = line;
                f.cut[k] = false;
                f.size[k] = fittingSize(line, font, room);
            }
            // From the top of the tallest letter to the bottom of the lowest (ş, ğ, y, the
            // decimal comma), whatever letters this row happens to hold, so that the rows of
            // one print are alike.
            needs[k] = std::max(0, int(std::ceil(fullHeight(fm))) - (floorOf[k] - c.top()));
            continue;
        }
        const QStringList lines = wrappedLines(c.text(), fm, room);
        f.texts[k] = lines.join(QLatin1Char('\n'));
        needs[k] = std::max(0, int(std::ceil(lines.size() * fm.lineSpacing())) - (floorOf[k] - c.top()));
    }
    // Each growing box moves its bottom edge, and what lies at or below it, down by as much as
    // its text needs beyond what the edges above it have moved already.
    std::vector<size_t> growing;
    for (size_t k = 0; k < n; ++k)
        if (needs[k] > 0)
            growing.push_back(k);
    std::stable_sort(growing.begin(), growing.end(),
                     [&](size_t a, size_t b) { return floorOf[a] < floorOf[b]; });
    for (size_t k : growing) {
        const int bottom = floorOf[k];
        const int by = std::max(f.drop(bottom), f.drop(m_controls[ids[k]].top()) + needs[k]);
        if (by == f.drop(bottom))
            continue;
        if (!f.steps.empty() && f.steps.back().at == bottom)
            f.steps.back().by = by;
        else
            f.steps.push_back({bottom, by});
    }
    for (size_t k = 0; k < n; ++k) {
        const ReportControl &c = m_controls[ids[k]];
        f.shift[k] = f.drop(c.top());
        f.grow[k] = f.drop(c.top() + c.height()) - f.shift[k];
    }
    f.height = s.height() + (f.steps.empty() ? 0 : f.steps.back().by);
    return f;
}

void Engine::emitSection(const ReportSection &s, const SectionFit &fitted)
{
    std::vector<ReportDrawOp> &ops = m_doc.pages.back();
    const int x0 = m_layout.paper.marginLeft;
    if (s.isOpaque() && fitted.height > 0) {
        ReportDrawOp f;
        f.type = ReportDrawOp::Fill;
        f.rect = QRect(x0, m_y, m_layout.paper.printWidth, fitted.height);
        f.color = s.backColor();
        f.section = s.name();
        ops.push_back(f);
    }
    const std::vector<int> &ids = m_sectionControls[s.name()];
    for (size_t k = 0; k < ids.size(); ++k) {
        const ReportControl &c = m_controls[ids[k]];
        if (!c.isVisible() || c.kind() == ControlKind::DataControl)
            continue;
        const int y0 = m_y + fitted.shift[k];
        const QRect rect(x0 + c.left(), y0 + c.top(), c.width(), c.height() + fitted.grow[k]);
        ReportDrawOp op;
        op.item = c.name();
        op.section = s.name();
        if (c.kind() == ControlKind::Line) {
            op.type = ReportDrawOp::Line;
            op.line = QLine(x0 + c.left(), m_y + c.top() + fitted.drop(c.top()), x0 + c.x2(),
                            m_y + c.y2() + fitted.drop(c.y2()));
            op.color = c.foreColor();
            ops.push_back(op);
            continue;
        }
        if (c.isOpaque()) {
            ReportDrawOp f = op;
            f.type = ReportDrawOp::Fill;
            f.rect = rect;
            f.color = c.backColor();
            ops.push_back(f);
        }
        if (c.kind() == ControlKind::Picture) {
            op.type = ReportDrawOp::Image;
            op.rect = rect;
            op.image = QImage(c.picture());
            if (!op.image.isNull())
                ops.push_back(op);
        } else {
            const bool pageTotal =
                c.summary().type == SummaryType::PageCount && c.summary().running == SummaryRunning::None;
            if (!c.text().isEmpty() || pageTotal) {
                op.type = ReportDrawOp::Text;
                op.rect = rect;
                op.text = fitted.texts[k];
                op.cut = fitted.cut[k];
                op.color = c.foreColor();
                op.background = backgroundAt(rect);
                op.font = ReportFont{c.fontFamily(), c.fontSize(), c.isBold()};
                if (fitted.size[k] > 0) {
                    op.font.size = fitted.size[k];
                    op.lineSize = c.fontSize();
                }
                op.alignment = int(c.alignment());
                if (pageTotal)
                    m_pageTotals.emplace_back(int(m_doc.pages.size()) - 1, int(ops.size()));
                ops.push_back(op);
            }
        }
        const ReportBorders &b = c.borders();
        if (b.any()) {
            ReportDrawOp l = op;
            l.type = ReportDrawOp::Line;
            l.text.clear();
            l.color = b.color;
            const int x1 = rect.x(), x2 = rect.x() + rect.width(), y1 = rect.y(),
                      y2 = rect.y() + rect.height();
            if (b.top)
                l.line = QLine(x1, y1, x2, y1), ops.push_back(l);
            if (b.bottom)
                l.line = QLine(x1, y2, x2, y2), ops.push_back(l);
            if (b.left)
                l.line = QLine(x1, y1, x1, y2), ops.push_back(l);
            if (b.right)
                l.line = QLine(x2, y1, x2, y2), ops.push_back(l);
        }
    }
}

void Engine::place(ReportSection *s, bool inDetail)
{
    if (!s)
        return;
    if (!inDetail)
        bindFields(*s, false);
    if (!s->isVisible() || s->height() <= 0)
        return;
    SectionFit f = fit(*s);
    if (m_y + f.height > m_bottom && m_y > m_pageTop) {
        endPage();
        newPage(false);
        f = fit(*s); // the page header's handler may have set what the section shows
    }
    emitSection(*s, f);
    m_y += f.height;
}

void Engine::newPage(bool first)
{
    m_doc.pages.emplace_back();
    m_y = m_layout.paper.marginTop;
    const ReportSection *pf = firstOf(SectionKind::PageFooter);
    m_bottom =
        m_doc.sheetHeight - m_layout.paper.marginBottom - (pf && pf->isVisible() ? fit(*pf).height : 0);
    if (first)
        if (ReportSection *rh = sectionPtr(SectionKind::ReportHeader); rh && rh->isVisible()) {
            bindFields(*rh, false);
            const SectionFit f = fit(*rh);
            emitSection(*rh, f);
            m_y += f.height;
        }
    if (ReportSection *ph = sectionPtr(SectionKind::PageHeader)) {
        bindFields(*ph, false);
        if (m_script)
            m_script->pageHeaderFormat(*this);
        if (ph->isVisible()) {
            const SectionFit f = fit(*ph);
            emitSection(*ph, f);
            m_y += f.height;
        }
    }
    m_pageTop = m_y;
}

void Engine::endPage()
{
    ReportSection *pf = sectionPtr(SectionKind::PageFooter);
    if (!pf)
        return;
    bindFields(*pf, false);
    if (m_script)
        m_script->pageFooterFormat(*this);
    if (!pf->isVisible())
        return;
    const SectionFit f = fit(*pf);
    m_y = m_doc.sheetHeight - m_layout.paper.marginBottom - f.height;
    emitSection(*pf, f);
}

ReportDocument Engine::run()
{
    m_doc.title = m_layout.title;
    m_doc.caption = m_layout.caption;
    m_doc.sheetWidth = m_layout.paper.sheetWidth();
    m_doc.sheetHeight = m_layout.paper.sheetHeight();

    for (const ReportControl &c : m_controls)
        if (c.kind() == ControlKind::DataControl) {
            m_data = detail::runReportSource(c.database(), c.source(), c.params());
            if (!m_data.ok)
                qWarning("report %s: source refused: %s", qPrintable(m_layout.name),
                         qPrintable(m_data.error));
            if (m_data.readFailed)
                m_doc.readError = m_data.error.isEmpty() ? QStringLiteral("read failed") : m_data.error;
            break;
        }
    for (const ReportControl &c : m_controls)
        m_colOf.push_back(c.dataField().isEmpty() ? -1 : m_data.column(c.dataField()));

    for (int i = 0; i < int(m_sections.size()); ++i) {
        if (m_sections[i].kind() == SectionKind::GroupHeader)
            m_groupHeaders.push_back(i);
        else if (m_sections[i].kind() == SectionKind::GroupFooter)
            m_groupFooters.insert(m_groupFooters.begin(), i); // the first after the detail is the innermost
    }
    const int rows = int(m_data.rows.size());
    const int levels = int(m_groupHeaders.size());
    m_groupStart.assign(levels, std::vector<bool>(rows, false));
    for (int l = 0; l < levels; ++l) {
        const int col = m_data.column(m_sections[m_groupHeaders[l]].groupField());
        for (int r = 0; r < rows; ++r) {
            bool start = r == 0 || (l > 0 && m_groupStart[l - 1][r]);
            if (!start && col >= 0)
                start = m_data.rows[r][col].text != m_data.rows[r - 1][col].text;
            m_groupStart[l][r] = start;
        }
    }
    auto footerOf = [&](int level) -> ReportSection * {
        // Footers pair with headers from the inside out; a missing one closes nothing.
        const int idx = int(m_groupFooters.size()) - levels + level;
        return idx >= 0 && idx < int(m_groupFooters.size()) ? &m_sections[m_groupFooters[idx]] : nullptr;
    };

    newPage(true);
    ReportSection *detailSection = sectionPtr(SectionKind::Detail);
    for (m_row = 0; m_row < rows; ++m_row) {
        for (int l = 0; l < levels; ++l)
            if (m_groupStart[l][m_row])
                place(&m_sections[m_groupHeaders[l]]);
        if (detailSection) {
            bindFields(*detailSection, true);
            if (m_script)
                m_script->detailFormat(*this);
            place(detailSection, true);
        }
        for (int l = levels - 1; l >= 0; --l)
            if (m_row + 1 == rows || m_groupStart[l][m_row + 1])
                place(footerOf(l));
    }
    m_row = rows - 1;
    place(sectionPtr(SectionKind::ReportFooter));
    endPage();

    const QString total = QString::number(m_doc.pages.size());
    for (const auto &[page, op] : m_pageTotals)
        m_doc.pages[page][op].text = total;
    return std::move(m_doc);
}

// ---------------------------------------------------------------------------------------
// The registry of layouts and their default instances.

struct Entry {
    QString jsonPath;
    ReportScriptFactory script;
};

struct Registry {
    QHash<QString, Entry> entries; // by lower-case name
    std::map<QString, std::unique_ptr<Report>> instances;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

Report::Report(std::shared_ptr<const ReportLayout> layout, ReportScriptFactory script)
    : m_layout(std::move(layout)), m_script(std::move(script)), m_sections(m_layout->sections),
      m_controls(m_layout->controls)
{
}

Report::~Report() = default;

const QString &Report::name() const
{
    return m_layout->name;
}

void Report::resetToDesign()
{
    // Element-wise, so references that callers hold stay valid.
    for (size_t i = 0; i < m_sections.size(); ++i)
        m_sections[i] = m_layout->sections[i];
    for (size_t i = 0; i < m_controls.size(); ++i)
        m_controls[i] = m_layout->controls[i];
}

ReportControl &Report::dataControl()
{
    for (ReportControl &c : m_controls)
        if (c.kind() == ControlKind::DataControl)
            return c;
    qWarning("report %s: no data control", qPrintable(name()));
    m_nowhereControl = ReportControl();
    return m_nowhereControl;
}

ReportControl &Report::control(const QString &controlName)
{
    for (ReportControl &c : m_controls)
        if (c.name().compare(controlName, Qt::CaseInsensitive) == 0)
            return c;
    qWarning("report %s: no control %s", qPrintable(name()), qPrintable(controlName));
    m_nowhereControl = ReportControl();
    return m_nowhereControl;
}

ReportControl &Report::item(int number)
{
    for (ReportControl &c : m_controls)
        if (c.number() == number)
            return c;
    qWarning("report %s: no control numbered %d", qPrintable(name()), number);
    m_nowhereControl = ReportControl();
    return m_nowhereControl;
}

ReportSection &Report::section(const QString &sectionName)
{
    for (ReportSection &s : m_sections)
        if (s.name().compare(sectionName, Qt::CaseInsensitive) == 0)
            return s;
    qWarning("report %s: no section %s", qPrintable(name()), qPrintable(sectionName));
    m_nowhereSection = ReportSection();
    return m_nowhereSection;
}

ReportSection &Report::section(int number)
{
    for (ReportSection &s : m_sections)
        if (s.number() == number)
            return s;
    qWarning("report %s: no section numbered %d", qPrintable(name()), number);
    m_nowhereSection = ReportSection();
    return m_nowhereSection;
}

int Report::itemNumber(const QString &itemName) const
{
    for (const ReportSection &s : m_sections)
        if (s.name().compare(itemName, Qt::CaseInsensitive) == 0)
            return s.number();
    for (const ReportControl &c : m_controls)
        if (c.name().compare(itemName, Qt::CaseInsensitive) == 0)
            return c.number();
    return -1;
}

ReportDocument Report::run()
{
    std::unique_ptr<ReportScript> script = m_script ? m_script() : nullptr;
    Engine engine(*m_layout, m_sections, m_controls, script.get());
    resetToDesign();
    return engine.run();
}

PageModel Report::runToPageModel()
{
    return run().pageModel();
}

// A report whose rows could not be read is told, never shown or printed as one without rows.
static bool readable(const ReportDocument &doc)
{
    if (doc.readError.isEmpty())
        return true;
    MsgBox(QStringLiteral("Rapor okunamadı: ") + doc.readError, vbCritical, QStringLiteral("Hata"));
    return false;
}

bool Report::exportPdf(const QString &path)
{
    const ReportDocument doc = run();
    return readable(doc) && doc.exportPdf(path);
}

bool Report::print(QPrinter &printer)
{
    const ReportDocument doc = run();
    return readable(doc) && doc.print(printer);
}

void Report::showPreviewModal(QWidget *parent)
{
    const ReportDocument doc = run();
    if (!readable(doc))
        return;
    ReportPreview preview(doc);
    execModal(&preview, parent);
}

Report &Reports::get(const QString &name)
{
    Registry &reg = registry();
    const QString key = name.toLower();
    auto it = reg.instances.find(key);
    if (it != reg.instances.end())
        return *it->second;

    std::shared_ptr<const ReportLayout> layout;
    ReportScriptFactory script;
    const auto entry = reg.entries.constFind(key);
    if (entry != reg.entries.constEnd()) {
        QFile f(entry->jsonPath);
        QString error;
        if (f.open(QIODevice::ReadOnly))
            layout = ReportLayout::fromJson(f.readAll(), &error);
        else
            error = f.errorString();
        if (!layout)
            qWarning("report %s: layout %s unreadable: %s", qPrintable(name), qPrintable(entry->jsonPath),
                     qPrintable(error));
        script = entry->script;
    } else {
        qWarning("report %s: no such layout", qPrintable(name));
    }
    if (!layout) {
        auto empty = std::make_shared<ReportLayout>();
        empty->name = name;
        layout = empty;
    }
    auto report = std::make_unique<Report>(layout, script);
    Report &r = *report;
    reg.instances.emplace(key, std::move(report));
    return r;
}

void Reports::registerLayout(const QString &name, const QString &jsonPath, ReportScriptFactory script)
{
    registry().entries.insert(name.toLower(), Entry{jsonPath, std::move(script)});
}

bool Reports::isRegistered(const QString &name)
{
    return registry().entries.contains(name.toLower());
}

QDateTime Reports::now()
{
    return Clock::now();
}

} // namespace pv
