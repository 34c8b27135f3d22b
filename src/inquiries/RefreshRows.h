#pragma once
// Reading a list again without losing it: while a client data set is open,
// its call is answered into a second data set first and the rows are moved
// over only when the answer came; a failed call leaves the rows, the cursor
// and the filter as they were and reaches the caller as the server's error.
// A closed data set simply opens. Stored fields are checked on the answer as
// an open of the data set itself checks them.

class ClientDataSet;

void OpenKeepingRows(ClientDataSet &cds);
