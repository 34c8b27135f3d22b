#include "platform/archive/Bzip2.h"

#include <QFile>
#include <QSaveFile>

#include <bzlib.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace bz2 {

namespace {

struct FileCloser
{
    void operator()(FILE *f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

QString bzErrorText(int code)
{
    switch (code) {
    case BZ_DATA_ERROR: return QStringLiteral("the archive is damaged");
    case BZ_DATA_ERROR_MAGIC: return QStringLiteral("not a bzip2 archive");
    case BZ_UNEXPECTED_EOF: return QStringLiteral("the archive is truncated");
    case BZ_IO_ERROR: return QStringLiteral("read error");
    case BZ_MEM_ERROR: return QStringLiteral("out of memory");
    default: return QStringLiteral("bzip2 error %1").arg(code);
    }
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

Outcome DecompressFile(const QString &archive, const QString &target, const Hooks &hooks, QString *error)
{
    FilePtr in(std::fopen(QFile::encodeName(archive).constData(), "rb"));
    if (!in) {
        setError(error, QStringLiteral("cannot open ") + archive);
        return Outcome::Failed;
    }
    std::fseek(in.get(), 0, SEEK_END);
    const qint64 size = std::ftell(in.get());
    std::rewind(in.get());

    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, QStringLiteral("cannot create ") + target + QStringLiteral(": ") + out.errorString());
        return Outcome::Failed;
    }

    int code = BZ_OK;
    BZFILE *bz = BZ2_bzReadOpen(&code, in.get(), 0, 0, nullptr, 0);
    if (code != BZ_OK) {
        BZ2_bzReadClose(&code, bz);
        setError(error, bzErrorText(code));
        return Outcome::Failed;
    }
    std::vector<char> piece(ReadPiece);
    Outcome outcome = Outcome::Done;
    while (true) {
        if (hooks.beforeRead && !hooks.beforeRead()) {
            outcome = Outcome::Stopped;
            break;
        }
        const int got = BZ2_bzRead(&code, bz, piece.data(), ReadPiece);
        if (code != BZ_OK && code != BZ_STREAM_END) {
            setError(error, bzErrorText(code));
            outcome = Outcome::Failed;
            break;
        }
        if (got > 0 && out.write(piece.data(), got) != got) {
            setError(error, QStringLiteral("cannot write ") + target + QStringLiteral(": ") + out.errorString());
            outcome = Outcome::Failed;
            break;
        }
        if (hooks.afterPiece)
            hooks.afterPiece(std::ftell(in.get()), size);
        if (code == BZ_STREAM_END)
            break;
    }
    int closeCode = BZ_OK;
    BZ2_bzReadClose(&closeCode, bz);
    if (!out.flush() && outcome == Outcome::Done) {
        setError(error, QStringLiteral("cannot write ") + target + QStringLiteral(": ") + out.errorString());
        outcome = Outcome::Failed;
    }
    return outcome;
}

bool CompressFile(const QString &source, const QString &archive, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("cannot open ") + source + QStringLiteral(": ") + in.errorString());
        return false;
    }
    const QByteArray data = in.readAll();
    // Worst case of bzip2: 1% larger plus 600 bytes.
    unsigned int packedSize = static_cast<unsigned int>(data.size() + data.size() / 100 + 601);
    QByteArray packed(qsizetype(packedSize), Qt::Uninitialized);
    const int code = BZ2_bzBuffToBuffCompress(packed.data(), &packedSize, const_cast<char *>(data.constData()),
                                              static_cast<unsigned int>(data.size()), 9, 0, 0);
    if (code != BZ_OK) {
        setError(error, bzErrorText(code));
        return false;
    }
    packed.truncate(qsizetype(packedSize));
    QSaveFile out(archive);
    if (!out.open(QIODevice::WriteOnly) || out.write(packed) != packed.size() || !out.commit()) {
        setError(error, QStringLiteral("cannot write ") + archive + QStringLiteral(": ") + out.errorString());
        return false;
    }
    return true;
}

} // namespace bz2
