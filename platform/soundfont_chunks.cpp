#include "platform/soundfont_chunks.h"

#include <algorithm>

namespace pryx::platform {
namespace {

constexpr std::array<std::string_view, kHydraTables> kHydraNames = {"phdr", "pbag", "pmod", "pgen", "inst",
                                                                    "ibag", "imod", "igen", "shdr"};

struct Chunk {
  std::string_view id;
  std::span<const std::uint8_t> body;
};

// Walks the chunks laid one after another in `bytes`, each padded to an even size.
class ChunkReader {
 public:
  explicit ChunkReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // The next chunk; nullopt at the end, and for a chunk that runs past it (then `broken`).
  std::optional<Chunk> next() {
    if (bytes_.size() < 8) {
      broken_ = !bytes_.empty();
      return std::nullopt;
    }
    const std::size_t size = std::size_t{bytes_[4]} | std::size_t{bytes_[5]} << 8 | std::size_t{bytes_[6]} << 16 |
                             std::size_t{bytes_[7]} << 24;
    if (size > bytes_.size() - 8) {
      broken_ = true;
      return std::nullopt;
    }
    Chunk chunk{{reinterpret_cast<const char*>(bytes_.data()), 4}, bytes_.subspan(8, size)};
    bytes_ = bytes_.subspan(std::min(bytes_.size(), 8 + size + size % 2));
    return chunk;
  }
  bool broken() const { return broken_; }

 private:
  std::span<const std::uint8_t> bytes_;
  bool broken_ = false;
};

std::string_view listType(const Chunk& chunk) {
  if (chunk.id != "LIST" || chunk.body.size() < 4) return {};
  return {reinterpret_cast<const char*>(chunk.body.data()), 4};
}

bool fail(std::string* error, std::string reason) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

bool readSampleData(std::span<const std::uint8_t> list, SoundFontChunks& chunks, std::string* error) {
  ChunkReader reader(list);
  bool found = false;
  while (std::optional<Chunk> chunk = reader.next()) {
    if (chunk->id == "smpl" && !found) {
      chunks.samples.assign(chunk->body.begin(), chunk->body.end());
      found = true;
    } else if (chunk->id == "sm24") {
      chunks.samples24.assign(chunk->body.begin(), chunk->body.end());
    }
  }
  if (reader.broken()) return fail(error, "the sample data is cut off");
  if (!found || chunks.samples.size() % 2 != 0) return fail(error, "no sample data");
  return true;
}

bool readPresetData(std::span<const std::uint8_t> list, SoundFontChunks& chunks, std::string* error) {
  ChunkReader reader(list);
  std::array<bool, kHydraTables> found{};
  while (std::optional<Chunk> chunk = reader.next()) {
    const auto name = std::find(kHydraNames.begin(), kHydraNames.end(), chunk->id);
    if (name == kHydraNames.end()) continue;
    const std::size_t index = static_cast<std::size_t>(name - kHydraNames.begin());
    if (found[index]) return fail(error, "the preset table " + std::string(*name) + " appears twice");
    if (chunk->body.empty() || chunk->body.size() % kHydraRecordSizes[index] != 0) {
      return fail(error, "the preset table " + std::string(*name) + " has a wrong size");
    }
    chunks.hydra[index].assign(chunk->body.begin(), chunk->body.end());
    found[index] = true;
  }
  if (reader.broken()) return fail(error, "the preset data is cut off");
  for (std::size_t index = 0; index < kHydraTables; ++index) {
    if (!found[index]) return fail(error, "the preset table " + std::string(kHydraNames[index]) + " is missing");
  }
  return true;
}

void appendWord(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& out, std::string_view id, std::span<const std::uint8_t> body) {
  out.insert(out.end(), id.begin(), id.end());
  appendWord(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) out.push_back(0);
}

Bytes listBody(std::string_view type) { return Bytes(type.begin(), type.end()); }

}  // namespace

std::uint32_t readField(const Bytes& bytes, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return value;
}

void writeField(Bytes& bytes, std::size_t offset, std::size_t width, std::uint32_t value) {
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::optional<SoundFontChunks> readSoundFontChunks(std::span<const std::uint8_t> file, std::string* error) {
  ChunkReader outer(file);
  std::optional<Chunk> riff = outer.next();
  if (!riff || riff->id != "RIFF" || riff->body.size() < 4 ||
      std::string_view(reinterpret_cast<const char*>(riff->body.data()), 4) != "sfbk") {
    fail(error, "not a SoundFont 2 file");
    return std::nullopt;
  }
  SoundFontChunks chunks;
  bool info = false, sampleData = false, presetData = false;
  ChunkReader lists(riff->body.subspan(4));
  while (std::optional<Chunk> list = lists.next()) {
    const std::string_view type = listType(*list);
    std::span<const std::uint8_t> body = list->body.subspan(std::min<std::size_t>(4, list->body.size()));
    if (type == "INFO" && !info) {
      chunks.info.assign(body.begin(), body.end());
      info = true;
    } else if (type == "sdta" && !sampleData) {
      if (!readSampleData(body, chunks, error)) return std::nullopt;
      sampleData = true;
    } else if (type == "pdta" && !presetData) {
      if (!readPresetData(body, chunks, error)) return std::nullopt;
      presetData = true;
    }
  }
  if (lists.broken()) {
    fail(error, "the file is cut off");
    return std::nullopt;
  }
  if (!info || !sampleData || !presetData) {
    fail(error, "the file lacks its INFO, sdta or pdta list");
    return std::nullopt;
  }
  return chunks;
}

Bytes writeSoundFontChunks(const SoundFontChunks& chunks) {
  Bytes info = listBody("INFO");
  info.insert(info.end(), chunks.info.begin(), chunks.info.end());
  Bytes sampleData = listBody("sdta");
  appendChunk(sampleData, "smpl", chunks.samples);
  if (!chunks.samples24.empty()) appendChunk(sampleData, "sm24", chunks.samples24);
  Bytes presetData = listBody("pdta");
  for (std::size_t index = 0; index < kHydraTables; ++index)
    appendChunk(presetData, kHydraNames[index], chunks.hydra[index]);

  Bytes body = listBody("sfbk");
  appendChunk(body, "LIST", info);
  appendChunk(body, "LIST", sampleData);
  appendChunk(body, "LIST", presetData);
  Bytes file;
  file.reserve(body.size() + 8);
  appendChunk(file, "RIFF", body);
  return file;
}

}  // namespace pryx::platform
