#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelBack.h"
#include "Components/MirelComp/MirelPicture.h"
#include "MKbd.h"
#include "platform/os/Keys.h"
#include "shell/U401_Dialog.h"
#include "shell/U403_Keyboard.h"
#include "ui_U403_Keyboard.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSharedMemory>
#include <QVBoxLayout>
#include <QWindow>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Records the keys that reach a widget; Escape stops there, so the dialog
// around it stays open.
class KeyRecorder : public QObject {
public:
    QList<int> keys;
    QStringList texts;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        keys << key->key();
        texts << key->text();
        return key->key() == Qt::Key_Escape;
    }
};

// Counts the hook's messages posted to a window.
class HookCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Type(mkbd::WM_HOOKMOUSE))
            ++count;
        return false;
    }
};

// The 16 bytes of the shared block, or nothing when no block exists.
QByteArray sharedBlockBytes()
{
    QSharedMemory block(QString::fromLatin1(mkbd::SharedBlockName));
    if (!block.attach(QSharedMemory::ReadOnly))
        return {};
    block.lock();
    QByteArray bytes(static_cast<const char *>(block.constData()), 16);
    block.unlock();
    return bytes;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        isolateSharedBlocks();
        mirel::setPictureFolder(qEnvironmentVariable("RALD_BIN_DIR") + "/img");
        kbd = new TF403_Keyboard;
        F403_Keyboard = kbd;

        target = new QDialog;
        target->setModal(true);
        target->resize(400, 200);
        target->move(300, 100);
        edit = new QLineEdit(target);
        auto *layout = new QVBoxLayout(target);
        layout->addWidget(edit);
        edit->installEventFilter(&recorder);
        target->show();
        target->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(target));
        edit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edit);
    }
    void TearDown() override
    {
        delete kbd;
        delete target;
        os::ResetHeldModifiers();
        mirel::setPictureFolder(QString());
    }

    void showKeyboard(quint8 mode = 0)
    {
        kbd->Show(target, mode, QPoint(0, 532));
        ASSERT_TRUE(kbd->isVisible());
        // The test platform activates every window it shows; the keyboard
        // hands the activation back to its target at once.
        ASSERT_TRUE(QTest::qWaitFor([&] { return target->isActiveWindow(); }, 2000));
        ASSERT_EQ(QApplication::focusWidget(), edit);
    }

    // The key whose caption is the given text.
    TMirelImgBtn *key(const QString &caption) const
    {
        const auto keys = kbd->findChildren<TMirelImgBtn *>();
        for (TMirelImgBtn *k : keys) {
            if (k->Caption() == caption)
                return k;
        }
        ADD_FAILURE() << "no key " << caption.toStdString();
        return nullptr;
    }

    QPoint centreOf(QWidget *k) const { return k->mapTo(kbd, k->rect().center()); }

    // A press over one key and a release over another (or the same), as
    // the mouse reaches the keyboard window.
    void pressRelease(TMirelImgBtn *pressed, TMirelImgBtn *released)
    {
        if (!pressed || !released)
            return;
        QWindow *window = kbd->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, centreOf(pressed));
        QCoreApplication::processEvents();
        QTest::mouseRelease(window, Qt::LeftButton, {}, centreOf(released));
        QCoreApplication::processEvents();
    }

    void typeOn(const QStringList &captions)
    {
        for (const QString &caption : captions) {
            TMirelImgBtn *k = key(caption);
            pressRelease(k, k);
        }
    }

    TF403_Keyboard *kbd = nullptr;
    QDialog *target = nullptr;
    QLineEdit *edit = nullptr;
    KeyRecorder recorder;
};

TEST_F(KeyboardTest, ShowingWithoutTargetDoesNothing)
{
    kbd->Show();
    EXPECT_FALSE(kbd->isVisible());
    EXPECT_TRUE(sharedBlockBytes().isEmpty());
    EXPECT_FALSE(kbd->isShowing());
}

TEST_F(KeyboardTest, SharedBlockHoldsBothIdsWhileShownAndCloseClearsAll)
{
    showKeyboard();
    const QByteArray bytes = sharedBlockBytes();
    ASSERT_EQ(bytes.size(), 16);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData()), quint32(kbd->winId()));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(target->winId()));
    EXPECT_EQ(bytes.mid(8), QByteArray(8, '\0'));
    EXPECT_EQ(kbd->TargetForm, target);

    // Shown again while up, for another window and mode: the block follows.
    QDialog second;
    kbd->Show(&second, 1, QPoint(0, 0));
    EXPECT_EQ(qFromLittleEndian<quint32>(sharedBlockBytes().constData() + 4), quint32(second.winId()));
    EXPECT_EQ(kbd->size(), QSize(737, 571));
    kbd->Show(target, 0, QPoint(0, 532));

    HookCounter counter;
    kbd->windowHandle()->installEventFilter(&counter);
    typeOn({"ㄱ"});
    EXPECT_EQ(counter.count, 2);

    kbd->Close();
    EXPECT_FALSE(kbd->isVisible());
    EXPECT_EQ(kbd->TargetForm, nullptr);
    EXPECT_TRUE(sharedBlockBytes().isEmpty());
    counter.count = 0;
    QTest::mousePress(kbd->windowHandle(), Qt::LeftButton, {}, QPoint(40, 30));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 0);
}

TEST_F(KeyboardTest, KeySequencesLeaveTextInTheTargetsFocusedEdit)
{
    const struct { QString before; QStringList keys; QString after; } cases[] = {
        {"", {"ㄱ", "ㅏ", "ㄴ"}, "간"},
        {"", {"ㄷ", "ㅏ", "ㄹ", "ㄱ", "ㅏ"}, "달가"},
        {"", {"ㄷ", "ㅏ", "ㄹ", "ㄱ"}, "닭"},
        {"", {"ㅎ", "ㅗ", "ㅏ"}, "화"},
        {"", {"ㄲ", "ㅏ"}, "까"},
        {"", {"ㄱ", "ㅏ", "ㄴ", "←"}, "가"},
        {"AB", {"←"}, "A"},                       // nothing composing: a real backspace
        {"", {"ㄱ", "ㅏ", "←", "←", "←"}, ""},
        {"", {"ㄱ", "ㅏ", "영어", "A"}, "가A"},    // the toggle commits first
        {"", {"ㄱ", "ㅏ", "Space", "ㄴ", "ㅏ"}, "가 나"},
        {"", {"ㄱ", "@", "-"}, "ㄱ@-"},
        {"", {"ㄱ", "ㅏ", "1", "2"}, "가12"},
        {"", {"영어", "A"}, "A"},
        {"", {"영어", "("}, "("},
        {"", {"영어", "_"}, "_"},
        {"", {"영어", "+"}, "+"},
        {"", {"영어", "!", "=", "*", ")"}, "!=*)"},
        {"", {"영어", "Z", "한글", "ㅋ"}, "Zㅋ"},
        {"", {"1", "2", "0"}, "120"},
    };
    for (const auto &c : cases) {
        edit->setText(c.before);
        showKeyboard();
        typeOn(c.keys);
        kbd->Close(); // commits the syllable still being composed
        EXPECT_EQ(edit->text(), c.after) << c.keys.join(' ').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_FALSE(kbd->isActiveWindow());
        EXPECT_TRUE(target->isActiveWindow());
    }
}

TEST_F(KeyboardTest, ComposingShowsInTheEditAndAMovedFocusKeepsTheSyllable)
{
    auto *other = new QLineEdit(target);
    target->layout()->addWidget(other);
    other->show();
    showKeyboard();
    typeOn({"ㄱ", "ㅏ", "ㄴ"});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->inputMethodQuery(Qt::ImSurroundingText).toString(), "");
    other->setFocus();
    EXPECT_EQ(edit->text(), "간");
    typeOn({"ㄴ", "ㅏ"});
    kbd->Close();
    EXPECT_EQ(other->text(), "나");
    EXPECT_EQ(edit->text(), "간");
}

TEST_F(KeyboardTest, ClearAndEnterSendEscapeAndF24)
{
    showKeyboard();
    typeOn({"ㄱ", "CLR", "ENTER"});
    EXPECT_EQ(recorder.keys, QList<int>({Qt::Key_Escape, Qt::Key_F24}));
    EXPECT_EQ(recorder.texts, QStringList({"", ""}));
    EXPECT_EQ(edit->text(), "ㄱ");
    EXPECT_TRUE(target->isVisible());
}

TEST_F(KeyboardTest, EnglishCapitalsAndShiftedKeysGoWithShift)
{
    showKeyboard();
    typeOn({"영어", "A", "_"});
    EXPECT_EQ(recorder.keys, QList<int>({Qt::Key_Shift, Qt::Key_A, Qt::Key_Shift, Qt::Key_Minus}));
    EXPECT_EQ(recorder.texts, QStringList({"", "A", "", "_"}));
    EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);
}

TEST_F(KeyboardTest, ReleaseOverAnotherKeyTypesNothing)
{
    showKeyboard();
    pressRelease(key("ㄱ"), key("ㅏ"));
    EXPECT_TRUE(recorder.keys.isEmpty());
    pressRelease(key("ㄴ"), key("ㄴ"));
    kbd->Close();
    EXPECT_EQ(edit->text(), "ㄴ");
    for (TMirelImgBtn *k : kbd->findChildren<TMirelImgBtn *>())
        EXPECT_FALSE(k->Down()) << k->objectName().toStdString();
}

TEST_F(KeyboardTest, PressShowsTheKeyDownUntilItsRelease)
{
    showKeyboard();
    TMirelImgBtn *k = key("ㅂ");
    QTest::mousePress(kbd->windowHandle(), Qt::LeftButton, {}, centreOf(k));
    QCoreApplication::processEvents();
    EXPECT_TRUE(k->Down());
    QTest::mouseRelease(kbd->windowHandle(), Qt::LeftButton, {}, QPoint(1, 1)); // no key there
    QCoreApplication::processEvents();
    EXPECT_FALSE(k->Down());
    QTest::mouseRelease(kbd->windowHandle(), Qt::LeftButton, {}, centreOf(k));
    QCoreApplication::processEvents();
    kbd->Close();
    EXPECT_EQ(edit->text(), ""); // the earlier press was forgotten
}

TEST_F(KeyboardTest, OkAndCancelEndTheTargetsModalLoop)
{
    const struct { QString caption; int result; } cases[] = {{"확 인", 1}, {"취 소", 2}};
    for (const auto &c : cases) {
        target->hide();
        whenLoopRuns([&] {
            showKeyboard();
            typeOn({"ㄱ", "ㅏ", c.caption});
            if (target->isVisible())
                target->done(-1); // the key failed: end the loop anyway
        });
        EXPECT_EQ(target->exec(), c.result) << c.caption.toStdString();
        EXPECT_EQ(edit->text(), "가");
        edit->clear();
        kbd->Close();
    }
}

TEST_F(KeyboardTest, OkWithoutTargetDoesNothing)
{
    showKeyboard();
    kbd->TargetForm = nullptr;
    typeOn({"확 인", "취 소"});
    EXPECT_TRUE(target->isVisible());
    EXPECT_EQ(target->result(), 0);
}

TEST_F(KeyboardTest, GeometryFollowsTheMode)
{
    const struct { quint8 mode; QSize window; QString key; QPoint pos; } cases[] = {
        {0, {1024, 236}, "mib_Key1", {10, 5}},    {0, {1024, 236}, "mib_Key34", {228, 173}},
        {0, {1024, 236}, "mib_Key37", {658, 173}}, {0, {1024, 236}, "mib_Num1", {732, 5}},
        {0, {1024, 236}, "mib_Num12", {876, 173}}, {0, {1024, 236}, "mib_Num13", {949, 5}},
        {0, {1024, 236}, "mib_Num15", {949, 153}}, {1, {737, 571}, "mib_Num1", {446, 5}},
        {1, {737, 571}, "mib_Num14", {663, 79}},   {1, {737, 571}, "mib_Key1", {10, 240}},
        {1, {737, 571}, "mib_Key33", {154, 408}},  {1, {737, 571}, "mib_Key34", {228, 408}},
    };
    for (const auto &c : cases) {
        showKeyboard(c.mode);
        EXPECT_EQ(kbd->size(), c.window) << int(c.mode);
        auto *k = kbd->findChild<TMirelImgBtn *>(c.key);
        ASSERT_NE(k, nullptr) << c.key.toStdString();
        EXPECT_EQ(k->pos(), c.pos) << int(c.mode) << " " << c.key.toStdString();
        kbd->Close();
    }
    showKeyboard(1);
    EXPECT_EQ(kbd->form().fb_NumPad->pos(), QPoint(440, 0));
    EXPECT_EQ(kbd->form().fb_Keyboard->geometry().topLeft(), QPoint(0, 235));
    EXPECT_EQ(kbd->form().fb_Keyboard->width(), 737);
}

TEST_F(KeyboardTest, ToggleSwitchesLabelsAndEveryShowStartsKorean)
{
    auto *toggle = kbd->findChild<TMirelImgBtn *>("mib_Key35");
    auto *first = kbd->findChild<TMirelImgBtn *>("mib_Key1");
    showKeyboard();
    EXPECT_EQ(toggle->Caption(), "영어");
    EXPECT_EQ(first->Caption(), "ㄱ");
    typeOn({"영어"});
    EXPECT_EQ(toggle->Caption(), "한글");
    EXPECT_EQ(first->Caption(), "A");
    EXPECT_FALSE(kbd->isKoreanLayout());
    kbd->Close();
    showKeyboard();
    EXPECT_EQ(toggle->Caption(), "영어");
    EXPECT_TRUE(kbd->isKoreanLayout());
}

TEST_F(KeyboardTest, MessageShownWhileTheKeyboardIsUpStandsAboveIt)
{
    ClockGuard clock;
    TF401_Dialog dlg;
    F401_Dialog = &dlg;
    showKeyboard();
    ShowMessageBox("알림", 2, 5000);
    ASSERT_TRUE(dlg.isVisible());
    EXPECT_LT(dlg.geometry().top(), kbd->geometry().top());
    kbd->Close();
    dlg.hide();
    F401_Dialog = nullptr;
}

} // namespace
