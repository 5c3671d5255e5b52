// Registered pronunciations: found in a dictionary as the program reads it,
// and carried over to the new lines of the same headword.
#include <gtest/gtest.h>

#include "dictionary/text_mode_reader.h"
#include "import_checks.h"
#include "import_report.h"
#include "registrations.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::Cp932;
using import_test::LinesOf;
using import_test::TempDir;
using import_test::WriteBytes;

std::vector<std::string> Described(const std::vector<Registration>& registrations) {
  std::vector<std::string> out;
  for (const Registration& r : registrations) out.push_back(r.headword + " [" + r.pronunciation + "]");
  return out;
}

TEST(CarryOverTest, ReadRegistrationsAsTheProgramReadsTheFile) {
  TempDir dir;
  const std::string path = dir / "RAdoro.txt";
  // The piece limit splits this line: its second piece must not count as a line.
  const std::string split = "long\t" + std::string(dictionary::kMaxPieceLength - 5, 'x') + "y\t[q]\tz\r\n";
  WriteBytes(path, "run\t[ran]\tto run\r\n" + Cp932("cat\t[名] 猫\r\n") +
                       "zo\t[\x83\x5d]\tzo\r\n"  // its ']' is a double-byte character's second byte
                       "run\t[other]\tagain\r\n"
                       "\t\tlead\t[p]\tx\r\n"
                       "empty\t[]\tx\n" +
                       split + std::string("nul") + '\0' + "\t[n]\tx\r\n" + "last\t[l]\tx\x1a" +
                       "after\t[a]\tx\r\n");
  Registrations found = ReadRegistrations(path);
  EXPECT_EQ(Described(found.items),
            (std::vector<std::string>{"run [ran]", "\t\tlead [p]", "empty []", "last [l]"}));
  EXPECT_EQ(Described(found.conflicting), (std::vector<std::string>{"run [other]"}));
  ASSERT_NE(found.Find("empty"), nullptr);
  EXPECT_EQ(found.Find("cat"), nullptr);

  EXPECT_NE(import_test::FailureOf([&] { ReadRegistrations(dir / "none"); }).find(dir / "none"),
            std::string::npos);
}

TEST(CarryOverTest, RegisteredPronunciationsGoToTheNewLines) {
  TempDir dir;
  const std::string longField(300, 'p');
  WriteBytes(dir / "RAdoro.txt", "run\t[ran]\told\r\ngone\t[g]\tx\r\ncat\t[kat]\tcat\r\nlong\t[" + longField +
                                     "]\tx\r\nrun\t[other]\tagain\r\n");
  const Registrations registered = ReadRegistrations(dir / "RAdoro.txt");
  ImportSettings settings;
  settings.registrations = &registered;
  Imported imported(settings);
  const std::string a(5000, 'a'), b(5000, 'b');
  AddJoinedLine(imported, "run", {"new"}, " ");
  AddJoinedLine(imported, "cat", {"neko"}, " ", "kat");  // the source's own, as registered
  AddJoinedLine(imported, "dog", {"inu"}, " ", "dog");
  AddJoinedLine(imported, "long", {a, b}, " ");  // the field leaves no room for the second sense
  Cp932Encoder encoder;
  Finish(imported, encoder, LineOrder::kAsAdded);
  EXPECT_EQ(LinesOf(imported),
            (std::vector<std::string>{"run\t[ran]\tnew", "cat\t[kat]\tneko", "dog\t[dog]\tinu",
                                      "long\t[" + longField + "]\t" + a}));
  const ImportReport& r = imported.report;
  EXPECT_EQ(r.pronunciationsCarried, 2);  // run and long
  EXPECT_EQ(r.notCarried, (std::vector<std::string>{"gone [g]: no new line has this headword",
                                                    "run [other]: a second pronunciation of the headword"}));
  EXPECT_EQ(r.changed.Get("lines shortened to fit the reader's line buffer"), 1);
}

}  // namespace
}  // namespace import
