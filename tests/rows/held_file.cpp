#include "tests/rows/held_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

#include <gtest/gtest.h>

namespace rows {

HeldFile::HeldFile(std::string path, Mode mode, bool enforcedBySystem)
    : path_(std::move(path)), mode_(mode), enforcedBySystem_(enforcedBySystem) {
#ifndef _WIN32
  enforcedBySystem_ = false;  // POSIX has no sharing modes
#endif
}

void HeldFile::Hold(std::chrono::milliseconds duration) {
  if (held_) return;
  held_ = true;
  if (enforcedBySystem_) Open();
  holding_ = true;
  if (duration.count() == 0) return;
  releaser_ = std::thread([this, duration] {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (!stop_ && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    Close();
  });
}

void HeldFile::Release() {
  stop_ = true;
  if (releaser_.joinable()) releaser_.join();
  Close();
}

bool HeldFile::Refuses(const std::string& path, Operation operation) const {
  if (!holding_ || enforcedBySystem_ || path != path_) return false;
  return mode_ == Mode::kExclusive || operation == Operation::kRename || operation == Operation::kRemove;
}

#ifdef _WIN32
dictionary::FileError HeldFile::Answer() { return {ERROR_SHARING_VIOLATION, dictionary::Refusal::kHeld}; }

void HeldFile::Open() {
  const DWORD share = mode_ == Mode::kExclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  const HANDLE handle =
      CreateFileA(path_.c_str(), GENERIC_READ, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "could not hold " << path_ << ": error " << GetLastError();
    return;
  }
  handle_ = handle;
}

void HeldFile::Close() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  holding_ = false;
}
#else
dictionary::FileError HeldFile::Answer() { return {EBUSY, dictionary::Refusal::kHeld}; }

void HeldFile::Open() {}

void HeldFile::Close() { holding_ = false; }
#endif

}  // namespace rows
