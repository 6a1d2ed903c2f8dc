// The stand-in's COM objects: each answers the scripting names of iTunes by forwarding to the
// simulated iTunes.
#pragma once

#include <memory>

#include "dispatch_object.h"
#include "itunes/itunes.h"

namespace quavero::standin {

IDispatch* NewTrack(Journal& journal, itunes::TrackPtr track);        // nullptr for none
// A playlist reached through a source names that source in the journal.
IDispatch* NewPlaylist(Journal& journal, itunes::PlaylistPtr playlist, const std::string& source = "");
IDispatch* NewTrackCollection(Journal& journal, std::shared_ptr<itunes::Collection<itunes::Track>> c);
IDispatch* NewSources(Journal& journal, std::shared_ptr<itunes::Collection<itunes::Source>> c);
// The track an argument object stands for, when it is one of ours.
itunes::TrackPtr TrackOf(IDispatch* object);

}  // namespace quavero::standin
