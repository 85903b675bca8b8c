#pragma once
// The button's own tooltip: a small topmost window, standard or balloon-shaped, with an
// optional bold title and icon, wrapping at 240 pixels and casting a shadow. It watches
// its button's mouse events itself: shown after a short rest of the pointer over the
// button, hidden when the pointer leaves, a button is pressed, or after a while.

#include "controls/button/BvButtonEnums.h"

#include <QColor>
#include <QPainterPath>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace BrennavikBtn
{

struct ToolTipSpec {
    QString text;
    QString title;
    int icon = TTNoIcon; // enumIconType; shown only with a title
    bool balloon = false;
    OleColor backColor = 0; // 0 keeps the tooltip colour of the desktop
    bool rightToLeft = false;
};

class ToolTipWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxTipWidth = 240;

    // The tool is the button's own window; the tooltip is owned by it.
    ToolTipWindow(QWidget *tool, const ToolTipSpec &spec);
    ~ToolTipWindow() override;

    const ToolTipSpec &spec() const { return m_spec; }
    QString text() const { return m_spec.text; }
    QString title() const { return m_spec.title; }
    bool isBalloon() const { return m_spec.balloon; }
    bool isRightToLeft() const { return m_spec.rightToLeft; }
    // The icon drawn beside the title (TTNoIcon when there is no title).
    int shownIcon() const { return m_spec.title.isEmpty() ? int(TTNoIcon) : m_spec.icon; }
    // The background the tip is painted with, as RGB.
    QColor backgroundColor() const;

    // Shows the tip for a pointer at globalPos (nothing when there is no text).
    void popUp(const QPoint &globalPos);

    // Whether the window is cut to the tip's shape: where the desktop cannot show its
    // see-through pixels (an X11 desktop without a compositing manager draws them black),
    // the window keeps only the tip, without its shadow.
    bool isShaped() const { return m_shaped; }
    // Whether the desktop shows a window's see-through pixels as see-through.
    static bool desktopShowsTransparency();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void layoutContent();
    QRect bodyRect() const;
    // The tip's outline: the body with rounded corners and a stem for a balloon.
    QPainterPath shapePath() const;

    ToolTipSpec m_spec;
    QPointer<QWidget> m_tool;
    QTimer m_wake;
    QTimer m_autoPop;
    QPoint m_lastPos;
    QRect m_titleRect, m_textRect, m_iconRect;
    bool m_shaped = false;
};

} // namespace BrennavikBtn
