#pragma once

#include "FieldSchema.h"
#include "ProductProfile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// What a product's profile said of its fields when it was written by hand:
// the profile made from the schema must say it again.
struct ProfileFields
{
    std::size_t appletCount;
    std::size_t itemCount;
    std::size_t caption;
    bool hasLevel;
    std::size_t level;
    std::vector<std::size_t> itemFiles;
    std::vector<std::size_t> appletFiles;
    std::vector<kzt::ReportWording::Section> sections;
};

inline void expectProfileFields(const kzt::ProductInfo& info, const ProfileFields& expected)
{
    EXPECT_EQ(info.appletFieldCount, expected.appletCount);
    EXPECT_EQ(info.itemFieldCount, expected.itemCount);
    EXPECT_EQ(info.captionField, expected.caption);
    EXPECT_EQ(info.hasLevelField, expected.hasLevel);
    EXPECT_EQ(info.levelField, expected.level);
    EXPECT_EQ(info.itemFileFields, expected.itemFiles);
    EXPECT_EQ(info.appletFileFields, expected.appletFiles);
    ASSERT_EQ(info.report.sections.size(), expected.sections.size());
    for (std::size_t i = 0; i < expected.sections.size(); ++i) {
        EXPECT_EQ(info.report.sections[i].heading, expected.sections[i].heading);
        EXPECT_EQ(info.report.sections[i].fields, expected.sections[i].fields);
        EXPECT_EQ(info.report.sections[i].appletFields, expected.sections[i].appletFields);
    }
}

// Every field has a name of its own and no two fields share a control.
inline void expectNamesAndControlsUnique(const kzt::ProductSchema& schema)
{
    for (const kzt::RecordSchema& record : {schema.applet, schema.item}) {
        std::set<std::string> names;
        std::set<std::string> controls;
        for (const kzt::SchemaField& field : kzt::expandSchema(record)) {
            EXPECT_FALSE(field.name.empty());
            EXPECT_TRUE(names.insert(field.name).second) << field.name;
            if (!field.control.empty()) {
                EXPECT_TRUE(controls.insert(field.control).second) << field.control;
            }
        }
    }
}
