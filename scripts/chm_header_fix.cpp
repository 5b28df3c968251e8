// Copies a compiled help file and corrects its header's second GUID. The help compiler
// we use writes the first GUID twice; readers that check the header refuse such a file.
// Fails, and writes nothing, when the header is not one it knows.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr unsigned char kFirstGuid[16] = {0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                          0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr unsigned char kSecondGuid[16] = {0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                           0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr std::size_t kFirstAt = 0x18;
constexpr std::size_t kSecondAt = 0x28;

bool sameAt(const std::vector<unsigned char> &data, std::size_t at, const unsigned char (&guid)[16])
{
    return data.size() >= at + 16 && std::equal(guid, guid + 16, data.begin() + static_cast<long>(at));
}

std::vector<unsigned char> readAll(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool headerIsStandard(const std::vector<unsigned char> &data)
{
    return data.size() >= 0x38 && std::equal(data.begin(), data.begin() + 4, "ITSF") &&
           sameAt(data, kFirstAt, kFirstGuid) && sameAt(data, kSecondAt, kSecondGuid);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: chm_header_fix <compiled file> <corrected copy>\n");
        return 2;
    }
    std::vector<unsigned char> data = readAll(argv[1]);
    if (data.size() < 0x38 || !std::equal(data.begin(), data.begin() + 4, "ITSF") || !sameAt(data, kFirstAt, kFirstGuid)) {
        std::fprintf(stderr, "chm_header_fix: %s has no help file header\n", argv[1]);
        return 1;
    }
    if (sameAt(data, kSecondAt, kFirstGuid))
        std::copy(kSecondGuid, kSecondGuid + 16, data.begin() + static_cast<long>(kSecondAt));
    if (!headerIsStandard(data)) {
        std::fprintf(stderr, "chm_header_fix: %s has an unknown second GUID\n", argv[1]);
        return 1;
    }
    {
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
        if (!out) {
            std::fprintf(stderr, "chm_header_fix: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    if (readAll(argv[2]) != data || !headerIsStandard(readAll(argv[2]))) {
        std::fprintf(stderr, "chm_header_fix: %s did not come out as written\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
