#include "manifest/PackageList.h"

#include "manifest/ManifestLocation.h"
#include "manifest/ManifestReader.h"
#include "manifest/SectionHeader.h"
#include "platform/DriveTable.h"

namespace kestrix {

namespace {

std::vector<std::string> namesIn(ManifestReader& reader) {
    std::vector<std::string> names;
    while (!reader.atEnd()) {
        const auto name = SectionHeader::nameOf(reader.next().text);
        if (name && SectionHeader::namesPackage(*name)) {
            names.emplace_back(*name);
        }
    }
    reader.close();
    return names;
}

}  // namespace

std::vector<std::string> listPackages(std::string_view manifest) {
    ManifestReader reader;
    reader.openText(manifest);
    return namesIn(reader);
}

std::vector<std::string> listPackages(const std::string& gameDir, const DriveTable& drives) {
    ManifestReader reader;
    reader.open(drives.toHost(ManifestLocation::iniPath(gameDir)));
    return namesIn(reader);
}

}  // namespace kestrix
