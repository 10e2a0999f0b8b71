#include "tests/support/played_events.h"

#include <regex>
#include <sstream>

namespace pryx::testing {

std::vector<std::string> playedEvents(const std::string& trace) {
  static const std::regex kPictureOrMusic(R"re(^\{"event":"(cg|chr|bgm)")re");
  static const std::regex kWriterChoices(R"re("(pc|message)":-?[0-9]+,)re");
  std::vector<std::string> events;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    if (!std::regex_search(line, kPictureOrMusic)) events.push_back(std::regex_replace(line, kWriterChoices, ""));
  }
  return events;
}

}  // namespace pryx::testing
