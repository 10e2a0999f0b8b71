#include "project/project_file.h"

#include "platform/files.h"

namespace pryx::project {
namespace {

constexpr std::size_t kMostFieldsListed = 20;

}  // namespace

DecodedProject openProjectFile(std::string_view path) {
  std::string error;
  auto bytes = platform::readWholeFile(path, &error);
  if (!bytes) {
    DecodedProject refused;
    refused.refusal = "ファイルを読めませんでした（" + error + "）。";
    return refused;
  }
  return decodeProjectFile(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

Message openFailureMessage() { return warning(kOpenFailedText); }

SaveOutcome saveProject(ProjectDocument& document, std::string_view path) {
  EncodedProject encoded = encodeProjectFile(document.project());
  SaveOutcome outcome;
  outcome.unstorable = std::move(encoded.unstorable);
  if (!platform::writeFileReplacing(path, encoded.bytes, &outcome.error,
                                    platform::SymbolicLinks::WriteTheirTarget)) return outcome;
  document.markSaved(std::string(path), kProjectFileVersion);
  outcome.saved = true;
  return outcome;
}

std::string unstorableFieldList(const std::vector<UnstorableField>& fields) {
  std::string text;
  std::size_t listed = std::min(fields.size(), kMostFieldsListed);
  for (std::size_t i = 0; i < listed; ++i) {
    text += std::string(kLineBreak) + fields[i].place + "：" + fields[i].problem;
  }
  if (fields.size() > listed) text += std::string(kLineBreak) + "ほか " + std::to_string(fields.size() - listed) + " 件";
  return text;
}

Message unstorableFieldsMessage(const std::vector<UnstorableField>& fields) {
  std::string text = "次の項目は、このファイルを開き直すと元のとおりには戻りません。" + unstorableFieldList(fields);
  return {text, std::string(kWarningTitle), MessageIcon::Warning, MessageButtons::Ok};
}

}  // namespace pryx::project
