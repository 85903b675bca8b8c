#include "platform/report/ReportPreview.h"
#include "platform/forms/Pickers.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace pv
{

ReportPreview::ReportPreview(const ReportDocument &doc, QWidget *parent)
    : QWidget(parent, Qt::Window), m_doc(doc)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(doc.caption.isEmpty() ? doc.title : doc.caption);

    auto *bar = new QHBoxLayout;
    auto button = [&](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    m_first = button(QStringLiteral("|<"), "btnFirst");
    m_prev = button(QStringLiteral("<"), "btnPrev");
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    bar->addWidget(m_pageLabel);
    m_next = button(QStringLiteral(">"), "btnNext");
    m_last = button(QStringLiteral(">|"), "btnLast");
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cboZoom"));
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%%1").arg(z), z / 100.0);
    m_zoomBox->setCurrentIndex(2);
    bar->addWidget(m_zoomBox);
    bar->addStretch();
    QPushButton *print = button(QStringLiteral("Yazdır..."), "btnPrint");
    QPushButton *pdf = button(QStringLiteral("PDF Olarak Kaydet..."), "btnPdf");
    QPushButton *close = button(QStringLiteral("Kapat"), "btnClose");

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new QLabel;
    m_view->setObjectName(QStringLiteral("pageView"));
    m_scroll->setWidget(m_view);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_prev, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(m_doc.pageCount() - 1); });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(m_zoomBox->itemData(i).toDouble()); });
    connect(print, &QPushButton::clicked, this, &ReportPreview::printDocument);
    connect(pdf, &QPushButton::clicked, this, &ReportPreview::savePdf);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    resize(1000, 760);
    render();
}

void ReportPreview::showPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, m_doc.pageCount() - 1));
    render();
}

void ReportPreview::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.25, 4.0);
    render();
}

void ReportPreview::render()
{
    const int n = m_doc.pageCount();
    m_pageLabel->setText(QStringLiteral("Sayfa %1 / %2").arg(n ? m_page + 1 : 0).arg(n));
    m_first->setEnabled(m_page > 0);
    m_prev->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < n);
    m_last->setEnabled(m_page + 1 < n);
    const double dpi = 96.0 * m_zoom * devicePixelRatioF();
    QImage img = m_doc.pageImage(m_page, dpi);
    img.setDevicePixelRatio(devicePixelRatioF());
    m_view->setPixmap(QPixmap::fromImage(img));
    m_view->adjustSize();
}

void ReportPreview::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_doc.title);
    printer.setFromTo(1, std::max(1, m_doc.pageCount()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        m_doc.print(printer);
}

void ReportPreview::savePdf()
{
    // A slash in the title would read as a folder and leave only the title's end as the name.
    QString name = m_doc.title;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    QString path = pickSaveFile(QStringLiteral("PDF Olarak Kaydet"), QStringLiteral("PDF (*.pdf)|*.pdf|"),
                                name + QStringLiteral(".pdf"), this);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    m_doc.exportPdf(path);
}

} // namespace pv
