#include "procedures/Procedures.h"

#include "Dispatcher.h"

namespace hq {

void registerAllProcedures(Registry &registry)
{
    registerConfigProcedures(registry);
    registerSignInProcedures(registry);
    registerStockProcedures(registry);
    registerPartnerProcedures(registry);
    registerDeliveryProcedures(registry);
}

} // namespace hq
