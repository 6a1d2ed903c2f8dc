// Files dropped on a form by OLE drag and drop (from Explorer, a browser, any program that
// offers CF_HDROP): the copy cursor shows only over an image that takes files, and a drop there
// reaches the form's events with the files and the element.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "ui/form.h"

namespace quavero::platform::win32 {

class DropTarget : public IDropTarget {
 public:
  explicit DropTarget(HWND window, ui::Form& form) : window_(window), form_(form) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

  // The form goes before the window: nothing reaches it any more.
  void Detach() { detached_ = true; }

 private:
  ui::Control* TakerAt(POINTL at);

  HWND window_;
  ui::Form& form_;
  LONG refs_ = 1;
  bool offers_files_ = false;
  bool detached_ = false;
};

}  // namespace quavero::platform::win32
