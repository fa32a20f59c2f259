#pragma once
// Shared set-up of the channel window tests: a clean global state on a UHF 400-480 MHz
// image with every channel erased, channel records written as a radio would hold them,
// and real mouse clicks and key presses on the grid.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "channels/channel_records.h"
#include "channels/ui/form_channel_edit.h"
#include "channels/ui/form_channel_information.h"
#include "core/global_state.h"
#include "core/radio_image.h"
#include "core/workbench.h"
#include "support/doubles.h"

namespace channel_test {

// Receive and transmit frequencies in 10 Hz steps; -1 leaves the field erased.
struct ChannelSpec {
    qint64 receive = -1;
    qint64 transmit = -1;
    ToneWord decode = tones::kNone;
    ToneWord encode = tones::kNone;
    uint8_t flags = record::kNewChannelFlags;
    uint8_t options = record::kNewChannelOptions;
    bool scan = true;
};

inline void putChannel(int n, const ChannelSpec& wanted) {
    ImageBytes& image = globalState().RadioImage;
    const int offset = ChannelRecordOffset(n - 1);
    for (int k = 0; k < record::kSize; ++k) image[offset + k] = record::kErased;
    if (wanted.receive >= 0) StoreFrequency(image, offset + record::kRxFrequency, wanted.receive);
    if (wanted.transmit >= 0) StoreFrequency(image, offset + record::kTxFrequency, wanted.transmit);
    ChannelRecord channel(image, n - 1);
    channel.setDecodeTone(wanted.decode);
    channel.setEncodeTone(wanted.encode);
    channel.setByte(record::kFlags, wanted.flags);
    channel.setByte(record::kOptions, wanted.options);
    WriteScanBit(image, n, wanted.scan);
}

inline QByteArray recordBytes(int n) {
    const ImageBytes& image = globalState().RadioImage;
    const int offset = ChannelRecordOffset(n - 1);
    return QByteArray(reinterpret_cast<const char*>(image.data()) + offset, record::kSize);
}

inline QByteArray erasedRecord() { return QByteArray(record::kSize, char(0xFF)); }

// Stands in for the main window: records help topics and the Window-menu calls, and
// leaves child windows to show on their own.
struct RecordingWorkbench : Workbench {
    QStringList helpTopics;
    QStringList menu;
    int childWindows = 0;

    void AnalyseModel() override { analyseModel(globalState()); }
    void AnalyseSoftwareData() override {}
    bool addChildWindow(QWidget*) override {
        ++childWindows;
        return false;
    }
    void windowMenuAppend(int id, const QString& caption) override {
        menu << QStringLiteral("append %1 %2").arg(id).arg(caption);
    }
    void windowMenuRemove(int id) override { menu << QStringLiteral("remove %1").arg(id); }
    void showHelpTopic(const QString& topic) override { helpTopics << topic; }
};

// Installs the doubles and a UHF 400-480 MHz image with all channels erased.
struct Fixture {
    ScopedDoubles doubles;
    RecordingWorkbench workbench;

    explicit Fixture(bool english = true, const QString& separator = QStringLiteral(".")) {
        setWorkbench(&workbench);
        GlobalState& state = globalState();
        state.EnglishMode = english;
        state.DecimalSeparator = separator;
        state.RadioImage.fill(0);
        const auto model = modelRecord(false, 147);
        std::copy(model.begin(), model.end(), state.RadioImage.begin() + image::kModelRecord);
        for (int n = 1; n <= image::kChannelCount; ++n) EraseChannel(state.RadioImage, n - 1);
        analyseModel(state);
    }

    ~Fixture() {
        delete FormChannelEdit::instance();
        delete page.data();
        setWorkbench(nullptr);
    }

    // Opens the channel page as the active window.
    FormChannelInformation* openPage() {
        page = new FormChannelInformation;
        page->show();
        QApplication::setActiveWindow(page);
        if (!QTest::qWaitForWindowActive(page)) qWarning("channel page did not become active");
        return page;
    }

    QTableWidget* grid() const {
        return page->findChild<QTableWidget*>(QStringLiteral("MSHFlexGridChannel"));
    }
    QLineEdit* text1() const { return page->findChild<QLineEdit*>(QStringLiteral("Text1")); }
    QComboBox* combo1(int k) const {
        return page->findChild<QComboBox*>(QStringLiteral("Combo1_%1").arg(k));
    }

    void clickCell(int row, int column) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          page->cellRect(row, column).center());
    }

    // Keys go where a person's keys would go: to the widget with the focus. When a modal
    // dialog has just closed, the page becomes the active window again first.
    QWidget* focus() {
        if (!QApplication::focusWidget() && page) {
            QApplication::setActiveWindow(page);
            if (!QTest::qWaitForWindowActive(page)) qWarning("channel page did not return");
        }
        return QApplication::focusWidget();
    }
    void type(const QString& text) { QTest::keyClicks(focus(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus(), key, modifiers);
    }

    QStringList rowTexts(int row) const {
        QStringList texts;
        for (int column = 1; column <= 7; ++column) texts << page->cellText(row, column);
        return texts;
    }

    QPointer<FormChannelInformation> page;
};

// Runs handler on every modal dialog that opens while body runs (the handler closes it)
// and returns how many opened.
inline int handleModalDialogs(const std::function<void(QWidget*)>& handler,
                              const std::function<void()>& body) {
    int opened = 0;
    QPointer<QWidget> last;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == last) return;
        last = dialog;
        ++opened;
        handler(dialog);
    });
    poll.start();
    body();
    QTest::qWait(50);
    return opened;
}

}  // namespace channel_test
