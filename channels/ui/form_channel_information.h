#pragma once
// The channel page: the 16 channels as a grid, one row per channel, edited in place. Every
// commit goes straight into the radio image. From here the user opens the channel editor
// and the three copy dialogs and inserts or deletes channels.
#include <QTimer>
#include <array>

#include "core/ui/page_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class FormChannelInformation : public PageWindow {
    Q_OBJECT
public:
    explicit FormChannelInformation(QWidget* parent = nullptr);
    ~FormChannelInformation() override;

    // Grid columns; column 0 is the fixed column of channel numbers, row 0 the captions.
    enum Column {
        kColChannel = 0,
        kColRx = 1,
        kColTx = 2,
        kColDecode = 3,
        kColEncode = 4,
        kColPower = 5,
        kColScan = 6,
        kColSpacing = 7,
        kColMore = 8,
    };
    static constexpr int kRowCount = 17;  // caption row and channels 1..16
    static constexpr int kColumnCount = 9;

    // Refills the whole grid from the image, and has an open channel editor do the same
    // (used after the image changed as a whole, as by a read from the radio).
    void AnalyseChannelInformation();
    // Commits an in-place edit that is still open into the image.
    void FreshData();

    // Text of a cell in grid coordinates: row 0 captions, rows 1..16 channels, column 0
    // channel numbers.
    QString cellText(int row, int column) const;
    // The cell's rectangle in the coordinates of the grid's viewport (empty for the fixed
    // row and column).
    QRect cellRect(int row, int column) const;
    // The grid's current cell.
    int currentRow() const;
    int currentColumn() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void applyTexts();
    void layoutGrid();
    void setCellText(int row, int column, const QString& text);
    void setCurrentCell(int row, int column);
    void refillGrid();

    // Grid events.
    void gridClick(int row, int column);
    void placeEditor(QWidget* editor, int row, int column);
    void placeOpenEditor();
    void Timer1Timer();

    // Commits of the in-place editors.
    void commitText1();
    void commitCombo(int k);
    void storeReceive(int row, const QString& text);
    void storeTransmit(int row, const QString& text);
    void finishCommit(int nextRow, int nextColumn);

    // Key handling of the window and its controls (the window sees keys first).
    bool handleShortcut(QKeyEvent* event);
    bool handleEditorKey(QObject* watched, QKeyEvent* event);

    void openChannelEditor();
    void openChannelCopy();
    void openFrequencyCopy();
    void openToneCopy();
    void afterCopyDialog();
    void insertChannel();
    void deleteChannel();

    QTableWidget* MSHFlexGridChannel = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QComboBox*, 5> Combo1{};
    QPushButton* CommandChannelEdit = nullptr;
    QPushButton* CommandHelp = nullptr;
    QPushButton* CommandClose = nullptr;
    QTimer Timer1;

    bool EnterPressed = false;
    bool ReopenOnEnter = false;
    bool committing_ = false;  // a commit is running (its message box takes the focus)
    // The cell the open in-place editor belongs to, and the text it was opened with, so
    // that leaving a cell unchanged writes nothing.
    int editRow_ = 0;
    int editColumn_ = 0;
    QString editOriginal_;
    int followedChannel_ = 0;  // SelectedChannel when the current row last followed it
};
