// The folding of this machine's Unicode library (ICU), for the native tests:
// compatibility decomposition, the non-spacing marks dropped, case folded;
// the same steps the program asks of Windows.
#pragma once

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "platform/text_folding.h"

namespace testing_support {

class SystemFolding : public platform::TextFolding {
public:
    std::string fold(std::string_view utf8) const override {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
        if (U_SUCCESS(status)) text = nfkd->normalize(text, status);
        icu::UnicodeString kept;
        for (std::int32_t i = 0; i < text.length();) {
            const UChar32 c = text.char32At(i);
            if (u_charType(c) != U_NON_SPACING_MARK) kept.append(c);
            i += U16_LENGTH(c);
        }
        kept.foldCase();
        std::string out;
        kept.toUTF8String(out);
        return out;
    }
};

}  // namespace testing_support
