#include "platform/qt/qt_help_viewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>

#include "core/global_state.h"
#include "shell/help_window.h"

namespace {

const QString kSeparator = QStringLiteral("::");

}  // namespace

QtHelpViewer::~QtHelpViewer() {
    for (auto it = mapRoots_.cbegin(); it != mapRoots_.cend(); ++it)
        QResource::unregisterResource(it.key(), it.value());
}

HelpPage QtHelpViewer::resolve(const QString& location) {
    const int split = location.indexOf(kSeparator);
    const QString file = split < 0 ? location : location.left(split);
    QString topic = split < 0 ? QString() : location.mid(split + kSeparator.size());
    if (!topic.startsWith(QLatin1Char('/'))) topic.prepend(QLatin1Char('/'));

    QString root = mapRoots_.value(file);
    if (root.isEmpty()) {
        const QString candidate = QStringLiteral("/korva-help/%1").arg(mapRoots_.size() + 1);
        if (!QFileInfo(file).isFile() || !QResource::registerResource(file, candidate)) {
            return {QUrl(), pick("The help file %1 cannot be opened.", "无法打开帮助文件 %1。")
                                .arg(QDir::toNativeSeparators(file))};
        }
        root = candidate;
        mapRoots_.insert(file, root);
    }
    if (!QFile::exists(QLatin1Char(':') + root + topic)) {
        return {QUrl(),
                pick("The topic %1 is not in the help file %2.", "帮助文件 %2 中没有主题 %1。")
                    .arg(topic, QDir::toNativeSeparators(file))};
    }
    return {QUrl(QStringLiteral("qrc:") + root + topic), QString()};
}

void QtHelpViewer::setOwner(QWidget* owner) { owner_ = owner; }

HelpWindow* QtHelpViewer::window() const { return window_; }

void QtHelpViewer::showTopic(const QString& location) {
    const HelpPage page = resolve(location);
    if (!window_) {
        window_ = new HelpWindow(owner_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (page.url.isEmpty())
        window_->showProblem(page.problem);
    else
        window_->showPage(page.url);
    window_->show();
    window_->raise();
    window_->activateWindow();
}
