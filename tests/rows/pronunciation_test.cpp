#include "rows/pronunciation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dictionary/text_mode_reader.h"

namespace rows {
namespace {

TEST(IsRegistrableRowTest, Table) {
  struct Case {
    std::string row;
    bool registrable;
  };
  const Case cases[] = {
      {"abandon\tto give up\n", true},
      {"run\tv. \x91\x96\x82\xE9", true},
      {"\trun\tx", true},    // leading TABs belong to the headword
      {"a\t", true},         // an empty rest still has its place
      {"", false},           // no selection
      {"Unknown", false},    // the placeholder
      {"Unknown\n", false},  // no TAB: no place for a pronunciation
      {"run\n", false},
      {"run fast", false},
      {"\t\t\n", false},  // TABs only: no headword
      {"\trun", false},
      {"\n", false},
      {"Unknown\tx", true},  // a real line may begin with that word
      {std::string(dictionary::kMaxPieceLength - 2, 'a') + "\tb", true},
      {std::string(dictionary::kMaxPieceLength - 1, 'a') + "\tb",
       false},  // longer than any row the list shows
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsRegistrableRow(c.row), c.registrable) << "row: " << c.row;
  }
}

TEST(PronouncedRowTest, Table) {
  struct Case {
    std::string row;
    std::string pronunciation;
    std::optional<std::string> pronounced;
  };
  const Case cases[] = {
      // At the headword's TAB only; the row's own LF is dropped.
      {"abandon\tto give up\n", "x", "abandon\t[x]\tto give up"},
      {"run\tv. \x91\x96\x82\xE9", "x", "run\t[x]\tv. \x91\x96\x82\xE9"},
      {"a\tb\tc\n", "x", "a\t[x]\tb\tc"},
      {"\t\ta\tb", "x", "\t\ta\t[x]\tb"},
      {"a\t\tb", "x", "a\t[x]\t\tb"},
      {"a\t", "x", "a\t[x]\t"},
      {"a\tb", "", "a\t[]\tb"},
      {"a\tb", "%s%n", "a\t[%s%n]\tb"},
      // A pronunciation already there is replaced, not stacked.
      {"a\t[p]\tb\n", "x", "a\t[x]\tb"},
      {"a\t[]\tb", "x", "a\t[x]\tb"},
      {"a\t[p]\t", "x", "a\t[x]\t"},
      {"a\t[p]\t[q]\tb", "x", "a\t[x]\t[q]\tb"},
      // Fields that merely begin with '[' are meanings and stay.
      {"a\t[p]", "x", "a\t[x]\t[p]"},
      {"a\t[p] b\tc", "x", "a\t[x]\t[p] b\tc"},
      {"a\t[n] ab]\tc", "x", "a\t[x]\t[n] ab]\tc"},
      {"a\t[\tc", "x", "a\t[x]\t[\tc"},
      {"a\tb\t[p]\tc", "x", "a\t[x]\tb\t[p]\tc"},
      {"a\t [p]\tc", "x", "a\t[x]\t [p]\tc"},
      // Not registrable.
      {"Unknown", "x", std::nullopt},
      {"", "x", std::nullopt},
      {"run\n", "x", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PronouncedRow(c.row, c.pronunciation), c.pronounced) << "row: " << c.row;
  }
}

}  // namespace
}  // namespace rows
