#pragma once
// The terminal's local database: an SQLite file in the program folder that
// the table-order program writes at the same time as we read it. The file is
// opened in WAL mode (readers never block the writer) with a busy time-out of
// 5 s, so a write of the other program only makes us wait, never fail at once.
// The tables TBLDTL, TBLMMO and TBLCNF are created when missing.

#include <QSqlDatabase>
#include <QString>
#include <stdexcept>

class LocalDbError : public std::runtime_error {
public:
    explicit LocalDbError(const QString &message);
    QString message() const;
};

class LocalDatabase {
public:
    static constexpr int BusyTimeoutMs = 5000;

    LocalDatabase();
    ~LocalDatabase();
    LocalDatabase(const LocalDatabase &) = delete;
    LocalDatabase &operator=(const LocalDatabase &) = delete;

    // "<program folder>/<name>.db".
    static QString filePathFor(const QString &name);

    // Opens (creating when needed) the database file, switches it to WAL,
    // sets the busy time-out and creates the missing tables. Closes a previous
    // connection first. Throws LocalDbError.
    void open(const QString &filePath);
    void close();
    bool isOpen() const;
    QString filePath() const { return m_filePath; }

    // The Qt connection; valid while open.
    QSqlDatabase database() const;
    QString connectionName() const { return m_connectionName; }

private:
    QString m_connectionName;
    QString m_filePath;
};
