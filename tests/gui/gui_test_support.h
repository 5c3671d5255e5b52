// Helpers for tests that drive the real windows in-process under Wine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"

namespace gui_test {

// Runs `dialog` modally and calls `body` once its modal loop runs. The dialog
// is ended with IDCANCEL after `body` unless `body` ended it. Returns DoModal's result.
INT_PTR RunModal(CDialog& dialog, const std::function<void()>& body);

// Handles messages as the program's loops do, for `ms` milliseconds.
void PumpFor(int ms);
// Handles messages until `done` is true or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Posts a key press and release to `target`; the modal loop routes it like a typed key.
void PostKey(HWND target, UINT virtualKey);

// The text of a window as the program sees it (ANSI, code page 932).
std::string WindowText(HWND hWnd);
// `utf8` in code page 932, as the program's strings are.
std::string Cp932(const char* utf8);
std::string ClassName(HWND hWnd);

// The child windows of `parent` in creation (template) order.
std::vector<HWND> Children(HWND parent);

// A fresh working directory for one test, removed afterwards; the program's
// files (RAdoro.txt and its companions) are relative to it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;  // empty when missing
  bool Exists(const std::string& name) const;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  std::string m_previous;
};

}  // namespace gui_test
