#pragma once
// Which SoundFont the music is played with: one the game ships beside the player
// first, so that a game can bring its own instruments, else the system's General
// MIDI SoundFont.

#include <string>
#include <vector>

namespace pryx::player {

// Places where systems keep a General MIDI SoundFont, most usual first.
const std::vector<std::string>& usualSystemSoundFonts();

// The SoundFonts to try, best first: every .sf2 and .sf3 file in `programFolder`
// (extension in any case, by name), then those of `systemSoundFonts` that exist.
// No path appears twice.
std::vector<std::string> soundFontCandidates(const std::string& programFolder,
                                             const std::vector<std::string>& systemSoundFonts);

// Whether the file starts as a SoundFont does (a RIFF file of the kind "sfbk"), so
// that other files never reach the synthesizer's loader.
bool looksLikeSoundFont(const std::string& path);

}  // namespace pryx::player
