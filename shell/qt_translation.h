#pragma once
// Qt's own texts (standard buttons of message boxes, file dialogs) follow the language:
// Chinese while EnglishMode is false, from the qtbase_zh_CN catalogue of the system's Qt
// translations; Qt's built-in English otherwise.
//
// Installs or removes the catalogue; true when Qt's texts are now in the language asked for
// (false when the catalogue is not installed on the machine: Qt's texts stay English).
bool applyQtTranslation(bool english);
