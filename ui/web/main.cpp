// SPDX-License-Identifier: MIT
// What the page calls: the load step once, then a button's handler at each click.
// The page carries texts between its elements and the core, nothing more.
#include <emscripten/emscripten.h>

#include <exception>
#include <string>
#include <string_view>

#include "conversion.h"
#include "error.h"
#include "formload.h"
#include "keypad.h"
#include "webcontrols.h"

namespace {

pemdra::web::WebControls& page() {
  static pemdra::web::WebControls controls;
  return controls;
}

// The message of the last handler that failed; the page shows it.
std::string& failure() {
  static std::string message;
  return message;
}

const char* dispatch(void (*handler)(pemdra::Controls&)) {
  try {
    handler(page());
    return nullptr;
  } catch (...) {
    failure() = pemdra::errorReport(std::current_exception());
  }
  return failure().c_str();
}

}  // namespace

extern "C" {

/// Fills the π list. Answers nothing, or the message of the error that stopped it.
EMSCRIPTEN_KEEPALIVE const char* pemdra_load() { return dispatch(&pemdra::Form_Load); }

/// Runs the handler of the named button. Answers nothing, or the error's message;
/// a button with no handler does nothing.
EMSCRIPTEN_KEEPALIVE const char* pemdra_click(const char* button) {
  const std::string_view name(button);
  if (name == "CY") return dispatch(&pemdra::CY_Click);
  for (const pemdra::KeypadKey& key : pemdra::kKeypad) {
    if (key.button == name) return dispatch(key.click);
  }
  return nullptr;
}
}
