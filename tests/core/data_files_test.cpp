#include "core/data_files.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "core/default_image.h"
#include "core/radio_image.h"
#include "support/recording_workbench.h"
#include "support/doubles.h"
#include "support/test_registry.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

// An image unlike the default one: VHF 134-176 MHz and a pattern in every byte.
ImageBytes sampleImage() {
    ImageBytes image;
    for (int i = 0; i < image::kSize; ++i) image[i] = uint8_t(i * 7 + 3);
    const auto record = modelRecord(true, 2);
    std::copy(record.begin(), record.end(), image.begin() + image::kModelRecord);
    return image;
}

// Programming password "AB", new password "XYZ" pending.
SoftwareRecord sampleRecord() {
    SoftwareRecord record;
    record.fill(0xFF);
    record[0] = 'A';
    record[1] = 'B';
    record[6] = 'X';
    record[7] = 'Y';
    record[8] = 'Z';
    record[12] = 0x55;
    record[16] = 0x42;
    return record;
}

QByteArray sampleFileBytes() { return encodeDataFile(sampleImage(), sampleRecord()); }

bool runningAsRoot() { return ::geteuid() == 0; }

}  // namespace

class SoftwareRecordTest : public QObject {
    Q_OBJECT
private slots:
    void encodes_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QByteArray>("bytes");  // the 16 rewritten bytes
        QTest::addColumn<QString>("readBack");  // the programming password decoded again
        QTest::newRow("AB") << "AB"
                            << "" << false
                            << QByteArray::fromHex("4142FFFFFFFF FFFFFFFFFFFF FF FFFFFF") << "AB";
        QTest::newRow("8 characters keep 6")
            << "ABCDEFGH"
            << "12345678" << false << QByteArray::fromHex("414243444546 313233343536 FF FFFFFF")
            << "ABCDEF";
        QTest::newRow("new password pending")
            << ""
            << "abc" << true << QByteArray::fromHex("FFFFFFFFFFFF 616263FFFFFF 55 FFFFFF") << "";
        QTest::newRow("no single-byte code")
            << "A中B"
            << "" << false << QByteArray::fromHex("413F42FFFFFF FFFFFFFFFFFF FF FFFFFF") << "A?B";
        QTest::newRow("Latin-1 letter")
            << "é1"
            << "" << false << QByteArray::fromHex("E931FFFFFFFF FFFFFFFFFFFF FF FFFFFF") << "é1";
        // 0xFF ends a password, so the character of that code cannot be kept either.
        QTest::newRow("y with diaeresis")
            << "aÿb"
            << "" << false << QByteArray::fromHex("613F62FFFFFF FFFFFFFFFFFF FF FFFFFF") << "a?b";
    }
    void encodes() {
        GlobalState state;
        state.SoftwareData.fill(0x00);
        state.SoftwareData[16] = 0x5A;
        QFETCH(QString, password);
        state.ProgramPassword = password;
        QFETCH(QString, newPassword);
        state.NewPassword = newPassword;
        QFETCH(bool, pending);
        state.NewPasswordPending = pending;
        saveSoftwareData(state);

        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.SoftwareData.data()), 16), bytes);
        QCOMPARE(int(state.SoftwareData[16]), 0x5A);  // the last byte is kept

        analyseSoftwareData(state);
        QFETCH(QString, readBack);
        QCOMPARE(state.ProgramPassword, readBack);
    }

    void decodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<bool>("pending");
        QTest::newRow("stops at the first 0xFF")
            << QByteArray::fromHex("41FF42434445 FF3132333435 55 FFFFFF 00") << "A"
            << "" << true;
        QTest::newRow("six characters each")
            << QByteArray::fromHex("414243444546 474849505152 FF FFFFFF FF") << "ABCDEF"
            << "GHIPQR" << false;
        QTest::newRow("pending only with 0x55")
            << QByteArray::fromHex("FFFFFFFFFFFF FFFFFFFFFFFF 54 FFFFFF FF") << ""
            << "" << false;
        QTest::newRow("Latin-1 bytes")
            << QByteArray::fromHex("E9FCFFFFFFFF FFFFFFFFFFFF FF FFFFFF FF") << "éü"
            << "" << false;
    }
    void decodes() {
        QFETCH(QByteArray, bytes);
        GlobalState state;
        state.ProgramPassword = QStringLiteral("old");
        state.NewPasswordPending = true;
        std::copy(bytes.begin(), bytes.end(), state.SoftwareData.begin());
        analyseSoftwareData(state);
        QFETCH(QString, password);
        QCOMPARE(state.ProgramPassword, password);
        QFETCH(QString, newPassword);
        QCOMPARE(state.NewPassword, newPassword);
        QFETCH(bool, pending);
        QCOMPARE(state.NewPasswordPending, pending);
    }

    // The headless main window decodes the application's record.
    void headlessWorkbenchDecodes() {
        ScopedDoubles doubles;
        globalState().SoftwareData = sampleRecord();
        workbench().AnalyseSoftwareData();
        QCOMPARE(globalState().ProgramPassword, QStringLiteral("AB"));
        QCOMPARE(globalState().NewPassword, QStringLiteral("XYZ"));
        QVERIFY(globalState().NewPasswordPending);
    }
};
KORVA_TEST(SoftwareRecordTest);

class DataFileOpenTest : public QObject {
    Q_OBJECT
private slots:
    void encodesSignatureImageAndRecord() {
        const QByteArray bytes = sampleFileBytes();
        QCOMPARE(bytes.size(), data_file::kDataFileSize);
        QCOMPARE(bytes.left(16), QByteArray("KORVA-77Ver1.0.2"));
        QCOMPARE(uint8_t(bytes[16 + image::kBandCode]), uint8_t(2));
        QCOMPARE(uint8_t(bytes[1040]), uint8_t('A'));
        QCOMPARE(uint8_t(bytes[1056]), uint8_t(0x42));
    }

    void opensAndLoads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("this version") << sampleFileBytes();
        QTest::newRow("other version")
            << QByteArray("KORVA-77Ver9.9.9") + sampleFileBytes().mid(16);
        QTest::newRow("longer file") << sampleFileBytes() + QByteArray(40, 'x');
    }
    void opensAndLoads() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.rdat");
        QFETCH(QByteArray, bytes);
        writeFile(path, bytes);
        GlobalState& state = globalState();
        state.EnglishMode = true;
        doubles.files.answers << FileChoice{path, "radio.rdat"};

        QVERIFY(fileOpen(state));

        QCOMPARE(doubles.files.calls.size(), 1);
        QCOMPARE(doubles.files.calls[0].mode, QStringLiteral("OPEN"));
        QCOMPARE(doubles.files.calls[0].title, QStringLiteral("Open"));
        QCOMPARE(doubles.files.calls[0].initialName, QString());
        QCOMPARE(doubles.messages.shown.size(), 1);
        QCOMPARE(doubles.messages.shown[0].title, QStringLiteral("KORVA-77"));
        QCOMPARE(doubles.messages.shown[0].text,
                 QStringLiteral("Do you want to cover current data?"));
        QCOMPARE(doubles.messages.shown[0].icon, BoxIcon::Warning);
        QCOMPARE(doubles.messages.shown[0].buttons, BoxButtons::OkCancel);

        QVERIFY(state.RadioImage == sampleImage());
        QVERIFY(state.SoftwareData == sampleRecord());
        QCOMPARE(state.CurrentFilePath, path);
        QCOMPARE(state.CurrentFileName, QStringLiteral("radio.rdat"));
        QCOMPARE(state.BandName, QStringLiteral("VHF"));
        QCOMPARE(state.BandLowerMHz, 134);
        QCOMPARE(state.BandUpperMHz, 176);
        QCOMPARE(state.ProgramPassword, QStringLiteral("AB"));
        QCOMPARE(state.NewPassword, QStringLiteral("XYZ"));
        QCOMPARE(bench.calls,
                 QStringList({"FreshData", "AnalyseModel", "AnalyseSoftwareData", "reopenChannelPage"}));
    }

    void refusesForeignAndShortFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("english");
        QTest::newRow("foreign") << QByteArray("KORVA-78Ver1.0.2") + sampleFileBytes().mid(16)
                                 << true;
        QTest::newRow("foreign, Chinese")
            << QByteArray("korva-77Ver1.0.2") + sampleFileBytes().mid(16) << false;
        QTest::newRow("one byte short") << sampleFileBytes().left(1056) << true;
        QTest::newRow("record missing, Chinese") << sampleFileBytes().left(1040) << false;
        QTest::newRow("signature only") << sampleFileBytes().left(16) << true;
        QTest::newRow("empty") << QByteArray() << true;
    }
    void refusesForeignAndShortFiles() {
        QFETCH(bool, english);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        const QString path = dir.filePath("other.rdat");
        QFETCH(QByteArray, bytes);
        writeFile(path, bytes);
        GlobalState& state = globalState();
        state.EnglishMode = english;
        state.RadioImage = defaultImage();
        state.SoftwareData = defaultSoftwareRecord();
        state.CurrentFilePath = QStringLiteral("/data/previous.rdat");
        state.CurrentFileName = QStringLiteral("previous.rdat");
        const GlobalState before = state;
        doubles.files.answers << FileChoice{path, "other.rdat"};

        QVERIFY(!fileOpen(state));

        QCOMPARE(doubles.files.calls[0].title,
                 english ? QStringLiteral("Open") : QStringLiteral("打开"));
        QCOMPARE(doubles.messages.shown.size(), 2);  // the question, then the refusal
        QCOMPARE(doubles.messages.shown[0].text,
                 english ? QStringLiteral("Do you want to cover current data?")
                         : QStringLiteral("覆盖当前数据？"));
        const ShownBox& box = doubles.messages.shown[1];
        QCOMPARE(box.title, english ? QStringLiteral("Error") : QStringLiteral("错误"));
        QCOMPARE(box.text,
                 english ? QStringLiteral("Error file！") : QStringLiteral("错误的文件！"));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::Ok);
        QVERIFY(state.RadioImage == before.RadioImage);
        QVERIFY(state.SoftwareData == before.SoftwareData);
        QCOMPARE(state.CurrentFilePath, before.CurrentFilePath);
        QCOMPARE(state.CurrentFileName, before.CurrentFileName);
        QVERIFY(bench.calls.isEmpty());
    }

    void cancelledOrDeclinedChangesNothing_data() {
        QTest::addColumn<bool>("dialogCancelled");
        QTest::newRow("dialog cancelled") << true;
        QTest::newRow("question declined") << false;
    }
    void cancelledOrDeclinedChangesNothing() {
        QFETCH(bool, dialogCancelled);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.rdat");
        writeFile(path, sampleFileBytes());
        GlobalState& state = globalState();
        state.CurrentFileName = QStringLiteral("previous.rdat");
        if (!dialogCancelled) doubles.files.answers << FileChoice{path, "radio.rdat"};
        doubles.messages.answers << BoxAnswer::Cancel;

        QVERIFY(!fileOpen(state));

        QCOMPARE(doubles.messages.shown.size(), dialogCancelled ? 0 : 1);
        QVERIFY(state.RadioImage == ImageBytes{});
        QCOMPARE(state.CurrentFilePath, QString());
        QCOMPARE(state.CurrentFileName, QStringLiteral("previous.rdat"));
        QVERIFY(bench.calls.isEmpty());
    }

    void unreadableFileIsReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("missing") << "gone.rdat" << false;
        QTest::newRow("a folder") << "folder.rdat" << false;
        QTest::newRow("no read permission") << "locked.rdat" << true;
    }
    void unreadableFileIsReported() {
        QFETCH(QString, name);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && runningAsRoot()) QSKIP("file permissions do not bind root");
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder.rdat");
        const QString locked = dir.filePath("locked.rdat");
        writeFile(locked, sampleFileBytes());
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        const QString path = dir.filePath(name);
        GlobalState& state = globalState();
        state.EnglishMode = true;
        doubles.files.answers << FileChoice{path, name};

        QVERIFY(!fileOpen(state));

        QCOMPARE(doubles.messages.shown.size(), 2);
        const ShownBox& box = doubles.messages.shown[1];
        QCOMPARE(box.icon, BoxIcon::Error);
        QVERIFY2(box.text.startsWith("Cannot open the file " + path + ":\n"), qPrintable(box.text));
        QVERIFY2(box.text.size() > QString("Cannot open the file " + path + ":\n").size(),
                 "the system's reason is missing");
        QVERIFY(state.RadioImage == ImageBytes{});
        QCOMPARE(state.CurrentFilePath, QString());
        QCOMPARE(state.CurrentFileName, QStringLiteral("new.rdat"));
        QVERIFY(bench.calls.isEmpty());
    }

    // Opening a file does not apply the band extension: only a read from the radio does.
    void openShowsNominalUpperLimit() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        ImageBytes image = defaultImage();
        image[image::kExtensionOption] = 1;
        const QString path = dir.filePath("ext.rdat");
        writeFile(path, encodeDataFile(image, defaultSoftwareRecord()));
        globalState().WorkingUpperMHz = 520;
        doubles.files.answers << FileChoice{path, "ext.rdat"};
        QVERIFY(fileOpen(globalState()));
        QCOMPARE(globalState().BandLowerMHz, 400);
        QCOMPARE(globalState().WorkingUpperMHz, 480);
    }

    // On a state of its own the operation derives band and passwords itself.
    void openOnOwnState() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.rdat");
        writeFile(path, sampleFileBytes());
        doubles.files.answers << FileChoice{path, "radio.rdat"};
        GlobalState state;
        QVERIFY(fileOpen(state));
        QCOMPARE(state.BandName, QStringLiteral("VHF"));
        QCOMPARE(state.ProgramPassword, QStringLiteral("AB"));
        QCOMPARE(bench.calls, QStringList({"FreshData", "reopenChannelPage"}));
        QVERIFY(globalState().BandName.isEmpty());
    }
};
KORVA_TEST(DataFileOpenTest);

class DataFileSaveTest : public QObject {
    Q_OBJECT
private slots:
    // After start-up there is no path: Save asks, offering "new.rdat", and a second Save
    // writes silently to the same file.
    void firstSaveAsksThenWritesSilently() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        const QString path = dir.filePath("mine.rdat");
        GlobalState& state = globalState();
        state.EnglishMode = true;
        state.RadioImage = sampleImage();
        state.SoftwareData = sampleRecord();
        analyseSoftwareData(state);
        doubles.files.answers << FileChoice{path, "mine.rdat"};

        QVERIFY(fileSave(state));
        QCOMPARE(doubles.files.calls.size(), 1);
        QCOMPARE(doubles.files.calls[0].mode, QStringLiteral("Save"));
        QCOMPARE(doubles.files.calls[0].title, QStringLiteral("Save"));
        QCOMPARE(doubles.files.calls[0].initialName, QStringLiteral("new.rdat"));
        QCOMPARE(state.CurrentFilePath, path);
        QCOMPARE(state.CurrentFileName, QStringLiteral("mine.rdat"));
        QCOMPARE(readFile(path), sampleFileBytes());

        state.RadioImage[100] = 0x00;
        QVERIFY(fileSave(state));
        QCOMPARE(doubles.files.calls.size(), 1);
        QCOMPARE(uint8_t(readFile(path).at(16 + 100)), uint8_t(0x00));
        QVERIFY(doubles.messages.shown.isEmpty());
    }

    void saveDialogTitles_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("initialName");
        QTest::newRow("Save, English") << true << false << "Save"
                                       << "new.rdat";
        QTest::newRow("Save, Chinese") << false << false << "保存"
                                       << "new.rdat";
        QTest::newRow("Save As, English") << true << true << "另存为"
                                          << "";
        QTest::newRow("Save As, Chinese") << false << true << "另存为"
                                          << "";
    }
    void saveDialogTitles() {
        ScopedDoubles doubles;
        QFETCH(bool, english);
        globalState().EnglishMode = english;
        QFETCH(bool, saveAs);
        QVERIFY(!(saveAs ? fileSaveAs(globalState()) : fileSave(globalState())));
        QCOMPARE(doubles.files.calls.size(), 1);
        QCOMPARE(doubles.files.calls[0].mode, QStringLiteral("Save"));
        QFETCH(QString, title);
        QCOMPARE(doubles.files.calls[0].title, title);
        QFETCH(QString, initialName);
        QCOMPARE(doubles.files.calls[0].initialName, initialName);
        // A cancelled dialog is no error and changes neither path nor name.
        QVERIFY(doubles.messages.shown.isEmpty());
        QCOMPARE(globalState().CurrentFilePath, QString());
        QCOMPARE(globalState().CurrentFileName, QStringLiteral("new.rdat"));
    }

    // Save commits the grid's open edit and encodes the passwords before writing.
    void saveCommitsPendingEditAndRecord() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        bench.pendingEdit = [] { globalState().RadioImage[16] = 0x12; };
        QTemporaryDir dir;
        GlobalState& state = globalState();
        state.RadioImage = defaultImage();
        state.SoftwareData = defaultSoftwareRecord();
        state.ProgramPassword = QStringLiteral("AB");
        state.CurrentFilePath = dir.filePath("a.rdat");
        QVERIFY(fileSave(state));
        const QByteArray bytes = readFile(state.CurrentFilePath);
        QCOMPARE(uint8_t(bytes.at(16 + 16)), uint8_t(0x12));
        QCOMPARE(bytes.mid(1040, 6), QByteArray::fromHex("4142FFFFFFFF"));
        QCOMPARE(bench.calls, QStringList{"FreshData"});
    }

    // An existing longer file ends up exactly 1057 bytes long.
    void saveReplacesLongerFile() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        const QString path = dir.filePath("long.rdat");
        writeFile(path, QByteArray(5000, 'z'));
        globalState().RadioImage = sampleImage();
        globalState().SoftwareData = sampleRecord();
        analyseSoftwareData(globalState());
        globalState().CurrentFilePath = path;
        QVERIFY(fileSave(globalState()));
        QCOMPARE(readFile(path), sampleFileBytes());
    }

    // A cancelled Save As keeps the previous path: the next Save writes to the old file.
    void saveAsCancelledKeepsPath() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        const QString path = dir.filePath("old.rdat");
        GlobalState& state = globalState();
        state.CurrentFilePath = path;
        state.CurrentFileName = QStringLiteral("old.rdat");
        QVERIFY(!fileSaveAs(state));
        QCOMPARE(state.CurrentFilePath, path);
        QCOMPARE(state.CurrentFileName, QStringLiteral("old.rdat"));
        QVERIFY(fileSave(state));
        QCOMPARE(doubles.files.calls.size(), 1);
        QCOMPARE(readFile(path).size(), data_file::kDataFileSize);
    }

    void saveAsAdoptsNewPath() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        GlobalState& state = globalState();
        state.CurrentFilePath = dir.filePath("old.rdat");
        state.CurrentFileName = QStringLiteral("old.rdat");
        doubles.files.answers << FileChoice{dir.filePath("copy.rdat"), "copy.rdat"};
        QVERIFY(fileSaveAs(state));
        QCOMPARE(state.CurrentFilePath, dir.filePath("copy.rdat"));
        QCOMPARE(state.CurrentFileName, QStringLiteral("copy.rdat"));
        QVERIFY(QFile::exists(dir.filePath("copy.rdat")));
        QVERIFY(!QFile::exists(dir.filePath("old.rdat")));
    }

    // A file that cannot be written is reported with its path and the system's reason; the
    // path and name in force before, and whatever file was there, stay as they were.
    void failedSaveKeepsPathAndFile_data() {
        QTest::addColumn<QString>("operation");  // "save", "first save", "save as"
        QTest::addColumn<QString>("target");     // relative to the temporary folder
        QTest::addColumn<bool>("needsNonRoot");
        QTest::newRow("save, missing folder") << "save"
                                              << "missing/x.rdat" << false;
        QTest::newRow("first save, missing folder") << "first save"
                                                    << "missing/x.rdat" << false;
        QTest::newRow("save as, missing folder") << "save as"
                                                 << "missing/x.rdat" << false;
        QTest::newRow("save as, a folder") << "save as"
                                           << "folder" << false;
        QTest::newRow("save, read-only file") << "save"
                                              << "readonly.rdat" << true;
        QTest::newRow("save as, read-only folder") << "save as"
                                                   << "shut/x.rdat" << true;
    }
    void failedSaveKeepsPathAndFile() {
        QFETCH(QString, operation);
        QFETCH(QString, target);
        QFETCH(bool, needsNonRoot);
        if (needsNonRoot && runningAsRoot()) QSKIP("file permissions do not bind root");
        ScopedDoubles doubles;
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder");
        QDir(dir.path()).mkdir("shut");
        const QByteArray oldContent("previous content");
        writeFile(dir.filePath("shut/x.rdat"), oldContent);
        writeFile(dir.filePath("readonly.rdat"), oldContent);
        writeFile(dir.filePath("old.rdat"), oldContent);
        QFile::setPermissions(dir.filePath("readonly.rdat"), QFileDevice::ReadOwner);
        QFile::setPermissions(dir.filePath("shut"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        // Open the folder again whatever the outcome, so that it can be removed.
        const auto reopen = qScopeGuard([&dir] {
            QFile::setPermissions(dir.filePath("shut"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
        });

        const QString path = dir.filePath(target);
        GlobalState& state = globalState();
        state.EnglishMode = true;
        state.RadioImage = sampleImage();
        QString previousPath = dir.filePath("old.rdat");
        QString previousName = QStringLiteral("old.rdat");
        if (operation == "save") {
            previousPath = path;
            previousName = QStringLiteral("x.rdat");
        } else if (operation == "first save") {
            previousPath.clear();
            previousName = QStringLiteral("new.rdat");
        }
        state.CurrentFilePath = previousPath;
        state.CurrentFileName = previousName;
        doubles.files.answers << FileChoice{path, QFileInfo(path).fileName()};

        QVERIFY(!(operation == "save as" ? fileSaveAs(state) : fileSave(state)));

        QCOMPARE(doubles.messages.shown.size(), 1);
        const ShownBox& box = doubles.messages.shown[0];
        QCOMPARE(box.title, QStringLiteral("KORVA-77"));
        QCOMPARE(box.icon, BoxIcon::Error);
        const QString lead = "Cannot save the file " + path + ":\n";
        QVERIFY2(box.text.startsWith(lead) && box.text.size() > lead.size(), qPrintable(box.text));
        QCOMPARE(state.CurrentFilePath, previousPath);
        QCOMPARE(state.CurrentFileName, previousName);
        QCOMPARE(readFile(dir.filePath("old.rdat")), oldContent);
        if (QFileInfo(path).isFile()) QCOMPARE(readFile(path), oldContent);
    }

    void failedSaveInChinese() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        globalState().CurrentFilePath = dir.filePath("missing/x.rdat");
        QVERIFY(!fileSave(globalState()));
        QVERIFY(doubles.messages.texts().value(0).startsWith("无法保存文件 " +
                                                             dir.filePath("missing/x.rdat")));
    }
};
KORVA_TEST(DataFileSaveTest);

class StartupFileTest : public QObject {
    Q_OBJECT
private slots:
    void loadsOrFallsBack_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("loaded");
        const QByteArray custom = encodeDataFile(sampleImage(), sampleRecord()).mid(16);
        QTest::newRow("valid") << custom << true << true;
        QTest::newRow("longer") << custom + "trailing" << true << true;
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("one byte short") << custom.left(1040) << true << false;
        QTest::newRow("empty") << QByteArray() << true << false;
    }
    void loadsOrFallsBack() {
        QFETCH(QByteArray, content);
        QFETCH(bool, loaded);
        ScopedDoubles doubles;
        QTemporaryDir dir;
        QFETCH(bool, present);
        if (present) writeFile(dir.filePath("Init.dat"), content);
        GlobalState& state = globalState();
        state.EnglishMode = true;
        state.AppFolder = dir.path();

        QCOMPARE(loadStartupFile(state), loaded);

        QVERIFY(state.RadioImage == (loaded ? sampleImage() : defaultImage()));
        QVERIFY(state.SoftwareData == (loaded ? sampleRecord() : defaultSoftwareRecord()));
        QCOMPARE(doubles.messages.shown.size(), loaded ? 0 : 1);
        if (!loaded) {
            const ShownBox& box = doubles.messages.shown[0];
            QCOMPARE(box.icon, BoxIcon::Error);
            QCOMPARE(box.title, QStringLiteral("KORVA-77"));
            QVERIFY2(box.text.contains(dir.filePath("Init.dat")), qPrintable(box.text));
            QVERIFY2(box.text.contains("built-in default"), qPrintable(box.text));
        }
        // The application never creates or writes the start-up file.
        QCOMPARE(readFile(dir.filePath("Init.dat")), content);
        QCOMPARE(QFile::exists(dir.filePath("Init.dat")), present);
    }

    void faultIsReportedOncePerRun() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        globalState().AppFolder = dir.path();
        QVERIFY(!loadStartupFile(globalState()));
        globalState().RadioImage.fill(0);
        QVERIFY(!loadStartupFile(globalState()));
        QVERIFY(globalState().RadioImage == defaultImage());
        QCOMPARE(doubles.messages.shown.size(), 1);
        QVERIFY(doubles.messages.texts()[0].startsWith("启动文件 "));
    }

    // The model change reloads the image only; the passwords stay.
    void imageOnlyKeepsTheRecord() {
        ScopedDoubles doubles;
        QTemporaryDir dir;
        writeFile(dir.filePath("Init.dat"), defaultInitFileBytes());
        globalState().AppFolder = dir.path();
        globalState().SoftwareData = sampleRecord();
        QVERIFY(loadStartupFile(globalState(), StartupParts::ImageOnly));
        QVERIFY(globalState().RadioImage == defaultImage());
        QVERIFY(globalState().SoftwareData == sampleRecord());
    }

    // File New reloads the start-up file but keeps the current file: a following Save
    // overwrites the last file without asking.
    void fileNewKeepsCurrentFile() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QTemporaryDir dir;
        writeFile(dir.filePath("Init.dat"), defaultInitFileBytes());
        GlobalState& state = globalState();
        state.AppFolder = dir.path();
        state.RadioImage = sampleImage();
        state.SoftwareData = sampleRecord();
        state.ProgramPassword = QStringLiteral("AB");
        state.CurrentFilePath = dir.filePath("last.rdat");
        state.CurrentFileName = QStringLiteral("last.rdat");

        fileNew(state);

        QVERIFY(state.RadioImage == defaultImage());
        QCOMPARE(state.BandName, QStringLiteral("UHF"));
        QCOMPARE(state.BandUpperMHz, 480);
        QCOMPARE(state.ProgramPassword, QString());
        QCOMPARE(state.CurrentFilePath, dir.filePath("last.rdat"));
        QCOMPARE(state.CurrentFileName, QStringLiteral("last.rdat"));
        QCOMPARE(bench.calls,
                 QStringList({"FreshData", "AnalyseModel", "AnalyseSoftwareData", "reopenChannelPage"}));

        QVERIFY(fileSave(state));
        QVERIFY(doubles.files.calls.isEmpty());
        QCOMPARE(readFile(dir.filePath("last.rdat")),
                 encodeDataFile(defaultImage(), defaultSoftwareRecord()));
        QVERIFY(doubles.messages.shown.isEmpty());
    }
};
KORVA_TEST(StartupFileTest);

#include "data_files_test.moc"
