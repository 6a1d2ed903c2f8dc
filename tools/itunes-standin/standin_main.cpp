// iTunesStandIn.exe: a COM local server that answers the iTunes scripting interface from a
// simulated library, for tests, the demo, and skin authors without iTunes. It plays no sound;
// its position advances in real time while "playing".
//   --register [--journal FILE] [--library FILE]   register "iTunes.Application" and the
//                                                  shell's path for "iTunes"; remember options
//   --unregister                                   remove exactly that
//   --library FILE  --journal FILE                 run with that library, writing that journal
//   --send COMMAND                                 to the running stand-in: play pause stop
//        next previous quit calls-off calls-on database-changed busy-on busy-off events-off
//        events-on hang-N (answers nothing for N seconds, as a hung iTunes) calls-off-after-N
//        (iTunes refuses calls from the N-th call on); several commands joined by "," run in
//        turn ("calls-off-after-8,next": calls stop while what the new track started goes on)
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "base/failure.h"
#include "itunes/win32/com_itunes.h"
#include "library.h"
#include "platform/win32/win32_loop.h"
#include "registration.h"
#include "standin_app.h"

namespace quavero::standin {
namespace {

constexpr wchar_t kControlClass[] = L"QuaveroITunesStandIn";
constexpr UINT kQuitLikeITunes = WM_APP + 7;
constexpr UINT_PTR kPlaybackTimer = 1;
constexpr DWORD kQuitGraceMs = 5000;

std::wstring Folder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\'));
}

class StandIn : public Server, public itunes::Events, public IClassFactory {
 public:
  StandIn() : itunes_(std::make_shared<itunes::SimulatedITunes>(loop_, CopyArtwork)) {}

  int Run(const Options& options);

  // Server.
  std::shared_ptr<itunes::SimulatedITunes> itunes() override { return itunes_; }
  EventClients& clients() override { return clients_; }
  void RequestQuit() override { PostMessageW(control_, kQuitLikeITunes, 0, 0); }

  // The simulated iTunes' events go to every client.
  void OnDatabaseChangedEvent() override { clients_.Raise(itunes::win32::event_id::kDatabaseChanged); }
  void OnPlayerPlayEvent() override { clients_.Raise(itunes::win32::event_id::kPlayerPlay); }
  void OnPlayerPlayingTrackChangedEvent() override {
    clients_.Raise(itunes::win32::event_id::kPlayerPlayingTrackChanged);
  }
  void OnPlayerStopEvent() override { clients_.Raise(itunes::win32::event_id::kPlayerStop); }
  void OnCOMCallsDisabledEvent() override { clients_.Raise(itunes::win32::event_id::kCOMCallsDisabled); }
  void OnCOMCallsEnabledEvent() override { clients_.Raise(itunes::win32::event_id::kCOMCallsEnabled); }

  // IClassFactory: every client gets an application object of its own over one iTunes.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    if (quitting_) return CO_E_SERVER_STOPPING;
    journal_.Write("Application.Create call -> ok");
    IDispatch* app = NewApplication(journal_, *this);
    HRESULT hr = app->QueryInterface(riid, out);
    app->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  static void CopyArtwork(const std::string& from, const std::string& to) {
    if (!CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE))
      throw Failure(static_cast<int>(0x8000FFFF), "Catastrophic failure");
  }
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Command(const std::string& command);
  void Commands(const std::string& commands);
  void Hang(int seconds);
  void QuitLikeITunes();

  platform::win32::Win32Loop loop_;
  std::shared_ptr<itunes::SimulatedITunes> itunes_;
  EventClients clients_;
  Journal journal_;
  HWND control_ = nullptr;
  DWORD registration_ = 0;
  bool quitting_ = false;
};

LRESULT CALLBACK StandIn::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<StandIn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    try {
      if (msg == WM_COPYDATA) {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(lp);
        self->Commands(std::string(static_cast<const char*>(data->lpData), data->cbData));
        return TRUE;
      }
      if (msg == kQuitLikeITunes) {
        self->QuitLikeITunes();
        return 0;
      }
      if (msg == WM_TIMER && wp == kPlaybackTimer) {
        self->itunes_->GetPlayerState();  // a track that played to its end gives way
        return 0;
      }
    } catch (const Failure&) {
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void StandIn::Commands(const std::string& commands) {
  size_t from = 0;
  while (from <= commands.size()) {
    size_t comma = commands.find(',', from);
    if (comma == std::string::npos) comma = commands.size();
    if (comma > from) Command(commands.substr(from, comma - from));
    from = comma + 1;
  }
}

// Player commands act as the user of iTunes would; while iTunes refuses calls they are
// refused too (a failure in the journal).
void StandIn::Command(const std::string& c) {
  auto& it = *itunes_;
  try {
    if (c == "play") it.Play();
    else if (c == "pause") it.Pause();
    else if (c == "stop") it.Stop();
    else if (c == "next") it.NextTrack();
    else if (c == "previous") it.PreviousTrack();
    else if (c == "quit") RequestQuit();
    else if (c == "calls-off") it.SetCallsEnabled(false);
    else if (c == "calls-on") it.SetCallsEnabled(true);
    else if (c == "database-changed") it.RaiseDatabaseChanged();
    else if (c == "busy-on") it.SetBusy(true);
    else if (c == "busy-off") it.SetBusy(false);
    else if (c == "events-off") it.SetEventsOff(true), clients_.refuse = true;
    else if (c == "events-on") it.SetEventsOff(false), clients_.refuse = false;
    else if (c.rfind("hang-", 0) == 0) Hang(std::atoi(c.c_str() + 5));
    else if (c.rfind("calls-off-after-", 0) == 0)
      it.BeforeCall(std::atol(c.c_str() + 16), [&it] { it.SetCallsEnabled(false); });
    else throw Failure(static_cast<int>(E_INVALIDARG), "unknown command");
    journal_.Write("Send." + c + " call -> ok");
  } catch (const Failure& f) {
    journal_.Write("Send." + c + " call -> failure " + f.description());
  }
}

// The thread that answers calls stops answering for a while, once the sender has been told.
void StandIn::Hang(int seconds) {
  loop_.Post([this, seconds] {
    journal_.Write("Hang.start " + std::to_string(seconds) + " s");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    journal_.Write("Hang.end");
  });
}

// As iTunes quits while clients hold its objects: it warns them, waits up to five seconds for
// every object to be released, and says whether its warning to the user would have shown.
void StandIn::QuitLikeITunes() {
  if (quitting_) return;
  quitting_ = true;
  clients_.Raise(itunes::win32::event_id::kAboutToPromptUserToQuit);
  DWORD start = GetTickCount();
  while (LiveObjects() > 0 && GetTickCount() - start < kQuitGraceMs) {
    loop_.DoEvents();
    Sleep(10);
  }
  LONG held = LiveObjects();
  journal_.Write(held == 0 ? "Quit: iTunes' warning would not have been shown (0 objects held)"
                           : "Quit: iTunes' warning would have been shown (" +
                                 std::to_string(held) + " objects still held)");
  clients_.Raise(itunes::win32::event_id::kQuitting);
  itunes_->Vanish();
  if (registration_) CoRevokeClassObject(registration_);
  registration_ = 0;
  loop_.Quit();
}

int StandIn::Run(const Options& options) {
  if (!options.journal.empty()) journal_.Open(options.journal);
  std::string art = Utf8(Folder() + L"\\demo");
  try {
    if (options.library.empty()) LoadDemoLibrary(*itunes_, art);
    else LoadLibraryFile(*itunes_, options.library, Utf8(Folder()));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "iTunesStandIn: cannot read the library: %s\n", e.what());
    return 2;
  }
  itunes_->Subscribe(this);
  loop_.DoEvents();

  WNDCLASSW wc{};
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kControlClass;
  RegisterClassW(&wc);
  control_ = CreateWindowExW(0, kControlClass, L"iTunes Stand-in", 0, 0, 0, 0, 0, nullptr,
                             nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTimer(control_, kPlaybackTimer, 1000, nullptr);

  HRESULT hr = CoRegisterClassObject(kITunesClass, static_cast<IClassFactory*>(this),
                                     CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &registration_);
  if (FAILED(hr)) {
    std::fprintf(stderr, "iTunesStandIn: cannot offer iTunes.Application (0x%08lX)\n",
                 static_cast<unsigned long>(hr));
    return 1;
  }
  journal_.Write("Started");
  int code = loop_.Run();
  if (registration_) CoRevokeClassObject(registration_);
  DestroyWindow(control_);
  return code;
}

int Send(const std::string& command) {
  HWND control = FindWindowW(kControlClass, nullptr);
  if (!control) {
    std::fprintf(stderr, "iTunesStandIn: no stand-in is running\n");
    return 1;
  }
  COPYDATASTRUCT data{0, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
  SendMessageW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  return 0;
}

}  // namespace
}  // namespace quavero::standin

int wmain(int argc, wchar_t** argv) {
  using namespace quavero::standin;
  Options options = ReadRememberedOptions();
  std::wstring action;
  std::string send;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if ((a == L"--journal" || a == L"--library" || a == L"--send") && i + 1 < argc) {
      std::wstring value = argv[++i];
      if (a == L"--journal") options.journal = value;
      else if (a == L"--library") options.library = value;
      else send = Utf8(value);
    } else if (a == L"--register" || a == L"--unregister") {
      action = a;
    } else if (a == L"-Embedding" || a == L"/Embedding" || a == L"1") {
      // started by COM for a client, or by the shell as Quavero starts "iTunes" with 1
    } else {
      std::fprintf(stderr, "usage: iTunesStandIn [--register|--unregister] [--journal FILE] "
                           "[--library FILE] [--send COMMAND]\n");
      return 2;
    }
  }
  if (!send.empty()) return Send(send);
  // Like iTunes, one runs at a time: a second start leaves the running one in charge.
  if (action.empty() && FindWindowW(kControlClass, nullptr)) return 0;
  if (action == L"--register") return Register(options);
  if (action == L"--unregister") return Unregister();
  if (FAILED(OleInitialize(nullptr))) return 1;
  int code;
  {
    StandIn stand_in;
    code = stand_in.Run(options);
  }
  OleUninitialize();
  return code;
}
