// What the script compiler and the project builder write into a distribution folder:
// links there are replaced, never written through, also where the runtime's folders
// belong; a copy cut short never takes its target's name; a resource never takes the
// name of the kit's own files, nor of the runtime's files and folders; the fonts go
// cut down to the characters shown.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/cut_fonts.h"
#include "platform/distribution_files.h"
#include "platform/files.h"
#include "platform/font_subset.h"
#include "platform/midi_presets.h"
#include "platform/paths.h"
#include "platform/progress.h"
#include "platform/sjis.h"
#include "platform/soundfont_chunks.h"
#include "platform/soundfont_cut.h"
#include "platform/utf8.h"
#include "project/distribution.h"
#include "project/project.h"
#include "script/compiler.h"

namespace pryx {
namespace {

namespace fs = std::filesystem;
using platform::CopyOutcome;
using platform::FileCopy;

enum class Builder { Script, Project };

struct Resource {
  std::string name;
  std::string path;  // relative to the script's or project's folder
  std::string kind = "CG";
};

struct Built {
  std::vector<FileCopy> copies;
  bool gameFileWritten = false;
};

// Lowers the largest file this process may write, with the signal that would end it
// ignored, so that writes fail as on a full disk; restored when it goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

class DistributionWrites : public ::testing::TestWithParam<std::tuple<Builder, bool>> {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pryx-distribution-writes-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    for (const char* folder : {"kit", "game", "out", "victim"}) fs::create_directories(root_ / folder);
    write("kit/runtime/" + platform::playerProgramFileName(), "player");
    fs::permissions(root_ / "kit/runtime" / platform::playerProgramFileName(), fs::perms::owner_exec,
                    fs::perm_options::add);
    write("kit/runtime/" + std::string(platform::kDisplayLibraryFileName), "library");
    write("kit/runtime/lib/libextra.so.1", "extra");
    write("kit/runtime/Font.ttf", "font");
    write("kit/runtime/Kit.sf2", "kit instruments");
    write("kit/secret", "outside the runtime");
    write("kit/runtime/files.txt", "lib/libextra.so.1\nFont.ttf\nKit.sf2\n../secret\n/etc/passwd\n");
  }
  void TearDown() override { fs::remove_all(root_); }

  Builder builder() const { return std::get<0>(GetParam()); }
  bool overwrite() const { return std::get<1>(GetParam()); }

  void write(const std::string& name, std::string_view text) {
    fs::create_directories((root_ / name).parent_path());
    std::ofstream(root_ / name, std::ios::binary) << text;
  }
  std::string read(const std::string& name) const {
    auto bytes = platform::readWholeFile(platform::fromFsPath(root_ / name));
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
  }
  std::string out(std::string_view name) const { return platform::fromFsPath(root_ / "out" / name); }
  void link(const std::string& name, const std::string& target) { fs::create_symlink(target, root_ / "out" / name); }
  std::vector<std::string> outFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / "out")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Builds the game "game" from CG and BGM definitions and a first message, as a
  // script or as a project.
  Built build(const std::vector<Resource>& resources,
              platform::DistributionKind kind = platform::DistributionKind::Desktop, const std::string& message = {}) {
    platform::SilentProgress progress;
    Built built;
    if (builder() == Builder::Script) {
      std::string script;
      for (const Resource& resource : resources) {
        script += "@DEF," + resource.kind + "," + resource.name + "," + resource.path + "\r\n";
      }
      write("game/game.PXJ", script + "#,top\r\n@TEXT,{\r\n" + platform::encodeSjis(message) + "\r\n}\r\n@END\r\n");
      script::CompileResult result = script::progcompile(
          {platform::fromFsPath(root_ / "game/game.PXJ"), platform::fromFsPath(root_ / "out"), "game", !overwrite(),
           platform::fromFsPath(root_ / "kit"), kind},
          progress);
      built.copies = result.resourceCopies;
      built.copies.insert(built.copies.end(), result.programCopies.begin(), result.programCopies.end());
      built.gameFileWritten = result.gameFileWritten;
    } else {
      project::Project project = project::newProject();
      for (const Resource& resource : resources) {
        (resource.kind == "BGM" ? project.bgms : project.cgs).append({resource.name, resource.path});
      }
      project.pages[1].text = message;
      project::DistributionResult result = project::buildDistribution(
          project,
          {platform::fromFsPath(root_ / "out"), "game", overwrite(), platform::fromFsPath(root_ / "game/game.PXK"),
           platform::fromFsPath(root_ / "kit"), kind},
          progress);
      built.copies = result.copies;
      built.gameFileWritten = result.gameFileWritten;
    }
    return built;
  }

  const FileCopy* copyTo(const Built& built, std::string_view name) const {
    for (const FileCopy& copy : built.copies) {
      if (copy.target == out(name)) return &copy;
    }
    return nullptr;
  }

  fs::path root_;
};

TEST_P(DistributionWrites, LinksInTheFolderAreReplacedNeverWrittenThrough) {
  write("game/secret.BMP", "secret");
  write("game/forest.BMP", "forest");
  write("victim/kept.BMP", "victim");
  link("secret.BMP", "../victim/created.BMP");  // dangling
  link("forest.BMP", "../victim/kept.BMP");
  link("game.PRY", "../victim/game.PRY");
  link(std::string(platform::kDisplayLibraryFileName), "../victim/library");
  link("lib", "../victim");
  link("Font.ttf", "../victim/font");
  Built built = build({{"secret", "secret.BMP"}, {"forest", "forest.BMP"}});
  ASSERT_TRUE(built.gameFileWritten);

  for (const char* name : {"created.BMP", "game.PRY", "library", "libextra.so.1", "font"}) {
    EXPECT_FALSE(fs::exists(root_ / "victim" / name)) << name;
  }
  EXPECT_FALSE(fs::is_symlink(out("lib")));
  EXPECT_EQ(read("out/lib/libextra.so.1"), "extra");
  EXPECT_EQ(read("out/Font.ttf"), "font");
  EXPECT_EQ(read("victim/kept.BMP"), "victim");
  for (const char* name : {"secret.BMP", "game.PRY"}) EXPECT_FALSE(fs::is_symlink(out(name))) << name;
  EXPECT_EQ(read("out/secret.BMP"), "secret");
  EXPECT_EQ(read("out/" + std::string(platform::kDisplayLibraryFileName)), "library");
  EXPECT_EQ(read("out/forest.BMP"), overwrite() ? "forest" : "victim");  // a link to a file is kept unless replaced
}

TEST_P(DistributionWrites, AResourceNeverTakesTheNameOfTheKitsOwnFiles) {
  const std::string library(platform::kDisplayLibraryFileName);
  const std::string player = "game" + std::string(platform::kExecutableSuffix);
  write("game/payload/" + library, "payload");
  write("game/payload/" + player, "payload");
  write("game/payload/GAME.pry", "payload");
  write("game/payload/LIB", "payload");
  write("game/payload/font.TTF", "payload");
  Built built = build({{"lib", "payload/" + library},
                       {"run", "payload/" + player},
                       {"data", "payload/GAME.pry"},
                       {"folder", "payload/LIB"},
                       {"font", "payload/font.TTF"}});
  ASSERT_TRUE(built.gameFileWritten);

  EXPECT_EQ(read("out/" + library), "library");
  EXPECT_EQ(read("out/" + player), "player");
  EXPECT_NE(fs::status(out(player)).permissions() & fs::perms::owner_exec, fs::perms::none) << "it still runs";
  EXPECT_EQ(read("out/game.PRY").substr(0, 4), "PRYX");
  EXPECT_EQ(read("out/lib/libextra.so.1"), "extra");
  EXPECT_EQ(read("out/Font.ttf"), "font");
  // Only the runtime's list: nothing from beside it.
  std::vector<std::string> kitFiles{player, "game.PRY", library, "lib", "Font.ttf", "Kit.sf2"};
  std::sort(kitFiles.begin(), kitFiles.end());
  EXPECT_EQ(outFolder(), kitFiles);
  for (std::string name : {library, player, std::string("GAME.pry"), std::string("LIB"), std::string("font.TTF")}) {
    const FileCopy* refused = nullptr;
    for (const FileCopy& copy : built.copies) {
      if (copy.error == std::string(platform::kResourceNameTakenText) + name) refused = &copy;
    }
    ASSERT_NE(refused, nullptr) << name;
    EXPECT_EQ(refused->outcome, CopyOutcome::Failed);
    EXPECT_TRUE(refused->targetFault);
  }
}

TEST_P(DistributionWrites, ACopyCutShortNeverTakesItsTargetsName) {
  write("game/big.BMP", std::string(64 * 1024, 'p'));
  write("game/small.BMP", "small");
  Built built;
  {
    FileSizeLimit limit(16 * 1024);
    built = build({{"big", "big.BMP"}, {"small", "small.BMP"}});
  }
  ASSERT_TRUE(built.gameFileWritten);
  const FileCopy* big = copyTo(built, "big.BMP");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->outcome, CopyOutcome::Failed);
  EXPECT_TRUE(big->targetFault);
  EXPECT_EQ(big->error.rfind("could not write " + out("big.BMP") + ": ", 0), 0u) << big->error;
  EXPECT_EQ(read("out/small.BMP"), "small");
  for (const std::string& name : outFolder()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  EXPECT_FALSE(fs::exists(out("big.BMP")));

  // The next build copies it, instead of keeping a truncated file as if it were good.
  built = build({{"big", "big.BMP"}, {"small", "small.BMP"}});
  EXPECT_EQ(copyTo(built, "big.BMP")->outcome, CopyOutcome::Copied);
  EXPECT_EQ(read("out/big.BMP").size(), 64u * 1024);
}

TEST_P(DistributionWrites, AnAuthorsSoundFontTravelsInsteadOfTheKits) {
  write("game/Own.SF2", "own instruments");
  Built built = build({});
  ASSERT_TRUE(built.gameFileWritten);
  EXPECT_EQ(read("out/Own.SF2"), "own instruments");
  EXPECT_FALSE(fs::exists(out("Kit.sf2")));
}

// The SoundFont travels cut down to the presets the game's music selects. One that
// cannot be cut, or a game whose music cannot be read, carries it whole; the web
// page plays the author's SoundFont too.
TEST_P(DistributionWrites, TheSoundFontTravelsCutDownToTheGamesMusic) {
  std::optional<platform::Bytes> whole = platform::readWholeFile("/usr/share/sounds/sf2/TimGM6mb.sf2");
  if (!whole) GTEST_SKIP() << "TimGM6mb is not installed";
  const std::string piece = read("../../" + fs::relative(PRYX_SOURCE_DIR "/samples/tsukiyo/bgm/yoake.MID", root_).string());
  write("game/yoake.MID", piece);
  const std::vector<Resource> music{{"dawn", "yoake.MID", "BGM"}};
  auto carried = [&](const platform::Bytes& soundFont, platform::DistributionKind kind) {
    write("game/Own.sf2", std::string_view(reinterpret_cast<const char*>(soundFont.data()), soundFont.size()));
    fs::remove(out("Own.sf2"));
    EXPECT_TRUE(build(music, kind).gameFileWritten);
    return platform::readWholeFile(out("Own.sf2")).value_or(platform::Bytes{});
  };

  const std::span<const std::uint8_t> pieceBytes(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
  const auto presets = platform::presetsReachedBy(std::span(&pieceBytes, 1));
  ASSERT_TRUE(presets);
  EXPECT_EQ(carried(*whole, platform::DistributionKind::Desktop), platform::cutSoundFont(*whole, *presets, nullptr));
  EXPECT_LT(fs::file_size(out("Own.sf2")) * 4, whole->size());

  // Music with other instruments: the SoundFont cut before is replaced, even where
  // the build keeps what it finds.
  const std::string otherPiece =
      read("../../" + fs::relative(PRYX_SOURCE_DIR "/samples/tsukiyo/bgm/matsuri.MID", root_).string());
  const std::span<const std::uint8_t> otherBytes(reinterpret_cast<const std::uint8_t*>(otherPiece.data()),
                                                 otherPiece.size());
  const auto otherPresets = platform::presetsReachedBy(std::span(&otherBytes, 1));
  ASSERT_TRUE(otherPresets);
  ASSERT_NE(*otherPresets, *presets);
  write("game/yoake.MID", otherPiece);
  fs::remove(out("yoake.MID"));
  EXPECT_TRUE(build(music).gameFileWritten);
  EXPECT_EQ(platform::readWholeFile(out("Own.sf2")), platform::cutSoundFont(*whole, *otherPresets, nullptr));
  // Music that cannot be read: the whole SoundFont, whatever cut lies there.
  write("game/yoake.MID", piece.substr(0, piece.size() / 2));
  fs::remove(out("yoake.MID"));
  EXPECT_TRUE(build(music).gameFileWritten);
  EXPECT_EQ(platform::readWholeFile(out("Own.sf2")), *whole);
  write("game/yoake.MID", piece);
  fs::remove(out("yoake.MID"));

  std::vector<platform::Bytes> broken{platform::Bytes(whole->begin(), whole->begin() + 100000)};
  for (auto [table, field, value] : {std::tuple{platform::Hydra::PresetGenerators, 2, 0xFFFF},  // no such instrument
                                     std::tuple{platform::Hydra::SampleHeaders, 44, 0x8001},    // samples in ROM
                                     std::tuple{platform::Hydra::SampleHeaders, 44, 0x0011},    // compressed
                                     std::tuple{platform::Hydra::SampleHeaders, 22, 0},         // overlapping
                                     std::tuple{platform::Hydra::PresetHeaders, 24, 0xFFFF}}) { // bags past the table
    platform::SoundFontChunks chunks = *platform::readSoundFontChunks(*whole, nullptr);
    platform::Bytes& records = chunks.table(table);
    const std::size_t size = platform::kHydraRecordSizes[static_cast<std::size_t>(table)];
    for (std::size_t at = 0; at + size <= records.size(); at += size) {
      if (table != platform::Hydra::PresetGenerators || platform::readField(records, at, 2) == 41) {
        platform::writeField(records, at + field, 2, value);
      }
    }
    broken.push_back(platform::writeSoundFontChunks(chunks));
  }
  for (const platform::Bytes& soundFont : broken) {
    EXPECT_EQ(carried(soundFont, platform::DistributionKind::Desktop), soundFont);
  }
  write("game/yoake.MID", piece.substr(0, piece.size() / 2));
  fs::remove(out("yoake.MID"));  // else a build that keeps what it finds plays the whole piece kept there
  EXPECT_EQ(carried(*whole, platform::DistributionKind::Web), *whole);
  EXPECT_FALSE(fs::exists(out("TimGM6mb.sf2")));
  EXPECT_NE(read("out/files.json").find("\"soundFont\":\"Own.sf2\","), std::string::npos) << read("out/files.json");
}

// A web folder: the browser player's files instead of the desktop's, a resource
// never named like one of them, and the page's list naming exactly the game file
// and the resources in the folder.
TEST_P(DistributionWrites, AWebFolderListsTheFilesThePageLoads) {
  const fs::path font = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
  write("kit/web/index.html", "page");
  write("kit/web/pryx-web-player.wasm", "wasm");
  write("kit/web/files.txt", "Kit.sf2\nipam.ttf\n");
  write("kit/web/Kit.sf2", "kit instruments");
  write("kit/web/libfluidsynth-2.3.0.js", "synthesizer");
  write("kit/web/libfluidsynth-2.3.0-with-libsndfile.js", "synthesizer reading .sf3");
  if (fs::exists(font)) fs::copy_file(font, root_ / "kit/web/ipam.ttf");
  write("game/moon.BMP", "moon");
  write("game/page.html", "payload");
  Built built = build({{"moon", "moon.BMP"}, {"gone", "gone.BMP"}, {"page", "page.html"}, {"fake", "INDEX.HTML"}},
                      platform::DistributionKind::Web);
  ASSERT_TRUE(built.gameFileWritten);

  EXPECT_EQ(read("out/index.html"), "page");
  EXPECT_EQ(read("out/pryx-web-player.wasm"), "wasm");
  EXPECT_EQ(read("out/Kit.sf2"), "kit instruments");
  EXPECT_FALSE(fs::exists(out("game" + std::string(platform::kExecutableSuffix))));
  EXPECT_FALSE(fs::exists(out(platform::kDisplayLibraryFileName)));
  ASSERT_NE(copyTo(built, "INDEX.HTML"), nullptr);
  EXPECT_EQ(copyTo(built, "INDEX.HTML")->error, std::string(platform::kResourceNameTakenText) + "INDEX.HTML");
  ASSERT_NE(copyTo(built, "files.json"), nullptr);
  EXPECT_EQ(copyTo(built, "files.json")->outcome, CopyOutcome::Copied);
  if (!platform::fontCharacters(platform::fromFsPath(font), std::u32string_view(U"月")).empty()) {
    EXPECT_EQ(read("out/files.json"),
              "{\"name\":\"game\",\"files\":[\"game.PRY\",\"moon.BMP\",\"page.html\"],"
              "\"fonts\":[\"pryx-mincho.ttf\"],\"soundFont\":\"Kit.sf2\",\"synthesizer\":\"libfluidsynth-2.3.0.js\"}\n");
    EXPECT_LT(fs::file_size(out("pryx-mincho.ttf")) * 10, fs::file_size(font)) << "cut down to the game's characters";
  }
  EXPECT_FALSE(fs::exists(out("libfluidsynth-2.3.0-with-libsndfile.js")));

  // Only the larger synthesizer reads the compressed samples of an author's .sf3.
  write("game/Own.sf3", "compressed instruments");
  ASSERT_TRUE(build({}, platform::DistributionKind::Web).gameFileWritten);
  EXPECT_EQ(read("out/libfluidsynth-2.3.0-with-libsndfile.js"), "synthesizer reading .sf3");
  EXPECT_NE(read("out/files.json").find("\"soundFont\":\"Own.sf3\",\"synthesizer\":\"libfluidsynth-2.3.0-with-libsndfile.js\""),
            std::string::npos)
      << read("out/files.json");
}

// The fonts go cut down to what the game and the player show, under names of their
// own (the original's licence asks it) with a note; a kept cut font that would lack
// a character of the changed game is cut again; a font that cannot be cut goes
// whole, as any runtime file.
TEST_P(DistributionWrites, TheFontsGoCutDownToTheCharactersShown) {
  const std::string mincho = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
  if (platform::fontCharacters(mincho, std::u32string_view(U"月")).empty()) GTEST_SKIP() << "needs IPAMincho, HarfBuzz";
  fs::copy_file(mincho, root_ / "kit/runtime/ipam.ttf");
  write("kit/runtime/ipagp.ttf", "no font");
  write("kit/runtime/files.txt", "ipam.ttf\nipagp.ttf\n");
  write("victim/font", "victim");
  link("pryx-mincho.ttf", "../victim/font");
  const bool keeps = builder() == Builder::Script || !overwrite();
  std::string previous;
  for (const std::string message : {"月夜の晩", "鬱蒼とした森", "鬱蒼とした森"}) {
    const bool unchanged = std::exchange(previous, message) == message;
    Built built = build({}, platform::DistributionKind::Desktop, message);
    ASSERT_TRUE(built.gameFileWritten);
    const FileCopy* cut = copyTo(built, "pryx-mincho.ttf");
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->outcome, keeps && unchanged ? CopyOutcome::KeptExisting : CopyOutcome::Copied) << message;
    auto gameFile = platform::readWholeFile(out("game.PRY"));
    ASSERT_TRUE(gameFile);
    const std::vector<char32_t> shown = platform::charactersOfGameFile(*gameFile);
    EXPECT_EQ(platform::fontCharacters(out("pryx-mincho.ttf"), shown), platform::fontCharacters(mincho, shown)) << message;
    // The message's own characters, not only what the writer took from the game file.
    const std::u32string typed = platform::decodeUtf8(message);
    EXPECT_EQ(platform::fontCharacters(out("pryx-mincho.ttf"), typed).size(), typed.size()) << message;
    EXPECT_LT(fs::file_size(out("pryx-mincho.ttf")) * 10, fs::file_size(mincho));
    const std::string font = read("out/pryx-mincho.ttf");
    EXPECT_EQ(font.find("IPAMincho"), std::string::npos);
    EXPECT_EQ(font.find(std::string("\0I\0P\0A\0M\0i\0n\0c\0h\0o", 18)), std::string::npos);
    EXPECT_NE(font.find(std::string("\0P\0R\0Y\0X\0 \0M\0i\0n\0c\0h\0o", 22)), std::string::npos);
    EXPECT_FALSE(fs::exists(out("ipam.ttf")));
    EXPECT_EQ(read("out/ipagp.ttf"), "no font");
    EXPECT_FALSE(fs::exists(out("pryx-pgothic.ttf")));
    EXPECT_NE(read("out/FONTS.txt").find("pryx-mincho.ttf (PRYX Mincho): IPAMincho (ipam.ttf)"), std::string::npos);
  }
  EXPECT_EQ(read("victim/font"), "victim");
  write("game/FONTS.txt", "payload");
  write("game/PRYX-MINCHO.TTF", "payload");
  Built built = build({{"note", "FONTS.txt"}, {"cut", "PRYX-MINCHO.TTF"}});
  for (std::string_view name : {"FONTS.txt", "PRYX-MINCHO.TTF"}) {
    ASSERT_NE(copyTo(built, name), nullptr) << name;
    EXPECT_EQ(copyTo(built, name)->error, std::string(platform::kResourceNameTakenText) + std::string(name));
  }
}

INSTANTIATE_TEST_SUITE_P(BothBuildsBothAnswers, DistributionWrites,
                         ::testing::Combine(::testing::Values(Builder::Script, Builder::Project), ::testing::Bool()));

// The string literals of a C++ source file, comments and character literals skipped
// (escapes are kept as written: only characters beyond ASCII matter here).
std::vector<std::string> stringLiterals(std::string_view source) {
  std::vector<std::string> literals;
  for (std::size_t at = 0; at < source.size(); ++at) {
    if (source.substr(at, 2) == "//") {
      at = std::min(source.find('\n', at), source.size());
    } else if (source.substr(at, 2) == "/*") {
      at = std::min(source.find("*/", at), source.size());
    } else if (source[at] == '"' || source[at] == '\'') {
      const char quote = source[at];
      std::size_t end = at + 1;
      while (end < source.size() && source[end] != quote) end += source[end] == '\\' ? 2 : 1;
      if (quote == '"') literals.emplace_back(source.substr(at + 1, end - at - 1));
      at = end;
    }
  }
  return literals;
}

// Every character of the player's own texts (its menus, message boxes and history,
// the engine's messages, the display library's: every string in their sources) is
// kept in a distribution's cut fonts, whatever the game. The browser's page draws
// its texts with the browser's fonts.
TEST(PlayerTexts, EveryCharacterIsKeptInTheCutFonts) {
  const std::vector<char32_t> kept = platform::charactersOfGameFile({});
  int literals = 0;
  for (const char* folder : {"player", "platform/zorvex"}) {
    const fs::path root = fs::path(PRYX_SOURCE_DIR) / folder;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
      const fs::path& file = it->path();
      if (file == root / "web") it.disable_recursion_pending();
      if (file.extension() != ".cpp" && file.extension() != ".h") continue;
      auto source = platform::readWholeFile(platform::fromFsPath(file));
      ASSERT_TRUE(source) << file;
      for (const std::string& literal : stringLiterals({reinterpret_cast<const char*>(source->data()), source->size()})) {
        ++literals;
        for (char32_t c : platform::decodeUtf8(literal)) {
          EXPECT_TRUE(std::binary_search(kept.begin(), kept.end(), c))
              << file.filename() << ": \"" << literal << "\" holds U+" << std::hex << static_cast<std::uint32_t>(c);
        }
      }
    }
  }
  EXPECT_GT(literals, 100);
}

// A save through a temporary file (game file, project, player save) that cannot be
// finished keeps the old file and leaves nothing else behind.
TEST(ReplacingWrites, AFailedWriteKeepsTheOldFileAndRemovesItsTemporaryFile) {
  const fs::path folder = fs::temp_directory_path() / ("pryx-replacing-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string path = platform::fromFsPath(folder / "game.PXK");
  ASSERT_TRUE(platform::writeFileReplacing(path, std::string_view("old")));
  std::string error;
  {
    FileSizeLimit limit(1024);
    EXPECT_FALSE(platform::writeFileReplacing(path, std::string(4096, 'x'), &error));
  }
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(platform::readWholeFile(path)->size(), 3u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pryx
