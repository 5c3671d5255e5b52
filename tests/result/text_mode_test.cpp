#include "result/text_mode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "memory_files.h"

namespace rowaction {
namespace {

using namespace std::string_literals;

struct Piece {
  std::string text;
  PieceEnd end;
  bool operator==(const Piece& o) const { return text == o.text && end == o.end; }
};

struct Reading {
  std::vector<Piece> pieces;
  std::string remainder;  // the raw bytes from 0x1A on
  bool operator==(const Reading& o) const { return pieces == o.pieces && remainder == o.remainder; }
};

std::ostream& operator<<(std::ostream& os, const Reading& r) {
  for (const Piece& p : r.pieces) os << "[" << p.text.size() << "B end " << static_cast<int>(p.end) << "] ";
  return os << "remainder " << r.remainder.size() << "B";
}

// The literal reading: translate the whole file, then cut it as fgets with a
// 10240-byte buffer does.
Reading ReferenceReading(const std::string& raw) {
  std::string text;
  std::size_t i = 0;
  for (; i < raw.size() && raw[i] != kEndOfTextByte; ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
      text += '\n';
      ++i;
    } else {
      text += raw[i];
    }
  }
  Reading reading;
  reading.remainder = raw.substr(i);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t lf = text.find('\n', at);
    const std::size_t size = std::min((lf == std::string::npos ? text.size() : lf + 1) - at, kMaxPieceBytes);
    Piece piece{text.substr(at, size), PieceEnd::kLimit};
    at += size;
    if (piece.text.back() == '\n') piece.end = PieceEnd::kLineEnd;
    else if (at == text.size()) piece.end = PieceEnd::kEndOfText;
    reading.pieces.push_back(std::move(piece));
  }
  return reading;
}

Reading ReadAll(const std::string& raw, std::size_t chunk) {
  MemoryInputFile file(raw, chunk);
  TextModeReader reader(file);
  Reading reading;
  std::string text;
  PieceEnd end;
  for (;;) {
    const TextModeReader::Status status = reader.NextPiece(text, end);
    EXPECT_NE(status, TextModeReader::Status::kError);
    if (status != TextModeReader::Status::kPiece) break;
    reading.pieces.push_back({text, end});
  }
  EXPECT_TRUE(reader.CopyRemainder([&](std::string_view bytes) {
    reading.remainder.append(bytes);
    return true;
  }));
  return reading;
}

const std::size_t kChunkSizes[] = {1, 2, 3, 7, 4096, static_cast<std::size_t>(-1)};

TEST(TextModeReaderTest, Table) {
  const std::string filler(kMaxPieceBytes - 1, 'a');
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
      {"\x1A" "a\n", {{}, "\x1A" "a\n"}},
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
    ASSERT_EQ(ReferenceReading(c.raw), c.reading) << "raw bytes: " << c.raw.size();
    for (std::size_t chunk : kChunkSizes) {
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
    std::string raw(std::uniform_int_distribution<std::size_t>(0, 3 * kMaxPieceBytes)(random), 'a');
    // Mostly long lines, so pieces end at the limit as often as at a line end.
    const int specials = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < specials && !raw.empty(); ++i) {
      raw[std::uniform_int_distribution<std::size_t>(0, raw.size() - 1)(random)] =
          alphabet[std::uniform_int_distribution<int>(0, 5)(random)];
    }
    if (round % 4 == 0 && !raw.empty()) {
      raw[std::uniform_int_distribution<std::size_t>(0, raw.size() - 1)(random)] = kEndOfTextByte;
    }
    const Reading expected = ReferenceReading(raw);
    for (std::size_t chunk : kChunkSizes) {
      ASSERT_EQ(ReadAll(raw, chunk), expected) << "round " << round << ", chunk " << chunk;
    }
  }
}

TEST(TextModeReaderTest, ReadErrorIsReported) {
  const std::string raw = "a\nb\r\nc\n" + std::string(100000, 'x') + "\n\x1A" "tail";
  for (std::size_t failAfter : {std::size_t{0}, std::size_t{2}, std::size_t{4}, std::size_t{70000},
                                raw.size() - 2}) {
    MemoryInputFile file(raw, 4096, failAfter);
    TextModeReader reader(file);
    std::string piece;
    PieceEnd end;
    TextModeReader::Status status;
    while ((status = reader.NextPiece(piece, end)) == TextModeReader::Status::kPiece) {
    }
    const bool copied = reader.CopyRemainder([](std::string_view) { return true; });
    EXPECT_TRUE(status == TextModeReader::Status::kError || !copied) << "fail after " << failAfter;
  }
}

TEST(TextModeWriterTest, Table) {
  struct Case {
    std::string text;
    std::string raw;
  };
  const Case cases[] = {
      {"", ""},
      {"a\n", "a\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\rb", "a\rb"},
      {"a\r\n", "a\r\r\n"},
      {"%s%d\n", "%s%d\r\n"},
      {"a\0b\n"s, "a\0b\r\n"s},
  };
  for (const Case& c : cases) {
    MemoryOutputFile file;
    TextModeWriter writer(file);
    writer.WriteText(c.text);
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(file.bytes, c.raw);
    // What is written reads back as it was.
    EXPECT_EQ(ReadAll(file.bytes, 1).pieces, ReferenceReading(c.raw).pieces);
  }
}

TEST(TextModeWriterTest, FirstFailedWriteStopsAll) {
  MemoryOutputFile file(100000);
  TextModeWriter writer(file);
  const std::string line(999, 'a');
  for (int i = 0; i < 300 && !writer.Failed(); ++i) writer.WriteText(line + "\n");
  EXPECT_TRUE(writer.Failed());
  const int writes = file.writes;
  writer.WriteRaw("more");
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(file.writes, writes);
  EXPECT_EQ(file.bytes.size(), 100000u);
}

}  // namespace
}  // namespace rowaction
