#pragma once
// FrameFendrixon: a panel with a gradient header strip (caption, optional picture,
// expand/collapse and pin buttons) that holds the form's own controls.
//
// Sizes are in twips, colours are OLE colours (0x00BBGGRR; 0x80000000 + n is system
// colour n). Every property has an accessor named as the property and a setter with the
// property's side effects. A form loader does not use the setters: it hands the design
// through UserControl_ReadProperties (or the class registry, "FendrixonFrame.FrameFendrixon").
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#if defined(FENDRIXON_FRAME_BUILD)
#define FENDRIXON_FRAME_EXPORT Q_DECL_EXPORT
#else
#define FENDRIXON_FRAME_EXPORT Q_DECL_IMPORT
#endif

class QLabel;
class QPainter;
class QTimer;

namespace pv
{
class PropertyBag;
}

class FENDRIXON_FRAME_EXPORT FrameFendrixon : public QWidget
{
    Q_OBJECT
public:
    static int instanceCount(); // frames alive now
    using OleColor = quint32;
    enum xFrameStyles : qint32 { xpDefault = 0, xpBlue = 1, xpOliveGreen = 2, xpSilver = 3 };

    static constexpr int CollapsedHeight = 315; // twips: the header alone

    // A new instance (the values of a frame just placed on a form).
    explicit FrameFendrixon(QWidget *parent = nullptr, const QString &name = {});
    // An instance loaded from a stored form: the design comes from the bag, its size from
    // the bag's "Width" and "Height" (twips) when it has them.
    FrameFendrixon(QWidget *parent, const QString &name, const pv::PropertyBag &design);
    ~FrameFendrixon() override;

    // --- properties -------------------------------------------------------------------
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor c);
    bool Button() const { return m_button; }
    void setButton(bool v);
    OleColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(OleColor c);
    OleColor ButtonHighlightColor() const { return m_buttonHighlightColor; }
    void setButtonHighlightColor(OleColor c);
    bool ButtonPin() const { return m_buttonPin; }
    void setButtonPin(bool v);
    QString Caption() const { return m_caption; }
    // The caption as the header last drew it (ending in "…" when it had no room), the
    // font it was drawn in and the width it had.
    QString shownCaption() const
    {
        drawHeader();
        return m_shownCaption;
    }
    QFont captionFont() const
    {
        drawHeader();
        return m_captionFont;
    }
    int captionRoom() const
    {
        drawHeader();
        return m_captionRoom;
    }
    void setCaption(const QString &s);
    xFrameStyles ColorScheme() const { return m_colorScheme; }
    void setColorScheme(xFrameStyles s);
    bool DisplayPicture() const { return m_displayPicture; }
    void setDisplayPicture(bool v);
    // The frame's own enabled state; disabling greys the frame and every control it holds.
    bool Enabled() const;
    void setEnabled(bool v);
    bool EnableGradient() const { return m_enableGradient; }
    void setEnableGradient(bool v);
    bool Expanded() const { return m_expanded; }
    void setExpanded(bool v);
    QFont Font() const { return m_headerFont; }
    void setFont(const QFont &f);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);
    bool FramePinned() const { return m_framePinned; }
    void setFramePinned(bool v);
    OleColor GradientBottom() const { return m_gradientBottom; }
    void setGradientBottom(OleColor c);
    OleColor GradientTop() const { return m_gradientTop; }
    void setGradientTop(OleColor c);
    OleColor HeaderGradientBottom() const { return m_headerGradientBottom; }
    void setHeaderGradientBottom(OleColor c);
    OleColor HeaderGradientTop() const { return m_headerGradientTop; }
    void setHeaderGradientTop(OleColor c);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &p);

    // The host's size of the control, in twips.
    int Width() const { return m_widthTwips; }
    int Height() const { return m_heightTwips; }
    void setWidth(int twips) { setSizeTwips(twips, m_heightTwips); }
    void setHeight(int twips) { setSizeTwips(m_widthTwips, twips); }
    void setSizeTwips(int widthTwips, int heightTwips);

    // --- lifecycle, as the host calls it -------------------------------------------------
    void UserControl_InitProperties();
    void UserControl_ReadProperties(const pv::PropertyBag &bag);
    void UserControl_WriteProperties(pv::PropertyBag &bag) const;
    void UserControl_Resize();
    void UserControl_Paint();

    // --- header behaviour (driven by the header's own mouse events and the hover timer) -
    void picHeader_MouseMove(float X); // X in twips of the header
    void picHeader_Click();
    void picHeader_Paint();
    void tmrMouseMove_Timer();

    // Answers "which widget is under the pointer now" for the hover poll; tests replace it.
    using PointerProbe = std::function<QWidget *()>;
    void setPointerProbe(PointerProbe probe) { m_pointerProbe = std::move(probe); }

    // --- inner state, read by tests and by the drawing -----------------------------------
    int ExpandedHeight() const { return m_expandedHeight; }
    OleColor LiveButtonColor() const { return m_liveButtonColor; }
    bool HoverButton() const { return m_hoverButton; }
    bool HoverPin() const { return m_hoverPin; }
    double StoredFontSize() const { return m_fontSize; }
    QWidget *picHeader() const { return m_picHeader; }
    QTimer *tmrMouseMove() const { return m_tmrMouseMove; }
    QLabel *imgFramePic() const { return m_imgFramePic; }
    const QImage &bodyImage() const;
    const QImage &headerImage() const
    {
        drawHeader();
        return m_header;
    }

    // W x H pixels, colour varying left to right (horizontal) or top to bottom; mode 0
    // interpolates red, green and blue, mode 1 hue, saturation and lightness.
    // A size of zero or less gives a null image.
    static QImage CreateGradientPicture(int W, int H, bool horizontal, OleColor colourA, OleColor colourB,
                                        int mode);
    static QRgb toRgb(OleColor c); // system colours resolved

signals:
    void Click();
    void DblClick();
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    // The host's change notification, under the property's name.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void changeEvent(QEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;

private:
    void CreateHeaderParts();
    void ApplyColorScheme();
    void applyEnabledEffects();
    void fullRedraw() { UserControl_Paint(); }
    void drawBody() const;
    void headerRedraw();
    void gradientReset();
    void notify(const char *name) { emit propertyChanged(QString::fromLatin1(name)); }
    void placeHeader();
    void bringHeaderToFront();
    void resizeWidgetToTwips();
    QString instanceName() const { return m_instanceName; }
    QFont ambientFont() const;
    void emitBodyMouse(QMouseEvent *e, int kind);

    // stored properties
    OleColor m_backColor = 0x8000000F;
    OleColor m_borderColor = 0;
    OleColor m_buttonColor = 0;
    OleColor m_buttonHighlightColor = 0;
    OleColor m_foreColor = 0;
    OleColor m_gradientBottom = 0;
    OleColor m_gradientTop = 0;
    OleColor m_headerGradientBottom = 0;
    OleColor m_headerGradientTop = 0;
    bool m_button = false;
    bool m_buttonPin = false;
    bool m_displayPicture = false;
    bool m_enableGradient = false;
    bool m_expanded = false;
    bool m_framePinned = false;
    xFrameStyles m_colorScheme = xpDefault;
    QString m_caption;
    mutable QString m_shownCaption;
    mutable QFont m_captionFont;
    mutable int m_captionRoom = 0;
    QFont m_headerFont;
    QPixmap m_picture;
    bool m_fontBold = false, m_fontItalic = false, m_fontStrikethru = false, m_fontUnderline = false;
    double m_fontSize = 0;

    // internal state
    bool m_enabledState = true; // the surface's own enabled state, as last applied
    int m_expandedHeight = 0;
    OleColor m_liveButtonColor = 0;
    bool m_hoverButton = false;
    bool m_hoverPin = false;
    bool m_headerPainted = false;
    bool m_bodyGradientValid = false;
    bool m_partsCreated = false;
    int m_widthTwips = 0;
    int m_heightTwips = 0;
    QString m_instanceName;

    QWidget *m_picHeader = nullptr;
    QTimer *m_tmrMouseMove = nullptr;
    QLabel *m_imgFramePic = nullptr;
    PointerProbe m_pointerProbe;

    // The surface as last painted. A paint records what it draws and the drawing is done
    // when the surface is shown or read: a frame sized and coloured several times while
    // it is built, or never shown, draws it once or not at all.
    mutable QImage m_body;
    struct BodyDraw {
        QSize size;
        OleColor back = 0;
        OleColor border = 0;
        QImage picture;
    };
    mutable std::optional<BodyDraw> m_bodyToDraw;
    static void paintBody(QPainter &p, const BodyDraw &d);
    QImage m_bodyPicture; // the body gradient while valid
    // The header likewise: what it shows is recorded at each redraw and drawn into its
    // image when the header is painted or read.
    mutable QImage m_header;
    struct HeaderDraw {
        OleColor back = 0;
        OleColor gradientTop = 0;
        OleColor gradientBottom = 0;
        OleColor fore = 0;
        QFont font;
        QString caption;
        bool displayPicture = false;
        QPixmap picture;
        QSize pictureSize;
        bool buttonPin = false;
        bool button = false;
        bool framePinned = false;
        bool expanded = false; // the chevron points up
        QRgb pinColour = 0;
        QRgb buttonColour = 0;
    };
    mutable std::optional<HeaderDraw> m_headerToDraw;
    void drawHeader() const;
    bool m_bodyPressed = false;

    friend class FrameHeaderWidget;
};
