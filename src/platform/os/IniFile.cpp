#include "platform/os/IniFile.h"

#include "platform/os/CodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <optional>
#include <stdexcept>

namespace {

// "[name]" → name; nothing for other lines.
std::optional<QString> sectionOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return std::nullopt;
}

bool isComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

// The key of a "key=value" line; nothing for other lines.
std::optional<QString> keyOf(const QString &line)
{
    if (isComment(line) || sectionOf(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    const QString key = line.left(eq).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    return key;
}

QString valueOf(const QString &line)
{
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
        && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Line range of a section: [header, end) where end is the next header or the
// end of the file; header -1 when absent.
struct Range { qsizetype header = -1; qsizetype end = -1; };

Range findSection(const QStringList &lines, const QString &section)
{
    Range r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (!name)
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (sameName(*name, section))
            r.header = i;
    }
    if (r.header >= 0)
        r.end = lines.size();
    return r;
}

qsizetype findKey(const QStringList &lines, const Range &r, const QString &ident)
{
    if (r.header < 0)
        return -1;
    for (qsizetype i = r.header + 1; i < r.end; ++i) {
        const auto key = keyOf(lines[i]);
        if (key && sameName(*key, ident))
            return i;
    }
    return -1;
}

} // namespace

IniFile::IniFile(const QString &fileName_) : fileName(fileName_) {}

QStringList IniFile::load() const
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = os::FromAnsi(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void IniFile::save(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(("Unable to write to " + fileName + ": " + file.errorString()).toStdString());
}

QString IniFile::ReadString(const QString &section, const QString &ident, const QString &defaultValue) const
{
    const QStringList lines = load();
    const qsizetype at = findKey(lines, findSection(lines, section), ident);
    return at < 0 ? defaultValue : valueOf(lines[at]);
}

int IniFile::ReadInteger(const QString &section, const QString &ident, int defaultValue) const
{
    const QString text = ReadString(section, ident, QString());
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1Char('$')))
        value = text.mid(1).toInt(&ok, 16);
    else if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::ReadBool(const QString &section, const QString &ident, bool defaultValue) const
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString &section, const QString &ident, const QString &value)
{
    const QString s = section.trimmed();
    const QString k = ident.trimmed();
    if (s.isEmpty() || k.isEmpty() || k.contains(QLatin1Char('=')))
        throw std::runtime_error(("Invalid INI key [" + section + "] " + ident).toStdString());
    for (const QString &text : {s, k, value}) {
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
            throw std::runtime_error(("A line break cannot be stored in " + fileName).toStdString());
    }
    QStringList lines = load();
    const Range r = findSection(lines, s);
    const qsizetype at = findKey(lines, r, k);
    if (at >= 0) {
        lines[at] = lines[at].left(lines[at].indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
    } else if (r.header >= 0) {
        qsizetype insertAt = r.header + 1;
        for (qsizetype i = r.header + 1; i < r.end; ++i) {
            if (!lines[i].trimmed().isEmpty())
                insertAt = i + 1;
        }
        lines.insert(insertAt, k + QLatin1Char('=') + value);
    } else {
        lines << QLatin1Char('[') + s + QLatin1Char(']') << k + QLatin1Char('=') + value;
    }
    save(lines);
}

void IniFile::WriteInteger(const QString &section, const QString &ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

void IniFile::WriteBool(const QString &section, const QString &ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::SectionExists(const QString &section) const
{
    return findSection(load(), section).header >= 0;
}

bool IniFile::ValueExists(const QString &section, const QString &ident) const
{
    const QStringList lines = load();
    return findKey(lines, findSection(lines, section), ident) >= 0;
}

QStringList IniFile::ReadSections() const
{
    QStringList names;
    for (const QString &line : load()) {
        if (const auto name = sectionOf(line)) {
            bool seen = false;
            for (const QString &n : names)
                seen = seen || sameName(n, *name);
            if (!seen)
                names << *name;
        }
    }
    return names;
}

QStringList IniFile::ReadSection(const QString &section) const
{
    const QStringList lines = load();
    const Range r = findSection(lines, section);
    QStringList keys;
    if (r.header < 0)
        return keys;
    for (qsizetype i = r.header + 1; i < r.end; ++i) {
        const auto key = keyOf(lines[i]);
        if (!key)
            continue;
        bool seen = false;
        for (const QString &k : keys)
            seen = seen || sameName(k, *key);
        if (!seen)
            keys << *key;
    }
    return keys;
}

void IniFile::EraseSection(const QString &section)
{
    QStringList lines = load();
    const Range r = findSection(lines, section);
    if (r.header < 0)
        return;
    lines.erase(lines.begin() + r.header, lines.begin() + r.end);
    save(lines);
}

void IniFile::DeleteKey(const QString &section, const QString &ident)
{
    QStringList lines = load();
    const qsizetype at = findKey(lines, findSection(lines, section), ident);
    if (at < 0)
        return;
    lines.removeAt(at);
    save(lines);
}
