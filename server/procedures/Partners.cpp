// Partners and document numbering.

#include "Dispatcher.h"
#include "Numbering.h"
#include "procedures/Procedures.h"

namespace hq {

namespace {

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
}

} // namespace hq
