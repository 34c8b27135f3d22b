#pragma once
// The stored procedures of the head-office server, one source file per area.

namespace hq {

class Registry;

void registerAllProcedures(Registry &registry);

void registerConfigProcedures(Registry &registry);  // Config.cpp: configuration rows
void registerSignInProcedures(Registry &registry);  // SignIn.cpp: users, sign-in, rights, notices
void registerStockProcedures(Registry &registry);   // Stock.cpp: categories, items, order blocks
void registerPartnerProcedures(Registry &registry); // Partners.cpp: partners and numbering
void registerPatternProcedures(Registry &registry); // Patterns.cpp: order patterns and their lines
void registerAttendanceProcedures(Registry &registry); // Attendance.cpp: time clock, attendance details, holidays
void registerDeliveryProcedures(Registry &registry); // Deliveries.cpp: delivery bookings and their sales
void registerPurchaseOrderProcedures(Registry &registry); // PurchaseOrders.cpp: orders placed, their lines, deletion
void registerReceiptProcedures(Registry &registry); // Receipts.cpp: warehouse receipts, order remainder close
void registerReleaseProcedures(Registry &registry); // Releases.cpp: releases and stock-outs
void registerSalesProcedures(Registry &registry);   // Sales.cpp: received orders and their release state
void registerRecipeProcedures(Registry &registry);  // Recipes.cpp: recipe headers and lines
void registerProductionProcedures(Registry &registry); // Production.cpp: productions and their lines
void registerJobOrderProcedures(Registry &registry); // JobOrders.cpp: job orders, their lines, production forecast
void registerInquiryProcedures(Registry &registry); // Inquiries.cpp: category lists of the inquiry screens
void registerLedgerProcedures(Registry &registry);  // Ledgers.cpp: product and raw-material ledgers, set items
void registerProductionReportProcedures(Registry &registry); // ProductionReports.cpp: production daily report and totals

} // namespace hq
