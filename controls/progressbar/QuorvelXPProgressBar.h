#pragma once
// QuorvelXPProgressBar: a progress bar in one of ten drawing styles, with an optional
// centred text and automatic scrolling.
//
// The bar works in pixels. Colours are OLE colours (0x00BBGGRR; 0x80000000 + n is system
// colour n). A device context here is an image drawn into: the off-screen buffer, or the
// control's own surface when no buffer can be made. A form loader hands the design
// through UserControl_ReadProperties (or the class registry, "ProgressBar.QuorvelXPProgressBar").
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#if defined(BRENNAVIK_PROGRESSBAR_BUILD)
#define BRENNAVIK_PROGRESSBAR_EXPORT Q_DECL_EXPORT
#else
#define BRENNAVIK_PROGRESSBAR_EXPORT Q_DECL_IMPORT
#endif

class QTimer;

namespace pv
{
class PropertyBag;
}

class BRENNAVIK_PROGRESSBAR_EXPORT QuorvelXPProgressBar : public QWidget
{
    Q_OBJECT
public:
    static int instanceCount(); // bars alive now
    using OleColor = quint32;
    using DeviceContext = QImage *;

    enum cScrolling : qint32 {
        ccScrollingStandard = 0,
        ccScrollingSmooth = 1,
        ccScrollingSearch = 2,
        ccScrollingOfficeXP = 3,
        ccScrollingPastel = 4,
        ccScrollingJavT = 5,
        ccScrollingMediaPlayer = 6,
        ccScrollingCustomBrush = 7,
        ccScrollingPicture = 8,
        ccScrollingMetallic = 9,
    };
    enum cOrientation : qint32 { ccOrientationHorizontal = 0, ccOrientationVertical = 1 };
    enum BrushStyle : qint32 {
        HS_HORIZONTAL = 0,
        HS_VERTICAL = 1,
        HS_FDIAGONAL = 2,
        HS_BDIAGONAL = 3,
        HS_CROSS = 4,
        HS_DIAGCROSS = 5,
        HS_SOLID = 6,
    };

    // A new instance (3315 x 495 twips). The second form loads a stored design.
    explicit QuorvelXPProgressBar(QWidget *parent = nullptr);
    QuorvelXPProgressBar(QWidget *parent, const pv::PropertyBag &design);
    ~QuorvelXPProgressBar() override;

    // --- properties -------------------------------------------------------------------
    bool AutoScroll() const { return m_autoScroll; }
    void setAutoScroll(bool v);
    void setBrushStyle(BrushStyle s); // write only, as designed
    OleColor Color() const { return m_color; }
    void setColor(OleColor c);
    QFont Font() const { return m_font; }
    void setFont(const QFont &f) { m_font = f; }
    QWidget *hWnd() const { return m_hWnd; }
    void sethWnd(QWidget *w) { m_hWnd = w; }
    DeviceContext hdc() const { return m_drawDC; }
    void sethdc(qint32 ignored = 0);
    QPixmap Image() const { return m_image; }
    void setImage(const QPixmap &p);
    qint32 Min() const { return m_min; }
    void setMin(qint32 v);
    qint32 Max() const { return m_max; }
    void setMax(qint32 v);
    cOrientation Orientation() const { return m_orientation; }
    void setOrientation(cOrientation o);
    cScrolling Scrolling() const { return m_scrolling; }
    void setScrolling(cScrolling s);
    bool ShowText() const { return m_showText; }
    void setShowText(bool v);
    // The level in the Min..Max range; the bar keeps it as a percentage.
    qint32 Value() const;
    void setValue(qint32 v);

    // --- methods ----------------------------------------------------------------------
    void DrawProgressBar();
    void DrawLine(int X, int Y, int Width, int Height, DeviceContext cHdc, OleColor Color);
    void DrawGradient(OleColor &lEndColor, OleColor &lStartcolor, int X, int Y, int X2, int Y2,
                      DeviceContext hdc, bool bH = false);
    void pDraw(DeviceContext hdc, int xSrc = 0, int ySrc = 0, int WidthSrc = 0, int HeightSrc = 0,
               int xDst = 0, int yDst = 0);

    // --- lifecycle --------------------------------------------------------------------
    void UserControl_ReadProperties(const pv::PropertyBag &bag);
    void UserControl_WriteProperties(pv::PropertyBag &bag) const;
    void tmrAutoScroll_Timer();

    // --- inner state, read by tests -----------------------------------------------------
    // A rectangle as the drawing keeps it: right column and bottom row lie outside.
    struct Rect {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    qint32 Percent() const { return m_percent; }
    QTimer *tmrAutoScroll() const { return m_timer; }
    const QImage &surfaceImage() const { return m_surface; }
    const QImage &bufferImage() const { return m_buffer; }
    Rect ProgressRect() const { return m_progress; }
    Rect TextRect() const { return m_text; }

    static OleColor TranslateColor(OleColor c);
    static OleColor LightenColor(OleColor c, int a);
    static OleColor BlendColor(OleColor c1, OleColor c2, int w);

signals:
    // The host's change notification, under the property's name.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void UserControl_Initialize();
    void notify(const char *name) { emit propertyChanged(QString::fromLatin1(name)); }
    QImage *EnsureBuffer(int w, int h);
    void CreateBuffer(int w, int h);
    void FreeBuffer();
    QImage &surface();

    void CalcBlocks();
    void DrawBlocks();
    void DrawSeparators();
    void DrawXPBorder();
    void DrawOfficeXP();
    void DrawPastel();
    void DrawJavT();
    void DrawMediaPlayer();
    void DrawCustomBrush();
    void DrawPicturePattern();
    void DrawMetallic();
    void DrawBarText();
    void CenterText(const QString &text);
    void DrawFillText(const QString &text);
    void FillColorRect(const Rect &r, OleColor c);
    void FrameColorRect(const Rect &r, OleColor c);
    void DrawEdge(const Rect &r, int edge);

    qint32 m_percent = 0;
    OleColor m_color = 0;
    qint32 m_max = 100, m_min = 0;
    cScrolling m_scrolling = ccScrollingStandard;
    cOrientation m_orientation = ccOrientationHorizontal;
    BrushStyle m_brushStyle = HS_HORIZONTAL;
    bool m_showText = false;
    bool m_autoScroll = false;
    QFont m_font;
    QPixmap m_image;
    QWidget *m_hWnd = nullptr;
    DeviceContext m_drawDC = nullptr;
    bool m_useBuffer = false;
    QImage m_buffer;  // grows with the control, never shrinks
    QImage m_surface; // what the control shows
    QTimer *m_timer = nullptr;

    // drawing state kept between redraws
    Rect m_client, m_progress, m_text;
    int m_blockWidth = 0, m_blockGap = 0;
    double m_fillFraction = 0;
};
