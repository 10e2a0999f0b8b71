// The editor's distribution build where a step cannot even start: the message
// names the file at fault with its reason once, and is never "作成完了".

#include "editor/distribution_job.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "tests/support/tool_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pryx::editor {
namespace {

class DistributionJobTest : public testing::ToolFolder {
 protected:
  project::Message build(BuildSource source, const std::string& folder, const project::ProjectDocument* document,
                         const std::string& script = {}) {
    platform::SilentProgress progress;
    return buildDistribution({source, folder, "game", false, path("kit")}, document, script, progress);
  }
};

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(DistributionJobTest, aStepThatCannotStartIsNamedOnceAndNeverDone) {
  write("file", "not a folder");
  project::ProjectDocument document;
  struct Case {
    BuildSource source;
    std::string folder;
    const project::ProjectDocument* document;
    std::string script;
    std::string named;
  };
  for (const Case& c : {Case{BuildSource::Script, path("out"), nullptr, path("missing.PXJ"), path("missing.PXJ")},
                        Case{BuildSource::Project, path("file/out"), &document, {}, path("file/out")},
                        Case{BuildSource::Project, path("out"), nullptr, {}, "プロジェクト"}}) {
    project::Message message = build(c.source, c.folder, c.document, c.script);
    EXPECT_EQ(message.icon, project::MessageIcon::Warning) << c.named;
    EXPECT_EQ(occurrences(message.text, c.named), 1U) << message.text;
  }
}

// The window's choice of a web folder reaches both builders.
TEST_F(DistributionJobTest, aWebJobWritesTheFolderAWebServerServes) {
  std::filesystem::create_directories(path("kit/web"));
  write("kit/web/index.html", "page");
  write("game.PXJ", "#,top\r\n@END\r\n");
  project::ProjectDocument document;
  platform::SilentProgress progress;
  for (BuildSource source : {BuildSource::Script, BuildSource::Project}) {
    std::string folder = path(source == BuildSource::Script ? "script-web" : "project-web");
    buildDistribution({source, folder, "game", false, path("kit"), platform::DistributionKind::Web}, &document,
                      path("game.PXJ"), progress);
    EXPECT_TRUE(platform::fileExists(folder + "/files.json")) << folder;
    EXPECT_TRUE(platform::fileExists(folder + "/index.html")) << folder;
    EXPECT_FALSE(platform::fileExists(folder + "/" + std::string(platform::kDisplayLibraryFileName))) << folder;
  }
}

TEST(DistributionNames, onlyOneNameInsideTheFolderIsTaken) {
  for (const char* name : {"", ".", "..", "a/b", "a\\b", "/abs"}) EXPECT_FALSE(isPlainFileName(name)) << name;
  for (const char* name : {"NoTitle", "月夜", "a.b", "..a"}) EXPECT_TRUE(isPlainFileName(name)) << name;
}

}  // namespace
}  // namespace pryx::editor
