#include "RealisticManifest.h"

#include <algorithm>

namespace kestrix {

namespace {

constexpr std::size_t productFilesWhenScaled = 20;
// The lines of the fixed sections apart from the base game's File= lines.
constexpr std::size_t fixedLines = 40;

void line(std::string& text, const std::string& content) {
    text += content;
    text += "\r\n";
}

std::string baseGameFile(std::size_t index) {
    static const char* const folders[] = {"System\\", "Textures\\", "Sounds\\", "Music\\",
                                          "Maps\\"};
    static const char* const extensions[] = {".u", ".utx", ".uax", ".umx", ".unr"};
    const std::size_t kind = index % 5;
    return std::string(folders[kind]) + "Base File " + std::to_string(index) + extensions[kind];
}

}  // namespace

RealisticManifest::RealisticManifest(std::size_t baseGameFiles, std::size_t products,
                                     std::size_t filesPerProduct)
    : m_products(products), m_filesPerProduct(filesPerProduct) {
    std::string& t = m_text;
    line(t, "[Setup]");
    line(t, "Product=UnrealTournament");
    line(t, "Language=int");
    line(t, "Exe=System\\UnrealTournament.exe");
    line(t, "SrcPath=D:\\");
    line(t, "MasterProduct=UnrealTournament");
    line(t, "Group=SetupGroup");
    line(t, "Group=UnrealTournament");
    for (std::size_t p = 1; p <= products; ++p) {
        line(t, "Group=" + productName(p));
    }
    line(t, "");

    line(t, "[UnrealTournament]");
    line(t, "Caption=Unreal Tournament");
    line(t, "Version=436");
    line(t, "Copy=(Src=System\\Manifest.ini,Master=System\\Manifest.ini,Size=12986,Flags=3)");
    line(t, "Backup=System\\UnrealTournament.ini");
    line(t, "Delete=System\\User.ini");
    line(t,
         "WinRegistry=HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed "
         "Apps\\UnrealTournament\\Folder=%DestPath%");
    line(t,
         "WinRegistry=HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed "
         "Apps\\UnrealTournament\\UninstallString=%DestPath%\\System\\Setup.exe uninstall "
         "\"%Product%\"");
    line(t, "Folder=System\\");
    line(t, "Folder=Maps\\");
    line(t, "Shortcut=Unreal Tournament (Play),System\\UnrealTournament.exe,,System\\");
    line(t, "Shortcut=Unreal Tournament (Safe Mode),System\\UnrealTournament.exe,-safe,System\\");
    line(t, std::string("File=") + sharedFile);
    line(t, "File=Maps\\DM-Deck16][.unr");
    for (std::size_t i = 2; i < baseGameFiles; ++i) {
        line(t, "File=" + baseGameFile(i));
    }
    line(t, "");

    line(t, "[RefCounts]");
    line(t, std::string("File:") + sharedFile + "=" + std::to_string(products + 1));
    line(t, "File:Maps\\DM-Deck16][.unr=1");
    line(t, "");

    for (std::size_t p = 1; p <= products; ++p) {
        t += productSection(p);
    }
}

RealisticManifest RealisticManifest::withLines(std::size_t lines) {
    const std::size_t baseGameFiles = std::min<std::size_t>(1900, lines * 19 / 20);
    const std::size_t perProduct = productFilesWhenScaled + 6;
    const std::size_t rest =
        lines > baseGameFiles + fixedLines ? lines - baseGameFiles - fixedLines : 0;
    return RealisticManifest(baseGameFiles, std::max<std::size_t>(2, rest / (perProduct + 1)),
                             productFilesWhenScaled);
}

std::string RealisticManifest::productName(std::size_t product) {
    return "BonusPack" + std::to_string(product);
}

std::vector<std::string> RealisticManifest::productFiles(std::size_t product) const {
    const std::string name = productName(product);
    std::vector<std::string> files{"System\\" + name + ".u", "System\\" + name + ".int"};
    for (std::size_t i = files.size(); i < m_filesPerProduct; ++i) {
        files.push_back("Maps\\DM-" + name + " (" + std::to_string(i) + ").unr");
    }
    files.resize(m_filesPerProduct);
    return files;
}

std::string RealisticManifest::productSection(std::size_t product) const {
    std::string t;
    line(t, std::string(1, '[') + productName(product) + "]");
    line(t, "Caption=Bonus Pack " + std::to_string(product) + " (maps, skins)");
    line(t, "Version=" + std::to_string(100 + product));
    for (const std::string& file : productFiles(product)) {
        line(t, "File=" + file);
    }
    line(t, "File=System\\de.u");
    line(t, "Requires=UnrealTournament");
    line(t, "");
    return t;
}

}  // namespace kestrix
