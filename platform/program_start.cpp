#include "platform/program_start.h"

#include "platform/paths.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#ifdef _WIN32
#include <process.h>

#include "platform/windows_text.h"
#else
#include <unistd.h>
#endif

namespace pryx::platform {
namespace {

#ifdef _WIN32
// The child's C runtime splits its command line again: an argument is quoted so that
// it comes back as it was, blanks, quotes and backslashes included.
std::wstring quotedArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote itself escaped.
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  // Backslashes before the closing quote are doubled, so that it still closes.
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

#endif

}  // namespace

std::optional<int> runInstead(std::string_view path, std::span<const std::string> arguments, std::string* error) {
  // Whatever this program has written goes out before the other one writes.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
#ifdef _WIN32
  std::wstring program = toFsPath(path).wstring();
  std::vector<std::wstring> quoted{quotedArgument(program)};
  for (const std::string& argument : arguments) quoted.push_back(quotedArgument(wideFromUtf8(argument)));
  std::vector<const wchar_t*> argv;
  for (const std::wstring& argument : quoted) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  intptr_t status = _wspawnv(_P_WAIT, program.c_str(), argv.data());
  if (status != -1) return static_cast<int>(status);
#else
  std::string program = toFsPath(path).string();
  std::vector<char*> argv{program.data()};
  std::vector<std::string> copies(arguments.begin(), arguments.end());
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
#endif
  if (error) *error = std::strerror(errno);
  return std::nullopt;
}

}  // namespace pryx::platform
