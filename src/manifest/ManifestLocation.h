#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrix {

// Where a game folder keeps its manifest, as Windows texts joined as they
// stand: a game folder at a drive root ("C:\") gives doubled separators, which
// the drive table reads as one. The one place that spells the manifest's file
// names, so that the removal's own files and the files it must never delete
// cannot drift apart.
class ManifestLocation {
public:
    static std::string iniPath(std::string_view gameDir);
    // The replacement, written in full before the swap.
    static std::string newPath(std::string_view gameDir);
    static std::string bakPath(std::string_view gameDir);
    // The backup while it is being made, before it takes bakPath's place;
    // also beside the backup's host path as found, which needs no second
    // lookup in a folder that may not be listed.
    static std::string bakInProgressPath(std::string_view gameDir);
    static std::filesystem::path bakInProgressPath(const std::filesystem::path& hostBakPath);

    // Whether a package entry, as FileEntry::sameFileKey gives it, names one
    // of the manifest's own files.
    static bool isManifestFile(std::string_view sameFileKey);
};

}  // namespace kestrix
