#include "script/check.h"

#include <cstdint>
#include <optional>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "platform/utf8.h"
#include "script/compiler.h"

#include <algorithm>
#include <unordered_map>

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
    if (invalid) findings.push_back(finding(line, FindingKind::NotShiftJis));
    start = end + 1;
  }
}

// The line where a script saved as UTF-8 first shows: its byte-order mark, or its
// first multi-byte character when every byte above 0x7F belongs to a well-formed
// UTF-8 sequence (Shift-JIS text with kana or kanji practically never does).
std::optional<int> firstUtf8Line(std::string_view script) {
  if (script.starts_with(platform::kUtf8ByteOrderMark)) return 1;
  std::optional<int> first;
  int line = 1;
  for (std::size_t i = 0; i < script.size();) {
    const auto byte = static_cast<std::uint8_t>(script[i]);
    if (byte < 0x80) {
      if (byte == '\n') ++line;
      ++i;
      continue;
    }
    const std::size_t length = platform::utf8SequenceAt(script, i);
    if (length == 0) return std::nullopt;
    if (!first) first = line;
    i += length;
  }
  return first;
}

void reportEncoding(std::string_view script, Findings& findings) {
  if (std::optional<int> line = firstUtf8Line(script)) {
    findings.push_back(finding(*line, FindingKind::LooksLikeUtf8));
  } else {
    reportInvalidBytes(script, findings);
  }
}

bool leavesScriptFolder(std::string_view path) {
  if (platform::isAbsolutePath(path)) return true;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

// Where the build takes resource files from: outside the script's folder, and two
// paths that share a file name, of which the distribution folder holds only one.
class ResourcePlaces {
 public:
  explicit ResourcePlaces(Findings& findings) : findings_(findings) {}

  void see(const ResourceDefinition& resource) {
    if (resource.fileName.empty()) return;
    std::string path = platform::decodeSjis(resource.path);
    if (leavesScriptFolder(path)) {
      findings_.push_back(finding(resource.line, FindingKind::ResourceOutsideFolder, {path}));
    }
    std::string key = platform::decodeSjis(resource.fileName);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    auto [first, isFirst] = firstPaths_.try_emplace(key, Place{path, resource.line});
    if (!isFirst && first->second.path != path) {
      findings_.push_back(finding(resource.line, FindingKind::ResourceSameFileName,
                                  {path, first->second.path, std::to_string(first->second.line)}));
    }
  }

 private:
  struct Place {
    std::string path;
    int line;
  };
  Findings& findings_;
  std::unordered_map<std::string, Place> firstPaths_;  // by file name in lower case
};

// The compiler's own passes with a findings sink; they sort the findings by line.
void check(std::string_view script, const ResourceHook& onResource, Findings& findings) {
  reportEncoding(script, findings);
  ResourcePlaces places(findings);
  CompileHooks hooks;
  hooks.findings = &findings;
  hooks.onResource = [&](const ResourceDefinition& resource) {
    places.see(resource);
    if (onResource) onResource(resource);
  };
  compileScriptTextInPlace(script, hooks);
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
  std::string_view text(reinterpret_cast<const char*>(script->data()), script->size());
  result.findings = checkScriptText(text, platform::folderOf(scriptPath));
  return result;
}

Findings checkScriptText(std::string_view script, std::string_view scriptFolder) {
  Findings findings;
  auto lookForFile = [&](const ResourceDefinition& resource) {
    if (resource.fileName.empty()) return;
    std::string path = resolveResourcePath(scriptFolder, resource.path);
    if (!platform::fileExists(path)) {
      findings.push_back(finding(resource.line, FindingKind::ResourceMissing, {path}));
    }
  };
  check(script, lookForFile, findings);
  return findings;
}

Findings checkScriptText(std::string_view script) {
  Findings findings;
  check(script, {}, findings);
  return findings;
}

}  // namespace pryx::script
