#pragma once
// Registration of Qt Test classes so that one executable per area runs all of its classes.
#include <QObject>

namespace korvatest {

using Factory = QObject* (*)();

int registerTest(const char* name, Factory factory);
int runAll(int argc, char** argv);

}  // namespace korvatest

// Registers a QObject test class with the area's executable. Use once per class, at file
// scope, after the class definition (before the moc include).
#define KORVA_TEST(Class)                                                       \
    static const int korva_registered_##Class = korvatest::registerTest(        \
        #Class, []() -> QObject* { return new Class; })
