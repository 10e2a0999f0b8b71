#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace pryx::cli {

int afterOutputFlushed(int status) {
  std::cout.flush();
  bool written = static_cast<bool>(std::cout) && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (std::fclose(stdout) != 0) written = false;
  if (written) return status;
  std::cerr << "pryx: cannot write the standard output: " << std::strerror(errno) << '\n';
  return 1;
}

}  // namespace pryx::cli
