// Files dropped onto lexmoor-import.exe in Explorer: one is imported into
// the RAdoro.txt beside the program, the outcome told in one message box.
#pragma once

#include <string>
#include <vector>

namespace import {

// The message box's title, named once for those who look for the box.
inline constexpr char kDropBoxTitle[] = "Lexmoor 辞書の取り込み";

// Whether the program has a console of its own, as Explorer starts it (for a
// drop or a double-click), rather than one shared with the shell that ran it.
bool HasOwnConsole();

// The folder of the program's own file, with its separator at the end.
std::string ProgramFolder();

// Imports the one file dropped; several, or none (the program double-clicked),
// get a box that says how it is used. Returns the exit status: 0 when a file
// was imported, 1 when it was not, 2 for the wrong number of files.
int RunDroppedFiles(const std::vector<std::string>& files);

}  // namespace import
