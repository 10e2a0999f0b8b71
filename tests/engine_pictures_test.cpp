// Background pictures and characters as the interpreter shows them: the pacing of
// the transition effects, when a picture is repainted, where files are found, the
// darkening of novel mode and the transparent colour of characters.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

#include "engine_test_support.h"
#include "player/gamefile/writer.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;

constexpr QRgb kLight = qRgb(250, 250, 250);
constexpr QRgb kLeaf = qRgb(10, 200, 10);

// The picture and the clock each time a CG is announced: after the old picture's
// effect, before the new one is drawn.
class CgSnapshots final : public PlayObserver {
 public:
  explicit CgSnapshots(GameRun& game) : game_(game) { game.observe(*this); }
  void cg(std::int32_t, int) override {
    moments.push_back(game_.clock.milliseconds());
    pictures.push_back(game_.picture().copy());
  }
  std::vector<std::int64_t> moments;
  std::vector<QImage> pictures;

 private:
  GameRun& game_;
};

std::unique_ptr<GameRun> twoPictures(int wait, int effect, std::string_view between = "") {
  auto game = GameRun::fromScript(std::string(kNormalGame) + "@DEF,CG,a,a.BMP\n@DEF,CG,b,b.BMP\n@WAIT," +
                                  std::to_string(wait) + "\n@EFFECT," + std::to_string(effect) + "\n#,page\n@CG,a\n" +
                                  std::string(between) + "@CG,b\n@END\n");
  game->writePicture("a.BMP", solidPicture(640, 480, kLight));
  game->writePicture("b.BMP", solidPicture(640, 480, kLeaf));
  return game;
}

TEST(EnginePictures, EffectsTakeTheirStepsAtATenthOfTheMessageWaitAndEndBlack) {
  struct Case {
    int effect;
    int steps;
  };
  for (Case c : {Case{1, 61}, Case{2, 81}, Case{3, 52}, Case{4, 48}, Case{0, 0}, Case{9, 0}}) {
    auto game = twoPictures(50, c.effect);
    CgSnapshots snapshots(*game);
    game->run();
    ASSERT_EQ(snapshots.moments.size(), 2u);
    EXPECT_EQ(snapshots.moments[1] - snapshots.moments[0], 5 * c.steps) << "effect " << c.effect;
    EXPECT_TRUE(allPixelsAre(snapshots.pictures[1], QRect(0, 0, 640, 480), qRgb(0, 0, 0))) << "effect " << c.effect;
    EXPECT_TRUE(allPixelsAre(game->picture(), QRect(0, 0, 640, 350), kLeaf));
  }
}

TEST(EnginePictures, WithoutWaitEveryEffectClearsAtOnce) {
  auto game = twoPictures(0, 1);
  CgSnapshots snapshots(*game);
  game->run();
  EXPECT_EQ(snapshots.moments[1], snapshots.moments[0]);
  EXPECT_TRUE(allPixelsAre(snapshots.pictures[1], QRect(0, 0, 640, 480), qRgb(0, 0, 0)));
}

TEST(EnginePictures, TheSamePictureAgainDrawsNothingAndPictureZeroEmptiesTheScreen) {
  auto game = twoPictures(50, 1, "@CG,a\n@CG,\n");
  CgSnapshots snapshots(*game);
  game->run();
  EXPECT_THAT(numberFields(game->trace("cg"), "cg"), ElementsAre(1, 0, 2));
  EXPECT_EQ(snapshots.moments[1] - snapshots.moments[0], 305) << "only the change to no picture runs the effect";
  EXPECT_EQ(snapshots.moments[2] - snapshots.moments[1], 0) << "no effect without a picture";
  EXPECT_TRUE(allPixelsAre(snapshots.pictures[2], QRect(0, 0, 640, 480), qRgb(0, 0, 0)));
}

// A game whose only page shows CG 1, named as given.
std::unique_ptr<GameRun> showingCg(std::string_view name) {
  gamefile::GameFileWriter writer;
  writer.defineResource(gamefile::ResourceKind::Cg, 1, name);
  writer.label();
  writer.instruction(gamefile::Opcode::Cg, {1});
  writer.instruction(gamefile::Opcode::End);
  return GameRun::fromBytes(std::move(writer).finish(gamefile::kCompilerPools));
}

const QRect kAboveTheBox(0, 0, 640, 350);

TEST(EnginePictures, PicturesAreFoundBesideTheGameWhateverTheirCaseAndStretched) {
  auto small = showingCg("small");
  small->writePicture("small.bmp", makePicture(320, 240, [](int x, int) { return x < 160 ? kLight : kLeaf; }));
  small->run();
  EXPECT_TRUE(allPixelsAre(small->picture(), QRect(0, 0, 320, 350), kLight));
  EXPECT_TRUE(allPixelsAre(small->picture(), QRect(320, 0, 320, 350), kLeaf));

  auto photo = showingCg("photo");
  photo->writePicture("photo.JPG", solidPicture(640, 480, qRgb(200, 40, 40)));
  photo->run();
  QRgb pixel = photo->picture().pixel(300, 200);
  EXPECT_NEAR(qRed(pixel), 200, 3);
  EXPECT_NEAR(qGreen(pixel), 40, 3);

  auto both = showingCg("both");
  both->writePicture("both.BMP", solidPicture(640, 480, kLeaf));
  both->writePicture("both.JPG", solidPicture(640, 480, kLight));
  both->run();
  EXPECT_TRUE(allPixelsAre(both->picture(), kAboveTheBox, kLeaf)) << "the BMP comes first";
}

TEST(EnginePictures, NamesThatLeaveThePlayersFolderFindNoFile) {
  for (std::string_view name : {"sub/inside", "sub\\inside", "..", "missing", ""}) {
    auto game = showingCg(name);
    QDir(QString::fromStdString(game->location().folder)).mkdir("sub");
    game->writePicture("sub/inside.BMP", solidPicture(640, 480, kLight));
    game->writePicture("...BMP", solidPicture(640, 480, kLight));
    game->writePicture(".BMP", solidPicture(640, 480, kLight));
    EXPECT_EQ(game->run().reason, EndReason::End);
    EXPECT_TRUE(allPixelsAre(game->picture(), kAboveTheBox, qRgb(0, 0, 0))) << name;
    EXPECT_EQ(game->player().state().currentCg, 1);
  }
}

TEST(EnginePictures, NovelModeDarkensThePictureForItsText) {
  auto game = GameRun::fromScript(std::string(kNovelGame) + "@DEF,CG,dusk,dusk.BMP\n#,page\n@CG,dusk\n"
                                  "@TEXT,{\nあ\n}\n@BTN,1,one,{\n@END\n}\n@EVTWAIT\n");
  game->writePicture("dusk.BMP", solidPicture(640, 480, qRgb(100, 50, 30)));
  game->followRoute(clickThrough({1}));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(game->picture().pixel(600, 400), qRgb(36, 0, 0));
  EXPECT_EQ(game->display.boxes(), 0) << "novel mode has no message box";
}

// A character picture: the body in `body`, everything else in `key`.
QImage character(QRgb key, QRgb body, QRect where) {
  return makePicture(640, 480, [=](int x, int y) { return where.contains(x, y) ? body : key; });
}

TEST(EnginePictures, EachCharacterTakesItsOwnBottomLeftColourAsTransparent) {
  constexpr QRgb kMagenta = qRgb(255, 0, 255);
  constexpr QRgb kGreen = qRgb(0, 255, 0);
  constexpr QRgb kNavy = qRgb(0, 0, 128);
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,CG,wall,wall.BMP\n@DEF,CHR,sayo,sayo.BMP\n@DEF,CHR,usagi,usagi.BMP\n"
                                  "@TCOLORA\n#,one\n@CG,wall\n@CHR,sayo\n@END\n");
  game->writePicture("wall.BMP", solidPicture(640, 480, kLight));
  game->writePicture("sayo.BMP", character(kMagenta, kNavy, QRect(400, 100, 100, 200)));
  game->run();
  EXPECT_TRUE(allPixelsAre(game->picture(), QRect(400, 100, 100, 200), kNavy));
  EXPECT_TRUE(allPixelsAre(game->picture(), QRect(0, 0, 400, 350), kLight));

  auto next = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,CG,wall,wall.BMP\n@DEF,CHR,sayo,sayo.BMP\n@DEF,CHR,usagi,usagi.BMP\n"
                                  "@TCOLORA\n#,one\n@CG,wall\n@CHR,sayo\n@CHR,usagi\n@END\n");
  next->writePicture("wall.BMP", solidPicture(640, 480, kLight));
  next->writePicture("sayo.BMP", character(kMagenta, kNavy, QRect(400, 100, 100, 200)));
  // The rabbit's body is magenta: opaque now that green is the transparent colour.
  next->writePicture("usagi.BMP", character(kGreen, kMagenta, QRect(50, 100, 100, 200)));
  next->run();
  EXPECT_TRUE(allPixelsAre(next->picture(), QRect(50, 100, 100, 200), kMagenta));
  EXPECT_TRUE(allPixelsAre(next->picture(), QRect(400, 100, 100, 200), kLight)) << "the background is restored";
  EXPECT_THAT(numberFields(next->trace("chr"), "chr"), ElementsAre(1, 2));
}

TEST(EnginePictures, TheSameCharacterIsDrawnAgainOverANewPicture) {
  constexpr QRgb kNavy = qRgb(0, 0, 128);
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,CG,a,a.BMP\n@DEF,CG,b,b.BMP\n@DEF,CHR,sayo,sayo.BMP\n@WAIT,0\n"
                                  "#,one\n@CG,a\n@CHR,sayo\n#,two\n@CG,b\n@CHR,sayo\n@END\n");
  game->writePicture("a.BMP", solidPicture(640, 480, kLight));
  game->writePicture("b.BMP", solidPicture(640, 480, kLeaf));
  game->writePicture("sayo.BMP", character(qRgb(255, 0, 255), kNavy, QRect(400, 100, 100, 200)));
  game->run();
  EXPECT_TRUE(allPixelsAre(game->picture(), QRect(400, 100, 100, 200), kNavy));
  EXPECT_TRUE(allPixelsAre(game->picture(), QRect(0, 0, 400, 350), kLeaf));
  EXPECT_THAT(numberFields(game->trace("chr"), "chr"), ElementsAre(1)) << "the character did not change";

  auto gone = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,CG,a,a.BMP\n@DEF,CHR,sayo,sayo.BMP\n#,one\n@CG,a\n@CHR,sayo\n@CHR,\n@END\n");
  gone->writePicture("a.BMP", solidPicture(640, 480, kLight));
  gone->writePicture("sayo.BMP", character(qRgb(255, 0, 255), kNavy, QRect(400, 100, 100, 200)));
  gone->run();
  EXPECT_EQ(gone->player().state().currentChr, 0);
  EXPECT_TRUE(allPixelsAre(gone->picture(), QRect(400, 100, 100, 200), kNavy)) << "stays until the next repaint";
}

}  // namespace
}  // namespace pryx::player::testing
