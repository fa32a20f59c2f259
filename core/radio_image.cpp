#include "core/radio_image.h"

#include <iterator>

namespace {

constexpr Band kBands[] = {
    {true, 1, 136, 174, "136-174MHz", 0},    {true, 2, 134, 176, "134-176MHz", 1},
    {true, 3, 136, 150, "136-150MHz", 2},    {true, 4, 150, 174, "150-174MHz", 3},
    {false, 83, 350, 370, "350-370MHz", 0},  {false, 99, 370, 390, "370-390MHz", 1},
    {false, 67, 400, 430, "400-430MHz", 2},  {false, 51, 440, 480, "440-480MHz", 3},
    {false, 33, 450, 530, "450-530MHz", 4},  {false, 115, 400, 520, "400-520MHz", 5},
    {false, 131, 490, 512, "490-512MHz", 6}, {false, 147, 400, 480, "400-480MHz", 7},
};

}  // namespace

const Band* bandTable(int* count) {
    if (count) *count = static_cast<int>(std::size(kBands));
    return kBands;
}

std::optional<Band> findBand(bool vhf, uint8_t code) {
    for (const Band& band : kBands)
        if (band.vhf == vhf && band.code == code) return band;
    return std::nullopt;
}

std::optional<Band> bandAtPosition(bool vhf, int position) {
    for (const Band& band : kBands)
        if (band.vhf == vhf && band.position == position) return band;
    return std::nullopt;
}

QStringList bandTexts(bool vhf) {
    QStringList texts;
    for (const Band& band : kBands)
        if (band.vhf == vhf) texts << QString::fromLatin1(band.text);
    return texts;
}

std::array<uint8_t, image::kModelRecordSize> modelRecord(bool vhf, uint8_t code) {
    return {0x50, vhf ? image::kModelVhf : image::kModelUhf, 0x32, 0x30, 0x37, code, 0xF8, 0xFF};
}

void analyseModel(GlobalState& state) {
    const bool vhf = state.RadioImage[image::kModelByte] == image::kModelVhf;
    state.BandName = vhf ? QStringLiteral("VHF") : QStringLiteral("UHF");
    if (const auto band = findBand(vhf, state.RadioImage[image::kBandCode])) {
        state.BandLowerMHz = band->lowerMHz;
        state.BandUpperMHz = band->upperMHz;
        state.WorkingUpperMHz = band->upperMHz;
    }
}

void applyWorkingLimitAfterRead(GlobalState& state) {
    if (state.RadioImage[image::kExtensionOption] == 1 && state.BandLowerMHz == 400)
        state.WorkingUpperMHz = 520;
}

ModelBytes modelBytesFromLimits(int lowerMHz, int upperMHz) {
    const uint8_t vhf = image::kModelVhf;
    if (upperMHz == 174 && lowerMHz == 136) return {vhf, 1};
    if (upperMHz == 174 && lowerMHz == 150) return {vhf, 4};
    if (upperMHz == 150) return {vhf, 3};
    if (upperMHz == 176) return {vhf, 2};
    const uint8_t uhf = image::kModelUhf;
    if (upperMHz == 370) return {uhf, 83};
    if (upperMHz == 390) return {uhf, 99};
    if (upperMHz == 430) return {uhf, 67};
    if (upperMHz == 520 && lowerMHz == 400) return {uhf, 115};
    if (upperMHz == 480 && lowerMHz == 400) return {uhf, 147};
    if (upperMHz == 480) return {uhf, 51};
    if (upperMHz == 530) return {uhf, 33};
    return {uhf, 131};
}
