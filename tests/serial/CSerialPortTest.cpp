// The termios port and its reader thread over real pseudo-terminals and threads.

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <fcntl.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "PtyPair.h"
#include "serial/CSerialPort.h"
#include "support/ByteStreams.h"

using namespace std::chrono_literals;

namespace {

struct Post {
    uint32_t message;
    uint32_t wParam;
    uint32_t lParam;
};

// Collects what the port posts; the poster is called on the reader thread. A
// test may hold the reader inside its first kMsgReceived post to line up data.
class PostLog {
public:
    PortMessagePoster Poster() {
        return [this](uint32_t m, uint32_t w, uint32_t l) { Add({m, w, l}); };
    }

    int Count(uint32_t message) const {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (const Post& p : posts_) n += p.message == message ? 1 : 0;
        return n;
    }
    std::vector<Post> Posts() const {
        std::lock_guard lock(mutex_);
        return posts_;
    }

    void HoldFirstReceived() {
        std::lock_guard lock(mutex_);
        hold_ = true;
    }
    bool Holding() const {
        std::lock_guard lock(mutex_);
        return holding_;
    }
    void Release() {
        std::lock_guard lock(mutex_);
        hold_ = false;
        released_.notify_all();
    }

private:
    void Add(const Post& post) {
        std::unique_lock lock(mutex_);
        posts_.push_back(post);
        if (post.message == kMsgReceived && hold_) {
            holding_ = true;
            released_.wait_for(lock, 10s, [this] { return !hold_; });
            holding_ = false;
        }
    }

    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::vector<Post> posts_;
    bool hold_ = false;
    bool holding_ = false;
};

// Bounded polling for a condition that another thread brings about.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

int Write(CSerialPort& port, const std::string& text) {
    return port.Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

int OpenDefault(CSerialPort& port, const std::string& path) {
    return port.Open(path, 9600, 8, 2, kParityNone);
}

class CSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.Ok()) << "no pseudo-terminal available"; }

    PtyPair pty;
    PostLog log;
};

}  // namespace

TEST_F(CSerialPortTest, OpenReportsCtsAndDsrOnForADeviceWithoutModemLines) {
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);
    EXPECT_TRUE(port.IsOpen());

    const auto posts = log.Posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, kMsgLineEvent);
    EXPECT_EQ(posts[0].wParam, kLineEventCtsChanged);
    EXPECT_EQ(posts[0].lParam, kModemCts | kModemDsr);
    EXPECT_EQ(port.ModemStatus(), kModemCts | kModemDsr);
    EXPECT_EQ(port.ReadModemStatus(), kModemCts | kModemDsr);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.ModemStatus(), 0u);
}

TEST_F(CSerialPortTest, BytesFlowBothWaysAndTransmitEmptyFollowsAWrite) {
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);

    EXPECT_EQ(Write(port, "ATZ\r"), 4);
    EXPECT_EQ(pty.ReadMaster(4), "ATZ\r");
    ASSERT_TRUE(WaitUntil([&] {
        for (const Post& p : log.Posts()) {
            if (p.message == kMsgLineEvent && (p.wParam & kLineEventTxEmpty)) return true;
        }
        return false;
    }));

    ASSERT_TRUE(pty.WriteMaster("OK\r\n"));
    ASSERT_TRUE(
        WaitUntil([&] { return log.Count(kMsgReceived) >= 1 && port.ReceivedCount() == 4; }));
    const auto received = TakeAll(port);
    EXPECT_EQ(std::string(received.begin(), received.end()), "OK\r\n");
    uint8_t byte = 0;
    EXPECT_FALSE(port.TakeByte(byte));
    EXPECT_EQ(log.Count(kMsgReceiveOverflow), 0);

    // Every byte value passes untouched: raw mode, no CR/LF or flow-control mapping.
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(port.Write(all.data(), 256), 256);
    const std::string echoed = pty.ReadMaster(256);
    EXPECT_EQ(std::vector<uint8_t>(echoed.begin(), echoed.end()), all);
    ASSERT_TRUE(pty.WriteMaster(all));
    ASSERT_TRUE(WaitUntil([&] { return port.ReceivedCount() == 256; }));
    EXPECT_EQ(TakeAll(port), all);
}

TEST_F(CSerialPortTest, LineSettingsAreAppliedAndRestoredOnClose) {
    ASSERT_TRUE(pty.OpenObserver());
    const termios before = pty.ObservedSettings();
    CSerialPort port(log.Poster());

    // A pseudo-terminal forces 8 bits without parity whatever is asked, so only
    // speed, stop bits and the handshake can be seen here; 7 bits and parity
    // must still be accepted.
    struct Case {
        uint32_t baud;
        int dataBits, stopBits, parity;
        speed_t speed;
        bool twoStopBits;
    };
    const Case cases[] = {
        {9600, 8, 2, kParityNone, B9600, true},
        {19200, 7, 1, kParityOdd, B19200, false},
        {300, 8, 1, kParityEven, B300, false},
        {4800, 8, 0, 3, B4800, true},  // any stop-bit value but 1 gives two
        {1200, 7, 3, -1, B1200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baud);
        ASSERT_EQ(port.Open(pty.SlavePath(), c.baud, c.dataBits, c.stopBits, c.parity), 1);
        const termios t = pty.ObservedSettings();
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        EXPECT_EQ(cfgetispeed(&t), c.speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStopBits);
        EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
        EXPECT_NE(t.c_cflag & CREAD, 0u);
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        port.Close();

        const termios after = pty.ObservedSettings();
        EXPECT_EQ(after.c_cflag, before.c_cflag);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
        EXPECT_EQ(after.c_iflag, before.c_iflag);
        EXPECT_EQ(after.c_oflag, before.c_oflag);
        EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
    }

    // Rates outside the supported series and frame sizes other than 7 or 8 are
    // refused without touching the device.
    EXPECT_EQ(port.Open(pty.SlavePath(), 38400, 8, 1, kParityNone), 0);
    EXPECT_EQ(port.Open(pty.SlavePath(), 900, 8, 1, kParityNone), 0);
    EXPECT_EQ(port.Open(pty.SlavePath(), 0, 8, 1, kParityNone), 0);
    EXPECT_EQ(port.Open(pty.SlavePath(), 9600, 6, 1, kParityNone), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(pty.ObservedSettings().c_cflag, before.c_cflag);
}

TEST(CSerialPortRules, WriteTimeOutIsWholeMillisecondsPerByteAtTheBaudRate) {
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(19200, 1), 1);
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(9600, 256), 512);
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(4800, 10), 40);
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(600, 1), 32);
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(300, 2), 128);
    EXPECT_EQ(CSerialPort::WriteTimeoutMs(7200, 3), 6);  // 19200 / 7200 truncates to 2
}

// One kMsgReceived covers everything that was waiting when the reader woke,
// however many 2048-byte reads it took.
TEST_F(CSerialPortTest, OneReceivedPostCoversAWholeBurst) {
    ASSERT_TRUE(pty.OpenObserver());
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);
    struct Releaser {
        PostLog& log;
        ~Releaser() { log.Release(); }
    } releaser{log};

    // Hold the reader in its first post while a burst piles up in the driver.
    log.HoldFirstReceived();
    ASSERT_TRUE(pty.WriteMaster("a"));
    ASSERT_TRUE(WaitUntil([&] { return log.Holding(); }));
    const auto burst = Pattern(3000);
    ASSERT_TRUE(pty.WriteMaster(burst));
    ASSERT_TRUE(WaitUntil([&] { return pty.ObservedInputQueue() == 3000; }));
    log.Release();

    ASSERT_TRUE(WaitUntil([&] { return port.ReceivedCount() == 3001; }));
    ASSERT_TRUE(WaitUntil([&] { return log.Count(kMsgReceived) >= 2; }));
    auto received = TakeAll(port);
    ASSERT_EQ(received.size(), 3001u);
    EXPECT_EQ(received[0], 'a');
    EXPECT_TRUE(std::equal(burst.begin(), burst.end(), received.begin() + 1));

    // A last byte flushes out any late post of the burst before counting.
    ASSERT_TRUE(pty.WriteMaster("z"));
    ASSERT_TRUE(
        WaitUntil([&] { return port.ReceivedCount() == 1 && log.Count(kMsgReceived) >= 3; }));
    EXPECT_EQ(log.Count(kMsgReceived), 3);
}

TEST_F(CSerialPortTest, FullRingHoldsTheReaderBackUntilBytesAreTaken) {
    ASSERT_TRUE(pty.OpenObserver());
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);

    const auto fill = Pattern(ByteRing::kCapacity);
    ASSERT_TRUE(pty.WriteMaster(fill));
    ASSERT_TRUE(WaitUntil([&] { return port.ReceivedCount() == ByteRing::kCapacity; }, 30s));

    // No room: the next bytes wait in the driver instead of being dropped.
    ASSERT_TRUE(pty.WriteMaster(std::vector<uint8_t>(100, 0xEE)));
    ASSERT_TRUE(WaitUntil([&] { return pty.ObservedInputQueue() == 100; }));
    EXPECT_EQ(port.ReceivedCount(), ByteRing::kCapacity);

    // Taking bytes wakes the reader, which moves the waiting ones in.
    std::vector<uint8_t> taken(100);
    ASSERT_EQ(port.TakeBlock(taken.data(), taken.size()), 100u);
    EXPECT_TRUE(std::equal(taken.begin(), taken.end(), fill.begin()));
    ASSERT_TRUE(WaitUntil([&] { return port.ReceivedCount() == ByteRing::kCapacity; }));
    EXPECT_EQ(pty.ObservedInputQueue(), 0);

    const auto rest = TakeAll(port);
    ASSERT_EQ(rest.size(), static_cast<size_t>(ByteRing::kCapacity));
    EXPECT_TRUE(std::equal(fill.begin() + 100, fill.end(), rest.begin()));
    EXPECT_TRUE(std::all_of(rest.end() - 100, rest.end(), [](uint8_t b) { return b == 0xEE; }));
    // A pty keeps no loss counters and loses nothing: no loss is reported.
    EXPECT_EQ(log.Count(kMsgReceiveOverflow), 0);
}

TEST_F(CSerialPortTest, FloodFromAWaitingPeerArrivesWholeAndInOrder) {
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);

    // The peer writes 1 MB as fast as the pty takes it; the taker starts late
    // and takes in small blocks, so the reader is held back again and again.
    const auto flood = Pattern(1 << 20);
    std::thread peer([&] { pty.WriteMaster(flood); });
    std::this_thread::sleep_for(200ms);
    std::vector<uint8_t> received;
    received.reserve(flood.size());
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    uint8_t block[1000];
    while (received.size() < flood.size() && std::chrono::steady_clock::now() < deadline) {
        const size_t n = port.TakeBlock(block, sizeof block);
        if (n == 0) std::this_thread::sleep_for(1ms);
        received.insert(received.end(), block, block + n);
    }
    peer.join();
    ASSERT_EQ(received.size(), flood.size());
    EXPECT_TRUE(received == flood);
    EXPECT_EQ(log.Count(kMsgReceiveOverflow), 0);
}

TEST_F(CSerialPortTest, CloseWhileDataFloodsInDoesNotHang) {
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        const auto block = Pattern(4096);
        while (!stop.load()) {
            if (::write(pty.Master(), block.data(), block.size()) < 0) {
                pollfd p{pty.Master(), POLLOUT, 0};
                ::poll(&p, 1, 10);
            }
        }
    });
    struct Stopper {
        std::atomic<bool>& stop;
        std::thread& thread;
        ~Stopper() {
            stop.store(true);
            thread.join();
        }
    } stopper{stop, flood};

    CSerialPort port(log.Poster());
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        const int before = log.Count(kMsgReceived);
        ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);
        ASSERT_TRUE(WaitUntil([&] { return log.Count(kMsgReceived) > before; }));
        port.Close();
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(port.ReceivedCount(), 0);
    }
}

TEST_F(CSerialPortTest, OpenFailsAndHoldsNothingForBadDevices) {
    CSerialPort port(log.Poster());
    EXPECT_EQ(OpenDefault(port, "COM3"), 0);
    EXPECT_EQ(OpenDefault(port, "dev/ttyUSB0"), 0);
    EXPECT_EQ(OpenDefault(port, ""), 0);
    EXPECT_EQ(OpenDefault(port, "/dev/kova-no-such-device"), 0);

    char fileName[] = "/tmp/kova-not-a-tty-XXXXXX";
    const int file = ::mkstemp(fileName);
    ASSERT_GE(file, 0);
    EXPECT_EQ(OpenDefault(port, fileName), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(::flock(file, LOCK_EX | LOCK_NB), 0) << "a failed open left the file locked";
    ::close(file);
    ::unlink(fileName);

    EXPECT_TRUE(log.Posts().empty());
    port.Close();  // harmless after failures
    EXPECT_EQ(Write(port, "AT\r"), 0);
    uint8_t byte = 0;
    EXPECT_FALSE(port.TakeByte(byte));
}

TEST_F(CSerialPortTest, SecondPortCannotOpenTheSameDevice) {
    PostLog otherLog;
    CSerialPort first(log.Poster());
    CSerialPort second(otherLog.Poster());
    ASSERT_EQ(OpenDefault(first, pty.SlavePath()), 1);
    EXPECT_EQ(OpenDefault(second, pty.SlavePath()), 0);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastOpenFailure(), PortOpenFailure::InUse);

    // The refused open must not disturb the owner.
    EXPECT_EQ(Write(first, "AT\r"), 3);
    EXPECT_EQ(pty.ReadMaster(3), "AT\r");

    first.Close();
    EXPECT_EQ(OpenDefault(second, pty.SlavePath()), 1);
}

// Another program holds the device with a lock only (a root program gets past
// exclusive mode anyway): the refused open must leave that program's device as
// it was, neither exclusive for everyone else nor with its queues emptied.
TEST_F(CSerialPortTest, RefusedOpenLeavesAnotherProgramsDeviceAlone) {
    ASSERT_TRUE(pty.OpenObserver());
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    termios raw{};
    ASSERT_EQ(::tcgetattr(other, &raw), 0);
    ::cfmakeraw(&raw);
    ASSERT_EQ(::tcsetattr(other, TCSANOW, &raw), 0);
    ASSERT_TRUE(pty.WriteMaster("pending"));
    ASSERT_TRUE(WaitUntil([&] { return pty.ObservedInputQueue() == 7; }));

    CSerialPort port(log.Poster());
    EXPECT_EQ(OpenDefault(port, pty.SlavePath()), 0);
    EXPECT_EQ(port.LastOpenFailure(), PortOpenFailure::InUse);
    int exclusive = -1;
    ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0) << "the refused open left the device exclusive";
    EXPECT_EQ(pty.ObservedInputQueue(), 7) << "the refused open discarded the other program's input";
    EXPECT_TRUE(log.Posts().empty());

    ::close(other);
    EXPECT_EQ(OpenDefault(port, pty.SlavePath()), 1);
    EXPECT_EQ(port.LastOpenFailure(), PortOpenFailure::None);
}

// Rates that pass the engine's checks (multiples of 300 up to 19200) but have
// no termios speed are told apart from a device that failed to open.
TEST_F(CSerialPortTest, BaudRateTheDeviceCannotTakeIsReportedAsSuch) {
    CSerialPort port(log.Poster());
    for (uint32_t baud : {900u, 3600u, 14400u}) {
        EXPECT_EQ(port.Open(pty.SlavePath(), baud, 8, 2, kParityNone), 0) << baud;
        EXPECT_EQ(port.LastOpenFailure(), PortOpenFailure::BaudRate) << baud;
    }
    EXPECT_EQ(OpenDefault(port, "/dev/kova-no-such-device"), 0);
    EXPECT_EQ(port.LastOpenFailure(), PortOpenFailure::Other);
}

TEST_F(CSerialPortTest, DestructorReleasesAnOpenDevice) {
    {
        CSerialPort port(log.Poster());
        ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);
        ASSERT_TRUE(pty.WriteMaster("data still flowing"));
    }
    CSerialPort next(log.Poster());
    EXPECT_EQ(OpenDefault(next, pty.SlavePath()), 1);
}

// The other end going away (a pulled USB cable) must not leave the reader
// spinning on a descriptor that reports hang-up for ever, and writes must fail so
// the engine's failure count can act.
TEST_F(CSerialPortTest, HangUpStopsTheReaderAndFailsWrites) {
    CSerialPort port(log.Poster());
    ASSERT_EQ(OpenDefault(port, pty.SlavePath()), 1);
    ASSERT_TRUE(pty.WriteMaster("last words"));
    ASSERT_TRUE(WaitUntil([&] { return port.ReceivedCount() == 10; }));

    // Watch the process for a while after the hang-up, before any write could
    // tell the port: an idle reader uses next to no CPU time and posts nothing;
    // a spinning one burns a core.
    const int postsBefore = static_cast<int>(log.Posts().size());
    pty.CloseMaster();
    timespec cpuStart{}, cpuEnd{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuStart);
    const auto wallStart = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(300ms);
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuEnd);
    const auto wall = std::chrono::steady_clock::now() - wallStart;
    const auto cpu = std::chrono::seconds(cpuEnd.tv_sec - cpuStart.tv_sec) +
                     std::chrono::nanoseconds(cpuEnd.tv_nsec - cpuStart.tv_nsec);
    EXPECT_LT(cpu, wall / 4);
    EXPECT_LE(static_cast<int>(log.Posts().size()), postsBefore + 1);

    EXPECT_EQ(Write(port, "AT\r"), 0);
    EXPECT_EQ(Write(port, "AT\r"), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.ReceivedCount(), 10) << "bytes received before the hang-up stay takeable";
    // The UI thread is told once, without having to write first.
    EXPECT_EQ(log.Count(kMsgPortLost), 1);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

// With nobody reading the other end the driver's queue fills; a write then gives
// up after its time-out and reports only what the driver took.
TEST_F(CSerialPortTest, WriteToAStalledLineReturnsWhatTheDriverTook) {
    CSerialPort port(log.Poster());
    ASSERT_EQ(port.Open(pty.SlavePath(), 19200, 8, 1, kParityNone), 1);
    const auto block = Pattern(256);
    size_t accepted = 0;
    int result = 256;
    for (int i = 0; i < 2000 && result == 256; ++i) {
        result = port.Write(block.data(), 256);
        accepted += static_cast<size_t>(result);
    }
    ASSERT_LT(result, 256) << "the pty never filled up";
    EXPECT_GE(result, 0);

    // Everything reported as accepted arrives, in order.
    const std::string arrived = pty.ReadMaster(accepted);
    ASSERT_EQ(arrived.size(), accepted);
    for (size_t i = 0; i < accepted; i += 997) {
        ASSERT_EQ(static_cast<uint8_t>(arrived[i]), block[i % 256]) << "byte " << i;
    }
    EXPECT_EQ(Write(port, "AT\r"), 3);
}
