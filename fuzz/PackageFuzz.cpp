// Fuzzes the package reader and what the install builds from a package: the
// description of its own manifest and the game's manifest with the product
// added. A package the reader accepts must hold only files that lie among its
// files, under names that stay in the game folder, each name once.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "manifest/FileEntry.h"
#include "package/IniEdit.h"
#include "package/ManifestAddition.h"
#include "package/PackageDescription.h"
#include "package/PackageRefusal.h"
#include "package/UmodArchive.h"

#include "Invariant.h"

namespace {

using namespace kestrix;

void checkArchive(std::string_view bytes) {
    UmodArchive archive;
    try {
        archive = UmodArchive::read(bytes);
    } catch (const PackageRefusal&) {
        return;
    }
    require(bytes.size() >= 20, "a package shorter than its trailer was read");
    std::set<std::string> names;
    for (const PackedFile& file : archive.files()) {
        require(file.bytes.data() >= bytes.data() &&
                    file.bytes.data() + file.bytes.size() <= bytes.data() + bytes.size() - 20,
                "a file's bytes lie outside the package's files");
        require(FileEntry::staysInside(file.name), "a name leads out of the game folder");
        require(names.insert(FileEntry::sameFileKey(file.name)).second, "a name came twice");
    }
}

// The input, split at its first NUL, as the package's manifest and the game's.
void checkManifests(std::string_view text) {
    const std::size_t split = text.find('\0');
    const std::string_view packageManifest = text.substr(0, split);
    const std::string_view gameManifest =
        split == std::string_view::npos ? std::string_view() : text.substr(split + 1);
    PackageDescription description;
    try {
        description = PackageDescription::parse(packageManifest, "");
    } catch (const PackageRefusal&) {
        return;
    }
    require(!description.product().empty(), "a package without a product was described");
    const std::vector<std::string> files = {"System\\Fuzz.u", "Maps\\DM-Fuzz.unr"};
    const std::string added = ManifestAddition::withProduct(gameManifest, description, files);
    const std::string section = "[" + description.product() + "]\r\n";
    require(added.find(section) != std::string::npos, "the product's section is missing");
    require(added.ends_with("File=Maps\\DM-Fuzz.unr\r\n\r\n"), "the section does not end the text");
    require(added.size() > gameManifest.size(), "the manifest lost bytes");
}

// The input's first line as a settings edit, the rest as the file it edits:
// the file it names lies in the settings folder, and an edit made once is
// there, so that making it again changes nothing.
void checkSettingsEdit(std::string_view text) {
    const std::size_t end = text.find('\n');
    const std::optional<IniEdit> edit =
        end == std::string_view::npos ? std::nullopt : IniEdit::parse(text.substr(0, end));
    if (!edit) {
        return;
    }
    require(edit->fileName().find_first_of("\\/:") == std::string::npos,
            "a settings file outside the settings folder");
    const std::optional<std::string> once = edit->appliedTo(text.substr(end + 1));
    require(!once || edit->appliedTo(*once) == once, "an edit made twice changed the text again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkArchive(input);
    checkManifests(input);
    checkSettingsEdit(input);
    return 0;
}
