#include "form_lines.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "cp932_encoder.h"
#include "dictionary/dictionary_line.h"
#include "english_forms.h"
#include "lookup/list_feed.h"
#include "lookup/punctuation_retry.h"
#include "lookup/query_normalisation.h"
#include "text_util.h"

namespace import {
namespace {

// Code page 932 texts of the form lines.
constexpr std::string_view kOf = "\x82\xCC";                  // の
constexpr std::string_view kAnd = "\x81\x45";                 // ・
constexpr std::string_view kMeaningSeparator = " \x81\x5C ";  // ―
constexpr std::string_view kBaseSeparator = " \x81\x5E ";     // ／
constexpr std::string_view kEllipsis = "\x81\x63";            // …
constexpr std::string_view kPastMark = "\x89\xDF\x8B\x8E";    // 過去
constexpr std::string_view kTagOpen = "\x81\x6B";             // 〔, a tag of the line's source
constexpr std::string_view kTagClose = "\x81\x6C";            // 〕

struct KindName {
  FormKind kind;
  std::string_view name;
};
constexpr KindName kKindNames[] = {
    {FormKind::kPast, "\x89\xDF\x8B\x8E\x8C\x60"},  // 過去形
    {FormKind::kPastAndParticiple,
     "\x89\xDF\x8B\x8E\x8C\x60\x81\x45\x89\xDF\x8B\x8E\x95\xAA\x8E\x8C"},          // 過去形・過去分詞
    {FormKind::kParticiple, "\x89\xDF\x8B\x8E\x95\xAA\x8E\x8C"},                   // 過去分詞
    {FormKind::kPlural, "\x95\xA1\x90\x94\x8C\x60"},                               // 複数形
    {FormKind::kThirdPerson, "\x8E\x4F\x92\x50\x8C\xBB"},                          // 三単現
    {FormKind::kPresentParticiple, "\x8C\xBB\x8D\xDD\x95\xAA\x8E\x8C"},            // 現在分詞
    {FormKind::kComparative, "\x94\xE4\x8A\x72\x8B\x89"},                          // 比較級
    {FormKind::kSuperlative, "\x8D\xC5\x8F\xE3\x8B\x89"},                          // 最上級
    {FormKind::kPresent, "\x8C\xBB\x8D\xDD\x8C\x60"},                              // 現在形
    {FormKind::kPossessive, "\x8F\x8A\x97\x4C\x8A\x69"},                           // 所有格
    {FormKind::kObjective, "\x96\xDA\x93\x49\x8A\x69"},                            // 目的格
    {FormKind::kOwnPronoun, "\x8F\x8A\x97\x4C\x91\xE3\x96\xBC\x8E\x8C"},           // 所有代名詞
    {FormKind::kBeforeVowel, "\x95\xEA\x89\xB9\x82\xCC\x91\x4F\x82\xCC\x8C\x60"},  // 母音の前の形
    {FormKind::kAdverb, "\x95\x9B\x8E\x8C\x8C\x60"},                               // 副詞形
    {FormKind::kContraction, "\x92\x5A\x8F\x6B\x8C\x60"},                          // 短縮形
    {FormKind::kBaseForm, "\x8C\xB4\x8C\x60"},                                     // 原形
    {FormKind::kNounForm, "\x96\xBC\x8E\x8C\x8C\x60"},                             // 名詞形
    {FormKind::kVerbForm, "\x93\xAE\x8E\x8C\x8C\x60"},                             // 動詞形
    {FormKind::kAdjectiveForm, "\x8C\x60\x97\x65\x8E\x8C\x8C\x60"},                // 形容詞形
    {FormKind::kClipping, "\x97\xAA"},                                             // 略
    {FormKind::kVariant, "\x95\xCA\x92\xD4\x82\xE8"},                              // 別綴り
    {FormKind::kOpposite, "\x94\xBD\x88\xD3\x8C\xEA"},                             // 反意語
};

// The labels of the parts of speech, as the FreeDict lines write them.
constexpr std::string_view kLabels[] = {"n.", "v.", "adj.", "adv.", "pron.", "art."};

std::string_view Name(FormKind kind) {
  for (const KindName& k : kKindNames)
    if (k.kind == kind) return k.name;
  return {};
}
std::string_view Label(PartOfSpeech pos) { return kLabels[static_cast<int>(pos)]; }

bool IsCircledNumber(std::string_view s) {  // ① to ⑳
  return s.size() >= 2 && static_cast<unsigned char>(s[0]) == 0x87 &&
         static_cast<unsigned char>(s[1]) >= 0x40 && static_cast<unsigned char>(s[1]) <= 0x53;
}
using dictionary::PronunciationField;

// Where the sense of `label` starts in a FreeDict-shaped meaning ("n. ①…
// v. …"), after the label; npos when there is none.
size_t SenseOf(std::string_view meaning, std::string_view label) {
  const std::string labelled = std::string(label) + " ";
  if (StartsWith(meaning, labelled)) return labelled.size();
  const size_t at = meaning.find(" " + labelled);
  return at == std::string_view::npos ? at : at + 1 + labelled.size();
}

// A short excerpt of the base's meaning: the first sense of the earliest of
// `labels` in it, or the line's first (none, with `ownSenseOnly`, when that
// is another part of speech's), without the English note; at most
// kExcerptBytes, cut at a character.
constexpr size_t kExcerptBytes = 40;
std::string Excerpt(std::string_view meaning, const std::vector<std::string_view>& labels,
                    bool ownSenseOnly) {
  meaning.remove_prefix(PronunciationField(meaning));
  if (StartsWith(meaning, kTagOpen)) {
    const size_t close = meaning.find(kTagClose);
    if (close != std::string_view::npos) meaning.remove_prefix(close + kTagClose.size());
  }
  size_t sense = std::string_view::npos;
  for (std::string_view label : labels) sense = std::min(sense, SenseOf(meaning, label));
  std::string excerpt;
  if (sense != std::string_view::npos) {
    meaning.remove_prefix(sense);
  } else {
    for (std::string_view label : kLabels) {  // another part of speech's: said so
      if (SenseOf(meaning, label) != label.size() + 1) continue;
      if (ownSenseOnly) return {};
      excerpt.append(label).append(" ");
      meaning.remove_prefix(label.size() + 1);
      break;
    }
  }
  if (IsCircledNumber(meaning)) meaning.remove_prefix(2);
  size_t end = meaning.size();
  for (size_t i = 0; i < meaning.size();
       i += IsCp932LeadByte(static_cast<unsigned char>(meaning[i])) ? 2 : 1) {
    const std::string_view rest = meaning.substr(i);
    // The English note, the next sense, or a past form's mark, which would
    // make a double-click follow a word of the excerpt.
    if (StartsWith(rest, " (") || (rest[0] == ' ' && IsCircledNumber(rest.substr(1))) ||
        StartsWith(rest, kPastMark)) {
      end = i;
      break;
    }
  }
  excerpt.append(meaning.substr(0, end));
  while (!excerpt.empty() && excerpt.back() == ' ') excerpt.pop_back();
  if (excerpt.size() <= kExcerptBytes) return excerpt;
  size_t cut = 0;
  for (size_t i = 0; i < excerpt.size();) {
    const size_t next = i + (IsCp932LeadByte(static_cast<unsigned char>(excerpt[i])) ? 2 : 1);
    if (next > kExcerptBytes - kEllipsis.size()) break;
    cut = i = next;
  }
  return excerpt.substr(0, cut) + std::string(kEllipsis);
}

// What the report counts the lines of.
constexpr const char* kReportedKinds[] = {"inflected forms", "compounds written closed or hyphenated",
                                          "clipped words",   "words that say \"not\" with \"un\" or \"non\"",
                                          "derived words",   "inflected forms of related words"};

const char* ReportedKind(const Inflection& first) {
  switch (first.kind) {
    case FormKind::kVariant:
      return kReportedKinds[1];
    case FormKind::kClipping:
      return kReportedKinds[2];
    case FormKind::kOpposite:
      return kReportedKinds[3];
    case FormKind::kNounForm:
    case FormKind::kVerbForm:
    case FormKind::kAdjectiveForm:
      return kReportedKinds[4];
    default:
      break;
  }
  if (!first.basePos) return kReportedKinds[0];
  // A related word's "-ly" adverb is derived from it; its other forms are inflections.
  return first.kind == FormKind::kAdverb ? kReportedKinds[4] : kReportedKinds[5];
}

// A headword as the lookup matches it.
struct Headword {
  std::string_view text;
  std::string_view folded;
};

// The lines as the lookup would read them from the written file, for every
// word a lookup tries; a row holds the headword only, all that is asked of it.
class LinesLister : public lookup::WordLister {
 public:
  // `headwords` in file order.
  explicit LinesLister(std::vector<Headword> headwords)
      : headwords_(std::move(headwords)), order_(headwords_.size()) {
    std::iota(order_.begin(), order_.end(), 0u);
    const auto less = [&](uint32_t a, uint32_t b) { return headwords_[a].folded < headwords_[b].folded; };
    if (!std::is_sorted(order_.begin(), order_.end(), less))
      std::stable_sort(order_.begin(), order_.end(), less);
  }

  int32_t Count(std::string_view word) override {
    const auto [begin, end] = Range(word);
    return static_cast<int32_t>(end - begin);
  }
  lookup::ListFeed Feed(std::string_view word) override {
    const auto [begin, end] = Range(word);
    std::vector<uint32_t> found(begin, end);
    std::sort(found.begin(), found.end());
    std::vector<std::string> rows;
    rows.reserve(found.size());
    for (uint32_t i : found) rows.push_back(std::string(headwords_[i].text) + "\t");
    const auto count = static_cast<int32_t>(rows.size());  // before the rows move
    return lookup::ListFeed(count, lookup::PiecesInMemory(std::move(rows)));
  }

 private:
  using Iterator = std::vector<uint32_t>::const_iterator;
  std::pair<Iterator, Iterator> Range(std::string_view word) const {
    const std::string folded = dictionary::FoldedText(lookup::UpToZeroByte(word));
    const Iterator begin = std::partition_point(order_.begin(), order_.end(),
                                                [&](uint32_t i) { return headwords_[i].folded < folded; });
    const Iterator end = std::partition_point(begin, order_.end(), [&](uint32_t i) {
      return headwords_[i].folded.substr(0, folded.size()) == folded;
    });
    return {begin, end};
  }

  std::vector<Headword> headwords_;
  std::vector<uint32_t> order_;
};

// Lines added for some forms can take the lookup of others: a few rounds
// settle it.
constexpr int kMostPasses = 4;

std::string InCapitals(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The headword of the first row the lookup of `form` shows; empty when it
// finds nothing.
std::string FirstHeadword(const std::string& form, LinesLister& lister) {
  const lookup::RetryPlan plan = lookup::PlanLookupWithRetry(lookup::NormaliseQuery(form), false);
  lookup::LookupFeeds result = lookup::RunLookupWithRetry(plan, lister);
  if (!result.lists[0] || result.lists[0]->count == 0) return {};
  std::vector<std::string_view> rows;
  std::vector<std::shared_ptr<const void>> keep;
  result.lists[0]->Take(1, rows, keep);
  const std::string_view row = rows.front();
  return std::string(row.substr(0, dictionary::HeadwordEnd(row)));
}

// "n. fileの複数形・v. 三単現 ― ファイル、書類綴じ…" for the readings of
// one form, those of a base together: a past form first, then in the order
// the base's line has their parts of speech.
template <typename MeaningOf>
std::string FormMeaning(std::vector<const Inflection*> readings, MeaningOf meaningOf) {
  std::string meaning;
  for (size_t i = 0; i < readings.size();) {
    size_t end = i + 1;
    while (end < readings.size() && readings[end]->base == readings[i]->base) ++end;
    const std::string& base = readings[i]->base;
    const std::string_view baseMeaning = meaningOf(base);
    std::stable_sort(readings.begin() + i, readings.begin() + end,
                     [&](const Inflection* a, const Inflection* b) {
                       if (IsPastKind(a->kind) != IsPastKind(b->kind)) return IsPastKind(a->kind);
                       return SenseOf(baseMeaning, Label(a->pos)) < SenseOf(baseMeaning, Label(b->pos));
                     });
    if (!meaning.empty()) meaning += kBaseSeparator;
    const Inflection& first = *readings[i];
    meaning.append(Label(first.pos)).append(" ").append(first.shown.empty() ? base : first.shown);
    meaning.append(kOf).append(Name(first.kind));
    // An adverb's meaning is its adjective's, a derived word's its base's.
    const auto senseLabel = [](const Inflection* r) {
      if (r->basePos) return Label(*r->basePos);
      return Label(r->kind == FormKind::kAdverb ? PartOfSpeech::kAdjective : r->pos);
    };
    std::vector<std::string_view> labels{senseLabel(readings[i])};
    for (size_t j = i + 1; j < end; ++j) {
      meaning += kAnd;
      if (readings[j]->pos != readings[j - 1]->pos) meaning.append(Label(readings[j]->pos)).append(" ");
      meaning += Name(readings[j]->kind);
      labels.push_back(senseLabel(readings[j]));
    }
    // A function word's base has other senses ("a", the letter): none is
    // shown; nor another part of speech's of a derived word's base ("percher"
    // of the verb "perch", not of the fish).
    const bool ownSenseOnly = first.pos == PartOfSpeech::kPronoun || first.pos == PartOfSpeech::kArticle ||
                              first.basePos.has_value();
    const std::string excerpt = Excerpt(baseMeaning, labels, ownSenseOnly);
    if (!excerpt.empty()) meaning.append(kMeaningSeparator).append(excerpt);
    i = end;
  }
  return meaning;
}

}  // namespace

bool IsFormLineMeaning(std::string_view meaning) {
  for (std::string_view label : kLabels) {
    if (!StartsWith(meaning, label) || meaning.substr(label.size(), 1) != " ") continue;
    std::string_view rest = meaning.substr(label.size() + 1);
    const size_t word = rest.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-' ");
    if (word == 0 || word == std::string_view::npos || !StartsWith(rest.substr(word), kOf)) return false;
    rest.remove_prefix(word + kOf.size());
    for (const KindName& k : kKindNames)
      if (StartsWith(rest, k.name)) return true;
    return false;
  }
  return false;
}

void AddFormLines(Imported& imported, const EnglishForms& forms, LineOrder order) {
  std::vector<DictionaryLine>& lines = imported.lines;
  std::unordered_map<std::string_view, size_t> indexOf;  // the first line of a headword
  std::unordered_set<std::string_view> filled;           // headwords of lines taken from another dictionary
  indexOf.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    indexOf.emplace(lines[i].headword, i);
    const std::string_view meaning =
        std::string_view(lines[i].meaning).substr(PronunciationField(lines[i].meaning));
    if (StartsWith(meaning, kTagOpen)) filled.insert(lines[i].headword);
  }
  const std::vector<Inflection> inflections = forms.FormsOf(indexOf, filled);
  struct Form {
    std::vector<const Inflection*> readings;
    std::unordered_set<std::string> bases;
    size_t after;  // the line of its first base
    bool plural = false;
    bool needed = false;
    bool mute = false;  // a related word's line without its base's meaning: never made
    std::string meaning = {};
  };
  std::vector<Form> all;
  const auto formOf = [](const Form& f) -> const std::string& { return f.readings.front()->form; };
  for (const Inflection& inflection : inflections) {
    if (all.empty() || all.back().readings.front()->form != inflection.form)
      all.push_back({{}, {}, indexOf.at(inflection.base)});
    all.back().readings.push_back(&inflection);
    all.back().plural = all.back().plural || inflection.kind == FormKind::kPlural;
    // The line of the word it is a form of, which is the base's line but
    // where that word has a line of its own: "denote", derived from
    // "denotation", for "denoted".
    const bool ownWord = !inflection.shown.empty() && inflection.kind != FormKind::kContraction;
    all.back().bases.insert(ownWord ? inflection.shown : inflection.base);
  }

  for (Form& f : all) {
    f.meaning = FormMeaning(f.readings, [&](const std::string& base) -> std::string_view {
      return lines[indexOf.at(base)].meaning;
    });
    f.mute = f.meaning.find(kMeaningSeparator) == std::string::npos &&
             std::all_of(f.readings.begin(), f.readings.end(),
                         [](const Inflection* r) { return r->basePos.has_value(); });
  }

  // Where lines keep their order, a form's line follows its base's.
  std::vector<size_t> byPlace(all.size());
  std::iota(byPlace.begin(), byPlace.end(), size_t{0});
  std::stable_sort(byPlace.begin(), byPlace.end(),
                   [&](size_t a, size_t b) { return all[a].after < all[b].after; });

  // A form needs a line where its lookup would not show a base's line first,
  // a plural also where it stands in capitals, as in the headings of a manual
  // ("FILES": the lookup's endings are small letters). The lines of the other
  // forms that need one count: "expos" (expo's) comes before "expose" and
  // takes the lookup of "exposes", cut to "expos".
  std::vector<std::string> folded(lines.size() + all.size());
  for (size_t i = 0; i < lines.size(); ++i) folded[i] = dictionary::FoldedText(lines[i].headword);
  for (size_t f = 0; f < all.size(); ++f) folded[lines.size() + f] = dictionary::FoldedText(formOf(all[f]));
  const auto headword = [&](size_t i) -> Headword {
    return {i < lines.size() ? std::string_view(lines[i].headword) : formOf(all[i - lines.size()]),
            folded[i]};
  };
  for (int pass = 0; pass < kMostPasses; ++pass) {
    std::vector<Headword> inFileOrder;
    inFileOrder.reserve(lines.size() + all.size());
    if (order == LineOrder::kSorted) {
      std::vector<Headword> forms;  // in form order, which is byte order
      for (size_t f = 0; f < all.size(); ++f)
        if (all[f].needed) forms.push_back(headword(lines.size() + f));
      std::sort(forms.begin(), forms.end(),
                [](const Headword& a, const Headword& b) { return HeadwordBefore(a.text, b.text); });
      std::vector<Headword> base(lines.size());
      for (size_t i = 0; i < lines.size(); ++i) base[i] = headword(i);
      std::merge(forms.begin(), forms.end(), base.begin(), base.end(), std::back_inserter(inFileOrder),
                 [](const Headword& a, const Headword& b) { return HeadwordBefore(a.text, b.text); });
    } else {
      auto place = byPlace.begin();
      for (size_t i = 0; i < lines.size(); ++i) {
        inFileOrder.push_back(headword(i));
        for (; place != byPlace.end() && all[*place].after == i; ++place)
          if (all[*place].needed) inFileOrder.push_back(headword(lines.size() + *place));
      }
    }
    LinesLister lister(std::move(inFileOrder));
    bool more = false;
    for (Form& f : all) {
      if (f.needed || f.mute ||
          (f.bases.count(FirstHeadword(formOf(f), lister)) &&
           (!f.plural || f.bases.count(FirstHeadword(InCapitals(formOf(f)), lister)))))
        continue;
      f.needed = more = true;
    }
    if (!more) break;
  }

  for (const char* kind : kReportedKinds) imported.report.forms.kinds.Add(kind, 0);  // in this order

  const Registrations* registrations = imported.settings.registrations;
  std::vector<std::pair<size_t, DictionaryLine>> added;  // after which line
  for (size_t i : byPlace) {
    const Form& f = all[i];
    if (!f.needed) continue;
    const std::string& text = f.readings.front()->form;
    std::string meaning = f.meaning;
    if (registrations) {
      if (auto it = registrations->formIndexOf.find(text); it != registrations->formIndexOf.end()) {
        meaning = "[" + registrations->items[it->second].pronunciation + "]\t" + meaning;
        imported.carried[it->second] = true;
        ++imported.report.pronunciationsCarried;
      }
    }
    imported.report.forms.kinds.Add(ReportedKind(*f.readings.front()));
    added.emplace_back(f.after, DictionaryLine{text, std::move(meaning)});
  }
  imported.report.forms.made = true;
  imported.report.forms.forms = static_cast<int64_t>(all.size());
  imported.report.forms.lines = static_cast<int64_t>(added.size());

  std::vector<DictionaryLine> merged;
  merged.reserve(lines.size() + added.size());
  if (order == LineOrder::kSorted) {
    std::vector<DictionaryLine> sorted;
    for (auto& [after, line] : added) sorted.push_back(std::move(line));
    SortByHeadword(sorted);
    std::merge(std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
               std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()),
               std::back_inserter(merged), [](const DictionaryLine& a, const DictionaryLine& b) {
                 return HeadwordBefore(a.headword, b.headword);
               });
  } else {
    auto next = added.begin();
    for (size_t i = 0; i < lines.size(); ++i) {
      merged.push_back(std::move(lines[i]));
      for (; next != added.end() && next->first == i; ++next) merged.push_back(std::move(next->second));
    }
  }
  lines = std::move(merged);
}

}  // namespace import
