// The text a lookup takes from the clipboard.
#pragma once

#include <optional>
#include <string>

// The clipboard's text in the dictionary's code page, whole; empty when text
// is announced but none delivered; nullopt when the clipboard holds no text
// or stays held by another program.
std::optional<std::string> ReadClipboardText();
