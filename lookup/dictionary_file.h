// Reading the dictionary file: the whole file, raw, at every call.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lookup {

// The raw bytes of a file. The buffer is left uninitialised before the read,
// which matters for a file of several megabytes read at every lookup.
class FileBytes {
 public:
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  friend std::optional<FileBytes> ReadDictionaryFile(const std::string& path);
  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
};

// Reads all of `path`; nullopt when it can't be opened. A read error ends the
// read: the bytes read before it are returned.
std::optional<FileBytes> ReadDictionaryFile(const std::string& path);

}  // namespace lookup
