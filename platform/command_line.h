#pragma once
// What a command-line program of the kit is started with, and how its standard
// streams carry what it writes: the same on every platform.

#include <string>
#include <vector>

namespace pryx::platform {

// The program's arguments after its own name, as UTF-8. On Windows `argv` is in the
// ANSI code page, which has no room for most names ("月夜.PXJ" arrives as "??.PXJ"):
// the wide command line is read there instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// The standard output and error take bytes as they are written: on Windows no CR
// before each LF (a script or a listing written there is the same file as anywhere
// else), and a console shows them as UTF-8 while the program runs.
void writeStandardStreamsAsBytes();

}  // namespace pryx::platform
