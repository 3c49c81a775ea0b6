// Solids for a 3D printer as binary STL: the driver adapter
// ("horn-adapter.stl"), in millimetres whatever the dialogue's unit, since
// every slicer reads STL so.
#pragma once

#include <string>

#include "design/adapter_part.h"
#include "geometry/mesh.h"

namespace bellform {

// Appends the mesh as binary STL: an 80-byte header (the text, cut or
// padded with NUL bytes, at least one), the facet count, then each facet's outward unit
// normal and corners as little-endian 32-bit floats, on every system alike.
void write_stl(std::string& out, const Mesh& mesh, const std::string& header);

// Appends the adapter's file: every section, its header naming the part,
// the driver, the throat, the thickness in mm and the sections.
void write_adapter_stl(std::string& out, const AdapterPart& part);

}  // namespace bellform
