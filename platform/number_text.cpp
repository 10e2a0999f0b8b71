#include "platform/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pryx::platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` (after blanks), 0 if there is none.
std::size_t numberLength(std::string_view text, std::size_t start) {
  std::size_t i = start;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    std::size_t afterPoint = i + 1;
    std::size_t fraction = 0;
    while (afterPoint + fraction < text.size() && isDigit(text[afterPoint + fraction])) ++fraction;
    if (digits + fraction > 0) {
      i = afterPoint + fraction;
      digits += fraction;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t exponentDigits = 0;
    while (j + exponentDigits < text.size() && isDigit(text[j + exponentDigits])) ++exponentDigits;
    if (exponentDigits > 0) i = j + exponentDigits;
  }
  return i - start;
}

std::size_t skipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

}  // namespace

double leadingNumber(std::string_view text) {
  std::size_t start = skipBlanks(text);
  std::size_t length = numberLength(text, start);
  if (length == 0) return 0.0;
  std::string_view typed = text.substr(start, length);
  // A whole number of up to 15 digits, the usual case, is exact in a double as it is.
  std::size_t sign = typed.front() == '+' || typed.front() == '-' ? 1 : 0;
  if (typed.size() - sign <= 15 && std::all_of(typed.begin() + static_cast<std::ptrdiff_t>(sign), typed.end(), isDigit)) {
    std::int64_t whole = 0;
    for (char digit : typed.substr(sign)) whole = whole * 10 + (digit - '0');
    return typed.front() == '-' ? -static_cast<double>(whole) : static_cast<double>(whole);
  }
  std::string number(typed);
  double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : (value > 0 ? HUGE_VAL : -HUGE_VAL);
}

bool hasLeadingNumber(std::string_view text) { return numberLength(text, skipBlanks(text)) > 0; }

std::int64_t roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.2e18;
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(std::nearbyint(value));  // default mode: to nearest, ties to even
}

std::int64_t wholePart(double value) {
  if (std::isnan(value)) return 0;
  return roundHalfEven(std::floor(value));
}

std::string plainDecimal(std::int64_t value) { return std::to_string(value); }

std::string signPaddedDecimal(std::int64_t value) {
  return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

}  // namespace pryx::platform
