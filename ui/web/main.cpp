// SPDX-License-Identifier: MIT
// What the page calls: the load step once, then a button's handler at each click.
// The page carries texts between its elements and the core, nothing more.
#include <emscripten/emscripten.h>

#include <utility>

#include "buttons.h"
#include "formload.h"
#include "webcontrols.h"

namespace {

pemdra::web::WebControls& page() {
  static pemdra::web::WebControls controls;
  return controls;
}

// What the last handler left for the page: what it wrote for a screen reader to hear,
// and the message of an error it raised.
pemdra::Outcome& last() {
  static pemdra::Outcome outcome;
  return outcome;
}

const char* told(pemdra::Outcome outcome) {
  last() = std::move(outcome);
  return last().error.empty() ? nullptr : last().error.c_str();
}

}  // namespace

extern "C" {

/// Fills the π list. Answers nothing, or the message of the error that stopped it.
EMSCRIPTEN_KEEPALIVE const char* pemdra_load() {
  return told(pemdra::run(&pemdra::Form_Load, page()));
}

/// Runs the handler of the named button. Answers nothing, or the error's message;
/// a button with no handler does nothing.
EMSCRIPTEN_KEEPALIVE const char* pemdra_click(const char* button) {
  const pemdra::Button* found = pemdra::findButton(button);
  if (found == nullptr) {
    last() = {};
    return nullptr;
  }
  return told(pemdra::click(*found, page()));
}

/// What the last click wrote for a screen reader, one line a result box: UTF-16,
/// ended by a zero; empty when it wrote no result box.
EMSCRIPTEN_KEEPALIVE const char16_t* pemdra_announcement() { return last().announcement.c_str(); }
}
