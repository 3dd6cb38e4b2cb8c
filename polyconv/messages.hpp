#pragma once
// The converter's console texts. The main program and existing user scripts only ever see
// these on the console, but users compare them with older logs, so they stay byte for byte.

#include <string_view>

namespace rz::polyconv::msg {

inline constexpr std::string_view kUsage =
    "usage: polyconv <Target filename(.dxf)> <Output filename(.pts)>\n";
inline constexpr std::string_view kFileReadComplete = "***** File Read Complete!\n";
inline constexpr std::string_view kDxfFileError = "DXF file error!\n";
inline constexpr std::string_view kAfterEndsecError = " DXF File Error! ";
inline constexpr std::string_view kFacesTooShort = "File is not Enough length. \n";
inline constexpr std::string_view kMeshTooShort = " This file don't have enough length\n";
inline constexpr std::string_view kSeqend = "SEQEND\n";
inline constexpr std::string_view kAllocationFailed = "Memory Allocation Failed!\n";
inline constexpr std::string_view kMLooping = "Mlooping start process!\n";
inline constexpr std::string_view kNLooping = "Nlooping start process!\n";
inline constexpr std::string_view kNormalProcess = "Normal process!\n";
inline constexpr std::string_view kNormalComplete = " normal compute complete!\n";
inline constexpr std::string_view kProcessComplete = "Process Complete!\n";

}  // namespace rz::polyconv::msg
