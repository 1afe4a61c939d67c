#pragma once
// Shared by the fuzz targets: a folder for their scratch files (in memory
// where the system offers one, since every input writes a file), and the
// reading of an input as named parts.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace Fuzz {

// The scratch folder, ending with a separator; made once per process.
QString Folder();

// Reads an input front to back: single bytes, then parts whose length the
// preceding byte gives, then whatever is left.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte();
    QByteArray Part(); // a length byte, then up to that many bytes
    QByteArray Rest();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Stops the process with a message when a property does not hold, so that
// the fuzzer keeps the input that broke it.
void Require(bool holds, const char* property);

} // namespace Fuzz
