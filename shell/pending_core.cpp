#include "shell/pending_core.h"

#include <QFile>
#include <QLocale>

#include "core/workbench.h"
#include "platform/platform.h"

namespace pending {

QString detectDecimalSeparator() {
    return QLocale::system().toString(0.5).contains(QLatin1Char('.')) ? QStringLiteral(".")
                                                                      : QStringLiteral(",");
}

void readSettings(GlobalState& state) {
    state.EnglishMode = platform::settings().read(QStringLiteral("Language")) == QLatin1String("True");
    const QString port = platform::settings().read(QStringLiteral("ComPort"));
    if (port.isEmpty()) {
        state.ComPortNumber = 1;
    } else {
        int n = 0;
        for (QChar c : port) {
            if (!c.isDigit()) break;
            n = n * 10 + c.digitValue();
        }
        state.ComPortNumber = n;
    }
}

void loadStartupFile(GlobalState& state, bool withSoftwareRecord) {
    QFile file(state.initFilePath());
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(1041);
    for (int i = 0; i < bytes.size() && i < 1024; ++i) state.RadioImage[i] = uint8_t(bytes[i]);
    if (withSoftwareRecord)
        for (int i = 1024; i < bytes.size(); ++i) state.SoftwareData[i - 1024] = uint8_t(bytes[i]);
}

void analyseSoftwareData(GlobalState&) {}

void fileNew(GlobalState& state) {
    loadStartupFile(state, true);
    workbench().AnalyseModel();
    workbench().AnalyseSoftwareData();
    workbench().reopenChannelPage();
}
void fileOpen(GlobalState&) {}
void fileSave(GlobalState&) { workbench().FreshData(); }
void fileSaveAs(GlobalState&) { workbench().FreshData(); }

}  // namespace pending

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace pending {
void showTransferWindow(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("FormProcess"));
    dialog.setWindowTitle(globalState().TransferIsRead ? pick("Read", "读频") : pick("Write", "写频"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("COM%1").arg(globalState().ComPortNumber)));
    dialog.exec();
    globalState().TransferIsRead = false;
}
}  // namespace pending
