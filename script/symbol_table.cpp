#include "script/symbol_table.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/store_allocation.hpp"
#include "script/messages.hpp"

namespace rz::script {
namespace {

// A power of two comfortably above the symbol capacity keeps the chains short.
constexpr std::size_t kBuckets = 2048;

}  // namespace

SymbolTable::SymbolTable(platform::MessageService& msg) : msg_(msg) {}

std::string_view SymbolTable::allocate() {
    using platform::allocateStore;
    if (!allocateStore(symbols_, kMaxSymbols)) return "symbol";
    if (!allocateStore(floats_, kFloatCapacity)) return "variable";
    if (!allocateStore(vectors_, kVectorCapacity)) return "vertex";
    if (!allocateStore(matrices_, kMatrixCapacity)) return "matrix";
    if (!allocateStore(strings_, kStringSlots * kSlotSize)) return "DB_Character";
    if (!allocateStore(names_, kNameAreaSize)) return "symbol-name-area";
    if (!allocateStore(systemSlots_, kSystemSlots)) return "DB_Symbols";
    if (!allocateStore(buckets_, kBuckets)) return "symbol";
    std::fill(systemSlots_.begin(), systemSlots_.end(), kNone);
    std::fill(buckets_.begin(), buckets_.end(), kNone);
    return {};
}

std::size_t SymbolTable::bucketOf(std::string_view name) {
    // FNV-1a: names are short and the table is small.
    std::uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h & (kBuckets - 1);
}

int SymbolTable::lookup(std::string_view name) const {
    for (int s = buckets_[bucketOf(name)]; s != kNone; s = symbols_[s].olderInBucket) {
        if (std::string_view(names_.data() + symbols_[s].name) == name) return s;
    }
    return kNone;
}

int SymbolTable::install(std::string_view name, Tok kind, float value) {
    if (count_ >= kMaxSymbols) {
        msg_.errorBox(msg::kSymbolOverflow);
        return kNone;
    }
    if (namesUsed_ + name.size() + 1 >= kNameAreaSize) {
        msg_.errorBox(msg::kNameAreaFull);
        return kNone;
    }
    const int s = count_++;
    std::copy_n(name.data(), name.size(), names_.data() + namesUsed_);
    names_[namesUsed_ + name.size()] = '\0';
    const std::size_t b = bucketOf(name);
    symbols_[s] = Symbol{namesUsed_, kind, 0, value, -1, buckets_[b]};
    buckets_[b] = s;
    namesUsed_ += static_cast<std::uint32_t>(name.size() + 1);
    return s;
}

void SymbolTable::dropNewest() {
    const int s = count_ - 1;
    const std::string_view n = name(s);
    buckets_[bucketOf(n)] = symbols_[s].olderInBucket;
    namesUsed_ = symbols_[s].name;
    --count_;
}

int SymbolTable::installVector(std::string_view name, float x, float y, float z) {
    const int s = install(name, Tok::Undefined, 0.0f);
    if (s == kNone) return kNone;
    const int v = takeVectors(1);
    if (v == kNone) {
        msg_.errorBox(msg::kVtxOverflow);
        msg_.diagnostic(" ... in symbol (install_vtx/" + std::string(name) + ")\n");
        dropNewest();
        return kNone;
    }
    vectors_[v] = {x, y, z};
    define(s, Tok::Vector, v, 1);
    return s;
}

int SymbolTable::installMatrix(std::string_view name) {
    const int s = install(name, Tok::Undefined, 0.0f);
    if (s == kNone) return kNone;
    if (matricesUsed_ + 1 >= kMatrixCapacity) {
        msg_.errorBox(msg::kMatOverflow);
        msg_.diagnostic(" ... in symbol (install_mat/" + std::string(name) + ")\n");
        dropNewest();
        return kNone;
    }
    const int m = takeMatrix();
    matrices_[m] = kIdentity;
    define(s, Tok::Matrix, m, 1);
    return s;
}

int SymbolTable::installString(std::string_view name, int slot) {
    const int s = install(name, Tok::Undefined, 0.0f);
    if (s != kNone) define(s, Tok::StringVar, slot, 1);
    return s;
}

int SymbolTable::takeFloats(int n) {
    if (n <= 0 || n >= kFloatCapacity - floatsUsed_) return kNone;
    const int first = floatsUsed_;
    std::fill_n(floats_.begin() + first, n, 0.0f);
    floatsUsed_ += n;
    return first;
}

int SymbolTable::takeVectors(int n) {
    if (n <= 0 || n >= kVectorCapacity - vectorsUsed_) return kNone;
    const int first = vectorsUsed_;
    std::fill_n(vectors_.begin() + first, n, Vec3{});
    vectorsUsed_ += n;
    return first;
}

int SymbolTable::takeMatrix() {
    if (matricesUsed_ >= kMatrixCapacity) return kNone;
    matrices_[matricesUsed_] = Mat4{};
    return matricesUsed_++;
}

void SymbolTable::define(int s, Tok kind, int ref, int count) {
    symbols_[s].kind = kind;
    symbols_[s].ref = ref;
    symbols_[s].count = count;
    symbols_[s].value = 0.0f;
}

std::string_view SymbolTable::slotText(int n) const {
    const char* p = strings_.data() + n * kSlotSize;
    return {p, strnlen(p, kSlotSize - 1)};
}

void SymbolTable::setSlotText(int n, std::string_view text) {
    const std::size_t len = std::min(text.size(), kSlotSize - 1);
    char* p = strings_.data() + n * kSlotSize;
    std::copy_n(text.data(), len, p);
    p[len] = '\0';
}

SymbolMark SymbolTable::mark() const {
    return {count_, namesUsed_, floatsUsed_, vectorsUsed_, matricesUsed_};
}

void SymbolTable::rollback(const SymbolMark& m) {
    while (count_ > m.symbols) dropNewest();
    // Symbols dropped here were the only users of what came after the mark, so their names
    // and storage go back too; scripts run again and again must not wear the stores down.
    namesUsed_ = m.names;
    floatsUsed_ = m.floats;
    vectorsUsed_ = m.vectors;
    matricesUsed_ = m.matrices;
}

}  // namespace rz::script
