#pragma once
// Numbers that authors type are kept as text and read by their leading number:
// blanks in front are skipped, reading stops at the first character that cannot
// continue the number, and text without a number reads as 0.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace pryx::platform {

// The leading number of `text` (sign, digits, fraction, exponent), or 0.
double leadingNumber(std::string_view text);

// True when `text` starts (after blanks) with something `leadingNumber` reads.
bool hasLeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour; values beyond
// the 64-bit range (and NaN, which reads as 0) are held at its ends.
std::int64_t roundHalfEven(double value);

// The leading number rounded as above.
inline std::int64_t leadingWholeNumber(std::string_view text) { return roundHalfEven(leadingNumber(text)); }

// The whole-number part (toward minus infinity, as the leading-number readers of
// the project file take it).
std::int64_t wholePart(double value);

// "5" and "-3": plain decimal.
std::string plainDecimal(std::int64_t value);

// " 5", " 0" and "-3": a blank stands where a minus sign would.
std::string signPaddedDecimal(std::int64_t value);

// `value` held inside [low, high].
template <typename T>
constexpr T saturate(std::int64_t value) {
  if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (value > static_cast<std::int64_t>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

}  // namespace pryx::platform
