#include "platform/font_names.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace pryx::platform {
namespace {

enum NameId : std::uint16_t {
  kFamily = 1,
  kUniqueName = 3,
  kFullName = 4,
  kPostScriptName = 6,
};
// The records that name the font and so give way to the new name.
constexpr std::uint16_t kNamingIds[] = {kFamily, kUniqueName, kFullName, kPostScriptName, 16, 17, 18, 20, 21, 22, 25};
constexpr std::uint16_t kWindows = 3, kUnicodeBmp = 1, kEnglish = 0x409;
constexpr std::size_t kHeaderBytes = 6, kRecordBytes = 12;

struct Record {
  std::uint16_t platform, encoding, language, id;
  std::vector<std::uint8_t> text;
  auto key() const { return std::tie(platform, encoding, language, id); }
};

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void appendU16(std::vector<std::uint8_t>& bytes, std::size_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  bytes.push_back(static_cast<std::uint8_t>(value));
}

std::vector<std::uint8_t> utf16BigEndian(std::string_view ascii) {
  std::vector<std::uint8_t> text;
  for (char c : ascii) appendU16(text, static_cast<unsigned char>(c));
  return text;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> renamedNameTable(std::span<const std::uint8_t> table, const FontName& name) {
  if (table.size() < kHeaderBytes) return std::nullopt;
  const std::size_t count = readU16(table, 2);
  const std::size_t strings = readU16(table, 4);
  if (kHeaderBytes + count * kRecordBytes > table.size()) return std::nullopt;
  std::vector<Record> records;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeaderBytes + i * kRecordBytes;
    Record record{readU16(table, at), readU16(table, at + 2), readU16(table, at + 4), readU16(table, at + 6), {}};
    const std::size_t length = readU16(table, at + 8), offset = strings + readU16(table, at + 10);
    if (offset + length > table.size()) return std::nullopt;
    // Language-tag records (format 1) are left out: the table is written as format 0.
    const bool naming = std::find(std::begin(kNamingIds), std::end(kNamingIds), record.id) != std::end(kNamingIds);
    if (naming || record.language >= 0x8000) continue;
    record.text.assign(table.begin() + static_cast<std::ptrdiff_t>(offset),
                       table.begin() + static_cast<std::ptrdiff_t>(offset + length));
    records.push_back(std::move(record));
  }
  for (auto [id, text] : {std::pair{kFamily, name.family}, std::pair{kUniqueName, name.family},
                          std::pair{kFullName, name.family}, std::pair{kPostScriptName, name.postScriptName}}) {
    records.push_back({kWindows, kUnicodeBmp, kEnglish, id, utf16BigEndian(text)});
  }
  std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.key() < b.key(); });

  std::vector<std::uint8_t> renamed;
  appendU16(renamed, 0);
  appendU16(renamed, records.size());
  appendU16(renamed, kHeaderBytes + records.size() * kRecordBytes);
  std::vector<std::uint8_t> storage;
  for (const Record& record : records) {
    for (std::size_t field : {record.platform, record.encoding, record.language, record.id}) appendU16(renamed, field);
    appendU16(renamed, record.text.size());
    appendU16(renamed, storage.size());
    storage.insert(storage.end(), record.text.begin(), record.text.end());
  }
  if (storage.size() > 0xFFFF) return std::nullopt;
  renamed.insert(renamed.end(), storage.begin(), storage.end());
  return renamed;
}

}  // namespace pryx::platform
