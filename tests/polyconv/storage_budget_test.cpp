#include "polyconv/storage_budget.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <vector>

namespace rz::polyconv {
namespace {

using Element = std::array<char, 24>;

TEST(StorageBudget, AListGrowsToExactlyWhatTheBudgetHoldsAndNoFurther) {
    for (const std::size_t elements : {0U, 1U, 15U, 16U, 17U, 100U, 1000U}) {
        for (const std::size_t spare_bytes : {std::size_t{0}, sizeof(Element) - 1}) {
            const std::size_t budget_bytes = elements * sizeof(Element) + spare_bytes;
            SCOPED_TRACE(budget_bytes);
            StorageBudget budget(budget_bytes);
            std::vector<Element> list;
            while (budget.make_room(list)) {
                list.emplace_back();
                ASSERT_LE(list.capacity() * sizeof(Element), budget_bytes);
            }
            EXPECT_EQ(list.size(), elements);
            // A refusal leaves the list as it was.
            const std::size_t capacity = list.capacity();
            EXPECT_FALSE(budget.make_room(list));
            EXPECT_EQ(list.capacity(), capacity);
            EXPECT_EQ(list.size(), elements);
        }
    }
}

TEST(StorageBudget, ListsAndLooseBytesShareOneBudget) {
    StorageBudget budget(1000);
    std::vector<Element> first;
    std::vector<double> second;
    ASSERT_TRUE(budget.make_room(first, 10));
    EXPECT_GE(first.capacity(), 10U);
    // More at once than the rest holds takes nothing.
    EXPECT_FALSE(budget.make_room(second, 1000));
    EXPECT_EQ(second.capacity(), 0U);
    while (budget.make_room(second)) second.emplace_back();
    EXPECT_LE(first.capacity() * sizeof(Element) + second.capacity() * sizeof(double), 1000U);
    EXPECT_LT(budget.remaining(), sizeof(double));
    EXPECT_FALSE(budget.take(budget.remaining() + 1));
    EXPECT_TRUE(budget.take(budget.remaining()));
    EXPECT_EQ(budget.remaining(), 0U);
}

}  // namespace
}  // namespace rz::polyconv
