#include "progress.h"

#include <ostream>

namespace import {
namespace {

constexpr std::chrono::seconds kShowAfter{1};
constexpr std::chrono::milliseconds kRedrawEvery{100};
constexpr char kEraseToLineEnd[] = "\033[K";

}  // namespace

Progress::Progress(std::ostream& out, bool terminal, Now now)
    : out_(out), terminal_(terminal), now_(std::move(now)) {
  if (terminal_) nextDraw_ = now_() + kShowAfter;
}

void Progress::Update(int64_t entries, uint64_t done, uint64_t total) {
  if (!terminal_) return;
  const Clock::time_point now = now_();
  if (now < nextDraw_) return;
  nextDraw_ = now + kRedrawEvery;
  out_ << "\rimporting: " << entries << " entries";
  if (total > 0) out_ << ", " << (done >= total ? 100 : done * 100 / total) << "%";
  out_ << kEraseToLineEnd << std::flush;
  drawn_ = true;
}

void Progress::Clear() {
  if (!drawn_) return;
  out_ << "\r" << kEraseToLineEnd << std::flush;
  drawn_ = false;
}

}  // namespace import
