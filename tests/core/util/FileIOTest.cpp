// Saving replaces a document only when every step succeeded, keeps its
// permissions and any symbolic link to it, and leaves nothing beside it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "SaveTestSupport.h"
#include "util/FileIO.h"
#include "util/SaveTemporary.h"

using namespace divelog;
using savetest::ScratchFolder;
using Names = std::vector<std::string>;

namespace {

std::string text(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) return "<" + error + ">";
    return {bytes.begin(), bytes.end()};
}

bool save(const std::string& path, const std::string& content, std::string& error) {
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()),
        error);
}

// Runs `body` in a child without root's powers when the test runs as root.
template <class Body>
bool asOrdinaryUser(Body body) {
    if (::geteuid() != 0) return body();
    pid_t pid = ::fork();
    if (pid == 0) {
        bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && body();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

TEST(FileIOSave, AbandonedSaveLeavesTheOldFileAndNothingBesideIt) {
    ScratchFolder dir;
    const std::string doc = dir.file("log.divelog");
    std::string error;
    ASSERT_TRUE(save(doc, "old", error)) << error;

    // The writer gives up half-way.
    EXPECT_FALSE(writeFileAtomically(
        doc, [](ByteOutput& out) { return out.write(std::span<const std::uint8_t>()) && false; },
        error));
    EXPECT_NE(error.find("log.divelog"), std::string::npos) << error;
    EXPECT_EQ(text(doc), "old");
    EXPECT_EQ(dir.names(), Names{"log.divelog"});

    // The writer throws.
    EXPECT_THROW((void)writeFileAtomically(
                     doc, [](ByteOutput&) -> bool { throw std::logic_error("bug"); }, error),
                 std::logic_error);
    EXPECT_EQ(text(doc), "old");
    EXPECT_EQ(dir.names(), Names{"log.divelog"});

    // A folder that is not there, and a folder where the document should be.
    error.clear();
    EXPECT_FALSE(save(dir.file("missing/log.divelog"), "x", error));
    EXPECT_NE(error.find("missing/log.divelog"), std::string::npos) << error;
    const std::string folder = dir.file("folder");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_FALSE(save(folder, "x", error));
    EXPECT_FALSE(save(folder + "/", "x", error));
    EXPECT_EQ(dir.names(), (Names{"folder", "log.divelog"}));
    EXPECT_EQ(savetest::ScratchFolder::namesIn(folder), Names{});
}

TEST(FileIOSave, LeftoverTemporaryIsTakenOverAndEmptiedFirst) {
    ScratchFolder dir;
    const std::string doc = dir.file("log.divelog");
    std::string error;
    ASSERT_TRUE(save(doc, "old", error)) << error;
    // What a save killed part-way leaves: longer than the next content.
    const std::string stale = SaveTemporary::pathFor(doc);
    ASSERT_TRUE(save(stale, std::string(1 << 20, 'x'), error)) << error;
    ASSERT_TRUE(save(doc, "new", error)) << error;
    EXPECT_EQ(text(doc), "new");
    EXPECT_EQ(dir.names(), Names{"log.divelog"});

    // Killed just before its rename, the save of a read-only document leaves
    // a read-only temporary, which only root could open for writing.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    EXPECT_TRUE(asOrdinaryUser([&] {
        const std::string mine = dir.file("mine.divelog");
        const std::string leftover = SaveTemporary::pathFor(mine);
        std::string e;
        return save(mine, "old", e) && save(leftover, "stale", e) &&
               ::chmod(leftover.c_str(), 0444) == 0 && save(mine, "new", e) &&
               text(mine) == "new" && ::access(leftover.c_str(), F_OK) != 0;
    }));
}

TEST(FileIOSave, PermissionsOfTheReplacedFileAreKept) {
    ScratchFolder dir;
    const std::string doc = dir.file("log.divelog");
    std::string error;
    ASSERT_TRUE(save(doc, "one", error)) << error;
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(doc), 0666 & ~mask);

    ASSERT_EQ(::chmod(doc.c_str(), 0604), 0);
    ASSERT_TRUE(save(doc, "two", error)) << error;
    EXPECT_EQ(modeOf(doc), 0604u);
    EXPECT_EQ(text(doc), "two");
}

TEST(FileIOSave, SymbolicLinksStayAndTheFileTheyNameIsReplaced) {
    ScratchFolder dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.file("links").c_str(), 0755), 0);
    const std::string real = dir.file("real/log.divelog");
    std::string error;
    ASSERT_TRUE(save(real, "old", error)) << error;
    ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
    // A relative link to a link to the file.
    ASSERT_EQ(::symlink("../real/log.divelog", dir.file("links/first").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("links/first").c_str(), dir.file("links/second").c_str()), 0);

    ASSERT_TRUE(save(dir.file("links/second"), "new", error)) << error;
    EXPECT_EQ(text(real), "new");
    EXPECT_EQ(modeOf(real), 0600u);
    struct stat st {};
    ASSERT_EQ(::lstat(dir.file("links/second").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ScratchFolder::namesIn(dir.file("links")), (Names{"first", "second"}));
    EXPECT_EQ(ScratchFolder::namesIn(dir.file("real")), Names{"log.divelog"});

    // A link to a file not there yet creates the file.
    ASSERT_EQ(::symlink("later.divelog", dir.file("real/pending").c_str()), 0);
    ASSERT_TRUE(save(dir.file("real/pending"), "first", error)) << error;
    EXPECT_EQ(text(dir.file("real/later.divelog")), "first");

    // A loop of links is refused, leaving nothing behind.
    ASSERT_EQ(::symlink("loop", dir.file("links/loop").c_str()), 0);
    EXPECT_FALSE(save(dir.file("links/loop"), "x", error));
    EXPECT_EQ(ScratchFolder::namesIn(dir.file("links")), (Names{"first", "loop", "second"}));
}

TEST(FileIOSave, LongNamesGetTheirOwnTemporaryWithinTheNameLimit) {
    ScratchFolder dir;
    const std::string a = dir.file(std::string(240, 'a') + ".divelog");
    const std::string b = dir.file(std::string(240, 'a') + "b.divelog");
    EXPECT_NE(SaveTemporary::pathFor(a), SaveTemporary::pathFor(b));
    std::string error;
    ASSERT_TRUE(save(a, "A", error)) << error;
    ASSERT_TRUE(save(b, "B", error)) << error;
    EXPECT_EQ(text(a), "A");
    EXPECT_EQ(text(b), "B");
    EXPECT_EQ(dir.names().size(), 2u);
}
