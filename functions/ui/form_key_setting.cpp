#include "functions/ui/form_key_setting.h"

FormKeySetting::FormKeySetting(QWidget* parent)
    : PageWindow(page_id::kKeySetting, &GlobalState::KeyPageOpen, parent) {
    setWindowTitle(pick("Key Setting", "键设置"));
    resize(600, 400);
    pageLoaded();
}
