// The delimited-text field rule on any line.
#include "core/grid/CsvField.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int n = 0; n < 6; ++n) {
        const QByteArray field = CsvField(line, n);
        if (field.size() > line.size())
            std::abort();
    }
    return 0;
}
