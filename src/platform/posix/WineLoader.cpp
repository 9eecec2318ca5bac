#include "platform/posix/WineLoader.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace kestrix {

namespace fs = std::filesystem;

namespace {

enum class FileKind { Elf32, Elf64, Script, Other };

FileKind kindOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char head[5] = {};
    in.read(head, sizeof head);
    const std::string bytes(head, static_cast<std::size_t>(in.gcount()));
    if (bytes.starts_with("#!")) {
        return FileKind::Script;
    }
    if (bytes.size() == 5 && bytes.starts_with("\177ELF")) {
        return bytes[4] == 1 ? FileKind::Elf32 : FileKind::Elf64;
    }
    return FileKind::Other;
}

// Where Debian's and Ubuntu's wine32:i386 puts the loader that their
// launcher script looks for.
const fs::path DistributionLoader32 = "/usr/lib/wine/wine";

bool namesDistributionLoader(const fs::path& script) {
    std::ifstream in(script);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.find(DistributionLoader32.string()) != std::string::npos;
}

}  // namespace

bool WineLoader::runs32BitPrograms(const fs::path& wine) {
    std::error_code error;
    const fs::path loader = fs::canonical(wine, error);
    if (error) {
        return true;
    }
    switch (kindOf(loader)) {
        case FileKind::Elf32:
            return true;
        case FileKind::Elf64:
            // A 64-bit "wine" is the loader of Wine's newer builds, which run
            // 32-bit programs themselves; "wine64" needs its 32-bit twin.
            return loader.filename() != "wine64" ||
                   kindOf(loader.parent_path() / "wine") == FileKind::Elf32;
        case FileKind::Script:
            return !namesDistributionLoader(loader) ||
                   kindOf(DistributionLoader32) == FileKind::Elf32;
        case FileKind::Other:
            return true;
    }
    return true;
}

}  // namespace kestrix
