#include "dictionary/native_file_system.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "dictionary/windows_file_handle.h"

namespace dictionary {
namespace {

// One ReadFile or WriteFile call moves at most this much.
constexpr std::size_t kMaxTransfer = 1u << 30;

// FileRenameInfoEx and its flags (Windows 10 1709), which MinGW's headers
// declare only for newer _WIN32_WINNT, and FILE_RENAME_INFO with its Flags member.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1;
constexpr DWORD kRenamePosixSemantics = 0x2;
struct RenameInfoEx {
  DWORD flags;
  HANDLE rootDirectory;
  DWORD fileNameLength;  // in bytes, without the terminating zero
  WCHAR fileName[1];
};

Refusal Classify(DWORD code) {
  switch (code) {
    case ERROR_SHARING_VIOLATION:  // opened without sharing what we ask
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return Refusal::kHeld;
    case ERROR_ACCESS_DENIED:  // also a file held without FILE_SHARE_DELETE when renamed over
      return Refusal::kAccessDenied;
    case ERROR_WRITE_PROTECT:
      return Refusal::kReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return Refusal::kDiskFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return Refusal::kNotFound;
    default:
      return Refusal::kOther;
  }
}

FileError ErrorOf(DWORD code) { return FileError{code, Classify(code)}; }

// Notes the refusal just reported by the system; returns `failed` for chaining.
template <class T>
T Refused(FileError& error, T failed) {
  error = ErrorOf(GetLastError());
  return failed;
}

// The full path of `path`, as FileRenameInfoEx takes it; empty on failure.
std::wstring FullPath(const std::string& path) {
  const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length == 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (got == 0 || got >= size) return {};
  full.resize(got);
  return L"\\\\?\\" + full;  // as is: no length limit, no second parsing
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

bool NativeFileSystem::RenameOverOpenFile(const std::string& from, const std::string& to) {
  const std::wstring target = FullPath(to);
  if (target.empty()) return Refused(last_, false);
  const FileHandle file(CreateFileA(from.c_str(), DELETE | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return Refused(last_, false);
  const std::size_t nameBytes = target.size() * sizeof(WCHAR);
  std::vector<std::byte> buffer(offsetof(RenameInfoEx, fileName) + nameBytes + sizeof(WCHAR));
  RenameInfoEx info{
      kRenameReplaceIfExists | kRenamePosixSemantics, nullptr, static_cast<DWORD>(nameBytes), {}};
  std::memcpy(buffer.data(), &info, offsetof(RenameInfoEx, fileName));
  std::memcpy(buffer.data() + offsetof(RenameInfoEx, fileName), target.c_str(), nameBytes + sizeof(WCHAR));
  if (SetFileInformationByHandle(file.get(), kFileRenameInfoEx, buffer.data(),
                                 static_cast<DWORD>(buffer.size())))
    return true;
  const DWORD code = GetLastError();
  // How Wine and Windows before 10 1709 (or a volume other than NTFS) say they can't.
  const bool unsupported =
      code == ERROR_INVALID_PARAMETER || code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION;
  last_ = unsupported ? FileError{code, Refusal::kUnsupported} : ErrorOf(code);
  return false;
}

bool NativeFileSystem::Remove(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0 || Refused(last_, false);
}

PathFacts NativeFileSystem::Inspect(const std::string& path) {
  PathFacts facts;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return facts;
  facts.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts.readOnly = !facts.directory && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (facts.directory) return facts;
  // Opening it as a rename or a delete does, sharing everything: refused
  // while another program has it open without delete sharing.
  const FileHandle file(CreateFileA(path.c_str(), DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) facts.removal = ErrorOf(GetLastError());
  return facts;
}

std::optional<FileError> NativeFileSystem::ProbeFolder(const std::string& path) {
  const std::string probe = path + kProbeSuffix;
  const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (file.get() != INVALID_HANDLE_VALUE) return std::nullopt;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_EXISTS) return std::nullopt;  // not ours to try
  return ErrorOf(code);
}

}  // namespace dictionary
