#include "core/ProgramRights.h"

#include "platform/dataset/DataSet.h"

#include <QPointer>

namespace {
QPointer<DataSet> g_rights;
}

void SetProgramRights(DataSet *rights)
{
    g_rights = rights;
}

DataSet *ProgramRights()
{
    return g_rights.data();
}
