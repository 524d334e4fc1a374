#pragma once
// Small drawing stores for the writer's tests, built through the store's own
// section files and assembly.
#include <string>
#include <vector>

#include "store/records.h"

namespace zov {

struct TestDrawing {
    std::int32_t kind = kSourceJwCad;
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
    double scale = 1.0;
    std::vector<LayerRecord> layers;
    std::vector<EntityRecord> entities;
};

LayerRecord test_layer(const char* name, std::int32_t colour, std::int32_t flags = 0,
                       std::int16_t line_type = kLineContinuous, bool used = true);
EntityRecord test_line(std::int16_t layer, std::int32_t colour, double x1, double y1, double x2,
                       double y2, std::int32_t line_type = kLineContinuous);
// Kind 2: ratio 1.0 gives a circle or an arc.
EntityRecord test_arc(std::int16_t layer, std::int32_t colour, double cx, double cy, double radius,
                      double start, double end, double ratio = 1.0, double rotation = 0.0);
EntityRecord test_other(std::int16_t layer, std::int32_t kind);

// Builds $VV_DAT$.TMP in `folder`; 0 or -1.
int build_test_store(const std::string& folder, const TestDrawing& drawing);

}  // namespace zov
