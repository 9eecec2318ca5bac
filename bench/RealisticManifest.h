#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrix {

// A manifest in the shape the game's setup tool writes: [Setup], the base
// game's [UnrealTournament] with its File= lines and the lines that hold
// blanks, parentheses, commas, double quotes and "][", [RefCounts], then one
// section per product. CR LF line ends and an empty line after every section,
// the last included. Every product also lists the base game's System\De.u,
// spelled "System\de.u", as add-ons do. Shared by the benchmark
// and the fuzz seeds.
class RealisticManifest {
public:
    RealisticManifest(std::size_t baseGameFiles, std::size_t products, std::size_t filesPerProduct);

    // About that many lines, in the same shape: the base game's ~1,900 files,
    // then as many products as fill the rest.
    static RealisticManifest withLines(std::size_t lines);

    const std::string& text() const { return m_text; }
    std::size_t products() const { return m_products; }

    // Products are numbered from 1.
    static std::string productName(std::size_t product);
    // The files only this product lists, as its File= entries write them.
    std::vector<std::string> productFiles(std::size_t product) const;
    // Its section exactly as it stands in text(), the ending empty line included.
    std::string productSection(std::size_t product) const;

    static constexpr const char* sharedFile = "System\\De.u";

private:
    std::size_t m_products;
    std::size_t m_filesPerProduct;
    std::string m_text;
};

}  // namespace kestrix
