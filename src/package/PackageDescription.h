#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// A product a package needs installed first, at least at a version when one
// is given.
struct Requirement {
    std::string product;
    std::string version;
};

// What a package's own System\Manifest.ini (with its Manifest.int) says about
// it: its [Setup] names the product, its version, what it requires and its
// groups, whose entries say which of its files are installed; "Requires=X" names a section of the
// package's manifest whose Product= and Version= say what is needed, or the product itself when
// there is no such section. The groups' Ini= and AddIni= lines edit the player's settings.
class PackageDescription {
public:
    // Raises PackageRefusal when [Setup] names no product.
    static PackageDescription parse(std::string_view manifestIni, std::string_view manifestInt);

    const std::string& product() const { return m_product; }
    const std::string& version() const { return m_version; }
    // The product's name as the package shows it, else the product.
    const std::string& caption() const { return m_caption; }
    const std::vector<Requirement>& requirements() const { return m_requirements; }
    // The groups' settings edits, each as written ("AddIni=User.ini,Section.Key=Value").
    const std::vector<std::string>& iniEdits() const { return m_iniEdits; }
    // The files the groups' File= and Copy= entries install, as their Src=
    // names them (possibly with "*" and "?"); an entry with Flags=3 is the
    // setup's own and installs nothing.
    const std::vector<std::string>& groupFiles() const { return m_groupFiles; }

private:
    std::string m_product;
    std::string m_version;
    std::string m_caption;
    std::vector<Requirement> m_requirements;
    std::vector<std::string> m_iniEdits;
    std::vector<std::string> m_groupFiles;
};

}  // namespace kestrix
