#include "documents/DocumentLines.h"

#include "core/MyConfig.h"
#include "documents/DocumentCalls.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"

QString ItemTypeWord(const QString &code)
{
    if (code == QLatin1String("1"))
        return QStringLiteral("제품");
    if (code == QLatin1String("3"))
        return QStringLiteral("반제");
    if (code == QLatin1String("2"))
        return QStringLiteral("상품");
    if (code == QLatin1String("5") || code == QLatin1String("6"))
        return QStringLiteral("재료");
    return code;
}

QList<FieldDef> PatternLineFields()
{
    using FT = FieldType;
    const auto s = [](const char *name, int size) { return FieldDef{QLatin1String(name), FT::String, size}; };
    const auto t = [](const char *name, FT type) { return FieldDef{QLatin1String(name), type, 0}; };
    return {t("ADNUMB", FT::Integer),   t("ADSEQ", FT::Integer),    s("IMITNB", 6),
            s("IMITTY", 4),             s("ADBDAN", 3),             s("ADMDAN", 3),
            s("ADLDAN", 3),             t("ADMCAL", FT::Float),     t("ADMQTY", FT::Float),
            t("ADSQTY", FT::Float),     s("IMNAME", 50),            s("ADUNIT", 3),
            s("SoUnitTotalstock", 20),  s("Ttt", 3),                t("REPTQTY", FT::Float),
            t("jjgo", FT::Float),       t("JrADQTY", FT::Float),    t("ADQTY", FT::Float),
            t("ADUPRC", FT::Integer),   t("ADUPRC2", FT::Integer),  t("ADUPRC000", FT::Integer),
            t("ADUPRC001", FT::Integer), s("IMPGKI", 3),            s("IMPMKI", 3),
            s("IMSDKI", 3),             s("IMSJKI", 3),             t("ADAMT", FT::Currency),
            t("SUSUM", FT::Integer),    t("BDFL", FT::Boolean),     t("SDFL", FT::Boolean),
            s("bigo", 20),              t("sss", FT::Integer),      t("SonsilSu", FT::Float),
            t("SonPlusIlSu", FT::Float), s("vtb_STOCKField33", 20), s("SIZE", 20),
            s("AHADNB", 20),            s("AHADNB_NAME", 20)};
}

void SetLinePrices(DataSet &line, int price)
{
    for (const char *name : {"ADUPRC", "ADUPRC000", "ADUPRC2", "ADUPRC001"})
        line.FieldByName(QLatin1String(name)).setAsInteger(price);
}

QList<FieldDef> ImsiDetailFields()
{
    QList<FieldDef> fields = PatternLineFields();
    fields.removeIf([](const FieldDef &f) { return f.name == QLatin1String("SIZE"); });
    return fields;
}

void FilterPatterns(DataSet &patterns, const QString &choice)
{
    patterns.setFiltered(false);
    if (choice == QStringLiteral("제품"))
        patterns.setFilter(QStringLiteral("(AHADNB = '' or AHADNB < '40000000')"));
    else if (choice == QStringLiteral("재료"))
        patterns.setFilter(QStringLiteral(" AHADNB > '40000000' "));
    else
        return;
    patterns.setFiltered(true);
}

void OpenPatterns(ClientDataSet &patterns, const QString &target)
{
    patterns.Close();
    SetTextParam(patterns, "COMPCODE", MyConfig.CompanyCode);
    SetTextParam(patterns, "STORECODE", MyConfig.StoreCode);
    SetTextParam(patterns, "TARGETCODE", target);
    patterns.Open();
}
