// The list form of anniversary values. Input: entries separated by NUL
// bytes (UTF-8), or the first byte chooses to read the rest as comma text.
// Properties: reading comma text never fails; any list without NUL survives
// CommaTextOf then SplitCommaText; whatever SplitCommaText reads survives the
// same round; a list stored in an anniversary file reads back whole, and
// only a list past the longest value or one the file cannot hold is refused.
#include "core/ProjectInfo.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Input in(data, size);
    const uint8_t mode = in.Byte();
    const QByteArray rest = in.Rest();

    QStringList entries;
    if (mode & 1) {
        entries = SplitCommaText(QString::fromUtf8(rest));
    } else if (!rest.isEmpty()) {
        for (const QByteArray& part : rest.split('\0'))
            entries << QString::fromUtf8(part);
    }
    for (const QString& e : entries)
        Fuzz::Require(!e.contains(QChar(0)), "no entry holds a NUL");
    Fuzz::Require(SplitCommaText(CommaTextOf(entries)) == entries, "comma text round-trips");

    TvxAnniversary cursor(Fuzz::Folder());
    cursor.Year = 2026;
    cursor.Month = uint16_t(1 + mode % 12);
    cursor.Day = uint16_t(1 + (mode >> 4) % 28);
    try {
        cursor.WriteAnniversaries(entries);
    } catch (const EFileError&) {
        return 0;
    } catch (const EDayTooLong& refused) {
        Fuzz::Require(refused.Bytes > 2047, "only a list past the longest value is refused");
        return 0;
    }
    Fuzz::Require(cursor.ReadAnniversaries(cursor.Day) == entries, "a stored list reads back");
    cursor.DeleteAnniversaries();
    Fuzz::Require(cursor.ReadAnniversaries(cursor.Day).isEmpty(), "a deleted day reads empty");
    return 0;
}
