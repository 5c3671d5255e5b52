#include "text_fixtures.h"

#include "import_checks.h"
#include "stardict_writer.h"
#include "test_files.h"

namespace import_test {
namespace {

using import::Problem;
using import::SourceFormat;

// The entries of each text format, in UTF-8 with LF.
const char kSlashes[] =
    "run /// 走る \\ 駆ける / He runs every day.\n"
    "run /// 経営する\n"
    "cat /// 猫\n"
    "Run /// 走ること\n"
    "semi /// a;b\n";
const char kCsv[] =
    "word,trans,exp,pron,level\n"
    "run,\"走る, 駆ける\",\"He said \"\"run\"\".\",ラン,1\n"
    "abandon,\"捨てる\n見捨てる\",,,2\n"
    "cat,猫,,,\n"
    ",訳だけ,,,\n";
const char kSquares[] =
    "■run  {動-1} : 走る{はしる}、駆ける{かける}\n"
    "■・He runs fast. 彼は速く走る。\n"
    "■run  {動-2} : 経営{けいえい}する\n"
    "■run  {名} : 走ること、競走{きょうそう}\n"
    "■run away : 逃げる{にげる}\n"
    "■cat  {名} : 猫{ねこ}\n";
const char kTsv[] = "run\t走る\ncat\t猫\n";
const char kDictionary[] = "run\t[ran]\t走る;古い訳\ncat\t猫\t(動物)\n";

struct Encoding {
  const char* suffix;
  std::string (*encode)(const std::string& utf8);
};

std::string WithLineEnds(const std::string& text, const char* end) {
  std::string out;
  for (char c : text) c == '\n' ? out += end : out += c;
  return out;
}

const Encoding kEncodings[] = {
    {"sjis-crlf", [](const std::string& t) { return Cp932(WithLineEnds(t, "\r\n")); }},
    {"utf8-lf", [](const std::string& t) { return t; }},
    {"utf8bom-crlf", [](const std::string& t) { return "\xEF\xBB\xBF" + WithLineEnds(t, "\r\n"); }},
    {"utf16le-crlf",
     [](const std::string& t) { return "\xFF\xFE" + Convert("UTF-16LE", "UTF-8", WithLineEnds(t, "\r\n")); }},
};

}  // namespace

void WriteFixtures(const std::string& dir, std::vector<GoodFixture>& good, std::vector<BadFixture>& bad) {
  struct Text {
    const char* name;  // with '%' where the encoding goes
    SourceFormat format;
    const char* utf8;
  } texts[] = {
      {"slashes-%.txt", SourceFormat::kSlashText, kSlashes},        {"words-%.csv", SourceFormat::kCsv, kCsv},
      {"squares-%.txt", SourceFormat::kSquareText, kSquares},       {"tsv-%.txt", SourceFormat::kTsv, kTsv},
      {"RAdoro-%.txt", SourceFormat::kDictionaryFile, kDictionary},
  };
  for (const Text& t : texts) {
    for (const Encoding& e : kEncodings) {
      std::string name = t.name;
      name.replace(name.find('%'), 1, e.suffix);
      WriteBytes(dir + name, e.encode(t.utf8));
      good.push_back({name, t.format});
    }
  }
  WriteBytes(dir + "slashes.txt.gz", Gzip(Cp932(kSlashes)));
  good.push_back({"slashes.txt.gz", SourceFormat::kSlashText});
  WriteStardict(dir + "stardict", {{"cat", "猫"}, {"run", "走る"}});
  good.push_back({"stardict.idx", SourceFormat::kStardict});
  WriteBytes(dir + "freedict.index", ReadBytes(kFixtures + "/freedict.index"));
  WriteBytes(dir + "freedict.dict.dz", ReadBytes(kFixtures + "/freedict.dict.dz"));
  good.push_back({"freedict.index", SourceFormat::kDictd, false});  // "(CH₃)₂CO"
  WriteBytes(dir + "edict-words", ReadBytes(kFixtures + "/edict"));
  good.push_back({"edict-words", SourceFormat::kEdict});

  const std::string tooLong = "run /// 走る\n" + std::string("long /// ") + std::string(11000, 'x') + "\n";
  const std::string gzipped = Gzip("run /// x\ncat /// y\nset /// z\n");
  const struct {
    const char* name;
    std::string bytes;
    Problem problem;
    size_t line;
  } bads[] = {
      {"another-format.txt", "Dear friend,\nthis is a letter.\n", Problem::kUnknownFormat, 1},
      {"binary.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), Problem::kBinary, 3},
      {"empty.txt", "", Problem::kEmpty, 0},
      {"truncated.txt.gz", gzipped.substr(0, gzipped.size() - 4), Problem::kTruncated, 3},
      {"utf16-no-bom.txt", Convert("UTF-16LE", "UTF-8", "run /// 走る\r\n"), Problem::kUtf16WithoutBom, 1},
      {"too-long.txt", tooLong, Problem::kLineTooLong, 2},
      {"open-quote.csv", "word,trans\nrun,\"走る\ncat,猫\n", Problem::kMalformed, 2},
  };
  for (const auto& b : bads) {
    WriteBytes(dir + b.name, b.bytes);
    bad.push_back({b.name, b.problem, b.line});
  }
}

std::vector<std::string> ExpectedLines(SourceFormat format) {
  switch (format) {
    case SourceFormat::kSlashText:
      return {"cat\t猫", "run\t①走る / 駆ける ・He runs every day. ②経営する", "Run\t走ること", "semi\ta；b"};
    case SourceFormat::kCsv:
      return {"abandon\t捨てる / 見捨てる", "cat\t猫", "run\t[ラン]\t走る, 駆ける ・He said \"run\"."};
    case SourceFormat::kSquareText:
      return {"cat\t{名} 猫", "run\t{動} ①走る、駆ける ・He runs fast. 彼は速く走る。 ②経営する",
              "run\t{名} 走ること、競走", "run away\t逃げる"};
    case SourceFormat::kTsv:
    case SourceFormat::kStardict:
      return {"cat\t猫", "run\t走る"};
    case SourceFormat::kDictionaryFile:
      return {"run\t[ran]\t走る;古い訳", "cat\t猫\t(動物)"};
    case SourceFormat::kDictd:
    case SourceFormat::kEdict:
      break;
  }
  // What their own tests expect.
  const std::string written = ReadBytes(
      kFixtures + (format == SourceFormat::kDictd ? "/freedict-expected.txt" : "/edict-expected.txt"));
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = written.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(Utf8(written.substr(at, end - at)));
  return lines;
}

}  // namespace import_test
