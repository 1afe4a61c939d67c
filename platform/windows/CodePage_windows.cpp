#include "platform/CodePage.h"

#include <windows.h>

namespace PlatformCodePage {

namespace {
constexpr UINT kCodePage = 949;
} // namespace

bool Available() {
    return IsValidCodePage(kCodePage) != 0;
}

bool Decode(QByteArrayView bytes, QString& text) {
    if (bytes.isEmpty()) {
        text.clear();
        return true;
    }
    // A lead byte that ends the bytes is half a character whose other half
    // never came: it is left out, not made a replacement character.
    qsizetype end = 0;
    for (qsizetype i = 0; i < bytes.size();
         i += IsDBCSLeadByteEx(kCodePage, BYTE(bytes[i])) ? 2 : 1)
        end = i;
    if (end == bytes.size() - 1 && IsDBCSLeadByteEx(kCodePage, BYTE(bytes[end])))
        bytes = bytes.first(end);
    if (bytes.isEmpty()) {
        text.clear();
        return true;
    }
    const auto size = int(bytes.size());
    // Strict first, to learn whether every byte is a character; then, for
    // bytes that are not, the system's replacement characters.
    int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    const bool valid = n > 0;
    const DWORD flags = valid ? MB_ERR_INVALID_CHARS : 0;
    if (!valid)
        n = MultiByteToWideChar(kCodePage, 0, bytes.data(), size, nullptr, 0);
    text.resize(n);
    MultiByteToWideChar(kCodePage, flags, bytes.data(), size,
                        reinterpret_cast<wchar_t*>(text.data()), n);
    return valid;
}

bool Encode(QStringView text, QByteArray& bytes) {
    if (text.isEmpty()) {
        bytes.clear();
        return true;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const auto size = int(text.size());
    // No best fit: a character the code page lacks must not quietly become a
    // look-alike.
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0,
                                      nullptr, &usedDefault);
    bytes.resize(n);
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), n, nullptr,
                        &usedDefault);
    return n > 0 && !usedDefault;
}

} // namespace PlatformCodePage
