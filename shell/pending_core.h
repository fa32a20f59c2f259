#pragma once
// Temporary stand-in for the serial window until the radio link is merged.
class QWidget;

namespace pending {
// Shows the direction of the transfer only.
void showTransferWindow(QWidget* parent);
}  // namespace pending
