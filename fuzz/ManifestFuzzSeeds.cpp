// Writes the fuzz seed corpus into the folder given as the argument: small
// manifests in the game's shape and in the shapes that broke the original
// removal. Each file begins with the byte that picks the package to remove.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RealisticManifest.h"

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string realistic = kestrix::RealisticManifest(12, 3, 3).text();
    struct Seed {
        const char* name;
        char pick;
        std::string manifest;
    };
    const std::vector<Seed> seeds = {
        {"realistic", 1, realistic},
        {"realistic-lf", 2, replaced(realistic, "\r\n", "\n")},
        {"no-empty-lines", 1, replaced(realistic, "\r\n\r\n", "\r\n")},
        {"reserved-name", 6, realistic},
        {"unsafe-entries", 1,
         "[Setup]\r\nGroup=Bad\r\n\r\n[Bad]\r\nFile=System\\Bad.u\r\nFile=..\\..\\Windows\\x."
         "dll\r\n"
         "File=C:\\x\r\nFile=\\\\server\\share\\x\r\nFile=/etc/passwd\r\nFile=\r\n\r\n"},
        {"shared-files", 0,
         "[UnrealTournament]\r\nFile=System\\De.u\r\n\r\n[RefCounts]\r\nFile:System\\De.u=2\r\n\r\n"
         "[Pack]\r\nFile=system/DE.U\r\nFile=System\\\\Pack.u\r\nFile=System\\.\\pack.u  \r\n\r\n"},
        {"odd-headers", 2,
         "  [A,B]  \r\nFile=a\r\n[\r\nFile=b\r\n[]\r\n[Deck16][]\r\n\xEF\xBB\xBF[Bom]\n"
         "[Open\r\nCopy=(Src=x,Master=y)\r\nWin=\"%Product%\"\tcaf\xC3\xA9\r\n[A,B]\r\nlast"},
    };
    for (const Seed& seed : seeds) {
        std::ofstream(std::filesystem::path(argv[1]) / seed.name, std::ios::binary)
            << seed.pick << seed.manifest;
    }
    return 0;
}
