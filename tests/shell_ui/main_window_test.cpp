// The main window through its real widgets: start-up with the remembered settings, the
// title and status texts, the page-opening rule, the Window menu, the keyboard, the view
// toggles, the tree panel's layout and splitter, and the language change.
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "channels/ui/form_channel_information.h"
#include "core/ui/page_window.h"
#include "functions/ui/form_option.h"
#include "shell/mdi_form_main.h"
#include "shell_fixture.h"
#include "support/test_registry.h"

namespace {

QString panelText(MDIFormMain& window, int panel) {
    return window.findChild<QLabel*>(QStringLiteral("Panel%1").arg(panel))->text();
}

QAction* command(MDIFormMain& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
}

QAction* toolButton(MDIFormMain& window, const QString& key) {
    const auto actions = window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions();
    for (QAction* action : actions)
        if (action->data().toString() == key) return action;
    return nullptr;
}

QTreeWidgetItem* treeNode(MDIFormMain& window, const QString& key) {
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* root = tree->topLevelItem(0);
    if (root->data(0, Qt::UserRole).toString() == key) return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->data(0, Qt::UserRole).toString() == key) return root->child(i);
    return nullptr;
}

void clickNode(MDIFormMain& window, const QString& key) {
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    const QRect cell = tree->visualItemRect(treeNode(window, key));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
}

QMenu* windowMenu(MDIFormMain& window) {
    return window.findChild<QMenu*>(QStringLiteral("MenuWindow"));
}

// Captions and ticks of the page entries at the end of the Window menu.
QStringList windowEntries(MDIFormMain& window) {
    QStringList entries;
    const auto actions = windowMenu(window)->actions();
    for (QAction* action : actions) {
        const int id = action->data().toInt();
        if (id < page_id::kChannelInformation || id > page_id::kKeySetting) continue;
        entries << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
    }
    return entries;
}

PageWindow* activePage(MDIFormMain& window) {
    QMdiSubWindow* frame = window.mdiArea()->activeSubWindow();
    return frame ? qobject_cast<PageWindow*>(frame->widget()) : nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithRememberedSettings_data() {
        QTest::addColumn<QVariant>("language");
        QTest::addColumn<QVariant>("port");
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("portPanel");
        const QString english = QStringLiteral("KORVA-77[UHF: 400 - 480 MHz] [FileName:new.rdat]");
        const QString chinese = QStringLiteral("KORVA-77[UHF: 400 - 480 MHz] [文件名:new.rdat]");
        QTest::newRow("English, port 12")
            << QVariant("True") << QVariant("12") << true << 12 << english << "COM12";
        QTest::newRow("lower-case true is Chinese")
            << QVariant("true") << QVariant("") << false << 1 << chinese << "通信端口1";
        QTest::newRow("nothing stored")
            << QVariant() << QVariant() << false << 1 << chinese << "通信端口1";
        QTest::newRow("port text of letters")
            << QVariant("True") << QVariant("COM") << true << 0 << english << "COM0";
    }
    void startsWithRememberedSettings() {
        QFETCH(QVariant, language);
        QFETCH(QVariant, port);
        QFETCH(bool, english);
        QFETCH(int, portNumber);
        QFETCH(QString, title);
        QFETCH(QString, portPanel);
        QMap<QString, QString> settings;
        if (language.isValid()) settings.insert(QStringLiteral("Language"), language.toString());
        if (port.isValid()) settings.insert(QStringLiteral("ComPort"), port.toString());
        MainWindowFixture fixture(settings);
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;

        QCOMPARE(globalState().EnglishMode, english);
        QCOMPARE(globalState().ComPortNumber, portNumber);
        QCOMPARE(window.windowTitle(), title);
        QCOMPARE(panelText(window, 1), QStringLiteral("UHF[400-480 MHz]"));
        QCOMPARE(panelText(window, 2), portPanel);
        QVERIFY(!panelText(window, 3).isEmpty());
        QVERIFY(!panelText(window, 4).isEmpty());
        QVERIFY(fixture.doubles.settings.writes.isEmpty());

        // The channel page is open, normal-sized and listed in the Window menu.
        QVERIFY(globalState().ChannelPageOpen);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
        QMdiSubWindow* frame = window.mdiArea()->subWindowList().constFirst();
        QVERIFY(qobject_cast<FormChannelInformation*>(frame->widget()));
        QVERIFY(!frame->isMinimized() && !frame->isMaximized());
        QCOMPARE(windowEntries(window).size(), 1);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("KORVA-77"));
        QVERIFY(treeNode(window, QStringLiteral("KORVA-77"))->isExpanded());
        QCOMPARE(globalState().HelpFilePath,
                 fixture.folder.path() + (english ? QStringLiteral("/KORVA-77_e.chm")
                                                  : QStringLiteral("/KORVA-77_c.chm")));
    }

    void menusFollowTheTableInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("fileItems");
        QTest::addColumn<QStringList>("tips");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("English") << true << QStringList{"&File",    "&Model", "&Edit",   "&Program",
                                                        "&Setting", "&View",  "&Window", "&Help"}
                                 << QStringList{"&New", "&Open", "&Save", "Save &As", "", "&Exit"}
                                 << QStringList{"New",     "Open",  "Save", "",    "Read",
                                                "Set Com", "Write", "",     "Help"}
                                 << QStringList{"KORVA-77", "Channel Information", "Function Setup",
                                                "Key Setting"};
        QTest::newRow("Chinese")
            << false << QStringList{"文件(&F)", "机型(&M)", "编辑(&E)", "编程(&P)",
                                    "设置(&S)", "视图(&V)", "窗口(&W)", "帮助(&H)"}
            << QStringList{"新建(&N)", "打开(&O)", "保存(&S)", "另存为(&A)", "", "退出(&E)"}
            << QStringList{"新建", "打开", "保存", "", "读频", "串口设置", "写频", "", "帮助"}
            << QStringList{"KORVA-77", "信道信息(C)", "功能设定(F)", "键设置(K)"};
    }
    void menusFollowTheTableInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, fileItems);
        QFETCH(QStringList, tips);
        QFETCH(QStringList, tree);
        MainWindowFixture fixture({{QStringLiteral("Language"),
                                    english ? QStringLiteral("True") : QStringLiteral("False")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;

        QStringList shownMenus;
        const auto top = window.menuBar()->actions();
        for (QAction* action : top) shownMenus << action->text();
        QCOMPARE(shownMenus, menus);
        QCOMPARE(top.at(6)->menu(), windowMenu(window));  // the Window menu is at position 6

        QStringList shownItems;
        const auto items = top.at(0)->menu()->actions();
        for (QAction* action : items) shownItems << action->text();
        QCOMPARE(shownItems, fileItems);

        QStringList shownTips;
        const auto buttons = window.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions();
        for (QAction* action : buttons)
            shownTips << (action->isSeparator() ? QString() : action->toolTip());
        QCOMPARE(shownTips, tips);
        QStringList keys;
        for (QAction* action : buttons) keys << action->data().toString();
        QCOMPARE(keys,
                 (QStringList{"新建", "打开", "保存", "", "读取", "串口", "写频", "", "帮助"}));
        for (QAction* action : buttons) QVERIFY(action->isSeparator() || !action->icon().isNull());

        QStringList shownTree{treeNode(window, "KORVA-77")->text(0)};
        for (const char* key : {"TreeChannelInforamtion", "TreeOption", "TreeKey"})
            shownTree << treeNode(window, QLatin1String(key))->text(0);
        QCOMPARE(shownTree, tree);

        const QList<QPair<const char*, QKeySequence>> shortcuts = {
            {"MenuNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
            {"MenuOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"MenuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"MenuRead", QKeySequence(Qt::CTRL | Qt::Key_R)},
            {"MenuWrite", QKeySequence(Qt::CTRL | Qt::Key_W)},
        };
        for (const auto& [name, keySequence] : shortcuts)
            QCOMPARE(command(window, name)->shortcut(), keySequence);
    }

    void titleAndBandPanelFollowTheStateWithinATick() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        globalState().CurrentFileName = QStringLiteral("abc.rdat");
        QTRY_COMPARE_WITH_TIMEOUT(
            fixture.window->windowTitle(),
            QStringLiteral("KORVA-77[UHF: 400 - 480 MHz] [FileName:abc.rdat]"), 1000);
        QCOMPARE(panelText(*fixture.window, 1), QStringLiteral("UHF[400-480 MHz]"));

        globalState().EnglishMode = false;
        globalState().WorkingUpperMHz = 520;
        QTRY_COMPARE_WITH_TIMEOUT(fixture.window->windowTitle(),
                                  QStringLiteral("KORVA-77[UHF: 400 - 520 MHz] [文件名:abc.rdat]"),
                                  1000);
        QCOMPARE(panelText(*fixture.window, 1), QStringLiteral("UHF[400-520 MHz]"));
    }

    void openingAnOpenPageBringsItToTheFront() {
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;

        clickNode(window, QStringLiteral("TreeOption"));
        QVERIFY(globalState().OptionPageOpen);
        QCOMPARE(activePage(window)->menuId(), page_id::kOption);

        // The channel page again, from the tree and from the menu: no second one.
        clickNode(window, QStringLiteral("TreeChannelInforamtion"));
        QCOMPARE(activePage(window)->menuId(), page_id::kChannelInformation);
        command(window, "MenuOption")->trigger();
        command(window, "MenuChannel")->trigger();
        QCOMPARE(window.mdiArea()->subWindowList().size(), 2);
        QCOMPARE(activePage(window)->menuId(), page_id::kChannelInformation);
    }

    void pagesOpenInTheLastStateButNeverMinimized() {
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;

        globalState().PageWindowState = 1;
        command(window, "MenuKey")->trigger();
        QMdiSubWindow* keyFrame = window.mdiArea()->activeSubWindow();
        QCOMPARE(activePage(window)->menuId(), page_id::kKeySetting);
        QVERIFY(!keyFrame->isMinimized());

        globalState().PageWindowState = 2;
        command(window, "MenuOption")->trigger();
        QVERIFY(window.mdiArea()->activeSubWindow()->isMaximized());

        // A minimized page is shown again when it is opened.
        window.mdiArea()->activeSubWindow()->showMinimized();
        QCOMPARE(globalState().PageWindowState, 1);
        command(window, "MenuOption")->trigger();
        QVERIFY(!window.mdiArea()->activeSubWindow()->isMinimized());
    }

    void windowMenuListsTheOpenPagesWithTheActiveOneTicked() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        QCOMPARE(windowEntries(window), QStringList{"Channel Information *"});

        command(window, "MenuOption")->trigger();
        command(window, "MenuKey")->trigger();
        QCOMPARE(windowEntries(window),
                 (QStringList{"Channel Information", "Function Setup", "Key Setting *"}));

        // Choosing an entry brings that page forward and moves the tick.
        window.findChild<QAction*>(QStringLiteral("WindowEntry1000"))->trigger();
        QCOMPARE(activePage(window)->menuId(), page_id::kChannelInformation);
        QCOMPARE(windowEntries(window),
                 (QStringList{"Channel Information *", "Function Setup", "Key Setting"}));

        // A closed page leaves the menu.
        window.mdiArea()->setActiveSubWindow(window.mdiArea()->subWindowList().at(1));
        window.mdiArea()->closeActiveSubWindow();
        QTRY_VERIFY(!globalState().OptionPageOpen);
        QCOMPARE(windowEntries(window).size(), 2);
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("WindowEntry1001")));

        command(window, "MenuCloseAll")->trigger();
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        QVERIFY(windowEntries(window).isEmpty());
        QVERIFY(!globalState().ChannelPageOpen && !globalState().KeyPageOpen);
    }

    void shortcutsReachTheMainWindowFromAPage_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("onFunctionPage");
        QTest::newRow("Ctrl+R in a text field") << int(Qt::Key_R) << true << false;
        QTest::newRow("Ctrl+W in a text field") << int(Qt::Key_W) << false << false;
        QTest::newRow("Ctrl+R in a list") << int(Qt::Key_R) << true << true;
        QTest::newRow("Ctrl+W in a list") << int(Qt::Key_W) << false << true;
    }
    void shortcutsReachTheMainWindowFromAPage() {
        QFETCH(int, key);
        QFETCH(bool, read);
        QFETCH(bool, onFunctionPage);
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        if (onFunctionPage) command(window, "MenuOption")->trigger();
        PageWindow* page = activePage(window);
        QWidget* field = onFunctionPage ? static_cast<QWidget*>(page->findChild<QComboBox*>())
                                        : new QLineEdit(page);
        QVERIFY(field);
        field->show();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        const int pages = window.mdiArea()->subWindowList().size();
        globalState().TransferIsRead = !read;

        bool shownAs = !read;
        QString shown;
        onNextModal([&](QWidget* modal) {
            shown = modal->objectName();
            shownAs = globalState().TransferIsRead;
            modal->close();
        });
        QTest::keyClick(field, Qt::Key(key), Qt::ControlModifier);
        QTRY_COMPARE(shown, QStringLiteral("FormProcess"));
        QCOMPARE(shownAs, read);
        // The page is still there: Ctrl+W does not close a child window.
        QCOMPARE(window.mdiArea()->subWindowList().size(), pages);

        // Ctrl+F4 closes nothing either.
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(window.mdiArea()->subWindowList().size(), pages);
    }

    void f1OpensTheTopicOfTheActivePage() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        const QString helpFile = fixture.folder.path() + QStringLiteral("/KORVA-77_e.chm");
        auto* field = new QLineEdit(activePage(window));
        field->show();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());

        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(fixture.doubles.help.topics,
                 QStringList{helpFile + QStringLiteral("::/HTML/chinfo.htm")});

        command(window, "MenuKey")->trigger();
        toolButton(window, QStringLiteral("帮助"))->trigger();
        QCOMPARE(fixture.doubles.help.topics.last(),
                 helpFile + QStringLiteral("::/HTML/keyassign.htm"));

        command(window, "MenuOption")->trigger();
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(fixture.doubles.help.topics.last(),
                 helpFile + QStringLiteral("::/HTML/optfeatures.htm"));

        // With no page open, the contents of the help file.
        command(window, "MenuCloseAll")->trigger();
        toolButton(window, QStringLiteral("帮助"))->trigger();
        QCOMPARE(fixture.doubles.help.topics.last(),
                 helpFile + QStringLiteral("::/HTML/index.htm"));
    }

    void viewTogglesShowAndHideTheirBars_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("bar");
        QTest::newRow("tree") << "MenuTree"
                              << "PictureTree";
        QTest::newRow("tool bar") << "MenuToolBar"
                                  << "Toolbar1";
        QTest::newRow("status bar") << "MenuStatus"
                                    << "StatusBar1";
    }
    void viewTogglesShowAndHideTheirBars() {
        QFETCH(QString, item);
        QFETCH(QString, bar);
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        QAction* toggle = command(*fixture.window, qPrintable(item));
        QWidget* widget = fixture.window->findChild<QWidget*>(bar);
        QVERIFY(toggle->isChecked());
        QVERIFY(widget->isVisible());
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!widget->isVisible());
        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QVERIFY(widget->isVisible());
    }

    void treePanelFollowsTheLayoutConstants() {
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        auto* panel = window.findChild<QWidget*>(QStringLiteral("PictureTree"));
        auto* splitter = window.findChild<QWidget*>(QStringLiteral("PictureSeparator"));
        auto* frame = window.findChild<QFrame*>(QStringLiteral("FrameTree"));
        auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
        auto px = [](int twips) { return qRound(twips / 15.0); };

        auto laidOut = [&] {
            const int panelTwips = panel->height() * 15;
            return splitter->height() == px(panelTwips - 500) &&
                   frame->height() == px(panelTwips - 520);
        };
        QTRY_VERIFY(laidOut());
        QCOMPARE(window.splitterPosition(), 2500);
        QCOMPARE(panel->width(), px(2600));
        QCOMPARE(splitter->geometry(), QRect(px(2500), 0, px(50), splitter->height()));
        QCOMPARE(frame->geometry().topLeft(), QPoint(0, px(10)));
        QCOMPARE(frame->width(), px(2500));
        QCOMPARE(tree->geometry().topLeft(), QPoint(0, px(600)));
        QCOMPARE(tree->width(), px(2380));
        QVERIFY(tree->geometry().bottom() < frame->height());  // whole inside the frame

        // A resize is followed on the next timer tick.
        window.resize(window.width() + 40, window.height() - 60);
        QTRY_VERIFY(laidOut());
    }

    void splitterDragIsClamped() {
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        auto* splitter = window.findChild<QWidget*>(QStringLiteral("PictureSeparator"));
        auto* panel = window.findChild<QWidget*>(QStringLiteral("PictureTree"));

        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(1, 10));
        QTest::mouseMove(splitter, QPoint(60 - splitter->x(), 10));
        QCOMPARE(window.splitterPosition(), 60 * 15);
        QCOMPARE(panel->width(), qRound((60 * 15 + 100) / 15.0));

        QTest::mouseMove(splitter, QPoint(-splitter->x() - 300, 10));
        QCOMPARE(window.splitterPosition(), 120);
        QTest::mouseMove(splitter, QPoint(-splitter->x() + 8, 10));  // 8 px = 120 twips
        QCOMPARE(window.splitterPosition(), 120);

        QTest::mouseMove(splitter, QPoint(window.width() * 2, 10));
        QCOMPARE(window.splitterPosition(), qRound(window.width() * 15 / 2.0));
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(1, 10));

        // Without a button held, moving does nothing.
        const int kept = window.splitterPosition();
        QTest::mouseMove(splitter, QPoint(-splitter->x() + 100, 10));
        QCOMPARE(window.splitterPosition(), kept);
    }

    void languageChangeReopensTheChannelPageInTheNewLanguage() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("False")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        clickNode(window, QStringLiteral("TreeOption"));
        QVERIFY(globalState().OptionPageOpen);

        onNextModal([](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>(QStringLiteral("ComboLanguage"));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Up);  // "英文"
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CommandOK")),
                              Qt::LeftButton);
        });
        command(window, "MenuLanguage")->trigger();

        QVERIFY(globalState().EnglishMode);
        QVERIFY(!globalState().LanguageChanged);
        QVERIFY(!globalState().OptionPageOpen);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
        QCOMPARE(activePage(window)->windowTitle(), QStringLiteral("Channel Information"));
        QCOMPARE(windowEntries(window), QStringList{"Channel Information *"});
        QCOMPARE(window.menuBar()->actions().constFirst()->text(), QStringLiteral("&File"));
        QCOMPARE(toolButton(window, QStringLiteral("读取"))->toolTip(), QStringLiteral("Read"));
        QCOMPARE(treeNode(window, QStringLiteral("TreeOption"))->text(0),
                 QStringLiteral("Function Setup"));
        QCOMPARE(panelText(window, 2), QStringLiteral("COM1"));
        QCOMPARE(fixture.doubles.settings.values.value(QStringLiteral("Language")),
                 QStringLiteral("True"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

        // The tree keys are unchanged, so the nodes still open their pages.
        clickNode(window, QStringLiteral("TreeKey"));
        QCOMPARE(activePage(window)->menuId(), page_id::kKeySetting);
    }

    void choosingTheLanguageInForceChangesNothing() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        command(window, "MenuOption")->trigger();

        onNextModal([](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CommandOK")),
                              Qt::LeftButton);
        });
        command(window, "MenuLanguage")->trigger();
        QVERIFY(globalState().OptionPageOpen);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 2);
        QVERIFY(fixture.doubles.settings.writes.isEmpty());
    }

    void missingStartupFileIsReportedAndTheBuiltInImageUsed() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.startWithoutStartupFile());
        QCOMPARE(fixture.doubles.messages.shown.size(), 1);
        QCOMPARE(fixture.doubles.messages.shown.constFirst().icon, BoxIcon::Error);
        QVERIFY(fixture.doubles.messages.shown.constFirst().text.contains(
            fixture.folder.filePath(QStringLiteral("Init.dat"))));
        QCOMPARE(fixture.window->windowTitle(),
                 QStringLiteral("KORVA-77[UHF: 400 - 480 MHz] [FileName:new.rdat]"));
        QVERIFY(globalState().ChannelPageOpen);

        // File New uses the built-in image again without a second message.
        fixture.window->findChild<QAction*>(QStringLiteral("MenuNew"))->trigger();
        QCOMPARE(fixture.doubles.messages.shown.size(), 1);
    }

    void fileCommandsReachTheDataFiles() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        GlobalState& state = globalState();
        const QString saved = fixture.folder.filePath(QStringLiteral("abc.rdat"));

        // Ctrl+S on a new image asks for a name, offering new.rdat, and writes the file.
        state.RadioImage[16] = 0x12;
        fixture.doubles.files.answers << FileChoice{saved, QStringLiteral("abc.rdat")};
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.doubles.files.calls.size(), 1);
        QCOMPARE(fixture.doubles.files.calls.constFirst().initialName, QStringLiteral("new.rdat"));
        QCOMPARE(QFileInfo(saved).size(), 1057);
        QTRY_COMPARE_WITH_TIMEOUT(
            window.windowTitle(),
            QStringLiteral("KORVA-77[UHF: 400 - 480 MHz] [FileName:abc.rdat]"), 1000);

        // The tool bar's New starts again from Init.dat and reopens only the channel page.
        command(window, "MenuOption")->trigger();
        toolButton(window, QStringLiteral("新建"))->trigger();
        QCOMPARE(state.RadioImage[16], uint8_t(0xFF));
        QVERIFY(!state.OptionPageOpen);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);

        // Ctrl+O loads the saved file back after the question.
        fixture.doubles.files.answers << FileChoice{saved, QStringLiteral("abc.rdat")};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(fixture.doubles.messages.texts(),
                 QStringList{"Do you want to cover current data?"});
        QCOMPARE(state.RadioImage[16], uint8_t(0x12));

        // Save As from the menu asks for a new name.
        command(window, "MenuSaveAs")->trigger();
        QCOMPARE(fixture.doubles.files.calls.size(), 3);
        QCOMPARE(fixture.doubles.files.calls.last().mode, QStringLiteral("Save"));
    }

    void toolBarTransfersSetTheDirection_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("read");
        QTest::newRow("Read") << "读取" << true;
        QTest::newRow("Write") << "写频" << false;
    }
    void toolBarTransfersSetTheDirection() {
        QFETCH(QString, key);
        QFETCH(bool, read);
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        globalState().TransferIsRead = !read;
        bool shownAs = !read;
        QString shown;
        onNextModal([&](QWidget* modal) {
            shown = modal->objectName();
            shownAs = globalState().TransferIsRead;
            modal->close();
        });
        toolButton(*fixture.window, key)->trigger();
        QCOMPARE(shown, QStringLiteral("FormProcess"));
        QCOMPARE(shownAs, read);
    }

    void exitClosesTheWindowWithoutAsking() {
        MainWindowFixture fixture;
        QVERIFY(fixture.start());
        command(*fixture.window, "MenuOption")->trigger();
        command(*fixture.window, "MenuExit")->trigger();
        QVERIFY(!fixture.window->isVisible());
        QVERIFY(fixture.doubles.messages.shown.isEmpty());
    }
};
KORVA_TEST(MainWindowTest);

#include "main_window_test.moc"
