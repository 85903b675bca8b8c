// The control event hooks: what counts as getting or losing the focus, a click and a
// double click, the same in every window.
#include "platform/forms/Events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestEvents : public QObject
{
    Q_OBJECT

private slots:
    void focus_data();
    void focus();
    void click_data();
    void click();
    void dblClickLeftOnly();
};

namespace
{
void sendFocus(QWidget *w, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent e(type, reason);
    QApplication::sendEvent(w, &e);
}
} // namespace

void TestEvents::focus_data()
{
    QTest::addColumn<QList<int>>("steps"); // +reason FocusIn, -reason FocusOut
    QTest::addColumn<int>("got");
    QTest::addColumn<int>("lost");
    const int tab = Qt::TabFocusReason, window = Qt::ActiveWindowFocusReason, popup = Qt::PopupFocusReason;
    QTest::newRow("tab in, tab out") << QList<int>{tab, -tab} << 1 << 1;
    // The first focus of a window that opens is the user's arrival in the field.
    QTest::newRow("window opens on the field") << QList<int>{window} << 1 << 0;
    QTest::newRow("message box and back") << QList<int>{tab, -window, window} << 1 << 0;
    QTest::newRow("menu and back") << QList<int>{tab, -popup, popup} << 1 << 0;
    QTest::newRow("back, then leave by tab") << QList<int>{tab, -window, window, -tab, tab} << 2 << 1;
}

void TestEvents::focus()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, got);
    QFETCH(int, lost);
    QLineEdit box;
    int gotCount = 0, lostCount = 0;
    pv::onGotFocus(&box, [&] { ++gotCount; });
    pv::onLostFocus(&box, [&] { ++lostCount; });
    for (int s : steps)
        sendFocus(&box, s > 0 ? QEvent::FocusIn : QEvent::FocusOut, Qt::FocusReason(s > 0 ? s : -s));
    QCOMPARE(gotCount, got);
    QCOMPARE(lostCount, lost);
}

void TestEvents::click_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left") << int(Qt::LeftButton) << QPoint(5, 5) << 1;
    QTest::newRow("right") << int(Qt::RightButton) << QPoint(5, 5) << 0;
    QTest::newRow("middle") << int(Qt::MiddleButton) << QPoint(5, 5) << 0;
    QTest::newRow("left, released outside") << int(Qt::LeftButton) << QPoint(500, 500) << 0;
}

void TestEvents::click()
{
    QFETCH(int, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    QLabel picture;
    picture.resize(40, 40);
    picture.show();
    int count = 0;
    pv::onClick(&picture, [&] { ++count; });
    QTest::mousePress(&picture, Qt::MouseButton(button), {}, QPoint(5, 5));
    QTest::mouseRelease(&picture, Qt::MouseButton(button), {}, releaseAt);
    QCOMPARE(count, clicks);
}

void TestEvents::dblClickLeftOnly()
{
    QLineEdit box;
    box.show();
    int count = 0;
    pv::onDblClick(&box, [&] { ++count; });
    QTest::mouseDClick(&box, Qt::RightButton);
    QCOMPARE(count, 0);
    QTest::mouseDClick(&box, Qt::LeftButton);
    QCOMPARE(count, 1);
}

QTEST_MAIN(TestEvents)
#include "test_events.moc"
