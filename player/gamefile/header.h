#pragma once
// The fixed 36-byte header. Positions are 1-based byte indexes into the file.

#include <cstdint>
#include <string_view>

namespace pryx::gamefile {

inline constexpr std::string_view kMagic = "PRYX";
inline constexpr std::int64_t kHeaderSize = 36;
inline constexpr std::int64_t kFirstInstruction = 37;

// Header slots: each holds an int32.
enum class HeaderSlot : std::int64_t {
  ChrPool = 5,
  CgPool = 9,
  BgmPool = 13,
  CaptionPool = 17,
  MessagePool = 21,
  LabelChain = 25,
  ButtonChain = 29,
  TextChain = 33,
};

constexpr std::int64_t position(HeaderSlot slot) { return static_cast<std::int64_t>(slot); }

// Limits of the tables the player keeps.
inline constexpr int kMaxLabels = 10000;
inline constexpr int kMaxMessageNumber = 10000;
inline constexpr int kMaxCaptionNumber = 10000;
inline constexpr int kButtonSlots = 5;
inline constexpr int kMaxButtonRecords = 50000;
inline constexpr int kMaxResourceNumber = 1000;
inline constexpr int kMaxVariables = 10000;
inline constexpr int kMaxCaptionBytes = 255;
inline constexpr int kMaxTextBytes = 32767;

// The player version this kit writes into games and accepts from them.
inline constexpr std::uint8_t kPlayerMajorVersion = 1;
inline constexpr std::uint8_t kPlayerMinorVersion = 5;

}  // namespace pryx::gamefile
