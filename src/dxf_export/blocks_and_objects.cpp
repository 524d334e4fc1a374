// The fixed BLOCKS and OBJECTS sections of the DXF file. The drawing's own
// blocks are not exported.
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "common/text_file_writer.h"

namespace zov {

void write_fixed_blocks(TextFileWriter& out, DxfHandles& handles) {
    out.put("0\nBLOCK\n5\n%lx\n100\nAcDbEntity\n67\n1\n8\n0\n100\nAcDbBlockBegin\n"
            "2\n*MODEL_SPACE\n70\n0\n10\n0.0\n20\n0.0\n30\n0.0\n3\n*MODEL_SPACE\n1\n\n",
            handles.next());
    out.put("0\nENDBLK\n5\n%lx\n100\nAcDbEntity\n8\n0\n100\nAcDbBlockEnd\n", handles.next());
    out.put("0\nBLOCK\n5\n%lx\n100\nAcDbEntity\n67\n1\n8\n0\n100\nAcDbBlockBegin\n"
            "2\n*PAPER_SPACE\n70\n0\n10\n0.0\n20\n0.0\n30\n0.0\n3\n*PAPER_SPACE\n1\n\n",
            handles.next());
    out.put("0\nENDBLK\n5\n%lx\n100\nAcDbEntity\n67\n1\n8\n0\n100\nAcDbBlockEnd\n",
            handles.next());
    out.put("0\nBLOCK\n5\n%lx\n100\nAcDbEntity\n8\n0\n100\nAcDbBlockBegin\n"
            "2\nREVDATE\n70\n2\n10\n0.0\n20\n0.0\n30\n0.0\n3\nREVDATE\n1\nREVDATE\n",
            handles.next());
    for (const char* tag : {"USER", "REVDATE", "FNAME"}) {
        out.put("0\nATTDEF\n5\n%lx\n100\nAcDbEntity\n8\n0\n62\n0\n100\nAcDbText\n"
                "10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n1\n\n100\nAcDbAttributeDefinition\n"
                "3\n\n2\n%s\n70\n8\n",
                handles.next(), tag);
    }
    out.put("0\nENDBLK\n5\n%lx\n100\nAcDbEntity\n67\n1\n8\n0\n100\nAcDbBlockEnd\n",
            handles.next());
}

void write_blocks_section(TextFileWriter& out, DxfHandles& handles) {
    out.put("0\nSECTION\n2\nBLOCKS\n");
    write_fixed_blocks(out, handles);
    out.put("0\nENDSEC\n");
}

void write_objects_section(TextFileWriter& out) {
    out.put(" 0\nSECTION\n  2\nOBJECTS\n");
    out.put(" 0\nDICTIONARY\n  5\n%lx\n100\nAcDbDictionary\n  3\nACAD_GROUP\n350\n%lx\n"
            "  3\nACAD_MLINESTYLE\n350\n%lx\n",
            999ul, 1000ul, 1001ul);
    out.put(" 0\nDICTIONARY\n  5\n%lx\n102\n{ACAD_REACTORS\n330\n%lx\n102\n}\n100\nAcDbDictionary\n",
            999ul, 998ul);
    out.put(" 0\nDICTIONARY\n  5\n%lx\n102\n{ACAD_REACTORS\n330\n%lx\n102\n}\n100\nAcDbDictionary\n"
            "  3\nSTANDARD\n350\n%lx\n",
            999ul, 997ul, 1000ul);
    out.put("0\nENDSEC\n");
}

}  // namespace zov
