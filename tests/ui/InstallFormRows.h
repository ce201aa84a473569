#pragma once
// Rows of the wizard window's table, by component name: the driver finds a
// component by its row.

#include "InstallMain/InstallFormTable.h"

#include <gtest/gtest.h>

#include <string_view>

inline int RowOf(std::string_view name)
{
    const auto& components = InstallMain::InstallFormDef().components;
    for (std::size_t i = 0; i < components.size(); ++i)
        if (name == components[i].name)
            return static_cast<int>(i);
    ADD_FAILURE() << "no component " << name;
    return -1;
}
