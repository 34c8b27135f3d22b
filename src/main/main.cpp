// Program entry of the terminal. Until the start-up sequence is built this
// shows one window saying which layers are ready.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Talvenrode RALD");
    QLabel window(QString::fromUtf8("RALD 지점 단말기\n\n기반 계층을 만드는 중입니다."));
    window.setAlignment(Qt::AlignCenter);
    window.setFixedSize(1024, 768);
    window.show();
    return app.exec();
}
