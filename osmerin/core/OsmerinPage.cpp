#include "osmerin/core/OsmerinPage.h"

#include "AppletAgent.h"
#include "PageText.h"
#include "TextFile.h"
#include "osmerin/core/OsmerinRecords.h"

#include <charconv>
#include <string_view>

namespace osmerin {

const char* const OsmerinPage::kCopyrightNotice = "Osmeral news applet, Copyright (c) KZT. All rights reserved.";

namespace {

void appendParameter(std::string& out, std::string_view name, const kzt::TFieldRecord& fields, std::size_t count)
{
    out += "\t<param name=\"";
    kzt::AppendAttributeValue(out, name);
    out += "\" value=\"";
    for (std::size_t i = 0; i < count; ++i) {
        if (i < fields.size())
            kzt::AppendAttributeValue(out, fields.get(i));
        out += kValueSeparator;
    }
    out += "\">\r\n";
}

std::string_view field(const kzt::TFieldRecord& fields, std::size_t index)
{
    return index < fields.size() ? fields.get(index) : std::string_view();
}

} // namespace

std::string OsmerinPage::generate(const kzt::TkztAppletAgent& agent)
{
    kzt::LineWriter page;
    write(agent, page);
    return page.take();
}

void OsmerinPage::write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& page)
{
    const kzt::TAppletData& applet = agent.AppletData;
    // Made in memory, the page gets room for all of it, so it is never
    // copied while it grows.
    page.reserveFor([&] {
        std::size_t bytes = 1024 + applet.values().size() + applet.size();
        for (const kzt::TItemData& item : agent.Items)
            bytes += 64 + item.values().size() + item.size();
        return bytes + bytes / 16;
    });
    std::string& out = page.text();
    out += "<HTML>\r\n";
    out += "<applet code=\"";
    kzt::AppendAttributeValue(out, agent.ScriptName);
    out += ".class\" archive=\"";
    kzt::AppendAttributeValue(out, agent.ScriptName);
    out += ".jar\" width=\"";
    kzt::AppendAttributeValue(out, field(applet, AppletWidth));
    out += "\" height=\"";
    kzt::AppendAttributeValue(out, field(applet, AppletHeight));
    out += "\">\r\n";
    out += "\t<param name=\"Copyright\" value=\"";
    kzt::AppendAttributeValue(out, kCopyrightNotice);
    out += "\">\r\n";
    appendParameter(out, "app", applet, kAppletValueCount);
    char name[24];
    for (std::size_t i = 0; i < agent.Items.size(); ++i) {
        const char* const nameEnd = std::to_chars(name, name + sizeof name, i).ptr;
        appendParameter(out, std::string_view(name, static_cast<std::size_t>(nameEnd - name)), agent.Items[i],
                        kItemValueCount);
        page.flushWhenFull();
    }
    out += "</applet>\r\n";
    if (agent.ScriptRuntime()) {
        out += "<script src=\"";
        out += kBrowserRuntime;
        out += "\"></script>\r\n";
    }
    out += "</HTML>\r\n";
}

} // namespace osmerin
