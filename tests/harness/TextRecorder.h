#pragma once
// A paint device that keeps the texts a painter draws on it: what a widget or a page shows
// the user, letter for letter, elided or cut as drawn.
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <QTextItem>
#include <QTransform>

#include <climits>

namespace pv::test
{

class TextRecorder : public QPaintDevice
{
public:
    // A run of letters: where its baseline starts and how far it reaches, in device dots.
    struct Run {
        QPointF at;
        double width = 0;
        QString text;
    };
    // A device of dpi dots per inch, width by height dots.
    explicit TextRecorder(int dpi, int width = 0, int height = 0)
        : m_dpi(dpi), m_width(width > 0 ? width : 12 * dpi), m_height(height > 0 ? height : 12 * dpi)
    {
    }
    ~TextRecorder() override = default;
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const QList<Run> &runs() const { return m_engine.runs; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return m_width * 254 / (10 * m_dpi);
        case PdmHeightMM:
            return m_height * 254 / (10 * m_dpi);
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        QList<Run> runs;
        QTransform transform;
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & QPaintEngine::DirtyTransform)
                transform = state.transform();
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &p, const QTextItem &ti) override
        {
            runs << Run{transform.map(p), ti.width() * transform.m11(), ti.text()};
        }
        Type type() const override { return QPaintEngine::User; }
    };
    int m_dpi, m_width, m_height;
    mutable Engine m_engine;
};

} // namespace pv::test
