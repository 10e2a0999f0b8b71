#pragma once
// The story as a graph: every page a node, every jump a built game can take an edge,
// read by the same button rules the distribution builder writes. What it shows wrong
// (pages no route reaches, pages where the game ends, jumps to no page, variables
// tested but never set) serves both the story map and the project check.

#include "project/project.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pryx::project {

enum class JumpKind {
  Goto,  // the button's jump, taken unless its condition sends it elsewhere
  Then,  // the condition's page, taken when the condition holds
};

struct StoryJump {
  int from = 0;             // page
  int button = 0;           // 1..5
  JumpKind kind = JumpKind::Goto;
  std::int64_t to = 0;      // a page, or a number that names none

  bool operator==(const StoryJump&) const = default;
};

struct StoryGraph {
  int pageCount = 0;
  // Index p (0 unused): page p's jumps by button, THEN before GOTO; whether a route
  // from page 1 reaches page p.
  std::vector<std::vector<StoryJump>> jumpsFrom;
  std::vector<bool> reachable;

  bool leadsToAPage(const StoryJump& jump) const { return jump.to >= 1 && jump.to <= pageCount; }
};

StoryGraph storyGraph(const Project& project);

enum class StoryProblem { Unreachable, GameEndsHere, JumpToNoPage, TestedNeverSet };

struct StoryFinding {
  StoryProblem problem = StoryProblem::Unreachable;
  int page = 0;                 // where it shows: for a variable, where it is first tested
  int button = 0;               // 1..5, or 0
  std::int64_t target = 0;      // JumpToNoPage: the number the jump names
  JumpKind kind = JumpKind::Goto;  // JumpToNoPage: which of the button's jumps
  std::int64_t variable = 0;    // TestedNeverSet

  bool operator==(const StoryFinding&) const = default;
};

// In page order; variables after the pages, in variable order.
std::vector<StoryFinding> storyFindings(const Project& project, const StoryGraph& graph);

enum class TextLanguage { English, Japanese };

// What the finding says, without its place: in English for `pryx check`, in
// Japanese for the editor's story map.
std::string storyFindingText(const Project& project, const StoryFinding& finding,
                             TextLanguage language = TextLanguage::English);

}  // namespace pryx::project
