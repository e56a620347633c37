// Receive loop figures, natively, on a port that behaves like the
// receiver's COM port: a read waits up to its time-out for a byte and
// returns at once when one is waiting; the pauses really pause.
//   1. CPU time the loop costs per second on an idle port;
//   2. time from the last byte of a 6-byte burst to the delivery call, and
//      from the read that took that byte to the delivery call.
// For scale, it also prints what a bare loop of 14 ms sleeps costs here:
// on a virtual machine every timer wake-up is expensive. The same figures
// for the real program under Wine come from bench/receive_latency.sh.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ir/com_thread.h"

namespace {

using Clock = std::chrono::steady_clock;

class TimedPort : public platform::SerialPorts {
public:
    void feed(std::uint8_t b) {
        {
            std::lock_guard lock(mutex_);
            bytes_.push_back(b);
        }
        ready_.notify_all();
    }
    platform::PortHandle open(const std::string&) override { return 1; }
    bool setupQueues(platform::PortHandle, std::uint32_t, std::uint32_t) override { return true; }
    bool setTimeouts(platform::PortHandle, const platform::Timeouts&) override { return true; }
    bool lineAlive(platform::PortHandle) override { return true; }
    bool setLineSettings(platform::PortHandle, const platform::LineSettings&) override { return true; }
    bool escape(platform::PortHandle, platform::LineFunction) override { return true; }
    std::unique_ptr<platform::PortReader> reader(platform::PortHandle) override {
        return std::make_unique<Reader>(*this);
    }
    bool write(platform::PortHandle, const std::uint8_t*, std::uint32_t n, std::uint32_t& put) override {
        put = n;
        return true;
    }
    void close(platform::PortHandle) override {}
    void sleep(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    Clock::time_point lastRead() {
        std::lock_guard lock(mutex_);
        return lastRead_;
    }

private:
    // A read waits for a byte as long as the time-outs allow, or until it
    // is interrupted.
    class Reader : public platform::PortReader {
    public:
        explicit Reader(TimedPort& port) : port_(port) {}
        platform::ByteRead read(std::uint8_t& byte, std::uint32_t waitMs) override {
            std::unique_lock lock(port_.mutex_);
            if (!port_.ready_.wait_for(lock, std::chrono::milliseconds(waitMs),
                                       [&] { return interrupted_ || !port_.bytes_.empty(); }))
                return platform::ByteRead::nothing;
            if (interrupted_) return platform::ByteRead::interrupted;
            byte = port_.bytes_.front();
            port_.bytes_.pop_front();
            port_.lastRead_ = Clock::now();
            return platform::ByteRead::byte;
        }
        void interrupt() override {
            {
                std::lock_guard lock(port_.mutex_);
                interrupted_ = true;
            }
            port_.ready_.notify_all();
        }
        void resume() override {
            std::lock_guard lock(port_.mutex_);
            interrupted_ = false;
        }

    private:
        TimedPort& port_;
        bool interrupted_ = false;
    };

    Clock::time_point lastRead_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::uint8_t> bytes_;
};

class TimedSink : public ir::CodeSink {
public:
    void feed(ir::CodeSource, std::string, ir::Arrival) override {
        {
            std::lock_guard lock(mutex_);
            at_ = Clock::now();
            delivered_ = true;
        }
        done_.notify_all();
    }
    Clock::time_point waitForDelivery() {
        std::unique_lock lock(mutex_);
        done_.wait_for(lock, std::chrono::seconds(2), [&] { return delivered_; });
        delivered_ = false;
        return at_;
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool delivered_ = false;
    Clock::time_point at_;
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double idleCpuPerSecond(double seconds) {
    const double cpu0 = cpuSeconds();
    const auto wall0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return 1000.0 * (cpuSeconds() - cpu0) / std::chrono::duration<double>(Clock::now() - wall0).count();
}

}  // namespace

int main() {
    {
        std::thread bare([] {
            const auto end = Clock::now() + std::chrono::seconds(3);
            while (Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(14));
        });
        std::printf("for scale, a bare loop of 14 ms sleeps: %.3f ms CPU per second\n",
                    idleCpuPerSecond(3.0));
        bare.join();
    }
    TimedPort port;
    ir::ComFunc com(port, nullptr);
    com.OpenComPort(1, 9600);
    ir::CodeText code;
    TimedSink display;
    auto receiver = std::make_unique<ir::TComThread>(com, code, display, nullptr);

    // 1. Idle: nothing but this thread's sleep besides the loop.
    std::printf("idle receive loop: %.3f ms CPU per second\n", idleCpuPerSecond(5.0));

    // 2. Bursts of 6 bytes at 9600-baud pacing, about 1 ms a byte.
    std::vector<double> latencies, fromRead;
    for (int burst = 0; burst < 30; ++burst) {
        Clock::time_point last;
        for (std::uint8_t b : {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}) {
            port.feed(b);
            last = Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(1040));
        }
        const auto delivered = display.waitForDelivery();
        latencies.push_back(std::chrono::duration<double, std::milli>(delivered - last).count());
        fromRead.push_back(std::chrono::duration<double, std::milli>(delivered - port.lastRead()).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    receiver.reset();
    std::sort(latencies.begin(), latencies.end());
    std::sort(fromRead.begin(), fromRead.end());
    std::printf(
        "last byte of a 6-byte burst to delivery: median %.1f ms, worst %.1f ms over %zu bursts"
        " (target: under 25 ms)\n",
        latencies[latencies.size() / 2], latencies.back(), latencies.size());
    std::printf(
        "read of the last byte to delivery: median %.1f ms, worst %.1f ms"
        " (the burst's end: one empty read of the gap, then the hand-off)\n",
        fromRead[fromRead.size() / 2], fromRead.back());
    return 0;
}
