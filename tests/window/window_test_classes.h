#pragma once
// The window's test classes, each a QtTest object.

#include <QObject>

#include <memory>
#include <vector>

namespace pryx::player::testing {

class PictureViewTest : public QObject {
  Q_OBJECT
 private slots:
  void fitsThePictureWithItsProportions_data();
  void fitsThePictureWithItsProportions();
  void showsThePictureScaledBetweenBlackBorders();
  void mapsPointsIntoThePicture();
  void aClickIsALeftPressAndReleaseOnTheView();
};

class DialogMessageBoxesTest : public QObject {
  Q_OBJECT
 private slots:
  void questionsPutTheNegativeAnswerOnTheDefaultButton();
  void closingAQuestionAnswersNegatively();
  void messagesShowTheirTitleTextAndIcon();
};

class GameWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void hasAClientAreaOf640By480UnderItsMenuBar();
  void offersEveryMenuItem();
  void turnsClicksKeysAndMenusIntoInput();
  void asksBeforeClosingUntilTheRunHasEnded();
  void novelModeShowsTheMenuBarAtTheTopEdgeOnly();
  void growsThePictureByWholeMultiplesWhereTheyFit();
  void theHistoryOpensOverThePictureScrollsAndCloses();
  void screenReadersReadTheMessageAndTheChoiceLines();
};

class PlayerProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void findsItsGameByItsNameAndEnablesTheSavesThatExist();
  void offersChoicesOnButtonsAndContinuesAtTheChosenPage();
  void escapeThenCancelReturnsToTheGame();
  void escapeThenOkEndsTheGame();
  void theCloseBoxAndTheEndItemAsk();
  void menuSaveThenLoadReplaysThePage();
  void speedItemsChangeTheTyping();
  void novelModeGoesFramelessFullScreen();
  void restartsTheMusicWhenItHasPlayedItsLength();
  void showsTheLoadFailure_data();
  void showsTheLoadFailure();
  void endsInOrderWithoutItsDisplayLibrary_data();
  void endsInOrderWithoutItsDisplayLibrary();
  void theProgramFindsItsGameBesideItselfFromAnyFolder();
};

class EditorFrameTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void offersEveryMenuCaptionAndToolbarButton();
  void toolbarStatesFollowNewCloseNew();
  void childWindowsHideOnCloseAndComeBackThroughTheirItems();
  void arrangementPlacesTheWindowsAndActivatesTheEventWindow();
  void arrangementAndTestRunsKeepTheMarksOfWhatIsShown();
  void noCaptionIsCutOff();
  void nextAndPreviousPageFollowTheSelector();
  void undoRedoAndTheModifiedCaptionFollowTheDocument();
  void closingAsksAndCancelKeepsTheRunGoing();
  void openingFromTheCommandLineIsRemembered();
  void everyControlHasAnAccessibleName();
  void unsavedChangesAreSavedOrLetGoOnlyAsAnswered();
  void behindAnOpenQuestionTheProjectStays();
  void searchAndTheMapGoWhereTheAuthorPoints();
  void undoKeysWorkWhereTheAuthorIsAndTakeBackTheWorkList();
  void aRecoveryCopyFollowsUnsavedChangesAndIsOfferedOnOpening();
};

class EditorWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void splashGoesOnClickKeyOrSecondFocusLoss();
  void versionWindowShowsTheVersion();
  void progressWindowRepaintsWithoutRunningEvents();
  void fileFiltersTakeBothLetterCases();
  void qtsOwnDialogsSpeakJapanese();
  void listModelsPassQtsChecksThroughEditsAndUndo();
};

class EditorPageWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void showingPagesAndTabsStoresNothingAndEditsStoreAtOnce();
  void withoutAPageEditsAreRefused();
  void aPictureThatCannotBeLoadedIsReportedAndItsRemovalOffered();
  void jumpLabelsGoToTheirPageAndTurnRedOnHover();
  void buttonsAndMessageFollowTheRunState();
  void theTestRunPlaysInTheWindowsUntilStopped();
  void theProjectPlaysInThePlayerFromAChosenPageWithPresetValues();
  void thePopUpMenuOffersOnlyPagesThatExist();
};

class EditorAuthoringTest : public QObject {
  Q_OBJECT
 private slots:
  void aTwoPageGameMadeThroughTheWindowsBuildsPlaysAndUndoes();
};

// On a real X display (Xvfb): what reaches the screen.
class RealDisplayTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void thePlayerShowsTheRecordedFrame_data();
  void thePlayerShowsTheRecordedFrame();
  void theStageShowsEachPagesCgStretched();
};

class StoryMapWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void boxesAreItemsAndTheKeyboardFollowsTheJumps();
  void followsEditsAndUndoKeepingZoomAndPlace();
  void searchListsEveryPlaceAndReplacesInOneStep();
};

class DistributionWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void buildsTheOpenProjectIntoANewFolder();
  void compilesTheScriptFileOfProgramMode();
  void failedStepsAreListedNeverReportedAsDone_data();
  void failedStepsAreListedNeverReportedAsDone();
  void buildsAWebFolderWhenChosen();
};

class ProgramModeWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void switchesFromTheProjectToItsScriptAndBack();
  void savesShiftJisWithCrLfAndKeepsTextAndPathOfAnUnreadableFile();
  void findingsListTheLinesAndADoubleClickGoesThere();
  void unsavedTextIsAskedForAndMarkedInTheCaption();
};

class PageListWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void listsThePagesAndAClickMakesOneCurrent();
  void addsRetitlesAndCopiesThroughTheOperations();
  void deletionChoosesTheNextCurrentPage();
  void deletionListsTheAffectedPagesUntilTheWorkListCloses();
};

class WorkListWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void doubleClickGoesToAnAffectedPageAndCrossesItOff();
  void everyWayOfClosingFreesTheDeletions_data();
  void everyWayOfClosingFreesTheDeletions();
  void variablesAreDeletedAfterTheQuestion();
};

class ProjectOptionsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheOptionsWithoutStoringThem();
  void writesEachChangeAtOnceAsOneUndoStep();
  void theGivenColourIsAskedForAndCancellingGoesBack();
};

class PageOptionsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void closingAtOnceKeepsEveryRecord();
  void theControlsFollowTheirBoxesAndWriteOnceOnClosing();
  void theSlotFieldIsHeldBetween1And99();
  void coloursAreShownAsStored();
};

// One object of each class, in the order they run.
std::vector<std::unique_ptr<QObject>> windowTestClasses();

}  // namespace pryx::player::testing
