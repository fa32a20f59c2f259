#include <QTest>

#include "core/global_state.h"
#include "support/doubles.h"
#include "support/test_registry.h"

class GlobalStateTest : public QObject {
    Q_OBJECT
private slots:
    void picksTextByLanguage() {
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        QCOMPARE(pick("Open", "打开"), QStringLiteral("Open"));
        globalState().EnglishMode = false;
        QCOMPARE(pick("Open", "打开"), QStringLiteral("打开"));
    }
};
KORVA_TEST(GlobalStateTest);

#include "smoke_test.moc"
