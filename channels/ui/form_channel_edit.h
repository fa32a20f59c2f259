#pragma once
// The channel editor: one channel with every setting of its record, including those the
// grid does not show (busy-channel lock-out, scramble, compand, scramble type). Each change
// goes into the radio image at once. It always shows the channel it writes: the channel of
// SelectedChannel, which it shares with the grid.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "channels/tone_codes.h"

class ChannelRecord;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FormChannelEdit : public QWidget {
    Q_OBJECT
public:
    explicit FormChannelEdit(QWidget* parent = nullptr);
    ~FormChannelEdit() override;

    // The one editor: created and added to the main window on first use, otherwise brought
    // to the front, in the window state PageWindowState.
    static FormChannelEdit* open();
    // The open editor, or nullptr.
    static FormChannelEdit* instance();
    // Called when SelectedChannel changed elsewhere: the open editor shows that channel.
    static void followSelectedChannel();
    // Commits what the user typed into the open editor's frequency and tone fields and
    // has not committed yet (before saves and transfers).
    static void commitPendingEdits();

    // Shows the channel SelectedChannel from the image.
    void AnalyseOneChannel();
    // The channel on screen (1..16), to which every edit goes.
    int shownChannel() const { return shownChannel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void applyTexts();
    void followFrame();
    void refreshIfOtherChannel();
    void Timer1Timer();

    void commitPending();
    void commitReceive();
    void commitTransmit();
    void commitTone(QComboBox* box);
    void chooseTone(QComboBox* box, int index);
    void writeToneWord(QComboBox* box, ToneWord word);
    void writeShown(const std::function<void(ChannelRecord&)>& write, bool refreshGrid);

    QGroupBox* FrameChannel = nullptr;
    QLabel* LabelChannel = nullptr;
    QComboBox* ComboChannel = nullptr;
    QLabel* LabelRxFreq = nullptr;
    QLineEdit* TextRxFreq = nullptr;
    QLabel* LabelTxFreq = nullptr;
    QLineEdit* TextTxFreq = nullptr;
    QLabel* LabelDecode = nullptr;
    QComboBox* ComboDecode = nullptr;
    QLabel* LabelEncode = nullptr;
    QComboBox* ComboEncode = nullptr;
    QLabel* LabelTxPower = nullptr;
    QComboBox* ComboTxPower = nullptr;
    QLabel* LabelSpace = nullptr;
    QComboBox* ComboSpace = nullptr;
    QLabel* LabelBusyLock = nullptr;
    QComboBox* ComboBusyLock = nullptr;
    QLabel* LabelScrambleType = nullptr;
    QComboBox* ComboScrambleType = nullptr;
    QCheckBox* CheckScanAdd = nullptr;
    QCheckBox* CheckScramble = nullptr;
    QCheckBox* CheckCompand = nullptr;
    QPushButton* CommandHelp = nullptr;
    QPushButton* CommandClose = nullptr;
    QTimer Timer1;

    bool Refreshing = false;
    bool EnterPressed = false;
    bool committing_ = false;  // a commit is running (its message box takes the focus)
    int shownChannel_ = 0;
    QPointer<QWidget> frame_;  // the MDI sub-window around the editor, once in one

    static QPointer<FormChannelEdit> instance_;
};
