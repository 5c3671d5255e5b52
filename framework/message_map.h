// Static message maps: per class, a table from message (or command ID) to a
// member handler. Each entry carries a thunk generated from the handler's own
// type, so a handler of the wrong signature fails to compile and no cast
// stands in the user's code.
#pragma once

#include <type_traits>

#include "framework/win32.h"

class CWnd;

namespace fw {

using Thunk = LRESULT (*)(CWnd& target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
  UINT message = 0;                  // WM_COMMAND for a command entry
  UINT id = 0;                       // the command ID of a command entry
  const UINT* registered = nullptr;  // a registered message, read when dispatching
  Thunk thunk = nullptr;             // nullptr ends the table
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;
};

template <class T>
struct MemberOf;
template <class C, class F>
struct MemberOf<F C::*> {
  using Class = C;
};
template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler, class Signature>
inline constexpr bool kHas = std::is_same_v<decltype(Handler), Signature ClassOf<Handler>::*>;

template <auto Handler>
ClassOf<Handler>& Target(CWnd& w) {
  return static_cast<ClassOf<Handler>&>(w);
}

// void Handler()
template <auto Handler>
LRESULT CommandThunk(CWnd& w, WPARAM, LPARAM) {
  static_assert(kHas<Handler, void()>, "a command handler is void()");
  (Target<Handler>(w).*Handler)();
  return 0;
}

// LRESULT Handler(WPARAM, LPARAM)
template <auto Handler>
LRESULT MessageThunk(CWnd& w, WPARAM wParam, LPARAM lParam) {
  static_assert(kHas<Handler, LRESULT(WPARAM, LPARAM)>, "a message handler is LRESULT(WPARAM, LPARAM)");
  return (Target<Handler>(w).*Handler)(wParam, lParam);
}

// void OnSysCommand(UINT nID, LPARAM lParam)
template <auto Handler>
LRESULT SysCommandThunk(CWnd& w, WPARAM wParam, LPARAM lParam) {
  static_assert(kHas<Handler, void(UINT, LPARAM)>, "OnSysCommand is void(UINT, LPARAM)");
  (Target<Handler>(w).*Handler)(static_cast<UINT>(wParam), lParam);
  return 0;
}

// HCURSOR OnQueryDragIcon()
template <auto Handler>
LRESULT QueryDragIconThunk(CWnd& w, WPARAM, LPARAM) {
  static_assert(kHas<Handler, HCURSOR()>, "OnQueryDragIcon is HCURSOR()");
  return reinterpret_cast<LRESULT>((Target<Handler>(w).*Handler)());
}

// void OnTimer(UINT_PTR nIDEvent)
template <auto Handler>
LRESULT TimerThunk(CWnd& w, WPARAM wParam, LPARAM) {
  static_assert(kHas<Handler, void(UINT_PTR)>, "OnTimer is void(UINT_PTR)");
  (Target<Handler>(w).*Handler)(static_cast<UINT_PTR>(wParam));
  return 0;
}

// void Handler(UINT nFlags, POINT point) for the mouse messages
template <auto Handler>
LRESULT MouseThunk(CWnd& w, WPARAM wParam, LPARAM lParam) {
  static_assert(kHas<Handler, void(UINT, POINT)>, "a mouse handler is void(UINT, POINT)");
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  (Target<Handler>(w).*Handler)(static_cast<UINT>(wParam), point);
  return 0;
}

template <auto Handler>
constexpr MessageMapEntry CommandEntry(UINT id) {
  return {WM_COMMAND, id, nullptr, &CommandThunk<Handler>};
}
template <auto Handler>
constexpr MessageMapEntry MessageEntry(UINT message) {
  return {message, 0, nullptr, &MessageThunk<Handler>};
}
template <auto Handler>
constexpr MessageMapEntry RegisteredMessageEntry(const UINT* message) {
  return {0, 0, message, &MessageThunk<Handler>};
}
template <auto Handler>
constexpr MessageMapEntry PlainEntry(UINT message) {  // void Handler()
  return {message, 0, nullptr, &CommandThunk<Handler>};
}
template <LRESULT (*Thunk)(CWnd&, WPARAM, LPARAM)>
constexpr MessageMapEntry CrackedEntry(UINT message) {
  return {message, 0, nullptr, Thunk};
}

}  // namespace fw

#define DECLARE_MESSAGE_MAP()                         \
 protected:                                           \
  static const ::fw::MessageMap* GetThisMessageMap(); \
  const ::fw::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)            \
  const ::fw::MessageMap* theClass::GetThisMessageMap() { \
    using ThisClass [[maybe_unused]] = theClass;          \
    using TheBaseClass = baseClass;                       \
    static const ::fw::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                        \
  ::fw::MessageMapEntry {}                                                       \
  }                                                                              \
  ;                                                                              \
  static const ::fw::MessageMap map{TheBaseClass::GetThisMessageMap(), entries}; \
  return &map;                                                                   \
  }

#define ON_COMMAND(id, handler) ::fw::CommandEntry<&ThisClass::handler>(id),
#define ON_MESSAGE(message, handler) ::fw::MessageEntry<&ThisClass::handler>(message),
#define ON_REGISTERED_MESSAGE(messageVariable, handler) \
  ::fw::RegisteredMessageEntry<&ThisClass::handler>(&messageVariable),
#define ON_WM_SYSCOMMAND() \
  ::fw::CrackedEntry<&::fw::SysCommandThunk<&ThisClass::OnSysCommand>>(WM_SYSCOMMAND),
#define ON_WM_PAINT() ::fw::PlainEntry<&ThisClass::OnPaint>(WM_PAINT),
#define ON_WM_DESTROY() ::fw::PlainEntry<&ThisClass::OnDestroy>(WM_DESTROY),
#define ON_WM_QUERYDRAGICON() \
  ::fw::CrackedEntry<&::fw::QueryDragIconThunk<&ThisClass::OnQueryDragIcon>>(WM_QUERYDRAGICON),
#define ON_WM_TIMER() ::fw::CrackedEntry<&::fw::TimerThunk<&ThisClass::OnTimer>>(WM_TIMER),
// The handler's name is given: the program names its double-click handler itself.
#define ON_WM_LBUTTONDBLCLK(handler) \
  ::fw::CrackedEntry<&::fw::MouseThunk<&ThisClass::handler>>(WM_LBUTTONDBLCLK),
