#include "dictionary/native_file_system.h"

#include <windows.h>

#include <algorithm>

#include "dictionary/windows_file_handle.h"

namespace dictionary {
namespace {

// One ReadFile or WriteFile call moves at most this much.
constexpr std::size_t kMaxTransfer = 1u << 30;

// The answers by which Windows refuses a file another program has open:
// opened without sharing what we ask (a sharing or lock violation), open
// without FILE_SHARE_DELETE when we rename over or delete it (access denied,
// see MoveFileEx and DeleteFile), or mapped into memory.
bool IsHeld(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_USER_MAPPED_FILE;
}

// Notes the refusal just reported by the system; returns `failed` for chaining.
template <class T>
T Refused(FileError& error, T failed) {
  const DWORD code = GetLastError();
  error = FileError{code, IsHeld(code)};
  return failed;
}

class WindowsInputFile final : public ByteSource {
 public:
  WindowsInputFile(HANDLE handle, FileError& error) : file_(handle), error_(error) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &got, nullptr)) {
      return Refused(error_, -1);
    }
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  FileHandle file_;
  FileError& error_;
};

class WindowsOutputFile final : public OutputFile {
 public:
  WindowsOutputFile(HANDLE handle, FileError& error) : file_(handle), error_(error) {}
  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      DWORD put = 0;
      if (!WriteFile(file_.get(), data, static_cast<DWORD>(std::min(size, kMaxTransfer)), &put, nullptr)) {
        return Refused(error_, false);
      }
      if (put == 0) {
        error_ = FileError{};
        return false;
      }
      data += put;
      size -= put;
    }
    return true;
  }
  bool Sync() override { return FlushFileBuffers(file_.get()) != 0 || Refused(error_, false); }

 private:
  FileHandle file_;
  FileError& error_;
};

}  // namespace

std::unique_ptr<ByteSource> NativeFileSystem::OpenForRead(const std::string& path) {
  // Shared as fopen shares, so a lookup or an editor may read it meanwhile.
  const HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Refused(last_, nullptr);
  return std::make_unique<WindowsInputFile>(handle, last_);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateWorkFile(const std::string& path) {
  const HANDLE handle =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Refused(last_, nullptr);
  return std::make_unique<WindowsOutputFile>(handle, last_);
}

bool NativeFileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool NativeFileSystem::Link(const std::string& existing, const std::string& link) {
  return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != 0 || Refused(last_, false);
}

bool NativeFileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
         Refused(last_, false);
}

bool NativeFileSystem::Remove(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0 || Refused(last_, false);
}

}  // namespace dictionary
