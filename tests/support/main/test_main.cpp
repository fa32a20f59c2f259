// Entry point of every test executable: runs all test classes registered in the area.
#include "support/test_registry.h"

#ifdef KORVA_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    TestApplication app(argc, argv);
    return korvatest::runAll(argc, argv);
}
