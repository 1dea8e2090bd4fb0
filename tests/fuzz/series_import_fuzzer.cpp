// Any bytes through the series file importer. Whatever the file, the table is
// consistent, every cell and pane line is valid UTF-8 without a line break,
// and the one-call import gives the lines of the table's default column.
// Input: a choice byte (bit 0 the separator), then the file's bytes.

#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "series/series_file_import.h"

using namespace aqualen;

namespace {

// Strict UTF-8, written out again for the check.
bool ValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
        if (length == 0 || i + length > text.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

void CheckText(std::string_view text)
{
    fuzz::Expect(ValidUtf8(text), "not UTF-8", text);
    fuzz::Expect(text.find_first_of("\r\n") == std::string_view::npos, "a line break inside a line", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const char separator = (in.Byte() & 1) ? ',' : '.';
        const std::string_view bytes = in.Rest();

        fuzz::Expect(ValidUtf8(DecodeSeriesFile(bytes)), "decoded text not UTF-8");
        const SeriesTable table = ReadSeriesTable(bytes);
        for (const auto& row : table.rows) {
            fuzz::Expect(row.size() <= table.columns, "a row wider than the table");
            for (const std::string& cell : row)
                CheckText(cell);
        }
        const SeriesLines lines = ImportSeriesFile(bytes, separator);
        for (const std::string& line : lines)
            CheckText(line);
        if (table.columns > 0) {
            const size_t column = DefaultColumn(table);
            fuzz::Expect(column < table.columns, "default column outside the table");
            const SeriesLines expected = ColumnLines(table, column, table.header, separator);
            fuzz::Expect(lines == expected, "the one-call import differs from its steps");
        }
    });
}
