// Where the player finds its game, its save files and its resources.

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "player/game_files.h"
#include "screen_test_support.h"

namespace pryx::player::testing {
namespace {

TEST(GameFiles, ThePlayersOwnNameNamesItsGameAndSaves) {
  ScratchFolder folder;
  std::string executable = folder.path(std::string("b") + std::string(platform::kExecutableSuffix));
  GameLocation location = locationOfExecutable(executable);
  EXPECT_EQ(location.name, "b");
  EXPECT_EQ(location.folder, platform::folderOf(executable));
  EXPECT_EQ(location.saveFolder, location.folder);
  EXPECT_EQ(platform::fileNameOf(gameFilePath(location)), "b.PRY");
  folder.write("B.pry", "PRYX");
  EXPECT_EQ(platform::fileNameOf(gameFilePath(location)), "B.pry") << "an existing file in any letter case";
  EXPECT_EQ(platform::fileNameOf(saveFilePath(location, 3)), "b3.SAV");
  EXPECT_EQ(platform::fileNameOf(saveFilePath(location, 12)), "b12.SAV");

  GameLocation fromGame = locationOfGameFile(folder.path("mystery.PRY"));
  EXPECT_EQ(fromGame.name, "mystery");
  EXPECT_EQ(locationOfGameFile("mystery.PRY").folder, ".");
}

TEST(GameFiles, ResourcesAreFoundByNameAndExtensionInAnyCase) {
  ScratchFolder folder;
  std::string dir = platform::folderOf(folder.write("night.mid", "MThd"));
  EXPECT_TRUE(findResourceFile(dir, "night", ".MID"));
  EXPECT_TRUE(findResourceFile(dir, "NIGHT", ".MID"));
  EXPECT_FALSE(findResourceFile(dir, "night", ".BMP"));
  EXPECT_FALSE(findResourceFile(dir, "", ".MID"));
  for (std::string_view outside : {"../night", "a/night", "a\\night", "C:night", ".."}) {
    EXPECT_FALSE(findResourceFile(dir, outside, ".MID")) << outside;
  }
  // A Shift-JIS name whose second byte is "\" (十 is 0x8F 0x5C) stays a plain name.
  std::string sjisTen = "\x8F\x5C";
  folder.write("十.MID", "MThd");
  EXPECT_TRUE(findResourceFile(dir, sjisTen, ".MID"));
}

}  // namespace
}  // namespace pryx::player::testing
