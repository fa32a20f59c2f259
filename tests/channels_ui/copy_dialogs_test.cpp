// The three copy dialogs with real keys and clicks, checked against the image bytes.
#include <QLabel>
#include <QPushButton>

#include "channel_ui_fixture.h"
#include "channels/ui/form_channel_copy.h"
#include "channels/ui/form_frequency_copy.h"
#include "channels/ui/form_qt_dqt_copy.h"
#include "support/test_registry.h"

using namespace channel_test;

namespace {

constexpr qint64 k462_55 = 46255000;

// Shows a dialog as the active window, ready for keys.
template <class Dialog>
bool showActive(Dialog& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

template <class T>
T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

void click(QWidget* parent, const char* button) {
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

QByteArray imageBytes(int offset, int count) {
    return QByteArray(reinterpret_cast<const char*>(globalState().RadioImage.data()) + offset,
                      count);
}

}  // namespace

class CopyDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void textsFollowTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("channelCopy");
        QTest::addColumn<QStringList>("frequencyCopy");
        QTest::addColumn<QStringList>("toneCopy");
        QTest::newRow("English")
            << true
            << QStringList{"Copy Channel", "Channel", "To Channel", "C&opy", "&Close", "&Help"}
            << QStringList{"Frequency Copy", "Receive", "Transmit", "&OK", "&Cancel", "&Help"}
            << QStringList{"QT/DQT Copy", "Decode", "Encode", "&OK", "&Cancel", "&Help"};
        QTest::newRow("Chinese") << false << QStringList{"信道复制", "信道",     "到信道",
                                                         "复制(&O)", "关闭(&C)", "帮助(&H)"}
                                 << QStringList{"频率复制", "接收频率", "发射频率",
                                                "确定(&O)", "取消(&C)", "帮助(&H)"}
                                 << QStringList{"亚音复制", "接收亚音频", "发射亚音频",
                                                "确定(&O)", "取消(&C)",   "帮助(&H)"};
    }
    void textsFollowTheLanguage() {
        QFETCH(bool, english);
        QFETCH(QStringList, channelCopy);
        QFETCH(QStringList, frequencyCopy);
        QFETCH(QStringList, toneCopy);
        Fixture f(english);
        auto texts = [](QDialog& dialog, const char* label1, const char* label2,
                        const char* button1, const char* button2) {
            return QStringList{dialog.windowTitle(),
                               child<QLabel>(&dialog, label1)->text(),
                               child<QLabel>(&dialog, label2)->text(),
                               child<QPushButton>(&dialog, button1)->text(),
                               child<QPushButton>(&dialog, button2)->text(),
                               child<QPushButton>(&dialog, "CommandHelp")->text()};
        };
        FormChannelCopy channel(3);
        QCOMPARE(texts(channel, "LabelChannelCopy", "LabelChannelCopyTo", "CommandCopy",
                       "CommandCancel"),
                 channelCopy);
        FormFrequencyCopy frequency(3, QStringLiteral("462.55000"));
        QCOMPARE(texts(frequency, "LabelRxFreq", "LabelTxFreq", "CommandOK", "CommandCancel"),
                 frequencyCopy);
        FormQtDqtCopy tone(3, QStringLiteral("88.5"));
        QCOMPARE(texts(tone, "LabelDecode", "LabelEncode", "CommandOK", "CommandCancel"), toneCopy);

        click(&channel, "CommandHelp");
        click(&frequency, "CommandHelp");
        click(&tone, "CommandHelp");
        QCOMPARE(f.workbench.helpTopics,
                 (QStringList{"chcopy.htm", "freqcopy.htm", "qtdqtcopy.htm"}));
    }

    // ---- Channel copy ----

    void channelCopyTakesRecordAndScanBit_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("sourceScan");
        QTest::newRow("3 to 7, in the scan list") << 3 << 7 << true;
        QTest::newRow("3 to 7, not in it") << 3 << 7 << false;
        QTest::newRow("9 to 1") << 9 << 1 << true;
        QTest::newRow("16 to 8") << 16 << 8 << false;
    }
    void channelCopyTakesRecordAndScanBit() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, sourceScan);
        Fixture f;
        putChannel(from, {k462_55, 46300000, ToneWord{0x75, 0x03}, ToneWord{0x13, 0xA0}, 0xC9, 0x11,
                          sourceScan});
        putChannel(to, {44600625, -1, {}, {}, 0x08, 0x01, !sourceScan});
        const QByteArray source = recordBytes(from);
        FormChannelCopy dialog(from);
        QVERIFY(showActive(dialog));
        QCOMPARE(child<QLineEdit>(&dialog, "TextChannelFrom")->text(), QString::number(from));
        QVERIFY(!child<QLineEdit>(&dialog, "TextChannelFrom")->isEnabled());
        QComboBox* target = child<QComboBox>(&dialog, "ComboChannelTo");
        QCOMPARE(target->currentText(), QString::number(from));
        target->setFocus();
        const Qt::Key move = to > from ? Qt::Key_Down : Qt::Key_Up;
        for (int i = 0; i < qAbs(to - from); ++i) QTest::keyClick(target, move);
        QCOMPARE(target->currentText(), QString::number(to));
        click(&dialog, "CommandCopy");

        QCOMPARE(imageBytes(16 * to, 16), source);
        QCOMPARE(ScanBitIsSet(globalState().RadioImage, to), sourceScan);
        QCOMPARE(ScanBitIsSet(globalState().RadioImage, from), sourceScan);
        QVERIFY(globalState().ChannelGridStale);
        QVERIFY(dialog.isVisible());  // stays open for the next target
    }

    void channelCopyToItselfChangesNothing() {
        Fixture f;
        putChannel(5, {k462_55, k462_55});
        const ImageBytes before = globalState().RadioImage;
        FormChannelCopy dialog(5);
        QVERIFY(showActive(dialog));
        click(&dialog, "CommandCopy");
        QVERIFY(globalState().RadioImage == before);
        QVERIFY(!globalState().ChannelGridStale);
    }

    void channelCopyToSeveralTargetsThenClose() {
        Fixture f;
        putChannel(2, {k462_55, k462_55});
        FormChannelCopy dialog(2);
        QVERIFY(showActive(dialog));
        QComboBox* target = child<QComboBox>(&dialog, "ComboChannelTo");
        for (int to : {4, 11}) {
            target->setCurrentIndex(to - 1);
            click(&dialog, "CommandCopy");
        }
        QCOMPARE(recordBytes(4), recordBytes(2));
        QCOMPARE(recordBytes(11), recordBytes(2));
        click(&dialog, "CommandCancel");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    // ---- Frequency copy ----

    void frequencyCopyStoresTheTransmitFrequency_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("transmit");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "."
                               << "" << QByteArray::fromHex("ffffffff") << "";
        QTest::newRow("462.55") << "."
                                << "462.55" << QByteArray::fromHex("00502546") << "";
        QTest::newRow("comma") << ","
                               << "462,55" << QByteArray::fromHex("00502546") << "";
        QTest::newRow("500 above 480")
            << "."
            << "500" << QByteArray::fromHex("00000048") << "Frequency is out of range!";
        QTest::newRow("separator alone")
            << "."
            << "." << QByteArray::fromHex("00000040") << "Frequency is out of range!";
    }
    void frequencyCopyStoresTheTransmitFrequency() {
        QFETCH(QString, separator);
        QFETCH(QString, typed);
        QFETCH(QByteArray, transmit);
        QFETCH(QString, message);
        Fixture f(true, separator);
        putChannel(6, {k462_55, 44600625, {}, ToneWord{0x75, 0x03}});
        const QString receive = separator == "." ? "462.55000" : "462,55000";
        FormFrequencyCopy dialog(6, receive);
        QVERIFY(showActive(dialog));
        QLineEdit* tx = child<QLineEdit>(&dialog, "TextTxFreq");
        QCOMPARE(child<QLineEdit>(&dialog, "TextRxFreq")->text(), receive);
        QVERIFY(!child<QLineEdit>(&dialog, "TextRxFreq")->isEnabled());
        QCOMPARE(tx->text(), receive);
        QCOMPARE(tx->selectedText(), receive);
        QCOMPARE(QApplication::focusWidget(), tx);
        QTest::keyClick(tx, Qt::Key_Backspace);
        QTest::keyClicks(tx, typed);
        QTest::keyClick(tx, Qt::Key_Return);  // Enter is OK

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(recordBytes(6).mid(record::kTxFrequency, 4), transmit);
        // The encode tone and the receive side stay as they were.
        QCOMPARE(recordBytes(6).mid(record::kEncodeTone, 2), QByteArray::fromHex("7503"));
        QCOMPARE(recordBytes(6).left(4), QByteArray::fromHex("00502546"));
        QVERIFY(globalState().ChannelGridStale);
        QCOMPARE(f.doubles.messages.texts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(f.doubles.messages.shown[0].icon, BoxIcon::Warning);
            QCOMPARE(f.doubles.messages.shown[0].buttons, BoxButtons::Ok);
        }
    }

    void frequencyCopyCancelWritesNothing() {
        Fixture f;
        putChannel(6, {k462_55, k462_55});
        const ImageBytes before = globalState().RadioImage;
        FormFrequencyCopy dialog(6, QStringLiteral("462.55000"));
        QVERIFY(showActive(dialog));
        QTest::keyClicks(child<QLineEdit>(&dialog, "TextTxFreq"), "470");
        click(&dialog, "CommandCancel");
        QVERIFY(globalState().RadioImage == before);
        QVERIFY(!globalState().ChannelGridStale);
    }

    // ---- QT/DQT copy ----

    void toneCopyStoresTheEncodeTone_data() {
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("typed");  // after clearing the field; "-" keeps the text
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("D023I") << "D023N"
                               << "D023I" << QByteArray::fromHex("13a0");
        QTest::newRow("88.5") << "None"
                              << "88.5" << QByteArray::fromHex("7503");
        QTest::newRow("None kept") << "None"
                                   << "-" << QByteArray::fromHex("ffff");
        QTest::newRow("Chinese none kept") << "无"
                                           << "-" << QByteArray::fromHex("ffff");
        QTest::newRow("decode copied") << "D754N"
                                       << "-" << QByteArray::fromHex("ec21");
        QTest::newRow("below 67") << "None"
                                  << "60" << QByteArray::fromHex("9e02");
    }
    void toneCopyStoresTheEncodeTone() {
        QFETCH(QString, decode);
        QFETCH(QString, typed);
        QFETCH(QByteArray, word);
        Fixture f;
        putChannel(4, {k462_55, k462_55, {}, ToneWord{0x13, 0x20}});
        FormQtDqtCopy dialog(4, decode);
        QVERIFY(showActive(dialog));
        QCOMPARE(child<QLineEdit>(&dialog, "TextDecode")->text(), decode);
        QComboBox* encode = child<QComboBox>(&dialog, "ComboEncode");
        QCOMPARE(encode->currentText(), decode);
        QCOMPARE(encode->lineEdit()->selectedText(), decode);
        QCOMPARE(encode->count(), 283);
        if (typed != "-") {
            QTest::keyClick(encode, Qt::Key_Backspace);
            QTest::keyClicks(encode, typed);
        }
        QTest::keyClick(encode, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(recordBytes(4).mid(record::kEncodeTone, 2), word);
        QVERIFY(globalState().ChannelGridStale);
    }

    // Leaving the field shows the tone as it will be stored.
    void toneCopyNormalisesOnLeaving_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("60") << "."
                            << "60"
                            << "67.0";
        QTest::newRow("60 comma") << ","
                                  << "60"
                                  << "67,0";
        QTest::newRow("300") << "."
                             << "300"
                             << "254.1";
        QTest::newRow("D89") << "."
                             << "D89"
                             << "D770N";
        QTest::newRow("lower case dropped") << "."
                                            << "d023n"
                                            << "67.0";
        QTest::newRow("comma tenths") << ","
                                      << "69,3"
                                      << "69,3";
    }
    void toneCopyNormalisesOnLeaving() {
        QFETCH(QString, separator);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f(true, separator);
        putChannel(4, {k462_55, k462_55});
        FormQtDqtCopy dialog(4, QStringLiteral("None"));
        QVERIFY(showActive(dialog));
        QComboBox* encode = child<QComboBox>(&dialog, "ComboEncode");
        QTest::keyClick(encode, Qt::Key_Backspace);
        QTest::keyClicks(encode, typed);
        QTest::keyClick(encode, Qt::Key_Tab);
        QVERIFY(!encode->hasFocus());
        QCOMPARE(encode->currentText(), shown);
        QVERIFY(dialog.isVisible());
        QCOMPARE(recordBytes(4).mid(record::kEncodeTone, 2), QByteArray::fromHex("ffff"));
    }

    // With five characters and nothing selected even Backspace is refused; with a
    // selection it deletes.
    void toneCopyBackspaceAtFiveCharacters() {
        Fixture f;
        putChannel(4, {k462_55, k462_55});
        FormQtDqtCopy dialog(4, QStringLiteral("D023N"));
        QVERIFY(showActive(dialog));
        QComboBox* encode = child<QComboBox>(&dialog, "ComboEncode");
        encode->lineEdit()->end(false);
        QTest::keyClick(encode, Qt::Key_Backspace);
        QTest::keyClick(encode, Qt::Key_5);
        QCOMPARE(encode->currentText(), QStringLiteral("D023N"));
        encode->lineEdit()->cursorBackward(true, 2);
        QTest::keyClick(encode, Qt::Key_Backspace);
        QCOMPARE(encode->currentText(), QStringLiteral("D02"));
        QTest::keyClicks(encode, "5I");
        QCOMPARE(encode->currentText(), QStringLiteral("D025I"));
        click(&dialog, "CommandOK");
        QCOMPARE(recordBytes(4).mid(record::kEncodeTone, 2), QByteArray::fromHex("15a0"));
    }

    void toneCopyCancelWritesNothing() {
        Fixture f;
        putChannel(4, {k462_55, k462_55, {}, ToneWord{0x13, 0x20}});
        FormQtDqtCopy dialog(4, QStringLiteral("88.5"));
        QVERIFY(showActive(dialog));
        click(&dialog, "CommandCancel");
        QCOMPARE(recordBytes(4).mid(record::kEncodeTone, 2), QByteArray::fromHex("1320"));
        QVERIFY(!globalState().ChannelGridStale);
    }
};
KORVA_TEST(CopyDialogsTest);

#include "copy_dialogs_test.moc"
