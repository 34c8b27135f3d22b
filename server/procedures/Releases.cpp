// Releases and stock-outs (F3200 / F3201): writing an entry header by header
// and line by line, deleting an entry, the entry list of a store and the lines
// of one entry.
//
// DHCHTY: 001 release to a customer, 003 gift, 004 tasting, 005 discard,
// 010 secondary material.

#include "Dispatcher.h"
#include "Documents.h"
#include "procedures/Procedures.h"

#include "platform/dataset/Vat.h"

#include <SQLiteCpp/Statement.h>

#include <optional>

namespace hq {

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3200_DELIVERYENTRY");
const QString kDelete = QStringLiteral("GP_DELETE_F3200_DELIVERYENTRY");
const QString kNoNumber = QStringLiteral("출고 번호가 없습니다.");

// The names of the release types the screens filter and show; fixed, so
// that a company's code table cannot rename what the screens match.
const char *kReleaseTypeName = "CASE h.DHCHTY WHEN '001' THEN '출고' WHEN '003' THEN '증정' WHEN '004' THEN '시식'"
                               " WHEN '005' THEN '폐기' WHEN '010' THEN '2차재료' ELSE '' END";

bool isReleaseType(const QString &type)
{
    static const QStringList types = {QStringLiteral("001"), QStringLiteral("003"), QStringLiteral("004"),
                                      QStringLiteral("005"), QStringLiteral("010")};
    return types.contains(type);
}

QString trimmed(const Call &call, const char *name) { return call.text(QString::fromLatin1(name)).trimmed(); }

// A header sent again replaces the entry with its lines (a retried save, or
// the same number saved twice), so an entry never holds stale lines.
void writeEntryHeader(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("DH"), kNoNumber);
    const QString type = trimmed(call, "A_DHCHTY");
    if (!isReleaseType(type))
        throw CallError(QStringLiteral("올바른 출고 구분이 아닙니다: %1").arg(type));
    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    auto integer = [&](const char *name) { return QVariant(call.integer(QString::fromLatin1(name))); };
    auto flag = [&](const char *name) { return QVariant(call.boolean(QString::fromLatin1(name))); };
    const RowValues values = {
        {QStringLiteral("DHCMCD"), k.cmcd},
        {QStringLiteral("DHBUUT"), k.buut},
        {QStringLiteral("DHMONTH"), k.month},
        {QStringLiteral("DHNUMB"), k.numb},
        {QStringLiteral("DHYEAR"), text("A_DHYEAR")},
        {QStringLiteral("DHDATE"), text("A_DHDATE")},
        {QStringLiteral("DHADNB"), text("A_DHADNB")},
        {QStringLiteral("DHCHTY"), type},
        {QStringLiteral("DHKSGU"), text("A_DHKSGU")},
        {QStringLiteral("DHTXGU"), text("A_DHTXGU")},
        {QStringLiteral("DHGAMT"), integer("A_DHGAMT")},
        {QStringLiteral("DHTAX"), integer("A_DHTAX")},
        {QStringLiteral("DHAMT"), integer("A_DHAMT")},
        {QStringLiteral("DHDAMT"), integer("A_DHDAMT")},
        {QStringLiteral("DHGEFL"), flag("A_DHGEFL")},
        {QStringLiteral("DHSBFL"), flag("A_DHSBFL")},
        {QStringLiteral("DHSEME"), text("A_DHSEME")},
        {QStringLiteral("DHBIGO"), text("A_DHBIGO")},
        {QStringLiteral("DHPOID"), text("A_DHPOID")},
        {QStringLiteral("DHCHDA"), text("A_DHCHDA")},
        {QStringLiteral("DHCHYI"), text("A_DHCHYI")},
        {QStringLiteral("DHBARS"), text("A_DHBARS")},
        {QStringLiteral("DHPDFL"), flag("A_DHPDFL")},
        {QStringLiteral("DHKEMONTH"), text("A_DHKEMONTH")},
        {QStringLiteral("DHKENUMB"), integer("A_DHKENUMB")},
        {QStringLiteral("DHKMMONTH"), text("A_DHKMMONTH")},
        {QStringLiteral("DHKMNUMB"), integer("A_DHKMNUMB")}, // arrives null from the stock-out screens
        {QStringLiteral("DHLINB"), text("A_DHLINB")},
        {QStringLiteral("DHIBBUUT_RT"), text("A_DHIBBUUT_RT")},
        {QStringLiteral("DHIBMONTH_RT"), text("A_DHIBMONTH_RT")},
        {QStringLiteral("DHIBNUMB_RT"), integer("A_DHIBNUMB_RT")},
        {QStringLiteral("DHIBLINB"), text("A_DHIBLINB")},
        {QStringLiteral("DHWORK"), text("A_DHWORK")},
        {QStringLiteral("DHPGID"), text("A_DHPGID")},
        {QStringLiteral("DHLADT"), nowText()},
    };
    writeHeader(call.db, docs::release(), values);
}

// The tax kind a release's amounts are split by: the header's own, else its
// customer's.
QString releaseTaxKind(SQLite::Database &db, const DocumentKey &k)
{
    Prepared st(db, u8(QStringLiteral("SELECT COALESCE(NULLIF(h.DHTXGU, ''), ")
                       + partnerSql(QStringLiteral("p.ABTXGU"), QStringLiteral("h.DHCMCD"), QStringLiteral("h.DHBUUT"),
                                    QStringLiteral("h.DHADNB"))
                       + QStringLiteral(") FROM F3200 h WHERE h.DHCMCD = ?1 AND h.DHBUUT = ?2 AND h.DHMONTH = ?3"
                                        " AND h.DHNUMB = ?4")));
    bindText(*st, 1, k.cmcd);
    bindText(*st, 2, k.buut);
    bindText(*st, 3, k.month);
    st->bind(4, static_cast<int64_t>(k.numb));
    return st->executeStep() ? QString::fromStdString(st->getColumn(0).getString()) : QString();
}

// The unit price of a received-order line.
qint64 receivedOrderPrice(SQLite::Database &db, const DocumentKey &k, const LineReference &ref)
{
    Prepared st(db, "SELECT ODUPRC FROM F2401 WHERE ODCMCD = ?1 AND ODBUUT = ?2 AND ODMONTH = ?3 AND ODNUMB = ?4"
                    " AND ODSEQ = ?5");
    bindText(*st, 1, k.cmcd);
    bindText(*st, 2, k.buut);
    bindText(*st, 3, ref.month);
    st->bind(4, static_cast<int64_t>(ref.number));
    st->bind(5, static_cast<int64_t>(ref.seq));
    return st->executeStep() ? st->getColumn(0).getInt64() : 0;
}

bool isUnset(const Call &call, const char *name)
{
    const QString n = QString::fromLatin1(name);
    return call.value(n).isNull() || call.text(n).trimmed().isEmpty();
}

// One line of an existing entry; a line sent again under the same sequence
// replaces the earlier one. A line naming a received order (A_DDSUNUMB > 0)
// is tied to the order line it releases (DDRF*, see resolveLineReference),
// which on a release to a customer must be that customer's order; the month,
// number and sequence are also kept as sent. A line without a
// price takes the order line's; a line without an amount (A_DDAMT not set)
// gets quantity x price, truncated, split into supply and VAT by the
// release's tax kind.
void writeEntryLine(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("DD"), kNoNumber);
    const qint64 seq = call.integer(QStringLiteral("A_DDSEQ"));
    if (seq <= 0)
        throw CallError(QStringLiteral("출고 순번이 없습니다."));
    const QString item = trimmed(call, "A_DDITNB");
    if (item.isEmpty())
        throw CallError(QStringLiteral("품목이 지정되지 않았습니다."));
    if (!documentExists(call.db, docs::release(), k))
        throw CallError(QStringLiteral("출고 내역이 없습니다: %1").arg(numberText(k.month, k.numb)));

    const std::optional<LineReference> ref =
        resolveLineReference(call.db, docs::receivedOrder(), k.cmcd, k.buut, trimmed(call, "A_DDSUMONTH"),
                             call.integer(QStringLiteral("A_DDSUNUMB")), call.integer(QStringLiteral("A_DDSUSEQ")),
                             item);
    // A release to a customer ("001") releases only that customer's received
    // orders; stock-outs carry no customer and are not checked.
    if (ref)
        if (const auto m = partnerMismatch(call.db, docs::release(), k, docs::receivedOrder(), *ref,
                                           QStringLiteral("h.DHCHTY = '001'")))
            throw CallError(QStringLiteral("다른 거래처의 수주입니다: 수주 %1의 거래처는 %2(%3), 출고처는 %4(%5)입니다.")
                                .arg(numberText(ref->month, ref->number), m->orderName, m->orderCode, m->docName,
                                     m->docCode));

    Prepared del(call.db, "DELETE FROM F3201 WHERE DDCMCD = ?1 AND DDBUUT = ?2 AND DDMONTH = ?3 AND DDNUMB = ?4"
                          " AND DDSEQ = ?5");
    bindText(*del, 1, k.cmcd);
    bindText(*del, 2, k.buut);
    bindText(*del, 3, k.month);
    del->bind(4, static_cast<int64_t>(k.numb));
    del->bind(5, static_cast<int64_t>(seq));
    del->exec();
    const double qty = call.number(QStringLiteral("A_DDQTY"));
    qint64 price = call.integer(QStringLiteral("A_DDUPRC"));
    if (price == 0 && ref)
        price = receivedOrderPrice(call.db, k, *ref);
    QVariant amount = call.integer(QStringLiteral("A_DDAMT"));
    QVariant supply = call.integer(QStringLiteral("A_DDGAMT"));
    QVariant vat = call.integer(QStringLiteral("A_DDTAX"));
    if (isUnset(call, "A_DDAMT")) {
        const Currency total(Currency::fromDouble(qty) * price);
        const VatSplit split = SplitVat(Currency(total.Trunc()), releaseTaxKind(call.db, k));
        amount = total.Trunc();
        supply = split.supply;
        vat = split.vat;
    }

    auto text = [&](const char *name) { return QVariant(trimmed(call, name)); };
    auto integer = [&](const char *name) { return QVariant(call.integer(QString::fromLatin1(name))); };
    auto number = [&](const char *name) { return QVariant(call.number(QString::fromLatin1(name))); };
    insertRow(call.db, QStringLiteral("F3201"),
              {
                  {QStringLiteral("DDCMCD"), k.cmcd},
                  {QStringLiteral("DDBUUT"), k.buut},
                  {QStringLiteral("DDMONTH"), k.month},
                  {QStringLiteral("DDNUMB"), k.numb},
                  {QStringLiteral("DDSEQ"), seq},
                  {QStringLiteral("DDITNB"), item},
                  {QStringLiteral("DDBAR"), text("A_DDBAR")},
                  {QStringLiteral("DDRFID"), text("A_DDRFID")},
                  {QStringLiteral("DDLINB"), text("A_DDLINB")},
                  {QStringLiteral("DDUNIT"), text("A_DDUNIT")},
                  {QStringLiteral("DDQTY"), qty},
                  {QStringLiteral("DDUPRC"), price},
                  {QStringLiteral("DDAMT"), amount},
                  {QStringLiteral("DDGAMT"), supply},
                  {QStringLiteral("DDTAX"), vat},
                  {QStringLiteral("DDBDAN"), text("A_DDBDAN")},
                  {QStringLiteral("DDMDAN"), text("A_DDMDAN")},
                  {QStringLiteral("DDLDAN"), text("A_DDLDAN")},
                  {QStringLiteral("DDMQTY"), number("A_DDMQTY")},
                  {QStringLiteral("DDSQTY"), number("A_DDSQTY")},
                  {QStringLiteral("DDMCAL"), number("A_DDMCAL")},
                  {QStringLiteral("DDIBMONTH"), text("A_DDIBMONTH")},
                  {QStringLiteral("DDIBNUMB"), integer("A_DDIBNUMB")},
                  {QStringLiteral("DDIBSEQ"), integer("A_DDIBSEQ")},
                  {QStringLiteral("DDSUMONTH"), text("A_DDSUMONTH")},
                  {QStringLiteral("DDSUNUMB"), integer("A_DDSUNUMB")},
                  {QStringLiteral("DDSUSEQ"), integer("A_DDSUSEQ")},
                  {QStringLiteral("DDRFMONTH"), ref ? QVariant(ref->month) : QVariant()},
                  {QStringLiteral("DDRFNUMB"), ref ? QVariant(ref->number) : QVariant()},
                  {QStringLiteral("DDRFSEQ"), ref ? QVariant(ref->seq) : QVariant()},
                  {QStringLiteral("DDLDANGB"), text("A_DDLDANGB")},
                  {QStringLiteral("DDTXGU"), text("A_DDTXGU")},
                  {QStringLiteral("DDEDFLYN"), text("A_EDFLYN")},
                  {QStringLiteral("DDWORK"), text("A_DDWORK")},
                  {QStringLiteral("DDPGID"), text("A_DDPGID")},
                  {QStringLiteral("DDLADT"), nowText()},
              });
}

// A_GUBUN 1 writes the header, 2 one line.
void insertDeliveryEntry(Call &call)
{
    switch (call.integer(QStringLiteral("A_GUBUN"))) {
    case 1: writeEntryHeader(call); return;
    case 2: writeEntryLine(call); return;
    default: throw CallError(QStringLiteral("올바른 구분이 아닙니다: %1").arg(call.text(QStringLiteral("A_GUBUN"))));
    }
}

// Deletes an entry with its lines and records who did it.
void deleteDeliveryEntry(Call &call)
{
    const DocumentKey k = requireDocumentKey(call, QStringLiteral("DH"), kNoNumber);
    if (!deleteDocument(call.db, docs::release(), k.values()))
        throw CallError(QStringLiteral("삭제할 출고 내역이 없습니다."));
    audit(call, kDelete, k.text(), trimmed(call, "A_DHWORK"), trimmed(call, "A_DHPGID"));
}

// Every entry of the store dated within [a_stdt, a_eddt] (an empty bound is
// open), by date and number; a_name narrows to customers whose name contains
// it, a_month / a_numb to one entry. The screens filter the types themselves.
void selectEntries(Call &call)
{
    const QString customer = partnerNameSql(QStringLiteral("h.DHCMCD"), QStringLiteral("h.DHBUUT"),
                                            QStringLiteral("h.DHADNB"));
    const QString sql =
        QStringLiteral("SELECT ") + numberTextSql(QStringLiteral("h.DHMONTH"), QStringLiteral("h.DHNUMB"))
        + QStringLiteral(", CASE WHEN h.DHADNB = '' THEN '' ELSE ") + customer + QStringLiteral(" END, h.DHCHTY, ")
        + QString::fromUtf8(kReleaseTypeName)
        + QStringLiteral(
            ", h.DHMONTH, h.DHNUMB, CASE WHEN h.DHDATE = '' THEN '19000101' ELSE h.DHDATE END,"
            " CASE WHEN h.DHCHTY = '001' THEN COALESCE(NULLIF(h.DHTXGU, ''), ")
        + partnerSql(QStringLiteral("p.ABTXGU"), QStringLiteral("h.DHCMCD"), QStringLiteral("h.DHBUUT"),
                     QStringLiteral("h.DHADNB"))
        + QStringLiteral(") ELSE '' END"
            " FROM F3200 h WHERE h.DHCMCD = ?1 AND h.DHBUUT = ?2"
            " AND (?3 = '' OR h.DHDATE >= ?3) AND (?4 = '' OR h.DHDATE <= ?4)"
            " AND (?5 = '' OR h.DHMONTH = ?5) AND (?6 <= 0 OR h.DHNUMB = ?6)"
            " AND (?7 = '' OR instr(lower(")
        + customer + QStringLiteral("), lower(?7)) > 0) ORDER BY h.DHDATE, h.DHMONTH, h.DHNUMB");
    call.open({T("bunho", 12), T("DHADNB_name", 50), T("DHCHTY", 3), T("DHCHTY_NAME", 20), T("DHMONTH", 6),
               I("DHNUMB"), DT("DHDATE"), T("DHTXGU", 1)},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) {
                  bindText(st, 1, trimmed(call, "a_cmcd"));
                  bindText(st, 2, trimmed(call, "a_buut"));
                  bindText(st, 3, trimmed(call, "a_stdt"));
                  bindText(st, 4, trimmed(call, "a_eddt"));
                  bindText(st, 5, trimmed(call, "a_month"));
                  st.bind(6, static_cast<int64_t>(call.integer(QStringLiteral("a_numb"))));
                  bindText(st, 7, trimmed(call, "a_name"));
              });
}

// The lines of one entry in line order, with the item's type name and name,
// the received order a line references, and the slip's numbers and names.
void selectEntryLines(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT d.DDSEQ, d.DDITNB, ") + itemTypeNameSql(QStringLiteral("i.IMITTY"))
        + QStringLiteral(", COALESCE(i.IMNAME, ''), d.DDUNIT, d.DDQTY, d.DDUPRC, d.DDAMT,"
                         " CASE WHEN o.OHNUMB IS NULL THEN '' ELSE ")
        + numberTextSql(QStringLiteral("o.OHMONTH"), QStringLiteral("o.OHNUMB"))
        + QStringLiteral(" END, COALESCE(ol.ODQTY, 0), COALESCE(d.DDSUNUMB, 0), ")
        + numberTextSql(QStringLiteral("h.DHMONTH"), QStringLiteral("h.DHNUMB"))
        + QStringLiteral(", CASE WHEN o.OHBANUMB IS NULL OR o.OHBAMONTH IS NULL THEN '' ELSE ")
        + numberTextSql(QStringLiteral("o.OHBAMONTH"), QStringLiteral("o.OHBANUMB")) + QStringLiteral(" END, ")
        + partnerNameSql(QStringLiteral("h.DHCMCD"), QStringLiteral("h.DHBUUT"), QStringLiteral("h.DHBUUT"))
        + QStringLiteral(", CASE WHEN h.DHADNB = '' THEN '' ELSE ")
        + partnerNameSql(QStringLiteral("h.DHCMCD"), QStringLiteral("h.DHBUUT"), QStringLiteral("h.DHADNB"))
        + QStringLiteral(
            " END FROM F3201 d JOIN F3200 h ON h.DHCMCD = d.DDCMCD AND h.DHBUUT = d.DDBUUT"
            " AND h.DHMONTH = d.DDMONTH AND h.DHNUMB = d.DDNUMB"
            " LEFT JOIN F0200 i ON i.IMCMCD = d.DDCMCD AND i.IMBUUT = d.DDBUUT AND i.IMITNB = d.DDITNB"
            " LEFT JOIN F2400 o ON o.OHCMCD = d.DDCMCD AND o.OHBUUT = d.DDBUUT AND o.OHMONTH = d.DDRFMONTH"
            " AND o.OHNUMB = d.DDRFNUMB"
            " LEFT JOIN F2401 ol ON ol.ODCMCD = o.OHCMCD AND ol.ODBUUT = o.OHBUUT AND ol.ODMONTH = o.OHMONTH"
            " AND ol.ODNUMB = o.OHNUMB AND ol.ODSEQ = d.DDRFSEQ"
            " WHERE d.DDCMCD = ?1 AND d.DDBUUT = ?2 AND d.DDMONTH = ?3 AND d.DDNUMB = ?4 ORDER BY d.DDSEQ");
    call.open({I("DDSEQ"), T("DDITNB", 6), T("itty_name", 20), T("IMNAME", 50), T("DDUNIT", 3), F("DDQTY"),
               I("DDUPRC"), I("DDAMT"), T("bunho", 12), F("odqty"), I("DDSUNUMB"), T("chulgo_bunho", 12),
               T("balju_bunho", 12), T("chulgo_name", 50), T("balju_name", 50)},
              sql.toUtf8().constData(), [&](SQLite::Statement &st) { bindDocumentKey(st, call); });
}

} // namespace

void registerReleaseProcedures(Registry &registry)
{
    registry.add(kInsert, true, insertDeliveryEntry);
    registry.add(kDelete, true, deleteDeliveryEntry);
    registry.add(QStringLiteral("GP_SELECT_F3200_DELIVERYENTRY_POS"), false, selectEntries);
    registry.add(QStringLiteral("GP_SELECT_F3201_DELIVERYENTRY"), false, selectEntryLines);
}

} // namespace hq
