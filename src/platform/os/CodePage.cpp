#include "platform/os/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace os {
namespace {

// One iconv handle per direction and thread: a handle carries shift state and
// must not be shared between threads (the printer thread converts too).
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts in; an input sequence that cannot be converted is replaced by
    // "?" and skipped by skipLength(remaining input).
    template <typename Skip>
    QByteArray run(const QByteArray &in, Skip skipLength) const
    {
        QByteArray out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2 + 4);
        char buf[1024];
        char *src = const_cast<char *>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        while (srcLeft > 0) {
            char *dst = buf;
            size_t dstLeft = sizeof buf;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or truncated sequence.
            out.append('?');
            size_t skip = skipLength(reinterpret_cast<const unsigned char *>(src), srcLeft);
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t utf8SequenceLength(const unsigned char *p, size_t left)
{
    size_t len = 1;
    if (p[0] >= 0xF0)
        len = 4;
    else if (p[0] >= 0xE0)
        len = 3;
    else if (p[0] >= 0xC0)
        len = 2;
    return len <= left ? len : left;
}

size_t cp949SequenceLength(const unsigned char *p, size_t left)
{
    // A lead byte whose pair does not convert is dropped with its trail byte
    // only when that trail could belong to it; otherwise one byte at a time.
    if (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2 && p[1] >= 0x41)
        return 2;
    return 1;
}

} // namespace

QByteArray ToAnsi(const QString &text)
{
    thread_local Converter toCp949("CP949", "UTF-8");
    return toCp949.run(text.toUtf8(), utf8SequenceLength);
}

QString FromAnsi(const QByteArray &ansi)
{
    thread_local Converter fromCp949("UTF-8", "CP949");
    return QString::fromUtf8(fromCp949.run(ansi, cp949SequenceLength));
}

int AnsiCharLength(const QByteArray &ansi, qsizetype pos)
{
    const auto b = static_cast<unsigned char>(ansi.at(pos));
    return (b >= 0x81 && b <= 0xFE && pos + 1 < ansi.size()) ? 2 : 1;
}

QByteArray CutAnsi(const QByteArray &ansi, qsizetype n)
{
    if (n <= 0)
        return {};
    if (ansi.size() <= n)
        return ansi;
    qsizetype pos = 0;
    while (pos < ansi.size()) {
        const int len = AnsiCharLength(ansi, pos);
        if (pos + len > n)
            break;
        pos += len;
    }
    return ansi.left(pos);
}

} // namespace os
