#include "core/workbench.h"

#include "core/data_files.h"
#include "core/global_state.h"
#include "core/radio_image.h"

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

void HeadlessWorkbench::AnalyseModel() { analyseModel(globalState()); }

void HeadlessWorkbench::AnalyseSoftwareData() { analyseSoftwareData(globalState()); }
