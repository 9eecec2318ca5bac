#pragma once

namespace kestrix::SettingsKeys {

// Where the two remembered directories live in the settings store. Earlier
// versions stored them under these names, so they must not change.
inline constexpr const char* Application = "KESTRIX";
inline constexpr const char* GameDirSection = "UTPath";
inline constexpr const char* PackageDirSection = "UMODPath";
inline constexpr const char* Key = "Path";

}  // namespace kestrix::SettingsKeys
