#include "functions/key_assignment.h"

using namespace keys;

int keyFunctionEntry(uint8_t assignment, int key) {
    const int value = key == kPf1 ? (assignment & kPf1Bits) : (assignment >> kPf2Shift);
    return value < kKeyFunctionCount ? value : static_cast<int>(KeyFunction::None);
}

uint8_t withKeyFunction(uint8_t assignment, int key, int function) {
    if (function < 0 || function >= kKeyFunctionCount) return assignment;
    if (key == kPf1) return static_cast<uint8_t>((assignment & kPf2Bits) | function);
    return static_cast<uint8_t>((assignment & kPf1Bits) | (function << kPf2Shift));
}

QStringList keyFunctionTexts(bool english) {
    if (english)
        return {QStringLiteral("None"),       QStringLiteral("Monitor"), QStringLiteral("Scan"),
                QStringLiteral("Scramble"),   QStringLiteral("Alarm"),   QStringLiteral("Power"),
                QStringLiteral("Talk Around")};
    return {QStringLiteral("无"),     QStringLiteral("监听"), QStringLiteral("扫描"),
            QStringLiteral("扰频器"), QStringLiteral("报警"), QStringLiteral("发射功率"),
            QStringLiteral("脱网")};
}
