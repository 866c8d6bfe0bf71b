// The desktop's files say what the kind table says: one MIME type per
// document kind with its extension and the id its files carry at byte 11,
// and a desktop entry that opens every one of them.

#include <gtest/gtest.h>

#include <fstream>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <string>

#include "document/DocumentKind.h"

using namespace divelog;

TEST(PackagingFiles, TheMimeTypesAndTheDesktopEntryFollowTheKindTable) {
    pugi::xml_document mime;
    ASSERT_TRUE(mime.load_file(DIVELOG_PACKAGING_DIR "/divelog-mime.xml"));
    std::set<std::string> declared;
    for (pugi::xml_node type : mime.child("mime-info").children("mime-type")) {
        const std::string name = type.attribute("type").value();
        declared.insert(name);
        const DocumentKindInfo* kind = nullptr;
        for (const auto& k : documentKinds())
            if (k.mimeType == name) kind = &k;
        ASSERT_TRUE(kind) << name << " is no kind of the application";
        EXPECT_EQ(type.child("glob").attribute("pattern").value(),
                  "*." + std::string(kind->extension));
        pugi::xml_node magic = type.child("magic").child("match");
        EXPECT_STREQ(magic.attribute("value").value(), "DIVELOGA");
        EXPECT_EQ(magic.child("match").attribute("offset").as_int(), 11);
        EXPECT_EQ(magic.child("match").attribute("value").value(), std::string(kind->id));
        EXPECT_EQ(type.child("icon").attribute("name").value(),
                  "application-x-divelog-" + std::string(kind->id));
    }
    EXPECT_EQ(declared.size(), documentKinds().size());

    std::ifstream in(DIVELOG_PACKAGING_DIR "/divelog.desktop");
    std::stringstream desktop;
    desktop << in.rdbuf();
    for (const auto& k : documentKinds())
        EXPECT_NE(desktop.str().find(std::string(k.mimeType) + ";"), std::string::npos) << k.id;
}
