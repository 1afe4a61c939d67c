#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace PlatformCodePage {

namespace {
// ICU's "CP949" alias is IBM's variant, which lacks the extended Hangul
// syllables and turns the backslash into a won sign; the Windows code page
// that every existing file was written in is "windows-949". The converters
// are costly to open, so one of each is kept.
constexpr const char* kCodec = "windows-949";

QStringDecoder& decoder() {
    static QStringDecoder dec(kCodec);
    return dec;
}

QStringEncoder& encoder() {
    static QStringEncoder enc(kCodec);
    return enc;
}
} // namespace

bool Available() {
    return decoder().isValid() && encoder().isValid();
}

bool Decode(QByteArrayView bytes, QString& text) {
    QStringDecoder& dec = decoder();
    dec.resetState();
    // Resetting an ICU converter keeps its error mark: a fresh one then.
    if (dec.hasError())
        dec = QStringDecoder(kCodec);
    text = dec.decode(bytes);
    return !dec.hasError();
}

bool Encode(QStringView text, QByteArray& bytes) {
    QStringEncoder& enc = encoder();
    enc.resetState();
    if (enc.hasError())
        enc = QStringEncoder(kCodec);
    bytes = enc.encode(text);
    return !enc.hasError();
}

} // namespace PlatformCodePage
