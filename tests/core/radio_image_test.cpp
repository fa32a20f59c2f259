#include "core/radio_image.h"

#include <QTest>

#include "support/test_registry.h"

namespace {

GlobalState stateWithModel(uint8_t model, uint8_t code) {
    GlobalState state;
    state.RadioImage[image::kModelByte] = model;
    state.RadioImage[image::kBandCode] = code;
    return state;
}

}  // namespace

class RadioImageTest : public QObject {
    Q_OBJECT
private slots:
    void identifiesBand_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");

        int count = 0;
        const Band* bands = bandTable(&count);
        QCOMPARE(count, 12);
        for (int i = 0; i < count; ++i) {
            const Band& b = bands[i];
            QTest::addRow("%s %s", b.vhf ? "VHF" : "UHF", b.text)
                << int(b.vhf ? image::kModelVhf : image::kModelUhf) << int(b.code)
                << QString(b.vhf ? "VHF" : "UHF") << b.lowerMHz << b.upperMHz;
        }
        // Every model byte but 50 reads as UHF.
        QTest::newRow("model byte 0, code 147") << 0x00 << 147 << "UHF" << 400 << 480;
        QTest::newRow("model byte 0xFF, code 83") << 0xFF << 83 << "UHF" << 350 << 370;
    }
    void identifiesBand() {
        QFETCH(int, model);
        QFETCH(int, code);
        GlobalState state = stateWithModel(uint8_t(model), uint8_t(code));
        state.RadioImage[image::kExtensionOption] = 1;  // identification ignores it
        analyseModel(state);
        QFETCH(QString, name);
        QCOMPARE(state.BandName, name);
        QFETCH(int, lower);
        QCOMPARE(state.BandLowerMHz, lower);
        QFETCH(int, upper);
        QCOMPARE(state.BandUpperMHz, upper);
        QCOMPARE(state.WorkingUpperMHz, state.BandUpperMHz);
    }

    // A code outside the model's rows changes only the band name; the limits stay, or stay
    // 0 when none was ever set.
    void unknownCodeKeepsLimits_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("limitsSet");
        QTest::newRow("VHF with a UHF code") << 50 << 51 << "VHF" << true;
        QTest::newRow("UHF with a VHF code") << 51 << 1 << "UHF" << true;
        QTest::newRow("UHF code 0") << 51 << 0 << "UHF" << true;
        QTest::newRow("VHF code 0xFF, nothing set before") << 50 << 0xFF << "VHF" << false;
    }
    void unknownCodeKeepsLimits() {
        QFETCH(bool, limitsSet);
        QFETCH(int, model);
        QFETCH(int, code);
        GlobalState state = stateWithModel(uint8_t(model), uint8_t(code));
        state.BandName = QStringLiteral("previous");
        if (limitsSet) {
            state.BandLowerMHz = 400;
            state.BandUpperMHz = 480;
            state.WorkingUpperMHz = 520;
        }
        analyseModel(state);
        QFETCH(QString, name);
        QCOMPARE(state.BandName, name);
        QCOMPARE(state.BandLowerMHz, limitsSet ? 400 : 0);
        QCOMPARE(state.BandUpperMHz, limitsSet ? 480 : 0);
        QCOMPARE(state.WorkingUpperMHz, limitsSet ? 520 : 0);
    }

    void workingLimitAfterRead_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("extension");
        QTest::addColumn<int>("working");
        QTest::newRow("400-480 extension on") << 51 << 147 << 1 << 520;
        QTest::newRow("400-480 extension off") << 51 << 147 << 0 << 480;
        QTest::newRow("400-480 extension byte 2") << 51 << 147 << 2 << 480;
        QTest::newRow("400-430 extension on") << 51 << 67 << 1 << 520;
        QTest::newRow("440-480 extension on") << 51 << 51 << 1 << 480;
        QTest::newRow("VHF 136-174 extension on") << 50 << 1 << 1 << 174;
    }
    void workingLimitAfterRead() {
        QFETCH(int, model);
        QFETCH(int, code);
        GlobalState state = stateWithModel(uint8_t(model), uint8_t(code));
        QFETCH(int, extension);
        state.RadioImage[image::kExtensionOption] = uint8_t(extension);
        analyseModel(state);
        applyWorkingLimitAfterRead(state);
        QFETCH(int, working);
        QCOMPARE(state.WorkingUpperMHz, working);
        // A later identification (File Open of the same data) shows the nominal limit.
        analyseModel(state);
        QCOMPARE(state.WorkingUpperMHz, state.BandUpperMHz);
    }

    // Rebuilding bytes 441/445 from the limits gives back every band of the table.
    void modelBytesRoundTrip() {
        int count = 0;
        const Band* bands = bandTable(&count);
        for (int i = 0; i < count; ++i) {
            const ModelBytes bytes = modelBytesFromLimits(bands[i].lowerMHz, bands[i].upperMHz);
            QCOMPARE(bytes.model, bands[i].vhf ? image::kModelVhf : image::kModelUhf);
            QCOMPARE(int(bytes.code), int(bands[i].code));
        }
    }

    void modelBytesFromOtherLimits_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("code");
        QTest::newRow("upper 174, lower 140") << 140 << 174 << 51 << 131;
        QTest::newRow("upper 150, any lower") << 100 << 150 << 50 << 3;
        QTest::newRow("upper 520, lower 450") << 450 << 520 << 51 << 131;
        QTest::newRow("upper 480, lower 410") << 410 << 480 << 51 << 51;
        QTest::newRow("no limits") << 0 << 0 << 51 << 131;
    }
    void modelBytesFromOtherLimits() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        const ModelBytes bytes = modelBytesFromLimits(lower, upper);
        QFETCH(int, model);
        QCOMPARE(int(bytes.model), model);
        QFETCH(int, code);
        QCOMPARE(int(bytes.code), code);
    }

    void modelRecordAndListPositions() {
        const auto record = modelRecord(false, 147);
        const std::array<uint8_t, 8> expected{0x50, 0x33, 0x32, 0x30, 0x37, 0x93, 0xF8, 0xFF};
        QVERIFY(record == expected);
        QCOMPARE(modelRecord(true, 4)[1], image::kModelVhf);
        QCOMPARE(bandTexts(true).size(), 4);
        QCOMPARE(bandTexts(false).value(7), QStringLiteral("400-480MHz"));
        QCOMPARE(int(bandAtPosition(false, 5)->code), 115);
        QVERIFY(!bandAtPosition(true, 4));
    }
};
KORVA_TEST(RadioImageTest);

#include "radio_image_test.moc"
