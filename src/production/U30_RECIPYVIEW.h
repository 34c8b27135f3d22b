#pragma once
// The recipe sheet "… 제품 배합표" (A4 portrait) over the lines of one recipe:
// a title band printed once with the product's name and the recipe header's
// figures, a column header and one detail band per recipe line, their cell
// frames drawn with a 3-pixel pen.
//
// The title reads the header the screen kept when the product was touched
// (RecipeHeader), never the product list's current row, so the sheet always
// names the product whose lines it prints. Cost and price cells (the title's
// loss amount, packing, cost and sale figures; a line's unit price and
// material cost) print empty whatever the server sends: the sheet shows
// quantities and weights only.

#include "platform/report/Report.h"

#include <QHash>
#include <QString>
#include <QStringList>

class DataSet;

// The recipe header of one product as the recipe search answers it.
struct RecipeHeader
{
    QString item;                   // IMITNB
    QString name;                   // MHinam: the sheet's title names it
    QHash<QString, double> figures; // MHPQTY ... MHJJGO by column name
    bool MHSTND = false, MHFLAG = false, MHSKLR = false;
    QString MHSTGU;                 // "1" whole recipe, otherwise by process

    // The numeric columns the header carries.
    static const QStringList &FigureColumns();
    // The current row of a recipe search's answer.
    static RecipeHeader FromRow(const DataSet &products);
    double figure(const QString &column) const { return figures.value(column); }
};

// "재료전체" for calculation kind "1", "공정별" for any other.
QString CalculationKindText(const QString &stgu);

// The name cell of a recipe line: one blank per sort-key character beyond
// the first level's four, then the name.
QString IndentedLineName(const QString &sortKey, const QString &name);

// Font sizes of the sheet in points, turned into the report's 96-dpi pixels.
constexpr int PointsToLayoutPixels(int points) { return (points * 96 + 36) / 72; }

class TF30_RECIPYVIEW : public report::Report
{
    Q_OBJECT
public:
    // Dark blue of the title and of group lines.
    static constexpr quint32 TitleColor = 13500416;

    // lines: the recipe's lines (the screen's cds_procedure2), printed from
    // their first row; header: the product they belong to.
    TF30_RECIPYVIEW(DataSet *lines, RecipeHeader header, QObject *parent = nullptr);

    // The header the title prints.
    const RecipeHeader &header() const { return m_header; }

private:
    void titleBeforePrint();
    void detailBeforePrint();
    void set(const QString &label, const QString &caption);

    DataSet *m_lines;
    RecipeHeader m_header;
};
