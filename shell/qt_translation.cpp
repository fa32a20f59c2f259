#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QTranslator* chineseCatalogue() {
    static QTranslator* translator = nullptr;
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete translator;
            translator = nullptr;
        }
    }
    return translator;
}

}  // namespace

bool applyQtTranslation(bool english) {
    static bool installed = false;
    if (english) {
        if (installed) QCoreApplication::removeTranslator(chineseCatalogue());
        installed = false;
        return true;
    }
    if (!installed) {
        QTranslator* translator = chineseCatalogue();
        installed = translator && QCoreApplication::installTranslator(translator);
    }
    return installed;
}
