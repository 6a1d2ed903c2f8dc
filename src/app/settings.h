// The program's keys in the per-user settings store, with their defaults. All values are texts.
#pragma once

namespace quavero::app::settings {

inline constexpr char kApplication[] = "Quavero";
inline constexpr char kOptions[] = "Options";

inline constexpr char kRunCount[] = "RunCount";  // normal starts so far
inline constexpr char kRunCountDefault[] = "0";
inline constexpr char kCurrentSkin[] = "CurrentSkin";  // folder below \Skins\.
inline constexpr char kCurrentSkinDefault[] = "Default";
inline constexpr char kCloseiTunesOnExit[] = "CloseiTunesOnExit";  // "1": quit iTunes with us
inline constexpr char kCloseiTunesOnExitDefault[] = "0";
inline constexpr char kOpenQuaveroWithiTunes[] = "OpenQuaveroWithiTunes";
inline constexpr char kQuaveroTray[] = "QuaveroTray";
inline constexpr char kQuaveroTrayIcon[] = "QuaveroTrayIcon";

}  // namespace quavero::app::settings
