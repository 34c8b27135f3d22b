#include "MKbd.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QSharedMemory>
#include <QWindow>

#include <cstring>

namespace {

// Reads the keyboard window's id from the shared block; 0 when there is no
// block or no id in it.
class KeyboardIdReader {
public:
    quint32 read()
    {
        if (!m_block.isAttached()) {
            m_block.setKey(QString::fromLatin1(mkbd::SharedBlockName));
            if (!m_block.attach(QSharedMemory::ReadOnly))
                return 0;
        }
        if (m_block.size() < mkbd::KeyboardIdOffset + 4)
            return 0;
        quint32 id = 0;
        m_block.lock();
        std::memcpy(&id, static_cast<const char *>(m_block.constData()) + mkbd::KeyboardIdOffset, 4);
        m_block.unlock();
        return id;
    }

private:
    QSharedMemory m_block;
};

class HookFilter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
            && type != QEvent::MouseButtonDblClick)
            return false;
        // Mouse input reaches the native window before any widget in it.
        if (!watched->isWindowType())
            return false;
        auto *window = static_cast<QWindow *>(watched);
        if (!window->handle())
            return false;
        const quint32 keyboard = m_reader.read();
        if (keyboard == 0 || quint32(window->winId()) != keyboard)
            return false;

        // The second press of a double click arrives as a press first; the
        // double-click event that follows it is taken without a message.
        if (type == QEvent::MouseButtonDblClick)
            return true;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool press = type == QEvent::MouseButtonPress;
        quint32 message = 0;
        if (mouse->button() == Qt::LeftButton)
            message = press ? mkbd::WM_LBUTTONDOWN : mkbd::WM_LBUTTONUP;
        else if (mouse->button() == Qt::RightButton)
            message = press ? mkbd::WM_RBUTTONDOWN : mkbd::WM_RBUTTONUP;
        if (message != 0) {
            const QPoint global = mouse->globalPosition().toPoint();
            QCoreApplication::postEvent(window,
                                        new mkbd::HookMouseEvent(message, mkbd::pointToLParam(global)));
        }
        return true; // the keyboard window acts only through the posted event
    }

private:
    KeyboardIdReader m_reader;
};

QPointer<HookFilter> hook;

} // namespace

extern "C" {

void StartHook()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || hook)
        return;
    // Owned by the application object, so it never outlives it.
    hook = new HookFilter;
    hook->setParent(app);
    app->installEventFilter(hook);
}

void StopHook()
{
    delete hook.data();
    hook = nullptr;
}

} // extern "C"
