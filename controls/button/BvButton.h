#pragma once
// BvButton: the program's push button (class BrennavikBtn.BvButton). It draws its whole
// face itself, has three modes (command, check box, option button), an optional drop-down
// menu and its own tooltip. Forms create it through the class registry with a bag of
// design properties (ReadProperties); at run time they set Enabled, Value, Caption,
// BackColor, Visible, Left and Top and handle Click.

#include "controls/button/ButtonPaint.h"
#include "controls/button/BvButtonEnums.h"
#include "platform/components/PropertyBag.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QAction;
class QShortcut;

namespace BrennavikBtn
{

class ToolTipWindow;
class WindowHook;

// Where the pointer is and which window lies under it. The button asks this instead of
// the cursor directly, so that tests can place the pointer where they need it.
class PointerProbe
{
public:
    virtual ~PointerProbe() = default;
    virtual QPoint cursorPos() const;
    virtual QWidget *windowAt(const QPoint &globalPos) const;
};

// nullptr restores the real pointer. The probe is not owned.
void setPointerProbe(PointerProbe *probe);
PointerProbe &pointerProbe();

// Shows a drop-down menu with its top-left corner at a screen position and returns when
// it has closed. Tests replace it to see where a menu would appear without a modal loop.
using MenuRunner = std::function<void(QMenu *menu, const QPoint &globalTopLeft, QAction *defaultItem)>;
void setMenuRunner(MenuRunner runner); // empty restores QMenu::exec

// Where the drop-down menu goes for an alignment: the anchor in the button's coordinates,
// and the placement flags (8: the menu's right edge at the anchor, 32: its bottom edge).
struct DropDownPlacement {
    bool show = false;
    QPoint anchor;
    int flags = 0;
};
DropDownPlacement dropDownPlacement(int align, int flags, int w, int h);
// The menu's top-left corner for an anchor, flags and menu size.
QPoint dropDownTopLeft(const QPoint &anchor, int flags, const QSize &menuSize);

// For tests: how many faces buttons have drawn, and whether a redraw may leave drawing
// the face until it is painted or read (the default); off draws every face at once.
int facesDrawn();
void setFacesDrawnWhenNeeded(bool onDemand);

} // namespace BrennavikBtn

class BvButton : public QWidget
{
    Q_OBJECT

public:
    using enum BrennavikBtn::enumButtonStlyes;
    using enum BrennavikBtn::enumButtonModes;
    using enum BrennavikBtn::enumButtonStates;
    using enum BrennavikBtn::enumCaptionAlign;
    using enum BrennavikBtn::enumPictureAlign;
    using enum BrennavikBtn::enumIconType;
    using enum BrennavikBtn::enumTooltipStyle;
    using enum BrennavikBtn::enumCaptionEffects;
    using enum BrennavikBtn::enumPicEffect;
    using enum BrennavikBtn::enumSymbol;
    using enum BrennavikBtn::enumXPThemeColors;
    using enum BrennavikBtn::enumDisabledPicMode;
    using enum BrennavikBtn::enumMenuAlign;
    using OleColor = BrennavikBtn::OleColor;
    using Picture = BrennavikBtn::ButtonPicture;

    static constexpr const char *ClassName = "BrennavikBtn.BvButton";

    // A new instance, as placed on a form: the values of a fresh button.
    explicit BvButton(QWidget *parent = nullptr);
    // An instance as a form's stored design makes it: the fresh button's values, then the
    // design read over them. Only the design's face is drawn.
    BvButton(QWidget *parent, const pv::PropertyBag &design);
    ~BvButton() override;

    // --- persistence --------------------------------------------------------------
    // Loads the stored design: raw reads, no setter side effects; at run time it also
    // hooks the form for activation and pointer-leave tracking.
    void ReadProperties(const pv::PropertyBag &bag);
    void WriteProperties(pv::PropertyBag &bag) const;

    // --- properties ---------------------------------------------------------------
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    int ButtonStyle() const { return m_buttonStyle; }
    void setButtonStyle(int style);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    int CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(int a);
    int DropDownSymbol() const { return m_dropDownSymbol; }
    void setDropDownSymbol(int s);
    bool DropDownSeparator() const { return m_dropDownSeparator; }
    void setDropDownSeparator(bool b);
    int DisabledPictureMode() const { return m_disabledPictureMode; }
    void setDisabledPictureMode(int m);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled); // hides QWidget::setEnabled on purpose
    QFont Font() const { return m_font; }
    void setFont(const QFont &font); // hides QWidget::setFont on purpose
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);
    OleColor ForeColorHover() const { return m_foreColorHover; }
    void setForeColorHover(OleColor c);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool b);
    quintptr hWnd() const { return quintptr(this); }
    OleColor MaskColor() const { return m_maskColor; }
    void setMaskColor(OleColor c);
    int Mode() const { return m_mode; }
    void setMode(int mode);
    Picture MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const Picture &p);
    short MousePointer() const { return m_mousePointer; }
    void setMousePointer(short shape);
    Picture PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const Picture &p);
    Picture PictureHot() const { return m_pictureHot; }
    void setPictureHot(const Picture &p);
    Picture PictureDown() const { return m_pictureDown; }
    void setPictureDown(const Picture &p);
    int PictureAlign() const { return m_pictureAlign; }
    void setPictureAlign(int a);
    bool PictureShadow() const { return m_pictureShadow; }
    void setPictureShadow(bool b);
    int PictureEffectOnOver() const { return m_pictureEffectOnOver; }
    void setPictureEffectOnOver(int e);
    int PictureEffectOnDown() const { return m_pictureEffectOnDown; }
    void setPictureEffectOnDown(int e);
    bool PicturePushOnHover() const { return m_picturePushOnHover; }
    void setPicturePushOnHover(bool b);
    quint8 PictureOpacity() const { return m_pictureOpacity; }
    void setPictureOpacity(quint8 v);
    quint8 PictureOpacityOnOver() const { return m_pictureOpacityOnOver; }
    void setPictureOpacityOnOver(quint8 v);
    bool RightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(bool b);
    int CaptionEffects() const { return m_captionEffects; }
    void setCaptionEffects(int e);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool b);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool b);
    bool Value() const { return m_value; }
    void setValue(bool v);
    QString TooltipTitle() const { return m_tooltipTitle; }
    void setTooltipTitle(const QString &t);
    QString ToolTip() const { return m_toolTip; }
    void setToolTip(const QString &t); // hides QWidget::setToolTip on purpose
    OleColor TooltipBackColor() const { return m_tooltipBackColor; }
    void setTooltipBackColor(OleColor c);
    int ToolTipIcon() const { return m_toolTipIcon; }
    void setToolTipIcon(int icon);
    int ToolTipType() const { return m_toolTipType; }
    void setToolTipType(int type);
    int ColorScheme() const { return m_colorScheme; }
    void setColorScheme(int scheme);

    // Host-provided placement, in twips within the container.
    bool Visible() const { return !isHidden(); }
    int Left() const;
    void setLeft(int twips);
    int Top() const;
    void setTop(int twips);
    int Width() const;
    void setWidth(int twips);
    int Height() const;
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);
    void SetFocus() { setFocus(Qt::OtherFocusReason); }

    // The form's default button takes Enter, its cancel button Escape.
    bool Default() const { return m_default; }
    void setDefault(bool b);
    bool Cancel() const { return m_cancel; }
    void setCancel(bool b);

    // Ambient properties of the host.
    bool AmbientUserMode() const { return m_userMode; }
    void setAmbientUserMode(bool runTime) { m_userMode = runTime; }
    QString AmbientDisplayName() const { return m_displayName; }
    void setAmbientDisplayName(const QString &name) { m_displayName = name; }
    QFont AmbientFont() const;
    void setAmbientDisplayAsDefault(bool b);

    // --- methods ------------------------------------------------------------------
    void SetPopupMenu(QMenu *Menu, int Align = edaBottom, int Flags = 0, QAction *DefaultMenu = nullptr);
    void UnsetPopupMenu();
    void OpenWebsite(const QString &sAddress);
    void About();
    // The handler the window hook calls for the messages the button listens to.
    void Subclass_WndProc(bool bBefore, bool &bHandled, qintptr &lReturn, qintptr &lHwnd, int &uMsg,
                          qintptr &wParam, qintptr &lParam);
    // Repaints the face now (for the current style and state).
    void RedrawButton();

    // --- run-time state, read by tests and the painters -------------------------
    int CurrentState() const { return m_currentState; }
    bool MouseHeld() const { return m_mouseHeld; }
    bool PointerOver() const { return m_pointerOver; }
    bool SpaceDown() const { return m_spaceDown; }
    bool HasFocus() const { return m_hasFocus; }
    bool FormActive() const { return m_formActive; }
    bool DisplayAsDefault() const { return m_displayAsDefault; }
    bool PopupSet() const { return m_popupSet; }
    int PopupAlign() const { return m_popupAlign; }
    int PopupFlags() const { return m_popupFlags; }
    bool PopupOpen() const { return m_popupOpen; }
    bool PopupDismissed() const { return m_popupDismissed; }
    QChar AccessKey() const { return m_accessKey; }
    BrennavikBtn::ToolTipWindow *ToolTipWindow() const;
    bool IsHooked() const;
    QImage surface() const;

    // The access key a caption gives (lower case), or a null character for none.
    static QChar accessKeyOf(const QString &caption);
    // Live instances, for the library's can-unload answer.
    static int instanceCount();

signals:
    void Click();
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void MouseMove(short Button, short Shift, float x, float Y); // declared, never raised
    void MouseUp(short Button, short Shift, float x, float Y);
    void MouseDown(short Button, short Shift, float x, float Y);
    void KeyDown(short &KeyCode, short &Shift);
    void KeyUp(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAcsii);
    // Every property assignment reports its name, as a designer host expects.
    void PropertyChanged(const QString &name);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void setUp(); // what every instance is from the start
    friend class BrennavikBtn::WindowHook;

    void InitProperties();
    void PropertyChangedNotify(const QString &name) { emit PropertyChanged(name); }
    void applyStyleDefaults(bool scheme);
    void applyCursor();
    void applyWindowFont();
    void SetAccessKey();
    void SetButtonRegion();
    void UserControl_Resize();
    void setState(int state);
    void setStateRedraw(int state);
    void drawPendingFace() const;

    // Input, in the handler order of the control.
    void UserControl_MouseDown(short button, short shift, float x, float y);
    void UserControl_MouseUp(short button, short shift, float x, float y);
    void UserControl_MouseMove(const QPoint &globalPos);
    void UserControl_DblClick();
    void UserControl_KeyDown(short keyCode, short shift, bool autoRepeat);
    void UserControl_KeyUp(short keyCode, short shift);
    void UserControl_AccessKeyPress(short keyAscii);
    void PointerLeft();
    void FormActivated(bool active);
    void ClearOtherOptions();
    void ShowDropDownMenu();
    void CreateToolTip();
    void HookSetUp();
    void HookRelease();
    void updateShortcuts();
    void updateDisplayAsDefault();

    // Properties
    OleColor m_backColor = 0;
    int m_buttonStyle = eWindowsTheme;
    QString m_caption;
    int m_captionAlign = ecCenterAlign;
    int m_dropDownSymbol = ebsNone;
    bool m_dropDownSeparator = false;
    int m_disabledPictureMode = edpBlended;
    bool m_enabled = true;
    QFont m_font;
    OleColor m_foreColor = 0;
    OleColor m_foreColorHover = 0;
    bool m_handPointer = false;
    OleColor m_maskColor = 0xE0E0E0;
    int m_mode = ebmCommandButton;
    Picture m_mouseIcon;
    short m_mousePointer = 0;
    Picture m_pictureNormal, m_pictureHot, m_pictureDown;
    int m_pictureAlign = epLeftOfCaption;
    bool m_pictureShadow = false;
    int m_pictureEffectOnOver = epeNone;
    int m_pictureEffectOnDown = epeNone;
    bool m_picturePushOnHover = false;
    quint8 m_pictureOpacity = 255;
    quint8 m_pictureOpacityOnOver = 255;
    bool m_rightToLeft = false;
    bool m_tipRightToLeft = false; // the tooltip's own copy
    int m_captionEffects = eseNone;
    bool m_showFocusRect = false;
    bool m_useMaskColor = true;
    bool m_value = false;
    QString m_tooltipTitle;
    QString m_toolTip;
    OleColor m_tooltipBackColor = 0;
    int m_toolTipIcon = TTNoIcon;
    int m_toolTipType = TooltipStandard;
    int m_colorScheme = ecsBlue;

    // Host
    bool m_default = false;
    bool m_cancel = false;
    bool m_userMode = true;
    bool m_readingDesign = false; // the fresh values are set, the design not read yet: no face
    QString m_displayName;
    int m_twLeft = 0, m_twTop = 0, m_twWidth = 0, m_twHeight = 0;

    // Run-time state
    int m_currentState = eStateNormal;
    bool m_mouseHeld = false;
    bool m_pointerOver = false;
    bool m_hasFocus = false;
    bool m_formActive = false;
    bool m_displayAsDefault = false;
    bool m_spaceDown = false;
    bool m_leaveTracked = false;
    QMetaObject::Connection m_focusWatch;
    bool m_popupSet = false;
    QPointer<QMenu> m_popupMenu;
    int m_popupAlign = edaBottom;
    int m_popupFlags = 0;
    QPointer<QAction> m_popupDefault;
    bool m_popupOpen = false;
    bool m_popupDismissed = false;
    short m_lastButton = 0, m_lastShift = 0;
    float m_lastX = 0, m_lastY = 0;
    QChar m_accessKey;
    // The face on screen; while m_pendingFace is set it is out of date and that state,
    // taken at the last redraw, draws it when it is painted or read.
    mutable QImage m_surface;
    mutable std::optional<BrennavikBtn::ButtonPaintState> m_pendingFace;
    OleColor m_surfaceBackColor = BrennavikBtn::kSystemColorFlag | BrennavikBtn::COLOR_BTNFACE;
    QRect m_pictureRect;
    bool m_inResize = false;
    QPointer<BrennavikBtn::ToolTipWindow> m_toolTipWindow;
    std::unique_ptr<BrennavikBtn::WindowHook> m_hook;
    QShortcut *m_accessShortcut = nullptr;
    QShortcut *m_defaultShortcut = nullptr;
    QShortcut *m_defaultShortcut2 = nullptr;
    QShortcut *m_cancelShortcut = nullptr;
};
