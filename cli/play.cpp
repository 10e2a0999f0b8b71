// pryx play: a game file played without a window along a route, for playtests in CI.
// It runs in the program pryx-play, the only part of the tool that links the engine.

#include <charconv>
#include <fstream>
#include <iostream>

#include "authoring/project_play.h"
#include "cli/arguments.h"
#include "cli/play.h"
#include "cli/project_open.h"
#include "player/gamefile/chains.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "player/headless/headless_play.h"

namespace pryx::cli {
namespace {

// Closes the trace file; false, with a message, when any of it could not be written.
bool traceWritten(std::ofstream& trace, const std::optional<std::string>& path, std::ostream& err) {
  if (!path) return true;
  trace.close();
  if (trace) return true;
  err << "pryx play: cannot write all of the trace " << *path << " (is the disk full?)\n";
  return false;
}

int usageError(std::ostream& err, const std::string& problem) {
  err << "pryx play: " << problem << "\n\n" << kPlayUsage;
  return 2;
}

// --from-page and --set: where the run starts, checked against the game.
bool readStart(const Arguments& parsed, const project::Project* project, player::headless::HeadlessRequest& request,
               std::string& problem) {
  if (auto page = parsed.value("--from-page")) {
    auto label = authoring::variableValue(*page);
    if (!label || *label < 1) {
      problem = "--from-page takes a page number from 1, not \"" + *page + "\"";
      return false;
    }
    if (!request.image) request.image = player::readGameFile(request.gameFile);
    // A game file that cannot be read is reported as the run's failure.
    std::size_t pages = request.image ? gamefile::loadLabelChain(*request.image).positions.size() : 0;
    if (request.image && static_cast<std::size_t>(*label) > pages) {
      problem = "--from-page " + *page + ": the game has " + std::to_string(pages) + " pages";
      return false;
    }
    request.start.label = *label;
  }
  for (const std::string& text : parsed.values("--set")) {
    auto preset = authoring::parseVariablePreset(project, text, problem);
    if (!preset) return false;
    request.start.variables.push_back(*preset);
  }
  return true;
}

}  // namespace

int runPlay(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {"--choose", "--menu", "--answer", "--saves", "--trace", "--frames", "--max-steps",
                                "--from-page", "--set"},
                   {"--headless"});
  if (!parsed.error().empty()) return usageError(err, parsed.error());
  if (parsed.positional().size() != 1) return usageError(err, "give exactly one game file");
  if (!parsed.has("--headless")) {
    err << "pryx play: the window player is PRYXPlayer; use --headless to play here without a window\n";
    return 2;
  }

  player::headless::HeadlessRequest request;
  request.gameFile = parsed.positional().front();
  std::string problem;
  std::optional<project::Project> project;
  if (isProjectFile(request.gameFile)) {
    project = openProjectFile("play", request.gameFile, err);
    if (!project) return 1;
    platform::SilentProgress silent;
    authoring::ProjectPlay play = authoring::prepareProjectPlay(*project, request.gameFile, silent);
    request.image.emplace(std::move(play.gameFile));
    request.findResource = std::move(play.findResource);
  }
  if (!readStart(parsed, project ? &*project : nullptr, request, problem)) return usageError(err, problem);
  if (auto choose = parsed.value("--choose")) {
    auto choices = player::headless::parseChoices(*choose, problem);
    if (!choices) return usageError(err, problem);
    request.route.choices = *choices;
  }
  for (const std::string& text : parsed.values("--menu")) {
    auto action = player::headless::parseMenuAction(text, problem);
    if (!action) return usageError(err, problem);
    request.route.menuActions.push_back(*action);
  }
  if (auto answer = parsed.value("--answer")) {
    if (*answer != "yes" && *answer != "no") return usageError(err, "--answer takes yes or no");
    request.route.answerYes = *answer == "yes";
  }
  if (auto steps = parsed.value("--max-steps")) {
    std::int64_t limit = 0;
    const auto [end, failure] = std::from_chars(steps->data(), steps->data() + steps->size(), limit);
    if (failure != std::errc() || end != steps->data() + steps->size() || limit < 1) {
      return usageError(err, "--max-steps takes a number of instructions from 1, not \"" + *steps + "\"");
    }
    request.maxSteps = limit;
  }
  request.saveFolder = parsed.value("--saves").value_or("");
  request.framesFolder = parsed.value("--frames").value_or("");
  for (const std::string& folder : {request.saveFolder, request.framesFolder}) {
    if (!folder.empty() && !platform::createDirectories(folder, &problem)) {
      err << "pryx play: cannot create " << folder << ": " << problem << '\n';
      return 1;
    }
  }
  std::ofstream traceFile;
  if (auto tracePath = parsed.value("--trace")) {
    traceFile.open(platform::toFsPath(*tracePath), std::ios::binary | std::ios::trunc);
    if (!traceFile) {
      err << "pryx play: cannot write the trace " << *tracePath << '\n';
      return 1;
    }
    request.trace = &traceFile;
  }

  auto result = player::headless::playHeadless(request);

  if (!result.loaded) {
    err << "pryx play: " << result.end.message << " (" << request.gameFile << ")\n";
    traceWritten(traceFile, parsed.value("--trace"), err);
    return 1;
  }
  out << "end: " << player::endReasonText(result.end.reason);
  if (!result.end.message.empty()) out << " \"" << result.end.message << '"';
  out << '\n';
  if (!request.framesFolder.empty()) out << "frames: " << result.frames << " in " << request.framesFolder << '\n';
  bool failed = player::endedInFailure(result.end.reason);
  if (!result.frameFailure.empty()) {
    err << "pryx play: cannot write the frame " << result.frameFailure << '\n';
    failed = true;
  }
  if (!result.routeProblem.empty()) {
    err << "pryx play: " << result.routeProblem << '\n';
    failed = true;
  }
  if (!traceWritten(traceFile, parsed.value("--trace"), err)) failed = true;
  return failed ? 1 : 0;
}

}  // namespace pryx::cli
