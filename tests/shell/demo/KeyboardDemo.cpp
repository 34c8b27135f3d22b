// Shows the on-screen keyboard under a modal window with a focused field and
// types a few keys into it through the keyboard hook, as touches would. With
// "english" it switches to the English layout afterwards. Pictures come from
// $RALD_BIN_DIR/img. The program ends by itself after the seconds given
// (default 30).

#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelPicture.h"
#include "shell/U403_Keyboard.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

void touch(TF403_Keyboard *kbd, const QString &caption)
{
    for (TMirelImgBtn *key : kbd->findChildren<TMirelImgBtn *>()) {
        if (key->Caption() != caption)
            continue;
        const QPoint at = key->mapTo(kbd, key->rect().center());
        QTest::mouseClick(kbd->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        return;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    mirel::installFontSubstitutions();
    const QByteArray bin = qgetenv("RALD_BIN_DIR");
    if (!bin.isEmpty())
        mirel::setPictureFolder(QString::fromLocal8Bit(bin) + "/img");
    const QStringList args = app.arguments();
    const bool english = args.contains("english");
    int seconds = 30;
    for (const QString &a : args.mid(1))
        seconds = a.toInt() > 0 ? a.toInt() : seconds;

    QDialog target;
    target.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    target.setGeometry(0, 0, 1024, 532);
    target.setStyleSheet("QDialog { background: rgb(254, 249, 215); }");
    auto *title = new QLabel(QString::fromUtf8("메모 입력"), &target);
    title->setGeometry(40, 60, 400, 40);
    title->setFont(QFont(QString::fromUtf8("굴림"), 18, QFont::Bold));
    auto *field = new QLineEdit(&target);
    field->setGeometry(40, 110, 944, 56);
    field->setFont(QFont(QString::fromUtf8("굴림"), 22));

    TF403_Keyboard keyboard;
    F403_Keyboard = &keyboard;

    QTimer::singleShot(0, [&] {
        field->setFocus();
        keyboard.Show(&target, 0, QPoint(0, 532));
        QTest::qWait(300);
        const QStringList keys = {"ㅎ", "ㅏ", "ㄴ", "ㄱ", "ㅡ", "ㄹ", "Space", "ㄷ", "ㅏ", "ㄹ", "ㄱ",
                                  "ㄱ", "ㅗ", "ㄱ", "ㅣ", "Space", "ㅎ", "ㅗ", "ㅏ", "ㄱ"};
        for (const QString &k : keys)
            touch(&keyboard, k);
        if (english) {
            touch(&keyboard, QString::fromUtf8("영어"));
            for (const QString &k : {"Space", "A", "B", "C", "_", "1", "2", "0"})
                touch(&keyboard, k);
        }
    });
    QTimer::singleShot(seconds * 1000, &target, [&] { target.done(0); });
    target.setModal(true);
    target.exec();
    keyboard.Close();
    return 0;
}
