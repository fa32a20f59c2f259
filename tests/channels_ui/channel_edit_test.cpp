// The channel editor driven with real keys and clicks, alone and together with the grid.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "channel_ui_fixture.h"
#include "support/test_registry.h"

using namespace channel_test;
using Col = FormChannelInformation::Column;

namespace {

constexpr qint64 k462_55 = 46255000;

struct EditorFixture : Fixture {
    using Fixture::Fixture;

    FormChannelEdit* openEditor(int channel) {
        globalState().SelectedChannel = channel;
        editor = FormChannelEdit::open();
        if (!QTest::qWaitForWindowActive(editor)) qWarning("editor did not become active");
        return editor;
    }
    template <class T>
    T* child(const char* name) const {
        return editor->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* rx() const { return child<QLineEdit>("TextRxFreq"); }
    QLineEdit* tx() const { return child<QLineEdit>("TextTxFreq"); }
    QComboBox* combo(const char* name) const { return child<QComboBox>(name); }

    // Puts the focus into a control the way a click does.
    void clickInto(QWidget* control) {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, control->height() / 2));
    }

    static QString focusWidgetName() {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QString();
    }

    FormChannelEdit* editor = nullptr;
};

// A main window stand-in that takes child windows into an MDI area.
struct MdiWorkbench : RecordingWorkbench {
    QMdiArea area;
    bool addChildWindow(QWidget* window) override {
        ++childWindows;
        area.addSubWindow(window)->show();
        return true;
    }
};

}  // namespace

class ChannelEditTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << true
                                 << QStringList{"Channel Edit",
                                                "Channel",
                                                "Rx Frequency",
                                                "Tx Frequency",
                                                "CTCSS/DCS Decode",
                                                "CTCSS/DCS Encode",
                                                "Tx Power",
                                                "Channel Spacing",
                                                "Busy Channel Lock-out",
                                                "Scramble Type",
                                                "Scan Add",
                                                "Scramble On",
                                                "Compand",
                                                "&Help",
                                                "&Close"};
        QTest::newRow("Chinese") << false
                                 << QStringList{"信道信息", "信道",          "接收频率",
                                                "发射频率", "CTCSS/DCS解码", "CTCSS/DCS编码",
                                                "发射功率", "宽/窄带",       "繁忙锁定",
                                                "扰频组别", "扫描添加",      "扰频开启",
                                                "压扩",     "帮助(&H)",      "关闭(&C)"};
    }
    void captionsFollowTheLanguage() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        EditorFixture f(english);
        putChannel(1, {k462_55, k462_55});
        f.openEditor(1);
        QStringList shown{f.editor->windowTitle()};
        for (const char* name :
             {"LabelChannel", "LabelRxFreq", "LabelTxFreq", "LabelDecode", "LabelEncode",
              "LabelTxPower", "LabelSpace", "LabelBusyLock", "LabelScrambleType"})
            shown << f.child<QLabel>(name)->text();
        for (const char* name : {"CheckScanAdd", "CheckScramble", "CheckCompand"})
            shown << f.child<QCheckBox>(name)->text();
        for (const char* name : {"CommandHelp", "CommandClose"})
            shown << f.child<QPushButton>(name)->text();
        QCOMPARE(shown, texts);
        QCOMPARE(f.combo("ComboBusyLock")->itemText(0), english ? "None" : "关");
        QCOMPARE(f.combo("ComboScrambleType")->count(), 8);
        QCOMPARE(f.combo("ComboChannel")->count(), 16);
        QVERIFY(globalState().ChannelEditOpen);
        QCOMPARE(f.workbench.childWindows, 1);
    }

    // An empty channel offers only its receive frequency; typing one creates the channel.
    void emptyChannelIsCreatedFromItsReceiveField() {
        EditorFixture f;
        FormChannelInformation* page = f.openPage();
        f.openEditor(3);
        QVERIFY(f.rx()->isEnabled());
        QVERIFY(!f.tx()->isEnabled());
        for (const char* name : {"ComboDecode", "ComboEncode", "ComboTxPower", "ComboSpace",
                                 "ComboBusyLock", "ComboScrambleType"}) {
            QVERIFY2(!f.combo(name)->isEnabled(), name);
            QCOMPARE(f.combo(name)->count(), 0);
        }
        QVERIFY(!f.child<QCheckBox>("CheckScanAdd")->isEnabled());

        f.clickInto(f.rx());
        QTest::keyClicks(f.rx(), "462.5");
        QTest::keyClick(f.rx(), Qt::Key_Tab);  // leaving the field commits it

        QCOMPARE(recordBytes(3), QByteArray::fromHex("0000254600002546ffffffff0801ffff"));
        QVERIFY(ScanBitIsSet(globalState().RadioImage, 3));
        QCOMPARE(f.rx()->text(), QStringLiteral("462.50000"));
        QCOMPARE(f.tx()->text(), QStringLiteral("462.50000"));
        QCOMPARE(f.combo("ComboDecode")->currentText(), QStringLiteral("None"));
        QCOMPARE(f.combo("ComboEncode")->currentText(), QStringLiteral("None"));
        QCOMPARE(f.combo("ComboTxPower")->currentText(), QStringLiteral("High"));
        QCOMPARE(f.combo("ComboSpace")->currentText(), QStringLiteral("25K(Wide)"));
        QCOMPARE(f.combo("ComboBusyLock")->currentText(), QStringLiteral("None"));
        QCOMPARE(f.combo("ComboScrambleType")->currentText(), QStringLiteral("1"));
        QVERIFY(f.child<QCheckBox>("CheckScanAdd")->isChecked());
        QVERIFY(globalState().ChannelGridStale);
        // The grid follows on its next tick.
        QTRY_COMPARE(f.rowTexts(3), (QStringList{"462.50000", "462.50000", "None", "None", "High",
                                                 "Add", "25K(Wide)"}));
        Q_UNUSED(page);
    }

    void receiveOnlyChannelGetsItsTransmitSide() {
        EditorFixture f;
        putChannel(2, {k462_55, -1, ToneWord{0x75, 0x03}, ToneWord{0x13, 0x20}});
        f.openEditor(2);
        QVERIFY(f.tx()->isEnabled());
        QCOMPARE(f.tx()->text(), QString());
        QVERIFY(!f.combo("ComboEncode")->isEnabled());
        QCOMPARE(f.combo("ComboDecode")->currentText(), QStringLiteral("88.5"));

        f.clickInto(f.tx());
        QTest::keyClicks(f.tx(), "463");
        QTest::keyClick(f.tx(), Qt::Key_Return);
        QCOMPARE(f.tx()->text(), QStringLiteral("463.00000"));
        QVERIFY(f.combo("ComboEncode")->isEnabled());
        QCOMPARE(f.combo("ComboEncode")->currentText(), QStringLiteral("None"));
        QCOMPARE(recordBytes(2).mid(4, 8), QByteArray::fromHex("000030467503ffff"));
        QCOMPARE(f.focusWidgetName(), QStringLiteral("TextTxFreq"));
    }

    void outOfBandEntriesAreCorrected_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("receive above") << true << "TextRxFreq"
                                       << "600"
                                       << "480.00000";
        QTest::newRow("transmit below") << false << "TextTxFreq"
                                        << "399.9"
                                        << "400.00000";
    }
    void outOfBandEntriesAreCorrected() {
        QFETCH(bool, english);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        EditorFixture f(english);
        putChannel(1, {k462_55, k462_55});
        f.openEditor(1);
        auto* edit = f.editor->findChild<QLineEdit*>(field);
        f.clickInto(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(f.doubles.messages.shown.size(), 1);
        QCOMPARE(f.doubles.messages.shown[0].text,
                 english ? QStringLiteral("Frequency is out of range!")
                         : QStringLiteral("频率超出范围！"));
        QCOMPARE(f.doubles.messages.shown[0].icon, BoxIcon::Warning);
        QCOMPARE(edit->text(), shown);
    }

    void busyLockElevenShowsNoneAndCarrierWritesOne() {
        EditorFixture f;
        putChannel(4, {k462_55, k462_55, {}, {}, 0x38, 0x01, true});
        f.openEditor(4);
        QComboBox* busy = f.combo("ComboBusyLock");
        QCOMPARE(busy->currentIndex(), 0);
        QCOMPARE(busy->currentText(), QStringLiteral("None"));
        busy->setFocus();
        QTest::keyClick(busy, Qt::Key_Down);
        QCOMPARE(busy->currentText(), QStringLiteral("Carrier"));
        QCOMPARE(quint8(recordBytes(4)[record::kFlags]), quint8(0x18));
        QVERIFY(!globalState().ChannelGridStale);  // the grid does not show it
    }

    void specialCodeBitFollowsTheRadio_data() {
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("options");
        QTest::newRow("radio with the special code") << true << 0x11;
        QTest::newRow("radio without it") << false << 0x01;
    }
    void specialCodeBitFollowsTheRadio() {
        QFETCH(bool, allowed);
        QFETCH(int, options);
        EditorFixture f;
        globalState().SpecialCodeAllowed = allowed;
        putChannel(6, {k462_55, k462_55, {}, {}, 0x08, 0x11, true});
        putChannel(7, {k462_55, k462_55, {}, {}, 0x08, 0x11, true});
        f.openEditor(6);
        QCOMPARE(int(quint8(recordBytes(6)[record::kOptions])), options);
        // Only the channel shown is touched.
        QCOMPARE(int(quint8(recordBytes(7)[record::kOptions])), 0x11);
    }

    void tonesAreShownAndStored_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("tenths dropped") << "."
                                        << "67.04"
                                        << "67.0" << QByteArray::fromHex("9e02");
        QTest::newRow("unreadable") << "."
                                    << "100N"
                                    << "67.0" << QByteArray::fromHex("9e02");
        QTest::newRow("comma") << ","
                               << "69,3"
                               << "69,3" << QByteArray::fromHex("b502");
        QTest::newRow("DCS") << "."
                             << "d0234"
                             << "D023N" << QByteArray::fromHex("1320");
    }
    void tonesAreShownAndStored() {
        QFETCH(QString, separator);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, word);
        EditorFixture f(true, separator);
        putChannel(5, {k462_55, k462_55, ToneWord{0xFF, 0x0A}});
        f.openEditor(5);
        QComboBox* decode = f.combo("ComboDecode");
        QCOMPARE(decode->currentText(), QStringLiteral("None"));  // (0xFF, 0x0A) shows none
        QCOMPARE(decode->currentIndex(), 0);
        decode->setFocus();
        decode->lineEdit()->selectAll();
        QTest::keyClick(decode, Qt::Key_Backspace);
        QTest::keyClicks(decode, typed);
        QTest::keyClick(decode, Qt::Key_Return);
        QCOMPARE(decode->currentText(), shown);
        QCOMPARE(decode->lineEdit()->selectedText(), shown);
        QCOMPARE(recordBytes(5).mid(record::kDecodeTone, 2), word);
        QVERIFY(globalState().ChannelGridStale);
    }

    void choosingAToneFromTheListStoresIt_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("D017I") << 167 << QByteArray::fromHex("0fa0");
        QTest::newRow("D017N") << 51 << QByteArray::fromHex("0f20");
        QTest::newRow("None") << 0 << QByteArray::fromHex("ffff");
    }
    void choosingAToneFromTheListStoresIt() {
        QFETCH(int, index);
        QFETCH(QByteArray, word);
        EditorFixture f;
        putChannel(5, {k462_55, k462_55, {}, ToneWord{0x75, 0x03}});
        f.openEditor(5);
        QComboBox* encode = f.combo("ComboEncode");
        encode->showPopup();
        QAbstractItemView* list = encode->view();
        const QModelIndex item = list->model()->index(index, 0);
        list->scrollTo(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualRect(item).center());
        QTRY_VERIFY(!list->window()->isVisible());
        QCOMPARE(recordBytes(5).mid(record::kEncodeTone, 2), word);
    }

    void checkBoxesAndListsWriteTheirBits_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<bool>("gridRefresh");
        QTest::newRow("scramble on") << "CheckScramble" << 0x88 << 0x01 << true << true;
        QTest::newRow("compand on") << "CheckCompand" << 0x48 << 0x01 << true << false;
        QTest::newRow("scan add off") << "CheckScanAdd" << 0x08 << 0x01 << false << true;
        QTest::newRow("power low") << "ComboTxPower" << 0x08 << 0x00 << true << true;
        QTest::newRow("spacing narrow") << "ComboSpace" << 0x00 << 0x01 << true << true;
        QTest::newRow("scramble type 2") << "ComboScrambleType" << 0x09 << 0x01 << true << true;
    }
    void checkBoxesAndListsWriteTheirBits() {
        QFETCH(QString, control);
        QFETCH(int, flags);
        QFETCH(int, options);
        QFETCH(bool, scan);
        QFETCH(bool, gridRefresh);
        EditorFixture f;
        putChannel(8, {k462_55, k462_55});
        f.openEditor(8);
        auto* widget = f.editor->findChild<QWidget*>(control);
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier,
                              QPoint(6, check->height() / 2));
        } else {
            auto* box = static_cast<QComboBox*>(widget);
            box->setFocus();
            QTest::keyClick(box, box->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(int(quint8(recordBytes(8)[record::kFlags])), flags);
        QCOMPARE(int(quint8(recordBytes(8)[record::kOptions])), options);
        QCOMPARE(ScanBitIsSet(globalState().RadioImage, 8), scan);
        QCOMPARE(globalState().ChannelGridStale, gridRefresh);
    }

    // The editor always shows the channel it writes: a click in the grid moves it at once.
    void editorFollowsTheGridSelection() {
        EditorFixture f;
        putChannel(1, {k462_55, k462_55});
        putChannel(3, {44600625, 44600625});
        FormChannelInformation* page = f.openPage();
        f.clickCell(1, Col::kColMore);
        f.editor = FormChannelEdit::instance();
        QVERIFY(f.editor);
        QCOMPARE(f.editor->shownChannel(), 1);

        QApplication::setActiveWindow(page);
        QVERIFY(QTest::qWaitForWindowActive(page));
        f.clickCell(3, Col::kColPower);
        QCOMPARE(f.editor->shownChannel(), 3);
        QCOMPARE(f.rx()->text(), QStringLiteral("446.00625"));

        // A change in the editor lands on channel 3 and shows in the grid on its next tick.
        QApplication::setActiveWindow(f.editor);
        QVERIFY(QTest::qWaitForWindowActive(f.editor));
        f.combo("ComboTxPower")->setFocus();
        QTest::keyClick(f.combo("ComboTxPower"), Qt::Key_Up);
        QVERIFY(!ChannelRecord(globalState().RadioImage, 2).highPower());
        QVERIFY(ChannelRecord(globalState().RadioImage, 0).highPower());
        QTRY_COMPARE(page->cellText(3, Col::kColPower), QStringLiteral("Low"));

        // And a change in the grid shows in the editor on its next tick.
        QApplication::setActiveWindow(page);
        QVERIFY(QTest::qWaitForWindowActive(page));
        f.clickCell(3, Col::kColScan);
        f.key(Qt::Key_Down);
        f.key(Qt::Key_Return);
        QVERIFY(!ScanBitIsSet(globalState().RadioImage, 3));
        QTRY_VERIFY(!f.child<QCheckBox>("CheckScanAdd")->isChecked());
        QVERIFY(!globalState().ChannelEditStale);
    }

    // The editor's channel choice is the grid's selection: the next shortcut acts on it.
    void channelChoiceMovesTheGridSelection() {
        EditorFixture f;
        for (int n = 1; n <= 6; ++n) putChannel(n, {46200000 + n * 10000, -1});
        FormChannelInformation* page = f.openPage();
        f.clickCell(1, Col::kColPower);
        f.openEditor(1);
        QComboBox* channel = f.combo("ComboChannel");
        channel->setFocus();
        for (int i = 0; i < 4; ++i) QTest::keyClick(channel, Qt::Key_Down);
        QCOMPARE(globalState().SelectedChannel, 5);
        QCOMPARE(f.rx()->text(), QStringLiteral("462.50000"));

        QApplication::setActiveWindow(page);
        QVERIFY(QTest::qWaitForWindowActive(page));
        QTRY_COMPARE(page->currentRow(), 5);
        f.key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(page->cellText(5, Col::kColRx), QStringLiteral("462.60000"));
        QCOMPARE(page->cellText(4, Col::kColRx), QStringLiteral("462.40000"));
        QTRY_COMPARE(f.rx()->text(), QStringLiteral("462.60000"));
    }

    // Text typed into a frequency field is committed to the channel on screen before the
    // editor shows anything else.
    void typedTextIsCommittedBeforeARefresh() {
        EditorFixture f;
        putChannel(2, {k462_55, k462_55});
        putChannel(9, {44600625, 44600625});
        f.openEditor(2);
        f.clickInto(f.tx());
        f.tx()->selectAll();
        QTest::keyClicks(f.tx(), "470");
        globalState().SelectedChannel = 9;  // as a grid click would
        FormChannelEdit::followSelectedChannel();
        QCOMPARE(f.editor->shownChannel(), 9);
        QCOMPARE(f.tx()->text(), QStringLiteral("446.00625"));
        QCOMPARE(ShownFrequencyText(globalState().RadioImage,
                                    ChannelRecordOffset(1) + record::kTxFrequency, "."),
                 QStringLiteral("470.00000"));
        QCOMPARE(ShownFrequencyText(globalState().RadioImage,
                                    ChannelRecordOffset(8) + record::kTxFrequency, "."),
                 QStringLiteral("446.00625"));
    }

    // A refresh of the same channel keeps what is being typed and does not commit it
    // half-way (a lone "4" would be out of the band).
    void refreshKeepsWhatIsBeingTyped() {
        EditorFixture f;
        putChannel(2, {k462_55, k462_55});
        f.openEditor(2);
        f.clickInto(f.tx());
        f.tx()->selectAll();
        QTest::keyClicks(f.tx(), "4");
        ChannelRecord(globalState().RadioImage, 1).setHighPower(false);  // the grid did this
        globalState().ChannelEditStale = true;
        QTRY_VERIFY(!globalState().ChannelEditStale);
        QCOMPARE(f.combo("ComboTxPower")->currentText(), QStringLiteral("Low"));
        QCOMPARE(f.tx()->text(), QStringLiteral("4"));
        QVERIFY(f.doubles.messages.shown.isEmpty());
        QTest::keyClicks(f.tx(), "70");
        QTest::keyClick(f.tx(), Qt::Key_Return);
        QCOMPARE(f.tx()->text(), QStringLiteral("470.00000"));
        QVERIFY(f.doubles.messages.shown.isEmpty());
    }

    // After a read from the radio the grid is reloaded, and the open editor with it.
    void editorFollowsAWholeImageReload() {
        EditorFixture f;
        FormChannelInformation* page = f.openPage();
        f.openEditor(4);
        putChannel(4, {k462_55, k462_55});
        page->AnalyseChannelInformation();
        QCOMPARE(page->cellText(4, Col::kColRx), QStringLiteral("462.55000"));
        QTRY_COMPARE(f.rx()->text(), QStringLiteral("462.55000"));
    }

    void emptyingTheReceiveFieldErasesTheChannel() {
        EditorFixture f;
        putChannel(10, {k462_55, k462_55, ToneWord{0x75, 0x03}});
        f.openEditor(10);
        f.clickInto(f.rx());
        f.rx()->selectAll();
        QTest::keyClick(f.rx(), Qt::Key_Backspace);
        QTest::keyClick(f.rx(), Qt::Key_Return);
        QCOMPARE(recordBytes(10), erasedRecord());
        QVERIFY(!ScanBitIsSet(globalState().RadioImage, 10));
        QVERIFY(!f.tx()->isEnabled());
        QCOMPARE(f.focusWidgetName(), QStringLiteral("TextRxFreq"));
    }

    // Inside the main window the editor is an MDI child: it opens in the page window state
    // (a minimized state opens normal), shows the selected channel when brought to the
    // front, and closes together with its frame.
    void editorLivesInTheMainWindow() {
        EditorFixture f;
        MdiWorkbench mdi;
        setWorkbench(&mdi);
        mdi.area.resize(900, 700);
        mdi.area.show();
        QVERIFY(QTest::qWaitForWindowActive(&mdi.area));
        putChannel(5, {k462_55, k462_55});
        auto* page = new FormChannelInformation;
        QMdiSubWindow* pageFrame = mdi.area.addSubWindow(page);
        pageFrame->show();

        globalState().PageWindowState = 2;
        FormChannelEdit* editor = FormChannelEdit::open();
        auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
        QVERIFY(frame);
        QCOMPARE(mdi.childWindows, 1);
        QVERIFY(frame->isMaximized());
        QCOMPARE(mdi.area.activeSubWindow(), frame);

        frame->showNormal();
        QCOMPARE(globalState().PageWindowState, 0);
        mdi.area.setActiveSubWindow(pageFrame);
        globalState().SelectedChannel = 5;  // changed without telling the editor
        mdi.area.setActiveSubWindow(frame);
        QCOMPARE(editor->shownChannel(), 5);

        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("CommandClose")),
                          Qt::LeftButton);
        QTRY_VERIFY(!FormChannelEdit::instance());
        QCOMPARE(mdi.area.subWindowList(), QList<QMdiSubWindow*>{pageFrame});

        globalState().PageWindowState = 1;
        editor = FormChannelEdit::open();
        frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
        QVERIFY(frame && !frame->isMinimized() && !frame->isMaximized());
        delete editor;
        delete pageFrame;
        setWorkbench(&f.workbench);
    }

    void helpAndClose() {
        EditorFixture f;
        f.openEditor(1);
        QTest::mouseClick(f.child<QPushButton>("CommandHelp"), Qt::LeftButton);
        QCOMPARE(f.workbench.helpTopics, QStringList{"chEdit.htm"});
        QTest::mouseClick(f.child<QPushButton>("CommandClose"), Qt::LeftButton);
        QVERIFY(!globalState().ChannelEditOpen);
        QTRY_VERIFY(!FormChannelEdit::instance());
        // Opening again makes a fresh editor.
        f.openEditor(2);
        QCOMPARE(f.editor->shownChannel(), 2);
        QVERIFY(globalState().ChannelEditOpen);
    }
};
KORVA_TEST(ChannelEditTest);

#include "channel_edit_test.moc"
