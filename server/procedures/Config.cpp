// Configuration rows of a terminal (F0000) and its printer kind (F0003).

#include "Dispatcher.h"
#include "procedures/Procedures.h"

#include <QTime>

namespace hq {

namespace {

// The setting columns of F0000 (every column but the key and audit columns),
// with their wire types from the declared column types.
Cols configColumns(SQLite::Database &db)
{
    Cols cols;
    SQLite::Statement st(db, "SELECT name, type FROM pragma_table_info('F0000') ORDER BY cid");
    while (st.executeStep()) {
        const QString name = QString::fromUtf8(st.getColumn(0).getText());
        const QString up = name.toUpper();
        if (up == u"SCCMCD" || up == u"SCBUUT" || up == u"SCPOID" || up == u"SCWORK" || up == u"SCLADT")
            continue;
        cols.append({name, typeOfDeclared(QString::fromUtf8(st.getColumn(1).getText())), 0});
    }
    return cols;
}

void selectConfig(Call &call)
{
    const Cols settings = configColumns(call.db);
    Cols cols = {T("CompanyName", 50), T("StoreName", 50), T("RegNo", 20),
                 T("StorePhone", 20), T("CSCenter", 20),  T("Address", 100)};
    QString select = QStringLiteral("SELECT c.CONAME, u.ABNAME, u.ABSANO, u.ABTELN, u.ABCSTEL, u.ABADDR");
    for (const Col &c : settings) {
        cols.append(c);
        select += QStringLiteral(", f.") + c.name;
    }
    // A terminal without a row of its own gets the store's row of terminal "00".
    select += QStringLiteral(
        " FROM F0000 f LEFT JOIN F0001 c ON c.COCMCD = f.SCCMCD"
        " LEFT JOIN F0100 u ON u.ABCMCD = f.SCCMCD AND u.ABBUUT = f.SCBUUT AND u.ABADNB = '00000000'"
        " WHERE f.SCCMCD = ?1 AND f.SCBUUT = ?2 AND f.SCPOID IN (?3, '00')"
        " ORDER BY CASE WHEN f.SCPOID = ?3 THEN 0 ELSE 1 END LIMIT 1");
    const std::string sql = u8(select);
    call.open(cols, sql.c_str(), {"A_COMPANYCODE", "A_STORECODE", "A_POSNO"});
}

// A setting parameter as it is stored in its column.
QVariant storedSetting(const Call &call, const QString &param, const Col &col)
{
    const QVariant v = call.value(param);
    if (!v.isValid() || v.isNull())
        return {};
    switch (col.type) {
    case wire::Type::Boolean:
        return call.boolean(param) ? 1 : 0;
    case wire::Type::SmallInt:
    case wire::Type::Integer:
        return call.integer(param);
    case wire::Type::Float:
    case wire::Type::Currency:
        return call.number(param);
    case wire::Type::DateTime: {
        if (col.name.compare(u"scystm", Qt::CaseInsensitive) == 0 && v.typeId() == QMetaType::QString) {
            // A time of day sent as "hhnn", kept on the day zero of date-times.
            const QString t = v.toString().trimmed();
            const QTime time = QTime::fromString(t, QStringLiteral("HHmm"));
            if (t.isEmpty())
                return {};
            if (!time.isValid())
                throw CallError(QStringLiteral("parameter %1 is not a time \"hhnn\"").arg(param));
            return QStringLiteral("1899-12-30 ") + time.toString(QStringLiteral("HH:mm:00"));
        }
        try {
            const QVariant dt = wire::coerce(v, wire::Type::DateTime);
            return dt.isNull() ? QVariant() : QVariant(storedDateTime(dt.toDateTime()));
        } catch (const wire::DecodeError &) {
            throw CallError(QStringLiteral("parameter %1 is not a date-time").arg(param));
        }
    }
    case wire::Type::String:
        return call.text(param);
    }
    return {};
}

void upsertConfig(Call &call)
{
    const Cols settings = configColumns(call.db);
    QStringList cols = {QStringLiteral("SCCMCD"), QStringLiteral("SCBUUT"), QStringLiteral("SCPOID"),
                        QStringLiteral("SCLADT")};
    QVariantList values = {call.text(QStringLiteral("A_COMPANYCODE")), call.text(QStringLiteral("A_STORECODE")),
                           call.text(QStringLiteral("A_POSNO")), nowText()};
    if (values[0].toString().isEmpty() || values[1].toString().isEmpty() || values[2].toString().isEmpty())
        throw CallError(QStringLiteral("company, store and terminal are required"));
    if (call.has(QStringLiteral("A_SCWORK"))) {
        cols << QStringLiteral("SCWORK");
        values << call.text(QStringLiteral("A_SCWORK"));
    }
    // Only the settings sent are written; the others (pointcut, ...) keep their value.
    for (const Col &c : settings) {
        const QString param = QStringLiteral("A_") + c.name;
        if (!call.has(param))
            continue;
        cols << c.name;
        values << storedSetting(call, param, c);
    }
    QStringList marks, updates;
    for (int i = 0; i < cols.size(); ++i) {
        marks << QStringLiteral("?%1").arg(i + 1);
        if (i >= 3)
            updates << cols[i] + QStringLiteral(" = excluded.") + cols[i];
    }
    const QString sql = QStringLiteral("INSERT INTO F0000 (%1) VALUES (%2) ON CONFLICT (SCCMCD, SCBUUT, SCPOID) "
                                       "DO UPDATE SET %3")
                            .arg(cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                                 updates.join(QStringLiteral(", ")));
    SQLite::Statement st(call.db, u8(sql));
    for (int i = 0; i < values.size(); ++i)
        bindValue(st, i + 1, values[i]);
    call.answer.rowsAffected = st.exec();
}

void selectPrinterKind(Call &call)
{
    call.open({T("pcprst", 1)},
              "SELECT PCPRST FROM F0003 WHERE PCCMCD = ?1 AND PCBUUT = ?2 AND PCPOID = ?3",
              {"pccmcd", "pcbuut", "pcpoid"});
    // A terminal without a row starts as a receipt-printer terminal and saves its own row later.
    if (call.answer.rows.isEmpty())
        call.answer.rows.append(QVariantList{QStringLiteral("1")});
}

void insertPrinterKind(Call &call)
{
    const QString kind = call.text(QStringLiteral("pcprst")).trimmed();
    if (kind != u"1" && kind != u"2")
        throw CallError(QStringLiteral("printer kind must be \"1\" or \"2\""));
    SQLite::Statement st(call.db,
                         "INSERT INTO F0003 (PCCMCD, PCBUUT, PCPOID, PCPRST, PCWORK, PCPGID, PCLADT) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7) ON CONFLICT (PCCMCD, PCBUUT, PCPOID) DO UPDATE SET "
                         "PCPRST = excluded.PCPRST, PCWORK = excluded.PCWORK, PCPGID = excluded.PCPGID, "
                         "PCLADT = excluded.PCLADT");
    bindText(st, 1, call.text(QStringLiteral("pccmcd")));
    bindText(st, 2, call.text(QStringLiteral("pcbuut")));
    bindText(st, 3, call.text(QStringLiteral("pcpoid")));
    bindText(st, 4, kind);
    bindText(st, 5, call.text(QStringLiteral("pcwork")));
    bindText(st, 6, call.text(QStringLiteral("pcpgid")));
    bindText(st, 7, nowText());
    call.answer.rowsAffected = st.exec();
}

} // namespace

void registerConfigProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0000_POS_CONFIG"), false, selectConfig);
    registry.add(QStringLiteral("GP_UPSERT_F0000_POS_CONFIG"), true, upsertConfig);
    registry.add(QStringLiteral("GP_SELECT_F0003_ProductPOSConfig"), false, selectPrinterKind);
    registry.add(QStringLiteral("GP_INSERT_F0003_ProductPOSConfig"), true, insertPrinterKind);
}

} // namespace hq
