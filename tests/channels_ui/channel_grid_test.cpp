// The channel page driven as a person drives it: clicks on cells, typing, Enter, the
// shortcut keys; checked against the grid's cells and the bytes of the radio image.
#include <QHeaderView>
#include <QPushButton>

#include "channel_ui_fixture.h"
#include "channels/ui/form_channel_copy.h"
#include "channels/ui/form_frequency_copy.h"
#include "channels/ui/form_qt_dqt_copy.h"
#include "support/test_registry.h"

using namespace channel_test;
using Col = FormChannelInformation::Column;

namespace {
constexpr qint64 k462_55 = 46255000;
constexpr qint64 k146_52 = 14652000;
}  // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << true << QStringList{"CH",
                                                        "Rx Frequency",
                                                        "Tx Frequency",
                                                        "CTCSS/DCS Decode",
                                                        "CTCSS/DCS Encode",
                                                        "Tx Power",
                                                        "Scan Add",
                                                        "Channel Spacing",
                                                        "More"}
                                 << "Channel Information";
        QTest::newRow("Chinese") << false
                                 << QStringList{"信道",     "接收频率", "发射频率", "解码", "编码",
                                                "发射功率", "扫描添加", "宽/窄带",  "更多"}
                                 << "信道信息";
    }
    void captionsFollowTheLanguage() {
        QFETCH(bool, english);
        QFETCH(QStringList, captions);
        QFETCH(QString, title);
        Fixture f(english);
        FormChannelInformation* page = f.openPage();
        QStringList shown;
        for (int column = 0; column < FormChannelInformation::kColumnCount; ++column)
            shown << page->cellText(0, column);
        QCOMPARE(shown, captions);
        QCOMPARE(page->windowTitle(), title);
        QCOMPARE(page->cellText(16, 0), QStringLiteral("16"));
        QCOMPARE(page->cellText(7, Col::kColMore), QStringLiteral(">>"));
        QVERIFY(globalState().ChannelPageOpen);
        QCOMPARE(globalState().SelectedChannel, 1);
    }

    // The page's sizes, widened where the font needs it: nothing is cut off.
    void gridIsLaidOutWithoutClipping() {
        Fixture f;
        putChannel(1, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        QTableWidget* grid = f.grid();
        QCOMPARE(grid->rowCount(), 16);
        QCOMPARE(grid->columnCount(), 8);
        QVERIFY(grid->horizontalHeader()->height() >= 33);
        for (int column = 1; column <= 8; ++column) {
            const QRect cell = page->cellRect(1, column);
            QVERIFY2(
                cell.width() >= grid->fontMetrics().horizontalAdvance(page->cellText(1, column)),
                qPrintable(page->cellText(1, column)));
        }
        QVERIFY(page->cellRect(1, Col::kColRx).width() >= 67);
        QVERIFY(page->cellRect(1, Col::kColSpacing).width() >= 80);
        // All sixteen channels are visible at once.
        QVERIFY(page->cellRect(16, 1).bottom() < grid->viewport()->height());
    }

    void storedChannelsAreShown() {
        Fixture f;
        // Receive-only channel from another band: shown, with the fixed validity bounds.
        putChannel(2, {k146_52, -1, ToneWord{0x9E, 0x02}, ToneWord{0x13, 0xA0}, 0x00, 0x00, false});
        // An empty channel whose scan bit was left set.
        SetScanBit(globalState().RadioImage, 3);
        FormChannelInformation* page = f.openPage();
        Q_UNUSED(page);
        QCOMPARE(f.rowTexts(2),
                 (QStringList{"146.52000", "", "67.0", "D023I", "Low", "Delete", "12.5K(Narrow)"}));
        QCOMPARE(f.rowTexts(3), QStringList(7, QString()));
        QVERIFY(!ScanBitIsSet(globalState().RadioImage, 3));
    }

    // Typing a receive frequency into an empty row creates the channel, and Enter walks on.
    void typingIntoAnEmptyRowCreatesTheChannel() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        f.clickCell(4, Col::kColRx);
        QVERIFY(f.text1()->isVisible());
        QCOMPARE(f.text1()->geometry(), page->cellRect(4, Col::kColRx));
        QCOMPARE(f.focus(), f.text1());
        f.type("462.5");
        f.key(Qt::Key_Return);

        QVERIFY(!f.text1()->isVisible());
        QCOMPARE(f.rowTexts(4), (QStringList{"462.50000", "462.50000", "None", "None", "High",
                                             "Add", "25K(Wide)"}));
        const QByteArray bytes = recordBytes(4);
        QCOMPARE(bytes.left(8), QByteArray::fromHex("0000254600002546"));
        QCOMPARE(quint8(bytes[12]), quint8(0x08));
        QCOMPARE(quint8(bytes[13]), quint8(0x01));
        QVERIFY(ScanBitIsSet(globalState().RadioImage, 4));
        QVERIFY(globalState().ChannelEditStale);
        QCOMPARE(page->currentRow(), 4);
        QCOMPARE(page->currentColumn(), int(Col::kColTx));
        QCOMPARE(f.focus(), f.grid());

        f.key(Qt::Key_Return);
        QVERIFY(f.text1()->isVisible());
        QCOMPARE(f.text1()->geometry(), page->cellRect(4, Col::kColTx));
        QCOMPARE(f.text1()->text(), QStringLiteral("462.50000"));
        QCOMPARE(globalState().SelectedColumn, int(Col::kColTx));
    }

    // A channel gets its receive frequency first, and its transmit frequency before its
    // encode tone.
    void clicksAreForcedToTheMissingFrequency_data() {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("channelExists");
        QTest::addColumn<int>("opened");
        QTest::newRow("decode of an empty row")
            << int(Col::kColDecode) << false << int(Col::kColRx);
        QTest::newRow("power of an empty row") << int(Col::kColPower) << false << int(Col::kColRx);
        QTest::newRow("encode without transmit")
            << int(Col::kColEncode) << true << int(Col::kColTx);
        QTest::newRow("decode without transmit")
            << int(Col::kColDecode) << true << int(Col::kColDecode);
    }
    void clicksAreForcedToTheMissingFrequency() {
        QFETCH(int, clicked);
        QFETCH(bool, channelExists);
        QFETCH(int, opened);
        Fixture f;
        if (channelExists) putChannel(6, {k462_55, -1});
        FormChannelInformation* page = f.openPage();
        f.clickCell(6, clicked);
        QCOMPARE(globalState().SelectedChannel, 6);
        QCOMPARE(globalState().SelectedColumn, opened);
        QCOMPARE(page->currentColumn(), opened);
        QWidget* editor = opened <= Col::kColTx ? static_cast<QWidget*>(f.text1())
                                                : f.combo1(opened - Col::kColDecode);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->geometry().topLeft(), page->cellRect(6, opened).topLeft());
        QCOMPARE(editor->width(), page->cellRect(6, opened).width());
    }

    void emptyingTheReceiveCellErasesTheChannel() {
        Fixture f;
        putChannel(
            7, {k462_55, k462_55, ToneWord{0x75, 0x03}, ToneWord{0x13, 0x20}, 0xC8, 0x11, true});
        f.openPage();
        f.clickCell(7, Col::kColRx);
        QCOMPARE(f.text1()->selectedText(), QStringLiteral("462.55000"));
        f.key(Qt::Key_Backspace);
        f.key(Qt::Key_Return);
        QCOMPARE(f.rowTexts(7), QStringList(7, QString()));
        QCOMPARE(recordBytes(7), erasedRecord());
        QVERIFY(!ScanBitIsSet(globalState().RadioImage, 7));
    }

    void emptyingTheTransmitCellKeepsTheReceiveSide() {
        Fixture f;
        putChannel(7, {k462_55, k462_55, ToneWord{0x75, 0x03}, ToneWord{0x13, 0x20}});
        f.openPage();
        f.clickCell(7, Col::kColTx);
        f.key(Qt::Key_Backspace);
        f.key(Qt::Key_Return);
        QCOMPARE(f.rowTexts(7),
                 (QStringList{"462.55000", "", "88.5", "", "High", "Add", "25K(Wide)"}));
        const QByteArray bytes = recordBytes(7);
        QCOMPARE(bytes.mid(4, 4), QByteArray(4, char(0xFF)));
        QCOMPARE(bytes.mid(8, 4), QByteArray::fromHex("7503ffff"));
    }

    void outOfBandEntriesAreCorrectedAfterAWarning_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("receive above") << true << int(Col::kColRx) << "600"
                                       << "480.00000"
                                       << "Frequency is out of range!";
        QTest::newRow("receive below") << true << int(Col::kColRx) << "100"
                                       << "400.00000"
                                       << "Frequency is out of range!";
        QTest::newRow("separator alone") << false << int(Col::kColRx) << "."
                                         << "400.00000"
                                         << "频率超出范围！";
        QTest::newRow("transmit above") << true << int(Col::kColTx) << "481"
                                        << "480.00000"
                                        << "Frequency is out of range!";
    }
    void outOfBandEntriesAreCorrectedAfterAWarning() {
        QFETCH(bool, english);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Fixture f(english);
        putChannel(2, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        f.clickCell(2, column);
        f.key(Qt::Key_Backspace);
        f.type(typed);
        f.key(Qt::Key_Return);
        QCOMPARE(f.doubles.messages.shown.size(), 1);
        const ShownBox box = f.doubles.messages.shown.first();
        QCOMPARE(box.title, QStringLiteral("KORVA-77"));
        QCOMPARE(box.text, message);
        QCOMPARE(box.icon, BoxIcon::Warning);
        QCOMPARE(box.buttons, BoxButtons::Ok);
        QCOMPARE(page->cellText(2, column), shown);
        const int field = column == Col::kColRx ? record::kRxFrequency : record::kTxFrequency;
        QCOMPARE(FrequencyText(globalState().RadioImage, ChannelRecordOffset(1) + field,
                               globalState().DecimalSeparator),
                 shown);
    }

    // A receive frequency above the working limit gives a transmit frequency at the limit.
    void defaultTransmitStopsAtTheWorkingLimit() {
        Fixture f;
        globalState().BandUpperMHz = 520;  // 400-520 band with the extension off
        f.openPage();
        f.clickCell(1, Col::kColRx);
        f.type("500");
        f.key(Qt::Key_Return);
        QVERIFY(f.doubles.messages.shown.isEmpty());
        QCOMPARE(f.rowTexts(1).mid(0, 2), (QStringList{"500.00000", "480.00000"}));
    }

    // Clicking into a cell and leaving it again never changes the channel, even one that
    // lies outside the band of the image.
    void leavingACellUnchangedWritesNothing() {
        Fixture f;
        putChannel(3, {k146_52, k146_52, ToneWord{0xFF, 0x09}, tones::kNone});
        const ImageBytes before = globalState().RadioImage;
        f.openPage();
        f.clickCell(3, Col::kColRx);
        f.clickCell(3, Col::kColTx);
        f.clickCell(3, Col::kColDecode);
        f.clickCell(3, Col::kColPower);
        f.clickCell(3, Col::kColRx);
        f.key(Qt::Key_Return);
        QVERIFY(f.doubles.messages.texts().isEmpty());
        QVERIFY(globalState().RadioImage == before);
    }

    void typedTonesAreNormalisedAndStored_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("DCS filled on the right") << "."
                                                 << "d23"
                                                 << "D230N" << QByteArray::fromHex("9820");
        QTest::newRow("DCS inverted") << "."
                                      << "D023I"
                                      << "D023I" << QByteArray::fromHex("13a0");
        QTest::newRow("CTCSS") << "."
                               << "88.5"
                               << "88.5" << QByteArray::fromHex("7503");
        QTest::newRow("comma keeps tenths") << ","
                                            << "69,3"
                                            << "69,3" << QByteArray::fromHex("b502");
        QTest::newRow("empty reads 0") << "."
                                       << ""
                                       << "67.0" << QByteArray::fromHex("9e02");
        QTest::newRow("above the list") << "."
                                        << "300"
                                        << "254.1" << QByteArray::fromHex("ed09");
    }
    void typedTonesAreNormalisedAndStored() {
        QFETCH(QString, separator);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, word);
        Fixture f(true, separator);
        putChannel(5, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        f.clickCell(5, Col::kColDecode);
        QCOMPARE(f.focus(), f.combo1(0));
        f.combo1(0)->lineEdit()->selectAll();
        f.key(Qt::Key_Backspace);
        f.type(typed);
        f.key(Qt::Key_Return);
        QCOMPARE(page->cellText(5, Col::kColDecode), shown);
        QCOMPARE(recordBytes(5).mid(record::kDecodeTone, 2), word);
        QCOMPARE(page->currentColumn(), int(Col::kColEncode));
    }

    // On a comma system the typed decimals of a frequency are kept.
    void commaSeparatorKeepsTypedDecimals() {
        Fixture f(true, QStringLiteral(","));
        FormChannelInformation* page = f.openPage();
        f.clickCell(1, Col::kColRx);
        f.type("462,125");
        f.key(Qt::Key_Return);
        QCOMPARE(page->cellText(1, Col::kColRx), QStringLiteral("462,12500"));
        QCOMPARE(recordBytes(1).left(4), QByteArray::fromHex("00252146"));
        QCOMPARE(page->cellText(1, Col::kColSpacing), QStringLiteral("25K(Wide)"));
    }

    void frequencyFieldTakesDigitsAndOneSeparatorOnly() {
        Fixture f;
        f.openPage();
        f.clickCell(1, Col::kColRx);
        f.type("4a6x2..55-000999");
        QCOMPARE(f.text1()->text(), QStringLiteral("462.55000"));
    }

    void listColumnsWriteTheirBits_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::Key>("move");
        QTest::addColumn<QString>("shown");
        QTest::newRow("power low") << int(Col::kColPower) << Qt::Key_Up << "Low";
        QTest::newRow("scan delete") << int(Col::kColScan) << Qt::Key_Down << "Delete";
        QTest::newRow("spacing narrow") << int(Col::kColSpacing) << Qt::Key_Up << "12.5K(Narrow)";
    }
    void listColumnsWriteTheirBits() {
        QFETCH(int, column);
        QFETCH(Qt::Key, move);
        QFETCH(QString, shown);
        Fixture f;
        putChannel(2, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        f.clickCell(2, column);
        QComboBox* box = f.combo1(column - Col::kColDecode);
        QCOMPARE(f.focus(), box);
        f.key(move);
        f.key(Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(page->cellText(2, column), shown);
        const ChannelRecord channel(globalState().RadioImage, 1);
        QCOMPARE(channel.highPower(), column != Col::kColPower);
        QCOMPARE(channel.scanAdd(), column != Col::kColScan);
        QCOMPARE(channel.wideSpacing(), column != Col::kColSpacing);
    }

    // Enter in the spacing column goes on to the next channel; the last channel's goes to
    // the "More" column.
    void enterAfterSpacingMovesOn_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("nextRow");
        QTest::addColumn<int>("nextColumn");
        QTest::newRow("channel 5") << 5 << 6 << int(Col::kColRx);
        QTest::newRow("channel 16") << 16 << 16 << int(Col::kColMore);
    }
    void enterAfterSpacingMovesOn() {
        QFETCH(int, channel);
        QFETCH(int, nextRow);
        QFETCH(int, nextColumn);
        Fixture f;
        putChannel(channel, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        f.clickCell(channel, Col::kColSpacing);
        f.key(Qt::Key_Return);
        QCOMPARE(page->currentRow(), nextRow);
        QCOMPARE(page->currentColumn(), nextColumn);
        f.key(Qt::Key_Return);
        if (nextColumn == Col::kColRx) {
            QVERIFY(f.text1()->isVisible());
            QCOMPARE(f.text1()->geometry(), page->cellRect(nextRow, nextColumn));
        } else {
            QVERIFY(FormChannelEdit::instance());
            QCOMPARE(FormChannelEdit::instance()->shownChannel(), 16);
        }
    }

    // A whole channel from the keyboard: receive, transmit, both tones, power, scan and
    // spacing, one Enter after another.
    void aChannelIsBuiltFromTheKeyboardAlone() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        f.grid()->setFocus();
        f.key(Qt::Key_Return);  // opens the receive cell of channel 1
        f.type("446.00625");
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // transmit
        f.combo1(0);            // (the tone boxes are filled when the page loads)
        f.text1()->selectAll();
        f.type("446.1");
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // decode
        f.combo1(0)->lineEdit()->selectAll();
        f.type("D754N");
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // encode
        f.combo1(1)->lineEdit()->selectAll();
        f.type("100");
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // power
        f.key(Qt::Key_Up);
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // scan add
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);  // spacing
        f.key(Qt::Key_Up);
        f.key(Qt::Key_Return);
        QCOMPARE(f.rowTexts(1), (QStringList{"446.00625", "446.10000", "D754N", "100.0", "Low",
                                             "Add", "12.5K(Narrow)"}));
        QCOMPARE(recordBytes(1).left(14), QByteArray::fromHex("2506604400006144ec21e8030000"));
        QCOMPARE(page->currentRow(), 2);
        QCOMPARE(page->currentColumn(), int(Col::kColRx));
    }

    void insertAndDeleteMoveChannels() {
        Fixture f;
        for (int n = 1; n <= 3; ++n)
            putChannel(n, {46200000 + n * 10000, -1, {}, {}, 0x08, 0x01, n != 2});
        FormChannelInformation* page = f.openPage();
        f.clickCell(2, Col::kColPower);  // the list stays open while the key is pressed
        f.key(Qt::Key_F9, Qt::ShiftModifier);
        QCOMPARE(page->cellText(2, Col::kColRx), QString());
        QCOMPARE(page->cellText(3, Col::kColRx), QStringLiteral("462.20000"));
        QCOMPARE(page->cellText(3, Col::kColScan), QStringLiteral("Delete"));
        QCOMPARE(page->cellText(4, Col::kColRx), QStringLiteral("462.30000"));
        QVERIFY(ScanBitIsSet(globalState().RadioImage, 4));
        QVERIFY(!ScanBitIsSet(globalState().RadioImage, 3));
        QVERIFY(globalState().ChannelEditStale);

        f.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(page->cellText(2, Col::kColRx), QStringLiteral("462.20000"));
        QCOMPARE(page->cellText(3, Col::kColRx), QStringLiteral("462.30000"));
        QCOMPARE(page->cellText(4, Col::kColRx), QString());
    }

    void insertAndDeleteAtChannel16_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Shift+F9 with channel 16 in use")
            << Qt::Key_F9 << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl+I with channel 16 in use")
            << Qt::Key_I << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Shift+F10 on channel 16")
            << Qt::Key_F10 << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl+D on channel 16")
            << Qt::Key_D << Qt::KeyboardModifiers(Qt::ControlModifier);
    }
    void insertAndDeleteAtChannel16() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        Fixture f;
        putChannel(15, {k462_55, -1});
        putChannel(16, {k146_52, k146_52});
        const ImageBytes before = globalState().RadioImage;
        FormChannelInformation* page = f.openPage();
        f.clickCell(16, Col::kColPower);
        f.key(key, modifiers);
        QVERIFY(globalState().RadioImage == before);
        QCOMPARE(page->cellText(16, Col::kColRx), QStringLiteral("146.52000"));
    }

    // The shortcuts act only after a first click, and only on a channel that has what the
    // dialog copies from.
    void shortcutsOpenTheirDialogOnce_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("withTransmit");
        QTest::addColumn<int>("expected");
        const auto shift = Qt::KeyboardModifiers(Qt::ShiftModifier);
        const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Shift+F3") << Qt::Key_F3 << shift << "FormChannelCopy" << true << 1;
        QTest::newRow("Ctrl+E") << Qt::Key_E << ctrl << "FormChannelCopy" << true << 1;
        QTest::newRow("Shift+F4") << Qt::Key_F4 << shift << "FormFrequencyCopy" << true << 1;
        QTest::newRow("Ctrl+F") << Qt::Key_F << ctrl << "FormFrequencyCopy" << true << 1;
        QTest::newRow("Shift+F5") << Qt::Key_F5 << shift << "FormQtDqtCopy" << true << 1;
        QTest::newRow("Ctrl+Q") << Qt::Key_Q << ctrl << "FormQtDqtCopy" << true << 1;
        QTest::newRow("Shift+F5 without transmit") << Qt::Key_F5 << shift << "" << false << 0;
        QTest::newRow("plain F3") << Qt::Key_F3 << Qt::KeyboardModifiers() << "" << true << 0;
    }
    void shortcutsOpenTheirDialogOnce() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, dialog);
        QFETCH(bool, withTransmit);
        QFETCH(int, expected);
        Fixture f;
        putChannel(4, {k462_55, withTransmit ? k462_55 : -1});
        f.openPage();
        QStringList seen;
        auto close = [&](QWidget* modal) {
            seen << modal->objectName();
            static_cast<QDialog*>(modal)->reject();
        };
        // Before the first click the shortcuts do nothing.
        QCOMPARE(handleModalDialogs(close, [&] { f.key(key, modifiers); }), 0);

        f.clickCell(4, Col::kColPower);
        QCOMPARE(handleModalDialogs(close, [&] { f.key(key, modifiers); }), expected);
        // Again with the grid itself holding the focus.
        f.key(Qt::Key_Escape);
        f.grid()->setFocus();
        QCOMPARE(handleModalDialogs(close, [&] { f.key(key, modifiers); }), expected);
        QCOMPARE(seen, QStringList(expected * 2, dialog));
    }

    // A half-typed cell is committed before a shortcut acts, so the dialog sees it.
    void shortcutCommitsTheOpenCellFirst() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        f.clickCell(9, Col::kColRx);
        f.type("450");
        QString shownReceive;
        const int opened = handleModalDialogs(
            [&](QWidget* modal) {
                shownReceive = modal->findChild<QLineEdit*>(QStringLiteral("TextRxFreq"))->text();
                static_cast<QDialog*>(modal)->reject();
            },
            [&] { f.key(Qt::Key_F, Qt::ControlModifier); });
        QCOMPARE(opened, 1);
        QCOMPARE(shownReceive, QStringLiteral("450.00000"));
        QCOMPARE(page->cellText(9, Col::kColRx), QStringLiteral("450.00000"));
    }

    void copyDialogChangesShowAtOnce() {
        Fixture f;
        putChannel(3, {k462_55, k462_55, ToneWord{0x75, 0x03}});
        FormChannelInformation* page = f.openPage();
        f.clickCell(3, Col::kColPower);
        handleModalDialogs(
            [&](QWidget* modal) {
                auto* target = modal->findChild<QComboBox*>(QStringLiteral("ComboChannelTo"));
                target->setCurrentIndex(6);
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("CommandCopy")),
                                  Qt::LeftButton);
                static_cast<QDialog*>(modal)->reject();
            },
            [&] { f.key(Qt::Key_F3, Qt::ShiftModifier); });
        QCOMPARE(f.rowTexts(7), f.rowTexts(3));
        QCOMPARE(page->cellText(7, Col::kColDecode), QStringLiteral("88.5"));
        QVERIFY(!globalState().ChannelGridStale);
        QVERIFY(globalState().ChannelEditStale);  // an open editor may show channel 7
    }

    void helpAndClose() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        QCOMPARE(f.workbench.menu, QStringList{"append 1000 Channel Information"});
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("CommandHelp")),
                          Qt::LeftButton);
        f.key(Qt::Key_F1);
        QCOMPARE(f.workbench.helpTopics, (QStringList{"chinfo.htm", "chinfo.htm"}));
        f.clickCell(1, Col::kColRx);
        f.type("450");
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("CommandClose")),
                          Qt::LeftButton);
        QTRY_VERIFY(f.page.isNull());
        QVERIFY(!globalState().ChannelPageOpen);
        QCOMPARE(f.workbench.menu.last(), QStringLiteral("remove 1000"));
        // The typed cell was committed as the page closed.
        QCOMPARE(ShownFrequencyText(globalState().RadioImage, ChannelRecordOffset(0),
                                    globalState().DecimalSeparator),
                 QStringLiteral("450.00000"));
    }

    void freshDataCommitsTheOpenEditor() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        f.clickCell(2, Col::kColRx);
        f.type("470");
        page->hide();  // as when the page is minimized before a save
        page->FreshData();
        QVERIFY(f.text1()->isHidden());
        QCOMPARE(page->cellText(2, Col::kColTx), QStringLiteral("470.00000"));
        QCOMPARE(recordBytes(2).left(8), QByteArray::fromHex("0000004700000047"));
    }

    // The arrow keys move about the grid; the refresh timer leaves the current cell alone.
    void arrowKeysMoveTheCurrentCell() {
        Fixture f;
        putChannel(1, {k462_55, k462_55});
        FormChannelInformation* page = f.openPage();
        f.grid()->setFocus();
        f.key(Qt::Key_Down);
        f.key(Qt::Key_Down);
        f.key(Qt::Key_Right);
        QCOMPARE(page->currentRow(), 3);
        QCOMPARE(page->currentColumn(), int(Col::kColTx));
        QTest::qWait(700);  // at least one refresh tick
        QCOMPARE(page->currentRow(), 3);
        f.key(Qt::Key_Return);  // an empty channel: its receive frequency first
        QVERIFY(f.text1()->isVisible());
        QCOMPARE(f.text1()->geometry(), page->cellRect(3, Col::kColRx));
    }

    void refreshesWhenAnotherWindowChangedTheImage() {
        Fixture f;
        FormChannelInformation* page = f.openPage();
        auto* timer = page->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        putChannel(8, {k462_55, k462_55});
        QTest::qWait(20);
        QCOMPARE(page->cellText(8, Col::kColRx), QString());  // not yet: nobody said so
        globalState().ChannelGridStale = true;
        QTRY_COMPARE(page->cellText(8, Col::kColRx), QStringLiteral("462.55000"));
        QVERIFY(!globalState().ChannelGridStale);
    }
};
KORVA_TEST(ChannelGridTest);

#include "channel_grid_test.moc"
