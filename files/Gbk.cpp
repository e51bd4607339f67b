#include "files/Gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// One conversion descriptor per call, closed on every path.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

bool utf8ToGbk(std::string_view text, std::string& out, std::string* bad) {
    out.clear();
    if (bad) bad->clear();
    Converter conv("GBK", "UTF-8");
    if (!conv.ok()) return false;
    out.resize(text.size() * 2 + 4);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(conv.get(), &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        if (bad) {
            const size_t n = std::min(utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
            bad->assign(in, n);
        }
        return false;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return true;
}

std::string gbkToUtf8(std::string_view text) {
    Converter conv("UTF-8", "GBK");
    std::string out;
    if (!conv.ok()) return std::string(text);
    out.resize(text.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    static constexpr char kReplacement[] = "\xEF\xBF\xBD";
    while (inLeft > 0) {
        if (iconv(conv.get(), &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG || outLeft < 3) {
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2 + 8);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or a sequence cut at the end: one replacement character per bad byte.
        for (int i = 0; i < 3; ++i)
            *dst++ = kReplacement[i];
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
}
