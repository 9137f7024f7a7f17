// Values written as their bytes and read back in the same order, strings with their length
// first: for files and data a program writes for itself (kept fonts, a parsed description).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

// Appends values as their bytes, strings with their length first.
class TByteWriter {
public:
    template <class T>
    requires std::is_arithmetic_v<T>
    void operator()(const T& value) { FBytes.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void operator()(const std::string& text) {
        (*this)(static_cast<uint32_t>(text.size()));
        FBytes += text;
    }
    void Bytes(const void* data, std::size_t count) { FBytes.append(static_cast<const char*>(data), count); }
    std::string& Result() { return FBytes; }

private:
    std::string FBytes;
};

// Takes them back in the same order. A read past the end, a length beyond what remains or
// a truth value other than 0 or 1 fails the reader, and every read after it yields zero.
class TByteReader {
public:
    explicit TByteReader(std::string_view bytes) : FRest(bytes) {}
    template <class T>
    requires(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) void operator()(T& value) {
        value = T{};
        Take(&value, sizeof value);
    }
    void operator()(bool& value);
    void operator()(std::string& text);
    // The next count bytes, or an empty view (and a failed reader) when fewer remain.
    std::string_view View(std::size_t count);
    bool Failed() const { return FFailed; }
    bool AtEnd() const { return !FFailed && FRest.empty(); }
    std::size_t Left() const { return FRest.size(); }

private:
    bool Take(void* out, std::size_t count);
    std::string_view FRest;
    bool FFailed = false;
};

inline void TByteReader::operator()(bool& value) {
    uint8_t byte = 0;
    Take(&byte, 1);
    if (byte > 1) FFailed = true;
    value = byte == 1 && !FFailed;
}

inline void TByteReader::operator()(std::string& text) {
    uint32_t count = 0;
    (*this)(count);
    text = std::string(View(count));
}

inline std::string_view TByteReader::View(std::size_t count) {
    if (FFailed || count > FRest.size()) {
        FFailed = true;
        return {};
    }
    const std::string_view taken = FRest.substr(0, count);
    FRest.remove_prefix(count);
    return taken;
}

inline bool TByteReader::Take(void* out, std::size_t count) {
    const std::string_view taken = View(count);
    if (FFailed) return false;
    std::memcpy(out, taken.data(), count);
    return true;
}
