#include "platform/localdb/LocalDatabase.h"

#include "platform/localdb/LocalSchema.h"
#include "platform/os/ProgramFile.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

LocalDbError::LocalDbError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString LocalDbError::message() const
{
    return QString::fromStdString(what());
}

namespace {

QAtomicInt connectionCounter;

void exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw LocalDbError(q.lastError().text());
}

} // namespace

LocalDatabase::LocalDatabase()
    : m_connectionName(QStringLiteral("rald-localdb-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

LocalDatabase::~LocalDatabase()
{
    close();
}

QString LocalDatabase::filePathFor(const QString &name)
{
    return os::ProgramDir() + QLatin1Char('/') + name + QStringLiteral(".db");
}

void LocalDatabase::open(const QString &filePath)
{
    close();
    if (QFileInfo(filePath).completeBaseName().isEmpty())
        throw LocalDbError(QStringLiteral("No local database name given"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(filePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
        if (!db.open()) {
            const QString message = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw LocalDbError(QStringLiteral("Cannot open %1: %2").arg(filePath, message));
        }
        try {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
                throw LocalDbError(q.lastError().text());
            for (const LocalTableSchema *schema : LocalSchemas())
                exec(db, schema->createStatement());
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw;
        }
    }
    m_filePath = filePath;
}

void LocalDatabase::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_filePath.clear();
}

bool LocalDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName)
        && QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase LocalDatabase::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}
