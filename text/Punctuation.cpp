#include "text/CaseFolding.h"
#include "text/TextAnalysis.h"

namespace text {
namespace {

// . , : ; ! - " ' and the typographic quotes, dashes and ellipsis that word processors put in their place.
constexpr std::string_view kBlankedBytes = ".,:;!-\"'\x91\x92\x93\x94\x96\x97\x85";

constexpr ByteMap BlankingMap() {
    ByteMap map = IdentityMap();
    for (char c : kBlankedBytes) {
        map[static_cast<unsigned char>(c)] = ' ';
    }
    return map;
}

constexpr ByteMap kBlankingMap = BlankingMap();

}  // namespace

std::string NoktalamaTemizle(std::string_view text) { return MapEachByte(text, kBlankingMap); }

}  // namespace text
