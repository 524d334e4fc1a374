// The fixed BLOCKS and OBJECTS sections of the DXF file. The drawing's own
// blocks are not exported.
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"

namespace zov {

namespace {

// An empty block of a space, at the origin.
void put_space_block(DxfGroupWriter& out, DxfHandles& handles, std::string_view name,
                     bool paper_space_end) {
    put_block_begin(out, handles.next(), true);
    out.texts({{2, name}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {3, name}, {1, ""}});
    put_block_end(out, handles.next(), paper_space_end);
}

}  // namespace

void write_fixed_blocks(DxfGroupWriter& out, DxfHandles& handles) {
    put_space_block(out, handles, kModelSpaceBlock, false);
    put_space_block(out, handles, kPaperSpaceBlock, true);
    put_block_begin(out, handles.next(), false);
    out.texts({{2, kRevisionDateBlock},
               {70, "2"},
               {10, "0.0"},
               {20, "0.0"},
               {30, "0.0"},
               {3, kRevisionDateBlock},
               {1, kRevisionDateBlock}});
    for (const char* tag : {"USER", "REVDATE", "FNAME"}) {
        out.text(0, "ATTDEF");
        out.handle(5, handles.next());
        out.texts({{100, kEntityMarker},
                   {8, kLayerZero},
                   {62, "0"},
                   {100, "AcDbText"},
                   {10, "0.0"},
                   {20, "0.0"},
                   {30, "0.0"},
                   {40, "1.0"},
                   {1, ""},
                   {100, "AcDbAttributeDefinition"},
                   {3, ""},
                   {2, tag},
                   {70, "8"}});
    }
    put_block_end(out, handles.next(), true);
}

void write_blocks_section(DxfGroupWriter& out, DxfHandles& handles) {
    put_section_start(out, "BLOCKS");
    write_fixed_blocks(out, handles);
    put_section_end(out);
}

namespace {

// The OBJECTS section has always been written with its codes in three
// columns and the object type's in two, and with the handles below (each
// dictionary under its own, owned by the named-object dictionary); readers
// take the codes as the same codes, and users' files hold these bytes.
constexpr DxfCode kObjectType{0, 2};
constexpr DxfCode kObjectName{2, 3};
constexpr DxfCode kObjectHandle{5, 3};
constexpr DxfCode kEntryName{3, 3};
constexpr unsigned long kNamedObjects = 999;
constexpr unsigned long kGroups = 1000;
constexpr unsigned long kMultilineStyles = 1001;
constexpr char kDictionaryMarker[] = "AcDbDictionary";

void put_dictionary(DxfGroupWriter& out, unsigned long handle) {
    out.text(kObjectType, "DICTIONARY");
    out.handle(kObjectHandle, handle);
}

// A dictionary of the named-object dictionary, under its own handle.
void put_owned_dictionary(DxfGroupWriter& out, unsigned long handle) {
    put_dictionary(out, handle);
    out.text(102, "{ACAD_REACTORS");
    out.handle(330, kNamedObjects);
    out.texts({{102, "}"}, {100, kDictionaryMarker}});
}

}  // namespace

void write_objects_section(DxfGroupWriter& out) {
    out.texts({{kObjectType, "SECTION"}, {kObjectName, "OBJECTS"}});
    put_dictionary(out, kNamedObjects);
    out.texts({{100, kDictionaryMarker}, {kEntryName, "ACAD_GROUP"}});
    out.handle(350, kGroups);
    out.text(kEntryName, "ACAD_MLINESTYLE");
    out.handle(350, kMultilineStyles);
    // Both dictionaries are empty: the file holds no group and no
    // multiline style object for an entry to name.
    put_owned_dictionary(out, kGroups);
    put_owned_dictionary(out, kMultilineStyles);
    put_section_end(out);
}

}  // namespace zov
