// What keeping the windows painting costs an update: the updater window's
// download (progress bar, pending events, 1024-byte writes) and unpacking
// (65536-byte reads, pending events before each) of the terminal's own
// program against a plain download written at once and a plain libbz2 loop.
#include "../BenchMain.h"

#include "core/MyConfig.h"
#include "platform/archive/Bzip2.h"
#include "platform/http/HttpClient.h"
#include "shell/U002_Updater.h"
#include "support/UpdateFixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <bzlib.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

UpdateServer *updates = nullptr;
QTemporaryDir *work = nullptr;
qint64 programSize = 0;

QString archiveUrl() { return updates->base(); }
QString localArchive() { return work->filePath(QStringLiteral("Mupdater.bz2")); }

void setUp()
{
    updates = new UpdateServer;
    work = new QTemporaryDir;
    const QByteArray program = ReadAll(QStringLiteral(RALD_PROGRAM));
    programSize = program.size();
    // The terminal's program published as the updater: a program-sized archive.
    Publish(updates->folder(), program, QByteArray());
    QFile::copy(updates->filePath(QStringLiteral("Mupdater.bz2")), localArchive());
    MyConfig.UPU = archiveUrl();
    MyConfig.UPP = QStringLiteral("Mupdater");
    std::fprintf(stderr, "program %lld bytes, archive %lld bytes\n", programSize,
                 QFileInfo(localArchive()).size());
}

// libbz2 alone: 65536-byte reads written straight to the target.
bool plainUnpack(const QString &archive, const QString &targetPath)
{
    FILE *in = std::fopen(QFile::encodeName(archive).constData(), "rb");
    FILE *target = std::fopen(QFile::encodeName(targetPath).constData(), "wb");
    if (!in || !target) {
        if (in)
            std::fclose(in);
        if (target)
            std::fclose(target);
        return false;
    }
    int code = BZ_OK;
    BZFILE *bz = BZ2_bzReadOpen(&code, in, 0, 0, nullptr, 0);
    std::vector<char> piece(65536);
    while (code == BZ_OK) {
        const int got = BZ2_bzRead(&code, bz, piece.data(), int(piece.size()));
        if (got > 0)
            std::fwrite(piece.data(), 1, size_t(got), target);
    }
    const bool ok = code == BZ_STREAM_END;
    BZ2_bzReadClose(&code, bz);
    std::fclose(target);
    std::fclose(in);
    return ok;
}

std::unique_ptr<TF002_Updater> windowIn(const QString &folder)
{
    auto window = std::make_unique<TF002_Updater>();
    window->Folder = folder + QLatin1Char('/');
    window->UpdaterFile = QStringLiteral("Mupdater");
    window->ArchiveFile = QStringLiteral("Mupdater.bz2");
    window->BaseUrl = archiveUrl();
    window->show();
    return window;
}

void BM_Window_DownloadAndUnpack(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir folder;
        auto window = windowIn(folder.path());
        if (!window->DownloadArchive() || window->DecompressArchive() != TF002_Updater::Unpacked::Done)
            state.SkipWithError("the window's path failed");
    }
    state.SetBytesProcessed(state.iterations() * programSize);
}

void BM_Plain_DownloadAndUnpack(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir folder;
        const http::GetResult r = http::Get(archiveUrl() + QStringLiteral("Mupdater.bz2"));
        QFile out(folder.filePath(QStringLiteral("Mupdater.bz2")));
        if (!r.ok || !out.open(QIODevice::WriteOnly) || out.write(r.body) != r.body.size())
            state.SkipWithError("download failed");
        out.close();
        if (!plainUnpack(out.fileName(), folder.filePath(QStringLiteral("Mupdater"))))
            state.SkipWithError("unpacking failed");
    }
    state.SetBytesProcessed(state.iterations() * programSize);
}

void BM_Window_Unpack(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile::copy(localArchive(), folder.filePath(QStringLiteral("Mupdater.bz2")));
    auto window = windowIn(folder.path());
    for (auto _ : state) {
        if (window->DecompressArchive() != TF002_Updater::Unpacked::Done)
            state.SkipWithError("unpacking failed");
    }
    state.SetBytesProcessed(state.iterations() * programSize);
}

// The window's unpacking routine without its hooks (no events, no bar).
void BM_Routine_Unpack(benchmark::State &state)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        if (bz2::DecompressFile(localArchive(), folder.filePath(QStringLiteral("Mupdater"))) != bz2::Outcome::Done)
            state.SkipWithError("unpacking failed");
    }
    state.SetBytesProcessed(state.iterations() * programSize);
}

void BM_Plain_Unpack(benchmark::State &state)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        if (!plainUnpack(localArchive(), folder.filePath(QStringLiteral("Mupdater"))))
            state.SkipWithError("unpacking failed");
    }
    state.SetBytesProcessed(state.iterations() * programSize);
}

} // namespace

BENCHMARK(BM_Window_DownloadAndUnpack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plain_DownloadAndUnpack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Window_Unpack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Routine_Unpack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Plain_Unpack)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, setUp);
}
