// Any byte string as a data file and as the start-up file, followed by every reload that
// runs over a loaded image: model identification.
#include <algorithm>
#include <cstring>

#include "core/global_state.h"
#include "core/radio_image.h"
#include "fuzz_support.h"

namespace {

void reloadEverything(GlobalState& state) {
    analyseModel(state);
    applyWorkingLimitAfterRead(state);
    KORVA_FUZZ_CHECK(state.BandName == "VHF" || state.BandName == "UHF");
    KORVA_FUZZ_CHECK(state.BandLowerMHz <= state.BandUpperMHz);
    KORVA_FUZZ_CHECK(state.BandUpperMHz <= state.WorkingUpperMHz);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GlobalState state;
    std::memcpy(state.RadioImage.data(), data, std::min(size, state.RadioImage.size()));
    reloadEverything(state);
    return 0;
}
