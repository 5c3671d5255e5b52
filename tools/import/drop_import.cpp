#include "drop_import.h"

#include <new>
#include <optional>

#include "dictionary/dictionary_paths.h"
#include "drop_message.h"
#include "gzip_file.h"
#include "import_error.h"
#include "tools/text/conversion.h"

namespace import {

ImportReport ImportInto(const std::string& output, bool carryRegistrations, Progress* progress,
                        const FormOptions& forms, const std::function<Imported(const ImportSettings&)>& import) {
  ImportSettings settings;
  settings.progress = progress;
  std::optional<EnglishForms> englishForms;
  forms.Apply(englishForms, settings);
  Registrations registered;
  const bool replacing = FileExists(output);
  if (replacing && carryRegistrations) {
    registered = ReadRegistrations(output);
    settings.registrations = &registered;
  }
  Imported imported = import(settings);
  ImportReport& report = imported.report;
  report.bytesWritten = WriteDictionary(output, imported.lines);
  if (replacing) report.backup = dictionary::DictionaryPaths::Of(output).backup;
  report.linesWritten = static_cast<int64_t>(imported.lines.size());
  return std::move(report);
}

DropOutcome ImportDroppedFile(const std::string& file, const std::string& dictionary,
                              const ToDisplay& toDisplay, const FormOptions& forms) {
  try {
    const RecognisedSource source = RecogniseSource(file);
    const ImportReport report = ImportInto(dictionary, true, nullptr, forms, [&](const ImportSettings& settings) {
      return ImportRecognised(source, settings);
    });
    return {true, SuccessMessage(report, source.format, toDisplay(file), toDisplay(dictionary), toDisplay)};
  } catch (const ImportError& e) {
    return {false, FailureMessage(e, toDisplay(file), toDisplay(dictionary), toDisplay)};
  } catch (const text::ConversionUnavailable& e) {
    return {false, FailureMessage(ImportError(e.what()), toDisplay(file), toDisplay(dictionary), toDisplay)};
  } catch (const std::bad_alloc&) {
    return {false, FailureMessage(ImportError(file + ": out of memory"), toDisplay(file),
                                  toDisplay(dictionary), toDisplay)};
  }
}

}  // namespace import
