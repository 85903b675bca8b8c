#pragma once
// A laid-out report: pages of drawing steps in twips from the sheet's top-left corner. The
// one painter path (paintPage) serves the preview, printers and PDF; the page model is read
// from the same steps.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QPrinter;

namespace pv
{

struct ReportFont {
    QString family; // as the layout names it (a Windows family)
    double size = 10;
    bool bold = false;
};

struct ReportDrawOp {
    enum Type { Fill, Text, Line, Image };
    Type type = Fill;
    QRect rect;        // twips
    QColor color;      // fill, text or line colour
    QColor background; // behind a text: the opaque control or section it stands on
    QString text;
    bool cut = false; // longer than its one line: printed only as far as the box reaches
    ReportFont font;
    // A text drawn smaller than its control's size stands on the line that size gives it.
    double lineSize = 0;
    int alignment = 0;
    QLine line;
    QImage image;
    QString item;    // control name
    QString section; // section name
};

struct PageText {
    int page = 0; // 1-based
    QString item;
    QString section;
    QString text;
    bool cut = false; // the rest of the text did not fit its box's one line
    QRect rect;       // twips from the sheet's top-left corner
    QString fontFamily;
    double fontSize = 0;
    bool bold = false;
    QColor color;
    QColor background; // invalid when nothing opaque stands behind the text
    int alignment = 0;
};

struct PageModel {
    int pageCount = 0;
    QList<PageText> texts;

    QList<PageText> onPage(int page) const;
    QList<PageText> ofItem(const QString &item) const; // in print order
    QStringList textsOf(const QString &item) const;    // in print order
};

class ReportDocument
{
public:
    QString title;
    QString caption;
    int sheetWidth = 0; // twips
    int sheetHeight = 0;
    std::vector<std::vector<ReportDrawOp>> pages;
    // Why the rows could not be read; empty when they were (or the report has none).
    QString readError;

    int pageCount() const { return int(pages.size()); }
    PageModel pageModel() const;
    // Paints page (0-based) on a painter whose device is the whole sheet at the given dpi.
    void paintPage(QPainter &painter, int page, double dpiX, double dpiY) const;
    QImage pageImage(int page, double dpi) const;
    bool exportPdf(const QString &path) const;
    bool print(QPrinter &printer) const;
};

// Installed family standing in for a Windows family named by a layout.
QString reportFontFamily(const QString &windowsFamily);
// The font a report text is drawn in: the stand-in, unhinted, so that a text measures
// alike on the screen, a printer and a PDF.
QFont reportQFont(const ReportFont &font);
// The blank a text keeps from each side of its box, in twips.
constexpr int kReportTextPad = 15;

} // namespace pv
