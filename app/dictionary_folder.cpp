#include "app/dictionary_folder.h"

#include "dictionary/dictionary_line.h"
#include "dictionary/dictionary_paths.h"
#include "framework/code_page.h"
#include "framework/system_text.h"

namespace {

constexpr wchar_t kNotFound[] = L"辞書ファイルが見つかりません。次の場所を探しました:\n\n";
constexpr wchar_t kWhatToDo[] =
    L"\n辞書 RAdoro.txt を lexmoor.exe と同じフォルダーに置くと、Lexmoor "
    L"を起動し直さなくても単語を引けるように"
    L"なります。";

bool IsFile(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder of lexmoor.exe, with its trailing backslash; empty when unknown.
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut to fit: a longer path than MAX_PATH
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

std::wstring SettleDictionaryFolder() {
  const std::wstring name = fw::ToUnicode(dictionary::kDictionaryFile, dictionary::kDictionaryCodePage);
  if (IsFile(name)) return {};  // a folder of that name is no dictionary
  const std::wstring inWorkingDirectory = fw::FullPath(name);
  const std::wstring folder = ProgramFolder();
  if (folder.empty() || !::SetCurrentDirectoryW(folder.c_str()))
    return kNotFound + inWorkingDirectory + L"\n" + kWhatToDo;
  const std::wstring besideProgram = fw::FullPath(name);
  if (IsFile(besideProgram)) return {};
  std::wstring message = kNotFound + inWorkingDirectory + L"\n";
  if (besideProgram != inWorkingDirectory) message += besideProgram + L"\n";
  return message + kWhatToDo;
}
