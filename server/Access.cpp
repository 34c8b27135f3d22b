#include "Access.h"

#include "Call.h"
#include "Passwords.h"

#include <QRegularExpression>

#include <SQLiteCpp/Statement.h>

#include <algorithm>

namespace hq {

const char *const kDemoTerminalKey = "RALD-DEMO-9999-9999-99";
const char *const kDemoStore0001Key = "RALD-DEMO-9999-0001-01";

namespace {

const QString kOtherStore = QStringLiteral("다른 매장의 자료는 사용할 수 없습니다.");
const QString kNoWriteRight = QStringLiteral("등록(수정) 권한이 없습니다.");
const QString kNoDeleteRight = QStringLiteral("삭제 권한이 없습니다.");
const QString kSignInNeeded = QStringLiteral("로그인이 필요합니다.");
const QString kOtherWorker = QStringLiteral("작업자가 로그인한 사용자와 다릅니다.");

// A cached key is looked up in the store again after this long, so that a
// terminal given a new key loses its old one within it.
constexpr auto kKeyRecheck = std::chrono::seconds(60);

// Procedures that work across the business units of the caller's company:
// the branch stock of every store, and staff attendance, which an employee
// may record, correct and cancel at any unit of the company. Their company
// must still be the caller's.
const char *const kAcrossUnits[] = {
    "GP_SELECT_F3400_StockListOfBranch",
    "GP_INSERT_F0150_DiligenceDetailsEdit",
    "GP_UPDATE_F0150_DiligenceDetails",
    "GP_DELETE_F0150_DiligenceDetails",
    "GP_SELECT_F0100_Vacamng",
    "GP_SELECT_F0150_Vacamng_Humuil",
    "GP_DELETE_F0150_VacamngDelte",
};

enum class Operation { Write, Delete };

// Whether a release is one to a customer (type 001): the header says so
// itself, a line by the header it belongs to. Stock-outs (the other types)
// need no right.
bool releaseToCustomer(Call &call)
{
    const qint64 kind = call.integer(QStringLiteral("A_GUBUN"));
    if (kind == 1)
        return call.text(QStringLiteral("A_DHCHTY")).trimmed() == u"001";
    if (kind != 2)
        return false;
    Prepared st(call.db, "SELECT DHCHTY FROM F3200 WHERE DHCMCD = ?1 AND DHBUUT = ?2 AND DHMONTH = ?3 AND DHNUMB = ?4");
    bindText(*st, 1, call.text(QStringLiteral("A_DDCMCD")).trimmed());
    bindText(*st, 2, call.text(QStringLiteral("A_DDBUUT")).trimmed());
    bindText(*st, 3, call.text(QStringLiteral("A_DDMONTH")).trimmed());
    st->bind(4, static_cast<int64_t>(call.integer(QStringLiteral("A_DDNUMB"))));
    return st->executeStep() && st->getColumn(0).getString() == "001";
}

// The rights row each write checks before it runs, as the terminal checks it
// before the call: the program id and the right (write or delete), and when
// the rule applies (always, when empty). A write not listed here needs a
// signed-in user only (stock-outs, job orders, attendance, settings, the
// placed-order picker's deletion).
struct RightRule {
    const char *procedure;
    const char *program;
    Operation operation;
    bool (*applies)(Call &) = nullptr;
};
const RightRule kRights[] = {
    {"GP_INSERT_F2100_PURCHASEENTRY", "F20_PURCHASEENTRY", Operation::Write},
    {"GP_INSERT_F3100_WAREHOUSEENTRY", "F30_WAREHOUSEENTRY", Operation::Write},
    {"GP_UPDATE_F2100_HedOhedfl_NEW", "F30_WAREHOUSEENTRY", Operation::Write}, // part of a receipt's save
    {"GP_INSERT_F3200_DELIVERYENTRY", "F30_DELIVERYENTRY", Operation::Write, releaseToCustomer},
    {"GP_INSERT_F3300_PRODUCTENTRY", "F30_PRODUCTENTRY", Operation::Write},
    {"GP_DELETE_F3300_PRODUCTENTRY", "F30_PRODUCTENTRY", Operation::Delete},
};

bool sameName(const QString &procedure, const char *name)
{
    return procedure.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool acrossUnits(const QString &procedure)
{
    return std::any_of(std::begin(kAcrossUnits), std::end(kAcrossUnits),
                       [&](const char *name) { return sameName(procedure, name); });
}

enum class Scope { None, Company, Store };

// What a parameter names, by its name (as Call::normalName gives it): the
// company ("a_cmcd", "phcmcd", "compcode", "a_companycode") or the store
// ("a_buut", "a_dhbuut", "a_stcd", "storecode") of the call. Names that
// carry more ("a_wdchbuut", "a_dhibbuut_rt": another store a document
// refers to) are neither.
Scope scopeOf(const QString &name)
{
    static const QRegularExpression company(QStringLiteral("^(a_)?(([a-z]{2})?cmcd|compcode|companycode)$"));
    static const QRegularExpression store(QStringLiteral("^(a_)?(([a-z]{2})?(buut|stcd)|storecode)$"));
    if (company.match(name).hasMatch())
        return Scope::Company;
    if (store.match(name).hasMatch())
        return Scope::Store;
    return Scope::None;
}

void requireRight(Call &call, const SignedInUser &user, const QString &company, const RightRule &rule)
{
    Prepared st(call.db, "SELECT SLWRAU, SLDEAU FROM F0030 WHERE SLCMCD = ?1 AND SLUSGR = ?2 AND SLPGID = ?3");
    bindText(*st, 1, company);
    bindText(*st, 2, user.group);
    st->bind(3, rule.program);
    const bool granted = st->executeStep() && st->getColumn(rule.operation == Operation::Write ? 0 : 1).getInt() != 0;
    if (!granted)
        throw CallError(rule.operation == Operation::Write ? kNoWriteRight : kNoDeleteRight,
                        QStringLiteral("no %1 right on %2 for user %3")
                            .arg(rule.operation == Operation::Write ? u"write" : u"delete",
                                 QLatin1String(rule.program), user.number));
}

} // namespace

// ---- terminal keys ----------------------------------------------------------

QString TerminalKeys::add(const Terminal &terminal)
{
    const QString key = randomSecret();
    set(terminal, key);
    return key;
}

void TerminalKeys::set(const Terminal &terminal, const QString &key)
{
    auto lease = m_store.acquire();
    inTransaction(lease.db(), true, [&] { set(lease.db(), terminal, key); });
    std::lock_guard lock(m_mutex);
    m_known.clear();
}

void TerminalKeys::set(SQLite::Database &db, const Terminal &terminal, const QString &key)
{
    SQLite::Statement st(db, "INSERT INTO SYS_TERMINAL (TKCMCD, TKBUUT, TKPOID, TKHASH, TKLADT)"
                             " VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (TKCMCD, TKBUUT, TKPOID)"
                             " DO UPDATE SET TKHASH = excluded.TKHASH, TKLADT = excluded.TKLADT");
    bindText(st, 1, terminal.company);
    bindText(st, 2, terminal.store);
    bindText(st, 3, terminal.number);
    st.bind(4, secretHash(key));
    bindText(st, 5, nowText());
    st.exec();
}

std::optional<Terminal> TerminalKeys::find(const QString &key)
{
    if (key.isEmpty())
        return std::nullopt;
    const std::string hash = secretHash(key);
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_known.find(hash);
        if (it != m_known.end() && std::chrono::steady_clock::now() - it->second.since < kKeyRecheck)
            return it->second.terminal;
    }
    auto lease = m_store.acquire();
    Prepared st(lease.db(), "SELECT TKCMCD, TKBUUT, TKPOID FROM SYS_TERMINAL WHERE TKHASH = ?1");
    st->bind(1, hash);
    if (!st->executeStep())
        return std::nullopt;
    const Terminal terminal{QString::fromStdString(st->getColumn(0).getString()),
                            QString::fromStdString(st->getColumn(1).getString()),
                            QString::fromStdString(st->getColumn(2).getString())};
    std::lock_guard lock(m_mutex);
    if (m_known.size() > 10000)
        m_known.clear();
    m_known[hash] = Known{terminal, std::chrono::steady_clock::now()};
    return terminal;
}

// ---- sessions ---------------------------------------------------------------

QString Sessions::open(const Terminal &terminal, const SignedInUser &user)
{
    const QString token = randomSecret();
    const Clock::time_point t = now();
    std::lock_guard lock(m_mutex);
    // Sessions left unused past the limit go now, so the table stays small.
    for (auto it = m_byToken.begin(); it != m_byToken.end();) {
        if (t - it->second.lastUsed > kIdleLimit) {
            m_byTerminal.erase(it->second.terminal.text());
            it = m_byToken.erase(it);
        } else {
            ++it;
        }
    }
    const QString where = terminal.text();
    if (const auto old = m_byTerminal.find(where); old != m_byTerminal.end())
        m_byToken.erase(old->second);
    m_byTerminal[where] = token.toStdString();
    m_byToken[token.toStdString()] = Entry{terminal, user, t};
    return token;
}

std::optional<SignedInUser> Sessions::find(const QString &token, const Terminal &terminal)
{
    if (token.isEmpty())
        return std::nullopt;
    const Clock::time_point t = now();
    std::lock_guard lock(m_mutex);
    const auto it = m_byToken.find(token.toStdString());
    if (it == m_byToken.end() || !(it->second.terminal == terminal))
        return std::nullopt;
    if (t - it->second.lastUsed > kIdleLimit) {
        m_byTerminal.erase(it->second.terminal.text());
        m_byToken.erase(it);
        return std::nullopt;
    }
    it->second.lastUsed = t;
    return it->second.user;
}

// ---- pace of sign-in attempts -----------------------------------------------

SignInPace::Clock::duration SignInPace::book(const Terminal &terminal, const QString &userId)
{
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(m_mutex);
    if (m_entries.size() > 10000) {
        for (auto it = m_entries.begin(); it != m_entries.end();)
            it = it->second.pending == 0 && now - it->second.lastSeen > std::chrono::hours(24) ? m_entries.erase(it)
                                                                                              : std::next(it);
    }
    Entry &e = m_entries[terminal.text() + u'\n' + userId];
    e.lastSeen = now;
    const int before = e.failures + e.pending;
    ++e.pending;
    if (before < kFreeAttempts)
        return Clock::duration::zero();
    const Clock::duration wait =
        std::min<Clock::duration>(kLongestWait, kFirstWait * (1LL << std::min(before - kFreeAttempts, 5)));
    e.lastSlot = std::max(now, e.lastSlot) + wait;
    return e.lastSlot - now;
}

void SignInPace::judged(const Terminal &terminal, const QString &userId, bool success, bool counts)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.find(terminal.text() + u'\n' + userId);
    if (it == m_entries.end())
        return;
    Entry &e = it->second;
    e.pending = std::max(0, e.pending - 1);
    if (counts && success) {
        e.failures = 0;
        e.lastSlot = {};
    } else if (counts) {
        ++e.failures;
    }
    if (e.failures == 0 && e.pending == 0)
        m_entries.erase(it);
}

// ---- rules ------------------------------------------------------------------

bool isSignIn(const QString &procedure)
{
    return sameName(procedure, "GP_SELECT_F0050_POS_LOGIN");
}

std::optional<SignedInUser> signedInUser(const wire::Answer &answer)
{
    if (answer.isError() || answer.rows.isEmpty())
        return std::nullopt;
    SignedInUser user;
    for (qsizetype i = 0; i < answer.columns.size() && i < answer.rows.first().size(); ++i) {
        if (answer.columns[i].name.compare(u"UIADNB", Qt::CaseInsensitive) == 0)
            user.number = answer.rows.first()[i].toString();
        else if (answer.columns[i].name.compare(u"abuserw", Qt::CaseInsensitive) == 0)
            user.group = answer.rows.first()[i].toString();
    }
    if (user.number.isEmpty())
        return std::nullopt;
    return user;
}

bool needsSession(const QString &procedure)
{
    for (const char *verb : {"GP_INSERT_", "GP_UPDATE_", "GP_DELETE_", "GP_UPSERT_"})
        if (procedure.startsWith(QLatin1String(verb), Qt::CaseInsensitive))
            return true;
    return false;
}

void requireOwnStore(const Caller &caller, const QString &company, const QString &store)
{
    if (company.trimmed() != caller.terminal.company || store.trimmed() != caller.terminal.store)
        throw CallError(kOtherStore, QStringLiteral("company or store of another terminal"));
}

void admit(Call &call, const QString &procedure, const Caller &caller)
{
    const bool anyUnit = acrossUnits(procedure);
    for (auto it = call.params().cbegin(); it != call.params().cend(); ++it) {
        if (!it.value().isValid() || it.value().isNull())
            continue;
        const Scope scope = scopeOf(it.key());
        if (scope == Scope::None)
            continue;
        const QString value = call.text(it.key()).trimmed();
        if ((scope == Scope::Company && value != caller.terminal.company)
            || (scope == Scope::Store && !anyUnit && value != caller.terminal.store))
            throw CallError(kOtherStore, QStringLiteral("parameter %1 names another company or store").arg(it.key()));
    }
    if (!needsSession(procedure))
        return;
    if (!caller.user)
        throw CallError(kSignInNeeded, QStringLiteral("no session"));
    const SignedInUser &user = *caller.user;
    // Whatever a write records as its worker is the signed-in user.
    for (auto it = call.params().cbegin(); it != call.params().cend(); ++it) {
        if (!it.key().endsWith(u"work") || !it.value().isValid() || it.value().isNull())
            continue;
        if (call.text(it.key()).trimmed() != user.number)
            throw CallError(kOtherWorker, QStringLiteral("parameter %1 names another worker").arg(it.key()));
    }
    for (const RightRule &rule : kRights)
        if (sameName(procedure, rule.procedure) && (!rule.applies || rule.applies(call)))
            requireRight(call, user, caller.terminal.company, rule);
}

} // namespace hq
