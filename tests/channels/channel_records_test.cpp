#include "channels/channel_records.h"

#include <QTest>
#include <QVector>

#include "support/doubles.h"
#include "support/test_registry.h"

Q_DECLARE_METATYPE(NumberReading)

namespace {

const QString kPoint = QStringLiteral(".");
const QString kComma = QStringLiteral(",");
const QString kWarningEn = QStringLiteral("Frequency is out of range!");
const QString kWarningZh = QStringLiteral("频率超出范围！");

// An image with every channel erased and no scan bits, on the given band.
GlobalState bandState(int lower, int upper, int workingUpper, const QString& separator = kPoint,
                      bool english = true) {
    GlobalState state;
    state.RadioImage.fill(0xA5);  // anything but the channel area: must stay as it is
    for (int c = 0; c < image::kChannelCount; ++c) EraseChannel(state.RadioImage, c);
    state.RadioImage[image::kScanAddBits] = 0;
    state.RadioImage[image::kScanAddBits + 1] = 0;
    state.BandLowerMHz = lower;
    state.BandUpperMHz = upper;
    state.WorkingUpperMHz = workingUpper;
    state.DecimalSeparator = separator;
    state.EnglishMode = english;
    return state;
}

QByteArray bytesAt(const ImageBytes& image, int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + offset, count);
}

void putBytes(ImageBytes& image, int offset, const QByteArray& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

int rxField(int c) { return ChannelRecordOffset(c) + record::kRxFrequency; }
int txField(int c) { return ChannelRecordOffset(c) + record::kTxFrequency; }

}  // namespace

class FrequencyTest : public QObject {
    Q_OBJECT
private slots:
    void textFromBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("462.55") << QByteArray("\x00\x50\x25\x46", 4) << kPoint << "462.55000"
                                << true;
        QTest::newRow("462.55 comma")
            << QByteArray("\x00\x50\x25\x46", 4) << kComma << "462,55000" << true;
        QTest::newRow("50 MHz") << QByteArray("\x00\x00\x00\x05", 4) << kPoint << "50.00000"
                                << true;
        QTest::newRow("49.99999") << QByteArray("\x99\x99\x99\x04", 4) << kPoint << "49.99999"
                                  << false;
        QTest::newRow("520 MHz") << QByteArray("\x00\x00\x00\x52", 4) << kPoint << "520.00000"
                                 << true;
        QTest::newRow("520.00001")
            << QByteArray("\x01\x00\x00\x52", 4) << kPoint << "520.00001" << false;
        QTest::newRow("zero") << QByteArray(4, '\0') << kPoint << "00.00000" << false;
        QTest::newRow("erased") << QByteArray(4, '\xFF') << kPoint << "FF15.1515151515" << false;
        QTest::newRow("erased comma")
            << QByteArray(4, '\xFF') << kComma << "FF15,1515151515" << false;
        QTest::newRow("nibbles above 9 as decimals")
            << QByteArray("\x00\x00\xA5\x04", 4) << kPoint << "410.50000" << true;
    }
    void textFromBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        ImageBytes image{};
        putBytes(image, rxField(4), bytes);
        QCOMPARE(FrequencyText(image, rxField(4), separator), text);
        QCOMPARE(FrequencyIsValid(text, NumberReading::Leading, separator), valid);
        QCOMPARE(FrequencyIsValid(text, NumberReading::Locale, separator), valid);
        QCOMPARE(ShownFrequencyText(image, rxField(4), separator), valid ? text : QString());
        QCOMPARE(ChannelIsEmpty(image, 4), !valid);
    }

    void store_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("462.55") << "462.55" << kPoint << QByteArray("\x00\x50\x25\x46", 4)
                                << "462.55000";
        QTest::newRow("10 Hz resolution")
            << "462.12345" << kPoint << QByteArray("\x45\x23\x21\x46", 4) << "462.12345";
        QTest::newRow("half a step to even")
            << "50.123455" << kPoint << QByteArray("\x46\x23\x01\x05", 4) << "50.12346";
        QTest::newRow("comma keeps decimals")
            << "462,55" << kComma << QByteArray("\x00\x50\x25\x46", 4) << "462,55000";
        QTest::newRow("146.52") << "146.52000" << kPoint << QByteArray("\x00\x20\x65\x14", 4)
                                << "146.52000";
    }
    void store() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        ImageBytes image;
        image.fill(0xFF);
        QVERIFY(StoreFrequencyText(image, txField(15), text, separator));
        QCOMPARE(bytesAt(image, txField(15), 4), bytes);
        QCOMPARE(FrequencyText(image, txField(15), separator), shown);
        QCOMPARE(image[txField(15) - 1], uint8_t(0xFF));
        QCOMPARE(image[txField(15) + 4], uint8_t(0xFF));
    }

    void storeRefusesWhatDoesNotFit() {
        ImageBytes image;
        image.fill(0xFF);
        const ImageBytes before = image;
        QVERIFY(!StoreFrequency(image, rxField(0), 100000000));
        QVERIFY(!StoreFrequency(image, rxField(0), -1));
        QVERIFY(!StoreFrequency(image, image::kSize - 3, 46255000));
        QVERIFY(!StoreFrequencyText(image, rxField(0), QString(30, QLatin1Char('9')), kPoint));
        QVERIFY(image == before);
        QVERIFY(StoreFrequency(image, rxField(0), 99999999));
        QCOMPARE(bytesAt(image, rxField(0), 4), QByteArray(4, '\x99'));
    }

    void normalise_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("462.5") << "462.5" << kPoint << "462.50000";
        QTest::newRow("462") << "462" << kPoint << "462.00000";
        QTest::newRow("462.") << "462." << kPoint << "462.00000";
        QTest::newRow("50") << "50" << kPoint << "50.000000";
        QTest::newRow("full length kept") << "462.12345" << kPoint << "462.12345";
        QTest::newRow("longer kept") << "4621234567" << kPoint << "4621234567";
        QTest::newRow("comma") << "462,5" << kComma << "462,50000";
        QTest::newRow("point on comma system") << "462.5" << kComma << "462.5,000";
    }
    void normalise() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QString, normalised);
        QCOMPARE(NormaliseFrequencyText(text, separator), normalised);
    }

    // The band 400..520 MHz; the upper limit passed is the box's own.
    void entryCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("upper");
        QTest::addColumn<NumberReading>("reading");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("warning");
        const auto lead = NumberReading::Leading;
        const auto locale = NumberReading::Locale;
        QTest::newRow("separator alone")
            << "." << 520 << lead << kPoint << true << "400.00000" << kWarningEn;
        QTest::newRow("separator alone editor")
            << "." << 520 << locale << kPoint << false << "400.00000" << kWarningZh;
        QTest::newRow("above") << "600" << 520 << lead << kPoint << true << "520.00000"
                               << kWarningEn;
        QTest::newRow("below") << "100" << 520 << locale << kPoint << true << "400.00000"
                               << kWarningEn;
        QTest::newRow("lower edge") << "400" << 520 << lead << kPoint << true << "400"
                                    << "";
        QTest::newRow("just below")
            << "399.99999" << 520 << lead << kPoint << true << "400.00000" << kWarningEn;
        QTest::newRow("working edge") << "480" << 480 << lead << kPoint << true << "480"
                                      << "";
        QTest::newRow("just above working")
            << "480.00001" << 480 << locale << kPoint << true << "480.00000" << kWarningEn;
        QTest::newRow("inside") << "462.5" << 480 << locale << kPoint << true << "462.5"
                                << "";
        QTest::newRow("Chinese") << "600" << 480 << lead << kPoint << false << "480.00000"
                                 << kWarningZh;
        QTest::newRow("comma inside") << "462,55" << 480 << locale << kComma << true << "462,55"
                                      << "";
        QTest::newRow("comma above")
            << "480,5" << 480 << lead << kComma << true << "480,00000" << kWarningEn;
        QTest::newRow("comma alone")
            << "," << 480 << lead << kComma << true << "400,00000" << kWarningEn;
        QTest::newRow("unreadable in editor")
            << "4x" << 480 << locale << kPoint << true << "400.00000" << kWarningEn;
    }
    void entryCheck() {
        QFETCH(QString, text);
        QFETCH(int, upper);
        QFETCH(NumberReading, reading);
        QFETCH(QString, separator);
        QFETCH(bool, english);
        QFETCH(QString, result);
        QFETCH(QString, warning);
        ScopedDoubles doubles;
        const GlobalState state = bandState(400, 520, 520, separator, english);
        QCOMPARE(CheckFrequencyEntry(text, upper, reading, state), result);
        if (warning.isEmpty()) {
            QVERIFY(doubles.messages.shown.isEmpty());
            return;
        }
        QCOMPARE(doubles.messages.shown.size(), 1);
        const ShownBox& box = doubles.messages.shown.first();
        QCOMPARE(box.text, warning);
        QCOMPARE(box.title, QStringLiteral("KORVA-77"));
        QCOMPARE(box.icon, BoxIcon::Warning);
        QCOMPARE(box.buttons, BoxButtons::Ok);
    }

    void entryCheckTakesTheCallersTitle() {
        ScopedDoubles doubles;
        const GlobalState state = bandState(400, 480, 480);
        CheckFrequencyEntry(QStringLiteral("500"), 480, NumberReading::Leading, state,
                            QStringLiteral("korva77"));
        QCOMPARE(doubles.messages.shown.size(), 1);
        QCOMPARE(doubles.messages.shown.first().title, QStringLiteral("korva77"));
    }
};
KORVA_TEST(FrequencyTest);

class ChannelFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void scanBitLocation_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("byteOffset");
        QTest::addColumn<int>("bit");
        QTest::newRow("1") << 1 << 382 << 0;
        QTest::newRow("8") << 8 << 382 << 7;
        QTest::newRow("9") << 9 << 383 << 0;
        QTest::newRow("16") << 16 << 383 << 7;
    }
    void scanBitLocation() {
        QFETCH(int, channel);
        QFETCH(int, byteOffset);
        QFETCH(int, bit);
        const ScanBitPlace place = ScanBitLocation(channel);
        QCOMPARE(place.byteOffset, byteOffset);
        QCOMPARE(place.bit, bit);

        ImageBytes image{};
        SetScanBit(image, channel);
        QCOMPARE(int(image[byteOffset]), 1 << bit);
        QVERIFY(ScanBitIsSet(image, channel));
        image[382] = image[383] = 0xFF;
        ClearScanBit(image, channel);
        QCOMPARE(int(image[byteOffset]), 0xFF & ~(1 << bit));
        QVERIFY(!ScanBitIsSet(image, channel));
        QCOMPARE(int(image[byteOffset == 382 ? 383 : 382]), 0xFF);
    }

    void recordOffsets() {
        QCOMPARE(ChannelRecordOffset(0), 16);
        QCOMPARE(ChannelRecordOffset(15), 256);
        QCOMPARE(ChannelRecordOffset(15) + record::kSize - 1, 271);
    }

    void busyLockWritesBothBits() {
        ImageBytes image;
        image.fill(0x00);
        ChannelRecord channel(image, 2);
        channel.setByte(record::kFlags, 0xFF);  // bits 4..5 = 11, an unused value
        QCOMPARE(channel.busyLock(), int(BusyLockNone));
        channel.setBusyLock(BusyLockCarrier);
        QCOMPARE(int(image[ChannelRecordOffset(2) + 12]), 0xDF);
        QCOMPARE(channel.busyLock(), int(BusyLockCarrier));
        channel.setBusyLock(BusyLockQtDqt);
        QCOMPARE(int(image[ChannelRecordOffset(2) + 12]), 0xEF);
        channel.setBusyLock(BusyLockNone);
        QCOMPARE(int(image[ChannelRecordOffset(2) + 12]), 0xCF);
    }

    void flagsTouchOnlyTheirBits() {
        ImageBytes image;
        image.fill(0x00);
        ChannelRecord channel(image, 0);
        channel.setScrambleType(5);
        channel.setWideSpacing(true);
        channel.setCompand(true);
        channel.setScramble(true);
        QCOMPARE(int(image[16 + 12]), 0xCD);
        channel.setScrambleType(8);  // out of range: ignored
        QCOMPARE(channel.scrambleType(), 5);
        channel.setScrambleType(2);
        QCOMPARE(int(image[16 + 12]), 0xCA);

        image[16 + 13] = 0xEE;  // the radio's own bits set, power low, CDCSS mode normal
        QVERIFY(!channel.highPower());
        channel.setHighPower(true);
        channel.setSpecialCode(true);
        QCOMPARE(int(image[16 + 13]), 0xFF);
        channel.setSpecialCode(false);
        QCOMPARE(int(image[16 + 13]), 0xEF);

        channel.setDecodeTone({0x13, 0xA0});
        channel.setEncodeTone({0x9E, 0x02});
        QCOMPARE(bytesAt(image, 16 + 8, 4), QByteArray("\x13\xA0\x9E\x02", 4));
        QVERIFY(channel.decodeTone() == (ToneWord{0x13, 0xA0}));
        QCOMPARE(bytesAt(image, 16 + 14, 2), QByteArray(2, '\0'));
    }

    void channelOutOfRangeChangesNothing() {
        ImageBytes image;
        image.fill(0x11);
        const ImageBytes before = image;
        for (int c : {-1, 16}) {
            ChannelRecord channel(image, c);
            QVERIFY(!channel.isValid());
            channel.setHighPower(true);
            channel.setScanAdd(true);
            QCOMPARE(int(channel.byte(0)), 0xFF);
            EraseChannel(image, c);
            EraseTransmit(image, c);
            ApplyNewChannelDefaults(image, c);
        }
        for (int n : {0, 17}) {
            SetScanBit(image, n);
            QVERIFY(!InsertChannel(image, n));
            QVERIFY(!DeleteChannel(image, n));
            QVERIFY(!CopyChannel(image, n, 1));
            QVERIFY(!CopyChannel(image, 1, n));
        }
        QVERIFY(image == before);
    }
};
KORVA_TEST(ChannelFieldsTest);

class RecordEditTest : public QObject {
    Q_OBJECT
private slots:
    void eraseChannelClearsRecordAndScanBit() {
        GlobalState state = bandState(400, 480, 480);
        ImageBytes& image = state.RadioImage;
        for (int c = 0; c < 16; ++c) {
            std::fill_n(image.begin() + ChannelRecordOffset(c), 16, uint8_t(c));
            SetScanBit(image, c + 1);
        }
        EraseChannel(image, 15);
        EraseChannel(image, 7);
        QCOMPARE(bytesAt(image, ChannelRecordOffset(15), 16), QByteArray(16, '\xFF'));
        QCOMPARE(bytesAt(image, ChannelRecordOffset(7), 16), QByteArray(16, '\xFF'));
        QCOMPARE(bytesAt(image, ChannelRecordOffset(14), 16), QByteArray(16, '\x0E'));
        QCOMPARE(int(image[382]), 0x7F);
        QCOMPARE(int(image[383]), 0x7F);
    }

    void eraseTransmitKeepsReceiveSide() {
        GlobalState state = bandState(400, 480, 480);
        ImageBytes& image = state.RadioImage;
        const QByteArray full("\x00\x50\x25\x46\x00\x50\x25\x46\x13\xA0\x9E\x02\x08\x01\x77\x66",
                              16);
        putBytes(image, ChannelRecordOffset(3), full);
        SetScanBit(image, 4);
        EraseTransmit(image, 3);
        QByteArray expected = full;
        expected.replace(4, 4, QByteArray(4, '\xFF')).replace(10, 2, QByteArray(2, '\xFF'));
        QCOMPARE(bytesAt(image, ChannelRecordOffset(3), 16), expected);
        QVERIFY(ScanBitIsSet(image, 4));
    }

    void receiveCommit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<NumberReading>("reading");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("workingUpper");
        QTest::addColumn<QString>("receive");
        QTest::addColumn<QString>("transmit");
        QTest::addColumn<QByteArray>("rxBytes");
        QTest::addColumn<QByteArray>("txBytes");
        QTest::addColumn<int>("warnings");
        const auto lead = NumberReading::Leading;
        const auto locale = NumberReading::Locale;
        const QByteArray mhz480("\x00\x00\x00\x48", 4);
        const QByteArray mhz462_5("\x00\x00\x25\x46", 4);
        QTest::newRow("grid 462.5") << "462.5" << lead << kPoint << 480 << "462.50000"
                                    << "462.50000" << mhz462_5 << mhz462_5 << 0;
        QTest::newRow("480 both") << "480" << lead << kPoint << 480 << "480.00000"
                                  << "480.00000" << mhz480 << mhz480 << 0;
        QTest::newRow("500 transmit at working limit")
            << "500" << locale << kPoint << 480 << "500.00000"
            << "480.00000" << QByteArray("\x00\x00\x00\x50", 4) << mhz480 << 0;
        QTest::newRow("500 with extension on") << "500" << lead << kPoint << 520 << "500.00000"
                                               << "500.00000" << QByteArray("\x00\x00\x00\x50", 4)
                                               << QByteArray("\x00\x00\x00\x50", 4) << 0;
        QTest::newRow("600 corrected")
            << "600" << lead << kPoint << 480 << "520.00000"
            << "480.00000" << QByteArray("\x00\x00\x00\x52", 4) << mhz480 << 1;
        QTest::newRow("separator alone") << "." << lead << kPoint << 480 << "400.00000"
                                         << "400.00000" << QByteArray("\x00\x00\x00\x40", 4)
                                         << QByteArray("\x00\x00\x00\x40", 4) << 1;
        QTest::newRow("grid comma") << "462,55" << lead << kComma << 480 << "462,55000"
                                    << "462,55000" << QByteArray("\x00\x50\x25\x46", 4)
                                    << QByteArray("\x00\x50\x25\x46", 4) << 0;
        QTest::newRow("editor comma") << "462,12345" << locale << kComma << 480 << "462,12345"
                                      << "462,12345" << QByteArray("\x45\x23\x21\x46", 4)
                                      << QByteArray("\x45\x23\x21\x46", 4) << 0;
    }
    // A new channel on band 400..520 MHz: defaults, receive stored, transmit defaulted.
    void receiveCommit() {
        QFETCH(QString, text);
        QFETCH(NumberReading, reading);
        QFETCH(QString, separator);
        QFETCH(int, workingUpper);
        QFETCH(QString, receive);
        QFETCH(QString, transmit);
        QFETCH(QByteArray, rxBytes);
        QFETCH(QByteArray, txBytes);
        QFETCH(int, warnings);
        ScopedDoubles doubles;
        GlobalState state = bandState(400, 520, workingUpper, separator);
        const FrequencyCommit commit = CommitReceiveFrequency(state, 4, text, reading, true, true);
        QCOMPARE(commit.receiveText, receive);
        QVERIFY(commit.transmitSet);
        QCOMPARE(commit.transmitText, transmit);
        QVERIFY(!commit.channelErased);
        QCOMPARE(doubles.messages.shown.size(), warnings);

        const ImageBytes& image = state.RadioImage;
        QCOMPARE(bytesAt(image, rxField(4), 4), rxBytes);
        QCOMPARE(bytesAt(image, txField(4), 4), txBytes);
        QCOMPARE(ShownFrequencyText(image, rxField(4), separator), receive);
        QCOMPARE(ShownFrequencyText(image, txField(4), separator), transmit);
        QCOMPARE(bytesAt(image, ChannelRecordOffset(4) + 8, 8),
                 QByteArray("\xFF\xFF\xFF\xFF\x08\x01\xFF\xFF", 8));
        QCOMPARE(int(image[382]), 0x10);
        QCOMPARE(int(image[383]), 0x00);
    }

    // A new channel whose empty record held zeros gets tones none, as the pages show it.
    void newChannelOverOldBytes() {
        ScopedDoubles doubles;
        GlobalState state = bandState(400, 480, 480);
        putBytes(state.RadioImage, ChannelRecordOffset(0), QByteArray(16, '\0'));
        CommitReceiveFrequency(state, 0, QStringLiteral("446"), NumberReading::Locale, true, true);
        QCOMPARE(bytesAt(state.RadioImage, ChannelRecordOffset(0), 16),
                 QByteArray("\x00\x00\x60\x44\x00\x00\x60\x44"
                            "\xFF\xFF\xFF\xFF\x08\x01\x00\x00",
                            16));
        QVERIFY(ScanBitIsSet(state.RadioImage, 1));
    }

    void receiveCommitOnExistingChannel() {
        ScopedDoubles doubles;
        GlobalState state = bandState(400, 480, 480);
        const QByteArray full("\x00\x50\x25\x46\x00\x00\x70\x46\x13\xA0\x9E\x02\x3C\x10\x77\x66",
                              16);
        putBytes(state.RadioImage, ChannelRecordOffset(15), full);
        const FrequencyCommit commit = CommitReceiveFrequency(state, 15, QStringLiteral("450.1"),
                                                              NumberReading::Leading, false, false);
        QCOMPARE(commit.receiveText, QStringLiteral("450.10000"));
        QVERIFY(!commit.transmitSet);
        QByteArray expected = full;
        expected.replace(0, 4, QByteArray("\x00\x00\x01\x45", 4));
        QCOMPARE(bytesAt(state.RadioImage, ChannelRecordOffset(15), 16), expected);
        QVERIFY(!ScanBitIsSet(state.RadioImage, 16));
    }

    void emptyReceiveErasesChannel() {
        ScopedDoubles doubles;
        GlobalState state = bandState(400, 480, 480);
        CommitReceiveFrequency(state, 15, QStringLiteral("462.5"), NumberReading::Leading, true,
                               true);
        QVERIFY(ScanBitIsSet(state.RadioImage, 16));
        const FrequencyCommit commit =
            CommitReceiveFrequency(state, 15, QString(), NumberReading::Leading, false, false);
        QVERIFY(commit.channelErased);
        QVERIFY(commit.receiveText.isEmpty());
        QCOMPARE(bytesAt(state.RadioImage, ChannelRecordOffset(15), 16), QByteArray(16, '\xFF'));
        QVERIFY(!ScanBitIsSet(state.RadioImage, 16));
        QVERIFY(ChannelIsEmpty(state.RadioImage, 15));
    }

    void transmitCommit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("encodeEmpty");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("txBytes");
        QTest::addColumn<QByteArray>("encodeBytes");
        QTest::addColumn<int>("warnings");
        const QByteArray encode("\x9E\x02", 2);
        QTest::newRow("emptied") << "" << false << "" << QByteArray(4, '\xFF')
                                 << QByteArray(2, '\xFF') << 0;
        QTest::newRow("typed, encode kept")
            << "470" << false << "470.00000" << QByteArray("\x00\x00\x00\x47", 4) << encode << 0;
        QTest::newRow("typed, encode none")
            << "470.5" << true << "470.50000" << QByteArray("\x00\x00\x05\x47", 4)
            << QByteArray(2, '\xFF') << 0;
        QTest::newRow("above working limit")
            << "500" << false << "480.00000" << QByteArray("\x00\x00\x00\x48", 4) << encode << 1;
    }
    void transmitCommit() {
        QFETCH(QString, text);
        QFETCH(bool, encodeEmpty);
        QFETCH(QString, shown);
        QFETCH(QByteArray, txBytes);
        QFETCH(QByteArray, encodeBytes);
        QFETCH(int, warnings);
        ScopedDoubles doubles;
        GlobalState state = bandState(400, 520, 480);
        const QByteArray full("\x00\x50\x25\x46\x00\x00\x70\x46\x13\xA0\x9E\x02\x08\x01\x77\x66",
                              16);
        putBytes(state.RadioImage, ChannelRecordOffset(2), full);
        SetScanBit(state.RadioImage, 3);
        QCOMPARE(CommitTransmitFrequency(state, 2, text, NumberReading::Locale, encodeEmpty),
                 shown);
        QCOMPARE(doubles.messages.shown.size(), warnings);
        QByteArray expected = full;
        expected.replace(4, 4, txBytes).replace(10, 2, encodeBytes);
        QCOMPARE(bytesAt(state.RadioImage, ChannelRecordOffset(2), 16), expected);
        QVERIFY(ScanBitIsSet(state.RadioImage, 3));
    }
};
KORVA_TEST(RecordEditTest);

// Insert, delete and copy move records together with their scan bits.
class ChannelMoveTest : public QObject {
    Q_OBJECT

    struct Slot {
        QByteArray record;
        bool scan;
        bool operator==(const Slot& other) const {
            return record == other.record && scan == other.scan;
        }
    };

    static Slot erasedSlot() { return {QByteArray(16, '\xFF'), false}; }

    // Channels 1..used hold distinct frequencies; scan bits on every channel whose number
    // is not a multiple of 3; the rest erased.
    static GlobalState filled(int used) {
        GlobalState state = bandState(400, 480, 480);
        for (int n = 1; n <= used; ++n) {
            const int c = n - 1;
            StoreFrequency(state.RadioImage, rxField(c), 40000000 + n * 125000);
            StoreFrequency(state.RadioImage, txField(c), 40000000 + n * 125000);
            ChannelRecord channel(state.RadioImage, c);
            channel.setDecodeTone({uint8_t(n), 0x20});
            channel.setByte(14, uint8_t(n));
            WriteScanBit(state.RadioImage, n, n % 3 != 0);
        }
        return state;
    }

    static QVector<Slot> channelSlots(const ImageBytes& image) {
        QVector<Slot> result;
        for (int n = 1; n <= 16; ++n)
            result.append({bytesAt(image, ChannelRecordOffset(n - 1), 16), ScanBitIsSet(image, n)});
        return result;
    }

    // Everything outside the records and the two scan bytes.
    static QByteArray outside(const ImageBytes& image) {
        return bytesAt(image, 0, 16) + bytesAt(image, 272, 110) + bytesAt(image, 384, 640);
    }

private slots:
    void insert_data() {
        QTest::addColumn<int>("channel");
        for (int n : {1, 3, 8, 9, 15, 16}) QTest::addRow("channel %d", n) << n;
    }
    void insert() {
        QFETCH(int, channel);
        GlobalState state = filled(15);
        const QByteArray around = outside(state.RadioImage);
        QVector<Slot> expected = channelSlots(state.RadioImage);
        if (channel < 16) {
            expected.insert(channel - 1, erasedSlot());
            expected.removeLast();
        }
        QVERIFY(InsertChannel(state.RadioImage, channel));
        QCOMPARE(channelSlots(state.RadioImage), expected);
        QCOMPARE(outside(state.RadioImage), around);
    }

    void insertRefusedWhenChannel16InUse() {
        GlobalState state = filled(16);
        const ImageBytes before = state.RadioImage;
        QVERIFY(!InsertChannel(state.RadioImage, 1));
        QVERIFY(!InsertChannel(state.RadioImage, 16));
        QVERIFY(state.RadioImage == before);
    }

    // Channel 16 counts as empty by its receive frequency, whatever else its bytes hold.
    void insertOverChannel16WithInvalidFrequency() {
        GlobalState state = filled(15);
        putBytes(state.RadioImage, ChannelRecordOffset(15), QByteArray(16, '\0'));
        SetScanBit(state.RadioImage, 16);
        QVERIFY(InsertChannel(state.RadioImage, 1));
        QCOMPARE(bytesAt(state.RadioImage, ChannelRecordOffset(0), 16), QByteArray(16, '\xFF'));
        QVERIFY(!ScanBitIsSet(state.RadioImage, 1));
        QCOMPARE(FrequencyText(state.RadioImage, rxField(15), kPoint), QStringLiteral("418.75000"));
        QVERIFY(!ScanBitIsSet(state.RadioImage, 16));  // channel 15's bit moved down
    }

    void remove_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("used");
        for (int n : {1, 3, 8, 9, 15, 16}) QTest::addRow("channel %d of 16", n) << n << 16;
        QTest::addRow("channel 2 of 10") << 2 << 10;
    }
    void remove() {
        QFETCH(int, channel);
        QFETCH(int, used);
        GlobalState state = filled(used);
        const QByteArray around = outside(state.RadioImage);
        QVector<Slot> expected = channelSlots(state.RadioImage);
        if (channel < 16) {
            expected.removeAt(channel - 1);
            expected.append(erasedSlot());
        }
        QVERIFY(DeleteChannel(state.RadioImage, channel));
        QCOMPARE(channelSlots(state.RadioImage), expected);
        QCOMPARE(outside(state.RadioImage), around);
    }

    void insertThenDeleteRestores() {
        GlobalState state = filled(12);
        const ImageBytes before = state.RadioImage;
        QVERIFY(InsertChannel(state.RadioImage, 5));
        QVERIFY(ChannelIsEmpty(state.RadioImage, 4));
        QVERIFY(DeleteChannel(state.RadioImage, 5));
        QVERIFY(state.RadioImage == before);
    }

    void copy_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("3 to 7") << 3 << 7;
        QTest::newRow("9 to 1") << 9 << 1;
        QTest::newRow("bit clear onto set") << 6 << 5;
        QTest::newRow("empty onto used") << 14 << 2;
    }
    void copy() {
        QFETCH(int, from);
        QFETCH(int, to);
        GlobalState state = filled(12);
        const QByteArray around = outside(state.RadioImage);
        QVector<Slot> expected = channelSlots(state.RadioImage);
        expected[to - 1] = expected[from - 1];
        QVERIFY(CopyChannel(state.RadioImage, from, to));
        QCOMPARE(channelSlots(state.RadioImage), expected);
        QCOMPARE(outside(state.RadioImage), around);
    }

    void copyOntoItselfChangesNothing() {
        GlobalState state = filled(12);
        const ImageBytes before = state.RadioImage;
        QVERIFY(!CopyChannel(state.RadioImage, 4, 4));
        QVERIFY(state.RadioImage == before);
    }
};
KORVA_TEST(ChannelMoveTest);

#include "channel_records_test.moc"
