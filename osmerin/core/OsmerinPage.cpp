#include "osmerin/core/OsmerinPage.h"

#include "AppletAgent.h"
#include "TextFile.h"
#include "osmerin/core/OsmerinRecords.h"

#include <string_view>

namespace osmerin {

const char* const OsmerinPage::kCopyrightNotice = "Osmeral news applet, Copyright (c) KZT. All rights reserved.";

namespace {

// Stored values go into the page as they are, except that a double quote
// would end the attribute early.
void appendAttributeValue(std::string& out, std::string_view value)
{
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
}

void appendParameter(std::string& out, std::string_view name, const kzt::TFieldRecord& fields, std::size_t count)
{
    out += "\t<param name=\"";
    appendAttributeValue(out, name);
    out += "\" value=\"";
    for (std::size_t i = 0; i < count; ++i) {
        if (i < fields.size())
            appendAttributeValue(out, fields.get(i));
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
    const kzt::TAppletData& applet = agent.AppletData;
    std::string out;
    out.reserve(512 + agent.Items.size() * 96);
    out += "<HTML>\r\n";
    out += "<applet code=\"";
    appendAttributeValue(out, agent.ScriptName);
    out += ".class\" archive=\"";
    appendAttributeValue(out, agent.ScriptName);
    out += ".jar\" width=\"";
    appendAttributeValue(out, field(applet, AppletWidth));
    out += "\" height=\"";
    appendAttributeValue(out, field(applet, AppletHeight));
    out += "\">\r\n";
    out += "\t<param name=\"Copyright\" value=\"";
    appendAttributeValue(out, kCopyrightNotice);
    out += "\">\r\n";
    appendParameter(out, "app", applet, kAppletValueCount);
    for (std::size_t i = 0; i < agent.Items.size(); ++i)
        appendParameter(out, std::to_string(i), agent.Items[i], kItemValueCount);
    out += "</applet>\r\n";
    if (agent.ScriptRuntime()) {
        out += "<script src=\"";
        out += kBrowserRuntime;
        out += "\"></script>\r\n";
    }
    out += "</HTML>\r\n";
    return out;
}

} // namespace osmerin
