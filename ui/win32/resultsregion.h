// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "wnd.h"

struct IAccPropServices;

namespace pemdra::win32 {

/// What a click wrote, for screen readers, with the focus left where it is: a static
/// text of the window's own that is never shown (the window keeps its 24 visible
/// controls and its tab order), named with the lines and marked as a polite live region
/// (UI Automation's LiveSetting, through IAccPropServices::SetHwndProp where Windows
/// has it). Each announcement raises EVENT_OBJECT_LIVEREGIONCHANGED on it and, where
/// UiaRaiseNotificationEvent is exported (Windows 10, 1709 on), a notification with the
/// same text on the window. The libraries load at the first announcement; a piece a
/// system lacks (Windows 7, an answer E_NOTIMPL) is left out and the rest goes on.
struct ResultsRegion final : Wnd {
  ResultsRegion() = default;
  ~ResultsRegion() override;
  ResultsRegion(const ResultsRegion&) = delete;
  ResultsRegion& operator=(const ResultsRegion&) = delete;
  ResultsRegion(ResultsRegion&&) = delete;
  ResultsRegion& operator=(ResultsRegion&&) = delete;

  bool create(const CreateArgs& args);
  /// Says `lines`; nothing when they are empty (a click that wrote nothing).
  void announce(std::u16string_view lines);

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LONG accessibleRole(HWND window) const override;
  void markPolite();
  void notify() const;
  void release();

  std::wstring m_lines;
  bool m_marked = false;
  IAccPropServices* m_properties = nullptr;  ///< kept to clear the mark with
};

}  // namespace pemdra::win32
