#include "db/model_reset.hpp"

#include <array>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"

namespace rz::db {
namespace {

struct ScalarReset {
    SysVar var;
    float value;
};

struct VectorReset {
    SysVar var;
    Vec3 value;
};

constexpr std::array<VectorReset, 4> kAttributeVectors{{
    {SysVar::ARgb, {0.2f, 0.9f, 0.1f}},
    {SysVar::AArg, {0.15f, 0.15f, 0.15f}},
    {SysVar::APrg, {1.0f, 1.0f, 1.0f}},
    {SysVar::ADrg, {0.6f, 0.6f, 0.6f}},
}};

constexpr std::array<ScalarReset, 14> kAttributeScalars{{
    {SysVar::AtrPoint, 0},
    {SysVar::Diffuse, 0.6f},
    {SysVar::PSpecl, 0.75f},
    {SysVar::PSpex, 35},
    {SysVar::Ambient, 0.15f},
    {SysVar::Opacity, 1},
    {SysVar::GainC, 1},
    {SysVar::GainL, 0},
    {SysVar::Haze, 0},
    {SysVar::SmoothSw, 1},
    {SysVar::MapSw, 1},
    {SysVar::FaceSw, 0},
    {SysVar::ShadeSw, 0},
    {SysVar::MiPoint, 0},
}};

// The lengths are 2000 here, unlike the 100 of the mapping reset.
constexpr std::array<ScalarReset, 19> kMappingScalars{{
    {SysVar::MUstart, 0}, {SysVar::MVstart, 0},  {SysVar::MUend, 1},    {SysVar::MVend, 1},
    {SysVar::MUlen, 1},   {SysVar::MVlen, 1},    {SysVar::MUofs, 0},    {SysVar::MVofs, 0},
    {SysVar::MMopa, 1},   {SysVar::MBump, 1},    {SysVar::MXcent, 0},   {SysVar::MYcent, 0},
    {SysVar::MZcent, 0},  {SysVar::MXlen, 2000}, {SysVar::MYlen, 2000}, {SysVar::MZlen, 2000},
    {SysVar::MKind, 2},   {SysVar::MMethod, 1},  {SysVar::MTexId, 0},
}};

}  // namespace

void resetModel(script::Interp& in) {
    Database& db = database(in);
    resetModelRecords(db);
    for (const VectorReset& r : kAttributeVectors) vectorVar(in, r.var) = r.value;
    for (const ScalarReset& r : kAttributeScalars) scalarVar(in, r.var) = r.value;
    putAttriRecord(in);
    for (const ScalarReset& r : kMappingScalars) scalarVar(in, r.var) = r.value;
    putMapinfoRecord(in);
}

}  // namespace rz::db
