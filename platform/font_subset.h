#pragma once
// A font cut down to the characters a game can show, for a web distribution: the
// whole IPA font is most of what a browser would download.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pryx::platform {

// Every character the game file's Shift-JIS texts may hold (each double-byte code
// at any offset, so none is missed whatever the bytes around it), with ASCII, the
// kana of both widths, Japanese punctuation and the full-width forms, which the
// player draws for its own marks and for half-width kana.
std::vector<char32_t> charactersOfGameFile(std::span<const std::uint8_t> gameFile);

// The font file's glyphs for `characters` alone, outlines and hinting unchanged;
// nullopt with `error` set when the font cannot be read or cut.
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string& fontPath, std::span<const char32_t> characters,
                                                    std::string* error);

}  // namespace pryx::platform
