// The program's start as a person sees it: from the moment it is started to the first drawn
// pixels of the launcher, watched on the X screen from outside, and its resident memory at that
// moment; beside a bare Qt Widgets program that builds 26 dialogues and shows one window of the
// launcher's size and picture. Rounds are interleaved and medians reported, with the ratios.
//
//   xvfb-run -s "-screen 0 1280x1024x24" build/bench/bench_start [ROUNDS]     default 21
//   BRAINLOFT=/path/to/brainloft   another build to measure (one from before a change)
//
// Each start gets the same private home (made once, with a first start to unpack the tunes), so
// the rounds measure a returning user's start. No Qt here, so the watcher costs the screen little.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double ms = -1;
    double rssMiB = 0;
};

double Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Screen {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    int width = 0;
    int height = 0;

    // The pixels of a square at the centre, where both windows draw.
    std::vector<uint8_t> centre() const
    {
        const int side = 64;
        auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(width / 2 - side / 2),
                                    int16_t(height / 2 - side / 2), side, side, ~0u);
        xcb_get_image_reply_t* reply = xcb_get_image_reply(connection, cookie, nullptr);
        std::vector<uint8_t> pixels;
        if (reply) {
            const uint8_t* data = xcb_get_image_data(reply);
            pixels.assign(data, data + xcb_get_image_data_length(reply));
            free(reply);
        }
        return pixels;
    }
};

double ResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// Starts the program and waits for the centre of the screen to change; then ends it.
Sample Run(const Screen& screen, const std::vector<std::string>& command, const std::vector<std::string>& env)
{
    const std::vector<uint8_t> before = screen.centre();
    std::vector<char*> argv;
    for (const std::string& a : command)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    Sample sample;
    pid_t pid = 0;
    const double start = Now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return sample;
    while (Now() - start < 10000) {
        if (screen.centre() != before) {
            sample.ms = Now() - start;
            sample.rssMiB = ResidentMiB(pid);
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return sample;
        usleep(200);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // The screen is back as it was before the next start watches it.
    for (int i = 0; i < 500 && screen.centre() != before; ++i)
        usleep(2000);
    return sample;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    Screen screen;
    int screenNumber = 0;
    screen.connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(screen.connection)) {
        std::fprintf(stderr, "bench_start: no X display (run it under xvfb-run)\n");
        return 77;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(screen.connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    screen.root = it.data->root;
    screen.width = it.data->width_in_pixels;
    screen.height = it.data->height_in_pixels;

    const char* program = std::getenv("BRAINLOFT");
    const std::string brainloft = program ? program : BRAINLOFT_PROGRAM;
    const std::string home = std::filesystem::temp_directory_path() / ("bench_start." + std::to_string(getpid()));
    std::filesystem::create_directories(home + "/runtime");
    std::filesystem::permissions(home + "/runtime", std::filesystem::perms::owner_all);
    std::vector<std::string> env = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
                                    "XDG_DATA_HOME=" + home + "/data", "XDG_RUNTIME_DIR=" + home + "/runtime",
                                    "QT_QPA_PLATFORM=xcb"};
    for (const char* name : {"DISPLAY", "XAUTHORITY", "PATH"})
        if (const char* value = std::getenv(name))
            env.push_back(std::string(name) + "=" + value);

    const std::vector<std::string> bare = {BARE_PROGRAM, BRAINLOFT_LAUNCHER_PICTURE};
    const std::vector<std::string> real = {brainloft};
    Run(screen, real, env); // unpacks the tunes and writes the settings once
    std::vector<double> bareMs, bareMiB, realMs, realMiB;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < 2; ++k) {
            const bool isReal = (k + round) % 2 == 1;
            const Sample s = Run(screen, isReal ? real : bare, env);
            if (s.ms < 0) {
                ++failures;
                continue;
            }
            (isReal ? realMs : bareMs).push_back(s.ms);
            (isReal ? realMiB : bareMiB).push_back(s.rssMiB);
        }
    }
    std::filesystem::remove_all(home);
    std::printf("%d rounds, medians from start to the first drawn pixels, resident memory then\n", rounds);
    std::printf("  bare Qt program (26 dialogues) %8.1f ms %7.1f MiB\n", Median(bareMs), Median(bareMiB));
    std::printf("  brainloft                      %8.1f ms %7.1f MiB\n", Median(realMs), Median(realMiB));
    if (!bareMs.empty() && Median(bareMs) > 0 && Median(bareMiB) > 0)
        std::printf("  ratio                          %8.2f x  %6.2f x\n", Median(realMs) / Median(bareMs),
                    Median(realMiB) / Median(bareMiB));
    if (failures)
        std::printf("  %d starts showed nothing within 10 s\n", failures);
    return failures ? 1 : 0;
}
