#include "platform/win32/drop_target.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/wide.h"

namespace quavero::platform::win32 {
namespace {

FORMATETC FileList() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

std::vector<std::string> FilesOf(HDROP drop) {
  std::vector<std::string> files;
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT n = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(n + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), n + 1);
    name.resize(n);
    files.push_back(Utf8(name));
  }
  return files;
}

}  // namespace

HRESULT DropTarget::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG DropTarget::Release() {
  LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// The image under the point that takes files, or none.
ui::Control* DropTarget::TakerAt(POINTL at) {
  if (detached_ || !offers_files_) return nullptr;
  POINT p{at.x, at.y};
  ScreenToClient(window_, &p);
  ui::Control* element = form_.HitTest(p.x, p.y);
  bool takes = element && element->kind() == ui::ControlKind::kImage &&
               static_cast<ui::Image*>(element)->accepts_files();
  return takes ? element : nullptr;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  FORMATETC format = FileList();
  offers_files_ = data && data->QueryGetData(&format) == S_OK;
  if (effect) *effect = TakerAt(at) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL at, DWORD* effect) {
  if (effect) *effect = TakerAt(at) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  offers_files_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  try {
    FORMATETC format = FileList();
    offers_files_ = data && data->QueryGetData(&format) == S_OK;
    ui::Control* element = TakerAt(at);
    offers_files_ = false;
    if (effect) *effect = element ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    if (!element) return S_OK;
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return S_OK;
    std::vector<std::string> files;
    if (void* locked = GlobalLock(medium.hGlobal)) {
      files = FilesOf(static_cast<HDROP>(locked));
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    if (auto* events = form_.events(); events && !detached_) events->OnFilesDropped(element, files);
  } catch (...) {
    // nothing escapes into the program the files came from
  }
  return S_OK;
}

}  // namespace quavero::platform::win32
