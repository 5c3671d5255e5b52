// The text-mode reading done literally: translate the whole file, then cut it
// as fgets with a 10240-byte buffer does. The reader's pieces, how each ended
// and the raw bytes after Ctrl+Z must equal this. Also here: the reader's
// output in the same shape.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/byte_source.h"
#include "dictionary/text_mode_reader.h"

namespace lookup::reference {

struct ReadPiece {
  std::string text;
  dictionary::PieceEnd end;
  bool operator==(const ReadPiece& o) const { return text == o.text && end == o.end; }
};

struct Reading {
  std::vector<ReadPiece> pieces;
  std::string rest;  // the raw bytes from 0x1A on
  bool operator==(const Reading& o) const { return pieces == o.pieces && rest == o.rest; }
};

std::ostream& operator<<(std::ostream& out, const Reading& reading);

Reading ReadLiterally(std::string_view raw);

// What TextModeReader gives for `source`: every piece, then the rest. False
// in `complete` when the text or the rest did not end normally.
Reading ReadThroughReader(dictionary::ByteSource& source, bool* complete = nullptr);

}  // namespace lookup::reference
