#include "core/default_image.h"

#include <QFile>
#include <QTest>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "support/test_registry.h"

class DefaultImageTest : public QObject {
    Q_OBJECT
private slots:
    void isUhf400To480() {
        GlobalState state;
        state.RadioImage = defaultImage();
        analyseModel(state);
        QCOMPARE(state.BandName, QStringLiteral("UHF"));
        QCOMPARE(state.BandLowerMHz, 400);
        QCOMPARE(state.BandUpperMHz, 480);
        const auto expected = modelRecord(false, 147);
        QVERIFY(std::equal(expected.begin(), expected.end(),
                           defaultImage().begin() + image::kModelRecord));
        QCOMPARE(int(defaultImage()[image::kExtensionOption]), 0);
    }

    // Every channel erased (an empty channel) and out of the scan list.
    void channelsAreErased() {
        const ImageBytes& image = defaultImage();
        for (int channel = 1; channel <= image::kChannelCount; ++channel)
            for (int k = 0; k < image::kChannelSize; ++k)
                QCOMPARE(int(image[image::channelOffset(channel) + k]), 0xFF);
        QCOMPARE(int(image[image::kScanAddBits]), 0);
        QCOMPARE(int(image[image::kScanAddBits + 1]), 0);
    }

    // The function page would correct none of these bytes.
    void functionBytesInRange() {
        const ImageBytes& b = defaultImage();
        QVERIFY(b[image::kCallResponse] <= 5);
        QVERIFY(b[image::kMicNoiseReduction] <= 2);
        QVERIFY(b[image::kTimeOutTimer] <= 40);
        QVERIFY(b[image::kTimeOutWarning] <= 10);
        QVERIFY(b[image::kSquelchLevel] <= 9);
        QVERIFY((b[image::kVoxLevel] & 0x0F) <= 9);
        QVERIFY((b[image::kVoxLevel] >> 4) <= 5);
        QVERIFY((b[image::kAlertMethod] >> 6) != 0);
        QVERIFY((b[image::kInfraredBank] >> 4) <= 9 && (b[image::kInfraredBank] & 0x0F) <= 9);
        QVERIFY(b[image::kInfraredHundreds] >= 1 && b[image::kInfraredHundreds] <= 9);
        const int tens = b[image::kInfraredTensUnits] >> 4,
                  units = b[image::kInfraredTensUnits] & 0x0F;
        QVERIFY(tens >= 1 && tens <= 9 && units >= 1 && units <= 9);
        QVERIFY((b[image::kKeyAssignment] & 0x0F) < 7 && (b[image::kKeyAssignment] >> 4) < 7);
        const int voice = b[image::kFunctionFlags] & image::kVoicePromptBits;
        QVERIFY(voice == 0 || voice == image::kVoiceChinese || voice == image::kVoiceEnglish);
    }

    void noPassword() {
        for (int i = 0; i < image::kPasswordSize; ++i)
            QCOMPARE(int(defaultImage()[image::kPassword + i]), 0xFF);
        GlobalState state;
        state.SoftwareData = defaultSoftwareRecord();
        analyseSoftwareData(state);
        QCOMPARE(state.ProgramPassword, QString());
        QCOMPARE(state.NewPassword, QString());
        QVERIFY(!state.NewPasswordPending);
    }

    // The build writes the same bytes beside the application.
    void buildWroteInitDat() {
        QFile file(QStringLiteral(KORVA_BINARY_DIR "/Init.dat"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), data_file::kInitFileSize);
        QCOMPARE(bytes, defaultInitFileBytes());
    }
};
KORVA_TEST(DefaultImageTest);

#include "default_image_test.moc"
