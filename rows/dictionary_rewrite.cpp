#include "rows/dictionary_rewrite.h"

#include <memory>
#include <optional>
#include <string>

#include "dictionary/held_file_retry.h"
#include "dictionary/replace_with_backup.h"
#include "dictionary/text_mode_reader.h"
#include "dictionary/text_mode_writer.h"
#include "rows/pronunciation.h"

namespace rows {
namespace {

// Decides, piece by piece, which pieces of the dictionary are the row's line.
class RowMatcher {
 public:
  explicit RowMatcher(std::string_view row) : row_(row) {}

  bool Matches(std::string_view piece) const {
    // A row that kept its LF is a whole line.
    if (!row_.empty() && row_.back() == '\n') return piece == row_;
    if (piece.substr(0, row_.size()) != row_) return false;
    // The row must end where the listing cut it: at the hidden part, at the
    // line end, or where the piece ends. Otherwise it is merely the beginning
    // of a longer line, whose tail must not be lost. A NUL ends what the
    // listing shows as well.
    if (piece.size() == row_.size()) return true;
    const char next = piece[row_.size()];
    return next == ';' || next == '\n' || next == '\0';
  }

  // What follows the row in a matched piece: the hidden part and the line end.
  std::string_view Tail(std::string_view piece) const {
    if (!row_.empty() && row_.back() == '\n') return piece.substr(row_.size() - 1);
    return piece.substr(row_.size());
  }

 private:
  std::string_view row_;
};

// Whether some piece of the dictionary is the row's line. Read before anything
// is written, so that a row shown before the dictionary changed changes nothing.
enum class RowSearch { kFound, kNotFound, kReadError };
RowSearch FindRow(dictionary::ByteSource& input, std::string_view row) {
  const RowMatcher matcher(row);
  dictionary::PieceFilter rowStart;
  rowStart.Allow(static_cast<unsigned char>(row[0]), static_cast<unsigned char>(row[1]));
  bool found = false;
  const dictionary::TextEnd end =
      dictionary::ForEachPiece(input, rowStart, [&](const dictionary::Piece& piece) {
        found = matcher.Matches(piece.text);
        return !found;
      });
  if (found) return RowSearch::kFound;
  return end == dictionary::TextEnd::kReadError ? RowSearch::kReadError : RowSearch::kNotFound;
}

}  // namespace

RegisterOutcome RegisterPronunciation(std::string_view row, std::string_view pronunciation,
                                      dictionary::FileSystem& files, const DictionaryPaths& paths,
                                      dictionary::RetryPause& pause) {
  RegisterOutcome outcome;
  const std::optional<std::string> pronounced = PronouncedRow(row, pronunciation);
  if (!pronounced) return outcome;

  dictionary::HeldFileRetry retry(files, pause);
  const auto refused = [&](RegisterStatus status, dictionary::FileFailure failure) {
    outcome.status = status;
    outcome.refused = std::move(failure);
    return outcome;
  };
  const auto openDictionary = [&] {
    return retry.Read(paths.dictionary, [&] { return files.OpenForRead(paths.dictionary); });
  };
  std::unique_ptr<dictionary::ByteSource> input = openDictionary();
  if (!input) return refused(RegisterStatus::kNoDictionary, retry.Refused());
  switch (FindRow(*input, row)) {
    case RowSearch::kFound:
      break;
    case RowSearch::kNotFound:
      outcome.status = RegisterStatus::kRowNotFound;
      return outcome;
    case RowSearch::kReadError:
      return refused(RegisterStatus::kReadFailed, {paths.dictionary, files.LastError()});
  }
  input.reset();
  input = openDictionary();
  if (!input) return refused(RegisterStatus::kNoDictionary, retry.Refused());
  std::unique_ptr<dictionary::OutputFile> output =
      retry.Change(paths.work, [&] { return files.CreateWorkFile(paths.work); });
  if (!output) return refused(RegisterStatus::kWorkFileNotCreated, retry.Refused());

  const auto fail = [&](RegisterStatus status, dictionary::FileFailure failure) {
    output.reset();
    input.reset();
    // Without the dictionary, the work file may be the only whole copy left.
    if (files.Exists(paths.dictionary)) retry.Change(paths.work, [&] { return files.Remove(paths.work); });
    outcome.replacedLines = 0;
    return refused(status, std::move(failure));
  };
  const auto failedOn = [&](const std::string& path) {
    return dictionary::FileFailure{path, files.LastError()};
  };

  const RowMatcher matcher(row);
  dictionary::TextModeReader reader(*input);
  dictionary::TextModeWriter writer(*output);
  dictionary::PieceFilter everyPiece;
  everyPiece.AllowAll();
  const dictionary::TextEnd textEnd = reader.ForEachPiece(everyPiece, [&](const dictionary::Piece& piece) {
    if (matcher.Matches(piece.text)) {
      const std::string_view tail = matcher.Tail(piece.text);
      writer.WriteText(*pronounced);
      writer.WriteText(tail);
      // A replaced last line gets a line end, like every other new line.
      if (piece.end == dictionary::PieceEnd::kEndOfText && (tail.empty() || tail.back() != '\n')) {
        writer.WriteText("\n");
      }
      ++outcome.replacedLines;
    } else {
      writer.WriteText(piece.text);
    }
    return !writer.Failed();  // after a failed write, reading on is of no use
  });
  if (writer.Failed()) return fail(RegisterStatus::kWriteFailed, failedOn(paths.work));
  if (textEnd == dictionary::TextEnd::kReadError)
    return fail(RegisterStatus::kReadFailed, failedOn(paths.dictionary));
  // What follows a 0x1A is never shown, but it is the user's.
  const bool copied = reader.CopyRest([&writer](std::string_view bytes) {
    writer.WriteRaw(bytes);
    return !writer.Failed();
  });
  if (!copied) {
    return writer.Failed() ? fail(RegisterStatus::kWriteFailed, failedOn(paths.work))
                           : fail(RegisterStatus::kReadFailed, failedOn(paths.dictionary));
  }
  if (!writer.Flush()) return fail(RegisterStatus::kWriteFailed, failedOn(paths.work));
  if (!output->Sync()) return fail(RegisterStatus::kSyncFailed, failedOn(paths.work));
  // The row went from the dictionary between the two readings.
  if (outcome.replacedLines == 0) return fail(RegisterStatus::kRowNotFound, {});

  // Both files are closed before the dictionary is replaced.
  output.reset();
  input.reset();
  if (std::optional<dictionary::FileFailure> failure = dictionary::ReplaceWithBackup(files, paths, pause)) {
    return fail(RegisterStatus::kReplaceFailed, std::move(*failure));
  }
  outcome.status = RegisterStatus::kRegistered;
  return outcome;
}

}  // namespace rows
