#include "quillax/ElementList.h"

namespace quillax {

ElementList::ElementList(std::ostream& out, bool json) : Out(out), Json(json) {
    Out << (Json ? "[" : "");
}

std::ostream& ElementList::Next() {
    Out << (First ? (Json ? "\n" : "") : (Json ? ",\n" : "\n"));
    First = false;
    return Out;
}

void ElementList::End() {
    Out << (Json ? "\n]\n" : "");
}

} // namespace quillax
