// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "buttonctrl.h"
#include "buttons.h"
#include "colours.h"
#include "controls.h"
#include "form.h"
#include "gdicache.h"
#include "pidropdown.h"
#include "resultsregion.h"

namespace pemdra::win32 {

/// The one window, `pemdra`, built from the window description of form.h out of the
/// parts of wnd.h, a part a control. Its load step fills the π list; the conversion
/// button and the keypad run their handlers from the core's table over the window's
/// texts, and what a click wrote is announced to screen readers (resultsregion.h). No C++ exception
/// leaves the window procedure: an error that a handler does not trap is shown in a message box
/// titled "Σφάλμα εκτέλεσης", and the window goes on.
class PemdraWindow final {
 public:
  /// Shows an error that reached the window; by default a message box.
  using ErrorReporter = std::function<void(const std::wstring& message)>;

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
  /// Where the window reads the system's high-contrast setting and colours, at its
  /// start and at each change Windows tells it of; by default systemColourScheme().
  void setColourSource(std::function<ColourScheme()> source);
  /// Runs a handler over the window's texts and shows any error it raises.
  void dispatch(Handler* handler);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void build();
  template <typename Part>
  Part& add(const form::Control& row);
  [[nodiscard]] HWND child(std::string_view name) const;
  void dropDefaultFrames() const;
  /// Tells a screen reader what a run wrote into the result boxes and shows any error.
  void present(const Outcome& outcome);
  void makeResultsRegion();
  void changeDpi(UINT dpi, const RECT& suggested);
  void followColours();
  void refusePaste(std::size_t length, std::size_t room) const;
  void paint();
  void showError(const std::wstring& message);

  HINSTANCE m_instance;
  HWND m_hwnd = nullptr;
  UINT m_dpi = form::kBaseDpi;
  FontCache m_fonts;
  BrushCache m_brushes;
  std::function<ColourScheme()> m_colourSource = systemColourScheme;
  ColourScheme m_colours = m_colourSource();
  Parts m_parts;  ///< a part a control, the line aside
  std::vector<const ButtonCtrl*> m_buttons;
  PiDropDown* m_pi = nullptr;
  ResultsRegion m_results;  ///< what a click wrote, for screen readers
  std::unique_ptr<Controls> m_controls;
  ErrorReporter m_reportError;
  HWND m_focus = nullptr;  ///< the control to give the focus back to on activation
};

}  // namespace pemdra::win32
