#include "platform/soundfont_cut.h"

#include "platform/soundfont_chunks.h"

#include <algorithm>
#include <map>
#include <vector>

namespace pryx::platform {
namespace {

// Field offsets inside the records.
constexpr std::size_t kPresetNumber = 20, kPresetBank = 22, kPresetBag = 24;
constexpr std::size_t kInstrumentBag = 20;
constexpr std::size_t kBagGenerator = 0, kBagModulator = 2;
constexpr std::size_t kGeneratorOperator = 0, kGeneratorAmount = 2;
constexpr std::size_t kSampleStart = 20, kSampleEnd = 24, kLoopStart = 28, kLoopEnd = 32, kSampleLink = 42,
                      kSampleType = 44;
constexpr std::uint32_t kInstrumentGenerator = 41, kSampleGenerator = 53;
constexpr std::uint32_t kRomSample = 0x8000, kLinkedSampleTypes = 0x0E;
// Compressed samples (SoundFont 3) lie in the data as streams of bytes, not points.
constexpr std::uint32_t kCompressedSample = 0x10;
// Points kept after a sample's end (zeros where the file had fewer), as the format asks.
constexpr std::uint32_t kPointsAfterSample = 46;

std::size_t recordSize(Hydra table) { return kHydraRecordSizes[static_cast<std::size_t>(table)]; }

struct Table {
  const SoundFontChunks& chunks;
  Hydra which;
  std::size_t count() const { return chunks.records(which); }
  std::uint32_t field(std::size_t record, std::size_t offset, std::size_t width = 2) const {
    return readField(chunks.table(which), record * recordSize(which) + offset, width);
  }
  std::span<const std::uint8_t> record(std::size_t index) const {
    return std::span(chunks.table(which)).subspan(index * recordSize(which), recordSize(which));
  }
};

// Whether each record's index into `to` (at `offset`) never decreases and stays inside
// `to`, whose closing record the last one may name.
bool indicesHold(const Table& from, std::size_t offset, const Table& to) {
  for (std::size_t i = 0; i < from.count(); ++i) {
    if (from.field(i, offset) >= to.count() || (i > 0 && from.field(i, offset) < from.field(i - 1, offset))) {
      return false;
    }
  }
  return true;
}

// A list of headers with their bags, generators and modulators (presets or instruments).
struct Level {
  Table headers, bags, generators, modulators;
  std::size_t bagField;
  std::uint32_t referenceOperator;  // the generator that names a record of the level below
  std::size_t below;                // how many records that level has, its closing one left out

  bool holds() const {
    return indicesHold(headers, bagField, bags) && indicesHold(bags, kBagGenerator, generators) &&
           indicesHold(bags, kBagModulator, modulators);
  }
  // The records of the level below the generators of header `index` name.
  template <typename Visit>
  bool forEachReference(std::size_t index, Visit visit) const {
    for (std::size_t bag = headers.field(index, bagField); bag < headers.field(index + 1, bagField); ++bag) {
      for (std::size_t g = bags.field(bag, kBagGenerator); g < bags.field(bag + 1, kBagGenerator); ++g) {
        if (generators.field(g, kGeneratorOperator) != referenceOperator) continue;
        const std::uint32_t referenced = generators.field(g, kGeneratorAmount);
        if (referenced >= below) return false;
        visit(referenced);
      }
    }
    return true;
  }
};

void append(Bytes& out, std::span<const std::uint8_t> record) { out.insert(out.end(), record.begin(), record.end()); }

void appendWithField(Bytes& out, std::span<const std::uint8_t> record, std::size_t offset, std::uint32_t value) {
  append(out, record);
  writeField(out, out.size() - record.size() + offset, 2, value);
}

// Writes the kept headers of `level` (in order) with their bags, generators and
// modulators into `out`, the references of the generators renumbered by `renumber`.
void writeLevel(const Level& level, const std::vector<std::size_t>& kept,
                const std::map<std::uint32_t, std::uint32_t>& renumber, SoundFontChunks& out) {
  const Hydra bags = level.bags.which;
  const Hydra generators = level.generators.which;
  const Hydra modulators = level.modulators.which;
  Bytes& headerOut = out.table(level.headers.which);
  Bytes& bagOut = out.table(bags);
  Bytes& generatorOut = out.table(generators);
  Bytes& modulatorOut = out.table(modulators);
  auto bagCount = [&] { return static_cast<std::uint32_t>(bagOut.size() / recordSize(bags)); };
  auto generatorCount = [&] { return static_cast<std::uint32_t>(generatorOut.size() / recordSize(generators)); };
  auto modulatorCount = [&] { return static_cast<std::uint32_t>(modulatorOut.size() / recordSize(modulators)); };
  for (std::size_t index : kept) {
    appendWithField(headerOut, level.headers.record(index), level.bagField, bagCount());
    for (std::size_t bag = level.headers.field(index, level.bagField);
         bag < level.headers.field(index + 1, level.bagField); ++bag) {
      append(bagOut, level.bags.record(bag));
      writeField(bagOut, bagOut.size() - recordSize(bags) + kBagGenerator, 2, generatorCount());
      writeField(bagOut, bagOut.size() - recordSize(bags) + kBagModulator, 2, modulatorCount());
      for (std::size_t g = level.bags.field(bag, kBagGenerator); g < level.bags.field(bag + 1, kBagGenerator); ++g) {
        if (level.generators.field(g, kGeneratorOperator) == level.referenceOperator) {
          appendWithField(generatorOut, level.generators.record(g), kGeneratorAmount,
                          renumber.at(level.generators.field(g, kGeneratorAmount)));
        } else {
          append(generatorOut, level.generators.record(g));
        }
      }
      for (std::size_t m = level.bags.field(bag, kBagModulator); m < level.bags.field(bag + 1, kBagModulator); ++m) {
        append(modulatorOut, level.modulators.record(m));
      }
    }
  }
  // The closing records: the header's names the end of the bags, the bag's the ends of its tables.
  appendWithField(headerOut, level.headers.record(level.headers.count() - 1), level.bagField, bagCount());
  append(bagOut, level.bags.record(level.bags.count() - 1));
  writeField(bagOut, bagOut.size() - recordSize(bags) + kBagGenerator, 2, generatorCount());
  writeField(bagOut, bagOut.size() - recordSize(bags) + kBagModulator, 2, modulatorCount());
  append(generatorOut, level.generators.record(level.generators.count() - 1));
  append(modulatorOut, level.modulators.record(level.modulators.count() - 1));
}

std::map<std::uint32_t, std::uint32_t> numbering(const std::set<std::uint32_t>& kept) {
  std::map<std::uint32_t, std::uint32_t> renumber;
  for (std::uint32_t index : kept) renumber.emplace(index, static_cast<std::uint32_t>(renumber.size()));
  return renumber;
}

// The presets kept: those wanted, or their fallbacks.
std::vector<std::size_t> keptPresets(const Table& presets, const std::set<PresetNumber>& wanted) {
  std::set<PresetNumber> present;
  for (std::size_t i = 0; i + 1 < presets.count(); ++i) {
    present.insert({static_cast<std::uint16_t>(presets.field(i, kPresetBank)),
                    static_cast<std::uint16_t>(presets.field(i, kPresetNumber))});
  }
  std::set<PresetNumber> chosen;
  for (const PresetNumber& preset : wanted) {
    const std::vector<PresetNumber> tries = preset.bank == kPercussionBank
                                                ? std::vector<PresetNumber>{preset, {kPercussionBank, 0}}
                                                : std::vector<PresetNumber>{preset, {0, preset.program}, {0, 0}};
    const auto found =
        std::find_if(tries.begin(), tries.end(), [&](const PresetNumber& p) { return present.contains(p); });
    if (found != tries.end()) chosen.insert(*found);
  }
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i + 1 < presets.count(); ++i) {
    if (chosen.contains({static_cast<std::uint16_t>(presets.field(i, kPresetBank)),
                         static_cast<std::uint16_t>(presets.field(i, kPresetNumber))})) {
      kept.push_back(i);
    }
  }
  return kept;
}

// The points a sample plays, from the lowest of its start, end and loop points to the highest.
struct SampleRange {
  std::uint32_t first, last;
  bool ordered;  // its start is not after its end
  std::uint64_t size() const { return last - first; }
};

SampleRange sampleRange(const Table& samples, std::uint32_t sample) {
  const std::uint32_t start = samples.field(sample, kSampleStart, 4), end = samples.field(sample, kSampleEnd, 4);
  const std::uint32_t loopStart = samples.field(sample, kLoopStart, 4), loopEnd = samples.field(sample, kLoopEnd, 4);
  return {std::min({start, end, loopStart, loopEnd}), std::max({start, end, loopStart, loopEnd}), start <= end};
}

std::optional<Bytes> refused(std::string* error, std::string reason) {
  if (error != nullptr) *error = std::move(reason);
  return std::nullopt;
}

}  // namespace

std::optional<Bytes> cutSoundFont(std::span<const std::uint8_t> file, const std::set<PresetNumber>& wanted,
                                  std::string* error) {
  std::optional<SoundFontChunks> whole = readSoundFontChunks(file, error);
  if (!whole) return std::nullopt;
  const SoundFontChunks& in = *whole;
  const Table samples{in, Hydra::SampleHeaders};
  const Level instruments{{in, Hydra::Instruments},
                          {in, Hydra::InstrumentBags},
                          {in, Hydra::InstrumentGenerators},
                          {in, Hydra::InstrumentModulators},
                          kInstrumentBag,
                          kSampleGenerator,
                          samples.count() - 1};
  const Level presets{{in, Hydra::PresetHeaders},
                      {in, Hydra::PresetBags},
                      {in, Hydra::PresetGenerators},
                      {in, Hydra::PresetModulators},
                      kPresetBag,
                      kInstrumentGenerator,
                      instruments.headers.count() - 1};
  if (!presets.holds() || !instruments.holds()) return refused(error, "its preset tables do not hold together");

  std::set<std::uint32_t> keptInstruments;
  const std::vector<std::size_t> kept = keptPresets(presets.headers, wanted);
  for (std::size_t preset : kept) {
    if (!presets.forEachReference(preset, [&](std::uint32_t i) { keptInstruments.insert(i); })) {
      return refused(error, "a preset names an instrument it does not have");
    }
  }
  std::set<std::uint32_t> keptSamples;
  for (std::uint32_t instrument : keptInstruments) {
    if (!instruments.forEachReference(instrument, [&](std::uint32_t s) { keptSamples.insert(s); })) {
      return refused(error, "an instrument names a sample it does not have");
    }
  }
  // Stereo halves keep their partner, so that every link kept names a kept sample.
  for (std::vector<std::uint32_t> unlinked(keptSamples.begin(), keptSamples.end()); !unlinked.empty();) {
    const std::uint32_t sample = unlinked.back();
    unlinked.pop_back();
    const std::uint32_t type = samples.field(sample, kSampleType);
    if ((type & kRomSample) != 0) return refused(error, "it plays samples from ROM");
    if ((type & kCompressedSample) != 0) return refused(error, "its samples are compressed");
    const std::uint32_t partner = samples.field(sample, kSampleLink);
    if ((type & kLinkedSampleTypes) != 0 && partner < samples.count() - 1 && keptSamples.insert(partner).second) {
      unlinked.push_back(partner);
    }
  }

  SoundFontChunks out;
  out.info = in.info;
  const std::map<std::uint32_t, std::uint32_t> instrumentNumbers = numbering(keptInstruments);
  const std::map<std::uint32_t, std::uint32_t> sampleNumbers = numbering(keptSamples);
  writeLevel(presets, kept, instrumentNumbers, out);
  writeLevel(instruments, {keptInstruments.begin(), keptInstruments.end()}, sampleNumbers, out);

  // Each sample's points (its loop included) move to the new data, with the points after it.
  const std::uint32_t points = static_cast<std::uint32_t>(in.samples.size() / 2);
  const bool has24 = !in.samples24.empty();
  if (has24 && in.samples24.size() < points) return refused(error, "its 24-bit sample data is too short");
  // Samples that share their points would each take a copy: a hostile file could make
  // the cut far larger than itself.
  std::uint64_t pointsKept = 0;
  for (std::uint32_t sample : keptSamples) pointsKept += sampleRange(samples, sample).size();
  if (pointsKept > points) return refused(error, "its samples share their points");
  Bytes& headerOut = out.table(Hydra::SampleHeaders);
  for (std::uint32_t sample : keptSamples) {
    const SampleRange range = sampleRange(samples, sample);
    const std::uint32_t first = range.first, last = range.last;
    if (!range.ordered || last > points) return refused(error, "a sample lies outside the sample data");
    const std::uint32_t copied = std::min(points, last + std::min(kPointsAfterSample, points - last)) - first;
    const std::uint32_t moved = static_cast<std::uint32_t>(out.samples.size() / 2);
    out.samples.insert(out.samples.end(), in.samples.begin() + 2 * std::size_t{first},
                       in.samples.begin() + 2 * (std::size_t{first} + copied));
    out.samples.resize(2 * (std::size_t{moved} + last - first + kPointsAfterSample), 0);
    if (has24) {
      out.samples24.insert(out.samples24.end(), in.samples24.begin() + first, in.samples24.begin() + first + copied);
      out.samples24.resize(std::size_t{moved} + last - first + kPointsAfterSample, 0);
    }
    append(headerOut, samples.record(sample));
    const std::size_t at = headerOut.size() - recordSize(Hydra::SampleHeaders);
    for (std::size_t field : {kSampleStart, kSampleEnd, kLoopStart, kLoopEnd}) {
      writeField(headerOut, at + field, 4, readField(headerOut, at + field, 4) - first + moved);
    }
    if ((samples.field(sample, kSampleType) & kLinkedSampleTypes) != 0 &&
        sampleNumbers.contains(samples.field(sample, kSampleLink))) {
      writeField(headerOut, at + kSampleLink, 2, sampleNumbers.at(samples.field(sample, kSampleLink)));
    }
  }
  append(headerOut, samples.record(samples.count() - 1));
  if (has24 && out.samples24.size() % 2 != 0) out.samples24.push_back(0);
  return writeSoundFontChunks(out);
}

}  // namespace pryx::platform
