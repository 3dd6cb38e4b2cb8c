#pragma once
// Counts every allocation of the test program it is linked into (operator new is replaced
// there), so a test can show that an operation allocates nothing.

namespace rz::test {

long allocationCount();

}  // namespace rz::test
