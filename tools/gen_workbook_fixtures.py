#!/usr/bin/env python3
"""Writes the small workbooks the importer tests read (tests/series/workbooks).

One table in four forms: a semicolon text file, the same text as UTF-16 LE
with a byte-order mark and tabs (a spreadsheet's "Unicode text" export), and
the workbooks flows.xlsx, flows.ods and flows.xls. Their first sheet holds
the table (a header, years, values, one text cell, in the .xlsx and .ods one
value as a formula with its cached result); the second sheet holds a plain
column of numbers. The .xlsx and .ods are written here with zipfile; the .xls
needs xlwt (Debian: python3-xlwt). Run once; the files are kept in the tree.
"""

import pathlib
import sys
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "tests" / "series" / "workbooks"

HEADER = ["Год", "Расход, м3/с"]
# (year, value): a value is a float, or a str for a text cell.
ROWS = [(1950, 12.5), (1951, 8.25), (1952, 10.0), (1953, 0.001), (1954, 15.75),
        (1955, "н/д"), (1956, 9.5), (1957, 11.0), (1958, 7.125), (1959, 8.125)]
FORMULA_ROW = 9  # 1959: B11 = B10 + 1 in the .xlsx and .ods
SECOND_NAME = "Второй"
SECOND = [1.0, 2.0, 3.0, 4.5]


def number_text(value):
    text = repr(value)
    return text[:-2] if text.endswith(".0") else text


def text_file():
    lines = [";".join(HEADER)]
    for year, value in ROWS:
        lines.append(f"{year};{value if isinstance(value, str) else number_text(value)}")
    return "\r\n".join(lines) + "\r\n"


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def write_xlsx(path):
    strings = []

    def shared(text):
        if text not in strings:
            strings.append(text)
        return strings.index(text)

    def string_cell(ref, text):
        return f'<c r="{ref}" t="s"><v>{shared(text)}</v></c>'

    rows = ['<row r="1">' + string_cell("A1", HEADER[0]) + string_cell("B1", HEADER[1]) + "</row>"]
    for k, (year, value) in enumerate(ROWS):
        r = k + 2
        cells = f'<c r="A{r}"><v>{year}</v></c>'
        if isinstance(value, str):
            cells += string_cell(f"B{r}", value)
        elif k == FORMULA_ROW:
            cells += f'<c r="B{r}"><f>B{r - 1}+1</f><v>{number_text(value)}</v></c>'
        else:
            cells += f'<c r="B{r}"><v>{number_text(value)}</v></c>'
        rows.append(f'<row r="{r}">{cells}</row>')
    second = [f'<row r="{k + 1}"><c r="A{k + 1}"><v>{number_text(v)}</v></c></row>' for k, v in enumerate(SECOND)]

    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    pkg = "http://schemas.openxmlformats.org/package/2006/relationships"

    def sheet(rows_xml):
        return f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<worksheet xmlns="{main}"><sheetData>{"".join(rows_xml)}</sheetData></worksheet>'

    files = {
        "[Content_Types].xml":
            '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
            '<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
            '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
            '</Types>',
        "_rels/.rels":
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="{pkg}">'
            f'<Relationship Id="rId1" Type="{rel}/officeDocument" Target="xl/workbook.xml"/></Relationships>',
        "xl/workbook.xml":
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<workbook xmlns="{main}" xmlns:r="{rel}"><sheets>'
            f'<sheet name="Расходы" sheetId="1" r:id="rId1"/><sheet name="{SECOND_NAME}" sheetId="2" r:id="rId2"/>'
            '</sheets></workbook>',
        "xl/_rels/workbook.xml.rels":
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="{pkg}">'
            f'<Relationship Id="rId1" Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/>'
            f'<Relationship Id="rId2" Type="{rel}/worksheet" Target="worksheets/sheet2.xml"/>'
            f'<Relationship Id="rId3" Type="{rel}/sharedStrings" Target="sharedStrings.xml"/>'
            '</Relationships>',
        "xl/worksheets/sheet1.xml": sheet(rows),
        "xl/worksheets/sheet2.xml": sheet(second),
    }
    files["xl/sharedStrings.xml"] = (
        f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="{main}" count="{len(strings)}" '
        f'uniqueCount="{len(strings)}">' + "".join(f"<si><t>{esc(s)}</t></si>" for s in strings) + "</sst>")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in files.items():
            z.writestr(zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0)), text, zipfile.ZIP_DEFLATED)


def write_ods(path):
    ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2"')

    def text_cell(text):
        return f'<table:table-cell office:value-type="string"><text:p>{esc(text)}</text:p></table:table-cell>'

    def float_cell(value, formula=None):
        f = f' table:formula="{formula}"' if formula else ""
        t = number_text(value)
        return f'<table:table-cell{f} office:value-type="float" office:value="{t}"><text:p>{t.replace(".", ",")}</text:p></table:table-cell>'

    # As a spreadsheet program writes it: empty cells to the sheet's edge and
    # empty rows to its foot, each as one repeated element.
    edge = '<table:table-cell table:number-columns-repeated="1022"/>'
    foot = '<table:table-row table:number-rows-repeated="1048565"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>'
    rows = ["<table:table-row>" + text_cell(HEADER[0]) + text_cell(HEADER[1]) + edge + "</table:table-row>"]
    for k, (year, value) in enumerate(ROWS):
        cell = text_cell(value) if isinstance(value, str) else float_cell(
            value, f"of:=[.B{k + 1}]+1" if k == FORMULA_ROW else None)
        rows.append("<table:table-row>" + float_cell(year) + cell + edge + "</table:table-row>")
    second = ["<table:table-row>" + float_cell(v) + "</table:table-row>" for v in SECOND]
    content = (f'<?xml version="1.0" encoding="UTF-8"?>\n<office:document-content {ns}><office:body><office:spreadsheet>'
               '<table:table table:name="Расходы"><table:table-column table:number-columns-repeated="1024"/>'
               + "".join(rows) + foot + "</table:table>"
               f'<table:table table:name="{SECOND_NAME}"><table:table-column/>' + "".join(second) + "</table:table>"
               "</office:spreadsheet></office:body></office:document-content>")
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                "</manifest:manifest>")
    with zipfile.ZipFile(path, "w") as z:
        stamp = (2024, 1, 1, 0, 0, 0)
        z.writestr(zipfile.ZipInfo("mimetype", stamp), "application/vnd.oasis.opendocument.spreadsheet",
                   zipfile.ZIP_STORED)
        z.writestr(zipfile.ZipInfo("META-INF/manifest.xml", stamp), manifest, zipfile.ZIP_DEFLATED)
        z.writestr(zipfile.ZipInfo("content.xml", stamp), content, zipfile.ZIP_DEFLATED)


def write_xls(path):
    sys.path.append("/usr/lib/python3/dist-packages")
    import xlwt  # noqa: E402

    book = xlwt.Workbook(encoding="utf-8")
    first = book.add_sheet("Расходы")
    for c, text in enumerate(HEADER):
        first.write(0, c, text)
    for k, (year, value) in enumerate(ROWS):
        first.write(k + 1, 0, year)
        first.write(k + 1, 1, value)
    second = book.add_sheet(SECOND_NAME)
    for k, value in enumerate(SECOND):
        second.write(k, 0, value)
    book.save(str(path))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    text = text_file()
    (OUT / "flows.txt").write_bytes(text.encode("utf-8"))
    (OUT / "flows_utf16.txt").write_bytes(b"\xff\xfe" + text.replace(";", "\t").encode("utf-16-le"))
    write_xlsx(OUT / "flows.xlsx")
    write_ods(OUT / "flows.ods")
    write_xls(OUT / "flows.xls")


if __name__ == "__main__":
    main()
