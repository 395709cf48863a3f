#pragma once

#include "ProductProfile.h"

namespace vantrel {

// The gliding tree menu applet: its records, defaults, project versions,
// page and parameters file.
class VantrelProfile : public kzt::ProductProfile
{
public:
    VantrelProfile();

    // The applet's class and archive are named after this.
    static constexpr const char* kAppletBase = "vantrel20";
    // The script that draws the menu in browsers without Java.
    static constexpr const char* kBrowserRuntime = "vantrel20.js";
    // The value of the page's "Copyright" parameter.
    static constexpr const char* kNotice = "Vantrel 2.01 gliding menu applet. Copyright (C) KZT.";

    const kzt::ProductInfo& info() const override { return m_info; }
    kzt::TAppletData defaultAppletData() const override;
    kzt::TItemData defaultItemData() const override;
    const kzt::ProjectFormat& projectFormat() const override;
    // Levels from the tree and the items' style numbers.
    void refreshDerivedFields(kzt::TkztAppletAgent& agent) const override;
    std::string generatePage(const kzt::TkztAppletAgent& agent) const override;
    void writePage(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const override;
    // The parameters file, when the applet reads its parameters from one.
    std::vector<CompanionFile> companionFiles(const kzt::TkztAppletAgent& agent) const override;
    std::vector<CompanionName> companionFileNames(const kzt::TkztAppletAgent& agent) const override;
    // Bounds the page and the parameters file alike.
    std::uint64_t pageSizeBound(const kzt::TkztAppletAgent& agent) const override;
    static constexpr const char* kParametersFileWhat = "parameters file";

    // The one instance the program uses.
    static const VantrelProfile& instance();

private:
    kzt::ProductInfo m_info;
};

} // namespace vantrel
