#pragma once
// The report engine: layouts stored as JSON data, one default instance per layout reached by
// name, a run over an SQL source, and one painter path to the preview, a printer, a PDF file
// and a page model for tests.
//
//   pv::Report &r = pv::Reports::get("Extre");
//   r.dataControl().setDatabase(db);                   // the program's open database
//   r.dataControl().setSource("select * from veresiye where mus_kodu = ?", {code});
//   r.label("Label168").setCaption(customerName);
//   r.field("Field7").setFontSize(TextSize->text());   // "8"; text that is no number is ignored
//   r.item(4021).setCaption(receiptNo);                 // by number: 4000 + position, sections first
//   r.showPreviewModal(this);                           // returns when the preview closes
//
// What a caller sets applies to the next run only: every run starts from the layout's design
// values, so one caller's captions never show up on another caller's print. A run that must
// go to several targets is made once with run() and the document rendered as often as needed.
// Unknown names and numbers give a stand-in item whose settings go nowhere (with a warning).
// A source the database refuses gives an empty report.
//
// The program's layouts are registered at start-up by pv::registerAppReports()
// (app/reports/AppReports.h). Tests read r.runToPageModel(), or, for a window that shows a
// preview, the previewed document (see ReportPreview.h).
#include "platform/data/Database.h"
#include "platform/report/ReportDocument.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace pv
{

enum class SectionKind {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    PageFooter,
    ReportFooter
};
enum class ControlKind { Label, Field, Line, Picture, DataControl };
enum class SummaryType { None, SubTotal, GrandTotal, PageCount };
enum class SummaryFunc { Sum, Count, DistinctCount };
// For page counts: All is the running page number, None the number of pages.
enum class SummaryRunning { None, Group, All };

class ReportSection
{
public:
    const QString &name() const { return m_name; }
    SectionKind kind() const { return m_kind; }
    int number() const { return m_number; }
    int height() const { return m_height; }
    void setHeight(int twips) { m_height = twips; }
    // A transparent section keeps its colour but paints nothing.
    bool isOpaque() const { return m_opaque; }
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &c) { m_backColor = c; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }
    const QString &groupField() const { return m_groupField; }

private:
    friend class ReportLayout;
    QString m_name;
    SectionKind m_kind = SectionKind::Detail;
    int m_number = 0;
    int m_height = 0;
    bool m_opaque = false;
    QColor m_backColor = Qt::white;
    bool m_visible = true;
    QString m_groupField;
};

struct ReportBorders {
    bool left = false, top = false, right = false, bottom = false;
    QColor color = Qt::black;
    bool any() const { return left || top || right || bottom; }
};

struct ReportSummary {
    SummaryType type = SummaryType::None;
    SummaryFunc func = SummaryFunc::Sum;
    SummaryRunning running = SummaryRunning::None;
    QString group;         // the group header whose break resets a sub-total
    QString distinctField; // for distinct counts; the data field when empty
};

class ReportControl
{
public:
    const QString &name() const { return m_name; }
    ControlKind kind() const { return m_kind; }
    int number() const { return m_number; }
    const QString &sectionName() const { return m_section; }

    // A label's caption, a field's design text; during a run a field's text is the current
    // row's formatted value.
    const QString &caption() const { return m_text; }
    void setCaption(const QString &text) { m_text = text; }
    const QString &text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }

    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    void setFontSize(const QString &points); // the text of a size chooser
    // Whether this run's size was set (a print panel's) rather than the layout's.
    bool isSizeSet() const { return m_sizeSet; }
    const QString &fontFamily() const { return m_fontFamily; }
    bool isBold() const { return m_bold; }
    void setBold(bool on) { m_bold = on; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }

    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setLeft(int twips) { m_left = twips; }
    void setTop(int twips) { m_top = twips; }
    void setWidth(int twips) { m_width = twips; }
    void setHeight(int twips) { m_height = twips; }

    // A text prints on one line, cut at the box's right edge; a number (digits with the
    // thousands point and decimal comma, a minus), a date, a time or a month ("12/2026")
    // that does not fit is drawn smaller instead, whole, and so is a text that fits at the
    // size its control prints at by default (8 where the print sets the size, else the
    // layout's). A control that can grow wraps its text within its width and grows
    // downward. A box lower than its font's full height grows to it, at whatever size the
    // print sets; so does a box whose text would reach a box that stands on it (a band under
    // a row of captions). A growing box takes along all that stands across its bottom edge
    // (the other cells of its row, their borders and lines), moves what stands below it in
    // its section down as far, and the section grows with it.
    bool canGrow() const { return m_canGrow; }

    Qt::Alignment alignment() const { return m_align; }
    void setAlignment(Qt::Alignment a) { m_align = a; }
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &c) { m_foreColor = c; }
    // As with sections, the colour shows only on an opaque control.
    bool isOpaque() const { return m_opaque; }
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &c) { m_backColor = c; }
    const ReportBorders &borders() const { return m_borders; }

    const QString &dataField() const { return m_dataField; }
    void setDataField(const QString &f) { m_dataField = f; }
    const QString &outputFormat() const { return m_format; }
    const ReportSummary &summary() const { return m_summary; }

    // The data source (kind DataControl): the program's open database. Typed and stored
    // values travel in params, bound to the source's `?` in order, never in the SQL text.
    const pv::Database &database() const { return m_database; }
    void setDatabase(const pv::Database &db) { m_database = db; }
    const QString &source() const { return m_source; }
    const QVariantList &params() const { return m_params; }
    void setSource(const QString &sql, const QVariantList &params = {})
    {
        m_source = sql;
        m_params = params;
    }

    // A line runs from (left, top) to (x2, y2).
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    const QString &picture() const { return m_picture; }
    void setPicture(const QString &path) { m_picture = path; }

private:
    friend class ReportLayout;
    QString m_name;
    ControlKind m_kind = ControlKind::Label;
    int m_number = 0;
    QString m_section;
    QString m_text;
    QString m_fontFamily;
    double m_fontSize = 10;
    bool m_sizeSet = false;
    bool m_bold = false;
    bool m_visible = true;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_canGrow = false;
    int m_x2 = 0, m_y2 = 0;
    Qt::Alignment m_align = Qt::AlignLeft;
    QColor m_foreColor = Qt::black;
    bool m_opaque = false;
    QColor m_backColor = Qt::white;
    ReportBorders m_borders;
    QString m_dataField;
    QString m_format;
    ReportSummary m_summary;
    pv::Database m_database;
    QString m_source;
    QVariantList m_params;
    QString m_picture;
};

struct ReportPaper {
    int width = 11906; // twips, as the layout gives it
    int height = 16838;
    bool landscape = false;
    int marginLeft = 720, marginRight = 720, marginTop = 720, marginBottom = 720;
    int printWidth = 10466;
    // The sheet as printed: width and height swapped for landscape.
    int sheetWidth() const { return landscape ? qMax(width, height) : width; }
    int sheetHeight() const { return landscape ? qMin(width, height) : height; }
};

// A layout as read from its JSON file: design values only.
class ReportLayout
{
public:
    static std::shared_ptr<const ReportLayout> fromJson(const QByteArray &json, QString *error = nullptr);

    QString name;
    QString title;   // document title
    QString caption; // preview window caption
    ReportPaper paper;
    QString styleFont = QStringLiteral("Arial");
    double styleSize = 10;
    std::vector<ReportSection> sections;
    std::vector<ReportControl> controls;
};

class ReportRun;

// The per-row and per-page handlers a layout names, written beside it. A fresh instance
// serves each run, so any counter it keeps starts again at every print.
class ReportScript
{
public:
    virtual ~ReportScript() = default;
    virtual void detailFormat(ReportRun &) {}
    virtual void pageHeaderFormat(ReportRun &) {}
    virtual void pageFooterFormat(ReportRun &) {}
};
using ReportScriptFactory = std::function<std::unique_ptr<ReportScript>()>;

// What a handler sees during a run: this run's own copies of the sections and controls.
class ReportRun
{
public:
    virtual ~ReportRun() = default;
    virtual ReportControl &control(const QString &name) = 0;
    virtual ReportSection &section(const QString &name) = 0;
    virtual ReportSection &detail() = 0;
    virtual int pageNumber() const = 0;
    virtual QDateTime now() const = 0;
};

class Report
{
public:
    explicit Report(std::shared_ptr<const ReportLayout> layout, ReportScriptFactory script = {});
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    const QString &name() const;
    const ReportLayout &layout() const { return *m_layout; }

    ReportControl &dataControl();
    ReportControl &control(const QString &name);
    ReportControl &label(const QString &name) { return control(name); }
    ReportControl &field(const QString &name) { return control(name); }
    ReportControl &item(int number); // a control by its number
    // Every control, in layout order: for settings made on all of them (a receipt's font size).
    std::vector<ReportControl> &controls() { return m_controls; }
    ReportSection &section(const QString &name);
    ReportSection &section(int number);
    // 4000 + position, sections first; -1 when the layout has no such item.
    int itemNumber(const QString &name) const;

    // Runs the source and lays out the pages; what the caller set is used up by it.
    ReportDocument run();
    PageModel runToPageModel();
    bool exportPdf(const QString &path);
    bool print(QPrinter &printer);
    // Modal preview with paging, zoom, printing and saving as PDF, run as a modal window of
    // the program over parent (or the active window); returns when it closes.
    void showPreviewModal(QWidget *parent = nullptr);

private:
    void resetToDesign();

    std::shared_ptr<const ReportLayout> m_layout;
    ReportScriptFactory m_script;
    std::vector<ReportSection> m_sections; // what the caller sets for the next run
    std::vector<ReportControl> m_controls;
    ReportControl m_nowhereControl;
    ReportSection m_nowhereSection;
};

class Reports
{
public:
    // The one instance of a layout, created at first use; an unknown name gives an empty report.
    static Report &get(const QString &name);
    // Layout file (usually a resource path) and its handlers, registered once at start-up.
    static void registerLayout(const QString &name, const QString &jsonPath, ReportScriptFactory script = {});
    static bool isRegistered(const QString &name);
    // The program's clock (pv::Clock), which the handlers read for print dates.
    static QDateTime now();
};

} // namespace pv
