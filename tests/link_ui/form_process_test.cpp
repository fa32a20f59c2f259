// The serial window with a scripted radio behind its port: what it shows, what it leaves
// in the globals, and which pages it refreshes.
#include "link/ui/form_process.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/radio_image.h"
#include "support/doubles.h"
#include "support/recording_workbench.h"
#include "support/scripted_radio.h"
#include "support/test_registry.h"

namespace {

template <typename T>
T* control(QWidget& form, const char* name) {
    T* found = form.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return found;
}

}  // namespace

class FormProcessTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        doubles = new ScopedDoubles;
        globalState().EnglishMode = true;
        port = nullptr;
        platform::setSerialPortFactory([this]() {
            auto made = std::make_unique<ScriptedPort>();
            port = made.get();
            return std::unique_ptr<SerialPort>(std::move(made));
        });
    }
    void cleanup() {
        platform::setSerialPortFactory(nullptr);
        delete doubles;
    }

    void loadShowsTheDirectionInTheLanguage_data() {
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("progress");
        QTest::newRow("read, English") << true << true << "Read data from radio"
                                       << "Read"
                                       << "&Cancel"
                                       << "Complete:0%";
        QTest::newRow("write, English") << false << true << "Write data from radio"
                                        << "Write"
                                        << "&Cancel"
                                        << "Complete:0%";
        QTest::newRow("read, Chinese") << true << false << "从对讲机读取数据"
                                       << "读取"
                                       << "取消(&C)"
                                       << "完成进度:0%";
        QTest::newRow("write, Chinese") << false << false << "向对讲机写入数据"
                                        << "写入"
                                        << "取消(&C)"
                                        << "完成进度:0%";
    }
    void loadShowsTheDirectionInTheLanguage() {
        QFETCH(bool, read);
        QFETCH(bool, english);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        QFETCH(QString, cancel);
        QFETCH(QString, progress);
        globalState().EnglishMode = english;
        globalState().TransferIsRead = read;
        FormProcess form;
        form.show();
        QCOMPARE(form.windowTitle(), caption);
        auto* action = control<QPushButton>(form, read ? "CommandRead" : "CommandWrite");
        auto* other = control<QPushButton>(form, read ? "CommandWrite" : "CommandRead");
        QVERIFY(action->isVisible());
        QVERIFY(!other->isVisible());
        QCOMPARE(action->text(), button);
        QCOMPARE(control<QPushButton>(form, "CommandCancel")->text(), cancel);
        QCOMPARE(control<QLabel>(form, "LabelProcess")->text(), progress);
        QCOMPARE(control<QProgressBar>(form, "ProgressBar1")->value(), 0);
        QVERIFY(!control<QLineEdit>(form, "TextShow")->isEnabled());
        for (const char* hidden : {"TextPassword", "LabelPassword", "TextNewPassword",
                                   "LabelNewPassword", "CheckNewPassword"})
            QVERIFY2(!form.findChild<QWidget*>(QString::fromLatin1(hidden))->isVisible(), hidden);
        QVERIFY(port && !port->isOpen());
        QCOMPARE(port->settings, QStringLiteral("9600,N,8,1"));
    }

    void actionButtonTakesTheFocus() {
        globalState().TransferIsRead = true;
        FormProcess form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(control<QPushButton>(form, "CommandRead")));
    }

    void newPasswordFieldFollowsItsBox() {
        globalState().NewPasswordPending = false;
        FormProcess form;
        auto* box = control<QCheckBox>(form, "CheckNewPassword");
        auto* field = control<QLineEdit>(form, "TextNewPassword");
        QVERIFY(!box->isChecked());
        QVERIFY(!field->isEnabled());
        box->click();
        QVERIFY(field->isEnabled());
        box->click();
        QVERIFY(!field->isEnabled());
    }

    void readRefreshesThePagesAndKeepsTheBandExtension() {
        ScopedWorkbench bench;
        GlobalState& state = globalState();
        state.TransferIsRead = true;
        state.OptionPageOpen = true;
        state.BandLowerMHz = 136;  // the band shown before the read
        FormProcess form;
        auto& memory = port->radio.memory;
        memory.fill(0x5A);
        const auto record = modelRecord(false, 147);  // UHF 400-480
        std::copy(record.begin(), record.end(), memory.begin() + image::kModelRecord);
        memory[image::kExtensionOption] = 1;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        control<QPushButton>(form, "CommandRead")->click();
        QCOMPARE(form.windowTitle(), QStringLiteral("Read data from radio"));
        port->pump();
        QVERIFY(finished.wait(2000));

        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
        QVERIFY(state.RadioImage == memory);
        QCOMPARE(control<QLineEdit>(form, "TextShow")->text(), QStringLiteral("Read Data OK"));
        QCOMPARE(control<QLabel>(form, "LabelProcess")->text(), QStringLiteral("Complete:100%"));
        QCOMPARE(control<QProgressBar>(form, "ProgressBar1")->value(),
                 control<QProgressBar>(form, "ProgressBar1")->maximum());
        QCOMPARE(bench.workbench.calls,
                 (QStringList{"AnalyseModel", "AnalyseChannelInformation", "AnalyseOption"}));
        QCOMPARE(state.BandUpperMHz, 480);
        QCOMPARE(state.WorkingUpperMHz, 520);
        QVERIFY(!state.TransferIsRead);
        QVERIFY(!state.TransferSucceeded);
        QVERIFY(!port->isOpen());
        QVERIFY(doubles->messages.shown.isEmpty());
    }

    void writeCarriesTheNewPasswordAndKeepsThePasswords() {
        ScopedWorkbench bench;
        GlobalState& state = globalState();
        state.TransferIsRead = false;
        state.ProgramPassword = QStringLiteral("123");
        state.NewPassword = QStringLiteral("AB");
        state.NewPasswordPending = true;
        const auto record = modelRecord(false, 147);
        std::copy(record.begin(), record.end(), state.RadioImage.begin() + image::kModelRecord);
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        control<QPushButton>(form, "CommandWrite")->click();
        QCOMPARE(form.windowTitle(), QStringLiteral("Write data into radio"));
        QVERIFY(!control<QCheckBox>(form, "CheckNewPassword")->isEnabled());
        port->pump();
        QVERIFY(finished.wait(2000));

        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QCOMPARE(control<QLineEdit>(form, "TextShow")->text(), QStringLiteral("Write Data OK"));
        const QByteArray frame = port->written[3 + 0x2F0 / 16];
        QCOMPARE(frame.mid(0, 10), QByteArray("W\x02\xF0\x10"
                                              "AB\xFF\xFF\xFF\xFF",
                                              10));
        QVERIFY(bench.workbench.calls.isEmpty());
        QCOMPARE(state.ProgramPassword, QStringLiteral("123"));
        QCOMPARE(state.NewPassword, QStringLiteral("AB"));
        QVERIFY(state.NewPasswordPending);
        QVERIFY(!state.TransferIsRead);
    }

    void cancelDuringTheTransferSendsNoEnd() {
        ScopedWorkbench bench;
        globalState().TransferIsRead = true;
        FormProcess form;
        port->radio.dropBlock = 3;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        control<QPushButton>(form, "CommandRead")->click();
        port->pump();
        QVERIFY(port->isOpen());
        control<QPushButton>(form, "CommandCancel")->click();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QVERIFY(!port->isOpen());
        QVERIFY(!port->written.contains(QByteArray(1, 'E')));
        QVERIFY(!globalState().TransferIsRead);
        QVERIFY(!globalState().TransferSucceeded);
        QVERIFY(bench.workbench.calls.isEmpty());
        QTest::qWait(20);  // no timer left to fire
        QCOMPARE(finished.size(), 1);
        QVERIFY(doubles->messages.shown.isEmpty());
    }

    void closingUnstartedLeavesAWriteForTheNextOpener() {
        GlobalState& state = globalState();
        state.TransferIsRead = true;
        state.ProgramPassword = QStringLiteral("9");
        {
            FormProcess form;
            form.show();
            form.close();
        }
        QVERIFY(!state.TransferIsRead);
        QVERIFY(!state.TransferSucceeded);
        QCOMPARE(state.ProgramPassword, QStringLiteral("9"));
        FormProcess next;
        QVERIFY(control<QPushButton>(next, "CommandWrite")->isVisibleTo(&next));
    }

    void portThatDoesNotOpenClosesTheWindow() {
        globalState().TransferIsRead = true;
        FormProcess form;
        port->openSucceeds = false;
        port->failure.cause = SerialOpenCause::NoDevice;
        port->failure.portNumber = 70;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        control<QPushButton>(form, "CommandRead")->click();
        QVERIFY(finished.wait(1000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QCOMPARE(doubles->messages.shown.size(), 1);
        QVERIFY(doubles->messages.shown[0].text.startsWith(
            QStringLiteral("Please reselect COM port!\nCOM70 has no device.")));
    }

private:
    ScopedDoubles* doubles = nullptr;
    ScriptedPort* port = nullptr;
};
KORVA_TEST(FormProcessTest);

#include "form_process_test.moc"
