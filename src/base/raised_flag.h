// A flag raised for as long as a scope lasts, then given back its old value however the scope
// ends: "a handler is running", "a box is open".
#pragma once

namespace quavero {

class RaisedFlag {
 public:
  explicit RaisedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~RaisedFlag() { flag_ = old_; }
  RaisedFlag(const RaisedFlag&) = delete;
  RaisedFlag& operator=(const RaisedFlag&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace quavero
