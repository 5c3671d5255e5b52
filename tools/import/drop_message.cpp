#include "drop_message.h"

#include <utility>

#include "dictionary_file.h"
#include "tools/text/conversion.h"

namespace import {
namespace {

// A message box that runs off the screen helps no one; the backup keeps the rest.
constexpr size_t kMostListed = 10;

// ImportReport's labels, and those that ImportError's problems stand for.
constexpr std::pair<const char*, const char*> kLabels[] = {
    {"entries without a headword", "見出し語のない項目"},
    {"entries without a Japanese meaning", "日本語の訳のない項目"},
    {"entries without a meaning (a text, HTML or Pango field)", "訳 (テキスト、HTML、Pango の欄) のない項目"},
    {"entries without an English gloss", "英語の訳語のない項目"},
    {"entries whose first sense alone is too long for one line", "最初の語義だけで 1 行に収まらない項目"},
    {"headwords too long for one line", "1 行に収まらない見出し語"},
    {"lines not in the EDICT form \"word [reading] /gloss/.../\"",
     "EDICT の形 (語 [読み] /訳/.../) でない行"},
    {"lines without a TAB between word and meaning", "語と訳の間に TAB のない行"},
    {"lines without a meaning after the TAB", "TAB の後に訳のない行"},
    {"lines without a word before the TAB", "TAB の前に語のない行"},
    {"lines without a TAB after the headword", "見出し語の後に TAB のない行"},
    {"lines without \"///\" between headword and translation", "見出し語と訳の間に「///」のない行"},
    {"lines without a translation after \"///\"", "「///」の後に訳のない行"},
    {"lines without a headword before \"///\"", "「///」の前に見出し語のない行"},
    {"rows without a translation (trans)", "訳 (trans) のない行"},
    {"rows without a word", "語 (word) のない行"},
    {"examples without an entry above them", "前に項目のない用例"},
    {"lines that do not begin with \xE2\x96\xA0", "■ で始まらない行"},
    {"lines without \" : \" between headword and meaning", "見出し語と訳の間に「 : 」のない行"},
    {"entries without a meaning after \" : \"", "「 : 」の後に訳のない項目"},
    {"dictd information entries skipped", "省いた dictd の情報項目"},
    {"senses without a Japanese meaning left out", "省いた日本語の訳のない語義"},
    {"notes shortened", "短くした注記"},
    {"header lines skipped", "省いた見出し行"},
    {"glosses left out: only tags or notes", "省いた訳語 (タグか注記だけのもの)"},
    {"synonyms read, each a headword of its own", "別の見出し語にした同義語"},
    {kMergedEntries, "同じ見出し語の前の行にまとめた項目"},
    {"lines shortened to fit the reader's line buffer", "1 行に収まるよう後ろの語義を省いた行"},
    {"readings in braces left out", "省いた {読み}"},
    {"columns other than word, trans, exp and pron left out", "省いた列 (word、trans、exp、pron 以外)"},
    {"pronunciations left out: code page 932 gives them a ']' byte",
     "省いた発音 (Shift-JIS で ] を含むもの)"},
    {"pronunciations left out: the headword has one already", "省いた発音 (見出し語に発音がすでにあるもの)"},
    {"no new line has this headword", "新しい辞書にこの見出し語がありません"},
    {"a second pronunciation of the headword", "同じ見出し語の 2 つ目の発音です"},
};

std::string ProblemText(Problem problem) {
  switch (problem) {
    case Problem::kCannotRead:
      return "ファイルを開けないか、読めません。";
    case Problem::kEmpty:
      return "ファイルが空です。";
    case Problem::kBinary:
      return "テキストファイルではありません (NUL バイトがあります)。";
    case Problem::kUtf16WithoutBom:
      return "BOM (バイト順マーク) のない UTF-16 のようです。BOM 付きの UTF-16、UTF-8 または Shift-JIS "
             "で保存し直してください。";
    case Problem::kBadEncoding:
      return "文字コードが正しくありません。UTF-8、Shift-JIS、BOM 付きの UTF-16 のどれかで保存してください。";
    case Problem::kTruncated:
      return "圧縮ファイルが途中で切れています。もう一度ダウンロードするかコピーし直してください。";
    case Problem::kDamaged:
      return "圧縮ファイルが壊れています。";
    case Problem::kUnknownFormat:
      return "取り込める形式の辞書ではありません。取り込めるのは「見出し /// 訳」の 1 行テキスト、"
             "word 列のある CSV、「■見出し : 訳」のテキスト、タブ区切りテキスト、StarDict、dictd、EDICT、"
             "Lexmoor の辞書ファイルです。";
    case Problem::kMalformed:
      return "形式が崩れています (閉じていない引用符など)。";
    case Problem::kNoEntries:
      return "取り込める項目が一つもありません。";
    case Problem::kLineTooLong:
      return "長すぎて辞書の 1 行 (" + std::to_string(kLongestLineText) +
             " バイトまで) に収まらない項目があります。";
    case Problem::kCannotWrite:
      return "辞書を書き込めません。フォルダーに書き込めるか、ほかのプログラムが辞書を開いていないかを"
             "確かめてください。";
    case Problem::kOther:
      break;
  }
  return "取り込みの途中で問題が起きました。";
}

// "headword [pronunciation]: why", the headword in code page 932.
std::string NotCarried(const std::string& item) {
  const size_t colon = item.rfind(": ");
  std::string shown;
  size_t failedAt = 0;
  text::Conversion toUtf8(text::kUtf8, text::kCp932);
  if (!toUtf8.Convert(item.substr(0, colon), shown, failedAt)) shown += "?";
  return colon == std::string::npos ? shown : shown + ": " + InJapanese(item.substr(colon + 2));
}

}  // namespace

std::string FormatName(SourceFormat format) {
  switch (format) {
    case SourceFormat::kStardict:
      return "StarDict";
    case SourceFormat::kDictd:
      return "dictd (FreeDict)";
    case SourceFormat::kEdict:
      return "EDICT";
    case SourceFormat::kDictionaryFile:
      return "Lexmoor の辞書ファイル";
    case SourceFormat::kCsv:
      return "CSV";
    case SourceFormat::kTsv:
      return "タブ区切りテキスト";
    case SourceFormat::kSlashText:
      return "1 行テキスト (見出し /// 訳)";
    case SourceFormat::kSquareText:
      return "■ テキスト (■見出し : 訳)";
  }
  return "?";
}

std::string InJapanese(const std::string& label) {
  for (const auto& [english, japanese] : kLabels)
    if (label == english) return japanese;
  return label;
}

std::string SuccessMessage(const ImportReport& r, SourceFormat format, const std::string& file,
                           const std::string& dictionary, const ToDisplay& toDisplay) {
  std::string m = "辞書を取り込みました。\n\n";
  m += "ファイル: " + file + "\n";
  m += "形式: " + FormatName(format) + "\n";
  m += "読み込んだ項目: " + std::to_string(r.entriesRead) + "\n";
  m += "書き込んだ行: " + std::to_string(r.linesWritten) + "\n";
  if (r.forms.made)
    m += "  (うち語形変化・派生語などの行: " + std::to_string(r.forms.lines) + ")\n";
  else if (!r.forms.missing.empty())
    m += "語形変化・派生語などの行は加えていません。そのためのデータがありません: " + toDisplay(r.forms.missing) +
         "\n";
  if (r.dropped.Total()) {
    m += "取り込まなかったもの: " + std::to_string(r.dropped.Total()) + "\n";
    for (const auto& [label, n] : r.dropped.Items())
      m += "  ・" + InJapanese(label) + ": " + std::to_string(n) + "\n";
  }
  for (const auto& [label, n] : r.changed.Items())
    if (n) m += InJapanese(label) + ": " + std::to_string(n) + "\n";
  if (const int64_t replaced = r.characters.equivalents + r.characters.unmappable)
    m += "Shift-JIS にない文字: " + std::to_string(replaced) + " (近い文字か「?」にしました)\n";
  if (r.pronunciationsCarried)
    m += "引き継いだ登録済みの発音: " + std::to_string(r.pronunciationsCarried) + "\n";
  if (!r.notCarried.empty()) {
    m += "引き継げなかった登録済みの発音: " + std::to_string(r.notCarried.size()) +
         " (前の辞書に残っています)\n";
    for (size_t i = 0; i < r.notCarried.size() && i < kMostListed; ++i)
      m += "  ・" + NotCarried(r.notCarried[i]) + "\n";
    if (r.notCarried.size() > kMostListed)
      m += "  ほか " + std::to_string(r.notCarried.size() - kMostListed) + "\n";
  }
  m += "\n辞書: " + dictionary + "\n";
  if (!r.backup.empty()) m += "前の辞書: " + toDisplay(r.backup) + "\n";
  m += "\n起動中の lexmoor.exe も、次に引くときから新しい辞書を使います。";
  return m;
}

std::string HowToDrop() {
  return "lexmoor-import.exe は、辞書のファイルを Lexmoor の辞書 RAdoro.txt に取り込むプログラムです。\n\n"
         "取り込みたい辞書のファイルを、エクスプローラーでこのプログラムのアイコンにドラッグ＆ドロップして"
         "ください。同じフォルダーの RAdoro.txt がその辞書になり、それまでの辞書は RAdoro.txt.bak に"
         "残ります。登録した発音は引き継がれます。";
}

std::string OneFileAtATime(size_t files) {
  return "一度に取り込める辞書のファイルは 1 つです (ドロップされたファイル: " + std::to_string(files) +
         ")。\n\nStarDict の辞書は .ifo のファイルを、dictd の辞書は .index のファイルを 1 つだけ"
         "ドロップしてください。RAdoro.txt は元のままです。";
}

std::string FailureMessage(const ImportError& e, const std::string& file, const std::string& dictionary,
                           const ToDisplay& toDisplay) {
  std::string m = "辞書を取り込めませんでした。辞書 " + dictionary + " は元のままです。\n\n";
  m += "ファイル: " + (e.file().empty() ? file : toDisplay(e.file())) + "\n";
  if (e.line()) m += "場所: " + std::to_string(e.line()) + " 行目\n";
  m += "理由: " + ProblemText(e.problem()) + "\n\n";
  m += "(" + toDisplay(e.what()) + ")";
  return m;
}

}  // namespace import
