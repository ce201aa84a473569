// mkart: draws the installer's application icon and welcome banner.
//
//   mkart ICON.ico BANNER.bmp
//
// ICON.ico   one 48x48 image, 32 bits per pixel with alpha, plus its 1-bit
//            mask (a pixel is masked exactly when its alpha is 0).
// BANNER.bmp 160x271, 24 bits per pixel, uncompressed, bottom-up rows,
//            2834 pixels per metre on both axes.
//
// Everything is drawn from signed distance functions, so edges are
// anti-aliased at any scale and the output is the same on every run.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- geometry

struct Vec {
    double x = 0;
    double y = 0;
};

Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double length(Vec a) { return std::sqrt(dot(a, a)); }

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double e0, double e1, double x)
{
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Signed distances: negative inside, in the units of the coordinates given.
using Sdf = std::function<double(Vec)>;

Sdf circle(Vec c, double r)
{
    return [=](Vec p) { return length(p - c) - r; };
}

Sdf roundRect(Vec c, double halfW, double halfH, double radius)
{
    return [=](Vec p) {
        const double qx = std::fabs(p.x - c.x) - (halfW - radius);
        const double qy = std::fabs(p.y - c.y) - (halfH - radius);
        const double outside = length({std::max(qx, 0.0), std::max(qy, 0.0)});
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Sdf rect(Vec c, double halfW, double halfH) { return roundRect(c, halfW, halfH, 0); }

// A stroke of width 2r along the segment a-b, with round caps.
Sdf capsule(Vec a, Vec b, double r)
{
    return [=](Vec p) {
        const Vec pa = p - a;
        const Vec ba = b - a;
        const double h = clamp01(dot(pa, ba) / dot(ba, ba));
        return length(pa - ba * h) - r;
    };
}

// The outline of a shape, `width` wide, centred on its edge.
Sdf outline(Sdf s, double width)
{
    return [=](Vec p) { return std::fabs(s(p)) - width / 2; };
}

Sdf unite(Sdf a, Sdf b)
{
    return [=](Vec p) { return std::min(a(p), b(p)); };
}

Sdf intersect(Sdf a, Sdf b)
{
    return [=](Vec p) { return std::max(a(p), b(p)); };
}

Sdf translate(Sdf s, Vec by)
{
    return [=](Vec p) { return s(p - by); };
}

// ------------------------------------------------------------------ colour

struct Color {
    double r = 0, g = 0, b = 0, a = 1;  // straight (not premultiplied)
};

Color rgb(unsigned hex, double alpha = 1)
{
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

Color mix(Color a, Color b, double t)
{
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

using Paint = std::function<Color(Vec)>;

Paint solid(Color c)
{
    return [=](Vec) { return c; };
}

// Linear gradient from `c0` at point `p0` to `c1` at point `p1`.
Paint linear(Vec p0, Color c0, Vec p1, Color c1)
{
    const Vec d = p1 - p0;
    const double len2 = dot(d, d);
    return [=](Vec p) { return mix(c0, c1, dot(p - p0, d) / len2); };
}

Paint radial(Vec c, double r, Color inner, Color outer)
{
    return [=](Vec p) { return mix(inner, outer, length(p - c) / r); };
}

// ------------------------------------------------------------------ canvas

// Premultiplied RGBA, floating point, top row first.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}

    int width() const { return w_; }
    int height() const { return h_; }

    // Paints the inside of `shape` with `paint`; the edge is covered by the
    // part of a pixel the shape takes (one pixel of ramp around distance 0).
    void fill(const Sdf& shape, const Paint& paint, double opacity = 1)
    {
        cover([&](Vec p) { return clamp01(0.5 - shape(p)); }, paint, opacity);
    }

    // A blurred fill: coverage falls smoothly from 1 at distance -blur to
    // exactly 0 at distance +blur (so a shadow has a hard end, no haze).
    void fillSoft(const Sdf& shape, const Paint& paint, double blur, double opacity = 1)
    {
        cover([&](Vec p) { return 1 - smoothstep(-blur, blur, shape(p)); }, paint, opacity);
    }

    struct Pixel {
        double r = 0, g = 0, b = 0, a = 0;
    };
    const Pixel& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

private:
    template <typename Coverage>
    void cover(Coverage coverage, const Paint& paint, double opacity)
    {
        for (int y = 0; y < h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                const Vec p{x + 0.5, y + 0.5};
                const double k = coverage(p) * opacity;
                if (k <= 0)
                    continue;
                const Color c = paint(p);
                const double a = c.a * k;
                Pixel& d = px_[static_cast<size_t>(y) * w_ + x];
                d.r = c.r * a + d.r * (1 - a);
                d.g = c.g * a + d.g * (1 - a);
                d.b = c.b * a + d.b * (1 - a);
                d.a = a + d.a * (1 - a);
            }
        }
    }

    int w_;
    int h_;
    std::vector<Pixel> px_;
};

// ------------------------------------------------------------------ motifs

// Maps the 48-unit design space of the emblem to canvas pixels.
struct Place {
    Vec origin;
    double scale = 1;

    Sdf operator()(Sdf s) const
    {
        const Vec o = origin;
        const double k = scale;
        return [=](Vec p) { return s((p - o) * (1 / k)) * k; };
    }
    Paint operator()(Paint f) const
    {
        const Vec o = origin;
        const double k = scale;
        return [=](Vec p) { return f((p - o) * (1 / k)); };
    }
};

// The four corner marks of a capture frame around the box (x0,y0)-(x1,y1).
Sdf captureCorners(double x0, double y0, double x1, double y1, double arm, double r)
{
    Sdf s = capsule({x0, y0}, {x0 + arm, y0}, r);
    s = unite(s, capsule({x0, y0}, {x0, y0 + arm}, r));
    s = unite(s, capsule({x1, y0}, {x1 - arm, y0}, r));
    s = unite(s, capsule({x1, y0}, {x1, y0 + arm}, r));
    s = unite(s, capsule({x0, y1}, {x0 + arm, y1}, r));
    s = unite(s, capsule({x0, y1}, {x0, y1 - arm}, r));
    s = unite(s, capsule({x1, y1}, {x1 - arm, y1}, r));
    s = unite(s, capsule({x1, y1}, {x1, y1 - arm}, r));
    return s;
}

// The application emblem in a 48x48 design space: a rounded tile with a
// blue-to-teal gradient and a soft shadow, a capture frame's corner marks,
// and a camera lens in the middle.
void drawEmblem(Canvas& cv, const Place& at, bool shadow)
{
    const Vec centre{24, 23};
    const Sdf tile = roundRect(centre, 21, 21, 9.5);

    if (shadow) {
        cv.fillSoft(at(translate(tile, {0, 1.4})), solid(rgb(0x000000)), 1.6 * at.scale, 0.42);
    }

    // Tile: light teal at the top left, deep blue at the bottom right.
    cv.fill(at(tile), at(linear({6, 4}, rgb(0x3FD0E0), {42, 44}, rgb(0x1B3FA6))));
    // Gloss over the upper half, fading downwards.
    const Sdf gloss = intersect(tile, circle({24, -38}, 62));
    cv.fill(at(gloss), at(linear({24, 2}, rgb(0xFFFFFF, 0.28), {24, 24}, rgb(0xFFFFFF, 0.02))));
    // A fine rim: light along the top, darker along the bottom.
    cv.fill(at(outline(roundRect(centre, 20.6, 20.6, 9.1), 0.8)),
            at(linear({24, 2}, rgb(0xFFFFFF, 0.45), {24, 44}, rgb(0x0A1E5E, 0.55))));

    // Capture frame corners.
    const Sdf corners = captureCorners(11.5, 10.5, 36.5, 35.5, 6.5, 1.45);
    cv.fill(at(translate(corners, {0, 0.6})), solid(rgb(0x0A1E5E, 0.35)));
    cv.fill(at(corners), solid(rgb(0xFFFFFF)));

    // Lens: white ring, glassy iris, dark pupil, highlight.
    const Vec lens{24, 23};
    cv.fill(at(circle(lens + Vec{0, 0.7}, 9.2)), solid(rgb(0x0A1E5E, 0.35)));
    cv.fill(at(circle(lens, 9.0)), at(linear({24, 15}, rgb(0xFFFFFF), {24, 31}, rgb(0xD6E8F5))));
    cv.fill(at(circle(lens, 6.6)), at(radial({22.3, 21.3}, 8.2, rgb(0x5FE8F5), rgb(0x0D2F86))));
    cv.fill(at(outline(circle(lens, 4.6), 0.7)), solid(rgb(0xFFFFFF, 0.25)));
    cv.fill(at(circle(lens, 2.7)), solid(rgb(0x06184A)));
    cv.fill(at(circle({21.5, 20.4}, 1.45)), solid(rgb(0xFFFFFF, 0.92)));
    cv.fill(at(circle({26.4, 25.6}, 0.7)), solid(rgb(0xFFFFFF, 0.5)));

    // Record light in the upper right of the frame.
    cv.fill(at(circle({33.2, 14.0}, 1.75)), at(radial({32.7, 13.4}, 2.2, rgb(0xFF8A80), rgb(0xE0263A))));
}

// "VTQ" in strokes, cap height `h`, starting at the top-left corner `o`.
Sdf shortName(Vec o, double h, double stroke)
{
    const double r = stroke / 2;
    const double w = h * 0.78;      // letter width
    const double gap = h * 0.30;    // space between letters
    Sdf s = capsule(o, o + Vec{w / 2, h}, r);
    s = unite(s, capsule(o + Vec{w / 2, h}, o + Vec{w, 0}, r));
    Vec t = o + Vec{w + gap, 0};
    s = unite(s, capsule(t, t + Vec{w, 0}, r));
    s = unite(s, capsule(t + Vec{w / 2, 0}, t + Vec{w / 2, h}, r));
    Vec q = t + Vec{w + gap, 0};
    const Vec qc = q + Vec{w * 0.55, h / 2};
    const double rx = w * 0.55;
    const double ry = h / 2;
    // Ellipse outline, approximated by scaling the distance to a circle.
    Sdf ring = [=](Vec p) {
        const Vec d{(p.x - qc.x) / rx, (p.y - qc.y) / ry};
        const double k = length(d);
        const double grad = length({d.x / rx, d.y / ry}) / std::max(k, 1e-9);
        return std::fabs((k - 1) / std::max(grad, 1e-9)) - r;
    };
    s = unite(s, ring);
    s = unite(s, capsule(qc + Vec{rx * 0.25, ry * 0.45}, qc + Vec{rx * 0.95, ry * 1.15}, r));
    return s;
}

double shortNameWidth(double h) { return h * 0.78 * 3.1 + h * 0.30 * 2; }

// The left banner of the welcome page.
void drawBanner(Canvas& cv)
{
    const double W = cv.width();
    const double H = cv.height();
    const Sdf all = rect({W / 2, H / 2}, W, H);

    // Night blue at the top to teal at the bottom, with a faint diagonal sheen.
    cv.fill(all, [&](Vec p) {
        const double t = p.y / H;
        const Color top = rgb(0x0A1A52);
        const Color mid = rgb(0x13408F);
        const Color bottom = rgb(0x0F8E9C);
        return t < 0.55 ? mix(top, mid, t / 0.55) : mix(mid, bottom, (t - 0.55) / 0.45);
    });
    cv.fill(all, linear({0, 0}, rgb(0xFFFFFF, 0.07), {W, H * 0.6}, rgb(0xFFFFFF, 0.0)));

    // Soft discs and rings in the background.
    cv.fill(circle({148, 30}, 74), solid(rgb(0xFFFFFF, 0.045)));
    cv.fill(outline(circle({148, 30}, 92), 1.2), solid(rgb(0xFFFFFF, 0.07)));
    cv.fill(circle({-10, 250}, 70), solid(rgb(0xFFFFFF, 0.05)));
    cv.fill(outline(circle({-10, 250}, 86), 1.0), solid(rgb(0xFFFFFF, 0.08)));
    cv.fill(circle({130, 236}, 26), solid(rgb(0x7FF0FF, 0.06)));

    // Diagonal light beams.
    for (int i = 0; i < 3; ++i) {
        const double off = 40.0 + i * 18;
        cv.fill(capsule({-20, off + 150}, {W + 20, off - 10}, 1.2 + i * 1.6),
                solid(rgb(0xFFFFFF, 0.035)));
    }

    // A dot grid that fades in towards the bottom.
    for (double y = 196; y < H - 4; y += 9) {
        for (double x = 8; x < W - 4; x += 9) {
            const double a = 0.03 + 0.09 * (y - 196) / (H - 196);
            cv.fill(circle({x, y}, 0.9), solid(rgb(0xFFFFFF, a)));
        }
    }

    // A dashed selection marquee with handles, behind the emblem.
    const double mx0 = 18, my0 = 44, mx1 = 142, my1 = 164;
    auto dashed = [&](Vec a, Vec b) {
        const double len = length(b - a);
        const Vec dir = (b - a) * (1 / len);
        for (double s = 0; s < len; s += 8) {
            const double e = std::min(s + 4.5, len);
            cv.fill(capsule(a + dir * s, a + dir * e, 0.55), solid(rgb(0xBFF6FF, 0.45)));
        }
    };
    dashed({mx0, my0}, {mx1, my0});
    dashed({mx1, my0}, {mx1, my1});
    dashed({mx1, my1}, {mx0, my1});
    dashed({mx0, my1}, {mx0, my0});
    for (Vec h : {Vec{mx0, my0}, Vec{mx1, my0}, Vec{mx0, my1}, Vec{mx1, my1}, Vec{(mx0 + mx1) / 2, my0},
                  Vec{(mx0 + mx1) / 2, my1}, Vec{mx0, (my0 + my1) / 2}, Vec{mx1, (my0 + my1) / 2}}) {
        cv.fill(rect(h, 2.4, 2.4), solid(rgb(0xFFFFFF, 0.85)));
        cv.fill(rect(h, 1.4, 1.4), solid(rgb(0x1E5FB0)));
    }

    // A few faint diamonds scattered in the upper part.
    for (Vec d : {Vec{18, 24}, Vec{142, 182}, Vec{30, 186}, Vec{128, 20}}) {
        const Sdf diamond = [d](Vec p) { return (std::fabs(p.x - d.x) + std::fabs(p.y - d.y) - 4) * 0.7071; };
        cv.fill(diamond, solid(rgb(0xFFFFFF, 0.16)));
    }

    // The emblem, large, with a glow under it.
    const double size = 96;
    const Place at{{W / 2 - size / 2, 102 - size * 23.0 / 48}, size / 48};
    cv.fillSoft(circle({W / 2, 104}, 40), solid(rgb(0x6FE9FF)), 22, 0.22);
    drawEmblem(cv, at, true);

    // Short name under the frame, with a thin rule.
    const double capH = 20;
    const double nameW = shortNameWidth(capH);
    const Vec nameAt{W / 2 - nameW / 2, 206};
    cv.fill(translate(shortName(nameAt, capH, 3.6), {0, 1.2}), solid(rgb(0x041240, 0.35)));
    cv.fill(shortName(nameAt, capH, 3.6), linear({0, 206}, rgb(0xFFFFFF), {0, 226}, rgb(0xCFF7FF)));
    cv.fill(capsule({W / 2 - 26, 240}, {W / 2 + 26, 240}, 0.7), solid(rgb(0xFFFFFF, 0.55)));
    cv.fill(circle({W / 2, 240}, 1.8), solid(rgb(0xFFFFFF, 0.8)));
}

// ----------------------------------------------------------------- writing

class Bytes {
public:
    void u8(unsigned v) { b_.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v)
    {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    size_t size() const { return b_.size(); }
    const std::vector<uint8_t>& data() const { return b_; }

private:
    std::vector<uint8_t> b_;
};

unsigned to8(double v) { return static_cast<unsigned>(std::lround(clamp01(v) * 255)); }

void bitmapInfoHeader(Bytes& out, int w, int h, unsigned bits, uint32_t imageSize, int32_t ppm)
{
    out.u32(40);           // biSize
    out.i32(w);            // biWidth
    out.i32(h);            // biHeight (positive: bottom-up)
    out.u16(1);            // biPlanes
    out.u16(bits);         // biBitCount
    out.u32(0);            // biCompression: BI_RGB
    out.u32(imageSize);    // biSizeImage
    out.i32(ppm);          // biXPelsPerMeter
    out.i32(ppm);          // biYPelsPerMeter
    out.u32(0);            // biClrUsed
    out.u32(0);            // biClrImportant
}

Bytes iconFile(const Canvas& cv)
{
    const int n = cv.width();
    const uint32_t maskStride = ((n + 31) / 32) * 4;
    const uint32_t colourBytes = static_cast<uint32_t>(n * n * 4);
    const uint32_t maskBytes = maskStride * n;
    const uint32_t imageBytes = 40 + colourBytes + maskBytes;

    Bytes out;
    out.u16(0);  // reserved
    out.u16(1);  // type: icon
    out.u16(1);  // one image
    out.u8(n == 256 ? 0 : n);
    out.u8(n == 256 ? 0 : n);
    out.u8(0);   // no palette
    out.u8(0);
    out.u16(1);  // planes
    out.u16(32); // bits per pixel
    out.u32(imageBytes);
    out.u32(6 + 16);

    // The header's height counts the colour rows and the mask rows.
    bitmapInfoHeader(out, n, 2 * n, 32, colourBytes + maskBytes, 0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            const auto& p = cv.at(x, y);
            const unsigned a = to8(p.a);
            if (a == 0) {
                out.u32(0);
                continue;
            }
            const double k = 1 / p.a;  // back to straight alpha
            out.u8(to8(p.b * k));
            out.u8(to8(p.g * k));
            out.u8(to8(p.r * k));
            out.u8(a);
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < n; ++x) {
            if (to8(cv.at(x, y).a) == 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        for (uint8_t b : row)
            out.u8(b);
    }
    return out;
}

Bytes bitmapFile(const Canvas& cv, Color background)
{
    const int w = cv.width();
    const int h = cv.height();
    const uint32_t stride = ((w * 3 + 3) / 4) * 4;
    const uint32_t imageBytes = stride * h;

    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(14 + 40 + imageBytes);
    out.u32(0);
    out.u32(14 + 40);
    bitmapInfoHeader(out, w, h, 24, imageBytes, 2834);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const auto& p = cv.at(x, y);
            out.u8(to8(p.b + background.b * (1 - p.a)));
            out.u8(to8(p.g + background.g * (1 - p.a)));
            out.u8(to8(p.r + background.r * (1 - p.a)));
        }
        for (uint32_t i = static_cast<uint32_t>(w) * 3; i < stride; ++i)
            out.u8(0);
    }
    return out;
}

bool writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data().data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "mkart: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkart ICON.ico BANNER.bmp\n");
        return 2;
    }

    Canvas icon(48, 48);
    drawEmblem(icon, Place{{0, 0}, 1}, true);

    Canvas banner(160, 271);
    drawBanner(banner);

    if (!writeFile(argv[1], iconFile(icon)) || !writeFile(argv[2], bitmapFile(banner, rgb(0x0A1A52))))
        return 1;
    return 0;
}
