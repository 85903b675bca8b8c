#pragma once
#include <QObject>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void startUp_data();
    void startUp();
    void splashLabelClickDoesNotClose();
    void missingDatabaseEndsTheProgram_data();
    void missingDatabaseEndsTheProgram();
    void splashWithoutVersionRow();

    void loginSteps_data();
    void loginSteps();
    void loginKeys();
    void loginCloseEndsTheProgram_data();
    void loginCloseEndsTheProgram();
    void rightsAtNextActivation_data();
    void rightsAtNextActivation();

    void dayCounts_data();
    void dayCounts();
    void dayCountRefusedByOneRow();
    void filters_data();
    void filters();
    void filterAfterActivation();
    void dailyMode();
    void rowCommandsFollowTheList();

    void alertList_data();
    void alertList();
    void alertSwitch();
    void alertAnnouncements();

    void openAccount();
    void deleteMode();
    void noRowNoAccount();
    void gridPopup();
    void noteAndPicture_data();
    void noteAndPicture();

    void totals_data();
    void totals();
    void totalsLockTheWindow();

    void printPanelDefaults();
    void printSource_data();
    void printSource();
    void customerListPageModel();
    void dailyReportPageModel();
    void printShowsPreview();

    void aboutBox();
    void customerCardGetsTheRights();
};
