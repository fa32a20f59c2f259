#include "core/default_image.h"

#include "core/radio_image.h"

namespace {

constexpr uint8_t kErased = 0xFF;
constexpr uint8_t kDefaultBandCode = 147;  // 400-480 MHz

ImageBytes buildDefaultImage() {
    ImageBytes bytes;
    // Unprogrammed memory reads 0xFF: every channel record erased (an empty channel),
    // every tone "none", no programming password at 0x2F0.
    bytes.fill(kErased);

    // Scan list: no channel is in it, as none holds a frequency.
    bytes[image::kScanAddBits] = 0x00;
    bytes[image::kScanAddBits + 1] = 0x00;

    // Function setup: every byte of the region holds a value its control accepts.
    for (int i = image::kFunctionFirst; i <= image::kFunctionLast; ++i) bytes[i] = 0x00;
    bytes[image::kCallResponse] = 0;                                          // off
    bytes[image::kVoxCancel] = 0;                                             // no
    bytes[image::kSquelchTail] = 0;                                           // off
    bytes[image::kMicNoiseReduction] = 0;                                     // through
    bytes[image::kAlertLock] = 1;                                             // not locked
    bytes[image::kResetAllowed] = 1;                                          // yes
    bytes[image::kExtensionOption] = 0;                                       // off
    bytes[image::kFunctionFlags] = image::kBatterySaveBit | image::kBeepBit;  // voice off
    bytes[image::kTimeOutTimer] = 12;                                         // 180 s
    bytes[image::kTimeOutWarning] = 0;                                        // off
    bytes[image::kKeyAssignment] = 0x21;  // PF1 monitor, PF2 scan
    bytes[image::kSquelchLevel] = 3;
    bytes[image::kVoxLevel] = 0x30;     // VOX level off, delay 1.0 s
    bytes[image::kAlertMethod] = 0x40;  // local
    bytes[image::kInfraredBank] = 0x00;
    bytes[image::kInfraredHundreds] = 1;
    bytes[image::kInfraredTensUnits] = 0x11;

    const auto record = modelRecord(false, kDefaultBandCode);
    for (int i = 0; i < image::kModelRecordSize; ++i) bytes[image::kModelRecord + i] = record[i];
    return bytes;
}

}  // namespace

const ImageBytes& defaultImage() {
    static const ImageBytes bytes = buildDefaultImage();
    return bytes;
}

const SoftwareRecord& defaultSoftwareRecord() {
    // No password, no new password pending.
    static const SoftwareRecord record = [] {
        SoftwareRecord r;
        r.fill(kErased);
        return r;
    }();
    return record;
}

QByteArray defaultInitFileBytes() {
    QByteArray bytes;
    bytes.reserve(int(defaultImage().size() + defaultSoftwareRecord().size()));
    bytes.append(reinterpret_cast<const char*>(defaultImage().data()), int(defaultImage().size()));
    bytes.append(reinterpret_cast<const char*>(defaultSoftwareRecord().data()),
                 int(defaultSoftwareRecord().size()));
    return bytes;
}
