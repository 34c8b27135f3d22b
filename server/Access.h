#pragma once
// Who may call the server, and what: the terminals' keys, the sessions of
// signed-in users, the pace of sign-in attempts, and the rules a call must
// pass before its procedure runs (its own store only, a signed-in user for
// every write, that user's rights and name on what is written).
//
// The HTTP face (HqServer) finds the caller of each request from its key and
// session and hands it to the dispatcher, which applies the rules inside the
// call's transaction. A call the server makes itself (tests, tools) carries
// no caller and passes no rule.

#include "Store.h"

#include <QString>

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace hq {

class Call;

// A terminal as its key fixes it.
struct Terminal {
    QString company, store, number;
    bool operator==(const Terminal &o) const
    {
        return company == o.company && store == o.store && number == o.number;
    }
    QString text() const { return company + u'/' + store + u'/' + number; }
};

// The user a session was opened for by a successful sign-in.
struct SignedInUser {
    QString number; // UIADNB, the worker of what the user writes
    QString group;  // the user group whose rights rows apply
};

// The sender of one call.
struct Caller {
    Terminal terminal;
    std::optional<SignedInUser> user; // none: no valid session was sent
};

// The fixed keys of the demo terminals (9999/9999/99 and 9999/0001/01),
// provisioned by the demo data; public, for the demo only.
extern const char *const kDemoTerminalKey;
extern const char *const kDemoStore0001Key;

// Terminal keys, kept in the store as hashes.
class TerminalKeys {
public:
    explicit TerminalKeys(Store &store) : m_store(store) {}

    // Gives the terminal a new random key (replacing any earlier one) and
    // returns it; the key itself is not kept.
    QString add(const Terminal &terminal);
    // Gives the terminal this key (the demo data's fixed keys).
    void set(const Terminal &terminal, const QString &key);
    // The terminal holding the key; none for an unknown or empty key.
    std::optional<Terminal> find(const QString &key);

    static void set(SQLite::Database &db, const Terminal &terminal, const QString &key);

private:
    struct Known {
        Terminal terminal;
        std::chrono::steady_clock::time_point since;
    };
    Store &m_store;
    std::mutex m_mutex;
    std::unordered_map<std::string, Known> m_known; // by key hash
};

// Sessions of signed-in users, one per terminal, in memory: a sign-in ends
// the terminal's earlier session, a session unused for 12 hours ends, and a
// restart of the server ends them all (the user signs in again).
class Sessions {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::hours kIdleLimit{12};

    // Opens a session for the user on the terminal; returns its token.
    QString open(const Terminal &terminal, const SignedInUser &user);
    // The user of a live session of this terminal; using it keeps it alive.
    std::optional<SignedInUser> find(const QString &token, const Terminal &terminal);

    // For tests: the time the sessions see.
    void setClock(std::function<Clock::time_point()> now) { m_now = std::move(now); }

private:
    struct Entry {
        Terminal terminal;
        SignedInUser user;
        Clock::time_point lastUsed;
    };
    Clock::time_point now() const { return m_now ? m_now() : Clock::now(); }

    std::mutex m_mutex;
    std::unordered_map<std::string, Entry> m_byToken;
    std::map<QString, std::string> m_byTerminal; // terminal text -> token
    std::function<Clock::time_point()> m_now;
};

// The pace of sign-in attempts per terminal and user ID: after 5 failures in
// a row each further attempt waits (1 s, doubling, at most 30 s) before it is
// judged; attempts still being judged count as failures until they are, so
// attempts sent side by side queue instead of slipping through. A success
// resets the count.
class SignInPace {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kFreeAttempts = 5;
    static constexpr std::chrono::seconds kFirstWait{1};
    static constexpr std::chrono::seconds kLongestWait{30};

    // Books an attempt; returns how long from now it waits before it is judged.
    Clock::duration book(const Terminal &terminal, const QString &userId);
    // The booked attempt was judged: `success` resets the count; `counts`
    // false (the call was refused before any password was looked at) leaves
    // the count as it was.
    void judged(const Terminal &terminal, const QString &userId, bool success, bool counts = true);

private:
    struct Entry {
        int failures = 0;
        int pending = 0;
        Clock::time_point lastSlot{};
        Clock::time_point lastSeen{};
    };
    std::mutex m_mutex;
    std::map<QString, Entry> m_entries;
};

// The three above, as one server holds them.
class Access {
public:
    explicit Access(Store &store) : keys(store) {}
    TerminalKeys keys;
    Sessions sessions;
    SignInPace signIns;
};

// The procedure that signs users in (its answer opens a session).
bool isSignIn(const QString &procedure);
// The signed-in user a sign-in answer names; none when it refused.
std::optional<SignedInUser> signedInUser(const wire::Answer &answer);

// Whether a procedure needs a signed-in user: every insert, update, delete
// and upsert does; selects and free SQL need the terminal key only.
bool needsSession(const QString &procedure);

// The rules of a call by a terminal, checked before its procedure runs,
// inside its transaction; a refusal throws a CallError.
void admit(Call &call, const QString &procedure, const Caller &caller);

// Refuses a company or store that is not the caller's own.
void requireOwnStore(const Caller &caller, const QString &company, const QString &store);

} // namespace hq
