#pragma once
// What the scroll menu and the screen runner read of the sign-in screen:
// the three sign-in texts, with which the menu re-runs the sign-in query each
// time it is shown, and the open sign-in row, which the time clock is handed
// when it opens. The sign-in screen implements this and registers itself with
// SetSignInSource when it is created.

#include <QString>

class DataSet;

class SignInSource {
public:
    virtual ~SignInSource() = default;

    // Current texts of edt_ID, edt_PWD and edt_Barcode.
    virtual QString IdText() const = 0;
    virtual QString PasswordText() const = 0;
    virtual QString BarcodeText() const = 0;

    // The sign-in row of the last sign-in (cds_Login: UIADNB, ABNAME, abuserw
    // and the ten rights flags), or nullptr / a closed data set before the
    // first sign-in.
    virtual DataSet *SignInRow() const = 0;
};

// nullptr: no sign-in screen. The source must outlive its registration.
void SetSignInSource(SignInSource *source);
SignInSource *CurrentSignInSource();

// Copies UIADNB, ABNAME and the ten rights flags of the current row of a
// sign-in answer into the user slot of MyConfig (the sign-in and the menu's
// refresh both fill the slot this way).
void CopySignInRowToUserSlot(DataSet &signInRow);
