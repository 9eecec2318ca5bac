#include "package/Crc32.h"

#include <array>

namespace kestrix {

namespace {

constexpr std::uint32_t polynomial = 0x04C11DB7;
constexpr std::uint32_t reflectedPolynomial = 0xEDB88320;

constexpr std::array<std::uint32_t, 256> topBitTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ polynomial : crc << 1;
        }
        table[i] = crc;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> bottomBitTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1U) != 0 ? (crc >> 1) ^ reflectedPolynomial : crc >> 1;
        }
        table[i] = crc;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> engineTable = topBitTable();
constexpr std::array<std::uint32_t, 256> reflectedTable = bottomBitTable();

}  // namespace

std::uint32_t Crc32::engine(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : bytes) {
        crc = (crc << 8) ^ engineTable[((crc >> 24) ^ static_cast<unsigned char>(c)) & 0xFFU];
    }
    return ~crc;
}

std::uint32_t Crc32::reflected(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : bytes) {
        crc = (crc >> 8) ^ reflectedTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFU];
    }
    return ~crc;
}

}  // namespace kestrix
