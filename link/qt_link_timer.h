#pragma once
// The link's one-shot timer as a QTimer: expiring calls the given function (normally
// ProgrammingLink::timerTick) from the event loop.
#include <QObject>
#include <QTimer>
#include <functional>

#include "link/programming_link.h"

namespace radiolink {

class QtLinkTimer : public QObject, public LinkTimer {
    Q_OBJECT
public:
    explicit QtLinkTimer(std::function<void()> onExpiry, QObject* parent = nullptr);

    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> onExpiry_;
};

}  // namespace radiolink
