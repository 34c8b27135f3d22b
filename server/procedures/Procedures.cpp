#include "procedures/Procedures.h"

#include "Dispatcher.h"

namespace hq {

void registerAllProcedures(Registry &registry)
{
    registerConfigProcedures(registry);
    registerSignInProcedures(registry);
    registerStockProcedures(registry);
    registerPartnerProcedures(registry);
    registerPatternProcedures(registry);
    registerAttendanceProcedures(registry);
    registerDeliveryProcedures(registry);
    registerPurchaseOrderProcedures(registry);
    registerReceiptProcedures(registry);
    registerReleaseProcedures(registry);
    registerSalesProcedures(registry);
    registerRecipeProcedures(registry);
    registerProductionProcedures(registry);
    registerJobOrderProcedures(registry);
    registerInquiryProcedures(registry);
    registerLedgerProcedures(registry);
    registerProductionReportProcedures(registry);
}

} // namespace hq
