#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each row of a parameterised test after its `name` field.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& row) const {
        return row.param.name;
    }
};
