#pragma once
// A fresh folder per test in which the pryx tool is run as an author runs it.

#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace pryx::testing {

class ToolFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps two runs of the same test (two builds side by side) apart.
    folder_ = std::filesystem::temp_directory_path() / ("pryx-" + std::string(test->test_suite_name()) + "-" +
                                                        std::string(test->name()) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string path(std::string_view name) const { return (folder_ / name).string(); }

  void write(std::string_view name, std::string_view bytes) {
    std::ofstream(folder_ / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string read(std::string_view name) const {
    auto bytes = platform::readWholeFile(path(name));
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
  }

#ifndef _WIN32  // through the POSIX shell
  // The exit status of `pryx ARGUMENTS` run in the folder; its standard output goes
  // to output.txt, its errors to errors.txt. `tool` is the built tool unless given.
  int pryx(const std::string& arguments, const std::string& tool = PRYX_TOOL) {
    std::string command = "cd '" + folder_.string() + "' && '" + tool + "' " + arguments + " >output.txt 2>errors.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
#endif

  std::filesystem::path folder_;
};

}  // namespace pryx::testing
