// The one failure an import reports: what went wrong, naming the file.
#pragma once

#include <stdexcept>
#include <string>

namespace import {

class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace import
