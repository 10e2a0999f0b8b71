#pragma once
// A 64-bit FNV-1a hash: cheap, the same from run to run and machine to machine, for
// names and identities derived from file contents (not for security).

#include <cstdint>
#include <span>
#include <string_view>

namespace pryx::platform {

constexpr std::uint64_t stableHash(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ULL;
  return hash;
}

inline std::uint64_t stableHash(std::string_view text) {
  return stableHash({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace pryx::platform
