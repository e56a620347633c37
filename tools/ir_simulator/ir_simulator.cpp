// IR receiver simulator: sits on the other end of the program's serial
// line (a pty pair or a real port), logs what the program sends, and sends
// key bursts the way the receiver does, about 1 ms a byte at 9600 baud.
//
//   ir_simulator --device PATH [--log FILE] [--send "12 34 56"]
//                [--script FILE] [--interactive] [--stay]
//
// Commands (in a script, or typed when interactive):
//   send HEX...               one burst
//   press CODE [toggle CODE2] [repeat RCODE] [for MS]
//                             a handset's key, its codes written without
//                             blanks ("A1B2C3"), held MS ms (0: let go at
//                             once), the way the handset families send it:
//                               plain: CODE, and again every 110 ms while held;
//                               toggle: presses of the key alternate CODE and
//                                 CODE2 (RC-5 and its kind), each repeating
//                                 while held;
//                               repeat: CODE once, then RCODE every 110 ms
//                                 while held (NEC and its kind)
//   wait MS                   pause
//   expect HEX... [within MS] wait until these bytes have come (10 s default)
//   quit
// Every line logged is "<ms> rx|tx HH HH ...". Exit status 2 when an
// expectation was not met, 1 on bad use.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point started = Clock::now();
std::atomic<bool> stopping{false};

class Simulator {
public:
    Simulator(int fd, std::ostream* log) : fd_(fd), log_(log) {}

    void startReading() {
        reader_ = std::thread([this] { readLoop(); });
    }
    void stop() {
        stopping = true;
        if (reader_.joinable()) reader_.join();
    }

    bool run(const std::string& line) {
        std::istringstream in(line);
        std::string cmd;
        if (!(in >> cmd) || cmd[0] == '#') return true;
        if (cmd == "send") return send(hexBytes(in));
        if (cmd == "press") return press(in);
        if (cmd == "wait") {
            int ms = 0;
            in >> ms;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            return true;
        }
        if (cmd == "expect") return expect(in);
        if (cmd == "quit") {
            stopping = true;
            return true;
        }
        std::cerr << "unknown command: " << cmd << "\n";
        return false;
    }

private:
    static std::vector<unsigned char> hexBytes(std::istringstream& in) {
        std::vector<unsigned char> out;
        std::string word;
        while (in >> word) {
            if (word == "within") {
                in.seekg(-static_cast<int>(word.size()), std::ios::cur);
                break;
            }
            out.push_back(static_cast<unsigned char>(std::stoul(word, nullptr, 16)));
        }
        return out;
    }

    void logLine(const char* dir, const std::vector<unsigned char>& bytes) {
        if (!log_ || bytes.empty()) return;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
        char buf[8];
        std::string line = std::to_string(ms) + " " + dir;
        for (unsigned char b : bytes) {
            std::snprintf(buf, sizeof buf, " %02X", b);
            line += buf;
        }
        std::lock_guard lock(logMutex_);
        *log_ << line << std::endl;
    }

    bool send(const std::vector<unsigned char>& bytes) {
        for (unsigned char b : bytes) {
            if (::write(fd_, &b, 1) != 1) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(1040));
        }
        logLine("tx", bytes);
        return true;
    }

    // "A1B2C3" as its bytes; an odd last digit stands alone.
    static std::vector<unsigned char> codeBytes(const std::string& code) {
        std::vector<unsigned char> out;
        for (std::size_t i = 0; i < code.size(); i += 2)
            out.push_back(static_cast<unsigned char>(std::stoul(code.substr(i, 2), nullptr, 16)));
        return out;
    }

    bool press(std::istringstream& in) {
        std::string code, word, toggled, repeat;
        int heldMs = 0;
        in >> code;
        while (in >> word) {
            if (word == "toggle") in >> toggled;
            else if (word == "repeat") in >> repeat;
            else if (word == "for") in >> heldMs;
        }
        if (code.empty()) return false;
        // A toggling key remembers which of its codes the last press sent.
        std::string first = code;
        if (!toggled.empty() && toggles_[code]++ % 2 == 1) first = toggled;
        const auto start = Clock::now();
        if (!send(codeBytes(first))) return false;
        const std::vector<unsigned char> again = codeBytes(repeat.empty() ? first : repeat);
        for (int t = 110; t <= heldMs; t += 110) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(t));
            if (!send(again)) return false;
        }
        return true;
    }

    bool expect(std::istringstream& in) {
        const auto wanted = hexBytes(in);
        std::string word;
        int within = 10000;
        if (in >> word && word == "within") in >> within;
        std::unique_lock lock(mutex_);
        const bool ok = arrived_.wait_for(lock, std::chrono::milliseconds(within), [&] {
            for (std::size_t i = matched_; i + wanted.size() <= received_.size(); ++i)
                if (std::equal(wanted.begin(), wanted.end(), received_.begin() + static_cast<long>(i))) {
                    matched_ = i + wanted.size();
                    return true;
                }
            return false;
        });
        if (!ok) std::cerr << "expected bytes did not arrive\n";
        return ok;
    }

    void readLoop() {
        while (!stopping) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            unsigned char buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) {
                // The other end is not open yet (or went away): try again.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            std::vector<unsigned char> got(buf, buf + n);
            {
                std::lock_guard lock(mutex_);
                received_.insert(received_.end(), got.begin(), got.end());
            }
            arrived_.notify_all();
            logLine("rx", got);
        }
    }

    int fd_;
    std::ostream* log_;
    std::mutex logMutex_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<unsigned char> received_;
    std::size_t matched_ = 0;
    std::map<std::string, unsigned> toggles_;  // presses of each toggling key
};

int openLine(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return -1;
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE);
        t.c_cflag |= CS8;
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    std::string device, logPath, sendLine, scriptPath;
    bool interactive = false, stay = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--device") device = next();
        else if (a == "--log") logPath = next();
        else if (a == "--send") sendLine = "send " + next();
        else if (a == "--script") scriptPath = next();
        else if (a == "--interactive") interactive = true;
        else if (a == "--stay") stay = true;
        else {
            std::cerr << "usage: ir_simulator --device PATH [--log FILE] [--send \"HEX ...\"] [--script FILE]"
                         " [--interactive] [--stay]\n";
            return 1;
        }
    }
    if (device.empty()) {
        std::cerr << "ir_simulator: --device is required\n";
        return 1;
    }
    const int fd = openLine(device);
    if (fd < 0) {
        std::perror(device.c_str());
        return 1;
    }
    std::ofstream logFile;
    std::ostream* log = &std::cout;
    if (!logPath.empty()) {
        logFile.open(logPath, std::ios::app);
        log = &logFile;
    }
    // Every log line is flushed as it is written, so a stop can be abrupt
    // even while waiting for a command.
    std::signal(SIGTERM, [](int) { _exit(0); });
    std::signal(SIGINT, [](int) { _exit(0); });

    Simulator sim(fd, log);
    sim.startReading();
    bool ok = true;
    if (!sendLine.empty()) ok = sim.run(sendLine) && ok;
    if (!scriptPath.empty()) {
        std::ifstream script(scriptPath);
        std::string line;
        while (!stopping && std::getline(script, line)) ok = sim.run(line) && ok;
    }
    if (interactive) {
        std::string line;
        while (!stopping && std::getline(std::cin, line)) ok = sim.run(line) && ok;
    }
    while (stay && !stopping) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sim.stop();
    ::close(fd);
    return ok ? 0 : 2;
}
