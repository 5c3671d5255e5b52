// The inflected forms made of Debian's WordNet and word lists (installed by
// scripts/setup.sh): what each form is of, and what must not be taken for one.
#include "english_forms.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_files.h"

namespace import {
namespace {

const char* kKindNames[] = {"past",         "past+pp", "pp",          "plural",     "3sg",       "ing",
                            "er",           "est",     "present",     "possessive", "objective", "own",
                            "before-vowel", "adverb",  "contraction", "base",       "noun-of",   "verb-of",
                            "adjective-of", "clipped", "variant",     "opposite"};

const EnglishForms& Forms() {
  static const EnglishForms forms{FormSources{}};
  return forms;
}

// Each form's readings as "base kind" (the base a line names when it is
// another word), in the order a line gives them.
std::map<std::string, std::string> Readings(std::initializer_list<std::string_view> headwords) {
  std::unordered_map<std::string_view, size_t> bases;
  for (std::string_view h : headwords) bases.emplace(h, bases.size());
  std::map<std::string, std::string> readings;
  for (const Inflection& i : Forms().FormsOf(bases, {"went"})) {
    std::string& r = readings[i.form];
    r += (r.empty() ? "" : ", ") + (i.shown.empty() ? i.base : i.shown + "<" + i.base) + " " +
         kKindNames[static_cast<int>(i.kind)] +
         (i.pos == PartOfSpeech::kAdverb && i.kind != FormKind::kAdverb ? "/adv" : "");
  }
  return readings;
}

TEST(EnglishFormsTest, FormsOfHeadwords) {
  const std::map<std::string, std::string> readings = Readings(
      {"go",    "file", "write", "stop",         "be",         "a",    "it",   "fast",   "happy", "sing",
       "singe", "use",  "local", "child",        "begin",      "show", "have", "do",     "plan",  "plane",
       "ax",    "axis", "user",  "user's guide", "specifying", "numb", "cafe", "physic", "went",  "big",
       "die",   "dye",  "that",  "recursive",    "x",          "hop",  "hope"});
  const std::pair<const char*, const char*> expected[] = {
      {"went", "go past"},  // a headword that may still have a form line
      {"gone", "go pp"},
      {"goes", "go 3sg, go plural"},
      {"files", "file 3sg, file plural"},  // as the base's line has them: a line reorders
      {"filed", "file past+pp"},
      {"written", "write pp"},
      {"wrote", "write past"},
      {"stopped", "stop past+pp"},
      {"stopping", "stop ing"},
      {"was", "be past"},
      {"been", "be pp"},
      {"is", "be 3sg"},
      {"an", "a before-vowel"},
      {"its", "it possessive"},
      {"those", "that plural"},
      {"doesn't", "does not<do contraction"},
      {"it'll", "it will<it contraction"},
      {"fastest", "fast est/adv, fast est"},
      {"happier", "happy er"},
      {"bigger", "big er, big er/adv"},
      {"sang", "sing past"},
      {"sung", "sing pp"},
      {"singed", "singe past+pp"},         // not sing's: it has its own past
      {"singing", "sing ing, singe ing"},  // WordNet's exception list has both
      {"hoping", "hope ing"},
      {"hopping", "hop ing"},
      {"dying", "die ing"},  // not dye's
      {"using", "use ing"},
      {"locally", "local adverb"},
      {"recursively", "recursive adverb"},
      {"children", "child plural"},
      {"began", "begin past"},
      {"begun", "begin pp"},
      {"shown", "show pp"},
      {"has", "have 3sg"},
      {"had", "have past+pp"},
      {"did", "do past"},
      {"done", "do pp"},
      {"planned", "plan past+pp"},
      {"planed", "plane past+pp"},  // not plan's: its consonant doubles
      {"axes", "ax plural, ax 3sg, axis plural"},
      {"user's", "user possessive"},  // "user's guide" would take its lookup
      {"specify", "specifying base"},
      {"specified", "specify<specifying past+pp"},
      {"specifies", "specify<specifying 3sg"},
  };
  for (const auto& [form, reading] : expected) {
    auto it = readings.find(form);
    EXPECT_EQ(it == readings.end() ? "none" : it->second, reading) << form;
  }
  // Words that are no such form.
  for (const char* word : {"number", "caves", "physics", "bed", "go", "xs", "singeing's", "specifying"})
    EXPECT_EQ(readings.count(word), 0u) << word;
}

// Words related to a headword that are none themselves, and their forms.
TEST(EnglishFormsTest, RelatedWordsOfHeadwords) {
  const std::map<std::string, std::string> readings =
      Readings({"position", "redistribution", "information", "regression", "built-in", "time zone",
                "privileged", "quote", "less", "a verse", "close up", "clear"});
  const std::pair<const char*, const char*> expected[] = {
      {"positional", "position adjective-of"},
      {"redistribute", "redistribution verb-of"},
      {"redistributed", "redistribute<redistribution past+pp"},
      {"info", "information clipped"},
      {"regress", "regression verb-of"},  // no clipping: "-ion" is an ending
      {"builtin", "built-in variant"},
      {"timezone", "time zone variant"},
      {"time-zone", "none"},  // no word list has it
      {"unprivileged", "privileged opposite"},
      {"unquoted", "quoted<quote opposite"},
      {"unless", "none"},   // "less" ends as no adjective that "un" negates
      {"averse", "none"},   // nor is it "a verse" closed
      {"closeup", "none"},  // nor "close up": a verb and its particle
      {"clarity", "none"},  // WordNet derives it from "clear", with too few letters in common
  };
  for (const auto& [form, reading] : expected) {
    auto it = readings.find(form);
    EXPECT_EQ(it == readings.end() ? "none" : it->second, reading) << form;
  }
}

// WordNet's own morphology, which checks the forms without their rules.
TEST(EnglishFormsTest, BaseForms) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"went", {"go"}},           {"files", {"file"}}, {"fastest", {"fast"}},
      {"process's", {"process"}}, {"its", {"it"}},     {"doesn't", {"do", "does not"}},
      {"locally", {"local"}},     {"the", {}},
  };
  for (const auto& [word, bases] : cases) EXPECT_EQ(Forms().BaseForms(word), bases) << word;
  EXPECT_EQ(Forms().BaseForms("namespaces"), std::vector<std::string>{});  // not in WordNet
  EXPECT_EQ(Forms().BaseForms("namespaces", true), (std::vector<std::string>{"namespace", "namespac"}));
}

TEST(EnglishFormsTest, MissingFilesAreNamed) {
  FormSources sources;
  sources.wordnetDirectory = "/nonexistent";
  try {
    EnglishForms forms(sources);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/index.noun"), std::string::npos) << e.what();
  }
}

// A file of the data missing, damaged or empty is named, whichever it is;
// the other files are the real ones.
TEST(EnglishFormsTest, MissingDamagedOrEmptyDataFileIsNamed) {
  const struct {
    const char* file;
    const char* bytes;  // none: the file is missing
    const char* error;
  } cases[] = {
      {"data.noun", nullptr, "/data.noun: cannot open"},
      {"data.noun", "  licence\n00001740 03 n 01 entity 0 000 | x\n00001741 03 n 02 a 0 001 | x\n",
       "data.noun: line 3: "},
      {"data.noun", "00001740 03 n 01 entity 0 001 + 0000174x n 0101 | x\n", "data.noun: line 1: "},
      {"data.noun", "  licence only\n", "data.noun: holds no WordNet synsets"},
      {"index.verb", "  licence only\r\n", "index.verb: holds no WordNet lemmas"},
      {"british-english", "\r\n", "british-english: holds no words"},
  };
  for (const auto& c : cases) {
    import_test::TempDir dir;
    for (const char* name : {"index.noun", "index.verb", "index.adj", "index.adv", "noun.exc", "verb.exc",
                             "adj.exc", "adv.exc", "data.noun", "data.verb", "data.adj", "data.adv"})
      if (name != std::string(c.file))
        std::filesystem::create_symlink(std::string(kWordnetDirectory) + "/" + name, dir / name);
    std::filesystem::create_symlink(kWordLists[0], dir / "american-english");
    if (c.bytes) import_test::WriteBytes(dir / c.file, c.bytes);
    FormSources sources;
    sources.wordnetDirectory = dir.Path();
    sources.wordLists = {dir / "american-english", dir / "british-english"};
    if (std::string(c.file) != "british-english")
      std::filesystem::create_symlink(kWordLists[1], dir / "british-english");
    try {
      EnglishForms forms(sources);
      ADD_FAILURE() << "no error: " << c.error;
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace import
