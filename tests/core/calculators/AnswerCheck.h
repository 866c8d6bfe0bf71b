#pragma once

// One row of a calculator's table of cases: an answer and what it must hold.

#include <gtest/gtest.h>

#include <vector>

#include "calculators/CalcAnswer.h"

struct AnswerCase {
    const char* name;
    divelog::Answer answer;
    std::vector<double> values;             // empty: refused
    divelog::Why why = divelog::Why::None;  // the refusal, or the note of a result
    double tolerance = 0.005;
};

inline void check(const AnswerCase& c) {
    using divelog::whyText;
    SCOPED_TRACE(c.name);
    if (c.values.empty()) {
        EXPECT_EQ(whyText(c.answer.refusal).key, whyText(c.why).key);
        return;
    }
    ASSERT_TRUE(c.answer.ok()) << whyText(c.answer.refusal).key;
    ASSERT_EQ(c.answer.values.size(), c.values.size());
    for (std::size_t i = 0; i < c.values.size(); ++i)
        EXPECT_NEAR(c.answer.value(i), c.values[i], c.tolerance) << "value " << i;
    EXPECT_EQ(whyText(c.answer.note).key, whyText(c.why).key);
}
