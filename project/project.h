#pragma once
// The project: the whole game an author builds in the editor, as plain data. Every
// list keeps a blank entry 0 that stands for "none", every reference is a list
// position, and numbers the author types stay the text typed, read by their
// leading number.

#include "project/numbered_list.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace pryx::project {

inline constexpr int kMaxPages = 10000;
inline constexpr int kMaxResources = 1000;
inline constexpr int kButtonSlots = 5;
inline constexpr int kMaxPageSlot = 99;

// The numeric value of a typed number: its leading number rounded to a whole number
// (halves to the even neighbour); text without a number reads as 0.
std::int64_t numericValue(std::string_view text);

enum class ResourceKind { Cg, Chr, Bgm };
inline constexpr std::array kResourceKinds = {ResourceKind::Cg, ResourceKind::Chr, ResourceKind::Bgm};

struct Resource {
  std::string name;  // unique within its list
  std::string path;  // the author's file; a relative path counts from the project file's folder
  bool operator==(const Resource&) const = default;
};

// The file a resource path names: a relative path counts from the project file's folder.
std::string resourceFilePath(std::string_view projectPath, std::string_view resourcePath);
// How a chosen file is stored: relative to the project file's folder when it lies
// there or below, so that the folder can move as a whole; otherwise as chosen.
std::string storedResourcePath(std::string_view projectPath, std::string_view chosenPath);

// The fourteen text fields of a command button, in their stored order.
enum class ButtonField {
  Caption,
  ConditionVariable1,
  Comparison1,
  ConditionValue1,
  Logic,
  ConditionVariable2,
  Comparison2,
  ConditionValue2,
  ConditionTarget,
  JumpTarget,
  OperationTiming,  // "1": when the page is entered; "0": when the button is pressed
  OperationVariable,
  OperationOperator,
  OperationValue,
};
inline constexpr int kButtonFieldCount = 14;

struct ButtonEvent {
  std::array<std::string, kButtonFieldCount> fields;

  std::string& operator[](ButtonField field) { return fields[static_cast<std::size_t>(field)]; }
  const std::string& operator[](ButtonField field) const { return fields[static_cast<std::size_t>(field)]; }
  std::int64_t number(ButtonField field) const { return numericValue((*this)[field]); }
  const std::string& caption() const { return (*this)[ButtonField::Caption]; }
  // A slot is in use while its caption is not empty.
  bool inUse() const { return !caption().empty(); }

  bool operator==(const ButtonEvent&) const = default;
};

struct PageOptions {
  std::int16_t speed = 0;  // message wait of the page in ms, while speedOn
  bool speedOn = false;
  std::int32_t textColour = 0;  // 0x00BBGGRR; both colours 0: no colour change
  std::int32_t shadowColour = 0;
  bool quick = false;          // the message window appears at once
  std::int16_t saveSlot = 0;  // 1..99: the page saves into this slot
  std::int16_t loadSlot = 0;  // 1..99: the page loads from this slot

  bool changesColours() const { return textColour != 0 || shadowColour != 0; }
  bool operator==(const PageOptions&) const = default;
};

// A page's background CG, character or music. It is unset until the author picks an
// entry; a pick (or a renumbering) stores a number, and a project file gives back
// the text it held. Every reader takes an unset reference as 0.
class PageReference {
 public:
  PageReference() = default;
  static PageReference number(std::int64_t value);
  static PageReference text(std::string text);

  bool isSet() const { return !std::holds_alternative<std::monostate>(value_); }
  std::int64_t value() const;
  const std::int64_t* asNumber() const { return std::get_if<std::int64_t>(&value_); }
  const std::string* asText() const { return std::get_if<std::string>(&value_); }

  bool operator==(const PageReference&) const = default;

 private:
  std::variant<std::monostate, std::int64_t, std::string> value_;
};

struct Page {
  std::string name;  // need not be unique
  std::string text;  // the message; lines separated by CR LF
  PageReference backgroundCg;
  PageReference character;
  PageReference music;
  PageOptions options;
  std::array<ButtonEvent, kButtonSlots> buttons;

  bool operator==(const Page&) const = default;
};

// The page reference that holds an entry of a resource list: background CG, character or music.
PageReference& referenceTo(Page& page, ResourceKind kind);
const PageReference& referenceTo(const Page& page, ResourceKind kind);

enum class ProjectOption {
  MessageWait = 1,  // ms per character, 0..100
  FileVersion = 2,  // the project file's format version
  Reserved = 3,
  GameMode = 4,           // "1" normal, "2" novel
  EffectType = 5,         // 0 none, 1..4
  TransparentColour = 6,  // -1: the picture's bottom-left pixel; else 0x00BBGGRR
};
inline constexpr int kProjectOptionCount = 6;

struct Project {
  NumberedList<Page> pages;
  NumberedList<Resource> cgs;
  NumberedList<Resource> chrs;
  NumberedList<Resource> bgms;
  NumberedList<std::string> variables;
  std::array<std::string, kProjectOptionCount> options;

  int pageCount() const { return pages.count(); }
  std::string& option(ProjectOption which) { return options[static_cast<std::size_t>(which) - 1]; }
  const std::string& option(ProjectOption which) const { return options[static_cast<std::size_t>(which) - 1]; }
  NumberedList<Resource>& resources(ResourceKind kind);
  const NumberedList<Resource>& resources(ResourceKind kind) const;

  bool operator==(const Project&) const = default;
};

// A new project: the one page "TopPage", no resources, no variables, and the options
// "50", "Default", "Default", "1", "0", "-1".
Project newProject();

inline constexpr std::string_view kFirstPageName = "TopPage";

}  // namespace pryx::project
