#pragma once
// The help viewer: shows a topic "<help file>::/HTML/<topic>".
#include <QString>

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showTopic(const QString& location) = 0;
};
