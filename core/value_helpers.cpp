#include "core/value_helpers.h"

#include <cstring>

#include "core/global_state.h"
#include "platform/platform.h"

namespace {

constexpr KeyKindRow kKeyKinds[] = {
    {key_kind::kFrequency, "0123456789", true, true, 9},
};

QStringList choose(bool english, QStringList englishEntries, QStringList chineseEntries) {
    return english ? englishEntries : chineseEntries;
}

}  // namespace

const KeyKindRow* keyKindRow(int kind) {
    for (const KeyKindRow& row : kKeyKinds)
        if (row.kind == kind) return &row;
    return nullptr;
}

int filterKeystroke(const QString& text, int selectionLength, int key, int kind,
                    const QString& decimalSeparator) {
    const bool isSeparator =
        decimalSeparator.size() == 1 && key == decimalSeparator.at(0).unicode();
    // A second separator is never accepted.
    if (isSeparator && text.contains(decimalSeparator)) return key_code::kRejected;
    if (key >= 'a' && key <= 'z') key -= 'a' - 'A';

    const KeyKindRow* row = keyKindRow(kind);
    if (!row) return key_code::kRejected;
    const bool editingKey = key == key_code::kBackspace || key == key_code::kEnter;
    const bool accepted = (isSeparator && row->separator) || (editingKey && row->editingKeys) ||
                          (key > 0 && key < 128 && std::strchr(row->characters, key));
    if (!accepted) return key_code::kRejected;

    // A full field takes no more characters unless they replace a selection.
    if (text.size() >= row->maxLength && selectionLength == 0 && !editingKey)
        return key_code::kRejected;
    return key;
}

QStringList busyLockList(bool english) {
    return choose(english,
                  {QStringLiteral("None"), QStringLiteral("Carrier"), QStringLiteral("QT/DQT")},
                  {QStringLiteral("关"), QStringLiteral("载波"), QStringLiteral("QT/DQT")});
}

QStringList spacingList(bool english, const QString& decimalSeparator) {
    const QString narrow = QStringLiteral("12") + decimalSeparator;
    return choose(english, {narrow + QStringLiteral("5K(Narrow)"), QStringLiteral("25K(Wide)")},
                  {narrow + QStringLiteral("5K(窄带)"), QStringLiteral("25K(宽带)")});
}

QStringList scanAddList(bool english) {
    return choose(english, {QStringLiteral("Add"), QStringLiteral("Delete")},
                  {QStringLiteral("添加"), QStringLiteral("删除")});
}

QStringList powerList(bool english) {
    return choose(english, {QStringLiteral("Low"), QStringLiteral("High")},
                  {QStringLiteral("低"), QStringLiteral("高")});
}

QStringList numberList() {
    QStringList entries;
    for (int n = 1; n <= 8; ++n) entries << QString::number(n);
    return entries;
}

QString helpFilePath(const QString& appFolder, bool english) {
    return appFolder +
           (english ? QStringLiteral("/KORVA-77_e.chm") : QStringLiteral("/KORVA-77_c.chm"));
}

QString helpTopicLocation(const QString& helpFile, const QString& topic) {
    return helpFile + QStringLiteral("::/HTML/") + topic;
}

void openHelpTopic(const GlobalState& state, const QString& topic) {
    const QString helpFile = state.HelpFilePath.isEmpty()
                                 ? helpFilePath(state.AppFolder, state.EnglishMode)
                                 : state.HelpFilePath;
    platform::help().showTopic(helpTopicLocation(helpFile, topic));
}
