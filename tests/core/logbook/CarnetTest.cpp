// The logbook document: list operations, change marking, saving and opening.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <limits>

#include "document/DocumentKind.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/RegisterDocument.h"
#include "registers/RepEpaves.h"
#include "util/FileIO.h"

using namespace divelog;
namespace fs = std::filesystem;

namespace {

Plongee dive(std::int32_t number, std::string site = "") {
    Plongee p;
    p.setNoPlongee(number);
    if (!site.empty()) p.setSite(site);
    return p;
}

std::vector<std::int32_t> numbers(const Carnet& c) {
    std::vector<std::int32_t> n;
    for (const auto& d : c.dives()) n.push_back(d->noPlongee());
    return n;
}

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/divelog-test-XXXXXX";
        path_ = mkdtemp(tmpl);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (fs::path(path_) / name).string(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(Carnet, NextDiveNumberFollowsTheLastDiveInListOrder) {
    Carnet c;
    EXPECT_EQ(c.nextDiveNumber(), 1);
    for (int n : {1, 2, 10}) c.add(dive(n));
    EXPECT_EQ(c.nextDiveNumber(), 11);
    Carnet d;
    d.add(dive(10));
    d.add(dive(2));
    EXPECT_EQ(d.nextDiveNumber(), 3);
    // The top of the range is proposed again rather than overflowing.
    d.add(dive(std::numeric_limits<std::int32_t>::max()));
    EXPECT_EQ(d.nextDiveNumber(), std::numeric_limits<std::int32_t>::max());
    d.renumber(std::numeric_limits<std::int32_t>::max() - 1);
    EXPECT_EQ(numbers(d), (std::vector<std::int32_t>{std::numeric_limits<std::int32_t>::max() - 1,
                                                     std::numeric_limits<std::int32_t>::max(),
                                                     std::numeric_limits<std::int32_t>::max()}));
}

TEST(Carnet, ListOperationsAndChangeMarking) {
    Carnet c;
    EXPECT_FALSE(c.isChanged());
    c.add(dive(1));
    c.add(dive(3));
    EXPECT_TRUE(c.isChanged());

    EXPECT_TRUE(c.insert(1, dive(2)));  // before the selected dive
    EXPECT_EQ(numbers(c), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_TRUE(c.update(c.idAt(2), dive(30)));
    EXPECT_EQ(numbers(c), (std::vector<std::int32_t>{1, 2, 30}));

    c.clearChanged();
    EXPECT_FALSE(c.insert(3, dive(9)));
    EXPECT_FALSE(c.update(9999, dive(9)));
    EXPECT_TRUE(c.update(c.idAt(0), dive(1))) << "the same dive again";
    EXPECT_FALSE(c.setField(0, Plongee::Field::noPlongee, std::int32_t{1}));
    EXPECT_FALSE(c.setField(0, Plongee::Field::noPlongee, std::string("1"))) << "wrong kind";
    EXPECT_EQ(c.erase({5}), 0u);
    EXPECT_FALSE(c.isChanged()) << "nothing happened, nothing to save";

    EXPECT_EQ(c.previousRow(0), std::nullopt);
    EXPECT_EQ(c.previousRow(2), 1u);
    EXPECT_EQ(c.nextRow(2), std::nullopt);
    EXPECT_EQ(c.nextRow(0), 1u);
}

TEST(Carnet, DeleteRemovesEverySelectedRowOnce) {
    Carnet c;
    for (int n = 1; n <= 6; ++n) c.add(dive(n));
    c.clearChanged();
    EXPECT_EQ(c.erase({4, 0, 2, 2, 99}), 3u);
    EXPECT_EQ(numbers(c), (std::vector<std::int32_t>{2, 4, 6}));
    EXPECT_TRUE(c.isChanged());
    EXPECT_EQ(c.erase({0, 1, 2}), 3u);
    EXPECT_EQ(c.recordCount(), 0u);
}

TEST(Carnet, DataForTypes) {
    Carnet c;
    c.add(dive(1, "Les Moyades"));
    std::string error;
    EXPECT_FALSE(c.dataOfType("logbook", error).empty());
    EXPECT_TRUE(c.dataOfType("Some other type", error).empty());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(c.saveAs("/tmp/never-written.divelog", "Some other type", error));
}

TEST(Carnet, SaveAndOpenRoundTrip) {
    TempDir dir;
    Carnet c;
    c.add(dive(1, "Les Moyades"));
    c.add(dive(2, "Planier"));
    std::string error;
    ASSERT_TRUE(c.save(dir.file("a.divelog"), error)) << error;
    EXPECT_FALSE(c.isChanged());
    EXPECT_EQ(c.filePath(), dir.file("a.divelog"));

    Carnet back;
    ASSERT_TRUE(back.open(dir.file("a.divelog"), error)) << error;
    ASSERT_EQ(back.recordCount(), 2u);
    EXPECT_EQ(back.dive(1).site(), "Planier");
    EXPECT_EQ(back.dive(0), c.dive(0));
    // No stray temporary files beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Carnet, FailedOpenOrRevertChangesNothing) {
    TempDir dir;
    Carnet c;
    c.add(dive(1));
    c.add(dive(2));
    std::string error;
    ASSERT_TRUE(c.save(dir.file("log.divelog"), error));
    std::string good = contents(dir.file("log.divelog"));

    std::ofstream(dir.file("broken.divelog"), std::ios::binary) << good.substr(0, good.size() / 2);
    EXPECT_FALSE(c.open(dir.file("broken.divelog"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(c.recordCount(), 2u);
    EXPECT_EQ(c.filePath(), dir.file("log.divelog"));

    EXPECT_FALSE(c.open(dir.file("missing.divelog"), error));
    EXPECT_NE(error.find("missing.divelog"), std::string::npos);
    EXPECT_FALSE(c.open(dir.path(), error));

    // A register file is not a logbook, and the other way round.
    RegisterDocument wrecks(DocumentKind::Epaves, RepEpaves::instance());
    ASSERT_TRUE(wrecks.save(dir.file("w.dlwrecks"), error));
    EXPECT_FALSE(c.open(dir.file("w.dlwrecks"), error));
    EXPECT_NE(error.find("wrecks"), std::string::npos);
    auto firms = makeDocument(DocumentKind::Entreprises);
    EXPECT_FALSE(firms->open(dir.file("log.divelog"), error));
    EXPECT_FALSE(firms->open(dir.file("w.dlwrecks"), error));

    // Revert after the file went bad keeps what is open.
    c.add(dive(3));
    std::ofstream(dir.file("log.divelog"), std::ios::binary | std::ios::trunc) << "garbage";
    EXPECT_FALSE(c.revert(error));
    EXPECT_EQ(c.recordCount(), 3u);
    EXPECT_FALSE(c.loadData({}, "logbook", error));
    EXPECT_FALSE(c.loadData({}, "wrecks", error));
}

TEST(Carnet, FailedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    Carnet c;
    c.add(dive(1));
    std::string error;
    ASSERT_TRUE(c.save(dir.file("log.divelog"), error));
    std::string before = contents(dir.file("log.divelog"));
    for (int n = 2; n < 200; ++n) c.add(dive(n, std::string(100, 'x')));

    // A file size limit makes the write fail as a full disk would, even for root.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved = c.save(dir.file("log.divelog"), error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(c.isChanged());
    EXPECT_EQ(contents(dir.file("log.divelog")), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "the temporary file is removed";
}

TEST(Carnet, SaveWhereNoFileCanBeCreatedFailsCleanly) {
    Carnet c;
    std::string error;
    EXPECT_FALSE(c.save("/nonexistent-folder/x/log.divelog", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(c.filePath().empty());
    std::vector<std::uint8_t> bytes(16, 1);
    EXPECT_FALSE(writeFileAtomically("/proc/version", bytes, error));
    EXPECT_NE(contents("/proc/version").size(), 16u);
}

TEST(Carnet, StreamedSaveWritesTheSameBytesAsTheArchive) {
    TempDir dir;
    Carnet c;
    for (int n = 0; n < 600; ++n) {
        auto d = dive(n, "Site " + std::to_string(n));
        d.setProfilProfondeur(std::vector<double>(400, n * 0.5));
        d.setGAZ_Flag(std::vector<std::int32_t>(400, n));
        c.add(std::move(d));
    }
    std::string error;
    ASSERT_TRUE(c.save(dir.file("big.divelog"), error)) << error;
    auto expected = c.dataOfType("logbook", error);
    ASSERT_GT(expected.size(), 3u << 20) << "spans several write chunks";
    std::string written = contents(dir.file("big.divelog"));
    EXPECT_TRUE(
        written.size() == expected.size() &&
        std::equal(written.begin(), written.end(), expected.begin(),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
    Carnet back;
    ASSERT_TRUE(back.open(dir.file("big.divelog"), error)) << error;
    EXPECT_EQ(back.dive(599), c.dive(599));
}
