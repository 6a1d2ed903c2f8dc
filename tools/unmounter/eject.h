// Finding the connected iPod and asking Windows to eject it.
#pragma once

#include <string>
#include <vector>

namespace unmounter {

// An iPod in disk mode is a removable drive with an iPod_Control folder at its root. Returns
// the drive letters of every one connected, "E:" style, in drive order.
std::vector<std::wstring> FindIpods();

enum class Outcome {
  kEjected,  // safe to unplug
  kInUse,    // a program holds a file or the volume open
  kRefused,  // Windows would not eject it for another reason
};

struct EjectResult {
  Outcome outcome;
  std::wstring detail;  // what Windows said, for the message
};

// Asks the system to remove the device that holds the drive, as "Safely Remove Hardware" does;
// where the device cannot be found that way, locks, dismounts and ejects the volume itself.
EjectResult Eject(const std::wstring& drive);

}  // namespace unmounter
