#include <gtest/gtest.h>

#include <string>

#include "platform/message_service.hpp"
#include "platform/recording_sink.hpp"
#include "script/symbol_table.hpp"

namespace rz::test {
namespace {

using script::SymbolTable;
using script::Tok;

class SymbolTableTest : public ::testing::Test {
  protected:
    SymbolTableTest() : msg(sink), sym(msg) { EXPECT_TRUE(sym.allocate().empty()); }
    platform::RecordingSink sink;
    platform::MessageService msg;
    SymbolTable sym;
};

TEST_F(SymbolTableTest, NewestSymbolOfANameWins) {
    const int first = sym.install("nop", Tok::Command, 1);
    const int second = sym.install("nop", Tok::Command, 2);
    EXPECT_EQ(sym.lookup("nop"), second);
    EXPECT_NE(first, second);
    EXPECT_EQ(sym.lookup("NOP"), SymbolTable::kNone);
    EXPECT_EQ(sym.lookup("no"), SymbolTable::kNone);
}

TEST_F(SymbolTableTest, RollbackRestoresShadowedSymbolsAndStores) {
    const int outer = sym.install("x", Tok::Scalar, 1);
    const script::SymbolMark mark = sym.mark();
    sym.install("x", Tok::Scalar, 2);
    // Many names so that several share a bucket.
    for (int i = 0; i < 900; ++i) sym.install("n" + std::to_string(i), Tok::Undefined, 0);
    ASSERT_NE(sym.takeFloats(10), SymbolTable::kNone);
    ASSERT_NE(sym.takeMatrix(), SymbolTable::kNone);
    sym.rollback(mark);
    EXPECT_EQ(sym.lookup("x"), outer);
    EXPECT_EQ(sym.lookup("n5"), SymbolTable::kNone);
    EXPECT_EQ(sym.count(), mark.symbols);
    EXPECT_EQ(sym.floatsUsed(), 0);
    EXPECT_EQ(sym.matricesUsed(), 0);
    // The same names can come back after the roll-back.
    const int again = sym.install("n5", Tok::Undefined, 0);
    EXPECT_EQ(sym.lookup("n5"), again);
    EXPECT_EQ(sym.name(again), "n5");
}

TEST_F(SymbolTableTest, StoresRefuseAtTheirLimits) {
    EXPECT_EQ(sym.takeFloats(999), 0);
    EXPECT_EQ(sym.takeFloats(1), SymbolTable::kNone);
    EXPECT_EQ(sym.takeVectors(0), SymbolTable::kNone);
    EXPECT_EQ(sym.takeVectors(-5), SymbolTable::kNone);
    EXPECT_EQ(sym.takeVectors(2147483647), SymbolTable::kNone);
    for (int i = 0; i < SymbolTable::kMatrixCapacity - 1; ++i)
        ASSERT_NE(sym.installMatrix("m" + std::to_string(i)), SymbolTable::kNone);
    // install_mat keeps the last matrix for declarations.
    EXPECT_EQ(sym.installMatrix("late"), SymbolTable::kNone);
    EXPECT_EQ(sym.lookup("late"), SymbolTable::kNone);
    EXPECT_NE(sym.takeMatrix(), SymbolTable::kNone);
    EXPECT_EQ(sym.takeMatrix(), SymbolTable::kNone);
}

TEST_F(SymbolTableTest, MatricesStartAsIdentityAndStringsAreCut) {
    const int m = sym.installMatrix("b.matrix");
    EXPECT_EQ(sym.matrix(m), kIdentity);
    const int s = sym.installString("#STRING", 2);
    sym.setStringText(s, std::string(5000, 'z'));
    EXPECT_EQ(sym.stringText(s).size(), SymbolTable::kSlotSize - 1);
    sym.setStringText(s, "short");
    EXPECT_EQ(sym.stringText(s), "short");
}

}  // namespace
}  // namespace rz::test
