// The image files of the C-Buffer and the texture images: every format back as it was
// written, the headers byte for byte, files from elsewhere (BMP padding, big-endian and grey
// TIFF, PNGs of every colour type), independent readers of what we write, and bad files
// refused with their message while the C-Buffer and the texture pool stay as they were.
#include <png.h>
#include <stdio.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "db/system_variables.hpp"
#include "file_fixture.hpp"
#include "fileio/file_messages.hpp"
#include "script/messages.hpp"

namespace rz::test {
namespace {

// ---- Bytes of hand-made files ------------------------------------------------------------

struct Bytes {
    std::string s;
    bool big = false;
    Bytes& u8(unsigned v) {
        s += static_cast<char>(v);
        return *this;
    }
    Bytes& u16(unsigned v) { return big ? u8(v >> 8).u8(v) : u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return big ? u16(v >> 16).u16(v) : u16(v).u16(v >> 16); }
};

// A BMP of w x h; pixel(x, yFromTop) gives blue, green, red, or the palette index for 8 bits.
std::string bmp(int w, int h, int bits, const std::function<std::array<int, 3>(int, int)>& pixel) {
    const int row = (w * bits / 8 + 3) & ~3;
    const int palette = bits == 8 ? 1024 : 0;
    Bytes b;
    b.u8('B').u8('M').u32(54 + palette + row * h).u16(0).u16(0).u32(54 + palette);
    b.u32(40).u32(w).u32(h).u16(1).u16(bits).u32(0).u32(row * h).u32(0).u32(0).u32(0).u32(0);
    for (int i = 0; i < palette / 4; ++i) b.u8(i).u8(255 - i).u8(i / 2).u8(0);  // b, g, r
    for (int y = h - 1; y >= 0; --y) {
        int n = 0;
        for (int x = 0; x < w; ++x) {
            const auto p = pixel(x, y);
            for (int c = 0; c < bits / 8; ++c, ++n) b.u8(p[c]);
        }
        for (; n < row; ++n) b.u8(0);
    }
    return b.s;
}

// An uncompressed TIFF of w x h with `samples` bytes a pixel: sample c of pixel (x, y) is
// x * 10 + y + c * 50.
std::string tiff(bool big, int w, int h, int samples, int compression = 1) {
    Bytes b;
    b.big = big;
    b.u8(big ? 'M' : 'I').u8(big ? 'M' : 'I').u16(42).u32(8);
    const int entries = 5;
    const std::uint32_t pixels = 8 + 2 + entries * 12 + 4;
    b.u16(entries);
    const auto shortEntry = [&](int tag, unsigned v) { b.u16(tag).u16(3).u32(1).u16(v).u16(0); };
    shortEntry(256, w);
    shortEntry(257, h);
    shortEntry(259, compression);
    b.u16(273).u16(4).u32(1).u32(pixels);
    shortEntry(277, samples);
    b.u32(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < samples; ++c) b.u8(x * 10 + y + c * 50);
    return b.s;
}

// An interlaced grey-and-alpha PNG whose pixel (x, y) has grey x + 16 y and alpha 200.
std::string interlacedPng(int w, int h) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_INTERLACE_ADAM7,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(w) * h * 2);
    std::vector<png_bytep> rows;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image[(y * w + x) * 2] = static_cast<std::uint8_t>(x + 16 * y);
            image[(y * w + x) * 2 + 1] = 200;
        }
        rows.push_back(image.data() + y * w * 2);
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The output of a shell command, or nothing when it could not run.
std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return out;
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
    ::pclose(p);
    return out;
}

// A Python with Pillow: Debian's package serves the system interpreter, which another
// python3 earlier on the path may hide. Empty when there is none.
std::string pillowPython() {
    for (const char* python : {"python3", "/usr/bin/python3"})
        if (commandOutput(std::string(python) + " -c 'import PIL; print(1)' 2>/dev/null") == "1\n")
            return python;
    return {};
}

class ImageFileTest : public FileTest {
  protected:
    std::vector<std::uint8_t>& pixels() { return ws.model.colorBuffer.pixels; }
    int width() const { return ws.model.colorBuffer.width; }
    int height() const { return ws.model.colorBuffer.height; }
    std::array<int, 4> at(int x, int y) {
        const std::uint8_t* p = pixels().data() + (static_cast<std::size_t>(y) * width() + x) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
    // A pattern where every channel of every pixel tells where it is.
    void fillPattern() {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) {
                std::uint8_t* p = pixels().data() + (static_cast<std::size_t>(y) * width() + x) * 4;
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(x ^ y);
                p[3] = static_cast<std::uint8_t>(x + 2 * y);
            }
    }
    void clear() { std::fill(pixels().begin(), pixels().end(), 0x5a); }

    Workstation ws;
};

// ---- Written and read back ---------------------------------------------------------------

TEST_F(ImageFileTest, EveryFormatComesBackAsItWasSaved) {
    // The fourth byte: kept (-1), 0 for formats without one, 255 for 3-sample TIFF and PNG,
    // which is written opaque.
    struct Case {
        const char* save;
        const char* load;
        const char* file;
        int fourth;
    };
    const std::vector<Case> cases{
        {"picsave", "picload", "a.rgb", 0},      {"picsave", "picload", "a.RAW", 0},
        {"picsave", "picload", "a.bmp", 0},      {"picsave", "picload", "a.tif", -1},
        {"tiffsave16", "picload", "b.tif", 255}, {"picsave", "picload", "a.png", 255},
        {"write", "read", "a.cbf", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fillPattern();
        const std::vector<std::uint8_t> saved = pixels();
        EXPECT_TRUE(ws.run(std::string(c.save) + " " + quoted(c.file) + ";").empty());
        clear();
        EXPECT_TRUE(ws.run(std::string(c.load) + " " + quoted(c.file) + ";").empty());
        std::vector<std::uint8_t> expected = saved;
        if (c.fourth >= 0)
            for (std::size_t i = 3; i < expected.size(); i += 4)
                expected[i] = static_cast<std::uint8_t>(c.fourth);
        EXPECT_TRUE(pixels() == expected);
    }
}

TEST_F(ImageFileTest, HeadersAreByteExact) {
    fillPattern();
    ASSERT_TRUE(ws.run("picsave " + quoted("a.bmp") + "; picsave " + quoted("a.rgb") +
                       "; picsave " + quoted("a.tif") + "; tiffsave16 " + quoted("b.tif"))
                    .empty());
    const auto u32 = [](const std::string& s, std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at]) |
                                          static_cast<std::uint8_t>(s[at + 1]) << 8 |
                                          static_cast<std::uint8_t>(s[at + 2]) << 16 |
                                          static_cast<std::uint8_t>(s[at + 3]) << 24);
    };
    const auto u16 = [&](const std::string& s, std::size_t at) { return u32(s, at) & 0xffff; };

    const std::string b = readFile("a.bmp");
    ASSERT_EQ(b.size(), 54u + 1920u * 480u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(u32(b, 2), b.size());
    EXPECT_EQ(u32(b, 10), 54u);
    EXPECT_EQ(u32(b, 34), 640u * 480u * 3u);
    // The bottom row comes first, blue first.
    EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 2]), at(0, 479)[0]);
    EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 1]), at(0, 479)[1]);

    EXPECT_EQ(readFile("a.rgb").size(), 640u * 3u * 480u);

    for (const auto& [name, s] : {std::pair{"a.tif", 4u}, std::pair{"b.tif", 3u}}) {
        SCOPED_TRACE(name);
        const std::string t = readFile(name);
        EXPECT_EQ(t.substr(0, 4), std::string("II*\0", 4));
        EXPECT_EQ(u32(t, 4), 8u);
        EXPECT_EQ(u16(t, 8), 13u);
        // Entry 6 is the strip offset, entry 3 the bits per sample at 170.
        EXPECT_EQ(u16(t, 10 + 6 * 12), 273u);
        EXPECT_EQ(u32(t, 10 + 6 * 12 + 8), 186 + 2 * s);
        EXPECT_EQ(u32(t, 10 + 3 * 12 + 8), 170u);
        EXPECT_EQ(u32(t, 166), 0u);
        EXPECT_EQ(u16(t, 170 + 2 * (s - 1)), 8u);
        EXPECT_EQ(u32(t, 170 + 2 * s), 720000u);
        EXPECT_EQ(u32(t, 182 + 2 * s), 10000u);
        EXPECT_EQ(t.size(), 186 + 2 * s + s * 640 * 480);
        EXPECT_EQ(static_cast<std::uint8_t>(t[186 + 2 * s + s + 1]), at(1, 0)[1]);
    }
}

// ---- Files made elsewhere ----------------------------------------------------------------

TEST_F(ImageFileTest, PaddedAndPalettedBmpsLoadBottomAligned) {
    // 3 pixels of 3 bytes: each row carries 3 bytes of padding.
    const auto colour = [](int x, int y) { return std::array<int, 3>{x, y, 100 + x + 10 * y}; };
    writeFile("p24.bmp", bmp(3, 2, 24, colour));
    writeFile("p8.bmp", bmp(3, 2, 8, [](int x, int y) { return std::array<int, 3>{x + 3 * y}; }));
    ASSERT_TRUE(ws.run("picload " + quoted("p24.bmp")).empty());
    // Stored rows from the bottom land on the C-Buffer's last rows.
    EXPECT_EQ(at(2, 478), (std::array<int, 4>{102, 0, 2, 0}));
    EXPECT_EQ(at(1, 479), (std::array<int, 4>{111, 1, 1, 0}));
    ASSERT_TRUE(ws.run("picload " + quoted("p8.bmp")).empty());
    // Palette entry i is blue i, green 255 - i, red i / 2.
    EXPECT_EQ(at(2, 479), (std::array<int, 4>{2, 250, 5, 0}));
}

TEST_F(ImageFileTest, TiffsInEitherByteOrderAndAnySampleCount) {
    struct Case {
        bool big;
        int samples;
        std::array<int, 4> pixel21;  // pixel (2, 1)
    };
    for (const Case& c : {Case{true, 3, {21, 71, 121, 255}}, Case{false, 1, {21, 21, 21, 255}},
                          Case{false, 2, {21, 21, 21, 255}}, Case{true, 4, {21, 71, 121, 171}}}) {
        SCOPED_TRACE(c.samples);
        writeFile("t.tif", tiff(c.big, 4, 3, c.samples));
        clear();
        ASSERT_TRUE(ws.run("picload " + quoted("t.tif")).empty());
        EXPECT_EQ(at(2, 1), c.pixel21);
        EXPECT_EQ(at(4, 1)[0], 0x5a);  // beyond the image: untouched
    }
}

TEST_F(ImageFileTest, PngsOfEveryKindBecomeRedGreenBlueAlpha) {
    writeFile("i.png", interlacedPng(13, 11));
    clear();
    ASSERT_TRUE(ws.run("picload " + quoted("i.png")).empty());
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) {
            const int g = x + 16 * y;
            ASSERT_EQ(at(x, y), (std::array<int, 4>{g, g, g, 200})) << x << "," << y;
        }
    EXPECT_EQ(at(13, 0)[0], 0x5a);

    const std::string python = pillowPython();
    if (python.empty()) GTEST_SKIP() << "python3-pil is not installed";
    // Grey, palette, 16-bit and RGB files as another program writes them.
    const std::string script =
        "from PIL import Image\n"
        "import sys\n"
        "d = sys.argv[1]\n"
        "Image.new('L', (5, 4), 77).save(d + '/l.png')\n"
        "p = Image.new('P', (5, 4), 3); p.putpalette([0, 0, 0] * 3 + [10, 20, 30] + [0, 0, 0] * "
        "252)\n"
        "p.save(d + '/p.png')\n"
        "Image.new('I;16', (5, 4), 0x8000).save(d + '/i16.png')\n"
        "Image.new('RGB', (5, 4), (1, 2, 3)).save(d + '/rgb.png')\n";
    writeFile("make.py", script);
    ASSERT_EQ(commandOutput(python + " " + path("make.py") + " " + dir_ + " 2>&1"), "");
    struct Case {
        const char* file;
        std::array<int, 4> pixel;
    };
    for (const Case& c : {Case{"l.png", {77, 77, 77, 255}}, Case{"p.png", {10, 20, 30, 255}},
                          Case{"i16.png", {128, 128, 128, 255}}, Case{"rgb.png", {1, 2, 3, 255}}}) {
        SCOPED_TRACE(c.file);
        clear();
        ASSERT_TRUE(ws.run("picload " + quoted(c.file)).empty());
        EXPECT_EQ(at(4, 3), c.pixel);
    }
}

// ---- Independent readers of what we write ------------------------------------------------

TEST_F(ImageFileTest, PillowReadsOurFilesWithTheRightPixels) {
    const std::string python = pillowPython();
    if (python.empty()) GTEST_SKIP() << "python3-pil is not installed";
    fillPattern();
    ASSERT_TRUE(ws.run("picsave " + quoted("a.bmp") + "; picsave " + quoted("a.tif") +
                       "; tiffsave16 " + quoted("b.tif") + "; picsave " + quoted("a.png"))
                    .empty());
    writeFile("read.py",
              "from PIL import Image\nimport sys\n"
              "for f in sys.argv[2:]:\n"
              "    im = Image.open(sys.argv[1] + '/' + f)\n"
              "    print(f, im.size, im.getpixel((300, 7)), im.getpixel((639, 479)))\n");
    const std::string out = commandOutput(python + " " + path("read.py") + " " + dir_ +
                                          " a.bmp a.tif b.tif a.png 2>&1");
    // (300, 7): 44, 7, 43, 58; (639, 479): 127, 223, 160, 61.
    EXPECT_EQ(out,
              "a.bmp (640, 480) (44, 7, 43) (127, 223, 160)\n"
              "a.tif (640, 480) (44, 7, 43, 58) (127, 223, 160, 61)\n"
              "b.tif (640, 480) (44, 7, 43) (127, 223, 160)\n"
              "a.png (640, 480) (44, 7, 43, 255) (127, 223, 160, 255)\n");
}

TEST_F(ImageFileTest, TiffinfoAcceptsOurTiffs) {
    if (commandOutput("command -v tiffinfo").empty()) GTEST_SKIP() << "libtiff-tools missing";
    ASSERT_TRUE(ws.run("picsave " + quoted("a.tif") + "; tiffsave16 " + quoted("b.tif")).empty());
    for (const char* name : {"a.tif", "b.tif"}) {
        SCOPED_TRACE(name);
        const std::string out =
            commandOutput("tiffinfo -D " + path(name) + " >/dev/null 2>&1; echo $?");
        EXPECT_EQ(out, "0\n");
        EXPECT_NE(commandOutput("tiffinfo " + path(name) + " 2>/dev/null")
                      .find("Image Width: 640 Image Length: 480"),
                  std::string::npos);
    }
}

// ---- Texture images ----------------------------------------------------------------------

TEST_F(ImageFileTest, BmpTexturesAreAppendedTopRowFirst) {
    writeFile("c.bmp", bmp(3, 2, 24, [](int x, int y) { return std::array<int, 3>{x, y, 9}; }));
    writeFile("g.bmp", bmp(2, 2, 8, [](int x, int y) { return std::array<int, 3>{x + 2 * y}; }));
    db::Database& db = ws.model;
    const std::int32_t used = db.textureBytesUsed;
    const std::int32_t n = db.mapdataCount;
    ASSERT_TRUE(ws.run("colormapload " + quoted("c.bmp") + "; monomapload " + quoted("g.bmp") +
                       "; colormapload " + quoted("ignored.tif"))
                    .empty());
    ASSERT_EQ(db.mapdataCount, n + 2);
    EXPECT_EQ(ws.in.sym.scalar(ws.in.sym.lookup("md.point")), n + 1);
    const db::Mapdata& c = db.mapdatas[n];
    const db::Mapdata& g = db.mapdatas[n + 1];
    EXPECT_EQ((std::array<int, 5>{c.kind, c.width, c.height, int(c.offset), int(c.size)}),
              (std::array<int, 5>{2, 3, 2, used, 18}));
    EXPECT_EQ((std::array<int, 5>{g.kind, g.width, g.height, int(g.offset), int(g.size)}),
              (std::array<int, 5>{1, 2, 2, used + 18, 4}));
    EXPECT_EQ(db.textureBytesUsed, used + 22);
    const std::uint8_t* t = db.textureBuffer.data() + used;
    // Red, green, blue of (2, 0) and (0, 1); the grey image is the palette's red (i / 2).
    EXPECT_EQ((std::array<int, 6>{t[6], t[7], t[8], t[9], t[10], t[11]}),
              (std::array<int, 6>{9, 0, 2, 9, 1, 0}));
    EXPECT_EQ((std::array<int, 4>{t[18], t[19], t[20], t[21]}), (std::array<int, 4>{0, 0, 1, 1}));
}

// ---- Refusals ----------------------------------------------------------------------------

TEST_F(ImageFileTest, BadFilesAreRefusedAndChangeNothing) {
    const std::string good = bmp(4, 4, 24, [](int, int) { return std::array<int, 3>{1, 2, 3}; });
    const auto patched = [](std::string s, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
        return s;
    };
    const std::string unknown = err(fileio::msg::kUnknownImageFormat);
    const std::string shortRead = err(fileio::msg::kReadError);
    const std::string notFound = err(script::msg::kFileNotFound);
    std::string tiffLoop = tiff(false, 2, 2, 3);
    tiffLoop = patched(tiffLoop, 4, 0xfffffff0);  // directory past the end
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    const std::vector<Case> cases{
        {"short.bmp", good.substr(0, 60), shortRead},
        {"head.bmp", good.substr(0, 20), shortRead},
        {"wide.bmp", patched(good, 18, 0x7fffffff), shortRead},
        {"offset.bmp", patched(good, 10, 0xffffff00), shortRead},
        {"rle.bmp", patched(good, 30, 1), unknown},
        {"bits.bmp", patched(good, 28, 16), unknown},
        {"notbmp.bmp", "GIF89a" + good, unknown},
        {"pal.bmp", bmp(2, 2, 8, [](int, int) { return std::array<int, 3>{}; }).substr(0, 300),
         shortRead},
        {"dir.tif", tiffLoop, notFound},
        {"lzw.tif", tiff(false, 2, 2, 3, 5), notFound},
        {"samples.tif", tiff(true, 2, 2, 7), notFound},
        {"strip.tif", tiff(false, 2, 2, 3).substr(0, 80), shortRead},
        {"entries.tif", patched(tiff(false, 2, 2, 3), 8, 0xffff), notFound},
        {"tiny.tif", "II*", notFound},
        {"bad.png", "\x89PNG\r\n\x1a\n" + good, unknown},
        {"cut.png", interlacedPng(40, 40).substr(0, 120), unknown},
        {"short.rgb", std::string(640 * 3 * 480 - 1, 'x'), shortRead},
    };
    std::vector<std::uint8_t>& cbuf = pixels();
    fillPattern();
    const std::vector<std::uint8_t> before = cbuf;
    db::Database& db = ws.model;
    const std::vector<std::uint8_t> pool = db.textureBuffer;
    const std::int32_t used = db.textureBytesUsed;
    const std::int32_t images = db.mapdataCount;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.name, c.bytes);
        const std::vector<std::string> boxes = ws.run("picload " + quoted(c.name));
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.front(), c.message);
        EXPECT_TRUE(cbuf == before);
        if (std::string(c.name).ends_with(".bmp")) {
            EXPECT_EQ(ws.run("colormapload " + quoted(c.name)).front(), c.message);
            EXPECT_EQ(db.mapdataCount, images);
            EXPECT_EQ(db.textureBytesUsed, used);
            EXPECT_TRUE(db.textureBuffer == pool);
        }
    }
    EXPECT_EQ(
        ws.run("picload " + quoted("none.bmp")),
        (std::vector<std::string>{notFound, " ... in picload => " + path("none.bmp"), kRunFailed}));
    EXPECT_EQ(ws.run("picload " + quoted("a.gif")).front(), err(fileio::msg::kWrongExtension));
    EXPECT_EQ(ws.run("tiffsave16 " + quoted("a.bmp")).front(), err(fileio::msg::kWrongExtension));
    EXPECT_EQ(ws.run("picload 3").front(), err(script::msg::kBadParam));
}

TEST_F(ImageFileTest, TexturesThatDoNotFitAreRefused) {
    db::Settings s;
    s.capacity.mapimagemax = 50;
    s.capacity.mapdatamax = 3;
    Workstation small(s);
    writeFile("c.bmp", bmp(3, 3, 24, [](int, int) { return std::array<int, 3>{}; }));
    EXPECT_TRUE(small.run("colormapload " + quoted("c.bmp")).empty());  // 27 bytes
    EXPECT_EQ(small.run("colormapload " + quoted("c.bmp")).front(),
              err(fileio::msg::kTextureOverflow));
    EXPECT_TRUE(small.run("monomapload " + quoted("c.bmp")).empty());  // 9 more: 36 of 50
    EXPECT_EQ(small.run("monomapload " + quoted("c.bmp")).front(),
              err(fileio::msg::kMapdataOverflow));
    EXPECT_EQ(small.model.mapdataCount, 3);
    EXPECT_EQ(small.model.textureBytesUsed, 36);
}

}  // namespace
}  // namespace rz::test
