// Date-time texts on the wire: the one form written, the forms read, and the
// stored forms that go out without being read into a date-time.

#include "platform/remote/wire/WireCodecDetail.h"

#include <cstdio>
#include <unordered_map>

namespace wire {

using detail::isAsciiSpace;

namespace {

const char *const kDateTimeFormat = "yyyy-MM-ddTHH:mm:ss.zzz";

struct DateTimeParts {
    int y = -1, mo = -1, d = -1, h = 0, mi = 0, s = 0, ms = 0;
};

// Digits at [pos, pos + n) as a number; -1 when any is not a digit.
template <typename Ch>
int digits(const Ch *t, qsizetype pos, qsizetype n)
{
    int v = 0;
    for (qsizetype i = pos; i < pos + n; ++i) {
        const unsigned c = unsigned(t[i]);
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + int(c - '0');
    }
    return v;
}

// The fields of "yyyyMMdd" or "yyyy-MM-dd[(T| )HH:mm[:ss[.zzz]]]", read by
// hand (this runs for every date-time cell of an answer); false when the text
// has another form. The fields are not checked against the calendar.
template <typename Ch>
bool dateTimeParts(const Ch *t, qsizetype n, DateTimeParts &p)
{
    if (n == 8) {
        p.y = digits(t, 0, 4), p.mo = digits(t, 4, 2), p.d = digits(t, 6, 2);
    } else if (n >= 10 && t[4] == '-' && t[7] == '-') {
        p.y = digits(t, 0, 4), p.mo = digits(t, 5, 2), p.d = digits(t, 8, 2);
        if (n > 10) {
            if ((t[10] != 'T' && t[10] != ' ') || n < 16 || t[13] != ':')
                return false;
            p.h = digits(t, 11, 2), p.mi = digits(t, 14, 2);
            if (n > 16) {
                if (n < 19 || t[16] != ':')
                    return false;
                p.s = digits(t, 17, 2);
                if (n > 19) {
                    if (n != 23 || t[19] != '.')
                        return false;
                    p.ms = digits(t, 20, 3);
                }
            }
        }
    } else {
        return false;
    }
    return p.y >= 0 && p.mo >= 0 && p.d >= 0 && p.h >= 0 && p.mi >= 0 && p.s >= 0 && p.ms >= 0;
}

// Local date-times by their fields. Making a local QDateTime asks the C
// library for the zone's offset (a lock and a table search each time), and an
// answer repeats the same few stamps in many rows. The zone is set once at
// start-up, so an entry stays right for the life of the process.
QDateTime localDateTime(const QDate &date, const QTime &time)
{
    struct Cache {
        std::unordered_map<qint64, QDateTime> byStamp;
    };
    thread_local Cache cache;
    const qint64 key = date.toJulianDay() * 86400000 + time.msecsSinceStartOfDay();
    const auto it = cache.byStamp.find(key);
    if (it != cache.byStamp.end())
        return it->second;
    if (cache.byStamp.size() >= 4096)
        cache.byStamp.clear();
    return cache.byStamp.emplace(key, QDateTime(date, time)).first->second;
}

// True when every wall-clock time of the day exists once in the local zone
// (no change of its offset from midnight to midnight), so that a local
// QDateTime of that day keeps the date and time it was made from.
bool isPlainDay(const QDate &date)
{
    thread_local std::unordered_map<qint64, bool> known;
    const qint64 day = date.toJulianDay();
    const auto it = known.find(day);
    if (it != known.end())
        return it->second;
    const QDateTime start(date, QTime(0, 0));
    const QDateTime next(date.addDays(1), QTime(0, 0));
    const bool plain = start.isValid() && next.isValid() && start.date() == date && start.time() == QTime(0, 0)
                       && start.offsetFromUtc() == next.offsetFromUtc();
    if (known.size() >= 4096)
        known.clear();
    known.emplace(day, plain);
    return plain;
}

// The local date-time of a text of the forms dateTimeParts() reads; invalid otherwise.
template <typename Ch>
QDateTime dateTimeOfText(const Ch *t, qsizetype n)
{
    DateTimeParts p;
    if (!dateTimeParts(t, n, p))
        return {};
    const QDate date(p.y, p.mo, p.d);
    const QTime time(p.h, p.mi, p.s, p.ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return localDateTime(date, time);
}

} // namespace

QDateTime detail::localDateTimeOfText(const char *text, qsizetype length)
{
    return dateTimeOfText(text, length);
}

QString formatDateTime(const QDateTime &value)
{
    const QDateTime local = value.timeSpec() == Qt::LocalTime ? value : value.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || d.year() < 0 || d.year() > 9999)
        return local.toString(QLatin1String(kDateTimeFormat));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute(), t.second(), t.msec());
    return QString::fromLatin1(buf, 23);
}

QDateTime parseDateTimeText(QStringView t)
{
    return dateTimeOfText(t.utf16(), t.size());
}

bool wireDateTimeOfStored(const char *text, qsizetype length, char out[23])
{
    // Only plain ASCII is read here: other blanks and characters take the general way.
    qsizetype b = 0, e = length;
    for (qsizetype i = 0; i < length; ++i)
        if (text[i] == 0 || (text[i] & 0x80))
            return false;
    while (b < e && isAsciiSpace(text[b]))
        ++b;
    while (e > b && isAsciiSpace(text[e - 1]))
        --e;
    DateTimeParts p;
    if (!dateTimeParts(text + b, e - b, p))
        return false;
    const QDate date(p.y, p.mo, p.d);
    const QTime time(p.h, p.mi, p.s, p.ms);
    if (!date.isValid() || !time.isValid() || p.y > 9999 || !isPlainDay(date))
        return false;
    // "yyyy-MM-ddTHH:mm:ss.zzz", as formatDateTime() writes it.
    struct Field {
        int value, width;
        char after;
    };
    char *o = out;
    for (Field f : {Field{p.y, 4, '-'}, Field{p.mo, 2, '-'}, Field{p.d, 2, 'T'}, Field{p.h, 2, ':'},
                    Field{p.mi, 2, ':'}, Field{p.s, 2, '.'}, Field{p.ms, 3, 0}}) {
        for (int i = f.width - 1; i >= 0; --i, f.value /= 10)
            o[i] = char('0' + f.value % 10);
        o += f.width;
        if (f.after)
            *o++ = f.after;
    }
    return true;
}

QDateTime parseDateTime(const QString &text)
{
    return parseDateTimeText(text);
}

} // namespace wire
