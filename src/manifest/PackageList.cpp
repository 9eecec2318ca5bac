#include "manifest/PackageList.h"

#include "manifest/GameGroups.h"
#include "manifest/ManifestEncoding.h"
#include "manifest/ManifestLocation.h"
#include "manifest/ManifestReader.h"
#include "manifest/SectionHeader.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"

namespace kestrix {

std::vector<std::string> listPackages(std::string_view manifest, const CodePage& codePage) {
    const ManifestEncoding encoding = ManifestEncoding::of(manifest, codePage);
    const std::string decoded = encoding.needsDecoding() ? encoding.textOf(manifest) : "";
    const std::string_view text = encoding.needsDecoding() ? decoded : manifest;
    const GameGroups gameGroups(text);

    std::vector<std::string> names;
    ManifestReader reader;
    reader.openText(text);
    while (!reader.atEnd()) {
        const auto name = SectionHeader::nameOf(reader.next().text);
        if (name && SectionHeader::namesPackage(*name) && !gameGroups.contains(*name)) {
            names.push_back(encoding.forWindow(*name));
        }
    }
    return names;
}

std::vector<std::string> listPackages(const std::string& gameDir, const DriveTable& drives) {
    const std::string manifest =
        HostFileOperations().readFile(drives.toHost(ManifestLocation::iniPath(gameDir)));
    return listPackages(manifest, drives.codePage());
}

}  // namespace kestrix
