#include "platform/dataset/ControlsOff.h"

#include "platform/dataset/DataSet.h"

ControlsOff::ControlsOff(DataSet &dataSet) : m_dataSet(dataSet)
{
    m_dataSet.DisableControls();
}

ControlsOff::~ControlsOff()
{
    try {
        m_dataSet.Cancel(); // nothing unless a row is in edit or insert
    } catch (...) {
        // A destructor may be running for an exception already; the controls
        // come back whatever the cancel did.
    }
    m_dataSet.EnableControls();
}
