#include "itunes/link.h"

namespace quavero::itunes {

ApplicationPtr Link::GlobaliTunes() {
  if (!global_) global_ = platform_.CreateITunesApplication();
  return global_;
}

}  // namespace quavero::itunes
