// Where the program reads its dictionary. The dictionary is .\RAdoro.txt, but
// a program started from a shortcut without "Start in", the Startup folder,
// the Run key or Task Scheduler runs in another folder (often System32).
#pragma once

#include <string>

// At start: when the working directory holds no dictionary, the program's own
// folder becomes the working directory, so a dictionary beside the program is
// found, now or once the user puts one there. Returns what to tell the user
// when neither folder holds one (in Japanese, naming the paths looked at);
// empty otherwise.
std::wstring SettleDictionaryFolder();
