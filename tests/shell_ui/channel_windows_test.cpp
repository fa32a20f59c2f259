// The channel windows inside the running main window: the editor is an MDI child like the
// pages, the main window's shortcuts reach past it, and an edit still being typed never
// lands in an image that File New, File Open or a model change puts in place.
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

#include "channels/channel_records.h"
#include "channels/ui/form_channel_edit.h"
#include "channels/ui/form_channel_information.h"
#include "core/data_files.h"
#include "core/default_image.h"
#include "core/workbench.h"
#include "shell/mdi_form_main.h"
#include "shell_fixture.h"
#include "support/test_registry.h"

namespace {

FormChannelInformation* channelPage(MDIFormMain& window) {
    return window.findChild<FormChannelInformation*>();
}

// Clicks the receive cell of channel 1 and types a frequency without committing it.
void typeIntoFirstChannel(MDIFormMain& window, const QString& text) {
    FormChannelInformation* page = channelPage(window);
    auto* grid = page->findChild<QTableWidget*>(QStringLiteral("MSHFlexGridChannel"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      page->cellRect(1, 1).center());
    auto* text1 = page->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTRY_VERIFY(text1->isVisible() && text1->hasFocus());
    QTest::keyClicks(text1, text);
}

}  // namespace

class ChannelWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void editorIsAChildOfTheMainWindow() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        auto* button = channelPage(window)->findChild<QPushButton*>(
            QStringLiteral("CommandChannelEdit"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        FormChannelEdit* editor = nullptr;
        QTRY_VERIFY((editor = window.findChild<FormChannelEdit*>()) != nullptr);
        auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
        QVERIFY(frame);
        QVERIFY(window.mdiArea()->subWindowList().contains(frame));
        QTRY_COMPARE(window.mdiArea()->activeSubWindow(), frame);

        // Ctrl+W from a field of the editor writes to the radio and closes nothing.
        auto* rx = editor->findChild<QLineEdit*>(QStringLiteral("TextRxFreq"));
        rx->setFocus();
        QTRY_VERIFY(rx->hasFocus());
        QString shown;
        closeNextModal(&shown);
        QTest::keyClick(rx, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(shown, QStringLiteral("FormProcess"));
        QVERIFY(window.findChild<FormChannelEdit*>() == editor);

        // F1 in the editor opens the editor's own help topic.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        rx->setFocus();
        QTRY_VERIFY(rx->hasFocus());
        QTest::keyClick(rx, Qt::Key_F1);
        QTRY_VERIFY(!fixture.doubles.help.topics.isEmpty());
        QVERIFY2(fixture.doubles.help.topics.last().endsWith(QStringLiteral("/HTML/chEdit.htm")),
                 qPrintable(fixture.doubles.help.topics.last()));
    }

    void typedEditStaysWithTheReplacedImage_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("File New") << "MenuNew";
        QTest::newRow("File Open") << "MenuOpen";
    }
    void typedEditStaysWithTheReplacedImage() {
        QFETCH(QString, command);
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;

        // A data file holding the factory image: every channel empty.
        const QString path = fixture.folder.filePath(QStringLiteral("empty.rdat"));
        QString reason;
        QVERIFY2(writeDataFile(path, defaultImage(), defaultSoftwareRecord(), reason),
                 qPrintable(reason));
        fixture.doubles.files.answers << FileChoice{path, QStringLiteral("empty.rdat")};

        typeIntoFirstChannel(window, QStringLiteral("462.5"));
        window.findChild<QAction*>(command)->trigger();

        QTRY_VERIFY(channelPage(window) != nullptr);
        QVERIFY(ChannelIsEmpty(globalState().RadioImage, 0));
        if (command == QLatin1String("MenuOpen")) QVERIFY(globalState().RadioImage == defaultImage());
    }
};
KORVA_TEST(ChannelWindowsTest);

#include "channel_windows_test.moc"
