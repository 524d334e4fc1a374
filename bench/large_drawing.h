#pragma once
// Generated DXF drawings of the shape of large real ones, for the import and
// render benchmarks and for measuring the programs from outside: thousands of
// layers named in random order, hundreds of blocks and their inserts, lines,
// arcs, circles, texts, MTEXTs and polylines, written the way AutoCAD writes
// them (handles, owners, subclass markers).
#include <string>

namespace zov {

struct LargeDrawingShape {
    int layers = 3000;
    int blocks = 300;
    // Entities of the ENTITIES section; with 0 they are written until the
    // file holds `target_bytes`.
    long entities = 400'000;
    long target_bytes = 0;
    // Each entity names a layer drawn at random (a fixed seed, so every run
    // writes the same file); otherwise the layers follow a fixed stride.
    bool random_layers = true;
    // The same groups as binary DXF instead of DXF text.
    bool binary = false;
    // DXF text with LF line ends instead of CR LF.
    bool lf_line_ends = false;
};

// Writes the drawing to `path`; its size in bytes, or 0 on failure.
long write_large_drawing(const std::string& path, const LargeDrawingShape& shape);

// `count` large SOLIDs lying over each other across the drawing, on a few
// layers: the drawing whose filled areas cost most. Size in bytes, or 0.
long write_overlapping_solids(const std::string& path, int count);

}  // namespace zov
