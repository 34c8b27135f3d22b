#pragma once
// ClientDataSet: a data set filled from the head-office server. It names a
// provider and a command text (a procedure name or, on the free-SQL provider,
// an SQL text), carries named typed parameters, and
//  - Open fetches the answer's columns and rows (an empty answer still has its
//    columns; declared fields are matched by name instead);
//  - Execute runs a call that returns no rows.
// A data set may declare stored fields (DeclareStoredFields): Open then
// refuses an answer that lacks one of them or carries it with another type,
// as a data set with persistent fields does, where declared fields otherwise
// read a missing column as null.
// A call while the data set is open closes it first. A server error, a network
// failure or a time-out comes back as a RemoteError whose message says what
// happened (the server's own text for its errors).

#include "platform/dataset/DataSet.h"
#include "platform/remote/RemoteConnection.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

class Param {
public:
    Param(const QString &name, FieldType type) : m_name(name), m_type(type) {}

    const QString &Name() const { return m_name; }
    FieldType DataType() const { return m_type; }
    void setDataType(FieldType type) { m_type = type; }

    // The value as stored for the parameter's type (invalid = null).
    const QVariant &Value() const { return m_value; }
    // Converts to the parameter's type (DataSetError when it does not convert).
    void setValue(const QVariant &value);
    bool IsNull() const { return !m_value.isValid(); }
    void Clear() { m_value = QVariant(); }

    // The setters also set the type, as the platform's parameters did.
    void setAsString(const QString &value);
    void setAsInteger(int value);
    void setAsSmallInt(int value);
    void setAsFloat(double value);
    void setAsCurrency(Currency value);
    void setAsBoolean(bool value);
    void setAsDateTime(const QDateTime &value);

    QString AsString() const;
    int AsInteger() const;

private:
    QString m_name;
    FieldType m_type;
    QVariant m_value;
};

class Params {
public:
    // Adds a parameter; a parameter of that name (any case) is returned with
    // the new type instead of being doubled.
    Param &CreateParam(FieldType type, const QString &name);
    Param &ParamByName(const QString &name) const; // any case; throws DataSetError when unknown
    Param *FindParam(const QString &name) const;
    int Count() const { return int(m_items.size()); }
    Param &Items(int index) const { return *m_items.at(size_t(index)); }
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<Param>> m_items;
};

class ClientDataSet : public DataSet {
    Q_OBJECT
public:
    explicit ClientDataSet(QObject *parent = nullptr);

    RemoteConnection *RemoteServer() const { return m_remote; }
    void setRemoteServer(RemoteConnection *remote) { m_remote = remote; }
    QString ProviderName() const { return m_provider; }
    void setProviderName(const QString &name) { m_provider = name; }
    QString CommandText() const { return m_command; }
    void setCommandText(const QString &text) { m_command = text; }

    // Declares the fields (closed data set) as stored fields: an answer
    // without one of them fails with "Field 'X' not found", one with another
    // type (small and long integers count as one) with "Type mismatch for
    // field 'X', expecting: Float actual: String"; the data set stays closed.
    void DeclareStoredFields(const QList<FieldDef> &defs);
    bool HasStoredFields() const { return m_storedFields; }

    ::Params &Params() { return m_params; }
    Param &ParamByName(const QString &name) const { return m_params.ParamByName(name); }

    // Closes first when open, then fetches and opens.
    void Open();
    // Closes first when open, then runs the call without rows; returns the
    // number of rows the server says it changed (-1 when not told).
    qint64 Execute();

    // The request Open/Execute would send (for logging and tests).
    wire::Request request(wire::Mode mode) const;

protected:
    void InternalOpen() override;

private:
    wire::Answer callServer(wire::Mode mode);

    RemoteConnection *m_remote = nullptr;
    QString m_provider;
    QString m_command;
    ::Params m_params;
    bool m_storedFields = false;
};
