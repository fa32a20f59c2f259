#pragma once
#include "platform/file_dialogs.h"

// The data-file dialogs as QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    FileChoice choose(const QString& mode, const QString& title, const QString& initialName,
                      bool english) override;
};
