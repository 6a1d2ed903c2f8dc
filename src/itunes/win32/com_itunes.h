// The iTunes scripting interface over COM: late-bound IDispatch on "iTunes.Application",
// events through the application's connection point.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "itunes/itunes.h"

namespace quavero::itunes::win32 {

// Connects to the running iTunes (the class "iTunes.Application"); throws a Failure when no
// connection can be made.
ApplicationPtr ConnectToITunes();
// An application object around a dispatch interface that answers as iTunes does.
ApplicationPtr WrapApplication(IDispatch* application);

// The events interface and its dispatch identifiers.
inline constexpr GUID kEventsInterface = {
    0x5846EB78, 0x317E, 0x4B6F, {0xB0, 0xC3, 0x11, 0xEE, 0x8C, 0x8F, 0xEE, 0xF2}};
namespace event_id {
inline constexpr DISPID kDatabaseChanged = 1;
inline constexpr DISPID kPlayerPlay = 2;
inline constexpr DISPID kPlayerStop = 3;
inline constexpr DISPID kPlayerPlayingTrackChanged = 4;
inline constexpr DISPID kUserInterfaceEnabled = 5;
inline constexpr DISPID kCOMCallsDisabled = 6;
inline constexpr DISPID kCOMCallsEnabled = 7;
inline constexpr DISPID kQuitting = 8;
inline constexpr DISPID kAboutToPromptUserToQuit = 9;
inline constexpr DISPID kSoundVolumeChanged = 10;
}  // namespace event_id

}  // namespace quavero::itunes::win32
