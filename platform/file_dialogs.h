#pragma once
// The open and save file dialogs for data files.
#include <QString>

struct FileChoice {
    QString path;  // full path, "" when cancelled
    QString name;  // file name without folder
    bool cancelled() const { return path.isEmpty(); }
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // mode "OPEN" (compared case-insensitively) opens an existing file; any other mode
    // asks for a file to save, with overwrite prompt and default extension "rdat".
    // English selects the filter texts' language.
    virtual FileChoice choose(const QString& mode, const QString& title,
                              const QString& initialName, bool english) = 0;
};
