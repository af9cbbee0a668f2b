// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls.h"
#include "form.h"

namespace pemdra::win32 {

/// The one window, `pemdra`, built from the window description of form.h with the
/// Windows API's own controls. Its load step fills the π list; the conversion
/// button and the keypad call their handlers over the window's texts. No C++
/// exception leaves the window procedure: an error that a handler does not trap is
/// shown in a message box titled "Σφάλμα εκτέλεσης", and the window goes on.
class PemdraWindow final {
 public:
  /// Shows an error that reached the window; by default a message box.
  using ErrorReporter = std::function<void(const std::wstring& message)>;

  static constexpr std::size_t kControlCount = form::kControlCount;

  /// Creates the window, hidden; hwnd() is null when that failed.
  explicit PemdraWindow(HINSTANCE instance);
  ~PemdraWindow();
  PemdraWindow(const PemdraWindow&) = delete;
  PemdraWindow& operator=(const PemdraWindow&) = delete;
  PemdraWindow(PemdraWindow&&) = delete;
  PemdraWindow& operator=(PemdraWindow&&) = delete;

  [[nodiscard]] HWND hwnd() const { return m_hwnd; }
  /// Centres the window on the work area, frame included, and shows it.
  void show(int showCommand);
  /// The keyboard of a dialog: Tab and Shift+Tab through the tab order, Enter and
  /// Space click a focused button, Enter elsewhere does nothing. True when the
  /// message was handled and must not be dispatched.
  bool preTranslate(MSG& message);

  /// The window's texts, as the handlers see them.
  [[nodiscard]] Controls& controls() { return *m_controls; }
  void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }
  /// Runs a handler over the window's texts and shows any error it raises.
  void dispatch(void (*handler)(Controls&));

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  /// Every control's own: its name and role for screen readers, a text box's focus frame.
  static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void subclass(HWND control, std::size_t row);
  void dropDefaultFrame();
  void createControls();
  void layOut();
  void fitClientArea();
  void paint();
  HBRUSH colourControl(HDC dc, HWND child, bool list);
  HBRUSH brush(form::Rgb colour);
  void comboNotified(HWND combo, WORD notification);
  void showError(const std::wstring& message);

  HINSTANCE m_instance;
  HWND m_hwnd = nullptr;
  UINT m_dpi = 96;
  std::array<HWND, kControlCount> m_children{};
  std::array<void (*)(Controls&), kControlCount> m_handlers{};
  std::unique_ptr<Controls> m_controls;
  ErrorReporter m_reportError;
  std::vector<std::pair<std::pair<double, bool>, HFONT>> m_fonts;  ///< by points and weight
  std::vector<std::pair<COLORREF, HBRUSH>> m_brushes;
  /// The controls whose messages pass through controlProc first: which row of the
  /// table each shows, and the control's own procedure. Kept here rather than in window
  /// properties, which Wine reads from its server at every message.
  struct Subclassed {
    HWND control;
    std::size_t row;
    WNDPROC own;
  };
  std::vector<Subclassed> m_subclassed;
  HWND m_focus = nullptr;  ///< the control to give the focus back to on activation
  /// What was typed into the π field while its list was open, kept through the list's
  /// closing: Windows would otherwise put the first item that starts so in its place.
  std::wstring m_typed;
  bool m_typedInList = false;
};

}  // namespace pemdra::win32
