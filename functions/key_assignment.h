#pragma once
// The two programmable side keys PF1 and PF2 and the function each one is given. Both
// share image byte 306: PF1 in the low nibble, PF2 in the high nibble.
#include <QStringList>
#include <cstdint>

#include "core/radio_image.h"

namespace keys {

constexpr int kAssignment = image::kKeyAssignment;
constexpr uint8_t kPf1Bits = 0x0F;
constexpr uint8_t kPf2Bits = 0xF0;
constexpr int kPf2Shift = 4;

// List index of each key's list on the page. The two "1s" lists of the radio's long press
// are never shown; like PF2 they would use the high nibble.
constexpr int kPf1 = 0;
constexpr int kPf2 = 1;

}  // namespace keys

// Functions a side key can have; the value is both the stored nibble and the list entry.
enum class KeyFunction { None = 0, Monitor, Scan, Scramble, Alarm, Power, TalkAround };
constexpr int kKeyFunctionCount = 7;

// The entry a key's list shows for byte 306: its nibble when it names a function,
// otherwise None. The byte itself is not changed.
int keyFunctionEntry(uint8_t assignment, int key);

// Byte 306 with a function given to a key (list 0 = PF1 low nibble, any other list the
// high nibble); the other key's nibble is kept. A function outside the list changes nothing.
uint8_t withKeyFunction(uint8_t assignment, int key, int function);

// The seven function names in the language asked for, in list order.
QStringList keyFunctionTexts(bool english);
