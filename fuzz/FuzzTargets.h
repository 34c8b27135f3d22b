#pragma once
// What the fuzz targets do with one input; the ordinary test that replays the
// seed corpus runs the same code, so a seed that once broke the server keeps
// being tried in every build.

#include "Dispatcher.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace fuzz {

// The same value: kind, null-ness (a null text apart from an empty one too) and content.
inline bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isValid() != b.isValid() || a.typeId() != b.typeId() || a != b)
        return false;
    return a.typeId() != QMetaType::QString || a.toString().isNull() == b.toString().isNull();
}

inline bool sameAnswer(const wire::Answer &a, const wire::Answer &b)
{
    if (a.error != b.error || a.rowsAffected != b.rowsAffected || a.columns.size() != b.columns.size()
        || a.rows.size() != b.rows.size())
        return false;
    for (qsizetype i = 0; i < a.columns.size(); ++i) {
        const wire::Column &x = a.columns[i], &y = b.columns[i];
        if (x.name != y.name || x.type != y.type || x.size != y.size)
            return false;
    }
    for (qsizetype r = 0; r < a.rows.size(); ++r) {
        if (a.rows[r].size() != b.rows[r].size())
            return false;
        for (qsizetype c = 0; c < a.rows[r].size(); ++c)
            if (!sameValue(a.rows[r][c], b.rows[r][c]))
                return false;
    }
    return true;
}

// The answer reader's quick way and its general way agree on the bytes: the
// same answer, or the same refusal. Returns the answer (throws DecodeError on a refusal).
inline wire::Answer decodeAnswerBothWays(const QByteArray &bytes)
{
    wire::Answer quick, general;
    std::string quickError, generalError;
    bool quickRead = true, generalRead = true;
    try {
        quick = wire::decodeAnswer(bytes);
    } catch (const wire::DecodeError &e) {
        quickRead = false;
        quickError = e.what();
    }
    try {
        general = wire::decodeAnswerGeneral(bytes);
    } catch (const wire::DecodeError &e) {
        generalRead = false;
        generalError = e.what();
    }
    if (quickRead != generalRead || quickError != generalError || (quickRead && !sameAnswer(quick, general)))
        throw std::logic_error("the answer reader's two ways disagree");
    if (!quickRead)
        throw wire::DecodeError(quickError);
    return quick;
}

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
        const wire::Answer a = decodeAnswerBothWays(bytes);
        const wire::Answer again = decodeAnswerBothWays(wire::encodeAnswer(a));
        if (again.error != a.error || again.rows.size() != a.rows.size())
            throw std::logic_error("answer changed in a round trip");
    } catch (const wire::DecodeError &) {
    }
}

// Decodes the bytes as a request and, when they decode, dispatches it on the
// store (as sent by `caller`, or as the server's own call when null); the
// answer must encode and decode again.
inline void dispatchBytes(hq::Dispatcher &dispatcher, const uint8_t *data, size_t size,
                          const hq::Caller *caller = nullptr)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    wire::Request request;
    try {
        request = wire::decodeRequest(bytes);
    } catch (const wire::DecodeError &) {
        return;
    }
    const wire::Answer answer = dispatcher.handle(request, caller);
    const wire::Answer again = decodeAnswerBothWays(wire::encodeAnswer(answer));
    if (again.isError() != answer.isError() || again.rows.size() != answer.rows.size())
        throw std::logic_error("answer changed in a round trip");
}

} // namespace fuzz
