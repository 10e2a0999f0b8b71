// The sample game as a project: the file is exactly what the editor saves, the
// project is clean, and its build plays every route of the sample's README as the
// script's build does.

#include "project/project_check.h"
#include "project/project_file.h"
#include "tests/support/played_events.h"
#include "tests/support/tool_folder.h"

#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace pryx::project {
namespace {

using Lines = std::vector<std::string>;

const std::string kSampleFolder = PRYX_SOURCE_DIR "/samples/tsukiyo/";
const std::string kProjectPath = kSampleFolder + "tsukiyo.PXK";

std::string fileText(const std::string& path) {
  auto bytes = platform::readWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// The --choose values of the README's route table for the normal-mode script.
std::vector<std::string> readmeRoutes() {
  std::istringstream lines(fileText(kSampleFolder + "README.md"));
  std::vector<std::string> routes;
  bool inSection = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("### ")) inSection = line == "### `tsukiyo.PXJ` (normal mode)";
    if (!inSection || !line.starts_with("| `")) continue;
    std::string route = line.substr(3, line.find('`', 3) - 3);
    if (route.find_first_not_of("0123456789,") == std::string::npos) routes.push_back(route);
  }
  return routes;
}

TEST(SampleProject, IsACleanFileInTheFormTheEditorSaves) {
  std::string bytes = fileText(kProjectPath);
  ASSERT_FALSE(bytes.empty()) << "the sample project is missing";
  DecodedProject decoded = decodeProjectFile(bytes);
  ASSERT_TRUE(decoded.project) << decoded.refusal;
  EXPECT_TRUE(decoded.warnings.empty());

  EncodedProject saved = encodeProjectFile(*decoded.project);
  EXPECT_EQ(saved.bytes, bytes) << "saving it again changes the file";
  EXPECT_TRUE(saved.unstorable.empty());

  for (const Finding& finding : checkProject(*decoded.project, kProjectPath)) {
    if (!finding.note) ADD_FAILURE() << describe(*decoded.project, finding);
  }
}

struct Play {
  Lines events;                        // variable changes left out: see variables
  std::map<int, int> variables;        // the last value of each, 0 if never set
  std::string save;                    // the silent save's slot-7 file
};

using SampleProjectRoutes = testing::ToolFolder;

// The project cannot call a page as a subroutine, nor run two operations in one
// button, so it reaches the same values by other steps; what the player sees and
// the values the variables end with must not differ.
TEST_F(SampleProjectRoutes, PlayAsTheScriptDoes) {
  auto decoded = decodeProjectFile(fileText(kProjectPath));
  ASSERT_TRUE(decoded.project);
  const int variableCount = decoded.project->variables.count();
  // The project ends on a closing page of its own (its last), where the script ends
  // in the ending pages' buttons: that page's label is its only extra event.
  const std::string closingLabel =
      R"({"event":"label","label":)" + std::to_string(decoded.project->pageCount()) + "}";

  pryx("build '" + kProjectPath + "' --out project --name tsukiyo");
  pryx("build '" + kSampleFolder + "tsukiyo.PXJ' --out script --name tsukiyo");
  ASSERT_TRUE(platform::fileExists(path("project/tsukiyo.PRY"))) << read("output.txt");
  ASSERT_TRUE(platform::fileExists(path("script/tsukiyo.PRY"))) << read("output.txt");

  auto play = [&](const std::string& build, const std::string& route) {
    std::filesystem::remove_all(path(build + "-saves"));
    EXPECT_EQ(pryx("play " + build + "/tsukiyo.PRY --headless --choose " + route + " --saves " + build +
                   "-saves --trace " + build + ".trace"),
              0)
        << read("errors.txt");
    Play played;
    for (int variable = 1; variable <= variableCount; ++variable) played.variables[variable] = 0;
    const std::string variableEvent = R"({"event":"var","var":)";
    for (std::string& event : testing::playedEvents(read(build + ".trace"))) {
      if (event == closingLabel && build == "project") continue;
      if (event.starts_with(variableEvent)) {
        played.variables[std::stoi(event.substr(variableEvent.size()))] =
            std::stoi(event.substr(event.find(R"("value":)") + 8));
      } else {
        played.events.push_back(std::move(event));
      }
    }
    auto save = platform::readWholeFile(path(build + "-saves/tsukiyo7.SAV"));
    EXPECT_TRUE(save) << build << " made no silent save";
    if (save) played.save.assign(save->begin(), save->end());
    if (played.save.size() > 6) played.save.erase(2, 4);  // the saved code position is the writer's own
    return played;
  };

  std::vector<std::string> routes = readmeRoutes();
  ASSERT_GE(routes.size(), 5u) << "the README's route table was not found";
  for (const std::string& route : routes) {
    Play project = play("project", route);
    Play script = play("script", route);
    ASSERT_FALSE(script.events.empty()) << route;
    EXPECT_EQ(script.events.back(), R"({"event":"end","reason":"END","message":""})") << route;
    EXPECT_EQ(project.events, script.events) << route;
    EXPECT_EQ(project.variables, script.variables) << route;
    EXPECT_EQ(project.save, script.save) << route;
  }
}

}  // namespace
}  // namespace pryx::project
