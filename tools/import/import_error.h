// The one failure an import reports: what went wrong, naming the file, and
// for the user who dropped a file, which of the usual problems it is.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace import {

enum class Problem {
  kOther,
  kCannotRead,       // missing, a folder, not readable
  kEmpty,            // no text at all
  kBinary,           // holds NUL bytes: no text
  kUtf16WithoutBom,  // UTF-16 needs its byte order mark
  kBadEncoding,      // not valid in its encoding
  kTruncated,        // compressed data that ends too early
  kDamaged,          // compressed data that fails its checks
  kUnknownFormat,    // text, but in no format the importer knows
  kMalformed,        // the format broken, such as a quote left open
  kNoEntries,        // in the format's shape, but holding no entry
  kLineTooLong,      // an entry that no dictionary line can hold
  kCannotWrite,      // the dictionary can't be written or replaced
};

class ImportError : public std::runtime_error {
 public:
  // `message` names the file (and line) itself; `file` and `line` (from 1;
  // 0 for none) say the same for those who word it differently.
  ImportError(const std::string& message, Problem problem = Problem::kOther, std::string file = {},
              size_t line = 0)
      : std::runtime_error(message), problem_(problem), file_(std::move(file)), line_(line) {}

  Problem problem() const { return problem_; }
  const std::string& file() const { return file_; }
  size_t line() const { return line_; }

 private:
  Problem problem_;
  std::string file_;
  size_t line_;
};

}  // namespace import
