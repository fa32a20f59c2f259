#include "support/test_registry.h"

#include <QByteArray>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

namespace korvatest {
namespace {
std::vector<std::pair<const char*, Factory>>& registry() {
    static std::vector<std::pair<const char*, Factory>> tests;
    return tests;
}
}  // namespace

int registerTest(const char* name, Factory factory) {
    registry().emplace_back(name, factory);
    return static_cast<int>(registry().size());
}

// Runs every registered class. An optional first argument that names a class runs only
// that class; the remaining arguments go to Qt Test (test function names, -v2, ...).
int runAll(int argc, char** argv) {
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (argc > 1 && argv[1][0] != '-') {
        for (const auto& entry : registry()) {
            if (qstrcmp(entry.first, argv[1]) == 0) {
                only = argv[1];
                args.erase(args.begin() + 1);
                break;
            }
        }
    }
    int failed = 0;
    for (const auto& entry : registry()) {
        if (only && qstrcmp(entry.first, only) != 0) continue;
        std::unique_ptr<QObject> test(entry.second());
        failed += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace korvatest
