// brainloft-make from outside, as a script meets it: each verb started as a process, beside a bare
// Qt Core program that only makes its QCoreApplication and prints a line. Rounds are interleaved
// (every case once a round, in a rotating order) and medians reported, wall time and peak
// resident memory, with each case's ratio to the bare program. Then the printing runs: one word
// search printed to a PDF, and 30 worksheets with their keys, word search and maze; their time
// beyond the maker's own start (its --help) and the sizes of the PDFs they write.
//
//   bench_maker [ROUNDS] [SHEET_ROUNDS]      defaults 31 and 5
//   BRAINLOFT_MAKE=/path/to/brainloft-make    another build to measure (one from before a change)
//
// No Qt here: a child's peak memory counts what its parent had when it started (the kernel keeps
// the larger across exec), so the parent stays far smaller than any program it measures.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double ms = 0;
    double mib = 0;
    bool ok = false;
};

std::string g_work;

Sample runOnce(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, g_work.c_str());
    timespec t0{}, t1{};
    clock_gettime(CLOCK_MONOTONIC, &t0);
    pid_t pid = 0;
    Sample s;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return s;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    posix_spawn_file_actions_destroy(&actions);
    s.ms = (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6;
    s.mib = usage.ru_maxrss / 1024.0;
    s.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return s;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Case {
    std::string label;
    std::vector<std::string> argv;
    std::vector<Sample> samples = {};
    int failures = 0;
    double ms() const
    {
        std::vector<double> v;
        for (const Sample& s : samples)
            v.push_back(s.ms);
        return median(v);
    }
    double mib() const
    {
        std::vector<double> v;
        for (const Sample& s : samples)
            v.push_back(s.mib);
        return median(v);
    }
};

// Runs every case once a round, starting each round one case further on.
void interleave(std::vector<Case>& cases, int rounds)
{
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < cases.size(); ++k) {
            Case& c = cases[(k + r) % cases.size()];
            const Sample s = runOnce(c.argv);
            if (s.ok)
                c.samples.push_back(s);
            else
                ++c.failures;
        }
    }
}

void write(const std::string& name, const std::string& text)
{
    std::ofstream(g_work + "/" + name) << text;
}

long fileSize(const std::string& name)
{
    struct stat st {};
    return ::stat((g_work + "/" + name).c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

std::string absolute(const std::string& path)
{
    char* real = realpath(path.c_str(), nullptr);
    const std::string result = real ? real : path;
    std::free(real);
    return result;
}

std::string sibling(const char* self, const char* name)
{
    std::string dir = absolute(self);
    const std::size_t slash = dir.rfind('/');
    return (slash == std::string::npos ? std::string(".") : dir.substr(0, slash)) + "/" + name;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const int sheetRounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const char* env = std::getenv("BRAINLOFT_MAKE");
    const std::string maker = absolute(env && *env ? env : BRAINLOFT_MAKE);
    const std::string bare = sibling(argv[0], "bench_maker_bare");
    char pattern[] = "/tmp/brainloft-bench-maker-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    g_work = pattern;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    write("animals.txt", "ant\nbadger\ncamel\ndeer\neagle\nferret\ngecko\nhyena\nibis\njackal\nkoala\nlemur\n"
                         "moose\nnewt\notter\npanda\nquail\nraven\nsloth\ntiger\n");
    write("quote.txt", "THE QUICK BROWN FOX\nJUMPS OVER 12 LAZY DOGS\n");
    mkdir((g_work + "/made").c_str(), 0755);
    mkdir((g_work + "/tunes").c_str(), 0755);
    for (const std::vector<std::string>& setup :
         {std::vector<std::string>{maker, "wordsearch", "animals.txt", "Animals", "--folder", ".", "--seed", "1"},
          {maker, "cryptogram", "quote.txt", "Quote", "--folder", ".", "--seed", "1"},
          {maker, "maze", "Maze", "--level", "30", "--folder", ".", "--seed", "1"},
          {maker, "tunes", "tunes"}}) {
        if (!runOnce(setup).ok) {
            std::fprintf(stderr, "cannot make the sample files with %s\n", maker.c_str());
            return 1;
        }
    }

    std::vector<Case> start = {
        {"bare Qt Core program", {bare}},
        {"--help", {maker, "--help"}},
        {"wordsearch (20 words)", {maker, "wordsearch", "animals.txt", "W", "--folder", "made", "--seed", "2"}},
        {"cryptogram", {maker, "cryptogram", "quote.txt", "C", "--folder", "made", "--seed", "2"}},
        {"maze --level 30", {maker, "maze", "M", "--level", "30", "--folder", "made", "--seed", "2"}},
        {"show Animals.wsp", {maker, "show", "Animals.wsp"}},
        {"check three files", {maker, "check", "Animals.wsp", "Quote.sbp", "Maze.mzp"}},
        {"tunes (all kept)", {maker, "tunes", "tunes"}},
        {"print Animals.wsp (PDF)", {maker, "print", "Animals.wsp", "one.pdf"}},
    };
    runOnce(start[0].argv); // one untimed start of each, so every library is in the page cache
    for (Case& c : start)
        runOnce(c.argv);
    interleave(start, rounds);

    const double bareMs = start[0].ms();
    const double bareMib = start[0].mib();
    std::printf("brainloft-make: %s\n%d interleaved rounds, medians\n\n", maker.c_str(), rounds);
    std::printf("%-26s %9s %7s %9s %7s\n", "case", "ms", "x bare", "MiB", "x bare");
    for (const Case& c : start) {
        if (c.samples.empty()) {
            std::printf("%-26s   failed every run\n", c.label.c_str());
            continue;
        }
        std::printf("%-26s %9.2f %7.2f %9.1f %7.2f%s\n", c.label.c_str(), c.ms(), c.ms() / bareMs, c.mib(),
                    c.mib() / bareMib, c.failures ? "  (some runs failed)" : "");
    }

    std::vector<Case> sheets = {
        {"--help (the start)", {maker, "--help"}},
        {"30 word searches, keys apart",
         {maker, "worksheets", "wordsearch", "animals.txt", "ws.pdf", "--count", "30", "--keys", "wskeys.pdf", "--seed",
          "1"}},
        {"30 mazes of 100, keys after",
         {maker, "worksheets", "maze", "mz.pdf", "--count", "30", "--level", "100", "--seed", "1"}},
    };
    interleave(sheets, sheetRounds);
    const double startMs = sheets[0].ms();
    std::printf("\nworksheets, %d interleaved rounds, medians\n", sheetRounds);
    std::printf("%-32s %9s %12s %9s\n", "case", "ms", "beyond start", "MiB");
    for (std::size_t k = 1; k < sheets.size(); ++k) {
        const Case& c = sheets[k];
        if (c.samples.empty()) {
            std::printf("%-32s   failed every run\n", c.label.c_str());
            continue;
        }
        std::printf("%-32s %9.1f %12.1f %9.1f\n", c.label.c_str(), c.ms(), c.ms() - startMs, c.mib());
    }
    std::printf("\nPDF sizes: one word-search page %ld bytes; 30 word searches %ld, their keys %ld; "
                "30 mazes with keys %ld\n",
                fileSize("one.pdf"), fileSize("ws.pdf"), fileSize("wskeys.pdf"), fileSize("mz.pdf"));

    std::error_code ignored;
    std::filesystem::remove_all(g_work, ignored);
    return 0;
}
