// The work screens the program has, registered with their menu Tags and
// global instances. A menu Tag not listed here opens a placeholder screen.
#include "attendance/U638_AttendModify.h"
#include "documents/U10021_Warehouse.h"
#include "documents/U10051_deliver.h"
#include "documents/U1007_TwoMaterialDisuse.h"
#include "documents/U1009_TastePresent.h"
#include "documents/U618_TblOrdList.h"
#include "documents/U652_RegOrder.h"
#include "shell/MenuTags.h"
#include "production/U1003_Produce.h"
#include "production/U1301_JobOrder.h"
#include "production/U1302_PRODUCTDAILYREPORT.h"
#include "production/U1303_DAILYPRODUCTSUM.h"
#include "production/U1304_ITEMPRODUCTSUM.h"
#include "production/U1307_RECIPYVIEW.h"
#include "inquiries/U1305_PRODStockInquiry.h"
#include "inquiries/U1306_MATStockInquiry.h"
#include "inquiries/U656_StockDetail.h"
#include "inquiries/U690_NormalStock.h"
#include "shell/ScreenRegistry.h"
#include "signin/u501_Login.h"

void RegisterWorkScreens()
{
    // One line per built screen, e.g.
    //   RegisterScreen<TF652_RegOrder>(501301, F652_RegOrder);
    RegisterScreen<TF638_AttendModify>(MenuTag::TimeClock, F638_AttendModify);
    RegisterScreen<TF652_RegOrder>(MenuTag::RegOrder, F652_RegOrder);
    RegisterScreen<TF10021_Warehouse>(MenuTag::Warehouse, F10021_Warehouse);
    RegisterScreen<TF1009_TastePresent>(MenuTag::TastePresent, F1009_TastePresent);
    RegisterScreen<TF1007_TwoMaterialDisuse>(MenuTag::TwoMaterialDisuse, F1007_TwoMaterialDisuse);
    RegisterScreen<TF10051_deliver>(MenuTag::Deliver, F10051_deliver);
    RegisterScreen<TF1003_Produce>(MenuTag::Produce, F1003_Produce);
    RegisterScreen<TF1301_JobOrder>(MenuTag::JobOrder, F1301_JobOrder);
    RegisterScreen<TF1302_PRODUCTDAILYREPORT>(MenuTag::ProductDailyReport, F1302_PRODUCTDAILYREPORT);
    RegisterScreen<TF1303_DAILYPRODUCTSUM>(MenuTag::DailyProductSum, F1303_DAILYPRODUCTSUM);
    RegisterScreen<TF1304_ITEMPRODUCTSUM>(MenuTag::ItemProductSum, F1304_ITEMPRODUCTSUM);
    RegisterScreen<TF1307_RECIPYVIEW>(MenuTag::RecipeView, F1307_RECIPYVIEW);
    RegisterScreen<TF656_StockDetail>(MenuTag::StockDetail, F656_StockDetail);
    RegisterScreen<TF690_NormalStock>(MenuTag::NormalStock, F690_NormalStock);
    RegisterScreen<TF1305_PRODSTOCKINQUIRY>(MenuTag::ProductLedger, F1305_PRODSTOCKINQUIRY);
    RegisterScreen<TF1306_MATSTOCKINQUIRY>(MenuTag::MaterialLedger, F1306_MATSTOCKINQUIRY);

    // The sign-in screen's table-order button.
    SetTableOrderWindowFactory([](QWidget *parent) -> QDialog * {
        return F618_TblOrdList = new TF618_TblOrdList(parent);
    });
}
