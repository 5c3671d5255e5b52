// Missing and damaged sources fail with the file's name; nothing is imported.
#include <gtest/gtest.h>

#include "edict_import.h"
#include "freedict_import.h"
#include "import_checks.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::FailureOf;
using import_test::kFixtures;
using import_test::ReadBytes;
using import_test::TempDir;
using import_test::WriteBytes;

TEST(DamagedInputTest, Freedict) {
  TempDir dir;
  const std::string index = ReadBytes(kFixtures + "/freedict.index");
  const std::string packed = ReadBytes(kFixtures + "/freedict.dict.dz");
  std::string corrupt = packed;
  corrupt[packed.size() / 2] ^= 0x55;
  std::string badCrc = packed;
  badCrc[packed.size() - 6] ^= 0x01;  // the CRC-32 in the gzip trailer

  struct Case {
    const char* name;
    std::string index, data;
    const char* blamed;    // "index" or "data": the file the message must name
    const char* because;   // part of the message
  } cases[] = {
      {"truncated data", index, packed.substr(0, packed.size() - 40), "data", "truncated"},
      {"data cut at the trailer", index, packed.substr(0, packed.size() - 4), "data", "truncated"},
      {"corrupt data", index, corrupt, "data", "damaged"},
      {"wrong checksum", index, badCrc, "data", "damaged"},
      {"not gzip", index, "run\tto move fast\n", "data", "damaged"},
      {"empty data", index, "", "data", "truncated"},
      {"offset past the end", "run\tA\tB\nset\tZZZZ\tB\n", packed, "index", "line 2: the entry lies outside"},
      {"length past the end", "run\tA\tZZZ\n", packed, "index", "line 1: the entry lies outside"},
      {"not a dictd number", "run\tA-\tB\n", packed, "index", "line 1: offset or length"},
      {"too few fields", "run\tA\n", packed, "index", "line 1: not \"headword TAB offset TAB length\""},
      {"invalid UTF-8", "run\tA\tK\n", import_test::Gzip("run <v>\n\xe8\xb5\n"), "data", "line 1 (\"run\") is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    const std::string indexPath = dir / "x.index", dataPath = dir / "x.dict.dz";
    WriteBytes(indexPath, c.index);
    WriteBytes(dataPath, c.data);
    std::string message = FailureOf([&] { ImportFreedict(indexPath, dataPath); });
    const std::string& blamed = std::string(c.blamed) == "index" ? indexPath : dataPath;
    EXPECT_NE(message.find(blamed), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.because), std::string::npos) << c.name << ": " << message;
  }
}

TEST(DamagedInputTest, MissingFilesAreNamed) {
  TempDir dir;
  const std::string index = kFixtures + "/freedict.index", data = kFixtures + "/freedict.dict.dz";
  const std::string missing = dir / "missing";
  EXPECT_NE(FailureOf([&] { ImportFreedict(missing, data); }).find(missing + ": cannot open"), std::string::npos);
  EXPECT_NE(FailureOf([&] { ImportFreedict(index, missing); }).find(missing + ": cannot open"), std::string::npos);
  EXPECT_NE(FailureOf([&] { ImportEdict(missing); }).find(missing + ": cannot open"), std::string::npos);
  EXPECT_NE(FailureOf([&] { ImportEdict(dir / ""); }).find(dir / ""), std::string::npos);  // a folder
}

TEST(DamagedInputTest, Edict) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    const char* because;
  } cases[] = {
      {"invalid EUC-JP", "\xb2\xf3 [\xa4\xab] /(n) time/\n\xb2\xf3\xff /(n) bad/\n", "line 2: not valid EUC-JP"},
      {"cut inside a character", "\xb2\xf3 [\xa4\xab] /(n) time/\n\xb2", "line 2: not valid EUC-JP"},
      {"UTF-8 instead", "走る [はしる] /(v5r) to run/\n", "line 1: not valid EUC-JP"},
      {"no entries", "just some text\nmore text\n", "holds no EDICT entries"},
      {"empty", "", "holds no EDICT entries"},
  };
  for (const auto& c : cases) {
    const std::string path = dir / "edict";
    WriteBytes(path, c.bytes);
    std::string message = FailureOf([&] { ImportEdict(path); });
    EXPECT_NE(message.find(path + ": " + c.because), std::string::npos) << c.name << ": " << message;
  }
}

}  // namespace
}  // namespace import
