// korva-radio-sim: a KORVA-77 radio on a pseudo-terminal, for trying and testing the
// programming link without a radio. It prints the device to open, holds a 1024-byte
// memory, answers program-mode entry, identification, read and write frames and 'E', and
// can inject faults and pace its bytes at 9600 baud. Run with --help for the options.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/default_image.h"
#include "core/radio_image.h"

namespace {

using Clock = std::chrono::steady_clock;
using Memory = std::array<uint8_t, 1024>;

// One byte on a 9600-baud 8N1 line: a start bit, 8 data bits and a stop bit.
constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kEnd = 'E';
constexpr uint8_t kRead = 'R';
constexpr uint8_t kWrite = 'W';
constexpr char kEntry[] = "QLAV462";
constexpr size_t kEntrySize = 7;
constexpr char kSignature[] = "KORVA-77Ver1.0.2";

struct Options {
    std::string imagePath;
    bool sampleChannels = false;
    std::optional<uint8_t> model;  // identification byte 1; default: memory byte 441
    bool special = true;
    bool silent = false;
    int naks = 0;
    int dropAfter = -1;   // leave the block frame after the first N unanswered, once
    int wrongBlock = -1;  // the data block of this block frame carries wrongAddress, once
    int wrongAddress = 0;
    int hangupAfter = -1;  // close the line when block frame N + 1 arrives
    bool paced = false;
    std::string dumpPath;
    int exitAfter = 0;  // transfers ended with 'E' before exiting; 0 = run until stopped
    std::string linkPath;
    bool verbose = false;
};

void usage(FILE* out) {
    std::fputs(
        "usage: korva-radio-sim [options]\n"
        "A KORVA-77 radio on a pseudo-terminal. Prints the device path on the first line of\n"
        "standard output; point a port at it ([Ports] COM1=<path>) and read or write.\n"
        "\n"
        "  --image FILE          start with the memory of a data file (.rdat) or start-up\n"
        "                        file (Init.dat); default: the factory default image\n"
        "  --sample              put four sample channels into the memory\n"
        "  --vhf | --uhf         identify as a VHF or UHF radio (default: memory byte 441)\n"
        "  --no-special          identify without the special CDCSS code (byte 3 = '0')\n"
        "  --silent              never answer\n"
        "  --nak K               refuse the first K entry frames with 0x15\n"
        "  --drop-after N        answer N block frames, leave the next unanswered (once)\n"
        "  --wrong-address N:A   the data block for block frame N carries address A (hex,\n"
        "                        once)\n"
        "  --hangup-after N      answer N block frames, then close the line like a pulled\n"
        "                        cable and exit\n"
        "  --paced               take and give bytes at 9600 baud (1.04 ms a byte)\n"
        "  --dump FILE           write the memory to FILE on exit (1024 bytes; a name\n"
        "                        ending in .rdat gets a data file)\n"
        "  --exit-after K        exit once K transfers have ended with 'E'\n"
        "  --link PATH           also make PATH a symbolic link to the device\n"
        "  --verbose             log every frame on standard error\n"
        "Block frames are counted from 1 after each program-mode entry. SIGINT or SIGTERM\n"
        "ends the simulator (and writes the dump).\n",
        out);
}

bool parseInt(const char* text, int* value, int base = 10) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, base);
    if (errno || end == text || *end) return false;
    *value = static_cast<int>(parsed);
    return true;
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "korva-radio-sim: %s needs a value\n", arg.c_str());
                return nullptr;
            }
            return argv[++i];
        };
        auto number = [&](int* out) {
            const char* text = value();
            if (!text) return false;
            if (parseInt(text, out) && *out >= 0) return true;
            std::fprintf(stderr, "korva-radio-sim: %s: not a number: %s\n", arg.c_str(), text);
            return false;
        };
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            std::exit(0);
        } else if (arg == "--image") {
            const char* text = value();
            if (!text) return std::nullopt;
            options.imagePath = text;
        } else if (arg == "--sample") {
            options.sampleChannels = true;
        } else if (arg == "--vhf") {
            options.model = image::kModelVhf;
        } else if (arg == "--uhf") {
            options.model = image::kModelUhf;
        } else if (arg == "--no-special") {
            options.special = false;
        } else if (arg == "--silent") {
            options.silent = true;
        } else if (arg == "--nak") {
            if (!number(&options.naks)) return std::nullopt;
        } else if (arg == "--drop-after") {
            if (!number(&options.dropAfter)) return std::nullopt;
        } else if (arg == "--hangup-after") {
            if (!number(&options.hangupAfter)) return std::nullopt;
        } else if (arg == "--exit-after") {
            if (!number(&options.exitAfter)) return std::nullopt;
        } else if (arg == "--wrong-address") {
            const char* text = value();
            if (!text) return std::nullopt;
            const std::string argument = text;
            const size_t colon = argument.find(':');
            if (colon == std::string::npos ||
                !parseInt(argument.substr(0, colon).c_str(), &options.wrongBlock) ||
                !parseInt(argument.substr(colon + 1).c_str(), &options.wrongAddress, 16) ||
                options.wrongBlock < 1 || options.wrongAddress < 0 ||
                options.wrongAddress > 0xFFFF) {
                std::fprintf(stderr, "korva-radio-sim: --wrong-address wants N:ADDR, e.g. 3:3F8\n");
                return std::nullopt;
            }
        } else if (arg == "--paced") {
            options.paced = true;
        } else if (arg == "--dump") {
            const char* text = value();
            if (!text) return std::nullopt;
            options.dumpPath = text;
        } else if (arg == "--link") {
            const char* text = value();
            if (!text) return std::nullopt;
            options.linkPath = text;
        } else if (arg == "--verbose" || arg == "-v") {
            options.verbose = true;
        } else {
            std::fprintf(stderr, "korva-radio-sim: unknown option %s (see --help)\n", arg.c_str());
            return std::nullopt;
        }
    }
    return options;
}

// Four channels on 462.550, 462.575, 462.600 and 462.625 MHz, wide, high power.
void addSampleChannels(Memory& memory) {
    const uint8_t lows[] = {0x50, 0x75, 0x00, 0x25};
    const uint8_t highs[] = {0x25, 0x25, 0x26, 0x26};
    for (int n = 0; n < 4; ++n) {
        uint8_t* record = memory.data() + image::channelOffset(n + 1);
        const uint8_t frequency[4] = {0x00, lows[n], highs[n], 0x46};
        std::copy(frequency, frequency + 4, record);
        std::copy(frequency, frequency + 4, record + 4);
        std::fill(record + 8, record + 12, 0xFF);
        record[12] = 0x08;
        record[13] = 0x01;
    }
}

bool loadMemory(const std::string& path, Memory& memory) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "korva-radio-sim: %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    size_t offset = 0;
    if (bytes.size() >= 1057 && std::equal(kSignature, kSignature + 8, bytes.begin())) {
        offset = 16;
    } else if (bytes.size() < 1024) {
        std::fprintf(stderr,
                     "korva-radio-sim: %s: %zu bytes, neither a data file (1057) nor a "
                     "start-up file (1041)\n",
                     path.c_str(), bytes.size());
        return false;
    }
    std::copy(bytes.begin() + static_cast<long>(offset),
              bytes.begin() + static_cast<long>(offset + 1024), memory.begin());
    return true;
}

bool dumpMemory(const std::string& path, const Memory& memory) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const bool dataFile = path.size() >= 5 && path.compare(path.size() - 5, 5, ".rdat") == 0;
    if (dataFile) file.write(kSignature, 16);
    file.write(reinterpret_cast<const char*>(memory.data()), 1024);
    if (dataFile) {
        const std::string record(17, '\xFF');
        file.write(record.data(), 17);
    }
    file.close();
    if (!file) {
        std::fprintf(stderr, "korva-radio-sim: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The radio's side of the protocol, byte by byte.
class Radio {
public:
    Radio(const Options& options, Memory& memory) : options_(options), memory_(memory) {
        naksLeft_ = options.naks;
    }

    // Takes one byte from the programmer; appends any answer to `reply`.
    void receive(uint8_t byte, std::vector<uint8_t>& reply) {
        if (frame_.empty()) {
            recent_.push_back(static_cast<char>(byte));
            if (recent_.size() > kEntrySize) recent_.erase(recent_.begin());
            if (recent_ == std::string(kEntry, kEntrySize)) {
                recent_.clear();
                entry(reply);
                return;
            }
        }
        switch (mode_) {
            case Mode::Idle:
                break;
            case Mode::Entered:
                if (byte == kIdentify) {
                    log("<- 0x02, -> identification");
                    if (!options_.silent) {
                        const uint8_t model = options_.model.value_or(memory_[image::kModelByte]);
                        const uint8_t id[8] = {
                            0x50, model,
                            0x32, static_cast<uint8_t>(options_.special ? '1' : '0'),
                            0x37, memory_[image::kBandCode],
                            0xF8, 0xFF};
                        send(reply, id, 8);
                    }
                    mode_ = Mode::Identified;
                }
                break;
            case Mode::Identified:
                if (byte == kAck) {
                    log("<- ACK: programming mode");
                    sendAck(reply);
                    mode_ = Mode::Programming;
                    blocks_ = 0;
                } else if (byte == kEnd) {
                    log("<- E: refused");
                    mode_ = Mode::Idle;
                }
                break;
            case Mode::Programming:
                programming(byte, reply);
                break;
        }
    }

    bool hangupRequested() const { return hangup_; }
    int transfersEnded() const { return transfers_; }

private:
    enum class Mode { Idle, Entered, Identified, Programming };

    void entry(std::vector<uint8_t>& reply) {
        frame_.clear();
        if (options_.silent) {
            log("<- entry frame (silent)");
            return;
        }
        if (naksLeft_ > 0) {
            --naksLeft_;
            log("<- entry frame, -> NAK");
            reply.push_back(kNak);
            mode_ = Mode::Idle;
            return;
        }
        log("<- entry frame, -> ACK");
        sendAck(reply);
        mode_ = Mode::Entered;
    }

    void programming(uint8_t byte, std::vector<uint8_t>& reply) {
        if (frame_.empty()) {
            if (byte == kAck) {
                sendAck(reply);
                return;
            }
            if (byte == kEnd) {
                ++transfers_;
                log("<- E: end of programming");
                mode_ = Mode::Idle;
                return;
            }
            if (byte != kRead && byte != kWrite) return;  // noise
        }
        frame_.push_back(byte);
        const size_t size = frame_[0] == kRead ? 4 : 20;
        if (frame_.size() < size) return;
        const std::vector<uint8_t> frame = std::move(frame_);
        frame_.clear();
        const int address = frame[1] * 256 + frame[2];
        const int block = ++blocks_;
        if (options_.hangupAfter >= 0 && block == options_.hangupAfter + 1 && !hangupDone_) {
            hangupDone_ = true;
            hangup_ = true;
            log("block frame %d: hanging up", block);
            return;
        }
        if (frame[0] == kWrite) {
            for (int j = 0; j < 16; ++j)
                if (address + j < 1024) memory_[static_cast<size_t>(address + j)] = frame[4 + j];
        }
        if (options_.dropAfter >= 0 && block == options_.dropAfter + 1 && !dropDone_) {
            dropDone_ = true;
            log("<- %c 0x%03X (block frame %d): no reply", frame[0], address, block);
            return;
        }
        if (frame[0] == kWrite) {
            log("<- W 0x%03X, -> ACK", address);
            sendAck(reply);
            return;
        }
        int carried = address;
        if (block == options_.wrongBlock && !wrongDone_) {
            wrongDone_ = true;
            carried = options_.wrongAddress;
        }
        log("<- R 0x%03X, -> W 0x%03X", address, carried);
        uint8_t data[20] = {kWrite, static_cast<uint8_t>(carried >> 8),
                            static_cast<uint8_t>(carried & 0xFF), 0x10};
        for (int j = 0; j < 16; ++j)
            data[4 + j] = address + j < 1024 ? memory_[static_cast<size_t>(address + j)] : 0xFF;
        send(reply, data, 20);
    }

    void sendAck(std::vector<uint8_t>& reply) {
        if (!options_.silent) reply.push_back(kAck);
    }
    void send(std::vector<uint8_t>& reply, const uint8_t* bytes, size_t size) {
        reply.insert(reply.end(), bytes, bytes + size);
    }

    template <typename... Args>
    void log(const char* format, Args... args) {
        if (!options_.verbose) return;
        std::fprintf(stderr, "korva-radio-sim: ");
        if constexpr (sizeof...(Args) == 0)
            std::fputs(format, stderr);
        else
            std::fprintf(stderr, format, args...);
        std::fputc('\n', stderr);
    }

    const Options& options_;
    Memory& memory_;
    Mode mode_ = Mode::Idle;
    std::string recent_;
    std::vector<uint8_t> frame_;
    int naksLeft_ = 0;
    int blocks_ = 0;
    int transfers_ = 0;
    bool dropDone_ = false;
    bool wrongDone_ = false;
    bool hangupDone_ = false;
    bool hangup_ = false;
};

volatile sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

struct Timed {
    Clock::time_point at;
    uint8_t byte;
};

}  // namespace

int main(int argc, char** argv) {
    // A simulator whose test, benchmark or demo died ends with it instead of lingering.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) return 0;

    const std::optional<Options> parsed = parseOptions(argc, argv);
    if (!parsed) return 2;
    const Options& options = *parsed;

    Memory memory = defaultImage();
    if (!options.imagePath.empty() && !loadMemory(options.imagePath, memory)) return 1;
    if (options.sampleChannels) addSampleChannels(memory);

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::fprintf(stderr, "korva-radio-sim: no pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    const std::string device = ptsname(master);
    // The simulator keeps the device open itself, so the line stays up between the
    // programmer's opens, and makes it raw before anyone else opens it.
    const int slave = open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        std::fprintf(stderr, "korva-radio-sim: %s: %s\n", device.c_str(), std::strerror(errno));
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    tcsetattr(slave, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    if (!options.linkPath.empty()) {
        unlink(options.linkPath.c_str());
        if (symlink(device.c_str(), options.linkPath.c_str()) != 0)
            std::fprintf(stderr, "korva-radio-sim: %s: %s\n", options.linkPath.c_str(),
                         std::strerror(errno));
    }

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    sigset_t blocked, waiting;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &waiting);

    std::printf("%s\n", device.c_str());
    std::fflush(stdout);
    std::fprintf(
        stderr, "korva-radio-sim: radio on %s (%s%s)\n", device.c_str(),
        options.model.value_or(memory[image::kModelByte]) == image::kModelVhf ? "VHF" : "UHF",
        options.paced ? ", 9600-baud pacing" : "");

    // Wake up on time for each paced byte rather than within the default 50 us of slack.
    if (options.paced) prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

    Radio radio(options, memory);
    std::deque<Timed> incoming;  // bytes from the programmer, due when fully on the line
    std::deque<Timed> outgoing;  // answers, due when fully on the line
    Clock::time_point rxLineFree = Clock::now();
    Clock::time_point txLineFree = Clock::now();
    int status = 0;

    while (!stopRequested) {
        Clock::time_point now = Clock::now();
        // Deliver the programmer's bytes that have arrived by now.
        std::vector<uint8_t> reply;
        while (!incoming.empty() && incoming.front().at <= now) {
            radio.receive(incoming.front().byte, reply);
            incoming.pop_front();
            if (radio.hangupRequested()) break;
        }
        if (radio.hangupRequested()) {
            std::fprintf(stderr, "korva-radio-sim: line closed (pulled cable)\n");
            break;
        }
        for (const uint8_t byte : reply) {
            if (options.paced) {
                txLineFree = std::max(now, txLineFree) + kByteTime;
                outgoing.push_back({txLineFree, byte});
            } else {
                outgoing.push_back({now, byte});
            }
        }
        // Send the answers whose time has come.
        std::vector<uint8_t> due;
        for (const Timed& item : outgoing) {
            if (item.at > now) break;
            due.push_back(item.byte);
        }
        if (!due.empty()) {
            const ssize_t written = ::write(master, due.data(), due.size());
            if (written > 0) outgoing.erase(outgoing.begin(), outgoing.begin() + written);
        }
        if (options.exitAfter > 0 && radio.transfersEnded() >= options.exitAfter &&
            outgoing.empty())
            break;

        // Sleep until the next byte is due or the programmer writes.
        Clock::time_point next = now + std::chrono::seconds(1);
        if (!incoming.empty()) next = std::min(next, incoming.front().at);
        if (!outgoing.empty()) next = std::min(next, outgoing.front().at);
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::max(next - Clock::now(), Clock::duration::zero()));
        timespec timeout{static_cast<time_t>(wait.count() / 1'000'000'000),
                         static_cast<long>(wait.count() % 1'000'000'000)};
        pollfd fd{master, POLLIN, 0};
        const int ready = ppoll(&fd, 1, &timeout, &waiting);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "korva-radio-sim: poll: %s\n", std::strerror(errno));
            status = 1;
            break;
        }
        if (ready > 0 && (fd.revents & POLLIN)) {
            uint8_t buffer[256];
            const ssize_t got = ::read(master, buffer, sizeof buffer);
            now = Clock::now();
            for (ssize_t i = 0; i < got; ++i) {
                if (options.paced) {
                    rxLineFree = std::max(now, rxLineFree) + kByteTime;
                    incoming.push_back({rxLineFree, buffer[i]});
                } else {
                    incoming.push_back({now, buffer[i]});
                }
            }
        }
    }

    close(slave);
    close(master);
    if (!options.linkPath.empty()) unlink(options.linkPath.c_str());
    if (!options.dumpPath.empty() && !dumpMemory(options.dumpPath, memory)) status = 1;
    return status;
}
