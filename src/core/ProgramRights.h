#pragma once
// The signed-in user's rights rows, one per program id (CDS_AUTHORIZE of the
// sign-in screen: slpgid, wrau, deau, ...). The sign-in screen loads them
// after an order-work sign-in and registers its data set here; they stay open
// for the rest of the run. The entry screens read them through ProgramRights()
// (by Locate on slpgid) before saving or deleting. Tests register a data set
// of their own with those fields.
//
//   SetProgramRights(CDS_AUTHORIZE);        // sign-in screen, after loading
//   if (DataSet *rights = ProgramRights())  // an entry screen
//       rights->Locate("slpgid", "F20_PURCHASEENTRY");
//
// The registry holds a guarded pointer: a data set that is destroyed reads as
// none (nullptr) afterwards. Main thread only.

class DataSet;

void SetProgramRights(DataSet *rights); // nullptr: no rights rows
DataSet *ProgramRights();               // nullptr when none is registered
