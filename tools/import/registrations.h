// Pronunciations the user registered in an existing dictionary, to be carried
// over to the lines of a new import that have the same headword.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace import {

struct Registration {
  std::string headword;       // code page 932, as in the line
  std::string pronunciation;  // between "\t[" and "]\t"
  bool onFormLine = false;    // on the line of an inflected form (form_lines.h)
};

struct Registrations {
  std::vector<Registration> items;                      // in file order, one per headword and kind of line
  std::unordered_map<std::string, size_t> indexOf;      // headword to its item, on an entry's line
  std::unordered_map<std::string, size_t> formIndexOf;  // the same on a form line
  // Further lines of a headword with another pronunciation: only the first
  // can be carried over.
  std::vector<Registration> conflicting;

  const Registration* Find(const std::string& headword) const;
};

// The registrations in the dictionary file at `path`, read as the program
// reads it. Throws ImportError naming the file when it can't be read.
Registrations ReadRegistrations(const std::string& path);

}  // namespace import
