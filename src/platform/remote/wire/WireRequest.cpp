// The request: what the terminal sends, written and read.

#include "platform/remote/wire/WireCodecDetail.h"

namespace wire {

using namespace detail;

QByteArray encodeRequest(const Request &request)
{
    QByteArray out;
    out.reserve(64 + request.params.size() * 32);
    CborWriter w(out);
    w.startMap(4);
    writeText(w, QStringLiteral("provider"));
    writeText(w, request.provider);
    writeText(w, QStringLiteral("command"));
    writeText(w, request.commandText);
    writeText(w, QStringLiteral("mode"));
    writeText(w, request.mode == Mode::Open ? QStringLiteral("open") : QStringLiteral("execute"));
    writeText(w, QStringLiteral("params"));
    w.startArray(request.params.size());
    for (const Param &p : request.params) {
        w.startArray(3);
        writeText(w, p.name);
        w.append(qint64(p.type));
        writeValue(w, p.type, p.value);
        w.endArray();
    }
    w.endArray();
    w.endMap();
    return out;
}

Request decodeRequest(const QByteArray &bytes)
{
    QCborStreamReader r(bytes);
    Request req;
    bool haveCommand = false, haveMode = false;
    readMap(r, [&](const QString &key) {
        if (key == u"provider") {
            req.provider = readText(r);
        } else if (key == u"command") {
            req.commandText = readText(r);
            haveCommand = true;
        } else if (key == u"mode") {
            const QString m = readText(r);
            if (m == u"open")
                req.mode = Mode::Open;
            else if (m == u"execute")
                req.mode = Mode::Execute;
            else
                fail(QStringLiteral("unknown mode"));
            haveMode = true;
        } else if (key == u"params") {
            enterContainer(r, false);
            while (r.hasNext()) {
                enterContainer(r, false);
                Param p;
                p.name = readText(r);
                p.type = readType(r);
                try {
                    p.value = readValue(r, p.type);
                } catch (const DecodeError &e) {
                    const QString where = QStringLiteral("parameter %1: ").arg(p.name);
                    fail(where + QString::fromStdString(e.what()), where + QString::fromStdString(e.logText()));
                }
                leaveContainer(r);
                req.params.append(p);
            }
            leaveContainer(r);
        } else {
            skipItem(r);
        }
    });
    finish(r, bytes);
    if (!haveCommand || !haveMode)
        fail(QStringLiteral("request without command or mode"));
    return req;
}

} // namespace wire
