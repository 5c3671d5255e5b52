#include "dictionary/dictionary_paths.h"

namespace dictionary {
namespace {

constexpr std::string_view kWorkSuffix = ".next";
constexpr std::string_view kBackupSuffix = ".bak";
constexpr std::string_view kStagedSuffix = ".tmp";

}  // namespace

DictionaryPaths DictionaryPaths::In(std::string_view directory) {
  std::string dictionary(directory);
  if (!dictionary.empty() && dictionary.back() != '/' && dictionary.back() != '\\') dictionary.push_back('/');
  dictionary.append(kDictionaryFile);
  return Of(std::move(dictionary));
}

DictionaryPaths DictionaryPaths::Of(std::string path) {
  DictionaryPaths paths;
  paths.work = path + std::string(kWorkSuffix);
  paths.backup = path + std::string(kBackupSuffix);
  paths.stagedBackup = paths.backup + std::string(kStagedSuffix);
  paths.dictionary = std::move(path);
  return paths;
}

}  // namespace dictionary
