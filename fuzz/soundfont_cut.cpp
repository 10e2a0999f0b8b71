// Any bytes as an author's SoundFont: reading, writing and cutting stay inside them
// and end. What the reader takes, the writer writes so that it reads back the same,
// and a cut is a SoundFont that a second cut to the same presets leaves as it is.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/soundfont_chunks.h"
#include "platform/soundfont_cut.h"

namespace {

bool sameChunks(const pryx::platform::SoundFontChunks& a, const pryx::platform::SoundFontChunks& b) {
  return a.info == b.info && a.samples == b.samples && a.samples24 == b.samples24 && a.hydra == b.hydra;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pryx::platform;
  const std::span<const std::uint8_t> file(data, size);
  if (std::optional<SoundFontChunks> chunks = readSoundFontChunks(file, nullptr)) {
    const Bytes written = writeSoundFontChunks(*chunks);
    std::optional<SoundFontChunks> again = readSoundFontChunks(written, nullptr);
    if (!again || !sameChunks(*chunks, *again) || writeSoundFontChunks(*again) != written) std::abort();
  }
  // Presets that exist, that fall back, and percussion.
  const std::set<PresetNumber> wanted{{0, 0}, {0, 5}, {8, 5}, {8, 9}, {kPercussionBank, 3}};
  if (std::optional<Bytes> cut = cutSoundFont(file, wanted, nullptr)) {
    std::optional<Bytes> twice = cutSoundFont(*cut, wanted, nullptr);
    if (twice != cut) std::abort();
  }
  return 0;
}
