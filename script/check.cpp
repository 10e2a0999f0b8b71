#include "script/check.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "script/compiler.h"

namespace pryx::script {
namespace {

// Lines whose bytes are no Shift-JIS text: the player would show them as "?".
void reportInvalidBytes(std::string_view script, Findings& findings) {
  int line = 1;
  for (std::size_t start = 0; start < script.size(); ++line) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    bool invalid = false;
    platform::decodeSjis(script.substr(start, end - start), &invalid);
    if (invalid) findings.push_back({line, "the line holds bytes that are no Shift-JIS (code page 932) text"});
    start = end + 1;
  }
}

// The compiler's own passes with a findings sink; they sort the findings by line.
void check(std::string_view script, const ResourceHook& onResource, Findings& findings) {
  reportInvalidBytes(script, findings);
  CompileHooks hooks;
  hooks.findings = &findings;
  hooks.onResource = onResource;
  compileScriptText(script, hooks);
}

}  // namespace

CheckResult checkScript(std::string_view scriptPath) {
  CheckResult result;
  auto script = platform::readWholeFile(scriptPath, &result.error);
  if (!script) {
    result.error = std::string(scriptPath) + ": " + result.error;
    return result;
  }
  result.scriptRead = true;
  std::string scriptFolder = platform::folderOf(scriptPath);
  Findings& findings = result.findings;
  auto lookForFile = [&](const ResourceDefinition& resource) {
    if (resource.fileName.empty()) return;
    std::string path = resolveResourcePath(scriptFolder, resource.path);
    if (!platform::fileExists(path)) {
      findings.push_back({resource.line, "resource file " + path + " does not exist: the build copies nothing"});
    }
  };
  std::string_view text(reinterpret_cast<const char*>(script->data()), script->size());
  check(text, lookForFile, findings);
  return result;
}

Findings checkScriptText(std::string_view script) {
  Findings findings;
  check(script, {}, findings);
  return findings;
}

}  // namespace pryx::script
