// A file dropped onto lexmoor-import.exe in Explorer: imported into the
// RAdoro.txt beside the program, the outcome told in one message box.
#pragma once

#include <string>

namespace import {

// The message box's title, named once for those who look for the box.
inline constexpr char kDropBoxTitle[] = "Lexmoor 辞書の取り込み";

// Returns the exit status: 0 when the file was imported, 1 otherwise.
int RunDroppedFile(const std::string& file);

}  // namespace import
