#include "writers/stl.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "design/adapter_part.h"
#include "design/units.h"
#include "geometry/adapter.h"

namespace bellform {

namespace {

constexpr std::size_t header_size = 80;

void put_u32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void put_float(std::string& out, double v) {
  put_u32(out, std::bit_cast<std::uint32_t>(static_cast<float>(v)));
}

// The outward unit normal from the corners' order, computed on the floats
// the file stores.
void put_normal(std::string& out, const Vertex& a, const Vertex& b, const Vertex& c) {
  const double ux = static_cast<float>(b.x) - static_cast<double>(static_cast<float>(a.x));
  const double uy = static_cast<float>(b.y) - static_cast<double>(static_cast<float>(a.y));
  const double uz = static_cast<float>(b.z) - static_cast<double>(static_cast<float>(a.z));
  const double vx = static_cast<float>(c.x) - static_cast<double>(static_cast<float>(a.x));
  const double vy = static_cast<float>(c.y) - static_cast<double>(static_cast<float>(a.y));
  const double vz = static_cast<float>(c.z) - static_cast<double>(static_cast<float>(a.z));
  const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double inv = len > 0 ? 1 / len : 0;
  put_float(out, nx * inv);
  put_float(out, ny * inv);
  put_float(out, nz * inv);
}

void put_vertex(std::string& out, const Vertex& v) {
  put_float(out, v.x);
  put_float(out, v.y);
  put_float(out, v.z);
}

}  // namespace

void write_stl(std::string& out, const Mesh& mesh, const std::string& header) {
  std::string head = header.substr(0, header_size);
  head.resize(header_size, ' ');
  out += head;
  out.reserve(out.size() + 4 + mesh.facets.size() * 50);
  put_u32(out, static_cast<std::uint32_t>(mesh.facets.size()));
  for (const Facet& f : mesh.facets) {
    const Vertex& a = mesh.vertices[f.a];
    const Vertex& b = mesh.vertices[f.b];
    const Vertex& c = mesh.vertices[f.c];
    put_normal(out, a, b, c);
    put_vertex(out, a);
    put_vertex(out, b);
    put_vertex(out, c);
    out.append(2, '\0');  // the attribute byte count, unused
  }
}

std::string write_adapter_stl(std::string& out, const DesignRecord& rec) {
  AdapterShape shape;
  const std::string why = adapter_part(rec, shape);
  if (!why.empty()) return why;
  Mesh mesh;
  adapter_mesh(shape, mesh);
  char header[header_size + 1];
  const double mm = metric_units.per_inch;
  std::snprintf(header, sizeof header,
                "Bellform driver adapter, mm: D=%.1f throat=%.1fx%.1f thickness=%.1f",
                shape.D * mm, shape.W0 * mm, shape.H0 * mm, shape.thickness * mm);
  write_stl(out, mesh, header);
  return {};
}

}  // namespace bellform
