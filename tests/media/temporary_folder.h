#pragma once
// A fresh, empty folder for one test, removed with the object. The name carries a
// random part, so that test programs of several builds may run side by side.

#include <filesystem>
#include <random>
#include <string>

#include "platform/paths.h"

namespace pryx::test_support {

class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& purpose) {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("pryx-" + purpose + "-" + std::to_string(random()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::string path() const { return platform::fromFsPath(path_); }
  std::string file(const std::string& name) const { return platform::GetPath(path(), name); }

 private:
  std::filesystem::path path_;
};

}  // namespace pryx::test_support
