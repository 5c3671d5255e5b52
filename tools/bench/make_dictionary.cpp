// Writes a dictionary for benchmarking. Deterministic: the same arguments
// give the same file.
//
//   make_dictionary OUT [LINES]
//     synthetic, shaped like the real ones: "headword TAB meaning" lines
//     ending with CR LF, English-like headwords in sorted order (several
//     lines for common ones), Shift-JIS meanings, about 75 bytes a line
//     (default 200000 lines, about 15 MB)
//   make_dictionary --from DICTIONARY OUT TIMES
//     TIMES times as large as DICTIONARY, from its own lines: each line as it
//     is and TIMES - 1 phrases made of its headword and the first word of
//     another headword, with its meaning; sorted by bytes like an import
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

class Random {
 public:
  uint64_t Next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

 private:
  uint64_t state_ = 20240601;
};

// Letter groups weighted by repetition, so common English shapes dominate.
const char* const kOnsets[] = {"b", "c", "d", "f", "g", "h", "l", "m", "n", "p", "r", "s", "t", "w", "st",
                               "tr", "pr", "br", "cr", "gr", "pl", "cl", "sh", "ch", "th", "sp", "str", "v",
                               "j", "k", "qu", "fl", "s", "t", "r", "m", "p", "c", "d", ""};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "a", "e", "i", "o", "ea", "ou", "ai", "ee", "oo", "io",
                               "e", "a", "y"};
const char* const kCodas[] = {"", "", "", "n", "r", "t", "l", "s", "m", "nd", "nt", "st", "ck", "ct", "ll",
                              "rt", "ng", "sh", "rk", "x", "ss", "p", "d"};
const char* const kPrefixes[] = {"re", "in", "im", "con", "com", "de", "sub", "sus", "un", "pre", "dis",
                                 "over", "inter", "trans", "ex", "pro"};
const char* const kSuffixes[] = {"s", "ed", "ing", "er", "ly", "tion", "ment", "ness", "able", "al", "ive",
                                 "ous", "ity", "ize", "ful", "less", "ist", "ism"};
const char* const kParts[] = {"n. ", "v. ", "adj. ", "adv. ", "(n) ", "(v) ", "(adj-na) ", ""};

std::string Syllables(Random& random, size_t count) {
  std::string word;
  for (size_t i = 0; i < count; ++i) {
    word += random.Pick(kOnsets);
    word += random.Pick(kVowels);
    word += random.Pick(kCodas);
  }
  return word;
}

std::string Headword(Random& random) {
  std::string word;
  if (random.Below(4) == 0) word += random.Pick(kPrefixes);
  word += Syllables(random, 1 + random.Below(3));
  if (random.Below(3) == 0) word += random.Pick(kSuffixes);
  if (random.Below(12) == 0) word += " " + Syllables(random, 1 + random.Below(2));  // phrases
  if (random.Below(20) == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');       // names
  return word;
}

// Shift-JIS text: hiragana (0x82 0x9F-0xF1), kanji (lead 0x89-0x9F, trail
// 0x40-0xFC without 0x7F) and the ideographic comma (0x81 0x41).
std::string Meaning(Random& random) {
  std::string meaning = random.Pick(kParts);
  size_t characters = 12 + random.Below(36);
  for (size_t i = 0; i < characters; ++i) {
    size_t kind = random.Below(10);
    if (kind < 5) {
      meaning += '\x82';
      meaning += static_cast<char>(0x9F + random.Below(0xF1 - 0x9F + 1));
    } else if (kind < 9) {
      meaning += static_cast<char>(0x89 + random.Below(0x9F - 0x89 + 1));
      unsigned trail = 0x40 + static_cast<unsigned>(random.Below(0xFC - 0x40));
      if (trail >= 0x7F) ++trail;
      meaning += static_cast<char>(trail);
    } else {
      meaning += "\x81\x41";
    }
  }
  return meaning;
}

// The synthetic dictionary of `lines` lines.
std::string Synthetic(long lines) {
  Random random;
  std::vector<std::string> headwords;
  while (static_cast<long>(headwords.size()) < lines) {
    std::string headword = Headword(random);
    size_t senses = random.Below(8) == 0 ? 2 + random.Below(4) : 1;
    for (size_t i = 0; i < senses; ++i) headwords.push_back(headword);
  }
  headwords.resize(static_cast<size_t>(lines));
  std::sort(headwords.begin(), headwords.end());

  std::string text;
  for (const std::string& headword : headwords) text += headword + '\t' + Meaning(random) + "\r\n";
  return text;
}

// `source` made `times` times as large from its own lines.
std::string Multiplied(const std::string& source, long times) {
  std::vector<std::string_view> lines;
  for (size_t begin = 0; begin < source.size();) {
    size_t end = source.find('\n', begin);
    end = end == std::string::npos ? source.size() : end + 1;
    lines.push_back(std::string_view(source).substr(begin, end - begin));
    begin = end;
  }
  Random random;
  std::vector<std::string> made;
  made.reserve(lines.size() * static_cast<size_t>(times));
  for (std::string_view line : lines) {
    made.emplace_back(line);
    const size_t tab = line.find('\t');
    if (tab == 0 || tab == std::string_view::npos) continue;
    for (long i = 1; i < times; ++i) {
      const std::string_view other = lines[random.Below(lines.size())];
      const std::string_view word = other.substr(0, other.find_first_of(" \t\r\n"));
      made.push_back(std::string(line.substr(0, tab)) + ' ' + std::string(word) +
                     std::string(line.substr(tab)));
    }
  }
  std::sort(made.begin(), made.end());
  std::string text;
  for (const std::string& line : made) {
    text += line;
    if (text.back() != '\n') text += "\r\n";
  }
  return text;
}

[[noreturn]] void Usage(const char* program) {
  std::fprintf(stderr, "usage: %s OUT [LINES]\n       %s --from DICTIONARY OUT TIMES\n", program, program);
  std::exit(2);
}

long PositiveNumber(const char* what, const char* text) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (number <= 0 || *end != '\0') {
    std::fprintf(stderr, "make_dictionary: %s must be a positive number, not \"%s\"\n", what, text);
    std::exit(2);
  }
  return number;
}

}  // namespace

int main(int argc, char** argv) {
  std::string text;
  const char* out = nullptr;
  if (argc >= 2 && std::strcmp(argv[1], "--from") == 0) {
    if (argc != 5) Usage(argv[0]);
    const long times = PositiveNumber("TIMES", argv[4]);
    std::FILE* source = std::fopen(argv[2], "rb");
    if (!source) {
      std::perror(argv[2]);
      return 1;
    }
    std::string bytes;
    char block[1 << 16];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, source)) > 0) bytes.append(block, got);
    const bool failed = std::ferror(source) != 0;
    std::fclose(source);
    if (failed || bytes.empty()) {
      std::fprintf(stderr, "make_dictionary: %s: %s\n", argv[2], failed ? "read error" : "empty");
      return 1;
    }
    out = argv[3];
    text = Multiplied(bytes, times);
  } else {
    if (argc < 2 || argc > 3) Usage(argv[0]);
    out = argv[1];
    text = Synthetic(argc == 3 ? PositiveNumber("LINES", argv[2]) : 200000);
  }

  // Written beside the target and renamed over it, so no half-written file is left.
  std::string temporary = std::string(out) + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    std::perror(temporary.c_str());
    return 1;
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fclose(file) == 0 && written;
  if (!written || std::rename(temporary.c_str(), out) != 0) {
    std::perror(out);
    std::remove(temporary.c_str());
    return 1;
  }
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  std::printf("%s: %zu lines, %zu bytes\n", out, lines, text.size());
  return 0;
}
