#include "link/qt_link_timer.h"

namespace radiolink {

QtLinkTimer::QtLinkTimer(std::function<void()> onExpiry, QObject* parent)
    : QObject(parent), onExpiry_(std::move(onExpiry)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this]() { onExpiry_(); });
}

}  // namespace radiolink
