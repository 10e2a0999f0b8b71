#pragma once
// The trace of a run: one JSON object per line for each observable event, each with
// the position of the instruction that caused it ("pc"). Texts are UTF-8.

#include <ostream>

#include "player/observer.h"

namespace pryx::player::headless {

class TraceWriter final : public PlayObserver {
 public:
  explicit TraceWriter(std::ostream& out) : out_(out) {}

  void label(std::int32_t pc, int label) override;
  void cg(std::int32_t pc, int cg) override;
  void chr(std::int32_t pc, int chr) override;
  void bgm(std::int32_t pc, int bgm) override;
  void text(std::int32_t pc, int message, const std::string& text) override;
  void choices(std::int32_t pc, const std::vector<std::string>& captions) override;
  void choose(std::int32_t pc, int slot) override;
  void variable(std::int32_t pc, int variable, std::int32_t value) override;
  void save(std::int32_t pc, int slot, bool done) override;
  void load(std::int32_t pc, int slot, bool done) override;
  void ended(std::int32_t pc, EndReason reason, const std::string& message) override;

 private:
  void numberEvent(const char* event, std::int32_t pc, const char* key, std::int64_t value);
  void slotEvent(const char* event, std::int32_t pc, int slot, bool done);

  std::ostream& out_;
};

}  // namespace pryx::player::headless
