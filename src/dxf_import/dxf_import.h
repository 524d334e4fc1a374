#pragma once
// DXF import into the drawing store: reads an ASCII DXF file group by group
// and turns its header variables, line types, layers, text styles, blocks and
// entities into store records, then assembles $VV_DAT$.TMP in the state's
// program folder.
#include <string>
#include <vector>

#include "dxf_import/dxf_context.h"
#include "dxf_import/entity_parts.h"

namespace zov {

class ImportState;

struct DxfImportOptions {
    // Delete the DXF after the import (a DXF that the DWG converter made).
    bool delete_source_after_load = false;
    // When set, receives the records of every block as the counting pass
    // counted them and as the writing pass wrote them.
    std::vector<BlockTally>* block_tallies = nullptr;
    // Threads the ENTITIES section of an ASCII file of at least
    // `parts_from_bytes` is read on (0: one per core, at most
    // kMostEntityThreads); the store is the same with any number.
    int entity_threads = 0;
    std::int64_t parts_from_bytes = kEntityPartsFromBytes;
    // When set, receives the number of parts read on threads of their own
    // and joined into the store.
    int* joined_parts = nullptr;
};

// Imports the DXF file at `path` (a file-system path). 0 on success; -1
// after a reported failure: " %s をオープンできない-1" (cannot open), " %s を
// 読み込むことができません-12" (9 bytes or less), the store's messages when a
// section file cannot be created or the store cannot be assembled, and
// "%s に書き込めない" when a section file could not be written. While the
// state has a progress, the import reports how far it has read there, and a
// stop asked for there ends it with -1 and without a message, the store as
// it was.
int import_dxf_file(const std::string& path, ImportState& state,
                    const DxfImportOptions& options = {});

}  // namespace zov
