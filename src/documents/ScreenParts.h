#pragma once
// Small pieces the store-document screens build themselves from.

class ClientDataSet;
class QObject;
class TMirelGrid;

// A client data set of the form `owner` on the data module's remote
// connection (none without a data module), e.g.
// RemoteQuery(this, "cds_F2100_pat", "dspStoredProc2", "[GP_SELECT_F2100_RegOrderpatSearch]").
ClientDataSet *RemoteQuery(QObject *owner, const char *name, const char *provider, const char *command);

// Appends a column of `field` with a UTF-8 title and a width in pixels.
void AddGridColumn(TMirelGrid *grid, const char *field, const char *title, int width);
