#include "platform/zorvex/display_library.h"
#include "platform/zorvex/pixels.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "tests/media/temporary_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace pryx::platform {
namespace {

class DisplayLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "media_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the test program ends
  }

  static std::string libraryPathIn(const std::string& folder) { return GetPath(folder, kDisplayLibraryFileName); }
};

TEST_F(DisplayLibraryTest, TheBuiltLibraryDrawsTheSamePixelsAsThePixelCode) {
  DisplayLibrary library;  // beside the test program, as beside the player
  const int width = 64, height = 48;
  std::vector<std::uint32_t> viaLibrary(width * height), direct(width * height);
  for (std::size_t i = 0; i < direct.size(); ++i)
    direct[i] = viaLibrary[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
  ZorvexSurface librarySurface{viaLibrary.data(), width, height, width * 4};
  ZorvexSurface directSurface{direct.data(), width, height, width * 4};

  ASSERT_TRUE(library.ABox(librarySurface, 3, 30, 60, 48, width, height, 0x80603C, 50)) << library.failureDetail();
  ABox(directSurface, 3, 30, 60, 48, width, height, 0x80603C, 50);
  EXPECT_EQ(viaLibrary, direct);

  std::vector<std::uint32_t> character(32 * 24, 0xFFFF00FF);
  character[5] = 0xFF123456;
  ZorvexSurface characterSurface{character.data(), 32, 24, 32 * 4};
  ASSERT_TRUE(library.Blend(librarySurface, width, height, characterSurface, 0, 0, 32, 24));
  Blend(directSurface, width, height, characterSurface, 0, 0, 32, 24);
  EXPECT_EQ(viaLibrary, direct);
  EXPECT_EQ(library.state(), DisplayLibraryState::Ready);
  EXPECT_EQ(library.failureMessage(), "");
}

TEST_F(DisplayLibraryTest, RecordsTheDisplayModeAndCoversTheScreen) {
  DisplayLibrary library;
  std::int32_t mode = -1;
  ASSERT_TRUE(library.DispChange(1));
  ASSERT_TRUE(library.DispMode(mode));
  EXPECT_EQ(mode, 1);

  QWidget window;
  window.resize(640, 480);
  window.show();
  ASSERT_TRUE(library.FullScreenMode(&window));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(window.isFullScreen());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry(), window.screen()->geometry());

  ASSERT_TRUE(library.DispChange(0));
  ASSERT_TRUE(library.DispMode(mode));
  EXPECT_EQ(mode, 0);
  ASSERT_TRUE(library.FullScreenMode(nullptr));  // nothing to do, no crash
}

TEST_F(DisplayLibraryTest, AMissingLibraryFailsEveryCallWithAMessage) {
  test_support::TemporaryFolder empty("zorvex");
  DisplayLibrary library(empty.path());
  EXPECT_EQ(library.state(), DisplayLibraryState::NotLoaded);
  ZorvexSurface surface{};
  EXPECT_FALSE(library.ABox(surface, 0, 350, 640, 480, 640, 480, 0, 50));
  EXPECT_FALSE(library.DispChange(0));
  EXPECT_FALSE(library.FullScreenMode(nullptr));
  EXPECT_EQ(library.state(), DisplayLibraryState::Missing);
  EXPECT_EQ(library.failureMessage(), "表示ライブラリ " + std::string(kDisplayLibraryFileName) + " が見つかりません。");
  EXPECT_NE(library.failureDetail().find("does not exist"), std::string::npos);
}

TEST_F(DisplayLibraryTest, AFileThatIsNoLibraryIsBroken) {
  test_support::TemporaryFolder temporary("zorvex");
  const std::string folder = temporary.path();
  ASSERT_TRUE(writeFileReplacing(libraryPathIn(folder), std::string_view("MZ this is text, not code\n")));
  DisplayLibrary library(folder);
  EXPECT_FALSE(library.DispChange(1));
  EXPECT_EQ(library.state(), DisplayLibraryState::Broken);
  EXPECT_EQ(library.failureMessage(), "表示ライブラリ " + std::string(kDisplayLibraryFileName) + " が壊れています。");
  EXPECT_FALSE(library.failureDetail().empty());
}

TEST_F(DisplayLibraryTest, ALibraryWithoutTheFunctionsIsBrokenAndNamesWhatIsMissing) {
  test_support::TemporaryFolder temporary("zorvex");
  const std::string folder = temporary.path();
  ASSERT_EQ(copyFile(PRYX_NOT_ZORVEX_LIBRARY, libraryPathIn(folder), false), CopyOutcome::Copied);
  DisplayLibrary library(folder);
  std::int32_t mode = 0;
  EXPECT_FALSE(library.DispMode(mode));
  EXPECT_EQ(library.state(), DisplayLibraryState::Broken);
  const std::string& detail = library.failureDetail();
  EXPECT_NE(detail.find("FullScreenMode"), std::string::npos) << detail;
  EXPECT_NE(detail.find("ABox"), std::string::npos) << detail;
  EXPECT_EQ(detail.find("DispChange"), std::string::npos) << detail;
}

}  // namespace
}  // namespace pryx::platform
