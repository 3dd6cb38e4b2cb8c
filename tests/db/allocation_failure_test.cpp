// Start-up with a store that cannot be had: the two boxes, the banner and the exit status,
// as the console shows them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "db/database.hpp"
#include "db/init_database.hpp"
#include "db/settings.hpp"
#include "platform/console_sink.hpp"
#include "platform/message_service.hpp"
#include "script/interp.hpp"
#include "workstation/workstation.hpp"

// A store that cannot be had must come back as a failure, not end the process inside the
// sanitizer's allocator, even when the test is run without the suite's options.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace rz::test {
namespace {

constexpr const char* kAllocBox =
    "[ERROR Message!] ERROR:  メモリ領域の「確保」に失敗しました！ \n";
constexpr const char* kBanner = "***  RIDA now down!  ***\n\n";

// Lets the process grow by at most 1 GiB from here on, so that a huge store fails alike on
// every machine, whatever its memory and overcommit policy.
void limitAddressSpace() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) return;
    long long kib = 0;
    std::array<char, 256> line{};
    while (std::fgets(line.data(), line.size(), f) != nullptr)
        if (std::sscanf(line.data(), "VmSize: %lld kB", &kib) == 1) break;
    std::fclose(f);
    if (kib <= 0) return;
    const rlim_t limit = static_cast<rlim_t>(kib) * 1024 + (rlim_t{1} << 30);
    const rlimit r{limit, limit};
    setrlimit(RLIMIT_AS, &r);
}

// Starts a database with these settings in this process; it only returns when start-up
// succeeded.
void startWith(const db::Settings& settings) {
    limitAddressSpace();
    platform::ConsoleSink sink;
    workstation::Workstation w(sink);
    w.start(settings);
    std::fputs("started\n", stderr);
    std::_Exit(0);
}

struct Failure {
    const char* key;
    std::int32_t db::Capacities::*capacity;
    std::int32_t value;
    const char* detail;
};

class AllocationFailureDeathTest : public ::testing::TestWithParam<Failure> {};

TEST_P(AllocationFailureDeathTest, EndsWithTheBoxesAndTheBanner) {
    const Failure& f = GetParam();
    db::Settings settings;
    settings.capacity.*f.capacity = f.value;
    const std::string expected = std::string(kAllocBox) + "[ERROR Message!] " + f.detail + kBanner;
    EXPECT_EXIT(startWith(settings), ::testing::ExitedWithCode(255), ::testing::StrEq(expected));
}

using C = db::Capacities;
INSTANTIATE_TEST_SUITE_P(
    EveryStoreOfTheSettings, AllocationFailureDeathTest,
    ::testing::Values(
        Failure{"axismax", &C::axismax, 2000000000, " ... in init() : model!\n"},
        Failure{"patchmax", &C::patchmax, 2000000000, " ... in init() : patches!\n"},
        Failure{"shapemax", &C::shapemax, 2000000000, " ... in init() : shapes!\n"},
        Failure{"blockmax", &C::blockmax, 2000000000, " ... in init() : blocks!\n"},
        Failure{"rigidmax", &C::rigidmax, 2000000000, " ... in init() : rigids!\n"},
        Failure{"rlinkmax", &C::rlinkmax, 2000000000, " ... in init() : rlinks!\n"},
        Failure{"actormax", &C::actormax, 2000000000, " ... in init() : actors!\n"},
        Failure{"affinemax", &C::affinemax, 2000000000, " ... in init() : affines!\n"},
        Failure{"attrimax", &C::attrimax, 2000000000, " ... in init() : attribute!\n"},
        Failure{"maplistmax", &C::maplistmax, 2000000000, " ... in init() : maplist[]!\n"},
        Failure{"mapinfomax", &C::mapinfomax, 2000000000, " ... in init() : mapinfo[]!\n"},
        Failure{"mapdatamax", &C::mapdatamax, 2000000000, " ... in init() : mapdata[]!\n"},
        Failure{"mapimagemax", &C::mapimagemax, 2000000000,
                " ... in init() / [ TextureBuffer(wbuf) ]\n"},
        Failure{"scriptmax", &C::scriptmax, 2000000000, " ... in init() / [ scriptbuffer ]\n"},
        Failure{"negative blockmax", &C::blockmax, -1, " ... in init() : blocks!\n"},
        Failure{"negative scriptmax", &C::scriptmax, -1, " ... in init() / [ scriptbuffer ]\n"}),
    [](const ::testing::TestParamInfo<Failure>& info) {
        std::string name = info.param.key;
        for (char& c : name)
            if (c == ' ') c = '_';
        return name;
    });

TEST(AllocationFailureDeathTest, LargeButPossibleStoresStillStart) {
    db::Settings settings;
    settings.capacity.blockmax = 100000;
    settings.capacity.scriptmax = 1 << 20;
    EXPECT_EXIT(startWith(settings), ::testing::ExitedWithCode(0), ::testing::StrEq("started\n"));
}

TEST(AllocationFailureDeathTest, SymbolAreasEndQuietlyWithStatusOne) {
    for (const char* area : {"symbol-name-area", "DB_Symbols"}) {
        const db::StartupFailure failure = db::allocationFailure(area);
        const std::string expected =
            std::string(kAllocBox) + "[ERROR Message!]  ... in init() : " + area + "!\n";
        EXPECT_EXIT(
            {
                platform::ConsoleSink sink;
                platform::MessageService msg(sink);
                db::stopStartup(msg, failure);
            },
            ::testing::ExitedWithCode(1), ::testing::StrEq(expected))
            << area;
    }
}

TEST(AllocationFailureTexts, EveryAreaHasItsDetail) {
    struct Case {
        const char* area;
        const char* detail;
        bool banner;
    };
    const Case cases[] = {
        {"symbol", " ... in init() : symbol!\n", true},
        {"variable", " ... in init() : variable!\n", true},
        {"vertex", " ... in init() : vertex!\n", true},
        {"matrix", " ... in init() : matrix!\n", true},
        {"DB_Character", " ... in init() : DB_Character!\n", true},
        {"patches", " ... in init() : patches!\n", true},
        {"TextureBuffer(wbuf)", " ... in init() / [ TextureBuffer(wbuf) ]\n", true},
        {"scriptbuffer", " ... in init() / [ scriptbuffer ]\n", true},
        {"DB_EditList", " ... in InitializeEditCursor() : DB_EditList!\n", true},
        {"symbol-name-area", " ... in init() : symbol-name-area!\n", false},
        {"DB_Symbols", " ... in init() : DB_Symbols!\n", false},
    };
    for (const Case& c : cases) {
        const db::StartupFailure f = db::allocationFailure(c.area);
        EXPECT_EQ(f.detail, c.detail) << c.area;
        EXPECT_EQ(f.fatalBanner, c.banner) << c.area;
    }
}

}  // namespace
}  // namespace rz::test
