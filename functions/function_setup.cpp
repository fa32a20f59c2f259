#include "functions/function_setup.h"

using namespace option;

namespace {

// The list entry for a whole-byte value; a value above the list's last entry is replaced
// in the image by the default and the default entry is shown.
int correctedEntry(uint8_t& value, int max, int replacement) {
    if (value > max) value = static_cast<uint8_t>(replacement);
    return value;
}

// Replaces the high digit of a BCD byte when it is not a decimal digit.
void correctHighDigit(uint8_t& value, int replacement) {
    if ((value >> 4) > kDigitMax)
        value = static_cast<uint8_t>((value & kLowDigit) | (replacement << 4));
}

// Replaces the low digit of a BCD byte when it is not a decimal digit.
void correctLowDigit(uint8_t& value, int replacement) {
    if ((value & kLowDigit) > kDigitMax)
        value = static_cast<uint8_t>((value & kHighDigit) | replacement);
}

QString hexText(uint8_t value) { return QString::number(value, 16).toUpper(); }

QString offText(bool english) { return english ? QStringLiteral("Off") : QStringLiteral("关"); }

}  // namespace

OptionView analyseOption(ImageBytes& image) {
    OptionView view;
    view.timeOutTimer =
        correctedEntry(image[kTimeOutTimer], kTimeOutTimerMax, kTimeOutTimerDefault);
    view.timeOutWarning =
        correctedEntry(image[kTimeOutWarning], kTimeOutWarningMax, kTimeOutWarningDefault);
    view.squelchLevel =
        correctedEntry(image[kSquelchLevel], kSquelchLevelMax, kSquelchLevelDefault);
    view.voicePrompt = voicePromptEntry(image[kFeatures]);

    // VOX level first, then VOX delay: each correction keeps the other nibble.
    uint8_t& vox = image[kVox];
    if ((vox & kVoxLevelBits) > kVoxLevelMax)
        vox = static_cast<uint8_t>((vox & kVoxDelayBits) | kVoxLevelDefault);
    view.voxLevel = vox & kVoxLevelBits;
    if ((vox >> kVoxDelayShift) > kVoxDelayMax)
        vox = static_cast<uint8_t>((vox & kVoxLevelBits) | (kVoxDelayDefault << kVoxDelayShift));
    view.voxDelay = vox >> kVoxDelayShift;

    view.alertMethod = alertMethodEntry(image[kAlertMethod]);

    const uint8_t features = image[kFeatures];
    view.batterySave = features & kBatterySaveBit;
    view.scramble = features & kScrambleBit;
    view.beep = features & kBeepBit;
    view.roger = features & kRogerBit;
    view.freqHopping = features & kFreqHoppingBit;

    uint8_t& bank = image[kInfraredBank];
    correctHighDigit(bank, kInfraredBankDigitDefault);
    correctLowDigit(bank, kInfraredBankDigitDefault);
    view.infraredBank = QStringLiteral("%1").arg(bank, 2, 16, QLatin1Char('0')).toUpper();

    uint8_t& tensUnits = image[kInfraredTensUnits];
    correctHighDigit(tensUnits, kInfraredNumberDigitDefault);
    correctLowDigit(tensUnits, kInfraredNumberDigitDefault);
    uint8_t& hundreds = image[kInfraredHundreds];
    if (hundreds > kDigitMax) hundreds = kInfraredNumberDigitDefault;
    view.infraredNumber = hexText(hundreds) + hexText(tensUnits);
    return view;
}

int voicePromptEntry(uint8_t features) {
    switch (features & kVoicePromptBits) {
        case kVoiceEnglish:
            return static_cast<int>(VoicePrompt::English);
        case kVoiceChinese:
            return static_cast<int>(VoicePrompt::Chinese);
        default:
            return static_cast<int>(VoicePrompt::Off);
    }
}

uint8_t withVoicePrompt(uint8_t features, int entry) {
    features &= static_cast<uint8_t>(~kVoicePromptBits);
    if (entry == static_cast<int>(VoicePrompt::Chinese)) features |= kVoiceChinese;
    if (entry == static_cast<int>(VoicePrompt::English)) features |= kVoiceEnglish;
    return features;
}

int alertMethodEntry(uint8_t alertByte) {
    const int method = alertByte >> kAlertMethodShift;
    return method != 0 ? method - 1 : 0;
}

uint8_t optionCheckBit(OptionCheck check) {
    switch (check) {
        case OptionCheck::BatterySave:
            return kBatterySaveBit;
        case OptionCheck::Scramble:
            return kScrambleBit;
        case OptionCheck::Beep:
            return kBeepBit;
        case OptionCheck::Roger:
            return kRogerBit;
        case OptionCheck::FreqHopping:
            return kFreqHoppingBit;
    }
    return 0;
}

void writeOptionList(ImageBytes& image, OptionList list, int entry) {
    // A list reports -1 when nothing is selected; that is no choice and writes nothing.
    switch (list) {
        case OptionList::TimeOutTimer:
            if (entry >= 0 && entry <= kTimeOutTimerMax)
                image[kTimeOutTimer] = static_cast<uint8_t>(entry);
            break;
        case OptionList::TimeOutWarning:
            if (entry >= 0 && entry <= kTimeOutWarningMax)
                image[kTimeOutWarning] = static_cast<uint8_t>(entry);
            break;
        case OptionList::SquelchLevel:
            if (entry >= 0 && entry <= kSquelchLevelMax)
                image[kSquelchLevel] = static_cast<uint8_t>(entry);
            break;
        case OptionList::VoicePrompt:
            if (entry >= 0 && entry <= static_cast<int>(VoicePrompt::English))
                image[kFeatures] = withVoicePrompt(image[kFeatures], entry);
            break;
    }
}

void writeOptionCheck(ImageBytes& image, OptionCheck check, bool ticked) {
    const uint8_t bit = optionCheckBit(check);
    if (ticked)
        image[kFeatures] |= bit;
    else
        image[kFeatures] &= static_cast<uint8_t>(~bit);
}

QStringList timeOutTimerEntries(bool english) {
    QStringList entries{offText(english)};
    for (int n = 1; n <= kTimeOutTimerMax; ++n)
        entries << QString::number(n * kTimeOutTimerStepSeconds);
    return entries;
}

QStringList timeOutWarningEntries(bool english) {
    QStringList entries{offText(english)};
    for (int n = 1; n <= kTimeOutWarningMax; ++n) entries << QString::number(n);
    return entries;
}

QStringList squelchLevelEntries() {
    QStringList entries;
    for (int n = 0; n <= kSquelchLevelMax; ++n) entries << QString::number(n);
    return entries;
}

QStringList voicePromptEntries(bool english) {
    if (english)
        return {QStringLiteral("Off"), QStringLiteral("Chinese"), QStringLiteral("English")};
    return {QStringLiteral("关"), QStringLiteral("中文"), QStringLiteral("英文")};
}
