#include "core/startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/data_files.h"
#include "core/default_image.h"
#include "core/radio_image.h"
#include "support/doubles.h"
#include "support/test_registry.h"

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void language_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("english");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("true") << "true" << false;
        QTest::newRow("TRUE") << "TRUE" << false;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("missing") << "" << false;
        QTest::newRow("with a blank") << "True " << false;
    }
    void language() {
        QFETCH(QString, text);
        QFETCH(bool, english);
        QCOMPARE(englishModeFromSetting(text), english);
    }

    void port_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("missing") << "" << 1;
        QTest::newRow("COM") << "COM" << 0;
        QTest::newRow("COM3") << "COM3" << 0;
        QTest::newRow("number then letters") << "7abc" << 7;
        QTest::newRow("leading blanks") << "  4" << 4;
        QTest::newRow("2.5 rounds to even") << "2.5" << 2;
        QTest::newRow("3.5 rounds to even") << "3.5" << 4;
        QTest::newRow("2.6") << "2.6" << 3;
        QTest::newRow("point alone") << "." << 0;
        QTest::newRow("300") << "300" << 300;
        QTest::newRow("beyond any port") << "99999999999" << 0;
        QTest::newRow("Arabic-Indic digits") << "١٢" << 0;
    }
    void port() {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(portNumberFromSetting(text), port);
    }

    void decimalSeparator_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("C") << QLocale::c() << ".";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << ".";
        QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China) << ".";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ",";
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << ",";
    }
    void decimalSeparator() {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        QCOMPARE(detectDecimalSeparator(locale), separator);
    }

    // A full start with settings and a valid start-up file: no message, the flags reset,
    // the image, band and passwords in place.
    void startsWithStartupFile() {
        ScopedDoubles doubles;
        doubles.settings.values["Language"] = "True";
        doubles.settings.values["ComPort"] = "12";
        QTemporaryDir dir;
        ImageBytes image = defaultImage();
        const auto vhf = modelRecord(true, 4);
        std::copy(vhf.begin(), vhf.end(), image.begin() + image::kModelRecord);
        SoftwareRecord record = defaultSoftwareRecord();
        record[0] = 'A';
        record[1] = 'B';
        QFile file(dir.filePath("Init.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(encodeDataFile(image, record).mid(data_file::kImageOffset));
        file.close();

        GlobalState& state = globalState();
        state.AppFolder = dir.path();
        state.ChannelPageOpen = state.OptionPageOpen = state.KeyPageOpen = true;
        state.ChannelEditOpen = state.TransferIsRead = state.LanguageChanged = true;
        state.ChannelGridStale = state.ChannelEditStale = state.ModelChanged = true;
        state.SpecialCodeAllowed = false;
        state.PageWindowState = 2;
        state.CurrentFilePath = QStringLiteral("/somewhere/old.rdat");
        state.CurrentFileName = QStringLiteral("old.rdat");
        state.InitFileName = QStringLiteral("/Other.dat");

        QVERIFY(runStartupWithoutWindow(state, QLocale(QLocale::German, QLocale::Germany)));

        QVERIFY(doubles.messages.shown.isEmpty());
        QVERIFY(doubles.settings.writes.isEmpty());
        QCOMPARE(state.DecimalSeparator, QStringLiteral(","));
        QVERIFY(state.EnglishMode);
        QCOMPARE(state.ComPortNumber, 12);
        QVERIFY(!state.ChannelPageOpen && !state.OptionPageOpen && !state.KeyPageOpen);
        QVERIFY(!state.ChannelEditOpen && !state.TransferIsRead && !state.LanguageChanged);
        QVERIFY(!state.ChannelGridStale && !state.ChannelEditStale && !state.ModelChanged);
        QVERIFY(state.SpecialCodeAllowed);
        QCOMPARE(state.PageWindowState, 0);
        QCOMPARE(state.CurrentFilePath, QString());
        QCOMPARE(state.CurrentFileName, QStringLiteral("new.rdat"));
        QCOMPARE(state.InitFileName, QStringLiteral("/Init.dat"));
        QVERIFY(state.RadioImage == image);
        QCOMPARE(state.BandName, QStringLiteral("VHF"));
        QCOMPARE(state.BandLowerMHz, 150);
        QCOMPARE(state.BandUpperMHz, 174);
        QCOMPARE(state.WorkingUpperMHz, 174);
        QCOMPARE(state.ProgramPassword, QStringLiteral("AB"));
        QCOMPARE(state.NewPassword, QString());
        QVERIFY(!state.NewPasswordPending);
    }

    // Without settings and with Init.dat missing or short: Chinese, COM1, the built-in
    // default image (UHF 400-480 MHz) and one error box naming the file.
    void startsWithBuiltInDefault_data() {
        QTest::addColumn<int>("size");  // -1: no file
        QTest::newRow("missing") << -1;
        QTest::newRow("short") << 1040;
        QTest::newRow("empty") << 0;
    }
    void startsWithBuiltInDefault() {
        QFETCH(int, size);
        ScopedDoubles doubles;
        QTemporaryDir dir;
        const QString path = dir.filePath("Init.dat");
        if (size >= 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(size, '\x00'));
        }
        GlobalState& state = globalState();
        state.AppFolder = dir.path();

        QVERIFY(!runStartupWithoutWindow(state, QLocale::c()));

        QCOMPARE(state.DecimalSeparator, QStringLiteral("."));
        QVERIFY(!state.EnglishMode);
        QCOMPARE(state.ComPortNumber, 1);
        QVERIFY(state.RadioImage == defaultImage());
        QVERIFY(state.SoftwareData == defaultSoftwareRecord());
        QCOMPARE(state.BandName, QStringLiteral("UHF"));
        QCOMPARE(state.BandLowerMHz, 400);
        QCOMPARE(state.BandUpperMHz, 480);
        QCOMPARE(doubles.messages.shown.size(), 1);
        QCOMPARE(doubles.messages.shown[0].icon, BoxIcon::Error);
        QVERIFY(doubles.messages.shown[0].text.contains(path));
        // The start-up file is never created or written.
        QCOMPARE(QFile::exists(path), size >= 0);
        if (size >= 0) QCOMPARE(QFileInfo(path).size(), qint64(size));
    }
};
KORVA_TEST(StartupTest);

#include "startup_test.moc"
