#pragma once
// LocalTable: one table of the local database as a data set. Open reads every
// row into memory (the table-order program keeps writing meanwhile: what we
// show is the state at the last Open/Refresh). Posting an edited record
// writes back only the columns that changed since the row was read, so a
// concurrent change of another column by the other program is kept; a row
// that the other program deleted meanwhile is simply not written. An
// appended record is inserted, Delete deletes the row.
//
// Fields: the table's columns in schema order, its display-only fields (no
// column; computed by display-text handlers), and the hidden field "ROWID"
// that ties a record to its row. The write-back runs in BeforePost: do not
// replace that hook. A failed write (after the busy time-out, 5 s) throws and
// the record stays in edit.

#include "platform/dataset/DataSet.h"
#include "platform/localdb/LocalSchema.h"

#include <QHash>

class LocalDatabase;

class LocalTable : public DataSet {
    Q_OBJECT
public:
    static constexpr const char *RowIdField = "ROWID";

    explicit LocalTable(LocalDatabase &database, QObject *parent = nullptr);

    // The table name ("TBLDTL", "TBLMMO", "TBLCNF"); set while closed. Defines
    // the fields from the table's schema. Throws LocalDbError for an unknown name.
    QString TableName() const { return m_tableName; }
    void setTableName(const QString &name);

    // Reads the rows again, keeping the filter; the cursor goes to the first record.
    void Refresh();

    // Deletes the current record's row, then the record. Throws LocalDbError.
    void Delete();

protected:
    void InternalOpen() override;
    void InternalClose() override;

private:
    void readRows();
    void writeBack();

    LocalDatabase &m_database;
    QString m_tableName;
    const LocalTableSchema *m_schema = nullptr;
    QList<int> m_storedFields;                    // field index of each stored column
    QHash<qint64, QList<QVariant>> m_readValues;  // row id -> stored values as read/written
};
