// SPDX-License-Identifier: MIT
#pragma once

namespace pemdra::qt {

/// Starts pemdra: opens the window and runs until it is closed. Where no display
/// can be opened it prints one line naming the cause and the fix and returns 1.
int run(int argc, char** argv);

}  // namespace pemdra::qt
