// mkrecord: makes the payload record of a file, the form in which setup.exe
// carries it:
//   the file's length, 4 bytes little-endian (at most 2^31 - 1),
//   one zlib stream of the whole content at the default level,
//   nothing else.
// Usage: mkrecord INPUT OUTPUT

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkrecord INPUT OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkrecord: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<unsigned char> content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad() || content.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        std::fprintf(stderr, "mkrecord: %s cannot be read whole or is 2 GiB or larger\n", argv[1]);
        return 1;
    }

    uLongf streamLength = compressBound(static_cast<uLong>(content.size()));
    std::vector<unsigned char> record(4 + streamLength);
    const auto size = static_cast<std::uint32_t>(content.size());
    for (int i = 0; i < 4; ++i)
        record[static_cast<std::size_t>(i)] = static_cast<unsigned char>(size >> (8 * i));
    if (compress2(record.data() + 4, &streamLength, content.data(), static_cast<uLong>(content.size()),
            Z_DEFAULT_COMPRESSION) != Z_OK) {
        std::fprintf(stderr, "mkrecord: compression of %s failed\n", argv[1]);
        return 1;
    }
    record.resize(4 + streamLength);

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "mkrecord: cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
