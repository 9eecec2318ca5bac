// Fuzzes the manifest reader, the listing and the removal planning. The first
// byte of an input picks the package to remove, the rest is the manifest.
//
// The expectations are worked out here on their own, from the plain wording
// of the rules, rather than by the code under test: the lines outside the
// removed sections come out unchanged and in order, and nothing planned for
// deletion lies outside the game folder or is still listed elsewhere.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "manifest/ManifestReader.h"
#include "manifest/PackageList.h"
#include "manifest/RemovalPlan.h"
#include "manifest/SectionHeader.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace {

using namespace kestrix;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

struct Line {
    std::string_view text;
    std::string_view raw;
};

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// Lines end at LF, with a CR before it; in a file without any LF, at CR. A
// UTF-8 byte-order mark at the start belongs to no line.
std::vector<Line> splitLines(std::string_view manifest) {
    std::vector<Line> lines;
    const char end = manifest.find('\n') == std::string_view::npos ? '\r' : '\n';
    if (manifest.starts_with(utf8ByteOrderMark)) {
        manifest.remove_prefix(utf8ByteOrderMark.size());
    }
    while (!manifest.empty()) {
        const std::size_t lineEnd = manifest.find(end);
        const std::string_view raw =
            manifest.substr(0, lineEnd == std::string_view::npos ? manifest.size() : lineEnd + 1);
        std::string_view text = raw;
        if (text.ends_with(end)) {
            text.remove_suffix(1);
            if (end == '\n' && text.ends_with('\r')) {
                text.remove_suffix(1);
            }
        }
        lines.push_back({text, raw});
        manifest.remove_prefix(raw.size());
    }
    return lines;
}

bool isBlank(std::string_view text) {
    for (const char c : text) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

std::string_view fileEntry(std::string_view text, bool& isEntry) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    isEntry = text.starts_with("File=");
    text.remove_prefix(isEntry ? 5 : 0);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string> names(std::string_view path) {
    std::vector<std::string> result;
    std::string name;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            if (!name.empty() && name != ".") {
                result.push_back(name);
            }
            name.clear();
        } else {
            const char c = path[i];
            name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
    }
    return result;
}

// Joined to the game folder, the path names something below it.
bool insideGame(std::string_view path) {
    if (path.empty() || path.front() == '\\' || path.front() == '/' ||
        path.find(':') != std::string_view::npos || path.find('\0') != std::string_view::npos) {
        return false;
    }
    int depth = 0;
    for (const std::string& name : names(path)) {
        depth += name == ".." ? -1 : 1;
        if (depth < 0) {
            return false;
        }
    }
    return depth > 0;
}

void checkReader(std::string_view manifest, const std::vector<Line>& expected) {
    ManifestReader reader;
    reader.openText(manifest);
    std::size_t count = 0;
    while (!reader.atEnd()) {
        const ManifestLine line = reader.next();
        require(count < expected.size(), "the reader gives no more lines than there are");
        require(line.raw == expected[count].raw && line.text == expected[count].text,
                "each line as it stands in the text");
        ++count;
    }
    require(count == expected.size(), "the reader gives every line");
    try {
        reader.next();
        require(false, "a read past the end fails");
    } catch (const PlatformError& error) {
        require(error.number() == ErrorNumber::InputPastEndOfFile, "a read past the end is 62");
    }
}

std::vector<std::string> listEveryLine(const std::vector<Line>& lines) {
    std::vector<std::string> listed;
    for (const Line& line : lines) {
        const auto name = SectionHeader::nameOf(line.text);
        if (name && SectionHeader::namesPackage(*name)) {
            listed.emplace_back(*name);
        }
    }
    return listed;
}

void checkPlan(std::string_view manifest, const std::vector<Line>& lines,
               const std::string& package) {
    const RemovalPlan plan(manifest, package);

    // The mark stays whichever lines go.
    std::string kept(manifest.starts_with(utf8ByteOrderMark) ? utf8ByteOrderMark : "");
    std::vector<std::string_view> entries;
    std::vector<std::string_view> keptEntries;
    std::vector<std::vector<std::string>> stillListed;
    bool installed = false;
    bool inSection = false;
    for (const Line& line : lines) {
        const auto header = SectionHeader::nameOf(line.text);
        if (inSection && !header) {
            inSection = !isBlank(line.text);
            bool isEntry = false;
            const std::string_view path = fileEntry(line.text, isEntry);
            if (inSection && isEntry) {
                entries.push_back(path);
            }
            continue;
        }
        inSection = header && SectionHeader::namesPackage(*header) && *header == package;
        installed = installed || inSection;
        if (!inSection) {
            kept.append(line.raw);
            bool isEntry = false;
            const std::string_view path = fileEntry(line.text, isEntry);
            if (isEntry) {
                keptEntries.push_back(path);
                stillListed.push_back(names(path));
            }
        }
    }

    require(plan.installed() == installed, "installed when a section has the name");
    require(plan.newManifest() == kept, "every other line unchanged and in order");
    require(installed || plan.newManifest() == manifest, "an unknown name changes nothing");
    require(plan.fileEntries() == entries, "the removed sections' File= entries");
    require(plan.keptEntries() == keptEntries, "the File= entries of the lines that stay");

    bool anyOutside = false;
    for (const std::string_view entry : entries) {
        anyOutside = anyOutside || !insideGame(entry);
    }
    require(!anyOutside || !plan.unsafeEntries().empty(), "an entry outside the game is named");
    for (const std::string_view path : plan.filesToDelete()) {
        require(insideGame(path), "no deletion outside the game folder");
        for (const std::vector<std::string>& listed : stillListed) {
            require(listed != names(path), "no deletion of a file another section lists");
        }
    }
}

// UTF-16 text is not the game's: neither listed nor planned from, whatever
// follows its mark.
void checkRefused(std::string_view manifest) {
    try {
        listPackages(manifest);
        require(false, "a UTF-16 manifest is not listed");
    } catch (const PlatformError& error) {
        require(error.number() == ErrorNumber::PathFileAccessError, "a UTF-16 manifest is 75");
    }
    try {
        const RemovalPlan plan(manifest, "UnrealTournament");
        require(false, "a UTF-16 manifest is not planned from");
    } catch (const PlatformError& error) {
        require(error.number() == ErrorNumber::PathFileAccessError, "a UTF-16 manifest is 75");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view manifest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (manifest.starts_with("\xFF\xFE") || manifest.starts_with("\xFE\xFF")) {
        checkRefused(manifest);
        return 0;
    }
    const std::vector<Line> lines = splitLines(manifest);
    checkReader(manifest, lines);

    const std::vector<std::string> listed = listPackages(manifest);
    require(listed == listEveryLine(lines), "listing finds every header line");

    // Mostly a listed package; now and then a reserved or unknown name.
    const std::uint8_t pick = data[0];
    std::string package = "UnrealTournament";
    if (pick % 8 == 7) {
        package = std::string(1, static_cast<char>(pick));
    } else if (pick % 8 != 6 && !listed.empty()) {
        package = listed[pick % listed.size()];
    }
    checkPlan(manifest, lines, package);
    return 0;
}
