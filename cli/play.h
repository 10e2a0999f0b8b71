#pragma once
// pryx play: its help, shared by pryx and by the program pryx-play that it starts,
// and the run itself, which only pryx-play holds.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace pryx::cli {

inline constexpr std::string_view kPlaySummary = "play a game file (.PRY) headless along a route, with trace and frames";

inline constexpr std::string_view kPlayUsage =
    "Usage: pryx play GAME.PRY|PROJECT.PXK --headless [OPTIONS]\n"
    "\n"
    "Plays a game file without a window, on a virtual clock, as a player copied under\n"
    "the game's name would: resources and save files are looked for beside the game\n"
    "file. A project is built in memory and played with its resource files where they\n"
    "are; its saves are kept beside it under the project's name. Every choice offered\n"
    "as a list (two or more buttons in normal mode, any choice in novel mode) takes the\n"
    "next entry of --choose; every other wait (the page prompt, a page with a single\n"
    "button) is clicked through. When the entries run out at a choice, the run ends\n"
    "with the reason no-more-input.\n"
    "The window player is PRYXPlayer; without --headless nothing is played.\n"
    "\n"
    "Options:\n"
    "  --headless        play without a window (required)\n"
    "  --choose LIST     button slots from 1, one per choice, e.g. 1,2,1 (\"\": none)\n"
    "  --menu K:save:S   use the menu item save S (1..5) while the K-th choice waits;\n"
    "  --menu K:load:S   likewise load S. Repeatable. A load ends the wait without a\n"
    "                    choice: the saved page runs again and its choice takes the\n"
    "                    next --choose entry. K counts every list offered.\n"
    "  --answer yes|no   how questions are answered (default yes)\n"
    "  --saves DIR       where the save files are (default: beside the game file)\n"
    "  --trace FILE      one JSON object per line for each event: label, cg, chr, bgm,\n"
    "                    text, choices, choose, var, save, load, end; each with \"pc\"\n"
    "  --frames DIR      a PNG of the picture at every wait (NNNN-KIND.png)\n"
    "  --from-page N     start at page N (the N-th label of a game file): what stands\n"
    "                    above the first label runs first, as in the game\n"
    "  --set NAME=VALUE  start with a variable holding VALUE; NAME is the project's\n"
    "                    name of the variable or its number (only numbers for a game\n"
    "                    file). Repeatable; applied where the run starts\n"
    "  --max-steps N     end the run with the reason step-limit after N instructions\n"
    "                    (default 100000000), so a game that loops cannot hang CI\n"
    "\n"
    "Prints how the run ended. Exit status: 0 the game ended (also for no-more-input),\n"
    "1 the game file could not be read, the game ended on an error or version message\n"
    "or at the step limit, the route asked for a button that was not offered, a load\n"
    "from a slot without a save or a menu item at a choice the run never reached, or\n"
    "the trace or a frame could not be written; 2 wrong arguments.\n";

// Plays as `pryx play ARGUMENTS` asks; the exit status.
int runPlay(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace pryx::cli
