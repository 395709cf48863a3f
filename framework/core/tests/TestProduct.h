#pragma once

#include <gtest/gtest.h>

#include "AppletAgent.h"
#include "KztTestSupport.h"
#include "ProductProfile.h"

#include <filesystem>
#include <string>

namespace kzt::test {

// A small product for exercising the shared core on its own: three
// parameters, items of (id, parent id, caption, image, level).
class TestProduct : public ProductProfile
{
public:
    enum Field : std::size_t { Id, Parent, Caption, Image, Level, Count };

    TestProduct()
    {
        m_info.name = "Testmenu";
        m_info.version = "1.0";
        m_info.executableName = "testmenu";
        m_info.noteLine = "Note: test.";
        m_info.acceptedNames = {"Testmenu", "Oldmenu"};
        m_info.extension = "tst";
        m_info.fileFilter = "Test Files (*.tst)|*.tst";
        m_info.foreignFileMessage = "This file wasn't saved by Testmenu 1.0, open failed!";
        m_info.appletFieldCount = 3;
        m_info.itemFieldCount = Count;
        m_info.captionField = Caption;
        m_info.levelField = Level;
        m_info.scriptFiles = {"runtime.js"};
        m_info.scriptName = "runtime";
        m_info.itemFileFields = {Image};
        m_info.report.purposeLine = "Purpose.";
        m_info.report.projectExtension = "tst";
        m_info.report.runtimeHeading = "[Runtime]:";
        m_info.report.sections = {{"[Images]:", {Image}}};
    }

    const ProductInfo& info() const override { return m_info; }
    ProductInfo& editableInfo() { return m_info; }
    TAppletData defaultAppletData() const override { return TAppletData(TStringArray{"menu", "0", "FFFFFF"}); }
    TItemData defaultItemData() const override { return TItemData(TStringArray{"", "", "Item", "", ""}); }
    void refreshDerivedFields(TkztAppletAgent& agent) const override { agent.NumberItems(Id, Parent); }
    std::string generatePage(const TkztAppletAgent& agent) const override
    {
        std::string page;
        for (const TItemData& item : agent.Items) {
            page.append(item.get(Id)).append(":").append(item.get(Parent)).append(":").append(item.get(Caption));
            page += "\n";
        }
        return page;
    }

private:
    ProductInfo m_info;
};

using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::treeMatchesItems;
using testsupport::writeFile;

} // namespace kzt::test
