// The dictionary as text mode shows it, cut into the pieces fgets returns.
#include "dictionary/text_mode_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "dictionary/dictionary_line.h"
#include "tests/support/dictionary_fixture.h"
#include "tests/support/literal_reading.h"

namespace dictionary {
namespace {

using namespace std::string_literals;
using lookup::ListFill;
using lookup::fixture::CheckedList;
using lookup::reference::Reading;
namespace reference = lookup::reference;

PieceFilter Every() {
  PieceFilter filter;
  filter.AllowAll();
  return filter;
}

std::vector<std::string> Pieces(std::string_view raw, size_t largestRead,
                                const PieceFilter& filter = Every()) {
  std::vector<std::string> pieces;
  MemorySource source(raw, largestRead);
  ForEachPiece(source, filter, [&](const Piece& piece) { pieces.emplace_back(piece.text); });
  return pieces;
}

// The file arrives in reads of any size; none may change the pieces.
const size_t kReadSizes[] = {1, 2, 3, 7, 64, 4096, 10239, 10240, 10241, 65536, static_cast<size_t>(-1)};

std::string Repeat(char c, size_t n) { return std::string(n, c); }

struct PieceCase {
  const char* name;
  std::string raw;
  std::vector<std::string> pieces;
};

// The view: CR LF reads as LF, Ctrl+Z ends the file, a lone CR stays, a zero
// byte is read like any other; a read takes at most 10239 bytes.
const PieceCase kPieceCases[] = {
    {"empty file", "", {}},
    {"CR LF reads as LF", "a\r\nb\r\n", {"a\n", "b\n"}},
    {"last line without LF", "a\nb", {"a\n", "b"}},
    {"lone CR inside a line stays", "a\rb\n", {"a\rb\n"}},
    {"only the CR before LF goes", "a\r\r\n", {"a\r\n"}},
    {"CR at the end of the file stays", "a\r", {"a\r"}},
    {"LF CR is no pair", "a\n\rb\n", {"a\n", "\rb\n"}},
    {"Ctrl+Z ends the file",
     std::string("a\nb\x1A"
                 "c\n",
                 6),
     {"a\n", "b"}},
    {"Ctrl+Z first",
     std::string("\x1A"
                 "a\n",
                 3),
     {}},
    {"CR before Ctrl+Z stays", std::string("a\r\x1A\n", 4), {"a\r"}},
    {"empty lines", "\n\r\n", {"\n", "\n"}},
    {"blank lines", std::string("\t\0x\n\t\t\n\t\t", 9), {std::string("\t\0x\n", 4), "\t\t\n", "\t\t"}},
    {"zero byte is read", std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}},
    {"10238 bytes and LF: one read", Repeat('x', 10238) + "\n", {Repeat('x', 10238) + "\n"}},
    {"10239 bytes and LF: the LF alone next", Repeat('x', 10239) + "\n", {Repeat('x', 10239), "\n"}},
    {"10238 bytes and CR LF: one read", Repeat('x', 10238) + "\r\n", {Repeat('x', 10238) + "\n"}},
    {"10239 bytes and CR LF: LF alone next", Repeat('x', 10239) + "\r\n", {Repeat('x', 10239), "\n"}},
    {"lone CR counts as a byte", Repeat('x', 10237) + "\r\r\n", {Repeat('x', 10237) + "\r\n"}},
    {"lone CR at a cut", Repeat('x', 10238) + "\r\r\n", {Repeat('x', 10238) + "\r", "\n"}},
    {"two full pieces", Repeat('x', 20478), {Repeat('x', 10239), Repeat('x', 10239)}},
    {"three pieces", Repeat('x', 20479) + "\r\nyz", {Repeat('x', 10239), Repeat('x', 10239), "x\n", "yz"}},
};

TEST(TextModeView, Pieces) {
  for (const PieceCase& c : kPieceCases) {
    SCOPED_TRACE(c.name);
    for (size_t largestRead : kReadSizes) EXPECT_EQ(Pieces(c.raw, largestRead), c.pieces) << largestRead;
  }
}

// Pieces whose first two bytes the filter does not allow may be left out;
// the others all come, the LF of a CR LF cut from its line too.
TEST(TextModeView, FilteredPieces) {
  PieceFilter filter;
  filter.Allow('b', '2');
  filter.Allow('y');
  filter.Allow('b', '\n');
  const std::string longLine = "b2" + std::string(10237, 'x');  // a full piece, then "b2" LF
  const std::string raw =
      "a\nb1\r\nb2\nb\r\nb\nyes\ny\r\n" + std::string(10239, 'x') + "\r\nb2\n" + longLine + "b2\nbb\nb2";
  std::vector<std::string> pieces;
  for (const std::string& piece : Pieces(raw, static_cast<size_t>(-1), filter)) {
    if (piece.size() == 1 || filter.Allows(piece[0], piece[1])) pieces.push_back(piece);
  }
  EXPECT_EQ(pieces, (std::vector<std::string>{"b2\n", "b\n", "b\n", "yes\n", "y\n", "\n", "b2\n", longLine,
                                              "b2\n", "b2"}));
}

// Lines across the reader's own blocks: many lines of every length around
// a block, with CR LF pairs and long lines falling on every boundary.
TEST(TextModeView, PiecesAcrossBlocks) {
  std::string raw;
  std::vector<std::string> expected;
  for (size_t length = 1; raw.size() < 600 * 1024; length = length * 7 % 20011 + 1) {
    std::string line(length, static_cast<char>('a' + length % 26));
    raw += line + "\r\n";
    for (size_t at = 0; at < line.size() + 1; at += kMaxPieceLength) {
      expected.push_back((line + "\n").substr(at, kMaxPieceLength));
    }
  }
  EXPECT_EQ(Pieces(raw, static_cast<size_t>(-1)), expected);
  EXPECT_EQ(Pieces(raw, 4093), expected);
}

// A piece read again at the offset the reader gave: the same text, known
// complete from the piece limit and one byte more, or from all the rest.
TEST(TextModeView, EachPieceAgainFromItsOffset) {
  std::vector<std::string> raws;
  for (const PieceCase& c : kPieceCases) raws.push_back(c.raw);
  std::string lines;
  for (size_t length = 1; lines.size() < 200 * 1024; length = length * 7 % 20011 + 1) {
    lines += std::string(length, static_cast<char>('a' + length % 26)) + (length % 3 ? "\r\n" : "\n");
  }
  raws.push_back(lines);
  for (const std::string& raw : raws) {
    for (size_t largestRead : {size_t{1}, size_t{4093}, static_cast<size_t>(-1)}) {
      MemorySource source(raw, largestRead);
      ForEachPiece(source, Every(), [&](const Piece& piece) {
        const std::string text(piece.text);
        auto again = [&](std::string_view bytes, bool toTheEnd) {
          const RawPiece found = PieceAt(bytes, toTheEnd);
          return found.complete ? std::string(found.bytes) + (found.crLf ? "\n" : "") : "(not complete)";
        };
        const std::string_view rest = std::string_view(raw).substr(piece.offset);
        EXPECT_EQ(again(rest, true), text) << piece.offset;
        if (rest.size() > kMaxPieceLength) EXPECT_EQ(again(rest.substr(0, kMaxPieceLength + 1), false), text);
        if (text.size() > 2 && text.back() != '\n')
          EXPECT_EQ(again(rest.substr(0, 1), false), "(not complete)");
      });
    }
  }
}

// The same view must reach the reference through fgets: with the empty word
// every piece that is not blank is listed, cut at ';' or a zero byte.
TEST(TextModeView, ReferenceSeesTheSameView) {
  for (const PieceCase& c : kPieceCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> rows;
    for (const std::string& piece : c.pieces) {
      std::string text = piece.substr(0, piece.find('\0'));
      if (text.find_first_not_of('\t') == std::string::npos) continue;  // blank: skipped
      rows.push_back(text.substr(0, text.find(';')));
    }
    ListFill fill = CheckedList(c.raw, "");
    if (rows.empty()) rows.push_back("Unknown");
    EXPECT_EQ(fill.rows, rows);
  }
}

TEST(TextModeView, RowText) {
  struct RowCase {
    std::string raw;
    std::string row;
  };
  const RowCase cases[] = {
      {"run\tto move fast\r\n", "run\tto move fast\n"},
      {"run\tto move fast;old use\r\n", "run\tto move fast"},
      {"ru;n\tx\n", "ru"},
      {std::string("run\tx\0;y\n", 9), "run\tx"},
      {"run\tx\r", "run\tx\r"},
      {";\n", ""},
  };
  for (const RowCase& c : cases) {
    std::string row;
    MemorySource source(c.raw);
    ForEachPiece(source, Every(), [&](const Piece& piece) { row = std::string(RowText(piece.text)); });
    EXPECT_EQ(row, c.row) << ::testing::PrintToString(c.raw);
  }
}

// How each piece ended and the raw bytes after Ctrl+Z, which a rewrite of
// the dictionary needs, from sources that deliver any number of bytes a read.
Reading ReadAll(std::string_view raw, size_t largestRead) {
  MemorySource source(raw, largestRead);
  bool complete = false;
  Reading reading = reference::ReadThroughReader(source, &complete);
  EXPECT_TRUE(complete);
  return reading;
}

TEST(TextModeReaderTest, Table) {
  const std::string filler(kMaxPieceLength - 1, 'a');
  struct Case {
    std::string raw;
    Reading reading;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\n", {{{"a\n", PieceEnd::kLineEnd}, {"b\n", PieceEnd::kLineEnd}}, ""}},
      {"a\rb\r", {{{"a\rb\r", PieceEnd::kEndOfText}}, ""}},
      {"a\r\r\n", {{{"a\r\n", PieceEnd::kLineEnd}}, ""}},
      {"a\n\n", {{{"a\n", PieceEnd::kLineEnd}, {"\n", PieceEnd::kLineEnd}}, ""}},
      {"a\r\x1A\r\nb", {{{"a\r", PieceEnd::kEndOfText}}, "\x1A\r\nb"}},
      {"\x1A"
       "a\n",
       {{},
        "\x1A"
        "a\n"}},
      {"a\0b\n\0"s, {{{"a\0b\n"s, PieceEnd::kLineEnd}, {"\0"s, PieceEnd::kEndOfText}}, ""}},
      // A CR LF whose LF is the piece's last byte; a lone CR there.
      {filler + "\r\nb", {{{filler + "\n", PieceEnd::kLineEnd}, {"b", PieceEnd::kEndOfText}}, ""}},
      {filler + "a\rb", {{{filler + "a", PieceEnd::kLimit}, {"\rb", PieceEnd::kEndOfText}}, ""}},
      {filler + "\rb", {{{filler + "\r", PieceEnd::kLimit}, {"b", PieceEnd::kEndOfText}}, ""}},
      // A full piece that ends the text, at the file's end or at 0x1A.
      {filler + "a", {{{filler + "a", PieceEnd::kEndOfText}}, ""}},
      {filler + "a\x1A", {{{filler + "a", PieceEnd::kEndOfText}}, "\x1A"}},
      {filler + "ab\n", {{{filler + "a", PieceEnd::kLimit}, {"b\n", PieceEnd::kLineEnd}}, ""}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(reference::ReadLiterally(c.raw), c.reading) << "raw bytes: " << c.raw.size();
    for (size_t chunk : kReadSizes) {
      EXPECT_EQ(ReadAll(c.raw, chunk), c.reading) << "raw bytes: " << c.raw.size() << ", chunk " << chunk;
    }
  }
}

// Random files of the bytes that matter, long enough to cross piece and
// buffer boundaries, read in chunks of every size that can split a CR LF.
TEST(TextModeReaderTest, AgreesWithLiteralReading) {
  std::mt19937 random(20240611);
  const char alphabet[] = {'a', '\t', ';', '\r', '\n', '\0'};
  for (int round = 0; round < 60; ++round) {
    std::string raw(std::uniform_int_distribution<size_t>(0, 3 * kMaxPieceLength)(random), 'a');
    // Mostly long lines, so pieces end at the limit as often as at a line end.
    const int specials = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < specials && !raw.empty(); ++i) {
      raw[std::uniform_int_distribution<size_t>(0, raw.size() - 1)(random)] =
          alphabet[std::uniform_int_distribution<int>(0, 5)(random)];
    }
    if (round % 4 == 0 && !raw.empty()) {
      raw[std::uniform_int_distribution<size_t>(0, raw.size() - 1)(random)] = kEndOfFileByte;
    }
    const Reading expected = reference::ReadLiterally(raw);
    for (size_t chunk : kReadSizes) {
      ASSERT_EQ(ReadAll(raw, chunk), expected) << "round " << round << ", chunk " << chunk;
    }
  }
}

// Delivers `bytes` in reads of at most `chunk` bytes, then fails once
// `failAfter` bytes have been read.
class FailingSource final : public ByteSource {
 public:
  FailingSource(std::string_view bytes, size_t chunk, size_t failAfter)
      : bytes_(bytes), chunk_(chunk), failAfter_(failAfter) {}
  std::ptrdiff_t Read(char* into, size_t capacity) override {
    if (position_ >= failAfter_) return -1;
    const size_t take = std::min({capacity, chunk_, bytes_.size() - position_, failAfter_ - position_});
    std::memcpy(into, bytes_.data() + position_, take);
    position_ += take;
    return static_cast<std::ptrdiff_t>(take);
  }

 private:
  std::string_view bytes_;
  size_t chunk_;
  size_t failAfter_;
  size_t position_ = 0;
};

TEST(TextModeReaderTest, ReadErrorIsReported) {
  const std::string raw = "a\nb\r\nc\n" + std::string(100000, 'x') +
                          "\n\x1A"
                          "tail";
  for (size_t failAfter : {size_t{0}, size_t{2}, size_t{4}, size_t{70000}, raw.size() - 2}) {
    FailingSource source(raw, 4096, failAfter);
    TextModeReader reader(source);
    const TextEnd end = reader.ForEachPiece(Every(), [](const Piece&) {});
    const bool copied = reader.CopyRest([](std::string_view) { return true; });
    EXPECT_TRUE(end == TextEnd::kReadError || !copied) << "fail after " << failAfter;
  }
}

// A visitor that returns false gets no further piece, in this block or later.
TEST(TextModeReaderTest, VisitorStops) {
  const std::string raw = "a\nb\nc\n" + std::string(100000, 'x') +
                          "\n\x1A"
                          "tail";  // 13 pieces
  for (size_t stopAfter : {1, 3, 4, 13}) {
    for (size_t chunk : {size_t{2}, static_cast<size_t>(-1)}) {
      MemorySource source(raw, chunk);
      TextModeReader reader(source);
      size_t visited = 0;
      const TextEnd end = reader.ForEachPiece(Every(), [&](const Piece&) { return ++visited < stopAfter; });
      EXPECT_EQ(visited, stopAfter);
      EXPECT_EQ(end, TextEnd::kStopped);
      EXPECT_FALSE(reader.CopyRest([](std::string_view) { return true; }));
    }
  }
}

}  // namespace
}  // namespace dictionary
