// Opening document files: the kind comes from the header whatever the name
// says, and every refusal says in the user's terms what is wrong, with the
// byte where decoding stopped when there is one.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "archive/BinaryArchive.h"
#include "document/DocumentFile.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"
#include "registers/RegisterDocument.h"
#include "registers/RepEpaves.h"

using namespace divelog;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "divelog-doc-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const Bytes& bytes) {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }

    static Bytes logbookBytes(int dives) {
        Carnet carnet;
        for (int i = 1; i <= dives; ++i) {
            Plongee p;
            p.setNoPlongee(i);
            p.setLieu(std::string("Port-Cros"));
            p.setProfilProfondeur(std::vector<double>{0, 12.5, 28.4, 6, 0});
            carnet.add(std::move(p));
        }
        std::string error;
        return carnet.dataOfType("logbook", error);
    }

    // The refusal of opening `bytes` as whatever they claim to be.
    static DocumentError refusal(const Bytes& bytes) {
        DocumentError error;
        EXPECT_EQ(readDocument(bytes, error), nullptr);
        EXPECT_FALSE(error.details.empty());
        return error;
    }

    fs::path dir_;
};

std::size_t bodyOffset(const Bytes& b) {
    ArchiveHeader h;
    std::string error;
    EXPECT_TRUE(readArchiveHeader(b, h, error)) << error;
    return h.bodyOffset;
}

}  // namespace

// Files saved under a dotted name by an earlier version have no extension,
// and a register renamed ".divelog" is still a register.
TEST_F(DocumentFileTest, KindComesFromTheHeaderNotTheName) {
    std::string error;
    Carnet carnet;
    carnet.add(Plongee());
    ASSERT_TRUE(carnet.save(path("Dives v1.5"), error)) << error;
    RegisterDocument wrecks(DocumentKind::Epaves, RepEpaves::instance());
    ASSERT_TRUE(wrecks.save(path("J.Doe log"), error)) << error;
    ASSERT_TRUE(wrecks.save(path("wrecks.divelog"), error)) << error;

    const std::vector<std::pair<std::string, DocumentKind>> cases = {
        {"Dives v1.5", DocumentKind::Carnet},
        {"J.Doe log", DocumentKind::Epaves},
        {"wrecks.divelog", DocumentKind::Epaves},
    };
    for (const auto& [name, kind] : cases) {
        DocumentError failure;
        std::unique_ptr<Document> d = openDocumentFile(path(name), failure);
        ASSERT_TRUE(d) << name << ": " << failure.details;
        EXPECT_EQ(d->kind(), kind) << name;
        EXPECT_EQ(d->filePath(), path(name));
        EXPECT_FALSE(d->isChanged());
    }
    DocumentError failure;
    EXPECT_EQ(openDocumentFile(path("Dives v1.5"), failure)->recordCount(), 1u);
}

TEST_F(DocumentFileTest, FileSystemRefusalsSayWhatIsWrong) {
    DocumentError error;
    EXPECT_EQ(openDocumentFile(path("gone.divelog"), error), nullptr);
    EXPECT_EQ(error.problem, DocumentProblem::FileNotFound);
    EXPECT_NE(error.details.find("gone.divelog"), std::string::npos);

    EXPECT_EQ(openDocumentFile(dir_.string(), error), nullptr);
    EXPECT_EQ(error.problem, DocumentProblem::IsAFolder);

    // Running as root, a file without permissions is still readable: the
    // mapping from the system's codes is what can be checked everywhere.
    EXPECT_EQ(problemOfSystemError(EACCES), DocumentProblem::PermissionDenied);
    EXPECT_EQ(problemOfSystemError(EROFS), DocumentProblem::PermissionDenied);
    EXPECT_EQ(problemOfSystemError(ENOTDIR), DocumentProblem::FileNotFound);
    EXPECT_EQ(problemOfSystemError(ENOSPC), DocumentProblem::DiskFull);
    EXPECT_EQ(problemOfSystemError(EIO), DocumentProblem::FileUnreadable);
    EXPECT_NE(std::string(openProblemText({DocumentProblem::PermissionDenied}).english)
                  .find("permission denied"),
              std::string::npos);

    std::string why;
    Carnet carnet;
    EXPECT_FALSE(carnet.save(path("no/such/folder/trip.divelog"), error));
    EXPECT_EQ(error.problem, DocumentProblem::FileNotFound);
    EXPECT_EQ(saveProblemText(error).key, "Save folder missing");
    EXPECT_FALSE(carnet.save(dir_.string(), error));
    EXPECT_EQ(error.problem, DocumentProblem::IsAFolder);
    EXPECT_TRUE(carnet.filePath().empty());
}

// A folder that refuses new files (here the kernel's, which refuses even
// root) is write-protected, not missing.
TEST_F(DocumentFileTest, AWriteProtectedFolderIsSaidToBeSo) {
    if (!fs::is_directory("/sys/kernel")) GTEST_SKIP() << "no sysfs here";
    Carnet carnet;
    DocumentError error;
    EXPECT_FALSE(carnet.save("/sys/kernel/trip.divelog", error));
    EXPECT_EQ(error.problem, DocumentProblem::PermissionDenied);
    EXPECT_NE(std::string(saveProblemText(error).english).find("write-protected"),
              std::string::npos);
}

TEST_F(DocumentFileTest, ContentRefusalsSayWhatIsWrong) {
    const Bytes good = logbookBytes(2);
    const std::string text = "Date;Lieu\n2024-05-31;Port-Cros\n";
    EXPECT_EQ(refusal({text.begin(), text.end()}).problem, DocumentProblem::NotADiveLog);
    EXPECT_EQ(refusal({}).problem, DocumentProblem::NotADiveLog);
    EXPECT_EQ(refusal(encodeColourArchive(Colour{})).problem, DocumentProblem::UnknownKind);
    EXPECT_EQ(refusal(RecordListEncoder("diving", {}, 0).finish()).problem,
              DocumentProblem::UnknownKind);

    Bytes newerFormat = good;
    newerFormat[8] = static_cast<std::uint8_t>(kArchiveFormatVersion + 1);
    EXPECT_EQ(refusal(newerFormat).problem, DocumentProblem::NewerVersion);

    for (auto [version, problem] :
         {std::pair{Plongee::kClassVersion + 1, DocumentProblem::NewerVersion},
          std::pair{Plongee::kOldestVersion - 1, DocumentProblem::OlderVersion}}) {
        RecordListEncoder encoder("logbook", {{"Plongee", version}}, 1);
        Plongee().encode(encoder.beginRecord("Plongee"));
        encoder.endRecord();
        const DocumentError e = refusal(encoder.finish());
        EXPECT_EQ(e.problem, problem) << version;
        EXPECT_FALSE(e.offset);
    }

    // A register holding records of a newer class was written by a newer version.
    RecordListEncoder records("consumables", {{"Consommables", 3}}, 1);
    records.beginRecord("Consommables").writeString(std::string("Joint"));
    records.endRecord();
    EXPECT_EQ(refusal(records.finish()).problem, DocumentProblem::NewerVersion);
}

TEST_F(DocumentFileTest, DamageIsPlacedAtItsByte) {
    const Bytes good = logbookBytes(2);

    Bytes trailing = good;
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
    DocumentError e = refusal(trailing);
    EXPECT_EQ(e.problem, DocumentProblem::Damaged);
    EXPECT_EQ(e.offset, good.size());
    EXPECT_NE(e.details.find("after"), std::string::npos);  // the decoder's own words

    // The first dive's place name: a length running past the end.
    const std::string lieu = "Port-Cros";
    const std::size_t at =
        std::search(good.begin(), good.end(), lieu.begin(), lieu.end()) - good.begin() - 4;
    Bytes hostile = good;
    const std::uint32_t huge = 0xfffffff0u;
    std::memcpy(hostile.data() + at, &huge, 4);
    e = refusal(hostile);
    EXPECT_EQ(e.problem, DocumentProblem::Damaged);
    EXPECT_EQ(e.offset, at);

    Bytes count = good;
    std::memcpy(count.data() + bodyOffset(good) + 1, &huge, 4);
    EXPECT_EQ(refusal(count).offset, bodyOffset(good) + 1);

    for (std::size_t keep : {bodyOffset(good) + 3, good.size() / 2, good.size() - 1}) {
        e = refusal(Bytes(good.begin(), good.begin() + static_cast<long>(keep)));
        EXPECT_EQ(e.problem, DocumentProblem::Damaged) << keep;
        ASSERT_TRUE(e.offset) << keep;
        EXPECT_LE(*e.offset, keep);
    }
    EXPECT_EQ(openProblemText(e).key, "File damaged near byte");
    EXPECT_NE(std::string(openProblemText(e).english).find("%@"), std::string::npos);
}

// A document opened for itself (a revert) keeps its kind and its records.
TEST_F(DocumentFileTest, AnOpenDocumentRefusesAnotherKindAndStaysAsItWas) {
    std::string why;
    RegisterDocument wrecks(DocumentKind::Epaves, RepEpaves::instance());
    ASSERT_TRUE(wrecks.save(path("w.dlwrecks"), why));
    Carnet carnet;
    carnet.add(Plongee());
    DocumentError error;
    EXPECT_FALSE(carnet.open(path("w.dlwrecks"), error));
    EXPECT_EQ(error.problem, DocumentProblem::OtherKind);
    EXPECT_EQ(carnet.recordCount(), 1u);
    EXPECT_TRUE(carnet.filePath().empty());

    ASSERT_TRUE(carnet.save(path("log.divelog"), error));
    write("log.divelog", Bytes(7, 'x'));
    EXPECT_FALSE(carnet.revert(error));
    EXPECT_EQ(error.problem, DocumentProblem::NotADiveLog);
    EXPECT_EQ(carnet.recordCount(), 1u);
}
