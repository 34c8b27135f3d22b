#pragma once
// The production-line choice of production entry and the production
// reports: the visible list combo_SengsangLine of the company's line names,
// the hidden list ComboBox3 of their codes at the same positions, and the
// hidden edit Edit10 with the code the screen sends. The code is "001" after
// a load and after every reset, whatever line the list shows first, until
// the user chooses a line; choosing one takes its code from the hidden list.
//
//   ProductionLineChoice lines(names, codes, code);   // connects the choice
//   lines.Load(*cds_F0011_SengsanLine);                // at show; may throw
//   lines.Reset();

#include <QString>

class ClientDataSet;
class QComboBox;
class QLineEdit;
class QObject;

// cds_F0011_SengsanLine: GP_SELECT_F0011_ProduceLine on dspStoredProc11.
ClientDataSet *NewProductionLineCall(QObject *owner);

class ProductionLineChoice {
public:
    // The three controls outlive the choice (they are the screen's).
    ProductionLineChoice(QComboBox *names, QComboBox *codes, QLineEdit *code);

    // Opens the line query with COMPCODE = the terminal's company and appends
    // every row's CDNAME to the names and CDSSCD to the codes, in order,
    // then resets. A server error propagates.
    void Load(ClientDataSet &lines);
    // Both lists on their first entry; the code "001".
    void Reset();
    // The user chose entry `index` of the names (combo_SengsangLineChange).
    void Choose(int index);
    // Shows the line of a document: the names select `name` (no entry when
    // it is not listed) and the code becomes `code`.
    void Show(const QString &name, const QString &code);

private:
    QComboBox *m_names;
    QComboBox *m_codes;
    QLineEdit *m_code;
};
