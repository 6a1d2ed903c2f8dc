#include "standin_app.h"

#include "base/failure.h"
#include "itunes/win32/com_itunes.h"
#include "standin_objects.h"

namespace quavero::standin {
namespace {

using Args = std::vector<VARIANT*>;

class ConnectionPoint : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer* container, EventClients& clients, Journal& journal)
      : container_(container), clients_(clients), journal_(journal) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
      *out = static_cast<IConnectionPoint*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return container_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_->Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = itunes::win32::kEventsInterface;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override {
    *c = container_;
    container_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (clients_.refuse) {
      journal_.Write("Events.Advise call -> failure refused");
      return E_FAIL;
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
      return CONNECT_E_CANNOTCONNECT;
    *cookie = clients_.Add(dispatch);
    journal_.Write("Events.Advise call -> " + std::to_string(*cookie));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    journal_.Write("Events.Unadvise call " + std::to_string(cookie) + " -> ok");
    return clients_.Remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  IConnectionPointContainer* container_;
  EventClients& clients_;
  Journal& journal_;
};

class ApplicationObject : public DispatchObject, public IConnectionPointContainer {
 public:
  ApplicationObject(Journal& j, Server& server)
      : DispatchObject(j, L"Application"), server_(server), point_(this, server.clients(), j) {}

  // IUnknown is the dispatch object's.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    return DispatchObject::QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
    if (!IsEqualIID(riid, itunes::win32::kEventsInterface)) return CONNECT_E_NOCONNECTION;
    *out = &point_;
    point_.AddRef();
    return S_OK;
  }

 protected:
  HRESULT QueryOther(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
      *out = static_cast<IConnectionPointContainer*>(this);
      DispatchObject::AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {
        L"PlayPause", L"Play", L"Pause", L"Stop", L"PreviousTrack", L"NextTrack", L"BackTrack",
        L"UpdateIPod", L"Quit", L"SoundVolume", L"PlayerPosition", L"PlayerState",
        L"CurrentTrack", L"CurrentPlaylist", L"LibraryPlaylist", L"Sources", L"Version"};
    return names;
  }
  void Handle(const std::wstring& n, Kind k, const Args& a, VARIANT* r) override {
    auto itunes = server_.itunes();
    itunes::Application& app = *itunes;
    if (n == L"PlayPause") return app.PlayPause();
    if (n == L"Play") return app.Play();
    if (n == L"Pause") return app.Pause();
    if (n == L"Stop") return app.Stop();
    if (n == L"PreviousTrack" || n == L"BackTrack") return app.PreviousTrack();
    if (n == L"NextTrack") return app.NextTrack();
    if (n == L"UpdateIPod") return app.UpdateIPod();
    if (n == L"Quit") {
      itunes->Check();
      return server_.RequestQuit();
    }
    if (n == L"SoundVolume")
      return k == Kind::kPut ? app.SetSoundVolume(ArgLong(a, 0)) : Return(r, static_cast<long>(app.SoundVolume()));
    if (n == L"PlayerPosition")
      return k == Kind::kPut ? app.SetPlayerPosition(ArgLong(a, 0))
                             : Return(r, static_cast<long>(app.PlayerPosition()));
    if (n == L"PlayerState") return Return(r, static_cast<long>(app.GetPlayerState()));
    if (n == L"CurrentTrack") return Return(r, NewTrack(journal_, app.CurrentTrack()));
    if (n == L"CurrentPlaylist") return Return(r, NewPlaylist(journal_, app.CurrentPlaylist()));
    if (n == L"LibraryPlaylist") return Return(r, NewPlaylist(journal_, app.LibraryPlaylist()));
    if (n == L"Sources") return Return(r, NewSources(journal_, app.Sources()));
    if (n == L"Version") return Return(r, std::string("12.13 (Quavero stand-in)"));
  }

 private:
  Server& server_;
  ConnectionPoint point_;
};

}  // namespace

DWORD EventClients::Add(IDispatch* sink) {
  sinks_[next_] = sink;
  return next_++;
}

bool EventClients::Remove(DWORD cookie) {
  auto it = sinks_.find(cookie);
  if (it == sinks_.end()) return false;
  it->second->Release();
  sinks_.erase(it);
  return true;
}

void EventClients::Raise(DISPID event) {
  auto sinks = sinks_;
  for (auto& [cookie, sink] : sinks) {
    if (!sinks_.count(cookie)) continue;  // let go of while an earlier client heard the event
    sink->AddRef();
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                              nullptr, nullptr, nullptr);
    sink->Release();
    if (FAILED(hr) && (hr == RPC_E_DISCONNECTED || hr == static_cast<HRESULT>(0x800706BA)))
      Remove(cookie);  // that client has gone
  }
}

IDispatch* NewApplication(Journal& journal, Server& server) {
  return static_cast<DispatchObject*>(new ApplicationObject(journal, server));
}

}  // namespace quavero::standin
