// Whether a layer filter leaves a drawing blank, read from the store.
#include "view/filter_hint.h"

#include "render/render_fixture.h"

namespace zov {
namespace {

class FilterHintTest : public RenderTest {};

TEST_F(FilterHintTest, BlankOnlyWhenNoEntityPassesTheFilter) {
    constexpr std::int32_t kHidden = 1 << kLayerHiddenBit;
    constexpr std::int32_t kLocked = 1 << kLayerLockedBit;
    store().add_layer("SHOWN", 0);
    store().add_layer("HIDDEN", kHidden);
    store().add_layer("LOCKED", kLocked | kHidden);
    store().add_entity(line_record(2, 0, 0, 1, 1));
    store().add_entity(line_record(0, 0, 0, 1, 1));  // no layer: the one before (hidden)
    store().add_entity(line_record(3, 0, 0, 1, 1));
    finish_store();
    struct Case {
        LayerFilter filter;
        bool blank;
    };
    for (const Case c : {Case{LayerFilter::Visible, true}, Case{LayerFilter::All, false},
                         Case{LayerFilter::Hidden, false}, Case{LayerFilter::Locked, false}})
        EXPECT_EQ(filter_hides_every_entity(path(kDataFileName), c.filter), c.blank)
            << static_cast<int>(c.filter);
    EXPECT_FALSE(filter_hides_every_entity(path("missing.TMP"), LayerFilter::Visible));
}

TEST_F(FilterHintTest, AnEmptyDrawingIsNotBlankedByItsFilter) {
    store().add_layer("LOCKED", 1 << kLayerLockedBit);
    finish_store();
    EXPECT_FALSE(filter_hides_every_entity(path(kDataFileName), LayerFilter::Hidden));
}

}  // namespace
}  // namespace zov
