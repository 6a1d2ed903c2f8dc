// iTunesHelper.exe: stands in for the helper that every real iTunes installation runs from the
// iTunes folder. It only waits, so that a program that looks for "iTunes" in the paths of
// running programs still finds one after iTunes itself has gone.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Sleep(INFINITE);
  return 0;
}
