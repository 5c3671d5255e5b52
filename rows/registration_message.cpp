#include "rows/registration_message.h"

namespace rows {
namespace {

using dictionary::Refusal;

constexpr char kRowNotFound[] =
    "この行は、表示されたとおりには辞書にありません。辞書が書き換えられたようです。"
    "単語をもう一度引いてから、登録し直してください。";
constexpr char kNotRegistered[] = "発音記号を登録できませんでした。辞書は元のままです。";
constexpr char kFileLabel[] = "ファイル: ";
constexpr char kReasonLabel[] = "理由: ";
constexpr char kUnknownReason[] = "不明";

constexpr char kCannotRead[] =
    "このファイルを読む権限がありません。ファイルのプロパティの「セキュリティ」で、"
    "読み取りが許可されているか確かめてください。";

// What helps, for each refusal the user can act on.
std::string Advice(Refusal reason, RegisterStatus status) {
  // Refused while only reading the dictionary: no folder is at fault.
  const bool reading = status == RegisterStatus::kNoDictionary || status == RegisterStatus::kReadFailed;
  if (reading && reason == Refusal::kAccessDenied) return kCannotRead;
  switch (reason) {
    case Refusal::kHeld:
      return "ほかのプログラムがこのファイルを使っています。しばらくしてから、もう一度 OK を押してください。";
    case Refusal::kAccessDenied:
      return "このフォルダーには書き込めません。辞書とプログラムを、書き込めるフォルダー "
             "(ドキュメントの下など) "
             "に移してください。Program Files の下には置かないでください。";
    case Refusal::kReadOnly:
      return "ファイルかドライブが読み取り専用です。ファイルのプロパティで「読み取り専用」を外すか、"
             "辞書とプログラムを書き込めるドライブに移してください。";
    case Refusal::kDiskFull:
      return "ディスクがいっぱいです。空きを作ってから、もう一度 OK を押してください。";
    case Refusal::kNotFound:
      return std::string("ファイルかフォルダーが見つかりません。辞書 ") + dictionary::kDictionaryFile +
             " がプログラムの作業フォルダーにあるか確かめてください。";
    case Refusal::kOther:
    case Refusal::kUnsupported:
      break;
  }
  return {};
}

}  // namespace

std::string RegistrationFailureText(const RegisterOutcome& outcome, std::string_view fullPath,
                                    std::string_view systemReason) {
  if (outcome.status == RegisterStatus::kRowNotFound) return kRowNotFound;
  std::string text = kNotRegistered;
  text.append("\n\n").append(kFileLabel).append(fullPath).append("\n");
  text.append(kReasonLabel).append(systemReason.empty() ? kUnknownReason : systemReason);
  const std::string advice = Advice(outcome.refused.error.reason, outcome.status);
  if (!advice.empty()) text.append("\n\n").append(advice);
  return text;
}

}  // namespace rows
