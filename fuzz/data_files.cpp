// Any byte string as a data file and as the start-up file, followed by every reload that
// runs over a loaded image: model identification, the channels' tone texts, the
// function-setup corrections and the key decoding.
#include <algorithm>
#include <cstring>

#include "channels/tone_codes.h"
#include "core/global_state.h"
#include "core/radio_image.h"
#include "functions/function_setup.h"
#include "functions/key_assignment.h"
#include "fuzz_support.h"

namespace {

void checkModel(GlobalState& state) {
    analyseModel(state);
    applyWorkingLimitAfterRead(state);
    KORVA_FUZZ_CHECK(state.BandName == "VHF" || state.BandName == "UHF");
    KORVA_FUZZ_CHECK(state.BandLowerMHz <= state.BandUpperMHz);
    KORVA_FUZZ_CHECK(state.BandUpperMHz <= state.WorkingUpperMHz);
}

void checkChannelTones(const GlobalState& state) {
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        const int record = image::channelOffset(channel);
        for (const int at : {record + 8, record + 10}) {
            const ToneWord word{state.RadioImage[at], state.RadioImage[at + 1]};
            const QString text = ToneTextFromWord(word, state.EnglishMode, state.DecimalSeparator);
            KORVA_FUZZ_CHECK(!text.isEmpty());
            // What a page shows must read back as the same tone (bits the radio ignores
            // aside), so that committing a box unchanged never changes the channel. Stored
            // CTCSS tones outside the typed range are put right by design, so they are left
            // out.
            if (text == ToneNoneText(state.EnglishMode)) continue;
            const bool dcs = word.high & tones::kDcsFlag;
            const int tenths = (word.high & tones::kCtcssHighMask) * 256 + word.low;
            if (!dcs && (tenths < tones::kCtcssLowestTyped || tenths > tones::kCtcssHighest))
                continue;
            const ToneEntry again =
                ToneWordFromText(text, NumberReading::Locale, state.DecimalSeparator);
            KORVA_FUZZ_CHECK(again.text == text, "%s -> %s", qPrintable(text),
                             qPrintable(again.text));
            KORVA_FUZZ_CHECK(ToneTextFromWord(again.word, state.EnglishMode,
                                              state.DecimalSeparator) == text);
        }
    }
}

void checkFunctions(GlobalState& state) {
    const OptionView view = analyseOption(state.RadioImage);
    const ImageBytes corrected = state.RadioImage;
    const auto& b = corrected;
    KORVA_FUZZ_CHECK(b[option::kTimeOutTimer] <= option::kTimeOutTimerMax);
    KORVA_FUZZ_CHECK(b[option::kTimeOutWarning] <= option::kTimeOutWarningMax);
    KORVA_FUZZ_CHECK(b[option::kSquelchLevel] <= option::kSquelchLevelMax);
    KORVA_FUZZ_CHECK((b[option::kVox] & 0x0F) <= option::kVoxLevelMax);
    KORVA_FUZZ_CHECK((b[option::kVox] >> 4) <= option::kVoxDelayMax);
    for (const int at : {option::kInfraredBank, option::kInfraredTensUnits})
        KORVA_FUZZ_CHECK((b[at] >> 4) <= 9 && (b[at] & 0x0F) <= 9);
    KORVA_FUZZ_CHECK(b[option::kInfraredHundreds] <= 9);
    KORVA_FUZZ_CHECK(view.timeOutTimer < timeOutTimerEntries(state.EnglishMode).size());
    KORVA_FUZZ_CHECK(view.timeOutWarning < timeOutWarningEntries(state.EnglishMode).size());
    KORVA_FUZZ_CHECK(view.squelchLevel < squelchLevelEntries().size());
    KORVA_FUZZ_CHECK(view.voicePrompt >= 0 &&
                     view.voicePrompt < voicePromptEntries(state.EnglishMode).size());
    KORVA_FUZZ_CHECK(view.alertMethod >= 0 && view.alertMethod <= 2);
    KORVA_FUZZ_CHECK(view.infraredBank.size() == 2);
    KORVA_FUZZ_CHECK(view.infraredNumber.size() >= 2 && view.infraredNumber.size() <= 3);

    // A second reload finds nothing more to put right.
    analyseOption(state.RadioImage);
    KORVA_FUZZ_CHECK(state.RadioImage == corrected);

    const QStringList keyTexts = keyFunctionTexts(state.EnglishMode);
    for (const int key : {keys::kPf1, keys::kPf2}) {
        const int entry = keyFunctionEntry(state.RadioImage[keys::kAssignment], key);
        KORVA_FUZZ_CHECK(entry >= 0 && entry < keyTexts.size());
    }
    KORVA_FUZZ_CHECK(state.RadioImage == corrected, "key decoding wrote to the image");
}

void reloadEverything(GlobalState& state) {
    checkModel(state);
    checkChannelTones(state);
    checkFunctions(state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const bool english : {true, false}) {
        GlobalState state;
        state.EnglishMode = english;
        state.DecimalSeparator = english ? QStringLiteral(".") : QStringLiteral(",");
        std::memcpy(state.RadioImage.data(), data, std::min(size, state.RadioImage.size()));
        reloadEverything(state);
    }
    return 0;
}
