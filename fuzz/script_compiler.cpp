// Any bytes as a script: the compiler must not crash, must build the same game file
// with and without findings (check and build agree), and the format's own readers
// must accept what it wrote.

#include <cstdint>
#include <cstdlib>

#include "player/gamefile/chains.h"
#include "player/gamefile/image.h"
#include "script/compiler.h"

using namespace pryx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view script(reinterpret_cast<const char*>(data), size);
  script::Findings findings;
  script::CompileHooks checking;
  checking.findings = &findings;
  std::vector<std::uint8_t> checked = script::compileScriptText(script, checking);
  std::vector<std::uint8_t> built = script::compileScriptText(script);
  if (checked != built) std::abort();

  gamefile::GameImage image(std::move(built));
  if (!image.hasMagic() || loadLabelChain(image).broken) std::abort();
  for (const auto& record : textChainRecords(image)) {
    if (!record.text) std::abort();
  }
  for (const auto& record : buttonChainRecords(image)) {
    if (!record.text) std::abort();
  }
  return 0;
}
