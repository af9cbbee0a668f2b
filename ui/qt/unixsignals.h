// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace pemdra::qt {

/// SIGTERM and SIGINT close the window as its close button does, so the program ends
/// through its ordinary exit, with status 0.
void quitOnSignals(QApplication& app);

}  // namespace pemdra::qt
