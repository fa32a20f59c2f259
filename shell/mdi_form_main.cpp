#include "shell/mdi_form_main.h"

#include <QApplication>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "channels/ui/form_channel_information.h"
#include "core/data_files.h"
#include "core/radio_image.h"
#include "core/startup.h"
#include "core/ui/form_model_information.h"
#include "core/ui/page_window.h"
#include "core/value_helpers.h"
#include "functions/ui/form_key_setting.h"
#include "functions/ui/form_option.h"
#include "link/ui/form_process.h"
#include "platform/platform.h"
#include "shell/form_com_port.h"
#include "shell/form_language.h"
#include "shell/frm_about.h"
#include "shell/help_window.h"
#include "shell/icons.h"
#include "shell/qt_translation.h"

namespace {

using namespace tree_layout;

constexpr int kTimerInterval = 500;
constexpr int kRelayoutInterval = 1;
constexpr int kWindowStateMinimized = 1;
constexpr int kWindowStateMaximized = 2;
constexpr int kKeyRole = Qt::UserRole;

int toPixels(int twips) { return qRound(double(twips) / kTwipsPerPixel); }
int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Captions of the menus and their items, in the order the language texts apply them.
struct MenuText {
    const char* name;
    const char* english;
    const char* chinese;
};
constexpr MenuText kMenuTexts[] = {
    {"MenuFile", "&File", "文件(&F)"},
    {"MenuNew", "&New", "新建(&N)"},
    {"MenuOpen", "&Open", "打开(&O)"},
    {"MenuSave", "&Save", "保存(&S)"},
    {"MenuSaveAs", "Save &As", "另存为(&A)"},
    {"MenuExit", "&Exit", "退出(&E)"},
    {"MenuMachine", "&Model", "机型(&M)"},
    {"MenuModelInformation", "&Model Information", "机型信息(&M)"},
    {"MenuEdit", "&Edit", "编辑(&E)"},
    {"MenuChannel", "&Channel Information", "信道信息(&C)"},
    {"MenuOption", "&Function Setup", "功能设定(&F)"},
    {"MenuKey", "&Key Setting", "键设置(&K)"},
    {"MenuProgram", "&Program", "编程(&P)"},
    {"MenuRead", "&Read From Radio", "从对讲机读出数据(&R)"},
    {"MenuWrite", "&Write To Radio", "向对讲机写入数据(&W)"},
    {"MenuSetting", "&Setting", "设置(&S)"},
    {"MenuCom", "Set &Com", "串口设置(&C)"},
    {"MenuLanguage", "Set &Language", "语言设置(&L)"},
    {"MenuView", "&View", "视图(&V)"},
    {"MenuTree", "Tree &View", "树视图(&V)"},
    {"MenuToolBar", "&Toolbar", "工具栏(&T)"},
    {"MenuStatus", "&Statusbar", "状态栏(&S)"},
    {"MenuWindow", "&Window", "窗口(&W)"},
    {"MenuCeng", "&Cascade", "层叠(&C)"},
    {"MenuCloseAll", "Close All &Windows", "关闭所有窗口(&W)"},
    {"MenuHelp", "&Help", "帮助(&H)"},
    {"MenuAbout", "&About", "关于KORVA-77(&A)"},
};

// Tool-bar buttons: key, image key, tips. A null key is a separator.
struct ToolText {
    const char* key;
    const char* image;
    const char* english;
    const char* chinese;
};
// clang-format off
constexpr ToolText kToolButtons[] = {
    {"新建", icons::kNew, "New", "新建"},
    {"打开", icons::kOpen, "Open", "打开"},
    {"保存", icons::kSave, "Save", "保存"},
    {nullptr, nullptr, nullptr, nullptr},
    {"读取", icons::kRead, "Read", "读频"},
    {"串口", icons::kSetCom, "Set Com", "串口设置"},
    {"写频", icons::kWrite, "Write", "写频"},
    {nullptr, nullptr, nullptr, nullptr},
    {"帮助", icons::kHelp, "Help", "帮助"},
};
// clang-format on

struct TreeText {
    const char* key;
    const char* english;
    const char* chinese;
    int page;
};
constexpr TreeText kTreeNodes[] = {
    {kTreeChannelKey, "Channel Information", "信道信息(C)", page_id::kChannelInformation},
    {kTreeOptionKey, "Function Setup", "功能设定(F)", page_id::kOption},
    {kTreeKeyKey, "Key Setting", "键设置(K)", page_id::kKeySetting},
};

// The system's time format without the time zone.
QString timeText(const QTime& time) {
    const QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        kept += c;
    }
    return QLocale::system().toString(time, kept.trimmed());
}

}  // namespace

QString mainWindowTitle(const GlobalState& state) {
    return QStringLiteral("%1[%2: %3 - %4%5%6]")
        .arg(QLatin1String(kAppTitle), state.BandName)
        .arg(state.BandLowerMHz)
        .arg(state.WorkingUpperMHz)
        .arg(state.EnglishMode ? QStringLiteral(" MHz] [FileName:")
                               : QStringLiteral(" MHz] [文件名:"),
             state.CurrentFileName);
}

QString bandPanelText(const GlobalState& state) {
    return QStringLiteral("%1[%2-%3 MHz]")
        .arg(state.BandName)
        .arg(state.BandLowerMHz)
        .arg(state.WorkingUpperMHz);
}

QString portPanelText(const GlobalState& state) {
    return (state.EnglishMode ? QStringLiteral("COM") : QStringLiteral("通信端口")) +
           QString::number(state.ComPortNumber);
}

MDIFormMain::MDIFormMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDIFormMain"));
    setWorkbench(this);
    // No context menu over the tool bar: hiding it there would leave the View menu's tick
    // wrong.
    setContextMenuPolicy(Qt::NoContextMenu);

    createMenus();
    createToolBar();
    createTreePanel();
    createStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &MDIFormMain::Timer1_Timer);

    QSize size(1000, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
    runStartupSequence();
    Timer1_Timer();
    Timer1->start();
}

MDIFormMain::~MDIFormMain() {
    // The pages leave the Window menu while this window is still whole.
    Timer1->stop();
    const auto frames = mdiArea_->subWindowList();
    for (QMdiSubWindow* frame : frames) delete frame;
    setWorkbench(nullptr);
}

// ----------------------------------------------------------------------------------------
// Construction

QAction* MDIFormMain::addCommand(QMenu* menu, const char* name, void (MDIFormMain::*handler)()) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void MDIFormMain::createMenus() {
    auto topMenu = [this](const char* name) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        menuBar()->addMenu(menu);
        return menu;
    };
    MenuFile = topMenu("MenuFile");
    MenuNew = addCommand(MenuFile, "MenuNew", &MDIFormMain::MenuNew_Click);
    MenuNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    MenuOpen = addCommand(MenuFile, "MenuOpen", &MDIFormMain::MenuOpen_Click);
    MenuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    MenuSave = addCommand(MenuFile, "MenuSave", &MDIFormMain::MenuSave_Click);
    MenuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MenuSaveAs = addCommand(MenuFile, "MenuSaveAs", &MDIFormMain::MenuSaveAs_Click);
    MenuFile->addSeparator();
    MenuExit = addCommand(MenuFile, "MenuExit", &MDIFormMain::MenuExit_Click);

    MenuMachine = topMenu("MenuMachine");
    MenuModelInformation =
        addCommand(MenuMachine, "MenuModelInformation", &MDIFormMain::MenuModelInformation_Click);

    MenuEdit = topMenu("MenuEdit");
    MenuChannel = addCommand(MenuEdit, "MenuChannel", &MDIFormMain::MenuChannel_Click);
    MenuEdit->addSeparator();
    MenuOption = addCommand(MenuEdit, "MenuOption", &MDIFormMain::MenuOption_Click);
    MenuKey = addCommand(MenuEdit, "MenuKey", &MDIFormMain::MenuKey_Click);

    MenuProgram = topMenu("MenuProgram");
    MenuRead = addCommand(MenuProgram, "MenuRead", &MDIFormMain::MenuRead_Click);
    MenuRead->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    MenuWrite = addCommand(MenuProgram, "MenuWrite", &MDIFormMain::MenuWrite_Click);
    MenuWrite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));

    MenuSetting = topMenu("MenuSetting");
    MenuCom = addCommand(MenuSetting, "MenuCom", &MDIFormMain::MenuCom_Click);
    MenuLanguage = addCommand(MenuSetting, "MenuLanguage", &MDIFormMain::MenuLanguage_Click);

    MenuView = topMenu("MenuView");
    MenuTree = addCommand(MenuView, "MenuTree", &MDIFormMain::MenuTree_Click);
    MenuView->addSeparator();
    MenuToolBar = addCommand(MenuView, "MenuToolBar", &MDIFormMain::MenuToolBar_Click);
    MenuStatus = addCommand(MenuView, "MenuStatus", &MDIFormMain::MenuStatus_Click);
    for (QAction* toggle : {MenuTree, MenuToolBar, MenuStatus}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    MenuWindow = topMenu("MenuWindow");
    MenuCeng = addCommand(MenuWindow, "MenuCeng", &MDIFormMain::MenuCeng_Click);
    MenuWindow->addSeparator();
    MenuCloseAll = addCommand(MenuWindow, "MenuCloseAll", &MDIFormMain::MenuCloseAll_Click);
    MenuWindow->addSeparator();

    MenuHelp = topMenu("MenuHelp");
    MenuAbout = addCommand(MenuHelp, "MenuAbout", &MDIFormMain::MenuAbout_Click);
}

void MDIFormMain::createToolBar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    const QHash<QString, void (MDIFormMain::*)()> commands = {
        {QStringLiteral("新建"), &MDIFormMain::MenuNew_Click},
        {QStringLiteral("打开"), &MDIFormMain::MenuOpen_Click},
        {QStringLiteral("保存"), &MDIFormMain::MenuSave_Click},
        {QStringLiteral("读取"), &MDIFormMain::MenuRead_Click},
        {QStringLiteral("串口"), &MDIFormMain::MenuCom_Click},
        {QStringLiteral("写频"), &MDIFormMain::MenuWrite_Click},
        {QStringLiteral("帮助"), &MDIFormMain::ToolbarHelp_Click},
    };
    for (const ToolText& button : kToolButtons) {
        if (!button.key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromUtf8(button.key);
        const QString image = QLatin1String(button.image);
        if (!imlToolbarIcons.contains(image)) imlToolbarIcons.insert(image, icons::toolIcon(image));
        QAction* action = Toolbar1->addAction(imlToolbarIcons.value(image), QString());
        action->setObjectName(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, commands.value(key));
        toolButtons_.insert(key, action);
    }
}

void MDIFormMain::createTreePanel() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    PictureTree = new QWidget(central);
    PictureTree->setObjectName(QStringLiteral("PictureTree"));
    FrameTree = new QFrame(PictureTree);
    FrameTree->setObjectName(QStringLiteral("FrameTree"));
    FrameTree->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label1 = new QLabel(FrameTree);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    Label1->setFont(titleFont);
    TreeView1 = new QTreeWidget(FrameTree);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    // A narrow indent keeps "Channel Information" whole at the panel's start width; the
    // root opens and closes by double click or the keyboard.
    TreeView1->setRootIsDecorated(false);
    TreeView1->setIndentation(16);
    PictureSeparator = new QWidget(PictureTree);
    PictureSeparator->setObjectName(QStringLiteral("PictureSeparator"));
    PictureSeparator->setCursor(Qt::SplitHCursor);
    PictureSeparator->setAutoFillBackground(true);
    QPalette separatorColours = PictureSeparator->palette();
    separatorColours.setColor(QPalette::Window, separatorColours.color(QPalette::Mid));
    PictureSeparator->setPalette(separatorColours);
    PictureSeparator->installEventFilter(this);

    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    row->addWidget(PictureTree);
    row->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    connect(TreeView1, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
        if (!frame) return;
        if (auto* page = qobject_cast<PageWindow*>(frame->widget()))
            windowMenuCheck(page->menuId());
    });
}

void MDIFormMain::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setMinimumWidth(toPixels(1440));
        panels_[i]->setContentsMargins(4, 0, 4, 0);
        bar->addPermanentWidget(panels_[i], i == 0 ? 1 : 0);
    }
}

// ----------------------------------------------------------------------------------------
// Start-up

void MDIFormMain::runStartupSequence() {
    GlobalState& state = globalState();
    state.DecimalSeparator = detectDecimalSeparator(QLocale::system());
    SettingsStore& settings = platform::settings();
    state.EnglishMode = englishModeFromSetting(settings.read(QLatin1String(kLanguageKey)));
    state.ComPortNumber = portNumberFromSetting(settings.read(QLatin1String(kComPortKey)));
    // Qt's own texts follow before the first message box can appear.
    applyQtTranslation(state.EnglishMode);
    resetStartupState(state);

    if (state.AppFolder.isEmpty()) state.AppFolder = QCoreApplication::applicationDirPath();
    state.InitFileName = QStringLiteral("/Init.dat");
    state.ModelChanged = false;
    loadStartupFile(state);
    AnalyseModel();
    AnalyseSoftwareData();

    setLanguageTexts();

    splitterDragging_ = false;
    layoutTreePanel(kSplitterStart);
    if (TreeView1->topLevelItemCount() > 0) TreeView1->topLevelItem(0)->setExpanded(true);

    openPage(page_id::kChannelInformation);
}

// The main window's texts in the language in force: title label, menus, help file, tool-bar
// tips, the tree (rebuilt with the same keys) and the port panel.
void MDIFormMain::setLanguageTexts() {
    GlobalState& state = globalState();
    Label1->setText(QLatin1String(kAppTitle));

    for (const MenuText& text : kMenuTexts) {
        if (auto* action = findChild<QAction*>(QLatin1String(text.name)))
            action->setText(pick(text.english, text.chinese));
    }

    state.HelpFilePath = helpFilePath(state.AppFolder, state.EnglishMode);

    for (const ToolText& button : kToolButtons) {
        if (!button.key) continue;
        if (QAction* action = toolButtons_.value(QString::fromUtf8(button.key)))
            action->setToolTip(pick(button.english, button.chinese));
    }

    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {QLatin1String(kAppTitle)});
    root->setData(0, kKeyRole, QLatin1String(kTreeRootKey));
    for (const TreeText& node : kTreeNodes) {
        auto* child = new QTreeWidgetItem(root, {pick(node.english, node.chinese)});
        child->setData(0, kKeyRole, QLatin1String(node.key));
    }
    root->setExpanded(true);

    panels_[1]->setText(portPanelText(state));
}

// ----------------------------------------------------------------------------------------
// Tree panel layout and splitter

void MDIFormMain::layoutTreePanel(int x) {
    splitterTwips_ = x;
    const int panelWidth = x + kPanelExtra;
    const int panelHeight = toTwips(PictureTree->height());
    PictureTree->setFixedWidth(toPixels(panelWidth));

    QRect splitter = PictureSeparator->geometry();
    splitter.setRect(toPixels(x), 0, toPixels(kSplitterWidth), splitter.height());
    if (panelHeight >= kSplitterShorter)
        splitter.setHeight(toPixels(panelHeight - kSplitterShorter));
    PictureSeparator->setGeometry(splitter);

    int frameWidth = toTwips(FrameTree->width());
    int frameHeight = toTwips(FrameTree->height());
    if (panelWidth >= kFrameNarrower) frameWidth = panelWidth - kFrameNarrower;
    if (panelHeight >= kFrameShorter) frameHeight = panelHeight - kFrameShorter;
    FrameTree->setGeometry(0, toPixels(kFrameTop), toPixels(frameWidth), toPixels(frameHeight));

    QRect tree = TreeView1->geometry();
    tree.moveTo(0, toPixels(kTreeTop));
    if (frameWidth >= kTreeNarrower) tree.setWidth(toPixels(frameWidth - kTreeNarrower));
    // The tree ends inside the frame, so its lower edge and scroll bar stay visible.
    if (frameHeight >= kTreeTop + kTreeBottomMargin)
        tree.setHeight(toPixels(frameHeight - kTreeTop - kTreeBottomMargin));
    TreeView1->setGeometry(tree);
    Label1->setGeometry(0, 0, tree.width(), toPixels(kTreeTop));
}

void MDIFormMain::requestRelayout() {
    if (PictureTree->height() == 0) return;
    relayoutPending_ = true;
    Timer1->start(kRelayoutInterval);
}

void MDIFormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    requestRelayout();
}

void MDIFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    requestRelayout();
}

bool MDIFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PictureSeparator) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                splitterDragging_ = true;
                return true;
            case QEvent::MouseButtonRelease:
                splitterDragging_ = false;
                return true;
            case QEvent::MouseMove: {
                if (!splitterDragging_) break;
                const auto* move = static_cast<QMouseEvent*>(event);
                const QPoint client =
                    PictureSeparator->mapTo(centralWidget(), move->position().toPoint());
                int x = toTwips(client.x());
                const double half = toTwips(width()) / 2.0;
                if (x <= kSplitterMinimum)
                    x = kSplitterMinimum;
                else if (x > half)
                    x = qRound(half);
                layoutTreePanel(x);
                return true;
            }
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ----------------------------------------------------------------------------------------
// Timer: clock, title, band panel, and the re-layout after a resize.

void MDIFormMain::Timer1_Timer() {
    const GlobalState& state = globalState();
    panels_[2]->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    panels_[3]->setText(timeText(QTime::currentTime()));
    setWindowTitle(mainWindowTitle(state));
    panels_[0]->setText(bandPanelText(state));
    if (relayoutPending_) {
        Timer1->setInterval(kTimerInterval);
        layoutTreePanel(splitterTwips_);
        relayoutPending_ = false;
    }
}

// ----------------------------------------------------------------------------------------
// Pages

PageWindow* MDIFormMain::findPage(int id) const {
    QMdiSubWindow* frame = frameOf(id);
    return frame ? static_cast<PageWindow*>(frame->widget()) : nullptr;
}

QMdiSubWindow* MDIFormMain::frameOf(int id) const {
    const auto frames = mdiArea_->subWindowList();
    for (QMdiSubWindow* frame : frames) {
        auto* page = qobject_cast<PageWindow*>(frame->widget());
        if (page && page->menuId() == id) return frame;
    }
    return nullptr;
}

void MDIFormMain::openPage(int id) {
    GlobalState& state = globalState();
    const bool open = id == page_id::kChannelInformation ? state.ChannelPageOpen
                      : id == page_id::kOption           ? state.OptionPageOpen
                                                         : state.KeyPageOpen;
    if (open) {
        if (QMdiSubWindow* frame = frameOf(id)) {
            if (frame->isMinimized()) frame->showNormal();
            mdiArea_->setActiveSubWindow(frame);
            frame->raise();
            return;
        }
    }

    PageWindow* page = nullptr;
    switch (id) {
        case page_id::kChannelInformation:
            page = new FormChannelInformation;
            break;
        case page_id::kOption:
            page = new FormOption;
            break;
        case page_id::kKeySetting:
            page = new FormKeySetting;
            break;
        default:
            return;
    }
    QMdiSubWindow* frame = addFrame(page);
    if (state.PageWindowState == kWindowStateMaximized)
        frame->showMaximized();
    else
        frame->showNormal();
    mdiArea_->setActiveSubWindow(frame);
}

QMdiSubWindow* MDIFormMain::addFrame(QWidget* child) {
    const QSize size = child->size();
    QMdiSubWindow* frame = mdiArea_->addSubWindow(child);
    // Ctrl+W is Write To Radio and Ctrl+F4 closes nothing: the child windows keep their
    // system menu without key bindings of its own.
    if (QMenu* system = frame->systemMenu()) {
        const auto actions = system->actions();
        for (QAction* action : actions) action->setShortcuts({});
    }
    // The frame takes the size the child gave itself when it loaded, plus its own borders.
    frame->resize(
        frame->sizeHint().expandedTo(size + (frame->size() - frame->contentsRect().size())));
    return frame;
}

// Child windows that are not pages (the channel editor) live in the MDI area as well.
bool MDIFormMain::addChildWindow(QWidget* window) {
    addFrame(window);
    return true;
}

void MDIFormMain::closeAllChildren() {
    for (int guard = 0; guard < 64; ++guard) {
        QMdiSubWindow* frame = mdiArea_->activeSubWindow();
        if (!frame) {
            const auto frames = mdiArea_->subWindowList();
            if (frames.isEmpty()) return;
            frame = frames.constFirst();
        }
        if (!frame->close()) return;
        // Unloaded at once, so that the open flags and Window-menu entries follow now.
        delete frame;
    }
}

void MDIFormMain::reopenChannelPage() {
    closeAllChildren();
    openPage(page_id::kChannelInformation);
}

// ----------------------------------------------------------------------------------------
// Workbench: reloads and the Window menu

void MDIFormMain::AnalyseModel() { analyseModel(globalState()); }

void MDIFormMain::AnalyseSoftwareData() { analyseSoftwareData(globalState()); }

void MDIFormMain::AnalyseChannelInformation() {
    if (auto* page = qobject_cast<FormChannelInformation*>(findPage(page_id::kChannelInformation)))
        page->AnalyseChannelInformation();
}

void MDIFormMain::AnalyseOption() {
    if (auto* page = qobject_cast<FormOption*>(findPage(page_id::kOption))) page->AnalyseOption();
}

void MDIFormMain::AnalyseKeySetting() {
    if (auto* page = qobject_cast<FormKeySetting*>(findPage(page_id::kKeySetting)))
        page->AnalyseKeySetting();
}

void MDIFormMain::FreshData() {
    if (auto* page = qobject_cast<FormChannelInformation*>(findPage(page_id::kChannelInformation)))
        page->FreshData();
}

void MDIFormMain::windowMenuAppend(int id, const QString& caption) {
    windowMenuRemove(id);
    QAction* entry = MenuWindow->addAction(caption);
    entry->setObjectName(QStringLiteral("WindowEntry%1").arg(id));
    entry->setData(id);
    entry->setCheckable(true);
    connect(entry, &QAction::triggered, this, [this, id] {
        if (QMdiSubWindow* frame = frameOf(id)) {
            if (frame->isMinimized()) frame->showNormal();
            mdiArea_->setActiveSubWindow(frame);
            frame->raise();
        }
        windowMenuCheck(id);
    });
    windowEntries_.insert(id, entry);
}

void MDIFormMain::windowMenuCheck(int id) {
    for (auto it = windowEntries_.cbegin(); it != windowEntries_.cend(); ++it)
        it.value()->setChecked(it.key() == id);
}

void MDIFormMain::windowMenuRemove(int id) {
    if (QAction* entry = windowEntries_.take(id)) {
        MenuWindow->removeAction(entry);
        entry->deleteLater();
    }
}

void MDIFormMain::showHelpTopic(const QString& topic) { openHelpTopic(globalState(), topic); }

// ----------------------------------------------------------------------------------------
// Help: F1 opens the topic of the window that has the focus.

QString MDIFormMain::activeHelpTopic() const {
    for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        const QString topic = w->property(kHelpTopicProperty).toString();
        if (!topic.isEmpty()) return topic;
    }
    if (QMdiSubWindow* frame = mdiArea_->activeSubWindow()) {
        if (QWidget* page = frame->widget()) {
            const QString topic = page->property(kHelpTopicProperty).toString();
            if (!topic.isEmpty()) return topic;
        }
    }
    return QLatin1String(kMainHelpTopic);
}

void MDIFormMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelpTopic(activeHelpTopic());
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// Sends F1 to the window that has the focus, as if the key had been pressed there.
void MDIFormMain::ToolbarHelp_Click() {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != this) target = this;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// ----------------------------------------------------------------------------------------
// Commands

void MDIFormMain::MenuNew_Click() { fileNew(globalState()); }
void MDIFormMain::MenuOpen_Click() { fileOpen(globalState()); }
void MDIFormMain::MenuSave_Click() { fileSave(globalState()); }
void MDIFormMain::MenuSaveAs_Click() { fileSaveAs(globalState()); }
void MDIFormMain::MenuExit_Click() { close(); }

// After a model change the image starts again from the start-up file, with the model and
// band bytes of the new band; the passwords of the software record stay.
void MDIFormMain::MenuModelInformation_Click() {
    {
        FormModelInformation dialog(this);
        dialog.exec();
    }
    GlobalState& state = globalState();
    if (!state.ModelChanged) return;
    FreshData();  // a typed edit belongs to the image being discarded, not the rebuilt one
    loadStartupFile(state, StartupParts::ImageOnly);
    const ModelBytes bytes = modelBytesFromLimits(state.BandLowerMHz, state.BandUpperMHz);
    state.RadioImage[image::kModelByte] = bytes.model;
    state.RadioImage[image::kBandCode] = bytes.code;
    reopenChannelPage();
    state.ModelChanged = false;
}

void MDIFormMain::MenuChannel_Click() { openPage(page_id::kChannelInformation); }
void MDIFormMain::MenuOption_Click() { openPage(page_id::kOption); }
void MDIFormMain::MenuKey_Click() { openPage(page_id::kKeySetting); }

void MDIFormMain::transfer(bool read) {
    FreshData();
    globalState().TransferIsRead = read;
    FormProcess process(this);
    process.exec();
}

void MDIFormMain::MenuRead_Click() { transfer(true); }
void MDIFormMain::MenuWrite_Click() { transfer(false); }

void MDIFormMain::MenuCom_Click() {
    {
        FormComPort dialog(this);
        dialog.exec();
    }
    panels_[1]->setText(portPanelText(globalState()));
}

void MDIFormMain::MenuLanguage_Click() {
    {
        FormLanguage dialog(this);
        dialog.exec();
    }
    GlobalState& state = globalState();
    if (!state.LanguageChanged) return;
    closeAllChildren();
    // The help window shows the other language's file; it opens again on the next F1.
    if (auto* help = findChild<HelpWindow*>()) help->close();
    applyQtTranslation(state.EnglishMode);
    setLanguageTexts();
    openPage(page_id::kChannelInformation);
    state.LanguageChanged = false;
}

void MDIFormMain::MenuTree_Click() { PictureTree->setVisible(MenuTree->isChecked()); }

void MDIFormMain::MenuToolBar_Click() { Toolbar1->setVisible(MenuToolBar->isChecked()); }

void MDIFormMain::MenuStatus_Click() { statusBar()->setVisible(MenuStatus->isChecked()); }

void MDIFormMain::MenuCeng_Click() { mdiArea_->cascadeSubWindows(); }

void MDIFormMain::MenuCloseAll_Click() { closeAllChildren(); }

void MDIFormMain::MenuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

void MDIFormMain::TreeView1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    // The root opens nothing; it only folds and unfolds.
    const QString key = node->data(0, kKeyRole).toString();
    for (const TreeText& text : kTreeNodes)
        if (key == QLatin1String(text.key)) openPage(text.page);
}
