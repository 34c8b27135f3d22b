#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(Clock, NowFollowsTheOffsetAndLeavesTheSystemClockAlone)
{
    const QDateTime target(QDate(2013, 10, 15), QTime(9, 30));
    os::SetNow(target);
    const QDateTime now = os::Now();
    EXPECT_LE(std::llabs(target.msecsTo(now)), 60'000);
    EXPECT_EQ(now.date(), QDate(2013, 10, 15));

    // The computer's clock still says the real time.
    EXPECT_GT(std::time(nullptr), QDateTime(QDate(2020, 1, 1), QTime(0, 0)).toSecsSinceEpoch());
    EXPECT_GT(QDateTime::currentDateTime().date().year(), 2019);

    os::SetClockOffset(3'600'000);
    EXPECT_EQ(os::ClockOffset(), 3'600'000);
    EXPECT_LE(std::llabs(QDateTime::currentDateTime().addSecs(3600).msecsTo(os::Now())), 60'000);

    os::SetClockOffset(0);
    EXPECT_LE(std::llabs(QDateTime::currentDateTime().msecsTo(os::Now())), 60'000);
}
