#include "platform/os/SharedBlock.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(SharedBlock, TwoOpenersShareSixteenBytes)
{
    const QString name = QStringLiteral("Mirel_Virtual_KeyBoard_test_%1").arg(getpid());
    os::SharedBlock creator, other;
    ASSERT_TRUE(creator.open(name));
    ASSERT_TRUE(other.open(name));
    EXPECT_EQ(creator.read(), QByteArray(16, '\0'));

    EXPECT_TRUE(creator.write(QByteArray("\x01\x02\x03", 3)));
    EXPECT_TRUE(other.write(QByteArray(20, 'x'), 14)); // cut at the end of the block
    QByteArray expected(16, '\0');
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 3;
    expected[14] = 'x';
    expected[15] = 'x';
    EXPECT_EQ(other.read(), expected);
    EXPECT_EQ(creator.read(), expected);
    EXPECT_FALSE(other.write("a", 16));

    other.close();
    EXPECT_FALSE(other.isOpen());
    EXPECT_TRUE(other.read().isEmpty());
}
