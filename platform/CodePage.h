#pragma once
// The Korean code page every record is stored in, windows-949 (CP949 with
// the extended Hangul syllables). Qt knows it only through ICU, which a
// Windows build of Qt may lack; Windows knows it itself.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace PlatformCodePage {

// Whether the conversion is there at all.
bool Available();
// The text of the bytes; false when some bytes are no character of the
// code page (they become replacement characters).
bool Decode(QByteArrayView bytes, QString& text);
// The bytes of the text; false when a character has no place in the code
// page (it becomes a stand-in byte).
bool Encode(QStringView text, QByteArray& bytes);

} // namespace PlatformCodePage
