#pragma once
// The run's trace for the page: each JSON line the trace writer ends goes to the
// page's host object as it is written.

#include <streambuf>
#include <string>

namespace pryx::player::web {

class TraceLines final : public std::streambuf {
 protected:
  int_type overflow(int_type character) override;

 private:
  std::string line_;
};

}  // namespace pryx::player::web
