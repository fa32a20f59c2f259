#include "functions/function_setup.h"

#include <QTest>

#include "support/test_registry.h"

using namespace option;

namespace {

// An image whose function bytes are all in range: a reload must leave it as it is.
ImageBytes inRangeImage() {
    ImageBytes image{};
    image[kFeatures] = 0x5D;
    image[kTimeOutTimer] = 40;
    image[kTimeOutWarning] = 10;
    image[kSquelchLevel] = 9;
    image[kVox] = 0x59;
    image[kAlertMethod] = 0xFF;
    image[kInfraredBank] = 0x99;
    image[kInfraredHundreds] = 9;
    image[kInfraredTensUnits] = 0x99;
    return image;
}

int entryFor(const OptionView& view, int offset) {
    switch (offset) {
        case kTimeOutTimer:
            return view.timeOutTimer;
        case kTimeOutWarning:
            return view.timeOutWarning;
        case kSquelchLevel:
            return view.squelchLevel;
    }
    return -1;
}

}  // namespace

class FunctionSetupTest : public QObject {
    Q_OBJECT
private slots:
    void correctsWholeByteLists_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");  // byte after the reload, also the entry shown
        QTest::newRow("timer off") << kTimeOutTimer << 0 << 0;
        QTest::newRow("timer 600 s kept") << kTimeOutTimer << 40 << 40;
        QTest::newRow("timer 41 -> 180 s") << kTimeOutTimer << 41 << 12;
        QTest::newRow("timer 0xFF -> 180 s") << kTimeOutTimer << 0xFF << 12;
        QTest::newRow("warning 10 kept") << kTimeOutWarning << 10 << 10;
        QTest::newRow("warning 11 -> off") << kTimeOutWarning << 11 << 0;
        QTest::newRow("squelch 9 kept") << kSquelchLevel << 9 << 9;
        QTest::newRow("squelch 10 -> 3") << kSquelchLevel << 10 << 3;
        QTest::newRow("squelch 0xFF -> 3") << kSquelchLevel << 0xFF << 3;
    }
    void correctsWholeByteLists() {
        QFETCH(int, offset);
        QFETCH(int, stored);
        QFETCH(int, expected);
        ImageBytes image = inRangeImage();
        image[offset] = static_cast<uint8_t>(stored);
        const OptionView view = analyseOption(image);
        QCOMPARE(int(image[offset]), expected);
        QCOMPARE(entryFor(view, offset), expected);
    }

    void correctsVoxNibbles_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("delay");
        QTest::newRow("both out of range") << 0x7A << 0x35 << 5 << 3;
        QTest::newRow("both at their top") << 0x59 << 0x59 << 9 << 5;
        QTest::newRow("level only") << 0x2A << 0x25 << 5 << 2;
        QTest::newRow("delay only") << 0x60 << 0x30 << 0 << 3;
        QTest::newRow("all ones") << 0xFF << 0x35 << 5 << 3;
    }
    void correctsVoxNibbles() {
        QFETCH(int, stored);
        QFETCH(int, expected);
        QFETCH(int, level);
        QFETCH(int, delay);
        ImageBytes image = inRangeImage();
        image[kVox] = static_cast<uint8_t>(stored);
        const OptionView view = analyseOption(image);
        QCOMPARE(int(image[kVox]), expected);
        QCOMPARE(view.voxLevel, level);
        QCOMPARE(view.voxDelay, delay);
    }

    void correctsInfraredDigits_data() {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("hundreds");
        QTest::addColumn<int>("tensUnits");
        QTest::addColumn<int>("expectedBank");
        QTest::addColumn<int>("expectedHundreds");
        QTest::addColumn<int>("expectedTensUnits");
        QTest::addColumn<QString>("bankText");
        QTest::addColumn<QString>("numberText");
        QTest::newRow("in range") << 0x07 << 5 << 0x23 << 0x07 << 5 << 0x23 << "07"
                                  << "523";
        QTest::newRow("zeros") << 0x00 << 0 << 0x05 << 0x00 << 0 << 0x05 << "00"
                               << "05";
        QTest::newRow("bank high digit") << 0xA5 << 1 << 0x11 << 0x05 << 1 << 0x11 << "05"
                                         << "111";
        QTest::newRow("bank low digit") << 0x5B << 1 << 0x11 << 0x50 << 1 << 0x11 << "50"
                                        << "111";
        QTest::newRow("blank memory") << 0xFF << 0xFF << 0xFF << 0x00 << 1 << 0x11 << "00"
                                      << "111";
        QTest::newRow("tens digit") << 0x99 << 9 << 0xA4 << 0x99 << 9 << 0x14 << "99"
                                    << "914";
        QTest::newRow("units digit") << 0x99 << 2 << 0x3C << 0x99 << 2 << 0x31 << "99"
                                     << "231";
        QTest::newRow("hundreds 10") << 0x99 << 10 << 0x99 << 0x99 << 1 << 0x99 << "99"
                                     << "199";
    }
    void correctsInfraredDigits() {
        QFETCH(int, bank);
        QFETCH(int, hundreds);
        QFETCH(int, tensUnits);
        ImageBytes image = inRangeImage();
        image[kInfraredBank] = static_cast<uint8_t>(bank);
        image[kInfraredHundreds] = static_cast<uint8_t>(hundreds);
        image[kInfraredTensUnits] = static_cast<uint8_t>(tensUnits);
        const OptionView view = analyseOption(image);
        QTEST(int(image[kInfraredBank]), "expectedBank");
        QTEST(int(image[kInfraredHundreds]), "expectedHundreds");
        QTEST(int(image[kInfraredTensUnits]), "expectedTensUnits");
        QTEST(view.infraredBank, "bankText");
        QTEST(view.infraredNumber, "numberText");
    }

    // Blank memory (all 0xFF) is the worst case: every correction fires, and nothing else
    // in the image may move.
    void reloadChangesOnlyTheCorrectedBytes() {
        ImageBytes image;
        image.fill(0xFF);
        ImageBytes expected = image;
        expected[kTimeOutTimer] = 12;
        expected[kTimeOutWarning] = 0;
        expected[kSquelchLevel] = 3;
        expected[kVox] = 0x35;
        expected[kInfraredBank] = 0x00;
        expected[kInfraredHundreds] = 1;
        expected[kInfraredTensUnits] = 0x11;
        analyseOption(image);
        QCOMPARE(image, expected);

        ImageBytes clean = inRangeImage();
        const ImageBytes before = clean;
        analyseOption(clean);
        QCOMPARE(clean, before);
    }

    void showsVoicePromptWithoutChangingIt_data() {
        QTest::addColumn<int>("features");
        QTest::addColumn<int>("entry");
        QTest::newRow("off 00") << 0x00 << int(VoicePrompt::Off);
        QTest::newRow("unused code 01 shows off") << 0x04 << int(VoicePrompt::Off);
        QTest::newRow("unused code 01, other bits set") << 0xF7 << int(VoicePrompt::Off);
        QTest::newRow("English 10") << 0x08 << int(VoicePrompt::English);
        QTest::newRow("Chinese 11") << 0x0C << int(VoicePrompt::Chinese);
        QTest::newRow("Chinese, other bits set") << 0xFF << int(VoicePrompt::Chinese);
    }
    void showsVoicePromptWithoutChangingIt() {
        QFETCH(int, features);
        QFETCH(int, entry);
        ImageBytes image = inRangeImage();
        image[kFeatures] = static_cast<uint8_t>(features);
        QCOMPARE(analyseOption(image).voicePrompt, entry);
        QCOMPARE(int(image[kFeatures]), features);
    }

    void showsAlertMethodWithoutChangingIt_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("entry");
        QTest::newRow("0 shows local") << 0x3F << 0;
        QTest::newRow("local") << 0x40 << 0;
        QTest::newRow("remote") << 0x80 << 1;
        QTest::newRow("local and remote") << 0xC5 << 2;
    }
    void showsAlertMethodWithoutChangingIt() {
        QFETCH(int, stored);
        QFETCH(int, entry);
        ImageBytes image = inRangeImage();
        image[kAlertMethod] = static_cast<uint8_t>(stored);
        QCOMPARE(analyseOption(image).alertMethod, entry);
        QCOMPARE(int(image[kAlertMethod]), stored);
    }

    void showsCheckBoxesFromTheirBits() {
        ImageBytes image = inRangeImage();
        image[kFeatures] = 0xA2;  // hopping, scramble, beep
        OptionView view = analyseOption(image);
        QVERIFY(!view.batterySave && view.beep && view.scramble && !view.roger && view.freqHopping);
        image[kFeatures] = 0x5D;  // Roger, VOX, voice Chinese, battery save
        view = analyseOption(image);
        QVERIFY(view.batterySave && !view.beep && !view.scramble && view.roger &&
                !view.freqHopping);
    }

    void voicePromptChoices_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("after");
        QTest::newRow("Chinese then Off from 01") << 0x04 << QList<int>{1, 0} << 0x00;
        QTest::newRow("English on 11 clears bit 2") << 0x0C << QList<int>{2} << 0x08;
        QTest::newRow("English keeps other bits") << 0xFF << QList<int>{2} << 0xFB;
        QTest::newRow("Chinese keeps other bits") << 0xF3 << QList<int>{1} << 0xFF;
        QTest::newRow("Off on 01 clears it") << 0x04 << QList<int>{0} << 0x00;
    }
    void voicePromptChoices() {
        QFETCH(int, before);
        QFETCH(QList<int>, choices);
        ImageBytes image{};
        image[kFeatures] = static_cast<uint8_t>(before);
        for (int entry : choices) writeOptionList(image, OptionList::VoicePrompt, entry);
        QTEST(int(image[kFeatures]), "after");
    }

    void checkBoxesTouchOnlyTheirBit_data() {
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("after");
        const int save = int(OptionCheck::BatterySave), beep = int(OptionCheck::Beep),
                  scramble = int(OptionCheck::Scramble), roger = int(OptionCheck::Roger),
                  hopping = int(OptionCheck::FreqHopping);
        QTest::newRow("Roger on, rest clear") << roger << 0x00 << true << 0x40;
        QTest::newRow("Roger on, rest set") << roger << 0xBF << true << 0xFF;
        QTest::newRow("Roger off, rest set") << roger << 0xFF << false << 0xBF;
        QTest::newRow("Roger off, rest clear") << roger << 0x40 << false << 0x00;
        QTest::newRow("hopping on, rest set") << hopping << 0x7F << true << 0xFF;
        QTest::newRow("hopping on, rest clear") << hopping << 0x00 << true << 0x80;
        QTest::newRow("hopping off, rest set") << hopping << 0xFF << false << 0x7F;
        QTest::newRow("battery save on") << save << 0xFE << true << 0xFF;
        QTest::newRow("beep off") << beep << 0xFF << false << 0xFD;
        QTest::newRow("scramble on") << scramble << 0x00 << true << 0x20;
        QTest::newRow("ticking a ticked box") << scramble << 0x20 << true << 0x20;
    }
    void checkBoxesTouchOnlyTheirBit() {
        QFETCH(int, check);
        QFETCH(int, before);
        QFETCH(bool, ticked);
        ImageBytes image{};
        image.fill(0x5A);
        image[kFeatures] = static_cast<uint8_t>(before);
        QFETCH(int, after);
        ImageBytes expected = image;
        expected[kFeatures] = static_cast<uint8_t>(after);
        writeOptionCheck(image, static_cast<OptionCheck>(check), ticked);
        QCOMPARE(image, expected);
    }

    void listChoicesWriteTheirByte_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("after");  // -1: nothing written
        QTest::newRow("timer 600 s") << int(OptionList::TimeOutTimer) << 40 << kTimeOutTimer << 40;
        QTest::newRow("timer off") << int(OptionList::TimeOutTimer) << 0 << kTimeOutTimer << 0;
        QTest::newRow("warning 10 s")
            << int(OptionList::TimeOutWarning) << 10 << kTimeOutWarning << 10;
        QTest::newRow("squelch 9") << int(OptionList::SquelchLevel) << 9 << kSquelchLevel << 9;
        QTest::newRow("no selection") << int(OptionList::SquelchLevel) << -1 << kSquelchLevel << -1;
        QTest::newRow("past the list")
            << int(OptionList::TimeOutTimer) << 41 << kTimeOutTimer << -1;
    }
    void listChoicesWriteTheirByte() {
        QFETCH(int, list);
        QFETCH(int, entry);
        QFETCH(int, offset);
        QFETCH(int, after);
        ImageBytes image;
        image.fill(0x77);
        ImageBytes expected = image;
        if (after >= 0) expected[offset] = static_cast<uint8_t>(after);
        writeOptionList(image, static_cast<OptionList>(list), entry);
        QCOMPARE(image, expected);
    }

    void listEntries() {
        const QStringList timerEn = timeOutTimerEntries(true);
        QCOMPARE(timerEn.size(), 41);
        QCOMPARE(timerEn.first(), QStringLiteral("Off"));
        QCOMPARE(timerEn.at(1), QStringLiteral("15"));
        QCOMPARE(timerEn.at(12), QStringLiteral("180"));
        QCOMPARE(timerEn.last(), QStringLiteral("600"));
        QCOMPARE(timeOutTimerEntries(false).first(), QStringLiteral("关"));
        QCOMPARE(timeOutTimerEntries(false).mid(1), timerEn.mid(1));

        QCOMPARE(timeOutWarningEntries(true),
                 QStringList({"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(timeOutWarningEntries(false).first(), QStringLiteral("关"));
        QCOMPARE(squelchLevelEntries(),
                 QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(voicePromptEntries(true), QStringList({"Off", "Chinese", "English"}));
        QCOMPARE(voicePromptEntries(false), QStringList({"关", "中文", "英文"}));
    }
};
KORVA_TEST(FunctionSetupTest);

#include "function_setup_test.moc"
