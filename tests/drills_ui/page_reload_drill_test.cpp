// Reload drill of the pages: any image, as a damaged data file or a radio with odd memory
// could bring, through every reload the pages run after a load or a read (channel grid,
// channel editor, function setup, key setting), in both languages and with both decimal
// separators. The pages must show what the image holds, put right only the function bytes
// that are out of range, and write nothing else back.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

#include "channels/channel_records.h"
#include "channels/ui/form_channel_edit.h"
#include "channels/ui/form_channel_information.h"
#include "core/data_files.h"
#include "core/radio_image.h"
#include "functions/function_setup.h"
#include "functions/key_assignment.h"
#include "functions/ui/form_key_setting.h"
#include "functions/ui/form_option.h"
#include "support/doubles.h"
#include "support/recording_workbench.h"
#include "support/test_registry.h"

namespace {

// Images that reach the corners: fillers, random bytes, random bytes with decimal
// frequencies at the edges of what shows, and the fuzzing seeds of the data files.
QList<ImageBytes> drillImages() {
    QList<ImageBytes> images;
    for (const uint8_t fill : {0x00, 0xFF, 0x99, 0x5A}) {
        ImageBytes bytes;
        bytes.fill(fill);
        images << bytes;
    }
    QRandomGenerator random(77);
    const qint64 edges[] = {4999999, 5000000, 52000000, 52000001, 46255000, 0, 99999999};
    for (int i = 0; i < 60; ++i) {
        ImageBytes bytes;
        for (uint8_t& b : bytes) b = uint8_t(random.bounded(256));
        if (i % 2) {
            bytes[image::kModelByte] = i % 4 == 1 ? image::kModelVhf : image::kModelUhf;
            for (int c = 0; c < image::kChannelCount; ++c) {
                const int offset = ChannelRecordOffset(c);
                StoreFrequency(bytes, offset + record::kRxFrequency,
                               edges[random.bounded(int(std::size(edges)))]);
                if (random.bounded(2))
                    StoreFrequency(bytes, offset + record::kTxFrequency,
                                   edges[random.bounded(int(std::size(edges)))]);
            }
        }
        images << bytes;
    }
    const QDir seeds(QStringLiteral(KORVA_SOURCE_DIR "/fuzz/corpus/data_files"));
    for (const QString& name : seeds.entryList(QDir::Files)) {
        QFile file(seeds.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        ImageBytes bytes;
        SoftwareRecord record;
        if (decodeDataFile(file.readAll(), bytes, record)) images << bytes;
    }
    return images;
}

// The bytes a reload may put right: the function bytes out of range, and the scan bits of
// channels that show empty.
bool reloadMayChange(int offset) {
    using namespace option;
    for (const int corrected : {kTimeOutTimer, kTimeOutWarning, kSquelchLevel, kVox, kInfraredBank,
                                kInfraredHundreds, kInfraredTensUnits})
        if (offset == corrected) return true;
    return offset == image::kScanAddBits || offset == image::kScanAddBits + 1;
}

}  // namespace

class PageReloadDrillTest : public QObject {
    Q_OBJECT
private slots:
    void pagesReloadAnyImage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English, point") << true << QStringLiteral(".");
        QTest::newRow("Chinese, comma") << false << QStringLiteral(",");
    }
    void pagesReloadAnyImage() {
        QFETCH(bool, english);
        QFETCH(QString, separator);
        ScopedDoubles doubles;
        ScopedWorkbench bench;
        GlobalState& state = globalState();
        state.EnglishMode = english;
        state.DecimalSeparator = separator;

        FormChannelInformation grid;
        FormOption options;
        FormKeySetting keys;
        grid.show();
        options.show();
        keys.show();
        std::unique_ptr<FormChannelEdit> editor(new FormChannelEdit);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));

        const QList<ImageBytes> images = drillImages();
        for (int i = 0; i < images.size(); ++i) {
            const ImageBytes before = images[i];
            state.RadioImage = before;
            state.SelectedChannel = 1 + i % image::kChannelCount;
            analyseModel(state);
            grid.AnalyseChannelInformation();
            editor->AnalyseOneChannel();
            options.AnalyseOption();
            keys.AnalyseKeySetting();
            QCoreApplication::processEvents();  // timers and queued reactions run too

            const ImageBytes& after = state.RadioImage;
            for (int offset = 0; offset < image::kSize; ++offset)
                if (!reloadMayChange(offset))
                    QVERIFY2(after[size_t(offset)] == before[size_t(offset)],
                             qPrintable(QStringLiteral("image %1: byte %2 written by a reload")
                                            .arg(i)
                                            .arg(offset)));
            // The function bytes the pages show are in range, and a second reload leaves them.
            ImageBytes corrected = after;
            analyseOption(corrected);
            QVERIFY2(corrected == after, qPrintable(QStringLiteral("image %1").arg(i)));
            for (int c = 0; c < image::kChannelCount; ++c) {
                const int offset = ChannelRecordOffset(c);
                const QString shown =
                    ShownFrequencyText(after, offset + record::kRxFrequency, separator);
                QCOMPARE(grid.cellText(c + 1, FormChannelInformation::kColRx), shown);
            }
            // The editor's box holds nine characters; bytes that are not decimal digits
            // can make a longer text.
            const QString editorRx =
                editor->findChild<QLineEdit*>(QStringLiteral("TextRxFreq"))->text();
            QCOMPARE(editorRx, ShownFrequencyText(
                                   after, ChannelRecordOffset(state.SelectedChannel - 1), separator)
                                   .left(frequency::kTextLength));
            const uint8_t assignment = after[keys::kAssignment];
            for (const int key : {keys::kPf1, keys::kPf2})
                QCOMPARE(keys.findChild<QComboBox*>(QStringLiteral("ComboKeySet%1").arg(key))
                             ->currentIndex(),
                         keyFunctionEntry(assignment, key));
        }
    }
};
KORVA_TEST(PageReloadDrillTest);

#include "page_reload_drill_test.moc"
