#include "functions/ui/form_option.h"

FormOption::FormOption(QWidget* parent)
    : PageWindow(page_id::kOption, &GlobalState::OptionPageOpen, parent) {
    setWindowTitle(pick("Function Setup", "功能设定"));
    resize(600, 400);
    pageLoaded();
}
