// Any byte string as a data file (through File Open) and as the start-up file, followed by
// every reload that runs over a loaded image: model identification, software record
// decoding, every channel's frequency texts, fields and tone texts, the function-setup
// corrections and the key decoding.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <memory>

#include "channels/channel_records.h"
#include "channels/tone_codes.h"
#include "core/data_files.h"
#include "core/default_image.h"
#include "core/global_state.h"
#include "core/radio_image.h"
#include "functions/function_setup.h"
#include "functions/key_assignment.h"
#include "fuzz_support.h"
#include "platform/platform.h"

namespace {

void checkModel(GlobalState& state) {
    analyseModel(state);
    applyWorkingLimitAfterRead(state);
    KORVA_FUZZ_CHECK(state.BandName == "VHF" || state.BandName == "UHF");
    KORVA_FUZZ_CHECK(state.BandLowerMHz <= state.BandUpperMHz);
    KORVA_FUZZ_CHECK(state.BandUpperMHz <= state.WorkingUpperMHz);
}

// A stored frequency whose digits are all decimal shows as a text that stores the same
// bytes again; any other shows empty or as a number the boxes can read.
void checkFrequencyField(const GlobalState& state, int field) {
    const QString& sep = state.DecimalSeparator;
    const QString text = FrequencyText(state.RadioImage, field, sep);
    const QString shown = ShownFrequencyText(state.RadioImage, field, sep);
    KORVA_FUZZ_CHECK(shown.isEmpty() || shown == text);
    if (shown.isEmpty()) return;
    bool bcd = true;
    for (int k = 0; k < record::kFrequencySize; ++k) {
        const uint8_t b = state.RadioImage[size_t(field + k)];
        bcd = bcd && (b >> 4) <= 9 && (b & 0x0F) <= 9;
    }
    if (!bcd) return;
    ImageBytes again = state.RadioImage;
    KORVA_FUZZ_CHECK(StoreFrequencyText(again, field, shown, sep));
    KORVA_FUZZ_CHECK(again == state.RadioImage, "%s does not store its own bytes",
                     qPrintable(shown));
}

void checkChannels(GlobalState& state) {
    for (int c = 0; c < image::kChannelCount; ++c) {
        const int offset = ChannelRecordOffset(c);
        checkFrequencyField(state, offset + record::kRxFrequency);
        checkFrequencyField(state, offset + record::kTxFrequency);
        const ChannelRecord channel(state.RadioImage, c);
        KORVA_FUZZ_CHECK(channel.busyLock() >= 0 && channel.busyLock() <= 2);
        KORVA_FUZZ_CHECK(channel.scrambleType() >= 0 && channel.scrambleType() <= 7);
        KORVA_FUZZ_CHECK(channel.scanAdd() == ScanBitIsSet(state.RadioImage, c + 1));
        KORVA_FUZZ_CHECK(ChannelIsEmpty(state.RadioImage, c) ==
                         ShownFrequencyText(state.RadioImage, offset, state.DecimalSeparator)
                             .isEmpty());
    }
}

void checkChannelTones(const GlobalState& state) {
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        const int base = image::channelOffset(channel);
        for (const int at : {base + record::kDecodeTone, base + record::kEncodeTone}) {
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
    checkChannels(state);
    checkChannelTones(state);
    checkFunctions(state);
}

// Decoding the record, encoding it again and decoding that gives the same passwords.
void checkSoftwareRecord(GlobalState& state) {
    analyseSoftwareData(state);
    KORVA_FUZZ_CHECK(state.ProgramPassword.size() <= software_record::kPasswordSize);
    KORVA_FUZZ_CHECK(state.NewPassword.size() <= software_record::kPasswordSize);
    GlobalState again = state;
    saveSoftwareData(again);
    KORVA_FUZZ_CHECK(again.SoftwareData[16] == state.SoftwareData[16]);
    analyseSoftwareData(again);
    KORVA_FUZZ_CHECK(again.ProgramPassword == state.ProgramPassword);
    KORVA_FUZZ_CHECK(again.NewPassword == state.NewPassword);
    KORVA_FUZZ_CHECK(again.NewPasswordPending == state.NewPasswordPending);
}

// The open dialog picks the fuzzed file; every question is answered OK.
class PickFile : public FileDialogs {
public:
    QString path;
    FileChoice choose(const QString&, const QString&, const QString&, bool) override {
        return {path, QFileInfo(path).fileName()};
    }
};

class CountBoxes : public MessageBoxes {
public:
    int shown = 0;
    BoxAnswer show(const QString&, const QString&, BoxIcon, BoxButtons) override {
        ++shown;
        return BoxAnswer::Ok;
    }
};

std::unique_ptr<QTemporaryDir> folder;  // removed again when the run ends

void writeFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    KORVA_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    KORVA_FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) ==
                     qint64(size));
}

// The bytes as a data file through File Open.
void openAsDataFile(const uint8_t* data, size_t size, bool english) {
    const QString path = folder->filePath(QStringLiteral("fuzzed.rdat"));
    writeFile(path, data, size);
    PickFile dialogs;
    dialogs.path = path;
    CountBoxes boxes;
    platform::setFileDialogs(&dialogs);
    platform::setMessages(&boxes);

    GlobalState state;
    state.EnglishMode = english;
    state.DecimalSeparator = english ? QStringLiteral(".") : QStringLiteral(",");
    state.RadioImage.fill(0x5A);
    const GlobalState before = state;
    const bool loaded = fileOpen(state);
    const bool valid = size >= size_t(data_file::kDataFileSize) &&
                       std::memcmp(data, data_file::kSignature,
                                   data_file::kSignatureCheckedSize) == 0;
    KORVA_FUZZ_CHECK(loaded == valid);
    if (loaded) {
        // Exactly the image and the record of the file, and the file is adopted.
        KORVA_FUZZ_CHECK(std::memcmp(state.RadioImage.data(), data + data_file::kImageOffset,
                                     image::kSize) == 0);
        KORVA_FUZZ_CHECK(std::memcmp(state.SoftwareData.data(), data + data_file::kRecordOffset,
                                     state.SoftwareData.size()) == 0);
        KORVA_FUZZ_CHECK(state.CurrentFilePath == path);
        checkSoftwareRecord(state);
        reloadEverything(state);
    } else {
        // A refused file changes nothing and says so.
        KORVA_FUZZ_CHECK(state.RadioImage == before.RadioImage);
        KORVA_FUZZ_CHECK(state.CurrentFilePath == before.CurrentFilePath);
        KORVA_FUZZ_CHECK(boxes.shown == 2);
    }
    platform::setFileDialogs(nullptr);
    platform::setMessages(nullptr);
}

// The bytes as the start-up file.
void loadAsStartupFile(const uint8_t* data, size_t size, bool english) {
    writeFile(folder->filePath(QStringLiteral("Init.dat")), data, size);
    CountBoxes boxes;
    platform::setMessages(&boxes);
    GlobalState state;
    state.EnglishMode = english;
    state.DecimalSeparator = english ? QStringLiteral(".") : QStringLiteral(",");
    state.AppFolder = folder->path();
    const bool fromFile = loadStartupFile(state);
    KORVA_FUZZ_CHECK(fromFile == (size >= size_t(data_file::kInitFileSize)));
    KORVA_FUZZ_CHECK(boxes.shown == (fromFile ? 0 : 1));
    if (fromFile)
        KORVA_FUZZ_CHECK(std::memcmp(state.RadioImage.data(), data, image::kSize) == 0);
    else
        KORVA_FUZZ_CHECK(state.RadioImage == defaultImage());
    checkSoftwareRecord(state);
    reloadEverything(state);
    platform::setMessages(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Files in memory when the system offers it: a disk makes the run ten times slower.
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        folder = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/korva-fuzz-XXXXXX"));
    if (!folder || !folder->isValid()) folder = std::make_unique<QTemporaryDir>();
    KORVA_FUZZ_CHECK(folder->isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool english = size % 2;
    openAsDataFile(data, size, english);
    loadAsStartupFile(data, size, !english);
    return 0;
}
