// Solids for a 3D printer as binary STL: the driver adapter
// ("horn-adapter.stl"), in millimetres whatever the dialogue's unit, since
// every slicer reads STL so.
#pragma once

#include <string>

#include "design/record.h"
#include "geometry/mesh.h"

namespace bellform {

// Appends the mesh as binary STL: an 80-byte header (the text, cut or
// padded with NUL bytes), the facet count, then each facet's outward unit
// normal and corners as little-endian 32-bit floats, on every system alike.
void write_stl(std::string& out, const Mesh& mesh, const std::string& header);

// Appends the adapter file of the horn at the record's length, its header
// naming the driver, the throat and the thickness in mm. Empty when it was
// written; otherwise the sentence why there is no adapter, nothing appended.
std::string write_adapter_stl(std::string& out, const DesignRecord& rec);

}  // namespace bellform
