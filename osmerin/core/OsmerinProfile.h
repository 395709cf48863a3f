#pragma once

#include "ProductProfile.h"
#include "osmerin/core/OsmerinRecords.h"

#include <string>

namespace osmerin {

// The news box: its records, defaults, project file, page and report.
class OsmerinProfile : public kzt::ProductProfile
{
public:
    OsmerinProfile();

    // The applet's own files: published beside the page, never made here.
    static constexpr const char* kArchiveFile = "osmeral.jar";
    static constexpr const char* kClassFile = "osmeral.class";
    static constexpr const char* kHelperClassFile = "b.class";

    const kzt::ProductInfo& info() const override { return m_info; }
    kzt::TAppletData defaultAppletData() const override;
    kzt::TItemData defaultItemData() const override;
    const kzt::ProjectFormat& projectFormat() const override;
    // The item count from the tree and every item's content from its type.
    void refreshDerivedFields(kzt::TkztAppletAgent& agent) const override;
    std::string generatePage(const kzt::TkztAppletAgent& agent) const override;
    void writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const override;
    std::string publishReport(const kzt::TkztAppletAgent& agent) const override;

    // Writes an item's comment; its node shows it trimmed.
    static void SetItemComment(kzt::TkztAppletAgent& agent, std::size_t index, const std::string& comment);

    // The one instance the program uses.
    static const OsmerinProfile& instance();

private:
    kzt::ProductInfo m_info;
};

} // namespace osmerin
