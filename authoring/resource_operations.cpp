#include "authoring/resource_operations.h"

#include "platform/paths.h"

#include <algorithm>

namespace pryx::authoring {
namespace {

using project::ResourceKind;

struct KindTexts {
  std::string_view fileDialogTitle;
  std::string_view filter;
  std::string_view namePrompt;
  std::string_view nameTitle;
  std::string_view limit;
  std::string_view duplicate;
  std::string_view removalQuestion;
  std::string_view progressCaption;
  std::string_view checkingLabel;
};

const KindTexts& textsOf(ResourceKind kind) {
  static const KindTexts kCg{"ＣＧファイルの読み込み",
                             "ピクチャーファイル(*.BMP,*.JPG)|*.BMP;*.JPG",
                             "ＣＧファイルの名前を付けてください",
                             "ＣＧファイルの設定",
                             "これ以上ＣＧファイルを追加する事は出来ません。",
                             "同じ名前のＣＧファイルがすでに存在しています。",
                             "を、ＣＧリストから削除してもよろしいですか。",
                             "ＣＧリストから、項目の削除",
                             "ＣＧファイルへのリンクをチェックしています..."};
  static const KindTexts kBgm{"ＢＧＭファイルの読み込み",
                              "ＭＩＤＩファイル(*.MID)|*.MID",
                              "ＢＧＭファイルに名前を付けてください",
                              "ＢＧＭファイルの設定",
                              "これ以上ＢＧＭファイルを追加する事は出来ません。",
                              "同じ名前のＢＧＭファイルがすでに存在しています。",
                              "を、ＢＧＭリストから削除してもよろしいですか。",
                              "ＢＧＭリストから、項目の削除",
                              "ＢＧＭファイルへのリンクをチェックしています..."};
  static const KindTexts kChr{"キャラクターファイルの読み込み",
                              "ビットマップファイル(*.BMP)|*.BMP",
                              "キャラクターファイルの名前を付けてください",
                              "ＣＧファイルの設定",
                              "これ以上キャラクターファイルを追加する事は出来ません。",
                              "同じ名前のキャラクターファイルがすでに存在しています。",
                              "を、キャラクターリストから削除してもよろしいですか。",
                              "キャラクターリストから、項目の削除",
                              "キャラクターファイルへのリンクをチェックしています..."};
  switch (kind) {
    case ResourceKind::Cg: return kCg;
    case ResourceKind::Bgm: return kBgm;
    case ResourceKind::Chr: return kChr;
  }
  return kCg;
}

}  // namespace

project::FileDialogRequest resourceFileDialog(ResourceKind kind) {
  const KindTexts& texts = textsOf(kind);
  return {std::string(texts.fileDialogTitle), std::string(texts.filter)};
}

project::InputRequest resourceNamePrompt(ResourceKind kind, std::string_view chosenPath) {
  const KindTexts& texts = textsOf(kind);
  return {std::string(texts.namePrompt), std::string(texts.nameTitle), platform::fileNameOf(chosenPath)};
}

std::optional<project::Message> addResource(project::ProjectDocument& document, ResourceKind kind,
                                            std::string_view name, std::string_view path) {
  if (name.empty()) return std::nullopt;
  const auto& list = document.project().resources(kind);
  if (std::any_of(list.begin(), list.end(), [&](const project::Resource& entry) { return entry.name == name; })) {
    return project::warning(textsOf(kind).duplicate);
  }
  if (list.count() >= project::kMaxResources) return project::warning(textsOf(kind).limit);
  document.insertResource(kind, list.count() + 1, {std::string(name), project::storedResourcePath(document.path(), path)});
  return std::nullopt;
}

bool keepResourcesOnMove(project::ProjectDocument& document, std::string_view newProjectPath) {
  const std::string oldProjectPath = document.path();
  if (oldProjectPath.empty() || platform::folderOf(oldProjectPath) == platform::folderOf(newProjectPath)) return false;
  std::size_t before = document.stepsDone();
  document.step("リソースの場所", [&] {
    for (ResourceKind kind : {ResourceKind::Cg, ResourceKind::Chr, ResourceKind::Bgm}) {
      const auto& list = document.project().resources(kind);
      for (int position = 1; position <= list.count(); ++position) {
        const std::string& path = list[position].path;
        if (path.empty()) continue;
        std::string file = project::resourceFilePath(oldProjectPath, path);
        document.setResourcePath(kind, position, project::storedResourcePath(newProjectPath, file));
      }
    }
  });
  return document.stepsDone() != before;
}

std::optional<project::Message> resourceRemovalQuestion(const project::Project& project, ResourceKind kind, int entry) {
  const project::Resource* resource = project.resources(kind).find(entry);
  if (!resource) return std::nullopt;
  return project::question(resource->name + std::string(project::kLineBreak) + std::string(textsOf(kind).removalQuestion));
}

void removeResource(project::ProjectDocument& document, ResourceKind kind, int entry, platform::Progress& progress) {
  if (!document.project().resources(kind).contains(entry)) return;
  const KindTexts& texts = textsOf(kind);
  progress.show(texts.progressCaption);
  progress.setMaximum(document.project().pageCount());
  progress.setValue(0);
  progress.setLabel("リストを再構築しています...");
  document.step(texts.progressCaption, [&] {
    document.removeResource(kind, entry);
    progress.setLabel(texts.checkingLabel);
    for (int position = 1; position <= document.project().pageCount(); ++position) {
      std::int64_t value = project::referenceTo(document.project().pages[position], kind).value();
      if (value == entry) document.setPageReference(position, kind, project::PageReference::number(0));
      else if (value > entry) document.setPageReference(position, kind, project::PageReference::number(value - 1));
      progress.setValue(position);
    }
  });
  progress.hide();
}

}  // namespace pryx::authoring
