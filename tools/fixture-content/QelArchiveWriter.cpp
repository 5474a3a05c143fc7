// ".qel" archives.
#include "fixture-content/QelArchiveWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace fixture {

namespace {

// 1 January 2000, 00:00, in the zip's DOS fields.
constexpr uint16_t kDosTime = 0;
constexpr uint16_t kDosDate = ((2000 - 1980) << 9) | (1 << 5) | 1;

void PutU16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// Raw deflate at the best level.
std::string Deflate(const std::string& data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("zlib does not start");
  std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("zlib did not finish a member");
  return out;
}

}  // namespace

std::string WriteQelArchive(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string out;
  std::string directory;
  for (const auto& member : members) {
    const std::string& name = member.first;
    const std::string& data = member.second;
    const auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    std::string packed = Deflate(data);
    uint16_t method = 8;
    if (packed.size() >= data.size()) {
      packed = data;
      method = 0;
    }
    const auto offset = static_cast<uint32_t>(out.size());
    const auto header = [&](std::string& to) {
      PutU16(to, 20);  // version needed: 2.0
      PutU16(to, 0);   // flags
      PutU16(to, method);
      PutU16(to, kDosTime);
      PutU16(to, kDosDate);
      PutU32(to, crc);
      PutU32(to, static_cast<uint32_t>(packed.size()));
      PutU32(to, static_cast<uint32_t>(data.size()));
      PutU16(to, static_cast<uint32_t>(name.size()));
      PutU16(to, 0);  // extra length
    };
    PutU32(out, 0x04034B50);
    header(out);
    out += name;
    out += packed;

    PutU32(directory, 0x02014B50);
    PutU16(directory, 20);  // made by
    header(directory);
    PutU16(directory, 0);  // comment length
    PutU16(directory, 0);  // disk
    PutU16(directory, 0);  // internal attributes
    PutU32(directory, 0);  // external attributes
    PutU32(directory, offset);
    directory += name;
  }
  const auto directoryOffset = static_cast<uint32_t>(out.size());
  out += directory;
  PutU32(out, 0x06054B50);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, static_cast<uint32_t>(members.size()));
  PutU16(out, static_cast<uint32_t>(members.size()));
  PutU32(out, static_cast<uint32_t>(directory.size()));
  PutU32(out, directoryOffset);
  PutU16(out, 0);
  return out;
}

}  // namespace fixture
