#pragma once
// Turns a request into an answer: finds the procedure by its command text,
// runs it in one transaction of its own and catches every failure into an
// error answer.

#include "Access.h"
#include "Call.h"
#include "Store.h"

#include <functional>
#include <map>

namespace hq {

struct Procedure {
    QString name;
    bool writes = false; // writers start with BEGIN IMMEDIATE
    std::function<void(Call &)> run;
};

class Registry {
public:
    void add(const QString &name, bool writes, std::function<void(Call &)> run);
    const Procedure *find(const QString &commandText) const;
    const Procedure *findByName(const QString &name) const; // name as procedureName() gives it

    // "[dbo].[GP_X]", " [GP_X] ", "dbo.gp_x" -> "GP_X"
    static QString procedureName(const QString &commandText);

private:
    std::map<QString, Procedure> m_procs; // by upper-case name
};

// Seams for tests: `before` runs ahead of every call and may throw to fail it
// before anything is written; `afterCommit` runs once a call has committed and
// may throw to report a failure whose work stands (a lost answer). `what` is
// the procedure's name, or "dspQuery1" for free SQL.
struct CallHook {
    std::function<void(const wire::Request &, const QString &what)> before;
    std::function<void(const QString &what)> afterCommit;
};

class Dispatcher {
public:
    explicit Dispatcher(Store &store);

    Registry &registry() { return m_registry; }

    // Never throws: failures come back as error answers and are logged.
    // A call sent by a terminal names its `caller` and must pass the rules
    // of Access.h before its procedure runs; without one the call is the
    // server's own and passes none.
    wire::Answer handle(const wire::Request &request, const Caller *caller = nullptr);
    // The same call answered as the bytes the server sends, encodeAnswer()
    // of what handle() gives; the rows of procedures that stream (Call::stream)
    // go from the store into the bytes directly.
    QByteArray handleEncoded(const wire::Request &request, const Caller *caller = nullptr);

    Store &store() { return m_store; }

    // One line per failed call (default: standard error).
    void setLog(std::function<void(const QString &)> log) { m_log = std::move(log); }
    void logFailure(const QString &what, const QString &message);

    void setHook(CallHook hook) { m_hook = std::move(hook); }

private:
    wire::Answer run(const wire::Request &request, QByteArray *encoded, const Caller *caller);

    Store &m_store;
    Registry m_registry;
    std::function<void(const QString &)> m_log;
    CallHook m_hook;
};

} // namespace hq
