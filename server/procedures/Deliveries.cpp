// Delivery orders of the table-order window: bookings with their sales, and
// the lines of one sale.

#include "Dispatcher.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

// The store's bookings whose orderer, receiver, phone or memo contains the
// text (taken literally: no wildcards); without a text, the bookings to be
// delivered today or later. By delivery date, then booking number.
void selectBookings(Call &call)
{
    call.open({T("OBJUPE", 50), T("OBJBDT", 10), T("OBYEDT", 10), I("SHAMT"), T("SHBUUT", 4), I("SHNUMB"),
               T("SHPOID", 2), T("SHDATE", 8), T("OBRPER", 50), T("OBJUMB", 20), T("OBBIGO", 200), I("OBNUMB")},
              "SELECT b.OBJUPE, b.OBJBDT, b.OBYEDT, COALESCE(s.SHAMT, 0), b.OBBUUT, b.OBSHNUMB, b.OBSHPOID,"
              " b.OBSHDATE, b.OBRPER, b.OBJUMB, b.OBBIGO, b.OBNUMB"
              " FROM F4104 b"
              " LEFT JOIN F4100 s ON s.SHCMCD = b.OBCMCD AND s.SHBUUT = b.OBBUUT AND s.SHDATE = b.OBSHDATE"
              " AND s.SHPOID = b.OBSHPOID AND s.SHNUMB = b.OBSHNUMB"
              " WHERE b.OBCMCD = ?1 AND b.OBBUUT = ?2"
              " AND (CASE WHEN ?3 = '' THEN b.OBYEDT >= date('now', 'localtime')"
              " ELSE instr(b.OBJUPE, ?3) > 0 OR instr(b.OBRPER, ?3) > 0 OR instr(b.OBJUMB, ?3) > 0"
              " OR instr(b.OBBIGO, ?3) > 0 END)"
              " ORDER BY b.OBYEDT, b.OBNUMB",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("COMPCODE")));
                  bindText(st, 2, call.text(QStringLiteral("STORECODE")));
                  bindText(st, 3, call.text(QStringLiteral("edt_Deliveredsearch")).trimmed());
              });
}

// The lines of one sale, in line order, with the item names of the sale's store.
void selectSaleLines(Call &call)
{
    call.open({T("IMNAME", 50), F("SDQTY"), I("SDAMT")},
              "SELECT COALESCE(i.IMNAME, ''), d.SDQTY, d.SDAMT"
              " FROM F4101 d"
              " LEFT JOIN F0200 i ON i.IMCMCD = d.SDCMCD AND i.IMBUUT = d.SDBUUT AND i.IMITNB = d.SDITNB"
              " WHERE d.SDCMCD = ?1 AND d.SDBUUT = ?2 AND d.SDNUMB = ?3 AND d.SDPOID = ?4 AND d.SDDATE = ?5"
              " ORDER BY d.SDSEQ",
              [&](SQLite::Statement &st) {
                  bindText(st, 1, call.text(QStringLiteral("COMPCODE")));
                  bindText(st, 2, call.text(QStringLiteral("STORECODE")));
                  st.bind(3, static_cast<int64_t>(call.integer(QStringLiteral("Edit2"))));
                  bindText(st, 4, call.text(QStringLiteral("PosID")));
                  bindText(st, 5, call.text(QStringLiteral("DATE")).trimmed());
              });
}

} // namespace

void registerDeliveryProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F4104_SuppOrder_JumunSearch"), false, selectBookings);
    registry.add(QStringLiteral("GP_SELECT_F4101_SuppOrder_DetailSearch"), false, selectSaleLines);
}

} // namespace hq
