// SPDX-License-Identifier: MIT
#include "comlibraries.h"

#include <string>

namespace pemdra::win32 {
namespace {

template <typename Function>
void load(HMODULE library, const char* name, Function& function) {
  if (library != nullptr) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  }
}

HMODULE systemLibrary(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetSystemDirectoryW(path.data(), MAX_PATH));
  return path.empty() ? nullptr : LoadLibraryW((path + L'\\' + name).c_str());
}

}  // namespace

const ComLibraries& comLibraries() {
  static const ComLibraries loaded = [] {
    ComLibraries functions;
    const HMODULE ole32 = systemLibrary(L"ole32.dll");
    decltype(&CoInitializeEx) enter = nullptr;
    load(ole32, "CoInitializeEx", enter);
    if (enter == nullptr) return functions;
    // A thread that is in COM already, in either kind of apartment, can answer too.
    const HRESULT entered = enter(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(entered) && entered != RPC_E_CHANGED_MODE) return functions;
    load(ole32, "CoCreateInstance", functions.createInstance);
    const HMODULE oleacc = systemLibrary(L"oleacc.dll");
    load(oleacc, "CreateStdAccessibleObject", functions.createStandard);
    load(oleacc, "LresultFromObject", functions.toResult);
    const HMODULE oleaut32 = systemLibrary(L"oleaut32.dll");
    load(oleaut32, "SysAllocString", functions.allocString);
    load(oleaut32, "SysFreeString", functions.freeString);
    return functions;
  }();
  return loaded;
}

const AutomationLibrary& automationLibrary() {
  static const AutomationLibrary loaded = [] {
    AutomationLibrary functions;
    const HMODULE automation = systemLibrary(L"uiautomationcore.dll");
    load(automation, "UiaHostProviderFromHwnd", functions.hostProvider);
    load(automation, "UiaReturnRawElementProvider", functions.returnProvider);
    load(automation, "UiaDisconnectProvider", functions.disconnect);
    load(automation, "UiaRaiseNotificationEvent", functions.raiseNotification);
    return functions;
  }();
  return loaded;
}

}  // namespace pemdra::win32
