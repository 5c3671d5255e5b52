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

}  // namespace

RegisterOutcome RegisterPronunciation(std::string_view row, std::string_view pronunciation,
                                      dictionary::FileSystem& files, const DictionaryPaths& paths) {
  RegisterOutcome outcome;
  const std::optional<std::string> pronounced = PronouncedRow(row, pronunciation);
  if (!pronounced) return outcome;

  const auto refused = [&](RegisterStatus status, const std::string& path) {
    outcome.status = status;
    outcome.refused = dictionary::FileFailure{path, files.LastError()};
    return outcome;
  };
  std::unique_ptr<dictionary::ByteSource> input =
      dictionary::RetryWhileHeld(files, [&] { return files.OpenForRead(paths.dictionary); });
  if (!input) return refused(RegisterStatus::kNoDictionary, paths.dictionary);
  std::unique_ptr<dictionary::OutputFile> output =
      dictionary::RetryWhileHeld(files, [&] { return files.CreateWorkFile(paths.work); });
  if (!output) return refused(RegisterStatus::kWorkFileNotCreated, paths.work);

  const auto fail = [&](RegisterStatus status, dictionary::FileFailure failure) {
    output.reset();
    input.reset();
    // Without the dictionary, the work file may be the only whole copy left.
    if (files.Exists(paths.dictionary)) files.Remove(paths.work);
    outcome.status = status;
    outcome.refused = std::move(failure);
    outcome.replacedLines = 0;
    return outcome;
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

  // Both files are closed before the dictionary is replaced.
  output.reset();
  input.reset();
  if (std::optional<dictionary::FileFailure> failure = dictionary::ReplaceWithBackup(files, paths)) {
    return fail(RegisterStatus::kReplaceFailed, std::move(*failure));
  }
  outcome.status = RegisterStatus::kRegistered;
  return outcome;
}

}  // namespace rows
