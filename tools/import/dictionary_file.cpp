#include "dictionary_file.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "dictionary/dictionary_line.h"
#include "dictionary/native_file_system.h"
#include "dictionary/replace_with_backup.h"
#include "dictionary/text_mode_writer.h"
#include "import_error.h"
#include "platform.h"

namespace import {
namespace {

unsigned char SwapAsciiCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
  if (c >= 'a' && c <= 'z') return c - ('a' - 'A');
  return c;
}

template <typename Key>
int Compare(std::string_view a, std::string_view b, Key key) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = key(static_cast<unsigned char>(a[i]));
    unsigned char y = key(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool HeadwordLess(const DictionaryLine& a, const DictionaryLine& b) { return HeadwordBefore(a.headword, b.headword); }

}  // namespace

std::string JoinWithinLine(std::string_view headword, const std::vector<std::string>& pieces,
                           std::string_view separator, bool& shortened) {
  std::string meaning;
  shortened = false;
  const size_t room = headword.size() + 1 < kLongestLineText ? kLongestLineText - headword.size() - 1 : 0;
  for (const std::string& piece : pieces) {
    size_t grown = meaning.size() + (meaning.empty() ? 0 : separator.size()) + piece.size();
    if (grown > room) {
      shortened = true;
      break;
    }
    if (!meaning.empty()) meaning += separator;
    meaning += piece;
  }
  return meaning;
}

bool HeadwordBefore(std::string_view a, std::string_view b) {
  if (int c = Compare(a, b, dictionary::FoldAsciiCase)) return c < 0;
  return Compare(a, b, SwapAsciiCase) < 0;
}

void SortByHeadword(std::vector<DictionaryLine>& lines) {
  std::stable_sort(lines.begin(), lines.end(), HeadwordLess);
}

uint64_t WriteDictionary(const std::string& path, const std::vector<DictionaryLine>& lines) {
  dictionary::NativeFileSystem files;
  const dictionary::DictionaryPaths paths = dictionary::DictionaryPaths::Of(path);
  std::unique_ptr<dictionary::OutputFile> output = files.CreateWorkFile(paths.work);
  if (!output)
    throw ImportError(paths.work + ": cannot create it beside " + path + ": " + SystemErrorText(files.LastError()),
                      Problem::kCannotWrite, path);
  const auto fail = [&](const std::string& why) {
    const std::string reason = SystemErrorText(files.LastError());
    output.reset();
    files.Remove(paths.work);
    throw ImportError(paths.work + ": " + why + ": " + reason, Problem::kCannotWrite, path);
  };

  dictionary::TextModeWriter writer(*output);
  uint64_t written = 0;
  for (const DictionaryLine& line : lines) {
    writer.WriteText(line.headword);
    writer.WriteText("\t");
    writer.WriteText(line.meaning);
    writer.WriteText("\n");  // as CR LF
    written += line.headword.size() + line.meaning.size() + 3;
  }
  if (!writer.Flush()) fail("cannot write");
  if (!output->Sync()) fail("cannot flush to disk");
  output.reset();
  if (const std::optional<dictionary::FileFailure> failure = dictionary::ReplaceWithBackup(files, paths)) {
    files.Remove(paths.work);
    throw ImportError(path + ": cannot replace it with " + paths.work + ": " + failure->path + ": " +
                          SystemErrorText(failure->error),
                      Problem::kCannotWrite, path);
  }
  return written;
}

}  // namespace import
