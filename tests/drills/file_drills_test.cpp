// File drills: saving where the system refuses the write. Each drill must leave the
// previous file as it was, name the path and the system's reason in an error box, and keep
// the current path and name as they were before the attempt.
#include <string.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "support/doubles.h"
#include "support/scratch_file_system.h"
#include "support/test_registry.h"

namespace {

// An ordinary user gets the small file systems of these drills inside a user namespace,
// which can only be entered before Qt starts any thread.
[[maybe_unused]] const bool namespaceEntered = ScratchFileSystem::enterNamespaceAtStart();

ImageBytes patternImage(uint8_t seed) {
    ImageBytes image;
    for (int i = 0; i < image::kSize; ++i) image[i] = uint8_t(i * 13 + seed);
    return image;
}

SoftwareRecord emptyRecord() {
    SoftwareRecord record;
    record.fill(0xFF);
    return record;
}

QByteArray readAllOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the previous file and makes it the current file of the state, whose image then
// changes so that a save would write something different.
QByteArray prepareCurrentFile(GlobalState& state, const QString& path) {
    QString reason;
    const bool written = writeDataFile(path, patternImage(1), emptyRecord(), reason);
    if (!written) qWarning("cannot write %s: %s", qPrintable(path), qPrintable(reason));
    state.CurrentFilePath = path;
    state.CurrentFileName = QFileInfo(path).fileName();
    state.RadioImage = patternImage(2);
    return readAllOf(path);
}

enum class Operation { Save, SaveAs };

// Runs the operation; for Save As the dialog answers the given path.
bool runSave(Operation operation, GlobalState& state, ScopedDoubles& doubles,
             const QString& saveAsPath) {
    if (operation == Operation::Save) return fileSave(state);
    doubles.files.answers << FileChoice{saveAsPath, QFileInfo(saveAsPath).fileName()};
    return fileSaveAs(state);
}

QString systemReason(int error) { return QString::fromLocal8Bit(strerror(error)); }

void addOperationRows() {
    QTest::addColumn<Operation>("operation");
    QTest::newRow("Save over the current file") << Operation::Save;
    QTest::newRow("Save As a new file beside it") << Operation::SaveAs;
}

// The failure as the user sees it: one error box naming the path and the reason, nothing
// else changed.
void checkRefused(const ScopedDoubles& doubles, const GlobalState& state, bool saved,
                  const QString& failedPath, const QStringList& reasons,
                  const QString& previousPath, const QByteArray& previousBytes) {
    QVERIFY(!saved);
    QCOMPARE(doubles.messages.shown.size(), 1);
    const ShownBox& box = doubles.messages.shown.first();
    QCOMPARE(box.icon, BoxIcon::Error);
    QVERIFY2(box.text.contains(failedPath), qPrintable(box.text));
    const bool reasonGiven = std::any_of(reasons.begin(), reasons.end(),
                                         [&](const QString& r) { return box.text.contains(r); });
    QVERIFY2(reasonGiven, qPrintable(box.text));
    QCOMPARE(state.CurrentFilePath, previousPath);
    QCOMPARE(state.CurrentFileName, QFileInfo(previousPath).fileName());
    if (!previousBytes.isEmpty()) QCOMPARE(readAllOf(previousPath), previousBytes);
}

}  // namespace

Q_DECLARE_METATYPE(Operation)

class FileDrillsTest : public QObject {
    Q_OBJECT
private slots:
    void saveIntoReadOnlyFolder_data() { addOperationRows(); }
    void saveIntoReadOnlyFolder() {
        QFETCH(Operation, operation);
        ScratchFileSystem fs(64 * 1024);
        if (!fs.available()) QSKIP(qPrintable(fs.whyNot()));
        ScopedDoubles doubles;
        GlobalState state;
        state.EnglishMode = true;
        const QString previous = fs.filePath(QStringLiteral("radio.rdat"));
        const QByteArray previousBytes = prepareCurrentFile(state, previous);
        QCOMPARE(previousBytes.size(), data_file::kDataFileSize);
        QVERIFY(fs.makeReadOnly());

        const QString other = fs.filePath(QStringLiteral("other.rdat"));
        const bool saved = runSave(operation, state, doubles, other);
        // Over an existing file the save-file class tests the file itself first and gives
        // its own words for the system's refusal.
        checkRefused(doubles, state, saved, operation == Operation::Save ? previous : other,
                     {systemReason(EROFS), QStringLiteral("is not writable")}, previous,
                     previousBytes);
        QVERIFY(!QFile::exists(other));
        QCOMPARE(QDir(fs.path()).entryList(QDir::Files), QStringList{"radio.rdat"});
    }

    void saveWhereFolderVanished_data() { addOperationRows(); }
    void saveWhereFolderVanished() {
        QFETCH(Operation, operation);
        QTemporaryDir base;
        QVERIFY(base.isValid());
        ScopedDoubles doubles;
        GlobalState state;
        state.EnglishMode = true;
        // Save: the current file lay on a stick that is gone. Save As: the current file is
        // safe, the folder chosen for the new one is gone.
        const QString stick = base.filePath(QStringLiteral("stick"));
        QVERIFY(QDir().mkpath(stick));
        const QString previous = operation == Operation::Save
                                     ? stick + QStringLiteral("/radio.rdat")
                                     : base.filePath(QStringLiteral("radio.rdat"));
        QByteArray previousBytes = prepareCurrentFile(state, previous);
        QCOMPARE(previousBytes.size(), data_file::kDataFileSize);
        QVERIFY(QDir(stick).removeRecursively());
        if (operation == Operation::Save) previousBytes.clear();  // gone with its folder

        const QString target = stick + QStringLiteral("/new.rdat");
        const bool saved = runSave(operation, state, doubles, target);
        checkRefused(doubles, state, saved, operation == Operation::Save ? previous : target,
                     {systemReason(ENOENT)}, previous, previousBytes);
        QVERIFY2(!QFileInfo::exists(stick), "the vanished folder came back");
    }

    void saveOntoFullFileSystem_data() { addOperationRows(); }
    void saveOntoFullFileSystem() {
        QFETCH(Operation, operation);
        ScratchFileSystem fs(64 * 1024);
        if (!fs.available()) QSKIP(qPrintable(fs.whyNot()));
        ScopedDoubles doubles;
        GlobalState state;
        state.EnglishMode = true;
        const QString previous = fs.filePath(QStringLiteral("radio.rdat"));
        const QByteArray previousBytes = prepareCurrentFile(state, previous);
        QCOMPARE(previousBytes.size(), data_file::kDataFileSize);
        QVERIFY(fs.fill());

        const QString other = fs.filePath(QStringLiteral("other.rdat"));
        const bool saved = runSave(operation, state, doubles, other);
        checkRefused(doubles, state, saved, operation == Operation::Save ? previous : other,
                     {systemReason(ENOSPC)}, previous, previousBytes);
        // No half-written file or leftover temporary file takes the last space.
        QStringList files = QDir(fs.path()).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        QCOMPARE(files, (QStringList{"filler", "radio.rdat"}));
    }

    // The build's start-up file generator on a full disk: it fails and leaves the old file.
    void startupFileGeneratorOnFullFileSystem() {
        ScratchFileSystem fs(64 * 1024);
        if (!fs.available()) QSKIP(qPrintable(fs.whyNot()));
        const QString initFile = fs.filePath(QStringLiteral("Init.dat"));
        const QByteArray old(data_file::kInitFileSize, '\x5A');
        {
            QFile file(initFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(old), old.size());
        }
        QVERIFY(fs.fill());
        QProcess generator;
        generator.start(QStringLiteral(KORVA_BINARY_DIR "/tools/make_init_dat"), {initFile});
        QVERIFY(generator.waitForFinished(10000));
        QCOMPARE(generator.exitCode(), 1);
        QVERIFY(generator.readAllStandardError().contains(systemReason(ENOSPC).toLocal8Bit()));
        QCOMPARE(readAllOf(initFile), old);
    }
};
KORVA_TEST(FileDrillsTest);

#include "file_drills_test.moc"
