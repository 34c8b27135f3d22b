#pragma once
// The application object of the terminal. Its event dispatch catches any
// exception that escapes an event handler (a button's click, a timer, a
// paint) and shows the exception's message in an error box; the program
// then goes on with the next event instead of terminating.

#include <QApplication>
#include <QString>

class RaldApplication : public QApplication {
    Q_OBJECT

public:
    RaldApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Shows message in a modal error box with one OK button. Called on the
    // main thread; from another thread the box is queued to the main thread.
    // While an error box is already open, a further message is written to
    // the log instead of stacking boxes (an error repeated by every repaint
    // would otherwise never let the user out).
    void showErrorBox(const QString &message);

private:
    bool m_errorBoxOpen = false;
};

// The running RaldApplication, or nullptr when the application object is
// another kind (some tests run on a plain QApplication).
RaldApplication *raldApp();

// Shows an error the way an escaped exception is shown: the application's
// error box, or a message box (kind 0) on another application object. For
// handlers that catch an error to keep their state and still show it.
void ShowErrorBox(const QString &message);
