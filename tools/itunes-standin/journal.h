// The stand-in's journal: one line for every call it receives, flushed at once, so that a test
// can read what reached "iTunes".
#pragma once

#include <cstdio>
#include <string>

namespace quavero::standin {

class Journal {
 public:
  ~Journal() {
    if (file_) std::fclose(file_);
  }
  void Open(const std::wstring& path) { file_ = _wfopen(path.c_str(), L"ab"); }
  void Write(const std::string& line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fputs("\r\n", file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace quavero::standin
