#pragma once
// bzip2 files: packing a file (publishing an update) and unpacking one in
// pieces, with a hook before each read and a report after each piece, so a
// window can keep painting, show how far it got and stop on request.

#include <QString>

#include <functional>

namespace bz2 {

// Bytes of decompressed data asked for per read.
inline constexpr int ReadPiece = 65536;

enum class Outcome { Done, Stopped, Failed };

struct Hooks
{
    // Before each read; false stops the unpacking (Outcome::Stopped).
    std::function<bool()> beforeRead;
    // After each piece: the archive's read position and its size.
    std::function<void(qint64 position, qint64 size)> afterPiece;
};

// Unpacks `archive` into `target` (created or truncated). On Failed, `error`
// says why (a damaged or truncated archive, a write error); what was written
// so far stays in `target` for the caller to deal with.
Outcome DecompressFile(const QString &archive, const QString &target, const Hooks &hooks = {},
                       QString *error = nullptr);

// Packs `source` into `archive` (written whole or not at all).
bool CompressFile(const QString &source, const QString &archive, QString *error = nullptr);

} // namespace bz2
