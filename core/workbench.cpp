#include "core/workbench.h"

namespace {

// Used when no main window exists: keeps the derived state of the global image current.
class HeadlessWorkbench : public Workbench {
public:
    void AnalyseModel() override;
    void AnalyseSoftwareData() override;
};

HeadlessWorkbench headless;
Workbench* current = &headless;

}  // namespace

Workbench& workbench() { return *current; }
void setWorkbench(Workbench* impl) { current = impl ? impl : &headless; }

// Filled in by the core model and software-record code.
void HeadlessWorkbench::AnalyseModel() {}
void HeadlessWorkbench::AnalyseSoftwareData() {}
