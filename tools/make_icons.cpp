// Makes the program's two icons, res/infpatch.ico (IDR_MAINFRAME) and
// res/logo.ico (IDI_LOGO), each with a 32x32 and a 16x16 image in 16 colours,
// in the BMP-based ICO format that Windows 95 reads: a BITMAPINFOHEADER with
// the height doubled, the 16-entry palette, the 4-bit colour (XOR) image and
// the 1-bit transparency (AND) mask, both bottom-up.
//
// The output is committed; the Windows builds only read it. To regenerate:
//     c++ -std=c++17 -O2 -o /tmp/make_icons tools/make_icons.cpp
//     /tmp/make_icons res
// The host build's test "icons_match_generator" fails when res/ and this
// program disagree. Everything here is integer arithmetic, so the output is
// the same on every machine.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

// The standard 16-colour palette, by index.
enum Colour {
    Black,
    DarkRed,
    DarkGreen,
    DarkYellow,
    DarkBlue,
    DarkMagenta,
    DarkCyan,
    LightGrey,
    DarkGrey,
    Red,
    Green,
    Yellow,
    Blue,
    Magenta,
    Cyan,
    White,
    Transparent = -1
};

const unsigned char paletteRgb[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

struct Image {
    int size;
    std::vector<int> pixels; // palette index or Transparent, top row first

    explicit Image(int s) : size(s), pixels(static_cast<size_t>(s * s), Transparent) {}
    void Set(int x, int y, int colour)
    {
        if (x >= 0 && y >= 0 && x < size && y < size)
            pixels[static_cast<size_t>(y * size + x)] = colour;
    }
    void Fill(int left, int top, int right, int bottom, int colour) // inclusive
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                Set(x, y, colour);
    }
};

// Pixel fonts: rows top to bottom, '#' set.
struct Glyph {
    char letter;
    const char* rows[7];
};

// 5 x 7 pixels.
const Glyph largeFont[] = {
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
};

// 3 x 5 pixels.
const Glyph smallFont[] = {
    {'I', {"###", ".#.", ".#.", ".#.", "###"}}, {'N', {"#.#", "###", "###", "###", "#.#"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}}, {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}}, {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
};

template <size_t N>
void DrawText(Image& image, const Glyph (&font)[N], int width, int height, int x, int y,
              const char* text, int colour)
{
    for (; *text; ++text, x += width + 1) {
        for (const Glyph& glyph : font) {
            if (glyph.letter != *text)
                continue;
            for (int row = 0; row < height; ++row)
                for (int column = 0; column < width; ++column)
                    if (glyph.rows[row][column] == '#')
                        image.Set(x + column, y + row, colour);
        }
    }
}

// A sheet of paper whose top-right corner, `fold` pixels square, is folded
// down: cut off above the diagonal, the flap grey below it.
void DrawPage(Image& image, int left, int top, int right, int bottom, int fold)
{
    const int foldLeft = right - fold;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool inFold = x >= foldLeft && y <= top + fold;
            const int diagonal = (x - foldLeft) - (y - top); // 0 on the fold line
            if (inFold && diagonal > 0)
                continue;
            const bool edge = x == left || x == right || y == top || y == bottom;
            const bool foldEdge = inFold && (diagonal == 0 || x == foldLeft || y == top + fold);
            if (edge || foldEdge)
                image.Set(x, y, Black);
            else
                image.Set(x, y, inFold ? LightGrey : White);
        }
    }
}

// The program icon: a page that reads "INF" with a patch across it.
Image ProgramIcon(int size)
{
    Image image(size);
    if (size == 32) {
        DrawPage(image, 4, 1, 27, 30, 6);
        DrawText(image, largeFont, 5, 7, 7, 9, "INF", DarkBlue);
        DrawText(image, smallFont, 3, 5, 6, 19, "PATCH", Red);
        image.Fill(7, 26, 24, 27, DarkYellow);
    } else {
        DrawPage(image, 1, 0, 14, 15, 4);
        DrawText(image, smallFont, 3, 5, 3, 5, "INF", DarkBlue);
        image.Fill(3, 12, 12, 12, Red);
    }
    return image;
}

// The maker's logo: two peaks beside a sun, in a ringed disc. Drawn in a
// 64-unit drawing square sampled at pixel centres.
Image LogoIcon(int size)
{
    Image image(size);
    const int scale = 64 / size; // drawing units per pixel
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int u = x * scale + scale / 2; // pixel centre, 0..63
            int v = y * scale + scale / 2;
            int du = u - 32;
            int dv = v - 32;
            int r2 = du * du + dv * dv;
            if (r2 > 31 * 31)
                continue;
            int colour = Cyan;
            int su = u - 46;
            int sv = v - 18;
            if (su * su + sv * sv <= 6 * 6)
                colour = Yellow;
            int farSide = u > 18 ? u - 18 : 18 - u;
            if (v >= 26 + farSide)
                colour = DarkGreen;
            int nearSide = u > 36 ? u - 36 : 36 - u;
            if (4 * (v - 16) >= 5 * nearSide)
                colour = v < 22 ? White : DarkGrey;
            if (v >= 48)
                colour = Green;
            if (r2 > (31 - 2 * scale) * (31 - 2 * scale))
                colour = DarkBlue;
            image.Set(x, y, colour);
        }
    }
    return image;
}

void Put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One icon image: header, palette, XOR and AND bitmaps.
std::string IconImage(const Image& image)
{
    const int size = image.size;
    const int xorStride = (size * 4 / 8 + 3) / 4 * 4;
    const int andStride = (size / 8 + 3) / 4 * 4;
    std::string out;
    Put32(out, 40); // biSize
    Put32(out, static_cast<uint32_t>(size));
    Put32(out, static_cast<uint32_t>(2 * size)); // XOR and AND images
    Put16(out, 1);                               // biPlanes
    Put16(out, 4);                               // biBitCount
    Put32(out, 0);                               // BI_RGB
    Put32(out, static_cast<uint32_t>((xorStride + andStride) * size));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0); // biClrUsed: all 16
    Put32(out, 0);
    for (const auto& rgb : paletteRgb) {
        out += static_cast<char>(rgb[2]);
        out += static_cast<char>(rgb[1]);
        out += static_cast<char>(rgb[0]);
        out += '\0';
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(xorStride), '\0');
        for (int x = 0; x < size; ++x) {
            int colour = image.pixels[static_cast<size_t>(y * size + x)];
            int index = colour == Transparent ? Black : colour;
            row[static_cast<size_t>(x / 2)] |= static_cast<char>(x % 2 ? index : index << 4);
        }
        out += row;
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(andStride), '\0');
        for (int x = 0; x < size; ++x)
            if (image.pixels[static_cast<size_t>(y * size + x)] == Transparent)
                row[static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        out += row;
    }
    return out;
}

std::string IconFile(const std::vector<Image>& images)
{
    std::string out;
    Put16(out, 0); // reserved
    Put16(out, 1); // type: icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::vector<std::string> data;
    for (const Image& image : images)
        data.push_back(IconImage(image));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out += static_cast<char>(images[i].size);
        out += static_cast<char>(images[i].size);
        out += static_cast<char>(16); // colours
        out += '\0';
        Put16(out, 1); // planes
        Put16(out, 4); // bits per pixel
        Put32(out, static_cast<uint32_t>(data[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(data[i].size());
    }
    for (const std::string& d : data)
        out += d;
    return out;
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok =
        WriteFile(folder + "/infpatch.ico", IconFile({ProgramIcon(32), ProgramIcon(16)})) &&
        WriteFile(folder + "/logo.ico", IconFile({LogoIcon(32), LogoIcon(16)}));
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write the icons into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
