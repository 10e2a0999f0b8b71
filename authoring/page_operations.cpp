#include "authoring/page_operations.h"

#include "platform/number_text.h"

namespace pryx::authoring {
namespace {

using project::Message;
using project::MessageButtons;
using project::MessageIcon;
using project::Page;
using project::Project;
using project::ProjectDocument;

constexpr int kNoticePosition = 9000;
constexpr std::string_view kTitlePrompt = "ページのタイトルを付けてください";

PageAdditionPrompt additionPrompt(const Project& project, int currentPage, project::InputRequest title) {
  PageAdditionPrompt prompt;
  if (project.pageCount() >= project::kMaxPages) {
    prompt.refusal = project::warning("これ以上ページを増やす事は出来ません。");
    return prompt;
  }
  if (currentPage == kNoticePosition) {
    prompt.notice = Message{"このプログラムで利用できるページ数は、後1000ページです。", "注意", MessageIcon::Information,
                            MessageButtons::Ok};
  }
  prompt.title = std::move(title);
  return prompt;
}

int appendPage(ProjectDocument& document, Page page) {
  if (page.name.empty() || document.project().pageCount() >= project::kMaxPages) return 0;
  int position = document.project().pageCount() + 1;
  document.insertPage(position, std::move(page));
  return position;
}

}  // namespace

PageAdditionPrompt promptNewPage(const Project& project, int currentPage) {
  return additionPrompt(project, currentPage,
                        {std::string(kTitlePrompt), "タイトルの設定", "Page-" + platform::signPaddedDecimal(project.pageCount() + 1)});
}

PageAdditionPrompt promptPageCopy(const Project& project, int currentPage, int source) {
  return additionPrompt(project, currentPage, {std::string(kTitlePrompt), "ページのコピー", project.pages[source].name + "_コピー"});
}

int addPage(ProjectDocument& document, std::string_view title) {
  Page page;
  page.name = title;
  return appendPage(document, std::move(page));
}

int copyPage(ProjectDocument& document, int source, std::string_view title) {
  const Page& original = document.project().pages[source];
  Page copy;
  copy.name = title;
  copy.text = original.text;
  copy.backgroundCg = original.backgroundCg;
  copy.character = original.character;
  copy.music = original.music;
  copy.buttons = original.buttons;
  return appendPage(document, std::move(copy));
}

project::InputRequest promptRetitle(const Project& project, int page) {
  return {"ページタイトルの変更", "再編集", project.pages[page].name};
}

bool retitlePage(ProjectDocument& document, int page, std::string_view title) {
  if (title.empty()) return false;
  document.renamePage(page, std::string(title));
  return true;
}

PageDeletionPrompt promptPageDeletion(const Project& project, int page, WorkListMode mode) {
  PageDeletionPrompt prompt;
  if (mode != WorkListMode::Idle) {
    prompt.refusal = workListBusyMessage();
    return prompt;
  }
  const std::string& name = project.pages[page].name;
  prompt.question = project::question(name + std::string(project::kLineBreak) + "を、ページリストから削除してもよろしいですか。");
  prompt.workListCaption = name + "の削除により影響が出るページ";
  return prompt;
}

PageDeletion deletePage(ProjectDocument& document, int page, platform::Progress& progress) {
  using F = project::ButtonField;
  PageDeletion deletion;
  progress.show("ページの削除");
  progress.setMaximum(document.project().pageCount() + 2);
  progress.setValue(0);
  progress.setLabel("リストを再構築しています...");
  document.step("ページの削除", [&] {
    document.removePage(page);
    progress.setLabel("各ページへのリンクをチェックしています...");
    for (int position = 1; position <= document.project().pageCount(); ++position) {
      const Page& holder = document.project().pages[position];
      for (int slot = 0; slot < project::kButtonSlots; ++slot) {
        for (F field : {F::ConditionTarget, F::JumpTarget}) {
          std::int64_t target = holder.buttons[static_cast<std::size_t>(slot)].number(field);
          if (target == page) {
            document.setButtonField(position, slot, field, {});
            deletion.affected.push_back({position, holder.name});
          } else if (target > page) {
            document.setButtonField(position, slot, field, platform::signPaddedDecimal(target - 1));
          }
        }
      }
      progress.setValue(position);
    }
  });
  progress.hide();
  return deletion;
}

}  // namespace pryx::authoring
