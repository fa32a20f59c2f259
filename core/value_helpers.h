#pragma once
// Small value routines shared by the pages when they write into the image.
#include <cstdint>

// The value shifted left by n bits, kept to a byte; n >= 8 gives 0. bitMask(1, n) is the
// mask of bit n.
constexpr uint8_t bitMask(uint8_t value, int n) {
    return n <= 0 ? value : n >= 8 ? 0 : static_cast<uint8_t>(value << n);
}

// Packs a two-digit value 0..99 as two BCD digits: 47 -> 0x47.
constexpr uint8_t bcdPack(int value) {
    return static_cast<uint8_t>((value / 10) * 16 + value % 10);
}
