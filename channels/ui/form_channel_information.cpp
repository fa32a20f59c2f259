#include "channels/ui/form_channel_information.h"

FormChannelInformation::FormChannelInformation(QWidget* parent)
    : PageWindow(page_id::kChannelInformation, &GlobalState::ChannelPageOpen, parent) {
    setWindowTitle(pick("Channel Information", "信道信息"));
    resize(600, 400);
    pageLoaded();
}
