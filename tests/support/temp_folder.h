#pragma once
// A folder of the test's own, removed with everything in it at the end of the test.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace nrv::test {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("norvane-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    // Listings make their folder current; a removed current folder would break later tests.
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  std::filesystem::path MakeFile(const std::filesystem::path& name, size_t bytes = 0) const {
    std::ofstream(path_ / name, std::ios::binary) << std::string(bytes, 'x');
    return path_ / name;
  }
  std::filesystem::path MakeFolder(const std::filesystem::path& name) const {
    std::filesystem::create_directories(path_ / name);
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace nrv::test
