// Writes the picture's sprite sheet: an 800x600 24-bit BMP with a night sky, a
// dark fir and its trunk in the 420x550 background area, and the unlit bulbs where
// the pictures take them. The sprite cells lie inside the background, where a
// small tree leaves them uncovered, so they are drawn on the fir and in its colour.
// Usage: make_sprites <output.bmp>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kBackWidth = 420, kBackHeight = 550;

struct Rgb {
    uint8_t r, g, b;
};

std::vector<Rgb> g_pixels(static_cast<size_t>(kWidth) * kHeight, Rgb{0, 0, 0});

void Put(int x, int y, Rgb c)
{
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
        g_pixels[static_cast<size_t>(y) * kWidth + x] = c;
}

uint8_t Mix(int a, int b, int num, int den)
{
    return static_cast<uint8_t>(a + (b - a) * num / den);
}

constexpr Rgb kFir = {10, 42, 24};
constexpr int kFirCentre = 213;  // the lamp rows centre here
constexpr int kFirTop = 6, kFirBottom = 520;

// Half the fir's width at row y: wide enough at every height to hold the lamp
// rows of any tier count (they all lie on one cone), with layered branch tips.
int FirHalfWidth(int y)
{
    if (y < kFirTop || y >= kFirBottom)
        return -1;
    const int layer = 48;
    return (y + 8) * 7 / 16 + 6 + 10 * ((y + 8) % layer) / layer;
}

bool OnFir(int x, int y)
{
    const int half = FirHalfWidth(y);
    return half >= 0 && x >= kFirCentre - half && x <= kFirCentre + half;
}

void DrawSky()
{
    // Deep blue at the top fading to near black at the horizon.
    for (int y = 0; y < kBackHeight; ++y)
        for (int x = 0; x < kBackWidth; ++x)
            Put(x, y, {Mix(6, 2, y, kBackHeight), Mix(12, 4, y, kBackHeight), Mix(48, 10, y, kBackHeight)});
    // A fixed scatter of faint stars, none behind the fir.
    uint32_t seed = 12345;
    for (int i = 0; i < 90; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>((seed >> 8) % kBackWidth);
        seed = seed * 1103515245u + 12345u;
        const int y = static_cast<int>((seed >> 8) % (kBackHeight - 60));
        const uint8_t v = static_cast<uint8_t>(90 + (seed >> 4) % 110);
        if (!OnFir(x, y))
            Put(x, y, {v, v, static_cast<uint8_t>(v + (255 - v) / 3)});
    }
}

// One flat colour inside: a lamp image stamped anywhere on the fir carries the
// fir's colour around its bulb, so it shows no edge.
void DrawFir()
{
    for (int y = kFirTop; y < kFirBottom; ++y)
        for (int x = 0; x < kBackWidth; ++x)
            if (OnFir(x, y))
                Put(x, y, kFir);
}

void DrawGroundAndTrunk()
{
    for (int y = 528; y < kBackHeight; ++y)
        for (int x = 0; x < kBackWidth; ++x)
            Put(x, y, {8, static_cast<uint8_t>(22 + (y - 528) / 2), 10});
    // The rows centre on x = 212; the trunk stands under the widest row.
    for (int y = 516; y < kBackHeight; ++y)
        for (int x = 202; x < 224; ++x) {
            const uint8_t bark = static_cast<uint8_t>(50 + ((x * 7 + y * 3) % 11));
            Put(x, y, {bark, static_cast<uint8_t>(bark * 2 / 3), static_cast<uint8_t>(bark / 3)});
        }
}

// An unlit bulb in the top-left 15x21 of a 60x60 sprite cell on the fir.
void DrawBulb(int left, int top)
{
    // Ellipse centred on the stripes (x 1..11, y 0..19).
    const int cx2 = 12, cy2 = 20;  // doubled centre (6, 10)
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 15; ++x) {
            const int dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
            // (dx/12)^2 + (dy/21)^2 <= 1, scaled to integers.
            const int d = dx * dx * 441 + dy * dy * 144;
            if (d <= 144 * 441) {
                const uint8_t v = static_cast<uint8_t>(d < 144 * 441 / 3 ? 70 : 48);
                Put(left + x, top + y, {v, v, v});
            }
        }
}

void Le16(FILE* f, uint16_t v)
{
    const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    fwrite(b, 1, 2, f);
}

void Le32(FILE* f, uint32_t v)
{
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                          static_cast<uint8_t>(v >> 24)};
    fwrite(b, 1, 4, f);
}

bool WriteBmp(const char* path)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const uint32_t rowBytes = kWidth * 3;  // 2400, already a multiple of 4
    const uint32_t dataBytes = rowBytes * kHeight;
    fwrite("BM", 1, 2, f);
    Le32(f, 54 + dataBytes);
    Le32(f, 0);
    Le32(f, 54);
    Le32(f, 40);
    Le32(f, kWidth);
    Le32(f, kHeight);  // positive: rows stored bottom-up
    Le16(f, 1);
    Le16(f, 24);
    Le32(f, 0);
    Le32(f, dataBytes);
    Le32(f, 2835);
    Le32(f, 2835);
    Le32(f, 0);
    Le32(f, 0);
    std::vector<uint8_t> line(rowBytes);
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb& p = g_pixels[static_cast<size_t>(y) * kWidth + x];
            line[x * 3] = p.b;
            line[x * 3 + 1] = p.g;
            line[x * 3 + 2] = p.r;
        }
        fwrite(line.data(), 1, line.size(), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }
    DrawSky();
    DrawFir();
    DrawGroundAndTrunk();
    // The live picture takes its bulb at (230, 252); the chase editor's preview at (210, 222).
    DrawBulb(210, 222);
    DrawBulb(230, 252);
    if (!WriteBmp(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
