// The module this code is linked into: Quavero.exe, or QuaveroDeskBand.dll inside the shell.
// Window classes are registered for that module, and a DLL unregisters them before it unloads,
// so that no class of the process points into code that is gone.
#pragma once

#include <windows.h>

namespace quavero::platform::win32 {

HINSTANCE ThisModule();
// Registers the class for this module (its instance is set here); false when it cannot.
bool RegisterModuleClass(WNDCLASSW wc);
void UnregisterModuleClasses();

}  // namespace quavero::platform::win32
