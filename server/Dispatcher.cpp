#include "Dispatcher.h"

#include "Documents.h"
#include "FreeSql.h"
#include "procedures/Procedures.h"

#include <QDateTime>

#include <cstdio>

namespace hq {

void Registry::add(const QString &name, bool writes, std::function<void(Call &)> run)
{
    m_procs[name.toUpper()] = Procedure{name, writes, std::move(run)};
}

const Procedure *Registry::find(const QString &commandText) const
{
    return findByName(procedureName(commandText));
}

const Procedure *Registry::findByName(const QString &name) const
{
    const auto it = m_procs.find(name);
    return it == m_procs.end() ? nullptr : &it->second;
}

QString Registry::procedureName(const QString &commandText)
{
    QString n = commandText.trimmed();
    auto unbracket = [](QString s) {
        s = s.trimmed();
        if (s.size() >= 2 && s.startsWith(u'[') && s.endsWith(u']'))
            s = s.mid(1, s.size() - 2).trimmed();
        return s;
    };
    // The schema part may be bracketed on its own: [dbo].[NAME].
    const int dot = int(n.indexOf(u'.'));
    if (dot > 0 && unbracket(n.left(dot)).compare(u"dbo", Qt::CaseInsensitive) == 0)
        n = n.mid(dot + 1);
    return unbracket(n).toUpper();
}

Dispatcher::Dispatcher(Store &store) : m_store(store)
{
    registerAllProcedures(m_registry);
}

void Dispatcher::logFailure(const QString &what, const QString &message)
{
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz "))
                         + what + QStringLiteral(": ") + message;
    if (m_log) {
        m_log(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

wire::Answer Dispatcher::handle(const wire::Request &request, const Caller *caller)
{
    return run(request, nullptr, caller);
}

QByteArray Dispatcher::handleEncoded(const wire::Request &request, const Caller *caller)
{
    QByteArray encoded;
    const wire::Answer answer = run(request, &encoded, caller);
    return encoded.isEmpty() ? wire::encodeAnswer(answer) : encoded;
}

// `encoded`: where a streamed answer's bytes go (its Answer is then empty);
// null when the answer is wanted as values.
wire::Answer Dispatcher::run(const wire::Request &request, QByteArray *encoded, const Caller *caller)
{
    const bool freeSql = request.provider.compare(u"dspQuery1", Qt::CaseInsensitive) == 0;
    const QString what = freeSql ? QStringLiteral("dspQuery1") : Registry::procedureName(request.commandText);
    const Procedure *proc = freeSql ? nullptr : m_registry.findByName(what);
    if (!freeSql && !proc) {
        const QString msg = QStringLiteral("unknown procedure %1").arg(request.commandText.trimmed());
        logFailure(what, msg);
        return wire::Answer::failure(msg);
    }
    try {
        if (m_hook.before)
            m_hook.before(request, what);
        auto lease = m_store.acquire();
        SQLite::Database &db = lease.db();
        Call call(db, request);
        call.caller = caller;
        call.setAnswerAsBytes(encoded != nullptr);
        inTransaction(db, proc ? proc->writes : false, [&] {
            std::optional<TerminalCall> fromTerminal;
            if (caller) {
                fromTerminal.emplace();
                admit(call, what, *caller);
            }
            if (proc)
                proc->run(call);
            else
                runFreeSql(call);
        });
        if (m_hook.afterCommit)
            m_hook.afterCommit(what);
        if (encoded)
            *encoded = call.takeEncoded();
        return std::move(call.answer);
    } catch (const CallError &e) {
        // The answer may quote what the terminal sent; the log never does.
        logFailure(what, e.logText());
        return wire::Answer::failure(QString::fromUtf8(e.what()));
    } catch (const wire::DecodeError &e) {
        logFailure(what, QString::fromStdString(e.logText()));
        return wire::Answer::failure(QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        const QString msg = QString::fromUtf8(e.what());
        logFailure(what, msg);
        return wire::Answer::failure(msg);
    }
}

} // namespace hq
