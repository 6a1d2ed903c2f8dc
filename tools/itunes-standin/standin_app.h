// The stand-in's application object ("iTunes.Application") with its connection point: the
// events of the simulated iTunes go to every connected client.
#pragma once

#include <map>
#include <memory>

#include <ocidl.h>
#include <olectl.h>

#include "dispatch_object.h"
#include "itunes/simulated_itunes.h"

namespace quavero::standin {

class Server;

// The clients' event sinks, shared by every application object a client creates.
class EventClients {
 public:
  DWORD Add(IDispatch* sink);
  bool Remove(DWORD cookie);
  void Raise(DISPID event);
  size_t count() const { return sinks_.size(); }
  bool refuse = false;  // subscriptions fail, as some iTunes versions make them fail

 private:
  std::map<DWORD, IDispatch*> sinks_;
  DWORD next_ = 1;
};

IDispatch* NewApplication(Journal& journal, Server& server);

// What the application object needs of the running server.
class Server {
 public:
  virtual ~Server() = default;
  virtual std::shared_ptr<itunes::SimulatedITunes> itunes() = 0;
  virtual EventClients& clients() = 0;
  virtual void RequestQuit() = 0;  // quits like iTunes, after the call has returned
};

}  // namespace quavero::standin
