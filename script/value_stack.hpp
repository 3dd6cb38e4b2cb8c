#pragma once
// The evaluator's fixed value stack: a full stack refuses the push instead of overrunning.

#include <array>
#include <cstddef>

namespace rz::script {

class ValueStack {
  public:
    static constexpr std::size_t kSlots = 51;

    void reset() { top_ = 0; }
    bool push(float v) {
        if (top_ >= kSlots) return false;
        slots_[top_++] = v;
        return true;
    }
    // Callers pop only what they pushed; an empty stack gives 0 rather than reading below it.
    float pop() { return top_ > 0 ? slots_[--top_] : 0.0f; }
    std::size_t size() const { return top_; }

  private:
    std::array<float, kSlots> slots_{};
    std::size_t top_ = 0;
};

}  // namespace rz::script
