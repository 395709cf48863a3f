#pragma once

#include <QString>

#include <cstddef>
#include <utility>
#include <vector>

namespace kzt {

// One copyable item field of the bulk property dialog: its check box and
// the field it stands for.
struct PropertyChoice
{
    const char* objectName;
    QString caption;
    std::size_t field;
};

// A group box of check boxes. Groups marked inFrame sit together inside the
// layout's frame below the plain groups. In a perState group each field is
// counted from the start of a look's block of fields and is copied for every
// look the author checks.
struct PropertyGroup
{
    PropertyGroup(QString title, bool inFrame, std::vector<PropertyChoice> choices, bool perState = false)
        : title(std::move(title)), inFrame(inFrame), choices(std::move(choices)), perState(perState)
    {
    }

    QString title;
    bool inFrame = false;
    std::vector<PropertyChoice> choices;
    bool perState = false;
    // Long groups read better in several columns, filled top to bottom.
    int columns = 1;
};

// What a product offers in the bulk property dialog.
struct PropertyLayout
{
    PropertyLayout(QString frameTitle, std::vector<PropertyGroup> groups)
        : frameTitle(std::move(frameTitle)), groups(std::move(groups))
    {
    }

    QString frameTitle;
    std::vector<PropertyGroup> groups;
    // Products whose items have several looks: one box per look, its field
    // the first of that look's block ("Normal" 0, "Mouse Over" 20 ...).
    QString statesTitle;
    std::vector<PropertyChoice> states;
    // "Select All" and "Select None" beside the property groups: all checks
    // every per-look box, none clears the per-look and the plain boxes.
    bool propertySelectButtons = false;
    // The dialog's help topic (F1), when the product has one.
    int helpContext = 0;
};

} // namespace kzt
