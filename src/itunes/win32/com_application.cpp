// The iTunes application object over COM, and the sink that hears its events.
#include <map>

#include <ocidl.h>

#include "base/failure.h"
#include "itunes/win32/com_itunes.h"
#include "itunes/win32/com_objects.h"

namespace quavero::itunes::win32 {
namespace {

NameCache application_names;

// Receives the application's events and hands them to one listener, on the thread that
// subscribed (iTunes' calls arrive as window messages of that thread).
class EventSink final : public IDispatch {
 public:
  explicit EventSink(Events* listener) : listener_(listener) {}
  void Detach() { listener_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, kEventsInterface)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    Events* l = listener_;
    if (!l) return S_OK;
    AddRef();  // a handler may unsubscribe this sink
    try {
      switch (id) {
        case event_id::kDatabaseChanged: l->OnDatabaseChangedEvent(); break;
        case event_id::kPlayerPlay: l->OnPlayerPlayEvent(); break;
        case event_id::kPlayerStop: l->OnPlayerStopEvent(); break;
        case event_id::kPlayerPlayingTrackChanged: l->OnPlayerPlayingTrackChangedEvent(); break;
        case event_id::kCOMCallsDisabled: l->OnCOMCallsDisabledEvent(); break;
        case event_id::kCOMCallsEnabled: l->OnCOMCallsEnabledEvent(); break;
        case event_id::kQuitting: l->OnQuittingEvent(); break;
        case event_id::kAboutToPromptUserToQuit: l->OnAboutToPromptUserToQuitEvent(); break;
        default: break;
      }
    } catch (...) {
      // Nothing escapes into iTunes.
    }
    Release();
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  Events* listener_;
};

class ComApplication : public Application {
 public:
  explicit ComApplication(ComPtr<IDispatch> app) : d_(std::move(app), application_names) {}
  ~ComApplication() override {
    for (auto& [listener, s] : subscriptions_) Drop(s);
  }

  void PlayPause() override { d_.Call(L"PlayPause"); }
  void Play() override { d_.Call(L"Play"); }
  void Pause() override { d_.Call(L"Pause"); }
  void Stop() override { d_.Call(L"Stop"); }
  void PreviousTrack() override { d_.Call(L"PreviousTrack"); }
  void NextTrack() override { d_.Call(L"NextTrack"); }
  void UpdateIPod() override { d_.Call(L"UpdateIPod"); }
  void Quit() override { d_.Call(L"Quit"); }
  int32_t SoundVolume() override { return d_.GetLong(L"SoundVolume"); }
  void SetSoundVolume(int32_t v) override { d_.PutLong(L"SoundVolume", v); }
  int32_t PlayerPosition() override { return d_.GetLong(L"PlayerPosition"); }
  void SetPlayerPosition(int32_t v) override { d_.PutLong(L"PlayerPosition", v); }
  PlayerState GetPlayerState() override {
    return static_cast<PlayerState>(d_.GetLong(L"PlayerState"));
  }
  TrackPtr CurrentTrack() override { return MakeTrack(d_.GetObject(L"CurrentTrack")); }
  PlaylistPtr CurrentPlaylist() override { return MakePlaylist(d_.GetObject(L"CurrentPlaylist")); }
  PlaylistPtr LibraryPlaylist() override { return MakePlaylist(d_.GetObject(L"LibraryPlaylist")); }
  std::shared_ptr<Collection<Source>> Sources() override {
    return MakeSources(d_.GetObject(L"Sources"));
  }

  bool Subscribe(Events* listener) override {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(d_.get()->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(container.put()))))
      return false;
    Subscription s;
    if (FAILED(container->FindConnectionPoint(kEventsInterface, s.point.put()))) return false;
    s.sink = new EventSink(listener);
    if (FAILED(s.point->Advise(s.sink, &s.cookie))) {
      s.sink->Release();
      return false;
    }
    subscriptions_[listener] = std::move(s);
    return true;
  }

  void Unsubscribe(Events* listener) override {
    auto it = subscriptions_.find(listener);
    if (it == subscriptions_.end()) return;
    Subscription s = std::move(it->second);
    subscriptions_.erase(it);
    Drop(s);
  }

 private:
  struct Subscription {
    ComPtr<IConnectionPoint> point;
    EventSink* sink = nullptr;
    DWORD cookie = 0;
  };
  static void Drop(Subscription& s) {
    if (!s.sink) return;
    s.sink->Detach();
    if (s.point) s.point->Unadvise(s.cookie);  // fails harmlessly when iTunes has gone
    s.sink->Release();
    s.sink = nullptr;
  }

  Dispatch d_;
  std::map<Events*, Subscription> subscriptions_;
};

}  // namespace

ApplicationPtr WrapApplication(IDispatch* application) {
  if (!application) return nullptr;
  return std::make_shared<ComApplication>(ComPtr<IDispatch>(application));
}

ApplicationPtr ConnectToITunes() {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(L"iTunes.Application", &clsid);
  if (FAILED(hr)) ThrowFor(hr);
  ComPtr<IDispatch> app;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(app.put()));
  if (FAILED(hr)) ThrowFor(hr);
  return WrapApplication(app.get());
}

}  // namespace quavero::itunes::win32
