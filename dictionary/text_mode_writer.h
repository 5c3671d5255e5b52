// Writing the dictionary in text mode, done on raw bytes so every platform
// writes the same file: LF goes out as CR LF. (Reading is text_mode_reader.h.)
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "dictionary/file_system.h"

namespace dictionary {

// Buffers its output; after the first failed write it writes nothing more.
class TextModeWriter {
 public:
  explicit TextModeWriter(OutputFile& file);

  void WriteText(std::string_view text);  // LF goes out as CR LF
  void WriteRaw(std::string_view bytes);
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  void Put(const char* data, std::size_t size);

  OutputFile& file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace dictionary
