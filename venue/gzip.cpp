#include "gzip.h"

#include <zlib.h>

#include <new>

namespace quorix::venue {

namespace {

constexpr int kGzipWindow = 15 + 16; // zlib's way of saying a gzip header and trailer

} // namespace

std::vector<std::uint8_t> Gzip(std::span<const std::uint8_t> bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc(); // its only failure with these settings
    std::vector<std::uint8_t> packed(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data()); // zlib's interface is not const-correct; it only reads
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH); // the bound leaves room for all of it in one call
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::optional<std::vector<std::uint8_t>> Gunzip(std::span<const std::uint8_t> packed, std::size_t largest)
{
    z_stream stream{};
    if (inflateInit2(&stream, kGzipWindow) != Z_OK)
        return std::nullopt;
    // One byte more than allowed tells a stream that is too long from one that just fits.
    std::vector<std::uint8_t> bytes(largest + 1);
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = bytes.data();
    stream.avail_out = static_cast<uInt>(bytes.size());
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.avail_in == 0 && stream.total_out <= largest;
    bytes.resize(stream.total_out);
    inflateEnd(&stream);
    if (!whole)
        return std::nullopt;
    return bytes;
}

} // namespace quorix::venue
