// quavero-drop X Y FILE...: drags the files to the screen point X, Y with OLE drag and drop and
// drops them there, as Explorer does; prints "dropped effect=N" (1 copy, 0 refused).
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A COM object of one interface, counting its references.
template <typename Interface>
class Object : public Interface {
 public:
  virtual ~Object() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (!left) delete this;
    return left;
  }

 private:
  LONG refs_ = 1;
};

class FileData : public Object<IDataObject> {
 public:
  explicit FileData(std::wstring files) : files_(std::move(files)) {}
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    size_t bytes = sizeof(DROPFILES) + files_.size() * sizeof(wchar_t);
    HGLOBAL global = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(global));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), files_.data(), files_.size() * sizeof(wchar_t));
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::wstring files_;  // each ended by a NUL, the list by another
};

class DropAtOnce : public Object<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quavero-drop X Y FILE...\n");
    return 2;
  }
  OleInitialize(nullptr);
  std::wstring files;
  for (int i = 3; i < argc; ++i) {
    files += argv[i];
    files += L'\0';
  }
  files += L'\0';
  SetCursorPos(_wtoi(argv[1]), _wtoi(argv[2]));
  auto* data = new FileData(files);
  auto* source = new DropAtOnce;
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
  std::printf("dropped effect=%lu result=0x%08lx\n", effect, static_cast<unsigned long>(hr));
  std::fflush(stdout);
  data->Release();
  source->Release();
  OleUninitialize();
  return 0;
}
