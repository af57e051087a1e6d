#include <string>

#include "text/CaseFolding.h"
#include "text/TextAnalysis.h"

namespace text {

namespace {
constexpr char kSoftHyphen = '\xAD';
}

// Two upper-cased words get the same key exactly when they are equal byte for byte once
// - the lower-case letters of Windows-1254 outside the Turkish alphabet are capitalised: \xE0..\xEF but \xE7
//   (a grave to i diaeresis but c cedilla), \xF1-\xF5, \xF8-\xFB, \x9A (s caron), \x9C (oe), \xFF (y diaeresis);
// - the modifier circumflex (\x88) is read as ^;
// - soft hyphens (\xAD) are left out, as the platform comparison ignores them.
// Everything else is kept apart: I and \xDD (dotted capital I) are different letters, as are their lower-case
// forms before upper-casing; accents count (\xC2 is not A); \xDF (sharp s) and \xB5 (micro) have no capital
// and match only themselves; ligatures are not expanded (\x8C is not OE). These are the answers Windows'
// CompareString gives for the Turkish and the English locale, checked pair by pair under Wine by the
// Windows word-key test.
std::string PortableWordKey(std::string_view upperCasedWord) {
    std::string key = MapEachByte(upperCasedWord, kWordKeyFoldMap);
    std::erase(key, kSoftHyphen);
    return key;
}

}  // namespace text
