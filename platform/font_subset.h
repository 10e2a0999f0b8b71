#pragma once
// A font cut down to the characters a game can show: the whole IPA fonts would be
// most of a distribution.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/font_names.h"

namespace pryx::platform {

// Every character the game file's Shift-JIS texts may hold (each double-byte code
// at any offset, so none is missed whatever the bytes around it), with ASCII, the
// kana of both widths, Japanese punctuation and the full-width forms, which the
// player draws for its own marks and for half-width kana, and every character of
// the player's own texts.
std::vector<char32_t> charactersOfGameFile(std::span<const std::uint8_t> gameFile);

// The font file's glyphs for `characters` alone, outlines and hinting unchanged,
// under the name `name`; nullopt with `error` set when the font cannot be read or
// cut, or where HarfBuzz's subsetter is missing.
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string& fontPath, std::span<const char32_t> characters,
                                                    const FontName& name, std::string* error);

// Those of `characters` the font file maps to glyphs; none when it cannot be read or
// HarfBuzz is missing.
std::vector<char32_t> fontCharacters(const std::string& fontPath, std::span<const char32_t> characters);

}  // namespace pryx::platform
