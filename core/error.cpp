// SPDX-License-Identifier: MIT
#include "error.h"

namespace pemdra {

std::string errorReport(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& runtime) {
    return std::string(runtime.what()) + " (" + std::to_string(static_cast<int>(runtime.code())) +
           ")";
  } catch (const std::exception& other) {
    return other.what();
  } catch (...) {
    return "Άγνωστο σφάλμα";
  }
}

}  // namespace pemdra
