#pragma once
// ControlsOff: a scope that writes rows into a data set with its controls
// disabled, so the grids and other views showing it neither follow the cursor
// nor repaint row by row; they catch up once when the scope is left.
//
// Rows are meant to be posted inside the scope. Leaving it (normally or by an
// exception) cancels a row still in edit or insert, so a failure half-way
// through a row leaves only whole rows behind, and then enables the controls
// again: a fill that fails never leaves a grid frozen.
//
//   {
//       const ControlsOff quiet(lines);
//       lines.EmptyTable();
//       for (...) { lines.Append(); ...; lines.Post(); }
//   }

class DataSet;

class ControlsOff {
public:
    explicit ControlsOff(DataSet &dataSet);
    ~ControlsOff();

    ControlsOff(const ControlsOff &) = delete;
    ControlsOff &operator=(const ControlsOff &) = delete;

private:
    DataSet &m_dataSet;
};
