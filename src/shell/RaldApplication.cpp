#include "shell/RaldApplication.h"

#include "core/uKV_Common_Msg.h"
#include "core/uKV_Common_Text.h"
#include "shell/U002_Updater.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <exception>

RaldApplication::RaldApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The update check of start-up shows the updater window through the core.
    TF002_Updater::Install();
}

bool RaldApplication::notify(QObject *receiver, QEvent *event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QString::fromUtf8("알 수 없는 오류가 발생했습니다.");
    }
    showErrorBox(message);
    return false;
}

void RaldApplication::showErrorBox(const QString &message)
{
    if (QThread::currentThread() != thread()) {
        // A window may only be shown by the main thread.
        QMetaObject::invokeMethod(this, [this, message] { showErrorBox(message); },
                                  Qt::QueuedConnection);
        return;
    }
    if (m_errorBoxOpen) {
        WriteLog("Error: " + message);
        return;
    }
    m_errorBoxOpen = true;
    QMessageBox box(QMessageBox::Critical, applicationName(), message, QMessageBox::Ok);
    box.setObjectName("ErrorBox");
    box.exec();
    m_errorBoxOpen = false;
}

RaldApplication *raldApp()
{
    return qobject_cast<RaldApplication *>(QCoreApplication::instance());
}

void ShowErrorBox(const QString &message)
{
    if (RaldApplication *app = raldApp())
        app->showErrorBox(message);
    else
        ShowMessageBox(message, mkOk, 0);
}
