#include "shell/ScreenRegistry.h"

#include "shell/PlaceholderScreen.h"
#include "shell/WorkScreen.h"

#include <QHash>
#include <QPointer>

namespace {

ScreenInfo info(int tag, const char *className, const char *title, const char *workTable = "")
{
    ScreenInfo row;
    row.tag = tag;
    row.className = QLatin1String(className);
    row.globalName = row.className.mid(1); // TF652_RegOrder -> F652_RegOrder
    row.title = QString::fromUtf8(title);
    row.workTableName = QLatin1String(workTable);
    return row;
}

struct Registration {
    QString className;
    ScreenFactory create;
    ScreenGlobalSetter setGlobal;
};

QHash<int, Registration> &registrations()
{
    static QHash<int, Registration> table;
    return table;
}

QHash<int, QPointer<TWorkScreen>> &instances()
{
    static QHash<int, QPointer<TWorkScreen>> table;
    return table;
}

} // namespace

const QList<ScreenInfo> &MenuScreens()
{
    static const QList<ScreenInfo> screens = {
        info(501301, "TF652_RegOrder", "패턴 발주", "VTB_PATTERNBALJU"),
        info(501302, "TF10021_Warehouse", "입고 등록", "VTB_PATTERNBALJU"),
        info(501303, "TF1003_Produce", "생산 등록", "vtb_STOCK"),
        info(501304, "TF10051_deliver", "거래처 출고", "VTB_PATTERNBALJU"),
        info(501305, "TF1009_TastePresent", "시식/증정", "vtb_STOCK"),
        info(501306, "TF1007_TwoMaterialDisuse", "부자재/폐기", "vtb_STOCK"),
        info(501307, "TF656_StockDetail", "내역 조회"),
        info(501308, "TF1301_JobOrder", "작업 지시", "vtb_STOCK"),
        info(501309, "TF1302_PRODUCTDAILYREPORT", "생산 일보"),
        info(501310, "TF1303_DAILYPRODUCTSUM", "일별 생산 집계"),
        info(501311, "TF1304_ITEMPRODUCTSUM", "품목별 생산 집계"),
        info(501312, "TF1305_PRODSTOCKINQUIRY", "제품 수불부"),
        info(501313, "TF1306_MATSTOCKINQUIRY", "원재료 수불부"),
        info(501314, "TF1307_RECIPYVIEW", "레시피 조회"),
        info(501315, "TF638_AttendModify", "출퇴근 관리"),
        info(501317, "TF690_NormalStock", "지점 재고 현황"),
    };
    return screens;
}

const ScreenInfo *FindMenuScreen(int tag)
{
    for (const ScreenInfo &row : MenuScreens())
        if (row.tag == tag)
            return &row;
    return nullptr;
}

void RegisterScreenFactory(int tag, const QString &className, ScreenFactory create,
                           ScreenGlobalSetter setGlobal)
{
    Registration entry;
    entry.className = className;
    if (entry.className.isEmpty())
        if (const ScreenInfo *row = FindMenuScreen(tag))
            entry.className = row->className;
    entry.create = std::move(create);
    entry.setGlobal = std::move(setGlobal);
    registrations().insert(tag, std::move(entry));
}

void UnregisterScreen(int tag)
{
    registrations().remove(tag);
}

bool IsScreenRegistered(int tag)
{
    return registrations().contains(tag);
}

TWorkScreen *CreateScreen(int tag)
{
    const auto found = registrations().constFind(tag);
    if (found != registrations().constEnd() && found->create)
        return found->create();
    if (const ScreenInfo *row = FindMenuScreen(tag))
        return new TPlaceholderScreen(*row);
    return nullptr;
}

void SetScreenInstance(int tag, TWorkScreen *screen)
{
    if (screen)
        instances().insert(tag, screen);
    else
        instances().remove(tag);
    const auto found = registrations().constFind(tag);
    if (found != registrations().constEnd() && found->setGlobal)
        found->setGlobal(screen);
}

TWorkScreen *ScreenInstance(int tag)
{
    return instances().value(tag);
}
