#include "engine/paradox/px_reader.h"

#include "engine/core/error.h"

#include <cstdio>

namespace trevo::engine::paradox {
namespace {

std::string hex(size_t v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%zX", v);
    return buf;
}

} // namespace

PxReader::PxReader(const Bytes& bytes, std::string fileName, std::string kind)
    : data_(bytes.data()), size_(bytes.size()), fileName_(std::move(fileName)), kind_(std::move(kind)),
      region_(kind_)
{
}

PxReader::PxReader(const PxReader& whole, const uint8_t* data, size_t size, size_t base, std::string region)
    : data_(data), size_(size), base_(base), fileName_(whole.fileName_), kind_(whole.kind_),
      region_(std::move(region))
{
}

const uint8_t* PxReader::at(size_t off, size_t n) const
{
    if (!holds(off, n)) pastEnd(off, n);
    return data_ + off;
}

Bytes PxReader::copy(size_t off, size_t n) const
{
    const uint8_t* p = at(off, n);
    return Bytes(p, p + n);
}

std::string PxReader::text(size_t off, size_t n) const
{
    return std::string(reinterpret_cast<const char*>(at(off, n)), n);
}

PxReader PxReader::part(size_t off, size_t n, std::string region) const
{
    return PxReader(*this, at(off, n), n, base_ + off, std::move(region));
}

void PxReader::damaged(const std::string& what) const
{
    throw FormatError(kind_ + " '" + fileName_ + "' ist beschädigt: " + what);
}

void PxReader::pastEnd(size_t off, size_t n) const
{
    damaged(region_ + " endet bei Offset " + hex(base_ + size_) + " vor den " + std::to_string(n) +
            " Bytes ab Offset " + hex(base_ + off));
}

} // namespace trevo::engine::paradox
