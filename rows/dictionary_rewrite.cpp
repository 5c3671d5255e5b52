#include "rows/dictionary_rewrite.h"

#include <memory>
#include <optional>
#include <string>

#include "dictionary/replace_with_backup.h"
#include "dictionary/text_mode_reader.h"
#include "rows/pronunciation.h"
#include "dictionary/text_mode_writer.h"

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

  std::unique_ptr<dictionary::ByteSource> input = files.OpenForRead(paths.dictionary);
  if (!input) {
    outcome.status = RegisterStatus::kNoDictionary;
    return outcome;
  }
  std::unique_ptr<dictionary::OutputFile> output = files.CreateWorkFile(paths.work);
  if (!output) {
    outcome.status = RegisterStatus::kWorkFileNotCreated;
    return outcome;
  }

  const auto fail = [&](RegisterStatus status) {
    output.reset();
    input.reset();
    files.Remove(paths.work);
    outcome.status = status;
    outcome.replacedLines = 0;
    return outcome;
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
  if (writer.Failed()) return fail(RegisterStatus::kWriteFailed);
  if (textEnd == dictionary::TextEnd::kReadError) return fail(RegisterStatus::kReadFailed);
  // What follows a 0x1A is never shown, but it is the user's.
  const bool copied = reader.CopyRest([&writer](std::string_view bytes) {
    writer.WriteRaw(bytes);
    return !writer.Failed();
  });
  if (!copied) return fail(writer.Failed() ? RegisterStatus::kWriteFailed : RegisterStatus::kReadFailed);
  if (!writer.Flush()) return fail(RegisterStatus::kWriteFailed);
  if (!output->Sync()) return fail(RegisterStatus::kSyncFailed);

  // Both files are closed before the dictionary is replaced.
  output.reset();
  input.reset();
  if (!dictionary::ReplaceWithBackup(files, paths)) {
    return fail(RegisterStatus::kReplaceFailed);
  }
  outcome.status = RegisterStatus::kRegistered;
  return outcome;
}

}  // namespace rows
