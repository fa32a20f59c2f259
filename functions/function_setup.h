#pragma once
// The radio's general functions in the function-setup bytes of the image (275..313): where
// each one lives, how the page's lists and check boxes map onto those bytes, and how a
// reload puts out-of-range values right.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/global_state.h"
#include "core/radio_image.h"
#include "core/value_helpers.h"

namespace option {

// Whole-byte settings of functions the page does not show; only the corrections below
// ever change them.
constexpr int kCallResponse = 275;  // index 0..5 of the call-response list
constexpr int kVoxCancel = 279;     // 1 = VOX can be cancelled
constexpr int kSquelchTail = 287;   // 1 = squelch-tail elimination without CTCSS/DCS
constexpr int kMicReduction = 295;  // index 0..2 of the noise-reduction list
constexpr int kAlertLock = 296;     // 0 = locked, 1 = not locked
constexpr int kResetAllowed = 299;  // 1 = reset allowed
constexpr int kBandExtension = image::kExtensionOption;

// Byte 303: one bit per switchable function plus the two voice-prompt bits.
constexpr int kFeatures = 303;
constexpr uint8_t kBatterySaveBit = bitMask(1, 0);
constexpr uint8_t kBeepBit = bitMask(1, 1);
constexpr uint8_t kVoicePromptBits = bitMask(1, 2) | bitMask(1, 3);
constexpr uint8_t kVoiceChinese = bitMask(1, 2) | bitMask(1, 3);  // bits 2-3 = 11
constexpr uint8_t kVoiceEnglish = bitMask(1, 3);                  // bits 2-3 = 10
constexpr uint8_t kVoxBit = bitMask(1, 4);
constexpr uint8_t kScrambleBit = bitMask(1, 5);
constexpr uint8_t kRogerBit = bitMask(1, 6);  // end-of-transmission tone
constexpr uint8_t kFreqHoppingBit = bitMask(1, 7);

constexpr int kTimeOutTimer = 304;    // 0 = off, n = 15 * n seconds
constexpr int kTimeOutWarning = 305;  // 0 = off, n = n seconds
constexpr int kSquelchLevel = 308;    // 0..9

// Byte 309: VOX level in the low nibble (0 = off), VOX delay index in the high nibble.
constexpr int kVox = image::kVoxLevel;
constexpr uint8_t kVoxLevelBits = 0x0F;
constexpr uint8_t kVoxDelayBits = 0xF0;
constexpr int kVoxDelayShift = 4;

// Byte 310: alert method in bits 6-7 (1 local, 2 remote, 3 both); bits 0-5 are not ours.
constexpr int kAlertMethod = 310;
constexpr int kAlertMethodShift = 6;

// Infrared bank (two BCD digits) and number (hundreds digit, then tens and units).
constexpr int kInfraredBank = 311;
constexpr int kInfraredHundreds = 312;
constexpr int kInfraredTensUnits = 313;
constexpr uint8_t kHighDigit = 0xF0;
constexpr uint8_t kLowDigit = 0x0F;

// Highest value each list accepts, and what a reload puts in place of anything above it.
constexpr int kTimeOutTimerMax = 40;
constexpr int kTimeOutTimerDefault = 12;  // 180 seconds
constexpr int kTimeOutWarningMax = 10;
constexpr int kTimeOutWarningDefault = 0;
constexpr int kSquelchLevelMax = 9;
constexpr int kSquelchLevelDefault = 3;
constexpr int kVoxLevelMax = 9;
constexpr int kVoxLevelDefault = 5;
constexpr int kVoxDelayMax = 5;
constexpr int kVoxDelayDefault = 3;  // 1.0 seconds
constexpr int kDigitMax = 9;
constexpr int kInfraredBankDigitDefault = 0;
constexpr int kInfraredNumberDigitDefault = 1;
constexpr int kTimeOutTimerStepSeconds = 15;

}  // namespace option

// Entries of the voice-prompt list.
enum class VoicePrompt { Off = 0, Chinese = 1, English = 2 };

// The lists of the page, each written into its own byte or bits.
enum class OptionList { TimeOutTimer, TimeOutWarning, SquelchLevel, VoicePrompt };

// The check boxes of the page, one bit of byte 303 each.
enum class OptionCheck { BatterySave, Scramble, Beep, Roger, FreqHopping };

// What the function-setup page shows for an image: the entry of each list and the state of
// each check box. The infrared monitor and VOX tone share the Roger bit, the infrared
// master the hopping bit.
struct OptionView {
    int timeOutTimer = 0;
    int timeOutWarning = 0;
    int squelchLevel = 0;
    int voicePrompt = 0;
    int voxLevel = 0;
    int voxDelay = 0;
    int alertMethod = 0;
    bool batterySave = false;
    bool scramble = false;
    bool beep = false;
    bool roger = false;
    bool freqHopping = false;
    QString infraredBank;    // two hexadecimal digits of byte 311
    QString infraredNumber;  // hexadecimal text of byte 312 followed by that of byte 313
};

// Reads the functions from the image, in this order: time-out timer, warning, squelch,
// voice prompt, VOX level, VOX delay, alert method, check boxes, infrared bank, infrared
// number. Out-of-range values are corrected in the image as they are met; voice prompt
// and alert method show a default entry without changing their byte.
OptionView analyseOption(ImageBytes& image);

// Voice-prompt entry of byte 303: 10 English, 11 Chinese, anything else Off.
int voicePromptEntry(uint8_t features);
// Byte 303 with the voice-prompt bits set for a list entry; the other bits are kept.
uint8_t withVoicePrompt(uint8_t features, int entry);

// Alert-method entry of byte 310: method m (1..3) is entry m - 1; 0 shows as local.
int alertMethodEntry(uint8_t alertByte);

// The bit of byte 303 a check box stands for.
uint8_t optionCheckBit(OptionCheck check);

// A choice in one of the page's lists, written into the image at once.
void writeOptionList(ImageBytes& image, OptionList list, int entry);
// Ticking or clearing one of the page's check boxes: only its own bit changes.
void writeOptionCheck(ImageBytes& image, OptionCheck check, bool ticked);

// Entries of the page's lists in the language asked for.
QStringList timeOutTimerEntries(bool english);
QStringList timeOutWarningEntries(bool english);
QStringList squelchLevelEntries();
QStringList voicePromptEntries(bool english);
