// The help files built beside the application and the help window that shows them.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "core/global_state.h"
#include "platform/qt/qt_help_viewer.h"
#include "shell/help_window.h"
#include "support/doubles.h"
#include "support/test_registry.h"

namespace {

const QString kBuild = QStringLiteral(KORVA_BINARY_DIR);

QString helpFile(const char* name) { return kBuild + QLatin1Char('/') + QLatin1String(name); }

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void everyTopicIsInBothHelpFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("topic");
        for (const char* file : {"KORVA-77_e.chm", "KORVA-77_c.chm"}) {
            for (const char* topic :
                 {"chinfo.htm", "chEdit.htm", "chcopy.htm", "freqcopy.htm", "qtdqtcopy.htm",
                  "optfeatures.htm", "keyassign.htm", "index.htm"}) {
                QTest::addRow("%s %s", file, topic) << helpFile(file) << QString::fromLatin1(topic);
            }
        }
    }
    void everyTopicIsInBothHelpFiles() {
        QFETCH(QString, file);
        QFETCH(QString, topic);
        QtHelpViewer viewer;
        const HelpPage page = viewer.resolve(file + QStringLiteral("::/HTML/") + topic);
        QVERIFY2(page.problem.isEmpty(), qPrintable(page.problem));
        QFile html(QLatin1Char(':') + page.url.path());
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(html.readAll());
        QVERIFY(text.contains(QStringLiteral("<h1>")));
        QVERIFY(text.size() > 600);  // says what the window does and how to use it
    }

    void pagesLinkOnlyToPagesOfTheSameFile() {
        for (const char* file : {"KORVA-77_e.chm", "KORVA-77_c.chm"}) {
            QtHelpViewer viewer;
            const HelpPage index =
                viewer.resolve(helpFile(file) + QStringLiteral("::/HTML/index.htm"));
            QVERIFY(index.problem.isEmpty());
            const QDir folder(QLatin1Char(':') + QFileInfo(index.url.path()).path());
            const auto pages = folder.entryList({QStringLiteral("*.htm")});
            QCOMPARE(pages.size(), 8);
            static const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
            for (const QString& name : pages) {
                QFile page(folder.filePath(name));
                QVERIFY(page.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(page.readAll());
                for (auto match = link.globalMatch(text); match.hasNext();) {
                    const QString target = match.next().captured(1);
                    QVERIFY2(pages.contains(target), qPrintable(name + " -> " + target));
                }
            }
        }
    }

    void missingFileOrTopicIsReported() {
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        QtHelpViewer viewer;
        const HelpPage noFile =
            viewer.resolve(QStringLiteral("/nowhere/KORVA-77_e.chm::/HTML/chinfo.htm"));
        QVERIFY(noFile.url.isEmpty());
        QVERIFY(noFile.problem.contains(QStringLiteral("/nowhere/KORVA-77_e.chm")));
        const HelpPage noTopic =
            viewer.resolve(helpFile("KORVA-77_e.chm") + QStringLiteral("::/HTML/nothing.htm"));
        QVERIFY(noTopic.url.isEmpty());
        QVERIFY(noTopic.problem.contains(QStringLiteral("nothing.htm")));

        // A file that is no help file at all.
        QTemporaryDir folder;
        QFile junk(folder.filePath(QStringLiteral("KORVA-77_e.chm")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a help file");
        junk.close();
        QVERIFY(!viewer.resolve(junk.fileName() + QStringLiteral("::/HTML/chinfo.htm"))
                     .problem.isEmpty());
    }

    void helpWindowShowsTopicsWithHistory() {
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        QWidget owner;
        QtHelpViewer viewer;
        viewer.setOwner(&owner);
        viewer.showTopic(helpFile("KORVA-77_e.chm") + QStringLiteral("::/HTML/chinfo.htm"));
        HelpWindow* window = viewer.window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->parentWidget(), &owner);
        QCOMPARE(window->windowTitle(), QStringLiteral("KORVA-77 Help"));
        QTextBrowser* browser = window->browser();
        QVERIFY(browser->source().path().endsWith(QStringLiteral("/HTML/chinfo.htm")));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Channel Information"));

        // The same window shows the next topic; Back returns to the first.
        viewer.showTopic(helpFile("KORVA-77_e.chm") + QStringLiteral("::/HTML/keyassign.htm"));
        QCOMPARE(viewer.window(), window);
        QCOMPARE(browser->documentTitle(), QStringLiteral("Key Setting"));
        auto* back = window->findChild<QToolButton*>(QStringLiteral("HelpBack"));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(browser->documentTitle(), QStringLiteral("Channel Information"));
        QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("HelpContents")),
                          Qt::LeftButton);
        QVERIFY(browser->source().path().endsWith(QStringLiteral("/HTML/index.htm")));

        // A missing topic is reported in the window.
        viewer.showTopic(helpFile("KORVA-77_e.chm") + QStringLiteral("::/HTML/nothing.htm"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("nothing.htm")));
    }

    void chineseHelpFileIsInChinese() {
        ScopedDoubles doubles;
        QtHelpViewer viewer;
        viewer.showTopic(helpFile("KORVA-77_c.chm") + QStringLiteral("::/HTML/optfeatures.htm"));
        QCOMPARE(viewer.window()->windowTitle(), QStringLiteral("KORVA-77 帮助"));
        QCOMPARE(viewer.window()->browser()->documentTitle(), QStringLiteral("功能设定"));
        viewer.window()->close();
    }
};
KORVA_TEST(HelpTest);

#include "help_test.moc"
