#pragma once

#include <string>

#include "itunes/simulated_itunes.h"

namespace quavero::standin {

// A dozen tracks with artwork pictures from art_folder; the first one plays.
void LoadDemoLibrary(itunes::SimulatedITunes& itunes, const std::string& art_folder);
// A library from a JSON file; relative artwork names lie in folder.
void LoadLibraryFile(itunes::SimulatedITunes& itunes, const std::wstring& file,
                     const std::string& folder);

}  // namespace quavero::standin
