// Staff attendance: the time clock's employee list and registrations, the
// attendance details (pairs of events, corrections, deletions) and holidays.
//
// Events live in F0150, keyed (company, unit, day, seq) with the sequence
// drawn per company, unit and day across all employees. Every write refuses an
// empty employee, unit or day and a day that is not a real "yyyymmdd" date.

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include <QDate>
#include <QDateTime>
#include <QMap>

#include <algorithm>

#include <optional>

namespace hq {

namespace {

const QString kHoliday = QStringLiteral("009");

bool isKnownKind(const QString &kind)
{
    static const QStringList kinds = {QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("003"),
                                      QStringLiteral("005"), QStringLiteral("006"), QStringLiteral("009"),
                                      QStringLiteral("010"), QStringLiteral("011"), QStringLiteral("012"),
                                      QStringLiteral("013")};
    return kinds.contains(kind);
}

// Kinds that start an absence from the workplace, ended by a return (011).
bool isAwayKind(const QString &kind)
{
    return kind == QLatin1String("006") || kind == QLatin1String("010") || kind == QLatin1String("012")
           || kind == QLatin1String("013");
}

QDate dayOf(const QString &text)
{
    return text.size() == 8 ? QDate::fromString(text, QStringLiteral("yyyyMMdd")) : QDate();
}

QString requireText(const Call &call, const char *name, const QString &refusal)
{
    const QString value = call.text(QString::fromLatin1(name)).trimmed();
    if (value.isEmpty())
        throw CallError(refusal);
    return value;
}

QString requireEmployee(const Call &call, const char *name)
{
    return requireText(call, name, QStringLiteral("사원이 지정되지 않았습니다."));
}

QString requireUnit(const Call &call, const char *name)
{
    return requireText(call, name, QStringLiteral("사업단위가 지정되지 않았습니다."));
}

QString requireDay(const Call &call, const char *name)
{
    const QString day = requireText(call, name, QStringLiteral("일자가 지정되지 않았습니다."));
    if (!dayOf(day).isValid())
        throw CallError(QStringLiteral("올바른 일자가 아닙니다: %1").arg(day));
    return day;
}

QString requireKind(const Call &call, const char *name)
{
    const QString kind = call.text(QString::fromLatin1(name)).trimmed();
    if (!isKnownKind(kind))
        throw CallError(QStringLiteral("알 수 없는 근태 구분입니다: %1").arg(kind));
    return kind;
}

qint64 nextSeq(SQLite::Database &db, const QString &cmcd, const QString &buut, const QString &day)
{
    Prepared st(db, "SELECT COALESCE(MAX(EISEQ), 0) + 1 FROM F0150"
                             " WHERE EICMCD = ?1 AND EIBUUT = ?2 AND EIDATE = ?3");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, buut);
    bindText(*st, 3, day);
    st->executeStep();
    return st->getColumn(0).getInt64();
}

struct Event {
    QString cmcd, buut, day;
    qint64 seq = 0;
    QString adnb, time, kind;
};

void insertEvent(Call &call, const Event &e)
{
    Prepared st(call.db, "INSERT INTO F0150 (EICMCD, EIBUUT, EIDATE, EISEQ, EIADNB, EITIME, EIKUNT,"
                                  " EIWORK, EIPGID, EILADT) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    bindText(*st, 1, e.cmcd);
    bindText(*st, 2, e.buut);
    bindText(*st, 3, e.day);
    st->bind(4, static_cast<int64_t>(nextSeq(call.db, e.cmcd, e.buut, e.day)));
    bindText(*st, 5, e.adnb);
    bindText(*st, 6, e.time);
    bindText(*st, 7, e.kind);
    bindText(*st, 8, call.text(QStringLiteral("WORK")));
    bindText(*st, 9, call.text(QStringLiteral("PGID")));
    bindText(*st, 10, nowText());
    st->exec();
}

// The employee's events of the days [from, to] in every unit, in time order.
QList<Event> employeeEvents(SQLite::Database &db, const QString &cmcd, const QString &adnb, const QString &from,
                            const QString &to)
{
    Prepared st(db, "SELECT EICMCD, EIBUUT, EIDATE, EISEQ, EIADNB, EITIME, EIKUNT FROM F0150"
                             " WHERE EICMCD = ?1 AND EIADNB = ?2 AND EIDATE BETWEEN ?3 AND ?4"
                             " ORDER BY EIDATE, EITIME, EISEQ, EIBUUT");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, adnb);
    bindText(*st, 3, from);
    bindText(*st, 4, to);
    QList<Event> out;
    while (st->executeStep()) {
        auto txt = [&](int i) { return QString::fromUtf8(st->getColumn(i).getText()); };
        out.append({txt(0), txt(1), txt(2), st->getColumn(3).getInt64(), txt(4), txt(5), txt(6)});
    }
    return out;
}

QString codeName(SQLite::Database &db, const QString &cmcd, const char *group, const QString &code)
{
    Prepared st(db, "SELECT CDSNAM, CDNAME FROM F0011 WHERE CDCMCD = ?1 AND CDGUCD = ?2 AND CDSSCD = ?3");
    bindText(*st, 1, cmcd);
    st->bind(2, group);
    bindText(*st, 3, code);
    if (!st->executeStep())
        return {};
    const QString shortName = QString::fromUtf8(st->getColumn(0).getText());
    return shortName.isEmpty() ? QString::fromUtf8(st->getColumn(1).getText()) : shortName;
}

QString unitName(SQLite::Database &db, const QString &cmcd, const QString &buut)
{
    Prepared st(db, "SELECT ABSNAM, ABNAME FROM F0100 WHERE ABCMCD = ?1 AND ABBUUT = ?2"
                             " AND ABADNB = '00000000'");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, buut);
    if (!st->executeStep())
        return {};
    const QString shortName = QString::fromUtf8(st->getColumn(0).getText());
    return shortName.isEmpty() ? QString::fromUtf8(st->getColumn(1).getText()) : shortName;
}

QString hhnn(const QString &time) { return time.mid(11, 5); }

// One day cell of the employee list: the holiday, the absence, or the first
// clock-in and the last clock-out (or early leave) of the day.
QString dayCell(const QList<Event> &events)
{
    QString in, out;
    bool holiday = false, absent = false;
    for (const Event &e : events) {
        if (e.kind == kHoliday)
            holiday = true;
        else if (e.kind == QLatin1String("003"))
            absent = true;
        else if (e.kind == QLatin1String("001") && in.isEmpty())
            in = hhnn(e.time);
        else if (e.kind == QLatin1String("002") || e.kind == QLatin1String("005"))
            out = hhnn(e.time);
    }
    if (holiday)
        return QStringLiteral("휴무");
    if (absent)
        return QStringLiteral("결근");
    if (in.isEmpty() && out.isEmpty())
        return {};
    return in + QLatin1Char('~') + out;
}

void selectEmployeeInquiry(Call &call)
{
    const QString cmcd = call.text(QStringLiteral("a_cmcd"));
    const QString buut = call.text(QStringLiteral("a_buut"));
    const QDate first = dayOf(call.text(QStringLiteral("a_stdt")).trimmed());
    if (!first.isValid())
        throw CallError(QStringLiteral("올바른 일자가 아닙니다: %1").arg(call.text(QStringLiteral("a_stdt"))));
    // The list always shows ten days from the first one.
    const QString from = first.toString(QStringLiteral("yyyyMMdd"));
    const QString to = first.addDays(9).toString(QStringLiteral("yyyyMMdd"));

    call.answer.columns = {{QStringLiteral("abname"), wire::Type::String, 50},
                           {QStringLiteral("abjikj_name"), wire::Type::String, 50},
                           {QStringLiteral("abadnb"), wire::Type::String, 8}};
    for (int k = 1; k <= 10; ++k)
        call.answer.columns.append({QStringLiteral("m%1").arg(k), wire::Type::String, 11});

    Prepared st(call.db, "SELECT e.ABNAME, COALESCE(j.CDNAME, ''), e.ABADNB FROM F0100 e"
                                  " LEFT JOIN F0011 j ON j.CDCMCD = e.ABCMCD AND j.CDGUCD = '041'"
                                  " AND j.CDSSCD = e.ABJIKJ"
                                  " WHERE e.ABCMCD = ?1 AND e.ABBUUT = ?2 AND e.ABADTY = '009' AND e.ABUSFL = 1"
                                  " ORDER BY e.ABJIKG, e.ABADNB");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, buut);
    while (st->executeStep()) {
        const QString adnb = QString::fromUtf8(st->getColumn(2).getText());
        QMap<QString, QList<Event>> byDay;
        for (const Event &e : employeeEvents(call.db, cmcd, adnb, from, to))
            byDay[e.day].append(e);
        QVariantList row = {QString::fromUtf8(st->getColumn(0).getText()),
                            QString::fromUtf8(st->getColumn(1).getText()), adnb};
        for (int k = 0; k < 10; ++k)
            row.append(dayCell(byDay.value(first.addDays(k).toString(QStringLiteral("yyyyMMdd")))));
        call.answer.rows.append(row);
    }
}

// The time clock's registration: RESULT 1 when the event was stored, else the
// code of the refusal the terminal shows.
void insertUserAttention(Call &call)
{
    Event e;
    e.cmcd = requireText(call, "CMCD", QStringLiteral("회사가 지정되지 않았습니다."));
    e.buut = requireUnit(call, "BUUT");
    e.day = requireDay(call, "DATE");
    e.adnb = requireEmployee(call, "ADNB");
    e.kind = requireKind(call, "KUNT");

    const QList<Event> today = employeeEvents(call.db, e.cmcd, e.adnb, e.day, e.day);
    auto exists = [&](const char *kind) {
        return std::any_of(today.begin(), today.end(), [&](const Event &x) { return x.kind == QLatin1String(kind); });
    };
    // The away event still open (not followed by a return), and whether the
    // day had any away event at all.
    QString openAway;
    bool anyAway = false;
    for (const Event &x : today) {
        if (isAwayKind(x.kind)) {
            openAway = x.kind;
            anyAway = true;
        } else if (x.kind == QLatin1String("011")) {
            openAway.clear();
        }
    }

    int result = 1;
    if (e.kind == QLatin1String("001")) {
        if (exists("001"))
            result = 111;
    } else if (e.kind == QLatin1String("002")) {
        if (exists("002"))
            result = 333;
    } else if (isAwayKind(e.kind)) {
        if (openAway == e.kind)
            result = 3;
    } else if (e.kind == QLatin1String("011")) {
        if (!anyAway)
            result = 5;
        else if (openAway.isEmpty())
            result = 3;
    } else if (e.kind == QLatin1String("003")) {
        if (exists("003"))
            result = 3;
        else if (exists("002"))
            result = 9;
    } else if (e.kind == QLatin1String("005")) {
        if (exists("005"))
            result = 3;
    } else {
        throw CallError(QStringLiteral("알 수 없는 근태 구분입니다: %1").arg(e.kind));
    }

    if (result == 1) {
        e.time = nowText();
        insertEvent(call, e);
    }
    call.answer.columns = {{QStringLiteral("RESULT"), wire::Type::Integer, 0}};
    call.answer.rows = {QVariantList{result}};
}

// One start/end pair of the details list; the end side is empty when the
// start has no end (yet) or stands alone.
struct Pair {
    Event start;
    std::optional<Event> end;
};

// Pairs the events of one day: a clock-in ends at the next clock-out or early
// leave, an away event at the next return; absences and holidays stand
// alone, and an end without its start is listed on its own.
QList<Pair> pairEvents(const QList<Event> &events)
{
    QList<Pair> pairs;
    int openWork = -1, openAway = -1;
    QString day;
    for (const Event &e : events) {
        if (e.day != day) {
            day = e.day;
            openWork = openAway = -1;
        }
        if (e.kind == QLatin1String("001")) {
            pairs.append({e, std::nullopt});
            openWork = int(pairs.size()) - 1;
        } else if (isAwayKind(e.kind)) {
            pairs.append({e, std::nullopt});
            openAway = int(pairs.size()) - 1;
        } else if ((e.kind == QLatin1String("002") || e.kind == QLatin1String("005")) && openWork >= 0) {
            pairs[openWork].end = e;
            openWork = -1;
        } else if (e.kind == QLatin1String("011") && openAway >= 0) {
            pairs[openAway].end = e;
            openAway = -1;
        } else {
            pairs.append({e, std::nullopt});
        }
    }
    return pairs;
}

QString isoDay(const QString &day)
{
    return day.left(4) + QLatin1Char('-') + day.mid(4, 2) + QLatin1Char('-') + day.mid(6, 2);
}

void selectDiligenceDetails(Call &call)
{
    const QString cmcd = call.text(QStringLiteral("a_cmcd"));
    const QString adnb = call.text(QStringLiteral("a_adnb")).trimmed();
    const QString from = call.text(QStringLiteral("a_date1")).trimmed();
    const QString to = call.text(QStringLiteral("a_date2")).trimmed();

    call.answer.columns = {
        {QStringLiteral("cmcd"), wire::Type::String, 4},        {QStringLiteral("stdate"), wire::Type::String, 8},
        {QStringLiteral("sdate"), wire::Type::String, 10},      {QStringLiteral("stseq"), wire::Type::Integer, 0},
        {QStringLiteral("sttime"), wire::Type::DateTime, 0},    {QStringLiteral("stime"), wire::Type::String, 8},
        {QStringLiteral("stkunt"), wire::Type::String, 3},      {QStringLiteral("stkunt_name"), wire::Type::String, 4},
        {QStringLiteral("stbuut"), wire::Type::String, 4},      {QStringLiteral("stbuut_name"), wire::Type::String, 40},
        {QStringLiteral("edseq"), wire::Type::String, 10},      {QStringLiteral("edtime"), wire::Type::String, 19},
        {QStringLiteral("etime"), wire::Type::String, 8},       {QStringLiteral("edkunt"), wire::Type::String, 3},
        {QStringLiteral("edkunt_name"), wire::Type::String, 4}, {QStringLiteral("edbuut"), wire::Type::String, 4},
        {QStringLiteral("edbuut_name"), wire::Type::String, 40}, {QStringLiteral("eddate"), wire::Type::String, 8},
        {QStringLiteral("edate"), wire::Type::String, 10}};
    if (adnb.isEmpty())
        return; // no employee, no records

    QHash<QString, QString> kindNames, unitNames;
    auto kindName = [&](const QString &kind) {
        if (!kindNames.contains(kind))
            kindNames.insert(kind, codeName(call.db, cmcd, "030", kind));
        return kindNames.value(kind);
    };
    auto unitLabel = [&](const QString &buut) {
        if (!unitNames.contains(buut))
            unitNames.insert(buut, unitName(call.db, cmcd, buut));
        return unitNames.value(buut);
    };

    for (const Pair &p : pairEvents(employeeEvents(call.db, cmcd, adnb, from, to))) {
        const Event &s = p.start;
        QVariantList row = {s.cmcd,
                            s.day,
                            isoDay(s.day),
                            s.seq,
                            QDateTime::fromString(s.time, QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                            s.time.mid(11, 8),
                            s.kind,
                            kindName(s.kind),
                            s.buut,
                            unitLabel(s.buut)};
        if (p.end) {
            const Event &e = *p.end;
            row << QString::number(e.seq) << e.time << e.time.mid(11, 8) << e.kind << kindName(e.kind) << e.buut
                << unitLabel(e.buut) << e.day << isoDay(e.day);
        } else {
            row << QString() << QString() << QString() << QString() << QString() << QString() << QString()
                << QString() << QString();
        }
        call.answer.rows.append(row);
    }
}

void insertDiligenceDetails(Call &call)
{
    Event e;
    e.cmcd = requireText(call, "COMPCODE", QStringLiteral("회사가 지정되지 않았습니다."));
    e.buut = requireUnit(call, "BUUT");
    e.day = requireDay(call, "DATE");
    e.adnb = requireEmployee(call, "ABNB");
    e.kind = requireKind(call, "k00");
    const QDateTime at = QDateTime::fromString(call.text(QStringLiteral("time")).trimmed(),
                                               QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!at.isValid())
        throw CallError(QStringLiteral("올바른 시간이 아닙니다: %1").arg(call.text(QStringLiteral("time"))));
    e.time = storedDateTime(at);
    insertEvent(call, e);
}

void audit(Call &call, const char *procedure, const QString &key)
{
    writeAudit(call.db, QString::fromLatin1(procedure), key, call.text(QStringLiteral("WORK")),
               call.text(QStringLiteral("PGID")));
}

// Corrects one side of a pair: its day, time and unit. A new day or unit
// moves the event under that key with the next sequence there.
void updateDiligenceDetails(Call &call)
{
    const QString cmcd = requireText(call, "COMPCODE", QStringLiteral("회사가 지정되지 않았습니다."));
    const QString oldUnit = requireUnit(call, "STORECODE");
    const QString oldDay = requireDay(call, "EEDATE");
    const qint64 seq = call.integer(QStringLiteral("ESEQ"), -1);
    const QString kind = call.text(QStringLiteral("EKUNT")).trimmed();
    const QString newDay = requireDay(call, "EDATE");
    const QString newUnit = requireUnit(call, "BUUT");
    const QVariant timeValue = call.value(QStringLiteral("ETIME"));
    QDateTime at = timeValue.typeId() == QMetaType::QDateTime
                       ? timeValue.toDateTime()
                       : QDateTime::fromString(call.text(QStringLiteral("ETIME")).trimmed(),
                                               QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!at.isValid())
        throw CallError(QStringLiteral("올바른 시간이 아닙니다: %1").arg(call.text(QStringLiteral("ETIME"))));

    Prepared find(call.db, "SELECT EIKUNT FROM F0150 WHERE EICMCD = ?1 AND EIBUUT = ?2 AND EIDATE = ?3"
                                    " AND EISEQ = ?4");
    bindText(*find, 1, cmcd);
    bindText(*find, 2, oldUnit);
    bindText(*find, 3, oldDay);
    find->bind(4, static_cast<int64_t>(seq));
    if (!find->executeStep() || (!kind.isEmpty() && QString::fromUtf8(find->getColumn(0).getText()) != kind))
        throw CallError(QStringLiteral("수정할 근태 내역이 없습니다."));

    const bool moves = newDay != oldDay || newUnit != oldUnit;
    Prepared st(call.db, "UPDATE F0150 SET EIBUUT = ?5, EIDATE = ?6, EISEQ = ?7, EITIME = ?8,"
                                  " EIWORK = ?9, EIPGID = ?10, EILADT = ?11"
                                  " WHERE EICMCD = ?1 AND EIBUUT = ?2 AND EIDATE = ?3 AND EISEQ = ?4");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, oldUnit);
    bindText(*st, 3, oldDay);
    st->bind(4, static_cast<int64_t>(seq));
    bindText(*st, 5, newUnit);
    bindText(*st, 6, newDay);
    st->bind(7, static_cast<int64_t>(moves ? nextSeq(call.db, cmcd, newUnit, newDay) : seq));
    bindText(*st, 8, storedDateTime(at));
    bindText(*st, 9, call.text(QStringLiteral("WORK")));
    bindText(*st, 10, call.text(QStringLiteral("PGID")));
    bindText(*st, 11, nowText());
    st->exec();
}

int deleteEvent(Call &call, const QString &cmcd, const QString &buut, const QString &day, qint64 seq)
{
    Prepared st(call.db, "DELETE FROM F0150 WHERE EICMCD = ?1 AND EIBUUT = ?2 AND EIDATE = ?3 AND EISEQ = ?4");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, buut);
    bindText(*st, 3, day);
    st->bind(4, static_cast<int64_t>(seq));
    return st->exec();
}

// Deletes a pair: its start event and, with OPTION 0, its end event.
void deleteDiligenceDetails(Call &call)
{
    const QString cmcd = requireText(call, "cmcd", QStringLiteral("회사가 지정되지 않았습니다."));
    const QString stUnit = requireUnit(call, "stbuut");
    const QString stDay = requireDay(call, "stdate");
    const qint64 stSeq = call.integer(QStringLiteral("stseq"), -1);
    if (deleteEvent(call, cmcd, stUnit, stDay, stSeq) == 0)
        throw CallError(QStringLiteral("삭제할 근태 내역이 없습니다."));
    QString key = QStringLiteral("%1/%2/%3/%4").arg(cmcd, stUnit, stDay).arg(stSeq);
    if (call.integer(QStringLiteral("OPTION")) == 0) {
        const QString edUnit = requireUnit(call, "edbuut");
        const QString edDay = requireDay(call, "eddate");
        const qint64 edSeq = call.integer(QStringLiteral("edseq"), -1);
        deleteEvent(call, cmcd, edUnit, edDay, edSeq);
        key += QStringLiteral(" %1/%2/%3").arg(edUnit, edDay).arg(edSeq);
    }
    audit(call, "GP_DELETE_F0150_DiligenceDetails", key);
}

void selectVacamngEmployees(Call &call)
{
    call.open({T("BUUT_NAME", 50), T("jik", 50), T("NAME", 50), T("adnb", 8)},
              "SELECT COALESCE(NULLIF(u.ABSNAM, ''), u.ABNAME, ''), COALESCE(g.CDNAME, ''), e.ABNAME, e.ABADNB"
              " FROM F0100 e"
              " LEFT JOIN F0100 u ON u.ABCMCD = e.ABCMCD AND u.ABBUUT = e.ABBUUT AND u.ABADNB = '00000000'"
              " LEFT JOIN F0011 g ON g.CDCMCD = e.ABCMCD AND g.CDGUCD = '040' AND g.CDSSCD = e.ABJIKG"
              " WHERE e.ABCMCD = ?1 AND e.ABBUUT = ?2 AND e.ABADTY = '009' AND e.ABUSFL = 1"
              " ORDER BY e.ABJIKG, e.ABADNB",
              {"COMPCODE", "STORECODE"});
}

// The employee's holidays in the range, in every unit, so that a holiday
// registered elsewhere still counts as a duplicate.
void selectHolidays(Call &call)
{
    call.open({T("ddate", 10), T("date", 8), T("ebuut", 4)},
              "SELECT substr(EIDATE, 1, 4) || '-' || substr(EIDATE, 5, 2) || '-' || substr(EIDATE, 7, 2),"
              " EIDATE, EIBUUT FROM F0150"
              " WHERE EICMCD = ?1 AND EIADNB = ?2 AND EIKUNT = '009' AND EIDATE BETWEEN ?3 AND ?4"
              " ORDER BY EIDATE, EIBUUT",
              {"COMPCODE", "a_adnb", "STDATE", "ENDATE"});
}

void insertHoliday(Call &call)
{
    Event e;
    e.cmcd = requireText(call, "COMPCODE", QStringLiteral("회사가 지정되지 않았습니다."));
    e.buut = requireUnit(call, "STORECODE");
    e.day = requireDay(call, "EIDATE");
    e.adnb = requireEmployee(call, "Edit3");
    e.kind = requireKind(call, "EIKUNT");
    if (e.kind == kHoliday) {
        Prepared dup(call.db, "SELECT 1 FROM F0150 WHERE EICMCD = ?1 AND EIADNB = ?2 AND EIDATE = ?3"
                                       " AND EIKUNT = '009'");
        bindText(*dup, 1, e.cmcd);
        bindText(*dup, 2, e.adnb);
        bindText(*dup, 3, e.day);
        if (dup->executeStep())
            throw CallError(QStringLiteral("휴무가 이미 등록되어 있습니다: %1").arg(e.day));
    }
    e.time = isoDay(e.day) + QStringLiteral(" 00:00:00");
    insertEvent(call, e);
}

void deleteHoliday(Call &call)
{
    const QString cmcd = requireText(call, "COMPCODE", QStringLiteral("회사가 지정되지 않았습니다."));
    const QString buut = requireUnit(call, "STORECODE");
    const QString day = requireDay(call, "date");
    const QString adnb = requireEmployee(call, "adnb");
    const QString kind = requireKind(call, "KUNT");
    Prepared st(call.db, "DELETE FROM F0150 WHERE EICMCD = ?1 AND EIBUUT = ?2 AND EIDATE = ?3"
                                  " AND EIADNB = ?4 AND EIKUNT = ?5");
    bindText(*st, 1, cmcd);
    bindText(*st, 2, buut);
    bindText(*st, 3, day);
    bindText(*st, 4, adnb);
    bindText(*st, 5, kind);
    if (st->exec() > 0)
        audit(call, "GP_DELETE_F0150_VacamngDelte", QStringLiteral("%1/%2/%3/%4/%5").arg(cmcd, buut, day, adnb, kind));
}

} // namespace

void registerAttendanceProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0150_EMPLOYEEINQUIRY_POS"), false, selectEmployeeInquiry);
    registry.add(QStringLiteral("GP_INSERT_F0150_USER_ATTENTION"), true, insertUserAttention);
    registry.add(QStringLiteral("GP_SELECT_F0150_DiligenceDetails_POS"), false, selectDiligenceDetails);
    registry.add(QStringLiteral("GP_INSERT_F0150_DiligenceDetailsEdit"), true, insertDiligenceDetails);
    registry.add(QStringLiteral("GP_UPDATE_F0150_DiligenceDetails"), true, updateDiligenceDetails);
    registry.add(QStringLiteral("GP_DELETE_F0150_DiligenceDetails"), true, deleteDiligenceDetails);
    registry.add(QStringLiteral("GP_SELECT_F0100_Vacamng"), false, selectVacamngEmployees);
    registry.add(QStringLiteral("GP_SELECT_F0150_Vacamng_Humuil"), false, selectHolidays);
    registry.add(QStringLiteral("GP_INSERT_F0150_POS_ATTENDMODIFY"), true, insertHoliday);
    registry.add(QStringLiteral("GP_DELETE_F0150_VacamngDelte"), true, deleteHoliday);
}

} // namespace hq
