#include "core/data_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

#include "core/default_image.h"
#include "core/radio_image.h"
#include "core/workbench.h"
#include "platform/platform.h"

namespace {

// Characters are stored by their Latin-1 code below 0xFF, the code that ends a password;
// any other character is stored as '?'.
constexpr char16_t kFirstUnstorable = software_record::kUnused;
constexpr uint8_t kNoCode = '?';

QString title() { return QString::fromLatin1(kAppTitle); }

void showError(const GlobalState& state, const char* english, const char* chinese,
               const QString& path, const QString& reason) {
    platform::messages().show(title(), pick(state, english, chinese).arg(path, reason),
                              BoxIcon::Error, BoxButtons::Ok);
}

// Band and passwords follow a freshly loaded image. On the application's state this goes
// through the main window, which also refreshes what it shows; a state of its own (tests,
// tools) is derived directly.
void deriveFromImage(GlobalState& state) {
    if (&state == &globalState()) {
        workbench().AnalyseModel();
        workbench().AnalyseSoftwareData();
    } else {
        analyseModel(state);
        analyseSoftwareData(state);
    }
}

// Fills the array from the bytes at offset on; the caller has checked that they are there.
template <typename Bytes>
void copyFrom(const QByteArray& from, int offset, Bytes& to) {
    std::copy_n(reinterpret_cast<const uint8_t*>(from.constData()) + offset, to.size(), to.begin());
}

QString fileNameOf(const FileChoice& choice) {
    return choice.name.isEmpty() ? QFileInfo(choice.path).fileName() : choice.name;
}

// Writes the current file; on failure the path and name in force before the attempt come
// back and the box names the file and the system's reason.
bool writeCurrentFile(GlobalState& state, const QString& previousPath,
                      const QString& previousName) {
    QString reason;
    if (writeDataFile(state.CurrentFilePath, state.RadioImage, state.SoftwareData, reason))
        return true;
    const QString failedPath = state.CurrentFilePath;
    state.CurrentFilePath = previousPath;
    state.CurrentFileName = previousName;
    showError(state, "Cannot save the file %1:\n%2", "无法保存文件 %1：\n%2", failedPath, reason);
    return false;
}

}  // namespace

void passwordToBytes(const QString& text, uint8_t* field, int fieldSize) {
    std::fill(field, field + fieldSize, software_record::kUnused);
    const int count = std::min<int>(int(text.size()), fieldSize);
    for (int i = 0; i < count; ++i) {
        const char16_t c = text.at(i).unicode();
        field[i] = c < kFirstUnstorable ? static_cast<uint8_t>(c) : kNoCode;
    }
}

QString passwordFromBytes(const uint8_t* field, int fieldSize) {
    QString text;
    for (int i = 0; i < fieldSize && field[i] != software_record::kUnused; ++i)
        text.append(QChar(char16_t(field[i])));
    return text;
}

void analyseSoftwareData(GlobalState& state) {
    using namespace software_record;
    const uint8_t* record = state.SoftwareData.data();
    state.ProgramPassword = passwordFromBytes(record + kPassword, kPasswordSize);
    state.NewPassword = passwordFromBytes(record + kNewPassword, kPasswordSize);
    state.NewPasswordPending = record[kPendingFlag] == kPending;
}

void saveSoftwareData(GlobalState& state) {
    using namespace software_record;
    uint8_t* record = state.SoftwareData.data();
    std::fill(record, record + kFilledSize, kUnused);
    passwordToBytes(state.ProgramPassword, record + kPassword, kPasswordSize);
    passwordToBytes(state.NewPassword, record + kNewPassword, kPasswordSize);
    if (state.NewPasswordPending) record[kPendingFlag] = kPending;
}

QByteArray encodeDataFile(const ImageBytes& image, const SoftwareRecord& record) {
    QByteArray bytes(data_file::kSignature, data_file::kSignatureSize);
    bytes.append(reinterpret_cast<const char*>(image.data()), int(image.size()));
    bytes.append(reinterpret_cast<const char*>(record.data()), int(record.size()));
    return bytes;
}

bool decodeDataFile(const QByteArray& bytes, ImageBytes& image, SoftwareRecord& record) {
    if (bytes.size() < data_file::kDataFileSize) return false;
    if (std::memcmp(bytes.constData(), data_file::kSignature, data_file::kSignatureCheckedSize))
        return false;
    copyFrom(bytes, data_file::kImageOffset, image);
    copyFrom(bytes, data_file::kRecordOffset, record);
    return true;
}

bool readDataFile(const QString& path, QByteArray& bytes, QString& reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    bytes = file.read(data_file::kDataFileSize);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool writeDataFile(const QString& path, const ImageBytes& image, const SoftwareRecord& record,
                   QString& reason) {
    const QByteArray bytes = encodeDataFile(image, record);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    // The bytes must reach the disk before the file is replaced: on a full file system the
    // save-file class of Qt 6.4 would otherwise report success and leave an empty file in
    // place of the previous one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool readStartupFile(const QString& path, ImageBytes& image, SoftwareRecord& record,
                     QString& reason, bool english) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    const QByteArray bytes = file.read(data_file::kInitFileSize);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    if (bytes.size() < data_file::kInitFileSize) {
        reason = english ? QStringLiteral("it holds %1 bytes instead of %2")
                         : QStringLiteral("文件只有 %1 字节，应为 %2 字节");
        reason = reason.arg(bytes.size()).arg(data_file::kInitFileSize);
        return false;
    }
    copyFrom(bytes, 0, image);
    copyFrom(bytes, int(image.size()), record);
    return true;
}

bool loadStartupFile(GlobalState& state, StartupParts parts) {
    const QString path = state.initFilePath();
    ImageBytes image;
    SoftwareRecord record;
    QString reason;
    const bool fromFile = readStartupFile(path, image, record, reason, state.EnglishMode);
    if (!fromFile) {
        image = defaultImage();
        record = defaultSoftwareRecord();
        if (!state.InitFileFaultReported) {
            state.InitFileFaultReported = true;
            showError(state,
                      "The start-up file %1 cannot be used (%2).\n"
                      "The built-in default data are used instead.",
                      "启动文件 %1 无法使用（%2）。\n改用内置的默认数据。", path, reason);
        }
    }
    state.RadioImage = image;
    if (parts == StartupParts::ImageAndRecord) state.SoftwareData = record;
    return fromFile;
}

void fileNew(GlobalState& state) {
    // An edit still typed in a channel window belongs to the image being replaced; commit
    // it now so that closing the pages cannot write it into the new one.
    workbench().FreshData();
    loadStartupFile(state);
    deriveFromImage(state);
    workbench().reopenChannelPage();
}

bool fileOpen(GlobalState& state) {
    const FileChoice choice =
        platform::fileDialogs().choose(QString::fromLatin1(data_file::kOpenMode),
                                       pick(state, "Open", "打开"), QString(), state.EnglishMode);
    if (choice.cancelled()) return false;

    const BoxAnswer cover = platform::messages().show(
        title(), pick(state, "Do you want to cover current data?", "覆盖当前数据？"),
        BoxIcon::Warning, BoxButtons::OkCancel);
    if (cover != BoxAnswer::Ok) return false;

    QByteArray bytes;
    QString reason;
    if (!readDataFile(choice.path, bytes, reason)) {
        showError(state, "Cannot open the file %1:\n%2", "无法打开文件 %1：\n%2", choice.path,
                  reason);
        return false;
    }
    ImageBytes image;
    SoftwareRecord record;
    if (!decodeDataFile(bytes, image, record)) {
        platform::messages().show(pick(state, "Error", "错误"),
                                  pick(state, "Error file！", "错误的文件！"), BoxIcon::Error,
                                  BoxButtons::Ok);
        return false;
    }

    workbench().FreshData();  // as in File New: no typed edit may reach the loaded image
    state.RadioImage = image;
    state.SoftwareData = record;
    state.CurrentFilePath = choice.path;
    state.CurrentFileName = fileNameOf(choice);
    deriveFromImage(state);
    workbench().reopenChannelPage();
    return true;
}

bool fileSave(GlobalState& state) {
    workbench().FreshData();
    saveSoftwareData(state);

    const QString previousPath = state.CurrentFilePath;
    const QString previousName = state.CurrentFileName;
    if (state.CurrentFilePath.isEmpty()) {
        const FileChoice choice = platform::fileDialogs().choose(
            QString::fromLatin1(data_file::kSaveMode), pick(state, "Save", "保存"),
            state.CurrentFileName, state.EnglishMode);
        if (choice.cancelled()) return false;
        state.CurrentFilePath = choice.path;
        state.CurrentFileName = fileNameOf(choice);
    }
    return writeCurrentFile(state, previousPath, previousName);
}

bool fileSaveAs(GlobalState& state) {
    workbench().FreshData();
    saveSoftwareData(state);

    const QString previousPath = state.CurrentFilePath;
    const QString previousName = state.CurrentFileName;
    const FileChoice choice =
        platform::fileDialogs().choose(QString::fromLatin1(data_file::kSaveMode),
                                       QStringLiteral("另存为"), QString(), state.EnglishMode);
    if (choice.cancelled()) return false;
    state.CurrentFilePath = choice.path;
    state.CurrentFileName = fileNameOf(choice);
    return writeCurrentFile(state, previousPath, previousName);
}
