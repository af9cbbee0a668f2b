// SPDX-License-Identifier: MIT
#pragma once

// Where the window cannot open: one line on standard error naming the cause (no
// display set, Qt's Wayland plug-in missing, a compositor or X server that refuses)
// and its fix, and exit status 1, instead of Qt's warnings and abort.

namespace pemdra::qt {

/// On a Unix desktop with neither DISPLAY, WAYLAND_DISPLAY nor QT_QPA_PLATFORM set:
/// prints the line and answers true.
bool reportMissingDisplay();

/// Until releasePlatformMessages(): Qt's platform warnings (qt.qpa.*) are held back,
/// and a fatal message becomes the line and the exit. With QT_DEBUG_PLUGINS set, the
/// warnings go through at once.
void holdPlatformMessages();
/// The application exists: the held warnings are written after all, and Qt's own
/// handler takes every message again.
void releasePlatformMessages();

}  // namespace pemdra::qt
