// Form lines added to an import: which forms get one, what it says, where it
// stands, and the registrations made on one.
#include "form_lines.h"

#include <gtest/gtest.h>

#include "english_forms.h"
#include "import_checks.h"
#include "registrations.h"
#include "rows/row_word.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::Cp932;
using import_test::LinesOf;
using Lines = std::vector<std::string>;

const EnglishForms& Forms() {
  static const EnglishForms forms{FormSources{}};
  return forms;
}

Imported WithLines(const Lines& utf8, ImportSettings settings = {}) {
  Imported imported(settings);
  for (const std::string& line : utf8) {
    const size_t tab = line.find('\t');
    imported.lines.push_back({Cp932(line.substr(0, tab)), Cp932(line.substr(tab + 1))});
  }
  return imported;
}

const Lines kDictionary = {
    "a\tn. エー",
    "expo\tn. 博覧会",
    "expose\tv. 晒す",
    "file\tn. ①ファイル、書類綴じ (a collection of papers) ②列 v. 保管",
    "go\tv. 行く",
    "local\tadj. 局所",
    "went\t〔EDICT〕いらした",  // taken from another dictionary: a form line goes first
    "write\tv. ①書く、書き記す、記す、著す、書きつける、認める、綴る (to form letters)",
};

TEST(FormLinesTest, WhatTheLinesSay) {
  Imported imported = WithLines(kDictionary);
  AddFormLines(imported, Forms(), LineOrder::kSorted);
  const Lines lines = LinesOf(imported);
  for (const char* line : {
           "an\tart. aの母音の前の形",  // not the letter's meaning
           "expos\tn. expoの複数形 ― 博覧会",
           // Cut to "expos", it would find expo's plural.
           "exposes\tv. exposeの三単現・n. 複数形 ― 晒す",
           "files\tn. fileの複数形・v. 三単現 ― ファイル、書類綴じ",
           "locally\tadv. localの副詞形 ― 局所",
           "written\tv. writeの過去分詞 ― 書く、書き記す、記す、著す、書きつける…",
       })
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  for (const char* cut : {"writes", "going", "filed"})  // the lookup cuts them to their base
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(cut, 0) == 0; }),
        0)
        << cut;
  const auto went = std::find(lines.begin(), lines.end(), "went\tv. goの過去形 ― 行く");
  ASSERT_NE(went, lines.end());
  EXPECT_EQ(*(went + 1), "went\t〔EDICT〕いらした");
  EXPECT_EQ(rows::WordToFollow(Cp932(*went + "\n")), "go");

  EXPECT_EQ(imported.report.forms.lines, static_cast<int64_t>(lines.size() - kDictionary.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool given = std::find(kDictionary.begin(), kDictionary.end(), lines[i]) != kDictionary.end();
    EXPECT_EQ(IsFormLineMeaning(imported.lines[i].meaning), !given) << lines[i];
  }
}

// Lines kept in the order they came in: a form's line follows its base's.
TEST(FormLinesTest, LinesInTheirOrderGetTheFormsAfterTheBase) {
  Imported imported = WithLines({"write\tv. 書く", "file\tn. ファイル", "a\tn. エー"});
  AddFormLines(imported, Forms(), LineOrder::kAsAdded);
  const Lines lines = LinesOf(imported);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "write\tv. 書く");
  EXPECT_EQ(lines.back(), "an\tart. aの母音の前の形");
  const auto file = std::find(lines.begin(), lines.end(), "file\tn. ファイル");
  const auto a = lines.end() - 2;
  ASSERT_TRUE(file < a);
  EXPECT_EQ(*a, "a\tn. エー");
  for (auto line = lines.begin() + 1; line != a; ++line)
    if (line != file) EXPECT_NE(line->find(line < file ? "write" : "file"), std::string::npos) << *line;
}

TEST(FormLinesTest, RecognisedByTheirShape) {
  const std::pair<const char*, bool> cases[] = {
      {"n. fileの複数形", true},  {"v. does notの短縮形 ― する", true},
      {"pron. Iの所有格", true},  {"n. ファイル", false},
      {"n. fileの", false},       {"n. fileの意味", false},
      {"x. fileの複数形", false}, {"n. の複数形", false},
      {"v.goの過去形", false},    {"", false},
      {"adj. aの形容詞形", true}, {"n. a-bの別綴り", true},
  };
  for (const auto& [meaning, isForm] : cases) EXPECT_EQ(IsFormLineMeaning(Cp932(meaning)), isForm) << meaning;
}

// A pronunciation registered on a form line goes to the new form line of
// its headword; one registered on an entry never goes to a form line.
TEST(FormLinesTest, RegistrationsStayWithTheirKindOfLine) {
  import_test::TempDir dir;
  import_test::WriteBytes(dir / "RAdoro.txt", Cp932("went\t[went]\tv. goの過去形 ― 行く\r\n"
                                                    "written\t[w]\tn. 書かれたもの\r\n"
                                                    "go\t[gou]\tv. 行く\r\n"));
  const Registrations registered = ReadRegistrations(dir / "RAdoro.txt");
  ImportSettings settings;
  settings.registrations = &registered;
  settings.forms = &Forms();
  Imported imported(settings);
  for (const char* line : {"go\tv. 行く", "write\tv. 書く"}) {
    const std::string text = Cp932(line);
    AddJoinedLine(imported, text.substr(0, text.find('\t')), {text.substr(text.find('\t') + 1)}, " ");
  }
  FinishLines(imported, LineOrder::kSorted);
  const Lines lines = LinesOf(imported);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "went\t[went]\tv. goの過去形 ― 行く"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "written\tv. writeの過去分詞 ― 書く"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "go\t[gou]\tv. 行く"), lines.end());
  EXPECT_EQ(imported.report.pronunciationsCarried, 2);
  ASSERT_EQ(imported.report.notCarried.size(), 1u);
  EXPECT_EQ(imported.report.notCarried[0], "written [w]: no new line has this headword");
}

}  // namespace
}  // namespace import
