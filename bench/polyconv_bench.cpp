// Converting a 200 x 200 polygon mesh: the file is read and parsed, normals are computed and
// the script is written. The parts are timed on their own as well, to show where time goes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "polyconv/converter.hpp"
#include "polyconv/dxf_reader.hpp"
#include "polyconv/input_file.hpp"
#include "polyconv/memory_limits.hpp"
#include "polyconv/normals.hpp"
#include "polyconv/pts_writer.hpp"

namespace {

constexpr int kSide = 200;

// Where the script goes: the bytes are counted and dropped, so the figures are the
// converter's own work and not the growth of an in-memory stream.
class CountingBuffer : public std::streambuf {
  public:
    std::streamsize count() const { return count_; }

  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count_ += n;
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) ++count_;
        return traits_type::not_eof(c);
    }

  private:
    std::streamsize count_ = 0;
};

// A gently curved sheet in the layout AutoCAD uses for polygon meshes.
std::string mesh_dxf() {
    std::string text =
        "  0\nSECTION\n  2\nENTITIES\n  0\nPOLYLINE\n  8\n0\n 66\n     1\n 70\n    16\n";
    text += " 71\n" + std::to_string(kSide) + "\n 72\n" + std::to_string(kSide) + "\n";
    for (int i = 0; i < kSide; ++i) {
        for (int j = 0; j < kSide; ++j) {
            const double x = j * 0.5;
            const double y = i * 0.5;
            const double z = 0.001 * (i - kSide / 2) * (j - kSide / 2);
            text += "  0\nVERTEX\n  8\n0\n 10\n" + std::to_string(x) + "\n 20\n" +
                    std::to_string(y) + "\n 30\n" + std::to_string(z) + "\n 70\n    64\n";
        }
    }
    return text + "  0\nSEQEND\n  8\n0\n  0\nENDSEC\n  0\nEOF\n";
}

class MeshFile {
  public:
    MeshFile() : path_(std::filesystem::temp_directory_path() / "polyconv_bench_mesh_200x200.dxf") {
        std::ofstream(path_, std::ios::binary) << mesh_dxf();
    }
    ~MeshFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    MeshFile(const MeshFile&) = delete;
    MeshFile& operator=(const MeshFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const rz::polyconv::MemoryLimits kLimits{};

void BM_ConvertMeshFile(benchmark::State& state) {
    const MeshFile file;
    std::ostream console(nullptr);
    for (auto _ : state) {
        const rz::polyconv::InputFile input =
            rz::polyconv::read_input_file(file.path(), rz::polyconv::kMaxInputBytes);
        const rz::polyconv::Conversion conversion =
            rz::polyconv::convert_dxf(input.bytes, console, kLimits);
        CountingBuffer bytes;
        std::ostream script(&bytes);
        rz::polyconv::write_pts_script(conversion.geometry, script);
        benchmark::DoNotOptimize(bytes.count());
    }
    state.counters["vertices"] = kSide * kSide;
}
BENCHMARK(BM_ConvertMeshFile)->Unit(benchmark::kMillisecond);

void BM_ReadAndParse(benchmark::State& state) {
    const MeshFile file;
    std::ostream console(nullptr);
    for (auto _ : state) {
        const rz::polyconv::InputFile input =
            rz::polyconv::read_input_file(file.path(), rz::polyconv::kMaxInputBytes);
        rz::polyconv::ReadResult read = rz::polyconv::read_dxf(input.bytes, console, kLimits);
        benchmark::DoNotOptimize(&read);
    }
}
BENCHMARK(BM_ReadAndParse)->Unit(benchmark::kMillisecond);

void BM_Normals(benchmark::State& state) {
    const std::string text = mesh_dxf();
    std::ostream console(nullptr);
    rz::polyconv::ReadResult read = rz::polyconv::read_dxf(text, console, kLimits);
    auto& mesh = std::get<rz::polyconv::Mesh>(read.geometry);
    for (auto _ : state) {
        rz::polyconv::compute_mesh_normals(mesh, console);
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
}
BENCHMARK(BM_Normals)->Unit(benchmark::kMillisecond);

void BM_WriteScript(benchmark::State& state) {
    const std::string text = mesh_dxf();
    std::ostream console(nullptr);
    rz::polyconv::ReadResult read = rz::polyconv::read_dxf(text, console, kLimits);
    rz::polyconv::compute_mesh_normals(std::get<rz::polyconv::Mesh>(read.geometry), console);
    for (auto _ : state) {
        CountingBuffer bytes;
        std::ostream script(&bytes);
        rz::polyconv::write_pts_script(read.geometry, script);
        benchmark::DoNotOptimize(bytes.count());
    }
}
BENCHMARK(BM_WriteScript)->Unit(benchmark::kMillisecond);

}  // namespace
