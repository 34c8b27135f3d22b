#pragma once
// A sectioned INI text file, read and written the way the terminal's INI file
// always has been:
//   - section and key names are case-insensitive and trimmed;
//   - a value is the text after the first "=", trimmed; one pair of matching
//     quotes around it is dropped on reading; nothing is escaped or quoted on
//     writing;
//   - the first of two equal keys counts;
//   - every write goes to the disk at once; an existing key keeps its line,
//     a new key goes after the last key of its section, a new section at the
//     end; comments, blank lines and the order of everything are kept;
//   - lines end in CR LF; the file is UTF-8 (a file that is not valid UTF-8
//     is read as code page 949).
// Every read looks at the file as it is on the disk now, so two IniFile
// objects on one file see each other's writes. A write that fails throws
// std::runtime_error; a read of a missing file gives the defaults.

#include <QString>
#include <QStringList>

class IniFile
{
public:
    explicit IniFile(const QString &fileName);

    const QString &FileName() const { return fileName; }

    QString ReadString(const QString &section, const QString &ident, const QString &defaultValue) const;
    // Decimal, or hexadecimal with "0x" or "$"; the default when not a number.
    int ReadInteger(const QString &section, const QString &ident, int defaultValue) const;
    // ReadInteger(...) != 0.
    bool ReadBool(const QString &section, const QString &ident, bool defaultValue) const;

    // A value with a line break cannot be stored and throws.
    void WriteString(const QString &section, const QString &ident, const QString &value);
    void WriteInteger(const QString &section, const QString &ident, int value);
    // "1" or "0".
    void WriteBool(const QString &section, const QString &ident, bool value);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &ident) const;
    // Section names in file order.
    QStringList ReadSections() const;
    // Key names of a section in file order (each key once).
    QStringList ReadSection(const QString &section) const;
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &ident);

private:
    QStringList load() const;
    void save(const QStringList &lines);

    QString fileName;
};
