// File drill through the main window: File Save onto a full disk while an edit is still
// being typed in the channel grid. The save fails with the path and the reason, the file on
// disk stays, the title keeps the file's name, and the typed edit is in the image, so that
// nothing the user did is lost and a save elsewhere can still keep it.
#include <string.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "channels/channel_records.h"
#include "channels/ui/form_channel_information.h"
#include "core/data_files.h"
#include "core/default_image.h"
#include "shell/mdi_form_main.h"
#include "support/doubles.h"
#include "support/scratch_file_system.h"
#include "support/test_registry.h"

class MainWindowFileDrillTest : public QObject {
    Q_OBJECT
private slots:
    void saveOntoFullDiskKeepsFileAndTypedEdit() {
        ScratchFileSystem fs(64 * 1024);
        if (!fs.available()) QSKIP(qPrintable(fs.whyNot()));
        ScopedDoubles doubles;
        doubles.settings.values.insert(QStringLiteral("Language"), QStringLiteral("True"));
        QTemporaryDir appFolder;
        QVERIFY(appFolder.isValid());
        {
            QFile init(appFolder.filePath(QStringLiteral("Init.dat")));
            QVERIFY(init.open(QIODevice::WriteOnly));
            QVERIFY(init.write(defaultInitFileBytes()) == data_file::kInitFileSize);
        }
        GlobalState& state = globalState();
        state.AppFolder = appFolder.path();
        MDIFormMain window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        const QString path = fs.filePath(QStringLiteral("radio.rdat"));
        QString reason;
        QVERIFY2(writeDataFile(path, state.RadioImage, state.SoftwareData, reason),
                 qPrintable(reason));
        QFile previousFile(path);
        QVERIFY(previousFile.open(QIODevice::ReadOnly));
        const QByteArray previous = previousFile.readAll();
        previousFile.close();
        state.CurrentFilePath = path;
        state.CurrentFileName = QStringLiteral("radio.rdat");
        QVERIFY(fs.fill());

        // Channel 1's receive frequency typed into the grid and not yet committed.
        auto* page = window.findChild<FormChannelInformation*>();
        QVERIFY(page);
        auto* grid = page->findChild<QTableWidget*>(QStringLiteral("MSHFlexGridChannel"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          page->cellRect(1, FormChannelInformation::kColRx).center());
        auto* cell = page->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTRY_VERIFY(cell->isVisible() && cell->hasFocus());
        QTest::keyClicks(cell, QStringLiteral("462.5"));

        window.findChild<QAction*>(QStringLiteral("MenuSave"))->trigger();

        QCOMPARE(doubles.messages.shown.size(), 1);
        const QString text = doubles.messages.shown[0].text;
        QVERIFY2(text.contains(path) && text.contains(QString::fromLocal8Bit(strerror(ENOSPC))),
                 qPrintable(text));
        QVERIFY(previousFile.open(QIODevice::ReadOnly));
        QCOMPARE(previousFile.readAll(), previous);
        QCOMPARE(state.CurrentFilePath, path);
        QTRY_VERIFY(window.windowTitle().contains(QStringLiteral("radio.rdat")));
        QCOMPARE(FrequencyText(state.RadioImage, ChannelRecordOffset(0) + record::kRxFrequency,
                               state.DecimalSeparator),
                 QStringLiteral("462.50000"));
    }
};
KORVA_TEST(MainWindowFileDrillTest);

#include "main_window_file_drill_test.moc"
