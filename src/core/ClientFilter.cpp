#include "core/ClientFilter.h"

#include "platform/dataset/DataSet.h"
#include "platform/dataset/FilterExpression.h"

#include <QStringList>

#include <iterator>

void ApplyClientFilter(DataSet &dataSet, const QString &text)
{
    dataSet.setFiltered(false);
    dataSet.setFilter(text);
    dataSet.setFiltered(true);
}

QString ItemTypeFilterText(const QString &f, ItemTypeButton button)
{
    switch (button) {
    case ItemTypeButton::Product: return f + QStringLiteral(" = '제품'");
    case ItemTypeButton::SemiProduct: return f + QStringLiteral(" = '반제품'");
    case ItemTypeButton::Goods: return f + QStringLiteral(" = '상품'");
    case ItemTypeButton::Materials: return f + QStringLiteral(" = '원재료' or ") + f + QStringLiteral(" = '부재료' ");
    case ItemTypeButton::All: break;
    }
    return QString();
}

void ItemTypeFilter(DataSet &dataSet, const QString &field, ItemTypeButton button)
{
    if (button == ItemTypeButton::All)
        dataSet.setFiltered(false);
    else
        ApplyClientFilter(dataSet, ItemTypeFilterText(field, button));
}

// ---- name-index keys ---------------------------------------------------------

namespace {

// The syllables that open the Hangul keys 656302..656315, then the end of the
// syllable block (one past 힣).
constexpr char16_t kHangulBounds[] = {u'가', u'나', u'다', u'라', u'마', u'바', u'사',
                                      u'아', u'자', u'차', u'카', u'타', u'파', u'하', 0xD7A4};
constexpr int kLatinKey = 656316;
constexpr int kDigitKey = 656317;

QString Char(char16_t c) { return QString(QChar(c)); }

} // namespace

bool NameIndexBounds::contains(const QString &name) const
{
    if (all())
        return true;
    for (const NameRange &r : ranges)
        if (compareCodePoints(name, r.lower) >= 0 && compareCodePoints(name, r.upper) < 0)
            return true;
    return false;
}

NameIndexBounds NameIndexRange(int tag)
{
    const int hangul = tag - (kNameIndexAll + 1);
    if (hangul >= 0 && hangul < int(std::size(kHangulBounds)) - 1)
        return {{{Char(kHangulBounds[hangul]), Char(kHangulBounds[hangul + 1])}}};
    if (tag == kLatinKey)
        return {{{QStringLiteral("a"), QStringLiteral("{")}, {QStringLiteral("A"), QStringLiteral("[")}}};
    if (tag == kDigitKey)
        return {{{QStringLiteral("0"), QStringLiteral(":")}}};
    return {};
}

QString NameIndexClause(const QString &field, int tag)
{
    const NameIndexBounds bounds = NameIndexRange(tag);
    QStringList ranges;
    for (const NameRange &r : bounds.ranges)
        ranges << field + QStringLiteral(" >= ") + QuotedStr(r.lower) + QStringLiteral(" and ") + field
                      + QStringLiteral(" < ") + QuotedStr(r.upper);
    if (ranges.size() > 1)
        return QLatin1Char('(') + ranges.join(QStringLiteral(" or ")) + QLatin1Char(')');
    return ranges.value(0);
}

// ---- the production list's filter ---------------------------------------------

NameIndexFilterText NameIndexFilter(const NameIndexState &s)
{
    if (s.searchDate.isEmpty() || (!s.middle.isEmpty() && s.major.isEmpty()))
        return {};
    QStringList clauses;
    if (!s.major.isEmpty()) {
        QString category = QStringLiteral("imsdki = ") + QuotedStr(s.major);
        if (!s.middle.isEmpty())
            category += QStringLiteral(" and imsjki = ") + QuotedStr(s.middle);
        clauses << category;
    }
    const QString name = NameIndexClause(QStringLiteral("imname"), s.key);
    if (!name.isEmpty())
        clauses << name;
    if (!s.type.isEmpty())
        clauses << QStringLiteral("itty_name = ") + QuotedStr(s.type);
    if (clauses.isEmpty())
        return {true, QString()};
    return {true, clauses.join(QStringLiteral(" and ")) + QLatin1Char(' ')};
}

void ApplyNameIndexFilter(DataSet &dataSet, const NameIndexState &state)
{
    const NameIndexFilterText f = NameIndexFilter(state);
    if (!f.changes)
        return;
    if (f.text.isEmpty())
        dataSet.setFiltered(false);
    else
        ApplyClientFilter(dataSet, f.text);
}
