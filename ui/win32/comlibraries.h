// SPDX-License-Identifier: MIT
#pragma once

// What the window takes from Windows' accessibility, COM and UI Automation libraries:
// loaded when first needed (a screen reader's first question, the first announcement),
// so that a start-up is spared them. Any function a system lacks is nullptr.

#include <windows.h>

#include <oleacc.h>
#include <uiautomationcore.h>

namespace pemdra::win32 {

/// oleacc, oleaut32 and ole32; COM is entered on the window's thread when they load.
struct ComLibraries {
  decltype(&CreateStdAccessibleObject) createStandard = nullptr;
  decltype(&LresultFromObject) toResult = nullptr;
  decltype(&SysAllocString) allocString = nullptr;
  decltype(&SysFreeString) freeString = nullptr;
  decltype(&CoCreateInstance) createInstance = nullptr;
};
const ComLibraries& comLibraries();

/// UI Automation's side of a window's own provider (Windows 7 on), its disconnection
/// (Windows 8 on) and its notification event (Windows 10, 1709 on).
struct AutomationLibrary {
  HRESULT(WINAPI* hostProvider)(HWND window, IRawElementProviderSimple** provider) = nullptr;
  LRESULT(WINAPI* returnProvider)
  (HWND window, WPARAM wParam, LPARAM lParam, IRawElementProviderSimple* provider) = nullptr;
  HRESULT(WINAPI* disconnect)(IRawElementProviderSimple* provider) = nullptr;
  HRESULT(WINAPI* raiseNotification)
  (IRawElementProviderSimple* provider, int kind, int processing, BSTR text,
   BSTR activity) = nullptr;
};
const AutomationLibrary& automationLibrary();

}  // namespace pemdra::win32
