#pragma once
// The main window: menu bar, tool bar, the tree of pages in a panel on the left with its
// splitter, the pages as MDI child windows, and the status bar. Its construction runs the
// start-up sequence; it is the Workbench through which the pages reach each other.
#include <QHash>
#include <QIcon>
#include <QMainWindow>

#include "core/global_state.h"
#include "core/workbench.h"

class PageWindow;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// Sizes of the tree panel, in twips (15 twips per pixel).
namespace tree_layout {
constexpr int kSplitterStart = 2500;
constexpr int kSplitterWidth = 50;
constexpr int kSplitterMinimum = 120;
constexpr int kPanelExtra = 100;       // panel width = splitter position + 100
constexpr int kSplitterShorter = 500;  // the splitter is 500 shorter than the panel
constexpr int kFrameTop = 10;
constexpr int kFrameNarrower = 100;
constexpr int kFrameShorter = 520;
constexpr int kTreeTop = 600;  // inside the frame, below the title label
constexpr int kTreeNarrower = 120;
constexpr int kTreeBottomMargin = 100;  // space left under the tree inside the frame
constexpr int kTwipsPerPixel = 15;
}  // namespace tree_layout

// Tree node keys (the first one is spelled as the radio's software always spelled it).
inline const char* const kTreeRootKey = "KORVA-77";
inline const char* const kTreeChannelKey = "TreeChannelInforamtion";
inline const char* const kTreeOptionKey = "TreeOption";
inline const char* const kTreeKeyKey = "TreeKey";

// The topic of the main window itself: the contents page.
inline const char* const kMainHelpTopic = "index.htm";

// Title bar and status texts of the main window for a state.
QString mainWindowTitle(const GlobalState& state);
QString bandPanelText(const GlobalState& state);
QString portPanelText(const GlobalState& state);

class MDIFormMain : public QMainWindow, public Workbench {
    Q_OBJECT
public:
    explicit MDIFormMain(QWidget* parent = nullptr);
    ~MDIFormMain() override;

    // Workbench
    void AnalyseModel() override;
    void AnalyseSoftwareData() override;
    void AnalyseChannelInformation() override;
    void AnalyseOption() override;
    void AnalyseKeySetting() override;
    void FreshData() override;
    void reopenChannelPage() override;
    bool addChildWindow(QWidget* window) override;
    void windowMenuAppend(int id, const QString& caption) override;
    void windowMenuCheck(int id) override;
    void windowMenuRemove(int id) override;
    void showHelpTopic(const QString& topic) override;

    // Opens a page (1000..1002): brings it to the front when it is open, otherwise shows it
    // in PageWindowState (a minimized state opens it normal).
    void openPage(int id);
    // Unloads the active child window until there is none.
    void closeAllChildren();
    // Puts a child window into the MDI area in a frame without shortcuts of its own.
    QMdiSubWindow* addFrame(QWidget* child);

    // The splitter position in twips.
    int splitterPosition() const { return splitterTwips_; }
    // Lays the tree panel out for a splitter position in twips.
    void layoutTreePanel(int splitterTwips);

    QMdiArea* mdiArea() const { return mdiArea_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    void createTreePanel();
    void createStatusBar();
    void runStartupSequence();
    void setLanguageTexts();
    void requestRelayout();

    QAction* addCommand(QMenu* menu, const char* name, void (MDIFormMain::*handler)());
    PageWindow* findPage(int id) const;
    QMdiSubWindow* frameOf(int id) const;
    QString activeHelpTopic() const;

    // Commands
    void MenuNew_Click();
    void MenuOpen_Click();
    void MenuSave_Click();
    void MenuSaveAs_Click();
    void MenuExit_Click();
    void MenuModelInformation_Click();
    void MenuChannel_Click();
    void MenuOption_Click();
    void MenuKey_Click();
    void MenuRead_Click();
    void MenuWrite_Click();
    void MenuCom_Click();
    void MenuLanguage_Click();
    void MenuTree_Click();
    void MenuToolBar_Click();
    void MenuStatus_Click();
    void MenuCeng_Click();
    void MenuCloseAll_Click();
    void MenuAbout_Click();
    void ToolbarHelp_Click();
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void Timer1_Timer();
    void transfer(bool read);

    // Menus and their items
    QMenu* MenuFile;
    QMenu* MenuMachine;
    QMenu* MenuEdit;
    QMenu* MenuProgram;
    QMenu* MenuSetting;
    QMenu* MenuView;
    QMenu* MenuWindow;
    QMenu* MenuHelp;
    QAction* MenuNew;
    QAction* MenuOpen;
    QAction* MenuSave;
    QAction* MenuSaveAs;
    QAction* MenuExit;
    QAction* MenuModelInformation;
    QAction* MenuChannel;
    QAction* MenuOption;
    QAction* MenuKey;
    QAction* MenuRead;
    QAction* MenuWrite;
    QAction* MenuCom;
    QAction* MenuLanguage;
    QAction* MenuTree;
    QAction* MenuToolBar;
    QAction* MenuStatus;
    QAction* MenuCeng;
    QAction* MenuCloseAll;
    QAction* MenuAbout;
    QHash<int, QAction*> windowEntries_;  // page entries of the Window menu by identifier

    // Tool bar, its image list and its buttons by key
    QToolBar* Toolbar1;
    QHash<QString, QIcon> imlToolbarIcons;
    QHash<QString, QAction*> toolButtons_;

    // Tree panel
    QWidget* PictureTree;
    QWidget* PictureSeparator;
    QFrame* FrameTree;
    QLabel* Label1;
    QTreeWidget* TreeView1;
    QMdiArea* mdiArea_;

    // Status bar panels 1..4
    QLabel* panels_[4];

    QTimer* Timer1;
    int splitterTwips_ = tree_layout::kSplitterStart;
    bool splitterDragging_ = false;
    bool relayoutPending_ = false;
};
