// SPDX-License-Identifier: MIT
// pemdra.exe: takes no arguments; whatever the command line holds, the window is the same.
#include <windows.h>

#include <commctrl.h>

#include "pemdrawindow.h"

// The parameters keep the names of the Windows headers' declaration.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);

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
