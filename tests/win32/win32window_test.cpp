// SPDX-License-Identifier: MIT
// The Windows window in-process, under Wine: the controls it builds from the window
// description, its keyboard, its bindings and how it reports an error.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "colours.h"
#include "conversion.h"
#include "error.h"
#include "form.h"
#include "formload.h"
#include "memory_controls.h"
#include "pemdrawindow.h"
#include "win32form.h"

namespace {

using pemdra::form::ControlKind;
using pemdra::win32::controlId;
using pemdra::win32::widen;

/// Xvfb has no window manager, so Wine waits 2 s at each window's end for one to
/// withdraw it: under Wine this test's windows are left unmanaged, as Wine allows a program.
[[maybe_unused]] const bool kUnmanaged = [] {
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) return false;
  return RegSetKeyValueW(HKEY_CURRENT_USER,
                         L"Software\\Wine\\AppDefaults\\win32window_test.exe\\X11 Driver",
                         L"Managed", REG_SZ, L"N", 2 * sizeof(wchar_t)) == ERROR_SUCCESS;
}();

/// The result lines the core writes for 45 with the second π, as the window shows them.
std::vector<std::wstring> linesFor45() {
  const auto answer = pemdra::testing::coreAnswer(u"45", pemdra::kPiChoices.at(1));
  std::vector<std::wstring> lines;
  for (const std::u16string& line : answer.results()) lines.emplace_back(line.begin(), line.end());
  return lines;
}

std::wstring textOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  HWND child(std::string_view name) { return GetDlgItem(window.hwnd(), controlId(name)); }
  std::wstring text(std::string_view name) { return textOf(child(name)); }
  void click(std::string_view button) {
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(controlId(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(child(button)));
  }
  /// Enter pressed with `focused` focused: whether the window took it.
  bool enter(std::string_view focused) {
    HWND target = child(focused);
    SetFocus(target);
    if (classOf(target) == L"ComboBox") target = GetWindow(target, GW_CHILD);
    MSG message{target, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    return window.preTranslate(message);
  }
  std::vector<std::wstring> results() {
    std::vector<std::wstring> lines;
    for (const pemdra::TextBox box : pemdra::kResultBoxes) lines.push_back(text(controlName(box)));
    return lines;
  }

  pemdra::win32::PemdraWindow window{GetModuleHandleW(nullptr)};
  std::vector<std::wstring> errors;
  void SetUp() override {
    ASSERT_NE(window.hwnd(), nullptr);
    window.setErrorReporter([this](const std::wstring& message) { errors.push_back(message); });
    window.show(SW_SHOWNORMAL);
  }
};

TEST_F(Win32WindowTest, BuildsTheFixedSizeFormAndEveryControlInItsPlace) {
  EXPECT_EQ(textOf(window.hwnd()), widen(pemdra::form::kTitle));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.hwnd(), GWL_STYLE));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0U);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0U);
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, pemdra::form::kClientWidth);
  EXPECT_EQ(client.bottom, pemdra::form::kClientHeight);

  for (const auto& control : pemdra::form::controls()) {
    SCOPED_TRACE(std::string(control.name));
    const HWND hwnd = child(control.name);
    if (control.kind == ControlKind::Line) {
      EXPECT_EQ(hwnd, nullptr);  // painted by the form
      continue;
    }
    ASSERT_NE(hwnd, nullptr);
    const wchar_t* expected = control.kind == ControlKind::TextBox         ? L"Edit"
                              : control.kind == ControlKind::CommandButton ? L"Button"
                              : control.kind == ControlKind::ComboBox      ? L"ComboBox"
                                                                           : L"Static";
    EXPECT_EQ(classOf(hwnd), expected);
    if (control.kind != ControlKind::TextBox && control.kind != ControlKind::ComboBox) {
      EXPECT_EQ(textOf(hwnd), widen(control.caption));
    }
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    const auto pixels = control.pixels();
    EXPECT_EQ(rect.left, pixels.left);
    EXPECT_EQ(rect.top, pixels.top);
    EXPECT_EQ(rect.right - rect.left, pixels.width);
    if (control.kind != ControlKind::ComboBox) {
      EXPECT_EQ(rect.bottom - rect.top, pixels.height);
    }
  }
}

TEST_F(Win32WindowTest, ScalesTwipsWithTheDpi) {
  const auto& line = *pemdra::form::find("Line1");
  const RECT at96 = pemdra::win32::controlRect(line, 96);
  EXPECT_EQ(at96.left, 8);
  EXPECT_EQ(at96.right, 8 + 304 + 1);  // both ends drawn
  EXPECT_EQ(at96.bottom - at96.top, 5);
  EXPECT_EQ((at96.top + at96.bottom) / 2, 176);
  const RECT at192 = pemdra::win32::controlRect(line, 192);
  EXPECT_EQ(at192.bottom - at192.top, 10);
  const auto& text5 = *pemdra::form::find("Text5");
  const RECT at144 = pemdra::win32::controlRect(text5, 144);
  EXPECT_EQ(at144.left, 60);         // 600 twips
  EXPECT_EQ(at144.right, 60 + 638);  // 6375 twips, 1440 to the inch, rounded
  EXPECT_EQ(pemdra::win32::scaled(pemdra::form::kClientWidthTwips, 120), 588);
}

TEST_F(Win32WindowTest, FollowsItsMonitorsDpi) {
  // What Windows sends when the window moves to a monitor at 100 %, 125 %, 200 %, 150 %:
  // every caption whole in its room, the π field at the table's height.
  RECT suggested{10, 20, 700, 600};
  for (const UINT dpi : {96U, 120U, 192U, 144U}) {
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    for (const auto& control : pemdra::form::controls()) {
      const HWND hwnd = child(control.name);
      SCOPED_TRACE(std::string(control.name) + " at " + std::to_string(dpi) + " dpi");
      if (control.kind == ControlKind::ComboBox) {
        RECT field{};
        GetWindowRect(hwnd, &field);
        EXPECT_EQ(field.bottom - field.top, pemdra::win32::scaled(control.height, dpi));
      }
      if (control.caption.empty()) continue;
      const std::wstring caption = widen(control.caption);
      const HDC dc = GetDC(hwnd);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
      SIZE extent{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      ReleaseDC(hwnd, dc);
      const SIZE room = pemdra::win32::captionRoom(control, dpi);
      EXPECT_LE(extent.cx, room.cx);
      EXPECT_LE(extent.cy, room.cy);
    }
  }
  RECT rect{};
  GetWindowRect(child("Text5"), &rect);
  MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 432);
  EXPECT_EQ(rect.right - rect.left, 638);
  GetWindowRect(window.hwnd(), &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 705);
  EXPECT_EQ(client.bottom, 549);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child("CY"), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_EQ(font.lfHeight, -17);  // 8.25 pt at 144 dpi
}

TEST_F(Win32WindowTest, Label2TakesTheSystemsTextColourOnlyWhereItReadsOnThePink) {
  const COLORREF system = GetSysColor(COLOR_BTNTEXT);
  const struct {
    COLORREF scheme, shown;
  } rows[] = {{RGB(238, 238, 238), RGB(0, 0, 0)},  // a dark scheme's light grey: 2:1
              {RGB(255, 255, 0), RGB(0, 0, 0)},    // high contrast's yellow
              {RGB(20, 20, 80), RGB(20, 20, 80)},  // a dark blue reads: 6.9:1
              {RGB(0, 0, 0), RGB(0, 0, 0)}};
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const auto& row : rows) {
    const int element = COLOR_BTNTEXT;
    SetSysColors(1, &element, &row.scheme);
    SendMessageW(window.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(child("Label2")));
    EXPECT_EQ(GetTextColor(dc), row.shown) << std::hex << row.scheme;
  }
  const int element = COLOR_BTNTEXT;
  SetSysColors(1, &element, &system);
  DeleteDC(dc);
}

TEST_F(Win32WindowTest, TakesOnlyTheSystemsColoursUnderHighContrastAndFollowsTheSetting) {
  using pemdra::form::Rgb;
  using pemdra::win32::ColourScheme;
  constexpr Rgb black{0, 0, 0}, white{255, 255, 255}, grey{128, 128, 128}, cyan{26, 235, 255};
  // A black high-contrast scheme's window, window text, button text and highlight.
  const ColourScheme on{true, {black, white, white, cyan}}, off{false, on.system};
  const struct {
    const char* name;
    const ColourScheme& scheme;
    Rgb text;
    std::optional<Rgb> background;
  } rows[] = {{"Text1", off, white, black},
              {"Text1", on, white, black},
              {"Combo1", off, white, grey},
              {"Combo1", on, white, black},
              {"Label1", off, black, pemdra::form::kFormColour},
              {"Label2", off, black, pemdra::form::kFormColour},  // white would not read
              {"Label2", on, white, black},
              {"CY", off, white, std::nullopt},
              {"CY", on, white, std::nullopt}};
  for (const auto& row : rows) {
    const auto colours = row.scheme.control(*pemdra::form::find(row.name));
    EXPECT_EQ(colours.text, row.text) << row.name << " " << row.scheme.highContrast;
    EXPECT_EQ(colours.background, row.background) << row.name << " " << row.scheme.highContrast;
  }
  const auto& line = *pemdra::form::find("Line1");
  EXPECT_EQ(off.form(), pemdra::form::kFormColour);
  EXPECT_EQ(on.form(), black);
  EXPECT_EQ(off.line(line), grey);
  EXPECT_EQ(on.line(line), white);
  EXPECT_EQ(on.focusFrame(*pemdra::form::find("Text1")), cyan);

  // Followed as Windows says it changed: the form's pixels and a box's answer.
  const auto shown = [this](int x, int y) {
    RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    POINT at{x, y};
    ClientToScreen(window.hwnd(), &at);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
  };
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const ColourScheme& scheme : {on, off}) {
    window.setColourSource([&scheme] { return scheme; });
    SendMessageW(window.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    SendMessageW(window.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(child("Combo1")));
    const Rgb field = scheme.highContrast ? black : grey;
    EXPECT_EQ(GetBkColor(dc), RGB(field.red, field.green, field.blue)) << scheme.highContrast;
    const Rgb form = scheme.form();
    EXPECT_EQ(shown(4, 200), RGB(form.red, form.green, form.blue)) << scheme.highContrast;
    const Rgb rule = scheme.line(line);
    EXPECT_EQ(shown(160, 176), RGB(rule.red, rule.green, rule.blue)) << scheme.highContrast;
  }
  DeleteDC(dc);
}

TEST_F(Win32WindowTest, StartsEmptyWithThePiChoicesAndTheFocusInText1) {
  for (const auto& control : pemdra::form::controls()) {
    if (control.caption.empty()) {
      EXPECT_EQ(text(control.name), L"") << control.name;
    }
  }
  const HWND combo = child(pemdra::kPiBox);
  ASSERT_EQ(static_cast<std::size_t>(SendMessageW(combo, CB_GETCOUNT, 0, 0)),
            pemdra::kPiChoices.size());
  for (std::size_t i = 0; i < pemdra::kPiChoices.size(); ++i) {
    wchar_t item[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::u16string(item, item + wcslen(item)), pemdra::kPiChoices.at(i));
  }
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(GetFocus(), child("Text1"));
}

TEST_F(Win32WindowTest, BoxesTakeTheEditControlsDefaultLength) {
  // 32 767 characters from the keyboard or the program; the window's own writes are whole.
  const std::wstring longText(40000, L'7');
  const HWND comboEdit = GetWindow(child("Combo1"), GW_CHILD);
  for (const HWND box : {child("Text1"), child("Text5"), comboEdit}) {
    EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 32767);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(box), 32767);
  }
  window.controls().setText(pemdra::TextBox::Text2, std::u16string(40000, u'7'));
  EXPECT_EQ(window.controls().text(pemdra::TextBox::Text2).size(), longText.size());
}

TEST_F(Win32WindowTest, TabFollowsTheTableAndLabelsLieBeneathEveryControl) {
  const auto& expected = pemdra::form::tabOrder();
  HWND at = child(expected.front()->name);
  for (std::size_t i = 1; i <= expected.size(); ++i) {
    at = GetNextDlgTabItem(window.hwnd(), at, FALSE);
    EXPECT_EQ(at, child(expected[i % expected.size()]->name)) << "step " << i;
  }
  // Beneath: after every control in the order siblings are drawn over one another.
  bool labelsBegun = false;
  for (HWND hwnd = GetWindow(window.hwnd(), GW_CHILD); hwnd != nullptr;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    const bool label = classOf(hwnd) == L"Static";
    EXPECT_TRUE(label || !labelsBegun) << "a control lies beneath a label";
    labelsBegun = labelsBegun || label;
  }
}

TEST_F(Win32WindowTest, KeypadAndConversionButtonsCallTheirHandlers) {
  click("C4");
  click("C5");
  click("Ca");
  click("C0");
  EXPECT_EQ(text("Text1"), L"45,0");
  click("CAC");
  click("CAC");
  EXPECT_EQ(text("Text1"), L"45");
  SetWindowTextW(child("Combo1"), L"3,14159");
  click("CY");
  EXPECT_EQ(results(), linesFor45());
  click("Cb");
  EXPECT_EQ(text("Text1"), L"");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Win32WindowTest, EnterClicksAFocusedButtonAndDoesNothingElsewhere) {
  SetWindowTextW(child("Text1"), L"45");
  SetWindowTextW(child("Combo1"), L"3,14159");
  const std::vector<std::wstring> empty(pemdra::kResultBoxes.size());
  EXPECT_TRUE(enter("Text1"));
  EXPECT_EQ(results(), empty);
  EXPECT_TRUE(enter("Combo1"));
  EXPECT_EQ(results(), empty);
  EXPECT_EQ(text("Text1"), L"45");
  EXPECT_TRUE(enter("C7"));
  EXPECT_EQ(text("Text1"), L"457");
  click("CAC");
  EXPECT_TRUE(enter("CY"));
  EXPECT_EQ(results(), linesFor45());
}

TEST_F(Win32WindowTest, ShowsAnUntrappedErrorAndGoesOn) {
  SetWindowTextW(child("Text1"), L"45");
  SetWindowTextW(child("Combo1"), L"3,14159");
  DestroyWindow(child("Text2"));
  click("CY");
  ASSERT_EQ(errors.size(), 1U);
  EXPECT_EQ(errors[0], L"Text2: writing the text failed (440)");
  click("C1");
  EXPECT_EQ(text("Text1"), L"451");
  EXPECT_EQ(errors.size(), 1U);
}

}  // namespace
