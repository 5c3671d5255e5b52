#include "app/hot_key.h"

namespace {
constexpr UINT kModifierKey = VK_CONTROL;
constexpr UINT kModifier = MOD_CONTROL;
constexpr UINT kNonConvertScanCode = 0x7B;
// Only the combination's own ids: the range below 0xC000 is the application's.
constexpr int kFirstId = 1;

bool IsKeyDown(UINT virtualKey) { return ::GetAsyncKeyState(static_cast<int>(virtualKey)) < 0; }
}  // namespace

void HotKey::Register(HWND window) {
  Unregister();
  m_window = window;
  const UINT layoutKey = m_desktop.VirtualKeyOfScanCode(kNonConvertScanCode);
  m_layoutKey = layoutKey != VK_NONCONVERT ? layoutKey : 0;
  const UINT keys[kIds] = {VK_NONCONVERT, m_layoutKey};
  for (int i = 0; i < kIds; ++i) {
    // Held down, Windows repeats nothing: the poll does the repeating.
    m_registered[i] =
        keys[i] != 0 && m_desktop.RegisterHotKey(window, kFirstId + i, kModifier | MOD_NOREPEAT, keys[i]);
  }
}

void HotKey::Unregister() {
  for (int i = 0; i < kIds; ++i) {
    if (m_registered[i]) m_desktop.UnregisterHotKey(m_window, kFirstId + i);
    m_registered[i] = false;
  }
}

bool HotKey::KeysDown() const {
  return IsKeyDown(kModifierKey) && (IsKeyDown(VK_NONCONVERT) || (m_layoutKey && IsKeyDown(m_layoutKey)));
}

HotKey::Action HotKey::Pressed() {
  // Wine repeats WM_HOTKEY while the keys are held, MOD_NOREPEAT or not.
  if (m_pressHandled) return Action::kNone;
  m_pressHandled = true;
  return m_downAtLastTick ? Action::kBringToFront : Action::kLookup;
}

HotKey::Action HotKey::Tick() {
  const bool down = KeysDown();
  const bool sameHold = down && m_downAtLastTick;
  const bool handled = m_pressHandled;
  m_downAtLastTick = down;
  m_pressHandled = down && handled;
  if (!down) return Action::kNone;
  if (sameHold) return Action::kRepeat;
  // The first tick of a press that WM_HOTKEY has looked up already gives no second lookup.
  return handled ? Action::kNone : Action::kLookup;
}
