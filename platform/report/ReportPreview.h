#pragma once
// The preview of a laid-out report: paging, zoom, printing through the system's printer
// dialog and saving as PDF. Report::showPreviewModal runs it as a modal window of the
// program (pv::execModal), so the window that opened it is activated again when it closes.
// Tests of the windows that print meet it there and read what it shows:
//   h.onModal<pv::ReportPreview>([&](pv::ReportPreview &p) { model = p.document().pageModel(); p.close(); });
#include "platform/report/ReportDocument.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace pv
{

class ReportPreview : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPreview(const ReportDocument &doc, QWidget *parent = nullptr);

    const ReportDocument &document() const { return m_doc; }
    void showPage(int page);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);

private:
    void render();
    void printDocument();
    void savePdf();

    const ReportDocument &m_doc;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QPushButton *m_first = nullptr, *m_prev = nullptr, *m_next = nullptr, *m_last = nullptr;
};

} // namespace pv
