#pragma once

#include "ProjectFileFormat.h"

namespace vantrel {

// The tagged project file, reading the older product versions too: "1.0",
// "1.1" and "1.11" wrote 62 applet and 71 item fields; "2.0", "2.01" and
// "2.02" write today's 64 and 74. Any other version line is read as today's
// layout, so no field is left empty for want of a rule.
class VantrelProjectFormat : public kzt::ProjectFileFormat
{
public:
    static const VantrelProjectFormat& instance();

    // True for the versions whose records lack today's newer fields.
    static bool isOldLayout(const std::string& version);

    // The fields of an old record in today's layout; the values stay where
    // they are, the new fields read literals.
    static void migrateOldApplet(FieldViews& values);
    static void migrateOldItem(FieldViews& values);

protected:
    kzt::Status migrateApplet(const std::string& version, FieldViews& fields,
                              const kzt::ProductInfo& info) const override;
    kzt::Status migrateItem(const std::string& version, FieldViews& fields,
                            const kzt::ProductInfo& info) const override;
};

} // namespace vantrel
