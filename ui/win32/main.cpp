// SPDX-License-Identifier: MIT
// pemdra.exe: takes no arguments; whatever the command line holds, the window is the same.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "pemdrawindow.h"

// The parameters keep the names of the Windows headers' declaration.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  // Screen readers reach the controls' accessible objects through COM, kept up until
  // the window is gone.
  struct Apartment {
    bool entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    Apartment() = default;
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    Apartment(Apartment&&) = delete;
    Apartment& operator=(Apartment&&) = delete;
    ~Apartment() {
      if (entered) CoUninitialize();
    }
  } const apartment;

  pemdra::win32::PemdraWindow window(hInstance);
  if (window.hwnd() == nullptr) return 1;
  window.show(nShowCmd);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
