#pragma once
// What the fuzz targets do with one input; the ordinary test that replays the
// seed corpus runs the same code, so a seed that once broke the server keeps
// being tried in every build.

#include "Dispatcher.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace fuzz {

// Decodes the bytes as a request and as an answer; whatever decodes must
// survive a round trip through the encoder unchanged.
inline void decodeBytes(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const wire::Request r = wire::decodeRequest(bytes);
        const wire::Request again = wire::decodeRequest(wire::encodeRequest(r));
        if (again.commandText != r.commandText || again.params.size() != r.params.size())
            throw std::logic_error("request changed in a round trip");
    } catch (const wire::DecodeError &) {
    }
    try {
        const wire::Answer a = wire::decodeAnswer(bytes);
        const wire::Answer again = wire::decodeAnswer(wire::encodeAnswer(a));
        if (again.error != a.error || again.rows.size() != a.rows.size())
            throw std::logic_error("answer changed in a round trip");
    } catch (const wire::DecodeError &) {
    }
}

// Decodes the bytes as a request and, when they decode, dispatches it on the
// store; the answer must encode and decode again.
inline void dispatchBytes(hq::Dispatcher &dispatcher, const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    wire::Request request;
    try {
        request = wire::decodeRequest(bytes);
    } catch (const wire::DecodeError &) {
        return;
    }
    const wire::Answer answer = dispatcher.handle(request);
    const wire::Answer again = wire::decodeAnswer(wire::encodeAnswer(answer));
    if (again.isError() != answer.isError() || again.rows.size() != answer.rows.size())
        throw std::logic_error("answer changed in a round trip");
}

} // namespace fuzz
