#include "stardict_files.h"

#include <algorithm>

#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr std::string_view kIfo = ".ifo";
constexpr std::string_view kIfoMagic = "StarDict's dict ifo file";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kMostNumberDigits = 18;
constexpr size_t kSizeBytes = 4;  // the entry size in the .idx and the entry number in the .syn

bool ParseNumber(std::string_view digits, uint64_t& value) {
  if (digits.empty() || digits.size() > kMostNumberDigits) return false;
  value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

uint64_t BigEndian(std::string_view bytes) {
  uint64_t value = 0;
  for (unsigned char b : bytes) value = value << 8 | b;
  return value;
}

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

}  // namespace

std::string StardictPaths::SynonymsBeside() const { return ifo.substr(0, ifo.size() - kIfo.size()) + ".syn"; }

StardictPaths FindStardictFiles(const std::string& ifoPath) {
  if (!EndsWith(ifoPath, kIfo))
    throw ImportError(ifoPath + ": a StarDict dictionary is given by its .ifo file");
  const std::string base = ifoPath.substr(0, ifoPath.size() - kIfo.size());
  auto either = [&](const std::string& plain, const std::string& packed) {
    if (FileExists(plain)) return plain;
    if (FileExists(packed)) return packed;
    throw ImportError(plain + ": missing (and so is " + packed + "); it belongs beside " + ifoPath);
  };
  StardictPaths paths;
  paths.ifo = ifoPath;
  paths.idx = either(base + ".idx", base + ".idx.gz");
  paths.dict = either(base + ".dict", base + ".dict.dz");
  if (FileExists(paths.SynonymsBeside())) paths.syn = paths.SynonymsBeside();
  return paths;
}

std::string ReadStardictFile(const std::string& path) {
  return EndsWith(path, ".gz") || EndsWith(path, ".dz") ? ReadGzipFile(path) : ReadWholeFile(path);
}

StardictInfo ParseStardictInfo(const std::string& path, std::string_view text) {
  if (StartsWith(text, kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  StardictInfo info;
  info.path = path;
  bool hasWordCount = false;
  size_t lineNumber = 0;
  for (std::string_view line : Split(text, '\n')) {
    ++lineNumber;
    if (EndsWith(line, "\r")) line.remove_suffix(1);
    const std::string where = path + ": line " + std::to_string(lineNumber);
    if (lineNumber == 1) {
      if (line != kIfoMagic)
        throw ImportError(path + ": not a StarDict .ifo file (its first line is not \"" +
                          std::string(kIfoMagic) + "\")");
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "bookname") {
      info.bookname = std::string(value);
    } else if (key == "wordcount") {
      if (!ParseNumber(value, info.wordCount)) throw ImportError(where + ": wordcount is not a number");
      hasWordCount = true;
    } else if (key == "synwordcount") {
      uint64_t n = 0;
      if (!ParseNumber(value, n)) throw ImportError(where + ": synwordcount is not a number");
      info.synonymCount = n;
    } else if (key == "idxoffsetbits") {
      if (value != "32" && value != "64")
        throw ImportError(where + ": idxoffsetbits=" + std::string(value) +
                          ", but offsets have 32 or 64 bits");
      info.offsetBits = value == "64" ? 64 : 32;
    } else if (key == "sametypesequence") {
      for (char c : value)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
          throw ImportError(where + ": sametypesequence holds \"" + std::string(1, c) +
                            "\", which is no field type");
      info.sameTypeSequence = std::string(value);
    }
  }
  if (!hasWordCount) throw ImportError(path + ": gives no wordcount");
  return info;
}

std::vector<StardictIndexEntry> ParseStardictIndex(const std::string& path, std::string_view bytes,
                                                   const StardictInfo& info) {
  const size_t offsetBytes = static_cast<size_t>(info.offsetBits / 8);
  std::vector<StardictIndexEntry> entries;
  entries.reserve(std::min<uint64_t>(info.wordCount, bytes.size() / (1 + offsetBytes + kSizeBytes)));
  size_t at = 0;
  while (at < bytes.size()) {
    if (entries.size() == info.wordCount)
      throw ImportError(path + ": holds more than the " + std::to_string(info.wordCount) + " entries " +
                        info.path + " gives (at byte " + std::to_string(at) +
                        "); do the files belong together?");
    const size_t nul = bytes.find('\0', at);
    if (nul == std::string_view::npos || bytes.size() - nul - 1 < offsetBytes + kSizeBytes)
      throw ImportError(path + ": entry " + std::to_string(entries.size() + 1) + " (byte " +
                        std::to_string(at) + "): the file ends inside it");
    StardictIndexEntry e;
    e.word = bytes.substr(at, nul - at);
    e.offset = BigEndian(bytes.substr(nul + 1, offsetBytes));
    e.size = static_cast<uint32_t>(BigEndian(bytes.substr(nul + 1 + offsetBytes, kSizeBytes)));
    entries.push_back(e);
    at = nul + 1 + offsetBytes + kSizeBytes;
  }
  if (entries.size() < info.wordCount)
    throw ImportError(path + ": holds " + std::to_string(entries.size()) + " entries, but " + info.path +
                      " gives wordcount=" + std::to_string(info.wordCount) + "; is the file cut short?");
  return entries;
}

std::vector<StardictSynonym> ParseStardictSynonyms(const std::string& path, std::string_view bytes,
                                                   size_t entries) {
  std::vector<StardictSynonym> synonyms;
  size_t at = 0;
  while (at < bytes.size()) {
    auto synonym = [&] { return "synonym " + std::to_string(synonyms.size() + 1); };
    const size_t nul = bytes.find('\0', at);
    if (nul == std::string_view::npos || bytes.size() - nul - 1 < kSizeBytes)
      throw ImportError(path + ": " + synonym() + " (byte " + std::to_string(at) +
                        "): the file ends inside it");
    StardictSynonym s;
    s.word = bytes.substr(at, nul - at);
    const uint64_t entry = BigEndian(bytes.substr(nul + 1, kSizeBytes));
    if (entry >= entries)
      throw ImportError(path + ": " + synonym() + " (" + Quoted(s.word) + ") is given for entry " +
                        std::to_string(entry + 1) + ", but there are only " + std::to_string(entries));
    s.entry = static_cast<uint32_t>(entry);
    synonyms.push_back(s);
    at = nul + 1 + kSizeBytes;
  }
  return synonyms;
}

}  // namespace import
