#pragma once
// Reading a list again without losing it: while a client data set is open,
// its call is answered into a second data set first and the rows are moved
// over only when the answer came; a failed call leaves the rows, the cursor
// and the filter as they were and reaches the caller as the server's error.
// A closed data set simply opens. Stored fields are checked on the answer as
// an open of the data set itself checks them.

class ClientDataSet;
class DataSet;

void OpenKeepingRows(ClientDataSet &cds);

// Replaces the rows of target with those of source (in source's view order),
// matched by field name as DataSet::LoadRows matches them; an open target is
// left at its first row.
void CopyRowsInto(const DataSet &source, DataSet &target);
