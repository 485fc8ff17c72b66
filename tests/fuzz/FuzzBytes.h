#ifndef VORLAN_TESTS_FUZZBYTES_H
#define VORLAN_TESTS_FUZZBYTES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// A fuzzer's input read as a stream of choices; zeros once it is used up.
class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : data(data), size(size) {}

    bool empty() const { return size == 0; }

    uint8_t byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }

    // A choice from 0 to count - 1.
    size_t pick(size_t count) { return byte() % count; }

    int32_t int32() { return static_cast<int32_t>(raw<uint32_t>()); }
    double float64() { return raw<double>(); }

    // Up to max bytes, as many as the next byte says.
    std::string text(size_t max) {
        std::string bytes;
        for (size_t n = pick(max + 1); n > 0 && size > 0; --n)
            bytes += static_cast<char>(byte());
        return bytes;
    }

private:
    template <typename T>
    T raw() {
        uint8_t bytes[sizeof(T)] = {};
        for (uint8_t& b : bytes)
            b = byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    const uint8_t* data;
    size_t size;
};

#endif
