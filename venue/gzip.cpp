#include "gzip.h"

#include <zlib.h>

#include <limits>
#include <new>
#include <stdexcept>

namespace quorix::venue {

namespace {

constexpr int kGzipWindow = 15 + 16; // zlib's way of saying a gzip header and trailer
// zlib counts in uInt; a configuration is far below it.
constexpr std::size_t kLongestZlibBuffer = std::numeric_limits<uInt>::max();

} // namespace

std::vector<std::uint8_t> Gzip(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kLongestZlibBuffer / 2)
        throw std::length_error("too much to gzip in one call");
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc(); // its only failure with these settings
    std::vector<std::uint8_t> packed(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data()); // zlib's interface is not const-correct; it only reads
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    const int status = deflate(&stream, Z_FINISH); // the bound leaves room for all of it in one call
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::logic_error("deflate did not finish within its bound");
    return packed;
}

Unpacked Gunzip(std::span<const std::uint8_t> packed, std::size_t largest)
{
    if (packed.size() > kLongestZlibBuffer || largest >= kLongestZlibBuffer)
        return {{}, GunzipFault::TooLong};
    z_stream stream{};
    if (inflateInit2(&stream, kGzipWindow) != Z_OK)
        throw std::bad_alloc();
    // One byte more than allowed tells a stream that is too long from one that just fits.
    Unpacked out{std::vector<std::uint8_t>(largest + 1), GunzipFault::None};
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = out.bytes.data();
    stream.avail_out = static_cast<uInt>(out.bytes.size());
    const int status = inflate(&stream, Z_FINISH);
    const std::size_t unpacked = stream.total_out;
    const bool inputLeft = stream.avail_in > 0;
    inflateEnd(&stream);
    if (unpacked > largest)
        out.fault = GunzipFault::TooLong;
    else if (status == Z_STREAM_END)
        out.fault = inputLeft ? GunzipFault::DataAfterEnd : GunzipFault::None;
    else if (status == Z_BUF_ERROR && !inputLeft)
        out.fault = GunzipFault::CutShort;
    else
        out.fault = GunzipFault::NotGzip;
    out.bytes.resize(out.fault == GunzipFault::None ? unpacked : 0);
    return out;
}

} // namespace quorix::venue
