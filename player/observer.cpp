#include "player/observer.h"

namespace pryx::player {

std::string_view endReasonText(EndReason reason) {
  switch (reason) {
    case EndReason::End: return "END";
    case EndReason::CodeEnd: return "code-end";
    case EndReason::PastEnd: return "past-end";
    case EndReason::NoButton: return "no-button";
    case EndReason::Error: return "error";
    case EndReason::Version: return "version";
    case EndReason::Closed: return "closed";
    case EndReason::NoMoreInput: return "no-more-input";
    case EndReason::StepLimit: return "step-limit";
  }
  return "error";
}

bool endedInFailure(EndReason reason) {
  return reason == EndReason::Error || reason == EndReason::Version || reason == EndReason::StepLimit;
}

}  // namespace pryx::player
