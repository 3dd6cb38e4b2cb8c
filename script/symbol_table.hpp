#pragma once
// The one symbol table of the language and the fixed stores behind its variables.
// Lookup is newest-first, as the language has always had it; a hash index with per-bucket
// chains ordered newest-first makes it independent of the number of symbols, and because
// symbols are only ever taken back newest-first (newexec, a failed vector install), the
// symbol being removed is always the head of its bucket.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "math/value_types.hpp"
#include "platform/message_service.hpp"
#include "script/tokens.hpp"

namespace rz::script {

struct Symbol {
    std::uint32_t name = 0;  // offset of the NUL-terminated name in the name area
    Tok kind = Tok::Undefined;
    std::int32_t count = 0;  // elements of arrays and vector arrays
    float value = 0.0f;      // scalars and constants
    std::int32_t ref = -1;   // store index, string slot or command-table row
    std::int32_t olderInBucket = -1;
};

// Fill positions of every store; newexec takes them at load and rolls back to them.
struct SymbolMark {
    int symbols = 0;
    std::uint32_t names = 0;
    int floats = 0;
    int vectors = 0;
    int matrices = 0;
};

class SymbolTable {
  public:
    static constexpr int kMaxSymbols = 1000;
    static constexpr std::size_t kNameAreaSize = 81920;
    static constexpr int kFloatCapacity = 1000;
    static constexpr int kVectorCapacity = 1000;
    static constexpr int kMatrixCapacity = 100;
    static constexpr int kStringSlots = 11;
    static constexpr std::size_t kSlotSize = 4096;
    static constexpr int kSystemSlots = 150;
    static constexpr int kNone = -1;

    // Slots of the string area that are not variables.
    static constexpr int kStartDirectorySlot = 0;
    static constexpr int kForcedExtensionSlot = 1;

    explicit SymbolTable(platform::MessageService& msg);

    // Allocates every store; the failure word of the first store that could not be had,
    // or an empty view when all were allocated.
    std::string_view allocate();

    int lookup(std::string_view name) const;
    // Registers a new symbol without looking for an older one of the same name.
    int install(std::string_view name, Tok kind, float value);
    int installVector(std::string_view name, float x, float y, float z);
    int installMatrix(std::string_view name);
    int installString(std::string_view name, int slot);

    // Storage for declarations; kNone when count + n would reach the capacity.
    int takeFloats(int n);
    int takeVectors(int n);
    int takeMatrix();
    int floatsUsed() const { return floatsUsed_; }
    int vectorsUsed() const { return vectorsUsed_; }
    int matricesUsed() const { return matricesUsed_; }

    // Gives the symbol a declared kind and its storage.
    void define(int s, Tok kind, int ref, int count);

    int count() const { return count_; }
    Symbol& operator[](int s) { return symbols_[s]; }
    const Symbol& operator[](int s) const { return symbols_[s]; }
    std::string_view name(int s) const { return names_.data() + symbols_[s].name; }

    float& scalar(int s) { return symbols_[s].value; }
    std::span<float> array(int s) {
        return {floats_.data() + symbols_[s].ref, static_cast<std::size_t>(symbols_[s].count)};
    }
    Vec3& vector(int s) { return vectors_[symbols_[s].ref]; }
    std::span<Vec3> vectorArray(int s) {
        return {vectors_.data() + symbols_[s].ref, static_cast<std::size_t>(symbols_[s].count)};
    }
    Mat4& matrix(int s) { return matrices_[symbols_[s].ref]; }
    Vec3& vectorAt(int index) { return vectors_[index]; }

    // The text of a string slot (NUL-terminated) and of a string variable.
    std::span<char, kSlotSize> slot(int n) {
        return std::span<char, kSlotSize>(strings_.data() + n * kSlotSize, kSlotSize);
    }
    std::string_view slotText(int n) const;
    void setSlotText(int n, std::string_view text);
    std::string_view stringText(int s) const { return slotText(symbols_[s].ref); }
    void setStringText(int s, std::string_view text) { setSlotText(symbols_[s].ref, text); }

    // DB_Symbols: the system symbols that program code reaches without a lookup.
    int& systemSlot(int i) { return systemSlots_[i]; }
    int systemSlot(int i) const { return systemSlots_[i]; }

    SymbolMark mark() const;
    void rollback(const SymbolMark& m);

  private:
    static std::size_t bucketOf(std::string_view name);
    void dropNewest();

    platform::MessageService& msg_;
    std::vector<Symbol> symbols_;
    std::vector<char> names_;
    std::vector<float> floats_;
    std::vector<Vec3> vectors_;
    std::vector<Mat4> matrices_;
    std::vector<char> strings_;
    std::vector<int> systemSlots_;
    std::vector<int> buckets_;
    int count_ = 0;
    std::uint32_t namesUsed_ = 0;
    int floatsUsed_ = 0;
    int vectorsUsed_ = 0;
    int matricesUsed_ = 0;
};

}  // namespace rz::script
