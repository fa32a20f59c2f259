#pragma once
// Small helpers shared by the fuzz targets: a reader that takes typed values from the
// fuzzer's byte string, and a check that stops the run with a message when a property of
// the product does not hold (independent of NDEBUG, so it works in every build type).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define KORVA_FUZZ_CHECK(condition, ...)                                          \
    do {                                                                          \
        if (!(condition)) {                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                             \
            std::fprintf(stderr, "" __VA_ARGS__);                                 \
            std::fprintf(stderr, "\n");                                           \
            std::abort();                                                         \
        }                                                                         \
    } while (false)

// Takes values from the front of the fuzzer's input; once it runs dry every value is 0.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return size_ == 0; }
    size_t remaining() const { return size_; }

    uint8_t byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    // A number 0..limit-1 from one byte (limit at most 256).
    int below(int limit) { return limit <= 1 ? 0 : byte() % limit; }
    // Up to n bytes; fewer when the input runs dry.
    const uint8_t* take(size_t n, size_t* taken) {
        *taken = n < size_ ? n : size_;
        const uint8_t* start = data_;
        data_ += *taken;
        size_ -= *taken;
        return start;
    }

private:
    const uint8_t* data_;
    size_t size_;
};
