// The table of document kinds: what files and the desktop rely on, the
// factory of each row, and the extension rule of saving.

#include <gtest/gtest.h>

#include <set>

#include "document/Document.h"
#include "document/DocumentKind.h"
#include "kinds/DocumentKinds.h"

using namespace divelog;

// Saved files store the id and the desktop finds them by extension and MIME
// type: none of them may ever change.
TEST(DocumentKind, StoredIdsExtensionsAndMimeTypesStayFixed) {
    const std::vector<std::array<std::string_view, 3>> fixed = {
        {"logbook", "divelog", "application/x-divelog-logbook"},
        {"documents", "dldocs", "application/x-divelog-documents"},
        {"equipment", "dlequip", "application/x-divelog-equipment"},
        {"rebreather", "dlrebreather", "application/x-divelog-rebreather"},
        {"consumables", "dlconsumables", "application/x-divelog-consumables"},
        {"compressor", "dlcompressor", "application/x-divelog-compressor"},
        {"wrecks", "dlwrecks", "application/x-divelog-wrecks"},
        {"budget", "dlbudget", "application/x-divelog-budget"},
        {"firms", "dlfirms", "application/x-divelog-firms"},
        {"structures", "dlstructures", "application/x-divelog-structures"},
    };
    ASSERT_EQ(documentKinds().size(), fixed.size());
    for (std::size_t i = 0; i < fixed.size(); ++i) {
        const DocumentKindInfo& k = documentKinds()[i];
        EXPECT_EQ(k.id, fixed[i][0]);
        EXPECT_EQ(k.extension, fixed[i][1]);
        EXPECT_EQ(k.mimeType, fixed[i][2]);
    }
}

TEST(DocumentKind, EachRowMakesAnEmptyDocumentOfItsOwnKind) {
    std::set<std::string_view> ids, commands, names;
    for (const auto& k : documentKinds()) {
        SCOPED_TRACE(k.id);
        EXPECT_EQ(&kindInfo(k.kind), &k);
        EXPECT_EQ(kindForId(k.id), &k);
        std::unique_ptr<Document> d = makeDocument(k.kind);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->kind(), k.kind);
        EXPECT_EQ(d->recordCount(), 0u);
        EXPECT_FALSE(d->isChanged());
        EXPECT_TRUE(k.newCommand.ends_with(':'));
        EXPECT_LE(d->recordVersions().oldest, d->recordVersions().newest);
        ids.insert(k.id);
        commands.insert(k.newCommand);
        names.insert(k.englishName);
    }
    EXPECT_EQ(ids.size(), documentKinds().size());
    EXPECT_EQ(commands.size(), documentKinds().size());
    EXPECT_EQ(names.size(), documentKinds().size());
    EXPECT_EQ(kindForId("colour"), nullptr);
    EXPECT_EQ(kindForId(""), nullptr);
    EXPECT_EQ(kindForId("Logbook"), nullptr);  // ids are compared exactly
}

// A name with a dot has a suffix, but not the kind's extension.
TEST(DocumentKind, SavingAddsTheExtensionUnlessTheNameEndsWithIt) {
    const DocumentKindInfo& logbook = kindInfo(DocumentKind::Carnet);
    const DocumentKindInfo& wrecks = kindInfo(DocumentKind::Epaves);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/d/trip", "/d/trip.divelog"},
        {"/d/Dives v1.5", "/d/Dives v1.5.divelog"},
        {"/d/J.Doe log", "/d/J.Doe log.divelog"},
        {"/d/trip.divelog", "/d/trip.divelog"},
        {"/d/trip.DiveLog", "/d/trip.DiveLog"},
        {"/d/trip.divelog.bak", "/d/trip.divelog.bak.divelog"},
        {"/d/tripdivelog", "/d/tripdivelog.divelog"},
        {"/d/trip.dlwrecks", "/d/trip.dlwrecks.divelog"},
        {"/d/.divelog", "/d/.divelog.divelog"},  // a hidden name, not an extension
        {"/d.divelog/trip", "/d.divelog/trip.divelog"},
    };
    for (const auto& [typed, saved] : cases) {
        EXPECT_EQ(withKindExtension(typed, logbook), saved) << typed;
        EXPECT_EQ(hasKindExtension(saved, logbook), true) << saved;
    }
    EXPECT_EQ(withKindExtension("Épaves.DLWRECKS", wrecks), "Épaves.DLWRECKS");
    EXPECT_EQ(withKindExtension("wrecks.divelog", wrecks), "wrecks.divelog.dlwrecks");
}
