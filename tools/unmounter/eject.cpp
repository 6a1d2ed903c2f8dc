#include "eject.h"

#include <windows.h>
#include <winioctl.h>
#include <setupapi.h>
#include <cfgmgr32.h>

#include <vector>

namespace unmounter {
namespace {

// GUID_DEVINTERFACE_DISK: the interface every disk device offers.
const GUID kDiskInterface = {0x53F56307, 0xB6BF, 0x11D0,
                             {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

std::wstring SystemText(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring said = text ? text : L"";
  if (text) LocalFree(text);
  while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' '))
    said.pop_back();
  return L"Windows error " + std::to_wstring(error) + (said.empty() ? L"" : L": " + said);
}

bool DeviceNumberOf(HANDLE device, STORAGE_DEVICE_NUMBER& number) {
  DWORD bytes = 0;
  return DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number,
                         sizeof number, &bytes, nullptr) != 0;
}

// The disk device (in the device tree) that holds the volume, or 0 when there is none to find.
DEVINST DiskOf(const std::wstring& drive) {
  Handle volume(CreateFileW((L"\\\\.\\" + drive).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            0, nullptr));
  STORAGE_DEVICE_NUMBER wanted{};
  if (!volume.ok() || !DeviceNumberOf(volume.get(), wanted)) return 0;

  HDEVINFO set = SetupDiGetClassDevsW(&kDiskInterface, nullptr, nullptr,
                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return 0;
  DEVINST found = 0;
  for (DWORD i = 0; found == 0; ++i) {
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &kDiskInterface, i, &iface)) break;
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &iface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    std::vector<BYTE> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    if (!SetupDiGetDeviceInterfaceDetailW(set, &iface, detail, size, nullptr, &info)) continue;
    Handle disk(CreateFileW(detail->DevicePath, 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    STORAGE_DEVICE_NUMBER number{};
    if (disk.ok() && DeviceNumberOf(disk.get(), number) &&
        number.DeviceType == wanted.DeviceType && number.DeviceNumber == wanted.DeviceNumber)
      found = info.DevInst;
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

std::wstring VetoText(PNP_VETO_TYPE veto, const wchar_t* name) {
  std::wstring text = L"Windows refused the removal (veto " + std::to_wstring(veto) + L")";
  if (name && *name) text += L": " + std::wstring(name);
  return text;
}

// The safe-removal request of "Safely Remove Hardware", for the USB device above the disk.
EjectResult RequestRemoval(DEVINST disk) {
  DEVINST device = 0;
  if (CM_Get_Parent(&device, disk, 0) != CR_SUCCESS) device = disk;
  EjectResult last{Outcome::kRefused, L""};
  for (int attempt = 0; attempt < 3; ++attempt) {
    PNP_VETO_TYPE veto = PNP_VetoTypeUnknown;
    wchar_t name[MAX_PATH] = {};
    CONFIGRET result = CM_Request_Device_EjectW(device, &veto, name, MAX_PATH, 0);
    if (result == CR_SUCCESS && veto == PNP_VetoTypeUnknown) return {Outcome::kEjected, L""};
    if (veto == PNP_VetoOutstandingOpen)
      last = {Outcome::kInUse, VetoText(veto, name)};
    else if (result != CR_SUCCESS)
      last = {Outcome::kRefused, L"Windows could not remove the device (error " +
                                     std::to_wstring(result) + L")"};
    else
      last = {Outcome::kRefused, VetoText(veto, name)};
    Sleep(500);
  }
  return last;
}

// Without a device to remove: lock the volume (which fails while a file is open on it),
// dismount it, allow and ask for the medium's removal.
EjectResult EjectVolume(const std::wstring& drive) {
  Handle volume(CreateFileW((L"\\\\.\\" + drive).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                            nullptr, OPEN_EXISTING, 0, nullptr));
  if (!volume.ok()) return {Outcome::kRefused, SystemText(GetLastError())};
  DWORD bytes = 0;
  bool locked = false;
  DWORD error = 0;
  for (int attempt = 0; attempt < 10 && !locked; ++attempt) {
    locked = DeviceIoControl(volume.get(), FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &bytes,
                             nullptr) != 0;
    if (!locked) {
      error = GetLastError();
      Sleep(100);
    }
  }
  if (!locked) {
    const bool in_use = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                        error == ERROR_LOCK_VIOLATION;
    return {in_use ? Outcome::kInUse : Outcome::kRefused, SystemText(error)};
  }
  FlushFileBuffers(volume.get());
  if (!DeviceIoControl(volume.get(), FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &bytes,
                       nullptr))
    return {Outcome::kRefused, SystemText(GetLastError())};
  PREVENT_MEDIA_REMOVAL allow{};
  allow.PreventMediaRemoval = FALSE;
  DeviceIoControl(volume.get(), IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow, nullptr, 0,
                  &bytes, nullptr);
  if (!DeviceIoControl(volume.get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &bytes,
                       nullptr))
    return {Outcome::kRefused, SystemText(GetLastError())};
  return {Outcome::kEjected, L""};
}

}  // namespace

std::vector<std::wstring> FindIpods() {
  // An empty card reader or floppy drive must not ask the user to insert a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  std::vector<std::wstring> found;
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const std::wstring root{static_cast<wchar_t>(L'A' + i), L':', L'\\'};
    if (GetDriveTypeW(root.c_str()) != DRIVE_REMOVABLE) continue;
    const DWORD control = GetFileAttributesW((root + L"iPod_Control").c_str());
    if (control != INVALID_FILE_ATTRIBUTES && (control & FILE_ATTRIBUTE_DIRECTORY))
      found.push_back(root.substr(0, 2));
  }
  return found;
}

EjectResult Eject(const std::wstring& drive) {
  if (DEVINST disk = DiskOf(drive)) return RequestRemoval(disk);
  return EjectVolume(drive);
}

}  // namespace unmounter
