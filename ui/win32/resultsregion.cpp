// SPDX-License-Identifier: MIT
#include "resultsregion.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>
#include <utility>

#include "accessible.h"
#include "comlibraries.h"

namespace pemdra::win32 {
namespace {

// From the Windows SDK's UIAutomationClient.h and UIAutomationCoreApi.h, which MinGW-w64
// gives in part: what a window asks its own provider for, and the values it answers.
constexpr LONG kUiaRootObjectId = -25;  // WM_GETOBJECT's lParam
constexpr PROPERTYID kControlTypeProperty = 30003;
constexpr PROPERTYID kNameProperty = 30005;
constexpr PROPERTYID kIsKeyboardFocusableProperty = 30009;
constexpr PROPERTYID kAutomationIdProperty = 30011;
constexpr PROPERTYID kLiveSettingProperty = 30135;  // Windows 8 on
constexpr LONG kTextControlType = 50020;
constexpr LONG kPolite = 1;  // LiveSetting
constexpr HRESULT kElementNotAvailable = static_cast<HRESULT>(0x80040201);
constexpr int kActionCompleted = 2;  // NotificationKind
constexpr int kMostRecent = 3;       // NotificationProcessing: a newer result replaces it
/// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers give from Windows 8 on.
constexpr DWORD kLiveRegionChanged = 0x8019;

}  // namespace

#if defined(__GNUC__)
// COM objects are released through their interface, never deleted through it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
/// The results region as UI Automation sees it: a text, named with the lines, a polite
/// live region; the rest (place, enabled, visible) comes from its window's host
/// provider. Called on the window's thread (COM threading), so it needs no lock; once
/// the window is gone, it answers that the element is not there.
class ResultsProvider final : public IRawElementProviderSimple {
 public:
  explicit ResultsProvider(HWND window) : m_window(window) {}
  ResultsProvider(const ResultsProvider&) = delete;
  ResultsProvider& operator=(const ResultsProvider&) = delete;
  ResultsProvider(ResultsProvider&&) = delete;
  ResultsProvider& operator=(ResultsProvider&&) = delete;

  void setName(std::wstring name) { m_name = std::move(name); }
  void disconnect() { m_window = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) ||
        IsEqualIID(iid, __uuidof(IRawElementProviderSimple))) {
      *object = static_cast<IRawElementProviderSimple*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (options == nullptr) return E_INVALIDARG;
    *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                            ProviderOptions_UseComThreading);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID /*pattern*/, IUnknown** object) override {
    if (object == nullptr) return E_INVALIDARG;
    *object = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
    if (value == nullptr) return E_INVALIDARG;
    value->vt = VT_EMPTY;
    if (m_window == nullptr) return kElementNotAvailable;
    switch (property) {
      case kNameProperty:
      case kAutomationIdProperty: {
        const BSTR text =
            comLibraries().allocString(property == kNameProperty ? m_name.c_str() : L"results");
        if (text == nullptr) return E_OUTOFMEMORY;
        value->vt = VT_BSTR;
        value->bstrVal = text;
        break;
      }
      case kControlTypeProperty:
      case kLiveSettingProperty:
        value->vt = VT_I4;
        value->lVal = property == kControlTypeProperty ? kTextControlType : kPolite;
        break;
      case kIsKeyboardFocusableProperty:
        value->vt = VT_BOOL;
        value->boolVal = VARIANT_FALSE;
        break;
      default:  // the host provider's answer
        break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    if (host == nullptr) return E_INVALIDARG;
    *host = nullptr;
    const auto hostProvider = automationLibrary().hostProvider;
    if (m_window == nullptr || hostProvider == nullptr) return S_OK;
    return hostProvider(m_window, host);
  }

 private:
  ~ResultsProvider() = default;

  HWND m_window;
  std::wstring m_name;
  LONG m_references = 1;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

ResultsRegion::~ResultsRegion() { release(); }

bool ResultsRegion::create(const CreateArgs& args) {
  if (!Wnd::create(args, WC_STATICW, WS_VISIBLE | WS_DISABLED | SS_LEFTNOWORDWRAP | SS_NOPREFIX)) {
    return false;
  }
  // At the form's corner, where no control is, beneath the others.
  SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 1, 1, SWP_NOACTIVATE);
  subclass(hwnd);
  return true;
}

void ResultsRegion::announce(std::u16string_view lines) {
  if (lines.empty() || hwnd == nullptr) return;
  // Not its window text, which Windows would draw into its pixel.
  m_lines.assign(lines.begin(), lines.end());
  if (ResultsProvider* own = provider()) own->setName(m_lines);
  // Once: a screen reader that hears both speaks the lines twice.
  if (!notify()) NotifyWinEvent(kLiveRegionChanged, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

ResultsProvider* ResultsRegion::provider() {
  if (m_provider == nullptr && automationLibrary().returnProvider != nullptr &&
      comLibraries().allocString != nullptr) {
    m_provider = new (std::nothrow) ResultsProvider(hwnd);
    if (m_provider != nullptr) m_provider->setName(m_lines);
  }
  return m_provider;
}

bool ResultsRegion::notify() {
  const auto raise = automationLibrary().raiseNotification;
  const ComLibraries& com = comLibraries();
  ResultsProvider* own = provider();
  if (raise == nullptr || own == nullptr || com.freeString == nullptr) return false;
  const BSTR text = com.allocString(m_lines.c_str());
  const BSTR activity = com.allocString(L"pemdra.results");
  const bool raised = text != nullptr && activity != nullptr &&
                      SUCCEEDED(raise(own, kActionCompleted, kMostRecent, text, activity));
  com.freeString(text);
  com.freeString(activity);
  return raised;
}

void ResultsRegion::release() {
  if (m_provider == nullptr) return;
  m_provider->disconnect();
  if (const auto disconnect = automationLibrary().disconnect) disconnect(m_provider);
  m_provider->Release();
  m_provider = nullptr;
}

LRESULT ResultsRegion::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == kUiaRootObjectId) {
        if (ResultsProvider* own = provider()) {
          return automationLibrary().returnProvider(window, wParam, lParam, own);
        }
      } else if (const LRESULT object =
                     accessibleObject(window, wParam, lParam, m_lines, accessibleRole(window))) {
        return object;
      }
      break;
    case WM_DESTROY:  // UI Automation lets go of the window's provider
      if (m_provider != nullptr) automationLibrary().returnProvider(window, 0, 0, nullptr);
      release();
      break;
    default:
      break;
  }
  return callOwn(window, message, wParam, lParam);
}

LONG ResultsRegion::accessibleRole(HWND /*window*/) const { return ROLE_SYSTEM_STATICTEXT; }

}  // namespace pemdra::win32
