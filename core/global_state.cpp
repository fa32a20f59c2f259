#include "core/global_state.h"

GlobalState& globalState() {
    static GlobalState state;
    return state;
}

QString pick(const char* english, const char* chinese) {
    return globalState().EnglishMode ? QString::fromUtf8(english) : QString::fromUtf8(chinese);
}

QString pick(const QString& english, const QString& chinese) {
    return globalState().EnglishMode ? english : chinese;
}

QString pick(const GlobalState& state, const char* english, const char* chinese) {
    return state.EnglishMode ? QString::fromUtf8(english) : QString::fromUtf8(chinese);
}
