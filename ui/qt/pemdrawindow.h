// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "buttons.h"
#include "controls.h"

namespace pemdra::qt {

/// The one window, `pemdra`, built from the window description of form.h. Its load step
/// fills the π list; the conversion button and the keypad call their handlers
/// over the window's texts. No exception leaves a click: an error that a handler
/// does not trap is shown to the user, and the window goes on.
class PemdraWindow final : public QWidget {
 public:
  /// Shows an error that reached the window; by default a message box that does
  /// not block the event loop.
  using ErrorReporter = std::function<void(const QString& message)>;

  explicit PemdraWindow(QWidget* parent = nullptr);
  ~PemdraWindow() override;
  PemdraWindow(const PemdraWindow&) = delete;
  PemdraWindow& operator=(const PemdraWindow&) = delete;
  PemdraWindow(PemdraWindow&&) = delete;
  PemdraWindow& operator=(PemdraWindow&&) = delete;

  /// The window's texts, as the handlers see them.
  [[nodiscard]] Controls& controls() { return *m_controls; }
  void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }

  /// Runs a handler over the window's texts, tells a screen reader what it wrote into
  /// the result boxes and shows any error it raised.
  void dispatch(Handler* handler);

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  /// Centres the window, frame included, on its screen's available area.
  void centre();
  /// Tells a screen reader what a run wrote into the result boxes and shows any error.
  void present(const Outcome& outcome);
  void showError(const QString& message);

  std::unique_ptr<Controls> m_controls;
  ErrorReporter m_reportError;
  bool m_centredWithFrame = false;
};

}  // namespace pemdra::qt
