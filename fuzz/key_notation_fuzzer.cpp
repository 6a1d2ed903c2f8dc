// Key notations: every word of a combination as AddKey reads it, then the record the program
// keeps of registered combinations.
#include "base/text.h"
#include "fuzz_support.h"
#include "hotkeys/key_notation.h"
#include "hotkeys/vb_hotkey.h"

using namespace quavero;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  hotkeys::KeySettings settings;
  try {
    for (const auto& word : text::Split(fuzz::Text(data, size), '+')) hotkeys::AddKeyWord(settings, word);
  } catch (const Failure&) {
    // a key number out of range overflows; loading the skin reports it
  }
  hotkeys::CombinationRecord(settings);
  return 0;
}
