// The dictionary as text mode shows it, cut into the pieces fgets returns.
#include <gtest/gtest.h>

#include "dictionary_fixture.h"
#include "text_mode.h"

namespace lookup {
namespace {

using testing::CheckedList;

PieceFilter Every() {
  PieceFilter filter;
  filter.AllowAll();
  return filter;
}

std::vector<std::string> Pieces(std::string_view raw, size_t largestRead, const PieceFilter& filter = Every()) {
  std::vector<std::string> pieces;
  MemorySource source(raw, largestRead);
  ForEachPiece(source, filter, [&](const Piece& piece) { pieces.emplace_back(piece.text); });
  return pieces;
}

// The file arrives in reads of any size; none may change the pieces.
const size_t kReadSizes[] = {1, 2, 3, 7, 64, 10239, 10240, 10241, 65536, static_cast<size_t>(-1)};

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
    {"Ctrl+Z ends the file", std::string("a\nb\x1A" "c\n", 6), {"a\n", "b"}},
    {"Ctrl+Z first", std::string("\x1A" "a\n", 3), {}},
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

TEST(TextModeTest, Pieces) {
  for (const PieceCase& c : kPieceCases) {
    SCOPED_TRACE(c.name);
    for (size_t largestRead : kReadSizes) EXPECT_EQ(Pieces(c.raw, largestRead), c.pieces) << largestRead;
  }
}

// Pieces whose first two bytes the filter does not allow may be left out;
// the others all come, the LF of a CR LF cut from its line too.
TEST(TextModeTest, FilteredPieces) {
  PieceFilter filter;
  filter.Allow('b', '2');
  filter.Allow('y');
  filter.Allow('b', '\n');
  const std::string longLine = "b2" + std::string(10237, 'x');  // a full piece, then "b2" LF
  const std::string raw = "a\nb1\r\nb2\nb\r\nb\nyes\ny\r\n" + std::string(10239, 'x') + "\r\nb2\n" +
                          longLine + "b2\nbb\nb2";
  std::vector<std::string> pieces;
  for (const std::string& piece : Pieces(raw, static_cast<size_t>(-1), filter)) {
    if (piece.size() == 1 || filter.Allows(piece[0], piece[1])) pieces.push_back(piece);
  }
  EXPECT_EQ(pieces, (std::vector<std::string>{"b2\n", "b\n", "b\n", "yes\n", "y\n", "\n", "b2\n",
                                              longLine, "b2\n", "b2"}));
}

// Lines across the reader's own blocks: many lines of every length around
// a block, with CR LF pairs and long lines falling on every boundary.
TEST(TextModeTest, PiecesAcrossBlocks) {
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

// The same view must reach the reference through fgets: with the empty word
// every piece that is not blank is listed, cut at ';' or a zero byte.
TEST(TextModeTest, ReferenceSeesTheSameView) {
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

TEST(TextModeTest, RowText) {
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

}  // namespace
}  // namespace lookup
