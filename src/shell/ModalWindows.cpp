#include "shell/ModalWindows.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QWidget *TopModalWindow(const QWidget *except)
{
    // The newest modal window that is on screen. A window asking for its own
    // parent while it is itself the newest modal one gets none: its parent
    // is chosen before it is shown.
    QWidget *modal = QApplication::activeModalWidget();
    return modal == except ? nullptr : modal;
}

void AttachToTopModal(QWidget *window)
{
    if (!window)
        return;
    window->winId(); // the window needs its native handle to take a parent
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;

    QWindow *parent = nullptr;
    if (QWidget *modal = TopModalWindow(window))
        parent = modal->windowHandle();
    else if (QWidget *owner = window->parentWidget())
        parent = owner->window()->windowHandle();
    if (parent != handle)
        handle->setTransientParent(parent);
}

void ShowOverModal(QWidget *window)
{
    if (!window)
        return;
    AttachToTopModal(window);
    window->show();
}

void CenterOnOwner(QWidget *window)
{
    if (!window)
        return;
    QRect area;
    if (QWidget *owner = window->parentWidget())
        area = owner->window()->frameGeometry();
    else if (QScreen *scr = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = scr->geometry();
    if (area.isValid())
        window->move(area.center() - window->rect().center());
}

namespace {

class EscapeSwallower : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape;
    }
};

} // namespace

void KeepOpenOnEscape(QDialog *dialog)
{
    if (dialog)
        dialog->installEventFilter(new EscapeSwallower(dialog));
}
