// SPDX-License-Identifier: MIT
#include "resultsregion.h"

#include <commctrl.h>
#include <oleacc.h>

#include "accessible.h"
#include "comlibraries.h"

namespace pemdra::win32 {
namespace {

// From the Windows SDK's oleacc.h and UIAutomationCoreApi.h, which MinGW-w64 gives in
// part: the dynamic annotation service, UI Automation's LiveSetting and its values.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSetting = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;
/// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers give from Windows 8 on; on earlier
/// systems no one listens for it.
constexpr DWORD kLiveRegionChanged = 0x8019;
constexpr int kActionCompleted = 2;  // NotificationKind
constexpr int kMostRecent = 3;       // NotificationProcessing: a newer result replaces it

}  // namespace

ResultsRegion::~ResultsRegion() { release(); }

bool ResultsRegion::create(const CreateArgs& args) {
  if (!Wnd::create(args, WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX)) return false;
  subclass(hwnd);
  return true;
}

void ResultsRegion::announce(std::u16string_view lines) {
  if (lines.empty() || hwnd == nullptr) return;
  m_lines.assign(lines.begin(), lines.end());
  SetWindowTextW(hwnd, m_lines.c_str());
  if (!m_marked) markPolite();
  NotifyWinEvent(kLiveRegionChanged, hwnd, OBJID_CLIENT, CHILDID_SELF);
  notify();
}

void ResultsRegion::markPolite() {
  m_marked = true;
  const ComLibraries& com = comLibraries();
  if (com.createInstance == nullptr) return;
  void* properties = nullptr;
  if (FAILED(com.createInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                &properties))) {
    return;
  }
  m_properties = static_cast<IAccPropServices*>(properties);
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPolite;
  if (FAILED(m_properties->SetHwndProp(hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       kLiveSetting, polite))) {
    release();  // Wine 8 answers E_NOTIMPL: the event and the notification remain
  }
}

void ResultsRegion::notify() const {
  const AutomationLibrary& automation = automationLibrary();
  const ComLibraries& com = comLibraries();
  if (automation.hostProvider == nullptr || automation.raiseNotification == nullptr ||
      com.allocString == nullptr || com.freeString == nullptr) {
    return;
  }
  IUnknown* provider = nullptr;
  if (FAILED(automation.hostProvider(GetParent(hwnd), &provider)) || provider == nullptr) return;
  const BSTR text = com.allocString(m_lines.c_str());
  const BSTR activity = com.allocString(L"pemdra.results");
  if (text != nullptr && activity != nullptr) {
    automation.raiseNotification(provider, kActionCompleted, kMostRecent, text, activity);
  }
  com.freeString(text);
  com.freeString(activity);
  provider->Release();
}

void ResultsRegion::release() {
  if (m_properties == nullptr) return;
  m_properties->Release();
  m_properties = nullptr;
}

LRESULT ResultsRegion::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    if (const LRESULT object =
            accessibleObject(window, wParam, lParam, m_lines, accessibleRole(window))) {
      return object;
    }
  } else if (message == WM_DESTROY && m_properties != nullptr) {
    m_properties->ClearHwndProps(hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 &kLiveSetting, 1);
    release();
  }
  return callOwn(window, message, wParam, lParam);
}

LONG ResultsRegion::accessibleRole(HWND /*window*/) const { return ROLE_SYSTEM_STATICTEXT; }

}  // namespace pemdra::win32
