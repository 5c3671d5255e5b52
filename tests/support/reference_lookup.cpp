#include "tests/support/reference_lookup.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "tests/support/text_mode_stream.h"

namespace lookup::reference {
namespace {

constexpr int kLineBufferSize = 10240;
constexpr int kWordBufferSize = 128;

const char* const kSuffixes[] = {"'s", "ier", "er", "ies", "es", "s", "ied", "ed", "ing"};

struct Group {
  const char* prefix;
  const char* formats[8];  // null-terminated
};
const Group kGroups[] = {
    {"in", {"con%s", "com%s", "de%s", "sub%s", "sus%s", "re%s", nullptr}},
    {"im", {"con%s", "com%s", "de%s", "sub%s", "sus%s", "re%s", nullptr}},
    {"con", {"in%s", "im%s", "de%s", "sub%s", "sus%s", "re%s", nullptr}},
    {"com", {"in%s", "im%s", "de%s", "sub%s", "sus%s", "re%s", nullptr}},
    {"de", {"in%s", "im%s", "con%s", "com%s", "re%s", nullptr}},
    {"sub", {"in%s", "im%s", "con%s", "com%s", "re%s", nullptr}},
    {"sus", {"in%s", "im%s", "con%s", "com%s", "re%s", nullptr}},
    {"re", {"in%s", "im%s", "con%s", "com%s", "de%s", "sus%s", "sub%s", nullptr}},
};

int Fold(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

using OpenStream = std::function<std::FILE*()>;

ListFill ListHeadwordLiterally(const OpenStream& open, const char* word) {
  ListFill list;  // emptied first, whatever follows
  std::FILE* file = open();
  if (!file) return list;
  list.opened = true;

  static char line[kLineBufferSize];
  static char work[kLineBufferSize];
  int32_t count = 0;
  int32_t longest = 0;
  bool matched = false;
  while (!std::feof(file)) {
    std::memset(line, 0, sizeof line);
    std::fgets(line, sizeof line, file);
    if (std::ferror(file)) break;  // never wait for an end that can't come
    std::strcpy(work, line);
    // strtok skips leading TABs, finds nothing in an empty or all-TAB line,
    // and ends the headword at the next TAB; the compare starts at work[0].
    if (std::strtok(work, "\t") == nullptr) continue;
    size_t length = std::strlen(word);
    bool match = true;
    for (size_t i = 0; i < length; ++i) {
      if (Fold(static_cast<unsigned char>(work[i])) != Fold(static_cast<unsigned char>(word[i]))) {
        match = false;
        break;
      }
    }
    if (!match) continue;
    matched = true;
    if (char* semicolon = std::strchr(line, ';')) *semicolon = '\0';
    list.rows.push_back(line);
    if (static_cast<int32_t>(std::strlen(line)) > longest) longest = static_cast<int32_t>(std::strlen(line));
    ++count;
  }
  std::fclose(file);
  if (!matched) {
    list.rows.push_back("Unknown");
    if (longest < 7) longest = 7;
  }
  list.count = count;
  list.longestRow = longest;
  return list;
}

struct Run {
  const OpenStream& open;
  LookupResult& result;
  int passes = 0;

  int32_t ListHeadword(const char* word, int listId) {
    ++passes;
    result.lists[listId - 1000] = ListHeadwordLiterally(open, word);
    return result.lists[listId - 1000]->count;
  }

  int32_t ListStem(char* word, const char* suffix, int listId) {
    size_t length = std::strlen(word);
    size_t suffixLength = std::strlen(suffix);
    if (length <= suffixLength) return 0;
    if (std::strcmp(word + length - suffixLength, suffix) != 0) return 0;
    word[length - suffixLength] = '\0';
    return ListHeadword(word, listId);
  }
};

LookupResult LookupLiterally(const OpenStream& open, std::string_view query, bool related, int* passes) {
  LookupResult result;
  Run run{open, result};

  char buffer[kWordBufferSize];
  std::string text(query);  // as a C string: it ends at its first zero byte
  std::strncpy(buffer, text.c_str(), kWordBufferSize - 1);  // a longer query keeps its first 127 bytes
  buffer[kWordBufferSize - 1] = '\0';
  size_t length = std::strlen(buffer);
  if (length > 0 && buffer[length - 1] == ' ') buffer[--length] = '\0';
  if (length > 0 && buffer[length - 1] == '\t') buffer[--length] = '\0';
  if (buffer[0] == '\0') {
    if (passes) *passes = 0;
    return result;
  }
  result.shown = true;

  int32_t largest = 0;
  int32_t count = run.ListHeadword(buffer, 1000);
  if (count > 0) largest = count;
  for (const char* suffix : kSuffixes) {
    if (count != 0) break;
    count = run.ListStem(buffer, suffix, 1000);
    if (count > largest) largest = count;
  }

  int32_t counter = 1;
  if (related) {
    for (const Group& group : kGroups) {
      size_t prefixLength = std::strlen(group.prefix);
      if (std::strlen(buffer) <= prefixLength || std::strncmp(buffer, group.prefix, prefixLength) != 0) continue;
      const char* stem = buffer + prefixLength;
      for (const char* const* format = group.formats; *format; ++format) {
        char candidate[kWordBufferSize];
        // A candidate that would not fit the buffer is not tried.
        if (std::strlen(*format) - 2 + std::strlen(stem) > kWordBufferSize - 1) continue;
        std::snprintf(candidate, sizeof candidate, *format, stem);
        count = run.ListHeadword(candidate, 1000 + counter);
        if (count != 0) ++counter;
        if (count > largest) largest = count;
        if (counter > 4) goto searched;
      }
    }
  }
searched:
  result.listCounter = counter;
  result.largestCount = largest;
  if (passes) *passes = run.passes;
  return result;
}

}  // namespace

ListFill ListHeadword(const std::string& path, std::string_view word) {
  return ListHeadwordLiterally([&] { return OpenTextMode(path); }, std::string(word).c_str());
}

ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word) {
  return ListHeadwordLiterally([&] { return OpenTextMode(dictionary); }, std::string(word).c_str());
}

LookupResult Lookup(const std::string& path, std::string_view query, bool related, int* passes) {
  return LookupLiterally([&] { return OpenTextMode(path); }, query, related, passes);
}

LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related, int* passes) {
  return LookupLiterally([&] { return OpenTextMode(dictionary); }, query, related, passes);
}

}  // namespace lookup::reference
