// SPDX-License-Identifier: MIT
#include "win32form.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>
#include <vector>

namespace pemdra::win32 {
namespace {

// After the table's own fallback faces, those of Windows from 7 on with Greek glyphs.
// Each is measured, so a face that is missing or cuts a caption costs only the time
// to find that out.
constexpr std::array<const wchar_t*, 3> kWindowsFaces = {L"Microsoft Sans Serif", L"Tahoma",
                                                         L"Segoe UI"};

/// By how many pixels the captions overflow their rooms in `face` at that dpi (0 or
/// less: they all fit); INT_MAX where Windows gives another face or one without Greek.
int overflow(HDC dc, UINT dpi, const std::wstring& face) {
  int worst = INT_MIN;
  std::vector<std::pair<std::pair<double, bool>, HFONT>> fonts;  // the table's few fonts
  for (const form::Control& control : form::controls()) {
    if (control.caption.empty()) continue;
    const std::pair<double, bool> key{control.pointSize, control.bold};
    auto known = std::ranges::find(fonts, key, &decltype(fonts)::value_type::first);
    if (known == fonts.end()) {
      fonts.emplace_back(key, createFont(control, dpi, face));
      known = std::prev(fonts.end());
      SelectObject(dc, known->second);
      std::array<wchar_t, LF_FACESIZE> given{};
      GetTextFaceW(dc, static_cast<int>(given.size()), given.data());
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      if (lstrcmpiW(given.data(), face.c_str()) != 0 || metrics.tmCharSet != GREEK_CHARSET) {
        worst = INT_MAX;
        break;
      }
    }
    SelectObject(dc, known->second);
    const std::wstring caption = widen(control.caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const SIZE room = captionRoom(control, dpi);
    worst = std::max(
        {worst, static_cast<int>(extent.cx - room.cx), static_cast<int>(extent.cy - room.cy)});
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  for (const auto& [key, font] : fonts) DeleteObject(font);
  return worst;
}

}  // namespace

void registerWindowClass(HINSTANCE instance, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
}

int controlId(std::string_view name) {
  const auto& controls = form::controls();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    if (controls[row].name == name) return kFirstControlId + static_cast<int>(row);
  }
  return -1;
}

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
  return text;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

RECT controlRect(const form::Control& control, UINT dpi) {
  const form::PixelRect rect = control.pixels(static_cast<int>(dpi));
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

SIZE captionRoom(const form::Control& control, UINT dpi) {
  const RECT rect = controlRect(control, dpi);
  // A push button draws a 2-pixel frame and its focus mark 1 pixel further in.
  const int frame =
      control.kind == form::ControlKind::CommandButton ? 2 * scaled(3, dpi, form::kBaseDpi) : 0;
  return {rect.right - rect.left - frame, rect.bottom - rect.top - frame};
}

std::wstring controlFace(HDC dc, UINT dpi) {
  std::wstring best = widen(form::kFontFace);
  int least = overflow(dc, dpi, best);
  const auto consider = [&](const std::wstring& face) {
    if (least <= 0) return;
    if (const int cut = overflow(dc, dpi, face); cut < least) {
      least = cut;
      best = face;
    }
  };
  for (const std::string_view face : form::kFallbackFaces) consider(widen(face));
  for (const wchar_t* face : kWindowsFaces) consider(face);
  return best;
}

HFONT createFont(const form::Control& control, UINT dpi, const std::wstring& face) {
  LOGFONTW font{};
  font.lfHeight = -scaled(pointTwips(control.pointSize), dpi);
  font.lfWeight = control.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(form::kGreekCharset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

}  // namespace pemdra::win32
