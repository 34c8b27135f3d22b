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
    static const struct {
        const char *column;
        bool TMyConfig::*slot;
    } flags[] = {{"UIYAUG", &TMyConfig::UIYAUG}, {"UIJAUG", &TMyConfig::UIJAUG}, {"UITAUG", &TMyConfig::UITAUG},
                 {"UIPAUG", &TMyConfig::UIPAUG}, {"UIHAUG", &TMyConfig::UIHAUG}, {"UIKAUG", &TMyConfig::UIKAUG},
                 {"UIMAUG", &TMyConfig::UIMAUG}, {"UISAUG", &TMyConfig::UISAUG}, {"UIGAUG", &TMyConfig::UIGAUG},
                 {"UIUAUG", &TMyConfig::UIUAUG}};
    // Read every column before writing: a missing one leaves the slot as it was.
    TMyConfig slot = MyConfig;
    slot.UIADNB = signInRow.FieldByName(QStringLiteral("UIADNB")).AsString();
    slot.ABNAME = signInRow.FieldByName(QStringLiteral("ABNAME")).AsString();
    for (const auto &flag : flags)
        slot.*flag.slot = signInRow.FieldByName(QLatin1String(flag.column)).AsBoolean();
    MyConfig.UIADNB = slot.UIADNB;
    MyConfig.ABNAME = slot.ABNAME;
    for (const auto &flag : flags)
        MyConfig.*flag.slot = slot.*flag.slot;
}
