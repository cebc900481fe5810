#include "base/Cp932.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One descriptor per thread and direction: iconv_open is far dearer than a
// conversion, and a descriptor must not be shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts in; an input sequence that fails is skipped by skipUnit(...)
    // bytes and replaced by `replacement`, and clears complete.
    template <typename SkipUnit>
    std::string run(std::string_view in, std::string_view replacement, SkipUnit skipUnit, bool& complete) {
        complete = true;
        std::string out;
        if (!ok()) return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2 + 4);
        char buf[1024];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: an invalid or cut-off sequence.
            size_t skip = skipUnit(reinterpret_cast<const unsigned char*>(src), srcLeft);
            src += skip;
            srcLeft -= skip;
            out.append(replacement);
            complete = false;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t Utf8Unit(const unsigned char* p, size_t left) {
    size_t n = 1;
    if (p[0] >= 0xF0) n = 4;
    else if (p[0] >= 0xE0) n = 3;
    else if (p[0] >= 0xC0) n = 2;
    for (size_t i = 1; i < n && i < left; ++i)
        if ((p[i] & 0xC0) != 0x80) return i;
    return n < left ? n : left;
}

size_t SingleByte(const unsigned char*, size_t) { return 1; }

}  // namespace

std::string Cp932::FromUtf8(std::string_view utf8) {
    bool complete = true;
    return FromUtf8(utf8, complete);
}

std::string Cp932::FromUtf8(std::string_view utf8, bool& complete) {
    thread_local Converter conv("CP932", "UTF-8");
    return conv.run(utf8, "?", Utf8Unit, complete);
}

std::string Cp932::ToUtf8(std::string_view cp932) {
    thread_local Converter conv("UTF-8", "CP932");
    bool complete = true;
    return conv.run(cp932, "\xEF\xBF\xBD", SingleByte, complete);
}
