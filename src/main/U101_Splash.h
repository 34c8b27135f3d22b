#pragma once
// The splash window of start-up: a borderless, stay-on-top 425 x 313 window
// at the screen centre, slightly see-through, with a picture, a status line
// and a progress bar. Dragging the picture moves the window.

#include <QWidget>

class QLabel;
class QProgressBar;

class TF101_Splash : public QWidget {
    Q_OBJECT

public:
    explicit TF101_Splash(QWidget *parent = nullptr);

    // Sets the bar to percent and the status line to text, then lets the
    // window system process pending events so the splash repaints between
    // blocking start-up steps.
    void SetStatus(const QString &text, int percent);

    // Components (Qt object names alike).
    QLabel *Image1 = nullptr;
    QLabel *lbStatus = nullptr;
    QProgressBar *ProgressBar = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
