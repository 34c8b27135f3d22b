#include "shell/SignInSource.h"

#include "core/MyConfig.h"
#include "platform/dataset/DataSet.h"

namespace {
SignInSource *signInSource = nullptr;
}

void SetSignInSource(SignInSource *source)
{
    signInSource = source;
}

SignInSource *CurrentSignInSource()
{
    return signInSource;
}

void CopySignInRowToUserSlot(DataSet &signInRow)
{
    auto text = [&](const char *name) { return signInRow.FieldByName(QLatin1String(name)).AsString(); };
    auto flag = [&](const char *name) { return signInRow.FieldByName(QLatin1String(name)).AsBoolean(); };
    // Read every column before writing: a missing one leaves the slot as it was.
    const QString number = text("UIADNB");
    const QString name = text("ABNAME");
    const bool y = flag("UIYAUG"), j = flag("UIJAUG"), t = flag("UITAUG"), p = flag("UIPAUG"),
               h = flag("UIHAUG"), k = flag("UIKAUG"), m = flag("UIMAUG"), s = flag("UISAUG"),
               g = flag("UIGAUG"), u = flag("UIUAUG");
    MyConfig.UIADNB = number;
    MyConfig.ABNAME = name;
    MyConfig.UIYAUG = y;
    MyConfig.UIJAUG = j;
    MyConfig.UITAUG = t;
    MyConfig.UIPAUG = p;
    MyConfig.UIHAUG = h;
    MyConfig.UIKAUG = k;
    MyConfig.UIMAUG = m;
    MyConfig.UISAUG = s;
    MyConfig.UIGAUG = g;
    MyConfig.UIUAUG = u;
}
