#pragma once
// True colours (group 420, 0xRRGGBB) as the AutoCAD colour index nearest to
// them. The store's colour field holds colour index numbers in DXF stores,
// and the renderer, the layer sheet and the DXF writer all read it so; the
// nearest index keeps every one of them working.
namespace zov {

// The colour index (1 to 255) whose standard colour lies nearest to the
// given 24-bit RGB value.
int nearest_colour_index(int rgb);

// The colour index a true colour is drawn with: the foreground colour 7 for
// one too dark to see on the dark screen, else the nearest index.
int true_colour_index(int rgb);

}  // namespace zov
