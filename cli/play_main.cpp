// pryx-play: the program that `pryx play` runs, with the arguments after "play".

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/play.h"
#include "cli/standard_output.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  using namespace pryx::cli;
  pryx::platform::writeStandardStreamsAsBytes();
  std::vector<std::string> arguments = pryx::platform::commandLineArguments(argc, argv);
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      std::cout << kPlayUsage;
      return afterOutputFlushed(0);
    }
  }
  try {
    return afterOutputFlushed(runPlay(arguments, std::cout, std::cerr));
  } catch (const std::exception& failure) {
    std::cerr << "pryx play: " << failure.what() << '\n';
    return afterOutputFlushed(1);
  }
}
