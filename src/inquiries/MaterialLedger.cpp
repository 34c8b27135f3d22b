#include "inquiries/MaterialLedger.h"

#include "platform/dataset/DataSet.h"

#include <QVariantList>

#include <algorithm>

namespace {

QString F(const char *name) { return QLatin1String(name); }

const char *const kTextFields[] = {"cmcd", "buut", "itnb", "buut_name", "imname", "immdan",
                                   "imldan", "unit", "kpcd", "prky", "paky"};

struct CurrencyField {
    const char *name;
    const char *format;
};
const CurrencyField kCurrencyFields[] = {
    {"immcal", ",0.0;-,0.0"},        {"current_qty", ",0.0;-,0.0"}, {"current_amt", ",0;-,0"},
    {"in_qty", ",0.0;-,0.0"},        {"in_amt", ",0;-,0"},          {"out_qty", ",0.000;-,0.000"},
    {"out_amt", ",0;-,0"},           {"loss_qty", ",0.000;-,0.000"}, {"loss_amt", ",0;-,0"},
    {"stock_qty", ",0.0;-,0.0"},     {"stock_amt", ",0;-,0"},       {"casawt", ",0.0;-,0.0"},
    {"jqty", ""},                    {"imbhup", ""},
};

// The ten figures, quantity and amount.
const char *const kFigures[] = {"current_qty", "current_amt", "in_qty",   "in_amt",    "out_qty",
                                "out_amt",     "loss_qty",    "loss_amt", "stock_qty", "stock_amt"};

QString text(const DataSet &d, const char *field) { return d.FieldByName(F(field)).AsString(); }
Currency money(const DataSet &d, const char *field) { return d.FieldByName(F(field)).AsCurrency(); }
qint64 count(const DataSet &d, const char *field) { return d.FieldByName(F(field)).AsInteger(); }

// Adds `by` to a quantity of the current row (in edit) and sets its amount
// (the field of the same name ending in "_amt") to imbhup x the new quantity.
void addToFigure(DataSet &t, const char *quantity, Currency by)
{
    Field &q = t.FieldByName(F(quantity));
    q.setAsCurrency(q.AsCurrency() + by);
    const QString amount = F(quantity).replace(QStringLiteral("_qty"), QStringLiteral("_amt"));
    t.FieldByName(amount).setAsCurrency(money(t, "imbhup") * q.AsCurrency());
}

// Books the whole sets of one set item: opening M, use L, loss H.
void bookSet(DataSet &t, const QString &set, qint64 m, qint64 l, qint64 h)
{
    if (t.Locate(F("itnb"), set)) {
        t.Edit();
        addToFigure(t, "current_qty", Currency(m));
        addToFigure(t, "out_qty", Currency(l));
        addToFigure(t, "loss_qty", Currency(h));
        addToFigure(t, "stock_qty", -Currency(l));
        t.Post();
    }
    for (t.First(); !t.Eof(); t.Next()) {
        if (text(t, "kpcd") != set)
            continue;
        const Currency per = money(t, "casawt");
        t.Edit();
        addToFigure(t, "current_qty", -(per * m));
        addToFigure(t, "out_qty", -(per * l));
        addToFigure(t, "loss_qty", -(per * h));
        t.Post();
    }
}

bool hasItem(DataSet &t, const QString &store, const QString &item)
{
    return t.Locate(F("buut;itnb"), QVariantList{store, item});
}

// Appends a row with every figure 0 and imbhup 0; `set` fills the rest.
void appendZeroRow(DataSet &t, const std::function<void(DataSet &)> &set)
{
    t.Append();
    for (const char *figure : kFigures)
        t.FieldByName(F(figure)).setAsCurrency(Currency());
    t.FieldByName(F("imbhup")).setAsCurrency(Currency());
    set(t);
    t.Post();
}

// The rows a listed set lacks, or the set's own row (see the header).
void addComponentRows(DataSet &t, const DataSet &list)
{
    for (int r = 0; r < list.rowCount(); ++r) {
        const DataSet::RowScope row(list, r);
        const QString store = text(list, "cabuut"), set = text(list, "capub1"), component = text(list, "caitnb");
        const auto common = [&](DataSet &n, const QString &item) {
            n.FieldByName(F("cmcd")).setAsString(text(list, "cacmcd"));
            n.FieldByName(F("buut")).setAsString(store);
            n.FieldByName(F("itnb")).setAsString(item);
            for (const char *f : {"buut_name", "immdan", "imldan"})
                n.FieldByName(F(f)).setAsString(text(list, f));
            n.FieldByName(F("immcal")).setAsCurrency(money(list, "immcal"));
            n.FieldByName(F("casawt")).setAsCurrency(money(list, "casawt"));
        };
        if (hasItem(t, store, set)) {
            if (hasItem(t, store, component))
                continue;
            appendZeroRow(t, [&](DataSet &n) {
                common(n, component);
                n.FieldByName(F("imname")).setAsString(text(list, "imname"));
                n.FieldByName(F("unit")).setAsString(text(list, "imedan"));
                n.FieldByName(F("kpcd")).setAsString(QString());
                n.FieldByName(F("prky")).setAsString(component);
                n.FieldByName(F("paky")).setAsString(QString());
            });
        } else {
            appendZeroRow(t, [&](DataSet &n) {
                common(n, set);
                n.FieldByName(F("imname")).setAsString(QStringLiteral("  ") + text(list, "component_name"));
                n.FieldByName(F("unit")).setAsString(QStringLiteral("G"));
                n.FieldByName(F("kpcd")).setAsString(component);
                n.FieldByName(F("prky")).setAsString(set);
                n.FieldByName(F("paky")).setAsString(component);
            });
        }
    }
}

} // namespace

std::unique_ptr<DataSet> NewMaterialLedgerTable(QObject *parent)
{
    auto table = std::make_unique<DataSet>(parent);
    table->setObjectName(QStringLiteral("VIR_TABLE"));
    for (const char *name : kTextFields)
        table->AddField(F(name), FieldType::String);
    for (const CurrencyField &c : kCurrencyFields)
        table->AddField(F(c.name), FieldType::Currency).setDisplayFormat(F(c.format));
    table->Open();
    return table;
}

std::unique_ptr<DataSet> RebookMaterialLedger(const DataSet &rows, const DataSet &use,
                                              const ComponentList &components)
{
    std::unique_ptr<DataSet> table = NewMaterialLedgerTable();
    DataSet &t = *table;

    // The server's rows as they come.
    for (int r = 0; r < rows.rowCount(); ++r) {
        const DataSet::RowScope row(rows, r);
        t.Append();
        for (int f = 0; f < t.FieldCount(); ++f)
            if (const Field *source = rows.FindField(t.Fields(f).FieldName()))
                t.Fields(f).setAsVariant(source->AsVariant());
        if (!text(rows, "kpcd").isEmpty())
            t.FieldByName(F("unit")).setAsString(QStringLiteral("G"));
        t.Post();
    }

    // Whole sets, the smallest count of each group's components. A group is
    // the rows of one set up to its last (seq = cnt); a group that breaks off
    // before its last row books nothing.
    constexpr qint64 None = 999999999;
    qint64 m = None, l = None, h = None;
    QString group;
    for (int r = 0; r < use.rowCount(); ++r) {
        const DataSet::RowScope row(use, r);
        const QString set = text(use, "kpcd");
        if (set != group) {
            m = l = h = None;
            group = set;
        }
        m = std::min(m, count(use, "each_count_current"));
        l = std::min(l, count(use, "each_count_out"));
        h = std::min(h, count(use, "each_count_loss"));
        if (count(use, "seq") == count(use, "cnt")) {
            bookSet(t, set, m, l, h);
            m = l = h = None;
            group.clear();
        }
    }

    // The components the table lacks, once per set.
    for (int r = 0; r < use.rowCount(); ++r) {
        QString company, store, set;
        {
            const DataSet::RowScope row(use, r);
            if (count(use, "seq") != 1)
                continue;
            company = text(use, "cmcd");
            store = text(use, "buut");
            set = text(use, "kpcd");
        }
        addComponentRows(t, components(company, store, set));
    }
    t.First();
    return table;
}
