// payload_bench: how fast and how lean the payload decompression is.
//
// Makes the record of a 64 MiB file of partly compressible binary data and of
// a file the size of the product's main program (1,820,672 bytes), then for
// each runs, in a fresh child process:
//   decompress  what DecompressFile does: the record file opened read-only,
//               DecompressStream into a memory stream, the content written to
//               the destination in one write;
//   inflate     bare zlib: the record, read into memory beforehand (not
//               timed), inflated into one buffer: the limit for the above;
//   idle        nothing, the process's own footprint.
// Prints the median time of several runs, MB/s of content, the peak resident
// memory of the child (ru_maxrss) and the ratio decompress / inflate.
//
// Usage: payload_bench [WORK_FOLDER]   (default: a folder under /tmp)

#include "UnitZipModule/UnitZipModule.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/MemoryStream.h"

#include <zlib.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A file stream over a POSIX descriptor, enough for the benchmark.
class PosixFileStream : public tk::TStream {
public:
    PosixFileStream(const std::string& path, int flags) : fd_(::open(path.c_str(), flags, 0644))
    {
        if (fd_ < 0)
            throw tk::EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    ~PosixFileStream() override { ::close(fd_); }
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        const auto n = count > 0 ? ::read(fd_, buffer, static_cast<std::size_t>(count)) : 0;
        return n > 0 ? static_cast<std::int32_t>(n) : 0;
    }
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        const auto n = count > 0 ? ::write(fd_, buffer, static_cast<std::size_t>(count)) : 0;
        return n > 0 ? static_cast<std::int32_t>(n) : 0;
    }
    std::int64_t Seek(std::int64_t offset, tk::TSeekOrigin origin) override
    {
        const int whence = origin == tk::TSeekOrigin::soBeginning ? SEEK_SET
            : origin == tk::TSeekOrigin::soCurrent                ? SEEK_CUR
                                                                  : SEEK_END;
        return ::lseek(fd_, offset, whence);
    }

private:
    int fd_;
};

// DecompressFile with the host's file stream in place of the Windows one.
void DecompressFileOnHost(const std::string& destination, const std::string& source)
{
    PosixFileStream input(source, O_RDONLY);
    tk::TMemoryStream result;
    TDataModuleZip::DecompressStream(input, result);
    PosixFileStream output(destination, O_WRONLY | O_CREAT | O_TRUNC);
    result.SaveToStream(output);
}

std::vector<unsigned char> ReadFile(const std::string& path)
{
    struct stat info{};
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fstat(fd, &info) != 0)
        std::exit(1);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(info.st_size));
    if (::read(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::exit(1);
    ::close(fd);
    return bytes;
}

// Bare zlib: the record's stream, already in memory, inflated into one
// buffer of the content's size.
void InflateInMemory(const std::vector<unsigned char>& record)
{
    if (record.size() < 4)
        std::abort();
    std::uint32_t size;
    std::memcpy(&size, record.data(), 4);
    std::vector<unsigned char> content(size);
    uLongf length = size;
    if (uncompress(content.data(), &length, record.data() + 4, static_cast<uLong>(record.size() - 4)) != Z_OK
        || length != size)
        std::abort();
}

// Executable-like content: code-like noise, strings, tables, zero runs and
// repeats of earlier blocks.
std::vector<unsigned char> MakeContent(std::size_t size, std::uint32_t seed)
{
    static const char* const words[] = {"Kelvaro ", "capture ", "window ", "region ", "bitmap ", "clipboard ",
        "GetDC ", "BitBlt ", "CreateCompatibleBitmap ", "SelectObject ", "screen ", "save ", "png ", "\0\0"};
    std::vector<unsigned char> out;
    out.reserve(size);
    std::uint32_t x = seed;
    auto next = [&] { return x = x * 1664525u + 1013904223u; };
    while (out.size() < size) {
        const std::size_t block = 4096;
        const std::uint32_t kind = next() >> 28;
        if (kind < 5) { // code-like: bytes from a skewed distribution
            for (std::size_t i = 0; i < block; ++i) {
                const std::uint32_t r = next();
                out.push_back(static_cast<unsigned char>((r >> 24) & ((r & 0x700) ? 0x0F : 0xFF)));
            }
        } else if (kind < 10) { // strings
            while (out.size() % block != 0 || out.empty()) {
                const char* w = words[(next() >> 24) % 14];
                out.insert(out.end(), w, w + std::max<std::size_t>(std::strlen(w), 2));
                if (out.size() % block < 16)
                    break;
            }
        } else if (kind < 12) { // tables of small integers
            for (std::size_t i = 0; i < block / 4; ++i) {
                const std::uint32_t v = (next() >> 20) & 0x3FF;
                out.insert(out.end(), {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8), 0, 0});
            }
        } else if (kind < 13) { // zero runs
            out.insert(out.end(), block, 0);
        } else if (out.size() > block) { // an earlier block again, slightly changed
            const std::size_t from = (next() % (out.size() / block)) * block;
            for (std::size_t i = 0; i < block; ++i)
                out.push_back(static_cast<unsigned char>(out[from + i] ^ ((next() >> 30) == 0 ? 1 : 0)));
        }
    }
    out.resize(size);
    return out;
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

std::vector<unsigned char> MakeRecord(const std::vector<unsigned char>& content)
{
    uLongf length = compressBound(static_cast<uLong>(content.size()));
    std::vector<unsigned char> record(4 + length);
    const auto size = static_cast<std::uint32_t>(content.size());
    std::memcpy(record.data(), &size, 4); // the host is little-endian, as the format
    if (compress2(record.data() + 4, &length, content.data(), static_cast<uLong>(content.size()),
            Z_DEFAULT_COMPRESSION) != Z_OK)
        std::exit(1);
    record.resize(4 + length);
    return record;
}

// <chrono> cannot be compiled with the project's code page of literals.
double Now()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Child side: runs one mode `runs` times, prints the median seconds.
int RunChild(const std::string& mode, const std::string& source, const std::string& destination, int runs)
{
    std::vector<double> seconds;
    std::vector<unsigned char> record;
    if (mode == "inflate")
        record = ReadFile(source); // not timed: the limit is the inflation itself
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        if (mode == "decompress")
            DecompressFileOnHost(destination, source);
        else if (mode == "inflate")
            InflateInMemory(record);
        seconds.push_back(Now() - start);
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.9f\n", seconds[seconds.size() / 2]);
    return 0;
}

struct Measure {
    double seconds;
    double peakMiB;
};

// Parent side: one child process per measurement, for its own peak memory.
Measure RunInChild(const char* self, const std::string& mode, const std::string& source,
    const std::string& destination, int runs)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], 1);
        ::close(pipeFds[0]);
        const std::string runsText = std::to_string(runs);
        ::execl(self, self, "--child", mode.c_str(), source.c_str(), destination.c_str(), runsText.c_str(),
            static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(pipeFds[1]);
    char text[64] = {};
    const auto n = ::read(pipeFds[0], text, sizeof text - 1);
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "payload_bench: %s of %s failed\n", mode.c_str(), source.c_str());
        std::exit(1);
    }
    return {std::atof(text), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::string(argv[1]) == "--child")
        return RunChild(argv[2], argv[3], argv[4], std::atoi(argv[5]));

    std::string folder = argc > 1 ? argv[1] : "/tmp/payload_bench." + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0755);
    const char* self = "/proc/self/exe";
    char selfPath[4096] = {};
    if (::readlink(self, selfPath, sizeof selfPath - 1) <= 0)
        return 1;

    struct Case {
        const char* name;
        std::size_t size;
        int runs;
    };
    const Case cases[] = {{"main-program-size", 1820672, 15}, {"large-64MiB", 64u << 20, 3}};

    std::printf("zlib %s; median of runs; peak = ru_maxrss of a fresh child process\n", zlibVersion());
    const Measure idle = RunInChild(selfPath, "idle", "-", "-", 1);
    std::printf("idle child: peak %.1f MiB\n\n", idle.peakMiB);
    std::printf("%-18s %10s %10s %-11s %9s %9s %10s %12s\n", "case", "content", "record", "mode", "time ms",
        "MB/s", "peak MiB", "peak-idle");
    for (const auto& c : cases) {
        const std::string source = folder + "/" + c.name + ".rec";
        const std::string destination = folder + "/" + c.name + ".out";
        std::size_t recordSize;
        {
            const auto content = MakeContent(c.size, 17);
            const auto record = MakeRecord(content);
            recordSize = record.size();
            WriteFile(source, record);
        }
        const Measure decompress = RunInChild(selfPath, "decompress", source, destination, c.runs);
        const Measure inflate = RunInChild(selfPath, "inflate", source, destination, c.runs);
        for (const auto& [mode, m] : {std::pair{"decompress", decompress}, std::pair{"inflate", inflate}})
            std::printf("%-18s %10zu %10zu %-11s %9.2f %9.1f %10.1f %12.1f\n", c.name, c.size, recordSize, mode,
                m.seconds * 1e3, static_cast<double>(c.size) / 1e6 / m.seconds, m.peakMiB, m.peakMiB - idle.peakMiB);
        std::printf("%-18s ratio decompress/inflate: time %.2f, peak-idle %.2f\n\n", c.name,
            decompress.seconds / inflate.seconds,
            (decompress.peakMiB - idle.peakMiB) / (inflate.peakMiB - idle.peakMiB));
        std::remove(source.c_str());
        std::remove(destination.c_str());
    }
    ::rmdir(folder.c_str());
    return 0;
}
