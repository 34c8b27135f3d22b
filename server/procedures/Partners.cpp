// Partners and document numbering.

#include "Dispatcher.h"
#include "Numbering.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

// Trading partners. OPTION 5 with a store code: the partner list of that store,
// every other business unit of the company (MYADNB = the unit's code) followed
// by the store's suppliers and customers in use (MYADNB = ABADNB), units by
// code, then partners by code. OPTION 5 without a store code, and OPTION 7:
// the company's business units, each once, the asking store included. A short
// name left empty reads as the full name.
void selectPartners(Call &call)
{
    const qint64 option = call.integer(QStringLiteral("OPTION"), -1);
    const QString store = call.text(QStringLiteral("STORECODE")).trimmed();
    const Cols cols = {T("ABBUUT", 4), T("ABADNB", 8), T("ABNAME", 50), T("ABSNAM", 50),
                       T("MYADNB", 8), T("ABTXGU", 1), T("ABKSGU", 3)};
    const char *columns = "SELECT ABBUUT, ABADNB, ABNAME, CASE WHEN ABSNAM = '' THEN ABNAME ELSE ABSNAM END,"
                          " CASE WHEN ABADNB = '00000000' THEN ABBUUT ELSE ABADNB END, ABTXGU, ABKSGU FROM F0100";
    if (option == 5 && !store.isEmpty()) {
        call.open(cols,
                  (QByteArray(columns)
                   + " WHERE ABCMCD = ?1 AND ABUSFL = 1 AND ((ABADNB = '00000000' AND ABBUUT <> ?2)"
                     " OR (ABADNB <> '00000000' AND ABBUUT = ?2 AND ABADTY IN ('002', '003')))"
                     " ORDER BY ABADNB <> '00000000', CASE WHEN ABADNB = '00000000' THEN ABBUUT ELSE ABADNB END")
                      .constData(),
                  [&](SQLite::Statement &st) {
                      bindText(st, 1, call.text(QStringLiteral("COMPCODE")));
                      bindText(st, 2, store);
                  });
        return;
    }
    if (option == 5 || option == 7) {
        call.open(cols,
                  (QByteArray(columns)
                   + " WHERE ABCMCD = ?1 AND ABUSFL = 1 AND ABADNB = '00000000' ORDER BY ABBUUT")
                      .constData(),
                  [&](SQLite::Statement &st) { bindText(st, 1, call.text(QStringLiteral("COMPCODE"))); });
        return;
    }
    throw CallError(QStringLiteral("unknown OPTION %1").arg(option));
}

void selectMaxNumber(Call &call)
{
    const qint64 kind = call.integer(QStringLiteral("A_GUBUN"), -1);
    const qint64 number = drawNumber(call.db, call.text(QStringLiteral("A_CMCD")), call.text(QStringLiteral("A_BUUT")),
                                     kind, call.text(QStringLiteral("A_MONTH")).trimmed());
    call.answer.columns = {{QStringLiteral("numb"), wire::Type::Integer, 0}};
    call.answer.rows = {QVariantList{number}};
}

} // namespace

void registerPartnerProcedures(Registry &registry)
{
    registry.add(QStringLiteral("GP_SELECT_MAXNUMBER"), true, selectMaxNumber);
    registry.add(QStringLiteral("GP_SELECT_F0100_RegOrder_Susin_Search"), false, selectPartners);
}

} // namespace hq
