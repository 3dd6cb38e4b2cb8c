#include "polyconv/dxf_reader.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "polyconv/converter.hpp"
#include "polyconv_test_support.hpp"

namespace rz::polyconv {
namespace {

using test::count_lines;

// Builds DXF text one group per two lines, as every exporter writes it.
class Dxf {
  public:
    Dxf& group(int code, const std::string& value) {
        text_ += std::to_string(code) + "\n" + value + "\n";
        return *this;
    }
    Dxf& entities() { return group(0, "SECTION").group(2, "ENTITIES"); }
    Dxf& end() { return group(0, "ENDSEC").group(0, "EOF"); }
    Dxf& face(const std::vector<Vec3>& corners) {
        group(0, "3DFACE").group(8, "0");
        for (std::size_t k = 0; k < corners.size(); ++k) {
            const int c = static_cast<int>(k);
            group(10 + c, num(corners[k].x))
                .group(20 + c, num(corners[k].y))
                .group(30 + c, num(corners[k].z));
        }
        return *this;
    }
    Dxf& polyline(int flags, int m, int n) {
        return group(0, "POLYLINE")
            .group(8, "0")
            .group(66, "1")
            .group(70, std::to_string(flags))
            .group(71, std::to_string(m))
            .group(72, std::to_string(n));
    }
    Dxf& vertex(Vec3 p, int flags = 64) {
        return group(0, "VERTEX")
            .group(8, "0")
            .group(10, num(p.x))
            .group(20, num(p.y))
            .group(30, num(p.z))
            .group(70, std::to_string(flags));
    }
    Dxf& face_record(const std::vector<int>& numbers) {
        group(0, "VERTEX")
            .group(8, "0")
            .group(10, "0")
            .group(20, "0")
            .group(30, "0")
            .group(70, "128");
        for (std::size_t k = 0; k < numbers.size(); ++k)
            group(71 + static_cast<int>(k), std::to_string(numbers[k]));
        return *this;
    }
    Dxf& grid(int rows, int columns) {
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < columns; ++j) vertex({double(j), double(i), 0.0});
        }
        return *this;
    }
    Dxf& seqend() { return group(0, "SEQEND"); }
    Dxf& raw(const std::string& text) {
        text_ += text;
        return *this;
    }
    const std::string& text() const { return text_; }

  private:
    static std::string num(double v) {
        std::ostringstream out;
        out << v;
        return out.str();
    }
    std::string text_;
};

struct Read {
    ReadResult result;
    std::string console;
};

Read read(const std::string& text, const MemoryLimits& limits = {}) {
    std::ostringstream console;
    ReadResult result = read_dxf(text, console, limits);
    return {std::move(result), console.str()};
}

const FaceSet& faces_of(const Read& r) {
    return std::get<FaceSet>(r.result.geometry);
}
const Mesh& mesh_of(const Read& r) {
    return std::get<Mesh>(r.result.geometry);
}

const std::vector<Vec3> kSquare = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

TEST(DxfRecognition, OnlyAnEntitiesSectionStartingWithA3dfaceOrPolylineIsTaken) {
    struct Case {
        const char* name;
        std::string text;
        ReadStatus status;
    };
    const std::string square = Dxf().face(kSquare).end().text();
    const std::vector<Case> cases = {
        {"empty file", "", ReadStatus::not_dxf},
        {"faces", Dxf().entities().text() + square, ReadStatus::ok},
        {"mesh", Dxf().entities().polyline(16, 2, 2).grid(2, 2).seqend().end().text(),
         ReadStatus::ok},
        {"LINE first", Dxf().entities().group(0, "LINE").group(10, "0").text() + square,
         ReadStatus::not_dxf},
        {"empty section", Dxf().entities().end().text(), ReadStatus::not_dxf},
        {"section name missing", Dxf().group(0, "SECTION").text() + square, ReadStatus::not_dxf},
        {"ends after ENTITIES", Dxf().entities().text(), ReadStatus::not_dxf},
        {"ends after the group code", Dxf().entities().text() + "0\n", ReadStatus::not_dxf},
        {"names are exact", Dxf().entities().group(0, "3dface").text(), ReadStatus::not_dxf},
        {"BLOCKS is not ENTITIES", Dxf().group(0, "SECTION").group(2, "BLOCKS").text() + square,
         ReadStatus::not_dxf},
        {"repeated 0 before SECTION", "0\n" + Dxf().entities().text() + square, ReadStatus::ok},
        {"blank lines between groups", "\n  0\n\nSECTION\n  2\n\nENTITIES\n\n" + square,
         ReadStatus::ok},
    };
    for (const auto& c : cases) {
        const Read r = read(c.text);
        EXPECT_EQ(r.result.status, c.status) << c.name;
        // The read-complete line is the sign that the converter accepted the file.
        EXPECT_EQ(r.console.starts_with("***** File Read Complete!\n"), c.status == ReadStatus::ok)
            << c.name;
    }
}

TEST(DxfFaces, CornersAreTakenWhenAllThreeCoordinatesAreInWhateverTheGroupOrder) {
    const Read r = read(Dxf()
                            .entities()
                            .group(0, "3DFACE")
                            .group(12, "5")
                            .group(11, "3")
                            .group(10, "1")
                            .group(22, "6")
                            .group(21, "4")
                            .group(20, "2")
                            .group(30, "0")
                            .group(31, "0")
                            .group(32, "0")
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    const auto& vertices = faces_of(r).faces.at(0).vertices;
    ASSERT_EQ(vertices.size(), 3U);
    EXPECT_EQ(vertices[0].position, (Vec3{1, 2, 0}));
    EXPECT_EQ(vertices[1].position, (Vec3{3, 4, 0}));
    EXPECT_EQ(vertices[2].position, (Vec3{5, 6, 0}));
}

TEST(DxfFaces, RepeatedCornersCollapseAndFacesWithoutAreaAreDropped) {
    struct Case {
        const char* name;
        std::vector<Vec3> corners;
        std::vector<Vec3> kept;
    };
    const Vec3 a{0, 0, 0}, b{1, 0, 0}, c{1, 1, 0}, d{0, 1, 0};
    const std::vector<Case> cases = {
        {"quadrilateral", {a, b, c, d}, {a, b, c, d}},
        {"fourth repeats third", {a, b, c, c}, {a, b, c}},
        {"second repeats first", {a, a, c, d}, {a, c, d}},
        {"three equal in a row", {a, b, b, b}, {a, b}},
        {"fourth repeats first is not adjacent", {a, b, c, a}, {a, b, c, a}},
        {"one point", {a, a, a, a}, {}},
    };
    for (const auto& k : cases) {
        const Read r = read(Dxf().entities().face(k.corners).face(kSquare).end().text());
        ASSERT_EQ(r.result.status, ReadStatus::ok) << k.name;
        const auto& faces = faces_of(r).faces;
        const std::size_t expected_faces = k.kept.size() >= 3 ? 2 : 1;
        ASSERT_EQ(faces.size(), expected_faces) << k.name;
        if (expected_faces == 1) continue;
        std::vector<Vec3> kept;
        for (const auto& v : faces[0].vertices) kept.push_back(v.position);
        EXPECT_EQ(kept, k.kept) << k.name;
    }
}

TEST(DxfFaces, OtherEntitiesAreReportedAndTheirPointsNeverJoinAFace) {
    const Read r = read(Dxf()
                            .entities()
                            .face({{0, 0, 0}, {1, 0, 0}})  // only two corners so far
                            .group(0, "LINE")
                            .group(8, "walls and doors")
                            .group(12, "7")
                            .group(22, "7")
                            .group(32, "7")
                            .group(13, "8")
                            .group(23, "8")
                            .group(33, "8")
                            .face(kSquare)
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(count_lines(r.console, "DXF file error!\n"), 1U);
    ASSERT_EQ(faces_of(r).faces.size(), 1U);
    EXPECT_EQ(faces_of(r).faces[0].vertices.size(), 4U);
}

TEST(DxfFaces, UnwritableCoordinatesAreReportedAndReadAsZero) {
    const Read r = read(Dxf()
                            .entities()
                            .group(0, "3DFACE")
                            .group(10, "1e999")
                            .group(20, "0")
                            .group(30, "nan")
                            .group(11, "1")
                            .group(21, "0")
                            .group(31, "0")
                            .group(12, "1")
                            .group(22, "1")
                            .group(32, "0")
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(count_lines(r.console, "DXF file error!\n"), 2U);
    EXPECT_EQ(faces_of(r).faces.at(0).vertices.at(0).position, (Vec3{0, 0, 0}));
}

TEST(DxfFaces, TheEndOfTheSectionIsCheckedForTheEofMarker) {
    struct Case {
        const char* name;
        std::string tail;
        std::string console_tail;
    };
    const std::vector<Case> cases = {
        {"complete", "0\nENDSEC\n0\nEOF\n", "***** File Read Complete!\n"},
        {"later sections before EOF", "0\nENDSEC\n0\nSECTION\n2\nOBJECTS\n0\nENDSEC\n0\nEOF",
         "***** File Read Complete!\n"},
        {"nothing after ENDSEC", "0\nENDSEC\n", "File is not Enough length. \n"},
        {"no EOF", "0\nENDSEC\n0\nSECTION\n", "File is not Enough length. \n"},
        {"not a group code after ENDSEC", "0\nENDSEC\nrubbish\n0\nEOF\n", " DXF File Error! "},
        {"EOF without ENDSEC", "0\nEOF\n", "DXF file error!\nFile is not Enough length. \n"},
        {"file ends inside the face", "10\n", "File is not Enough length. \n"},
    };
    for (const auto& c : cases) {
        const Read r = read(Dxf().entities().face(kSquare).text() + c.tail);
        EXPECT_EQ(r.result.status, ReadStatus::ok) << c.name;
        EXPECT_TRUE(r.console.ends_with(c.console_tail)) << c.name << ": " << r.console;
        EXPECT_EQ(faces_of(r).faces.size(), 1U) << c.name;
    }
}

TEST(DxfFaces, EveryPrefixOfAFileReadsWithoutHarmAndKeepsTheFacesCompletedSoFar) {
    const std::string text =
        Dxf().entities().face(kSquare).face({{0, 0, 1}, {1, 0, 1}, {0, 1, 1}}).end().text();
    const std::size_t first_face_complete = text.find("3DFACE", text.find("3DFACE") + 1);
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const Read r = read(text.substr(0, length));
        if (r.result.status != ReadStatus::ok) continue;
        const std::size_t faces = faces_of(r).faces.size();
        EXPECT_LE(faces, 2U);
        if (length >= first_face_complete) {
            EXPECT_GE(faces, 1U) << length;
        }
    }
}

TEST(DxfPolygonMesh, ClosedDirectionsAreStoredWithTheirClosingCopies) {
    struct Case {
        const char* name;
        int flags;
        std::size_t rows;
        std::size_t columns;
    };
    const std::vector<Case> cases = {
        {"open", 16, 3, 4},
        {"closed in N", 16 + 32, 3, 5},
        {"closed in M", 16 + 1, 4, 4},
        {"closed in both", 16 + 32 + 1, 4, 5},
    };
    for (const auto& c : cases) {
        const Read r =
            read(Dxf().entities().polyline(c.flags, 3, 4).grid(3, 4).seqend().end().text());
        ASSERT_EQ(r.result.status, ReadStatus::ok) << c.name;
        const Mesh& mesh = mesh_of(r);
        EXPECT_EQ(mesh.m, c.rows) << c.name;
        EXPECT_EQ(mesh.n, c.columns) << c.name;
        ASSERT_EQ(mesh.vertices.size(), c.rows * c.columns) << c.name;
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 4; ++j) {
                EXPECT_EQ(mesh.vertices[i * c.columns + j].position,
                          (Vec3{double(j), double(i), 0}))
                    << c.name;
            }
            if (c.columns == 5) {
                EXPECT_EQ(mesh.vertices[i * 5 + 4].position, mesh.vertices[i * 5].position)
                    << c.name;
            }
        }
        if (c.rows == 4) {
            for (std::size_t j = 0; j < c.columns; ++j) {
                EXPECT_EQ(mesh.vertices[3 * c.columns + j].position, mesh.vertices[j].position)
                    << c.name;
            }
        }
        EXPECT_EQ(r.console, "***** File Read Complete!\nSEQEND\n") << c.name;
    }
}

TEST(DxfPolygonMesh, HeaderGroupsCountInAnyOrder) {
    const Read r = read(Dxf()
                            .entities()
                            .group(0, "POLYLINE")
                            .group(72, "3")
                            .group(71, "2")
                            .group(62, "5")
                            .group(70, "48")
                            .grid(2, 3)
                            .seqend()
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(mesh_of(r).n, 4U);
    EXPECT_EQ(mesh_of(r).m, 2U);
}

TEST(DxfPolygonMesh, VerticesBeyondTheDeclaredSizeAreReportedAndLeftOut) {
    const Read r = read(Dxf().entities().polyline(16, 2, 2).grid(3, 2).seqend().end().text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(count_lines(r.console, "DXF file error!\n"), 2U);
    EXPECT_EQ(mesh_of(r).vertices.size(), 4U);
}

TEST(DxfPolygonMesh, MissingVerticesLeaveOnlyTheCompleteRowsAndOpenTheMesh) {
    struct Case {
        const char* name;
        std::string tail;
        bool short_file;
        std::size_t misplaced_entities;
    };
    // 2 full rows and one vertex of the third of a mesh closed in M.
    const std::string head =
        Dxf().entities().polyline(16 + 1, 3, 3).grid(2, 3).vertex({0, 2, 0}).text();
    const std::vector<Case> cases = {
        {"SEQEND too early", Dxf().seqend().end().text(), false, 0},
        {"file ends between vertices", "", true, 0},
        {"file ends inside a vertex", "0\nVERTEX\n10\n1\n20\n", true, 0},
        {"section ends without SEQEND", Dxf().end().text(), false, 1},
        {"EOF without SEQEND or ENDSEC", "0\nEOF\n", true, 1},
    };
    for (const auto& c : cases) {
        const Read r = read(head + c.tail);
        ASSERT_EQ(r.result.status, ReadStatus::ok) << c.name;
        const Mesh& mesh = mesh_of(r);
        EXPECT_EQ(mesh.m, 2U) << c.name;
        EXPECT_EQ(mesh.n, 3U) << c.name;
        EXPECT_EQ(mesh.vertices.size(), 6U) << c.name;
        EXPECT_FALSE(mesh.closed_m) << c.name;
        EXPECT_EQ(count_lines(r.console, " This file don't have enough length\n"),
                  c.short_file ? 1U : 0U)
            << c.name;
        EXPECT_EQ(count_lines(r.console, "DXF file error!\n"), c.misplaced_entities) << c.name;
        EXPECT_EQ(
            count_lines(r.console, "mesh has 2 complete rows of 3, only those are converted\n"), 1U)
            << c.name;
    }
}

TEST(DxfPolygonMesh, SizesThatCannotBeHeldAreRefusedBeforeAnyVertexIsStored) {
    struct Case {
        const char* name;
        int flags;
        int m;
        int n;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"zero rows", 16, 0, 4, "Invalid mesh size! ( M: 0 N: 4 )\n"},
        {"negative columns", 16, 3, -4, "Invalid mesh size! ( M: 3 N: -4 )\n"},
        {"polyface without vertices", 64, 0, 2, "Invalid mesh size! ( M: 0 N: 2 )\n"},
        {"closing copies push it over", 16 + 32 + 1, INT_MAX, INT_MAX,
         "Mesh too large! ( M: 2147483647 N: 2147483647 )\n"},
        {"more than the memory limit", 16, 100, 100, "Mesh too large! ( M: 100 N: 100 )\n"},
    };
    const MemoryLimits limits{100 * 100 * sizeof(Vertex) - 1};
    for (const auto& c : cases) {
        const Read r = read(
            Dxf().entities().polyline(c.flags, c.m, c.n).grid(1, 1).seqend().end().text(), limits);
        EXPECT_EQ(r.result.status, ReadStatus::too_large) << c.name;
        EXPECT_TRUE(r.console.ends_with(c.message)) << c.name << ": " << r.console;
    }
    const Read fits =
        read(Dxf().entities().polyline(16, 99, 100).grid(1, 100).seqend().end().text(), limits);
    EXPECT_EQ(fits.result.status, ReadStatus::ok);
}

TEST(DxfPolygonMesh, AHugeDeclaredSizeDoesNotReserveMemoryTheFileCannotFill) {
    const Read r =
        read(Dxf().entities().polyline(16, 30000, 30000).grid(1, 2).seqend().end().text());
    ASSERT_EQ(r.result.status, ReadStatus::no_geometry);
    EXPECT_LT(mesh_of(r).vertices.capacity(), 1000U);
}

TEST(DxfPolyline, OnlyMeshesAreConvertedAndOnlyFlaggedVerticesStored) {
    EXPECT_EQ(read(Dxf().entities().polyline(0, 0, 0).vertex({0, 0, 0}, 0).seqend().end().text())
                  .result.status,
              ReadStatus::not_a_mesh);
    EXPECT_EQ(read(Dxf().entities().polyline(8, 0, 0).vertex({0, 0, 0}, 32).seqend().end().text())
                  .result.status,
              ReadStatus::not_a_mesh);

    const Read r = read(Dxf()
                            .entities()
                            .polyline(16, 1, 2)
                            .group(0, "ATTRIB")
                            .group(10, "9")
                            .vertex({5, 5, 5}, 0)
                            .vertex({0, 0, 0})
                            .face_record({1, 2, 3})
                            .vertex({1, 0, 0})
                            .seqend()
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(count_lines(r.console, "DXF file error!\n"), 3U);
    ASSERT_EQ(mesh_of(r).vertices.size(), 2U);
    EXPECT_EQ(mesh_of(r).vertices[1].position, (Vec3{1, 0, 0}));
}

TEST(DxfPolyline, NothingButTheFirstPolylineIsRead) {
    const Read r = read(Dxf()
                            .entities()
                            .polyline(16, 1, 2)
                            .vertex({0, 0, 0})
                            .vertex({1, 0, 0})
                            .seqend()
                            .polyline(16, 1, 2)
                            .vertex({7, 7, 7})
                            .vertex({8, 8, 8})
                            .seqend()
                            .end()
                            .text());
    ASSERT_EQ(r.result.status, ReadStatus::ok);
    EXPECT_EQ(mesh_of(r).vertices.size(), 2U);
    EXPECT_EQ(r.console, "***** File Read Complete!\nSEQEND\n");
}

TEST(DxfPolyface, FaceRecordsAreCheckedAgainstTheVerticesRead) {
    struct Case {
        const char* name;
        std::vector<int> numbers;
        std::vector<std::size_t> indices;  // empty: face skipped
        std::string message;
    };
    const std::vector<Case> cases = {
        {"triangle", {1, 2, 3}, {0, 1, 2}, ""},
        {"quadrilateral", {1, 2, 3, 4}, {0, 1, 2, 3}, ""},
        {"zero fourth number is a triangle", {4, 3, 2, 0}, {3, 2, 1}, ""},
        {"hidden edges",
         {-1, 2, -3, 4},
         {0, 1, 2, 3},
         "1 face(s) with negative vertex numbers (hidden edges): absolute values used\n"},
        {"zero among the first three",
         {1, 0, 3},
         {},
         "face ( 1 ) has fewer than 3 vertex numbers, face skipped\n"},
        {"only two numbers",
         {1, 2},
         {},
         "face ( 1 ) has fewer than 3 vertex numbers, face skipped\n"},
        {"beyond the vertex count",
         {1, 2, 5},
         {},
         "face ( 1 ) vertex number 5 is out of range ( 1 - 4 ), face skipped\n"},
        {"negative beyond the count",
         {1, 2, 3, -9},
         {},
         "face ( 1 ) vertex number -9 is out of range ( 1 - 4 ), face skipped\n"},
        {"most negative number",
         {INT_MIN, 2, 3},
         {},
         "face ( 1 ) vertex number -2147483648 is out of range ( 1 - 4 ), face skipped\n"},
    };
    for (const auto& c : cases) {
        Dxf dxf;
        dxf.entities().polyline(64, 4, 1);
        for (int k = 0; k < 4; ++k) dxf.vertex({double(k), 0, 0}, 192);
        // A face that is always valid keeps the mesh convertible when the tested one is skipped.
        const Read r =
            read(dxf.face_record(c.numbers).face_record({1, 2, 3}).seqend().end().text());
        ASSERT_EQ(r.result.status, ReadStatus::ok) << c.name;
        const Mesh& mesh = mesh_of(r);
        EXPECT_EQ(mesh.kind, MeshKind::polyface);
        EXPECT_EQ(mesh.m, 4U) << c.name;
        // Reported on the console as declared (72 is 1), not as the number of faces kept.
        EXPECT_EQ(mesh.n, 1U) << c.name;
        ASSERT_EQ(mesh.faces.size(), c.indices.empty() ? 1U : 2U) << c.name;
        if (!c.indices.empty()) {
            const IndexFace& face = mesh.faces[0];
            EXPECT_EQ(std::vector<std::size_t>(face.index.begin(), face.index.begin() + face.count),
                      c.indices)
                << c.name;
        }
        EXPECT_EQ(r.console, "***** File Read Complete!\nSEQEND\n" + c.message) << c.name;
    }
}

TEST(DxfPolyface, VerticesBeyondTheCountAndMeshesWithoutFacesAreHandled) {
    const Read extra = read(Dxf()
                                .entities()
                                .polyline(64, 3, 1)
                                .vertex({0, 0, 0}, 192)
                                .vertex({1, 0, 0}, 192)
                                .vertex({0, 1, 0}, 192)
                                .vertex({9, 9, 9}, 192)
                                .face_record({1, 2, 3})
                                .seqend()
                                .end()
                                .text());
    ASSERT_EQ(extra.result.status, ReadStatus::ok);
    EXPECT_EQ(mesh_of(extra).vertices.size(), 3U);
    EXPECT_EQ(count_lines(extra.console, "DXF file error!\n"), 1U);

    const Read no_faces = read(Dxf()
                                   .entities()
                                   .polyline(64, 2, 0)
                                   .vertex({0, 0, 0}, 192)
                                   .vertex({1, 0, 0}, 192)
                                   .seqend()
                                   .end()
                                   .text());
    EXPECT_EQ(no_faces.result.status, ReadStatus::no_geometry);
}

TEST(DxfLimits, EverythingKeptIsCountedAgainstTheGeometryLimit) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string message;
    };
    Dxf faces = Dxf().entities();
    for (int k = 0; k < 50; ++k) faces.face(kSquare);
    Dxf polyface = Dxf().entities().polyline(64, 3, 100).grid(1, 3);
    for (int k = 0; k < 100; ++k) polyface.face_record({1, 2, 3});
    const std::vector<Case> cases = {
        {"faces", faces.end().text(), 1000, "Too many faces! ( "},
        {"polyface face records", polyface.seqend().end().text(), 400,
         "Mesh too large! ( M: 3 N: 100 )\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.text).result.status, ReadStatus::ok) << c.name;
        const Read r = read(c.text, MemoryLimits{c.limit});
        EXPECT_EQ(r.result.status, ReadStatus::too_large) << c.name;
        EXPECT_NE(r.console.find(c.message), std::string::npos) << c.name << ": " << r.console;
    }
}

// The tersest text a file can spell for each kind: codes without padding, zeros as empty
// values. The program's limits must still hold what it says.
TEST(DxfLimits, TheDensestTextOfEachKindFitsTheLimitsOfItsSize) {
    const auto repeat = [](const std::string& text, int times) {
        std::string out;
        for (int k = 0; k < times; ++k) out += text;
        return out;
    };
    const std::string start = "0\nSECTION\n2\nENTITIES\n";
    const std::string end = "0\nENDSEC\n0\nEOF\n";
    const std::string triangle =
        "0\n3DFACE\n10\n\n20\n\n30\n\n11\n1\n21\n\n31\n\n12\n\n22\n1\n32\n\n";
    const std::string quad = triangle + "13\n1\n23\n1\n33\n\n";
    const std::string vertex = "0\nVERTEX\n70\n64\n";
    const std::string record = "0\nVERTEX\n70\n128\n71\n1\n72\n2\n73\n3\n";
    const auto mesh = [&](int flags, int m, int n, const std::string& body) {
        return start + "0\nPOLYLINE\n70\n" + std::to_string(flags) + "\n71\n" + std::to_string(m) +
               "\n72\n" + std::to_string(n) + "\n" + body + "0\nSEQEND\n" + end;
    };
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"triangles", start + repeat(triangle, 1000) + end},
        {"quadrilaterals", start + repeat(quad, 1000) + end},
        {"closed 2 x 2 mesh", mesh(16 + 32 + 1, 2, 2, repeat(vertex, 4))},
        {"closed 60 x 60 mesh", mesh(16 + 32 + 1, 60, 60, repeat(vertex, 3600))},
        {"polyface", mesh(64, 3, 1000, repeat(vertex, 3) + repeat(record, 1000))},
    };
    for (const auto& [name, text] : cases) {
        const Read r = read(text, limits_for_input(text.size()));
        EXPECT_EQ(r.result.status, ReadStatus::ok) << name << ": " << r.console;
    }
}

TEST(Conversion, EachRefusalHasItsOutcomeAndOnlyAllocationFailureIsAnnounced) {
    const MemoryLimits tiny{10 * sizeof(Vertex)};
    struct Case {
        const char* name;
        std::string text;
        Outcome outcome;
    };
    const std::vector<Case> cases = {
        {"not DXF", "hello", Outcome::not_dxf},
        {"not a mesh",
         Dxf().entities().polyline(0, 0, 0).vertex({0, 0, 0}, 0).seqend().end().text(),
         Outcome::not_a_mesh},
        {"no face", Dxf().entities().face({{0, 0, 0}, {0, 0, 0}}).end().text(),
         Outcome::no_geometry},
        {"mesh too large", Dxf().entities().polyline(16, 4, 4).grid(4, 4).seqend().end().text(),
         Outcome::out_of_memory},
        {"faces too many", Dxf().entities().face(kSquare).face(kSquare).face(kSquare).end().text(),
         Outcome::out_of_memory},
    };
    for (const auto& c : cases) {
        std::ostringstream console;
        const Conversion conversion = convert_dxf(c.text, console, tiny);
        EXPECT_EQ(conversion.outcome, c.outcome) << c.name;
        EXPECT_EQ(console.str().ends_with("Memory Allocation Failed!\n"),
                  c.outcome == Outcome::out_of_memory)
            << c.name;
    }
}

}  // namespace
}  // namespace rz::polyconv
