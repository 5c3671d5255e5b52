// Ctrl+NonConvert. Registered with the system where it lets us: the thread
// that receives WM_HOTKEY may take the foreground, so the pop-up gets the
// keyboard. Polled at every tick as well: the poll repeats the lookup while
// the keys are held, and it is all there is where another program holds the
// combination.
#pragma once

#include "app/desktop.h"

class HotKey {
 public:
  explicit HotKey(Desktop& desktop) : m_desktop(desktop) {}
  ~HotKey() { Unregister(); }
  HotKey(const HotKey&) = delete;
  HotKey& operator=(const HotKey&) = delete;

  // Registers Ctrl with VK_NONCONVERT, and with the key the layout gives the
  // NonConvert key's scan code when that is another; a refused one is left
  // to the poll. The combinations reach `window` as WM_HOTKEY.
  void Register(HWND window);
  void Unregister();

  enum class Action {
    kNone,
    kLookup,       // a new press: look the clipboard up
    kRepeat,       // the same press, still held: look up again
    kBringToFront  // a press the poll has already looked up: only the foreground is new
  };
  // At a WM_HOTKEY of ours.
  Action Pressed();
  // At a timer tick: reads the keys' state.
  Action Tick();

 private:
  bool KeysDown() const;

  static constexpr int kIds = 2;
  Desktop& m_desktop;
  HWND m_window = nullptr;
  bool m_registered[kIds] = {};
  UINT m_layoutKey = 0;           // the layout's NonConvert key where it is not VK_NONCONVERT
  bool m_downAtLastTick = false;  // the keys were held at the last tick
  bool m_pressHandled = false;    // a WM_HOTKEY of this press was acted on
};
