#pragma once
#include <QObject>

class TestAutoSizer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void tagProtocol_data();
    void tagProtocol();
    void arrange_data();
    void arrange();
    void controlInFrameFollowsTheForm();
    void centredInContainer_data();
    void centredInContainer();
    void sizeLimits_data();
    void sizeLimits();
    void disabledDoesNothing();
    void lateControlNeverMoves();
};
