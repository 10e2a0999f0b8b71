#pragma once
// The SoundFont a distribution carries: only the presets its music can select, so
// that a game that plays a handful of instruments does not carry a whole General
// MIDI set.

#include <span>
#include <string>

#include "platform/files.h"

namespace pryx::platform {

// Copies the SoundFont `source` to `target` cut down to the presets the MIDI files
// `musicFiles` can select, kept and reported as `recordedCopy` keeps and reports a
// copy; a SoundFont already at `target` is kept only while it plays the music as the
// fresh cut would. It goes whole, replacing what is there, when one of the pieces
// cannot be read as MIDI or the SoundFont cannot be cut; and it is left as it is when
// source and target are one file.
FileCopy copySoundFontFor(std::string source, std::string target, bool keepExisting,
                          std::span<const std::string> musicFiles);

}  // namespace pryx::platform
