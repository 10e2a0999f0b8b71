#include "player/headless/trace_writer.h"

#include "platform/json_text.h"

namespace pryx::player::headless {

using platform::jsonString;

namespace {

void begin(std::ostream& out, const char* event, std::int32_t pc) {
  out << "{\"event\":\"" << event << "\",\"pc\":" << pc;
}

void end(std::ostream& out) { out << "}\n" << std::flush; }

}  // namespace

void TraceWriter::numberEvent(const char* event, std::int32_t pc, const char* key, std::int64_t value) {
  begin(out_, event, pc);
  out_ << ",\"" << key << "\":" << value;
  end(out_);
}

void TraceWriter::label(std::int32_t pc, int label) { numberEvent("label", pc, "label", label); }
void TraceWriter::cg(std::int32_t pc, int cg) { numberEvent("cg", pc, "cg", cg); }
void TraceWriter::chr(std::int32_t pc, int chr) { numberEvent("chr", pc, "chr", chr); }
void TraceWriter::bgm(std::int32_t pc, int bgm) { numberEvent("bgm", pc, "bgm", bgm); }
void TraceWriter::choose(std::int32_t pc, int slot) { numberEvent("choose", pc, "slot", slot); }

void TraceWriter::text(std::int32_t pc, int message, const std::string& text) {
  begin(out_, "text", pc);
  out_ << ",\"message\":" << message << ",\"text\":" << jsonString(text);
  end(out_);
}

void TraceWriter::choices(std::int32_t pc, const std::vector<std::string>& captions) {
  begin(out_, "choices", pc);
  out_ << ",\"captions\":[";
  for (std::size_t i = 0; i < captions.size(); ++i) out_ << (i ? "," : "") << jsonString(captions[i]);
  out_ << ']';
  end(out_);
}

void TraceWriter::variable(std::int32_t pc, int variable, std::int32_t value) {
  begin(out_, "var", pc);
  out_ << ",\"var\":" << variable << ",\"value\":" << value;
  end(out_);
}

void TraceWriter::slotEvent(const char* event, std::int32_t pc, int slot, bool done) {
  begin(out_, event, pc);
  out_ << ",\"slot\":" << slot << ",\"done\":" << (done ? "true" : "false");
  end(out_);
}

void TraceWriter::save(std::int32_t pc, int slot, bool done) { slotEvent("save", pc, slot, done); }
void TraceWriter::load(std::int32_t pc, int slot, bool done) { slotEvent("load", pc, slot, done); }

void TraceWriter::ended(std::int32_t pc, EndReason reason, const std::string& message) {
  begin(out_, "end", pc);
  out_ << ",\"reason\":\"" << endReasonText(reason) << "\",\"message\":" << jsonString(message);
  end(out_);
}

}  // namespace pryx::player::headless
