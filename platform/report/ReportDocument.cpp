#include "platform/report/ReportDocument.h"
#include "platform/components/Fonts.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

namespace pv
{

QString reportFontFamily(const QString &windowsFamily)
{
    return standInFamily(windowsFamily);
}

QFont reportQFont(const ReportFont &font)
{
    QFont f(reportFontFamily(font.family));
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QList<PageText> PageModel::onPage(int page) const
{
    QList<PageText> out;
    for (const PageText &t : texts)
        if (t.page == page)
            out << t;
    return out;
}

QList<PageText> PageModel::ofItem(const QString &item) const
{
    QList<PageText> out;
    for (const PageText &t : texts)
        if (t.item.compare(item, Qt::CaseInsensitive) == 0)
            out << t;
    return out;
}

QStringList PageModel::textsOf(const QString &item) const
{
    QStringList out;
    for (const PageText &t : ofItem(item))
        out << t.text;
    return out;
}

PageModel ReportDocument::pageModel() const
{
    PageModel m;
    m.pageCount = pageCount();
    for (int p = 0; p < pageCount(); ++p)
        for (const ReportDrawOp &op : pages[p]) {
            if (op.type != ReportDrawOp::Text)
                continue;
            PageText t;
            t.page = p + 1;
            t.item = op.item;
            t.section = op.section;
            t.text = op.text;
            t.cut = op.cut;
            t.rect = op.rect;
            t.fontFamily = op.font.family;
            t.fontSize = op.font.size;
            t.bold = op.font.bold;
            t.color = op.color;
            t.background = op.background;
            t.alignment = op.alignment;
            m.texts << t;
        }
    return m;
}

void ReportDocument::paintPage(QPainter &painter, int page, double dpiX, double dpiY) const
{
    if (page < 0 || page >= pageCount())
        return;
    const double sx = dpiX / 1440.0, sy = dpiY / 1440.0;
    auto toDevice = [&](const QRect &r) {
        return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
    };
    // A thin line is one pixel at 96 dpi, whatever the device.
    const double thin = std::max(1.0, dpiX / 96.0);
    const double pad = kReportTextPad * sx;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ReportDrawOp &op : pages[page]) {
        switch (op.type) {
        case ReportDrawOp::Fill:
            painter.fillRect(toDevice(op.rect), op.color);
            break;
        case ReportDrawOp::Line:
            painter.setPen(QPen(op.color, thin, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(
                QLineF(op.line.x1() * sx, op.line.y1() * sy, op.line.x2() * sx, op.line.y2() * sy));
            break;
        case ReportDrawOp::Image:
            painter.drawImage(toDevice(op.rect), op.image);
            break;
        case ReportDrawOp::Text: {
            const QFont f = reportQFont(op.font);
            painter.setFont(f);
            painter.setPen(op.color);
            const QRectF box = toDevice(op.rect);
            painter.save();
            // A stand-in may draw the dot of İ above its ascent: leave room for it.
            const QFontMetricsF fm(f, painter.device());
            const double overhang = std::max(0.0, -fm.boundingRect(op.text).top() - fm.ascent());
            painter.setClipRect(box.adjusted(0, -overhang, 0, 0));
            double drop = 0;
            if (op.lineSize > op.font.size) {
                ReportFont line = op.font;
                line.size = op.lineSize;
                drop = QFontMetricsF(reportQFont(line), painter.device()).ascent() - fm.ascent();
            }
            // The run has fitted the text to its box: one line, or the lines of a text that
            // grows. One line stays one line on every device. A device may measure a line a
            // little wider than the run did: a whole one that would pass its box's edge is
            // pressed into its room; a cut one ends at the box's edge as it is.
            QRectF room = box.adjusted(pad, drop, -pad, 0);
            int flags = op.alignment | Qt::AlignTop;
            if (!op.text.contains(QLatin1Char('\n'))) {
                flags |= Qt::TextSingleLine;
                const double wide = fm.horizontalAdvance(op.text);
                if (!op.cut && wide > room.width() + pad && room.width() > 0) {
                    painter.translate(room.left(), 0);
                    painter.scale(room.width() / wide, 1);
                    room = QRectF(0, room.top(), wide, room.height());
                }
            }
            painter.drawText(room, flags, op.text);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

QImage ReportDocument::pageImage(int page, double dpi) const
{
    QImage img(int(std::lround(sheetWidth * dpi / 1440.0)), int(std::lround(sheetHeight * dpi / 1440.0)),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    paintPage(p, page, img.logicalDpiX(), img.logicalDpiY());
    return img;
}

namespace
{

QPageLayout sheetLayout(int w, int h)
{
    const bool landscape = w > h;
    const QSizeF portrait(std::min(w, h) / 1440.0, std::max(w, h) / 1440.0);
    return QPageLayout(QPageSize(portrait, QPageSize::Inch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

} // namespace

bool ReportDocument::exportPdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Pelvanor"));
    writer.setPageLayout(sheetLayout(sheetWidth, sheetHeight));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int p = 0; p < std::max(1, pageCount()); ++p) {
        if (p > 0)
            writer.newPage();
        paintPage(painter, p, writer.logicalDpiX(), writer.logicalDpiY());
    }
    return painter.end();
}

bool ReportDocument::print(QPrinter &printer) const
{
    printer.setFullPage(true);
    printer.setPageLayout(sheetLayout(sheetWidth, sheetHeight));
    if (printer.docName().isEmpty())
        printer.setDocName(title);
    int from = 1, to = pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(pageCount(), printer.toPage() > 0 ? printer.toPage() : pageCount());
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int p = from; p <= to; ++p) {
        if (p > from)
            printer.newPage();
        paintPage(painter, p - 1, printer.logicalDpiX(), printer.logicalDpiY());
    }
    return painter.end();
}

} // namespace pv
