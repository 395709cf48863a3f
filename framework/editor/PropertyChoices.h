#pragma once

#include <QString>

#include <cstddef>
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
// layout's frame below the plain groups.
struct PropertyGroup
{
    QString title;
    bool inFrame = false;
    std::vector<PropertyChoice> choices;
};

// What a product offers in the bulk property dialog.
struct PropertyLayout
{
    QString frameTitle;
    std::vector<PropertyGroup> groups;
};

} // namespace kzt
