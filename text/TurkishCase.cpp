#include "text/CaseFolding.h"
#include "text/TextAnalysis.h"

namespace text {

std::string HarfDonustur(std::string_view text) { return MapEachByte(text, kTurkishUpperMap); }

}  // namespace text
