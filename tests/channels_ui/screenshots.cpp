// Pictures of the channel windows in both languages for a person to look at: run by
// tools/channel_screenshots.sh, which sets KORVA_SCREENSHOT_DIR. Skipped otherwise.
#include <QDir>
#include <QPushButton>

#include "channel_ui_fixture.h"
#include "channels/ui/form_channel_copy.h"
#include "channels/ui/form_frequency_copy.h"
#include "channels/ui/form_qt_dqt_copy.h"
#include "support/test_registry.h"

using namespace channel_test;
using Col = FormChannelInformation::Column;

namespace {

void putSampleChannels() {
    putChannel(1, {46255000, 46255000, ToneWord{0x75, 0x03}, ToneWord{0x75, 0x03}});
    putChannel(2,
               {46256250, 46756250, ToneWord{0x13, 0x20}, ToneWord{0x13, 0xA0}, 0x00, 0x00, false});
    putChannel(3, {44600625, -1, ToneWord{0xED, 0x09}});
    putChannel(4, {47999999, 48000000, tones::kNone, ToneWord{0xEC, 0x21}, 0xF8, 0x01});
}

}  // namespace

class ChannelScreenshots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("KORVA_SCREENSHOT_DIR"))
            QSKIP("set KORVA_SCREENSHOT_DIR (tools/channel_screenshots.sh) to take pictures");
    }
    void grab_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("separator");
        QTest::newRow("en") << true << ".";
        QTest::newRow("zh") << false << ".";
        QTest::newRow("en_comma") << true << ",";
    }
    void grab() {
        QFETCH(bool, english);
        QFETCH(QString, separator);
        const QString folder = qEnvironmentVariable("KORVA_SCREENSHOT_DIR");
        QDir().mkpath(folder);
        const QString suffix = QLatin1String(QTest::currentDataTag());
        auto save = [&](QWidget* widget, const char* name) {
            const QString path = QStringLiteral("%1/%2_%3.png").arg(folder, name, suffix);
            QVERIFY2(widget->grab().save(path), qPrintable(path));
        };

        Fixture f(english, separator);
        putSampleChannels();
        FormChannelInformation* page = f.openPage();
        save(page, "grid");
        f.clickCell(2, Col::kColSpacing);
        save(page, "grid_list_open");
        f.clickCell(3, Col::kColRx);
        save(page, "grid_frequency_open");
        f.clickCell(2, Col::kColDecode);
        save(page, "grid_tone_open");
        page->FreshData();

        globalState().SelectedChannel = 2;
        FormChannelEdit* editor = FormChannelEdit::open();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        save(editor, "editor");
        globalState().SelectedChannel = 9;
        editor->AnalyseOneChannel();
        save(editor, "editor_empty");

        FormChannelCopy channelCopy(2);
        channelCopy.show();
        QVERIFY(QTest::qWaitForWindowExposed(&channelCopy));
        save(&channelCopy, "channel_copy");
        FormFrequencyCopy frequencyCopy(2, page->cellText(2, Col::kColRx));
        frequencyCopy.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frequencyCopy));
        save(&frequencyCopy, "frequency_copy");
        FormQtDqtCopy toneCopy(2, page->cellText(2, Col::kColDecode));
        toneCopy.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toneCopy));
        save(&toneCopy, "qtdqt_copy");
    }
};
KORVA_TEST(ChannelScreenshots);

#include "screenshots.moc"
