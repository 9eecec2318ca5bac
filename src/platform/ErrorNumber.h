#pragma once

namespace kestrix {

// The numbers of the classic runtime's errors. Users who have met the game's
// tools know them, and the program relies on FileNotFound alone: it is what
// starting a setup tool that is not there raises.
namespace ErrorNumber {
inline constexpr int InternalError = 51;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
}  // namespace ErrorNumber

}  // namespace kestrix
