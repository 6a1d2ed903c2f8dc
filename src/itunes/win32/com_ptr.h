// A smart pointer for COM interfaces, and a VARIANT that clears itself: no reference is
// released by hand, so a failed call never leaves a half-released object behind.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace quavero::itunes::win32 {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* p, bool add_ref = true) : p_(p) {
    if (p_ && add_ref) p_->AddRef();
  }
  ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr o) {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held and lends the slot.
  T** put() {
    Reset();
    return &p_;
  }

 private:
  T* p_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* put() {
    VariantClear(&v_);
    return &v_;
  }
  const VARIANT& get() const { return v_; }
  VARIANT& get() { return v_; }

 private:
  VARIANT v_;
};

}  // namespace quavero::itunes::win32
