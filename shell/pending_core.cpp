#include "shell/pending_core.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "core/global_state.h"

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
