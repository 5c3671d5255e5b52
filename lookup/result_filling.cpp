#include "lookup/result_filling.h"

#include <utility>

namespace lookup {
namespace {

// A dictionary that keeps changing under the fills is listed again this many
// times in a row at most; its rows then stay as far as they got.
constexpr int kRelistings = 3;

}  // namespace

std::optional<WindowSize> ResultFilling::Start(std::string_view query, bool related, WorkBudget& budget) {
  std::optional<WindowSize> size;
  std::string word(query);
  for (int attempt = 0; attempt < kRelistings; ++attempt) {
    LookupFeeds feeds = lookups_.Start(word, related);
    unreadable_ = feeds.unreadable;
    if (!feeds.shown) return size;
    lastQuery_ = word;
    lastRelated_ = related;
    size = WindowSize{feeds.WindowWidth(), feeds.WindowHeight()};
    for (size_t i = 0; i < lists_.size(); ++i) {
      lastTouched_[i] = feeds.lists[i].has_value();
      if (feeds.lists[i]) lists_[i]->Start(std::move(*feeds.lists[i]));
    }
    if (!FillAll(budget)) break;
  }
  return size;
}

ResultFilling::Progress ResultFilling::Continue(WorkBudget& budget) {
  Progress progress;
  if (FillAll(budget)) {
    const std::string query = lastQuery_;
    progress.relisted = Start(query, lastRelated_, budget);
  }
  // The rows come first: the user is looking at them. With the budget spent,
  // a later slice finds out whether any indexing is left.
  progress.more = PendingRows() > 0 || !budget.Left() || lookups_.ContinueIndex(budget);
  return progress;
}

bool ResultFilling::FillAll(WorkBudget& budget) {
  bool changed = false;
  for (size_t i = 0; i < lists_.size(); ++i) {
    changed |= lists_[i]->Fill(budget) == ListFilling::Filled::kFileChanged && lastTouched_[i];
  }
  return changed;
}

size_t ResultFilling::PendingRows() const {
  size_t pending = 0;
  for (const ListFilling* list : lists_) pending += list->Pending();
  return pending;
}

}  // namespace lookup
