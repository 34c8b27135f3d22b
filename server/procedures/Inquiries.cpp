// Inquiries: the lists behind the history and stock screens' filters. The
// production categories here are the ones items carry in IMSDKI / IMSJKI,
// so a list of products or semi-products can be narrowed by them.

#include "Dispatcher.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

// The production major categories of a store (type "3", level "3") in use,
// in their order.
void selectProductionMajors(Call &call)
{
    call.open({T("GKGKID", 3), T("GKNAME", 50)},
              "SELECT GKGKID, GKNAME FROM F0060 WHERE GKCMCD = ?1 AND GKBUUT = ?2 AND GKITTY = '3' AND GKDJGU = '3'"
              " AND GKUSFL = 1 ORDER BY GKSEQ, GKGKID",
              {"COMPCODE", "STORECODE"});
}

// The production middle categories of one major category, in their order;
// none for an empty major id.
void selectProductionMiddles(Call &call)
{
    call.open({T("MKMKID", 3), T("MKNAME", 50)},
              "SELECT MKMKID, MKNAME FROM F0061 WHERE MKCMCD = ?1 AND MKBUUT = ?2 AND MKGKID = ?3 AND ?3 <> ''"
              " AND MKITTY = '3' AND MKDJGU = '3' AND MKUSFL = 1 ORDER BY MKSEQ, MKMKID",
              {"COMPCODE", "STORECODE", "Edit2"});
}

} // namespace

void registerInquiryProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_F0060_StockDetail_SengSang_Search"), false, selectProductionMajors);
    registry.add(QStringLiteral("GP_SELECT_F0061_StockDetail_SengSang_Search"), false, selectProductionMiddles);
}

} // namespace hq
