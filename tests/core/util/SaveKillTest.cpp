// Saves killed at random moments, and saves of one document racing each other
// from several processes, never tear the document nor pile up files beside it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#include "SaveTestSupport.h"
#include "util/SaveTemporary.h"

using namespace savetest;
using namespace std::chrono;

namespace {

constexpr const char* kName = "log.divelog";

// Runs `body` in a child process that never returns into the test.
template <class Body>
pid_t spawn(Body body) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(body() ? 0 : 3);
    return pid;
}

// Saves first, first + 1, ... until killed.
bool saveUntilKilled(const std::string& doc, std::uint64_t first) {
    std::string error;
    for (std::uint64_t g = first;; ++g)
        if (!saveGeneration(doc, g, error)) return false;
}

// A hung child fails the test instead of hanging it.
int waitOrKill(pid_t pid) {
    int status = 0;
    for (int i = 0; i < 60000; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(milliseconds(1));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return status;
}

bool exitedCleanly(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// True once `pid` waits for an flock (a "->" line of /proc/locks names it).
bool waitsForLock(pid_t pid) {
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream words(line);
        std::string word;
        bool blocked = false;
        while (words >> word) {
            if (word == "->") blocked = true;
            if (blocked && word == std::to_string(pid)) return true;
        }
    }
    return false;
}

class FdOutput final : public divelog::ByteOutput {
public:
    explicit FdOutput(int fd) : fd_(fd) {}
    bool write(std::span<const std::uint8_t> bytes) override {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

private:
    int fd_;
};

}  // namespace

TEST(SaveKill, KilledSavesLeaveTheDocumentWholeAndOneTemporaryAtMost) {
    ScratchFolder dir;
    const std::string doc = dir.file(kName);
    std::string error;
    ASSERT_TRUE(saveGeneration(doc, 1, error)) << error;
    ASSERT_EQ(::chmod(doc.c_str(), 0640), 0);

    // Kill delays spread over about two saves on this machine, so kills land
    // in every step: writing, flushing, renaming, between saves.
    const auto start = steady_clock::now();
    for (std::uint64_t g = 2; g <= 4; ++g) ASSERT_TRUE(saveGeneration(doc, g, error)) << error;
    const auto perSave = duration_cast<microseconds>(steady_clock::now() - start) / 3;
    const auto maxDelay = std::clamp(2 * perSave, microseconds(1000), microseconds(30000));

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, maxDelay.count());

    constexpr int kKills = 300;
    std::uint64_t last = 4;
    int kills = 0, temporariesSeen = 0;
    std::size_t mostBeside = 0;
    for (; kills < kKills && !HasFailure(); ++kills) {
        const std::uint64_t first = static_cast<std::uint64_t>(kills + 1) * 1'000'000;
        pid_t pid = spawn([&] { return saveUntilKilled(doc, first); });
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "a save failed on its own, kill " << kills;

        const std::uint64_t g = generationIn(doc);
        EXPECT_NE(g, 0u) << "torn document after kill " << kills;
        EXPECT_GE(g, last) << "an older save came back after kill " << kills;
        last = g;
        EXPECT_EQ(modeOf(doc), 0640u);
        const std::size_t beside = dir.names().size() - 1;
        EXPECT_LE(beside, 1u) << "after kill " << kills;
        mostBeside = std::max(mostBeside, beside);
        temporariesSeen += beside > 0;
    }
    std::cout << "kills: " << kills << ", of which left a temporary: " << temporariesSeen
              << ", most files beside the document: " << mostBeside << ", delays up to "
              << maxDelay.count() << " us\n";
    RecordProperty("kills", kills);
    RecordProperty("temporaries_left", temporariesSeen);

    // The next ordinary save takes the leftover over.
    ASSERT_TRUE(saveGeneration(doc, 7, error)) << error;
    EXPECT_EQ(generationIn(doc), 7u);
    EXPECT_EQ(dir.names(), std::vector<std::string>{kName});
    EXPECT_EQ(modeOf(doc), 0640u);
}

TEST(SaveKill, SavesFromTwoProcessesTakeTurns) {
    ScratchFolder dir;
    const std::string doc = dir.file(kName);
    std::string error;
    ASSERT_TRUE(saveGeneration(doc, 1, error)) << error;

    auto saveRange = [&](std::uint64_t from) {
        std::string e;
        for (std::uint64_t g = from; g < from + 25; ++g)
            if (!saveGeneration(doc, g, e)) return false;
        return true;
    };
    pid_t a = spawn([&] { return saveRange(1000); });
    pid_t b = spawn([&] { return saveRange(2000); });
    int statusA = 0, statusB = 0, reads = 0;
    bool aDone = false, bDone = false;
    while (!(aDone && bDone) && !HasFailure()) {
        EXPECT_NE(generationIn(doc), 0u) << "torn document at read " << reads++;
        aDone = aDone || ::waitpid(a, &statusA, WNOHANG) == a;
        bDone = bDone || ::waitpid(b, &statusB, WNOHANG) == b;
    }
    if (!aDone) statusA = waitOrKill(a);
    if (!bDone) statusB = waitOrKill(b);
    EXPECT_TRUE(exitedCleanly(statusA));
    EXPECT_TRUE(exitedCleanly(statusB));
    const std::uint64_t g = generationIn(doc);
    EXPECT_TRUE(g == 1024 || g == 2024) << g;
    EXPECT_EQ(dir.names(), std::vector<std::string>{kName});
}

TEST(SaveKill, SaveThatWaitedDoesNotWriteTheFileRenamedFromUnderIt) {
    ScratchFolder dir;
    const std::string doc = dir.file(kName);
    std::string error;
    ASSERT_TRUE(saveGeneration(doc, 1, error)) << error;

    // The other save starts once told to; forked first, so that it does not
    // inherit, and keep, the lock taken below.
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t other = spawn([&] {
        char c;
        std::string e;
        return ::read(go[0], &c, 1) == 1 && saveGeneration(doc, 3, e);
    });
    // Play a save in progress by hand: the temporary locked and written.
    const std::string temporary = divelog::SaveTemporary::pathFor(doc);
    int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    FdOutput out(fd);
    ASSERT_TRUE(writeGeneration(2, out));
    ASSERT_EQ(::write(go[1], "!", 1), 1);
    ::close(go[0]);
    ::close(go[1]);

    bool waiting = false;
    for (int i = 0; i < 20000 && !waiting; ++i) {
        waiting = waitsForLock(other);
        if (!waiting) std::this_thread::sleep_for(microseconds(500));
    }
    EXPECT_TRUE(waiting) << "the second save never waited for the first";

    // The first save ends: renamed over the document while still locked.
    ASSERT_EQ(::rename(temporary.c_str(), doc.c_str()), 0);
    ::close(fd);
    EXPECT_TRUE(exitedCleanly(waitOrKill(other)));
    EXPECT_EQ(generationIn(doc), 3u);
    EXPECT_EQ(dir.names(), std::vector<std::string>{kName});
}
