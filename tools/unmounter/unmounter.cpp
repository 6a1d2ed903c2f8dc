// Unmounter.exe: ejects the connected iPod. A skin's "ejectipod" starts it from Quavero's
// application folder; it says what it did in a message box, and nothing else.
#include <windows.h>

#include <string>

#include "eject.h"

namespace {

constexpr wchar_t kTitle[] = L"Eject iPod";

void Say(const std::wstring& text, UINT icon) {
  MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const auto ipods = unmounter::FindIpods();
  if (ipods.empty()) {
    Say(L"No iPod is connected.\n\nAn iPod shows as a drive only when \"Enable disk use\" is on "
        L"for it in iTunes; otherwise eject it in iTunes.",
        MB_ICONINFORMATION);
    return 1;
  }
  const std::wstring& drive = ipods.front();
  const auto result = unmounter::Eject(drive);
  switch (result.outcome) {
    case unmounter::Outcome::kEjected:
      Say(L"The iPod (" + drive + L") can now be unplugged safely.", MB_ICONINFORMATION);
      return 0;
    case unmounter::Outcome::kInUse:
      Say(L"The iPod (" + drive + L") cannot be ejected now: a program is still using a file "
          L"on it.\n\nClose that file or program (iTunes too, if it is copying) and try again." +
              (result.detail.empty() ? L"" : L"\n\n(" + result.detail + L")"),
          MB_ICONEXCLAMATION);
      return 2;
    case unmounter::Outcome::kRefused:
      break;
  }
  Say(L"The iPod (" + drive + L") cannot be ejected.\n\n" + result.detail, MB_ICONEXCLAMATION);
  return 3;
}
