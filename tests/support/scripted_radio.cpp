#include "support/scripted_radio.h"

using namespace radiolink;

namespace {
char ch(int value) { return static_cast<char>(value & 0xFF); }
int addressOf(const QByteArray& frame) {
    return static_cast<uint8_t>(frame[1]) * 256 + static_cast<uint8_t>(frame[2]);
}
}  // namespace

QByteArray entryFrame() { return QByteArray("QLAV462", 7); }

QByteArray readRequest(int address) {
    QByteArray frame;
    frame.append(ch(kReadRequest)).append(ch(address >> 8)).append(ch(address)).append(ch(16));
    return frame;
}

QByteArray dataBlock(int address, const uint8_t* bytes) {
    QByteArray frame;
    frame.append(ch(kDataBlock)).append(ch(address >> 8)).append(ch(address)).append(ch(16));
    frame.append(reinterpret_cast<const char*>(bytes), 16);
    return frame;
}

QByteArray ScriptedRadio::answer(const QByteArray& frame) {
    if (frame.isEmpty() || silent) {
        if (frame == entryFrame()) ++entryFrames;
        return {};
    }
    if (frame == entryFrame()) {
        ++entryFrames;
        if (naks > 0) {
            --naks;
            return QByteArray(1, ch(0x15));
        }
        return QByteArray(1, ch(kAck)) + extraAfterEntryAck;
    }
    const uint8_t first = static_cast<uint8_t>(frame[0]);
    if (frame.size() == 1 && first == kIdentify)
        return QByteArray::fromRawData("\x50", 1) + ch(model) + ch(0x32) + ch(special) + ch(0x37) +
               ch(0x93) + ch(0xF8) + ch(0xFF);
    if (frame.size() == 1 && first == kAck) return QByteArray(1, ch(kAck));
    if (frame.size() == kReadRequestSize && first == kReadRequest) {
        const int n = blockFrames++;
        const int address = addressOf(frame);
        readRequests << address;
        if (n == dropBlock) {
            dropBlock = -1;
            return {};
        }
        uint8_t bytes[16];
        for (int j = 0; j < 16; ++j) bytes[j] = memory[(address + j) % 1024];
        return dataBlock(wrongAddress.value(n, address), bytes);
    }
    if (frame.size() == kBlockFrameSize && first == kDataBlock) {
        const int n = blockFrames++;
        const int address = addressOf(frame);
        writeBlocks << address;
        for (int j = 0; j < 16; ++j)
            memory[(address + j) % 1024] = static_cast<uint8_t>(frame[kBlockHeaderSize + j]);
        if (n == dropBlock) {
            dropBlock = -1;
            return {};
        }
        return QByteArray(1, ch(kAck));
    }
    return {};
}

bool ScriptedPort::open() {
    ++opens;
    opened = openSucceeds;
    return opened;
}

void ScriptedPort::write(const QByteArray& bytes) {
    if (!opened) return;
    written << bytes;
    input += radio.answer(bytes);
}

QByteArray ScriptedPort::readAll() {
    const QByteArray all = input;
    input.clear();
    return all;
}

int ScriptedPort::pump() {
    int events = 0;
    while (opened && threshold > 0 && input.size() >= threshold && listener) {
        listener->receiveEvent(kReceiveData);
        ++events;
    }
    return events;
}

int LinkBench::run(int maxTicks) {
    port.pump();
    int ticks = 0;
    while (timer.running && host.finished.isEmpty() && ticks < maxTicks) {
        tick();
        ++ticks;
    }
    return ticks;
}

void LinkBench::tick() {
    timer.running = false;
    link.timerTick();
    port.pump();
}
