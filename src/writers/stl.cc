#include "writers/stl.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>


namespace bellform {

namespace {

constexpr std::size_t header_size = 80;
constexpr std::size_t facet_size = 50;  // 12 floats and 2 bytes

// Little-endian whatever the machine: the bytes shifted out one by one.
char* put_u32(char* at, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) *at++ = static_cast<char>((v >> shift) & 0xFF);
  return at;
}

char* put_float(char* at, float v) { return put_u32(at, std::bit_cast<std::uint32_t>(v)); }

// A corner as the file stores it. Kept as floats: GCC 12's vectorizer at
// -O2 drops the rounding of a double to float and back to double, which
// gave normals from the unrounded corners, and other bytes than -O0 gives.
struct Stored {
  float x, y, z;
};

Stored stored(const Vertex& v) {
  return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// The outward unit normal from the corners' order, computed on the floats
// the file stores.
char* put_normal(char* at, const Stored& a, const Stored& b, const Stored& c) {
  const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
  const double vx = double{c.x} - a.x, vy = double{c.y} - a.y, vz = double{c.z} - a.z;
  const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double inv = len > 0 ? 1 / len : 0;
  at = put_float(at, static_cast<float>(nx * inv));
  at = put_float(at, static_cast<float>(ny * inv));
  return put_float(at, static_cast<float>(nz * inv));
}

char* put_vertex(char* at, const Stored& v) {
  at = put_float(at, v.x);
  at = put_float(at, v.y);
  return put_float(at, v.z);
}

}  // namespace

void write_stl(std::string& out, const Mesh& mesh, const std::string& header) {
  // NUL after the text: tools print the header as a C string.
  std::string head = header.substr(0, header_size - 1);
  head.resize(header_size, '\0');
  out += head;
  const std::size_t start = out.size();
  out.resize(start + 4 + mesh.facets.size() * facet_size);
  char* at = put_u32(out.data() + start, static_cast<std::uint32_t>(mesh.facets.size()));
  for (const Facet& f : mesh.facets) {
    const Stored a = stored(mesh.vertices[f.a]);
    const Stored b = stored(mesh.vertices[f.b]);
    const Stored c = stored(mesh.vertices[f.c]);
    at = put_normal(at, a, b, c);
    at = put_vertex(at, a);
    at = put_vertex(at, b);
    at = put_vertex(at, c);
    at += 2;  // the attribute byte count, unused: left at the zeros of resize
  }
}

void write_adapter_stl(std::string& out, const AdapterPart& part) {
  Mesh mesh;
  adapter_mesh(part.shape, part.plan, mesh);
  char header[header_size + 1];
  const double mm = mm_per_inch;
  std::snprintf(header, sizeof header,
                "Bellform driver adapter mm: D=%.1f throat=%.1fx%.1f thickness=%.1f sections=%d",
                part.shape.D * mm, part.shape.W0 * mm, part.shape.H0 * mm, part.plan.height,
                static_cast<int>(part.plan.sections.size()));
  write_stl(out, mesh, header);
}

}  // namespace bellform
