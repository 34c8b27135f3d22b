#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, ConvertsHangulAndAsciiBothWays)
{
    struct Case { QString text; QByteArray ansi; };
    const Case cases[] = {
        {"abc", "abc"},
        {QString::fromUtf8("가"), QByteArray("\xB0\xA1")},
        {QString::fromUtf8("똠"), QByteArray("\x8C\x63")},
        {QString::fromUtf8("힣"), QByteArray("\xC6\x52")},
        {QString(QChar(0)), QByteArray(1, '\0')},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(os::ToAnsi(c.text), c.ansi) << c.text.toStdString();
        EXPECT_EQ(os::FromAnsi(c.ansi), c.text) << c.text.toStdString();
    }
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(os::ToAnsi(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(os::FromAnsi(QByteArray("a\xFF" "b")), QString("a?b"));
}

TEST(CodePage, CutNeverSplitsACharacter)
{
    const QByteArray ddom = os::ToAnsi(QString::fromUtf8("똠얌꿍"));
    EXPECT_EQ(os::FromAnsi(os::CutAnsi(ddom, 3)), QString::fromUtf8("똠"));
    EXPECT_EQ(os::CutAnsi(ddom, 0), QByteArray());
    EXPECT_EQ(os::CutAnsi("ab\xB0\xA1", 3), QByteArray("ab"));
    EXPECT_EQ(os::CutAnsi("abc", 10), QByteArray("abc"));
}
