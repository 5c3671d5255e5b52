// A fresh directory for one test, removed with everything in it afterwards,
// and whole-file helpers for checking what is on disk.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto candidate =
          std::filesystem::temp_directory_path() / ("lexmoor-test-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
    }
    if (path_.empty()) ADD_FAILURE() << "no fresh directory in " << std::filesystem::temp_directory_path();
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string operator/(const std::string& name) const { return File(name); }
  // With a trailing separator.
  std::string Path() const { return (path_ / "").string(); }
  // The names in the directory, sorted and each followed by a space, so leftovers show.
  std::string Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) listing += name + " ";
    return listing;
  }

 private:
  std::filesystem::path path_;
};

// Nullopt when the file does not exist.
inline std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "could not write " << path;
}

}  // namespace testsupport
