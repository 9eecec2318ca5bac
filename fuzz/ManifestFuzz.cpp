// Fuzzes the manifest's encoding decision, the reader, the listing and the
// removal planning. The first byte of an input picks the package to remove,
// the rest is the manifest.
//
// The expectations are worked out here on their own, from the plain wording
// of the rules, rather than by the code under test: the lines outside the
// removed sections come out unchanged and in order, and nothing planned for
// deletion lies outside the game folder or is still listed elsewhere.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "manifest/FileEntry.h"
#include "manifest/GameGroups.h"
#include "manifest/ManifestEncoding.h"
#include "manifest/ManifestReader.h"
#include "manifest/PackageList.h"
#include "manifest/RemovalPlan.h"
#include "manifest/SectionHeader.h"
#include "platform/CodePage.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

#include "Invariant.h"

namespace {

using namespace kestrix;

struct Line {
    std::string_view text;
    std::string_view raw;
};

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence at the start of text, 0 when
// there is none: the table of well-formed byte sequences, row by row.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto at = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0x100U;
    };
    const auto in = [](unsigned byte, unsigned low, unsigned high) {
        return byte >= low && byte <= high;
    };
    const unsigned lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    if (in(lead, 0xC2, 0xDF)) {
        return in(at(1), 0x80, 0xBF) ? 2 : 0;
    }
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (in(lead, 0xE0, 0xEF)) {
        return in(at(1), low, high) && in(at(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (in(lead, 0xF0, 0xF4)) {
        return in(at(1), low, high) && in(at(2), 0x80, 0xBF) && in(at(3), 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

ManifestEncoding::Form expectedForm(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return ManifestEncoding::Form::Utf16Le;
    }
    bool multiByte = false;
    while (!bytes.empty()) {
        const std::size_t length = utf8SequenceLength(bytes);
        if (length == 0) {
            return ManifestEncoding::Form::CodePage;
        }
        multiByte = multiByte || length > 1;
        bytes.remove_prefix(length);
    }
    return multiByte ? ManifestEncoding::Form::Utf8 : ManifestEncoding::Form::CodePage;
}

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

// The game's own groups are the one thing the listing leaves out by content.
std::vector<std::string> listEveryLine(const std::vector<Line>& lines,
                                       const ManifestEncoding& encoding,
                                       const GameGroups& gameGroups) {
    std::vector<std::string> listed;
    for (const Line& line : lines) {
        const auto name = SectionHeader::nameOf(line.text);
        if (name && SectionHeader::namesPackage(*name) && !gameGroups.contains(*name)) {
            listed.push_back(encoding.forWindow(*name));
        }
    }
    return listed;
}

void checkPlan(std::string_view manifest, const std::vector<Line>& lines,
               const std::string& package, const ManifestEncoding& encoding,
               const GameGroups& gameGroups) {
    const RemovalPlan plan(manifest, package, CodePage::windows1252());

    std::vector<std::pair<const Line*, std::optional<std::string_view>>> keptLines;
    std::optional<std::string_view> section;
    std::optional<std::string_view> removedHeader;
    std::vector<std::string_view> entries;
    std::vector<std::string_view> keptEntries;
    std::vector<std::vector<std::string>> stillListed;
    bool installed = false;
    bool inSection = false;
    for (const Line& line : lines) {
        const auto header = SectionHeader::nameOf(line.text);
        if (inSection && !header) {
            inSection = !isBlank(line.text);
            if (!inSection) {
                section.reset();
            }
            bool isEntry = false;
            const std::string_view path = fileEntry(line.text, isEntry);
            if (inSection && isEntry) {
                entries.push_back(path);
            }
            continue;
        }
        inSection = header && SectionHeader::namesPackage(*header) &&
                    encoding.forWindow(*header) == package && !gameGroups.contains(*header);
        installed = installed || inSection;
        if (inSection && !removedHeader) {
            removedHeader = *header;
        }
        if (header) {
            section = *header;
        }
        if (!inSection) {
            keptLines.emplace_back(&line, section);
            bool isEntry = false;
            const std::string_view path = fileEntry(line.text, isEntry);
            if (isEntry) {
                keptEntries.push_back(path);
                stillListed.push_back(names(path));
            }
        }
    }

    // What the install recorded elsewhere goes too: the product's Group= line
    // in [Setup], and one count in [RefCounts] for each of its File= entries.
    std::map<std::string, long> uses;
    const auto keyOf = [&](std::string_view path) {
        return FileEntry::sameFileKey(encoding.toCodePage(path).value_or(std::string(path)));
    };
    for (const std::string_view path : entries) {
        ++uses[keyOf(path)];
    }
    // The mark stays whichever lines go.
    std::string kept(manifest.starts_with(utf8ByteOrderMark) ? utf8ByteOrderMark : "");
    for (const auto& [line, in] : keptLines) {
        const std::string_view text = line->text;
        const std::size_t equals = text.rfind('=');
        const std::string_view count =
            equals == std::string_view::npos ? "" : text.substr(equals + 1);
        if (removedHeader && in == "Setup" && text == "Group=" + std::string(*removedHeader)) {
            continue;
        }
        if (removedHeader && in == "RefCounts" && text.starts_with("File:") && !count.empty() &&
            count.size() <= 9 && count.find_first_not_of("0123456789") == std::string_view::npos &&
            uses.contains(keyOf(text.substr(5, equals - 5)))) {
            const long left =
                std::stol(std::string(count)) - uses[keyOf(text.substr(5, equals - 5))];
            if (left > 0) {
                kept.append(text.substr(0, equals + 1)).append(std::to_string(left));
                kept.append(line->raw.substr(text.size()));
            }
            continue;
        }
        kept.append(line->raw);
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

// UTF-16 text comes back byte for byte from its decoded form, and a removal
// that finds nothing rewrites it unchanged.
void checkUtf16(std::string_view manifest, const ManifestEncoding& encoding) {
    if (manifest.size() % 2 != 0) {
        try {
            encoding.textOf(manifest);
            require(false, "a UTF-16 text cut in a character is refused");
        } catch (const PlatformError& error) {
            require(error.number() == ErrorNumber::PathFileAccessError, "a cut UTF-16 text is 75");
        }
        return;
    }
    require(encoding.bytesOf(encoding.textOf(manifest)) == manifest, "UTF-16 round trip");
    const RemovalPlan plan(manifest, "\x01", CodePage::windows1252());
    require(!plan.installed() && plan.newManifest() == manifest, "UTF-16 kept as it stands");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view manifest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ManifestEncoding encoding = ManifestEncoding::of(manifest, CodePage::windows1252());
    require(encoding.form() == expectedForm(manifest), "the encoding as the game decides it");
    if (encoding.form() == ManifestEncoding::Form::Utf16Le) {
        checkUtf16(manifest, encoding);
        return 0;
    }
    const std::vector<Line> lines = splitLines(manifest);
    checkReader(manifest, lines);
    const GameGroups gameGroups(manifest);

    const std::vector<std::string> listed = listPackages(manifest, CodePage::windows1252());
    require(listed == listEveryLine(lines, encoding, gameGroups),
            "listing finds every header line");

    // Mostly a listed package; now and then a reserved or unknown name.
    const std::uint8_t pick = data[0];
    std::string package = "UnrealTournament";
    if (pick % 8 == 7) {
        package = std::string(1, static_cast<char>(pick));
    } else if (pick % 8 != 6 && !listed.empty()) {
        package = listed[pick % listed.size()];
    }
    checkPlan(manifest, lines, package, encoding, gameGroups);
    return 0;
}
