// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "wnd.h"

namespace pemdra::win32 {

class ResultsProvider;

/// What a click wrote, for screen readers, with the focus left where it is: a static
/// of the window's own, shown (screen readers pass over what is hidden) but 1 × 1 pixel
/// in the form's colour (it has no window text to draw), disabled (it takes no click)
/// and outside the tab order.
/// It answers UI Automation with a provider of its own (named with the lines, a polite
/// live region) and Active Accessibility with its standard object under the same name.
/// Each announcement is raised once: UiaRaiseNotificationEvent on that provider where
/// uiautomationcore exports it (Windows 10, 1709 on), otherwise
/// EVENT_OBJECT_LIVEREGIONCHANGED (Windows 8 on; on Windows 7 no one listens, and the
/// names remain). The libraries load at the first announcement or question.
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
  ResultsProvider* provider();
  [[nodiscard]] bool notify();
  void release();

  std::wstring m_lines;
  ResultsProvider* m_provider = nullptr;  ///< made when first needed
};

}  // namespace pemdra::win32
