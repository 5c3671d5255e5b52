// The file system of the platform the program is built for.
#pragma once

#ifdef _WIN32
#include "dictionary/windows_file_system.h"
namespace dictionary {
using NativeFileSystem = WindowsFileSystem;
}
#else
#include "dictionary/posix_file_system.h"
namespace dictionary {
using NativeFileSystem = PosixFileSystem;
}
#endif
