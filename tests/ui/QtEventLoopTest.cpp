#include "platform/QtEventLoop.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>
#include <vector>

TEST(QtEventLoop, TimersRepeatUntilKilledAndArmingRestarts) {
    QtEventLoop loop;
    std::vector<int> fired;
    loop.SetTimerHandler([&](int id) { fired.push_back(id); });

    loop.SetTimer(kTimerPacing, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 3; }, 30000));
    loop.KillTimer(kTimerPacing);
    EXPECT_FALSE(loop.IsTimerArmed(kTimerPacing));
    const std::size_t afterKill = fired.size();
    // While another timer ticks several times the killed one stays quiet.
    loop.SetTimer(kTimerIdle, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= afterKill + 4; }, 30000));
    loop.KillTimer(kTimerIdle);
    for (std::size_t i = afterKill; i < fired.size(); ++i) EXPECT_EQ(fired[i], kTimerIdle);

    // Arming an armed timer starts it again with the new interval.
    loop.SetTimer(kTimerJob, 60000);
    loop.SetTimer(kTimerJob, 1);
    EXPECT_EQ(loop.TimerInterval(kTimerJob), 1u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fired.empty() && fired.back() == kTimerJob; }, 30000));
    loop.KillTimer(kTimerJob);
    loop.KillTimer(kTimerIdle);   // already stopped: harmless
    EXPECT_EQ(loop.TimerInterval(kTimerIdle), 0u);
}

TEST(QtEventLoop, PostsFromAnyThreadRunOnTheLoopThreadInOrder) {
    QtEventLoop loop;
    std::vector<int> order;
    std::atomic<bool> wrongThread{false};
    QThread* uiThread = QThread::currentThread();
    std::thread reader([&] {
        for (int i = 0; i < 100; ++i) {
            loop.Post([&, i] {
                if (QThread::currentThread() != uiThread) wrongThread = true;
                order.push_back(i);
            });
        }
    });
    reader.join();
    EXPECT_TRUE(order.empty());   // nothing runs inside Post
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 100; }, 30000));
    EXPECT_FALSE(wrongThread);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
}

TEST(QtEventLoop, ClockIsMonotonicAndSleepWaits) {
    QtEventLoop loop;
    const uint64_t before = loop.NowMs();
    loop.Sleep(20);
    EXPECT_GE(loop.NowMs(), before + 20);
}
