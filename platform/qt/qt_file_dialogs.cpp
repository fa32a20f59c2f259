#include "platform/qt/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

FileChoice QtFileDialogs::choose(const QString& mode, const QString& title,
                                 const QString& initialName, bool english) {
    const QStringList filters =
        english ? QStringList{QStringLiteral("Radio data file(*.rdat) (*.rdat)"),
                              QStringLiteral("All file(*.*) (*)")}
                : QStringList{QStringLiteral("对讲机数据文件(*.rdat) (*.rdat)"),
                              QStringLiteral("所有文件(*.*) (*)")};
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setNameFilters(filters);
    if (mode.compare(QStringLiteral("OPEN"), Qt::CaseInsensitive) == 0) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("rdat"));
    }
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    return {path, QFileInfo(path).fileName()};
}
