// SPDX-License-Identifier: MIT
// The window test's eyes inside Wine: finds pemdra's window and prints what a user
// would see of it, one "key=value" line each, in UTF-8:
//
//   windowprobe           origin=X,Y client=WxH focus=NAME, twice the centres of the
//                         window with its frame and of the work area, every control's text
//                         (NAME=text), its centre on the screen (centre.NAME=X,Y) and
//                         the π list's items (items=a|b|c)
//                         and the button with the default frame (default=NAME),
//                         the count of its visible child windows (visible=N),
//                         the text of a message box it shows (notice=text, or none)
//   windowprobe names     asks each control, and the π field's edit, for its name and
//                         role as a screen reader does: named=N of M, and a line
//                         name.NAME=name (role) for each that differs from the table
//   windowprobe heard     hooks, from its own process, the live region events pemdra
//                         raises, until its standard input ends: "hooked" once the hook
//                         is in, then for each event live=NAME, the name a screen
//                         reader gets from the object it names (lines joined by \n),
//                         then "(shown" where its window is visible and at least 1 x 1
//                         pixel, and ", polite)" where UI Automation gives its window
//                         the same name and a polite live setting (else what it gives);
//                         at the end events=N
//   windowprobe list      the centres of the open π list's items (item.N=X,Y)
//   windowprobe clip N    puts N digits 7 on the clipboard, for a paste
//   windowprobe clear     empties the result boxes
//   windowprobe facts     without looking at the window, what its table and the core say
//                         it shows: client=WxH, controls=N, boxes= and results= (the
//                         text boxes, and the result boxes in their order on screen),
//                         items=a|b|c, colour.form=#RRGGBB and colour.NAME=#RRGGBB (each
//                         control's own background)
//   windowprobe expect ANGLE PI
//                         the result lines the core writes for them, one a line, then
//                         told=what a screen reader hears (lines joined by \n)
//   windowprobe close     closes the window as its close box does
//
// It waits up to 30 s for the window; exit status 1 when none appears.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "buttons.h"
#include "form.h"
#include "formload.h"
#include "memory_controls.h"
#include "utf8.h"
#include "win32form.h"

namespace {

using pemdra::win32::narrow;
using pemdra::win32::widen;

void print(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::string point(POINT at) { return std::to_string(at.x) + "," + std::to_string(at.y); }

std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return text;
}

std::string nameOf(HWND window, HWND control) {
  for (const auto& row : pemdra::form::controls()) {
    const HWND child = GetDlgItem(window, pemdra::win32::controlId(row.name));
    if (child != nullptr && (child == control || IsChild(child, control) != FALSE)) {
      return std::string(row.name);
    }
  }
  return "none";
}

/// A shown message box's text into the std::string at `found`.
BOOL CALLBACK findNotice(HWND box, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(box, name, 16);
  if (IsWindowVisible(box) == FALSE || std::wstring(name) != L"#32770") return TRUE;
  *reinterpret_cast<std::string*>(found) = narrow(textOf(GetDlgItem(box, 0xFFFF)));
  return FALSE;
}

void describe(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  print("origin=" + point(origin));
  print("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
  // Twice the centres, so that odd sizes compare exactly.
  RECT frame{};
  GetWindowRect(window, &frame);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  print("frame.centre2=" + point({frame.left + frame.right, frame.top + frame.bottom}));
  print("work.centre2=" + point({work.left + work.right, work.top + work.bottom}));
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  print("focus=" + nameOf(window, thread.hwndFocus));
  std::string defaultButton = "none";
  for (const auto& row : pemdra::form::controls()) {
    const HWND child = GetDlgItem(window, pemdra::win32::controlId(row.name));
    if (row.kind == pemdra::form::ControlKind::CommandButton &&
        (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      defaultButton = std::string(row.name);
    }
  }
  print("default=" + defaultButton);
  int visible = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    visible += IsWindowVisible(child) != FALSE ? 1 : 0;
  }
  print("visible=" + std::to_string(visible));
  std::string notice = "none";
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), &findNotice,
                    reinterpret_cast<LPARAM>(&notice));
  print("notice=" + notice);
  for (const auto& row : pemdra::form::controls()) {
    const HWND child = GetDlgItem(window, pemdra::win32::controlId(row.name));
    if (child == nullptr) continue;
    const std::string name(row.name);
    const std::wstring text = textOf(child);
    print(name + "=" + narrow(text));
    print("length." + name + "=" + std::to_string(text.size()));
    RECT rect{};
    GetWindowRect(child, &rect);
    if (row.kind == pemdra::form::ControlKind::ComboBox) {
      // The arrow is the field's right end (GetComboBoxInfo does not cross processes).
      const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
      print("arrow." + name + "=" +
            point({rect.right - arrowWidth / 2 - 2, (rect.top + rect.bottom) / 2}));
      std::string items;
      const auto count = SendMessageW(child, CB_GETCOUNT, 0, 0);
      for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(child, CB_GETLBTEXTLEN, i, 0)) + 1,
                          L'\0');
        item.resize(static_cast<std::size_t>(
            SendMessageW(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        if (i > 0) items += '|';
        items += narrow(item);
      }
      print("items=" + items);
    }
    print("centre." + name + "=" +
          point({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}));
  }
}

LONG roleOf(pemdra::form::ControlKind kind) {
  switch (kind) {
    case pemdra::form::ControlKind::TextBox:
      return ROLE_SYSTEM_TEXT;
    case pemdra::form::ControlKind::CommandButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case pemdra::form::ControlKind::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    default:
      return ROLE_SYSTEM_STATICTEXT;
  }
}

/// The name and role a screen reader gets for `control`, as "name (role)".
std::string accessible(HWND control) {
  IAccessible* object = nullptr;
  const HRESULT found =
      AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&object));
  if (FAILED(found)) return "no object: " + std::to_string(static_cast<unsigned long>(found));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string text = object->get_accName(self, &name) == S_OK && name != nullptr
                         ? narrow(std::wstring(name, SysStringLen(name)))
                         : "no name";
  SysFreeString(name);
  VARIANT role{};
  object->get_accRole(self, &role);
  text += " (" + (role.vt == VT_I4 ? std::to_string(role.lVal) : std::string("no role")) + ")";
  object->Release();
  return text;
}

void describeNames(HWND window) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int named = 0;
  int asked = 0;
  for (const auto& row : pemdra::form::controls()) {
    const HWND child = GetDlgItem(window, pemdra::win32::controlId(row.name));
    if (child == nullptr) continue;
    const std::string expected =
        std::string(row.accessibleName) + " (" + std::to_string(roleOf(row.kind)) + ")";
    std::vector<std::pair<std::string, HWND>> parts{{std::string(row.name), child}};
    if (row.kind == pemdra::form::ControlKind::ComboBox) {
      parts.emplace_back(std::string(row.name) + ".edit", GetWindow(child, GW_CHILD));
    }
    for (const auto& [name, hwnd] : parts) {
      const std::string wanted =
          name.ends_with(".edit")
              ? std::string(row.accessibleName) + " (" + std::to_string(ROLE_SYSTEM_TEXT) + ")"
              : expected;
      const std::string got = accessible(hwnd);
      ++asked;
      if (got == wanted) {
        ++named;
      } else {
        print("name." + name + "=" + got);
      }
    }
  }
  print("named=" + std::to_string(named) + " of " + std::to_string(asked));
  CoUninitialize();
}

int heardEvents = 0;

/// What UI Automation says of `window`'s own provider, as "name, live setting N"; the
/// functions, which MinGW-w64 neither declares nor links, looked up.
std::string automationOf(HWND window) {
  using Node = void*;
  static const HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
  const auto lookUp = [](const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(library, name));
  };
  const auto fromHandle =
      reinterpret_cast<HRESULT(WINAPI*)(HWND, Node*)>(lookUp("UiaNodeFromHandle"));
  const auto property =
      reinterpret_cast<HRESULT(WINAPI*)(Node, int, VARIANT*)>(lookUp("UiaGetPropertyValue"));
  const auto release = reinterpret_cast<BOOL(WINAPI*)(Node)>(lookUp("UiaNodeRelease"));
  Node node = nullptr;
  if (fromHandle == nullptr || property == nullptr || release == nullptr ||
      FAILED(fromHandle(window, &node))) {
    return "no node";
  }
  VARIANT name{};
  VARIANT live{};
  property(node, 30005, &name);  // UIA_NamePropertyId
  property(node, 30135, &live);  // UIA_LiveSettingPropertyId
  std::string text = name.vt == VT_BSTR
                         ? narrow(std::wstring(name.bstrVal, SysStringLen(name.bstrVal)))
                         : "no name";
  text += ", live setting " + (live.vt == VT_I4 ? std::to_string(live.lVal) : std::string("none"));
  VariantClear(&name);
  release(node);
  return text;
}

void CALLBACK liveRegionChanged(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND hwnd, LONG object,
                                LONG child, DWORD /*thread*/, DWORD /*time*/) {
  ++heardEvents;
  IAccessible* accessible = nullptr;
  VARIANT id{};
  std::string name = "no object";
  if (SUCCEEDED(AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(object),
                                          static_cast<DWORD>(child), &accessible, &id))) {
    BSTR text = nullptr;
    name = accessible->get_accName(id, &text) == S_OK && text != nullptr
               ? narrow(std::wstring(text, SysStringLen(text)))
               : "no name";
    SysFreeString(text);
    accessible->Release();
  }
  // The same name from UI Automation, from the region's own provider, and its live setting.
  const std::string automation = automationOf(hwnd);
  const std::string asked = automation == name + ", live setting 1" ? "polite" : automation;
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const bool shown =
      IsWindowVisible(hwnd) != FALSE && rect.right - rect.left >= 1 && rect.bottom - rect.top >= 1;
  std::string line = "live=" + name + (shown ? " (shown, " : " (not shown, ") + asked + ")";
  for (std::size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at)) {
    line.replace(at, 1, "\\n");
  }
  print(line);
}

DWORD WINAPI quitAtEndOfInput(void* thread) {
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) != FALSE &&
         got > 0) {
  }
  PostThreadMessageW(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(thread)), WM_QUIT, 0, 0);
  return 0;
}

void hear(HWND window) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
  const HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr,
                                             &liveRegionChanged, process, 0, WINEVENT_OUTOFCONTEXT);
  MSG message{};
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue, before the thread posts
  print(hook != nullptr ? "hooked" : "no hook");
  CloseHandle(CreateThread(nullptr, 0, &quitAtEndOfInput,
                           reinterpret_cast<void*>(static_cast<UINT_PTR>(GetCurrentThreadId())), 0,
                           nullptr));
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  if (hook != nullptr) UnhookWinEvent(hook);
  print("events=" + std::to_string(heardEvents));
  CoUninitialize();
}

void describeList() {
  // The open list is a pop-up window of its own class.
  HWND list = nullptr;
  while ((list = FindWindowExW(nullptr, list, L"ComboLBox", nullptr)) != nullptr) {
    if (IsWindowVisible(list) != FALSE) break;
  }
  if (list == nullptr) {
    print("list=closed");
    return;
  }
  const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  RECT client{};
  GetClientRect(list, &client);
  for (int i = 0; i < count; ++i) {
    POINT centre{client.right / 2, height * i + height / 2};
    ClientToScreen(list, &centre);
    print("item." + std::to_string(i) + "=" + point(centre));
  }
}

}  // namespace

std::string hex(pemdra::form::Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
  return text;
}

std::string joined(const std::u16string& lines) {
  std::string out;
  for (const char c : pemdra::testing::utf8(lines))
    out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

void facts() {
  using namespace pemdra;
  print("client=" + std::to_string(form::kClientWidth) + "x" + std::to_string(form::kClientHeight));
  print("controls=" + std::to_string(form::kControlCount));
  std::string boxes;
  for (std::size_t i = 0; i < kTextBoxCount; ++i) {
    boxes += (i > 0 ? " " : "") + std::string(controlName(static_cast<TextBox>(i)));
  }
  print("boxes=" + boxes);
  std::string results;
  for (const TextBox box : kResultBoxes) {
    results += (results.empty() ? "" : " ") + std::string(controlName(box));
  }
  print("results=" + results);
  std::string items;
  for (const std::u16string_view item : kPiChoices) {
    items += (items.empty() ? "" : "|") + testing::utf8(item);
  }
  print("items=" + items);
  print("colour.form=" + hex(form::kFormColour));
  for (const form::Control& control : form::controls()) {
    if (control.background)
      print("colour." + std::string(control.name) + "=" + hex(*control.background));
  }
}

void expect(const std::wstring& angle, const std::wstring& pi) {
  const auto answer = pemdra::testing::coreAnswer(std::u16string(angle.begin(), angle.end()),
                                                  std::u16string(pi.begin(), pi.end()));
  for (const std::u16string& line : answer.results()) print(pemdra::testing::utf8(line));
  print("told=" + joined(answer.announcement));
}

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"facts") {
    facts();
    return 0;
  }
  if (command == L"expect" && argc > 3) {
    expect(argv[2], argv[3]);
    return 0;
  }
  const std::wstring title = widen(pemdra::form::kTitle);
  HWND window = nullptr;
  for (int tries = 0; tries < 300; ++tries) {
    window = FindWindowW(pemdra::win32::kWindowClass, title.c_str());
    if (window != nullptr && IsWindowVisible(window) != FALSE) break;
    window = nullptr;
    Sleep(100);
  }
  if (window == nullptr) {
    print("no window");
    return 1;
  }
  if (command == L"clip" && argc > 2) {
    const std::wstring digits(static_cast<std::size_t>(_wtoi(argv[2])), L'7');
    const std::size_t bytes = (digits.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr || OpenClipboard(nullptr) == FALSE) return 1;
    std::memcpy(GlobalLock(memory), digits.c_str(), bytes);
    GlobalUnlock(memory);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return 0;
  }
  if (command == L"names") {
    describeNames(window);
  } else if (command == L"heard") {
    hear(window);
  } else if (command == L"list") {
    describeList();
  } else if (command == L"clear") {
    for (const pemdra::TextBox box : pemdra::kResultBoxes) {
      SendMessageTimeoutW(GetDlgItem(window, pemdra::win32::controlId(pemdra::controlName(box))),
                          WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 5000,
                          nullptr);
    }
  } else if (command == L"close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else {
    describe(window);
  }
  return 0;
}
