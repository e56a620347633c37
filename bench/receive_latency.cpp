// Latency of the real program under Wine, measured from the receiver's end
// of the serial line: it sends key codes as the receiver does (about 1 ms a
// byte at 9600 baud) and times, on this machine's clock, from the last
// byte written to the moment the code shows up where the program puts it:
//   receive_latency --device PTY --codes N
//       in the lines a watcher of the setup dialog's code field prints to
//       this program's standard input (bench/field_watch.cpp);
//   receive_latency --device PTY --codes N --bytes "A1 B2 C3" --file LOG --line TEXT
//       as a new line TEXT in the file LOG (the stand-in player's message
//       log), the same code sent every time.
// Prints the median and the worst. A measurement, not a test.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<unsigned char> hexBytes(const std::string& text) {
    std::istringstream in(text);
    std::vector<unsigned char> bytes;
    for (std::string h; in >> h;) bytes.push_back(static_cast<unsigned char>(std::stoul(h, nullptr, 16)));
    return bytes;
}

std::string codeOf(const std::vector<unsigned char>& bytes) {
    std::string s;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%X", b);
        s += buf;
    }
    return s;
}

// A line from standard input, or nothing within the time.
bool nextLine(std::string& line, int timeoutMs) {
    static std::string pending;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto nl = pending.find('\n');
        if (nl != std::string::npos) {
            line = pending.substr(0, nl);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pending.erase(0, nl + 1);
            return true;
        }
        const int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
        if (left <= 0) return false;
        pollfd p{0, POLLIN, 0};
        if (poll(&p, 1, left) <= 0) return false;
        char buf[256];
        const ssize_t n = read(0, buf, sizeof buf);
        if (n <= 0) return false;
        pending.append(buf, static_cast<std::size_t>(n));
    }
}

std::size_t linesIn(const std::string& path, const std::string& text) {
    std::ifstream in(path);
    std::size_t n = 0;
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        n += l == text;
    }
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    std::string device, file, line, fixed;
    int codes = 50;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--device") device = argv[i + 1];
        if (a == "--codes") codes = std::atoi(argv[i + 1]);
        if (a == "--file") file = argv[i + 1];
        if (a == "--line") line = argv[i + 1];
        if (a == "--bytes") fixed = argv[i + 1];
    }
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        std::perror(device.c_str());
        return 1;
    }
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);

    std::vector<double> latencies;
    int missed = 0;
    for (int i = 0; i < codes; ++i) {
        // Each code its own in the field mode, so no change goes unseen.
        const auto bytes = fixed.empty() ? std::vector<unsigned char>{0xA5, 0xC3, static_cast<unsigned char>(0x10 + i)}
                                         : hexBytes(fixed);
        const std::size_t before = file.empty() ? 0 : linesIn(file, line);
        Clock::time_point last;
        for (unsigned char b : bytes) {
            if (write(fd, &b, 1) != 1) return 1;
            last = Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(1040));
        }
        bool seen = false;
        Clock::time_point at;
        const auto deadline = last + std::chrono::seconds(2);
        while (!seen && Clock::now() < deadline) {
            if (file.empty()) {
                std::string got;
                if (nextLine(got, 50) && got == codeOf(bytes)) {
                    seen = true;
                    at = Clock::now();
                }
            } else {
                if (linesIn(file, line) > before) {
                    seen = true;
                    at = Clock::now();
                } else {
                    std::this_thread::sleep_for(std::chrono::microseconds(500));
                }
            }
        }
        if (seen)
            latencies.push_back(std::chrono::duration<double, std::milli>(at - last).count());
        else
            ++missed;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::printf("no code arrived (%d sent)\n", codes);
        return 1;
    }
    std::printf("from the last byte to %s: median %.1f ms, worst %.1f ms over %zu codes (%d missed)\n",
                file.empty() ? "the code field" : "the player's message", latencies[latencies.size() / 2],
                latencies.back(), latencies.size(), missed);
    return 0;
}
