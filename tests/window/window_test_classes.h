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
  void nextAndPreviousPageFollowTheSelector();
  void undoRedoAndTheModifiedCaptionFollowTheDocument();
  void closingAsksAndCancelKeepsTheRunGoing();
  void openingFromTheCommandLineIsRemembered();
  void everyControlHasAnAccessibleName();
};

class EditorWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void splashGoesOnClickKeyOrSecondFocusLoss();
  void versionWindowShowsTheVersion();
  void progressWindowRepaintsWithoutRunningEvents();
  void fileFiltersTakeBothLetterCases();
};

class EditorAuthoringTest : public QObject {
  Q_OBJECT
 private slots:
  void aTwoPageGameMadeThroughTheWindowsBuildsPlaysAndUndoes();
};

// One object of each class, in the order they run.
std::vector<std::unique_ptr<QObject>> windowTestClasses();

}  // namespace pryx::player::testing
