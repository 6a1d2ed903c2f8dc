// Wrapping iTunes' dispatch objects into the engine's interfaces.
#pragma once

#include "itunes/itunes.h"
#include "itunes/win32/dispatch.h"

namespace quavero::itunes::win32 {

TrackPtr MakeTrack(ComPtr<IDispatch> track);          // nullptr for Nothing
PlaylistPtr MakePlaylist(ComPtr<IDispatch> playlist);  // nullptr for Nothing
std::shared_ptr<Collection<Source>> MakeSources(ComPtr<IDispatch> sources);

}  // namespace quavero::itunes::win32
