// Where the raw bytes of a dictionary come from: the file, read anew at every
// lookup or rewrite, or memory (tests, fuzzing).
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace dictionary {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `capacity` next bytes into `into`: the count read, 0 at the end, or
  // -1 on a read error.
  virtual std::ptrdiff_t Read(char* into, size_t capacity) = 0;
};

class FileSource : public ByteSource {
 public:
  // Opened for reading in binary mode; the text-mode view is made by the reader.
  explicit FileSource(const std::string& path);
  bool opened() const { return file_ != nullptr; }
  std::ptrdiff_t Read(char* into, size_t capacity) override;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

class MemorySource : public ByteSource {
 public:
  // `bytes` must outlive the source. `largestRead` bounds every read, so that
  // tests can put the reader's block boundaries anywhere.
  explicit MemorySource(std::string_view bytes, size_t largestRead = static_cast<size_t>(-1))
      : rest_(bytes), largestRead_(largestRead == 0 ? 1 : largestRead) {}
  std::ptrdiff_t Read(char* into, size_t capacity) override;

 private:
  std::string_view rest_;
  size_t largestRead_;
};

}  // namespace dictionary
