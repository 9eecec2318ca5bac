#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

class PackageDescription;

// The game's manifest with one more product recorded, in the shape the game's
// setup tool leaves: "Group=<product>" after the last Group= line of [Setup],
// each file counted once more in [RefCounts] ("File:System\Foo.u=1"), and a
// section of its own at the end with its Caption, Version and File= lines.
// Every other byte stays as it was, line ends included; new lines end in
// CR LF.
class ManifestAddition {
public:
    static std::string withProduct(std::string_view manifest, const PackageDescription& description,
                                   const std::vector<std::string>& files);
};

}  // namespace kestrix
